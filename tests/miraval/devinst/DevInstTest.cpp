// Records, continuation chains, the node registry and the routing of the nodes' messages.

#include "EditorHostDouble.h"
#include "TestInstanz.h"

#include "pellam/EibHandle.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {

struct DevInst : ::testing::Test {
    DevInst() { host.window.SetAktDevInst(&inst); }

    LRESULT Send(UINT msg, WPARAM w, LPARAM l) { return SendMessage(host.GetHandle(), msg, w, l); }

    TEditorHostDouble host;
    TTestInstanz inst{host};
};

TEST_F(DevInst, GetDatenSatzMakesAMissingRecordUnderTheParentAsGiven)
{
    TDatenStruktur* neu = inst.GetDatenSatz(7, -1, 42);
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(*neu, TestDatensatz(42, "", 0, -1, 7));
    inst.FillDataMaps(TestDatensatz(5, "A", 6124, 3, 7));
    // Parent -1 finds the record whatever its parent; a wrong parent does not.
    EXPECT_EQ(inst.GetDatenSatz(7, -1, 5)->Name, "A");
    EXPECT_EQ(inst.FindDatenSatz(7, 4, 5), nullptr);
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 2u);
}

TEST_F(DevInst, FillDataMapsIgnoresAHandleLoadedAlready)
{
    inst.FillDataMaps(TestDatensatz(5, "erster", 6124, 3, 7));
    inst.FillDataMaps(TestDatensatz(5, "zweiter", 6124, 3, 8));
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 1u);
    EXPECT_EQ(inst.FindDatenSatz(7, 3, 5)->Name, "erster");
}

TEST_F(DevInst, FirstChildSkipsContinuationRecords)
{
    inst.FillDataMaps(TestDatensatz(10, "System", 105, 0, 10));
    inst.FillDataMaps(TestDatensatz(11, "Fortsetzung", 2, 10, 10));
    inst.FillDataMaps(TestDatensatz(12, "Kind", 6124, 10, 10));
    TTestKnoten system(nullptr, TestDatensatz(10, "System", 105, 0, 10));
    system.SetHandle(10);
    TTestKnoten kind(nullptr, TestDatensatz(12, "Kind", 6124, 10, 10));
    kind.SetHandle(12);
    EXPECT_EQ(inst.GetFirstChild(&system), 12);
    EXPECT_EQ(inst.GetFirstChild(&kind), 0);
    TTestKnoten fremd(nullptr, TestDatensatz(1, "", 6124, 0, 99));
    try {
        inst.GetFirstChild(&fremd);
        FAIL() << "no exception";
    } catch (const E_InstVerw& e) {
        EXPECT_EQ(e.GetCode(), E_InstVerw::kUnknownSystem);
        EXPECT_EQ(e.Message(), "CheckName: unknown systemhandle: 99");
    }
}

// A chain head -> 21 -> 22, as a node's record and its continuation records.
struct Chain : DevInst {
    void Fill(int32_t letzterNext)
    {
        auto kopf = TestDatensatz(20, "Kopf", 806, 10, 10);
        kopf.Next = 21;
        auto mitte = TestDatensatz(21, "", 2, 10, 10);
        mitte.Next = 22;
        auto ende = TestDatensatz(22, "", 2, 10, 10);
        ende.Next = letzterNext;
        for (const auto& d : {kopf, mitte, ende, TestDatensatz(30, "bleibt", 6124, 10, 10)})
            inst.FillDataMaps(d);
    }
};

TEST_F(Chain, DeleteNextDatenSatzRemovesTheWholeChain)
{
    const struct {
        const char* name;
        int32_t letzterNext;
    } rows[] = {{"ends with 0", 0}, {"missing link", 23}, {"Next back to the middle", 21},
                {"Next back to the head", 20}, {"Next to itself", 22}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        inst.ClearDataMaps();
        Fill(row.letzterNext);
        Send(UM_DeleteNextDatenSatz, MakeDatenSatzKey(10, 10), 20);
        EXPECT_EQ(inst.GetDatenSatzAnzahl(), 1u);
        EXPECT_NE(inst.FindDatenSatz(10, 10, 30), nullptr);
    }
}

TEST_F(Chain, DeleteDatenSatzAndNextFollowsTheHeadsHandleAsParent)
{
    // Continuation records name their head as Parent.
    auto kopf = TestDatensatz(20, "Kopf", 806, 10, 10);
    kopf.Next = 21;
    auto f1 = TestDatensatz(21, "", 2, 20, 10);
    f1.Next = 20; // back to the head
    inst.FillDataMaps(kopf);
    inst.FillDataMaps(f1);
    inst.FillDataMaps(TestDatensatz(30, "bleibt", 6124, 10, 10));
    inst.DeleteDatenSatzAndNext(10, 10, 20);
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 1u);
}

TEST_F(DevInst, RecordMessagesLookUpAndMake)
{
    inst.FillDataMaps(TestDatensatz(5, "A", 6124, 3, 7));
    EXPECT_EQ(Send(UM_GetDatenSatzByHandle, 7, 5), reinterpret_cast<LRESULT>(inst.FindDatenSatz(7, 3, 5)));
    // The look-up by handle never makes a record.
    EXPECT_EQ(Send(UM_GetDatenSatzByHandle, 7, 6), 0);
    EXPECT_EQ(Send(UM_GetDatenSatzByHandle, 8, 5), 0);
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 1u);
    // UM_GetDatenSatz makes it; a parent of 0xFFFF stands for any parent, stored as -1.
    auto* neu = reinterpret_cast<TDatenStruktur*>(Send(UM_GetDatenSatz, MakeDatenSatzKey(-1, 7), 6));
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->Parent, -1);
    EXPECT_EQ(neu->System, 7);
    EXPECT_EQ(Send(UM_GetDatenSatz, MakeDatenSatzKey(-1, 7), 5), reinterpret_cast<LRESULT>(inst.FindDatenSatz(7, 3, 5)));
}

TEST_F(DevInst, RegistryMessagesAndTheDeviceNode)
{
    inst.FillDataMaps(TestDatensatz(10, "System", 105, 0, 10));
    inst.InitDataMainStruktur();
    TDataBasis* system = inst.FindHandle(10);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(inst.GetDevice(), system);
    EXPECT_EQ(Send(UM_GetDataPointer, 10, 0), reinterpret_cast<LRESULT>(system));
    EXPECT_EQ(Send(UM_GetDataPointer, 11, 0), 0);
    EXPECT_EQ(Send(UM_GetEibHandle, 0, 0), reinterpret_cast<LRESULT>(inst.GetEibHandle()));
    const LRESULT param = Send(UM_GetEtsDeviceParam, 0, 0);
    EXPECT_NE(param, 0);
    EXPECT_EQ(Send(UM_GetEtsDeviceParam, 0, 0), param) << "made once";

    inst.ClearDataMaps();
    EXPECT_EQ(inst.GetDevice(), nullptr);
    EXPECT_TRUE(inst.GetKnoten().empty());
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 0u);

    host.window.SetAktDevInst(nullptr);
    EXPECT_EQ(Send(UM_GetEtsDeviceParam, 0, 0), 0) << "no instance, no answer";
}

TEST_F(DevInst, DeletingTheDeviceNodeForgetsIt)
{
    inst.FillDataMaps(TestDatensatz(10, "System", 105, 0, 10));
    inst.InitDataMainStruktur();
    EXPECT_TRUE(inst.DeletePointerFromList(inst.GetDevice()));
    EXPECT_EQ(inst.GetDevice(), nullptr);
    EXPECT_FALSE(inst.DeletePointerFromList(nullptr));
}

} // namespace
