#include "../kestrin/EtsTestProject.h"
#include "support/EtsMeterRecorder.h"
#include "morrow/EtsDeviceParam.h"
#include "morrow/EtsProfile.h"
#include "morrow/EtsProgressDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(EtsProfile, ReadAndWriteIntBoolAndText)
{
    TEtsTestProject project;
    {
        TEtsProfile profile(&project.ets);
        int number = -1;
        bool flag = true;
        std::string text = "x";
        // Keys the profile does not hold read as their defaults.
        EXPECT_TRUE(profile.Read("Download", "MaxRepeat", 3, number));
        EXPECT_EQ(number, 3);
        EXPECT_TRUE(profile.Read("Download", "UserMemAlles", false, flag));
        EXPECT_FALSE(flag);
        EXPECT_TRUE(profile.Read("BcuFirmware", "18", "", text));
        EXPECT_EQ(text, "");

        EXPECT_TRUE(profile.Write("Download", "MaxRepeat", -7));
        EXPECT_TRUE(profile.Write("Download", "UserMemAlles", true));
        EXPECT_TRUE(profile.Write("BcuFirmware", "18", "C:\\Firmware\\bcu 18.hex \"ä\""));
        EXPECT_TRUE(profile.Write("UserFirmware", "2", " "));
    }
    TEtsProfile profile(&project.ets);
    int number = 0;
    bool flag = false;
    std::string text;
    EXPECT_TRUE(profile.Read("Download", "MaxRepeat", 3, number));
    EXPECT_EQ(number, -7);
    EXPECT_TRUE(profile.Read("Download", "UserMemAlles", false, flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(profile.Read("BcuFirmware", "18", "", text));
    EXPECT_EQ(text, "C:\\Firmware\\bcu 18.hex \"ä\"");
    EXPECT_TRUE(profile.Read("UserFirmware", "2", "", text));
    EXPECT_EQ(text, " ");

    // A stored text that is no number of the type asked for cannot be read; the value stays.
    EXPECT_TRUE(profile.Write("Download", "MaxRepeat", "drei"));
    number = 42;
    EXPECT_FALSE(profile.Read("Download", "MaxRepeat", 3, number));
    EXPECT_EQ(number, 42);
    EXPECT_TRUE(profile.Write("Download", "UserMemAlles", 2));
    EXPECT_FALSE(profile.Read("Download", "UserMemAlles", false, flag));

    TEtsProfile none(nullptr);
    EXPECT_FALSE(none.Read("Download", "MaxRepeat", 3, number));
    EXPECT_FALSE(none.Write("Download", "MaxRepeat", 3));
}

TEST(EtsDeviceParam, WritesThroughTheProject)
{
    TEtsTestProject project;
    TEtsDeviceParam param(&project.ets, 1);
    std::vector<tagDAL_OBJECT_INFO> objects(3);
    std::int32_t value = -1;
    EXPECT_EQ(param.GetDeviceParamData(10, value, objects), ETS_PARAM_OK);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(param.SetDeviceParamData(10, 1, objects), ETS_PARAM_OK);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].DeviceObjectId, 11);
    // The form without a list writes too (a 32-bit pattern unchanged).
    EXPECT_EQ(param.SetDeviceParamData(100, static_cast<std::int32_t>(0x80FF0001u)), ETS_PARAM_OK);
    EXPECT_EQ(param.GetDeviceParamData(100, value), ETS_PARAM_OK);
    EXPECT_EQ(value, static_cast<std::int32_t>(0x80FF0001u));

    EXPECT_EQ(param.SetDeviceParamData(11, 1), ETS_PARAM_NOT_FOUND);
    EXPECT_EQ(TEtsDeviceParam(&project.ets, 99).SetDeviceParamData(10, 1), ETS_PARAM_ERROR);
    EXPECT_EQ(TEtsDeviceParam(nullptr, 1).GetDeviceParamData(10, value), ETS_PARAM_ERROR);
}

TEST(EtsProgressDialog, LinesPositionAndAbort)
{
    TEtsTestProject project;
    TEtsMeterRecorder display;
    project.ets.SetMeterDisplay(&display);
    HWND meter = project.ets.CoMeterDlgOpen(nullptr, 2);
    TEtsProgressDialog dialog(&project.ets, meter);
    dialog.EtsMeterSetPosition(21);
    dialog.EtsMeterSetText("Konvertiere Ets-Datenbank Einträge ...");
    dialog.EtsMeterSetText1("Objekt");
    dialog.EtsMeterSetText2("Melder 1");
    display.AbortAtQuestion(2);
    EXPECT_FALSE(dialog.EtsGetAbortFlag());
    EXPECT_TRUE(dialog.EtsGetAbortFlag());
    project.ets.CoMeterDlgClose(meter);

    using K = TMeterCall::TKind;
    EXPECT_EQ(display.Calls(), (std::vector<TMeterCall>{{K::Open, meter, 2, ""},
                                                        {K::Position, meter, 21, ""},
                                                        {K::Text, meter, 0, "Konvertiere Ets-Datenbank Einträge ..."},
                                                        {K::Text, meter, 1, "Objekt"},
                                                        {K::Text, meter, 2, "Melder 1"},
                                                        {K::Close, meter, 0, ""}}));
    TEtsProgressDialog none(nullptr, nullptr);
    none.EtsMeterSetText("x");
    EXPECT_FALSE(none.EtsGetAbortFlag());
}

} // namespace
