// Communication objects made and deleted as their display-order parameters change in ETS,
// and the check of a device's objects against ETS.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "miraval/dienste/Spredit.h"
#include "morrow/EtsDeviceParam.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"
#include "tessarin/AzEibObjekteZurAlarmierung.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Parameter 5700 shows as many of the objects 190-192 as its value says, parameter 10 shows
// object 0 for 3. ETS holds objects 190 and 191 with flags unlike a new object's defaults.
const char* Projekt = R"sql(
INSERT INTO project (id) VALUES (1);
INSERT INTO area (id, project_id, number) VALUES (1, 1, 1);
INSERT INTO line (id, area_id, number) VALUES (1, 1, 1);
INSERT INTO product (id, module_name) VALUES (1, '244_ID');
INSERT INTO parameter (id, product_id, number) VALUES (1, 1, 5700), (2, 1, 10);
INSERT INTO comm_object (id, product_id, number, object_type, name, function) VALUES
    (1, 1, 190, 0, 'Objekt 1', 'Alarm'), (2, 1, 191, 7, 'Objekt 2', ''), (3, 1, 192, 0, 'Objekt 3', ''),
    (4, 1, 0, 0, 'Melder 1', '');
INSERT INTO parameter_shows VALUES (1, 1, 1), (1, 2, 1), (1, 2, 2), (1, 3, 1), (1, 3, 2), (1, 3, 3), (2, 3, 4);
INSERT INTO device (id, line_id, number, product_id) VALUES (1, 1, 1, 1);
INSERT INTO device_object (id, device_id, comm_object_id, visible, read_flag, write_flag, comm_flag, transmit_flag,
                           update_flag) VALUES (11, 1, 1, 0, 1, 0, 1, 0, 1), (12, 1, 2, 0, 0, 1, 0, 1, 0),
                                               (13, 1, 3, 0, 0, 1, 1, 1, 0), (14, 1, 4, 0, 0, 1, 1, 1, 0);
INSERT INTO device_param (device_id, parameter_id, value) VALUES (1, 1, 0), (1, 2, 0);
INSERT INTO main_group (id, project_id, number) VALUES (1, 1, 1);
INSERT INTO middle_group (id, main_group_id, number) VALUES (1, 1, 0);
INSERT INTO sub_group (id, middle_group_id, address) VALUES (1, 1, 2049), (2, 1, 2050);
)sql";

constexpr int16_t kAnzahl = 5700;

// The store, the centre and the node the objects are made under; boxes answer as told.
struct TObjekte {
    explicit TObjekte(int antwort = IDYES) : boxen(antwort)
    {
        project.Sql(Projekt);
        auto node = std::make_unique<TAzEibObjekteZurAlarmierung>(az.host.GetHandle(), 1, 1, "EIB Objekte", 0);
        node->KonvertHandle(az.inst.GetEibHandle());
        parent = node.get();
        az.inst.SetPointer2List(std::move(node));
        parent->Write(*az.inst.GetDatenSatz(parent));
    }
    // What ETS holds, written behind the editor's back.
    void Ets(int16_t parameter, int32_t wert)
    {
        std::vector<tagDAL_OBJECT_INFO> eintraege;
        ASSERT_EQ(az.inst.GetEtsDeviceParam()->SetDeviceParamData(parameter, wert, eintraege), ETS_PARAM_OK);
    }

    TEtsTestProject project{false};
    TScriptedMessageBox boxen;
    TAzGeraet az{project.ets, 1};
    TDataBasis* parent = nullptr;
};

TEST(Objekte, FollowTheParameterAsItCountsUpDownAndToZero)
{
    TObjekte t;
    std::vector<int32_t> vorher; // handles
    for (const auto& [wert, nummern, neu] : std::vector<std::tuple<int32_t, std::vector<int32_t>, bool>>{
             {2, {190, 191}, true}, {3, {190, 191, 192}, true}, {1, {190}, true}, {1, {190}, false}, {0, {}, true}}) {
        SCOPED_TRACE("value " + std::to_string(wert));
        ASSERT_TRUE(t.parent->ModifyObject(wert, kAnzahl, 0, true));
        EXPECT_EQ(t.az.Nummern(), nummern);
        EXPECT_EQ(EtsSichtbar(t.project.ets, 1), nummern);
        std::vector<int32_t> handles;
        for (int32_t nr : nummern) {
            handles.push_back(t.az.Objekt(nr)->GetHandle());
            EXPECT_EQ(t.az.Satz(t.az.Objekt(nr))->Param17, wert);
        }
        EXPECT_EQ(handles != vorher || handles.empty(), neu);
        vorher = handles;
        // One record per object: a deleted object's records go with it.
        EXPECT_EQ(t.az.inst.GetDatenSatzAnzahl(), nummern.size() + 1);
    }
    EXPECT_EQ(t.boxen.Count(), 0u);
}

TEST(Objekte, ANewObjectCarriesEtsIdsParameterValueAndEtsFlags)
{
    TObjekte t;
    ASSERT_TRUE(t.parent->ModifyObject(2, kAnzahl, -100, true));
    // name, object id, device object id, type, position; flags comm, read, write, transmit, update
    for (const auto& [nr, name, ids, flags] :
         {std::tuple{190, "Objekt 1 [Alarm]", std::vector<int32_t>{1, 11, 1, 90}, std::vector<bool>{1, 1, 0, 0, 1}},
          std::tuple{191, "Objekt 2", std::vector<int32_t>{2, 12, 8, 91}, std::vector<bool>{0, 0, 1, 1, 0}}}) {
        SCOPED_TRACE(nr);
        const TDatenStruktur* s = t.az.Satz(t.az.Objekt(nr));
        EXPECT_EQ(s->Name, name);
        EXPECT_EQ(s->Parent, t.parent->GetHandle());
        EXPECT_EQ((std::vector<int32_t>{s->Param3, s->Param10, s->Param8, s->Param1}), ids);
        EXPECT_EQ((std::vector<int32_t>{s->Param16, s->Param17, s->Param18}), (std::vector<int32_t>{kAnzahl, 2, 0x0F}));
        EXPECT_EQ((std::vector<bool>{s->Bool4, s->Bool5, s->Bool7, s->Bool6, s->Bool8}), flags);
    }
}

TEST(Objekte, AParameterAlreadyAtTheValueMakesOnlyTheMissingNodes)
{
    TObjekte t;
    t.Ets(kAnzahl, 2);
    ASSERT_TRUE(t.az.inst.AddEtsObjectByDisplayOrder(kAnzahl, 2, 0, t.parent, true));
    const int32_t handle = t.az.Objekt(190)->GetHandle();
    ASSERT_TRUE(t.az.inst.DeletePointerFromList(t.az.Objekt(191)));
    ASSERT_TRUE(t.az.inst.AddEtsObjectByDisplayOrder(kAnzahl, 2, 0, t.parent, true));
    EXPECT_EQ(t.az.Nummern(), (std::vector<int32_t>{190, 191}));
    EXPECT_EQ(t.az.Objekt(190)->GetHandle(), handle);
}

TEST(Objekte, DeletingLinkedObjectsAsksOncePerCallUnlessResetOrNotAsked)
{
    // both linked, reset done, ask, answer, questions shown, deleted
    int zeile = 0;
    for (const auto& [beide, reset, fragen, antwort, gefragt, geloescht] :
         {std::tuple{false, false, true, IDNO, 1u, false}, std::tuple{true, false, true, IDYES, 1u, true},
          std::tuple{false, true, true, IDNO, 0u, true}, std::tuple{true, false, false, IDNO, 0u, true}}) {
        SCOPED_TRACE(++zeile);
        TObjekte t(antwort);
        ASSERT_TRUE(t.parent->ModifyObject(2, kAnzahl, 0, true));
        for (int32_t id = 1; id <= (beide ? 2 : 1); ++id)
            ASSERT_TRUE(t.az.inst.LinkToSubGroup(id, t.az.Objekt(189 + id)->GetHandle(), true));
        t.az.inst.SetResetFlag(reset);

        EXPECT_EQ(t.az.inst.AddEtsObjectByDisplayOrder(kAnzahl, 1, 0, t.parent, fragen), geloescht);
        ASSERT_EQ(t.boxen.Count(), gefragt);
        if (gefragt > 0) {
            EXPECT_EQ(t.boxen.Shown()[0].text + t.boxen.Shown()[0].caption, Spredit::Txt9012 + Spredit::Txt9013);
        }
        EXPECT_EQ(t.az.Nummern().size(), geloescht ? 1u : 2u);
        EXPECT_EQ(EtsLinks(t.project.ets, 11).size(), geloescht ? 0u : 1u);
    }
}

TEST(Objekte, TheCheckEndsWithTheWorstOutcome)
{
    // objects missing in ETS, a surplus ETS object, the final box, boxes in all
    int zeile = 0;
    for (const auto& [fehlt, ueberzaehlig, schluss, boxen] :
         {std::tuple{false, false, &Spredit::Txt9036, 1u}, std::tuple{false, true, &Spredit::Txt9037, 2u},
          std::tuple{true, false, &Spredit::Txt9034, 3u}, std::tuple{true, true, &Spredit::Txt9034, 4u}}) {
        SCOPED_TRACE(++zeile);
        TObjekte t(IDOK);
        ASSERT_TRUE(t.parent->ModifyObject(2, kAnzahl, 0, true));
        if (fehlt)
            t.Ets(kAnzahl, 0);
        if (ueberzaehlig)
            t.Ets(10, 3);

        EXPECT_TRUE(t.az.inst.EtsObjektCheck());
        ASSERT_EQ(t.boxen.Count(), boxen);
        EXPECT_EQ(t.boxen.Shown().back().text, *schluss);
        if (fehlt) {
            EXPECT_EQ(t.boxen.Shown()[0].text, Spredit::Txt9033 + "190\n\n" + Spredit::Txt9034);
        }
        // The surplus object is switched off in ETS.
        EXPECT_EQ(EtsSichtbar(t.project.ets, 1), (fehlt ? std::vector<int32_t>{} : std::vector<int32_t>{190, 191}));
        EXPECT_EQ(t.az.host.calls.back(), "StopDlgProgress");
    }
}

// The demo project's new alarm centre: built by the editor, its objects shown in ETS.
TEST(Objekte, ANewDemoDeviceHasItsObjectsInEtsAndPassesTheCheck)
{
    TEtsTestProject project{false};
    project.Sql(DemoProjectSql());
    TScriptedMessageBox boxen;
    TAzGeraet az{project.ets, kDemoAlarmCentreId};
    ASSERT_TRUE(az.inst.GetDataFromServer(az.host.GetHandle(), false));
    EXPECT_EQ(boxen.Count(), 0u) << boxen.Shown()[0].text;
    EXPECT_FALSE(az.Nummern().empty());
    EXPECT_EQ(az.Nummern(), EtsSichtbar(project.ets, kDemoAlarmCentreId));

    ASSERT_TRUE(az.inst.EtsObjektCheck());
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].text, Spredit::Txt9036);
}

} // namespace
