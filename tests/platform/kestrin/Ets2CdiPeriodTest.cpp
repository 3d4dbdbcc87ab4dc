// The editing period on a store with thousands of rows: kept, discarded, and an editor killed
// in the middle of it.
#include "EtsStoreDump.h"
#include "EtsTestProject.h"

#include "LargeProject.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kDevices = 1000; // 4,000 device objects, 1,000 links
constexpr int kGroups = 2000;

fs::path LargeStore(const std::string& suffix)
{
    const fs::path file = EtsTestStorePath(suffix);
    fs::remove(file);
    const auto built = BuildLargeProject(file, kDevices, kGroups);
    EXPECT_TRUE(built) << built.message;
    return file;
}

// The writes of one period: across the tables, thousands of rows, rows made and deleted.
// step: how far to go (for the killed editor), -1 all.
void PeriodWrites(TEts2Cdi& ets, int steps = -1)
{
    const auto sql = [&](const std::string& text) {
        if (steps-- == 0)
            return false;
        const auto status = ets.ExecuteSql(text);
        if (!status)
            ADD_FAILURE() << status.message;
        return true;
    };
    if (!sql("UPDATE device_object SET read_flag = 1 - read_flag WHERE device_id >= 1000"))
        return;
    if (!sql("UPDATE device SET name = name || ' neu' WHERE id % 3 = 0"))
        return;
    if (!sql("DELETE FROM device WHERE id BETWEEN 1500 AND 1599"))
        return;
    if (!sql("INSERT INTO sub_group (middle_group_id, address, name) SELECT 2000 + 15 * 8 + 7, 15 * 2048 + 7 * 256 "
             "+ n, 'neu' FROM (WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < 200) "
             "SELECT n FROM k)"))
        return;
    if (steps-- == 0)
        return;
    for (int p = 0; p < 300; ++p)
        ets.SetDeviceParameter(1, static_cast<std::int16_t>(3000 + 10 * (p % 161)), p, nullptr);
    if (steps-- == 0)
        return;
    ets.BlobWrite("neu", 3, 1000);
    ets.ProfileWrite("Period", "Key", "value");
}

TEST(EtsEditingPeriod, KeepsOrPutsBackAStoreWithThousandsOfRows)
{
    // What the writes make of the store without a period.
    const fs::path plain = LargeStore("_plain");
    {
        TEts2Cdi ets(nullptr, "244_ID", false);
        ASSERT_TRUE(ets.OpenProjectStore(plain));
        PeriodWrites(ets);
    }
    const std::string written = DumpStore(plain);
    for (const int keep : {1, 0}) {
        SCOPED_TRACE(keep ? "keep" : "discard");
        const fs::path file = LargeStore(keep ? "_keep" : "_discard");
        const std::string before = DumpStore(file);
        ASSERT_NE(before, written);
        TEts2Cdi ets(nullptr, "244_ID", false);
        ASSERT_TRUE(ets.OpenProjectStore(file));
        ASSERT_TRUE(ets.BeginEditPeriod());
        PeriodWrites(ets);
        ASSERT_TRUE(ets.ReturnToEts(keep)) << ets.LastError();
        const std::string after = DumpStore(file);
        if (keep) {
            EXPECT_TRUE(after == written) << "kept: as if written without a period";
        } else {
            // The profile is no project data: it stays; everything else is as before.
            EXPECT_NE(after.find("Period|Key|value|"), std::string::npos);
            ets.CloseProjectStore();
            TEts2Cdi reset(nullptr, "244_ID", false);
            ASSERT_TRUE(reset.OpenProjectStore(file));
            ASSERT_TRUE(reset.ExecuteSql("DELETE FROM ets_profile WHERE section = 'Period'"));
            reset.CloseProjectStore();
            EXPECT_TRUE(DumpStore(file) == before) << "put back exactly";
        }
        fs::remove(file);
    }
    fs::remove(plain);
}

// Runs the period in a child process that is killed: after the given number of write steps
// (-1: all of them, then kept and written down as it was, then killed).
struct TKill {
    const char* name;
    int steps;
    bool keep;
};

TEST(EtsEditingPeriod, AKilledEditorLeavesTheStoreAsBeforeThePeriodOrAfterIt)
{
    for (const TKill& kill : {TKill{"right after the begin", 0, false}, TKill{"after one step", 1, false},
                              TKill{"in the middle", 3, false}, TKill{"all written, not returned", -1, false},
                              TKill{"after keeping", -1, true}}) {
        SCOPED_TRACE(kill.name);
        const fs::path file = LargeStore("_kill");
        const fs::path kept = file.string() + ".kept";
        const std::string before = DumpStore(file);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            {
                TEts2Cdi ets(nullptr, "244_ID", false);
                if (!ets.OpenProjectStore(file) || !ets.ExecuteSql("PRAGMA cache_size = 8") || !ets.BeginEditPeriod())
                    ::_exit(1);
                // A small page cache: the period's pages go to the file before it ends.
                PeriodWrites(ets, kill.steps);
                if (kill.keep) {
                    if (!ets.ReturnToEts(1))
                        ::_exit(1);
                    std::ofstream(kept, std::ios::binary) << DumpStore(file);
                }
                // Killed holding the store open: nothing of the destructor runs.
                const char byte = 1;
                if (::write(ready[1], &byte, 1) != 1)
                    ::_exit(1);
                for (;;)
                    ::pause();
            }
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child failed before the kill";
        ::close(ready[0]);
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        EXPECT_EQ(IntegrityCheck(file), "ok");
        const std::string now = DumpStore(file);
        if (kill.keep) {
            std::ifstream in(kept, std::ios::binary);
            const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_TRUE(now == after) << "kept before the kill: the state after the period";
            EXPECT_NE(now, before);
        } else {
            EXPECT_TRUE(now == before) << "killed in the period: the state before it";
        }
        TEts2Cdi ets(nullptr, "244_ID", false);
        EXPECT_TRUE(ets.OpenProjectStore(file)) << "the store opens again";
        EXPECT_TRUE(ets.BeginEditPeriod());
        EXPECT_TRUE(ets.ReturnToEts(0));
        ets.CloseProjectStore();
        fs::remove(file);
        fs::remove(kept);
    }
}

} // namespace
