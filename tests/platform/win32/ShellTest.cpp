#include "win32/MessageBox.h"
#include "win32/Shell.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "shelltest-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }
    fs::path Write(const std::string& name, const std::string& content, bool executable)
    {
        fs::path file = m_path / name;
        std::ofstream(file) << content;
        if (executable)
            fs::permissions(file, fs::perms::owner_all);
        return file;
    }

private:
    fs::path m_path;
};

TEST(Shell, SplitsParametersAsWindowsCommandLines)
{
    struct Row {
        const char* line;
        std::vector<std::string> args;
    };
    const Row rows[] = {
        {"", {}},
        {"  a\tb  c ", {"a", "b", "c"}},
        {R"("zwei drei" vier)", {"zwei drei", "vier"}},
        {R"(a"b c"d)", {"ab cd"}},
        {R"("" x)", {"", "x"}},
        {R"("sagt ""ja""")", {R"(sagt "ja")"}},
        {R"(C:\Pfad\datei)", {R"(C:\Pfad\datei)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"(a\"b)", {R"(a"b)"}},
        {R"("offen bis zum Ende)", {"offen bis zum Ende"}},
        {"ä;ö $(x) 'y'", {"ä;ö", "$(x)", "'y'"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(SplitCommandLine(row.line), row.args);
    }
}

TEST(Shell, StartsAProgramWithoutAShellInTheGivenFolder)
{
    TempFolder folder;
    fs::path script = folder.Write("tool", "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.tmp && mv args.tmp args.txt\n", true);

    int answer = ShellExecute(nullptr, "open", script.string(), R"(eins "zwei drei" ;touch$IFS'x' $(touch y))",
                              folder.Path().string(), SW_SHOWNORMAL);
    EXPECT_GT(answer, 32);

    fs::path out = folder.Path() / "args.txt";
    for (int i = 0; i < 500 && !fs::exists(out); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(out)) << "the tool did not run in its folder";
    std::stringstream content;
    content << std::ifstream(out).rdbuf();
    EXPECT_EQ(content.str(), "eins\nzwei drei\n;touch$IFS'x'\n$(touch\ny)\n");
    EXPECT_FALSE(fs::exists(folder.Path() / "x"));
    EXPECT_FALSE(fs::exists(folder.Path() / "y"));
}

TEST(Shell, AnswersWindowsCodesForWhatCannotBeStarted)
{
    TempFolder folder;
    // Executable but no program: a shell would run it, the system refuses it.
    fs::path noProgram = folder.Write("keinprogramm", "touch ausgefuehrt\n", true);
    struct Row {
        const char* name;
        std::string verb, file, directory;
        int answer;
    };
    const Row rows[] = {
        {"empty file", "open", "", "", SE_ERR_FNF},
        {"missing path", "open", (folder.Path() / "fehlt").string(), "", SE_ERR_FNF},
        {"name on no PATH entry", "", "gibt-es-nicht-4711", "", SE_ERR_FNF},
        {"missing folder", "open", "/bin/true", (folder.Path() / "fehlt").string(), SE_ERR_PNF},
        {"unknown verb", "print", "/bin/true", "", SE_ERR_NOASSOC},
        {"not a program", "open", noProgram.string(), folder.Path().string(), SE_ERR_BADFORMAT},
        {"program", "OPEN", "true", "", SE_STARTED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ShellExecute(nullptr, row.verb, row.file, "", row.directory, SW_SHOWNORMAL), row.answer);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(folder.Path() / "ausgefuehrt"));
}

TEST(Shell, ModuleFileNameIsTheRunningProgramUnlessOverridden)
{
    EXPECT_EQ(fs::path(GetModuleFileName()).filename(), "test_win32");
    SetModuleFileNameOverride("/opt/anderswo/miraval");
    EXPECT_EQ(GetModuleFileName(), "/opt/anderswo/miraval");
    SetModuleFileNameOverride("");
    EXPECT_EQ(fs::path(GetModuleFileName()).filename(), "test_win32");
}

TEST(Shell, LastErrorIsErrnoAndOnlyZeroHasNoText)
{
    SetLastError(ENOENT);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOENT));
    EXPECT_FALSE(FormatMessage(ENOENT).empty());
    EXPECT_EQ(FormatMessage(0), "");
}

TEST(Shell, WinHelpOpensAnExistingFileAndTellsTheUserOtherwise)
{
    TempFolder folder;
    fs::path help = folder.Write("az_deu.hlp", "Hilfe", false);
    std::vector<std::string> opened;
    int viewerAnswer = SE_STARTED;
    auto oldShell = SetShellExecuteHook([&](HWND, const std::string& verb, const std::string& file,
                                            const std::string&, const std::string&, int) {
        opened.push_back(verb + " " + file);
        return viewerAnswer;
    });
    std::vector<std::string> boxes;
    auto oldBox = SetMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        EXPECT_EQ(caption, "Hilfe");
        EXPECT_EQ(flags, MB_OK | MB_ICONINFORMATION);
        boxes.push_back(text);
        return IDOK;
    });

    EXPECT_TRUE(WinHelp(nullptr, help.string(), HELP_FINDER, 10));
    EXPECT_EQ(opened, std::vector<std::string>{"open " + help.string()});
    EXPECT_TRUE(boxes.empty());

    EXPECT_FALSE(WinHelp(nullptr, (folder.Path() / "fehlt.hlp").string(), HELP_FINDER, 10));
    viewerAnswer = SE_ERR_NOASSOC;
    EXPECT_FALSE(WinHelp(nullptr, help.string(), HELP_CONTEXT, 1));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find("fehlt.hlp"), std::string::npos);
    EXPECT_NE(boxes[1].find("az_deu.hlp"), std::string::npos);
    EXPECT_EQ(opened.size(), 2u);
    // The desktop's viewer is another program: nothing of the program's to close.
    EXPECT_TRUE(WinHelp(nullptr, (folder.Path() / "fehlt.hlp").string(), HELP_QUIT, 0));
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(opened.size(), 2u);

    SetShellExecuteHook(oldShell);
    SetMessageBoxHook(oldBox);
}

} // namespace
