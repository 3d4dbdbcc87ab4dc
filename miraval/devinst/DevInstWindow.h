#pragma once
// The nodes' messages that the device instance answers (the record, registry, request and
// ETS-access messages), routed to the current instance; a window that does only this, for
// running the device instance without the editor's main window.
//
// DevInstMessage is the routing itself, so the main window's dispatcher hands these messages
// on through the same function. Without a current instance each of them answers 0.

#include "win32/Windows.h"

#include <utility>

class TDeviceInstanz;

// Answers msg for the instance (null: none current) and sets handled; handled is false, and
// the answer 0, for a message that is none of the instance's.
//   UM_GetDataPointer         wParam handle                  -> the registered node or 0
//   UM_GetDatenSatz           MAKELONG(Parent, System), lParam handle -> the record, made when
//                             missing (Parent 0xFFFF: any parent; System read as signed 16 bit)
//   UM_GetDatenSatzByHandle   wParam System, lParam handle   -> the record or 0, never made
//   UM_DeleteNextDatenSatz    MAKELONG(Parent, System), lParam first handle of the chain
//   UM_GetEibHandle                                          -> the handle source or 0
//   UM_GetEtsDeviceParam                                     -> the device-parameter access
//   UM_GetPhysAdr             wParam ETS device id, lParam std::string* out
//   UM_GetGrpAdrNr            wParam ETS sub-group id, lParam std::string* out   -> 1 or 0
//   UM_GetGrpAdrNrAsZahl      wParam ETS sub-group id, lParam uint16_t* out      -> 1 or 0
//   UM_UserDeviceMessage      lParam TUserDeviceRequest*     -> UserDeviceMessage(window, request)
//   UM_UserObjectMessage      lParam TUserDeviceRequest*     -> UserDeviceMessage(request)
LRESULT DevInstMessage(TDeviceInstanz* instanz, HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       bool& handled);

class TDevInstWindow {
public:
    TDevInstWindow();
    ~TDevInstWindow();
    TDevInstWindow(const TDevInstWindow&) = delete;
    TDevInstWindow& operator=(const TDevInstWindow&) = delete;

    HWND Handle() const { return m_handle; }
    // The instance the messages go to (not owned; null: none).
    void SetAktDevInst(TDeviceInstanz* instanz) { m_instanz = instanz; }
    TDeviceInstanz* GetAktDevInst() const { return m_instanz; }
    // Answers every message the routing has no case for (default: 0).
    void SetSonstige(WNDPROC sonstige) { m_sonstige = std::move(sonstige); }

private:
    LRESULT Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_handle = nullptr;
    TDeviceInstanz* m_instanz = nullptr;
    WNDPROC m_sonstige;
};
