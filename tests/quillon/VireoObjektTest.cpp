// The product communication object: its flags from the constructor, icons, and that it
// never talks to ETS.
#include "ObjektTestEditor.h"

#include <gtest/gtest.h>

namespace {

using Editor = TObjektTestEditor;

TEST(VireoObjekt, ConstructorBoolsGiveTransmitCommunicationReadWriteUpdateStatus)
{
    // Only bool i set: the flag it becomes, as GetFlags hands them out (read, write,
    // communication, transmit, update, status), and the icon without links.
    struct Case {
        int bool_;
        int flag;
        int icon;
    };
    for (const Case& c : {Case{0, 3, 20}, Case{1, 2, 20}, Case{2, 0, 14}, Case{3, 1, 16},
                          Case{4, 4, 20}, Case{5, 5, 20}}) {
        SCOPED_TRACE(c.bool_);
        bool b[6] = {};
        b[c.bool_] = true;
        TVireoObjekt objekt(nullptr, 1, 2, "Eigen", b[0], b[1], b[2], b[3], b[4], b[5], 4, 0, 0,
                            ot1Bit, 9, 0);
        bool f[6];
        objekt.GetFlags(f[0], f[1], f[2], f[3], f[4], f[5]);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(f[i], i == c.flag) << i;
        EXPECT_EQ(objekt.GetIcon(), c.icon);
    }
}

TEST(VireoObjekt, IconByIoTypAndLinks)
{
    struct Case {
        bool lesen;
        bool schreiben;
        int ohne;
        int mit;
    };
    for (const Case& c : {Case{false, true, 16, 15}, Case{true, false, 14, 13},
                          Case{true, true, 18, 17}, Case{false, false, 20, 19}}) {
        SCOPED_TRACE(testing::Message() << c.lesen << c.schreiben);
        Editor e;
        TVireoObjekt objekt(e.Main.Handle(), 1, 2, "", false, false, c.lesen, c.schreiben, false,
                            false, 4, 0, 0, ot1Bit, 9, 0);
        EXPECT_EQ(objekt.GetIcon(), c.ohne);
        e.Gruppe(10, 1);
        objekt.AddSubGroupLink(10, 1);
        EXPECT_EQ(objekt.GetIcon(), c.mit);
    }
}

TEST(VireoObjekt, DatenAbgleichOnlyAsksForTheDefaultName)
{
    for (auto [erster, zweiter] : {std::pair{false, false}, std::pair{true, true},
                                   std::pair{true, false}}) {
        SCOPED_TRACE(testing::Message() << erster << zweiter);
        Editor e;
        auto objekt = e.VireoObjekt(50, 77);
        EXPECT_TRUE(objekt->DatenAbgleich(erster, zweiter));
        EXPECT_EQ(e.SendIds(), (std::vector<UINT>{UM_UserObjectMessage}));
        ASSERT_EQ(e.Main.ObjectRequests().size(), 1u);
        const TUserDeviceRequest& r = e.Main.ObjectRequests()[0];
        EXPECT_EQ(r.Code, 15);
        EXPECT_EQ(r.Handle, 50);
        EXPECT_EQ(r.Sender, objekt.get());
        EXPECT_EQ(r.Wert5, 77);
        EXPECT_EQ(r.Wert6, 0);
        EXPECT_NE(r.Wert3, 0);
        EXPECT_EQ(objekt->GetName(false), "Objekt");
    }
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Main.OnObjectRequest(15, [](TUserDeviceRequest& r) -> LRESULT {
        *reinterpret_cast<std::string*>(r.Wert3) = "Eigener Name";
        return 1;
    });
    EXPECT_TRUE(objekt->DatenAbgleich(false, false));
    EXPECT_EQ(objekt->GetName(false), "Eigener Name");
}

TEST(VireoObjekt, FlagsChangeOnlyTheObject)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    EXPECT_TRUE(objekt->SetFlags(true, true, true, true, true, true, false));
    EXPECT_EQ(objekt->GetIoTyp(), T_DB_EnumObjektBasis::ioLesenSchreiben);
    EXPECT_TRUE(objekt->ChangeFlag(TObjektBasis::ofLesen, false));
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(VireoObjekt, SendingAddressNeverReachesEts)
{
    Editor e;
    auto objekt = e.VireoObjekt(50);
    e.Gruppe(10, 300);
    e.Gruppe(20, 100);
    e.Gruppe(30, 200);
    e.Intern(90, 3);
    for (int32_t id : {10, 30, 20})
        objekt->AddSubGroupLink(id, e.Gruppen[id].Wort);
    objekt->AddInternGroupLink(90);
    e.Main.Clear();

    objekt->SetGrpAdrSend(200);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 20, 10}));
    objekt->SetGrpAdrSend(0x8003);
    EXPECT_TRUE(objekt->IsSendendIntern());
    objekt->SetGrpAdrSend(100);
    EXPECT_FALSE(objekt->IsSendendIntern());
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{20, 30, 10}));
    for (UINT id : e.Ids())
        EXPECT_TRUE(id == UM_GetDataPointer || id == UM_GetGrpAdrNr || id == UM_GetGrpAdrNrAsZahl)
            << id;

    // Deleting the sending link re-sorts without any ETS message either.
    objekt->DeleteSubGroupLink(20);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 10}));
    for (UINT id : e.Ids())
        EXPECT_NE(id, UM_GrpAdrSendendAus);
}

} // namespace
