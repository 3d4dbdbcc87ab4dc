#pragma once
// One ETS middle group with the sub groups under it. It owns its sub groups; pointers to
// them stay valid while the middle group lives. In the two-level style the project still
// has middle groups (the bits 10-8 of the sub address); the editor just does not show them.

#include "morrow/EtsSubGroup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEtsMiddleGroup {
public:
    // Throws std::out_of_range for a main number outside 0-15 or a number outside 0-7.
    TEtsMiddleGroup(std::int32_t etsId, std::int16_t mainNumber, std::int16_t number, std::string name);

    std::int32_t GetEtsId() const { return m_etsId; }
    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    // The middle group's number within its main group (0-7).
    std::int16_t GetGrpAddr() const { return m_number; }
    std::int16_t GetNumber() const { return m_number; }
    std::int16_t GetMainNumber() const { return m_mainNumber; }
    // The first address word of the group (sub address 0), whatever the argument selects.
    std::uint16_t GetGrpAddr(std::int32_t /*auswahl*/) const
    {
        return static_cast<std::uint16_t>((m_mainNumber << 11) | (m_number << 8));
    }

    // Takes the sub group over; it keeps its place at the end. Returns it. Throws
    // std::invalid_argument when its address word lies in another middle group.
    TEtsSubGroup* AddSubGroup(std::unique_ptr<TEtsSubGroup> sub);
    const std::vector<std::unique_ptr<TEtsSubGroup>>& SubGroups() const { return m_subs; }

    // Iteration in the order the sub groups were added; null at the end. One cursor per
    // middle group: a nested walk over the same group restarts it.
    TEtsSubGroup* GetSubGroupFirst();
    TEtsSubGroup* GetSubGroupNext();

private:
    std::int32_t m_etsId;
    std::int16_t m_mainNumber;
    std::int16_t m_number;
    std::string m_name;
    std::vector<std::unique_ptr<TEtsSubGroup>> m_subs;
    std::size_t m_cursor = 0;
};
