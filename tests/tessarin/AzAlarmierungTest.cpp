// Alarming nodes: parameter blocks by alarm type, the rows each type shows, the shared
// intrusion path of the transmission unit (request codes 17 and 18), and the folder.
#include "tessarin/AzAlarmierung.h"

#include "AzAblauf.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"
#include "tessarin/AzOrdnerAlarmierung.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Typ = T_DB_EnumAzAlarmierung;
using TWrites = std::vector<std::pair<int16_t, int32_t>>;

constexpr int32_t kHandle = 40;
constexpr int32_t kParent = 30;
constexpr int32_t kSystem = 1;

// The editor's side of the intrusion path: one flag per arming area, kept by the device
// instance: code 17 names the areas that use it, code 18 switches an area's use.
struct TEditorUegEinbruch {
    std::array<bool, 4> genutzt{};

    void Install(TMainWindowDouble& main)
    {
        main.OnDeviceRequest(17, [this](TUserDeviceRequest& r) -> LRESULT {
            static const char* const kSsb[] = {"SSB1", "SSB2", "SSB3", "SSB4"};
            std::string text;
            for (std::size_t i = 0; i < genutzt.size(); ++i) {
                if (!genutzt[i])
                    continue;
                if (!text.empty())
                    text += " / ";
                text += kSsb[i];
            }
            r.Text = text;
            return 1;
        });
        main.OnDeviceRequest(18, [this](TUserDeviceRequest& r) -> LRESULT {
            if (r.Wert4 < Typ::atSsb1 || r.Wert4 > Typ::atSsb4)
                return 0;
            genutzt[static_cast<std::size_t>(r.Wert4 - Typ::atSsb1)] = (r.Wert7 & 0xFF) != 0;
            return 1;
        });
    }
};

class AzAlarmierungTest : public ::testing::Test {
protected:
    AzAlarmierungTest()
    {
        knoten.SetHandle(kHandle);
        TDatenStruktur r;
        r.Handle = kHandle;
        r.Parent = kParent;
        r.System = kSystem;
        main.AddRecord(r);
        editor.Install(main);
    }

    // Rebuilds the node's rows; the messages of building are not kept.
    void Show()
    {
        knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    bool Select(int rowNr, int index)
    {
        const int gridRow = grid.FindRow(rowNr);
        return gridRow >= 0 && grid.SelectComboItem(gridRow, index);
    }

    std::string Value(int rowNr)
    {
        const int gridRow = grid.FindRow(rowNr);
        return gridRow >= 0 ? grid.Cell(1, gridRow)->Text : "<no row>";
    }

    TMainWindowDouble main;
    TEditorUegEinbruch editor;
    TAzAlarmierung knoten{main.Handle(), kSystem, kParent, "Alarm", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};

// --- Parameters by alarm type ---------------------------------------------------------------

struct TParamCase {
    const char* name;
    int typ;
    bool vorgegeben; // SetAlarmierungTyp's answer
    TWrites writes;
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class AlarmierungParamTest : public AzAlarmierungTest,
                             public ::testing::WithParamInterface<TParamCase> {};

TEST_P(AlarmierungParamTest, PresetNodeWritesItsOwnBlock)
{
    const TParamCase& c = GetParam();
    EXPECT_EQ(knoten.SetAlarmierungTyp(static_cast<Typ::TEnumAlarmierungTyp>(c.typ)),
              c.vorgegeben);
    Typ::TEnumAlarmierungTyp typ = Typ::atFeuer;
    EXPECT_EQ(knoten.GetAlarmierungTyp(typ), c.typ);
    EXPECT_EQ(typ, c.typ);
    knoten.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), c.writes);
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzAlarmierung, AlarmierungParamTest,
    ::testing::Values(
        // Fire: every output, ÜG 'Feuer' at B+40.
        TParamCase{"Feuer", 0, true, {{16510, 1}, {16520, 1}, {16530, 1}, {16540, 1}, {16550, 1}}},
        // Hold-up: silent, ÜG 'Überfall' at B+40.
        TParamCase{"Ueberfall", 1, true, {{16610, 0}, {16620, 0}, {16630, 0}, {16640, 0}, {16650, 1}}},
        TParamCase{"Ssb1", 3, true, {{16110, 1}, {16120, 0}, {16130, 1}, {16140, 1}, {16150, 1}}},
        TParamCase{"Ssb2", 4, true, {{16210, 1}, {16220, 1}, {16230, 0}, {16240, 1}, {16250, 1}}},
        TParamCase{"Ssb3", 5, true, {{16310, 1}, {16320, 0}, {16330, 1}, {16340, 1}, {16350, 1}}},
        TParamCase{"Ssb4", 6, true, {{16410, 1}, {16420, 1}, {16430, 0}, {16440, 1}, {16450, 1}}},
        // Type 2 has no block of its own: it writes nothing rather than over type 3's.
        TParamCase{"SabotageExternWritesNothing", 2, false, {}},
        TParamCase{"UnknownTypeWritesNothing", 7, false, {}},
        TParamCase{"NegativeTypeWritesNothing", -1, false, {}}),
    TZeilenName());

// Which flag lands in B+40 depends on the type; the others are not written there.
struct TUegCase {
    const char* name;
    int typ;
    bool stoerung, einbruch, feuer, ueberfall;
    int16_t uegParam;
    int32_t uegWert;
};

void PrintTo(const TUegCase& c, std::ostream* out)
{
    *out << c.name;
}

class AlarmierungUegTest : public AzAlarmierungTest,
                           public ::testing::WithParamInterface<TUegCase> {};

// A node loaded from its record, with the editor never having set its numbers: it still
// writes to the block of its stored type (a new node's numbers are type 3's).
TEST_P(AlarmierungUegTest, LoadedNodeWritesTheTypesTransmissionFlagToItsOwnBlock)
{
    const TUegCase& c = GetParam();
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Param3 = c.typ;
    r.Bool3 = true; // flash only
    r.Bool7 = c.stoerung;
    r.Bool8 = c.einbruch;
    r.Bool9 = c.feuer;
    r.Bool10 = c.ueberfall;
    knoten.InitFromDB(r);
    knoten.WriteDataToDb();
    const TWrites expected = {{static_cast<int16_t>(c.uegParam - 40), 1},
                              {static_cast<int16_t>(c.uegParam - 30), 0},
                              {static_cast<int16_t>(c.uegParam - 20), 0},
                              {static_cast<int16_t>(c.uegParam - 10), 0},
                              {c.uegParam, c.uegWert}};
    EXPECT_EQ(main.DeviceParams().Writes(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AzAlarmierung, AlarmierungUegTest,
    ::testing::Values(
        TUegCase{"FeuerTakesFeuer", 0, true, true, false, true, 16550, 0},
        TUegCase{"FeuerTakesFeuerSet", 0, false, false, true, false, 16550, 1},
        TUegCase{"UeberfallTakesUeberfall", 1, true, true, true, false, 16650, 0},
        TUegCase{"UeberfallTakesUeberfallSet", 1, false, false, false, true, 16650, 1},
        TUegCase{"Ssb1TakesEinbruch", 3, true, false, true, true, 16150, 0},
        TUegCase{"Ssb4TakesEinbruchSet", 6, false, true, false, false, 16450, 1}),
    TZeilenName());

TEST_F(AzAlarmierungTest, NewNodeOfTypeTwoKeepsFlagsOffAndWritesNothing)
{
    EXPECT_FALSE(knoten.SetAlarmierungTyp(Typ::atSabotageExtern));
    EXPECT_FALSE(knoten.GetStatusAlarmierungUegEinbruch());
    TDatenStruktur r;
    knoten.Write(r);
    EXPECT_EQ(r.Param3, 2);
    EXPECT_FALSE(r.Bool3 || r.Bool4 || r.Bool5 || r.Bool6 || r.Bool7 || r.Bool8 || r.Bool9
                 || r.Bool10);

    main.SetDeviceParamAccess(nullptr);
    knoten.WriteDataToDb(); // not even the access is asked for: no box
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(boxes.Count(), 0u);
}

// --- Record --------------------------------------------------------------------------------

TEST_F(AzAlarmierungTest, RecordKeepsTypeAndFlags)
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Param3 = 0x105; // the type is the low byte
    r.Bool5 = true;
    r.Bool8 = true;
    knoten.InitFromDB(r);
    Typ::TEnumAlarmierungTyp typ = Typ::atFeuer;
    EXPECT_EQ(knoten.GetAlarmierungTyp(typ), Typ::atSsb3);
    EXPECT_TRUE(knoten.GetStatusAlarmierungUegEinbruch());

    TDatenStruktur out;
    knoten.Write(out);
    EXPECT_EQ(out.Typ, 6138);
    EXPECT_EQ(out.Param3, 5);
    const std::array<bool, 8> flags = {out.Bool3, out.Bool4, out.Bool5, out.Bool6,
                                       out.Bool7, out.Bool8, out.Bool9, out.Bool10};
    EXPECT_EQ(flags, (std::array<bool, 8>{false, false, true, false, false, true, false, false}));

    // A negative type goes out sign-extended.
    knoten.SetAlarmierungTyp(static_cast<Typ::TEnumAlarmierungTyp>(-2));
    knoten.Write(out);
    EXPECT_EQ(out.Param3, -2);
}

// --- Rows by type -----------------------------------------------------------------------------

struct TRowsCase {
    const char* name;
    int typ;
    std::vector<int> rows;
    std::string captionRow1; // empty: no row 1
    std::string valueRow1;
};

void PrintTo(const TRowsCase& c, std::ostream* out)
{
    *out << c.name;
}

class AlarmierungRowsTest : public AzAlarmierungTest,
                            public ::testing::WithParamInterface<TRowsCase> {};

TEST_P(AlarmierungRowsTest, ShowsTheRowsOfItsType)
{
    const TRowsCase& c = GetParam();
    knoten.SetAlarmierungTyp(static_cast<Typ::TEnumAlarmierungTyp>(c.typ));
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), c.rows);
    if (!c.captionRow1.empty()) {
        const int gridRow = grid.FindRow(1);
        ASSERT_GE(gridRow, 0);
        EXPECT_EQ(grid.Cell(0, gridRow)->Text, c.captionRow1);
        EXPECT_EQ(grid.Cell(1, gridRow)->Text, c.valueRow1);
        EXPECT_EQ(grid.Cell(1, gridRow)->Kind, TCell::ckText);
    }
    EXPECT_EQ(grid.Cell(0, grid.FindRow(3))->Text, "Alarmierung Blitz");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(4))->Text, "Alarmierung Außen-Sirene");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(5))->Text, "Alarmierung Innen-Sirene");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(6))->Text, "Alarmierung Relais");
}

INSTANTIATE_TEST_SUITE_P(
    AzAlarmierung, AlarmierungRowsTest,
    ::testing::Values(
        TRowsCase{"Feuer", 0, {1, 3, 4, 5, 6}, "Alarmierung ÜG 'Feuer'", "Ja"},
        TRowsCase{"Ueberfall", 1, {1, 3, 4, 5, 6}, "Alarmierung ÜG 'Überfall'", "Ja"},
        TRowsCase{"SabotageExtern", 2, {7, 8, 2, 3, 4, 5, 6}, "", ""},
        TRowsCase{"Ssb1", 3, {8, 2, 3, 4, 5, 6}, "", ""},
        TRowsCase{"Ssb4", 6, {8, 2, 3, 4, 5, 6}, "", ""}),
    TZeilenName());

TEST_F(AzAlarmierungTest, UsageRowShowsTheEditorsListOrNothing)
{
    knoten.SetAlarmierungTyp(Typ::atSsb2);
    editor.genutzt = {true, false, true, false};
    Show();
    EXPECT_EQ(Value(2), "SSB1 / SSB3");
    EXPECT_EQ(Value(8), "Ja");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(2))->Text, "Nutzung ÜG 'Einbruch' durch");
    EXPECT_EQ(grid.Cell(0, grid.FindRow(8))->Text, "Alarmierung ÜG 'Einbruch'");

    // The editor without an answer: an empty text, whatever it put into the request.
    main.OnDeviceRequest(17, [](TUserDeviceRequest& r) -> LRESULT {
        r.Text = "SSB2";
        return 0;
    });
    EXPECT_EQ(knoten.GetStrUegEinbruchUsedFrom(), "");
    const TUserDeviceRequest& sent = main.DeviceRequests().back();
    EXPECT_EQ(sent.Code, 17);
    EXPECT_EQ(sent.Handle, kHandle);
    EXPECT_EQ(sent.Sender, &knoten);
    EXPECT_TRUE(sent.Text.empty());
}

// --- Grid edits ---------------------------------------------------------------------------

TEST_F(AzAlarmierungTest, OutputRowsWriteAndRefreshTheOtherViews)
{
    knoten.SetAlarmierungTyp(Typ::atSabotageExtern);
    const std::pair<int, bool TDatenStruktur::*> rows[] = {
        {3, &TDatenStruktur::Bool3}, {4, &TDatenStruktur::Bool4}, {5, &TDatenStruktur::Bool5},
        {6, &TDatenStruktur::Bool6}, {7, &TDatenStruktur::Bool7}};
    for (const auto& [rowNr, slot] : rows) {
        SCOPED_TRACE(rowNr);
        Show();
        ASSERT_TRUE(Select(rowNr, 1));
        EXPECT_EQ(AzAblauf(main),
                  (std::vector<std::string>{"UM_GetDatenSatz", "UM_AktualisiereAndereAnsichten"}));
        EXPECT_TRUE(main.FindRecord(kHandle)->*slot);
        main.Clear();
        ASSERT_TRUE(Select(rowNr, 1)); // the same again: nothing
        EXPECT_TRUE(main.Messages().empty());
    }
    for (const TUserDeviceRequest& r : main.DeviceRequests())
        EXPECT_EQ(r.Code, 17); // only row 2's text, each time the rows are shown
}

struct TEinbruchCase {
    const char* name;
    int typ;
    int index;          // chosen in row 8
    bool answer;        // the editor's answer to code 18
    bool flagAfter;
    std::vector<std::string> ablauf;
};

void PrintTo(const TEinbruchCase& c, std::ostream* out)
{
    *out << c.name;
}

class AlarmierungEinbruchTest : public AzAlarmierungTest,
                                public ::testing::WithParamInterface<TEinbruchCase> {};

TEST_P(AlarmierungEinbruchTest, EditorDecidesOnTheSharedPath)
{
    const TEinbruchCase& c = GetParam();
    knoten.SetAlarmierungTyp(static_cast<Typ::TEnumAlarmierungTyp>(c.typ));
    knoten.Write(*main.FindRecord(kHandle));
    const bool before = knoten.GetStatusAlarmierungUegEinbruch();
    main.OnDeviceRequest(18, [&c](TUserDeviceRequest&) -> LRESULT { return c.answer ? 1 : 0; });
    Show();
    const std::size_t requestsBefore = main.DeviceRequests().size();

    ASSERT_TRUE(Select(8, c.index));
    EXPECT_EQ(AzAblauf(main), c.ablauf);
    EXPECT_EQ(knoten.GetStatusAlarmierungUegEinbruch(), c.flagAfter);
    EXPECT_EQ(main.FindRecord(kHandle)->Bool8, c.ablauf.size() > 1 ? c.flagAfter : before);
    if (main.DeviceRequests().size() > requestsBefore) {
        const TUserDeviceRequest& sent = main.DeviceRequests().back();
        EXPECT_EQ(sent.Code, 18);
        EXPECT_EQ(sent.Wert4, c.typ);
        EXPECT_EQ(sent.Wert7 & 0xFF, c.index);
        EXPECT_EQ(sent.Sender, &knoten);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AzAlarmierung, AlarmierungEinbruchTest,
    ::testing::Values(
        TEinbruchCase{"SwitchOffAgreed", 3, 0, true, false,
                      {"request 18", "UM_GetDatenSatz", "UM_AktualisiereAnsicht"}},
        TEinbruchCase{"SwitchOffRefused", 4, 0, false, true, {"request 18"}},
        TEinbruchCase{"SwitchOnAgreed", 2, 1, true, true,
                      {"request 18", "UM_GetDatenSatz", "UM_AktualisiereAnsicht"}},
        TEinbruchCase{"SameValueAsksNothing", 5, 1, true, true, {}}),
    TZeilenName());

TEST_F(AzAlarmierungTest, FolderIsOfItsOwnType)
{
    TAzOrdnerAlarmierung ordner(main.Handle(), kSystem, 0, "Alarmierung", 0);
    EXPECT_EQ(ordner.GetTyp(), 6139);
    EXPECT_EQ(ordner.GetIcon(), 48);
    EXPECT_EQ(knoten.GetTyp(), 6138);
    EXPECT_EQ(knoten.GetIcon(), 47);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 160);
}

} // namespace
