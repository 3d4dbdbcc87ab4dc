#pragma once
// One alarm type of the alarm centre: which local outputs (flash, outdoor siren, indoor
// siren, relay) the alarm drives and which path of the transmission unit (ÜG) reports it.
// The editor makes one node per alarm type under TAzOrdnerAlarmierung and sets the type
// with SetAlarmierungTyp, which presets the flags and the parameter numbers.
//
// The intrusion path (ÜG 'Einbruch') is shared by the four arming areas: an arming area's
// node asks the editor (request code 18) before it switches its use, and shows which areas
// use it (request code 17).
//
// Record: Param3 the type (sign-extended; read back as its low byte), Bool3..Bool6 flash,
// outdoor siren, indoor siren, relay, Bool7..Bool10 ÜG 'Störung', 'Einbruch', 'Feuer',
// 'Überfall'. The parameter numbers are not stored; they follow the type.
//
// Device parameters: base B by type (16510 fire, 16610 hold-up, 16110/16210/16310/16410 for
// arming areas 1-4); B flash, B+10 outdoor siren, B+20 indoor siren, B+30 relay, B+40 the
// type's transmission flag (ÜG 'Feuer' for fire, 'Überfall' for hold-up, 'Einbruch' for the
// arming areas). Type 2 has no parameter block of its own.

#include "pellam/DataBasis.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

struct T_DB_EnumAzAlarmierung {
    // The alarm types; stored as a signed byte.
    enum TEnumAlarmierungTyp : int8_t {
        atFeuer = 0,            // fire detectors
        atUeberfall = 1,        // hold-up detectors
        atSabotageExtern = 2,   // external sabotage detector while armed (never created)
        atSsb1 = 3,             // intrusion in arming areas SSB 1 to SSB 4
        atSsb2 = 4,
        atSsb3 = 5,
        atSsb4 = 6,
    };
};

class TESSARIN_EXPORT TAzAlarmierung : public TDataBasis {
public:
    using TEnumAlarmierungTyp = T_DB_EnumAzAlarmierung::TEnumAlarmierungTyp;

    // Row numbers of the property grid.
    enum : int {
        kRowUegFeuerOderUeberfall = 1, // text: ÜG 'Feuer' (fire) or ÜG 'Überfall' (hold-up)
        kRowUegEinbruchNutzung = 2,    // text: the arming areas using ÜG 'Einbruch'
        kRowBlitz = 3,
        kRowAussenSirene = 4,
        kRowInnenSirene = 5,
        kRowRelais = 6,
        kRowUegStoerung = 7,           // type 2 only
        kRowUegEinbruch = 8,           // every type but fire and hold-up
    };

    // Fire type, every flag off, the parameter numbers of type 3 (SetAlarmierungTyp sets the
    // node's own).
    TAzAlarmierung(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TAzAlarmierung() override;

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

    // Stores the type whatever its value. For 0, 1, 3-6 presets the eight flags and answers
    // true; for any other value the flags stay and the answer is false. Then sets the
    // parameter numbers (InitDisplayOrderNumberAlarmierung). The record is not written.
    bool SetAlarmierungTyp(TEnumAlarmierungTyp typ);
    // Stores the type into `typ` and returns it.
    TEnumAlarmierungTyp GetAlarmierungTyp(TEnumAlarmierungTyp& typ) const;
    // Sets the five parameter numbers from the stored type; type 2 and values outside 0-6
    // leave them as they are.
    void InitDisplayOrderNumberAlarmierung();
    // Whether the alarm reports through ÜG 'Einbruch'.
    bool GetStatusAlarmierungUegEinbruch() const;
    // The editor's text of the arming areas that use ÜG 'Einbruch' (request code 17); empty
    // when the editor answers 0.
    std::string GetStrUegEinbruchUsedFrom();
    // Writes B..B+40 (see above). A node whose type has no parameter block (2, or a value
    // outside 0-6 from a damaged record) writes nothing. The numbers are taken from the
    // stored type, also when the editor did not set them after loading.
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
    // The base parameter number of a type with a parameter block; 0 for type 2 and values
    // outside 0-6.
    static int ParamBasis(TEnumAlarmierungTyp typ);
    // The transmission flag written to B+40 for the stored type.
    int8_t UegFlagDesTyps() const;

    int32_t m_quickHelpIndex;
    // Flags, 0 or 1.
    int8_t m_blitz = 0;
    int8_t m_aussenSirene = 0;
    int8_t m_innenSirene = 0;
    int8_t m_relais = 0;
    int8_t m_uegStoerung = 0;  // kept and shown for type 2; no parameter receives it
    int8_t m_uegEinbruch = 0;
    int8_t m_uegFeuer = 0;
    int8_t m_uegUeberfall = 0;
    TEnumAlarmierungTyp m_typ = T_DB_EnumAzAlarmierung::atFeuer;
    int16_t m_paramNrBlitz;
    int16_t m_paramNrAussenSirene;
    int16_t m_paramNrInnenSirene;
    int16_t m_paramNrRelais;
    int16_t m_paramNrUeg;
};
