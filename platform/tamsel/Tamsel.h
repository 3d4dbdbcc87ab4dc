#pragma once
// The function trace log. Every own function of the system starts with LOG_FKT("Class::Method");
// the editor opens the log with InitLogFkt at the start of an ETS event (when the "Debug"
// settings ask for it) and closes it with CloseLogFkt when the event's work is done.
//
// While the log is closed a trace call costs one relaxed load of a flag: LOG_FKT checks the
// flag inline before any argument is formatted or any call is made.
//
// The log is a UTF-8 text file, opened for appending, one line per trace call:
//     [2024-05-17 14:03:12.042] 1024 TDeviceInstanzAz::WriteDataToDb (devinst/DevInstAz.cpp:118)
// (the time stamp only when the log was opened with times). Each line is flushed at once, so
// the log is complete up to the last call even when the program dies.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

// The priority of an ordinary trace call.
constexpr std::int32_t LOG_PRIORITY_STANDARD = 1024;

struct TLogStatus {
    bool ok = true;
    std::string message; // on failure: the file and the reason
    explicit operator bool() const { return ok; }
};

// Opens the trace log; a log that is still open is closed first (the editor opens it again
// for the next ETS event without always closing it).
//  owner     the caller's ETS interface object; it only identifies the caller in the log's
//            opening line and may be null.
//  priority  threshold: a trace call is written when its priority is at least this.
//  freigabe  release mask: a trace call is written only when its priority shares a bit with
//            the mask; -1 (every bit) releases every call.
//  logTime   write a time stamp in front of each line.
//  name      the log file; the empty name means the default file (SetLogFktDefaultFile).
// On failure the log stays closed and the status names the file and the reason.
[[nodiscard]] TLogStatus InitLogFkt(const void* owner, std::int32_t priority, std::int32_t freigabe,
                                    bool logTime, const std::string& name);

// Writes one trace line when the log is open and the priority passes threshold and mask.
// Prefer LOG_FKT, which skips the call entirely while the log is closed.
void LogFktStart(std::int32_t priority, const char* function, const char* file, int line);

// Closes the log; closing a closed log does nothing.
void CloseLogFkt();

// The file an empty name opens. Until set: "tamsel-trace.log" in the system's temporary
// folder. The program sets it to a file beside itself at start.
void SetLogFktDefaultFile(std::filesystem::path file);
std::filesystem::path LogFktDefaultFile();

// The file of the open log (empty while closed).
std::filesystem::path LogFktFile();

namespace tamsel_detail {
// True while a log is open; read inline by LOG_FKT. Written only by InitLogFkt/CloseLogFkt.
extern std::atomic<bool> g_logOpen;
} // namespace tamsel_detail

inline bool LogFktIsOpen()
{
    return tamsel_detail::g_logOpen.load(std::memory_order_relaxed);
}

#define LOG_FKT_P(priority, function)                                     \
    do {                                                                  \
        if (LogFktIsOpen())                                               \
            ::LogFktStart((priority), (function), __FILE__, __LINE__);    \
    } while (false)

#define LOG_FKT(function) LOG_FKT_P(LOG_PRIORITY_STANDARD, function)
