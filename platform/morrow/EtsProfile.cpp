#include "morrow/EtsProfile.h"

#include "kestrin/Ets2Cdi.h"

#include <charconv>

TEtsProfile::TEtsProfile(TEts2Cdi* ets)
    : m_ets(ets)
{
}

bool TEtsProfile::Read(const std::string& section, const std::string& key, const std::string& defaultValue,
                       std::string& value)
{
    std::string text;
    bool found = false;
    if (!m_ets || !m_ets->ProfileRead(section, key, text, found))
        return false;
    value = found ? text : defaultValue;
    return true;
}

bool TEtsProfile::Read(const std::string& section, const std::string& key, int defaultValue, int& value)
{
    std::string text;
    bool found = false;
    if (!m_ets || !m_ets->ProfileRead(section, key, text, found))
        return false;
    if (!found) {
        value = defaultValue;
        return true;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return false;
    value = number;
    return true;
}

bool TEtsProfile::Read(const std::string& section, const std::string& key, bool defaultValue, bool& value)
{
    int number = defaultValue ? 1 : 0;
    if (!Read(section, key, number, number) || (number != 0 && number != 1))
        return false;
    value = number == 1;
    return true;
}

bool TEtsProfile::Write(const std::string& section, const std::string& key, const std::string& value)
{
    return m_ets && m_ets->ProfileWrite(section, key, value);
}

bool TEtsProfile::Write(const std::string& section, const std::string& key, int value)
{
    return Write(section, key, std::to_string(value));
}

bool TEtsProfile::Write(const std::string& section, const std::string& key, bool value)
{
    return Write(section, key, std::string(value ? "1" : "0"));
}
