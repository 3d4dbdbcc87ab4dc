#pragma once
// The bus communication objects used for alarming: a node without settings, rows or device
// parameters under which the editor creates those objects. Its one own operation asks the
// editor to set an ETS device parameter to a number of objects and to create the objects
// ETS then lists for it below this node.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzEibObjekteZurAlarmierung : public TDataBasis {
public:
    static constexpr int kTyp = 6141;
    static constexpr int kIcon = 50;
    static constexpr int kQuickHelpIndex = 180;

    // The arguments go to TDataBasis unchanged.
    TAzEibObjekteZurAlarmierung(HWND owner, int32_t system, int32_t parent, std::string name,
                                int32_t art);
    ~TAzEibObjekteZurAlarmierung() override;

    int GetQuickHelpIndexOffset() const override;
    // The base's name, whatever the flag.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    // 0: the editor lists the node's objects.
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    // No rows: the grid's Tag (-1 while the node's flag is set), the handlers, and
    // UM_SetActiveCell when column or row is not negative.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Has the editor bring ETS device parameter `paramNr` (its low 16 bits) and the objects
    // that depend on it in line with `anzahl`: request code 8 by UM_UserObjectMessage
    // (Wert5 paramNr, Wert6 anzahl, Wert7 positionOffset, Sender this node), through the
    // node base's ModifyObject. The editor may remove object instances it replaces; the node
    // lets it ask before it does (Wert8 1), as every other caller does. True when the editor
    // answers nonzero. The node itself changes nothing and writes no record.
    bool CallModifyEibObjekteZurAlarmierung(int paramNr, int anzahl, int positionOffset);

    // Grid handlers: none of them does anything.
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
