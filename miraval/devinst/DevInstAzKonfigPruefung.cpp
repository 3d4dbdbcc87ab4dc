// TDeviceInstanzAz: the one gate of a stored configuration that comes from outside the running
// editor (a template, a safety copy, a device file or another device's configuration taken
// over by ETS, the device's own configuration when it is opened). A container passes whole or
// not at all: what passes is what this editor itself would have written for this device, so
// the load, the nodes, ETS and every later store agree with it. Nothing here changes anything;
// ETS is asked only in a write burst that is never stored. The rule is the program's own
// model, not a list of faults: the new-device code's fixed nodes, and each node class read
// from its record, its grid rows and its write-back.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/EtsTransaction.h"
#include "morrow/EtsDeviceParam.h"
#include "quillon/EtsObjekt.h"
#include "quillon/SprObjektModell.h"
#include "tamsel/Tamsel.h"
#include "pellam/DataBasis.h"
#include "pellam/EibHandle.h"
#include "rastow/DrawGridSE.h"
#include "tessarin/AzAlarmierung.h"
#include "tessarin/AzAnzeige.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzOrdnerAnzeige.h"
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzVerhaltenDurchUegR.h"
#include "tessarin/SprAz.h"
#include "win32/CodePage1252.h"

#include <algorithm>
#include <array>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

using TStore = TDatenManager<TDatenStruktur>;
using DatenContainer::TContainerStatus;

TContainerStatus Abgelehnt(const std::string& grund)
{
    return TContainerStatus::Fehler(grund, Spredit::Txt9154, MB_ICONWARNING);
}

constexpr int32_t kTypFolgeSatz = 2;

// The key of each handle the store holds. False, with the handle, when two records share one:
// the loader would keep only the first of them.
bool HandleSchluessel(const TStore& store, std::map<int32_t, int32_t>& schluessel, int32_t& doppelt)
{
    for (const auto& [key, record] : store.Records()) {
        if (!schluessel.emplace(record.Handle, key).second) {
            doppelt = record.Handle;
            return false;
        }
    }
    return true;
}

// The keys of the head's continuation records in chain order. A continuation is a record of
// Typ 2 under the head (same System, Parent the head's handle); a handle met a second time
// ends the chain. False when Next names any other record or none: following it would take
// another object's record for this one's.
bool Kette(const TStore& store, const std::map<int32_t, int32_t>& schluessel, const TDatenStruktur& kopf,
           std::vector<int32_t>& kette)
{
    std::vector<int32_t> gesehen{kopf.Handle};
    for (int32_t next = kopf.Next; next != 0;) {
        if (std::find(gesehen.begin(), gesehen.end(), next) != gesehen.end())
            break;
        const auto key = schluessel.find(next);
        if (key == schluessel.end())
            return false;
        const TDatenStruktur& glied = store.Records().at(key->second);
        if (glied.Typ != kTypFolgeSatz || glied.System != kopf.System || glied.Parent != kopf.Handle)
            return false;
        gesehen.push_back(next);
        kette.push_back(key->second);
        next = glied.Next;
    }
    return true;
}

// A record as the import's messages name it when it is no object.
std::string SatzText(const TDatenStruktur& record)
{
    return "Handle: " + std::to_string(record.Handle) + " (\"" + record.Name + "\")\nParent: " +
           std::to_string(record.Parent);
}

bool IstNodeTyp(int typ)
{
    return typ == AzTyp::System || (typ >= AzTyp::EditierbareTexte && typ <= AzTyp::DatumUhrzeit);
}

// Whether a record of Typ kind may stand below one of Typ eltern, as the tree shows records:
// below a node only (a record of a type without a node shows nothing below it); a
// communication object holds only the continuation records of its links, which stand nowhere
// else; a detector stands in a security area or in their folder (the wired input).
bool KannHalten(int eltern, int kind)
{
    if (eltern == TEtsObjekt::kTyp)
        return kind == kTypFolgeSatz;
    if (!IstNodeTyp(eltern) || kind == kTypFolgeSatz)
        return false;
    if (kind != AzTyp::Melder)
        return true;
    return eltern == AzTyp::OrdnerSicherungsBereich || eltern == AzTyp::SicherungsBereichFeuer ||
           eltern == AzTyp::SicherungsBereichUeberfall ||
           (eltern >= AzTyp::SicherungsBereich1 && eltern < AzTyp::SicherungsBereich1 + 4);
}

// The key of a record the tree would not show: not below the one device record through
// records that can hold it (a parent missing, of the wrong kind, or a loop). 0 when every
// record is reachable; the store's keys start at 1.
int32_t Unerreichbar(const TStore& store, const std::map<int32_t, int32_t>& schluessel, int32_t geraet)
{
    std::multimap<int32_t, int32_t> kinder;
    for (const auto& [key, record] : store.Records())
        if (key != geraet && schluessel.count(record.Parent) != 0)
            kinder.emplace(record.Parent, key);
    std::set<int32_t> erreicht{geraet};
    std::vector<int32_t> offen{geraet};
    while (!offen.empty()) {
        const TDatenStruktur& eltern = store.Records().at(offen.back());
        offen.pop_back();
        const auto [von, bis] = kinder.equal_range(eltern.Handle);
        for (auto kind = von; kind != bis; ++kind)
            if (KannHalten(eltern.Typ, store.Records().at(kind->second).Typ) && erreicht.insert(kind->second).second)
                offen.push_back(kind->second);
    }
    for (const auto& [key, record] : store.Records())
        if (erreicht.count(key) == 0)
            return key;
    return 0;
}

bool IstBekannterTyp(int typ)
{
    return typ == kTypFolgeSatz || typ == TEtsObjekt::kTyp || IstNodeTyp(typ);
}

// The area of a security or arming area record's type, 1..4; 0 for any other type.
int Bereich(int typ)
{
    if (typ >= AzTyp::SicherungsBereich1 && typ < AzTyp::SicherungsBereich1 + TDeviceInstanzAz::kAnzahlBereiche)
        return typ - AzTyp::SicherungsBereich1 + 1;
    if (typ >= AzTyp::ScharfschaltBereich1 && typ < AzTyp::ScharfschaltBereich1 + TDeviceInstanzAz::kAnzahlBereiche)
        return typ - AzTyp::ScharfschaltBereich1 + 1;
    return 0;
}

// The record type an input of that area kind stands below; 0 for no kind the device has.
int BereichsTyp(int32_t art)
{
    switch (art) {
    case MelderArt::Feuer: return AzTyp::SicherungsBereichFeuer;
    case MelderArt::Ueberfall: return AzTyp::SicherungsBereichUeberfall;
    case MelderArt::Verdrahtet: return AzTyp::OrdnerSicherungsBereich;
    default:
        return art >= MelderArt::Sb1 && art < MelderArt::Sb1 + TDeviceInstanzAz::kAnzahlBereiche
                   ? AzTyp::SicherungsBereich1 + (art - MelderArt::Sb1)
                   : 0;
    }
}

// The inputs, the areas and the texts against the device and its variant (the device
// record's): the reason of the first that does not fit, with the record; empty when all fit.
std::string GeraetGrenzen(const TStore& store, const std::map<int32_t, int32_t>& schluessel, uint32_t variante)
{
    // Too many inputs is said as such, before the numbers they would have to share.
    const auto eingaenge = std::count_if(store.Records().begin(), store.Records().end(),
                                         [](const auto& eintrag) { return eintrag.second.Typ == AzTyp::Melder; });
    if (eingaenge > kMaxEingaenge)
        return Spredit::Txt9228;
    std::set<int32_t> nummern;
    for (const auto& [key, record] : store.Records()) {
        if (const int bereich = Bereich(record.Typ); bereich != 0 && !BereichVorhanden(variante, bereich))
            return Spredit::Txt9230 + "\n" + SatzText(record);
        // An input's text (its row takes any text and refuses a longer one when it is typed);
        // an arming area's text its grid row judges.
        if (record.Typ == AzTyp::Melder &&
            Utf8CharCount(record.String4) > static_cast<std::size_t>(TAzMelder::kMaxTextLaenge))
            return Spredit::Txt9232 + "\n" + SatzText(record);
        if (record.Typ != AzTyp::Melder)
            continue;
        // The wired input is number 0, every other input one of 1..160, each number once.
        const bool verdrahtet = record.Param8 == MelderArt::Verdrahtet;
        const int32_t nummer = record.Param9;
        if ((verdrahtet ? nummer != 0 : (nummer < 1 || nummer > TAzMelder::kMaxMelderNr)) ||
            !nummern.insert(nummer).second)
            return Spredit::Txt9229 + "\n" + SatzText(record);
        const int typ = BereichsTyp(record.Param8);
        const auto eltern = schluessel.find(record.Parent);
        if (typ == 0 || (Bereich(typ) != 0 && !BereichVorhanden(variante, Bereich(typ))) ||
            eltern == schluessel.end() || store.Records().at(eltern->second).Typ != typ)
            return Spredit::Txt9230 + "\n" + SatzText(record);
    }
    return {};
}

// ---- The program's own model ---------------------------------------------------------------------

// What tells a node from its siblings of one type, as TFesterKnoten::Merkmal has it: asked of
// the node read from its record.
int Merkmal(TDataBasis& knoten, const TDatenStruktur& record)
{
    if (auto* alarm = dynamic_cast<TAzAlarmierung*>(&knoten)) {
        T_DB_EnumAzAlarmierung::TEnumAlarmierungTyp typ{};
        return static_cast<int>(alarm->GetAlarmierungTyp(typ));
    }
    if (auto* anzeige = dynamic_cast<TAzAnzeige*>(&knoten)) {
        T_DB_EnumAzAnzeige::TEnumAnzeigeNr nummer{};
        anzeige->GetAnzeigeNr(nummer);
        return static_cast<int>(nummer);
    }
    if (auto* ueg = dynamic_cast<TAzVerhaltenDurchUegR*>(&knoten))
        return static_cast<int>(ueg->GetUeGRBereich());
    if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(&knoten))
        return static_cast<int>(ssb->GetScharfschaltBereich());
    if (auto* quittierung = dynamic_cast<TAzScharfUnscharfQuittierungSsb*>(&knoten))
        return static_cast<int>(quittierung->GetScharfschaltBereich());
    if (record.Typ == AzTyp::Melder)
        return record.Param8 == MelderArt::Verdrahtet ? 1 : 0;
    return 0;
}

bool IstBusEingang(const TDatenStruktur& record)
{
    return record.Typ == AzTyp::Melder && record.Param8 != MelderArt::Verdrahtet;
}

// The first value a node's grid shows that its row cannot take: a number outside its range,
// a choice that is none of the entries offered, a text longer than the field; with the
// row's caption. "-" when every row can show its value. The wired input in the fire or
// hold-up area keeps an area its row does not offer: the node draws it so itself.
std::string GridWert(TDataBasis& knoten, const TDatenStruktur& record)
{
    TDrawGridSE grid;
    knoten.BuildInfoWindow(&grid, nullptr, true, -1, -1);
    const bool verdrahtetAussen =
        record.Typ == AzTyp::Melder && record.Param8 == MelderArt::Verdrahtet && (record.Param4 == 5 || record.Param4 == 6);
    for (int zeile = 0; zeile < grid.RowCount(); ++zeile) {
        const TCell* wert = grid.Cell(1, zeile);
        const TCell* titel = grid.Cell(0, zeile);
        if (wert == nullptr)
            continue;
        bool passt = true;
        switch (wert->Kind) {
        case TCell::ckSpinEdit:
            passt = wert->SpinValue >= wert->SpinMin && wert->SpinValue <= wert->SpinMax;
            break;
        case TCell::ckComboBox:
            passt = wert->ComboStyle != csDropDownList || wert->Items.empty() || wert->ItemIndex >= 0 ||
                    (verdrahtetAussen && wert->RowNr == TAzMelder::rowSicherungsBereich);
            break;
        case TCell::ckEdit:
            passt = wert->MaxLength <= 0 || Utf8CharCount(wert->Text) <= static_cast<std::size_t>(wert->MaxLength);
            break;
        default:
            break;
        }
        if (!passt)
            return titel != nullptr && !titel->Text.empty() ? titel->Text : std::to_string(wert->RowNr);
    }
    return "-";
}

// A value the node's grid does not show, where the node's own operations would have left
// another. A switching device's address is a physical address (16 bits) or none; without
// one it has neither a text nor a sabotage input (its sabotage row is drawn only with an
// address; choosing no address and clearing the device take both away). The caption of
// the row that would change it; "-" when every such value is the node's.
std::string VerborgenerWert(TDataBasis& knoten)
{
    if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(&knoten))
        for (int se = 1; se <= TAzScharfschaltungSsb::kAnzahlSe; ++se) {
            const int32_t adresse = ssb->GetPhysAdrSe(se);
            const bool ohne = adresse == 0 && (ssb->GetMelderNrSaboSe(se) != TAzScharfschaltungSsb::kKeineSabotage ||
                                               !ssb->GetStringPhysAdrSe(se).empty());
            if (adresse < 0 || adresse > 0xFFFF || ohne)
                return SprAz::Txt10362 + std::to_string(se);
        }
    return "-";
}

// A slot no operation changes, holding other than what the program's creator of the node puts
// there. An input's text index (bits 6-12 of its parameter block) and its reserve: the
// new-input code sets them with the area kind, and a paste takes them from an input the
// program made. The tamper contact's block fields (input type, area, text index, detector
// type, active level): only its constructor sets them, its one row is its resistor. The
// device's flag without a row (a device parameter of its own). The record field's name;
// empty when each such slot holds the program's value.
std::string UnveraenderterSlot(const TDatenStruktur& record)
{
    constexpr int kBool3 = 0;
    struct TSlot {
        int typ;
        int param; // kBool3 for Bool3
    };
    static constexpr std::array<TSlot, 8> kSlots{{{AzTyp::Melder, 5},
                                                  {AzTyp::Melder, 7},
                                                  {AzTyp::SabotageKontakt, 4},
                                                  {AzTyp::SabotageKontakt, 5},
                                                  {AzTyp::SabotageKontakt, 6},
                                                  {AzTyp::SabotageKontakt, 7},
                                                  {AzTyp::SabotageKontakt, kBool3},
                                                  {AzTyp::System, kBool3}}};
    if (std::none_of(kSlots.begin(), kSlots.end(), [&record](const TSlot& slot) { return slot.typ == record.Typ; }))
        return {};
    std::unique_ptr<TDataBasis> neu = TDeviceInstanzAz::KnotenFuerSatz(nullptr, record);
    if (!neu)
        return {};
    if (auto* melder = dynamic_cast<TAzMelder*>(neu.get()))
        melder->SetMelderBereich(static_cast<T_DB_EnumAzMelder::TEnumMelder>(record.Param8));
    TDatenStruktur frisch;
    neu->Write(frisch);
    const auto wert = [](const TDatenStruktur& satz, int param) {
        return param == kBool3 ? int32_t{satz.Bool3} : satz.Param(param);
    };
    for (const TSlot& slot : kSlots)
        if (slot.typ == record.Typ && wert(frisch, slot.param) != wert(record, slot.param))
            return slot.param == kBool3 ? std::string("Bool3") : "Param" + std::to_string(slot.param);
    return {};
}

// The sabotage inputs the alignment hands to the arming node of each area (sorted, each
// once): the inputs of the tree that offer themselves to it, so that the arming node's grid
// is drawn as it is in the loaded tree.
std::array<std::list<int32_t>, TDeviceInstanzAz::kAnzahlBereiche> SabotageEingaenge(const TStore& store)
{
    std::array<std::list<int32_t>, TDeviceInstanzAz::kAnzahlBereiche> listen;
    for (const auto& [key, record] : store.Records()) {
        const int bereich = record.Typ == AzTyp::Melder ? SaboSeBereich(record.Param3, record.Param8) : 0;
        if (bereich != 0)
            listen[static_cast<std::size_t>(bereich - 1)].push_back(record.Param9);
    }
    for (auto& liste : listen) {
        liste.sort();
        liste.unique();
    }
    return listen;
}

// An object's link limit where the program sets none.
constexpr int32_t kOhneGrenze = -1;

// The key of the node's own communication object, as the loaded node finds it: its first
// child record that is no continuation (the load orders records by type, then as stored); 0
// when that is no object or there is none.
int32_t EigenesObjekt(const TStore& store, const std::multimap<int32_t, int32_t>& kinder, int32_t handle)
{
    const TDatenStruktur* erstes = nullptr;
    int32_t erster = 0;
    const auto [von, bis] = kinder.equal_range(handle);
    for (auto kind = von; kind != bis; ++kind) {
        const TDatenStruktur& record = store.Records().at(kind->second);
        if (record.Typ != kTypFolgeSatz && (erstes == nullptr || record.Typ < erstes->Typ)) {
            erstes = &record;
            erster = kind->second;
        }
    }
    return erstes != nullptr && erstes->Typ == TEtsObjekt::kTyp ? erster : 0;
}

// The tree against the model: each record of a node class read by its node (as the load
// will), its values those its grid rows can take and kept by the node as they stand; the
// fixed nodes those the new-device code makes for the variant, each once below its parent;
// the inputs where the program makes them, their area as their area kind gives it; each
// object within its link limit and shown by a parameter its node switches. The reason of the
// first that is not so, with the record.
std::string ModellPruefen(const TStore& store, const std::map<int32_t, int32_t>& schluessel,
                          const TDeviceInstanzAz::TImportKetten& ketten, int32_t geraet, uint32_t variante)
{
    const std::vector<TDeviceInstanzAz::TFesterKnoten> fest = TDeviceInstanzAz::FesteKnoten(variante);
    // The place in fest of each record matched, by key; the device record is -1.
    std::map<int32_t, int> platz{{geraet, -1}};
    std::vector<int32_t> belegt(fest.size(), 0);
    // Parents before children: the keys in tree order from the device record.
    std::multimap<int32_t, int32_t> kinder;
    for (const auto& [key, record] : store.Records())
        if (key != geraet)
            kinder.emplace(record.Parent, key);
    std::vector<int32_t> reihe{geraet};
    for (std::size_t i = 0; i < reihe.size(); ++i) {
        const auto [von, bis] = kinder.equal_range(store.Records().at(reihe[i]).Handle);
        for (auto kind = von; kind != bis; ++kind)
            reihe.push_back(kind->second);
    }
    // The area the program gives an input of each area kind; -1 for a kind without one.
    std::array<int32_t, 7> eingangsBereich{};
    TAzMelder muster(nullptr, 0, 0, {}, 0);
    for (int32_t art = 0; art < static_cast<int32_t>(eingangsBereich.size()); ++art)
        eingangsBereich[static_cast<std::size_t>(art)] =
            muster.SetMelderBereich(static_cast<T_DB_EnumAzMelder::TEnumMelder>(art)) ? muster.GetSicherungsBereichMelder()
                                                                                      : -1;
    // Inputs of equal values are judged once: their number, handle, name, parent, position and
    // text take no part in what the grid judges or in what the node keeps (the text row takes
    // any text; its length GeraetGrenzen judges), so one text per detector costs no draws.
    std::vector<TDatenStruktur> gleicheEingaenge;
    // The Merkmal of each fixed node, by handle.
    std::map<int32_t, int> merkmale;
    const auto sabotage = SabotageEingaenge(store);
    // The objects in tree order; the keys and the numbers of those the program limits to one
    // group address (TDeviceInstanzAz::AuswahlGrenze of their nodes).
    std::vector<int32_t> objekte;
    std::set<int32_t> begrenzteSchluessel;
    std::set<int32_t> begrenzteNummern;
    std::vector<TDeviceInstanzAz::TAuswahlGrenze> eingangsGrenzen; // by gleicheEingaenge
    // The displays folder's combined mask is the union of its displays' masks: the folder
    // learns each display's mask when the display changes it, and again after every load.
    TAzOrdnerAnzeige anzeigenOrdner(nullptr, 0, 0, {}, 0);
    int32_t anzeigenOrdnerSatz = 0;
    auto grenzeBegrenzt = [&](int32_t key, const TDeviceInstanzAz::TAuswahlGrenze& grenze) {
        begrenzteNummern.insert(grenze.nummern.begin(), grenze.nummern.end());
        if (grenze.eigenesObjekt)
            if (const int32_t objekt = EigenesObjekt(store, kinder, store.Records().at(key).Handle); objekt != 0)
                begrenzteSchluessel.insert(objekt);
    };
    for (int32_t key : reihe) {
        const TDatenStruktur& record = store.Records().at(key);
        if (record.Typ == kTypFolgeSatz)
            continue;
        if (record.Typ == TEtsObjekt::kTyp) {
            objekte.push_back(key);
            // Shown by a parameter its node switches.
            const TDatenStruktur& knoten = store.Records().at(schluessel.at(record.Parent));
            const auto merkmal = merkmale.find(knoten.Handle);
            const std::vector<int> parameter = TDeviceInstanzAz::ObjektParameter(
                knoten.Typ, merkmal != merkmale.end() ? merkmal->second : 0, knoten.Param9);
            if (std::find(parameter.begin(), parameter.end(), record.Param16) == parameter.end())
                return Spredit::Txt9240 + "\n" + TDeviceInstanzAz::ObjektText(record);
            continue;
        }
        if (IstBusEingang(record)) {
            // Below the area its kind names, a kind the device has (GeraetGrenzen; the area, a
            // parent, was matched to its fixed node before), its area the one the program
            // gives that kind.
            if (record.Param4 != eingangsBereich[static_cast<std::size_t>(record.Param8)])
                return Spredit::Txt9238 + "\n" + SatzText(record);
            TDatenStruktur werte = record;
            werte.Handle = werte.Parent = werte.Param1 = werte.Param9 = 0;
            werte.Name.clear();
            werte.String4.clear();
            if (const auto gleich = std::find(gleicheEingaenge.begin(), gleicheEingaenge.end(), werte);
                gleich != gleicheEingaenge.end()) {
                grenzeBegrenzt(key, eingangsGrenzen[static_cast<std::size_t>(gleich - gleicheEingaenge.begin())]);
                continue;
            }
            gleicheEingaenge.push_back(std::move(werte));
        }
        std::unique_ptr<TDataBasis> knoten = TDeviceInstanzAz::KnotenFuerSatz(nullptr, record);
        if (!knoten)
            continue;
        TDatenStruktur gelesen = record;
        knoten->InitFromDB(gelesen);
        const TDeviceInstanzAz::TAuswahlGrenze grenze = TDeviceInstanzAz::AuswahlGrenze(*knoten);
        grenzeBegrenzt(key, grenze);
        if (IstBusEingang(record))
            eingangsGrenzen.push_back(grenze);
        if (auto* melder = dynamic_cast<TAzMelder*>(knoten.get()))
            melder->SetVarianteAz(variante);
        if (auto* anzeige = dynamic_cast<TAzAnzeige*>(knoten.get())) {
            T_DB_EnumAzAnzeige::TEnumAnzeigeNr nummer{};
            anzeige->GetAnzeigeNr(nummer);
            anzeigenOrdner.ModifyQuittierungMelder(anzeige->GetAnzeigeSsb(), nummer);
        }
        if (record.Typ == AzTyp::OrdnerAnzeige)
            anzeigenOrdnerSatz = key;
        if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(knoten.get()))
            if (const int bereich = ssb->GetScharfschaltBereich(); BereichOk(bereich))
                ssb->UpdateListeMelderNrSaboSeSb(sabotage[static_cast<std::size_t>(bereich - 1)]);
        if (key != geraet && !IstBusEingang(record)) {
            // A fixed node: the one of its type and kind below its parent's place.
            const auto eltern = platz.find(schluessel.at(record.Parent));
            const int merkmal = Merkmal(*knoten, record);
            int gefunden = -1;
            for (std::size_t i = 0; eltern != platz.end() && i < fest.size(); ++i)
                if (fest[i].Eltern == eltern->second && fest[i].Typ == record.Typ && fest[i].Merkmal == merkmal)
                    gefunden = static_cast<int>(i);
            if (gefunden < 0)
                return Spredit::Txt9236 + "\n" + SatzText(record);
            if (belegt[static_cast<std::size_t>(gefunden)] != 0)
                return Spredit::Txt9234 + "\n" + SatzText(record);
            belegt[static_cast<std::size_t>(gefunden)] = key;
            platz[key] = gefunden;
            merkmale[record.Handle] = merkmal;
        }
        for (const std::string& zeile : {GridWert(*knoten, record), VerborgenerWert(*knoten)})
            if (zeile != "-")
                return Spredit::Txt9237 + "\n" + SatzText(record) + "\n" + zeile;
        if (const std::string feld = UnveraenderterSlot(record); !feld.empty())
            return Spredit::Txt9237 + "\n" + SatzText(record) + "\n" + feld;
        // The record is what the node writes into a record as the program makes one (default
        // contents: every slot the node does not keep holds the program's value), drawn as
        // the grid shows it. The device record's address text is ETS's: each opening writes
        // it anew.
        TDatenStruktur zurueck;
        knoten->Write(zurueck);
        if (key == geraet)
            zurueck.String2 = record.String2;
        if (!(zurueck == record))
            return Spredit::Txt9237 + "\n" + SatzText(record);
    }
    if (anzeigenOrdnerSatz != 0) {
        const TDatenStruktur& record = store.Records().at(anzeigenOrdnerSatz);
        TDatenStruktur vereinigt;
        anzeigenOrdner.Write(vereinigt);
        if (vereinigt.Param3 != record.Param3)
            return Spredit::Txt9237 + "\n" + SatzText(record) + "\nParam3";
    }
    // Each link is one record of the chain: the head's own, one per continuation. The limit
    // is the program's (files of older versions hold -1 where the node holds 1); no other
    // operation writes a limit.
    for (int32_t key : objekte) {
        const TDatenStruktur& record = store.Records().at(key);
        auto verknuepft = [](const TDatenStruktur& satz) { return satz.Param14 != 0 || satz.Param15 != 0; };
        int links = verknuepft(record) ? 1 : 0;
        for (int32_t glied : ketten.at(key))
            links += verknuepft(store.Records().at(glied)) ? 1 : 0;
        const bool begrenzt = begrenzteSchluessel.count(key) != 0 || begrenzteNummern.count(record.Param4) != 0;
        if (begrenzt && links > 1)
            return Spredit::Txt9239 + "\n" + TDeviceInstanzAz::ObjektText(record);
        if (record.Param13 != kOhneGrenze && !(begrenzt && record.Param13 == 1))
            return Spredit::Txt9237 + "\n" + TDeviceInstanzAz::ObjektText(record);
    }
    for (std::size_t i = 0; i < fest.size(); ++i)
        if (belegt[i] == 0 && fest[i].Pflicht)
            return Spredit::Txt9235 + "\n\"" + fest[i].Name + "\"";
    return {};
}

} // namespace

std::string TDeviceInstanzAz::ObjektText(const TDatenStruktur& record)
{
    return SprObjektModell::TxtObjektname + ": " + record.Name + "\n" + SprObjektModell::TxtNummer + ": " +
           std::to_string(record.Param4);
}

std::vector<int32_t> TDeviceInstanzAz::ObjektSchluessel(const TDatenManager<TDatenStruktur>& store)
{
    std::vector<int32_t> schluessel;
    for (const auto& [key, record] : store.Records())
        if (record.Typ == TEtsObjekt::kTyp)
            schluessel.push_back(key);
    return schluessel;
}

DatenContainer::TContainerStatus TDeviceInstanzAz::KonfigurationPruefen(const std::string& stream, TKonfigLeser leser,
                                                                       std::vector<TDatenStruktur>* gelesen)
{
    TStore store;
    TImportKetten ketten;
    std::vector<TDatenStruktur> saetze;
    TContainerStatus status = Pruefen(stream, leser, saetze, store, ketten);
    if (status && gelesen != nullptr)
        *gelesen = std::move(saetze);
    return status;
}

DatenContainer::TContainerStatus TDeviceInstanzAz::KonfigurationPruefen(const std::string& stream, TKonfigLeser leser,
                                                                       TDatenManager<TDatenStruktur>& store,
                                                                       TImportKetten& ketten)
{
    std::vector<TDatenStruktur> saetze;
    return Pruefen(stream, leser, saetze, store, ketten);
}

DatenContainer::TContainerStatus TDeviceInstanzAz::Pruefen(const std::string& stream, TKonfigLeser leser,
                                                          std::vector<TDatenStruktur>& datensaetze,
                                                          TDatenManager<TDatenStruktur>& store, TImportKetten& ketten)
{
    LOG_FKT("TDeviceInstanzAz::KonfigurationPruefen");
    ketten.clear();
    // A file cut short is refused before its version is read: a version section without
    // its end would read as no version at all.
    if (TContainerStatus ganz = DatenContainer::PruefeAbschnitte(stream); !ganz)
        return Abgelehnt(ganz.Text);
    // The version check shows its own message.
    if (leser == TKonfigLeser::Datei && !VersionCheck(DatenContainer::ReadVersionValue(stream), true))
        return TContainerStatus::Fehler({}, {}, 0);
    if (TContainerStatus status = DatenContainer::ReadGanzeDatensaetze(stream, datensaetze); !status)
        return Abgelehnt(status.Text);
    int32_t nummer = 1;
    for (const TDatenStruktur& record : datensaetze)
        store.Insert(nummer++, record);

    if (store.Records().empty())
        return Abgelehnt(Spredit::Txt9220);
    std::map<int32_t, int32_t> schluessel;
    if (int32_t doppelt = 0; !HandleSchluessel(store, schluessel, doppelt))
        return Abgelehnt(Spredit::Txt9217 + "\nHandle: " + std::to_string(doppelt));
    // Only handles the handle source hands out: they travel as 16-bit halves of messages.
    for (const auto& [key, record] : store.Records())
        if (record.Handle < 1 || record.Handle > TEibHandle::MaxHandle)
            return Abgelehnt(Spredit::Txt9237 + "\n" + SatzText(record));
    for (const auto& [key, record] : store.Records())
        if (!IstBekannterTyp(record.Typ))
            return Abgelehnt(Spredit::Txt9231 + "\n" + SatzText(record));
    int32_t geraet = 0;
    int geraete = 0;
    for (const auto& [key, record] : store.Records())
        if (record.Typ == AzTyp::System && ++geraete == 1)
            geraet = key;
    if (geraete != 1)
        return Abgelehnt(Spredit::Txt9221);
    // The device record is its System's node: its handle is the System every record carries.
    const TDatenStruktur& device = store.Records().at(geraet);
    for (const auto& [key, record] : store.Records())
        if (record.System != device.Handle)
            return Abgelehnt(Spredit::Txt9225 + "\n" + SatzText(record));
    const std::vector<int32_t> objekte = ObjektSchluessel(store);
    for (int32_t key : objekte)
        if (const TDatenStruktur& kopf = store.Records().at(key); !Kette(store, schluessel, kopf, ketten[key]))
            return Abgelehnt(Spredit::Txt9215 + "\n" + ObjektText(kopf));
    if (const int32_t key = Unerreichbar(store, schluessel, geraet); key != 0)
        return Abgelehnt(Spredit::Txt9222 + "\n" + SatzText(store.Records().at(key)));
    std::set<int32_t> objektNummern;
    for (int32_t key : objekte)
        if (const TDatenStruktur& kopf = store.Records().at(key); !objektNummern.insert(kopf.Param4).second)
            return Abgelehnt(Spredit::Txt9226 + "\n" + ObjektText(kopf));
    const auto variante = static_cast<uint32_t>(device.Param7);
    if (std::string grund = GeraetGrenzen(store, schluessel, variante); !grund.empty())
        return Abgelehnt(grund);
    if (std::string grund = ModellPruefen(store, schluessel, ketten, geraet, variante); !grund.empty())
        return Abgelehnt(grund);
    if (leser == TKonfigLeser::Laden)
        return {};

    // Which objects a parameter's value shows, ETS tells only when the value is written: the
    // values are tried in a burst that is never stored. Each object must be one that its
    // parameter shows on this device, with ETS's type and kind, or it would keep what the
    // file brought (of another device, perhaps) and be linked through it. Without a burst
    // ETS cannot be asked, and the file is not taken unchecked.
    TEtsDeviceParam* zugriff = GetEtsDeviceParam();
    TEtsTransaction probe(GetEts());
    if (!probe.IsOpen() && !objekte.empty())
        return Abgelehnt(Spredit::Txt9233);
    for (int32_t key : objekte) {
        const TDatenStruktur& kopf = store.Records().at(key);
        std::vector<tagDAL_OBJECT_INFO> gezeigt;
        const int code = zugriff == nullptr ? ETS_PARAM_ERROR
                                            : zugriff->SetDeviceParamData(static_cast<int16_t>(kopf.Param16),
                                                                          kopf.Param17, gezeigt);
        const auto eintrag = std::find_if(gezeigt.begin(), gezeigt.end(), [&kopf](const tagDAL_OBJECT_INFO& e) {
            return e.ObjectNumber == kopf.Param4;
        });
        if (code != ETS_PARAM_OK || eintrag == gezeigt.end())
            return Abgelehnt(Spredit::Txt9216 + "\n" + ObjektText(kopf));
        // Stored as the node keeps them: the size code plus one, the kind as a signed byte.
        if (kopf.Param8 != eintrag->ObjectType + 1 || static_cast<int8_t>(kopf.Param7) != eintrag->ObjectKind)
            return Abgelehnt(Spredit::Txt9227 + "\n" + ObjektText(kopf));
    }
    return {};
}
