// The paths users wait on, each beside its floor in the same run, printed as a ratio against
// its target (README.md in this folder):
//   store   every device parameter of the largest configuration (WriteDataToDb) against one
//           bare SQLite transaction of the same upserts;
//   period  an editing period begun and kept / discarded (one write in it) at 1,000 devices
//           against the same at 48,750;
//   dal     a device object read by key at 4,000 against 195,000 device objects;
//   load    the largest configuration from its blob through the gate into records and node
//           tree (KonfigurationLaden, InitData) against parsing the same records' fields;
//   groups  the project's group addresses read into the device instance at 32,767 against
//           1,024 addresses, and against the stand-in's own SQL read of the same tree;
// and the peak resident memory of the run. A path and its floor are sampled in interleaved
// rounds and compared by their medians (SampleInRounds), so that the load of a shared machine
// falls on both alike.
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
#include "rastow/DrawGridSE.h"
#include "tessarin/AzMelder.h"
#include "win32/MessageBox.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
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
        // One text per detector, typed into its text row as a person does: what a real
        // installation has, and each input's grid then differs from every other's.
        std::vector<TAzMelder*> melder;
        for (const auto& [handle, node] : inst.GetKnoten())
            if (auto* m = dynamic_cast<TAzMelder*>(node.get()))
                melder.push_back(m);
        for (TAzMelder* m : melder) {
            TDrawGridSE grid;
            m->BuildInfoWindow(&grid, nullptr, true, -1, -1);
            Check(grid.TypeText(grid.FindRow(TAzMelder::rowMelderText), "Eingang " + std::to_string(m->GetMelderNr())),
                  "a detector's text was not typed");
            grid.ExitCell();
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
        ::sync(); // as for the large projects
        l->blob = inst.GetBlob();
        return l;
    }();
    return *largest;
}

// ---- interleaved rounds ----------------------------------------------------------------------

// Paths that are compared sampled in turn, round after round, the order turning from round to
// round, so that the load of a shared machine falls on each alike; each path's figure is the
// median of its samples (ns per run), kept here for the summary under the path's name.
struct TRoundPath {
    std::string name;
    std::function<void()> run;
    int repeat = 1; // runs per sample, so that samples of paths of unlike cost last alike
};

std::map<std::string, double>& RoundMedians()
{
    static std::map<std::string, double> medians;
    return medians;
}

// One warm-up round, then `rounds` kept. Clock: the wall clock for paths that wait on the
// disk, else processor time (std::clock), which the time other programs hold the processor
// does not add to.
void SampleInRounds(const std::vector<TRoundPath>& paths, int rounds, double (*clock)())
{
    std::vector<std::vector<double>> samples(paths.size());
    for (int round = -1; round < rounds; ++round)
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const std::size_t which = (static_cast<std::size_t>(round + 1) + k) % paths.size();
            const double start = clock();
            for (int i = 0; i < paths[which].repeat; ++i)
                paths[which].run();
            if (round >= 0)
                samples[which].push_back((clock() - start) / paths[which].repeat);
        }
    for (std::size_t which = 0; which < paths.size(); ++which) {
        auto& ns = samples[which];
        const auto middle = ns.begin() + static_cast<std::ptrdiff_t>(ns.size() / 2);
        std::nth_element(ns.begin(), middle, ns.end());
        RoundMedians()[paths[which].name] = *middle;
    }
}

double WallNs()
{
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ProcessorNs()
{
    return static_cast<double>(std::clock()) * 1e9 / CLOCKS_PER_SEC;
}

// ---- store ---------------------------------------------------------------------------------

// The same upserts as WriteDataToDb leaves in the store, in one bare transaction.
class TStoreFloor {
public:
    explicit TStoreFloor(const fs::path& store)
    {
        Check(sqlite3_open(store.c_str(), &m_db) == SQLITE_OK, "store not opened");
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT device_id, parameter_id, value FROM device_param WHERE device_id = ?", -1,
                           &read, nullptr);
        sqlite3_bind_int(read, 1, kDemoAlarmCentreId);
        while (sqlite3_step(read) == SQLITE_ROW)
            m_rows.push_back({sqlite3_column_int64(read, 0), sqlite3_column_int64(read, 1), sqlite3_column_int64(read, 2)});
        sqlite3_finalize(read);
        sqlite3_prepare_v2(m_db, "INSERT INTO device_param (device_id, parameter_id, value) VALUES (?, ?, ?) "
                                 "ON CONFLICT (device_id, parameter_id) DO UPDATE SET value = excluded.value", -1,
                           &m_upsert, nullptr);
    }
    ~TStoreFloor()
    {
        sqlite3_finalize(m_upsert);
        sqlite3_close(m_db);
    }
    TStoreFloor(const TStoreFloor&) = delete;
    TStoreFloor& operator=(const TStoreFloor&) = delete;

    void Run()
    {
        sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& row : m_rows) {
            for (int c = 0; c < 3; ++c)
                sqlite3_bind_int64(m_upsert, c + 1, row[static_cast<std::size_t>(c)]);
            sqlite3_step(m_upsert);
            sqlite3_reset(m_upsert);
        }
        Check(sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK, "floor not committed");
    }
    std::size_t Upserts() const { return m_rows.size(); }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_upsert = nullptr;
    std::vector<std::array<sqlite3_int64, 3>> m_rows;
};

// WriteDataToDb and its floor in interleaved rounds, on the wall clock: both wait on the disk.
// Three runs a sample: the first run after the other connection wrote reads its pages anew.
constexpr int kStoreRounds = 61;

void BM_Store(benchmark::State& state)
{
    TLargest& l = Largest();
    Check(l.editor->inst.WriteDataToDb(), "WriteDataToDb failed");
    TStoreFloor floor(l.store);
    const std::vector<TRoundPath> paths = {
        {"store", [&l] { Check(l.editor->inst.WriteDataToDb(), "WriteDataToDb failed"); }, 3},
        {"store_floor", [&floor] { floor.Run(); }, 3},
    };
    for (auto _ : state)
        SampleInRounds(paths, kStoreRounds, WallNs);
    state.counters["records"] = static_cast<double>(l.editor->inst.GetDatenSatzAnzahl());
    state.counters["nodes"] = static_cast<double>(l.editor->inst.GetKnoten().size());
    state.counters["objects"] = l.objects;
    state.counters["links"] = l.links;
    state.counters["blob_KiB"] = static_cast<double>(l.blob.size()) / 1024.0;
    state.counters["upserts"] = static_cast<double>(floor.Upserts());
}

// ---- period and dal ----------------------------------------------------------------------------

TEts2Cdi& LargeProject(int devices)
{
    static std::map<int, std::unique_ptr<TEts2Cdi>> stores;
    auto& ets = stores[devices];
    if (!ets) {
        const fs::path file = Folder() / ("large-" + std::to_string(devices) + ".db");
        Check(BuildLargeProject(file, devices, 2000).ok, "large project not built");
        // On the disk before anything is timed: a sync in a timed period would otherwise
        // wait for the write-back of the whole new file.
        ::sync();
        ets = std::make_unique<TEts2Cdi>(nullptr, kDemoModuleName, false);
        Check(ets->OpenProjectStore(file).ok, "large project not opened");
    }
    return *ets;
}

// An editing period begun and ended with one write in it, kept and discarded, at 1,000 and
// at 48,750 devices; on the wall clock, as keeping waits on the disk.
constexpr int kPeriodRounds = 41;

void BM_Period(benchmark::State& state)
{
    std::vector<TRoundPath> paths;
    for (int keep : {1, 0})
        for (int devices : {1000, 48750}) {
            TEts2Cdi& ets = LargeProject(devices);
            DAL_DEVICE_OBJECT object;
            Check(ets.DalGetDeviceObjectData(DAL_MODE_FIRST, -1, 1000, &object) == DAL_OK, "no device object");
            const int32_t id = object.DeviceObjectId;
            paths.push_back({"period/devices:" + std::to_string(devices) + "/keep:" + std::to_string(keep),
                             [&ets, id, keep, on = false]() mutable {
                                 Check(ets.BeginEditPeriod(), "period not begun");
                                 ets.SqlSetDeviceObjectReadFlag(id, on = !on);
                                 Check(ets.EndEditPeriod(keep != 0), "period not ended");
                             },
                             keep != 0 ? 4 : 40});
        }
    for (auto _ : state)
        SampleInRounds(paths, kPeriodRounds, WallNs);
}

// A device object read by key among 4,000 and among 195,000 device objects.
constexpr int kDalRounds = 41;

void BM_DalByKey(benchmark::State& state)
{
    std::vector<TRoundPath> paths;
    for (int devices : {1000, 48750}) {
        TEts2Cdi& ets = LargeProject(devices);
        std::vector<int32_t> ids;
        DAL_DEVICE_OBJECT object;
        std::mt19937 random(7);
        for (int i = 0; i < 256; ++i) {
            const int32_t device = 1000 + static_cast<int32_t>(random() % static_cast<unsigned>(devices));
            Check(ets.DalGetDeviceObjectData(DAL_MODE_FIRST, -1, device, &object) == DAL_OK, "no device object");
            ids.push_back(object.DeviceObjectId);
        }
        paths.push_back({"dal_by_key/devices:" + std::to_string(devices),
                         [&ets, ids, i = std::size_t{0}]() mutable {
                             DAL_DEVICE_OBJECT read;
                             benchmark::DoNotOptimize(
                                 ets.DalGetDeviceObjectData(DAL_MODE_KEY, ids[i++ % ids.size()], -1, &read));
                         },
                         256});
    }
    for (auto _ : state)
        SampleInRounds(paths, kDalRounds, ProcessorNs);
    state.counters["device_objects"] = 48750 * 4;
}

// ---- load --------------------------------------------------------------------------------

// The largest configuration from its blob through the gate into records and node tree, as the
// opening does it, against parsing the same records' fields.
constexpr int kLoadRounds = 41;

void BM_Load(benchmark::State& state)
{
    TLargest& l = Largest();
    TAzEditor loader(*l.ets);
    const std::size_t from = l.blob.find("<DB>\r\n") + 6, to = l.blob.find("</DB>");
    std::vector<std::string> lines;
    for (std::size_t at = from; at < to;) {
        const std::size_t end = l.blob.find("\r\n", at);
        lines.push_back(l.blob.substr(at, end - at));
        at = end + 2;
    }
    const std::vector<TRoundPath> paths = {
        {"load",
         [&] {
             // As the opening does it: through the gate, then built from the records it read.
             Check(loader.inst.KonfigurationLaden(l.blob, TDeviceInstanz::TKonfigLeser::Laden),
                   "the configuration was refused");
             Check(loader.inst.InitData(), "the configuration was not loaded");
         }},
        {"load_floor",
         [&lines] {
             for (const std::string& line : lines) {
                 TDatenStruktur record;
                 record.Fill(line);
                 benchmark::DoNotOptimize(record);
             }
         }},
    };
    for (auto _ : state)
        SampleInRounds(paths, kLoadRounds, ProcessorNs);
    state.counters["records"] = static_cast<double>(loader.inst.GetDatenSatzAnzahl());
    state.counters["nodes"] = static_cast<double>(loader.inst.GetKnoten().size());
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
// of the larger tree (its rows stepped and dropped), in interleaved rounds on processor time.
// The small read is repeated as many times as it has fewer addresses.
constexpr int kFewGroups = 1024, kManyGroups = 32767, kGroupRounds = 31;

void BM_GroupAddresses(benchmark::State& state)
{
    TAzEditor few(GroupProject(kFewGroups)), many(GroupProject(kManyGroups));
    TEts2Cdi& ets = GroupProject(kManyGroups);
    const std::vector<TRoundPath> paths = {
        {"group_addresses/addresses:1024", [&few] { few.inst.GetGrpAdrFromServer(); }, kManyGroups / kFewGroups},
        {"group_addresses/addresses:32767", [&many] { many.inst.GetGrpAdrFromServer(); }},
        {"group_sql/addresses:32767",
         [&ets] {
             Check(ets.ReadGroupTree(kDemoAlarmCentreId, [](TEtsGroupLevel, const TEtsGroupRow& row) {
                 benchmark::DoNotOptimize(row.Id);
             }),
                   "group tree not read");
         }},
    };
    for (auto _ : state)
        SampleInRounds(paths, kGroupRounds, ProcessorNs);
    Check(few.inst.GetSubGroupMap().size() == std::size_t{kFewGroups}
              && many.inst.GetSubGroupMap().size() == std::size_t{kManyGroups},
          "not every group address read");
}

// ---- registration and summary ----------------------------------------------------------------

// Each benchmark samples its paths in rounds once; the summary reads the medians.
void Register()
{
    benchmark::RegisterBenchmark("store", BM_Store)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("period", BM_Period)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("dal_by_key", BM_DalByKey)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load", BM_Load)->Iterations(1)->Unit(benchmark::kMillisecond);
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
    benchmark::RunSpecifiedBenchmarks();
    const std::map<std::string, double>& times = RoundMedians();

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
        const auto m = times.find(t.measured), f = times.find(t.floor);
        if (m == times.end() || f == times.end())
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
