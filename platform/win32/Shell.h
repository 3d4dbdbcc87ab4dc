#pragma once
// The shell calls of the editor: starting a tool or opening a document, the program's own
// file, the last system error and its text, and the help viewer.
//
// Nothing here goes through a shell: programs are spawned with their arguments as a list, so
// no character of a file name or parameter is ever interpreted.

#include "win32/Windows.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Show commands. Linux has no say over a started program's first window, so they are passed
// on to hooks only.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_RESTORE = 9;

// ShellExecute's answers: every success is greater than 32, failures are these codes.
constexpr int SE_ERR_FNF = 2;          // file not found
constexpr int SE_ERR_PNF = 3;          // working folder not found
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_BADFORMAT = 11;   // not a program the system can start
constexpr int SE_ERR_NOASSOC = 31;     // no program opens this file, or the verb is unknown
constexpr int SE_STARTED = 42;

using TShellExecuteHook =
    std::function<int(HWND owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int show)>;

// Installs a hook (tests record what would be started) and returns the one it replaces.
TShellExecuteHook SetShellExecuteHook(TShellExecuteHook hook);

// verb is "open" or empty (any other verb answers SE_ERR_NOASSOC). A file without a slash is
// looked up on PATH first, then in directory (the current folder when empty); a relative path
// is taken from directory. An executable is spawned with parameters split by
// SplitCommandLine; any other existing file or folder is handed to the desktop's handler
// (xdg-open; its parameters are ignored). directory, when given, becomes the working folder.
// The started program reads /dev/null and writes its standard output to standard error, so
// it never touches the channel the editor talks to its host on. The call does not wait.
int ShellExecute(HWND owner, const std::string& verb, const std::string& file,
                 const std::string& parameters, const std::string& directory, int show);

// Splits a command line into arguments as Windows programs do: blanks and tabs separate,
// double quotes group (and "" inside quotes is one quote), backslashes are literal except
// before a quote (2n backslashes and a quote: n backslashes, the quote groups; 2n+1: n
// backslashes and a literal quote).
std::vector<std::string> SplitCommandLine(const std::string& line);

// The running program's full path; the override, when not empty, is answered instead, so
// tests can place the program folder elsewhere.
std::string GetModuleFileName();
void SetModuleFileNameOverride(std::string path);

// The calling thread's last system error (errno) and its text; the text of 0 is empty.
DWORD GetLastError();
void SetLastError(DWORD code);
std::string FormatMessage(DWORD code);

constexpr UINT HELP_CONTEXT = 1;
constexpr UINT HELP_QUIT = 2;
constexpr UINT HELP_FINDER = 11;

// Shows a help file: command HELP_FINDER its contents, HELP_CONTEXT the topic whose context
// number is data; HELP_QUIT closes the help window the program shows. Answers whether it was
// done; a hook that cannot show it tells the user.
using TWinHelpHook =
    std::function<bool(HWND owner, const std::string& helpFile, UINT command, std::uintptr_t data)>;

// Installs a hook (the program's help window, tests' recorder) and returns the one it replaces.
TWinHelpHook SetWinHelpHook(TWinHelpHook hook);

// HELP_QUIT goes to the hook whatever helpFile names (without a hook there is no window of
// the program's to close: true). Otherwise a missing helpFile is told to the user in a
// message box (caption "Hilfe") and answers false. An existing one goes to the WinHelp hook; without a hook it is opened with the
// desktop's viewer (xdg-open, or the ShellExecute hook as an "open" of helpFile when one is
// installed), which has no notion of a topic, and a missing viewer is told to the user. The
// file is opened, never executed.
bool WinHelp(HWND owner, const std::string& helpFile, UINT command, std::uintptr_t data);
