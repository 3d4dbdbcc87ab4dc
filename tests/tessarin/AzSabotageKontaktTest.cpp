// The centre's tamper contact: its two device parameters, its one grid row and the messages
// after a resistor is chosen.
#include "tessarin/AzSabotageKontakt.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kHandle = 4;
constexpr int32_t kParent = 2;
constexpr int32_t kSystem = 1;

using TWrites = std::vector<std::pair<int16_t, int32_t>>;


TDatenStruktur Record()
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Parent = kParent;
    r.System = kSystem;
    r.Typ = TAzSabotageKontakt::kTyp;
    return r;
}

class AzSabotageKontaktTest : public ::testing::Test {
protected:
    AzSabotageKontaktTest()
    {
        kontakt.SetHandle(kHandle);
        main.AddRecord(Record());
    }

    // Loads the node from a record that differs from the defaults as `change` says.
    template <class Change> void Load(Change change)
    {
        TDatenStruktur r = Record();
        kontakt.Write(r);
        change(r);
        kontakt.InitFromDB(r);
    }

    void Show()
    {
        kontakt.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    TMainWindowDouble main;
    TAzSabotageKontakt kontakt{main.Handle(), kSystem, kParent, "Sabotage", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};

// --- Device parameters -----------------------------------------------------------------------

struct TParamCase {
    const char* name;
    void (*change)(TDatenStruktur&);
    TWrites writes;
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzSabotageKontaktParamTest : public AzSabotageKontaktTest,
                                   public ::testing::WithParamInterface<TParamCase> {};

TEST_P(AzSabotageKontaktParamTest, WritesResistorThenBlock)
{
    Load(GetParam().change);
    kontakt.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), GetParam().writes);
    EXPECT_EQ(kontakt.GetMelderParameterblock(), GetParam().writes.at(1).second);
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzSabotageKontakt, AzSabotageKontaktParamTest,
    ::testing::Values(
        // 1 | 7 << 3 | 1 << 15
        TParamCase{"Defaults", [](TDatenStruktur&) {}, {{4630, 0}, {4610, 32825}}},
        TParamCase{"Resistor47KOhm", [](TDatenStruktur& r) { r.Param3 = 2; },
                   {{4630, 2}, {4610, 32825}}},
        TParamCase{"DetectorTypeSetsBit13", [](TDatenStruktur& r) { r.Param7 = 1; },
                   {{4630, 0}, {4610, 32825 + (1 << 13)}}},
        TParamCase{"InactiveClearsBit15", [](TDatenStruktur& r) { r.Bool3 = false; },
                   {{4630, 0}, {4610, 32825 - (1 << 15)}}},
        TParamCase{"AllFieldsAtTheirTop",
                   [](TDatenStruktur& r) {
                       r.Param4 = 5;
                       r.Param5 = 6;
                       r.Param6 = 127;
                       r.Param7 = 2;
                   },
                   {{4630, 0}, {4610, 5 | 6 << 3 | 127 << 6 | 2 << 13 | 1 << 15}}},
        // Damaged records: each field is cut to its width and leaves its neighbours alone.
        TParamCase{"TextIndexMasked", [](TDatenStruktur& r) { r.Param6 = 0x80 | 3; },
                   {{4630, 0}, {4610, 1 | 7 << 3 | 3 << 6 | 1 << 15}}},
        TParamCase{"NegativeAreaMasked", [](TDatenStruktur& r) { r.Param5 = -1; },
                   {{4630, 0}, {4610, 1 | 7 << 3 | 1 << 15}}},
        // The resistor is an 8-bit member: the low byte of the record, sign-extended.
        TParamCase{"ResistorLowByteSignExtended", [](TDatenStruktur& r) { r.Param3 = 0x1FF; },
                   {{4630, -1}, {4610, 32825}}}),
    TZeilenName());

TEST_F(AzSabotageKontaktTest, WithoutEtsOneBoxAndNothingWritten)
{
    main.SetDeviceParamAccess(nullptr);
    kontakt.WriteDataToDb();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler beim Zugriff auf Ets");
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

// --- Record ----------------------------------------------------------------------------------

TEST_F(AzSabotageKontaktTest, RecordSlotsRoundTripAndDefaults)
{
    TDatenStruktur defaults;
    kontakt.Write(defaults);
    EXPECT_EQ(std::vector<int32_t>({defaults.Param3, defaults.Param4, defaults.Param5,
                                    defaults.Param6, defaults.Param7}),
              std::vector<int32_t>({0, 1, 7, 0, 0}));
    EXPECT_TRUE(defaults.Bool3);

    TDatenStruktur in = Record();
    in.Name = "Sabotage";
    in.Param3 = 1;
    in.Param4 = 4;
    in.Param5 = 3;
    in.Param6 = 17;
    in.Param7 = 2;
    in.Bool3 = false;
    kontakt.InitFromDB(in);
    TDatenStruktur out;
    kontakt.Write(out);
    EXPECT_EQ(out, in);
}

TEST_F(AzSabotageKontaktTest, ConstantsOfTheNodeKind)
{
    EXPECT_EQ(kontakt.GetTyp(), 6126);
    EXPECT_EQ(kontakt.GetIcon(), 35);
    EXPECT_EQ(kontakt.ListStyle(), 1);
    EXPECT_EQ(kontakt.GetQuickHelpIndexOffset(), 112);
    EXPECT_EQ(kontakt.GetName(true), "Sabotage");
    EXPECT_FALSE(kontakt.AllowDrop(&kontakt));
}

TEST_F(AzSabotageKontaktTest, EinfuegenNeedsARecordOfItsType)
{
    std::map<int, TDatenStruktur> records;
    TDatenStruktur other = Record();
    other.Typ = 6124;
    records[1] = other;
    EXPECT_FALSE(kontakt.Einfuegen(records));
    records[2] = Record();
    EXPECT_TRUE(kontakt.Einfuegen(records));
}

// --- Grid ------------------------------------------------------------------------------------

TEST_F(AzSabotageKontaktTest, OneResistorRow)
{
    Load([](TDatenStruktur& r) { r.Param3 = 1; });
    kontakt.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_EQ(grid.RowNumbers(), std::vector<int>{2});
    const TCell* caption = grid.Cell(0, 0);
    const TCell* value = grid.Cell(1, 0);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(caption->Text, "Sabotage-Abschluß-Widerstand");
    EXPECT_EQ(value->Kind, TCell::ckComboBox);
    ASSERT_EQ(value->Items.size(), 3u);
    EXPECT_EQ(value->Items[0].Text, "0 Ohm");
    EXPECT_EQ(value->Items[1].Text, "12 KOhm");
    EXPECT_EQ(value->Items[2].Text, "47 KOhm");
    EXPECT_EQ(value->ItemIndex, 1);
    EXPECT_EQ(value->Help, 112 + 2);

    kontakt.BuildInfoWindow(&grid, nullptr, false, 1, 0);
    EXPECT_EQ(main.Messages(), std::vector<TRecordedMessage>{PostedMessage(UM_SetActiveCell, 1, 0)});
}

TEST_F(AzSabotageKontaktTest, ChoosingAResistorWritesOnceAndRefreshesTheOtherViews)
{
    Show();
    ASSERT_TRUE(grid.SelectComboItem(0, 2));
    ASSERT_TRUE(grid.ExitCell()); // leaving the cell commits nothing more
    const std::vector<TRecordedMessage> expected = {
        SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle),
        PostedMessage(UM_AktualisiereAndereAnsichten)};
    EXPECT_EQ(main.Messages(), expected);
    EXPECT_EQ(main.FindRecord(kHandle)->Param3, 2);

    kontakt.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), (TWrites{{4630, 2}, {4610, 32825}}));
}

TEST_F(AzSabotageKontaktTest, ChoosingTheSelectedResistorSendsNothing)
{
    Show();
    ASSERT_TRUE(grid.SelectComboItem(0, 0));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(kontakt.GetWiderstand(), 0);
}

TEST_F(AzSabotageKontaktTest, NoSelectionOrOtherRowChangesNothing)
{
    Show();
    TDrawGridSEComboBox combo;
    TCell cell;
    cell.RowNr = 2;
    combo.ItemIndex = -1;
    kontakt.GridComboBoxChange(&combo, cell, 1, 0);
    kontakt.GridComboBoxChange(nullptr, cell, 1, 0);
    combo.ItemIndex = 2;
    cell.RowNr = 3;
    kontakt.GridComboBoxChange(&combo, cell, 1, 0);
    EXPECT_EQ(kontakt.GetWiderstand(), 0);

    // The handlers without a row to serve send nothing, whatever they are given.
    cell.RowNr = 2;
    kontakt.GridExitCell(&grid, &combo, cell, 1, 0);
    kontakt.GridEditChange(&combo, cell, 1, 0);
    kontakt.GridSpinEditChange(&combo, cell, 1, 0);
    kontakt.GridSpinEditOverflow(&grid, &combo, cell, 1, 0, 300);
    kontakt.GridSpinEditUnderflow(&grid, &combo, cell, 1, 0, -3);
    kontakt.GridExit(&grid, &combo, cell, 1, 0);
    kontakt.GridEllipseClick(&combo, cell, 1, 0);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(kontakt.GetWiderstand(), 0);
}

} // namespace
