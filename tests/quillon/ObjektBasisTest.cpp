// Communication objects: links and their order, the link limit, the record with its chain
// of continuation records, texts of the links, paste and drop.
#include "ObjektTestEditor.h"

#include "morrow/EtsSubGroup.h"
#include "quillon/DatenManager.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

namespace {

using Editor = TObjektTestEditor;

// Records every SetGrpAdrSend it is asked for; links stay as they are.
class TTestObjekt : public TObjektBasis {
public:
    TTestObjekt(HWND owner, int32_t identifier = 42)
        : TObjektBasis(owner, Editor::kSystem, Editor::kParent, "Test", 5, 0, 0, ot1Byte,
                       identifier, 0)
    {
    }
    int GetTyp() override { return 807; }
    int GetIcon() override { return 0; }
    void SetGrpAdrSend(int address) override { Aufrufe.push_back(address); }
    std::vector<int> Aufrufe;
};

// --- Order of the links ------------------------------------------------------------------

struct OrderCase {
    const char* name;
    std::vector<std::pair<int32_t, uint16_t>> vorher; // added in this order
    std::pair<int32_t, uint16_t> neu;
    std::vector<int32_t> erwartet;
};

void PrintTo(const OrderCase& c, std::ostream* os)
{
    *os << c.name;
}

class LinkOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(LinkOrder, SortedByAddressWordWithTheSendingLinkFirst)
{
    const OrderCase& c = GetParam();
    Editor e;
    auto objekt = e.VireoObjekt();
    for (const auto& [id, wort] : c.vorher) {
        e.Gruppe(id, wort);
        objekt->AddSubGroupLink(id, wort);
    }
    e.Gruppe(c.neu.first, c.neu.second);
    objekt->AddSubGroupLink(c.neu.first, c.neu.second);
    EXPECT_EQ(SubIds(*objekt), c.erwartet);
    EXPECT_FALSE(objekt->IsSendendIntern());
}

INSTANTIATE_TEST_SUITE_P(
    ObjektBasis, LinkOrder,
    testing::Values(
        OrderCase{"SendingStaysFirst", {{10, 300}, {20, 100}}, {30, 200}, {10, 20, 30}},
        OrderCase{"LowerWordBehindSending", {{10, 300}}, {20, 100}, {10, 20}},
        // Words compare unsigned: 0x8001 sorts after 0x7FFF.
        OrderCase{"UnsignedWords", {{10, 5}, {20, 0x8001}}, {30, 0x7FFF}, {10, 30, 20}},
        OrderCase{"IdAlreadyLinkedNotAddedTwice", {{10, 300}, {20, 100}}, {20, 100}, {10, 20}},
        OrderCase{"FirstLinkIsSending", {}, {10, 300}, {10}}),
    TZeilenName());

TEST(ObjektBasis, ResortingUsesTheEditorsCurrentWordAndDropsUnknownGroups)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Gruppe(10, 100);
    e.Gruppe(20, 200);
    e.Gruppe(30, 300);
    objekt->AddSubGroupLink(10, 100);
    objekt->AddSubGroupLink(30, 300);
    objekt->AddSubGroupLink(20, 200);
    ASSERT_EQ(SubIds(*objekt), (std::vector<int32_t>{10, 20, 30}));

    // Group 30 moved below group 20 in ETS, group 20 is gone.
    e.Gruppe(30, 150);
    e.Gruppen.erase(20);
    objekt->AddSubGroupLink(10, 100); // linked already: only re-sorts
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{10, 30}));
    // The link keeps the word it was made with until UpdateAssociatedAddress.
    EXPECT_EQ(objekt->GetSubGroupLinks()[1].GrpAdr, 300);

    // Two groups with one current word: the first stays.
    e.Gruppe(40, 150);
    objekt->AddSubGroupLink(40, 150);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{10, 30}));
}

TEST(ObjektBasis, IdZeroOnlySettlesTheSendingKind)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Intern(90, 5);
    objekt->AddInternGroupLink(90);
    EXPECT_TRUE(objekt->IsSendendIntern());
    objekt->AddSubGroupLink(0, 0); // has links: nothing changes
    EXPECT_TRUE(objekt->IsSendendIntern());
    objekt->ClearAllInternGroupLink();
    objekt->AddSubGroupLink(0, 0); // no links: the sending address becomes a sub-group link
    EXPECT_FALSE(objekt->IsSendendIntern());
    EXPECT_TRUE(objekt->GetSubGroupLinks().empty());
}

TEST(ObjektBasis, InternalLinksSortedByFullWordWithTheSendingLinkFirst)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Intern(91, 4096); // word 0x9000, shown as int/0
    e.Intern(92, 7);
    e.Intern(93, 100);
    objekt->AddInternGroupLink(91);
    objekt->AddInternGroupLink(93);
    objekt->AddInternGroupLink(92);
    objekt->AddInternGroupLink(94); // no such node: dropped by the re-sorting
    objekt->AddInternGroupLink(0);
    EXPECT_TRUE(objekt->IsSendendIntern());
    EXPECT_EQ(objekt->GetInternGroupLinks(), (std::vector<int32_t>{91, 92, 93}));

    // A sub-group link added now is not the sending one.
    e.Gruppe(10, 300);
    objekt->AddSubGroupLink(10, 300);
    EXPECT_TRUE(objekt->IsSendendIntern());
    EXPECT_EQ(objekt->GetGrpAdrText(), "int/0 0/1/44 int/7 int/100 ");

    objekt->DeleteInternGroupLink(91);
    EXPECT_EQ(objekt->GetInternGroupLinks(), (std::vector<int32_t>{92, 93}));
    EXPECT_TRUE(objekt->IsSendendIntern());
}

// --- Link limit ------------------------------------------------------------------------

TEST(ObjektBasis, LinkLimitShowsTheBoxAndAddsNothing)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Gruppe(10, 300);
    e.Gruppe(20, 200);
    e.Intern(90, 1);
    objekt->SetNumberSelectableGrpAdr(2);
    objekt->AddSubGroupLink(10, 300);
    objekt->AddInternGroupLink(90);
    ASSERT_EQ(e.Boxen.Count(), 0u);

    objekt->AddSubGroupLink(20, 200);
    ASSERT_EQ(e.Boxen.Count(), 1u);
    EXPECT_EQ(e.Boxen.Shown()[0].text,
              "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!");
    EXPECT_EQ(e.Boxen.Shown()[0].caption, "Fehler");
    EXPECT_EQ(e.Boxen.Shown()[0].flags, MB_OK);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{10}));

    e.Intern(91, 2);
    objekt->AddInternGroupLink(91);
    EXPECT_EQ(e.Boxen.Count(), 2u);
    EXPECT_EQ(objekt->GetInternGroupLinks(), (std::vector<int32_t>{90}));

    // A drop at the limit shows the box and asks the editor for nothing.
    auto intern = std::make_unique<TVireoInternGrpSub>(e.Main.Handle(), 1, 3, "", 9, 1);
    e.Register(intern, 95);
    e.Main.Clear();
    objekt->Drop(intern.get());
    EXPECT_EQ(e.Boxen.Count(), 3u);
    EXPECT_TRUE(e.Main.Messages().empty());
}

TEST(ObjektBasis, NoLimitForZeroOrLess)
{
    for (int limit : {0, -1}) {
        SCOPED_TRACE(limit);
        Editor e;
        auto objekt = e.VireoObjekt();
        objekt->SetNumberSelectableGrpAdr(limit);
        for (int32_t id = 1; id <= 5; ++id) {
            e.Gruppe(id, static_cast<uint16_t>(id * 10));
            objekt->AddSubGroupLink(id, static_cast<uint16_t>(id * 10));
        }
        EXPECT_EQ(objekt->GetSubGroupLinks().size(), 5u);
        EXPECT_EQ(e.Boxen.Count(), 0u);
    }
}

TEST(ObjektBasis, DeletingTheSendingLinkSettlesANewOne)
{
    struct Case {
        const char* name;
        bool sendendIntern;
        int32_t geloescht;
        std::vector<int> aufrufe;
    };
    for (const Case& c : {Case{"SendingSubLink", false, 10, {0}},
                          Case{"OtherSubLink", false, 20, {}},
                          Case{"FirstWhileSendingIsInternal", true, 20, {}},
                          Case{"NotLinked", false, 99, {}}}) {
        SCOPED_TRACE(c.name);
        Editor e;
        TTestObjekt objekt(e.Main.Handle());
        objekt.SetHandle(70);
        e.Intern(90, 1);
        e.Gruppe(10, 300);
        e.Gruppe(20, 100);
        if (c.sendendIntern)
            objekt.AddInternGroupLink(90);
        objekt.AddSubGroupLink(10, 300);
        objekt.AddSubGroupLink(20, 100);
        // Sending sub link first; while the sending address is internal, ascending words.
        ASSERT_EQ(SubIds(objekt), (std::vector<int32_t>{c.sendendIntern ? 20 : 10,
                                                          c.sendendIntern ? 10 : 20}));
        objekt.DeleteSubGroupLink(c.geloescht);
        EXPECT_EQ(objekt.Aufrufe, c.aufrufe);
    }

    // The last link gone: no new sending one to settle.
    Editor e;
    TTestObjekt objekt(e.Main.Handle());
    e.Gruppe(10, 300);
    objekt.AddSubGroupLink(10, 300);
    objekt.DeleteSubGroupLink(10);
    EXPECT_TRUE(objekt.Aufrufe.empty());
}

// --- Record and continuation records -------------------------------------------------

struct ChainCase {
    const char* name;
    int subLinks;
    int internLinks;
};

void PrintTo(const ChainCase& c, std::ostream* os)
{
    *os << c.name;
}

class Chain : public testing::TestWithParam<ChainCase> {};

TEST_P(Chain, EveryLinkBeyondTheFirstGoesIntoItsContinuationRecord)
{
    const ChainCase& c = GetParam();
    Editor e;
    auto objekt = e.VireoObjekt(50);
    for (int i = 0; i < c.subLinks; ++i) {
        e.Gruppe(100 + i, static_cast<uint16_t>(0x0800 + i));
        objekt->AddSubGroupLink(100 + i, static_cast<uint16_t>(0x0800 + i));
    }
    for (int i = 0; i < c.internLinks; ++i) {
        e.Intern(200 + i, static_cast<uint16_t>(i));
        objekt->AddInternGroupLink(200 + i);
    }
    const auto subs = objekt->GetSubGroupLinks();
    const auto interns = objekt->GetInternGroupLinks();

    TDatenStruktur& kopf = e.Main.AddRecord([] {
        TDatenStruktur r;
        r.Handle = 50;
        r.Parent = Editor::kParent;
        r.System = Editor::kSystem;
        return r;
    }());
    objekt->Write(kopf);
    EXPECT_EQ(kopf.Param14, subs.empty() ? 0 : subs[0].SubGroupId);
    EXPECT_EQ(kopf.Param15, subs.empty() ? 0 : subs[0].GrpAdr);
    EXPECT_EQ(kopf.Param19, interns.empty() ? 0 : interns[0]);

    const std::size_t n = std::max(subs.size(), interns.size());
    EXPECT_EQ(e.Main.RecordCount(), n == 0 ? 1u : n);
    std::set<int32_t> handles;
    int32_t next = kopf.Next;
    for (std::size_t i = 1; i < n; ++i) {
        SCOPED_TRACE(i);
        TDatenStruktur* satz = e.Main.FindRecord(next);
        ASSERT_NE(satz, nullptr);
        EXPECT_TRUE(handles.insert(satz->Handle).second);
        EXPECT_EQ(satz->Typ, 2);
        EXPECT_EQ(satz->Name, "Next from Objekt 50");
        EXPECT_EQ(satz->Parent, 50);
        EXPECT_EQ(satz->System, Editor::kSystem);
        EXPECT_EQ(satz->Param14, i < subs.size() ? subs[i].SubGroupId : 0);
        EXPECT_EQ(satz->Param15, i < subs.size() ? subs[i].GrpAdr : 0);
        EXPECT_EQ(satz->Param19, i < interns.size() ? interns[i] : 0);
        next = satz->Next;
    }
    EXPECT_EQ(next, 0);

    // Read back through the chain.
    auto geladen = std::make_unique<TVireoObjekt>(e.Main.Handle(), 0, 0, "", false, false, false,
                                                  false, false, false, 0, 0, 0, otUnsichtbar, 0, 0);
    const std::size_t vorher = e.Main.RecordCount();
    geladen->InitFromDB(kopf);
    EXPECT_EQ(geladen->GetSubGroupLinks(), subs);
    EXPECT_EQ(geladen->GetInternGroupLinks(), interns);
    EXPECT_EQ(e.Main.RecordCount(), vorher);
}

INSTANTIATE_TEST_SUITE_P(ObjektBasis, Chain,
                         testing::Values(ChainCase{"NoLinks", 0, 0}, ChainCase{"OneOfEach", 1, 1},
                                         ChainCase{"TwoLinks", 2, 0}, ChainCase{"FiveLinks", 5, 0},
                                         ChainCase{"SixLinks", 6, 0},
                                         ChainCase{"ThreeSubOneIntern", 3, 1},
                                         ChainCase{"OneSubFourIntern", 1, 4}),
                         TZeilenName());

TEST(ObjektBasis, EveryWriteRebuildsTheChainAndAShrunkChainLeavesNoRecordBehind)
{
    Editor e;
    auto objekt = e.VireoObjekt(50);
    for (int i = 0; i < 6; ++i) {
        e.Gruppe(100 + i, static_cast<uint16_t>(10 + i));
        objekt->AddSubGroupLink(100 + i, static_cast<uint16_t>(10 + i));
    }
    TDatenStruktur start;
    start.Handle = 50;
    start.Parent = Editor::kParent;
    start.System = Editor::kSystem;
    TDatenStruktur& kopf = e.Main.AddRecord(start);
    objekt->Write(kopf);
    ASSERT_EQ(e.Main.RecordCount(), 6u);
    std::set<int32_t> ersteKette;
    for (const auto& r : e.Main.Records())
        if (r.Handle != 50)
            ersteKette.insert(r.Handle);

    e.Main.Clear();
    objekt->Write(kopf);
    EXPECT_EQ(e.Main.RecordCount(), 6u);
    // The old chain is deleted before the new one is built; the handles are new.
    const auto sends = e.SendIds();
    auto loeschen = std::find(sends.begin(), sends.end(), UM_DeleteNextDatenSatz);
    auto bauen = std::find(sends.begin(), sends.end(), UM_GetDatenSatz);
    ASSERT_NE(loeschen, sends.end());
    EXPECT_LT(loeschen, bauen);
    for (const auto& r : e.Main.Records()) {
        if (r.Handle != 50) {
            EXPECT_EQ(ersteKette.count(r.Handle), 0u) << r.Handle;
        }
    }

    // 6 -> 2 links: one continuation record is left.
    for (int i = 2; i < 6; ++i)
        objekt->DeleteSubGroupLink(100 + i);
    objekt->Write(kopf);
    EXPECT_EQ(e.Main.RecordCount(), 2u);
    ASSERT_NE(e.Main.FindRecord(kopf.Next), nullptr);
    EXPECT_EQ(e.Main.FindRecord(kopf.Next)->Next, 0);

    // 2 -> 1: no chain at all.
    objekt->DeleteSubGroupLink(101);
    objekt->Write(kopf);
    EXPECT_EQ(e.Main.RecordCount(), 1u);
    EXPECT_EQ(kopf.Next, 0);
}

TEST(ObjektBasis, WriteFailsLoudlyWithoutAHandle)
{
    struct Case {
        const char* name;
        bool quelleDa;
        const char* meldung;
        int position;
    };
    for (const Case& c : {Case{"NoHandleSource", false, "HandleManagment not found", 1},
                          Case{"NoHandleLeft", true, " New Handle is Invalid : -1", 2}}) {
        SCOPED_TRACE(c.name);
        Editor e;
        auto objekt = e.VireoObjekt(50);
        e.Gruppe(10, 1);
        e.Gruppe(20, 2);
        objekt->AddSubGroupLink(10, 1);
        objekt->AddSubGroupLink(20, 2);
        e.Main.SetHandleSourceAvailable(c.quelleDa);
        for (int32_t h = 1; h <= TEibHandle::MaxHandle; ++h)
            e.Main.Handles().MarkUsed(h);
        TDatenStruktur kopf;
        kopf.Handle = 50;
        try {
            objekt->Write(kopf);
            ADD_FAILURE() << "no exception";
        } catch (const E_EtsObjekt& fehler) {
            EXPECT_EQ(fehler.Message(), c.meldung);
            EXPECT_EQ(fehler.GetSeverity(), 1);
            EXPECT_EQ(fehler.GetSource(), "ObjektBasis");
            EXPECT_EQ(fehler.GetPosition(), c.position);
            EXPECT_EQ(fehler.GetClassName(), "E_DataBasis");
        }
        // The object's own record is written all the same.
        EXPECT_EQ(kopf.Param14, 10);
    }
}

TEST(ObjektBasis, RecordFieldsRoundTrip)
{
    Editor e;
    TVireoObjekt objekt(e.Main.Handle(), Editor::kSystem, Editor::kParent, "Objekt", true, false,
                        true, false, false, true, 161, -5, 0x7FFFFFFF, otVarData, 1234, 0);
    objekt.SetHandle(50);
    objekt.SetRamPosition(0xFFFFFFFFu, 255);
    objekt.SetNumberSelectableGrpAdr(3);
    objekt.SetFlagZugriff(false, true, false, true, true, false);
    e.Gruppe(10, 0xFFFF);
    objekt.AddSubGroupLink(10, 0xFFFF);

    TDatenStruktur r;
    objekt.Write(r);
    EXPECT_EQ(r.Typ, 807);
    EXPECT_EQ(r.Param4, 161);
    EXPECT_EQ(r.Param6, 1); // read only
    EXPECT_EQ(r.Param8, 16);
    EXPECT_EQ(r.Param9, 1234);
    EXPECT_EQ(r.Param11, -1);
    EXPECT_EQ(r.Param12, 255);
    EXPECT_EQ(r.Param13, 3);
    EXPECT_EQ(r.Param14, 10);
    EXPECT_EQ(r.Param15, 65535);
    EXPECT_EQ(r.Param16, -5);
    EXPECT_EQ(r.Param17, 0x7FFFFFFF);
    EXPECT_EQ(r.Param18, 0b100110); // read (bit 1), transmit (bit 2), status (bit 5)
    EXPECT_EQ(r.Param19, 0);
    EXPECT_TRUE(r.Bool3);  // status
    EXPECT_FALSE(r.Bool4); // communication
    EXPECT_TRUE(r.Bool5);  // read
    EXPECT_TRUE(r.Bool6);  // transmit
    EXPECT_FALSE(r.Bool7); // write
    EXPECT_FALSE(r.Bool8); // update
    EXPECT_FALSE(r.Bool10);
    EXPECT_EQ(r.Param1, -1);

    TVireoObjekt geladen(e.Main.Handle(), 0, 0, "", false, false, false, false, false, false, 0, 0,
                         0, otUnsichtbar, 0, 0);
    geladen.InitFromDB(r);
    TDatenStruktur wieder;
    geladen.Write(wieder);
    EXPECT_EQ(wieder, r);
    EXPECT_EQ(geladen.GetRamAdresse(), 0xFFFFFFFFu);
    EXPECT_EQ(geladen.GetRamByte(), 255);

    // Bytes stored wider than they are read back as 8-bit values.
    r.Param6 = 0x102;
    r.Param8 = 0xFF;
    r.Param12 = 0x1FF;
    geladen.InitFromDB(r);
    EXPECT_EQ(geladen.GetObjektTyp(), -1);
    EXPECT_EQ(geladen.GetRamByte(), 255);
    // IoTyp follows the flags read, whatever was stored.
    EXPECT_EQ(geladen.GetIoTyp(), T_DB_EnumObjektBasis::ioLesen);
}

// --- Damaged chains --------------------------------------------------------------------

TEST(ObjektBasis, DamagedChainEndsKeepingTheLinksReadSoFar)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int32_t, int32_t>> kette; // continuation records: handle, Next
        std::vector<int32_t> erwartet;                  // sub-group ids read
    };
    // Head 50 links 1000; continuation record h links 1000 + h.
    for (const Case& c : {
             Case{"PointsToItself", {{51, 51}}, {1000, 1051}},
             Case{"PointsBackToTheHead", {{51, 52}, {52, 50}}, {1000, 1051, 1052}},
             Case{"LoopBetweenContinuations", {{51, 52}, {52, 51}}, {1000, 1051, 1052}},
             Case{"DanglingNext", {{51, 77}}, {1000, 1051}},
         }) {
        SCOPED_TRACE(c.name);
        Editor e;
        TDatenStruktur kopf;
        kopf.Handle = 50;
        kopf.System = Editor::kSystem;
        kopf.Param14 = 1000;
        kopf.Param15 = 1;
        kopf.Next = c.kette.front().first;
        e.Main.AddRecord(kopf);
        for (const auto& [handle, next] : c.kette) {
            TDatenStruktur satz;
            satz.Handle = handle;
            satz.Typ = 2;
            satz.Parent = 50;
            satz.System = Editor::kSystem;
            satz.Next = next;
            satz.Param14 = 1000 + handle;
            e.Main.AddRecord(satz);
        }
        const std::size_t anzahl = e.Main.RecordCount();

        auto objekt = e.VireoObjekt(0);
        objekt->InitFromDB(*e.Main.FindRecord(50));
        EXPECT_EQ(SubIds(*objekt), c.erwartet);
        // Only looked up: no record is made for a dangling Next.
        EXPECT_EQ(e.Main.RecordCount(), anzahl);
        for (const auto& m : e.Main.Sends())
            EXPECT_NE(m.message, UM_GetDatenSatz);

        // Writing the object back replaces the damaged chain without touching its own record.
        TDatenStruktur* eigener = e.Main.FindRecord(50);
        objekt->Write(*eigener);
        ASSERT_EQ(e.Main.FindRecord(50), eigener);
        EXPECT_EQ(e.Main.RecordCount(), c.erwartet.size());
        objekt->InitFromDB(*eigener);
        EXPECT_EQ(SubIds(*objekt), c.erwartet);
    }
}

// --- Texts of the links ----------------------------------------------------------------

TEST(ObjektBasis, SendListPutsTheSendingAddressFirst)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    std::list<TComboWert> leer;
    objekt->GetGrpAdrSendList(leer);
    EXPECT_EQ(leer, (std::list<TComboWert>{{"---", 0}}));
    EXPECT_EQ(objekt->GetGrpAdrText(), "");
    EXPECT_FALSE(objekt->IsSendendIntern()) << "drawing an object without links changed it";

    e.Gruppe(10, 0x0A03); // 1/2/3
    e.Gruppe(20, 0x0A01); // 1/2/1
    e.Intern(90, 5);
    objekt->AddSubGroupLink(10, 0x0A03);
    objekt->AddSubGroupLink(20, 0x0A01);
    objekt->AddInternGroupLink(90);
    std::list<TComboWert> liste;
    objekt->GetGrpAdrSendList(liste);
    EXPECT_EQ(liste, (std::list<TComboWert>{{"1/2/3", 0x0A03}, {"1/2/1", 0x0A01}, {"int/5", 0x8005}}));
    EXPECT_EQ(objekt->GetGrpAdrText(), "1/2/3 1/2/1 int/5 ");

    objekt->SetGrpAdrSend(0x8005);
    ASSERT_TRUE(objekt->IsSendendIntern());
    liste.clear();
    objekt->GetGrpAdrSendList(liste);
    EXPECT_EQ(liste.front(), TComboWert("int/5", 0x8005));
    EXPECT_EQ(objekt->GetGrpAdrText(), "int/5 1/2/1 1/2/3 ");

    // A group the editor no longer knows is skipped.
    e.Gruppen.erase(20);
    EXPECT_EQ(objekt->GetGrpAdrText(), "int/5 1/2/3 ");

    // Listing changes nothing; taking the last link of the sending kind away hands the sending
    // to the other kind, both ways.
    liste.clear();
    objekt->GetGrpAdrSendList(liste);
    EXPECT_TRUE(objekt->IsSendendIntern());
    objekt->DeleteInternGroupLink(90);
    EXPECT_FALSE(objekt->IsSendendIntern());
    liste.clear();
    objekt->GetGrpAdrSendList(liste);
    EXPECT_EQ(liste, (std::list<TComboWert>{{"1/2/3", 0x0A03}}));

    objekt->AddInternGroupLink(90);
    ASSERT_FALSE(objekt->IsSendendIntern());
    objekt->DeleteSubGroupLink(20);
    objekt->DeleteSubGroupLink(10);
    EXPECT_TRUE(objekt->IsSendendIntern());
    liste.clear();
    objekt->GetGrpAdrSendList(liste);
    EXPECT_EQ(liste, (std::list<TComboWert>{{"int/5", 0x8005}}));
}

TEST(ObjektBasis, UpdateAssociatedAddressReportsGroupsThatAreGone)
{
    Editor e;
    auto objekt = e.VireoObjekt();
    e.Gruppe(10, 100);
    e.Gruppe(20, 200);
    objekt->AddSubGroupLink(10, 100);
    objekt->AddSubGroupLink(20, 200);
    e.Gruppe(10, 150);
    e.Gruppen.erase(20);
    std::string report = "vorher";
    EXPECT_FALSE(objekt->UpdateAssociatedAddress(report));
    EXPECT_EQ(report, "vorher\n Can't find Groupaddress.\n Id:20\n AddressWord:200");
    const auto links = objekt->GetSubGroupLinks();
    EXPECT_EQ(links, (std::vector<TObjektBasis::RecGrpAdrId>{{10, 150}, {20, 200}}));

    e.Gruppe(20, 210);
    report.clear();
    EXPECT_TRUE(objekt->UpdateAssociatedAddress(report));
    EXPECT_EQ(report, "");
    EXPECT_EQ(objekt->GetSubGroupLinks()[1].GrpAdr, 210);
}

TEST(ObjektBasis, ObjectTypeTexts)
{
    const std::vector<std::pair<int, std::string>> texte = {
        {0, "unsichtbar"}, {1, "1 Bit"},   {2, "2 Bit"},   {3, "3 Bit"},   {4, "4 Bit"},
        {5, "5 Bit"},      {6, "6 Bit"},   {7, "7 Bit"},   {8, "1 Byte"},  {9, "2 Byte"},
        {10, "3 Byte"},    {11, "4 Byte"}, {12, "6 Byte"}, {13, "8 Byte"}, {14, "10 Byte"},
        {15, "14 Byte"},   {16, "VARDATA"}, {17, "unbekannter Objekttyp 17"},
        {20, "unbekannter Objekttyp 20"}, {-1, "unbekannter Objekttyp -1"}};
    for (const auto& [typ, text] : texte) {
        SCOPED_TRACE(typ);
        TVireoObjekt objekt(nullptr, 0, 0, "", false, false, false, false, false, false, 0, 0, 0,
                            static_cast<TEnumObjectType>(typ), 0, 0);
        EXPECT_EQ(objekt.GetObjTypText(), text);
        EXPECT_EQ(objekt.GetEtsObjektTyp(), typ >= 1 && typ <= 16 ? typ - 1 : -1);
    }
}

// --- Paste -----------------------------------------------------------------------------

TDatenStruktur PasteSatz(int16_t typ, int32_t identifier, int32_t key)
{
    TDatenStruktur r;
    r.Handle = key;
    r.Typ = typ;
    r.Param9 = identifier;
    r.Param4 = 999;
    r.Param14 = 555;
    r.Bool3 = true;  // status
    r.Bool4 = false; // communication
    r.Bool5 = true;  // read
    r.Bool6 = true;  // transmit
    r.Bool7 = true;  // write
    r.Bool8 = false; // update
    r.Bool10 = true;
    r.Param18 = 0b110000; // update and status only
    return r;
}

TEST(ObjektBasis, PasteTakesFlagsFromTheRecordWithTheIdentifier)
{
    Editor e;
    auto objekt = e.VireoObjekt(50, 42);
    e.Gruppe(10, 1);
    objekt->AddSubGroupLink(10, 1);
    TDatenManager<TDatenStruktur> store;
    store.Insert(1, PasteSatz(807, 41, 1));
    store.Insert(2, PasteSatz(806, 42, 2));
    store.Insert(3, PasteSatz(807, 42, 3));
    std::string meldung;
    EXPECT_TRUE(objekt->Paste(&store, meldung));
    EXPECT_EQ(store.ChildCount(), 0);

    bool l, s, k, u, a, st;
    objekt->GetFlags(l, s, k, u, a, st);
    EXPECT_EQ((std::vector<bool>{l, s, k, u, a, st}),
              (std::vector<bool>{true, true, false, true, false, true}));
    bool zk, zl, zs, zu, zst, za;
    objekt->GetFlagZugriff(zk, zl, zs, zu, zst, za);
    EXPECT_EQ((std::vector<bool>{zk, zl, zs, zu, zst, za}),
              (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_TRUE(objekt->IsSendendIntern());
    // Number, links and IoTyp stay.
    EXPECT_EQ(objekt->GetObjektNr(), 7);
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{10}));
    EXPECT_EQ(objekt->GetIoTyp(), T_DB_EnumObjektBasis::ioKeins);
}

TEST(ObjektBasis, PasteWithoutMatchingRecordRaisesAndChangesNothing)
{
    struct Case {
        const char* name;
        std::vector<TDatenStruktur> saetze;
        bool ohneStore;
        const char* text;
    };
    for (const Case& c :
         {Case{"OtherIdentifier", {PasteSatz(807, 41, 1)}, false,
               "Es wurden keine gültigen Daten gefunden."},
          Case{"NoRecordOfTheType", {PasteSatz(806, 42, 1)}, false,
               "Es wurden keine gültigen Daten gefunden."},
          Case{"NoStore", {}, true, "Datenquelle für den Import wurde nicht gefunden."}}) {
        SCOPED_TRACE(c.name);
        Editor e;
        auto objekt = e.VireoObjekt(50, 42);
        TDatenManager<TDatenStruktur> store;
        for (const auto& r : c.saetze)
            store.Insert(r.Handle, r);
        std::string meldung;
        TDatenStruktur vorher;
        objekt->Write(vorher);
        try {
            (void)objekt->Paste(c.ohneStore ? nullptr : &store, meldung);
            ADD_FAILURE() << "no exception";
        } catch (const E_DataBasis& fehler) {
            EXPECT_EQ(fehler.Message(), std::string("Objekt:\n") + c.text);
            EXPECT_EQ(fehler.GetSeverity(), 3);
        }
        EXPECT_EQ(store.ChildCount(), 0);
        TDatenStruktur nachher;
        objekt->Write(nachher);
        EXPECT_EQ(nachher, vorher);
    }
}

// --- Drop ------------------------------------------------------------------------------

TEST(ObjektBasis, DropAsksTheEditorToLinkTheGroup)
{
    Editor e;
    auto objekt = e.VireoObjekt(50);
    TEtsSubGroup gruppe(33, 0x0A03, "Licht");
    auto sub = std::make_unique<TVireoGrpAdrSub>(e.Main.Handle(), 1, 3, "", 1, &gruppe);
    e.Register(sub, 80);
    auto intern = std::make_unique<TVireoInternGrpSub>(e.Main.Handle(), 1, 3, "", 9, 1);
    e.Register(intern, 81);
    auto anderes = e.EtsObjekt(82);
    e.Gruppe(33, 0x0A03);

    EXPECT_TRUE(objekt->AllowDrop(sub.get()));
    EXPECT_TRUE(objekt->AllowDrop(intern.get()));
    EXPECT_FALSE(objekt->AllowDrop(anderes.get()));
    EXPECT_FALSE(objekt->AllowDrop(nullptr));

    objekt->Drop(sub.get());
    const auto objektW = reinterpret_cast<WPARAM>(objekt.get());
    EXPECT_EQ(e.Main.Messages().front(),
              (TRecordedMessage{TMessageKind::Send, UM_LinkToSubGroup, 33, 50}));
    EXPECT_EQ(e.Main.Messages().back(),
              (TRecordedMessage{TMessageKind::Post, UM_AktualisiereKnoten, objektW, 0}));
    EXPECT_EQ(SubIds(*objekt), (std::vector<int32_t>{33}));

    e.Main.Clear();
    objekt->Drop(intern.get());
    EXPECT_EQ(e.Main.Messages(),
              (std::vector<TRecordedMessage>{
                  {TMessageKind::Send, UM_LinkToInternGroup, 81, 50},
                  {TMessageKind::Post, UM_AktualisiereKnoten, objektW, 0}}));

    e.Main.Clear();
    objekt->Drop(objekt.get());
    objekt->Drop(nullptr);
    objekt->Drop(anderes.get());
    EXPECT_TRUE(e.Main.Messages().empty());
}

} // namespace
