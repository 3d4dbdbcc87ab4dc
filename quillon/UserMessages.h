#pragma once
// The window messages that the configuration nodes send or post to the editor's main window,
// and the request record that travels with UM_UserDeviceMessage, UM_UserObjectMessage and
// UM_ObjektFlag. Both libraries and the editor include this one header, so the record has
// one layout everywhere.

#include "win32/Windows.h"

#include <cstdint>
#include <string>

class TDataBasis;
class TDatenStruktur;

// The one table of the messages to the main window. Those without a sender in the libraries
// come from the editor's own windows and dialogs, or from outside components that know the
// main window's handle.
constexpr UINT UM_GetDataPointer = WM_USER + 101;
constexpr UINT UM_AktualisiereAnsicht = WM_USER + 102;
constexpr UINT UM_GetDatenSatz = WM_USER + 103;
constexpr UINT UM_DeleteNextDatenSatz = WM_USER + 105;
constexpr UINT UM_SetDataChanged = WM_USER + 106;
constexpr UINT UM_GetEibHandle = WM_USER + 107;
constexpr UINT UM_TimeOutStart = WM_USER + 108;
constexpr UINT UM_UserDeviceMessage = WM_USER + 109;
constexpr UINT UM_GridHook = WM_USER + 110;
constexpr UINT UM_LoadColor = WM_USER + 111;
constexpr UINT UM_SetActiveCell = WM_USER + 112;
constexpr UINT UM_LoadSize = WM_USER + 113;
constexpr UINT UM_UpdateTreeNamesAndIcon = WM_USER + 114;
constexpr UINT UM_AnsichtAktualisiert = WM_USER + 119;
constexpr UINT UM_ProcessDeviceMessage = WM_USER + 120;
constexpr UINT UM_LinkToSubGroup = WM_USER + 121;
constexpr UINT UM_UnLinkFromSubGroup = WM_USER + 122;
// lParam 0: nothing; 3: stop adding detectors; any other value: cancel the progress.
constexpr UINT UM_Abbrechen = WM_USER + 123;
constexpr UINT UM_GetGrpAdrNr = WM_USER + 124;
constexpr UINT UM_GetGrpAdrNrAsZahl = WM_USER + 125;
constexpr UINT UM_GrpAdrSendendEin = WM_USER + 126;
constexpr UINT UM_GrpAdrSendendAus = WM_USER + 127;
constexpr UINT UM_ObjektFlag = WM_USER + 128;
constexpr UINT UM_OpenDlgGrpAdrToObject = WM_USER + 129;
// Project windows register (posted), deregister (sent) and mark themselves current (posted).
constexpr UINT UM_AddFormVerw = WM_USER + 130;
constexpr UINT UM_RemoveFormVerw = WM_USER + 131;
constexpr UINT UM_ActivateFormVerw = WM_USER + 132;
constexpr UINT UM_AbgleichFormVerw = WM_USER + 133;
constexpr UINT UM_GetPhysAdr = WM_USER + 134;
constexpr UINT UM_SetObjFktToData = WM_USER + 135;
constexpr UINT UM_EtsObjektCheck = WM_USER + 136;
constexpr UINT UM_UserObjectMessage = WM_USER + 137;
// Handled by the project window: its grid ends the cell editor.
constexpr UINT UM_DeleteZellenKomponente = WM_USER + 138;
constexpr UINT UM_AktualisiereAndereAnsichten = WM_USER + 139;
// A plain look-up of a record by System and handle: the editor answers the record or 0 and
// never creates one (unlike UM_GetDatenSatz).
constexpr UINT UM_GetDatenSatzByHandle = WM_USER + 140;
constexpr UINT UM_AktualisiereKnoten = WM_USER + 142;
constexpr UINT UM_IsGrpAdrAvailable = WM_USER + 143;
constexpr UINT UM_GetEtsDeviceParam = WM_USER + 146;
constexpr UINT UM_LinkToInternGroup = WM_USER + 148;
constexpr UINT UM_MelderGridExitCell = WM_USER + 150;
// Handled by the project window: focuses the control in lParam when it is visible.
constexpr UINT UM_FocusControl = WM_USER + 159;

// wParam of UM_GetDatenSatz and UM_DeleteNextDatenSatz: parent handle in the low half,
// System handle in the high half. A parent of 0xFFFF stands for any parent.
constexpr WPARAM MakeDatenSatzKey(std::int32_t parent, std::int32_t system)
{
    return MAKELONG(static_cast<WORD>(parent & 0xFFFF), static_cast<WORD>(system & 0xFFFF));
}

// A request to the editor. It lives on the sender's stack; the editor writes into it only
// during the call. The editor's side names some fields differently: SenderRecord is
// Datensatz, Pointer is Wert3, Value1 ... Value5 are Wert4 ... Wert8.
struct TUserDeviceRequest {
    std::int32_t Handle = 0;        // the sender's node handle
    std::uint8_t Code = 0;          // the request code
    TDataBasis* Sender = nullptr;   // the sending node; the editor picks the case by its type
    TDatenStruktur* Datensatz = nullptr; // picks the case when Sender is null
    std::int32_t Reserve = 0;       // ETS device object id of a flag request
    std::string Text;               // text argument or answer (UTF-8)
    std::int32_t Wert1 = 0;
    std::int32_t Wert2 = 0;
    std::intptr_t Wert3 = 0;        // pointer-sized: lists and texts travel here
    std::int32_t Wert4 = 0;
    std::int32_t Wert5 = 0;
    std::int32_t Wert6 = 0;
    std::int32_t Wert7 = 0;
    std::int32_t Wert8 = 0;
};
