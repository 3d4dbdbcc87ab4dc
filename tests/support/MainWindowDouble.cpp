#include "support/MainWindowDouble.h"

#include <set>

TMainWindowDouble::TMainWindowDouble()
{
    On(UM_GetDatenSatz, [this](WPARAM w, LPARAM l) { return GetDatenSatz(w, l); });
    On(UM_GetDatenSatzByHandle, [this](WPARAM w, LPARAM l) { return GetDatenSatzByHandle(w, l); });
    On(UM_DeleteNextDatenSatz, [this](WPARAM, LPARAM l) { return DeleteNextDatenSatz(l); });
    On(UM_GetEibHandle, [this](WPARAM, LPARAM) -> LRESULT {
        return m_handleSourceAvailable ? reinterpret_cast<LRESULT>(&m_handles) : 0;
    });
    On(UM_GetDataPointer, [this](WPARAM w, LPARAM) -> LRESULT {
        auto it = m_nodes.find(static_cast<int32_t>(w));
        return it == m_nodes.end() ? 0 : reinterpret_cast<LRESULT>(it->second);
    });
    On(UM_GetEtsDeviceParam, [this](WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>(m_deviceParamAccess);
    });
    On(UM_UserDeviceMessage, [this](WPARAM, LPARAM l) -> LRESULT {
        auto* request = reinterpret_cast<TUserDeviceRequest*>(l);
        if (!request)
            return 0;
        m_sentDevice.push_back(*request);
        auto it = m_deviceRequests.find(request->Code);
        return it == m_deviceRequests.end() ? 0 : it->second(*request);
    });
    On(UM_UserObjectMessage, [this](WPARAM, LPARAM l) -> LRESULT {
        auto* request = reinterpret_cast<TUserDeviceRequest*>(l);
        if (!request)
            return 0;
        m_sentObject.push_back(*request);
        auto it = m_objectRequests.find(request->Code);
        return it == m_objectRequests.end() ? 0 : it->second(*request);
    });
    On(UM_ObjektFlag, [this](WPARAM w, LPARAM l) -> LRESULT {
        auto* request = reinterpret_cast<TUserDeviceRequest*>(l);
        return request && m_objektFlag ? m_objektFlag(w, *request) : 0;
    });
}

TDatenStruktur& TMainWindowDouble::AddRecord(const TDatenStruktur& record)
{
    m_handles.MarkUsed(record.Handle);
    if (auto* existing = FindRecord(record.Handle)) {
        *existing = record;
        return *existing;
    }
    return m_records.emplace_back(record);
}

TDatenStruktur& TMainWindowDouble::AddNodeRecord(int32_t handle, int32_t parent, int32_t system)
{
    TDatenStruktur record;
    record.Handle = handle;
    record.Parent = parent;
    record.System = system;
    return AddRecord(record);
}

TDatenStruktur* TMainWindowDouble::FindRecord(int32_t handle)
{
    for (auto& record : m_records)
        if (record.Handle == handle)
            return &record;
    return nullptr;
}

LRESULT TMainWindowDouble::GetDatenSatz(WPARAM wParam, LPARAM lParam)
{
    const int32_t parent = LOWORD(wParam) == 0xFFFF ? -1 : LOWORD(wParam);
    const int32_t system = static_cast<int16_t>(HIWORD(wParam));
    const int32_t handle = static_cast<int32_t>(lParam);
    for (auto& record : m_records)
        if (record.Handle == handle && record.System == system
            && (parent == -1 || record.Parent == parent))
            return reinterpret_cast<LRESULT>(&record);
    TDatenStruktur created;
    created.Handle = handle;
    created.Parent = parent;
    created.System = system;
    return reinterpret_cast<LRESULT>(&m_records.emplace_back(created));
}

LRESULT TMainWindowDouble::GetDatenSatzByHandle(WPARAM wParam, LPARAM lParam)
{
    const int32_t system = static_cast<int32_t>(wParam);
    const int32_t handle = static_cast<int32_t>(lParam);
    for (auto& record : m_records)
        if (record.Handle == handle && record.System == system)
            return reinterpret_cast<LRESULT>(&record);
    return 0;
}

LRESULT TMainWindowDouble::DeleteNextDatenSatz(LPARAM lParam)
{
    std::set<int32_t> seen;
    int32_t handle = static_cast<int32_t>(lParam);
    while (handle != 0 && seen.insert(handle).second) {
        int32_t next = 0;
        for (auto it = m_records.begin(); it != m_records.end(); ++it) {
            if (it->Handle == handle) {
                next = it->Next;
                m_records.erase(it);
                break;
            }
        }
        handle = next;
    }
    return 0;
}
