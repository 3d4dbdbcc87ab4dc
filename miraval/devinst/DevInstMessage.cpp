#include "miraval/devinst/DevInstMessage.h"

#include "miraval/devinst/DevInst.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"

#include <string>

namespace {

template <class T> LRESULT Zeiger(T* p)
{
    return reinterpret_cast<LRESULT>(p);
}

// The Parent half of a record key: 0xFFFF stands for any parent.
int32_t ParentAusKey(WPARAM wParam)
{
    const WORD parent = LOWORD(wParam);
    return parent == 0xFFFF ? -1 : static_cast<int32_t>(parent);
}

int32_t SystemAusKey(WPARAM wParam)
{
    return static_cast<int16_t>(HIWORD(wParam));
}

LRESULT Antwort(TDeviceInstanz& instanz, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace

LRESULT DevInstMessage(TDeviceInstanz* instanz, HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       bool& handled)
{
    LOG_FKT("DevInstMessage");
    handled = true;
    switch (msg) {
    case UM_GetDataPointer:
    case UM_GetDatenSatz:
    case UM_GetDatenSatzByHandle:
    case UM_DeleteNextDatenSatz:
    case UM_GetEibHandle:
    case UM_GetEtsDeviceParam:
    case UM_GetPhysAdr:
    case UM_UserDeviceMessage:
    case UM_UserObjectMessage:
    case UM_GetGrpAdrNr:
    case UM_GetGrpAdrNrAsZahl:
        break;
    default:
        handled = false;
        return 0;
    }
    if (instanz == nullptr)
        return 0;
    try {
        return Antwort(*instanz, window, msg, wParam, lParam);
    } catch (const E_Basis& e) {
        // A structural fault of the instance reaches the user, not the sending node.
        e.WriteMessage();
        return 0;
    }
}

namespace {

// The answer of the instance to one of its messages.
LRESULT Antwort(TDeviceInstanz& instanz, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case UM_GetDataPointer:
        return Zeiger(instanz.FindHandle(static_cast<int32_t>(wParam)));
    case UM_GetDatenSatz:
        return Zeiger(instanz.GetDatenSatz(SystemAusKey(wParam), ParentAusKey(wParam), static_cast<int32_t>(lParam)));
    case UM_GetDatenSatzByHandle:
        return Zeiger(instanz.FindDatenSatz(static_cast<int32_t>(wParam), -1, static_cast<int32_t>(lParam)));
    case UM_DeleteNextDatenSatz:
        instanz.DeleteNextDatenSatz(SystemAusKey(wParam), ParentAusKey(wParam), static_cast<int32_t>(lParam));
        return 0;
    case UM_GetEibHandle:
        return Zeiger(instanz.GetEibHandle());
    case UM_GetEtsDeviceParam:
        return Zeiger(instanz.GetEtsDeviceParam());
    case UM_GetPhysAdr:
        if (auto* text = reinterpret_cast<std::string*>(lParam))
            *text = instanz.GetPhysAdr(static_cast<int32_t>(wParam));
        return 0;
    case UM_UserDeviceMessage:
        return instanz.UserDeviceMessage(window, reinterpret_cast<TUserDeviceRequest*>(lParam));
    case UM_UserObjectMessage:
        return instanz.UserDeviceMessage(reinterpret_cast<TUserDeviceRequest*>(lParam));
    case UM_GetGrpAdrNr:
        return instanz.GetGrpAdrNr(static_cast<int32_t>(wParam), reinterpret_cast<std::string*>(lParam)) ? 1 : 0;
    case UM_GetGrpAdrNrAsZahl:
        return instanz.GetGrpAdrNrAsZahl(static_cast<int32_t>(wParam), reinterpret_cast<uint16_t*>(lParam)) ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace
