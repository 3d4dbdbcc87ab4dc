// The bus objects for alarming: no rows, no parameters of its own; it has the editor create
// the objects of a device parameter below it.
#include "tessarin/AzEibObjekteZurAlarmierung.h"

#include "AzEinfacheKnotenFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace AzEinfach;

class AzEibObjekteZurAlarmierungTest : public TFixture<TAzEibObjekteZurAlarmierung> {
protected:
    AzEibObjekteZurAlarmierungTest() { AnswerObjectCode8(main, ets); }

    TEtsDeviceParam* ets = &main.DeviceParams();
};

TEST_F(AzEibObjekteZurAlarmierungTest, RequestCarriesParameterCountAndOffset)
{
    EXPECT_TRUE(knoten.CallModifyEibObjekteZurAlarmierung(5700, 3, 20));
    ASSERT_EQ(main.ObjectRequests().size(), 1u);
    const TUserDeviceRequest& r = main.ObjectRequests()[0];
    EXPECT_EQ(r.Code, 8);
    EXPECT_EQ(r.Handle, kHandle);
    EXPECT_EQ(r.Sender, &knoten);
    EXPECT_EQ(r.Wert5, 5700);
    EXPECT_EQ(r.Wert6, 3);
    EXPECT_EQ(r.Wert7, 20);
    EXPECT_EQ(r.Wert8 & 0xFF, 1);
    EXPECT_TRUE(r.Text.empty());
    EXPECT_TRUE(main.DeviceRequests().empty()); // not UM_UserDeviceMessage
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_UserObjectMessage});
    EXPECT_EQ(Writes(), (TWrites{{5700, 3}}));
    EXPECT_EQ(Record().Typ, 0); // no record written
}

TEST_F(AzEibObjekteZurAlarmierungTest, AnswerDecidesTheResult)
{
    ets = nullptr; // ETS not reachable: the editor answers 0
    EXPECT_FALSE(knoten.CallModifyEibObjekteZurAlarmierung(5700, 1, 0));
    main.OnObjectRequest(8, [](TUserDeviceRequest&) -> LRESULT { return 2; });
    EXPECT_TRUE(knoten.CallModifyEibObjekteZurAlarmierung(5700, 1, 0));
    EXPECT_EQ(main.ObjectRequests().size(), 2u);
    EXPECT_EQ(main.MessageIds(), (std::vector<UINT>{UM_UserObjectMessage, UM_UserObjectMessage}));
}

TEST_F(AzEibObjekteZurAlarmierungTest, BuildInfoWindowOnlyActivatesTheCell)
{
    EXPECT_EQ(knoten.GetTyp(), 6141);
    EXPECT_EQ(knoten.GetIcon(), 50);
    EXPECT_EQ(knoten.ListStyle(), 0);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 180);
    grid.Tag = 4;
    knoten.BuildInfoWindow(&grid, nullptr, false, 0, 2);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{-1}));
    EXPECT_EQ(grid.Tag, 4);
    EXPECT_EQ(main.Messages(), (TMessages{PostCell(UM_SetActiveCell, 0, 2)}));

    main.Clear();
    knoten.SetFlag();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, -1);
    EXPECT_TRUE(main.Messages().empty());
}

TEST_F(AzEibObjekteZurAlarmierungTest, RecordHoldsOnlyTheBaseFields)
{
    TDatenStruktur record = NodeRecord(6141);
    record.Next = 9;
    record.Param3 = 77;
    knoten.InitFromDB(record);
    EXPECT_EQ(main.Messages(), (TMessages{SentMessage(UM_GetDatenSatzByHandle, kSystem, 9)}));
    TDatenStruktur back = record;
    knoten.Write(back);
    EXPECT_EQ(back.Param3, 77);
    EXPECT_EQ(back.Next, 9);
    EXPECT_EQ(back.Typ, 6141);
}

} // namespace
