#pragma once
// The node the displays (TAzAnzeige) hang under. It stands in the tree as their folder but is
// an ordinary data node: it keeps the area mask of each of the four displays and their union
// (the combined mask), which it writes as one device parameter. It draws no rows.
//
// Record: Param3 the combined mask. The four per-display masks are not stored: after loading
// the editor hands every display's mask in again (ModifyQuittierungMelder).
//
// Device parameter: 10100 the combined mask.

#include "pellam/DataBasis.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/TessarinExport.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzOrdnerAnzeige : public TDataBasis {
public:
    // Every mask 0.
    TAzOrdnerAnzeige(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzOrdnerAnzeige() override;

    int GetQuickHelpIndexOffset() const override;
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    // 0: the editor lists the displays.
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // No rows: the frame only (the grid's Tag -1 while the node's flag is set).
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Stores the mask as that of display `nummer` (0-3; any other number stores nothing),
    // makes the combined mask the union of the four stored masks and writes the record. No
    // device parameter is written.
    void ModifyQuittierungMelder(int maske, TAzAnzeige::TEnumAnzeigeNr nummer);
    // The combined mask.
    int GetQuittierungMelder() const { return m_maskeGesamt; }
    // 10100 := the combined mask.
    void WriteDataToDb();

    // Grid handlers: bound by BuildInfoWindow, all without effect.
    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row);
    void GridEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditChange(TObject* sender, TCell& cell, int column, int row);
    void GridSpinEditOverflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                              int row, double value);
    void GridSpinEditUnderflow(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                               int row, double value);
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridExit(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row);
    void GridEllipseClick(TObject* sender, TCell& cell, int column, int row);

private:
    int32_t m_quickHelpIndex;
    int32_t m_maskeGesamt = 0;
    std::array<int32_t, 4> m_maskeAnzeige{};
};
