#include "support/EtsDeviceParamRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(EtsDeviceParamRecorder, KeepsCallsInOrderThroughTheBasePointer)
{
    TEtsDeviceParamRecorder recorder;
    TEtsDeviceParam* param = &recorder;
    tagDAL_OBJECT_INFO shown;
    shown.Name = "Melder 1";
    shown.DeviceObjectId = 77;
    recorder.ShowObjects(10, 1, {shown});

    EXPECT_EQ(param->SetDeviceParamData(4630, -5), ETS_PARAM_OK);
    std::vector<tagDAL_OBJECT_INFO> objects;
    EXPECT_EQ(param->SetDeviceParamData(10, 1, objects), ETS_PARAM_OK);
    EXPECT_EQ(objects, std::vector<tagDAL_OBJECT_INFO>{shown});
    std::int32_t value = 0;
    EXPECT_EQ(param->GetDeviceParamData(4630, value), ETS_PARAM_OK);
    EXPECT_EQ(value, -5);

    using K = TDeviceParamCall::TKind;
    EXPECT_EQ(recorder.Calls(), (std::vector<TDeviceParamCall>{
                                    {K::Set, 4630, -5, false}, {K::Set, 10, 1, true}, {K::Get, 4630, -5, false}}));
    EXPECT_EQ(recorder.Writes(), (std::vector<std::pair<std::int16_t, std::int32_t>>{{4630, -5}, {10, 1}}));
}

TEST(EtsDeviceParamRecorder, AScriptedFailureStoresNothing)
{
    TEtsDeviceParamRecorder recorder;
    recorder.SetValue(7, 3);
    recorder.SetResult(ETS_PARAM_OBJECT_ERROR);
    EXPECT_EQ(recorder.SetDeviceParamData(7, 9), ETS_PARAM_OBJECT_ERROR);
    recorder.SetResult(ETS_PARAM_OK);
    std::int32_t value = 0;
    EXPECT_EQ(recorder.GetDeviceParamData(7, value), ETS_PARAM_OK);
    EXPECT_EQ(value, 3);
}

} // namespace
