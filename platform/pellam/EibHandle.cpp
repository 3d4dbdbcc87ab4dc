#include "pellam/EibHandle.h"

#include "tamsel/Tamsel.h"

TEibHandle::TEibHandle() : m_used(static_cast<std::size_t>(MaxHandle) + 1, false)
{
    LOG_FKT("TEibHandle::TEibHandle");
}

TEibHandle::TEibHandle(const std::vector<int32_t>& inUse) : TEibHandle()
{
    LOG_FKT("TEibHandle::TEibHandle");
    for (int32_t handle : inUse)
        MarkUsed(handle);
}

int32_t TEibHandle::GetNew()
{
    LOG_FKT("TEibHandle::GetNew");
    for (int32_t handle = m_searchFrom; handle <= MaxHandle; ++handle) {
        if (!m_used[static_cast<std::size_t>(handle)]) {
            m_used[static_cast<std::size_t>(handle)] = true;
            ++m_usedCount;
            m_searchFrom = handle + 1;
            return handle;
        }
    }
    m_searchFrom = MaxHandle + 1;
    return -1;
}

bool TEibHandle::MarkUsed(int32_t handle)
{
    LOG_FKT("TEibHandle::MarkUsed");
    if (!InRange(handle))
        return false;
    if (!m_used[static_cast<std::size_t>(handle)]) {
        m_used[static_cast<std::size_t>(handle)] = true;
        ++m_usedCount;
    }
    return true;
}

bool TEibHandle::Release(int32_t handle)
{
    LOG_FKT("TEibHandle::Release");
    if (!InRange(handle) || !m_used[static_cast<std::size_t>(handle)])
        return false;
    m_used[static_cast<std::size_t>(handle)] = false;
    --m_usedCount;
    if (handle < m_searchFrom)
        m_searchFrom = handle;
    return true;
}

bool TEibHandle::IsUsed(int32_t handle) const
{
    LOG_FKT("TEibHandle::IsUsed");
    return InRange(handle) && m_used[static_cast<std::size_t>(handle)];
}
