#include "tamsel/Tamsel.h"

#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

namespace tamsel_detail {
std::atomic<bool> g_logOpen{false};
} // namespace tamsel_detail

namespace {

struct TLogState {
    std::mutex mutex;
    std::FILE* file = nullptr;
    std::filesystem::path path;
    std::filesystem::path defaultFile;
    bool defaultSet = false;
    std::int32_t priority = LOG_PRIORITY_STANDARD;
    std::int32_t freigabe = -1;
    bool logTime = true;
};

TLogState& state()
{
    // Never destroyed: trace calls from other libraries' static destructors may still arrive.
    static TLogState* s = new TLogState;
    return *s;
}

// "2024-05-17 14:03:12.042", local time.
std::string timeStamp()
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[40];
    std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(buffer + n, sizeof buffer - n, ".%03d", static_cast<int>(millis));
    return buffer;
}

void writeLine(TLogState& s, const std::string& text)
{
    if (s.logTime)
        std::fprintf(s.file, "[%s] %s\n", timeStamp().c_str(), text.c_str());
    else
        std::fprintf(s.file, "%s\n", text.c_str());
    std::fflush(s.file);
}

void closeLocked(TLogState& s)
{
    if (!s.file)
        return;
    writeLine(s, "--- trace log closed");
    std::fclose(s.file);
    s.file = nullptr;
    s.path.clear();
    tamsel_detail::g_logOpen.store(false, std::memory_order_relaxed);
}

std::filesystem::path defaultFileLocked(const TLogState& s)
{
    if (s.defaultSet)
        return s.defaultFile;
    std::error_code ec;
    auto folder = std::filesystem::temp_directory_path(ec);
    return (ec ? std::filesystem::path(".") : folder) / "tamsel-trace.log";
}

bool released(const TLogState& s, std::int32_t priority)
{
    if (priority < s.priority)
        return false;
    return s.freigabe == -1 || (priority & s.freigabe) != 0;
}

} // namespace

TLogStatus InitLogFkt(const void* owner, std::int32_t priority, std::int32_t freigabe, bool logTime,
                      const std::string& name)
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    closeLocked(s);

    std::filesystem::path path = name.empty() ? defaultFileLocked(s) : std::filesystem::path(name);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        return {false, "trace log " + path.string() + ": " + std::strerror(errno)};

    s.file = file;
    s.path = path;
    s.priority = priority;
    s.freigabe = freigabe;
    s.logTime = logTime;
    char opening[160];
    std::snprintf(opening, sizeof opening,
                  "--- trace log opened (owner %p, priority %d, mask %d)", owner,
                  static_cast<int>(priority), static_cast<int>(freigabe));
    writeLine(s, opening);
    tamsel_detail::g_logOpen.store(true, std::memory_order_relaxed);
    return {};
}

void LogFktStart(std::int32_t priority, const char* function, const char* file, int line)
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.file || !released(s, priority))
        return;
    std::string text = std::to_string(priority);
    text += ' ';
    text += function ? function : "?";
    text += " (";
    text += file ? file : "?";
    text += ':';
    text += std::to_string(line);
    text += ')';
    writeLine(s, text);
}

void CloseLogFkt()
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    closeLocked(s);
}

void SetLogFktDefaultFile(std::filesystem::path file)
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    s.defaultFile = std::move(file);
    s.defaultSet = !s.defaultFile.empty();
}

std::filesystem::path LogFktDefaultFile()
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    return defaultFileLocked(s);
}

std::filesystem::path LogFktFile()
{
    TLogState& s = state();
    std::lock_guard lock(s.mutex);
    return s.path;
}
