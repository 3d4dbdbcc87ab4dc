#pragma once
// A stand-in for the editor's main window in node tests. It keeps the device's records and
// answers the record messages the way the editor does, hands out the handle source and the
// device-parameter access, and lets each test answer the request codes it needs. Every send
// and post is recorded in order (TRecordingWindow).
//
// Record messages:
//   UM_GetDatenSatz          the record with that handle, System and parent (0xFFFF: any
//                            parent); a missing one is created with that handle, parent (-1
//                            for 0xFFFF) and System, so the answer is never null
//   UM_GetDatenSatzByHandle  the record with that System and handle, or 0; never creates
//   UM_DeleteNextDatenSatz   removes the record and its chain through Next (a repeated
//                            handle ends the chain)
//   UM_GetEibHandle          the handle source
//   UM_GetDataPointer        the node registered under the handle, or 0
//   UM_GetEtsDeviceParam     the device-parameter access (a recorder unless replaced)
// Requests (UM_UserDeviceMessage, UM_UserObjectMessage, UM_ObjektFlag) go to the handler set
// for their code; a code without a handler answers 0 and changes nothing. Any other message
// can be answered with On()/Answer() of the recording window.

#include "support/EtsDeviceParamRecorder.h"
#include "pellam/EibHandle.h"
#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "support/RecordingWindow.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>

class TDataBasis;

class TMainWindowDouble : public TRecordingWindow {
public:
    using TRequestHandler = std::function<LRESULT(TUserDeviceRequest&)>;

    TMainWindowDouble();

    // --- records of the device ----------------------------------------------------------
    // Adds (or replaces, by handle) a record; the handle is marked used in the handle source.
    TDatenStruktur& AddRecord(const TDatenStruktur& record);
    // Adds an empty record with that handle, parent and System: what a node under test
    // finds when it writes itself.
    TDatenStruktur& AddNodeRecord(int32_t handle, int32_t parent, int32_t system);
    // The record with that handle, or null.
    TDatenStruktur* FindRecord(int32_t handle);
    // Records in the order they were added or created.
    std::list<TDatenStruktur>& Records() { return m_records; }
    std::size_t RecordCount() const { return m_records.size(); }

    TEibHandle& Handles() { return m_handles; }
    // Whether UM_GetEibHandle answers the handle source (true) or 0.
    void SetHandleSourceAvailable(bool available) { m_handleSourceAvailable = available; }

    // --- nodes ---------------------------------------------------------------------------
    void RegisterNode(int32_t handle, TDataBasis* node) { m_nodes[handle] = node; }

    // --- device parameters -----------------------------------------------------------------
    TEtsDeviceParamRecorder& DeviceParams() { return m_deviceParams; }
    // What UM_GetEtsDeviceParam answers; null plays "ETS not reachable".
    void SetDeviceParamAccess(TEtsDeviceParam* access) { m_deviceParamAccess = access; }

    // --- requests ------------------------------------------------------------------------
    void OnDeviceRequest(std::uint8_t code, TRequestHandler handler)
    {
        m_deviceRequests[code] = std::move(handler);
    }
    void OnObjectRequest(std::uint8_t code, TRequestHandler handler)
    {
        m_objectRequests[code] = std::move(handler);
    }
    // UM_ObjektFlag: the handler also gets wParam (0 set the flag, other: check it).
    void OnObjektFlag(std::function<LRESULT(WPARAM, TUserDeviceRequest&)> handler)
    {
        m_objektFlag = std::move(handler);
    }
    // Copies of the requests as they arrived, in order (Text and values as sent).
    const std::vector<TUserDeviceRequest>& DeviceRequests() const { return m_sentDevice; }
    const std::vector<TUserDeviceRequest>& ObjectRequests() const { return m_sentObject; }

private:
    LRESULT GetDatenSatz(WPARAM wParam, LPARAM lParam);
    LRESULT GetDatenSatzByHandle(WPARAM wParam, LPARAM lParam);
    LRESULT DeleteNextDatenSatz(LPARAM lParam);

    std::list<TDatenStruktur> m_records; // a list: pointers handed out stay valid
    TEibHandle m_handles;
    bool m_handleSourceAvailable = true;
    std::map<int32_t, TDataBasis*> m_nodes;
    TEtsDeviceParamRecorder m_deviceParams;
    TEtsDeviceParam* m_deviceParamAccess = &m_deviceParams;
    std::map<std::uint8_t, TRequestHandler> m_deviceRequests;
    std::map<std::uint8_t, TRequestHandler> m_objectRequests;
    std::function<LRESULT(WPARAM, TUserDeviceRequest&)> m_objektFlag;
    std::vector<TUserDeviceRequest> m_sentDevice;
    std::vector<TUserDeviceRequest> m_sentObject;
};
