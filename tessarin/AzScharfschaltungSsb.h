#pragma once
// Arming of one arming area ("Scharfschaltung SSB n"): the arm delay, the alarm delay and
// the four switching devices SE1 to SE4 ("Schalteinrichtung") that arm and disarm the area,
// each with the physical address of its bus device (0: none) and the detector input that
// reports its sabotage (255: none). The editor creates one node per arming area and tells
// it its area; the node asks the editor to pick a device address (request 6) and reports the
// change (request 11), offers as sabotage inputs the detector numbers the editor hands it,
// and writes ten device parameters per area.
//
// Record slots (after the base's): Param3 arm delay, Param4 alarm delay, Param5..Param8 the
// addresses of SE1..SE4, Param9 the area number (read back as its low byte), Param10..
// Param13 the sabotage inputs of SE1..SE4, String1..String4 the address texts of SE1..SE4.
// The parameter numbers are not stored: SetScharfschaltBereich sets them, and after loading
// the editor calls InitScharfschaltungSsb. Until then they are 0, and WriteDataToDb writes
// nothing (the shared writer skips number 0).
//
// Device parameters of area n: 210n0 arm delay, 220n0 alarm delay, 17n10..17n40 the
// addresses of SE1..SE4, 18n10..18n40 their sabotage inputs.

#include "pellam/DataBasis.h"
#include "rastow/ComboWert.h"
#include "tessarin/TessarinExport.h"

#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <string>

class TObject;

struct TESSARIN_EXPORT T_DB_EnumAzScharfschaltungSsb {
    // Number of an arming area: 1 to 4 name SSB 1 to SSB 4. A signed byte; the nodes store
    // other values as given where their operations say so.
    enum TEnumScharfschaltBereich : int8_t {};
};

class TESSARIN_EXPORT TAzScharfschaltungSsb : public TDataBasis {
public:
    using TEnumScharfschaltBereich = T_DB_EnumAzScharfschaltungSsb::TEnumScharfschaltBereich;

    static constexpr int kTyp = 6136;
    static constexpr int kIcon = 45;
    static constexpr int kQuickHelpIndex = 140;
    static constexpr int kAnzahlSe = 4;
    // Sabotage input of a switching device that has none.
    static constexpr int32_t kKeineSabotage = 255;
    // Limits of both delays, in seconds.
    static constexpr int32_t kMaxVerzoegerung = 255;
    static constexpr int32_t kMinVerzoegerung = 0;
    static constexpr int32_t kStepVerzoegerung = 1;

    // Row numbers: the two delays, then per switching device k (1..4) its address (ellipsis,
    // 2k + 1) and, while it has an address, its sabotage input (combo, 2k + 2).
    enum TRow {
        rowScharfVerzoegerung = 1,
        rowAlarmVerzoegerung = 2,
        rowPhysAdrSe1 = 3,
        rowSaboSe1 = 4,
        rowPhysAdrSe2 = 5,
        rowSaboSe2 = 6,
        rowPhysAdrSe3 = 7,
        rowSaboSe3 = 8,
        rowPhysAdrSe4 = 9,
        rowSaboSe4 = 10,
    };

    // The arguments go to TDataBasis unchanged. Defaults: area 1 (parameter numbers still
    // 0), both delays 0, no devices, no sabotage inputs, no offered detectors.
    TAzScharfschaltungSsb(HWND owner, int32_t system, int32_t parent, std::string name,
                          int32_t art);
    ~TAzScharfschaltungSsb() override;

    // --- Node interface --------------------------------------------------------------------
    int GetQuickHelpIndexOffset() const override;
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;
    int ListStyle() override;
    int GetIcon() override;
    bool AllowChild(int typ) override;
    void Write(TDatenStruktur& record) override;
    // Asks the editor (request 9, Wert4 the area) to hand over the detector numbers of the
    // area that serve as sabotage inputs; the editor does so by calling
    // UpdateListeMelderNrSaboSeSb. True exactly when the editor's answer is not 0; the
    // editor answers 0 and relies on that answer for what it does next.
    bool DatenAbgleich(bool, bool) override;
    bool AllowDrop(TDataBasis* source) override;
    void Drop(TDataBasis* source) override;
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
    void InitFromDB(TDatenStruktur& record) override;
    bool Einfuegen(std::map<int, TDatenStruktur>& records) override;

    // --- Area ------------------------------------------------------------------------------
    // Area 1..4: stores it, sets the ten parameter numbers of the area, true. Any other
    // value: false, nothing changes.
    bool SetScharfschaltBereich(TEnumScharfschaltBereich bereich);
    // SetScharfschaltBereich with the stored area (after loading); its result.
    bool InitScharfschaltungSsb();
    TEnumScharfschaltBereich GetScharfschaltBereich() const;

    // --- Switching devices -----------------------------------------------------------------
    // Address of switching device se (1..4); 0 for any other se.
    int32_t GetPhysAdrSe(int se) const;
    // Address text of switching device se (1..4); empty for any other se.
    std::string GetStringPhysAdrSe(int se) const;
    // Appends, SE1 to SE4, every address that is not 0: true.
    bool GetPhysikalischenAdressenSE(std::list<int32_t>& adressen) const;
    // Whether the detector number is the sabotage input of any switching device (255 is
    // whenever one of them has none).
    bool CheckMelderSaboSeLinked(int32_t melderNr) const;
    // Every sabotage input equal to the number becomes 255; then the record is written,
    // changed or not: true.
    bool UnlinkMelderNrSaboSe(int32_t melderNr);
    // se 1..4: that device's address 0, its text empty, its sabotage input 255. Any se: then
    // the record is written: true.
    bool ClearPhysAdrSeAndMelderNrSe(int se);
    // The detector numbers offered as sabotage inputs become a copy of the list, same order.
    void UpdateListeMelderNrSaboSeSb(std::list<int32_t> melderNummern);
    // The combo entries of switching device se: "Keine Sabotage Schalteinrichtung" (255),
    // then every offered number that no other switching device uses, in list order, shown
    // in decimal. Only the first entry for se outside 1..4.
    std::list<TComboWert> GetliCbxItemsSaboSe(int se) const;

    int32_t GetScharfVerzoegerung() const { return m_scharfVerzoegerung; }
    int32_t GetAlarmVerzoegerung() const { return m_alarmVerzoegerung; }
    // Sabotage input of switching device se (1..4); 255 for any other se.
    int32_t GetMelderNrSaboSe(int se) const;
    const std::list<int32_t>& GetListeMelderNrSaboSe() const { return m_liMelderNrSaboSe; }

    // --- Device parameters -----------------------------------------------------------------
    // Arm delay, alarm delay, the addresses of SE1..SE4, their sabotage inputs, each as a
    // 32-bit value. Without ETS one box, nothing written.
    void WriteDataToDb();

    // --- Grid ------------------------------------------------------------------------------
    // GridExitCell takes the spin rows, GridComboBoxChange the sabotage inputs and
    // GridEllipseClick the device addresses; the other handlers do nothing.
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
    // Index 0..3 of switching device se, or -1 for se outside 1..4.
    static int SeIndex(int se);
    bool IstGueltigerBereich() const;

    int32_t m_quickHelpIndex = kQuickHelpIndex;
    std::list<int32_t> m_liMelderNrSaboSe;
    int16_t m_paramNrScharfVerzoegerung = 0;
    int16_t m_paramNrAlarmVerzoegerung = 0;
    std::array<int16_t, kAnzahlSe> m_paramNrPhysAdrSe{};
    std::array<int16_t, kAnzahlSe> m_paramNrSaboSe{};
    TEnumScharfschaltBereich m_scharfschaltBereich = TEnumScharfschaltBereich{1};
    int32_t m_scharfVerzoegerung = 0;
    int32_t m_scharfVerzoegerungMax = kMaxVerzoegerung;
    int32_t m_scharfVerzoegerungMin = kMinVerzoegerung;
    int32_t m_scharfVerzoegerungStep = kStepVerzoegerung;
    int32_t m_alarmVerzoegerung = 0;
    int32_t m_alarmVerzoegerungMax = kMaxVerzoegerung;
    int32_t m_alarmVerzoegerungMin = kMinVerzoegerung;
    int32_t m_alarmVerzoegerungStep = kStepVerzoegerung;
    std::array<int32_t, kAnzahlSe> m_physAdrSe{};
    std::array<int32_t, kAnzahlSe> m_melderNrSaboSe{kKeineSabotage, kKeineSabotage,
                                                    kKeineSabotage, kKeineSabotage};
    std::array<std::string, kAnzahlSe> m_strPhysAdrSe;
};
