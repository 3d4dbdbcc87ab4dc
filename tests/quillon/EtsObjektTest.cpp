// The ETS communication object: icons, record, the flag passes against ETS (with a failed
// read never taken for a difference), flag changes and the sending mark in ETS.
#include "ObjektTestEditor.h"

#include <gtest/gtest.h>

namespace {

using Editor = TObjektTestEditor;
using F = TObjektBasis::TEnumObjektFlag;

void SetzeFlags(TObjektBasis& objekt, bool lesen, bool schreiben)
{
    // The base's SetFlags: the object only, nothing goes to ETS.
    objekt.TObjektBasis::SetFlags(false, lesen, schreiben, false, false, false, false);
}

TEST(EtsObjekt, IconByIoTypAndLinks)
{
    struct Case {
        bool lesen;
        bool schreiben;
        int ohne;
        int mit;
    };
    for (const Case& c : {Case{false, true, 4, 3}, Case{true, false, 2, 1},
                          Case{true, true, 6, 5}, Case{false, false, 12, 11}}) {
        SCOPED_TRACE(testing::Message() << c.lesen << c.schreiben);
        Editor e;
        auto objekt = e.EtsObjekt();
        SetzeFlags(*objekt, c.lesen, c.schreiben);
        EXPECT_EQ(objekt->GetIcon(), c.ohne);
        e.Intern(90, 1);
        objekt->AddInternGroupLink(90);
        EXPECT_EQ(objekt->GetIcon(), c.mit);
        objekt->ClearAllInternGroupLink();
        e.Gruppe(10, 1);
        objekt->AddSubGroupLink(10, 1);
        EXPECT_EQ(objekt->GetIcon(), c.mit);
    }
}

TEST(EtsObjekt, ConstructorIgnoresTheIoTypArgument)
{
    Editor e;
    auto objekt = e.EtsObjekt(); // given IoTyp 2
    EXPECT_EQ(objekt->GetIoTyp(), T_DB_EnumObjektBasis::ioKeins);
    EXPECT_EQ(objekt->GetIcon(), 12);
    EXPECT_EQ(objekt->GetName(true), objekt->GetName(false));
    EXPECT_EQ(objekt->GetEtsObjektId(), Editor::kDeviceObjectId);
    // Update on, the rest off; communication, read, write, transmit may be changed.
    bool l, s, k, u, a, st;
    objekt->GetFlags(l, s, k, u, a, st);
    EXPECT_EQ((std::vector<bool>{l, s, k, u, a, st}),
              (std::vector<bool>{false, false, false, false, true, false}));
    objekt->GetFlagZugriff(k, l, s, u, st, a);
    EXPECT_EQ((std::vector<bool>{k, l, s, u, st, a}),
              (std::vector<bool>{true, true, true, true, false, false}));
}

TEST(EtsObjekt, RecordRoundTripWithItsEtsKeys)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    objekt->SetObjectId(-1);
    objekt->SetParameterId(4711);
    objekt->SetEtsObjektArt(static_cast<T_DB_EnumEtsObjekt::TEnumEtsObjektArt>(-3));
    TDatenStruktur r;
    objekt->Write(r);
    EXPECT_EQ(r.Typ, 806);
    EXPECT_EQ(r.Param3, -1);
    EXPECT_EQ(r.Param5, 4711);
    EXPECT_EQ(r.Param7, -3);
    EXPECT_EQ(r.Param10, Editor::kDeviceObjectId);
    EXPECT_FALSE(r.Bool9);
    EXPECT_EQ(r.Param4, 8);
    EXPECT_EQ(r.Param9, 42);

    r.Bool9 = true;
    r.Param7 = 0x1FE; // read as 8 bits: -2
    TEtsObjekt geladen(e.Main.Handle(), 0, 0, "", -1, -1, -1, -1, -1, -1,
                       T_DB_EnumEtsObjekt::eoaStandard, otUnsichtbar,
                       T_DB_EnumObjektBasis::ioLesen, 0, 0);
    geladen.InitFromDB(r);
    EXPECT_EQ(geladen.GetObjectId(), -1);
    EXPECT_EQ(geladen.GetDeviceObjectId(), Editor::kDeviceObjectId);
    EXPECT_EQ(geladen.GetParameterId(), 4711);
    EXPECT_EQ(geladen.GetEtsObjektArt(), -2);
    EXPECT_FALSE(geladen.IsVisible());
    EXPECT_EQ(geladen.GetObjektNr(), 8);
    EXPECT_EQ(geladen.GetName(false), "Ets-Objekt");
}

// --- Flag passes -------------------------------------------------------------------------

// Flag requests the object sent: (wParam, flag number, value).
struct FlagRequest {
    WPARAM modus;
    int32_t flag;
    int32_t wert;
    bool operator==(const FlagRequest&) const = default;
};

class EtsObjektFlags : public testing::Test {
protected:
    void SetUp() override
    {
        objekt = e.EtsObjekt(60);
        satz = &e.Main.AddRecord([] {
            TDatenStruktur r;
            r.Handle = 60;
            r.Parent = Editor::kParent;
            r.System = Editor::kSystem;
            return r;
        }());
        // Object: communication and read on. ETS: the same, unless a test says otherwise.
        objekt->TObjektBasis::SetFlags(true, true, false, false, false, false, false);
        for (int f = 0; f <= 4; ++f)
            e.EtsFlags[{Editor::kDeviceObjectId, f}] = objekt->GetObjektFlag(static_cast<F>(f));
        // Record every flag request as it arrives, then let the editor answer it.
        e.Main.OnObjektFlag([this](WPARAM modus, TUserDeviceRequest& r) -> LRESULT {
            EXPECT_EQ(r.Code, 5);
            EXPECT_EQ(r.Sender, objekt.get());
            EXPECT_EQ(r.Reserve, Editor::kDeviceObjectId);
            EXPECT_EQ(r.Handle, 0);
            EXPECT_EQ(r.Text, "");
            anfragen.push_back({modus, r.Wert5, r.Wert6});
            return antworte(modus, r);
        });
    }

    LRESULT antworte(WPARAM modus, TUserDeviceRequest& r)
    {
        const auto key = std::make_pair(r.Reserve, r.Wert5);
        if (modus == 0) {
            if (verweigert.count(r.Wert5) != 0)
                return 0;
            e.EtsFlags[key] = r.Wert6 != 0;
            return 1;
        }
        if (e.LeseFehler.count(key) != 0) {
            r.Wert1 = -1;
            return 0;
        }
        return e.EtsFlags[key] == (r.Wert6 != 0) ? 1 : 0;
    }

    std::vector<int32_t> Flags() const
    {
        std::vector<int32_t> out;
        for (int f = 0; f <= 5; ++f)
            out.push_back(objekt->GetObjektFlag(static_cast<F>(f)) ? 1 : 0);
        return out;
    }

    Editor e;
    std::unique_ptr<TEtsObjekt> objekt;
    TDatenStruktur* satz = nullptr;
    std::vector<FlagRequest> anfragen;
    std::set<int32_t> verweigert;
};

TEST_F(EtsObjektFlags, WritePassWritesTheFiveFlagsInOrder)
{
    EXPECT_TRUE(objekt->DatenAbgleich(true, true));
    EXPECT_EQ(anfragen, (std::vector<FlagRequest>{
                            {0, 0, 1}, {0, 1, 1}, {0, 2, 0}, {0, 3, 0}, {0, 4, 0}}));
    // Then the default-name request; the record is not written.
    ASSERT_EQ(e.Main.ObjectRequests().size(), 1u);
    EXPECT_EQ(e.Sends(UM_GetDatenSatz).size(), 0u);

    anfragen.clear();
    verweigert = {2};
    EXPECT_FALSE(objekt->DatenAbgleich(true, true));
    EXPECT_EQ(anfragen.size(), 3u); // stops at the refused flag
    EXPECT_EQ(e.Main.ObjectRequests().size(), 1u);
}

TEST_F(EtsObjektFlags, CheckAndAdoptTakesOverOnlyRealDifferences)
{
    struct Case {
        const char* name;
        std::vector<int32_t> etsAnders;  // flags ETS holds the other way
        std::vector<int32_t> leseFehler; // flags whose read fails
        std::vector<int32_t> flags;      // the object's flags afterwards
        bool geschrieben;
    };
    for (const Case& c : {
             Case{"NoDifference", {}, {}, {1, 1, 0, 0, 0, 0}, false},
             Case{"ReadDiffers", {1}, {}, {1, 0, 0, 0, 0, 0}, true},
             Case{"TwoDiffer", {0, 4}, {}, {0, 1, 0, 0, 1, 0}, true},
             Case{"ReadFails", {}, {1}, {1, 1, 0, 0, 0, 0}, false},
             Case{"ReadFailsAndWriteDiffers", {2}, {1}, {1, 1, 1, 0, 0, 0}, true},
         }) {
        SCOPED_TRACE(c.name);
        e.Main.Clear();
        e.LeseFehler.clear();
        anfragen.clear();
        objekt->TObjektBasis::SetFlags(true, true, false, false, false, false, false);
        for (int f = 0; f <= 4; ++f)
            e.EtsFlags[{Editor::kDeviceObjectId, f}] = objekt->GetObjektFlag(static_cast<F>(f));
        for (int32_t f : c.etsAnders)
            e.EtsFlags[{Editor::kDeviceObjectId, f}] = !e.EtsFlags[{Editor::kDeviceObjectId, f}];
        for (int32_t f : c.leseFehler)
            e.LeseFehler.insert({Editor::kDeviceObjectId, f});
        *satz = TDatenStruktur();
        satz->Handle = 60;
        satz->Parent = Editor::kParent;
        satz->System = Editor::kSystem;
        const size_t namenVorher = e.Main.ObjectRequests().size();

        EXPECT_TRUE(objekt->DatenAbgleich(true, false));
        EXPECT_EQ(Flags(), c.flags);
        EXPECT_EQ(anfragen.size(), 5u);
        for (const FlagRequest& a : anfragen)
            EXPECT_EQ(a.modus, 1u);
        // The default name is asked in every case, with the object's two ETS ids.
        ASSERT_EQ(e.Main.ObjectRequests().size(), namenVorher + 1);
        const TUserDeviceRequest& name = e.Main.ObjectRequests().back();
        EXPECT_EQ(name.Code, 15);
        EXPECT_EQ(name.Handle, 60);
        EXPECT_EQ(name.Sender, objekt.get());
        EXPECT_EQ(name.Wert5, 300);
        EXPECT_EQ(name.Wert6, Editor::kDeviceObjectId);
        EXPECT_NE(name.Wert3, 0);
        // Only a taken-over flag rewrites the record, after the name request.
        const auto ids = e.SendIds();
        const auto satzHolen = std::find(ids.begin(), ids.end(), UM_GetDatenSatz);
        EXPECT_EQ(satzHolen != ids.end(), c.geschrieben);
        if (c.geschrieben) {
            EXPECT_LT(std::find(ids.begin(), ids.end(), UM_UserObjectMessage), satzHolen);
            EXPECT_EQ(satz->Typ, 806);
            EXPECT_EQ(satz->Bool4, c.flags[0] != 0);
            EXPECT_EQ(satz->Bool5, c.flags[1] != 0);
            EXPECT_EQ(satz->Bool7, c.flags[2] != 0);
            EXPECT_EQ(satz->Param6, objekt->GetIoTyp());
        } else {
            EXPECT_EQ(satz->Typ, 0);
        }
    }
}

TEST_F(EtsObjektFlags, ComparePassStopsAtTheFirstDifference)
{
    for (bool zweiter : {true, false}) {
        SCOPED_TRACE(zweiter);
        anfragen.clear();
        e.Main.Clear();
        const size_t namenVorher = e.Main.ObjectRequests().size();
        e.EtsFlags[{Editor::kDeviceObjectId, 1}] = false; // read differs
        EXPECT_FALSE(objekt->DatenAbgleich(false, zweiter));
        EXPECT_EQ(anfragen, (std::vector<FlagRequest>{{1, 0, 1}, {1, 1, 1}}));
        EXPECT_EQ(e.Main.ObjectRequests().size(), namenVorher);
        EXPECT_EQ(Flags(), (std::vector<int32_t>{1, 1, 0, 0, 0, 0}));
        e.EtsFlags[{Editor::kDeviceObjectId, 1}] = true;
        EXPECT_TRUE(objekt->DatenAbgleich(false, zweiter));
    }
}

TEST_F(EtsObjektFlags, ExceptionOnTheWayAnswersFalseWithoutRollback)
{
    // Writing the record needs a continuation record, and no handle source answers.
    e.Gruppe(10, 1);
    e.Gruppe(20, 2);
    objekt->AddSubGroupLink(10, 1);
    objekt->AddSubGroupLink(20, 2);
    e.Main.SetHandleSourceAvailable(false);
    e.EtsFlags[{Editor::kDeviceObjectId, 3}] = true;
    EXPECT_FALSE(objekt->DatenAbgleich(true, false));
    EXPECT_TRUE(objekt->GetObjektFlag(F::ofUebertragen));
}

TEST_F(EtsObjektFlags, ChangeFlagWritesIntoEtsFirst)
{
    objekt->TObjektBasis::SetFlags(true, false, true, false, false, false, false);
    ASSERT_EQ(objekt->GetIoTyp(), T_DB_EnumObjektBasis::ioSchreiben);
    // The caller has set the flag already.
    objekt->TObjektBasis::SetFlags(true, true, true, false, false, false, false);
    EXPECT_TRUE(objekt->ChangeFlag(F::ofLesen, true));
    EXPECT_EQ(anfragen, (std::vector<FlagRequest>{{0, 1, 1}}));
    EXPECT_EQ(objekt->GetIoTyp(), T_DB_EnumObjektBasis::ioLesenSchreiben);

    // The status flag goes to the editor as well.
    anfragen.clear();
    EXPECT_TRUE(objekt->ChangeFlag(F::ofStatus, false));
    EXPECT_EQ(anfragen, (std::vector<FlagRequest>{{0, 5, 0}}));

    anfragen.clear();
    verweigert = {0};
    EXPECT_FALSE(objekt->ChangeFlag(F::ofKommunikation, false));
    EXPECT_EQ(anfragen, (std::vector<FlagRequest>{{0, 0, 0}}));
}

TEST_F(EtsObjektFlags, SetFlagsWritesAllFlagsIntoEts)
{
    EXPECT_TRUE(objekt->SetFlags(false, true, true, true, true, true, false));
    EXPECT_EQ(anfragen, (std::vector<FlagRequest>{
                            {0, 0, 0}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1}, {0, 4, 1}}));
    EXPECT_EQ(Flags(), (std::vector<int32_t>{0, 1, 1, 1, 1, 1}));
    anfragen.clear();
    verweigert = {0};
    EXPECT_FALSE(objekt->SetFlags(true, true, true, true, true, true, false));
    EXPECT_EQ(anfragen.size(), 1u);
}

TEST(EtsObjekt, DefaultNameFromTheEditorIsTaken)
{
    Editor e;
    auto objekt = e.EtsObjekt();
    e.Main.OnObjectRequest(15, [](TUserDeviceRequest& r) -> LRESULT {
        *reinterpret_cast<std::string*>(r.Wert3) = "Schalten";
        return 1;
    });
    e.Main.OnObjektFlag([](WPARAM, TUserDeviceRequest&) -> LRESULT { return 1; });
    EXPECT_TRUE(objekt->DatenAbgleich(false, false));
    EXPECT_EQ(objekt->GetName(false), "Schalten");
}

// --- Sending mark ------------------------------------------------------------------------

TEST(EtsObjekt, SendingAddressMovesTheMarkInEts)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    e.Gruppe(10, 300);
    e.Gruppe(20, 100);
    e.Gruppe(30, 200);
    objekt->AddSubGroupLink(10, 300);
    objekt->AddSubGroupLink(30, 200);
    objekt->AddSubGroupLink(20, 100);
    ASSERT_EQ(SubIds(*objekt), (std::vector<int32_t>{10, 20, 30}));

    e.Main.Clear();
    objekt->SetGrpAdrSend(200);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 20, 10}));
    const auto sends = e.Main.Sends();
    ASSERT_GE(sends.size(), 2u);
    EXPECT_EQ(sends[sends.size() - 2],
              (TRecordedMessage{TMessageKind::Send, UM_GrpAdrSendendAus, W(10),
                                Editor::kDeviceObjectId}));
    EXPECT_EQ(sends.back(), (TRecordedMessage{TMessageKind::Send, UM_GrpAdrSendendEin, W(30),
                                              Editor::kDeviceObjectId}));
    EXPECT_TRUE(e.Main.Posts().empty());

    // The old mark cannot be cleared: the new one is not set.
    e.Main.Clear();
    e.SendendAusAntwort = 0;
    objekt->SetGrpAdrSend(100);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{20, 30, 10}));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendAus).size(), 1u);
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendEin).size(), 0u);

    // An address no link has: the order is only refreshed, the mark stays on the first.
    e.Main.Clear();
    e.SendendAusAntwort = 1;
    e.Gruppen.erase(30);
    objekt->SetGrpAdrSend(999);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{20, 10}));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendAus)[0].wParam, W(20));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendEin)[0].wParam, W(20));
}

TEST(EtsObjekt, InternalSendingAddressSendsNothingToEts)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    e.Gruppe(10, 300);
    e.Intern(90, 8);
    e.Intern(91, 2);
    objekt->AddSubGroupLink(10, 300);
    objekt->AddInternGroupLink(90);
    objekt->AddInternGroupLink(91);
    ASSERT_FALSE(objekt->IsSendendIntern());
    EXPECT_EQ(objekt->GetInternGroupLinks(), (std::vector<int32_t>{91, 90}));

    e.Main.Clear();
    objekt->SetGrpAdrSend(0x8008);
    EXPECT_TRUE(objekt->IsSendendIntern());
    EXPECT_EQ(objekt->GetInternGroupLinks(), (std::vector<int32_t>{90, 91}));
    for (UINT id : e.SendIds())
        EXPECT_TRUE(id == UM_GetDataPointer || id == UM_GetGrpAdrNr || id == UM_GetGrpAdrNrAsZahl)
            << id;

    // Back to the ETS address: the mark goes to it (nothing to clear: -1).
    e.Main.Clear();
    objekt->SetGrpAdrSend(300);
    EXPECT_FALSE(objekt->IsSendendIntern());
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendAus)[0].wParam, W(-1));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendEin)[0].wParam, W(10));
}

TEST(EtsObjekt, NoLinksSendsMinusOne)
{
    for (LRESULT antwort : {0, 1}) {
        SCOPED_TRACE(antwort);
        Editor e;
        auto objekt = e.EtsObjekt(60);
        e.SendendAusAntwort = antwort;
        objekt->SetGrpAdrSend(0);
        EXPECT_TRUE(objekt->GetSubGroupLinks().empty());
        EXPECT_TRUE(objekt->GetInternGroupLinks().empty());
        std::vector<TRecordedMessage> erwartet = {
            {TMessageKind::Send, UM_GrpAdrSendendAus, W(-1), Editor::kDeviceObjectId}};
        if (antwort != 0)
            erwartet.push_back(
                {TMessageKind::Send, UM_GrpAdrSendendEin, W(-1), Editor::kDeviceObjectId});
        EXPECT_EQ(e.Main.Messages(), erwartet);
    }
}

TEST(EtsObjekt, DeletingTheSendingLinkMarksTheNextOne)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    e.Gruppe(10, 300);
    e.Gruppe(20, 100);
    e.Gruppe(30, 200);
    for (int32_t id : {10, 30, 20})
        objekt->AddSubGroupLink(id, e.Gruppen[id].Wort);
    e.Main.Clear();
    objekt->DeleteSubGroupLink(10);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{20, 30}));
    EXPECT_EQ(e.Sends(UM_GrpAdrSendendEin)[0].wParam, W(20));
}

TEST(EtsObjekt, SendingLinkById)
{
    Editor e;
    auto objekt = e.EtsObjekt(60);
    for (int32_t id : {10, 20, 30}) {
        e.Gruppe(id, static_cast<uint16_t>(id));
        objekt->AddSubGroupLink(id, static_cast<uint16_t>(id));
    }
    e.Main.Clear();
    objekt->SetGrpAdrSendId(30);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 20, 10}));
    objekt->SetGrpAdrSendId(99);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{30, 20, 10}));
    EXPECT_TRUE(e.Main.Messages().empty());
}

} // namespace
