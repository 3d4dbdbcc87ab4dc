#include "kestrin/EtsCommandLine.h"
#include "kestrin/EtsEventChannel.h"

#include "EtsOtherProgram.h"
#include "EtsStoreDump.h"
#include "EtsTestProject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

struct TRecordingHost;
template <typename T>
std::string Arg(TRecordingHost&, const T& value)
{
    return " " + std::to_string(value);
}
std::string Arg(TRecordingHost&, const std::string& text)
{
    return " [" + text + "]";
}
std::string Arg(TRecordingHost& host, TEtsExportTarget& target);

// Every handler bound: each call is kept as "<event> <arguments>" and answers the scripted
// finished and result; the export names exportFile.
struct TRecordingHost {
    TEts2Cdi ets{nullptr, "244_ID", false};
    std::vector<std::string> calls;
    bool finished = true;
    int result = 1;
    std::string exportFile;

    auto Keep(const char* name)
    {
        return [this, name](bool& f, int& r, auto&&... values) {
            std::string call = name;
            ((call += Arg(*this, values)), ...);
            calls.push_back(call);
            f = finished;
            r = result;
        };
    }

    explicit TRecordingHost(TEts2Cdi* store = nullptr)
    {
        TEts2Cdi& e = store ? *store : ets;
        e.OnCdiEditParameters = Keep("EditParameters");
        e.OnCdiCreateDevice = Keep("CreateDevice");
        e.OnCdiDeleteDevice = Keep("DeleteDevice");
        e.OnWmUserSvStop = [this] { calls.push_back("UserSvStop"); };
        e.OnCdiDoDownload2 = Keep("DoDownload2");
        e.OnCdiLinkObjToSubGroup = Keep("LinkObjToSubGroup");
        e.OnCdiUnlinkObjFromSubGroup = Keep("UnlinkObjFromSubGroup");
        e.OnCdiEditObject = Keep("EditObject");
        e.OnCdiExportDevice = Keep("ExportDevice");
        e.OnCdiImportDevice = Keep("ImportDevice");
        e.OnCdiCopyDevice = Keep("CopyDevice");
    }
};

std::string Arg(TRecordingHost& host, TEtsExportTarget& target)
{
    target.FileName = host.exportFile;
    return "";
}

TEST(EtsEventChannel, RaisesEachEventWithItsArgumentsAndAnswers)
{
    const struct {
        const char* line;
        bool finished;
        int result;
        const char* call;
        const char* answer;
    } rows[] = {
        {"EditParameters 7", false, 1, "EditParameters 7", "EditParameters result=1 finished=0"},
        {"CreateDevice 1 8 x", true, 1, "CreateDevice 1 8 [x]", "CreateDevice result=1 finished=1"},
        {"CreateDevice -2 8 \"two words \\\"q\\\" \\\\\"", true, 1, "CreateDevice -2 8 [two words \"q\" \\]",
         "CreateDevice result=1 finished=1"},
        {"DeleteDevice 0 8", true, 0, "DeleteDevice 0 8", "DeleteDevice result=0 finished=1"},
        {"DoDownload2 1 2 3 4 5 6 7 8 0xFFFF", true, 1, "DoDownload2 1 2 3 4 5 6 7 8 65535",
         "DoDownload2 result=1 finished=1"},
        {"LinkObjToSubGroup 0 0 3 225 -2147483648", true, 1, "LinkObjToSubGroup 0 0 3 225 -2147483648",
         "LinkObjToSubGroup result=1 finished=1"},
        {"UnlinkObjFromSubGroup 0 0 3 65535 2147483647", true, 1, "UnlinkObjFromSubGroup 0 0 3 65535 2147483647",
         "UnlinkObjFromSubGroup result=1 finished=1"},
        {"EditObject 0 0 12", false, 1, "EditObject 0 0 12", "EditObject result=1 finished=0"},
        {"  ImportDevice\t0 0 4\r", true, 0, "ImportDevice 0 0 4", "ImportDevice result=0 finished=1"},
        {"CopyDevice 0 0 9 4 1", true, 1, "CopyDevice 0 0 9 4 1", "CopyDevice result=1 finished=1"},
        {"UserSvStop", true, 1, "UserSvStop", "UserSvStop"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        TRecordingHost host;
        host.finished = row.finished;
        host.result = row.result;
        std::ostringstream out;
        TEtsEventChannel channel(host.ets, out);
        channel.HandleLine(row.line);
        EXPECT_EQ(host.calls, std::vector<std::string>{row.call});
        EXPECT_EQ(out.str(), std::string(row.answer) + "\n");
    }
}

TEST(EtsEventChannel, RefusesMalformedLinesAndRaisesNothing)
{
    const struct {
        const char* line;
        const char* reason;
    } rows[] = {
        {"EditParameter 7", "unknown event EditParameter"},
        {"editparameters 7", "unknown event editparameters"},
        {"EditParameters", "EditParameters takes 1 argument, not 0"},
        {"UserSvStop now", "UserSvStop takes 0 arguments, not 1"},
        {"CreateDevice 1 8", "CreateDevice takes 3 arguments, not 2"},
        {"EditParameters x7", "device id is not a 32-bit number: x7"},
        {"EditParameters 2147483648", "device id is not a 32-bit number: 2147483648"},
        {"EditParameters 0x", "device id is not a 32-bit number: 0x"},
        {"LinkObjToSubGroup 0 0 3 65536 1", "object number is not a 16-bit number 0 to 65535: 65536"},
        {"LinkObjToSubGroup 0 0 3 -1 1", "object number is not a 16-bit number 0 to 65535: -1"},
        {"CopyDevice 0 0 9 4 2", "copy flag is not 0 or 1: 2"},
        {"CreateDevice 1 8 \"open", "unterminated quote"},
        {"CreateDevice 1 8 \"a\\qb\"", "unknown escape \\q"},
        {"CreateDevice 1 8 \"a\"b", "no blank after a quoted text"},
        // A decoded word that holds a line break is quoted: one line, one answer.
        {"DeleteDevice 0 \"a\\nb\"", "device id is not a 32-bit number: \"a\\nb\""},
        {"EditParameters \"x\\ny\"", "device id is not a 32-bit number: \"x\\ny\""},
        {"\"Edit Parameters\" 1", "unknown event \"Edit Parameters\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        TRecordingHost host;
        std::ostringstream out;
        TEtsEventChannel channel(host.ets, out);
        EXPECT_EQ(channel.HandleLine(row.line), TEtsEventChannel::TLineResult::Refused);
        EXPECT_TRUE(host.calls.empty());
        EXPECT_EQ(out.str(), std::string("error: ") + row.reason + ": " + row.line + "\n");
    }
}

// A host that reads the answers line by line stays in step, whatever a line holds.
TEST(EtsEventChannel, AnswersEveryLineOnOneLine)
{
    TRecordingHost host;
    std::ostringstream out;
    TEtsEventChannel channel(host.ets, out);
    const std::vector<std::string> lines = {"DeleteDevice 0 \"a\\nb\"", "EditParameters \"x\\ny\"",
                                            "Foo\nBar 1", "CreateDevice 1 8 \"a\rb", "UserSvStop"};
    for (const std::string& line : lines)
        channel.HandleLine(line);
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(lines.size())) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << text;
}

TEST(EtsEventChannel, QueuedLinesFirstSkipsCommentsAndStopsAtUserSvStop)
{
    TRecordingHost host;
    std::ostringstream out;
    TEtsEventChannel channel(host.ets, out, {"EditParameters 1", "# the editor is open"});
    std::istringstream in("\n   \nDeleteDevice 0 2\r\nnonsense\nUserSvStop\nEditParameters 3\n");
    EXPECT_TRUE(channel.Run(in));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"EditParameters 1", "DeleteDevice 0 2", "UserSvStop"}));
    EXPECT_EQ(out.str(), "EditParameters result=1 finished=1\nDeleteDevice result=1 finished=1\n"
                         "error: unknown event nonsense: nonsense\nUserSvStop\n");
    EXPECT_EQ(channel.HandleLine("EditParameters 3"), TEtsEventChannel::TLineResult::Stop);
    EXPECT_EQ(host.calls.size(), 3u);

    // Without UserSvStop the stream's end ends the run.
    TRecordingHost other;
    std::ostringstream out2;
    TEtsEventChannel second(other.ets, out2);
    std::istringstream rest("EditParameters 3");
    EXPECT_FALSE(second.Run(rest));
    EXPECT_EQ(out2.str(), "EditParameters result=1 finished=1\n");
}

TEST(EtsEventChannel, UnboundEventAnswersTheDefaultsAndExportHandsItsFileToTheHost)
{
    TEts2Cdi ets(nullptr, "244_ID", false);
    std::ostringstream out;
    {
        TEtsEventChannel channel(ets, out);
        channel.HandleLine("ImportDevice 0 0 4");
        EXPECT_EQ(out.str(), "ImportDevice result=0 finished=1\n");
    }

    // The host keeps a copy of the exported file in its directory (by default the store's
    // folder), where an import looks for it.
    namespace fs = std::filesystem;
    TEtsTestProject project;
    const fs::path quelle = project.file.parent_path() / "EtsEventChannel-export";
    const fs::path kopie = project.file.parent_path() / "Export \"b\".azp";
    fs::create_directories(quelle);
    std::ofstream(quelle / kopie.filename(), std::ios::binary) << "data";
    TRecordingHost host(&project.ets);
    TEtsEventChannel channel(project.ets, out);
    struct {
        fs::path file;
        const char* answer;
    } rows[] = {
        {quelle / kopie.filename(), "ExportDevice result=1 finished=1 file=\"%s/Export \\\"b\\\".azp\" copied=\"%s\""},
        {quelle / "fehlt.azp", "ExportDevice result=0 finished=1 file=\"%s/fehlt.azp\" copied=0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file.string());
        host.exportFile = row.file.string();
        out.str("");
        channel.HandleLine("ExportDevice 0 0 4");
        std::string answer = row.answer;
        answer.replace(answer.find("%s"), 2, quelle.string());
        if (const auto at = answer.find("%s"); at != std::string::npos)
            answer.replace(at, 2, project.file.parent_path().string() + "/Export \\\"b\\\".azp");
        EXPECT_EQ(out.str(), answer + "\n");
    }
    std::ifstream gelesen(kopie, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(gelesen), {}), "data");
    fs::remove_all(quelle);
    fs::remove(kopie);
}

TEST(EtsEventChannel, WritesEveryReturnToEtsAndGivesTheHookBack)
{
    TEts2Cdi ets(nullptr, "244_ID", false);
    std::vector<int> before;
    ets.OnReturnToEts = [&](int keep, bool) { before.push_back(keep); };
    std::ostringstream out;
    {
        TEtsEventChannel channel(ets, out);
        EXPECT_FALSE(ets.ReturnToEts(1)); // no store: the return fails
    }
    EXPECT_EQ(out.str(), "ReturnToEts keep=1 ok=0\n");
    EXPECT_EQ(before, std::vector<int>{1});
    EXPECT_FALSE(ets.ReturnToEts(0));
    EXPECT_EQ(out.str(), "ReturnToEts keep=1 ok=0\n");
    EXPECT_EQ(before, (std::vector<int>{1, 0}));
}

// An editing event opens a period of the store; ReturnToEts ends it, and so does the channel
// when the handler answers finished.
TEST(EtsEventChannel, KeepsTheEditingPeriodApart)
{
    TEtsTestProject project;
    TRecordingHost host(&project.ets);
    std::ostringstream out;
    TEtsEventChannel channel(project.ets, out);
    const std::uint8_t data[] = {1, 2, 3};
    auto writeBlob = [&](bool& f, int& r, std::int32_t id) {
        EXPECT_TRUE(project.ets.BlobWrite(data, sizeof data, id));
        f = host.finished;
        r = host.result;
    };
    project.ets.OnCdiEditParameters = writeBlob;
    auto blobLength = [&] {
        const std::uint8_t* buffer = nullptr;
        std::uint32_t length = 99;
        EXPECT_TRUE(project.ets.BlobRead(buffer, length, 1));
        return length;
    };

    host.finished = false;
    channel.HandleLine("EditParameters 1");
    EXPECT_TRUE(project.ets.IsEditPeriodOpen());
    EXPECT_TRUE(project.ets.ReturnToEts(0));
    EXPECT_EQ(blobLength(), 0u);

    host.finished = true;
    host.result = 0;
    channel.HandleLine("EditParameters 1");
    EXPECT_FALSE(project.ets.IsEditPeriodOpen());
    EXPECT_EQ(blobLength(), 0u);

    host.result = 1;
    channel.HandleLine("EditParameters 1");
    EXPECT_FALSE(project.ets.IsEditPeriodOpen());
    EXPECT_EQ(blobLength(), 3u);
    EXPECT_EQ(out.str(), "EditParameters result=1 finished=0\nReturnToEts keep=0\n"
                         "EditParameters result=0 finished=1\nEditParameters result=1 finished=1\n");
}

// A return that failed on a lock keeps nothing and leaves no period open: the next line is
// raised whether the lock stays or goes, and no later line keeps the return.
TEST(EtsEventChannel, AReturnThatFailedOnALockLeavesNothingForALaterLineToKeep)
{
    for (const bool lockGoes : {true, false}) {
        SCOPED_TRACE(lockGoes ? "the lock goes" : "the lock stays");
        TEtsTestProject project;
        TRecordingHost host(&project.ets);
        std::ostringstream out;
        {
            TEtsEventChannel channel(project.ets, out);
            host.finished = false;
            channel.HandleLine("EditParameters 1");
            const std::uint8_t data[] = {1, 2, 3};
            ASSERT_TRUE(project.ets.BlobWrite(data, sizeof data, 1));
            auto other = std::make_unique<TOtherProgram>(project.file);
            other->Sql("BEGIN; SELECT count(*) FROM device;");
            EXPECT_FALSE(project.ets.ReturnToEts(1));
            EXPECT_FALSE(project.ets.IsEditPeriodOpen());
            if (lockGoes)
                other.reset();
            host.calls.clear();
            host.finished = true;
            host.result = 1;
            out.str("");
            channel.HandleLine("DoDownload2 0 0 2 0 0 0 0 0 1");
            channel.HandleLine("UserSvStop");
            EXPECT_EQ(out.str(), "DoDownload2 result=1 finished=1\nUserSvStop\n");
            EXPECT_EQ(host.calls, (std::vector<std::string>{"DoDownload2 0 0 2 0 0 0 0 0 1", "UserSvStop"}));
        }
        project.ets.CloseProjectStore();
        ASSERT_TRUE(project.ets.OpenProjectStore(project.file));
        const std::uint8_t* buffer = nullptr;
        std::uint32_t length = 99;
        EXPECT_TRUE(project.ets.BlobRead(buffer, length, 1));
        EXPECT_EQ(length, 0u) << "the failed return was kept after all";
    }
}

TEST(EtsCommandLine, ParsesModuleProjectAndEvents)
{
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        V args;
        const char* error; // empty: accepted
    } rows[] = {
        {"full", {"244_ID", "--ets-project", "demo.db", "--event", "EditParameters 1", "--event=UserSvStop"}, ""},
        {"equals form, module last", {"--ets-project=demo.db", "244_ID"}, ""},
        {"no module", {"--ets-project", "demo.db"}, ""},
        {"an unknown option before help", {"--bogus", "-h"}, "unknown option --bogus"},
        {"no project", {"244_ID"}, "--ets-project FILE is missing"},
        {"project twice", {"--ets-project", "a", "--ets-project", "b"}, "--ets-project is given twice"},
        {"empty project", {"--ets-project="}, "--ets-project needs a file name"},
        {"value missing", {"244_ID", "--ets-project"}, "--ets-project needs a value"},
        {"bad event", {"--ets-project", "a", "--event", "EditParameters"},
         "--event \"EditParameters\": EditParameters takes 1 argument, not 0"},
        {"blank event", {"--ets-project", "a", "--event", " "}, "--event \" \": no event"},
        {"unknown option", {"--ets-project", "a", "-x"}, "unknown option -x"},
        {"second module", {"244_ID", "245_ID", "--ets-project", "a"}, "unexpected argument \"245_ID\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto line = ParseEtsCommandLine(row.args);
        EXPECT_EQ(line.Ok, std::string(row.error).empty());
        EXPECT_EQ(line.Error, row.error);
    }
    const auto full = ParseEtsCommandLine(rows[0].args);
    EXPECT_EQ(full.Module, "244_ID");
    EXPECT_EQ(full.EtsProject, "demo.db");
    EXPECT_EQ(full.Events, (V{"EditParameters 1", "UserSvStop"}));
    const char* argv[] = {"miraval", "-h"};
    EXPECT_TRUE(ParseEtsCommandLine(2, argv).Help);
}

} // namespace

namespace {

namespace fs = std::filesystem;

// A handler that writes a parameter and the configuration of device 1, then answers result;
// refuse: a configuration too large for the store in between, its result not looked at.
struct TWritingHost {
    TEtsTestProject project;
    TRecordingHost host{&project.ets};
    std::ostringstream out;
    TEtsEventChannel channel{project.ets, out};
    std::vector<std::string> failed;
    bool refuse = false;

    TWritingHost()
    {
        project.ets.SetBusyTimeout(200);
        auto writes = [this](bool& f, int& r) {
            EXPECT_EQ(project.ets.CoSetDeviceParameterValueLong(31, 77, false, false), 1);
            if (refuse) {
                const std::string gross(1 << 20, 'x');
                (void)project.ets.BlobWrite(gross.data(), static_cast<std::uint32_t>(gross.size()), 1);
            }
            EXPECT_TRUE(project.ets.BlobWrite("neu", 3, 1) || refuse);
            f = host.finished;
            r = host.result;
        };
        project.ets.OnCdiLinkObjToSubGroup = [writes](bool& f, int& r, auto...) { writes(f, r); };
        project.ets.OnCdiEditParameters = [this, writes](bool& f, int& r, std::int32_t id) {
            host.calls.push_back("EditParameters " + std::to_string(id));
            writes(f, r);
        };
        project.ets.OnEventFailed = [this](const std::string& event, TEts2Cdi::TStoreFault fault, const std::string&) {
            failed.push_back(event + " " + std::to_string(static_cast<int>(fault)));
        };
    }
    std::string Stored() { return DumpStore(project.file, {"device_param", "device_blob"}); }
    std::string Answer(const std::string& line)
    {
        out.str("");
        channel.HandleLine(line);
        return out.str();
    }
};

} // namespace

// The answer says what the store holds: done, all of the event's writes; failed, none.
TEST(EtsEventChannel, AnEventIsKeptWholeOrNotAtAllAsItsAnswerSays)
{
    const struct {
        const char* name;
        int result;
        bool refuse;
        const char* answer;
        bool stored;
    } rows[] = {
        {"done", 1, false, "LinkObjToSubGroup result=1 finished=1\n", true},
        {"answered failed", 0, false, "LinkObjToSubGroup result=0 finished=1\n", false},
        {"a write refused, not looked at", 1, true, "LinkObjToSubGroup result=0 finished=1 error=", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TWritingHost h;
        const std::string before = h.Stored();
        h.host.result = row.result;
        h.refuse = row.refuse;
        h.project.Sql("PRAGMA max_page_count = " + std::to_string(fs::file_size(h.project.file) / 4096 + 4));
        EXPECT_EQ(h.Answer("LinkObjToSubGroup 0 0 1 0 1").rfind(row.answer, 0), 0u) << h.out.str();
        EXPECT_EQ(h.Stored() != before, row.stored);
        EXPECT_EQ(h.failed.size(), row.refuse ? 1u : 0u) << "told once";
    }
}

// An edit exists only with its editing period: while another program holds the store, the
// event is not raised, and its answer says why.
TEST(EtsEventChannel, AnEditWhosePeriodCannotBeginIsNotRaised)
{
    TWritingHost h;
    const std::string before = h.Stored();
    auto other = std::make_unique<TOtherProgram>(h.project.file);
    other->Sql("BEGIN IMMEDIATE;");
    const std::string answer = h.Answer("EditParameters 1");
    EXPECT_EQ(answer.rfind("EditParameters result=0 finished=1 error=\"BeginEditPeriod: ETS project store", 0), 0u)
        << answer;
    EXPECT_NE(answer.find("is locked by another program"), std::string::npos) << answer;
    EXPECT_TRUE(h.host.calls.empty()) << "not raised";
    EXPECT_EQ(h.failed, std::vector<std::string>{"EditParameters 1"});
    EXPECT_FALSE(h.project.ets.IsEditPeriodOpen());
    other.reset();
    // Nothing is left for a later line to join: its writes are its own, stored at its end.
    h.host.finished = true;
    h.host.result = 1;
    EXPECT_EQ(h.Answer("LinkObjToSubGroup 0 0 1 0 1"), "LinkObjToSubGroup result=1 finished=1\n");
    EXPECT_NE(h.Stored(), before);
}

// An edit of another device whose handler returns the edit before it: the earlier edit is kept
// with what the event wrote before the return, and the new edit has a period of its own.
TEST(EtsEventChannel, AnEditThatReturnsTheOneBeforeItGetsAPeriodOfItsOwn)
{
    TWritingHost h;
    h.host.finished = false;
    ASSERT_EQ(h.Answer("EditParameters 1"), "EditParameters result=1 finished=0\n");
    const std::string erstes = h.Stored();
    h.project.ets.OnCdiEditParameters = [&](bool& f, int& r, std::int32_t) {
        EXPECT_TRUE(h.project.ets.ReturnToEts(1));
        EXPECT_TRUE(h.project.ets.BlobWrite("zwei", 4, 2));
        f = false;
        r = 1;
    };
    EXPECT_EQ(h.Answer("EditParameters 2"), "ReturnToEts keep=1\nEditParameters result=1 finished=0\n");
    EXPECT_TRUE(h.project.ets.IsEditPeriodOpen());
    const std::string jetzt = h.Stored();
    EXPECT_NE(jetzt, erstes);
    EXPECT_NE(jetzt.find("1|neu|"), std::string::npos) << "the first edit is kept: " << jetzt;
    EXPECT_NE(jetzt.find("2|zwei|"), std::string::npos) << "the event's own writes are stored: " << jetzt;
    ASSERT_TRUE(h.project.ets.BlobWrite("neu 2", 5, 2));
    ASSERT_TRUE(h.project.ets.ReturnToEts(0));
    EXPECT_EQ(h.Stored(), jetzt) << "the second edit's period puts back what it wrote";
}
