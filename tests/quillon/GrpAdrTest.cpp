// The ETS group-address tree: folder, main, middle and sub group nodes, the list of linked
// objects that a sub node shows with the hour-glass cursor shown meanwhile.
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"

#include "morrow/EtsMainGroup.h"
#include "morrow/EtsMiddleGroup.h"
#include "morrow/EtsSubGroup.h"
#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/Zeilenname.h"
#include "vcl/ListView.h"
#include "win32/Cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace {

// A node of any type, standing for what the user drags onto a group address.
class TGezogenerKnoten : public TDataBasis {
public:
    TGezogenerKnoten(HWND owner, int typ, int32_t handle)
        : TDataBasis(owner, 1, 0, "gezogen", 0), m_typ(typ)
    {
        SetHandle(handle);
    }
    int GetTyp() override { return m_typ; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 0; }
    bool AllowChild(int) override { return false; }

private:
    int m_typ;
};

// The editor's answer to request code 6: the objects ETS links to the group, in ETS order.
TMainWindowDouble::TRequestHandler ObjekteDerGruppe(std::vector<TObjektInfo> objekte)
{
    return [objekte = std::move(objekte)](TUserDeviceRequest& request) -> LRESULT {
        auto* liste = reinterpret_cast<TObjektInfoListe*>(request.Wert3);
        if (liste == nullptr)
            return 0;
        liste->insert(liste->end(), objekte.begin(), objekte.end());
        return 1;
    };
}

TObjektInfo Objekt(std::string physAdr, int nr, std::string produkt)
{
    TObjektInfo info;
    info.PhysAdr = std::move(physAdr);
    info.ObjektNr = nr;
    info.Text1 = "nicht gezeigt 1";
    info.Produkt = std::move(produkt);
    info.Text2 = "nicht gezeigt 2";
    info.Funktion = "Schalten";
    info.ObjektName = "Licht";
    info.ObjektTyp = "1 Bit";
    info.GruppenAdressen = "1/2/5";
    info.ImageIndex = 4;
    return info;
}

// Keeps the screen cursor as it was before the test.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override { SetScreenCursor(crDefault); }
    void TearDown() override { SetScreenCursor(crDefault); }
};

// --- the three ETS levels ----------------------------------------------------------------

struct TEbene {
    const char* name;
    std::function<std::unique_ptr<TVireoGrpAdrBasis>(HWND)> make;
    int typ;
    int icon;
    int listStyle;
    std::string knotenName;
    int16_t grpAddr;
    int16_t komplett0;  // GetKomplettGrpAdr(0)
    int16_t komplett1;  // GetKomplettGrpAdr(1)
    std::string text1;  // GetKomplettGrpAdrString(1)
    int etsId;
};
void PrintTo(const TEbene& e, std::ostream* out) { *out << e.name; }

TEtsMainGroup g_main(77, 3, "Licht");
TEtsMiddleGroup g_middle(78, 3, 2, "Erdgeschoss");
TEtsSubGroup g_sub(79, (3 << 11) | (2 << 8) | 5, "Flur");
TEtsSubGroup g_subHoch(80, 0x7FFF, "Letzte");

std::vector<TEbene> Ebenen()
{
    return {
        {"MainOhneGruppe",
         [](HWND w) { return std::make_unique<TVireoGrpAdrMain>(w, 0, 0, "", 1, nullptr); },
         5001, 8, 0, "", -1, -1, -1, "65535", 0},
        {"Main",
         [](HWND w) { return std::make_unique<TVireoGrpAdrMain>(w, 0, 0, "", 1, &g_main); },
         5001, 8, 0, "Licht", 3, -1, 3 << 11, "6144", 77},
        {"MiddleOhneGruppe",
         [](HWND w) { return std::make_unique<TVireoGrpAdrMiddle>(w, 0, 0, "", 1, nullptr); },
         5002, 9, 0, "", -1, -1, -1, "65535", 0},
        {"Middle",
         [](HWND w) { return std::make_unique<TVireoGrpAdrMiddle>(w, 0, 0, "", 1, &g_middle); },
         5002, 9, 0, "Erdgeschoss", 2, -1, (3 << 11) | (2 << 8), "6656", 78},
        {"SubOhneGruppe",
         [](HWND w) { return std::make_unique<TVireoGrpAdrSub>(w, 0, 0, "", 1, nullptr); },
         5003, 10, 1, "", -1, -1, -1, "65535", 0},
        // The sub level answers 0 with the group's own address, unlike the upper levels.
        {"Sub",
         [](HWND w) { return std::make_unique<TVireoGrpAdrSub>(w, 0, 0, "", 1, &g_sub); },
         5003, 10, 1, "Flur", 5, 6661, 6661, "6661", 79},
        {"SubHoechsteAdresse",
         [](HWND w) { return std::make_unique<TVireoGrpAdrSub>(w, 0, 0, "", 1, &g_subHoch); },
         5003, 10, 1, "Letzte", 255, 0x7FFF, 0x7FFF, "32767", 80},
    };
}

class EbeneTest : public ::testing::TestWithParam<TEbene> {};

TEST_P(EbeneTest, ConstantsAndAddresses)
{
    const TEbene& e = GetParam();
    TMainWindowDouble main;
    auto node = e.make(main.Handle());
    EXPECT_EQ(node->GetTyp(), e.typ);
    EXPECT_EQ(node->GetIcon(), e.icon);
    EXPECT_EQ(node->ListStyle(), e.listStyle);
    EXPECT_EQ(node->GetQuickHelpIndexOffset(), 0);
    EXPECT_EQ(node->GetName(false), e.knotenName);
    EXPECT_EQ(node->GetGrpAddr(), e.grpAddr);
    EXPECT_EQ(node->GetKomplettGrpAdr(0), e.komplett0);
    EXPECT_EQ(node->GetKomplettGrpAdr(1), e.komplett1);
    EXPECT_EQ(node->GetKomplettGrpAdr(), e.komplett0);
    EXPECT_EQ(node->GetKomplettGrpAdrString(1), e.text1);
    EXPECT_EQ(node->GetEtsId(), e.etsId);
    for (int typ : {0, 806, 807, 5001, 5002, 5003, 5006})
        EXPECT_FALSE(node->AllowChild(typ)) << typ;
    // Never stored: Write and InitFromDB leave record and node alone.
    TDatenStruktur record;
    record.Handle = 42;
    record.Name = "aus dem Speicher";
    node->Write(record);
    EXPECT_EQ(record.Handle, 42);
    EXPECT_EQ(record.Typ, 0);
    node->InitFromDB(record);
    EXPECT_EQ(node->GetHandle(), 0);
    EXPECT_EQ(node->GetName(false), e.knotenName);
    // The node base's additions keep their defaults on group-address nodes.
    EXPECT_EQ(node->GetChildCount(true), 0);
    EXPECT_EQ(node->GetChild(0, true), nullptr);
    EXPECT_EQ(node->GetParentHandle(), 0);
    EXPECT_TRUE(main.Messages().empty());
}

TEST_P(EbeneTest, NameShowsThePositionOnlyWhenAskedAndSet)
{
    const TEbene& e = GetParam();
    TMainWindowDouble main;
    auto node = e.make(main.Handle());
    node->SetName("Licht");
    EXPECT_EQ(node->GetName(true), "Licht") << "no position yet";
    node->SetPosId(3);
    EXPECT_EQ(node->GetName(true), "[3] Licht");
    EXPECT_EQ(node->GetName(false), "Licht");
    node->SetPosId(0);
    EXPECT_EQ(node->GetName(true), "[0] Licht");
    node->SetPosId(-1);
    EXPECT_EQ(node->GetName(true), "Licht");
}

INSTANTIATE_TEST_SUITE_P(GrpAdr, EbeneTest, ::testing::ValuesIn(Ebenen()), TZeilenName());

TEST(GrpAdr, FolderConstantsAndNameWithoutPosition)
{
    TMainWindowDouble main;
    TGrpAdrOrdner folder(main.Handle(), 0, 0, "Gruppenadressen", 1);
    EXPECT_EQ(folder.GetTyp(), 203);
    EXPECT_EQ(folder.GetIcon(), 7);
    EXPECT_EQ(folder.ListStyle(), 0);
    EXPECT_FALSE(folder.AllowChild(5001));
    EXPECT_FALSE(folder.AllowDrop(nullptr));
    folder.SetPosId(3);
    EXPECT_EQ(folder.GetName(true), "Gruppenadressen");
    TDatenStruktur record;
    record.Handle = 9;
    folder.Write(record);
    EXPECT_EQ(record.Handle, 9);
    EXPECT_EQ(record.Typ, 0);
}

// --- size classes ------------------------------------------------------------------------

TEST(GrpAdrSub, SizeClassTexts)
{
    const std::vector<std::pair<int, std::string>> rows = {
        {-2, "unbekannter Objekttyp"}, {-1, "Frei"},    {0, "1 Bit"},    {1, "2 Bit"},
        {2, "3 Bit"},   {3, "4 Bit"},   {4, "5 Bit"},   {5, "6 Bit"},    {6, "7 Bit"},
        {7, "1 Byte"},  {8, "2 Byte"},  {9, "3 Byte"},  {10, "4 Byte"},  {11, "6 Byte"},
        {12, "8 Byte"}, {13, "10 Byte"}, {14, "14 Byte"}, {15, "VARDATA"},
        {16, "unbekannter Objekttyp"},
    };
    TMainWindowDouble main;
    TVireoGrpAdrSub node(main.Handle(), 0, 0, "", 1, &g_sub);
    EXPECT_EQ(node.GetSubAdrTyp(), -1);
    EXPECT_EQ(node.GetSubAdrTypString(), "Frei");
    for (const auto& [code, text] : rows) {
        SCOPED_TRACE(code);
        node.SetSubAdrTyp(code);
        EXPECT_EQ(node.GetSubAdrTyp(), code);
        EXPECT_EQ(node.GetSubAdrTypString(), text);
        EXPECT_NE(node.GetSubAdrTypString(), "5 Byte");
        EXPECT_NE(node.GetSubAdrTypString(), "7 Byte");
    }
}

TEST(GrpAdrSub, EtsObjektTypIsTheSizeClassReadSigned)
{
    TMainWindowDouble main;
    TVireoGrpAdrSub node(main.Handle(), 0, 0, "", 1, &g_sub);
    node.SetEtsObjektTyp(7);
    EXPECT_EQ(node.GetSubAdrTyp(), 7);
    EXPECT_EQ(node.GetSubAdrTypString(), "1 Byte");
    node.SetEtsObjektTyp(static_cast<char>(-1));
    EXPECT_EQ(node.GetSubAdrTyp(), -1);
    EXPECT_EQ(node.GetSubAdrTypString(), "Frei");
}

// --- drops ---------------------------------------------------------------------------------

TEST(GrpAdrSub, OnlyCommunicationObjectsAreDroppedAndLinked)
{
    TMainWindowDouble main;
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    TVireoGrpAdrMain mainNode(main.Handle(), 0, 0, "", 1, &g_main);
    TGrpAdrOrdner folder(main.Handle(), 0, 0, "", 1);
    TVireoGrpAdrSub andereSub(main.Handle(), 0, 0, "", 1, &g_subHoch);
    TGezogenerKnoten etsObjekt(main.Handle(), 806, 11);
    TGezogenerKnoten vireoObjekt(main.Handle(), 807, 12);
    TGezogenerKnoten melder(main.Handle(), 6124, 13); // a detector input
    const std::vector<std::pair<TDataBasis*, bool>> rows = {
        {nullptr, false},  {&etsObjekt, true}, {&vireoObjekt, true},
        {&melder, false},  {&andereSub, false}, {&sub, false},
    };
    for (const auto& [source, allowed] : rows) {
        SCOPED_TRACE(source ? source->GetTyp() : -1);
        EXPECT_EQ(sub.AllowDrop(source), allowed);
        // The upper levels and the folder take nothing at all.
        EXPECT_FALSE(mainNode.AllowDrop(source));
        EXPECT_FALSE(folder.AllowDrop(source));
        main.Clear();
        sub.Drop(source);
        std::vector<TRecordedMessage> expected;
        if (allowed)
            expected = {
                {TMessageKind::Send, UM_LinkToSubGroup, 79, source->GetHandle()},
                {TMessageKind::Post, UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(source), 0},
            };
        EXPECT_EQ(main.Messages(), expected);
        PumpMessages();
    }
}

// --- the list of linked objects ------------------------------------------------------------

class GrpAdrSubListe : public CursorTest {};

TEST_F(GrpAdrSubListe, ZeroAnswerShowsAnEmptyReportAndHidesTheGrid)
{
    TMainWindowDouble main;
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    sub.SetHandle(70);
    TListView view;
    view.AddItem("von vorher");
    view.Visible = false;
    TDrawGridSE grid;
    sub.BuildInfoWindow(&grid, &view, false, 1, 2);

    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(view.ViewStyle, vsReport);
    EXPECT_TRUE(view.Visible);
    EXPECT_FALSE(grid.Visible);
    ASSERT_EQ(main.ObjectRequests().size(), 1u);
    const TUserDeviceRequest& request = main.ObjectRequests()[0];
    EXPECT_EQ(request.Code, 6);
    EXPECT_EQ(request.Handle, 70);
    EXPECT_EQ(request.Sender, &sub);
    EXPECT_NE(request.Wert3, 0);
    EXPECT_EQ(request.Text, "");
    EXPECT_EQ(GetScreenCursor(), crDefault);
}

TEST_F(GrpAdrSubListe, NineColumnsAndOneItemPerObjectInTheEditorsOrder)
{
    TObjektInfo lesenUebertragen = Objekt("01.01.005", 3, "Taster");
    lesenUebertragen.Lesen = true;
    lesenUebertragen.Uebertragen = true;
    TObjektInfo alle = Objekt("01.02.017", 12, "Aktor");
    alle.Kommunikation = alle.Lesen = alle.Schreiben = alle.Uebertragen = true;
    alle.Aktualisieren = true;
    alle.ImageIndex = 9;
    TObjektInfo keins = Objekt("02.01.001", 0, "Melder");

    TMainWindowDouble main;
    main.OnObjectRequest(6, ObjekteDerGruppe({lesenUebertragen, alle, keins}));
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    TListView view;
    for (int i = 0; i < 12; ++i) // from an earlier display
        view.AddColumn("alt " + std::to_string(i), 77);
    TDrawGridSE grid;
    sub.BuildInfoWindow(&grid, &view, false, -1, -1);

    const std::vector<std::string> captions = {"Phys.Adr.", "Produkt", "Nummer",
                                               "Funktion", "Objektname", "Objekttyp",
                                               "Gruppenadressen", "Schreiben", "Aktualisieren"};
    ASSERT_EQ(view.ColumnCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(view.Column(i)->Caption, captions[static_cast<std::size_t>(i)]) << i;
    ASSERT_EQ(view.ItemCount(), 3);
    const TListItem* erstes = view.Item(0);
    EXPECT_EQ(erstes->Caption, "01.01.005");
    EXPECT_EQ(erstes->ImageIndex, 4);
    const std::vector<std::string> expected = {"Taster", "3",     "Schalten", "Licht",
                                               "1 Bit",  "1/2/5", "-L-Ü",     "Aus"};
    EXPECT_EQ(erstes->SubItems, expected);
    EXPECT_EQ(view.Item(1)->Caption, "01.02.017");
    EXPECT_EQ(view.Item(1)->ImageIndex, 9);
    EXPECT_EQ(view.Item(1)->SubItems[1], "12");
    EXPECT_EQ(view.Item(1)->SubItems[6], "KLSÜ");
    EXPECT_EQ(view.Item(1)->SubItems[7], "Ein");
    EXPECT_EQ(view.Item(2)->SubItems[6], "----");
    EXPECT_TRUE(view.Visible);
    EXPECT_FALSE(grid.Visible);
}

TEST_F(GrpAdrSubListe, AColumnFitsItsContentsOnlyWhenACellIsLongerThanItsCaption)
{
    TObjektInfo info = Objekt("01.01.005", 3, "Alarmzentrale 4 Bereiche"); // longer: Produkt
    info.Funktion = "Schüttel";    // 8 characters (9 bytes), as long as "Funktion"
    info.ObjektName = "Objektnamen"; // one longer than "Objektname"
    TMainWindowDouble main;
    main.OnObjectRequest(6, ObjekteDerGruppe({info}));
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    TListView view;
    view.AddColumn("x", 60); // an existing column keeps its width unless a cell is longer
    sub.BuildInfoWindow(nullptr, &view, false, -1, -1);

    ASSERT_EQ(view.ColumnCount(), 9);
    EXPECT_EQ(view.Column(0)->Width, 60) << "01.01.005 is as long as Phys.Adr.";
    EXPECT_EQ(view.Column(1)->Width, ColumnTextWidth);
    EXPECT_EQ(view.Column(2)->Width, ColumnHeaderWidth);
    EXPECT_EQ(view.Column(3)->Width, ColumnHeaderWidth) << "characters count, not bytes";
    EXPECT_EQ(view.Column(4)->Width, ColumnTextWidth);
    EXPECT_EQ(view.Column(8)->Width, ColumnHeaderWidth);
}

TEST_F(GrpAdrSubListe, HourGlassShowsDuringTheRequestAndGoesOnEveryWayOut)
{
    TMainWindowDouble main;
    int cursorDuringRequest = 0;
    main.OnObjectRequest(6, [&](TUserDeviceRequest&) -> LRESULT {
        cursorDuringRequest = GetScreenCursor();
        return 0;
    });
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    TListView view;
    SetScreenCursor(5);
    sub.BuildInfoWindow(nullptr, &view, false, -1, -1);
    EXPECT_EQ(cursorDuringRequest, crHourGlass);
    EXPECT_EQ(GetScreenCursor(), 5);

    main.OnObjectRequest(6, [](TUserDeviceRequest&) -> LRESULT {
        throw std::runtime_error("ETS weg");
    });
    EXPECT_THROW(sub.BuildInfoWindow(nullptr, &view, false, -1, -1), std::runtime_error);
    EXPECT_EQ(GetScreenCursor(), 5);
}

TEST_F(GrpAdrSubListe, WithoutAListViewNothingIsAsked)
{
    TMainWindowDouble main;
    TVireoGrpAdrSub sub(main.Handle(), 0, 0, "", 1, &g_sub);
    TDrawGridSE grid;
    sub.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_TRUE(grid.Visible);
    EXPECT_EQ(GetScreenCursor(), crDefault);
}

} // namespace
