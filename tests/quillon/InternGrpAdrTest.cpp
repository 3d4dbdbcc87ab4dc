// Internal group addresses and their folder: the address word and its shown text, the record,
// drops, and the page in grid and list form.
#include "quillon/OrdnerGrpAdrIntern.h"
#include "quillon/VireoInternGrpSub.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "vcl/Exception.h"
#include "vcl/ListView.h"
#include "win32/Cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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

// --- address word and text --------------------------------------------------------------

struct TNummer {
    uint16_t nummer;
    uint16_t wort;
    const char* text;
    int16_t grpAddr;
};

TEST(InternGrpAdr, WordKeepsTheNumberTheTextShowsItsLow12Bits)
{
    const std::vector<TNummer> rows = {
        {0, 32768, "int/0", 0},         {5, 32773, "int/5", 5},
        {4095, 36863, "int/4095", 4095}, {4096, 36864, "int/0", 0},
        {4101, 36869, "int/5", 5},       {32767, 65535, "int/4095", 4095},
    };
    TMainWindowDouble main;
    for (const TNummer& row : rows) {
        SCOPED_TRACE(row.nummer);
        TVireoInternGrpSub node(main.Handle(), 1, 2, "intern", row.nummer, 0);
        EXPECT_EQ(static_cast<uint16_t>(node.GetKomplettGrpAdr(0)), row.wort);
        EXPECT_EQ(node.GetAdrWort(), row.wort);
        EXPECT_EQ(node.GetKomplettGrpAdrString(0), row.text);
        EXPECT_EQ(node.GetKomplettGrpAdrString(123), row.text) << "the argument is not used";
        EXPECT_EQ(node.GetGrpAddr(), row.grpAddr);
        TDatenStruktur record;
        node.Write(record);
        EXPECT_EQ(record.Param10, row.wort) << "written zero-extended";
    }
}

TEST(InternGrpAdr, NumbersAbove32767AreRefused)
{
    TMainWindowDouble main;
    for (uint16_t nummer : {uint16_t{32768}, uint16_t{40000}, uint16_t{65535}}) {
        SCOPED_TRACE(nummer);
        try {
            TVireoInternGrpSub node(main.Handle(), 1, 2, "", nummer, 0);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "max. internal GroupAddress: 32767");
        }
    }
}

TEST(InternGrpAdr, ConstantsAndGroupTypeTexts)
{
    TMainWindowDouble main;
    TVireoInternGrpSub node(main.Handle(), 1, 2, "", 7, 0);
    node.SetHandle(345);
    EXPECT_EQ(node.GetEtsId(), 345) << "what objects keep in their internal links";
    EXPECT_EQ(node.GetTyp(), 5006);
    EXPECT_EQ(node.ListStyle(), 1);
    EXPECT_EQ(node.GetIcon(), 22);
    EXPECT_FALSE(node.AllowChild(806));
    EXPECT_EQ(node.GetGroupTyp(), -1);
    EXPECT_EQ(node.GetSubAdrTypString(), "Frei");
    const std::vector<std::pair<int, const char*>> rows = {
        {11, "6 Byte"}, {16, "unbekannter Objekttyp"}, {-1, "Frei"}};
    for (const auto& [typ, text] : rows) {
        SCOPED_TRACE(typ);
        node.SetGroupTyp(typ);
        EXPECT_EQ(node.GetGroupTyp(), typ);
        EXPECT_EQ(node.GetSubAdrTypString(), text);
    }
}

// --- record ----------------------------------------------------------------------------------

TEST(InternGrpAdr, WriteAndInitFromDBKeepWordTypeAndIdentity)
{
    TMainWindowDouble main;
    TVireoInternGrpSub node(main.Handle(), 1, 2, "Sammelruf", 4101, 0);
    node.SetHandle(40);
    node.SetPosId(6);
    node.SetGroupTyp(7);
    TDatenStruktur record;
    record.Param12 = 99; // not the node's: stays
    node.Write(record);
    EXPECT_EQ(record.Handle, 40);
    EXPECT_EQ(record.Typ, 5006);
    EXPECT_EQ(record.Name, "Sammelruf");
    EXPECT_EQ(record.Parent, 2);
    EXPECT_EQ(record.System, 1);
    EXPECT_EQ(record.Param1, 6);
    EXPECT_EQ(record.Param10, 4101 + 32768);
    EXPECT_EQ(record.Param11, 7);
    EXPECT_EQ(record.Param12, 99);

    TVireoInternGrpSub loaded(main.Handle(), 0, 0, "", 0, 0);
    loaded.InitFromDB(record);
    EXPECT_EQ(loaded.GetHandle(), 40);
    EXPECT_EQ(loaded.GetName(false), "Sammelruf");
    EXPECT_EQ(loaded.GetParent(), 2);
    EXPECT_EQ(loaded.GetPosId(), 6);
    EXPECT_EQ(loaded.GetAdrWort(), 4101 + 32768);
    EXPECT_EQ(loaded.GetGroupTyp(), 7);
    EXPECT_EQ(loaded.GetKomplettGrpAdrString(0), "int/5");
}

TEST(InternGrpAdr, InitFromDBTakesTheLow16BitsAsStored)
{
    TMainWindowDouble main;
    TVireoInternGrpSub node(main.Handle(), 0, 0, "", 0, 0);
    TDatenStruktur record;
    record.Param10 = 0x18005; // bits above 16 are dropped
    node.InitFromDB(record);
    EXPECT_EQ(node.GetAdrWort(), 0x8005);
    record.Param10 = 5; // no bit 15: taken as it is
    node.InitFromDB(record);
    EXPECT_EQ(node.GetAdrWort(), 5);
    EXPECT_EQ(node.GetKomplettGrpAdrString(0), "int/5");
}

// --- drops ---------------------------------------------------------------------------------

TEST(InternGrpAdr, DropRules)
{
    TMainWindowDouble main;
    TVireoInternGrpSub node(main.Handle(), 1, 2, "", 5, 0);
    node.SetHandle(40);
    TGezogenerKnoten etsObjekt(main.Handle(), 806, 11);
    TGezogenerKnoten vireoObjekt(main.Handle(), 807, 12);
    TGezogenerKnoten sub(main.Handle(), 5003, 13);
    TGezogenerKnoten melder(main.Handle(), 6124, 14);
    TVireoInternGrpSub anderes(main.Handle(), 1, 2, "", 6, 0);
    const std::vector<std::pair<TDataBasis*, bool>> rows = {
        {nullptr, false}, {&etsObjekt, true}, {&vireoObjekt, true}, {&sub, false},
        {&melder, false}, {&anderes, false},  {&node, false},
    };
    for (const auto& [source, allowed] : rows) {
        SCOPED_TRACE(source ? source->GetTyp() : -1);
        EXPECT_EQ(node.AllowDrop(source), allowed);
        main.Clear();
        node.Drop(source);
        if (!allowed) {
            EXPECT_TRUE(main.Messages().empty());
            continue;
        }
        const std::vector<TRecordedMessage> expected = {
            {TMessageKind::Send, UM_LinkToInternGroup, 40,
             static_cast<LPARAM>(source->GetHandle())},
            {TMessageKind::Post, UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(source), 0},
        };
        EXPECT_EQ(main.Messages(), expected);
        PumpMessages();
    }
}

// --- page ----------------------------------------------------------------------------------

TEST(InternGrpAdr, FlagSetShowsTheAddressRow)
{
    for (bool anhaengen : {false, true}) {
        SCOPED_TRACE(anhaengen);
        TMainWindowDouble main;
        TVireoInternGrpSub node(main.Handle(), 1, 2, "", 5, 0);
        node.SetFlag();
        TDrawGridSE grid;
        grid.SetRowCount(4); // rows of the node shown before
        TListView view;
        node.BuildInfoWindow(&grid, &view, anhaengen, 1, 0);
        ASSERT_EQ(grid.RowCount(), anhaengen ? 2 : 1);
        const int row = grid.RowCount() - 1;
        EXPECT_EQ(grid.Cell(0, row)->Text, "Adresse");
        EXPECT_EQ(grid.Cell(1, row)->Kind, TCell::ckText);
        EXPECT_EQ(grid.Cell(1, row)->Text, "int/5");
        EXPECT_EQ(grid.Cell(1, row)->RowNr, 0);
        PumpMessages();
        EXPECT_TRUE(main.Messages().empty()) << "no request, no UM_SetActiveCell";
        EXPECT_TRUE(grid.Visible);
        EXPECT_EQ(GetScreenCursor(), crDefault);
    }
}

TEST(InternGrpAdr, FlagClearAsksWithCode13AndAZeroAnswerLeavesTheListEmpty)
{
    TMainWindowDouble main;
    TVireoInternGrpSub node(main.Handle(), 1, 2, "", 5, 0);
    node.SetHandle(40);
    TDrawGridSE grid;
    TListView view;
    view.AddItem("alt");
    view.Visible = false;
    node.BuildInfoWindow(&grid, &view, false, -1, -1);

    ASSERT_EQ(main.ObjectRequests().size(), 1u);
    const TUserDeviceRequest& request = main.ObjectRequests()[0];
    EXPECT_EQ(request.Code, 13);
    EXPECT_EQ(request.Handle, 40);
    EXPECT_EQ(request.Sender, &node);
    EXPECT_NE(request.Wert3, 0);
    EXPECT_EQ(request.Text, "");
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(view.ViewStyle, vsReport);
    EXPECT_TRUE(view.Visible);
    EXPECT_FALSE(grid.Visible);
}

TEST(InternGrpAdr, FlagClearListsWhatTheEditorDelivers)
{
    TMainWindowDouble main;
    main.OnObjectRequest(13, [](TUserDeviceRequest& request) -> LRESULT {
        TObjektInfo info;
        info.PhysAdr = "01.01.001";
        info.ObjektNr = 215;
        info.Kommunikation = true;
        reinterpret_cast<TObjektInfoListe*>(request.Wert3)->push_back(info);
        return 1;
    });
    TVireoInternGrpSub node(main.Handle(), 1, 2, "", 5, 0);
    TListView view;
    node.BuildInfoWindow(nullptr, &view, false, -1, -1);
    ASSERT_EQ(view.ItemCount(), 1);
    EXPECT_EQ(view.ColumnCount(), 9);
    EXPECT_EQ(view.Item(0)->Caption, "01.01.001");
    EXPECT_EQ(view.Item(0)->SubItems[1], "215");
    EXPECT_EQ(view.Item(0)->SubItems[6], "K---");
}

// --- folder ----------------------------------------------------------------------------------

TEST(InternGrpAdr, FolderConstantsNameAndRecord)
{
    TMainWindowDouble main;
    TGrpAdrOrdnerIntern folder(main.Handle(), 1, 1, "Interne Gruppenadressen", 0);
    EXPECT_EQ(folder.GetTyp(), 204);
    EXPECT_EQ(folder.ListStyle(), 0);
    EXPECT_EQ(folder.GetIcon(), 21);
    EXPECT_FALSE(folder.AllowChild(5006));
    folder.SetPosId(2);
    EXPECT_EQ(folder.GetName(true), "Interne Gruppenadressen");
    folder.SetHandle(17);

    TDatenStruktur record;
    folder.Write(record);
    EXPECT_EQ(record.Handle, 17);
    EXPECT_EQ(record.Typ, 204);
    EXPECT_EQ(record.Name, "Interne Gruppenadressen");
    EXPECT_EQ(record.Parent, 1);
    EXPECT_EQ(record.Param1, 2);

    TGrpAdrOrdnerIntern loaded(main.Handle(), 0, 0, "", 0);
    loaded.InitFromDB(record);
    EXPECT_EQ(loaded.GetHandle(), 17);
    EXPECT_EQ(loaded.GetName(false), "Interne Gruppenadressen");
    EXPECT_EQ(loaded.GetParent(), 1);
    EXPECT_EQ(loaded.GetPosId(), 2);
}

} // namespace
