// Importing a stored configuration, starting over with Reset, and the alignment's
// bookkeeping after a reload, on the demo project with a second, new alarm centre.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "ImportInvarianten.h"
#include "kestrin/EtsTransaction.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"
#include "tessarin/AzEibAlarmSystemSicherheit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

const char* ZweiteZentrale = R"sql(
INSERT INTO device (id, line_id, number, product_id) VALUES (8, 3, 2, 1);
INSERT INTO device_param (device_id, parameter_id, value)
    SELECT 8, id, default_value FROM parameter WHERE product_id = 1;
INSERT INTO device_object (device_id, comm_object_id, visible) SELECT 8, id, 0 FROM comm_object WHERE product_id = 1;
)sql";

constexpr int32_t kZiel = 8;
// An object that may have any number of group addresses (a detector's only one), and two.
constexpr int32_t kObjekt = 190;
constexpr uint16_t kAdressen[] = {1 * 2048 + 1 * 256 + 1, 1 * 2048 + 1 * 256 + 2};

struct Import : ::testing::Test {
    Import()
    {
        project.Sql(DemoProjectSql());
        project.Sql(ZweiteZentrale);
        EXPECT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
    }
    static int32_t SubId(TAzGeraet& g, uint16_t wort)
    {
        for (const auto& [id, node] : g.inst.GetSubGroupMap())
            if (static_cast<uint16_t>(node->GetKomplettGrpAdr()) == wort)
                return id;
        return 0;
    }
    static TDataBasis* Knoten(TAzGeraet& g, int typ)
    {
        for (const auto& [handle, node] : g.inst.GetKnoten())
            if (node->GetTyp() == typ)
                return node.get();
        return nullptr;
    }
    // Detector 5 in security area 1, object 190 linked to two group addresses.
    void Bearbeite()
    {
        ASSERT_TRUE(quelle.inst.CreateAzMelder(quelle.host.GetHandle(), Knoten(quelle, AzTyp::SicherungsBereich1),
                                               MelderArt::Sb1, false));
        for (uint16_t wort : kAdressen)
            ASSERT_TRUE(quelle.inst.LinkToSubGroup(SubId(quelle, wort), quelle.Objekt(kObjekt)->GetHandle(), true));
    }

    TEtsTestProject project{false};
    TScriptedMessageBox boxen{IDYES};
    TAzGeraet quelle{project.ets, kDemoAlarmCentreId};
};

TEST_F(Import, TheStoredObjectsComeWithThisDevicesIdsAndTheirLinksWhenAsked)
{
    Bearbeite();
    std::string container;
    ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &container).Ok);
    for (const bool verknuepfen : {true, false}) {
        SCOPED_TRACE(verknuepfen);
        TAzGeraet ziel{project.ets, kZiel};
        ASSERT_TRUE(ziel.inst.GetDataFromServer(ziel.host.GetHandle(), false));
        ziel.inst.SetCompData("vorher");

        EXPECT_TRUE(ziel.inst.VireoImport(container, verknuepfen));
        EXPECT_EQ(boxen.Count(), 0u);
        EXPECT_FALSE(ziel.inst.GetImportFlag());
        EXPECT_EQ(ziel.inst.GetCompData(), "");
        EXPECT_EQ(ziel.Nummern(), quelle.Nummern());
        EXPECT_EQ(ziel.Nummern(), EtsSichtbar(project.ets, kZiel));
        EXPECT_EQ(Unerreichbar(ziel.inst), 0u);
        int folgeSaetze = 0;
        for (const auto& [system, daten] : ziel.inst.GetSystemMap()) {
            for (const auto& [parent, s] : daten) {
                folgeSaetze += s.Typ == 2;
                if (s.Typ == AzTyp::System) {
                    EXPECT_EQ(s.Param4, kZiel);
                }
                DAL_DEVICE_OBJECT r;
                if (s.Typ == TEtsObjekt::kTyp) {
                    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_KEY, s.Param10, kZiel, &r), DAL_OK) << s.Name;
                    EXPECT_EQ(s.Param4, +r.ObjectNumber);
                    EXPECT_EQ(s.Param3, +r.CommObjectId);
                }
            }
        }
        std::vector<int32_t> links;
        for (const auto& link : ziel.Objekt(kObjekt)->GetSubGroupLinks())
            links.push_back(link.SubGroupId);
        const auto erwartet = verknuepfen ? std::vector<int32_t>{SubId(ziel, kAdressen[0]), SubId(ziel, kAdressen[1])}
                                          : std::vector<int32_t>{};
        EXPECT_EQ(links, erwartet);
        EXPECT_EQ(EtsLinks(project.ets, ziel.Objekt(kObjekt)->GetDeviceObjectId()), erwartet);
        EXPECT_EQ(folgeSaetze, verknuepfen ? 1 : 0);
        EXPECT_EQ(ImportInvarianten::Verletzt(ziel.inst, project.ets, kZiel, ziel.host.GetHandle()),
                  std::vector<std::string>{});
    }
}

TEST_F(Import, ResetDeletesLinkedObjectsUnaskedAndBuildsTheDefaultAnew)
{
    const std::vector<int32_t> standard = quelle.Nummern();
    Bearbeite();
    const int32_t deviceObject = quelle.Objekt(kObjekt)->GetDeviceObjectId();
    quelle.host.calls.clear();

    EXPECT_TRUE(quelle.inst.Reset(true));
    EXPECT_EQ(boxen.Count(), 0u);
    EXPECT_EQ(quelle.Nummern(), standard);
    EXPECT_EQ(EtsSichtbar(project.ets, kDemoAlarmCentreId), standard);
    EXPECT_TRUE(EtsLinks(project.ets, deviceObject).empty());
    EXPECT_TRUE(quelle.Objekt(kObjekt)->GetSubGroupLinks().empty());
    EXPECT_EQ(quelle.host.calls.front(), "StartDlgProgress Reset|Reset|0..18/1");
    EXPECT_EQ(quelle.host.calls.back(), "StopDlgProgress");
}

TEST_F(Import, AReloadRebuildsWhatTheAlignmentKeeps)
{
    // Monitoring on and stored: its object's one-address limit is stored with it at once.
    auto* sicherheit = dynamic_cast<TAzEibAlarmSystemSicherheit*>(Knoten(quelle, AzTyp::EibAlarmSystemSicherheit));
    TDatenStruktur* satz = quelle.inst.GetDatenSatz(sicherheit);
    satz->Bool4 = true;
    satz->Param4 = TAzEibAlarmSystemSicherheit::kUeberwachungsIntervallNeu; // as switching it on sets it
    sicherheit->InitFromDB(*satz);
    TUserDeviceRequest request{};
    request.Sender = sicherheit;
    request.Code = TAzEibAlarmSystemSicherheit::kCodeUeberwachung;
    request.Wert4 = 1;
    quelle.inst.UserDeviceMessage(quelle.host.GetHandle(), &request);
    ASSERT_TRUE(quelle.inst.WriteBlob());
    ASSERT_EQ(quelle.Satz(quelle.Objekt(ObjektNr::KomHeartbeat))->Param13, 1);
    // Not stored: detector 5, as a sabotage input and with a switching device of area 1.
    ASSERT_TRUE(quelle.inst.CreateAzMelder(quelle.host.GetHandle(), Knoten(quelle, AzTyp::SicherungsBereich1),
                                           MelderArt::Sb1, false));
    ASSERT_TRUE(quelle.inst.SetMelderSaboSeToList(5, 1));
    ASSERT_TRUE(quelle.inst.UpdatePhysAdrUsedSsbFromList(0x1234, 0, 1));

    ASSERT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
    EXPECT_EQ(quelle.inst.GetMelderNrUsed(), (std::list<int32_t>{0, 1, 2, 3, 4})); // 0: the wired input
    EXPECT_TRUE(quelle.inst.GetSaboSe()[0].empty());
    EXPECT_TRUE(quelle.inst.GetPhysAdrSe()[0].empty());
    EXPECT_EQ(quelle.Objekt(ObjektNr::KomHeartbeat)->GetNumberSelectableGrpAdr(), 1);
}

// What a file must not change.
TGeraetZustand Zustand(TAzGeraet& g, TEts2Cdi& ets)
{
    TGeraetZustand z = GeraetZustand(g.inst, ets, kDemoAlarmCentreId);
    EXPECT_FALSE(z.container.empty()) << "the device's container could not be written";
    return z;
}

// The container with its records changed by aendern (records of the same handle as the
// object of that number are found by "objekt", its continuation record by "folge").
std::string Geaendert(const std::string& container,
                      const std::function<void(std::vector<TDatenStruktur>&, TDatenStruktur& objekt,
                                               TDatenStruktur& folge, TDatenStruktur& anderes)>& aendern)
{
    std::vector<TDatenStruktur> records;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", records).Ok);
    TDatenStruktur* objekt = nullptr;
    TDatenStruktur* anderes = nullptr;
    for (TDatenStruktur& r : records) {
        if (r.Typ == TEtsObjekt::kTyp && r.Param4 == kObjekt)
            objekt = &r;
        else if (r.Typ == TEtsObjekt::kTyp && anderes == nullptr)
            anderes = &r;
    }
    TDatenStruktur* folge = nullptr;
    for (TDatenStruktur& r : records)
        if (objekt != nullptr && r.Handle == objekt->Next)
            folge = &r;
    EXPECT_TRUE(objekt != nullptr && anderes != nullptr && folge != nullptr);
    aendern(records, *objekt, *folge, *anderes);
    std::vector<const TDatenStruktur*> zeiger;
    for (const TDatenStruktur& r : records)
        zeiger.push_back(&r);
    std::string ergebnis;
    EXPECT_TRUE(DatenContainer::WriteContainer(zeiger, DatenContainer::FormatVersion({}), {}, ergebnis).Ok);
    return ergebnis;
}

TEST_F(Import, AFileThatCannotBeImportedChangesNothingAndSaysWhy)
{
    using R = std::vector<TDatenStruktur>;
    using S = TDatenStruktur;
    // An object another device shows, which a link could reach.
    DAL_DEVICE_OBJECT fremd;
    for (int m = DAL_MODE_FIRST; project.ets.DalGetDeviceObjectData(m, -1, -1, &fremd) == DAL_OK; m = DAL_MODE_NEXT)
        if (fremd.DeviceId != kDemoAlarmCentreId && fremd.Visible > 0)
            break;
    ASSERT_NE(+fremd.DeviceId, kDemoAlarmCentreId);
    ASSERT_GT(+fremd.Visible, 0);
    auto melder = [](R& r) -> S& {
        return *std::find_if(r.begin(), r.end(), [](const S& s) { return s.Typ == AzTyp::Melder; });
    };
    auto geraet = [](R& r) {
        return std::find_if(r.begin(), r.end(), [](const S& s) { return s.Typ == AzTyp::System; });
    };
    // grund: the text id of the reason below "Die Datei ist fehlerhaft ..." (0: none, the load
    // found it and the import was undone).
    const struct {
        const char* name;
        std::function<void(R&, S&, S&, S&)> aendern;
        int grund;
    } faelle[] = {
        {"continuation is another object", [](R&, S& o, S&, S& a) { o.Next = a.Handle; }, 9215},
        {"continuation of another object", [](R&, S&, S& f, S& a) { f.Parent = a.Handle; }, 9215},
        {"continuation of another type", [](R&, S&, S& f, S&) { f.Typ = AzTyp::Melder; }, 9215},
        {"continuation missing", [](R&, S& o, S&, S&) { o.Next = 987654; }, 9215},
        {"two records of one handle", [](R& r, S&, S&, S& a) { r.push_back(a); }, 9217},
        // Its node switches its objects by another parameter: refused before ETS is asked.
        {"object of no parameter", [](R&, S& o, S&, S&) { o.Param16 = 30000; }, 9240},
        {"object its parameter does not show, with another device's ids",
         [&fremd](R&, S& o, S&, S&) {
             o.Param4 = 30000;
             o.Param3 = fremd.CommObjectId;
             o.Param10 = fremd.DeviceObjectId;
         },
         9216},
        {"no records", [](R& r, S&, S&, S&) { r.clear(); }, 9220},
        {"no device record", [&geraet](R& r, S&, S&, S&) { r.erase(geraet(r)); }, 9221},
        {"two device records",
         [&geraet](R& r, S&, S&, S&) {
             S zweites = *geraet(r);
             zweites.Handle = 30000;
             r.push_back(zweites);
         },
         9221},
        {"detector's parent not in the file", [&melder](R& r, S&, S&, S&) { melder(r).Parent = 9999; }, 9222},
        {"detector below an object", [&melder](R& r, S&, S&, S& a) { melder(r).Parent = a.Handle; }, 9222},
        {"detector's parent is itself", [&melder](R& r, S&, S&, S&) { melder(r).Parent = melder(r).Handle; }, 9222},
        // Found only by the load: a detector whose object is of no known type.
        {"detector without its object",
         [](R& r, S&, S&, S&) {
             for (const S& m : r)
                 for (S& kind : r)
                     if (m.Typ == AzTyp::Melder && kind.Parent == m.Handle && kind.Typ == TEtsObjekt::kTyp) {
                         kind.Typ = 807;
                         return;
                     }
         },
         0},
    };
    Bearbeite();
    std::string container;
    ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &container).Ok);
    const std::vector<TFremdesObjekt> fremde = FremdeObjekte(project.ets, kDemoAlarmCentreId);
    for (const auto& f : faelle) {
        const std::string datei = Geaendert(container, f.aendern);
        for (const bool verknuepfen : {true, false}) {
            SCOPED_TRACE(std::string(f.name) + (verknuepfen ? ", linked" : ""));
            const TGeraetZustand vorher = Zustand(quelle, project.ets);
            TScriptedMessageBox ok{IDOK};
            EXPECT_FALSE(quelle.inst.VireoImport(datei, verknuepfen));
            EXPECT_TRUE(Zustand(quelle, project.ets) == vorher);
            EXPECT_TRUE(FremdeObjekte(project.ets, kDemoAlarmCentreId) == fremde);
            ASSERT_GT(ok.Count(), 0u);
            const std::string erwartet = Spredit::Txt9214 + (f.grund != 0 ? "\n" + Spredit::Text(f.grund) : "");
            EXPECT_EQ(ok.Shown().back().text.rfind(erwartet, 0), 0u) << ok.Shown().back().text;
            EXPECT_EQ(ok.Shown().back().caption, Spredit::Txt9154);
            EXPECT_FALSE(quelle.inst.GetImportFlag());
        }
    }
}

// A file cut short, wherever: at each line end, and inside each line (its first byte, its
// middle, its line end's CR). Only the last line end may go.
TEST_F(Import, AFileCutShortIsRefusedWhereverItWasCut)
{
    Bearbeite();
    std::string container;
    ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &container).Ok);
    ASSERT_EQ(container.substr(container.size() - 2), "\r\n");
    std::set<std::size_t> laengen{0};
    for (std::size_t start = 0, ende; (ende = container.find("\r\n", start)) != std::string::npos; start = ende + 2)
        laengen.insert({start + 1, start + (ende - start) / 2, ende, ende + 1, ende + 2});
    laengen.erase(laengen.upper_bound(container.size() - 3), laengen.end());
    ASSERT_GT(laengen.size(), 100u);

    const TGeraetZustand vorher = Zustand(quelle, project.ets);
    bool verknuepfen = false;
    for (const std::size_t laenge : laengen) {
        SCOPED_TRACE(laenge);
        verknuepfen = !verknuepfen;
        TScriptedMessageBox ok{IDOK};
        EXPECT_FALSE(quelle.inst.VireoImport(container.substr(0, laenge), verknuepfen));
        ASSERT_TRUE(Zustand(quelle, project.ets) == vorher);
        ASSERT_EQ(ok.Count(), 1u);
        EXPECT_EQ(ok.Shown().back().text.rfind(Spredit::Txt9214 + "\n" + Spredit::Text(9218), 0), 0u)
            << ok.Shown().back().text;
    }
    // Without its last line end the file is whole.
    TScriptedMessageBox ok{IDOK};
    EXPECT_TRUE(quelle.inst.VireoImport(container.substr(0, container.size() - 2), true));
    EXPECT_EQ(ok.Count(), 0u);
}

// A group address linked when the safety copy was written and deleted in ETS since, or of
// another type now: that one link is dropped and named, the rest is restored.
TEST_F(Import, ALinkWhoseGroupAddressNoLongerConvertsIsDroppedAndTheRestRestored)
{
    const struct {
        const char* name;
        const char* sql;
    } faelle[] = {
        {"deleted", "DELETE FROM sub_group WHERE address = 2306"},
        {"of another type, linked to the other centre's object",
         "DELETE FROM sub_to_object WHERE sub_group_id = (SELECT id FROM sub_group WHERE address = 2306);"
         "UPDATE sub_group SET object_type = 9 WHERE address = 2306;"
         "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES ((SELECT id FROM sub_group WHERE "
         "address = 2306), (SELECT min(id) FROM device_object WHERE device_id = 8))"},
    };
    static_assert(kAdressen[1] == 2306);
    Bearbeite();
    std::string kopie;
    ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &kopie).Ok);
    ASSERT_TRUE(quelle.inst.WriteBlob());
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TEtsTransaction burst(&project.ets);
        project.Sql(f.sql);
        TAzGeraet geraet{project.ets, kDemoAlarmCentreId};
        ASSERT_TRUE(geraet.inst.GetDataFromServer(geraet.host.GetHandle(), false));
        const std::vector<TFremdesObjekt> fremde = FremdeObjekte(project.ets, kDemoAlarmCentreId);
        TScriptedMessageBox ok{IDOK};

        EXPECT_FALSE(geraet.inst.VireoImport(kopie, true));
        ASSERT_EQ(ok.Count(), 1u);
        EXPECT_EQ(ok.Shown()[0].text.rfind(Spredit::Txt9159 + "\n", 0), 0u) << ok.Shown()[0].text;
        EXPECT_NE(ok.Shown()[0].text.find(TDeviceInstanz::GetGroupAddressString(kAdressen[1], true)),
                  std::string::npos);
        EXPECT_EQ(ok.Shown()[0].caption, Spredit::Txt9154);
        EXPECT_EQ(geraet.Nummern(), quelle.Nummern());
        const std::vector<int32_t> erwartet{SubId(geraet, kAdressen[0])};
        std::vector<int32_t> links;
        for (const auto& link : geraet.Objekt(kObjekt)->GetSubGroupLinks())
            links.push_back(link.SubGroupId);
        EXPECT_EQ(links, erwartet);
        EXPECT_EQ(EtsLinks(project.ets, geraet.Objekt(kObjekt)->GetDeviceObjectId()), erwartet);
        EXPECT_TRUE(FremdeObjekte(project.ets, kDemoAlarmCentreId) == fremde);
        EXPECT_EQ(Unerreichbar(geraet.inst), 0u);
    }
}

} // namespace
