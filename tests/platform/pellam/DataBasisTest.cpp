#include "pellam/DataBasis.h"

#include "TestNode.h"
#include "pellam/EibHandle.h"
#include "pellam/Ordner.h"
#include "pellam/System.h"
#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "rastow/DrawGridSE.h"
#include "win32/MessageBox.h"
#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(DataBasisTest, InheritedDefaultsOfEverySlot)
{
    TRecordingWindow window;
    TTestNode node(window.Handle(), 7, 9, "Melder", 1);
    std::map<int, TDatenStruktur> records;
    std::string message;

    EXPECT_EQ(node.GetQuickHelpIndexOffset(), 0);          // 0
    EXPECT_FALSE(node.GetFlag());
    node.SetFlag();                                        // 2
    EXPECT_TRUE(node.GetFlag());
    node.ResetFlag();                                      // 3
    EXPECT_FALSE(node.GetFlag());
    EXPECT_EQ(node.GetName(true), "Melder");               // 4
    EXPECT_EQ(node.GetName(false), "Melder");
    EXPECT_EQ(node.GetBasisWert(), 10);                    // 5
    node.SetName("Keller");                                // 10
    EXPECT_EQ(node.GetName(false), "Keller");
    EXPECT_EQ(node.GetParent(), 9);                        // 12
    EXPECT_EQ(node.SetParent(11), 11);                     // 11
    EXPECT_EQ(node.GetParent(), 11);
    EXPECT_EQ(node.GetOwnerWindow(), window.Handle());     // 13
    EXPECT_TRUE(node.IsBasisAktiv());                      // 15
    EXPECT_EQ(node.SetObjFkt('x'), 0);                     // 16
    EXPECT_TRUE(node.IsVisible());                         // 17
    node.AktualisiereBasis();                              // 18
    EXPECT_EQ(node.GetPosId(), -1);                        // 22: none yet
    node.SetPosId(4);                                      // 20
    EXPECT_EQ(node.GetPosId(), 4);
    EXPECT_EQ(node.GetPosition(), 4);                      // 44
    node.SetPosition(6);                                   // 45
    EXPECT_EQ(node.GetPosId(), 6);
    EXPECT_TRUE(node.DatenAbgleich(true, false));          // 23
    node.DeleteDS();                                       // 26
    EXPECT_EQ(node.Query27(), 0);                          // 27
    EXPECT_EQ(node.Query28(), 0);                          // 28
    EXPECT_EQ(node.Query31(), 0);                          // 31
    EXPECT_EQ(node.Query32(), 0);                          // 32
    EXPECT_EQ(node.Query33(), 0);                          // 33
    EXPECT_EQ(node.Query36(), 0);                          // 36
    EXPECT_TRUE(node.Query37());                           // 37
    EXPECT_TRUE(node.Einfuegen(records));                  // 38
    EXPECT_TRUE(node.VireoImport(records, true));          // 39
    EXPECT_TRUE(node.Paste(nullptr, message));             // 41
    EXPECT_TRUE(node.Reset(message));                      // 42
    EXPECT_TRUE(node.Import(nullptr, true, false, message, 0)); // 43
    EXPECT_EQ(message, "");
    TOtherNode other(TTestNode::kChildTyp);
    node.Drop(&other);                                     // 30
    EXPECT_EQ(node.GetSystem(), 7);
    EXPECT_EQ(node.GetHandle(), 0);
    EXPECT_EQ(node.GetArt(), 1);
    EXPECT_FALSE(node.GetRefreshMark());
    // None of these talks to the editor.
    EXPECT_TRUE(window.Messages().empty());
}

TEST(DataBasisTest, PositionFromAnotherNode)
{
    TTestNode node(nullptr);
    TTestNode other(nullptr);
    other.SetPosId(12);
    node.SetPosId(&other);
    EXPECT_EQ(node.GetPosId(), 12);
    node.SetPosId(static_cast<TDataBasis*>(nullptr));
    EXPECT_EQ(node.GetPosId(), 12);
}

TEST(DataBasisTest, AllowDropAsksTheChildRuleAndRefusesANullSource)
{
    TTestNode node(nullptr);
    TOtherNode child(TTestNode::kChildTyp);
    TOtherNode stranger(6125);
    EXPECT_TRUE(node.AllowDrop(&child));
    EXPECT_FALSE(node.AllowDrop(&stranger));
    EXPECT_FALSE(node.AllowDrop(nullptr));
}

TEST(DataBasisTest, WriteFillsIdentityAndPositionAndReservesTheBaseFields)
{
    TTestNode node(nullptr, 3, 5, "Keller");
    node.SetHandle(42);
    node.SetPosId(17);
    TDatenStruktur record;
    record.Param2 = 99;
    record.Bool1 = true;
    record.Bool2 = true;
    record.Param3 = 123; // a node class's own field: not the base's to touch
    record.Next = 8;

    node.Write(record);

    EXPECT_EQ(record.Handle, 42);
    EXPECT_EQ(record.Name, "Keller");
    EXPECT_EQ(record.Typ, TTestNode::kTyp);
    EXPECT_EQ(record.Parent, 5);
    EXPECT_EQ(record.System, 3);
    EXPECT_EQ(record.Param1, 17);
    EXPECT_EQ(record.Param2, 0);
    EXPECT_FALSE(record.Bool1);
    EXPECT_FALSE(record.Bool2);
    EXPECT_EQ(record.Param3, 123);
    EXPECT_EQ(record.Next, 8);
}

TEST(DataBasisTest, PositionSurvivesWriteAndLoadThroughTheRecordLine)
{
    for (int position : {-1, 0, 3, 32767}) {
        SCOPED_TRACE(position);
        TTestNode written(nullptr, 3, 5, "Flur");
        written.SetHandle(42);
        written.SetPosId(position);
        TDatenStruktur record;
        written.Write(record);

        TDatenStruktur stored;
        stored.Fill(record.GetDatensatzZeile());
        TTestNode loaded(nullptr, 0, 0, "");
        loaded.InitFromDB(stored);

        EXPECT_EQ(loaded.GetPosId(), position);
        EXPECT_EQ(loaded.GetHandle(), 42);
        EXPECT_EQ(loaded.GetName(false), "Flur");
        EXPECT_EQ(loaded.GetParent(), 5);
        EXPECT_EQ(loaded.GetSystem(), 3);
    }
}

TEST(DataBasisTest, SystemNodeIsItsOwnSystem)
{
    class TTestSystem : public TSystem {
    public:
        TTestSystem() : TSystem(nullptr, 77, 0, "Zentrale", 0, true) {}
        int GetTyp() override { return 105; }
        int ListStyle() override { return 1; }
        int GetIcon() override { return 29; }
        bool AllowChild(int) override { return false; }
    };
    TTestSystem system;
    system.SetHandle(4);
    EXPECT_EQ(system.GetSystem(), 4);
    system.SetSystem(9);
    EXPECT_EQ(system.GetSystem(), 4);
    EXPECT_TRUE(system.IsSystemNode());
    EXPECT_TRUE(system.GetGeraet());

    TDatenStruktur record;
    system.Write(record);
    EXPECT_EQ(record.System, 4);
    EXPECT_EQ(record.Typ, 105);

    record.Handle = 12;
    record.System = 3;
    system.InitFromDB(record);
    EXPECT_EQ(system.GetHandle(), 12);
    EXPECT_EQ(system.GetSystem(), 12);
}

TEST(DataBasisTest, FolderListsItsChildrenAndTakesNone)
{
    class TTestOrdner : public TOrdner {
    public:
        TTestOrdner() : TOrdner(nullptr, 1, 2, "Bereiche", 0) {}
        int GetTyp() override { return 6122; }
        int GetIcon() override { return 5; }
    };
    TTestOrdner folder;
    EXPECT_EQ(folder.ListStyle(), 0);
    EXPECT_FALSE(folder.AllowChild(6124));
    EXPECT_TRUE(folder.DatenAbgleich(false, false));
    EXPECT_EQ(folder.GetName(true), "Bereiche");

    TDrawGridSE grid;
    grid.OnComboBoxChange = [](TObject*, TCell&, int, int) {};
    folder.BuildInfoWindow(&grid, nullptr, false, 0, 0);
    EXPECT_FALSE(grid.OnComboBoxChange);
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST(DataBasisTest, BaseBuildInfoWindowUnbindsTheNodeShownBefore)
{
    TRecordingWindow window;
    TTestNode node(window.Handle());
    TDrawGridSE grid;
    bool called = false;
    grid.OnExitCell = [&](TDrawGridSE*, TObject*, TCell&, int, int) { called = true; };
    grid.SetRowCount(4);

    node.BuildInfoWindow(&grid, nullptr, false, 1, 2);
    node.BuildInfoWindow(nullptr, nullptr, false, 1, 2);

    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_FALSE(grid.OnExitCell);
    grid.SetActiveCell(1, 0);
    grid.ExitCell();
    EXPECT_FALSE(called);
    EXPECT_TRUE(window.Messages().empty());
}

TEST(DataBasisTest, GetDatensatzIsAPlainLookUp)
{
    TRecordingWindow window;
    TDatenStruktur record;
    record.Handle = 31;
    record.System = 4;
    window.On(UM_GetDatenSatzByHandle, [&](WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (static_cast<int32_t>(wParam) == 4 && lParam == 31)
            return reinterpret_cast<LRESULT>(&record);
        return 0;
    });
    TTestNode node(window.Handle(), 4);

    EXPECT_EQ(node.GetDatensatz(4, 31), &record);
    EXPECT_EQ(node.GetDatensatz(4, 32), nullptr);
    EXPECT_EQ(node.GetDatensatz(5, 31), nullptr);

    const std::vector<TRecordedMessage> expected{
        {TMessageKind::Send, UM_GetDatenSatzByHandle, 4, 31},
        {TMessageKind::Send, UM_GetDatenSatzByHandle, 4, 32},
        {TMessageKind::Send, UM_GetDatenSatzByHandle, 5, 31},
    };
    EXPECT_EQ(window.Messages(), expected);
}

TEST(DataBasisTest, GetDatensatzWithoutAnEditorIsNull)
{
    TTestNode node(nullptr);
    EXPECT_EQ(node.GetDatensatz(1, 1), nullptr);
}

TEST(DataBasisTest, ModifyObjectSendsTheObjectRequest)
{
    TRecordingWindow window;
    TTestNode node(window.Handle());
    node.SetHandle(55);
    TUserDeviceRequest seen;
    LRESULT answer = 1;
    window.On(UM_UserObjectMessage, [&](WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(wParam, 0u);
        seen = *reinterpret_cast<TUserDeviceRequest*>(lParam);
        return answer;
    });

    EXPECT_TRUE(node.ModifyObject(1, 5700, -100, true));

    EXPECT_EQ(seen.Handle, 55);
    EXPECT_EQ(seen.Code, 8);
    EXPECT_EQ(seen.Sender, &node);
    EXPECT_EQ(seen.Datensatz, nullptr);
    EXPECT_EQ(seen.Wert5, 5700);
    EXPECT_EQ(seen.Wert6, 1);
    EXPECT_EQ(seen.Wert7, -100);
    EXPECT_EQ(seen.Wert8 & 0xFF, 1);
    EXPECT_EQ(seen.Text, "");
    EXPECT_EQ(seen.Wert1, 0);
    EXPECT_EQ(seen.Wert4, 0);
    EXPECT_EQ(seen.Reserve, 0);

    answer = 0;
    EXPECT_FALSE(node.ModifyObject(0, 7150, 0, false));
    EXPECT_EQ(seen.Wert8 & 0xFF, 0);
    EXPECT_EQ(seen.Wert6, 0);
    ASSERT_EQ(window.MessageIds(),
              (std::vector<UINT>{UM_UserObjectMessage, UM_UserObjectMessage}));
}

TEST(DataBasisTest, PointerFromHandleAndRecordDeletionGoToTheEditor)
{
    TRecordingWindow window;
    TTestNode other(nullptr);
    window.On(UM_GetDataPointer, [&](WPARAM wParam, LPARAM) -> LRESULT {
        return wParam == 8 ? reinterpret_cast<LRESULT>(&other) : 0;
    });
    TTestNode node(window.Handle(), 3, 5);
    EXPECT_EQ(node.GetPointerFromHandle(8), &other);
    EXPECT_EQ(node.GetPointerFromHandle(9), nullptr);

    window.Clear();
    node.DeleteDBEntry(); // no handle yet: nothing to delete
    EXPECT_TRUE(window.Messages().empty());
    node.SetHandle(21);
    node.DeleteDBEntry();
    const std::vector<TRecordedMessage> expected{
        {TMessageKind::Send, UM_DeleteNextDatenSatz, MakeDatenSatzKey(5, 3), 21}};
    EXPECT_EQ(window.Messages(), expected);
}

TEST(DataBasisTest, KonvertHandleTakesAFreshHandle)
{
    TTestNode node(nullptr);
    node.SetHandle(3);
    TEibHandle handles({1, 2, 3});
    node.KonvertHandle(&handles);
    EXPECT_EQ(node.GetHandle(), 4);
    node.KonvertHandle(nullptr);
    EXPECT_EQ(node.GetHandle(), 4);
}

TEST(BasisTest, WriteMessageShowsTextCaptionAndSeverityIcon)
{
    struct TShown {
        std::string text;
        std::string caption;
        UINT flags;
    };
    std::vector<TShown> shown;
    TMessageBoxHook previous = SetMessageBoxHook(
        [&](HWND, const std::string& text, const std::string& caption, UINT flags) {
            shown.push_back({text, caption, flags});
            return IDOK;
        });

    E_DataBasis full(3, "Es wurden keine gültigen Daten gefunden.", "TAzMelder::Paste",
                     "AzMelder", 12);
    full.WriteMessage();
    E_DataBasis bare(2, "Warnung");
    bare.WriteMessage();
    SetMessageBoxHook(previous);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text,
              "Es wurden keine gültigen Daten gefunden.\n\nTAzMelder::Paste\nAzMelder\n(12)");
    EXPECT_EQ(shown[0].caption, "E_DataBasis");
    EXPECT_EQ(shown[0].flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(shown[1].text, "Warnung");
    EXPECT_EQ(shown[1].flags, MB_OK | MB_ICONWARNING);
    EXPECT_STREQ(full.what(), "Es wurden keine gültigen Daten gefunden.");
    EXPECT_EQ(full.GetSeverity(), 3);
    EXPECT_EQ(full.GetClassName(), "E_DataBasis");
}

TEST(BasisTest, NodeErrorsAreCaughtAsTheirBase)
{
    bool caught = false;
    try {
        throw E_DataBasis(3, "Datenquelle für den Import wurde nicht gefunden.", "Ort");
    } catch (const E_Basis& error) {
        caught = true;
        EXPECT_EQ(error.Message(), "Datenquelle für den Import wurde nicht gefunden.");
        EXPECT_EQ(error.GetPlace(), "Ort");
    }
    EXPECT_TRUE(caught);
}

} // namespace
