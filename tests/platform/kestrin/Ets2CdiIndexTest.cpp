// Every DAL read by key answers exactly what a scan of the table answers, on a store with
// thousands of rows: the keyed statements against the "-1 or equal" scans they replaced.
#include "EtsStoreDump.h"
#include "EtsTestProject.h"

#include "LargeProject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sqlite3.h>

namespace {

// One read kind: the scan over every row, a read through the interface, and key values to
// try for each key (the first row's, a missing one; -1 is always tried).
struct TKind {
    const char* name;
    const char* scan;
    std::function<int(TEts2Cdi&, int mode, const std::vector<std::int32_t>& keys, std::int32_t& id)> read;
    std::vector<std::vector<std::int32_t>> values;
};

std::vector<std::int32_t> Scan(sqlite3* db, const char* sql, const std::vector<std::int32_t>& keys)
{
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    for (std::size_t i = 0; i < keys.size(); ++i)
        sqlite3_bind_int64(stmt, static_cast<int>(i + 1), keys[i]);
    std::vector<std::int32_t> ids;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int(stmt, 0));
    sqlite3_finalize(stmt);
    return ids;
}

TEST(EtsDal, ReadsByKeyAnswerWhatTheScansAnswered)
{
    const auto file = EtsTestStorePath();
    std::filesystem::remove(file);
    ASSERT_TRUE(BuildLargeProject(file, 1000, 2000));
    TEts2Cdi ets(nullptr, "244_ID", false);
    ASSERT_TRUE(ets.OpenProjectStore(file));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);

    constexpr std::int32_t kMissing = 999999;
    const std::vector<TKind> kinds = {
        {"device",
         "SELECT d.id FROM device d JOIN line l ON l.id = d.line_id JOIN area a ON a.id = l.area_id "
         "WHERE (?1 = -1 OR d.id = ?1) AND (?2 = -1 OR d.line_id = ?2) AND (?3 = -1 OR l.area_id = ?3) "
         "AND (?4 = -1 OR a.project_id = ?4) AND (?5 = -1 OR d.product_id = ?5) ORDER BY d.id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_DEVICE r;
             const int result = e.DalGetDeviceData(m, k[0], k[1], k[2], k[3], k[4], &r);
             id = r.DeviceId;
             return result;
         },
         {{1000, 1}, {149, 17}, {3, 1}, {1}, {4, 1}}},
        {"device object", "SELECT id FROM device_object WHERE (?1 = -1 OR id = ?1) AND (?2 = -1 OR device_id = ?2) "
                          "ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_DEVICE_OBJECT r;
             const int result = e.DalGetDeviceObjectData(m, k[0], k[1], &r);
             id = r.DeviceObjectId;
             return result;
         },
         {{2500, 1}, {1000, 1}}},
        {"communication object",
         "SELECT c.id FROM comm_object c WHERE (?1 = -1 OR c.id = ?1) AND (?2 = -1 OR EXISTS "
         "(SELECT 1 FROM parameter_shows s WHERE s.comm_object_id = c.id AND s.parameter_id = ?2)) "
         "AND (?3 = -1 OR c.product_id = ?3) ORDER BY c.id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_COMM_OBJECT r;
             const int result = e.DalGetCommunicationObjectData(m, k[0], k[1], k[2], &r);
             id = r.CommObjectId;
             return result;
         },
         {{1}, {}, {1, 4}}},
        {"link", "SELECT id FROM sub_to_object WHERE (?1 = -1 OR id = ?1) AND (?2 = -1 OR sub_group_id = ?2) "
                 "AND (?3 = -1 OR device_object_id = ?3) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_SUB_TO_OBJECT r;
             const int result = e.DalGetSubgroupToObjectData(m, k[0], k[1], k[2], &r);
             id = r.LinkId;
             return result;
         },
         {{30}, {10005}, {}}},
        {"device parameter", "SELECT id FROM device_param WHERE (?1 = -1 OR id = ?1) "
                             "AND (?2 = -1 OR device_id = ?2) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_DEVICE_PARAM r;
             const int result = e.DalGetDeviceParamData(m, k[0], k[1], &r);
             id = r.DeviceParamId;
             return result;
         },
         {{5}, {1}}},
        {"parameter", "SELECT id FROM parameter WHERE (?1 = -1 OR id = ?1) AND (?2 = -1 OR product_id = ?2) "
                      "AND (?3 = -1 OR number = ?3) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_PARAMETER r;
             const int result = e.DalGetParameterData(m, k[0], k[1], k[2], &r);
             id = r.ParameterId;
             return result;
         },
         {{5}, {1}, {10010, 3000}}},
        {"line", "SELECT id FROM line WHERE (?1 = -1 OR id = ?1) AND (?2 = -1 OR area_id = ?2) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_LINE r;
             const int result = e.DalGetLineData(m, k[0], k[1], &r);
             id = r.LineId;
             return result;
         },
         {{149}, {3, 1}}},
        {"area", "SELECT id FROM area WHERE (?1 = -1 OR id = ?1) AND (?2 = -1 OR project_id = ?2) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_AREA r;
             const int result = e.DalGetAreaData(m, k[0], k[1], &r);
             id = r.AreaId;
             return result;
         },
         {{3}, {1}}},
        {"project", "SELECT id FROM project WHERE (?1 = -1 OR id = ?1) ORDER BY id",
         [](TEts2Cdi& e, int m, const std::vector<std::int32_t>& k, std::int32_t& id) {
             DAL_PROJECT r;
             const int result = e.DalGetProjectData(m, k[0], &r);
             id = r.ProjectId;
             return result;
         },
         {{1}}},
    };
    for (const TKind& kind : kinds) {
        // Every combination of -1, each listed value and a missing one, key by key.
        std::vector<std::vector<std::int32_t>> combos{{}};
        for (auto values : kind.values) {
            values.insert(values.begin(), DAL_NO_KEY);
            values.push_back(kMissing);
            std::vector<std::vector<std::int32_t>> longer;
            for (const auto& combo : combos)
                for (const std::int32_t value : values) {
                    longer.push_back(combo);
                    longer.back().push_back(value);
                }
            combos = std::move(longer);
        }
        for (const auto& keys : combos) {
            SCOPED_TRACE(std::string(kind.name) + " " + ::testing::PrintToString(keys));
            const auto scanned = Scan(db, kind.scan, keys);
            std::vector<std::int32_t> walked;
            std::int32_t id = 0;
            for (int r = kind.read(ets, DAL_MODE_FIRST, keys, id); r == DAL_OK; r = kind.read(ets, DAL_MODE_NEXT, keys, id))
                walked.push_back(id);
            EXPECT_EQ(walked, scanned);
            const bool anyKey = std::any_of(keys.begin(), keys.end(), [](auto k) { return k != DAL_NO_KEY; });
            if (!anyKey)
                continue;
            const int byKey = kind.read(ets, DAL_MODE_KEY, keys, id);
            EXPECT_EQ(byKey, scanned.empty() ? DAL_END : DAL_OK);
            if (!scanned.empty()) {
                EXPECT_EQ(id, scanned.front());
            }
        }
    }
    sqlite3_close(db);
    ets.CloseProjectStore();
    std::filesystem::remove(file);
}

} // namespace

namespace {

// A store of schema version 1 (without the indexes of the reads by key) gets them when opened.
TEST(EtsProjectStore, AnOlderStoreGetsItsIndexesWhenOpened)
{
    const auto indexes = [](const std::filesystem::path& file) {
        return DumpStore(file, {"sqlite_schema"}).find("device_line") != std::string::npos;
    };
    TEtsTestProject project;
    project.Sql("DROP INDEX device_line; DROP INDEX comm_object_product; PRAGMA user_version = 1");
    project.ets.CloseProjectStore();
    ASSERT_FALSE(indexes(project.file));
    ASSERT_TRUE(project.ets.OpenProjectStore(project.file));
    EXPECT_TRUE(indexes(project.file));
    EXPECT_NE(DumpStore(project.file, {"sqlite_schema"}).find("comm_object_product"), std::string::npos);
    DAL_DEVICE device;
    EXPECT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, -1, 1, -1, -1, -1, &device), DAL_OK);
}

} // namespace
