// Every ETS event is one transaction of the store: kept whole when its handler answers done and
// the store refused nothing of it, else undone whole; a refused return or event is named by
// its cause and leaves no lock and no journal behind.
#include "EtsOtherProgram.h"
#include "EtsStoreDump.h"
#include "EtsStoreFaults.h"
#include "EtsTestProject.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TFault = TEts2Cdi::TStoreFault;

std::string Seen(const fs::path& file)
{
    return DumpStore(file, {"device_param", "device_object", "sub_to_object", "sub_group", "device_blob"});
}

// The writes of one event: a parameter, a flag, a link and the configuration.
void Writes(TEts2Cdi& ets)
{
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(31, 77, false, false), 1) << ets.LastError();
    EXPECT_EQ(ets.SqlSetDeviceObjectReadFlag(13, true), 1) << ets.LastError();
    EXPECT_GT(ets.CoLinkObjectToSubGroup(13, 2, 1, false, false, false), 0) << ets.LastError();
    EXPECT_TRUE(ets.BlobWrite("neu", 3, 1)) << ets.LastError();
}

// Another program can take the store's write lock: the editor holds none.
bool Frei(const fs::path& file)
{
    TEts2Cdi other(nullptr, "244_ID", false);
    other.SetBusyTimeout(0);
    return other.OpenProjectStore(file) && other.ExecuteSql("UPDATE ets_info SET product = product");
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST(EtsEvent, IsKeptWholeWhenAnsweredDoneAndUndoneWhenAnsweredFailed)
{
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "done" : "failed");
        TEtsTestProject project;
        const std::string before = Seen(project.file);
        ASSERT_TRUE(project.ets.BeginEvent());
        Writes(project.ets);
        EXPECT_EQ(Seen(project.file), before) << "nothing is seen while the event runs";
        EXPECT_TRUE(project.ets.EndEvent(keep)) << project.ets.LastError();
        EXPECT_FALSE(project.ets.IsEventOpen());
        EXPECT_EQ(Seen(project.file) == before, !keep);
        EXPECT_TRUE(Frei(project.file));
    }
}

// Whatever the handler did with the result of the refused write, the event is one failure.
TEST(EtsEvent, AWriteTheStoreRefusedFailsTheWholeEvent)
{
    TEtsTestProject project;
    const std::string before = Seen(project.file);
    // No page more than the store has: a large configuration does not fit.
    project.Sql("PRAGMA max_page_count = " + std::to_string(fs::file_size(project.file) / 4096 + 1));
    ASSERT_TRUE(project.ets.BeginEvent());
    EXPECT_EQ(project.ets.CoSetDeviceParameterValueLong(31, 77, false, false), 1);
    const std::string gross(1 << 20, 'x');
    (void)project.ets.BlobWrite(gross.data(), static_cast<std::uint32_t>(gross.size()), 1); // not looked at
    EXPECT_EQ(project.ets.RefusedFault(), TFault::Full);
    (void)project.ets.SqlSetDeviceObjectReadFlag(13, true);
    EXPECT_FALSE(project.ets.EndEvent(true));
    EXPECT_EQ(project.ets.LastStoreFault(), TFault::Full);
    EXPECT_NE(project.ets.LastError().find("nothing of the event was kept"), std::string::npos)
        << project.ets.LastError();
    EXPECT_EQ(project.ets.RefusedFault(), TFault::None) << "the next event begins afresh";
    EXPECT_EQ(Seen(project.file), before);
}

// Another program reading the store keeps the commit out: the event waits once, then is undone
// whole and holds no lock.
TEST(EtsEvent, ALockAtTheEndUndoesItAfterOneWait)
{
    TEtsTestProject project;
    project.ets.SetBusyTimeout(300);
    const std::string before = Seen(project.file);
    ASSERT_TRUE(project.ets.BeginEvent());
    for (int i = 0; i < 20; ++i)
        Writes(project.ets), project.ets.CoUnlinkObjectFromSubGroup(13, 2, false);
    auto other = std::make_unique<TOtherProgram>(project.file);
    other->Sql("BEGIN; SELECT count(*) FROM device;");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(project.ets.EndEvent(true));
    EXPECT_LT(Seconds(start), 1.5) << "one wait, not one per write";
    EXPECT_EQ(project.ets.LastStoreFault(), TFault::Locked);
    other.reset();
    EXPECT_EQ(Seen(project.file), before);
    EXPECT_TRUE(Frei(project.file));
}

TEST(EtsEvent, ALockAtTheBeginRefusesItWithinTheWait)
{
    TEtsTestProject project;
    project.ets.SetBusyTimeout(200);
    TOtherProgram other(project.file);
    other.Sql("BEGIN IMMEDIATE;");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(project.ets.BeginEvent());
    EXPECT_LT(Seconds(start), 1.5);
    EXPECT_FALSE(project.ets.IsEventOpen());
    EXPECT_EQ(project.ets.LastStoreFault(), TFault::Locked);
    EXPECT_NE(project.ets.LastError().find("is locked by another program"), std::string::npos);
    EXPECT_FALSE(project.ets.BeginEditPeriod());
    EXPECT_EQ(project.ets.LastStoreFault(), TFault::Locked) << "an edit's period names the lock too";
}

// In an editing period the event belongs to the period: kept with it; a failed event leaves
// the period as it was before the event.
TEST(EtsEvent, InAPeriodBelongsToThePeriod)
{
    TEtsTestProject project;
    const std::string before = Seen(project.file);
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    ASSERT_TRUE(project.ets.BeginEvent());
    EXPECT_TRUE(project.ets.BlobWrite("a", 1, 1));
    EXPECT_TRUE(project.ets.EndEvent(false));
    ASSERT_TRUE(project.ets.BeginEvent());
    Writes(project.ets);
    EXPECT_TRUE(project.ets.EndEvent(true));
    EXPECT_EQ(Seen(project.file), before) << "kept with the period, not before";
    ASSERT_TRUE(project.ets.ReturnToEts(1));
    const std::string after = Seen(project.file);
    EXPECT_NE(after.find("1|neu|"), std::string::npos) << after;
}

// A return inside an event ends the period with the event's work so far; what the event
// writes after it is a transaction of its own, kept at the event's end.
TEST(EtsEvent, AReturnInsideItKeepsItsWorkSoFarWithThePeriod)
{
    for (const bool failedBefore : {false, true}) {
        SCOPED_TRACE(failedBefore ? "the event failed before the return" : "the event ran well");
        TEtsTestProject project;
        const std::string leer = Seen(project.file);
        ASSERT_TRUE(project.ets.BeginEditPeriod());
        ASSERT_TRUE(project.ets.BeginEvent());
        EXPECT_EQ(project.ets.CoSetDeviceParameterValueLong(31, 77, false, false), 1);
        if (failedBefore) {
            // A refusal that takes back only its own statement (a full disk may cost the
            // whole period, and its return fails then).
            project.Sql("CREATE TEMP TRIGGER nein BEFORE INSERT ON main.device_blob BEGIN SELECT RAISE(ABORT, 'nein'); END");
            EXPECT_FALSE(project.ets.BlobWrite("x", 1, 2));
            project.Sql("DROP TRIGGER temp.nein");
        }
        EXPECT_TRUE(project.ets.ReturnToEts(1)) << project.ets.LastError();
        const std::string zurueck = Seen(project.file);
        EXPECT_EQ(zurueck.find("31|1|2|77|") != std::string::npos, !failedBefore) << zurueck;
        EXPECT_TRUE(project.ets.IsEventOpen());
        EXPECT_TRUE(project.ets.BlobWrite("neu", 3, 1));
        EXPECT_EQ(project.ets.EndEvent(true), !failedBefore);
        EXPECT_EQ(Seen(project.file) == zurueck, failedBefore);
        if (failedBefore)
            EXPECT_EQ(Seen(project.file), leer);
        EXPECT_TRUE(Frei(project.file));
    }
}

// An editor killed in the middle of an event (its pages already in the file): the store is as
// before the event at the next opening.
TEST(EtsEvent, AKilledEditorLeavesNothingOfItsEvent)
{
    TEtsTestProject project;
    const std::string before = Seen(project.file);
    project.ets.CloseProjectStore();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        TEts2Cdi ets(nullptr, "244_ID", false);
        if (!ets.OpenProjectStore(project.file) || !ets.ExecuteSql("PRAGMA cache_size = 1") || !ets.BeginEvent())
            ::_exit(1);
        Writes(ets);
        const std::string gross(1 << 18, 'x');
        (void)ets.BlobWrite(gross.data(), static_cast<std::uint32_t>(gross.size()), 2);
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child failed before the kill";
    ::close(ready[0]);
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(project.ets.OpenProjectStore(project.file));
    EXPECT_EQ(Seen(project.file), before);
    EXPECT_TRUE(Frei(project.file));
}

// ---- Real faults of the file system ----------------------------------------------------------

// The store file made immutable during the period or the event: the return and the event fail
// as read-only, leave no journal beside the store, and every other program reads it.
TEST(EtsStoreFault, AReadOnlyStoreIsNamedSoAndLeavesNoJournal)
{
    for (const bool period : {true, false}) {
        SCOPED_TRACE(period ? "the return of a period" : "an event");
        TEtsTestProject project;
        const std::string before = Seen(project.file);
        ASSERT_TRUE(period ? project.ets.BeginEditPeriod() : project.ets.BeginEvent());
        Writes(project.ets);
        bool ok = false;
        {
            TSchreibschutz schutz(project.file);
            if (!schutz.Fehler().empty())
                GTEST_SKIP() << "chattr +i is not permitted here (" << schutz.Fehler() << "): run as root";
            ok = period ? project.ets.ReturnToEts(1) : project.ets.EndEvent(true);
            EXPECT_FALSE(ok);
            EXPECT_EQ(project.ets.LastStoreFault(), TFault::ReadOnly) << project.ets.LastError();
            EXPECT_NE(project.ets.LastError().find("is read-only"), std::string::npos) << project.ets.LastError();
            EXPECT_FALSE(fs::exists(project.file.string() + "-journal")) << "a journal left locks every reader out";
            EXPECT_EQ(Seen(project.file), before) << "another program reads the store as it was";
        }
        EXPECT_TRUE(Frei(project.file));
    }
}

// A full disk in the period: the return fails naming the full disk, once, and not as the
// second commit SQLite refuses after it rolled the period back itself.
TEST(EtsStoreFault, AFullDiskIsNamedSo)
{
    for (const bool period : {true, false}) {
        SCOPED_TRACE(period ? "the return of a period" : "an event");
        TEtsTestProject project;
        project.ets.CloseProjectStore();
        TKleinerDatentraeger platte(project.file.parent_path() / "klein", 400);
        if (!platte.Fehler().empty())
            GTEST_SKIP() << "no small file system of its own here (" << platte.Fehler() << "): run as root";
        const fs::path file = platte.Folder() / "store.db";
        fs::copy_file(project.file, file);
        TEts2Cdi ets(nullptr, "244_ID", false);
        ASSERT_TRUE(ets.OpenProjectStore(file));
        const std::string before = Seen(file);
        ASSERT_TRUE(period ? ets.BeginEditPeriod() : ets.BeginEvent());
        Writes(ets);
        platte.Fill();
        const std::string gross(1 << 20, 'x');
        (void)ets.BlobWrite(gross.data(), static_cast<std::uint32_t>(gross.size()), 2);
        EXPECT_FALSE(period ? ets.ReturnToEts(1) : ets.EndEvent(true));
        EXPECT_EQ(ets.LastStoreFault(), TFault::Full) << ets.LastError();
        EXPECT_EQ(ets.LastError().find("no transaction is active"), std::string::npos) << ets.LastError();
        fs::remove(platte.Folder() / "voll");
        EXPECT_EQ(Seen(file), before);
        EXPECT_TRUE(Frei(file));
    }
}

} // namespace
