// System security: detector polling, function monitoring and its folder.
#include "tessarin/AzEibAlarmSystemSicherheit.h"
#include "tessarin/AzOrdnerSicherheitStoerung.h"

#include "rastow/DrawGridSEComboBox.h"
#include "rastow/QmSpinEdit.h"

#include "AzEinfacheKnotenFixture.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace AzEinfach;

constexpr const char* kFrage = "Soll die Funktionsüberwachung wirklich ausgeschaltet werden?\n\r"
                               "Die Objekte zur Funktionsüberwachung werden dadurch gelöscht.";

class AzEibAlarmSystemSicherheitTest : public TFixture<TAzEibAlarmSystemSicherheit> {
protected:
    AzEibAlarmSystemSicherheitTest()
    {
        // The editor's answer to code 15: the sender's function-monitoring object (7150) is
        // switched by ModifyObject, which asks for code 8; the answer is 0.
        main.OnDeviceRequest(15, [](TUserDeviceRequest& r) -> LRESULT {
            (void)r.Sender->ModifyObject(r.Wert4 != 0 ? 1 : 0, 7150, 0, true);
            return 0;
        });
        AnswerObjectCode8(main, ets);
    }

    // Switches the monitoring on through the grid and forgets what that sent.
    void SwitchOn()
    {
        Show();
        ASSERT_TRUE(grid.SelectComboItem(1, 1));
        main.Clear();
        main.DeviceParams().Clear();
    }

    TEtsDeviceParam* ets = &main.DeviceParams();
};

TEST_F(AzEibAlarmSystemSicherheitTest, NewNodeShowsTwoRowsAndWritesItsDefaults)
{
    EXPECT_EQ(knoten.GetTyp(), 6145);
    EXPECT_EQ(knoten.GetIcon(), 57);
    EXPECT_EQ(knoten.ListStyle(), 1);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 212);
    EXPECT_FALSE(knoten.GetStatusHeartBeatUeberwachung());

    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2}));
    const TCell& spin = *grid.Cell(1, 0);
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Melder Abfrage-Intervall [s]");
    EXPECT_EQ(spin.Kind, TCell::ckSpinEdit);
    EXPECT_EQ(spin.SpinValue, 10);
    EXPECT_EQ(spin.SpinMin, 2);
    EXPECT_EQ(spin.SpinMax, 255);
    EXPECT_EQ(spin.SpinStep, 1);
    EXPECT_EQ(grid.Cell(0, 1)->Text, "Funktionsüberwachung");
    EXPECT_EQ(grid.Cell(1, 1)->ItemIndex, 0);

    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{10090, 10}, {10080, 0}, {7160, 0}}));
}

TEST_F(AzEibAlarmSystemSicherheitTest, SwitchingOnShowsFourRowsAndTellsTheEditor)
{
    Show();
    ASSERT_TRUE(grid.SelectComboItem(1, 1));
    EXPECT_TRUE(knoten.GetStatusHeartBeatUeberwachung());

    ASSERT_EQ(main.DeviceRequests().size(), 1u);
    EXPECT_EQ(main.DeviceRequests()[0].Code, 15);
    EXPECT_EQ(main.DeviceRequests()[0].Wert4, 1);
    EXPECT_EQ(main.DeviceRequests()[0].Sender, &knoten);
    // The editor switched the monitoring object on through the node base.
    ASSERT_EQ(main.ObjectRequests().size(), 1u);
    EXPECT_EQ(main.ObjectRequests()[0].Code, 8);
    EXPECT_EQ(main.ObjectRequests()[0].Wert5, 7150);
    EXPECT_EQ(main.ObjectRequests()[0].Wert6, 1);

    EXPECT_EQ(main.MessageIds(),
              (std::vector<UINT>{UM_UserDeviceMessage, UM_UserObjectMessage, UM_GetDatenSatz,
                                 UM_AktualisiereAnsicht}));
    EXPECT_EQ(TMessages(main.Messages().begin() + 2, main.Messages().end()),
              (TMessages{SendGetDatenSatz(), PostCell(UM_AktualisiereAnsicht, 1, 1)}));
    EXPECT_TRUE(Record().Bool4);
    EXPECT_EQ(Record().Param4, 30);

    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(grid.Cell(0, 2)->Text, "Funktionsüberwachungs-Intervall [s]");
    EXPECT_EQ(grid.Cell(1, 2)->SpinValue, 30);
    EXPECT_EQ(grid.Cell(1, 2)->SpinMin, 2);
    EXPECT_EQ(grid.Cell(1, 2)->SpinMax, 255);
    EXPECT_EQ(grid.Cell(0, 3)->Text, "Fehlende Funktionsüberwachung");
    ASSERT_EQ(grid.Cell(1, 3)->Items.size(), 2u);
    EXPECT_EQ(grid.Cell(1, 3)->Items[0].Text, "Wie Sabotage");
    EXPECT_EQ(grid.Cell(1, 3)->Items[1].Text, "ÜG 'Störung'");
    EXPECT_EQ(grid.Cell(1, 3)->Text, "Wie Sabotage");
}

TEST_F(AzEibAlarmSystemSicherheitTest, SwitchingOffAnsweredNoKeepsItOnButRedraws)
{
    SwitchOn();
    boxes.Script(IDNO);
    ASSERT_TRUE(grid.SelectComboItem(1, 0));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kFrage);
    EXPECT_EQ(boxes.Shown()[0].caption, "Funktionsüberwachung");
    EXPECT_EQ(boxes.Shown()[0].flags, MB_YESNO | MB_ICONQUESTION);

    EXPECT_TRUE(knoten.GetStatusHeartBeatUeberwachung());
    EXPECT_EQ(main.DeviceRequests().size(), 1u); // only the switching on
    EXPECT_EQ(main.Messages(),
              (TMessages{SendGetDatenSatz(), PostCell(UM_AktualisiereAnsicht, 1, 1)}));
    EXPECT_TRUE(Record().Bool4);
    EXPECT_EQ(Record().Param4, 30);
}

TEST_F(AzEibAlarmSystemSicherheitTest, SwitchingOffAnsweredYesTellsTheEditorAndClears)
{
    SwitchOn();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    ASSERT_TRUE(grid.SelectComboItem(3, 1)); // reaction "ÜG 'Störung'"
    main.Clear();

    boxes.Script(IDYES);
    ASSERT_TRUE(grid.SelectComboItem(1, 0));
    EXPECT_FALSE(knoten.GetStatusHeartBeatUeberwachung());
    ASSERT_EQ(main.DeviceRequests().size(), 2u); // the first: switching on
    EXPECT_EQ(main.DeviceRequests()[1].Wert4, 0);
    EXPECT_EQ(main.ObjectRequests().back().Wert6, 0);
    EXPECT_EQ(Record().Param4, 0);
    EXPECT_FALSE(Record().Bool3); // the reaction goes with the switch, not with a drawing

    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2}));
    main.DeviceParams().Clear();
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{10090, 10}, {10080, 0}, {7160, 0}}));
}

TEST_F(AzEibAlarmSystemSicherheitTest, DrawingWhileOffChangesNothingOfALoadedInterval)
{
    TDatenStruktur record = NodeRecord(6145);
    record.Param3 = 20;
    record.Param4 = 45;
    record.Bool3 = true;
    record.Bool4 = false;
    knoten.InitFromDB(record);
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{10090, 20}, {10080, 45}, {7160, 1}})); // loaded as it is

    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    TDatenStruktur back;
    knoten.Write(back);
    EXPECT_EQ(back.Param3, 20);
    EXPECT_EQ(back.Param4, 45);
    EXPECT_TRUE(back.Bool3);
    EXPECT_FALSE(back.Bool4);
}

struct TSpinCase {
    const char* name;
    int gridRow;
    int typed;
    int32_t stored; // after the grid put it within 2..255
    int param;      // the parameter that then carries it
};

void PrintTo(const TSpinCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzEibAlarmSystemSicherheitSpinTest : public AzEibAlarmSystemSicherheitTest,
                                           public ::testing::WithParamInterface<TSpinCase> { };

TEST_P(AzEibAlarmSystemSicherheitSpinTest, CommittedWithinTheLimits)
{
    const TSpinCase& c = GetParam();
    SwitchOn();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    main.Clear();
    ASSERT_TRUE(grid.SpinTo(c.gridRow, c.typed));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(main.Messages(),
              (TMessages{SendGetDatenSatz(), PostedMessage(UM_AktualisiereAndereAnsichten)}));
    knoten.WriteDataToDb();
    const TWrites writes = Writes();
    const auto it = std::find_if(writes.begin(), writes.end(),
                                 [&](const auto& w) { return w.first == c.param; });
    ASSERT_NE(it, writes.end());
    EXPECT_EQ(it->second, c.stored);
}

INSTANTIATE_TEST_SUITE_P(AzEibAlarmSystemSicherheit, AzEibAlarmSystemSicherheitSpinTest,
                         ::testing::Values(TSpinCase{"PollAboveMaximum", 0, 256, 255, 10090},
                                           TSpinCase{"PollBelowMinimum", 0, 1, 2, 10090},
                                           TSpinCase{"MonitoringAtMaximum", 2, 255, 255, 10080},
                                           TSpinCase{"MonitoringAboveMaximum", 2, 1000, 255,
                                                     10080}),
                         TZeilenName());

TEST_F(AzEibAlarmSystemSicherheitTest, ReactionChangesOnlyWhenItDiffers)
{
    SwitchOn();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    main.Clear();
    ASSERT_TRUE(grid.SelectComboItem(3, 0)); // already "Wie Sabotage"
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_TRUE(grid.SelectComboItem(3, 1));
    EXPECT_EQ(main.Messages(),
              (TMessages{SendGetDatenSatz(), PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_TRUE(Record().Bool3);
}

TEST_F(AzEibAlarmSystemSicherheitTest, ComboWithoutSelectionChangesNothing)
{
    SwitchOn();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    main.Clear();
    TDrawGridSEComboBox combo;
    combo.Items = {{"Nein", 0}, {"Ja", 1}};
    combo.ItemIndex = -1;
    for (int gridRow : {1, 3}) {
        TCell cell = *grid.Cell(1, gridRow);
        knoten.GridComboBoxChange(&combo, cell, 1, gridRow);
    }
    EXPECT_TRUE(knoten.GetStatusHeartBeatUeberwachung());
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(boxes.Count(), 0u);
    knoten.WriteDataToDb();
    EXPECT_EQ(Writes(), (TWrites{{10090, 10}, {10080, 30}, {7160, 0}}));
}

TEST(AzOrdnerSicherheitStoerung, FolderConstants)
{
    TMainWindowDouble main;
    TAzOrdnerSicherheitStoerung ordner(main.Handle(), 1, 2, "Sicherheit/Störung", 0);
    EXPECT_EQ(ordner.GetTyp(), 6144);
    EXPECT_EQ(ordner.GetIcon(), 56);
    EXPECT_EQ(ordner.ListStyle(), 0);
    EXPECT_EQ(ordner.GetQuickHelpIndexOffset(), 0);
    EXPECT_EQ(ordner.GetName(false), "Sicherheit/Störung");
    EXPECT_FALSE(ordner.AllowChild(6145));
}

} // namespace
