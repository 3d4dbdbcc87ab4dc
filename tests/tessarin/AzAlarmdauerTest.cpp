// Alarm durations: mode and duration of flash, outdoor siren, indoor siren and relay.
#include "tessarin/AzAlarmdauer.h"

#include "rastow/DrawGridSEComboBox.h"
#include "rastow/QmSpinEdit.h"

#include "AzEinfacheKnotenFixture.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace AzEinfach;

class AzAlarmdauerTest : public TFixture<TAzAlarmdauer> {
protected:
    // The grid row that shows the row number; fails the test when none does.
    int GridRow(int rowNr)
    {
        const int gridRow = grid.FindRow(rowNr);
        EXPECT_GE(gridRow, 0) << "row " << rowNr << " not shown";
        return gridRow;
    }
};

TEST_F(AzAlarmdauerTest, NewNodeWritesItsDefaultsAndHidesTheAlwaysOnDurations)
{
    EXPECT_EQ(knoten.GetTyp(), 6140);
    EXPECT_EQ(knoten.GetIcon(), 49);
    EXPECT_EQ(knoten.ListStyle(), 1);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 170);
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{15010, 255}, {15020, 180}, {15030, 180}, {15040, 255}}));

    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 3, 4, 5, 6, 7}));
    const std::vector<std::string> captions = {
        "Schaltdauer Blitz",        "Schaltdauer Außen-Sirene",     "Schaltdauer Außen-Sirene [s]",
        "Schaltdauer Innen-Sirene", "Schaltdauer Innen-Sirene [s]", "Schaltdauer Relais"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(grid.Cell(0, i)->Text, captions[static_cast<std::size_t>(i)]) << i;
    const TCell& modus = *grid.Cell(1, 0);
    ASSERT_EQ(modus.Items.size(), 2u);
    EXPECT_EQ(modus.Items[0].Text, "Immer-Ein");
    EXPECT_EQ(modus.Items[1].Text, "Zeit");
    EXPECT_EQ(modus.ItemIndex, 0);
    EXPECT_EQ(grid.Cell(1, 1)->ItemIndex, 1);
}

TEST_F(AzAlarmdauerTest, EveryDurationRowCarriesItsLimits)
{
    // All four outputs on "Zeit".
    TDatenStruktur record = NodeRecord(6140);
    for (int n = 3; n <= 6; ++n) {
        record.Param(n) = 10 * n;
        record.Bool(n) = true;
    }
    knoten.InitFromDB(record);
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(grid.Cell(0, 7)->Text, "Schaltdauer Relais [x 10s]");
    for (int a = 0; a < 4; ++a) {
        SCOPED_TRACE(a);
        const TCell& spin = *grid.Cell(1, GridRow(TAzAlarmdauer::RowDauer(a)));
        EXPECT_EQ(spin.Kind, TCell::ckSpinEdit);
        EXPECT_EQ(spin.SpinValue, 10 * (a + 3));
        EXPECT_EQ(spin.SpinMin, 2);
        EXPECT_EQ(spin.SpinMax, 254);
        EXPECT_EQ(spin.SpinStep, 1);
    }
}

struct TModusCase {
    const char* name;
    int ausgang;
    int index; // chosen entry
    bool changes;
    int32_t dauer;      // the output's duration afterwards
    bool dauerRowShown; // afterwards
};

void PrintTo(const TModusCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzAlarmdauerModusTest : public AzAlarmdauerTest,
                              public ::testing::WithParamInterface<TModusCase> { };

TEST_P(AzAlarmdauerModusTest, ChangingTheModeResetsTheDuration)
{
    const TModusCase& c = GetParam();
    Show();
    const int gridRow = GridRow(TAzAlarmdauer::RowModus(c.ausgang));
    ASSERT_TRUE(grid.SelectComboItem(gridRow, c.index));
    EXPECT_EQ(knoten.GetModus(c.ausgang), c.index);
    EXPECT_EQ(knoten.GetDauer(c.ausgang), c.dauer);
    if (c.changes) {
        EXPECT_EQ(main.Messages(),
                  (TMessages{SendGetDatenSatz(), PostCell(UM_AktualisiereAnsicht, 1, gridRow)}));
        EXPECT_EQ(Record().Param(3 + c.ausgang), c.dauer);
        EXPECT_EQ(Record().Bool(3 + c.ausgang), c.index == 1);
    } else {
        EXPECT_TRUE(main.Messages().empty());
    }
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.FindRow(TAzAlarmdauer::RowDauer(c.ausgang)) >= 0, c.dauerRowShown);
}

INSTANTIATE_TEST_SUITE_P(
    AzAlarmdauer, AzAlarmdauerModusTest,
    ::testing::Values(TModusCase{"FlashToTime", 0, 1, true, 254, true},
                      TModusCase{"FlashUnchanged", 0, 0, false, 255, false},
                      TModusCase{"OutdoorSirenToAlwaysOn", 1, 0, true, 255, false},
                      TModusCase{"OutdoorSirenUnchanged", 1, 1, false, 180, true},
                      TModusCase{"IndoorSirenToAlwaysOn", 2, 0, true, 255, false},
                      TModusCase{"RelayToTime", 3, 1, true, 254, true}),
    TZeilenName());

TEST_F(AzAlarmdauerTest, BackToTimeGivesTheDefaultNotTheEarlierDuration)
{
    Show();
    ASSERT_TRUE(grid.SpinTo(GridRow(6), 99));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(knoten.GetDauer(TAzAlarmdauer::aInnenSirene), 99);

    ASSERT_TRUE(grid.SelectComboItem(GridRow(5), 0));
    EXPECT_EQ(knoten.GetDauer(TAzAlarmdauer::aInnenSirene), 255);
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    ASSERT_TRUE(grid.SelectComboItem(GridRow(5), 1));
    EXPECT_EQ(knoten.GetDauer(TAzAlarmdauer::aInnenSirene), 180);
}

TEST_F(AzAlarmdauerTest, CommittingADurationWritesOnlyWhenItChanged)
{
    TDatenStruktur record = NodeRecord(6140);
    record.Param3 = 255;
    record.Param4 = 180;
    record.Param5 = 180;
    record.Param6 = 254;
    record.Bool4 = record.Bool5 = record.Bool6 = true;
    knoten.InitFromDB(record);
    Show();

    const int relais = GridRow(8);
    ASSERT_TRUE(grid.SpinTo(relais, 30));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(main.Messages(),
              (TMessages{SendGetDatenSatz(), PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_EQ(Record().Param6, 30);

    main.Clear();
    ASSERT_TRUE(grid.SpinTo(relais, 30));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_TRUE(main.Messages().empty());

    main.DeviceParams().Clear();
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{15010, 255}, {15020, 180}, {15030, 180}, {15040, 30}}));
}

TEST_F(AzAlarmdauerTest, DisagreeingRecordIsKeptAsItIs)
{
    TDatenStruktur record = NodeRecord(6140);
    record.Param3 = 255; // "Zeit" with the always-on duration
    record.Bool3 = true;
    record.Param4 = 60; // "Immer-Ein" with a timed duration
    record.Bool4 = false;
    record.Param5 = 180;
    record.Bool5 = true;
    record.Param6 = 255;
    knoten.InitFromDB(record);
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{15010, 255}, {15020, 60}, {15030, 180}, {15040, 255}}));

    TDatenStruktur back = NodeRecord();
    knoten.Write(back);
    EXPECT_EQ(back.Param3, 255);
    EXPECT_TRUE(back.Bool3);
    EXPECT_EQ(back.Param4, 60);
    EXPECT_FALSE(back.Bool4);
    EXPECT_TRUE(back.Bool5);
    EXPECT_FALSE(back.Bool6);
}

TEST_F(AzAlarmdauerTest, ContinuationRecordIsLookedUpOnlyWhenNextIsPositive)
{
    for (int32_t next : {0, -3, 12}) {
        SCOPED_TRACE(next);
        main.Clear();
        TDatenStruktur record = NodeRecord(6140);
        record.Next = next;
        knoten.InitFromDB(record);
        TMessages expected;
        if (next > 0)
            expected.push_back(SentMessage(UM_GetDatenSatzByHandle, kSystem, next));
        EXPECT_EQ(main.Messages(), expected);
    }
}

TEST_F(AzAlarmdauerTest, ComboWithoutSelectionOrSenderChangesNothing)
{
    Show();
    TCell cell = *grid.Cell(1, 0);
    TDrawGridSEComboBox combo;
    combo.Items = {{"Immer-Ein", 0}, {"Zeit", 1}};
    combo.ItemIndex = -1;
    knoten.GridComboBoxChange(&combo, cell, 1, 0);
    combo.ItemIndex = 1;
    knoten.GridComboBoxChange(nullptr, cell, 1, 0);
    cell.RowNr = 2; // a duration row
    knoten.GridComboBoxChange(&combo, cell, 1, 0);
    EXPECT_EQ(knoten.GetModus(TAzAlarmdauer::aBlitz), 0);
    EXPECT_EQ(knoten.GetDauer(TAzAlarmdauer::aBlitz), 255);
    EXPECT_TRUE(main.Messages().empty());
}

} // namespace
