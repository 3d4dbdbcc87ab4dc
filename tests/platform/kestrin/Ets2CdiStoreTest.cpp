#include "EtsOtherProgram.h"
#include "EtsTestProject.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

TEST(EtsProjectStore, RefusesWhatIsNoProjectStoreAndCreatesNothing)
{
    const auto folder = EtsTestStorePath().parent_path();
    const auto missing = EtsTestStorePath("_missing");
    const auto text = EtsTestStorePath("_text");
    const auto foreign = EtsTestStorePath("_foreign");
    const auto noInfo = EtsTestStorePath("_noinfo");
    std::filesystem::remove(missing);
    std::ofstream(text) << "project\r\n\0\xff";
    {
        // An SQLite database of someone else: no mark.
        std::filesystem::remove(foreign);
        ASSERT_TRUE(TEts2Cdi::CreateProjectStore(foreign));
        TEts2Cdi ets(nullptr, "244_ID", false);
        ASSERT_TRUE(ets.OpenProjectStore(foreign));
        ASSERT_TRUE(ets.ExecuteSql("PRAGMA application_id = 7"));
    }
    {
        std::filesystem::remove(noInfo);
        ASSERT_TRUE(TEts2Cdi::CreateProjectStore(noInfo));
        TEts2Cdi ets(nullptr, "244_ID", false);
        ASSERT_TRUE(ets.OpenProjectStore(noInfo));
        ASSERT_TRUE(ets.ExecuteSql("DELETE FROM ets_info"));
    }
    const struct {
        const char* name;
        std::filesystem::path file;
        const char* says;
    } rows[] = {
        {"missing file", missing, "does not exist"},
        {"folder", folder, "does not exist"},
        {"text file", text, "is not an ETS project store"},
        {"foreign database", foreign, "is not an ETS project store"},
        {"no ETS information", noInfo, "has no ETS information"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TEts2Cdi ets(nullptr, "244_ID", false);
        const auto status = ets.OpenProjectStore(row.file);
        EXPECT_FALSE(status);
        EXPECT_NE(status.message.find(row.says), std::string::npos) << status.message;
        EXPECT_NE(status.message.find(row.file.string()), std::string::npos) << status.message;
        EXPECT_FALSE(ets.IsOpen());
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(std::filesystem::file_size(text), 9u);

    // A new store is made only where no file is.
    const auto again = TEts2Cdi::CreateProjectStore(text);
    EXPECT_FALSE(again);
    EXPECT_EQ(std::filesystem::file_size(text), 9u);
    for (const auto& file : {text, foreign, noInfo})
        std::filesystem::remove(file);
    std::filesystem::remove(folder); // only when empty
}

TEST(EtsProjectStore, OpeningWaitsForALockAndNamesALockThatStays)
{
    TEtsTestProject project;
    project.ets.CloseProjectStore();
    {
        // Held for half a second: waited for.
        TOtherProgram other(project.file);
        other.Sql("BEGIN EXCLUSIVE");
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            other.Sql("COMMIT");
        });
        const auto status = project.ets.OpenProjectStore(project.file);
        release.join();
        EXPECT_TRUE(status) << status.message;
    }
    project.ets.CloseProjectStore();
    TOtherProgram other(project.file);
    other.Sql("BEGIN EXCLUSIVE");
    const auto status = project.ets.OpenProjectStore(project.file);
    EXPECT_FALSE(status);
    EXPECT_NE(status.message.find("is locked by another program"), std::string::npos) << status.message;
    EXPECT_EQ(status.message.find("not an ETS project store"), std::string::npos) << status.message;
    other.Sql("COMMIT");
    EXPECT_TRUE(project.ets.OpenProjectStore(project.file));
}

TEST(EtsProjectStore, EveryCallFailsWithoutAStore)
{
    TEts2Cdi ets(nullptr, "244_ID", false);
    DAL_DEVICE device;
    EXPECT_EQ(ets.DalGetDeviceData(DAL_MODE_KEY, 1, -1, -1, -1, -1, &device), DAL_ERR);
    EXPECT_EQ(ets.DalGetDeviceData(DAL_MODE_NEXT, -1, -1, -1, -1, -1, &device), DAL_END);
    tagETSINFO info;
    EXPECT_FALSE(ets.GetEtsInfo(info));
    const std::uint8_t* buffer = nullptr;
    std::uint32_t length = 0;
    EXPECT_FALSE(ets.BlobRead(buffer, length, 1));
    EXPECT_FALSE(ets.BlobWrite("x", 1, 1));
    EXPECT_EQ(ets.CoLinkObjectToSubGroup(21, 2, -1, false, true, true), -1);
    EXPECT_FALSE(ets.CoUnlinkObjectFromSubGroup(21, 1, true));
    EXPECT_EQ(ets.SqlSetDeviceObjectCommFlag(21, true), 0);
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(31, 1, false, false), 0);
    EXPECT_FALSE(ets.BeginEditPeriod());
    EXPECT_FALSE(ets.ReturnToEts(1));
    EXPECT_NE(ets.EibSetAddress(1, 0x1203), 0);
    EXPECT_NE(ets.EibStartComm(), 0);
    EXPECT_FALSE(ets.LastError().empty());
}

TEST(EtsProjectStore, EtsInfoDefaultsToTheStoreFolderAndVersionOneTwo)
{
    TEtsTestProject project;
    tagETSINFO info;
    ASSERT_TRUE(project.ets.GetEtsInfo(info));
    EXPECT_EQ(std::string(info.Directory), std::filesystem::absolute(project.file).parent_path().string());
    EXPECT_STREQ(info.Product, "ETS");
    // The editor reads four 16-bit numbers from bytes 32 and 36: 1, 2, 0, 101.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&info);
    std::uint32_t first = 0, second = 0;
    std::memcpy(&first, bytes + 32, 4);
    std::memcpy(&second, bytes + 36, 4);
    EXPECT_EQ(first >> 16, 1u);
    EXPECT_EQ(first & 0xFFFF, 2u);
    EXPECT_EQ(second >> 16, 0u);
    EXPECT_EQ(second & 0xFFFF, 101u);

    project.Sql("UPDATE ets_info SET directory = '/opt/ets/', version1 = 3, version4 = 7");
    ASSERT_TRUE(project.ets.GetEtsInfo(info));
    EXPECT_STREQ(info.Directory, "/opt/ets");
    EXPECT_EQ(info.Version1, 0x00030002u);
    EXPECT_EQ(info.Version2, 0x00000007u);
}

// Bytes that break text handling: NUL, CR, LF, Ctrl-Z, quotes, and bytes above 127.
const std::vector<std::uint8_t>& NastyBytes()
{
    static const std::vector<std::uint8_t> bytes = {0x00, 'A', '\r', '\n', 0x1A, '"', ',', 0x7F, 0x80,
                                                    0xC4, 0xE4, 0xFC, 0xFF, 0x00, ' ', 0x00};
    return bytes;
}

TEST(EtsProjectStore, BlobRoundTripKeepsEveryByte)
{
    TEtsTestProject project;
    const std::uint8_t* buffer = nullptr;
    std::uint32_t length = 99;
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 1));
    EXPECT_EQ(length, 0u) << "no block yet";

    ASSERT_TRUE(project.ets.BlobWrite(NastyBytes().data(), static_cast<std::uint32_t>(NastyBytes().size()), 1));
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 1));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + length), NastyBytes());

    // A shorter block replaces the whole one; an empty block is a block.
    ASSERT_TRUE(project.ets.BlobWrite("\0", 1, 1));
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 1));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + length), std::vector<std::uint8_t>{0});
    ASSERT_TRUE(project.ets.BlobWrite(nullptr, 0, 1));
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 1));
    EXPECT_EQ(length, 0u);

    // The block survives closing and opening the store.
    ASSERT_TRUE(project.ets.BlobWrite(NastyBytes().data(), static_cast<std::uint32_t>(NastyBytes().size()), 2));
    project.ets.CloseProjectStore();
    ASSERT_TRUE(project.ets.OpenProjectStore(project.file));
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 2));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + length), NastyBytes());

    EXPECT_FALSE(project.ets.BlobRead(buffer, length, 99));
    EXPECT_FALSE(project.ets.BlobWrite("x", 1, 99));
    EXPECT_FALSE(project.ets.BlobWrite(nullptr, 5, 1));
}

// Reads the name of device 2 and the blob of device 1: what a period writes.
struct TSeen {
    std::string name;
    std::vector<std::uint8_t> blob;
    std::string profile;
    std::uint8_t busByte = 0;
};

TSeen Look(TEtsTestProject& project)
{
    TSeen seen;
    DAL_DEVICE device;
    EXPECT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, 2, -1, -1, -1, -1, &device), DAL_OK);
    seen.name = device.DeviceName;
    const std::uint8_t* buffer = nullptr;
    std::uint32_t length = 0;
    EXPECT_TRUE(project.ets.BlobRead(buffer, length, 1));
    seen.blob.assign(buffer, buffer + length);
    bool found = false;
    EXPECT_TRUE(project.ets.ProfileRead("Download", "MaxRepeat", seen.profile, found));
    std::uint8_t byte = 0;
    EXPECT_EQ(project.ets.EibSetAddress(1, 0x1203), 0);
    EXPECT_EQ(project.ets.EibStartComm(), 0);
    EXPECT_EQ(project.ets.EibReadMemBlock({&byte, 1}, 0, 0, 0), 0);
    EXPECT_EQ(project.ets.EibStopComm(), 0);
    seen.busByte = byte;
    return seen;
}

void WriteInPeriod(TEtsTestProject& project)
{
    project.Sql("UPDATE device SET name = 'Umbenannt' WHERE id = 2");
    ASSERT_TRUE(project.ets.BlobWrite("neu", 3, 1));
    ASSERT_TRUE(project.ets.ProfileWrite("Download", "MaxRepeat", "5"));
    const std::uint8_t data = 0x42, mask = 0xFF;
    ASSERT_EQ(project.ets.EibSetAddress(1, 0x1203), 0);
    ASSERT_EQ(project.ets.EibStartComm(), 0);
    ASSERT_EQ(project.ets.EibWriteMemBlock({&data, 1}, 0, 0, 0, {&mask, 1}), 0);
    ASSERT_EQ(project.ets.EibStopComm(), 0);
}

TEST(EtsProjectStore, EditingPeriodKeepsOrDiscardsTheProjectOnly)
{
    for (const int keep : {1, 0}) {
        SCOPED_TRACE(keep ? "keep" : "discard");
        TEtsTestProject project;
        project.Sql("INSERT INTO bus_image VALUES (4611, zeroblob(4))");
        ASSERT_TRUE(project.ets.BlobWrite("alt", 3, 1));
        std::vector<std::pair<int, bool>> told;
        project.ets.OnReturnToEts = [&](int k, bool result) { told.emplace_back(k, result); };

        ASSERT_TRUE(project.ets.BeginEditPeriod());
        EXPECT_TRUE(project.ets.IsEditPeriodOpen());
        EXPECT_FALSE(project.ets.BeginEditPeriod()) << "one period at a time";
        WriteInPeriod(project);
        EXPECT_FALSE(project.ets.ReturnToEts(2));
        EXPECT_TRUE(project.ets.IsEditPeriodOpen());
        EXPECT_TRUE(project.ets.ReturnToEts(keep));
        EXPECT_FALSE(project.ets.IsEditPeriodOpen());
        EXPECT_EQ(told, (std::vector<std::pair<int, bool>>{{2, false}, {keep, true}}));

        const TSeen seen = Look(project);
        EXPECT_EQ(seen.name, keep ? "Umbenannt" : "Aktor");
        const std::vector<std::uint8_t> neu = {'n', 'e', 'u'}, alt = {'a', 'l', 't'};
        EXPECT_EQ(seen.blob, keep ? neu : alt);
        // Not part of the project: the profile and what was written to a device stay.
        EXPECT_EQ(seen.profile, "5");
        EXPECT_EQ(seen.busByte, 0x42);
        EXPECT_FALSE(project.ets.ReturnToEts(keep)) << "no period open any more";
    }
}

// The file of the store takes no more bytes while it lives (a full disk): writes that grow
// it fail.
class TStoreCannotGrow {
public:
    explicit TStoreCannotGrow(const std::filesystem::path& file)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = std::filesystem::file_size(file);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TStoreCannotGrow()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

TEST(EtsProjectStore, AFailedReturnKeepsNothingAndHoldsNoLock)
{
    const std::vector<std::uint8_t> large(64 * 1024, 0x5A);
    const auto name = [](TEtsTestProject& project) {
        DAL_DEVICE device;
        EXPECT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, 2, -1, -1, -1, -1, &device), DAL_OK);
        return std::string(device.DeviceName);
    };
    const auto keep = [&](TEtsTestProject& project) {
        project.Sql("UPDATE device SET name = 'Umbenannt' WHERE id = 2");
        ASSERT_TRUE(project.ets.BlobWrite(large.data(), static_cast<std::uint32_t>(large.size()), 1));
    };
    {
        SCOPED_TRACE("locked by another program: rolled back, every reader gets in at once");
        TEtsTestProject project;
        ASSERT_TRUE(project.ets.BeginEditPeriod());
        keep(project);
        {
            TOtherProgram other(project.file);
            other.Sql("BEGIN; SELECT count(*) FROM device;");
            EXPECT_FALSE(project.ets.ReturnToEts(1));
            EXPECT_NE(project.ets.LastError().find("is locked by another program"), std::string::npos)
                << project.ets.LastError();
            EXPECT_EQ(project.ets.LastStoreFault(), TEts2Cdi::TStoreFault::Locked);
            EXPECT_NE(project.ets.LastError().find("nothing of the editing period was kept"), std::string::npos);
            EXPECT_FALSE(project.ets.IsEditPeriodOpen());
            // A reader that does not wait, while the first still reads.
            TOtherProgram reader(project.file);
            reader.Sql("PRAGMA busy_timeout = 0; SELECT count(*) FROM device; BEGIN IMMEDIATE; ROLLBACK;");
        }
        EXPECT_FALSE(project.ets.ReturnToEts(1)) << "no period open any more";
        EXPECT_EQ(name(project), "Aktor");
        ASSERT_TRUE(project.ets.BeginEditPeriod()) << project.ets.LastError();
        keep(project);
        EXPECT_TRUE(project.ets.ReturnToEts(1)) << project.ets.LastError();
        EXPECT_EQ(name(project), "Umbenannt");
    }
    {
        SCOPED_TRACE("cannot be written: SQLite rolled the period back, the next one is kept");
        TEtsTestProject project;
        ASSERT_TRUE(project.ets.BeginEditPeriod());
        keep(project);
        {
            TStoreCannotGrow full(project.file);
            EXPECT_FALSE(project.ets.ReturnToEts(1));
        }
        EXPECT_NE(project.ets.LastError().find("cannot be written"), std::string::npos) << project.ets.LastError();
        EXPECT_EQ(project.ets.LastStoreFault(), TEts2Cdi::TStoreFault::Io) << project.ets.LastError();
        EXPECT_FALSE(project.ets.IsEditPeriodOpen());
        EXPECT_EQ(name(project), "Aktor");
        ASSERT_TRUE(project.ets.BeginEditPeriod()) << project.ets.LastError();
        keep(project);
        EXPECT_TRUE(project.ets.ReturnToEts(1)) << project.ets.LastError();
        EXPECT_EQ(name(project), "Umbenannt");
    }
}

TEST(EtsProjectStore, AWriteAfterSqliteRolledThePeriodBackIsNotKeptOnItsOwn)
{
    TEtsTestProject project;
    const std::uint8_t alt[] = {1, 2, 3};
    ASSERT_TRUE(project.ets.BlobWrite(alt, sizeof alt, 1));
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    // What SQLite does itself after some write errors (a full disk, an I/O error).
    (void)project.ets.ExecuteSql("ROLLBACK");
    const std::uint8_t neu[] = {9, 9};
    EXPECT_FALSE(project.ets.BlobWrite(neu, sizeof neu, 1));
    EXPECT_FALSE(project.ets.ReturnToEts(1));
    EXPECT_NE(project.ets.LastError().find("nothing of the editing period was kept"), std::string::npos)
        << project.ets.LastError();
    EXPECT_EQ(project.ets.LastStoreFault(), TEts2Cdi::TStoreFault::Other) << project.ets.LastError();
    // A call out of turn is no fault of the store's.
    EXPECT_FALSE(project.ets.ReturnToEts(1));
    EXPECT_EQ(project.ets.LastStoreFault(), TEts2Cdi::TStoreFault::None) << project.ets.LastError();
    const std::uint8_t* buffer = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(project.ets.BlobRead(buffer, length, 1));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + length), std::vector<std::uint8_t>(alt, alt + sizeof alt));
    ASSERT_TRUE(project.ets.BeginEditPeriod()) << project.ets.LastError();
    EXPECT_TRUE(project.ets.BlobWrite(neu, sizeof neu, 1));
    EXPECT_TRUE(project.ets.ReturnToEts(1)) << project.ets.LastError();
}

TEST(EtsProjectStore, ADiscardedPeriodLeavesTheWholeProjectAsItWas)
{
    TEtsTestProject project;
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    // Writes across the tables: links, flags, parameters, groups; and rows deleted.
    ASSERT_GT(project.ets.CoLinkObjectToSubGroup(13, 3, -1, false, true, true), 0);
    ASSERT_EQ(project.ets.SqlSetDeviceObjectReadFlag(21, true), 1);
    ASSERT_EQ(project.ets.CoSetDeviceParameterValueLong(31, 1234, false, false), 1);
    TEtsGroupPath path;
    ASSERT_TRUE(project.ets.CreateGroupAddress(1, 0x7FFF, "neu", path));
    project.Sql("DELETE FROM device WHERE id = 2");
    ASSERT_TRUE(project.ets.ReturnToEts(0));

    DAL_SUB_TO_OBJECT link;
    std::vector<std::int32_t> links;
    for (int r = project.ets.DalGetSubgroupToObjectData(DAL_MODE_FIRST, -1, -1, -1, &link); r == DAL_OK;
         r = project.ets.DalGetSubgroupToObjectData(DAL_MODE_NEXT, -1, -1, -1, &link))
        links.push_back(+link.LinkId);
    EXPECT_EQ(links, std::vector<std::int32_t>{41});
    DAL_DEVICE_OBJECT object;
    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_KEY, 21, -1, &object), DAL_OK);
    EXPECT_EQ(+object.ReadFlag, 0);
    DAL_DEVICE_PARAM param;
    ASSERT_EQ(project.ets.DalGetDeviceParamData(DAL_MODE_KEY, 31, -1, &param), DAL_OK);
    EXPECT_EQ(+param.Value, 0);
    TEtsGroupTree tree;
    ASSERT_TRUE(project.ets.ReadGroupTree(1, tree));
    EXPECT_EQ(tree.Subs.size(), 3u);
    EXPECT_EQ(tree.Mains.size(), 2u);
}

TEST(EtsProjectStore, TheHostEndsAPeriodWithoutBeingTold)
{
    TEtsTestProject project;
    int told = 0;
    project.ets.OnReturnToEts = [&](int, bool) { ++told; };
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    project.Sql("UPDATE device SET name = 'Umbenannt' WHERE id = 2");
    ASSERT_TRUE(project.ets.EndEditPeriod(false));
    EXPECT_FALSE(project.ets.EndEditPeriod(true));
    EXPECT_EQ(told, 0);
    DAL_DEVICE device;
    ASSERT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, 2, -1, -1, -1, -1, &device), DAL_OK);
    EXPECT_STREQ(device.DeviceName, "Aktor");
}

TEST(EtsProjectStore, ClosingWithAnOpenPeriodDiscardsIt)
{
    TEtsTestProject project;
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    project.Sql("UPDATE device SET name = 'Umbenannt' WHERE id = 2");
    project.ets.CloseProjectStore();
    ASSERT_TRUE(project.ets.OpenProjectStore(project.file));
    DAL_DEVICE device;
    ASSERT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, 2, -1, -1, -1, -1, &device), DAL_OK);
    EXPECT_STREQ(device.DeviceName, "Aktor");
}

TEST(EtsProjectStore, ExecuteSqlIsAllOrNothing)
{
    TEtsTestProject project;
    const auto status = project.ets.ExecuteSql("UPDATE device SET name = 'X' WHERE id = 2; "
                                               "INSERT INTO sub_group (middle_group_id, address) VALUES (1, 1);");
    EXPECT_FALSE(status);
    EXPECT_NE(status.message.find("middle group"), std::string::npos) << status.message;
    DAL_DEVICE device;
    ASSERT_EQ(project.ets.DalGetDeviceData(DAL_MODE_KEY, 2, -1, -1, -1, -1, &device), DAL_OK);
    EXPECT_STREQ(device.DeviceName, "Aktor");
}

} // namespace
