#include "EtsTestProject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

// Walks a read with mode 1, then 2, collecting an id per record, as the callers do; stops
// on the first result other than DAL_OK. Gives up after 1000 steps so a broken cursor
// fails the test instead of hanging it.
template <typename Record>
std::vector<std::int32_t> Walk(const std::function<int(int, Record*)>& read,
                               const std::function<std::int32_t(const Record&)>& id, int* last = nullptr)
{
    std::vector<std::int32_t> ids;
    Record record;
    int result = read(DAL_MODE_FIRST, &record);
    for (int step = 0; result == DAL_OK && step < 1000; ++step) {
        ids.push_back(id(record));
        result = read(DAL_MODE_NEXT, &record);
    }
    if (last)
        *last = result;
    return ids;
}

TEST(EtsDal, WalksAndKeyReadsOfEveryKind)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    using Ids = std::vector<std::int32_t>;
    int last = 0;

    EXPECT_EQ(Walk<DAL_DEVICE>([&](int m, DAL_DEVICE* r) { return ets.DalGetDeviceData(m, -1, -1, -1, -1, -1, r); },
                               [](const DAL_DEVICE& r) -> std::int32_t { return r.DeviceId; }, &last),
              (Ids{1, 2}));
    EXPECT_EQ(last, DAL_END);
    EXPECT_EQ(Walk<DAL_DEVICE>([&](int m, DAL_DEVICE* r) { return ets.DalGetDeviceData(m, -1, -1, 2, -1, -1, r); },
                               [](const DAL_DEVICE& r) -> std::int32_t { return r.DeviceId; }),
              (Ids{2}));
    EXPECT_EQ(Walk<DAL_DEVICE>([&](int m, DAL_DEVICE* r) { return ets.DalGetDeviceData(m, -1, -1, -1, -1, 1, r); },
                               [](const DAL_DEVICE& r) -> std::int32_t { return r.DeviceId; }),
              (Ids{1}));
    EXPECT_EQ(Walk<DAL_DEVICE_OBJECT>(
                  [&](int m, DAL_DEVICE_OBJECT* r) { return ets.DalGetDeviceObjectData(m, -1, 1, r); },
                  [](const DAL_DEVICE_OBJECT& r) -> std::int32_t { return r.DeviceObjectId; }),
              (Ids{11, 12, 13, 15}));
    EXPECT_EQ(Walk<DAL_COMM_OBJECT>(
                  [&](int m, DAL_COMM_OBJECT* r) { return ets.DalGetCommunicationObjectData(m, -1, 1, -1, r); },
                  [](const DAL_COMM_OBJECT& r) -> std::int32_t { return r.CommObjectId; }),
              (Ids{1, 2, 5}));
    EXPECT_EQ(Walk<DAL_SUB_TO_OBJECT>(
                  [&](int m, DAL_SUB_TO_OBJECT* r) { return ets.DalGetSubgroupToObjectData(m, -1, 1, -1, r); },
                  [](const DAL_SUB_TO_OBJECT& r) -> std::int32_t { return r.DeviceObjectId; }),
              (Ids{21}));
    EXPECT_EQ(Walk<DAL_SUB_TO_OBJECT>(
                  [&](int m, DAL_SUB_TO_OBJECT* r) { return ets.DalGetSubgroupToObjectData(m, -1, 2, -1, r); },
                  [](const DAL_SUB_TO_OBJECT& r) -> std::int32_t { return r.LinkId; }, &last),
              (Ids{}));
    EXPECT_EQ(last, DAL_END);
    EXPECT_EQ(Walk<DAL_DEVICE_PARAM>(
                  [&](int m, DAL_DEVICE_PARAM* r) { return ets.DalGetDeviceParamData(m, -1, 1, r); },
                  [](const DAL_DEVICE_PARAM& r) -> std::int32_t { return r.DeviceParamId; }),
              (Ids{31}));
    EXPECT_EQ(Walk<DAL_PARAMETER>(
                  [&](int m, DAL_PARAMETER* r) { return ets.DalGetParameterData(m, -1, 1, -1, r); },
                  [](const DAL_PARAMETER& r) -> std::int32_t { return r.ParameterId; }),
              (Ids{1, 2}));
    EXPECT_EQ(Walk<DAL_LINE>([&](int m, DAL_LINE* r) { return ets.DalGetLineData(m, -1, 2, r); }, [](const DAL_LINE& r) -> std::int32_t { return r.LineId; }),
              (Ids{2}));
    EXPECT_EQ(Walk<DAL_AREA>([&](int m, DAL_AREA* r) { return ets.DalGetAreaData(m, -1, 1, r); }, [](const DAL_AREA& r) -> std::int32_t { return r.AreaId; }),
              (Ids{1, 2}));
    EXPECT_EQ(Walk<DAL_PROJECT>([&](int m, DAL_PROJECT* r) { return ets.DalGetProjectData(m, -1, r); },
                                [](const DAL_PROJECT& r) -> std::int32_t { return r.ProjectId; }),
              (Ids{1}));

    // Mode 3: by key; a key that matches nothing answers DAL_END and leaves the record.
    DAL_DEVICE device;
    ASSERT_EQ(ets.DalGetDeviceData(DAL_MODE_KEY, 1, -1, -1, -1, -1, &device), DAL_OK);
    device.DeviceId = 77;
    EXPECT_EQ(ets.DalGetDeviceData(DAL_MODE_KEY, 99, -1, -1, -1, -1, &device), DAL_END);
    EXPECT_EQ(+device.DeviceId, 77);
    DAL_DEVICE_OBJECT object;
    EXPECT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 21, 1, &object), DAL_END) << "object 21 is device 2's";
    EXPECT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 21, 2, &object), DAL_OK);
    EXPECT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, -1, -1, &object), DAL_ERR) << "mode 3 needs a key";
    EXPECT_EQ(ets.DalGetDeviceObjectData(7, 21, -1, &object), DAL_ERR) << "unknown mode";
    EXPECT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 21, -1, nullptr), DAL_ERR);
}

TEST(EtsDal, FieldsStandWhereTheCallersReadThem)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    const auto at = [](const void* record, std::size_t offset) {
        return static_cast<const char*>(record) + offset;
    };
    const auto long_at = [&](const void* record, std::size_t offset) {
        std::int32_t value;
        std::memcpy(&value, at(record, offset), 4);
        return value;
    };
    const auto short_at = [&](const void* record, std::size_t offset) {
        std::int16_t value;
        std::memcpy(&value, at(record, offset), 2);
        return value;
    };

    DAL_DEVICE device;
    ASSERT_EQ(ets.DalGetDeviceData(DAL_MODE_KEY, 1, -1, -1, -1, -1, &device), DAL_OK);
    EXPECT_EQ(long_at(&device, 2), 1);
    EXPECT_EQ(long_at(&device, 6), 1) << "line id";
    EXPECT_EQ(long_at(&device, 14), 1) << "project id";
    EXPECT_EQ(long_at(&device, 30), 3) << "device number";
    EXPECT_STREQ(at(&device, 34), "Alarmzentrale");
    EXPECT_STREQ(at(&device, 198), "AZ 1");
    EXPECT_STREQ(device.ModuleName, "244_ID");
    EXPECT_EQ(+device.Size, DAL_DEVICE_SIZE);

    DAL_LINE line;
    ASSERT_EQ(ets.DalGetLineData(DAL_MODE_KEY, device.LineId, -1, &line), DAL_OK);
    EXPECT_EQ(long_at(&line, 6), 1) << "area id";
    EXPECT_EQ(long_at(&line, 110), 2) << "line number";
    DAL_AREA area;
    ASSERT_EQ(ets.DalGetAreaData(DAL_MODE_KEY, line.AreaId, -1, &area), DAL_OK);
    EXPECT_EQ(short_at(&area, 110), 1) << "area number";
    DAL_PROJECT projectRecord;
    ASSERT_EQ(ets.DalGetProjectData(DAL_MODE_KEY, device.ProjectId, &projectRecord), DAL_OK);
    EXPECT_STREQ(at(&projectRecord, 18), "Haus");

    project.Sql("UPDATE device_object SET read_flag = 1, write_flag = 0, comm_flag = 1, transmit_flag = 0, "
                "update_flag = 1 WHERE id = 12");
    DAL_DEVICE_OBJECT object;
    ASSERT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 12, -1, &object), DAL_OK);
    EXPECT_EQ(long_at(&object, 2), 1) << "device id";
    EXPECT_EQ(short_at(&object, 8), 1) << "read";
    EXPECT_EQ(short_at(&object, 10), 0) << "write";
    EXPECT_EQ(short_at(&object, 12), 1) << "communication";
    EXPECT_EQ(short_at(&object, 14), 0) << "transmit";
    EXPECT_EQ(short_at(&object, 2130), 1) << "update";
    EXPECT_STREQ(at(&object, 16), "Melder 1 Wert");
    EXPECT_EQ(long_at(&object, 1020), 2) << "communication object id";
    EXPECT_EQ(short_at(&object, 1024), 1) << "object number";
    EXPECT_EQ(short_at(&object, 1026), 7) << "object type";
    EXPECT_EQ(short_at(&object, 2028), 0) << "hidden";
    EXPECT_EQ(+object.DeviceObjectId, 12);

    DAL_COMM_OBJECT comm;
    ASSERT_EQ(ets.DalGetCommunicationObjectData(DAL_MODE_KEY, 1, -1, -1, &comm), DAL_OK);
    EXPECT_STREQ(at(&comm, 6), "Melder 1");
    EXPECT_STREQ(at(&comm, 106), "Eingang");
    EXPECT_EQ(+comm.ParameterKey, 1);
    ASSERT_EQ(ets.DalGetCommunicationObjectData(DAL_MODE_KEY, 3, -1, -1, &comm), DAL_OK);
    EXPECT_EQ(+comm.ParameterKey, 0) << "always shown";

    DAL_SUB_TO_OBJECT link;
    ASSERT_EQ(ets.DalGetSubgroupToObjectData(DAL_MODE_KEY, 41, -1, -1, &link), DAL_OK);
    EXPECT_EQ(long_at(&link, 2), 41);
    EXPECT_EQ(long_at(&link, 6), 1);
    EXPECT_EQ(long_at(&link, 10), 21);
    EXPECT_EQ(long_at(&link, 14), 1) << "sending";

    // The parameter "DeviceId" found the way the editor finds it.
    DAL_DEVICE_PARAM param;
    ASSERT_EQ(ets.DalGetDeviceParamData(DAL_MODE_FIRST, -1, 1, &param), DAL_OK);
    DAL_PARAMETER parameter;
    ASSERT_EQ(ets.DalGetParameterData(DAL_MODE_KEY, long_at(&param, 10), -1, -1, &parameter), DAL_OK);
    EXPECT_STREQ(at(&parameter, 12), "DeviceId");
    EXPECT_EQ(long_at(&param, 6), 31);
    EXPECT_EQ(long_at(&param, 18), 0);
}

// A read of each kind with the given size word.
using TSizedRead = std::function<int(TEts2Cdi&, int mode, std::uint16_t size)>;

template <typename Record>
TSizedRead Sized(std::function<int(TEts2Cdi&, int, Record*)> read)
{
    return [read](TEts2Cdi& ets, int mode, std::uint16_t size) {
        Record record;
        record.Size = size;
        Record before = record;
        const int result = read(ets, mode, &record);
        // A refused read writes nothing.
        if (result != DAL_OK) {
            EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
        }
        return result;
    };
}

struct TKindRow {
    const char* name;
    std::uint16_t size;
    TSizedRead read;    // mode 1/2 over everything, mode 3 by a key that exists
};

std::vector<TKindRow> Kinds()
{
    return {
        {"device", DAL_DEVICE_SIZE, Sized<DAL_DEVICE>([](TEts2Cdi& e, int m, DAL_DEVICE* r) {
             return e.DalGetDeviceData(m, m == 3 ? 1 : -1, -1, -1, -1, -1, r);
         })},
        {"device object", DAL_DEVICE_OBJECT_SIZE, Sized<DAL_DEVICE_OBJECT>([](TEts2Cdi& e, int m, DAL_DEVICE_OBJECT* r) {
             return e.DalGetDeviceObjectData(m, m == 3 ? 11 : -1, -1, r);
         })},
        {"communication object", DAL_COMM_OBJECT_SIZE, Sized<DAL_COMM_OBJECT>([](TEts2Cdi& e, int m, DAL_COMM_OBJECT* r) {
             return e.DalGetCommunicationObjectData(m, m == 3 ? 1 : -1, -1, -1, r);
         })},
        {"sub to object", DAL_SUB_TO_OBJECT_SIZE, Sized<DAL_SUB_TO_OBJECT>([](TEts2Cdi& e, int m, DAL_SUB_TO_OBJECT* r) {
             return e.DalGetSubgroupToObjectData(m, m == 3 ? 41 : -1, -1, -1, r);
         })},
        {"device parameter", DAL_DEVICE_PARAM_SIZE, Sized<DAL_DEVICE_PARAM>([](TEts2Cdi& e, int m, DAL_DEVICE_PARAM* r) {
             return e.DalGetDeviceParamData(m, m == 3 ? 31 : -1, -1, r);
         })},
        {"parameter", DAL_PARAMETER_SIZE, Sized<DAL_PARAMETER>([](TEts2Cdi& e, int m, DAL_PARAMETER* r) {
             return e.DalGetParameterData(m, m == 3 ? 1 : -1, -1, -1, r);
         })},
        {"line", DAL_LINE_SIZE,
         Sized<DAL_LINE>([](TEts2Cdi& e, int m, DAL_LINE* r) { return e.DalGetLineData(m, m == 3 ? 1 : -1, -1, r); })},
        {"area", DAL_AREA_SIZE,
         Sized<DAL_AREA>([](TEts2Cdi& e, int m, DAL_AREA* r) { return e.DalGetAreaData(m, m == 3 ? 1 : -1, -1, r); })},
        {"project", DAL_PROJECT_SIZE,
         Sized<DAL_PROJECT>([](TEts2Cdi& e, int m, DAL_PROJECT* r) { return e.DalGetProjectData(m, m == 3 ? 1 : -1, r); })},
    };
}

TEST(EtsDal, AWrongSizeWordIsRefusedInEveryMode)
{
    TEtsTestProject project;
    for (const auto& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        const std::uint16_t wrong[] = {0, static_cast<std::uint16_t>(kind.size - 1),
                                       static_cast<std::uint16_t>(kind.size + 1), 0xFFFF};
        for (const int mode : {DAL_MODE_FIRST, DAL_MODE_KEY}) {
            SCOPED_TRACE(mode);
            EXPECT_EQ(kind.read(project.ets, mode, kind.size), DAL_OK);
            for (const auto size : wrong)
                EXPECT_EQ(kind.read(project.ets, mode, size), DAL_ERR) << size;
        }
    }
}

TEST(EtsDal, AnErrorEndsTheWalk)
{
    TEtsTestProject project;
    for (const auto& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        // Mode 2 with no walk begun ends at once.
        EXPECT_EQ(kind.read(project.ets, DAL_MODE_NEXT, kind.size), DAL_END);
        // A walk that meets an error answers DAL_END next, however many records are left:
        // a caller that loops until DAL_END stops.
        ASSERT_EQ(kind.read(project.ets, DAL_MODE_FIRST, kind.size), DAL_OK);
        EXPECT_EQ(kind.read(project.ets, DAL_MODE_NEXT, 0), DAL_ERR);
        EXPECT_EQ(kind.read(project.ets, DAL_MODE_NEXT, kind.size), DAL_END);
        EXPECT_EQ(kind.read(project.ets, DAL_MODE_NEXT, kind.size), DAL_END);
        // A mode 3 error leaves a walk alone.
        ASSERT_EQ(kind.read(project.ets, DAL_MODE_FIRST, kind.size), DAL_OK);
        EXPECT_EQ(kind.read(project.ets, DAL_MODE_KEY, 1), DAL_ERR);
        // Every kind in the project has at least one record; walks end in DAL_END.
        int result = DAL_OK;
        for (int step = 0; result == DAL_OK && step < 100; ++step)
            result = kind.read(project.ets, DAL_MODE_NEXT, kind.size);
        EXPECT_EQ(result, DAL_END);
    }
}

TEST(EtsDal, AWalkSkipsRecordsDeletedWhileItRuns)
{
    TEtsTestProject project;
    DAL_DEVICE_OBJECT object;
    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_FIRST, -1, 1, &object), DAL_OK);
    EXPECT_EQ(+object.DeviceObjectId, 11);
    project.Sql("DELETE FROM device_object WHERE id = 12");
    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_NEXT, -1, 1, &object), DAL_OK);
    EXPECT_EQ(+object.DeviceObjectId, 13);
}

} // namespace
