#pragma once
// The ETS profile: settings ETS keeps for its user (not for a project), by section and key.
// The editor makes one object per group of accesses.
//
// Values are kept as text: an int as its decimal text, a bool as "1" or "0". A key the
// profile does not hold reads as the default given, with the result true. False means the
// value could not be had or stored (no project store, a stored text that is no number of
// the type asked for, a store error); the out value is then left as it was.

#include <string>

class TEts2Cdi;

class TEtsProfile {
public:
    // ets (not owned) may be null: every call then answers false.
    explicit TEtsProfile(TEts2Cdi* ets);

    bool Read(const std::string& section, const std::string& key, int defaultValue, int& value);
    bool Read(const std::string& section, const std::string& key, bool defaultValue, bool& value);
    bool Read(const std::string& section, const std::string& key, const std::string& defaultValue, std::string& value);

    bool Write(const std::string& section, const std::string& key, int value);
    bool Write(const std::string& section, const std::string& key, bool value);
    bool Write(const std::string& section, const std::string& key, const std::string& value);
    // A text literal is a text, not a bool.
    bool Write(const std::string& section, const std::string& key, const char* value)
    {
        return Write(section, key, std::string(value));
    }

private:
    TEts2Cdi* m_ets;
};
