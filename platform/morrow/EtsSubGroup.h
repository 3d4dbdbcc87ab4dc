#pragma once
// One ETS sub group, that is one complete group address of the project: plain data as the
// group-address reader (TEtsGruppenAdressen) hands it to the editor's tree nodes.
//
// Address word (16 bits): bits 14-11 main group, 10-8 middle group, 7-0 sub address in the
// three-level style; bits 10-0 sub address in the two-level style. Bit 15 is always 0 and
// the word 0 is no group address.

#include <cstdint>
#include <string>

class TEtsSubGroup {
public:
    // Throws std::out_of_range for a word outside 1..0x7FFF. The level number is the sub
    // address within the middle group (three levels) or within the main group (two levels).
    TEtsSubGroup(std::int32_t etsId, std::uint16_t grpAddr, std::string name,
                 std::int16_t objektTyp = -1, bool dreiEbenen = true);

    std::int32_t GetEtsId() const { return m_etsId; }
    const std::string& GetName() const { return m_name; }
    // The complete address word.
    std::uint16_t GetGrpAddr() const { return m_grpAddr; }
    // The complete address word, whatever the argument selects: a sub group has no other.
    std::uint16_t GetGrpAddr(std::int32_t /*auswahl*/) const { return m_grpAddr; }
    // Number within its level: 0-255 (three levels) or 0-2047 (two levels).
    std::int16_t GetNumber() const { return m_number; }
    std::int16_t GetMainNumber() const { return static_cast<std::int16_t>((m_grpAddr >> 11) & 0xF); }
    std::int16_t GetMiddleNumber() const { return static_cast<std::int16_t>((m_grpAddr >> 8) & 0x7); }

    // Size code of the data the group carries (0 "1 Bit" .. 15 "VARDATA"); -1 while free,
    // that is while no object has given it a type.
    std::int16_t GetObjektTyp() const { return m_objektTyp; }
    void SetObjektTyp(std::int16_t typ) { m_objektTyp = typ; }
    void SetName(std::string name) { m_name = std::move(name); }

private:
    std::int32_t m_etsId;
    std::uint16_t m_grpAddr;
    std::int16_t m_number;
    std::int16_t m_objektTyp;
    std::string m_name;
};
