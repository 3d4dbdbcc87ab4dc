// TDeviceInstanzAz: copying a detector as record lines and pasting such lines onto a detector
// or a security area, with the area and sabotage-input rules of the alarm centre.
//
// The lines may come from another device or another editor: they are only read. Chains of
// continuation records are followed by look-up, never by making records, and end at a
// handle met before, so lines that loop or point nowhere cannot hang the paste.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "pellam/DataBasis.h"
#include "quillon/DatenManager.h"
#include "quillon/EtsObjekt.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "vcl/Exception.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <exception>
#include <set>
#include <string>

namespace {

using TDaten = TDatenManager<TDatenStruktur>;

constexpr int kTypFolgeSatz = 2;
// The detector's input type of a switching device's sabotage input (TAzMelder::GetMelderArt).
constexpr int kArtSaboSe = 3;
// Security areas of a detector (TAzMelder::GetSicherungsBereichMelder).
constexpr int kBereichFeuer = 5;
constexpr int kBereichUeberfall = 6;

constexpr const char* kTextTypFehlt = "Erlaubter Datentyp wurde nicht gefunden";
constexpr const char* kCaptionTypFehlt = "DeviceInstanzAz::Einfuegen";
constexpr const char* kTextAndererBereich =
    "Der kopierte Eingang gehört zu einem anderen \n\rSicherungs-Bereich und kann nicht eingefügt werden.";
constexpr const char* kCaptionAndererBereich = "Fehler beim Einfügen";
constexpr const char* kTextSaboSe = "Die Sabotage Schalteinrichtung ist in der Scharfschaltung zugeordnet. \n\r"
                                    "Soll diese Zuordnung gelöscht werden?";
constexpr const char* kCaptionSaboSe = "Sabotage Schalteinrichtung";
constexpr const char* kCaptionFehler = "Fehler";

bool IstSicherungsBereich14(int bereich)
{
    return bereich >= 1 && bereich <= TDeviceInstanzAz::kAnzahlBereiche;
}

// The wired input of the centre is neither copied nor pasted onto.
bool IstVerdrahtet(TDataBasis& node)
{
    const auto* melder = dynamic_cast<const TAzMelder*>(&node);
    return melder != nullptr && melder->GetMelderBereich() == MelderArt::Verdrahtet;
}

// The detector kind a new detector gets in a security area of that type; -1 for any other type.
int MelderArtImBereich(int typ)
{
    if (typ == AzTyp::SicherungsBereichFeuer)
        return MelderArt::Feuer;
    if (typ == AzTyp::SicherungsBereichUeberfall)
        return MelderArt::Ueberfall;
    if (typ >= AzTyp::SicherungsBereich1 && typ < AzTyp::SicherungsBereich1 + TDeviceInstanzAz::kAnzahlBereiche)
        return MelderArt::Sb1 + (typ - AzTyp::SicherungsBereich1);
    return -1;
}

// Whether a detector of the copied area may go where a detector of area ziel is (a security
// area 1..4 takes any of 1..4; fire and hold-up only their own).
bool BereichPasst(int ziel, int kopie)
{
    if (IstSicherungsBereich14(ziel))
        return IstSicherungsBereich14(kopie);
    return (ziel == kBereichFeuer || ziel == kBereichUeberfall) && kopie == ziel;
}

// Appends the lines of the continuation chain of kopf (records of the System under kopf).
void KetteAnhaengen(TDeviceInstanz& inst, int32_t system, const TDatenStruktur& kopf, TStringList& zeilen,
                    std::set<int32_t>& gesehen)
{
    for (int32_t next = kopf.Next; next > 0 && gesehen.insert(next).second;) {
        const TDatenStruktur* satz = inst.FindDatenSatz(system, kopf.Handle, next);
        if (satz == nullptr)
            break;
        zeilen.Add(satz->GetDatensatzZeile());
        next = satz->Next;
    }
}

void KinderAnhaengen(TDeviceInstanz& inst, TDataBasis* node, TStringList& zeilen, std::set<int32_t>& gesehen)
{
    const int32_t system = node->GetSystem();
    auto [von, bis] = inst.GetChildIteratorPair(node);
    for (auto it = von; it != bis; ++it) {
        const TDatenStruktur& kind = it->second;
        // Continuation records come with their head record.
        if (kind.Typ == kTypFolgeSatz || !gesehen.insert(kind.Handle).second)
            continue;
        zeilen.Add(kind.GetDatensatzZeile());
        KetteAnhaengen(inst, system, kind, zeilen, gesehen);
        if (TDataBasis* kindKnoten = inst.FindHandle(kind.Handle))
            KinderAnhaengen(inst, kindKnoten, zeilen, gesehen);
    }
}

// The record kopf and its continuation chain from the pasted records, keyed 1, 2, ... into
// ziel. False when a record of the chain is missing (the chain ends there).
bool KetteSammeln(const TDaten& quelle, const TDatenStruktur& kopf, TDaten& ziel)
{
    int32_t key = 1;
    ziel.Insert(key++, kopf);
    std::set<int32_t> gesehen{kopf.Handle};
    for (int32_t next = kopf.Next; next > 0 && gesehen.insert(next).second;) {
        TDatenStruktur satz;
        if (!quelle.Find("Handle", next, satz))
            return false;
        ziel.Insert(key++, satz);
        next = satz.Next;
    }
    return true;
}

// The pasted record a child node takes: an object the object record of its identifier, any
// other node the first record of its type.
bool DatenFuerKind(const TDaten& daten, TDataBasis& kind, TDatenStruktur& out)
{
    if (kind.GetTyp() != TEtsObjekt::kTyp)
        return daten.Find("Typ", kind.GetTyp(), out);
    const auto* objekt = dynamic_cast<const TObjektBasis*>(&kind);
    if (objekt == nullptr)
        return false;
    for (const auto& [key, satz] : daten.Records()) {
        if (satz.Typ == TEtsObjekt::kTyp && satz.Param9 == objekt->GetIdentifier()) {
            out = satz;
            return true;
        }
    }
    return false;
}

bool KinderEinfuegen(TDeviceInstanz& inst, TDataBasis* node, const TDaten& daten, std::string& text,
                     std::set<int32_t>& erledigt)
{
    bool ergebnis = true;
    for (;;) {
        // Pasting may change the children: each round looks again for the first one not done.
        TDataBasis* kind = nullptr;
        auto [von, bis] = inst.GetChildIteratorPair(node);
        for (auto it = von; it != bis && kind == nullptr; ++it) {
            const int32_t handle = it->second.Handle;
            if (erledigt.count(handle) != 0)
                continue;
            erledigt.insert(handle);
            kind = inst.FindHandle(handle);
        }
        if (kind == nullptr)
            return ergebnis;

        TDatenStruktur satz;
        if (DatenFuerKind(daten, *kind, satz)) {
            TDaten eigene;
            if (!KetteSammeln(daten, satz, eigene))
                ergebnis = false;
            if (!kind->Paste(&eigene, text))
                ergebnis = false;
            // An object keeps its flags in ETS: taken only into the record, the check of the
            // next load would set them back.
            if (auto* objekt = dynamic_cast<TEtsObjekt*>(kind); objekt != nullptr && !objekt->DatenAbgleich(true, true))
                ergebnis = false;
            if (TDatenStruktur* record = inst.GetDatenSatz(kind))
                kind->Write(*record);
        } else if (kind->GetTyp() != TEtsObjekt::kTyp) {
            // An object is matched by its identifier, which differs between detectors: one
            // without data keeps what it has.
            ergebnis = false;
        }
        if (!KinderEinfuegen(inst, kind, daten, text, erledigt))
            ergebnis = false;
    }
}

std::string Verbinden(const TStringList& zeilen)
{
    std::string text;
    for (int i = 0; i < zeilen.Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += zeilen[i];
    }
    return text;
}

} // namespace

bool TDeviceInstanzAz::GetCopyData(TDataBasis* node, TStringList& zeilen)
{
    LOG_FKT("TDeviceInstanzAz::GetCopyData");
    if (node == nullptr)
        return true;
    if (node->GetTyp() != AzTyp::Melder || dynamic_cast<TAzMelder*>(node) == nullptr || IstVerdrahtet(*node))
        return false;
    try {
        const TDatenStruktur* kopf = FindDatenSatz(node->GetSystem(), -1, node->GetHandle());
        if (kopf == nullptr)
            return false;
        TStringList neu;
        neu.Add(kopf->GetDatensatzZeile());
        std::set<int32_t> gesehen{kopf->Handle};
        KetteAnhaengen(*this, node->GetSystem(), *kopf, neu, gesehen);
        KinderAnhaengen(*this, node, neu, gesehen);
        for (int i = 0; i < neu.Count(); ++i)
            zeilen.Add(neu[i]);
        return true;
    } catch (const std::exception& e) {
        Meldung(e.what(), kCaptionFehler, MB_OK | MB_ICONERROR);
        return false;
    }
}

void TDeviceInstanzAz::GetAllChildData(TDataBasis* node, TStringList& zeilen)
{
    LOG_FKT("TDeviceInstanzAz::GetAllChildData");
    if (node == nullptr)
        return;
    std::set<int32_t> gesehen{node->GetHandle()};
    KinderAnhaengen(*this, node, zeilen, gesehen);
}

bool TDeviceInstanzAz::PasteDataToAllChilds(TDataBasis* node, TDatenManager<TDatenStruktur>& daten, std::string& text)
{
    LOG_FKT("TDeviceInstanzAz::PasteDataToAllChilds");
    if (node == nullptr)
        return true;
    std::set<int32_t> erledigt{node->GetHandle()};
    return KinderEinfuegen(*this, node, daten, text, erledigt);
}

bool TDeviceInstanzAz::Einfuegen(TDataBasis* ziel, TStringList& zeilen)
{
    LOG_FKT("TDeviceInstanzAz::Einfuegen");
    if (ziel == nullptr || IstVerdrahtet(*ziel))
        return true;
    try {
        const std::string block = Verbinden(zeilen);
        TDaten daten(block.data(), block.size());
        const int typ = ziel->GetTyp();
        const int neueArt = MelderArtImBereich(typ);
        TDatenStruktur gefunden;
        if (!daten.Find("Typ", neueArt >= 0 ? AzTyp::Melder : typ, gefunden)) {
            Meldung(kTextTypFehlt, kCaptionTypFehlt, MB_OK);
            return false;
        }
        bool ergebnis = true;
        TDaten eigene;
        if (!KetteSammeln(daten, gefunden, eigene)) {
            Meldung(kTextTypFehlt, kCaptionTypFehlt, MB_OK);
            ergebnis = false;
        }
        const int kopieArt = gefunden.Param3;
        const int kopieBereich = gefunden.Param4;
        auto abgelehnt = [&] {
            Meldung(kTextAndererBereich, kCaptionAndererBereich, MB_OK);
            ergebnis = false;
        };

        TAzMelder* empfaenger = nullptr;
        bool zielWarSaboSe = false;
        // The target's number leaves the sabotage lists of its area when it stops being a
        // switching device's sabotage input.
        bool saboSeEntfernen = false;
        int32_t zielNr = 0;
        uint8_t zielBereich = 0;
        TAzScharfschaltungSsb* ssb = nullptr;
        if (neueArt >= 0) {
            const int bereich = neueArt == MelderArt::Feuer       ? kBereichFeuer
                                : neueArt == MelderArt::Ueberfall ? kBereichUeberfall
                                                                  : neueArt - MelderArt::Sb1 + 1;
            if (!BereichPasst(bereich, kopieBereich))
                abgelehnt();
            else if ((empfaenger = CreateAzMelderForPaste(GetHost().GetHandle(), ziel, static_cast<uint8_t>(neueArt),
                                                          true)) == nullptr)
                ergebnis = false;
        } else if (auto* melder = dynamic_cast<TAzMelder*>(ziel); melder != nullptr && typ == AzTyp::Melder) {
            const int bereich = melder->GetSicherungsBereichMelder();
            if (!BereichPasst(bereich, kopieBereich)) {
                abgelehnt();
            } else {
                zielNr = melder->GetMelderNr();
                zielBereich = static_cast<uint8_t>(bereich);
                zielWarSaboSe = melder->GetMelderArt() == kArtSaboSe;
                if (IstSicherungsBereich14(bereich) && zielWarSaboSe && kopieArt != kArtSaboSe) {
                    ssb = GetPointerInstScharfschaltungSsb(zielBereich);
                    if (ssb != nullptr && ssb->CheckMelderSaboSeLinked(zielNr) &&
                        Meldung(kTextSaboSe, kCaptionSaboSe, MB_YESNO | MB_ICONQUESTION) != IDYES)
                        return false;
                    saboSeEntfernen = true;
                }
                empfaenger = melder;
            }
        }

        if (empfaenger != nullptr) {
            std::string text;
            if (!empfaenger->Paste(&eigene, text))
                ergebnis = false;
            if (TDatenStruktur* record = GetDatenSatz(empfaenger))
                empfaenger->Write(*record);
            if (!PasteDataToAllChilds(empfaenger, daten, text))
                ergebnis = false;

            if (saboSeEntfernen) {
                if (ssb != nullptr)
                    ssb->UnlinkMelderNrSaboSe(zielNr);
                ClearMelderSaboSeFromList(zielNr, zielBereich);
            }
            if (kopieArt == kArtSaboSe && !zielWarSaboSe)
                SetMelderSaboSeToList(empfaenger->GetMelderNr(),
                                      static_cast<uint8_t>(empfaenger->GetSicherungsBereichMelder()));
        }
        PostMessage(GetHost().GetHandle(), UM_AbgleichFormVerw, 0, 0);
        return ergebnis;
    } catch (const E_DatenManager& e) {
        Meldung(e.Message(), kCaptionFehler, MB_OK | MB_ICONERROR);
    } catch (const E_DatenStruktur& e) {
        Meldung(e.Message(), kCaptionFehler, MB_OK | MB_ICONERROR);
    } catch (const Exception& e) {
        Meldung(e.Message(), kCaptionFehler, MB_OK | MB_ICONERROR);
    } catch (const std::exception& e) {
        Meldung(e.what(), kCaptionFehler, MB_OK | MB_ICONERROR);
    }
    return false;
}
