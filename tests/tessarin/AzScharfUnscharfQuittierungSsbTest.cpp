// Arm and disarm acknowledgement of an arming area: the six device parameters per area, the
// requests 12 (who uses ÜG 'Scharf') and 13 (may this area use it) and what the node does
// with the answers, the rows and their edits.
#include "tessarin/AzScharfUnscharfQuittierungSsb.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TBereich = TAzScharfUnscharfQuittierungSsb::TEnumScharfschaltBereich;
using TWrites = std::vector<std::pair<int16_t, int32_t>>;

constexpr int32_t kHandle = 71;
constexpr int32_t kParent = 8;
constexpr int32_t kSystem = 1;

TBereich Bereich(int n)
{
    return TBereich{static_cast<int8_t>(n)};
}

// The editor's side of requests 12 and 13: one ÜG 'Scharf' flag per arming area.
class TEditorUegScharf {
public:
    std::array<bool, 4> flags{};
    bool verweigern = false; // refuse every request 13

    void Install(TMainWindowDouble& main)
    {
        main.OnDeviceRequest(12, [this](TUserDeviceRequest& r) -> LRESULT {
            std::string text;
            for (int n = 1; n <= 4; ++n) {
                if (!flags[static_cast<std::size_t>(n - 1)])
                    continue;
                if (!text.empty())
                    text += " / ";
                text += "SSB" + std::to_string(n);
            }
            r.Text = text;
            return 1;
        });
        main.OnDeviceRequest(13, [this](TUserDeviceRequest& r) -> LRESULT {
            if (verweigern || r.Wert4 < 1 || r.Wert4 > 4)
                return 0;
            flags[static_cast<std::size_t>(r.Wert4 - 1)] = (r.Wert7 & 0xFF) != 0;
            return 1;
        });
    }
};

class QuittierungTest : public ::testing::Test {
protected:
    QuittierungTest()
    {
        knoten.SetHandle(kHandle);
        main.AddNodeRecord(kHandle, kParent, kSystem);
        editor.Install(main);
    }

    void Show()
    {
        knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    int GridRow(int rowNr) const { return grid.FindRow(rowNr); }

    TWrites WriteDataToDb()
    {
        main.DeviceParams().Clear();
        knoten.WriteDataToDb();
        return main.DeviceParams().Writes();
    }

    TMainWindowDouble main;
    TScriptedMessageBox boxes;
    TEditorUegScharf editor;
    TAzScharfUnscharfQuittierungSsb knoten{main.Handle(), kSystem, kParent,
                                           "Scharf-/Unscharf-Quittierung SSB 1", 0};
    TDrawGridSE grid;
};


// --- Device parameters -----------------------------------------------------------------------

struct TParamCase {
    const char* name;
    int bereich;
    // ÜG 'Scharf', flash, outdoor siren, indoor siren, relay, locking element
    std::array<int16_t, 6> nummern;
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class QuittierungParamTest : public QuittierungTest,
                             public ::testing::WithParamInterface<TParamCase> {};

TEST_P(QuittierungParamTest, NewNodeWritesItsDefaultsToTheAreaParameters)
{
    const TParamCase& c = GetParam();
    knoten.SetScharfschaltBereich(Bereich(c.bereich));
    const std::array<int32_t, 6> werte = {1, 1, 0, 0, 0, 0};
    TWrites expected;
    for (std::size_t i = 0; i < werte.size(); ++i)
        expected.emplace_back(c.nummern[i], werte[i]);
    EXPECT_EQ(WriteDataToDb(), expected);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});
}

TEST_P(QuittierungParamTest, LoadedNodeWritesItsRecordValuesOnceInitialised)
{
    const TParamCase& c = GetParam();
    TDatenStruktur record;
    record.Bool3 = false;
    record.Bool4 = false;
    record.Bool5 = true;
    record.Bool6 = true;
    record.Bool7 = true;
    record.Param3 = 0x102; // locking element: the low byte
    record.Param4 = c.bereich;
    knoten.InitFromDB(record);
    EXPECT_EQ(WriteDataToDb(), TWrites{}); // numbers not yet set
    knoten.InitScharfUnscharfQuittierungSsb();
    EXPECT_EQ(knoten.GetScharfschaltBereich(), Bereich(c.bereich));
    const std::array<int32_t, 6> werte = {0, 0, 1, 1, 1, 2};
    TWrites expected;
    for (std::size_t i = 0; i < werte.size(); ++i)
        expected.emplace_back(c.nummern[i], werte[i]);
    EXPECT_EQ(WriteDataToDb(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AzScharfUnscharfQuittierungSsb, QuittierungParamTest,
    ::testing::Values(TParamCase{"SSB1", 1, {13150, 13110, 13120, 13130, 13140, 23110}},
                      TParamCase{"SSB2", 2, {13250, 13210, 13220, 13230, 13240, 23210}},
                      TParamCase{"SSB3", 3, {13350, 13310, 13320, 13330, 13340, 23310}},
                      TParamCase{"SSB4", 4, {13450, 13410, 13420, 13430, 13440, 23410}}),
    TZeilenName());

TEST_F(QuittierungTest, NewNodeHasItsConstantsAndDefaults)
{
    EXPECT_EQ(knoten.GetTyp(), 6137);
    EXPECT_EQ(knoten.GetIcon(), 46);
    EXPECT_EQ(knoten.ListStyle(), 1);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 150);
    EXPECT_EQ(knoten.GetName(true), "Scharf-/Unscharf-Quittierung SSB 1");
    EXPECT_TRUE(knoten.GetStatusSignUegScharf());
    EXPECT_TRUE(knoten.GetQuittierungBlitz());
    EXPECT_FALSE(knoten.GetQuittierungAussenSirene());
    EXPECT_FALSE(knoten.GetQuittierungInnenSirene());
    EXPECT_FALSE(knoten.GetQuittierungRelais());
    EXPECT_EQ(knoten.GetSperrelement(), 0);

    std::map<int, TDatenStruktur> records;
    records[1].Typ = 6136;
    EXPECT_FALSE(knoten.Einfuegen(records));
    records[5].Typ = 6137;
    EXPECT_TRUE(knoten.Einfuegen(records));
}

TEST_F(QuittierungTest, AreaOutsideOneToFourIsStoredButKeepsTheParameterNumbers)
{
    knoten.SetScharfschaltBereich(Bereich(7));
    EXPECT_EQ(knoten.GetScharfschaltBereich(), Bereich(7));
    EXPECT_TRUE(WriteDataToDb().empty()); // a new node has no numbers yet

    knoten.SetScharfschaltBereich(Bereich(2));
    knoten.SetScharfschaltBereich(Bereich(0));
    EXPECT_EQ(knoten.GetScharfschaltBereich(), Bereich(0));
    const TWrites writes = WriteDataToDb();
    ASSERT_EQ(writes.size(), 6u);
    EXPECT_EQ(writes.front().first, 13250);
    EXPECT_EQ(writes.back().first, 23210);

    // Without ETS: one box, nothing written.
    main.DeviceParams().Clear();
    main.SetDeviceParamAccess(nullptr);
    knoten.WriteDataToDb();
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

TEST_F(QuittierungTest, RecordRoundTripSignExtendsTheBytes)
{
    TDatenStruktur record;
    record.Bool3 = true;
    record.Bool6 = true;
    record.Param3 = 0x1FF; // low byte 0xFF: -1 in the signed byte
    record.Param4 = 0x203; // area 3
    knoten.InitFromDB(record);
    EXPECT_EQ(knoten.GetScharfschaltBereich(), Bereich(3));
    TDatenStruktur back;
    back.Bool8 = true; // not the class's: left alone
    knoten.Write(back);
    EXPECT_EQ(back.Typ, 6137);
    EXPECT_TRUE(back.Bool3);
    EXPECT_FALSE(back.Bool4);
    EXPECT_FALSE(back.Bool5);
    EXPECT_TRUE(back.Bool6);
    EXPECT_FALSE(back.Bool7);
    EXPECT_TRUE(back.Bool8);
    EXPECT_EQ(back.Param3, -1);
    EXPECT_EQ(back.Param4, 3);
}

// --- Rows and request 12 ---------------------------------------------------------------------

TEST_F(QuittierungTest, RowsShowTheFlagsAndWhoUsesTheArmedSignal)
{
    knoten.SetScharfschaltBereich(Bereich(3));
    editor.flags = {true, false, true, false};
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    struct TRowCase {
        int rowNr;
        const char* caption;
        TCell::TEnumCellKind kind;
        const char* text;
    };
    const TRowCase rows[] = {
        {1, "Signalisierung durch ÜG 'Scharf'", TCell::ckComboBox, "Ja"},
        {2, "Nutzung ÜG 'Scharf' durch", TCell::ckText, "SSB1 / SSB3"},
        {3, "Quittierung durch Blitz", TCell::ckComboBox, "Ja"},
        {4, "Quittierung durch Außen-Sirene", TCell::ckComboBox, "Nein"},
        {5, "Quittierung durch Innen-Sirene", TCell::ckComboBox, "Nein"},
        {6, "Quittierung durch Relais", TCell::ckComboBox, "Nein"},
        {7, "Sperrelement öffnen bei Feuer/Überfall", TCell::ckComboBox, "Nein"},
    };
    for (const TRowCase& r : rows) {
        SCOPED_TRACE(r.rowNr);
        const int g = GridRow(r.rowNr);
        ASSERT_NE(g, -1);
        EXPECT_EQ(grid.Cell(0, g)->Text, r.caption);
        EXPECT_EQ(grid.Cell(1, g)->Kind, r.kind);
        EXPECT_EQ(grid.Cell(1, g)->Text, r.text);
    }
    EXPECT_EQ(grid.Cell(1, GridRow(7))->Items,
              (std::vector<TComboWert>{{"Ja Statisch Unscharfsignal", 1},
                                       {"Ja Impuls Unscharfsignal", 2},
                                       {"Nein", 0}}));
    ASSERT_EQ(main.DeviceRequests().size(), 1u);
    EXPECT_EQ(main.DeviceRequests()[0].Code, 12);
    EXPECT_EQ(main.DeviceRequests()[0].Sender, &knoten);
    EXPECT_EQ(main.DeviceRequests()[0].Text, "");
}

TEST_F(QuittierungTest, RefusedListRequestGivesAnEmptyText)
{
    main.OnDeviceRequest(12, [](TUserDeviceRequest& r) -> LRESULT {
        r.Text = "SSB2";
        return 0;
    });
    EXPECT_EQ(knoten.GetStrUegScharfUsedFrom(), "");
}

// --- Request 13: switching ÜG 'Scharf' -------------------------------------------------------

TEST_F(QuittierungTest, SwitchingTheArmedSignalAsksTheEditorFirst)
{
    knoten.SetScharfschaltBereich(Bereich(2));
    editor.flags = {false, true, false, false};
    Show();
    const int g = GridRow(1);
    ASSERT_TRUE(grid.SelectComboItem(g, 0)); // "Nein"
    ASSERT_EQ(main.DeviceRequests().size(), 2u); // 12 while showing, then 13
    const TUserDeviceRequest& r = main.DeviceRequests()[1];
    EXPECT_EQ(r.Code, 13);
    EXPECT_EQ(r.Handle, kHandle);
    EXPECT_EQ(r.Wert4, 2);
    EXPECT_EQ(r.Wert7 & 0xFF, 0);
    EXPECT_FALSE(knoten.GetStatusSignUegScharf());
    EXPECT_FALSE(editor.flags[1]);
    EXPECT_EQ(main.MessageIds(),
              (std::vector<UINT>{UM_UserDeviceMessage, UM_GetDatenSatz, UM_AktualisiereAnsicht}));
    EXPECT_EQ(main.Messages()[2], PostedMessage(UM_AktualisiereAnsicht, 1, g));
    EXPECT_FALSE(main.FindRecord(kHandle)->Bool3);

    main.Clear();
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(1), 1)); // "Ja" again
    EXPECT_EQ(main.DeviceRequests().back().Wert7 & 0xFF, 1);
    EXPECT_TRUE(knoten.GetStatusSignUegScharf());
    EXPECT_TRUE(editor.flags[1]);
}

TEST_F(QuittierungTest, RefusedSwitchKeepsTheFlagAndWritesNothing)
{
    knoten.SetScharfschaltBereich(Bereich(1));
    editor.verweigern = true;
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(1), 0));
    EXPECT_TRUE(knoten.GetStatusSignUegScharf());
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_UserDeviceMessage});
    EXPECT_FALSE(main.FindRecord(kHandle)->Bool3); // never written
}

TEST_F(QuittierungTest, SameArmedSignalValueSendsNoRequest)
{
    knoten.SetScharfschaltBereich(Bereich(1));
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(1), 1)); // already "Ja"
    EXPECT_TRUE(main.Messages().empty());
}

// --- Acknowledgement outputs and locking element ---------------------------------------------

TEST_F(QuittierungTest, OutputFlagsAreWrittenWhenChanged)
{
    knoten.SetScharfschaltBereich(Bereich(4));
    const std::pair<int, bool (TAzScharfUnscharfQuittierungSsb::*)() const> rows[] = {
        {3, &TAzScharfUnscharfQuittierungSsb::GetQuittierungBlitz},
        {4, &TAzScharfUnscharfQuittierungSsb::GetQuittierungAussenSirene},
        {5, &TAzScharfUnscharfQuittierungSsb::GetQuittierungInnenSirene},
        {6, &TAzScharfUnscharfQuittierungSsb::GetQuittierungRelais},
    };
    for (const auto& [rowNr, getter] : rows) {
        SCOPED_TRACE(rowNr);
        Show();
        const bool vorher = (knoten.*getter)();
        ASSERT_TRUE(grid.SelectComboItem(GridRow(rowNr), vorher ? 1 : 0)); // same value
        EXPECT_TRUE(main.Messages().empty());
        ASSERT_TRUE(grid.SelectComboItem(GridRow(rowNr), vorher ? 0 : 1));
        EXPECT_EQ((knoten.*getter)(), !vorher);
        EXPECT_EQ(main.Messages(),
                  (std::vector<TRecordedMessage>{
                      SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle),
                      PostedMessage(UM_AktualisiereAndereAnsichten)}));
    }
    for (const TUserDeviceRequest& r : main.DeviceRequests())
        EXPECT_EQ(r.Code, 12); // the outputs ask the editor nothing
    const TDatenStruktur& record = *main.FindRecord(kHandle);
    EXPECT_FALSE(record.Bool4);
    EXPECT_TRUE(record.Bool5);
    EXPECT_TRUE(record.Bool6);
    EXPECT_TRUE(record.Bool7);
    EXPECT_EQ(WriteDataToDb(), (TWrites{{13450, 1}, {13410, 0}, {13420, 1}, {13430, 1},
                                        {13440, 1}, {23410, 0}}));
}

TEST_F(QuittierungTest, LockingElementTakesTheEntryValue)
{
    knoten.SetScharfschaltBereich(Bereich(2));
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(7), 1)); // "Ja Impuls Unscharfsignal"
    EXPECT_EQ(knoten.GetSperrelement(), 2);
    EXPECT_EQ(main.MessageIds(),
              (std::vector<UINT>{UM_GetDatenSatz, UM_AktualisiereAndereAnsichten}));
    EXPECT_EQ(main.FindRecord(kHandle)->Param3, 2);
    EXPECT_EQ(WriteDataToDb().back(), (std::pair<int16_t, int32_t>{23210, 2}));
}

TEST_F(QuittierungTest, LockingElementComboWithoutSelectionLeavesItUnchanged)
{
    knoten.SetScharfschaltBereich(Bereich(2));
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(7), 0)); // "Ja Statisch Unscharfsignal"
    main.Clear();
    TDrawGridSEComboBox combo;
    combo.Items = {{"Ja Statisch Unscharfsignal", 1}, {"Ja Impuls Unscharfsignal", 2}, {"Nein", 0}};
    combo.ItemIndex = -1;
    TCell cell = *grid.Cell(1, GridRow(7));
    knoten.GridComboBoxChange(&combo, cell, 1, GridRow(7));
    EXPECT_EQ(knoten.GetSperrelement(), 1);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(WriteDataToDb().back(), (std::pair<int16_t, int32_t>{23210, 1}));
}

} // namespace
