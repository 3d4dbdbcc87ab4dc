#pragma once
// Constants of the alarm-centre instance that its units share: the node type codes (the
// records' Typ, stored in every configuration) and the object numbers by which the editor
// turns a node's communication objects on and off (ModifyObject). Both are fixed by the
// device's product data and stored configurations: they must not change.

#include "miraval/devinst/VarianteAz.h"
#include <cstdint>

namespace AzTyp {
constexpr int System = 105;
constexpr int EtsObjekt = 806;
constexpr int EditierbareTexte = 6121;
constexpr int OrdnerSicherungsBereich = 6122;
constexpr int SicherungsBereichFeuer = 6123;
constexpr int Melder = 6124;
constexpr int SicherungsBereichUeberfall = 6125;
constexpr int SabotageKontakt = 6126;
constexpr int SicherungsBereich1 = 6127; // .. 6130 for area 4
constexpr int OrdnerScharfschaltung = 6131;
constexpr int ScharfschaltBereich1 = 6132; // .. 6135 for area 4
constexpr int ScharfschaltungSsb = 6136;
constexpr int ScharfUnscharfQuittierungSsb = 6137;
constexpr int Alarmierung = 6138;
constexpr int OrdnerAlarmierung = 6139;
constexpr int Alarmdauer = 6140;
constexpr int EibObjekteZurAlarmierung = 6141;
constexpr int OrdnerAnzeige = 6142;
constexpr int Anzeige = 6143;
constexpr int OrdnerSicherheitStoerung = 6144;
constexpr int EibAlarmSystemSicherheit = 6145;
constexpr int VerhaltenDurchUegR = 6146;
constexpr int DatumUhrzeit = 6147;
} // namespace AzTyp

// Detector area kinds (TAzMelder::SetMelderBereich).
namespace MelderArt {
constexpr uint8_t Feuer = 0;
constexpr uint8_t Ueberfall = 1;
constexpr uint8_t Verdrahtet = 2;
constexpr uint8_t Sb1 = 3; // .. 6 for SB 4
} // namespace MelderArt

// The input type "Sabotage-Schalteinrichtung": the input reports the sabotage of a switching
// device of its arming area.
constexpr int kMelderArtSabotageSe = 3;

// The arming area 1..4 whose switching devices offer the input as their sabotage input: an
// input of that type in security area n offers itself to arming area n; 0 for any other.
constexpr int SaboSeBereich(int melderArt, int melderBereich)
{
    return melderArt == kMelderArtSabotageSe && melderBereich >= MelderArt::Sb1 && melderBereich < MelderArt::Sb1 + 4
               ? melderBereich - MelderArt::Sb1 + 1
               : 0;
}

namespace ObjektNr {
constexpr int VerdrahteterMelder = 1593;
constexpr int SabotageKontakt = 1592;
constexpr int OrdnerScharfschaltung = 1599;
constexpr int EibObjekteZurAlarmierung = 5700;
constexpr int Heartbeat = 7150;
constexpr int EibAlarmSystemSicherheit = 7100;
constexpr int OrdnerSicherheitStoerung = 7200;
constexpr int DatumUhrzeit = 8000;
// Communication objects (object numbers) that may be linked to one group address only.
constexpr int32_t KomSabotageKontakt = 160;
constexpr int32_t KomHeartbeat = 215;
constexpr int32_t KomScharfschaltWunsch(int bereich) { return 161 + bereich; } // 162..165
// Arming area 1..4.
constexpr int ScharfschaltungSsb(int bereich) { return 1550 + 100 * bereich; }           // 1650..1950
constexpr int ScharfUnscharfQuittierungSsb(int bereich) { return 1560 + 100 * bereich; } // 1660..1960
// Display 0..3.
constexpr int Anzeige(int nummer) { return 6100 + 100 * nummer; }
} // namespace ObjektNr

// A detector's objects: ten per number; 1600 would be another node's, so 160 uses 1591.
constexpr int MelderObjektNr(int32_t nr)
{
    return nr == 160 ? 1591 : 10 * nr;
}


// Inputs: detector numbers 1..160 and the wired input.
constexpr int32_t kMaxEingaenge = 161;

// The device's address and association tables: at most 254 distinct group addresses, and
// distinct group addresses plus links at most 508.
constexpr int kMaxGruppenadressen = 254;
constexpr int kMaxTabellenEintraege = 508;

// The alarms' objects by alarm type 0..6 (type 2 has none of its own).
constexpr int AlarmierungObjektNr(int typ)
{
    switch (typ) {
    case 0:
        return 5100;
    case 1:
        return 5200;
    case 3:
    case 4:
    case 5:
    case 6:
        return 5300 + 100 * (typ - 3);
    default:
        return 0;
    }
}
