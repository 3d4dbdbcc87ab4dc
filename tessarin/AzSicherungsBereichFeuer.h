#pragma once
// The area of the fire detectors: a node without settings of its own that groups the fire
// detector inputs in the tree. It draws no grid rows (the editor lists its children), stores
// only the base's record fields and writes no device parameters. Its twin is the hold-up
// area (TAzSicherungsBereichUeberfall).

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzSicherungsBereichFeuer : public TDataBasis {
public:
    static constexpr int kTyp = 6123;
    static constexpr int kIcon = 32;
    static constexpr int kQuickHelpIndex = 100;

    // The arguments go to TDataBasis unchanged.
    TAzSicherungsBereichFeuer(HWND owner, int32_t system, int32_t parent, std::string name,
                              int32_t art);
    ~TAzSicherungsBereichFeuer() override;

    int GetQuickHelpIndexOffset() const override;
    // The base's name, whatever the flag.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    // 0: the editor lists the area's detector inputs.
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // No rows and no UM_SetActiveCell, whatever column and row: only the grid's Tag (-1 while
    // the node's flag is set), Prepare(2) and the handlers.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Grid handlers. Only GridEllipseClick acts: for a cell drawn by a fire area it writes
    // the record and refreshes the view. The grid raises none of them in normal use, since
    // the node draws no rows.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row,
                              double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row,
                               double value);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

private:
    int32_t m_quickHelpIndex;
};
