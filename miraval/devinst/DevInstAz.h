#pragma once
// TDeviceInstanzAz: the device instance of an alarm centre, the only kind the editor makes.
// Besides what the base holds it keeps the alarm centre's bookkeeping (which detector numbers
// are taken, how many inputs exist, the sabotage inputs and switching-device addresses of
// each arming area, the group addresses detectors use, per-area flags), knows the version
// line of its stored configuration and which node class belongs to which record type.
//
// Terms: area n (1..4) is byte 4 - n of the variant code (area 1 the top byte); a detector's
// kind is TAzMelder::GetMelderBereich (0 fire, 1 hold-up, 2 the wired input, 3..6 a detector
// of security area 1..4); detector numbers are 1..160, the wired input has 0.
//
// Units:
//   DevInstAz.cpp         construction, version line, lists, look-ups in the registry
//   DevInstAzLaden.cpp    the node tree from the loaded records (type-code table)
//   DevInstAzAbgleich.cpp the alignment after loading (DatenAbgleich)

#include "miraval/devinst/DevInst.h"

#include <array>
#include <cstdint>
#include <list>
#include <string>

class TAzEditierbareTexte;
class TAzOrdnerAnzeige;
class TAzScharfschaltungSsb;
class TAzSystem;
class TAzMelder;

class TDeviceInstanzAz : public TDeviceInstanz {
public:
    // Detector numbers run from 1 to this; the inputs, wired input included, to one more.
    static constexpr int kMaxMelderNr = 160;
    static constexpr int kAnzahlBereiche = 4;

    // Runs the base's construction, then shows the input counts in the status bar:
    // "Anzahl Eingänge (max./angelegt/frei)", "160", the counter (0), 160 minus the counter.
    TDeviceInstanzAz(TEditorHost& host, const DAL_DEVICE& device, TFormVerw* formVerw);
    ~TDeviceInstanzAz() override;

    // ---- Operations of the interface ------------------------------------------------------------
    // "YR Version: 1. 1 Typ:VIREO/Alarmzentrale"
    std::string GetVersion() override;
    // Refusals are shown captioned "Versions-Überprüfung" when zeigen.
    bool VersionCheck(const std::string& version, bool zeigen) override;
    // One node per loaded record by its type code; a type without a class is reported
    // ("Unbekannter Typ: " + code) and its record kept as it is.
    void InitDataMainStruktur() override;
    // After every load: aligns every node in handle order and rebuilds the lists. False only
    // when a detector's or the tamper contact's first child is not registered (shown).
    bool DatenAbgleich(bool a, bool b) override;
    // The ETS sub-group ids of the detectors' group addresses; unsorted, duplicates allowed.
    void GetGrpAdrUsedFromMelder(std::list<int32_t>& out) override;
    // Removes the first occurrence; false when there is none.
    bool ClearMelderGrpAdrFromList(int32_t grpAdr) override;
    // Appends; true.
    bool SetMelderGrpAdrToList(int32_t grpAdr) override;

    // ---- Lists ------------------------------------------------------------------------------------
    // Area 1..4: appends the number to the area's sabotage inputs, sorts them and hands a copy
    // to the area's arming node (when there is one); true. Other area: false.
    bool SetMelderSaboSeToList(int32_t melderNr, uint8_t bereich);
    // Area 1..4 and the number listed: removes its first occurrence, hands a copy as above;
    // true. Otherwise false.
    bool ClearMelderSaboSeFromList(int32_t melderNr, uint8_t bereich);
    // Area 1..4: replaces the old switching-device address by the new one (none when 0),
    // ascending without duplicates; true. Other area: false.
    bool UpdatePhysAdrUsedSsbFromList(int32_t neu, int32_t alt, uint8_t bereich);
    // The lowest number 1..160 not taken, now taken; 0 when all are taken.
    int32_t GetNextFreeMelderNr();
    // The status bar's used and free inputs: counter - 1 and 161 - counter.
    void ModifyAzStatusleisteAnzahlMedler();

    // ---- Look-ups in the registry (ascending handle order, first match or null) ---------------
    TAzSystem* GetPointerInstAzSystem() const;
    TAzOrdnerAnzeige* GetPointerInstOrdnerAnzeige() const;
    TAzScharfschaltungSsb* GetPointerInstScharfschaltungSsb(uint8_t bereich) const;
    TDataBasis* GetPointerInstScharfschaltBereich(int16_t typ) const;
    TAzMelder* GetPointerInstMelder(int32_t melderNr) const;
    TAzMelder* GetPointerVerdrahteterMelder() const;
    // The node of the editable texts as stored (null until set).
    void SetPointerEdtitierbareTexte(TAzEditierbareTexte* node) { m_textKnoten = node; }
    TAzEditierbareTexte* GetPointerEdtitierbareTexte() const { return m_textKnoten; }

    // ---- Bookkeeping ------------------------------------------------------------------------------
    int GetAnzahlEingaenge() const { return m_eingaenge; }
    void SetAnzahlEingaenge(int anzahl) { m_eingaenge = anzahl; }
    bool GetAbbrechen() const { return m_abbrechen; }
    void SetAbbrechen(bool abbrechen) { m_abbrechen = abbrechen; }
    bool GetAufbau() const { return m_aufbau; }
    void SetAufbau(bool aufbau) { m_aufbau = aufbau; }
    // Per area 1..4 (index 0..3).
    std::array<bool, kAnzahlBereiche>& GetUegScharf() { return m_uegScharf; }
    std::array<bool, kAnzahlBereiche>& GetUegEinbruch() { return m_uegEinbruch; }
    std::list<int32_t>& GetMelderNrUsed() { return m_melderNrUsed; }
    std::list<int32_t>& GetMelderGrpAdr() { return m_melderGrpAdr; }
    std::array<std::list<int32_t>, kAnzahlBereiche>& GetSaboSe() { return m_saboSe; }
    std::array<std::list<int32_t>, kAnzahlBereiche>& GetPhysAdrSe() { return m_physAdrSe; }

protected:
    void KnotenEntfernt(const TDataBasis& node) override;

private:
    // Hands a copy of the area's sabotage inputs to its arming node, when there is one.
    void SaboSeWeitergeben(uint8_t bereich);

    TAzEditierbareTexte* m_textKnoten = nullptr;
    int m_eingaenge = 0;      // detectors made, wired input included
    bool m_abbrechen = false; // stops a run of adding detectors
    std::array<bool, kAnzahlBereiche> m_uegScharf{};   // ÜG 'Scharf' of arming area n
    std::array<bool, kAnzahlBereiche> m_uegEinbruch{}; // ÜG Einbruch of alarm type n + 2
    bool m_aufbau = false;    // CreateNewDevice is building: no progress dialogs
    std::list<int32_t> m_melderNrUsed;  // ascending
    std::list<int32_t> m_melderGrpAdr;  // unsorted, duplicates allowed
    std::array<std::list<int32_t>, kAnzahlBereiche> m_saboSe;
    std::array<std::list<int32_t>, kAnzahlBereiche> m_physAdrSe; // ascending, no duplicates
    int m_versionMajor = 1;
    int m_versionMinor = 1;
    std::string m_typText = "VIREO/Alarmzentrale";
};
