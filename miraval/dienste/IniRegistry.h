#pragma once
// The editor's settings store over its INI file. The class holds neither settings nor a file
// handle: every operation opens, reads or writes and closes the file, so a caller makes a
// local object for a group of accesses. Every operation takes the INI file's path first,
// then the section, then the key. Texts are UTF-8 (the file is UTF-8).
//
// Stored encodings, which existing files rely on: integers as signed decimal text, booleans
// as "1" and "0", colours with the top bit set (system colours) as negative decimals.

#include "miraval/dienste/IniKeys.h"

#include <cstdint>
#include <string>

class TIniRegistry {
public:
    // Longest text ReadString delivers, in characters.
    static constexpr std::size_t MaxStringLength = 1023;
    // ValueExists reads the key with this default; a key holding exactly this text therefore
    // counts as absent.
    static constexpr const char* KeinEintrag = "##kein Eintrag gefunden##";

    // out := the key's value (trimmed, at most 1023 characters) or def when the key is
    // missing. True when the text delivered is not empty.
    bool ReadString(const std::string& file, const std::string& section, const std::string& key,
                    std::string& out, const std::string& def) const;
    // out := the key's value as an integer, or def when missing. Always true.
    bool ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                     int32_t& out, int32_t def) const;
    // out := the key's integer value != 0 (def as 1 or 0 when missing). Always true.
    bool ReadBool(const std::string& file, const std::string& section, const std::string& key,
                  bool& out, bool def) const;

    // Write key=value, creating file, section and key as needed. False when the write failed
    // (the editor does not report it; the in-memory value stays).
    [[nodiscard]] bool WriteString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& text) const;
    [[nodiscard]] bool WriteInteger(const std::string& file, const std::string& section,
                                    const std::string& key, int32_t value) const;
    [[nodiscard]] bool WriteBool(const std::string& file, const std::string& section,
                                 const std::string& key, bool value) const;

    // The key is present in the section (an empty value counts as present).
    [[nodiscard]] bool ValueExists(const std::string& file, const std::string& section,
                                   const std::string& key) const;
    // The section holds at least one entry.
    [[nodiscard]] bool ReadSection(const std::string& file, const std::string& section) const;

    // The same through the key table (IniKeys.h): the table's section, key and default.
    int32_t Read(const std::string& file, const TIniIntKey& key) const;
    bool Read(const std::string& file, const TIniBoolKey& key) const;
    std::string Read(const std::string& file, const TIniStringKey& key) const;
    [[nodiscard]] bool Write(const std::string& file, const TIniIntKey& key, int32_t value) const;
    [[nodiscard]] bool Write(const std::string& file, const TIniBoolKey& key, bool value) const;
    [[nodiscard]] bool Write(const std::string& file, const TIniStringKey& key,
                             const std::string& text) const;
};
