#pragma once
// Arm and disarm acknowledgement of one arming area ("Scharf-/Unscharf-Quittierung SSB n"):
// whether the transmission unit reports the armed state (ÜG 'Scharf'), which local outputs
// acknowledge arming and disarming (flash, outdoor siren, indoor siren, relay), and whether a
// locking element opens on fire or hold-up (0 no, 1 yes with a static disarm signal, 2 yes
// with a pulse disarm signal). The ÜG 'Scharf' signal is one resource of the whole alarm
// centre: the node asks the editor before it switches its use (request 13) and shows which
// arming areas use it (request 12).
//
// Record slots (after the base's): Bool3 ÜG 'Scharf', Bool4..Bool7 flash, outdoor siren,
// indoor siren, relay; Param3 locking element and Param4 area number (both read back as the
// low byte, written sign-extended). The parameter numbers are not stored: the editor calls
// InitScharfUnscharfQuittierungSsb after loading; until then they are 0 and WriteDataToDb
// writes nothing (the shared writer skips number 0).
//
// Device parameters of area n: 13n10 flash, 13n20 outdoor siren, 13n30 indoor siren,
// 13n40 relay, 13n50 ÜG 'Scharf', 23n10 locking element.

#include "pellam/DataBasis.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <map>
#include <string>

class TObject;

class TESSARIN_EXPORT TAzScharfUnscharfQuittierungSsb : public TDataBasis {
public:
    using TEnumScharfschaltBereich = T_DB_EnumAzScharfschaltungSsb::TEnumScharfschaltBereich;

    static constexpr int kTyp = 6137;
    static constexpr int kIcon = 46;
    static constexpr int kQuickHelpIndex = 150;

    enum TRow {
        rowSignUegScharf = 1,
        rowUegScharfUsedFrom = 2,
        rowQuittBlitz = 3,
        rowQuittAussenSirene = 4,
        rowQuittInnenSirene = 5,
        rowQuittRelais = 6,
        rowSperrelement = 7,
    };

    // The arguments go to TDataBasis unchanged. Defaults: ÜG 'Scharf' on, flash on, the
    // other outputs off, no locking element, area 0 (the editor always sets it).
    TAzScharfUnscharfQuittierungSsb(HWND owner, int32_t system, int32_t parent,
                                    std::string name, int32_t art);
    ~TAzScharfUnscharfQuittierungSsb() override;

    // --- Node interface --------------------------------------------------------------------
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

    // --- Area ------------------------------------------------------------------------------
    // Stores the area whatever its value; for 1..4 also sets the six parameter numbers of
    // the area, for any other value they keep theirs.
    void SetScharfschaltBereich(TEnumScharfschaltBereich bereich);
    // SetScharfschaltBereich with the stored area (after loading).
    void InitScharfUnscharfQuittierungSsb();
    TEnumScharfschaltBereich GetScharfschaltBereich() const;

    // --- Data ------------------------------------------------------------------------------
    // Whether the area reports its armed state through ÜG 'Scharf'.
    bool GetStatusSignUegScharf() const;
    // The arming areas that use ÜG 'Scharf', as the editor names them (request 12); empty
    // when the editor answers 0.
    std::string GetStrUegScharfUsedFrom();
    bool GetQuittierungBlitz() const { return m_quittBlitz; }
    bool GetQuittierungAussenSirene() const { return m_quittAussenSirene; }
    bool GetQuittierungInnenSirene() const { return m_quittInnenSirene; }
    bool GetQuittierungRelais() const { return m_quittRelais; }
    int8_t GetSperrelement() const { return m_sperrelement; }

    // --- Device parameters -----------------------------------------------------------------
    // 13n50 ÜG 'Scharf', 13n10 flash, 13n20 outdoor siren, 13n30 indoor siren, 13n40 relay,
    // 23n10 locking element. Without ETS one box, nothing written.
    void WriteDataToDb();

    // --- Grid ------------------------------------------------------------------------------
    // Only GridComboBoxChange has an effect.
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
    // Asks the editor to let the area use ÜG 'Scharf' or not (request 13); true when it
    // agrees.
    bool FrageSignUegScharf(bool ein);

    int32_t m_quickHelpIndex = kQuickHelpIndex;
    bool m_signUegScharf = true;
    bool m_quittBlitz = true;
    bool m_quittAussenSirene = false;
    bool m_quittInnenSirene = false;
    bool m_quittRelais = false;
    int8_t m_sperrelement = 0;
    TEnumScharfschaltBereich m_scharfschaltBereich = TEnumScharfschaltBereich{0};
    int16_t m_paramNrQuittBlitz = 0;
    int16_t m_paramNrQuittAussenSirene = 0;
    int16_t m_paramNrQuittInnenSirene = 0;
    int16_t m_paramNrQuittRelais = 0;
    int16_t m_paramNrSignUegScharf = 0;
    int16_t m_paramNrSperrelement = 0;
};
