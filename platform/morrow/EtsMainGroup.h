#pragma once
// One ETS main group with the middle groups under it. It owns its middle groups; pointers
// to them stay valid while the main group lives.

#include "morrow/EtsMiddleGroup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEtsMainGroup {
public:
    // Throws std::out_of_range for a number outside 0-15.
    TEtsMainGroup(std::int32_t etsId, std::int16_t number, std::string name);

    std::int32_t GetEtsId() const { return m_etsId; }
    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    // The main group's number (0-15).
    std::int16_t GetGrpAddr() const { return m_number; }
    std::int16_t GetNumber() const { return m_number; }
    // The first address word of the group, whatever the argument selects.
    std::uint16_t GetGrpAddr(std::int32_t /*auswahl*/) const
    {
        return static_cast<std::uint16_t>(m_number << 11);
    }

    // Takes the middle group over; it keeps its place at the end. Returns it. Throws
    // std::invalid_argument when it belongs to another main group.
    TEtsMiddleGroup* AddMiddleGroup(std::unique_ptr<TEtsMiddleGroup> middle);
    const std::vector<std::unique_ptr<TEtsMiddleGroup>>& MiddleGroups() const { return m_middles; }

    // Iteration in the order the middle groups were added; null at the end. One cursor per
    // main group: a nested walk over the same group restarts it.
    TEtsMiddleGroup* GetMiddleGroupFirst();
    TEtsMiddleGroup* GetMiddleGroupNext();

private:
    std::int32_t m_etsId;
    std::int16_t m_number;
    std::string m_name;
    std::vector<std::unique_ptr<TEtsMiddleGroup>> m_middles;
    std::size_t m_cursor = 0;
};
