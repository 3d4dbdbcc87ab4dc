#pragma once
// The handle source of one device: hands out record handles that no record of the device
// uses yet. Handles travel as 16-bit halves of window messages, so they stay within
// 1..MaxHandle; 0 is never handed out (a record with Handle 0 has none yet).
//
// The source knows only what it is told: the handles in use when it is built, every handle
// it hands out, and MarkUsed/Release as records appear and go.

#include <cstdint>
#include <vector>

class TEibHandle {
public:
    static constexpr int32_t MaxHandle = 32767;

    TEibHandle();
    // The handles of the loaded records; values outside 1..MaxHandle are ignored.
    explicit TEibHandle(const std::vector<int32_t>& inUse);

    // The lowest handle from 1 upward that is not in use, now marked as used; -1 when every
    // handle up to MaxHandle is in use.
    [[nodiscard]] int32_t GetNew();

    // Marks a handle as used; false (and nothing marked) outside 1..MaxHandle.
    bool MarkUsed(int32_t handle);
    // Makes a handle available again; false when it was not in use or is outside the range.
    bool Release(int32_t handle);
    bool IsUsed(int32_t handle) const;
    // How many handles are in use.
    int32_t UsedCount() const { return m_usedCount; }

private:
    static bool InRange(int32_t handle) { return handle >= 1 && handle <= MaxHandle; }

    std::vector<bool> m_used;  // index = handle; index 0 unused
    int32_t m_searchFrom = 1;  // no handle below this is free
    int32_t m_usedCount = 0;
};
