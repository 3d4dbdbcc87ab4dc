#include "DemoProject.h"
#include "LargeProject.h"

#include "morrow/EtsDeviceParam.h"
#include "morrow/EtsGruppenAdressen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <unistd.h>

namespace {

std::filesystem::path StorePath()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path()
           / ("miraval-examples-" + std::to_string(getpid()) + "-" + info->name() + ".db");
}

// A store built by the test, open in ets; the file goes with it.
struct TBuiltStore {
    explicit TBuiltStore(int devices = 0, int groups = 0)
        : file(StorePath())
    {
        std::filesystem::remove(file);
        const auto built = devices ? BuildLargeProject(file, devices, groups) : BuildDemoProject(file);
        EXPECT_TRUE(built) << built.message;
        const auto opened = ets.OpenProjectStore(file);
        EXPECT_TRUE(opened) << opened.message;
    }
    ~TBuiltStore()
    {
        ets.CloseProjectStore();
        std::filesystem::remove(file);
    }
    std::filesystem::path file;
    TEts2Cdi ets{nullptr, kDemoModuleName, false};
};

// The numbers the alarm-centre configuration writes, listed here on their own so that a
// number the demo lacks shows up.
std::vector<std::int16_t> WrittenParameters()
{
    std::vector<int> n = {10070, 10060, 10110, 10120, 10130, 10010, 10140, 10050, 10020, 10030, 10040,
                          10090, 10080, 7160,  4620,  4630,  4610,  15010, 15020, 15030, 15040, 20010,
                          20020, 20030, 20040, 13900, 13800, 13700, 13600, 10100, 14010, 14020, 14030, 14040};
    for (int k = 0; k < 4; ++k)
        n.push_back(12611 + k);
    for (int i = 0; i <= 160; ++i) {
        n.push_back(3000 + 10 * i);
        for (int k = 0; k < 4; ++k)
            n.push_back(11001 + 10 * i + k);
    }
    for (int t = 0; t < 50; ++t)
        for (int k = 0; k < 4; ++k)
            n.push_back(12621 + 5 * t + k);
    for (int a = 1; a <= 4; ++a) {
        n.insert(n.end(), {21000 + 10 * a, 22000 + 10 * a, 23000 + 100 * a + 10});
        for (int k = 1; k <= 4; ++k)
            n.insert(n.end(), {19000 + 100 * a + k, 17000 + 100 * a + 10 * k, 18000 + 100 * a + 10 * k});
        for (int k = 1; k <= 5; ++k)
            n.push_back(13000 + 100 * a + 10 * k);
    }
    for (int base : {16510, 16610, 16110, 16210, 16310, 16410})
        for (int k = 0; k < 5; ++k)
            n.push_back(base + 10 * k);
    return {n.begin(), n.end()};
}

TEST(DemoProject, HoldsTheAlarmCentreWithEveryParameterItsConfigurationWrites)
{
    TBuiltStore store;
    DAL_DEVICE device;
    ASSERT_EQ(store.ets.DalGetDeviceData(DAL_MODE_KEY, kDemoAlarmCentreId, -1, -1, -1, -1, &device), DAL_OK);
    EXPECT_STREQ(device.ModuleName, "244_ID");
    EXPECT_STREQ(device.DeviceName, "Alarmzentrale");

    TEtsDeviceParam params(&store.ets, kDemoAlarmCentreId);
    std::vector<std::int16_t> missing;
    for (std::int16_t number : WrittenParameters()) {
        std::int32_t value = 0;
        if (params.GetDeviceParamData(number, value) != ETS_PARAM_OK)
            missing.push_back(number);
    }
    EXPECT_EQ(missing, std::vector<std::int16_t>{});

    // Every parameter has its row, "DeviceId" among them (the editor finds it by name).
    bool deviceId = false;
    DAL_DEVICE_PARAM row;
    for (int mode = DAL_MODE_FIRST; store.ets.DalGetDeviceParamData(mode, -1, kDemoAlarmCentreId, &row) == DAL_OK;
         mode = DAL_MODE_NEXT) {
        DAL_PARAMETER parameter;
        ASSERT_EQ(store.ets.DalGetParameterData(DAL_MODE_KEY, row.ParameterId, -1, -1, &parameter), DAL_OK);
        deviceId = deviceId || std::strcmp(parameter.Name, "DeviceId") == 0;
    }
    EXPECT_TRUE(deviceId);
}

TEST(DemoProject, DisplayOrderParametersShowTheirObjects)
{
    TBuiltStore store;
    TEtsDeviceParam params(&store.ets, kDemoAlarmCentreId);
    auto numbers = [](const std::vector<tagDAL_OBJECT_INFO>& objects) {
        std::vector<std::int32_t> n;
        for (const auto& o : objects)
            n.push_back(o.ObjectNumber);
        return n;
    };
    std::vector<std::int16_t> all = {1591, 1592, 1593, 1599, 5100, 5200, 5300, 5400, 5500,
                                     5600, 5700, 6100, 6200, 6300, 6400, 7100, 7150, 7200, 8000};
    for (int n = 1; n < 160; ++n)
        all.push_back(static_cast<std::int16_t>(10 * n));
    for (int a = 1; a <= 4; ++a)
        all.insert(all.end(), {static_cast<std::int16_t>(1550 + 100 * a), static_cast<std::int16_t>(1560 + 100 * a)});
    std::vector<tagDAL_OBJECT_INFO> objects;
    for (std::int16_t number : all) {
        SCOPED_TRACE(number);
        ASSERT_EQ(params.SetDeviceParamData(number, 1, objects), ETS_PARAM_OK);
        EXPECT_FALSE(objects.empty());
    }

    const struct {
        std::int16_t number;
        std::int32_t value;
        std::vector<std::int32_t> shown;
    } rows[] = {
        {30, 3, {2}},           {30, 6, {2}},           {1591, 5, {159}},        {1592, 1, {160}},
        {1593, 1, {161}},       {1599, 1, {225, 226}},  {1650, 1, {162}},        {1960, 1, {169}},
        {5600, 1, {185}},       {5700, 3, {190, 191, 192}}, {6300, 1, {204, 205}}, {7150, 1, {215}},
        {8000, 1, {230, 231}},  {0, 1, {}},             {30, 0, {}},             {5700, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.number) + " = " + std::to_string(row.value));
        ASSERT_EQ(params.SetDeviceParamData(row.number, row.value, objects), ETS_PARAM_OK);
        EXPECT_EQ(numbers(objects), row.shown);
    }
}

TEST(DemoProject, GroupTreeLinksAndSwitchingDevices)
{
    TBuiltStore store;
    TEtsGruppenAdressen reader(&store.ets);
    ASSERT_TRUE(reader.Einlesen(kDemoAlarmCentreId));
    int mains = 0, middles = 0, subs = 0;
    std::int32_t arming = 0;
    for (auto* main = reader.GetMainGroupFirst(); main; main = reader.GetMainGroupNext(), ++mains)
        for (auto* middle = main->GetMiddleGroupFirst(); middle; middle = main->GetMiddleGroupNext(), ++middles)
            for (auto* sub = middle->GetSubGroupFirst(); sub; sub = middle->GetSubGroupNext(), ++subs)
                if (sub->GetGrpAddr() == 0x0801)
                    arming = sub->GetEtsId();
    EXPECT_EQ(mains, 4);
    EXPECT_EQ(middles, 13);
    EXPECT_EQ(subs, 291);
    ASSERT_NE(arming, 0);
    EXPECT_EQ(reader.GrpAddrString(arming), "1/0/1");
    EXPECT_EQ(reader.FindSubGroup(arming)->GetObjektTyp(), 0);

    // The devices sharing SSB 1's arming address: what the switching-device dialog offers.
    std::set<std::int32_t> devices;
    DAL_SUB_TO_OBJECT link;
    for (int mode = DAL_MODE_FIRST; store.ets.DalGetSubgroupToObjectData(mode, -1, arming, -1, &link) == DAL_OK;
         mode = DAL_MODE_NEXT) {
        DAL_DEVICE_OBJECT object;
        ASSERT_EQ(store.ets.DalGetDeviceObjectData(DAL_MODE_KEY, link.DeviceObjectId, -1, &object), DAL_OK);
        devices.insert(+object.DeviceId); // packed field: read by value
    }
    EXPECT_EQ(devices, (std::set<std::int32_t>{2, 3}));
}

TEST(DemoProject, AlarmCentreMemoryHoldsClockAndEvents)
{
    TBuiltStore store;
    ASSERT_EQ(store.ets.EibSetAddress(1, kDemoAlarmCentreAddress), 0);
    ASSERT_EQ(store.ets.EibStartComm(), 0);
    auto read = [&](std::uint16_t first, std::size_t length) {
        std::vector<std::uint8_t> bytes(length);
        EXPECT_EQ(store.ets.EibReadMemBlock(bytes, first, first, static_cast<std::uint16_t>(first + length - 1)), 0);
        return std::vector<int>(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(read(0xBEB8, 2), (std::vector<int>{0xBE, 0x00})); // clock pointer, high byte first
    EXPECT_EQ(read(0xBE00, 7), (std::vector<int>{14, 35, 20, 24, 5, 0, 26}));
    EXPECT_EQ(read(0xA332 + 16, 8), (std::vector<int>{4, 5, 26, 2, 13, 55, 2, 2}));
    EXPECT_EQ(read(0xA332 + 40, 8), std::vector<int>(8, 0xFF));
    EXPECT_EQ(read(0xB954, 8)[6], 5);
    EXPECT_EQ(read(0xBFFF, 1), std::vector<int>{0xFF}); // the image's last byte
    EXPECT_EQ(store.ets.EibStopComm(), 0);
}

TEST(LargeProject, AddsDevicesAndGroupAddressesToTheDemo)
{
    TBuiltStore store(300, 600);
    int devices = 0;
    DAL_DEVICE device;
    for (int mode = DAL_MODE_FIRST; store.ets.DalGetDeviceData(mode, -1, -1, -1, -1, -1, &device) == DAL_OK;
         mode = DAL_MODE_NEXT)
        ++devices;
    EXPECT_EQ(devices, 7 + 300);
    TEtsGroupTree tree;
    ASSERT_TRUE(store.ets.ReadGroupTree(kDemoAlarmCentreId, tree));
    EXPECT_EQ(tree.Subs.size(), 291u + 600u);

    EXPECT_EQ(LargeProjectSql(0, 1), "");
    EXPECT_EQ(LargeProjectSql(1, kLargeMaxGroups + 1), "");
    EXPECT_FALSE(BuildLargeProject(store.file, 1, 1)) << "the file exists";
    EXPECT_TRUE(std::filesystem::exists(store.file));
}

} // namespace
