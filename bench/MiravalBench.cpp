// The paths users wait on, each beside its floor in the same run, printed as a ratio against
// its target (README.md in this folder):
//   store   every device parameter of the largest configuration (WriteDataToDb) against one
//           bare SQLite transaction of the same upserts;
//   period  an editing period begun and kept / discarded (one write in it) at 1,000 devices
//           against the same at 48,750;
//   dal     a device object read by key at 4,000 against 195,000 device objects;
//   load    the largest configuration from its blob into records and node tree (InitData)
//           against parsing the same records' fields;
//   groups  the project's group addresses read into the device instance at 32,767 against
//           1,024 addresses, and against the stand-in's own SQL read of the same tree, as
//           medians of interleaved rounds;
// and the peak resident memory of the run.
//
// The largest configuration is built by the editor's own code on the demo project: a new
// alarm centre with every area, detectors up to the input limit, its communication objects
// and links to group addresses.

#include "DemoProject.h"
#include "EditorHostDouble.h"
#include "LargeProject.h"

#include "kestrin/Ets2Cdi.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "pellam/DataBasis.h"
#include "quillon/DatenStruktur.h"
#include "quillon/ObjektBasis.h"
#include "win32/MessageBox.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path Folder()
{
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / ("miraval-bench-" + std::to_string(::getpid()));
        fs::remove_all(f);
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

void Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::cerr << "miraval_bench: " << what << "\n";
        std::exit(1);
    }
}

// ---- The largest configuration ---------------------------------------------------------------

struct TAzEditor {
    explicit TAzEditor(TEts2Cdi& ets)
        : host(&ets)
        , inst(host, Device(ets), nullptr)
    {
        host.window.SetAktDevInst(&inst);
    }
    static DAL_DEVICE Device(TEts2Cdi& ets)
    {
        DAL_DEVICE device;
        Check(ets.DalGetDeviceData(DAL_MODE_KEY, kDemoAlarmCentreId, -1, -1, -1, -1, &device) == DAL_OK,
              "no demo alarm centre");
        return device;
    }
    TEditorHostDouble host;
    TDeviceInstanzAz inst;
};

struct TLargest {
    fs::path store;
    std::unique_ptr<TEts2Cdi> ets;
    std::unique_ptr<TAzEditor> editor;
    std::string blob;
    int objects = 0, links = 0, writes = 0;
};

// Every area, detectors in every security area up to the input limit, every object linked to a
// group address of the demo (a quarter of them to a second one).
TLargest& Largest()
{
    static TLargest* largest = [] {
        auto* l = new TLargest;
        l->store = Folder() / "largest.db";
        Check(BuildDemoProject(l->store).ok, "demo project not built");
        l->ets = std::make_unique<TEts2Cdi>(nullptr, kDemoModuleName, false);
        Check(l->ets->OpenProjectStore(l->store).ok, "demo project not opened");
        l->editor = std::make_unique<TAzEditor>(*l->ets);
        TDeviceInstanzAz& inst = l->editor->inst;
        const HWND owner = l->editor->host.GetHandle();
        Check(inst.GetDataFromServer(owner, false), "the new device was not made");
        Check(inst.CreateNewDevice(owner, 0x113344CCu), "the device with every area was not made");
        std::vector<std::pair<int32_t, uint8_t>> areas;
        for (const auto& [handle, node] : inst.GetKnoten()) {
            const int typ = node->GetTyp();
            if (typ >= AzTyp::SicherungsBereich1 && typ <= AzTyp::SicherungsBereich1 + 3)
                areas.emplace_back(handle, static_cast<uint8_t>(MelderArt::Sb1 + typ - AzTyp::SicherungsBereich1));
            else if (typ == AzTyp::SicherungsBereichFeuer)
                areas.emplace_back(handle, MelderArt::Feuer);
            else if (typ == AzTyp::SicherungsBereichUeberfall)
                areas.emplace_back(handle, MelderArt::Ueberfall);
        }
        for (bool more = true; more;) {
            more = false;
            for (const auto& [handle, art] : areas)
                if (TDataBasis* area = inst.FindHandle(handle))
                    more = inst.CreateAzMelder(owner, area, art, false) || more;
        }
        TEtsGroupTree tree;
        Check(l->ets->ReadGroupTree(kDemoAlarmCentreId, tree) && !tree.Subs.empty(), "no group addresses");
        std::vector<int32_t> objects;
        for (const auto& [handle, node] : inst.GetKnoten())
            if (dynamic_cast<TObjektBasis*>(node.get()) != nullptr)
                objects.push_back(handle);
        l->objects = static_cast<int>(objects.size());
        for (std::size_t i = 0; i < objects.size(); ++i) {
            l->links += inst.LinkToSubGroup(tree.Subs[i % tree.Subs.size()].Id, objects[i], true);
            if (i % 4 == 0)
                l->links += inst.LinkToSubGroup(tree.Subs[(i + 7) % tree.Subs.size()].Id, objects[i], true);
        }
        Check(inst.WriteBlob(), "the configuration was not stored");
        l->blob = inst.GetBlob();
        return l;
    }();
    return *largest;
}

// ---- store ---------------------------------------------------------------------------------

void BM_Store(benchmark::State& state)
{
    TLargest& l = Largest();
    for (auto _ : state)
        Check(l.editor->inst.WriteDataToDb(), "WriteDataToDb failed");
    state.counters["records"] = static_cast<double>(l.editor->inst.GetDatenSatzAnzahl());
    state.counters["nodes"] = static_cast<double>(l.editor->inst.GetKnoten().size());
    state.counters["objects"] = l.objects;
    state.counters["links"] = l.links;
    state.counters["blob_KiB"] = static_cast<double>(l.blob.size()) / 1024.0;
}

// The same upserts as WriteDataToDb leaves in the store, in one bare transaction.
void BM_StoreFloor(benchmark::State& state)
{
    TLargest& l = Largest();
    Check(l.editor->inst.WriteDataToDb(), "WriteDataToDb failed");
    sqlite3* db = nullptr;
    Check(sqlite3_open(l.store.c_str(), &db) == SQLITE_OK, "store not opened");
    std::vector<std::array<sqlite3_int64, 3>> rows;
    {
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(db, "SELECT device_id, parameter_id, value FROM device_param WHERE device_id = ?", -1, &read,
                           nullptr);
        sqlite3_bind_int(read, 1, kDemoAlarmCentreId);
        while (sqlite3_step(read) == SQLITE_ROW)
            rows.push_back({sqlite3_column_int64(read, 0), sqlite3_column_int64(read, 1), sqlite3_column_int64(read, 2)});
        sqlite3_finalize(read);
    }
    sqlite3_stmt* upsert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO device_param (device_id, parameter_id, value) VALUES (?, ?, ?) "
                           "ON CONFLICT (device_id, parameter_id) DO UPDATE SET value = excluded.value", -1, &upsert,
                       nullptr);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& row : rows) {
            for (int c = 0; c < 3; ++c)
                sqlite3_bind_int64(upsert, c + 1, row[static_cast<std::size_t>(c)]);
            sqlite3_step(upsert);
            sqlite3_reset(upsert);
        }
        Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK, "floor not committed");
    }
    state.counters["upserts"] = static_cast<double>(rows.size());
    sqlite3_finalize(upsert);
    sqlite3_close(db);
}

// ---- period and dal ----------------------------------------------------------------------------

TEts2Cdi& LargeProject(int devices)
{
    static std::map<int, std::unique_ptr<TEts2Cdi>> stores;
    auto& ets = stores[devices];
    if (!ets) {
        const fs::path file = Folder() / ("large-" + std::to_string(devices) + ".db");
        Check(BuildLargeProject(file, devices, 2000).ok, "large project not built");
        ets = std::make_unique<TEts2Cdi>(nullptr, kDemoModuleName, false);
        Check(ets->OpenProjectStore(file).ok, "large project not opened");
    }
    return *ets;
}

void BM_Period(benchmark::State& state)
{
    const bool keep = state.range(1) != 0;
    TEts2Cdi& ets = LargeProject(static_cast<int>(state.range(0)));
    DAL_DEVICE_OBJECT object;
    Check(ets.DalGetDeviceObjectData(DAL_MODE_FIRST, -1, 1000, &object) == DAL_OK, "no device object");
    const int32_t id = object.DeviceObjectId;
    bool on = false;
    for (auto _ : state) {
        Check(ets.BeginEditPeriod(), "period not begun");
        ets.SqlSetDeviceObjectReadFlag(id, on = !on);
        Check(ets.EndEditPeriod(keep), "period not ended");
    }
}

void BM_DalByKey(benchmark::State& state)
{
    const int devices = static_cast<int>(state.range(0));
    TEts2Cdi& ets = LargeProject(devices);
    std::vector<int32_t> ids;
    DAL_DEVICE_OBJECT object;
    std::mt19937 random(7);
    for (int i = 0; i < 256; ++i) {
        const int32_t device = 1000 + static_cast<int32_t>(random() % static_cast<unsigned>(devices));
        Check(ets.DalGetDeviceObjectData(DAL_MODE_FIRST, -1, device, &object) == DAL_OK, "no device object");
        ids.push_back(object.DeviceObjectId);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const int r = ets.DalGetDeviceObjectData(DAL_MODE_KEY, ids[i++ % ids.size()], -1, &object);
        benchmark::DoNotOptimize(r);
    }
    state.counters["device_objects"] = devices * 4;
}

// ---- load --------------------------------------------------------------------------------

void BM_Load(benchmark::State& state)
{
    TLargest& l = Largest();
    TAzEditor loader(*l.ets);
    for (auto _ : state) {
        loader.inst.SetBlob(l.blob);
        Check(loader.inst.InitData(), "the configuration was not loaded");
    }
    state.counters["records"] = static_cast<double>(loader.inst.GetDatenSatzAnzahl());
    state.counters["nodes"] = static_cast<double>(loader.inst.GetKnoten().size());
}

void BM_LoadFloor(benchmark::State& state)
{
    const std::string& blob = Largest().blob;
    const std::size_t from = blob.find("<DB>\r\n") + 6, to = blob.find("</DB>");
    std::vector<std::string> lines;
    for (std::size_t at = from; at < to;) {
        const std::size_t end = blob.find("\r\n", at);
        lines.push_back(blob.substr(at, end - at));
        at = end + 2;
    }
    for (auto _ : state) {
        for (const std::string& line : lines) {
            TDatenStruktur record;
            record.Fill(line);
            benchmark::DoNotOptimize(record);
        }
    }
    state.counters["records"] = static_cast<double>(lines.size());
}

// ---- group addresses -----------------------------------------------------------------------

// A project store with the demo's devices and `count` group addresses from 0/0/1 upwards under
// every main and middle group; made once per run.
TEts2Cdi& GroupProject(int count)
{
    static std::map<int, std::unique_ptr<TEts2Cdi>> stores;
    auto& ets = stores[count];
    if (!ets) {
        const fs::path file = Folder() / ("groups-" + std::to_string(count) + ".db");
        const std::string sql = std::string(DemoProjectSql()) + R"sql(
DELETE FROM sub_to_object; DELETE FROM sub_group; DELETE FROM middle_group; DELETE FROM main_group;
WITH RECURSIVE m(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM m WHERE n < 15)
INSERT INTO main_group (id, project_id, number, name) SELECT 1 + n, 1, n, printf('H %d', n) FROM m;
WITH RECURSIVE m(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM m WHERE n < 127)
INSERT INTO middle_group (id, main_group_id, number, name) SELECT 1 + n, 1 + n / 8, n % 8, printf('M %d', n) FROM m;
WITH RECURSIVE w(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM w WHERE n < )sql" + std::to_string(count) + R"sql()
INSERT INTO sub_group (id, middle_group_id, address, name) SELECT n, 1 + (n >> 8), n, printf('G %d', n) FROM w;
)sql";
        Check(BuildProjectStore(file, sql).ok, "group-address project not built");
        ets = std::make_unique<TEts2Cdi>(nullptr, kDemoModuleName, false);
        Check(ets->OpenProjectStore(file).ok, "group-address project not opened");
    }
    return *ets;
}

// The read into the instance at 1,024 and at 32,767 addresses and the stand-in's own SQL read
// of the larger tree (its rows stepped and dropped), in interleaved rounds: each round takes
// one sample of each, in an order that turns from round to round, so that the load of a shared
// machine falls on all three alike, and the median of each path's samples stands for it.
// Samples are processor time (std::clock): time spent waiting for a processor is not the
// read's. The small read is repeated as many times as it has fewer addresses, so that its
// sample lasts about as long as the others.
constexpr int kFewGroups = 1024, kManyGroups = 32767, kGroupRounds = 31;

std::map<std::string, double>& GroupMedians()
{
    static std::map<std::string, double> medians;
    return medians;
}

void BM_GroupAddresses(benchmark::State& state)
{
    TAzEditor few(GroupProject(kFewGroups)), many(GroupProject(kManyGroups));
    TEts2Cdi& ets = GroupProject(kManyGroups);
    struct TPath {
        std::string name, counter;
        int repeat;
        std::function<void()> read;
        std::vector<double> ns; // per read, one sample a round
    };
    std::array<TPath, 3> paths = {{
        {"group_addresses/addresses:1024", "ms_1024", kManyGroups / kFewGroups, [&] { few.inst.GetGrpAdrFromServer(); },
         {}},
        {"group_addresses/addresses:32767", "ms_32767", 1, [&] { many.inst.GetGrpAdrFromServer(); }, {}},
        {"group_sql/addresses:32767", "ms_sql_32767", 1,
         [&] {
             Check(ets.ReadGroupTree(kDemoAlarmCentreId, [](TEtsGroupLevel, const TEtsGroupRow& row) {
                 benchmark::DoNotOptimize(row.Id);
             }),
                   "group tree not read");
         },
         {}},
    }};
    for (auto _ : state) {
        // Round -1 warms up: its samples are not kept.
        for (int round = -1; round < kGroupRounds; ++round)
            for (std::size_t k = 0; k < paths.size(); ++k) {
                TPath& path = paths[(static_cast<std::size_t>(round + 1) + k) % paths.size()];
                const std::clock_t start = std::clock();
                for (int i = 0; i < path.repeat; ++i)
                    path.read();
                if (round >= 0)
                    path.ns.push_back(static_cast<double>(std::clock() - start) * 1e9 / CLOCKS_PER_SEC / path.repeat);
            }
    }
    for (TPath& path : paths) {
        const auto middle = path.ns.begin() + static_cast<std::ptrdiff_t>(path.ns.size() / 2);
        std::nth_element(path.ns.begin(), middle, path.ns.end());
        GroupMedians()[path.name] = *middle;
        state.counters[path.counter] = *middle / 1e6;
    }
    Check(few.inst.GetSubGroupMap().size() == std::size_t{kFewGroups}
              && many.inst.GetSubGroupMap().size() == std::size_t{kManyGroups},
          "not every group address read");
}

// ---- the summary ---------------------------------------------------------------------------

// Keeps each run's real time per iteration (ns) beside what the console prints.
class TSummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[Path(run.benchmark_name())] = run.GetAdjustedRealTime() * 1e9
                                                    / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;

private:
    // The name without the run's settings ("/min_time:2.000", "/real_time").
    static std::string Path(std::string name)
    {
        for (const char* setting : {"/min_time:", "/real_time"}) {
            const auto at = name.find(setting);
            if (at != std::string::npos) {
                const auto end = name.find('/', at + 1);
                name.erase(at, end == std::string::npos ? std::string::npos : end - at);
            }
        }
        return name;
    }
};

void Register()
{
    benchmark::RegisterBenchmark("store", BM_Store)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
    benchmark::RegisterBenchmark("store_floor", BM_StoreFloor)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
    for (int devices : {1000, 48750})
        for (int keep : {1, 0})
            benchmark::RegisterBenchmark("period", BM_Period)
                ->Args({devices, keep})
                ->ArgNames({"devices", "keep"})
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
    for (int devices : {1000, 48750})
        benchmark::RegisterBenchmark("dal_by_key", BM_DalByKey)->Arg(devices)->ArgName("devices")->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("load", BM_Load)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("load_floor", BM_LoadFloor)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("group_addresses", BM_GroupAddresses)->Iterations(1)->Unit(benchmark::kMillisecond);
}

struct TTarget {
    std::string path, measured, floor;
    double limit;
    std::string rule;
};

} // namespace

int main(int argc, char** argv)
{
    // Message boxes of the editor answer at once.
    SetMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
    Register();
    benchmark::Initialize(&argc, argv);
    TSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.times.insert(GroupMedians().begin(), GroupMedians().end());

    const std::vector<TTarget> targets = {
        {"store all parameters", "store", "store_floor", 2.0, "<= 2x one bare transaction"},
        {"period begin+keep", "period/devices:48750/keep:1", "period/devices:1000/keep:1", 2.0,
         "48,750 devices <= 2x 1,000"},
        {"period begin+discard", "period/devices:48750/keep:0", "period/devices:1000/keep:0", 2.0,
         "48,750 devices <= 2x 1,000"},
        {"DAL read by key", "dal_by_key/devices:48750", "dal_by_key/devices:1000", 2.0, "195k objects <= 2x 4k"},
        {"load", "load", "load_floor", 5.0, "<= 5x the field parse"},
        {"group addresses growth", "group_addresses/addresses:32767", "group_addresses/addresses:1024", 36.0,
         "32x addresses <= 36x"},
        {"group addresses vs SQL", "group_addresses/addresses:32767", "group_sql/addresses:32767", 3.0,
         "<= 3x the stand-in's SQL read"},
    };
    std::printf("\n%-24s %14s %14s %8s  %-30s %s\n", "path", "measured", "floor", "ratio", "target", "met");
    bool all = true;
    for (const TTarget& t : targets) {
        const auto m = reporter.times.find(t.measured), f = reporter.times.find(t.floor);
        if (m == reporter.times.end() || f == reporter.times.end())
            continue; // filtered out
        const double ratio = m->second / f->second;
        all = all && ratio <= t.limit;
        std::printf("%-24s %11.3f ms %11.3f ms %8.2f  %-30s %s\n", t.path.c_str(), m->second / 1e6, f->second / 1e6,
                    ratio, t.rule.c_str(), ratio <= t.limit ? "yes" : "NO");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak RSS %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf(all ? "every target met\n" : "a target is not met\n");
    fs::remove_all(Folder());
    return 0;
}
