// The gate of stored configurations from outside: a valid export damaged in each way, at each
// record where the damage applies, is refused by every reader with one box and nothing
// changed; the export itself passes every reader.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "pellam/EibHandle.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"
#include "rastow/DrawGridSE.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

using TSaetze = std::vector<TDatenStruktur>;

std::string Schreibe(const TSaetze& saetze)
{
    std::vector<const TDatenStruktur*> zeiger;
    for (const TDatenStruktur& s : saetze)
        zeiger.push_back(&s);
    std::string container;
    EXPECT_TRUE(DatenContainer::WriteContainer(zeiger, DatenContainer::FormatVersion({}), {}, container).Ok);
    return container;
}

// The container once for each record that passes wo, with that record (its index) changed.
std::vector<std::string> JeSatz(const std::string& container, const std::function<bool(const TDatenStruktur&)>& wo,
                                const std::function<void(TSaetze&, std::size_t)>& aendern)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        if (!wo(saetze[i]))
            continue;
        TSaetze kopie = saetze;
        aendern(kopie, i);
        dateien.push_back(Schreibe(kopie));
    }
    return dateien;
}

// The container once for each record line, with that line's values changed as text.
std::vector<std::string> JeZeile(const std::string& container, const std::function<void(TStringList&)>& aendern)
{
    const std::size_t anfang = container.find("<DB>\r\n") + 6;
    const std::size_t ende = container.find("</DB>");
    std::vector<std::string> dateien;
    for (std::size_t von = anfang, bis; (bis = container.find("\r\n", von)) <= ende; von = bis + 2) {
        TStringList werte;
        werte.SetCommaText(container.substr(von, bis - von));
        aendern(werte);
        dateien.push_back(container.substr(0, von) + werte.CommaText() + container.substr(bis));
    }
    return dateien;
}

// The container cut short at each of its line ends but the last.
std::vector<std::string> JeZeilenende(const std::string& container)
{
    std::vector<std::string> dateien;
    for (std::size_t ende = container.find("\r\n"); ende != std::string::npos && ende + 2 < container.size();
         ende = container.find("\r\n", ende + 2))
        dateien.push_back(container.substr(0, ende + 2));
    return dateien;
}

bool Immer(const TDatenStruktur&)
{
    return true;
}
bool IstObjekt(const TDatenStruktur& s)
{
    return s.Typ == TEtsObjekt::kTyp;
}
bool IstEingang(const TDatenStruktur& s)
{
    return s.Typ == AzTyp::Melder && s.Param8 != MelderArt::Verdrahtet;
}

bool IstKnoten(const TDatenStruktur& s)
{
    return s.Typ != TEtsObjekt::kTyp && s.Typ != 2 && s.Typ != AzTyp::System;
}
// A node the program makes for the device and keeps: every node but the inputs of the areas.
bool IstFest(const TDatenStruktur& s)
{
    return IstKnoten(s) && !IstEingang(s);
}

// The handles of the record with that handle and of every record below it.
// A second record of record i: a fresh handle, below the same parent, no sibling after it.
void ZweiterSatz(TSaetze& r, std::size_t i)
{
    TDatenStruktur zweites = r[i];
    zweites.Handle = 30000;
    zweites.Next = 0;
    r.push_back(zweites);
}

std::set<int32_t> Teilbaum(const TSaetze& saetze, int32_t handle)
{
    std::set<int32_t> baum{handle};
    for (std::size_t vorher = 0; vorher != baum.size();) {
        vorher = baum.size();
        for (const TDatenStruktur& s : saetze)
            if (baum.count(s.Parent) != 0)
                baum.insert(s.Handle);
    }
    return baum;
}

// The container once for each node and each other node of the same parent, the node moved
// below that sibling.
std::vector<std::string> UnterGeschwister(const std::string& container)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i)
        for (const TDatenStruktur& geschwister : saetze)
            if (IstKnoten(saetze[i]) && IstKnoten(geschwister) && geschwister.Parent == saetze[i].Parent &&
                geschwister.Handle != saetze[i].Handle) {
                TSaetze kopie = saetze;
                kopie[i].Parent = geschwister.Handle;
                dateien.push_back(Schreibe(kopie));
            }
    return dateien;
}

// The container once for each record that passes wo and each value, Param(slot) of that
// record set to the value where it is not its own.
std::vector<std::string> JeWert(const std::string& container, const std::function<bool(const TDatenStruktur&)>& wo,
                                int slot, const std::vector<int32_t>& werte)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i)
        for (int32_t wert : werte)
            if (wo(saetze[i]) && saetze[i].Param(slot) != wert) {
                TSaetze kopie = saetze;
                kopie[i].Param(slot) = wert;
                dateien.push_back(Schreibe(kopie));
            }
    return dateien;
}

// The container once for each node kind and each slot its node does not keep, which no
// operation changes: that slot set to a value the program never writes.
std::vector<std::string> UngenutzterSlot(const std::string& container)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    constexpr int32_t kFremd = 30001;
    std::set<int> typen;
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        if (IstObjekt(saetze[i]) || saetze[i].Typ == 2 || !typen.insert(saetze[i].Typ).second)
            continue;
        for (int slot = 1; slot <= TDatenStruktur::kParamCount; ++slot) {
            TSaetze kopie = saetze;
            kopie[i].Param(slot) = kFremd;
            TDatenStruktur gelesen = kopie[i];
            std::unique_ptr<TDataBasis> knoten = TDeviceInstanzAz::KnotenFuerSatz(nullptr, gelesen);
            if (!knoten)
                break;
            knoten->InitFromDB(gelesen);
            TDatenStruktur frisch;
            knoten->Write(frisch);
            if (frisch.Param(slot) != kFremd)
                dateien.push_back(Schreibe(kopie));
        }
    }
    return dateien;
}

// The value cells of the grid the node of the record draws.
std::vector<TCell> Zeilen(TDatenStruktur satz, uint32_t variante)
{
    std::unique_ptr<TDataBasis> knoten = TDeviceInstanzAz::KnotenFuerSatz(nullptr, satz);
    std::vector<TCell> zellen;
    if (!knoten)
        return zellen;
    knoten->InitFromDB(satz);
    if (auto* melder = dynamic_cast<TAzMelder*>(knoten.get()))
        melder->SetVarianteAz(variante);
    TDrawGridSE grid;
    knoten->BuildInfoWindow(&grid, nullptr, true, -1, -1);
    for (int zeile = 0; zeile < grid.RowCount(); ++zeile)
        zellen.push_back(grid.Cell(1, zeile) != nullptr ? *grid.Cell(1, zeile) : TCell{});
    return zellen;
}

// The container once for each grid row of each node and each side of the row's range: found
// from the node classes themselves, by setting each record slot just outside the range of each
// row and keeping what changes that row alone (a number beyond its limits, a choice of none
// of the entries).
std::vector<std::string> JeGridZeile(const std::string& container)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    uint32_t variante = 0;
    for (const TDatenStruktur& s : saetze)
        if (s.Typ == AzTyp::System)
            variante = static_cast<uint32_t>(s.Param7);
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        const std::vector<TCell> vorher = Zeilen(saetze[i], variante);
        std::set<int32_t> werte;
        for (const TCell& z : vorher) {
            if (z.Kind == TCell::ckSpinEdit)
                werte.insert({z.SpinMin - 1, z.SpinMax + 1});
            if (z.Kind == TCell::ckComboBox && z.ComboStyle == csDropDownList && z.ItemIndex >= 0)
                for (const TComboWert& eintrag : z.Items)
                    werte.insert(eintrag.Wert + 1);
        }
        std::set<int> gefunden; // each row once per side
        for (int slot = 1; slot <= TDatenStruktur::kParamCount; ++slot)
            for (int32_t wert : werte) {
                TSaetze kopie = saetze;
                kopie[i].Param(slot) = wert;
                const std::vector<TCell> nachher = Zeilen(kopie[i], variante);
                if (nachher.size() != vorher.size())
                    continue;
                int geaendert = -1;
                int anzahl = 0;
                for (std::size_t z = 0; z < vorher.size(); ++z)
                    if (!(nachher[z] == vorher[z])) {
                        geaendert = static_cast<int>(z);
                        ++anzahl;
                    }
                if (anzahl != 1)
                    continue;
                const TCell& z = nachher[static_cast<std::size_t>(geaendert)];
                const bool draussen = z.Kind == TCell::ckSpinEdit ? (z.SpinValue < z.SpinMin || z.SpinValue > z.SpinMax)
                                                                  : z.Kind == TCell::ckComboBox && z.ItemIndex < 0;
                const int seite = geaendert * 2 + (z.Kind == TCell::ckSpinEdit && z.SpinValue > z.SpinMax ? 1 : 0);
                if (draussen && gefunden.insert(seite).second)
                    dateien.push_back(Schreibe(kopie));
            }
    }
    return dateien;
}

// The container once for each object whose node has a link limit (by object number), its
// record keeping that limit (or, as files of older versions do, none: -1) and linked once
// beyond it.
std::vector<std::string> UeberLimit(const std::string& container, const std::map<int32_t, int>& grenzen, bool alt)
{
    return JeSatz(
        container, [&grenzen](const TDatenStruktur& s) { return IstObjekt(s) && grenzen.count(s.Param4) != 0; },
        [&grenzen, alt](TSaetze& r, std::size_t i) {
            r[i].Param13 = alt ? -1 : grenzen.at(r[i].Param4);
            int32_t next = r[i].Next;
            if (r[i].Param15 == 0) {
                r[i].Param14 = 77;
                r[i].Param15 = 0x0901;
            }
            for (int32_t n = 0; n < grenzen.at(r[i].Param4); ++n) {
                TDatenStruktur glied;
                glied.Handle = 31000 + n;
                glied.Typ = 2;
                glied.System = r[i].System;
                glied.Parent = r[i].Handle;
                glied.Next = next;
                glied.Param14 = 78 + n;
                glied.Param15 = 0x0902 + n;
                next = glied.Handle;
                r.push_back(glied);
            }
            r[i].Next = next;
        });
}

// The device's parameter values in ETS, in id order.
std::vector<std::pair<int32_t, int32_t>> Parameter(TEts2Cdi& ets)
{
    std::vector<std::pair<int32_t, int32_t>> werte;
    DAL_DEVICE_PARAM p;
    for (int m = DAL_MODE_FIRST; ets.DalGetDeviceParamData(m, -1, kDemoAlarmCentreId, &p) == DAL_OK;
         m = DAL_MODE_NEXT)
        werte.emplace_back(+p.DeviceParamId, +p.Value);
    return werte;
}

struct KonfigPruefung : ::testing::Test {
    KonfigPruefung()
    {
        project.Sql(DemoProjectSql());
        EXPECT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
        // A second input in area 1, so that inputs can share a number.
        TDataBasis* bereich = nullptr;
        for (const auto& [handle, node] : quelle.inst.GetKnoten())
            if (node->GetTyp() == AzTyp::SicherungsBereich1)
                bereich = node.get();
        EXPECT_TRUE(quelle.inst.CreateAzMelder(quelle.host.GetHandle(), bereich, MelderArt::Sb1, false));
        EXPECT_TRUE(quelle.inst.WriteBlob());
        EXPECT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &export_).Ok);
    }
    // The link limits of the device's objects that have one, by object number.
    std::map<int32_t, int> Grenzen() const
    {
        std::map<int32_t, int> grenzen;
        for (const auto& [handle, node] : quelle.inst.GetKnoten())
            if (auto* objekt = dynamic_cast<TEtsObjekt*>(node.get()); objekt && objekt->GetNumberSelectableGrpAdr() > 0)
                grenzen[objekt->GetObjektNr()] = objekt->GetNumberSelectableGrpAdr();
        return grenzen;
    }
    std::string Gespeichert()
    {
        const uint8_t* puffer = nullptr;
        uint32_t laenge = 0;
        EXPECT_TRUE(project.ets.BlobRead(puffer, laenge, kDemoAlarmCentreId));
        return std::string(reinterpret_cast<const char*>(puffer), laenge);
    }

    TEtsTestProject project{false};
    TScriptedMessageBox boxen{IDOK};
    TAzGeraet quelle{project.ets, kDemoAlarmCentreId};
    std::string export_;
};

// Every reader of a stored configuration from outside, on the loaded demo device: whether it
// took the container.
struct TLeser {
    const char* name;
    bool mitEts; // whether the reader asks ETS about the objects
    std::function<bool(KonfigPruefung&, const std::string&)> lesen;
};
const TLeser kLeser[] = {
    {"template import", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoImport(d, false); }},
    {"safety copy restore", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoImport(d, true); }},
    {"ETS import", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoCdiImport(d, nullptr); }},
    {"ETS copy", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoCdiCopy(d, true, nullptr); }},
    {"opening", false,
     [](KonfigPruefung& t, const std::string& d) {
         const std::string vorher = t.Gespeichert();
         EXPECT_TRUE(t.project.ets.BlobWrite(d.data(), static_cast<uint32_t>(d.size()), kDemoAlarmCentreId));
         TAzGeraet geoeffnet{t.project.ets, kDemoAlarmCentreId};
         const bool ok = geoeffnet.inst.GetDataFromServer(geoeffnet.host.GetHandle(), false);
         EXPECT_TRUE(t.project.ets.BlobWrite(vorher.data(), static_cast<uint32_t>(vorher.size()), kDemoAlarmCentreId));
         return ok;
     }},
};

TEST_F(KonfigPruefung, EachDamageAtEachRecordIsRefusedByEveryReaderWithNothingChanged)
{
    const std::string& e = export_;
    const struct {
        const char* name;
        std::vector<std::string> gruende; // what the box may say below "Die Datei ist fehlerhaft ..."
        bool nurMitEts;           // found only by asking ETS
        std::vector<std::string> dateien;
    } faelle[] = {
        {"the file cut at a line end", {Spredit::Txt9218}, false, JeZeilenende(e)},
        {"a number field reading sechs", {Spredit::Txt9224}, false, JeZeile(e, [](TStringList& w) { w[14] = "sechs"; })},
        {"a number field reading 6x", {Spredit::Txt9224}, false, JeZeile(e, [](TStringList& w) { w[3] = w[3] + "x"; })},
        {"a value removed", {Spredit::Txt9219}, false, JeZeile(e, [](TStringList& w) { w.Delete(10); })},
        {"a handle the handle source never gives", {Spredit::Txt9237}, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].Handle = i % 2 == 0 ? TEibHandle::MaxHandle + 1 : 0; })},
        {"a handle another record's", {Spredit::Txt9217}, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].Handle = r[i == 0 ? 1 : i - 1].Handle; })},
        {"a second device record", {Spredit::Txt9221}, false,
         JeSatz(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::System; },
                [](TSaetze& r, std::size_t i) {
                    TDatenStruktur zweites = r[i];
                    zweites.Handle = 30000;
                    r.push_back(zweites);
                })},
        {"the device record's handle not its records' System", {Spredit::Txt9225}, false,
         JeSatz(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::System; },
                [](TSaetze& r, std::size_t i) { r[i].Handle = 30000; })},
        {"a System not the device record's handle", {Spredit::Txt9225}, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].System += 1; })},
        {"an object in two records", {Spredit::Txt9226}, false,
         JeSatz(e, IstObjekt,
                ZweiterSatz)},
        {"an object's type not ETS's", {Spredit::Txt9227}, true,
         JeSatz(e, IstObjekt, [](TSaetze& r, std::size_t i) { r[i].Param8 += 1; })},
        {"an object's kind not ETS's", {Spredit::Txt9227}, true,
         JeSatz(e, IstObjekt, [](TSaetze& r, std::size_t i) { r[i].Param7 += 1; })},
        {"more inputs than the device has", {Spredit::Txt9228}, false,
         JeSatz(e, IstEingang,
                [](TSaetze& r, std::size_t i) {
                    for (int32_t n = 0; n < kMaxEingaenge; ++n) {
                        TDatenStruktur mehr = r[i];
                        mehr.Handle = 31000 + n;
                        r.push_back(mehr);
                    }
                })},
        {"two inputs of one number", {Spredit::Txt9229}, false,
         JeSatz(e, IstEingang,
                [](TSaetze& r, std::size_t i) {
                    for (const TDatenStruktur& s : r)
                        if (IstEingang(s) && s.Handle != r[i].Handle)
                            r[i].Param9 = s.Param9;
                })},
        {"an input number beyond the device's", {Spredit::Txt9229}, false,
         JeSatz(e, IstEingang, [](TSaetze& r, std::size_t i) { r[i].Param9 = TDeviceInstanzAz::kMaxMelderNr + 1; })},
        {"an input of an area the variant lacks", {Spredit::Txt9230}, false,
         JeSatz(e, IstEingang, [](TSaetze& r, std::size_t i) { r[i].Param8 = MelderArt::Sb1 + 2; })},
        {"a security or arming area the variant lacks", {Spredit::Txt9230}, false,
         JeSatz(e,
                [](const TDatenStruktur& s) {
                    return s.Typ == AzTyp::SicherungsBereich1 || s.Typ == AzTyp::ScharfschaltBereich1;
                },
                [](TSaetze& r, std::size_t i) { r[i].Typ += 2; })},
        {"a record type the program does not know", {Spredit::Txt9231}, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].Typ = 6199; })},
        {"a text longer than the device holds", {Spredit::Txt9232, Spredit::Txt9237}, false,
         JeSatz(e,
                [](const TDatenStruktur& s) { return s.Typ == AzTyp::Melder || s.Typ == AzTyp::ScharfschaltBereich1; },
                [](TSaetze& r, std::size_t i) { r[i].String4 = std::string(5000, 'x'); })},
        // From the model: every node the program makes once, twice, missing, below a sibling.
        {"a fixed node twice", {Spredit::Txt9234, Spredit::Txt9229}, false,
         JeSatz(e, IstFest,
                ZweiterSatz)},
        {"a fixed node missing, with what is below it", {Spredit::Txt9235}, false,
         JeSatz(e, IstFest,
                [](TSaetze& r, std::size_t i) {
                    const std::set<int32_t> weg = Teilbaum(r, r[i].Handle);
                    std::erase_if(r, [&weg](const TDatenStruktur& s) { return weg.count(s.Handle) != 0; });
                })},
        {"a node below a sibling", {Spredit::Txt9236, Spredit::Txt9222, Spredit::Txt9230}, false, UnterGeschwister(e)},
        {"a grid row's value just outside what it can take", {Spredit::Txt9237}, false, JeGridZeile(e)},
        {"a slot no node keeps holding a value", {Spredit::Txt9237, Spredit::Txt9236, Spredit::Txt9229}, false,
         UngenutzterSlot(e)},
        {"a switching device without an address with a sabotage input or a text, or an address no device has",
         {Spredit::Txt9237}, false,
         [&e] {
             std::vector<std::string> dateien;
             for (int fall = 0; fall < 3; ++fall)
                 for (std::string& d : JeSatz(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::ScharfschaltungSsb; },
                                              [fall](TSaetze& r, std::size_t i) {
                                                  if (fall == 0)
                                                      r[i].Param10 = 1;
                                                  else if (fall == 1)
                                                      r[i].String1 = "1.1.10 Schlüsselschalter";
                                                  else
                                                      r[i].Param5 = 0x10000;
                                              }))
                     dateien.push_back(std::move(d));
             return dateien;
         }()},
        {"an input's area number not its area's", {Spredit::Txt9238}, false,
         JeWert(e, IstEingang, 4, {1, 2, 3, 300})},
        {"an input's area kind not its area's", {Spredit::Txt9230, Spredit::Txt9229}, false,
         JeWert(e, IstEingang, 8, {0, 1, 2, 3, 4, 5, 6, 300})},
        {"an input's type none it can have", {Spredit::Txt9237}, false, JeWert(e, IstEingang, 3, {99, 300})},
        {"an input's text index or reserve, a tamper contact's block field or the device's flag not the program's",
         {Spredit::Txt9237}, false,
         [&e] {
             const auto vom = [](int typ) { return [typ](const TDatenStruktur& s) { return s.Typ == typ; }; };
             std::vector<std::string> dateien;
             for (const auto& [typ, slot] : std::vector<std::pair<int, int>>{{AzTyp::Melder, 5},
                                                                             {AzTyp::Melder, 7},
                                                                             {AzTyp::SabotageKontakt, 4},
                                                                             {AzTyp::SabotageKontakt, 5},
                                                                             {AzTyp::SabotageKontakt, 6},
                                                                             {AzTyp::SabotageKontakt, 7}})
                 for (std::string& d : JeWert(e, vom(typ), slot, {2, 127}))
                     dateien.push_back(std::move(d));
             for (int typ : {AzTyp::SabotageKontakt, AzTyp::System})
                 for (std::string& d : JeSatz(e, vom(typ), [](TSaetze& r, std::size_t i) { r[i].Bool3 = !r[i].Bool3; }))
                     dateien.push_back(std::move(d));
             return dateien;
         }()},
        {"the displays folder's mask not the union of its displays'", {Spredit::Txt9237}, false,
         JeWert(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::OrdnerAnzeige; }, 3, {0, 0x4000})},
        {"an object linked beyond its limit", {Spredit::Txt9239}, false, UeberLimit(e, Grenzen(), false)},
        {"an object linked beyond its limit, stored without it", {Spredit::Txt9239}, false,
         UeberLimit(e, Grenzen(), true)},
        {"an object given a limit the program does not give it", {Spredit::Txt9237}, false,
         JeSatz(e, [g = Grenzen()](const TDatenStruktur& s) { return IstObjekt(s) && g.count(s.Param4) == 0; },
                [](TSaetze& r, std::size_t i) { r[i].Param13 = 1; })},
        {"an object below another node than its own", {Spredit::Txt9240, Spredit::Txt9222}, false,
         JeSatz(e, IstObjekt,
                [](TSaetze& r, std::size_t i) {
                    // The node of the next object of another node.
                    for (std::size_t n = 1; n < r.size(); ++n)
                        if (const TDatenStruktur& s = r[(i + n) % r.size()]; IstObjekt(s) && s.Parent != r[i].Parent) {
                            r[i].Parent = s.Parent;
                            return;
                        }
                })},
    };
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    const auto parameter = Parameter(project.ets);
    const std::string gespeichert = Gespeichert();
    for (const auto& f : faelle) {
        ASSERT_FALSE(f.dateien.empty()) << f.name;
        for (const TLeser& leser : kLeser) {
            if (f.nurMitEts && !leser.mitEts)
                continue;
            SCOPED_TRACE(std::string(f.name) + ", " + leser.name);
            for (std::size_t i = 0; i < f.dateien.size(); ++i) {
                SCOPED_TRACE("case " + std::to_string(i));
                TScriptedMessageBox ok{IDOK};
                EXPECT_FALSE(leser.lesen(*this, f.dateien[i]));
                ASSERT_EQ(ok.Count(), 1u) << (ok.Count() > 0 ? ok.Shown()[0].text : "");
                const std::string& text = ok.Shown()[0].text;
                EXPECT_TRUE(std::any_of(f.gruende.begin(), f.gruende.end(), [&text](const std::string& grund) {
                    return text.rfind(Spredit::Txt9214 + "\n" + grund, 0) == 0;
                })) << text;
            }
            // A change would stay: once for all the cases is enough.
            ASSERT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
            ASSERT_EQ(Parameter(project.ets), parameter);
            ASSERT_EQ(Gespeichert(), gespeichert);
        }
    }
}

TEST_F(KonfigPruefung, TheProgramsOwnExportPassesEveryReader)
{
    for (const TLeser& leser : kLeser) {
        SCOPED_TRACE(leser.name);
        TScriptedMessageBox ok{IDOK};
        EXPECT_TRUE(leser.lesen(*this, export_));
        EXPECT_EQ(ok.Count(), 0u) << (ok.Count() > 0 ? ok.Shown()[0].text : "");
        EXPECT_EQ(quelle.Nummern(), EtsSichtbar(project.ets, kDemoAlarmCentreId));
    }
}

// Every reader takes the container with no box but the program's own questions (a template
// taken without its links asks whether the switching devices, on no address now, go).
void NimmtJederLeser(KonfigPruefung& t, const std::string& container)
{
    for (const TLeser& leser : kLeser) {
        SCOPED_TRACE(leser.name);
        TScriptedMessageBox ok{IDNO};
        EXPECT_TRUE(leser.lesen(t, container));
        for (const TShownBox& box : ok.Shown())
            EXPECT_EQ(box.flags & 0xF, static_cast<UINT>(MB_YESNO)) << box.text;
    }
}

TEST_F(KonfigPruefung, ANewDeviceOfEachVariantExportedPassesEveryReader)
{
    for (const uint32_t variante : {0x00000000u, 0x11330000u, 0x113344CCu, 0x110044CCu, 0x112244CCu, 0x11000000u,
                                    0x11220000u, 0x11224400u, 0x11224488u, 0x11000098u, 0x112200B8u, 0x112244F8u,
                                    0x112244B8u, 0x11004498u, 0x11224498u}) {
        SCOPED_TRACE(TAzSystem::GetTextVarianteAz(variante));
        ASSERT_TRUE(quelle.inst.CreateNewDevice(quelle.host.GetHandle(), variante));
        std::string neu;
        ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &neu).Ok);
        NimmtJederLeser(*this, neu);
    }
}

// The edits a person can make, each on the demo device as the edits before it left it, through
// the editor's own operations and the nodes' own grid rows; the device exported after each
// (read as template, safety copy, by ETS and when opened) passes every reader.
TEST_F(KonfigPruefung, TheDemoDeviceAfterEachEditAPersonCanMakePassesEveryReader)
{
    TDeviceInstanzAz& inst = quelle.inst;
    const HWND owner = quelle.host.GetHandle();
    auto knoten = [&inst](const std::function<bool(TDataBasis&)>& wo) {
        std::vector<TDataBasis*> gefunden;
        for (const auto& [handle, node] : inst.GetKnoten())
            if (wo(*node))
                gefunden.push_back(node.get());
        return gefunden;
    };
    auto bereiche = [&] {
        return knoten([](TDataBasis& n) {
            return n.GetTyp() == AzTyp::SicherungsBereichFeuer || n.GetTyp() == AzTyp::SicherungsBereichUeberfall ||
                   (n.GetTyp() >= AzTyp::SicherungsBereich1 && n.GetTyp() < AzTyp::SicherungsBereich1 + 4);
        });
    };
    auto art = [](int typ) {
        return static_cast<uint8_t>(typ == AzTyp::SicherungsBereichFeuer      ? MelderArt::Feuer
                                    : typ == AzTyp::SicherungsBereichUeberfall ? MelderArt::Ueberfall
                                                                               : MelderArt::Sb1 + (typ - AzTyp::SicherungsBereich1));
    };
    // Each row of each node's grid set as waehle picks among the row's values (true: the
    // largest, the last entry, the longest text), through the grid as a person does.
    auto jedeZeile = [&](bool groesste) {
        for (TDataBasis* node : knoten([](TDataBasis& n) { return dynamic_cast<TEtsObjekt*>(&n) == nullptr; }))
            for (int zeile = 0;; ++zeile) {
                TDrawGridSE grid;
                node->BuildInfoWindow(&grid, nullptr, true, -1, -1);
                if (zeile >= grid.RowCount())
                    break;
                const TCell* z = grid.Cell(1, zeile);
                if (z == nullptr || !z->Enabled)
                    continue;
                if (z->Kind == TCell::ckSpinEdit)
                    grid.SpinTo(zeile, groesste ? z->SpinMax : z->SpinMin);
                else if (z->Kind == TCell::ckComboBox && z->ComboStyle == csDropDownList && !z->Items.empty())
                    grid.SelectComboItem(zeile, groesste ? static_cast<int>(z->Items.size()) - 1 : 0);
                else if (z->Kind == TCell::ckEdit && z->MaxLength > 0)
                    grid.TypeText(zeile, std::string(static_cast<std::size_t>(groesste ? z->MaxLength : 1), 'W'));
                else if (z->Kind == TCell::ckComboBox && z->RowNr == TAzMelder::rowMelderText)
                    grid.TypeText(zeile, std::string(groesste ? TAzMelder::kMaxTextLaenge : 1, 'W'));
                else
                    continue;
                grid.ExitCell();
            }
    };
    const struct {
        const char* name;
        std::function<void()> bearbeiten;
    } schritte[] = {
        {"inputs added in each area",
         [&] {
             for (TDataBasis* bereich : bereiche())
                 ASSERT_TRUE(inst.CreateAzMelder(owner, bereich, art(bereich->GetTyp()), false));
         }},
        {"an input deleted in each area",
         [&] {
             for (TDataBasis* bereich : bereiche()) {
                 const auto eingaenge = knoten(
                     [bereich](TDataBasis& n) { return dynamic_cast<TAzMelder*>(&n) && n.GetParentHandle() == bereich->GetHandle(); });
                 ASSERT_FALSE(eingaenge.empty());
                 ASSERT_TRUE(inst.DeleteAzMelder(eingaenge.front()));
             }
         }},
        {"every grid row at its largest", [&] { jedeZeile(true); }},
        {"every grid row at its smallest", [&] { jedeZeile(false); }},
        // Behind the dialog rows: security area 1's input reports the sabotage of arming area
        // 1's first switching device, chosen among the devices on its arming address.
        {"a switching device with its sabotage input",
         [&] {
             TObjektBasis* scharf = inst.GetObjectFromObjectNr(ObjektNr::KomScharfschaltWunsch(1));
             ASSERT_NE(scharf, nullptr);
             for (const auto& [id, sub] : inst.GetSubGroupMap()) {
                 if (sub->GetKomplettGrpAdr() == 1 * 2048 + 0 * 256 + 1) {
                     ASSERT_TRUE(inst.LinkToSubGroup(id, scharf->GetHandle(), true));
                 }
             }
             const auto eingaenge = knoten([](TDataBasis& n) {
                 auto* melder = dynamic_cast<TAzMelder*>(&n);
                 return melder != nullptr && melder->GetMelderBereich() == MelderArt::Sb1;
             });
             ASSERT_FALSE(eingaenge.empty());
             auto* eingang = static_cast<TAzMelder*>(eingaenge.front());
             auto waehle = [](TDataBasis& node, int rowNr, int32_t wert) {
                 TDrawGridSE grid;
                 node.BuildInfoWindow(&grid, nullptr, true, -1, -1);
                 const int zeile = grid.FindRow(rowNr);
                 ASSERT_GE(zeile, 0) << rowNr;
                 const auto& items = grid.Cell(1, zeile)->Items;
                 const auto eintrag =
                     std::find_if(items.begin(), items.end(), [wert](const TComboWert& e) { return e.Wert == wert; });
                 ASSERT_NE(eintrag, items.end()) << rowNr << ": " << wert;
                 ASSERT_TRUE(grid.SelectComboItem(zeile, static_cast<int>(eintrag - items.begin())));
                 grid.ExitCell();
             };
             waehle(*eingang, TAzMelder::rowMelderArt, kMelderArtSabotageSe);
             TAzScharfschaltungSsb* ssb = inst.GetPointerInstScharfschaltungSsb(1);
             ASSERT_NE(ssb, nullptr);
             auto adresseWaehlen = [&] {
                 TDrawGridSE grid;
                 ssb->BuildInfoWindow(&grid, nullptr, true, -1, -1);
                 ASSERT_TRUE(grid.ClickEllipsis(grid.FindRow(TAzScharfschaltungSsb::rowPhysAdrSe1)));
             };
             // Once to see the devices offered, once to take the first.
             quelle.host.dlgAntwort = IDCANCEL;
             adresseWaehlen();
             ASSERT_FALSE(quelle.host.dlgGeraete.empty());
             quelle.host.dlgAuswahl = quelle.host.dlgGeraete.front();
             quelle.host.dlgAntwort = IDOK;
             adresseWaehlen();
             quelle.host.dlgAntwort = IDCANCEL;
             waehle(*ssb, TAzScharfschaltungSsb::rowSaboSe1, eingang->GetMelderNr());
             ASSERT_EQ(ssb->GetMelderNrSaboSe(1), eingang->GetMelderNr());
         }},
        {"links at each object's limit",
         [&] {
             std::vector<int32_t> adressen;
             for (const auto& [id, sub] : inst.GetSubGroupMap())
                 adressen.push_back(id);
             // An object without a limit: two links. Addresses of another type are refused.
             for (TDataBasis* node : knoten([](TDataBasis& n) { return dynamic_cast<TEtsObjekt*>(&n) != nullptr; })) {
                 auto* objekt = static_cast<TEtsObjekt*>(node);
                 const std::size_t grenze =
                     objekt->GetNumberSelectableGrpAdr() > 0 ? static_cast<std::size_t>(objekt->GetNumberSelectableGrpAdr()) : 2;
                 for (std::size_t n = 0; n < adressen.size() && objekt->GetSubGroupLinks().size() < grenze; ++n)
                     inst.LinkToSubGroup(adressen[n], objekt->GetHandle(), true);
             }
         }},
    };
    std::string vorher = export_;
    for (const auto& schritt : schritte) {
        SCOPED_TRACE(schritt.name);
        schritt.bearbeiten();
        ASSERT_TRUE(inst.WriteBlob());
        std::string bearbeitet;
        ASSERT_TRUE(inst.CopyStrukturDatenToDB(nullptr, &bearbeitet).Ok);
        EXPECT_NE(bearbeitet, vorher) << "the edit changed nothing";
        NimmtJederLeser(*this, bearbeitet);
        vorher = bearbeitet;
    }
}

// Another program holds the store, so no burst can be opened to ask ETS which objects the
// parameters show: the file is refused, not taken unchecked.
TEST_F(KonfigPruefung, WithoutAWriteBurstTheObjectsCannotBeCheckedAndTheFileIsRefused)
{
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    TScriptedMessageBox ok{IDOK};
    {
        TOtherProgram other(project.file);
        other.Sql("BEGIN IMMEDIATE");
        EXPECT_FALSE(quelle.inst.VireoImport(export_, true));
        other.Sql("ROLLBACK");
    }
    ASSERT_EQ(ok.Count(), 1u);
    EXPECT_EQ(ok.Shown()[0].text, Spredit::Txt9214 + "\n" + Spredit::Txt9233);
    EXPECT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
}

// ETS showing an object no more between the check and the import's object stage: the stage's
// own guard stops the import, and ETS and the device are as they were.
TEST_F(KonfigPruefung, AnObjectEtsNoLongerShowsAtTheObjectStageUndoesTheImport)
{
    TSaetze saetze;
    ASSERT_TRUE(DatenContainer::ReadDatensaetze(export_, "", saetze).Ok);
    const auto objekt = std::find_if(saetze.begin(), saetze.end(), IstObjekt);
    ASSERT_NE(objekt, saetze.end());
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    quelle.host.beimFortschritt = [&](const std::string& text) {
        if (text.ends_with(Spredit::Txt9157))
            project.Sql("DELETE FROM parameter_shows WHERE comm_object_id IN (SELECT id FROM comm_object WHERE number = " +
                        std::to_string(objekt->Param4) + ")");
    };
    TScriptedMessageBox ok{IDOK};
    EXPECT_FALSE(quelle.inst.VireoImport(export_, true));
    ASSERT_EQ(ok.Count(), 2u);
    EXPECT_EQ(ok.Shown()[0].text, Spredit::Txt9216 + "\n" + TDeviceInstanzAz::ObjektText(*objekt));
    EXPECT_EQ(ok.Shown()[1].text, Spredit::Txt9214);
    EXPECT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
}

// ETS's import and copy of a file the gate takes, whose conversion then fails (ETS hides an
// object the file's parameters show): the device stays as it was, in memory and in ETS, and
// the next store writes what it held before, not the file.
TEST_F(KonfigPruefung, AnImportWhoseConversionFailsLeavesTheDeviceAsItWas)
{
    TSaetze saetze;
    ASSERT_TRUE(DatenContainer::ReadDatensaetze(export_, "", saetze).Ok);
    const auto objekt = std::find_if(saetze.begin(), saetze.end(), IstObjekt);
    ASSERT_NE(objekt, saetze.end());
    // A file of another state of the device: an input's text changed.
    const auto eingang = std::find_if(saetze.begin(), saetze.end(), IstEingang);
    ASSERT_NE(eingang, saetze.end());
    eingang->String4 = "Anders";
    const std::string datei = Schreibe(saetze);
    project.Sql("UPDATE device_object SET visible = 0 WHERE device_id = " + std::to_string(kDemoAlarmCentreId) +
                " AND comm_object_id IN (SELECT id FROM comm_object WHERE number = " +
                std::to_string(objekt->Param4) + ")");
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    const std::string gespeichert = Gespeichert();
    const int eingaenge = quelle.inst.GetAnzahlEingaenge();
    for (const bool kopie : {false, true}) {
        SCOPED_TRACE(kopie ? "copy" : "import");
        TScriptedMessageBox ok{IDOK};
        EXPECT_FALSE(kopie ? quelle.inst.VireoCdiCopy(datei, true, nullptr)
                           : quelle.inst.VireoCdiImport(datei, nullptr));
        EXPECT_FALSE(quelle.inst.GetKonfigAbgelehnt()) << "the gate took the file";
        ASSERT_EQ(ok.Count(), 1u);
        EXPECT_EQ(ok.Shown()[0].text.rfind(Spredit::Txt9025 + "\n", 0), 0u) << ok.Shown()[0].text;
        EXPECT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
        EXPECT_EQ(quelle.inst.GetAnzahlEingaenge(), eingaenge);
        ASSERT_TRUE(quelle.inst.WriteBlob());
        EXPECT_EQ(Gespeichert(), gespeichert);
    }
}

} // namespace
