// The INI functions on a file of arbitrary bytes: reading every key of the first sections, and
// a write of another key leaves each value reading the same.
#include "win32/Profile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::string Read(const std::string& file, const std::string& section, const std::string& key)
{
    std::vector<char> buffer(4096);
    const DWORD n = GetPrivateProfileString(section.c_str(), key.c_str(), "", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file =
        (std::filesystem::temp_directory_path() / ("miraval-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The sections and keys the bytes name, found line by line as a reader would.
    std::vector<std::pair<std::string, std::string>> keys;
    std::string section;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') == std::string::npos ? 0 : line.find(']') - 1);
        } else if (const auto eq = line.find('='); eq != std::string::npos && eq > 0 && keys.size() < 64) {
            std::string key = line.substr(0, eq);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t'))
                key.pop_back();
            if (!section.empty() && !key.empty() && key.find('\0') == std::string::npos
                && section.find('\0') == std::string::npos)
                keys.emplace_back(section, key);
        }
    }
    std::vector<std::string> before;
    for (const auto& [section, key] : keys)
        before.push_back(Read(file, section, key));
    (void)GetPrivateProfileInt("a", "b", 7, file.c_str());
    if (WritePrivateProfileString("fuzz section", "fuzz key", "1", file.c_str())) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (Read(file, keys[i].first, keys[i].second) != before[i])
                std::abort();
    }
    std::filesystem::remove(file);
    return 0;
}
