// The ETS group addresses as nodes of the device instance, in both level styles.

#include "EditorHostDouble.h"
#include "TestInstanz.h"

#include "miraval/devinst/DevInstAz.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/EtsObjekt.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {

// 1 "Licht": 1/2 "EG" with 1/2/5 (1 Bit) and 1/2/6, 1/5 with 1/5/200; 0 "": 0/0 with 0/0/1. The
// store numbers each level on its own, so middle and sub groups share ids.
const char* Gruppen = R"sql(
DELETE FROM sub_to_object; DELETE FROM sub_group; DELETE FROM middle_group; DELETE FROM main_group;
INSERT INTO main_group (id, project_id, number, name) VALUES (1, 1, 1, 'Licht'), (2, 1, 0, '');
INSERT INTO middle_group (id, main_group_id, number, name) VALUES (1, 1, 2, 'EG'), (2, 2, 0, ''), (5, 1, 5, 'OG');
INSERT INTO sub_group (id, middle_group_id, address, name, object_type)
    VALUES (1, 1, 2565, 'Flur', 0), (2, 1, 2566, 'Bad', -1), (3, 2, 1, '', -1), (4, 5, 3528, 'Dach', -1);
)sql";

struct GrpAdr : ::testing::TestWithParam<int> {
    GrpAdr()
    {
        project.Sql(Gruppen);
        host.grpAdrLevel = GetParam();
    }
    bool Drei() const { return GetParam() == 3; }

    TEtsTestProject project;
    TScriptedMessageBox boxes;
    TEditorHostDouble host{&project.ets};
    TTestInstanz inst{host};
};

TEST_P(GrpAdr, TreeReadTwiceGivesTheSameNodes)
{
    for (int lauf = 0; lauf < 2; ++lauf) {
        SCOPED_TRACE(lauf);
        inst.GetGrpAdrFromServer();
        std::map<int32_t, int> mains;
        for (const auto& [id, node] : inst.GetMainGroupMap())
            mains[id] = node->GetPosId();
        EXPECT_EQ(mains, (std::map<int32_t, int>{{1, 1}, {2, 0}}));
        std::map<int32_t, int> middles;
        for (const auto& [id, node] : inst.GetMiddleGroupMap())
            middles[id] = node->GetPosId();
        EXPECT_EQ(middles, (std::map<int32_t, int>{{1, 2}, {2, 0}, {5, 5}}));
        // Sub groups by whole word (three levels) or its low 11 bits.
        std::map<int32_t, int> subs;
        for (const auto& [id, node] : inst.GetSubGroupMap())
            subs[id] = node->GetPosId();
        EXPECT_EQ(subs, (std::map<int32_t, int>{{1, Drei() ? 2565 : 517}, {2, Drei() ? 2566 : 518}, {3, 1},
                                                 {4, Drei() ? 3528 : 1480}}));
        EXPECT_EQ(inst.GetSubGroupMap().at(1)->GetSubAdrTyp(), 0);
        EXPECT_EQ(inst.GetSubGroupMap().at(2)->GetSubAdrTyp(), -1);
        ASSERT_NE(inst.GetGrpAdrOrdner(), nullptr);
        EXPECT_EQ(inst.GetGrpAdrOrdner()->GetName(false), "Gruppenadressen");
        EXPECT_EQ(inst.GetGrpAdrOrdner()->GetPosId(), 100);
    }
}

TEST_P(GrpAdr, ProposesTheNextFreeAddress)
{
    bool drei = !Drei();
    std::string text;
    EXPECT_EQ(inst.GetNextHighestAndFreeGrpAdr(&drei, text), Drei() ? "1/5/201" : "1/1481");
    EXPECT_EQ(drei, Drei());

    // The highest address taken: the lowest free word from 1 upward.
    project.Sql("INSERT INTO main_group VALUES (3, 1, 15, 'Ende');"
                "INSERT INTO middle_group VALUES (31, 3, 7, '');"
                "INSERT INTO sub_group (id, middle_group_id, address, name, object_type) VALUES (32, 31, 32767, '', -1);");
    inst.GetGrpAdrFromServer();
    EXPECT_EQ(inst.GetNextHighestAndFreeGrpAdr(&drei, text), Drei() ? "0/0/2" : "0/2");

    project.Sql("DELETE FROM sub_group; DELETE FROM middle_group; DELETE FROM main_group;");
    inst.GetGrpAdrFromServer();
    EXPECT_EQ(inst.GetNextHighestAndFreeGrpAdr(&drei, text), Drei() ? "0/0/1" : "0/1");
}

TEST_P(GrpAdr, CreateGrpAddrMakesTheNodesInEveryWindow)
{
    EXPECT_EQ(inst.CreateGrpAddr(1, 2, 7, "Küche"), nullptr) << "nothing read yet";
    inst.GetEtsGruppenAdressen();
    EXPECT_EQ(inst.CreateGrpAddr(-1, 2, 7, "Küche"), nullptr);
    EXPECT_EQ(boxes.Count(), 0u);
    TVireoGrpAdrSub* neu = inst.CreateGrpAddr(1, 2, 7, "Küche");
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->GetName(false), "Küche");
    // The dialogs give the parsed triple in both styles: 1/2/7, or 1/519 with two levels.
    EXPECT_EQ(static_cast<uint16_t>(neu->GetKomplettGrpAdr()), 0x0A07);
    EXPECT_EQ(host.calls.back(), Drei() ? "CreateGroupAddressNodes main middle sub" : "CreateGroupAddressNodes main sub");
}

TEST_P(GrpAdr, LinkedAddressWordsFollowTheProject)
{
    // An object linked to 1/2/5 with a stale word and to a group address that is gone.
    TDeviceInstanzAz az(host, TestGeraet(1), nullptr);
    host.window.SetAktDevInst(&az);
    auto objekt = TestDatensatz(30, "Objekt", 806, 1, 1);
    objekt.Param14 = 1;
    objekt.Next = 31;
    auto weiter = TestDatensatz(31, "", 2, 30, 1);
    weiter.Param14 = 99;
    weiter.Param15 = 0x1234;
    std::string blob;
    const TDatenStruktur* records[] = {&objekt, &weiter};
    ASSERT_TRUE(DatenContainer::WriteContainer(records, az.GetVersion(), "", blob).Ok);
    az.SetBlob(blob);
    ASSERT_TRUE(az.InitData());

    std::string text = "alt";
    uint16_t wort = 0;
    EXPECT_EQ(SendMessage(host.GetHandle(), UM_GetGrpAdrNr, 1, reinterpret_cast<LPARAM>(&text)), 1);
    EXPECT_EQ(text, Drei() ? "1/2/5" : "1/517");
    EXPECT_EQ(SendMessage(host.GetHandle(), UM_GetGrpAdrNrAsZahl, 5, reinterpret_cast<LPARAM>(&wort)), 0)
        << "a middle group is no group address";
    EXPECT_EQ(wort, 0);

    EXPECT_FALSE(az.UpdateGroupAddressFromId());
    EXPECT_EQ(az.FindDatenSatz(1, 1, 30)->Param15, 0x0A05);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.back(), "ShowDetailMessageBox Beim Laden der Gruppendressen ist ein Fehler aufgetreten.|Az|"
                                 "\n Can't find Groupaddress.\n Id:99\n AddressWord:4660|DevInst|"
                                 "TDeviceInstanz::UpdateGroupAddressFromId|16");
}

INSTANTIATE_TEST_SUITE_P(Ebenen, GrpAdr, ::testing::Values(3, 2),
                         [](const auto& info) { return info.param == 3 ? "DreiEbenen" : "ZweiEbenen"; });

TEST(GrpAdrText, WordToText)
{
    const struct {
        uint16_t wort;
        const char* drei;
        const char* zwei;
    } rows[] = {{0x7FFF, "15/7/255", "15/2047"}, {0, "0/0/0", "0/0"}, {0x0A05, "1/2/5", "1/517"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.wort);
        EXPECT_EQ(TDeviceInstanz::GetGroupAddressString(row.wort, true), row.drei);
        EXPECT_EQ(TDeviceInstanz::GetGroupAddressString(row.wort, false), row.zwei);
    }
}

} // namespace
