#include "win32/Shell.h"

#include "win32/MessageBox.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct TShellState {
    std::mutex lock;
    TShellExecuteHook hook;
    TWinHelpHook helpHook;
    std::string moduleOverride;
};

TShellState& state()
{
    static TShellState instance;
    return instance;
}

TShellExecuteHook currentHook()
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    return s.hook;
}

bool isExecutableFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// A program name without a slash, looked up on PATH. Empty PATH entries (the current folder
// by POSIX rules) are skipped: a tool name must never pick up a file that happens to lie in
// the working folder.
fs::path findOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        auto colon = rest.find(':');
        std::string_view entry = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (entry.empty())
            continue;
        fs::path candidate = fs::path(entry) / name;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

int answerForErrno(int error)
{
    switch (error) {
    case ENOENT:
        return SE_ERR_FNF;
    case ENOTDIR:
        return SE_ERR_PNF;
    case ENOMEM:
        return SE_ERR_OOM;
    case ENOEXEC:
        return SE_ERR_BADFORMAT;
    default:
        return SE_ERR_ACCESSDENIED;
    }
}

// Starts program (an absolute path) with args, without a shell and without waiting. A
// detached thread reaps the child so that no zombie is left behind.
int spawn(const fs::path& program, const std::vector<std::string>& args, const std::string& directory)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());

    // The child starts with no blocked signals and default handlers, whatever the editor set.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string programText = program.string();
    std::vector<char*> argv;
    argv.push_back(programText.data());
    std::vector<std::string> copies = args;
    for (auto& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    int rc = posix_spawn(&pid, programText.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return answerForErrno(rc);
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return SE_STARTED;
}

int openWithDesktop(const fs::path& file, const std::string& directory)
{
    fs::path opener = findOnPath("xdg-open");
    if (opener.empty())
        return SE_ERR_NOASSOC;
    return spawn(opener, {file.string()}, directory);
}

bool isOpenVerb(const std::string& verb)
{
    return verb.empty() || (verb.size() == 4 && ::strncasecmp(verb.c_str(), "open", 4) == 0);
}

} // namespace

TShellExecuteHook SetShellExecuteHook(TShellExecuteHook hook)
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    return std::exchange(s.hook, std::move(hook));
}

TWinHelpHook SetWinHelpHook(TWinHelpHook hook)
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    return std::exchange(s.helpHook, std::move(hook));
}

int ShellExecute(HWND owner, const std::string& verb, const std::string& file,
                 const std::string& parameters, const std::string& directory, int show)
{
    if (auto hook = currentHook())
        return hook(owner, verb, file, parameters, directory, show);
    if (!isOpenVerb(verb))
        return SE_ERR_NOASSOC;
    if (file.empty())
        return SE_ERR_FNF;
    std::error_code ec;
    if (!directory.empty() && !fs::is_directory(directory, ec))
        return SE_ERR_PNF;

    const fs::path base = directory.empty() ? fs::current_path(ec) : fs::path(directory);
    fs::path target;
    if (file.find('/') == std::string::npos)
        target = findOnPath(file);
    if (target.empty()) {
        fs::path given(file);
        target = given.is_absolute() ? given : base / given;
        if (!fs::exists(target, ec))
            return SE_ERR_FNF;
    }
    target = fs::absolute(target, ec);

    if (isExecutableFile(target))
        return spawn(target, SplitCommandLine(parameters), directory);
    return openWithDesktop(target, directory);
}

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool inQuotes = false;
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (!inQuotes && (c == ' ' || c == '\t')) {
            if (inArgument)
                args.push_back(std::exchange(current, {}));
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t count = 0;
            while (i < line.size() && line[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(count, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument)
        args.push_back(std::move(current));
    return args;
}

std::string GetModuleFileName()
{
    {
        auto& s = state();
        std::lock_guard guard(s.lock);
        if (!s.moduleOverride.empty())
            return s.moduleOverride;
    }
    std::error_code ec;
    auto path = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string{} : path.string();
}

void SetModuleFileNameOverride(std::string path)
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    s.moduleOverride = std::move(path);
}

DWORD GetLastError()
{
    return static_cast<DWORD>(errno);
}

void SetLastError(DWORD code)
{
    errno = static_cast<int>(code);
}

std::string FormatMessage(DWORD code)
{
    if (code == 0)
        return {};
    char buffer[256];
    // The GNU strerror_r answers a pointer that may or may not point into buffer.
    return ::strerror_r(static_cast<int>(code), buffer, sizeof buffer);
}

bool WinHelp(HWND owner, const std::string& helpFile, UINT command, std::uintptr_t data)
{
    TWinHelpHook helpHook;
    {
        auto& s = state();
        std::lock_guard guard(s.lock);
        helpHook = s.helpHook;
    }
    if (command == HELP_QUIT)
        return helpHook ? helpHook(owner, helpFile, command, data) : true;
    std::error_code ec;
    if (helpFile.empty() || !fs::is_regular_file(helpFile, ec)) {
        MessageBox(owner, "Die Hilfedatei \"" + helpFile + "\" wurde nicht gefunden.", "Hilfe",
                   MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (helpHook)
        return helpHook(owner, helpFile, command, data);
    int answer = 0;
    if (auto hook = currentHook())
        answer = hook(owner, "open", helpFile, "", "", SW_SHOWNORMAL);
    else
        answer = openWithDesktop(fs::absolute(helpFile, ec), "");
    if (answer > 32)
        return true;
    MessageBox(owner,
               answer == SE_ERR_NOASSOC
                   ? "Zum Anzeigen der Hilfedatei \"" + helpFile + "\" ist kein Programm installiert."
                   : "Die Hilfedatei \"" + helpFile + "\" konnte nicht geöffnet werden.",
               "Hilfe", MB_OK | MB_ICONINFORMATION);
    return false;
}
