// The node tests lean on the main-window double answering the record messages as the editor
// does; these cases pin that behaviour down.
#include "support/MainWindowDouble.h"

#include <gtest/gtest.h>

namespace {

TDatenStruktur Record(int32_t handle, int32_t parent, int32_t system, int32_t next = 0)
{
    TDatenStruktur r;
    r.Handle = handle;
    r.Parent = parent;
    r.System = system;
    r.Next = next;
    return r;
}

TEST(MainWindowDouble, GetDatenSatzFindsOrCreatesTheRecord)
{
    TMainWindowDouble main;
    main.AddRecord(Record(5, 2, 1));
    auto* found = reinterpret_cast<TDatenStruktur*>(
        SendMessage(main.Handle(), UM_GetDatenSatz, MakeDatenSatzKey(2, 1), 5));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, main.FindRecord(5));

    auto* any = reinterpret_cast<TDatenStruktur*>(
        SendMessage(main.Handle(), UM_GetDatenSatz, MakeDatenSatzKey(0xFFFF, 1), 5));
    EXPECT_EQ(any, found);

    auto* created = reinterpret_cast<TDatenStruktur*>(
        SendMessage(main.Handle(), UM_GetDatenSatz, MakeDatenSatzKey(0xFFFF, 1), 9));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Handle, 9);
    EXPECT_EQ(created->Parent, -1);
    EXPECT_EQ(created->System, 1);
    EXPECT_EQ(main.RecordCount(), 2u);
}

TEST(MainWindowDouble, LookUpByHandleNeverCreates)
{
    TMainWindowDouble main;
    main.AddRecord(Record(5, 2, 1));
    EXPECT_NE(SendMessage(main.Handle(), UM_GetDatenSatzByHandle, 1, 5), 0);
    EXPECT_EQ(SendMessage(main.Handle(), UM_GetDatenSatzByHandle, 1, 6), 0);
    EXPECT_EQ(SendMessage(main.Handle(), UM_GetDatenSatzByHandle, 2, 5), 0);
    EXPECT_EQ(main.RecordCount(), 1u);
}

TEST(MainWindowDouble, DeleteNextEndsAtARepeatedHandle)
{
    TMainWindowDouble main;
    main.AddRecord(Record(1, 0, 1, 2));
    main.AddRecord(Record(2, 1, 1, 3));
    main.AddRecord(Record(3, 1, 1, 2)); // points back into the chain
    main.AddRecord(Record(4, 0, 1));
    SendMessage(main.Handle(), UM_DeleteNextDatenSatz, MakeDatenSatzKey(0, 1), 1);
    EXPECT_EQ(main.RecordCount(), 1u);
    EXPECT_NE(main.FindRecord(4), nullptr);
}

TEST(MainWindowDouble, RequestsGoToTheHandlerOfTheirCode)
{
    TMainWindowDouble main;
    main.OnDeviceRequest(4, [](TUserDeviceRequest& r) {
        r.Wert4 = 3;
        return 1;
    });
    TUserDeviceRequest request;
    request.Code = 4;
    EXPECT_EQ(SendMessage(main.Handle(), UM_UserDeviceMessage, 0,
                          reinterpret_cast<LPARAM>(&request)), 1);
    EXPECT_EQ(request.Wert4, 3);
    request.Code = 5;
    EXPECT_EQ(SendMessage(main.Handle(), UM_UserDeviceMessage, 0,
                          reinterpret_cast<LPARAM>(&request)), 0);
    EXPECT_EQ(main.DeviceRequests().size(), 2u);
    EXPECT_EQ(SendMessage(main.Handle(), UM_GetEtsDeviceParam, 0, 0),
              reinterpret_cast<LRESULT>(&main.DeviceParams()));
}

} // namespace
