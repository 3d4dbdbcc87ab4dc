#pragma once
// The behaviour of the alarm centre's four outputs (flash, outdoor siren, indoor siren,
// relay) when transmission unit R reports one kind of alarm: one yes/no flag per output.
// The editor makes two nodes under the system-monitoring folder, area 0 for hold-up and
// area 1 for intrusion, and the area decides which four device parameters the node writes.
//
// Record: Bool3..Bool6 the four flags, Param3 the area (sign-extended; read back as its low
// byte). The parameter numbers are not stored: InitUeGRBereich sets them after loading.
//
// Device parameters, flash to relay: area 0 20010, 20020, 20030, 20040; area 1 13900, 13800,
// 13700, 13600. Until the area is set the numbers are 0 and nothing is written.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

struct T_DB_EnumAzVerhaltenDurchUeGR {
    // The kind of alarm the node is for; stored as a signed byte.
    enum TEnumUeGBereich : int8_t {
        ubUeberfall = 0, // hold-up
        ubEinbruch = 1,  // intrusion
    };
};

class TESSARIN_EXPORT TAzVerhaltenDurchUegR : public TDataBasis {
public:
    using TEnumUeGBereich = T_DB_EnumAzVerhaltenDurchUeGR::TEnumUeGBereich;

    // Row numbers of the property grid.
    enum : int {
        kRowBlitz = 1,
        kRowAussenSirene = 2,
        kRowInnenSirene = 3,
        kRowRelais = 4,
    };

    // Area 0, flash and outdoor siren on, the parameter numbers 0 (SetUeGRBereich sets them).
    TAzVerhaltenDurchUegR(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzVerhaltenDurchUegR() override;

    int GetQuickHelpIndexOffset() const override;
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // Area 0 or 1: stores it, sets the four parameter numbers, true. Any other value changes
    // nothing: false. The record is not written.
    bool SetUeGRBereich(TEnumUeGBereich bereich);
    // SetUeGRBereich with the stored area (after loading).
    void InitUeGRBereich();
    TEnumUeGBereich GetUeGRBereich() const { return m_bereich; }
    // The four flags (0 or 1) to the four parameter numbers, flash first.
    void WriteDataToDb();

    // Grid handlers (bound by BuildInfoWindow). Only GridComboBoxChange acts.
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
    int16_t m_paramNrBlitz = 0;
    int16_t m_paramNrAussenSirene = 0;
    int16_t m_paramNrInnenSirene = 0;
    int16_t m_paramNrRelais = 0;
    // Flags, 0 or 1.
    int8_t m_blitz = 1;
    int8_t m_aussenSirene = 1;
    int8_t m_innenSirene = 0;
    int8_t m_relais = 0;
    TEnumUeGBereich m_bereich = T_DB_EnumAzVerhaltenDurchUeGR::ubUeberfall;
};
