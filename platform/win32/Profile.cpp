#include "win32/Profile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

enum class TLineKind { Other, Section, Entry };

// One line of the file with its own line end ("\n", "\r\n" or none for the last line).
struct TLine {
    std::string text;
    std::string eol;
    TLineKind kind = TLineKind::Other;
    std::string name;  // section or key name, trimmed
    std::string value; // entry value, trimmed
};

void classify(TLine& line)
{
    std::string_view t = trim(line.text);
    line.kind = TLineKind::Other;
    line.name.clear();
    line.value.clear();
    if (t.empty() || t.front() == ';')
        return;
    if (t.front() == '[') {
        auto close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = TLineKind::Section;
            line.name = std::string(trim(t.substr(1, close - 1)));
        }
        return;
    }
    auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return;
    line.kind = TLineKind::Entry;
    line.name = std::string(trim(t.substr(0, eq)));
    line.value = std::string(trim(t.substr(eq + 1)));
}

class TProfileFile {
public:
    // Reads the file; a missing file is an empty one. False when it exists but cannot be read.
    bool Load(const std::string& path)
    {
        m_bom.clear();
        m_lines.clear();
        std::error_code dirError;
        if (std::filesystem::is_directory(path, dirError))
            return false;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::error_code ec;
            return !std::filesystem::exists(path, ec) && !ec;
        }
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return false;
        std::string_view rest(content);
        if (rest.substr(0, 3) == "\xEF\xBB\xBF") {
            m_bom = "\xEF\xBB\xBF";
            rest.remove_prefix(3);
        }
        while (!rest.empty()) {
            auto lf = rest.find('\n');
            TLine line;
            if (lf == std::string_view::npos) {
                // A carriage return that ends the file ends its last line as CR LF would: it
                // is the line's end, never part of its value.
                std::string_view text = rest;
                if (!text.empty() && text.back() == '\r') {
                    text.remove_suffix(1);
                    line.eol = "\r";
                }
                line.text = std::string(text);
                rest = {};
            } else {
                std::string_view text = rest.substr(0, lf);
                line.eol = "\n";
                if (!text.empty() && text.back() == '\r') {
                    text.remove_suffix(1);
                    line.eol = "\r\n";
                }
                line.text = std::string(text);
                rest.remove_prefix(lf + 1);
            }
            m_lines.push_back(std::move(line));
        }
        for (auto& line : m_lines)
            classify(line);
        return true;
    }

    // Index of the first entry of the key in any section of that name.
    std::optional<std::size_t> FindEntry(std::string_view section, std::string_view key) const
    {
        bool inSection = false;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const TLine& line = m_lines[i];
            if (line.kind == TLineKind::Section)
                inSection = sameName(line.name, section);
            else if (inSection && line.kind == TLineKind::Entry && sameName(line.name, key))
                return i;
        }
        return std::nullopt;
    }

    bool HasSection(std::string_view section) const
    {
        return std::any_of(m_lines.begin(), m_lines.end(), [&](const TLine& l) {
            return l.kind == TLineKind::Section && sameName(l.name, section);
        });
    }

    std::vector<std::string> Entries(std::string_view section) const
    {
        std::vector<std::string> out;
        bool inSection = false;
        for (const TLine& line : m_lines) {
            if (line.kind == TLineKind::Section)
                inSection = sameName(line.name, section);
            else if (inSection && line.kind == TLineKind::Entry)
                out.push_back(line.name + "=" + line.value);
        }
        return out;
    }

    // Sets the value; returns false when the file would not change.
    bool Set(std::string_view section, std::string_view key, std::string_view value)
    {
        if (auto at = FindEntry(section, key)) {
            TLine& line = m_lines[*at];
            std::string text = line.name + "=" + std::string(value);
            if (text == line.text)
                return false;
            replaceText(*at, std::move(text));
            return true;
        }
        std::string text = std::string(key) + "=" + std::string(value);
        // After the last entry of the first section of that name, or right after its header.
        std::optional<std::size_t> insertAfter;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const TLine& line = m_lines[i];
            if (line.kind != TLineKind::Section)
                continue;
            if (insertAfter)
                break;
            if (sameName(line.name, section)) {
                insertAfter = i;
                for (std::size_t j = i + 1; j < m_lines.size() && m_lines[j].kind != TLineKind::Section; ++j)
                    if (m_lines[j].kind == TLineKind::Entry)
                        insertAfter = j;
            }
        }
        if (insertAfter) {
            ensureEol(*insertAfter);
            insertLine(*insertAfter + 1, std::move(text));
            return true;
        }
        if (!m_lines.empty()) {
            ensureEol(m_lines.size() - 1);
            if (!trim(m_lines.back().text).empty())
                insertLine(m_lines.size(), std::string());
        }
        insertLine(m_lines.size(), "[" + std::string(section) + "]");
        insertLine(m_lines.size(), std::move(text));
        return true;
    }

    // Removes every line of the key in sections of that name; false when there is none.
    bool RemoveKey(std::string_view section, std::string_view key)
    {
        bool inSection = false;
        bool removed = false;
        for (std::size_t i = 0; i < m_lines.size();) {
            const TLine& line = m_lines[i];
            if (line.kind == TLineKind::Section)
                inSection = sameName(line.name, section);
            else if (inSection && line.kind == TLineKind::Entry && sameName(line.name, key)) {
                m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
                removed = true;
                continue;
            }
            ++i;
        }
        return removed;
    }

    // Removes every section of that name with its lines; false when there is none.
    bool RemoveSection(std::string_view section)
    {
        bool inSection = false;
        bool removed = false;
        for (std::size_t i = 0; i < m_lines.size();) {
            const TLine& line = m_lines[i];
            if (line.kind == TLineKind::Section)
                inSection = sameName(line.name, section);
            if (inSection) {
                m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
                removed = true;
                continue;
            }
            ++i;
        }
        return removed;
    }

    std::string Content() const
    {
        std::string out = m_bom;
        for (const TLine& line : m_lines)
            out += line.text + line.eol;
        return out;
    }

    const TLine& Line(std::size_t i) const { return m_lines[i]; }

private:
    // New lines take the line end the file already uses (a lone CR, which only a last line
    // can have, counts as CR LF).
    std::string lineEnd() const
    {
        for (const TLine& line : m_lines)
            if (!line.eol.empty())
                return line.eol == "\r" ? "\r\n" : line.eol;
        return "\n";
    }

    // A line that gets a line after it needs a complete line end.
    void ensureEol(std::size_t i)
    {
        if (m_lines[i].eol.empty())
            m_lines[i].eol = lineEnd();
        else if (m_lines[i].eol == "\r")
            m_lines[i].eol = "\r\n";
    }

    void insertLine(std::size_t at, std::string text)
    {
        TLine line;
        line.eol = lineEnd();
        line.text = std::move(text);
        classify(line);
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }

    void replaceText(std::size_t i, std::string text)
    {
        m_lines[i].text = std::move(text);
        classify(m_lines[i]);
    }

    std::string m_bom;
    std::vector<TLine> m_lines;
};

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes the content beside the file and renames it over the file.
bool saveAtomically(const std::string& path, const std::string& content)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;

    static std::atomic<unsigned> counter{0};
    const std::string temp = target.string() + ".tmp." + std::to_string(::getpid()) + "." +
                             std::to_string(counter.fetch_add(1));
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, content);
    if (ok && existed)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

// Copies text into the buffer, at most size - 1 bytes, backing off to the start of a UTF-8
// character so that no character is cut in half.
DWORD copyText(std::string_view text, char* buffer, DWORD size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    text.copy(buffer, n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

std::string_view stripQuotes(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The value of the key (quotes stripped), or nothing when the file, section or key is absent.
std::optional<std::string> readValue(const char* section, const char* key, const char* file)
{
    if (section == nullptr || key == nullptr || file == nullptr)
        return std::nullopt;
    TProfileFile ini;
    if (!ini.Load(file))
        return std::nullopt;
    auto at = ini.FindEntry(trim(section), trim(key));
    if (!at)
        return std::nullopt;
    return std::string(stripQuotes(ini.Line(*at).value));
}

} // namespace

DWORD GetPrivateProfileString(const char* section, const char* key, const char* def,
                              char* buffer, DWORD size, const char* file)
{
    if (auto value = readValue(section, key, file))
        return copyText(*value, buffer, size);
    std::string_view d = def != nullptr ? std::string_view(def) : std::string_view();
    while (!d.empty() && isBlank(d.back()))
        d.remove_suffix(1);
    return copyText(d, buffer, size);
}

UINT GetPrivateProfileInt(const char* section, const char* key, int def, const char* file)
{
    auto value = readValue(section, key, file);
    if (!value || value->empty())
        return static_cast<UINT>(def);
    std::string_view v = trim(*value);
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t n = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            break;
        n = std::min<std::int64_t>(n * 10 + (c - '0'), limit);
    }
    if (negative)
        n = -n;
    n = std::clamp<std::int64_t>(n, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max());
    return static_cast<UINT>(static_cast<std::int32_t>(n));
}

DWORD GetPrivateProfileSection(const char* section, char* buffer, DWORD size, const char* file)
{
    if (buffer == nullptr || size == 0)
        return 0;
    std::string all;
    if (section != nullptr && file != nullptr) {
        TProfileFile ini;
        if (ini.Load(file))
            for (const std::string& entry : ini.Entries(trim(section)))
                all += entry + '\0';
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    if (all.size() + 1 > size) {
        std::memcpy(buffer, all.data(), size - 2);
        buffer[size - 2] = '\0';
        buffer[size - 1] = '\0';
        return size - 2;
    }
    std::memcpy(buffer, all.data(), all.size());
    buffer[all.size()] = '\0';
    if (all.empty())
        buffer[1] = '\0';
    return static_cast<DWORD>(all.size());
}

BOOL WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file)
{
    if (section == nullptr && key == nullptr && value == nullptr)
        return 1;
    if (section == nullptr || file == nullptr)
        return 0;
    std::string_view sec = trim(section);
    if (sec.find(']') != std::string_view::npos || hasLineBreak(sec))
        return 0;
    std::string_view k = key != nullptr ? trim(key) : std::string_view();
    if (key != nullptr && (k.empty() || k.find('=') != std::string_view::npos || hasLineBreak(k) ||
                           k.front() == '[' || k.front() == ';'))
        return 0;
    if (value != nullptr && hasLineBreak(value))
        return 0;

    TProfileFile ini;
    if (!ini.Load(file))
        return 0;
    bool changed = false;
    if (key == nullptr)
        changed = ini.RemoveSection(sec);
    else if (value == nullptr)
        changed = ini.RemoveKey(sec, k);
    else
        changed = ini.Set(sec, k, value);
    if (!changed)
        return 1; // the file already says what was asked (or has nothing to delete)
    return saveAtomically(file, ini.Content()) ? 1 : 0;
}
