#include "miraval/dienste/IniRegistry.h"

#include "win32/CodePage1252.h"
#include "win32/Profile.h"

#include <vector>

namespace {

// Room for 1023 characters of up to four UTF-8 bytes each, plus the NUL.
constexpr DWORD StringBufferSize = TIniRegistry::MaxStringLength * 4 + 1;
// How much of a section the section check reads.
constexpr DWORD SectionBufferSize = 32000;

} // namespace

bool TIniRegistry::ReadString(const std::string& file, const std::string& section,
                              const std::string& key, std::string& out, const std::string& def) const
{
    std::vector<char> buffer(StringBufferSize);
    DWORD n = GetPrivateProfileString(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                      StringBufferSize, file.c_str());
    out = Utf8Left(std::string_view(buffer.data(), n), MaxStringLength);
    return !out.empty();
}

bool TIniRegistry::ReadInteger(const std::string& file, const std::string& section,
                               const std::string& key, int32_t& out, int32_t def) const
{
    out = static_cast<int32_t>(GetPrivateProfileInt(section.c_str(), key.c_str(), def, file.c_str()));
    return true;
}

bool TIniRegistry::ReadBool(const std::string& file, const std::string& section,
                            const std::string& key, bool& out, bool def) const
{
    out = GetPrivateProfileInt(section.c_str(), key.c_str(), def ? 1 : 0, file.c_str()) != 0;
    return true;
}

bool TIniRegistry::WriteString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& text) const
{
    return WritePrivateProfileString(section.c_str(), key.c_str(), text.c_str(), file.c_str()) != 0;
}

bool TIniRegistry::WriteInteger(const std::string& file, const std::string& section,
                                const std::string& key, int32_t value) const
{
    return WriteString(file, section, key, std::to_string(value));
}

bool TIniRegistry::WriteBool(const std::string& file, const std::string& section,
                             const std::string& key, bool value) const
{
    return WriteString(file, section, key, value ? "1" : "0");
}

bool TIniRegistry::ValueExists(const std::string& file, const std::string& section,
                               const std::string& key) const
{
    std::string text;
    ReadString(file, section, key, text, KeinEintrag);
    return text != KeinEintrag;
}

bool TIniRegistry::ReadSection(const std::string& file, const std::string& section) const
{
    std::vector<char> buffer(SectionBufferSize);
    return GetPrivateProfileSection(section.c_str(), buffer.data(), SectionBufferSize,
                                    file.c_str()) > 0;
}

int32_t TIniRegistry::Read(const std::string& file, const TIniIntKey& key) const
{
    int32_t value = 0;
    ReadInteger(file, key.Section, key.Key, value, key.Default);
    return value;
}

bool TIniRegistry::Read(const std::string& file, const TIniBoolKey& key) const
{
    bool value = false;
    ReadBool(file, key.Section, key.Key, value, key.Default);
    return value;
}

std::string TIniRegistry::Read(const std::string& file, const TIniStringKey& key) const
{
    std::string value;
    ReadString(file, key.Section, key.Key, value, key.Default);
    return value;
}

bool TIniRegistry::Write(const std::string& file, const TIniIntKey& key, int32_t value) const
{
    return WriteInteger(file, key.Section, key.Key, value);
}

bool TIniRegistry::Write(const std::string& file, const TIniBoolKey& key, bool value) const
{
    return WriteBool(file, key.Section, key.Key, value);
}

bool TIniRegistry::Write(const std::string& file, const TIniStringKey& key,
                         const std::string& text) const
{
    return WriteString(file, key.Section, key.Key, text);
}
