// Importing a stored configuration, starting over with Reset, and the alignment's
// bookkeeping after a reload, on the demo project with a second, new alarm centre.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"
#include "tessarin/AzEibAlarmSystemSicherheit.h"

#include <gtest/gtest.h>

#include <functional>

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
    // Monitoring on and stored: its object's one-address limit is not stored with it.
    auto* sicherheit = dynamic_cast<TAzEibAlarmSystemSicherheit*>(Knoten(quelle, AzTyp::EibAlarmSystemSicherheit));
    TDatenStruktur* satz = quelle.inst.GetDatenSatz(sicherheit);
    satz->Bool4 = true;
    sicherheit->InitFromDB(*satz);
    TUserDeviceRequest request{};
    request.Sender = sicherheit;
    request.Code = TAzEibAlarmSystemSicherheit::kCodeUeberwachung;
    request.Wert4 = 1;
    quelle.inst.UserDeviceMessage(quelle.host.GetHandle(), &request);
    ASSERT_TRUE(quelle.inst.WriteBlob());
    ASSERT_EQ(quelle.Satz(quelle.Objekt(ObjektNr::KomHeartbeat))->Param13, -1);
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
    const struct {
        const char* name;
        std::function<void(R&, S&, S&, S&)> aendern;
        bool nurVerknuepft;
    } faelle[] = {
        {"continuation is another object", [](R&, S& o, S&, S& a) { o.Next = a.Handle; }, false},
        {"continuation of another object", [](R&, S&, S& f, S& a) { f.Parent = a.Handle; }, false},
        {"continuation of another type", [](R&, S&, S& f, S&) { f.Typ = 1; }, false},
        {"continuation missing", [](R&, S& o, S&, S&) { o.Next = 987654; }, false},
        {"two records of one handle", [](R& r, S&, S&, S& a) { r.push_back(a); }, false},
        {"object of no parameter", [](R&, S& o, S&, S&) { o.Param16 = 30000; }, false},
        {"address not in the project", [](R&, S&, S& f, S&) { f.Param15 = 15 * 2048 + 7 * 256 + 255; }, true},
        // Found only by the load: a detector whose object is of no known type.
        {"detector without its object",
         [](R& r, S&, S&, S&) {
             for (const S& melder : r)
                 for (S& kind : r)
                     if (melder.Typ == AzTyp::Melder && kind.Parent == melder.Handle && kind.Typ == TEtsObjekt::kTyp) {
                         kind.Typ = 807;
                         return;
                     }
         },
         false},
    };
    Bearbeite();
    std::string container;
    ASSERT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &container).Ok);
    for (const auto& f : faelle) {
        const std::string datei = Geaendert(container, f.aendern);
        for (const bool verknuepfen : {true, false}) {
            if (f.nurVerknuepft && !verknuepfen)
                continue;
            SCOPED_TRACE(std::string(f.name) + (verknuepfen ? ", linked" : ""));
            const TGeraetZustand vorher = Zustand(quelle, project.ets);
            TScriptedMessageBox ok{IDOK};
            EXPECT_FALSE(quelle.inst.VireoImport(datei, verknuepfen));
            EXPECT_TRUE(Zustand(quelle, project.ets) == vorher);
            ASSERT_GT(ok.Count(), 0u);
            EXPECT_EQ(ok.Shown().back().text.rfind(Spredit::Txt9214, 0), 0u) << ok.Shown().back().text;
            EXPECT_EQ(ok.Shown().back().caption, Spredit::Txt9154);
            EXPECT_FALSE(quelle.inst.GetImportFlag());
        }
    }
}

} // namespace
