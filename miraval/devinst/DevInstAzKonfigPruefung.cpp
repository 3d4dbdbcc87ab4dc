// TDeviceInstanzAz: the one gate of a stored configuration that comes from outside the running
// editor (a template, a safety copy, a device file or another device's configuration taken
// over by ETS, the device's own configuration when it is opened). A container passes whole or
// not at all: what passes is what this editor itself would have written for this device, so
// the load, the nodes, ETS and every later store agree with it. Nothing here changes anything;
// ETS is asked only in a write burst that is never stored.

#include "miraval/devinst/DevInstAz.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/EtsTransaction.h"
#include "morrow/EtsDeviceParam.h"
#include "quillon/EtsObjekt.h"
#include "quillon/SprObjektModell.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "win32/CodePage1252.h"

#include <algorithm>
#include <map>
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
        const bool text14 = record.Typ == AzTyp::Melder ||
                            (record.Typ >= AzTyp::ScharfschaltBereich1 &&
                             record.Typ < AzTyp::ScharfschaltBereich1 + TDeviceInstanzAz::kAnzahlBereiche);
        if (text14 && Utf8CharCount(record.String4) > static_cast<std::size_t>(TAzMelder::kMaxTextLaenge))
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

DatenContainer::TContainerStatus TDeviceInstanzAz::KonfigurationPruefen(const std::string& stream, TKonfigLeser leser)
{
    TStore store;
    TImportKetten ketten;
    return KonfigurationPruefen(stream, leser, store, ketten);
}

DatenContainer::TContainerStatus TDeviceInstanzAz::KonfigurationPruefen(const std::string& stream, TKonfigLeser leser,
                                                                       TDatenManager<TDatenStruktur>& store,
                                                                       TImportKetten& ketten)
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
    std::vector<TDatenStruktur> datensaetze;
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
    if (std::string grund = GeraetGrenzen(store, schluessel, static_cast<uint32_t>(device.Param7)); !grund.empty())
        return Abgelehnt(grund);

    // What the load will read back: a record the container cannot hold refuses the file now.
    std::vector<const TDatenStruktur*> zeiger;
    for (const auto& [key, record] : store.Records())
        zeiger.push_back(&record);
    std::string container;
    std::vector<TDatenStruktur> gelesen;
    TContainerStatus status = DatenContainer::WriteContainer(zeiger, GetVersion(), {}, container);
    if (status)
        status = DatenContainer::ReadDatensaetze(container, "", gelesen);
    if (!status)
        return Abgelehnt(status.Text);
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
