#pragma once
// The group-address tree of the ETS project, read for one device (the project it is in):
// main groups, their middle groups, their sub groups (the group addresses).
//
// The reader owns the group objects. Einlesen replaces the tree; the objects of the tree
// before stay alive until the next Einlesen (or the reader's end), so pointers held by
// tree nodes stay valid while the editor rebuilds them. Iteration cursors: one over the
// main groups here, one in each main and middle group.
//
// Level style: with three levels a sub group's number is its sub address 0-255 and texts
// read "1/2/3"; with two levels the sub address is 0-2047 and texts read "1/515". Set the
// flag before Einlesen; texts follow the flag as it is when they are made.

#include "morrow/EtsMainGroup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TEts2Cdi;

class TEtsGruppenAdressen {
public:
    // ets (not owned) may be null: nothing can be read or made then.
    explicit TEtsGruppenAdressen(TEts2Cdi* ets);
    ~TEtsGruppenAdressen();
    TEtsGruppenAdressen(const TEtsGruppenAdressen&) = delete;
    TEtsGruppenAdressen& operator=(const TEtsGruppenAdressen&) = delete;

    void SetDreiEbenen(bool dreiEbenen) { m_dreiEbenen = dreiEbenen; }
    bool GetDreiEbenen() const { return m_dreiEbenen; }

    // Reads the tree of the device's project. False (and an empty tree) for an unknown
    // device or without a store.
    bool Einlesen(std::int32_t deviceId);

    // In number order; null at the end.
    TEtsMainGroup* GetMainGroupFirst();
    TEtsMainGroup* GetMainGroupNext();
    TEtsMiddleGroup* GetMiddleGroupFirst(TEtsMainGroup* main) { return main ? main->GetMiddleGroupFirst() : nullptr; }
    TEtsMiddleGroup* GetMiddleGroupNext(TEtsMainGroup* main) { return main ? main->GetMiddleGroupNext() : nullptr; }
    TEtsSubGroup* GetSubGroupFirst(TEtsMiddleGroup* middle) { return middle ? middle->GetSubGroupFirst() : nullptr; }
    TEtsSubGroup* GetSubGroupNext(TEtsMiddleGroup* middle) { return middle ? middle->GetSubGroupNext() : nullptr; }

    // Makes the group address main << 11 | middle << 8 | sub (main 0-15, middle 0-7, sub
    // 0-255) in the project of the device last read, with its main and middle group when
    // they are missing; this is the triple the address dialogs give in both level styles
    // (two levels "1/515": 1, 2, 3). With two levels, middle 0 with a sub address 0-2047
    // is taken as well. An address that exists answers true with its sub group (the name
    // is left as it is). False, and sub null, for a number out of range, the address
    // 0/0/0, no tree read yet, or a store error.
    bool CreateGroupAddress(TEtsSubGroup*& sub, std::int16_t main, std::int16_t middle, std::int16_t subAddress,
                            const std::string& name);

    // The sub group with that ETS id in the tree; null when it is not there.
    TEtsSubGroup* FindSubGroup(std::int32_t subGroupId) const;
    // The address word of the sub group (asked of the project when the tree lacks it);
    // 0 when there is none.
    std::uint16_t GetGrpAddr(std::int32_t subGroupId);
    // Its text in the level style; empty when there is none.
    std::string GrpAddrString(std::int32_t subGroupId);
    // The text of an address word in a level style: "1/2/3" or "1/515".
    static std::string GrpAddrString(std::uint16_t word, bool dreiEbenen);

private:
    using TSubEintrag = std::pair<std::int32_t, TEtsSubGroup*>;
    static bool KleinereId(const TSubEintrag& a, const TSubEintrag& b);
    std::vector<TSubEintrag>::const_iterator SubStelle(std::int32_t id) const;
    TEtsMainGroup* MainGroup(std::int32_t id, std::int16_t number, const std::string& name);

    TEts2Cdi* m_ets;
    bool m_dreiEbenen = true;
    std::int32_t m_deviceId = 0;
    bool m_read = false;
    std::vector<std::unique_ptr<TEtsMainGroup>> m_mains;
    std::vector<std::unique_ptr<TEtsMainGroup>> m_before;
    // Every sub group of the tree by ETS id, sorted by it.
    std::vector<TSubEintrag> m_subs;
    std::size_t m_cursor = 0;
};
