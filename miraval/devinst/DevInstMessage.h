#pragma once
// The nodes' messages that the device instance answers (the record, registry, request and
// ETS-access messages), routed to the current instance. The main window's dispatcher hands
// these messages on through this one function, and so do the tests' stand-in windows.
// Without a current instance each of them answers 0.

#include "win32/Windows.h"


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
