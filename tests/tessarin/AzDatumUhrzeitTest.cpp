// Date and time: the clock row and the four clock parameters.
#include "tessarin/AzDatumUhrzeit.h"

#include "rastow/DrawGridSEComboBox.h"

#include "AzEinfacheKnotenFixture.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

namespace {

using namespace AzEinfach;

class AzDatumUhrzeitTest : public TFixture<TAzDatumUhrzeit> { };

TEST_F(AzDatumUhrzeitTest, NewNodeHasAClockAndWritesTheDefaults)
{
    EXPECT_EQ(knoten.GetTyp(), 6147);
    EXPECT_EQ(knoten.GetIcon(), 59);
    EXPECT_EQ(knoten.ListStyle(), 1);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 226);
    EXPECT_TRUE(knoten.GetStatusSystemUhrVorhanden());
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{10050, 1}, {10020, 1}, {10030, 10}, {10040, 3}}));
}

struct TRecordCase {
    const char* name;
    bool bool3, bool4;
    int32_t param3, param4;
    TWrites writes;       // what WriteDataToDb then writes
    int32_t back3, back4; // Param3, Param4 after Write
    bool uhr;
};

void PrintTo(const TRecordCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzDatumUhrzeitRecordTest : public AzDatumUhrzeitTest,
                                 public ::testing::WithParamInterface<TRecordCase> { };

TEST_P(AzDatumUhrzeitRecordTest, LoadsWritesParametersAndStoresBack)
{
    const TRecordCase& c = GetParam();
    TDatenStruktur record = NodeRecord(6147);
    record.Bool3 = c.bool3;
    record.Bool4 = c.bool4;
    record.Param3 = c.param3;
    record.Param4 = c.param4;
    knoten.InitFromDB(record);
    EXPECT_EQ(knoten.GetStatusSystemUhrVorhanden(), c.uhr);
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), c.writes);

    TDatenStruktur back;
    knoten.Write(back);
    EXPECT_EQ(back.Bool3, c.bool3);
    EXPECT_EQ(back.Bool4, c.bool4);
    EXPECT_EQ(back.Param3, c.back3);
    EXPECT_EQ(back.Param4, c.back4);
    EXPECT_EQ(back.Typ, 6147);
}

INSTANTIATE_TEST_SUITE_P(
    AzDatumUhrzeit, AzDatumUhrzeitRecordTest,
    ::testing::Values(TRecordCase{"NoClockNoSwitching",
                                  false,
                                  false,
                                  11,
                                  4,
                                  {{10050, 0}, {10020, 0}, {10030, 11}, {10040, 4}},
                                  11,
                                  4,
                                  false},
                      // Months are 8-bit members: the low byte is taken.
                      TRecordCase{"MonthIsTheLowByte",
                                  true,
                                  true,
                                  266,
                                  259,
                                  {{10050, 1}, {10020, 1}, {10030, 10}, {10040, 3}},
                                  10,
                                  3,
                                  true},
                      // An 8-bit month is written sign-extended.
                      TRecordCase{"HighByteMonthSignExtends",
                                  true,
                                  false,
                                  0xF0,
                                  0,
                                  {{10050, 1}, {10020, 0}, {10030, -16}, {10040, 0}},
                                  -16,
                                  0,
                                  true}),
    TZeilenName());

TEST_F(AzDatumUhrzeitTest, OneYesNoRow)
{
    knoten.BuildInfoWindow(&grid, nullptr, false, 1, 0);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1}));
    EXPECT_EQ(grid.Cell(0, 0)->Text, "System-Uhr vorhanden");
    EXPECT_EQ(grid.Cell(1, 0)->Kind, TCell::ckComboBox);
    EXPECT_EQ(grid.Cell(1, 0)->ItemIndex, 1);
    EXPECT_EQ(main.Messages(), (TMessages{PostCell(UM_SetActiveCell, 1, 0)}));
}

TEST_F(AzDatumUhrzeitTest, ChangingTheClockWritesAndRefreshes)
{
    Show();
    ASSERT_TRUE(grid.SelectComboItem(0, 1)); // already shown
    EXPECT_TRUE(main.Messages().empty());

    ASSERT_TRUE(grid.SelectComboItem(0, 0));
    EXPECT_FALSE(knoten.GetStatusSystemUhrVorhanden());
    EXPECT_EQ(main.Messages(),
              (TMessages{SendGetDatenSatz(), PostCell(UM_AktualisiereAnsicht, 1, 0)}));
    EXPECT_FALSE(Record().Bool3);
    EXPECT_EQ(Record().Param3, 10);
}

TEST_F(AzDatumUhrzeitTest, ComboWithoutSelectionOrOtherRowChangesNothing)
{
    Show();
    TDrawGridSEComboBox combo;
    combo.Items = {{"Nein", 0}, {"Ja", 1}};
    combo.ItemIndex = -1;
    TCell cell = *grid.Cell(1, 0);
    knoten.GridComboBoxChange(&combo, cell, 1, 0);
    combo.ItemIndex = 0;
    cell.RowNr = 2;
    knoten.GridComboBoxChange(&combo, cell, 1, 0);
    EXPECT_TRUE(knoten.GetStatusSystemUhrVorhanden());
    EXPECT_TRUE(main.Messages().empty());
}

} // namespace
