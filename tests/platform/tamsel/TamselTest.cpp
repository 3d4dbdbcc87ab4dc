#include "tamsel/Tamsel.h"
#include "tests/support/TestOrdner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TraceLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestOrdner("tamsel-test");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_file = m_dir / "trace.log";
    }
    void TearDown() override
    {
        CloseLogFkt();
        SetLogFktDefaultFile({});
        fs::remove_all(m_dir);
    }

    std::string content() const
    {
        std::ifstream in(m_file);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void open(std::int32_t priority = 1024, std::int32_t mask = -1, bool time = false)
    {
        TLogStatus status = InitLogFkt(nullptr, priority, mask, time, m_file.string());
        ASSERT_TRUE(status) << status.message;
    }

    fs::path m_dir;
    fs::path m_file;
};

int g_evaluated = 0;
const char* countedName()
{
    ++g_evaluated;
    return "TCounted::Name";
}

TEST_F(TraceLog, ClosedLogEvaluatesNothingAndWritesNothing)
{
    g_evaluated = 0;
    EXPECT_FALSE(LogFktIsOpen());
    LOG_FKT(countedName());
    LogFktStart(1024, "TDirect::Call", __FILE__, __LINE__);
    EXPECT_EQ(g_evaluated, 0);
    EXPECT_FALSE(fs::exists(m_file));

    open();
    CloseLogFkt();
    LOG_FKT(countedName());
    EXPECT_EQ(g_evaluated, 0);
    EXPECT_EQ(content().find("TCounted::Name"), std::string::npos);
    CloseLogFkt(); // closing twice is harmless
}

TEST_F(TraceLog, OpenLogWritesFunctionFileAndLine)
{
    open();
    EXPECT_TRUE(LogFktIsOpen());
    EXPECT_EQ(LogFktFile(), m_file);
    const int line = __LINE__ + 1;
    LOG_FKT("TDeviceInstanzAz::WriteDataToDb");
    LOG_FKT("TAzMelder::Überfallmelder"); // UTF-8 passes through unchanged
    CloseLogFkt();
    EXPECT_TRUE(LogFktFile().empty());

    std::string log = content();
    EXPECT_NE(log.find("1024 TDeviceInstanzAz::WriteDataToDb (" + std::string(__FILE__) + ":" +
                       std::to_string(line) + ")\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("TAzMelder::Überfallmelder"), std::string::npos) << log;
}

TEST_F(TraceLog, PriorityThresholdAndReleaseMaskFilterCalls)
{
    struct Row {
        const char* name;
        std::int32_t threshold;
        std::int32_t mask;
        std::int32_t priority;
        bool written;
    };
    const Row rows[] = {
        {"standard call, standard settings", 1024, -1, 1024, true},
        {"below threshold", 1024, -1, 1023, false},
        {"above threshold", 1024, -1, 4096, true},
        {"threshold zero releases low priorities", 0, -1, 1, true},
        {"mask shares the bit", 0, 0x400, 1024, true},
        {"mask lacks the bit", 0, 0x3FF, 1024, false},
        {"mask zero releases nothing", 0, 0, 1024, false},
        {"threshold wins over a matching mask", 2048, 0x400, 1024, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(m_file);
        open(row.threshold, row.mask);
        LOG_FKT_P(row.priority, "TFilter::Call");
        CloseLogFkt();
        EXPECT_EQ(content().find("TFilter::Call") != std::string::npos, row.written) << content();
    }
}

TEST_F(TraceLog, TimeStampsOnlyWhenAsked)
{
    const std::regex stamped(R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] 1024 TTime::Call )");
    open(1024, -1, true);
    LOG_FKT("TTime::Call");
    CloseLogFkt();
    EXPECT_TRUE(std::regex_search(content(), stamped)) << content();

    fs::remove(m_file);
    open(1024, -1, false);
    LOG_FKT("TTime::Call");
    CloseLogFkt();
    EXPECT_FALSE(std::regex_search(content(), stamped)) << content();
    EXPECT_NE(content().find("\n1024 TTime::Call ("), std::string::npos) << content();
}

TEST_F(TraceLog, ReopeningAnOpenLogAppendsAndTakesTheNewSettings)
{
    open(1024);
    LOG_FKT("TFirst::Event");
    open(2048); // the editor may open again without closing
    LOG_FKT("TSecond::Filtered");
    LOG_FKT_P(2048, "TSecond::Written");
    CloseLogFkt();
    std::string log = content();
    EXPECT_NE(log.find("TFirst::Event"), std::string::npos);
    EXPECT_EQ(log.find("TSecond::Filtered"), std::string::npos);
    EXPECT_NE(log.find("TSecond::Written"), std::string::npos);
    EXPECT_LT(log.find("TFirst::Event"), log.find("TSecond::Written"));
}

TEST_F(TraceLog, EmptyNameOpensTheDefaultFile)
{
    SetLogFktDefaultFile(m_file);
    EXPECT_EQ(LogFktDefaultFile(), m_file);
    TLogStatus status = InitLogFkt(this, 1024, -1, false, "");
    ASSERT_TRUE(status) << status.message;
    LOG_FKT("TDefault::File");
    CloseLogFkt();
    EXPECT_NE(content().find("TDefault::File"), std::string::npos);

    SetLogFktDefaultFile({});
    EXPECT_EQ(LogFktDefaultFile().filename(), "tamsel-trace.log");
}

TEST_F(TraceLog, UnwritableFileFailsWithItsNameAndLeavesTheLogClosed)
{
    open();
    fs::path bad = m_dir / "missing-folder" / "trace.log";
    TLogStatus status = InitLogFkt(nullptr, 1024, -1, false, bad.string());
    EXPECT_FALSE(status);
    EXPECT_NE(status.message.find(bad.string()), std::string::npos) << status.message;
    EXPECT_FALSE(LogFktIsOpen());
    g_evaluated = 0;
    LOG_FKT(countedName());
    EXPECT_EQ(g_evaluated, 0);
}

} // namespace
