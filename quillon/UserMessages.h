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

constexpr UINT UM_GetDataPointer = WM_USER + 101;
constexpr UINT UM_AktualisiereAnsicht = WM_USER + 102;
constexpr UINT UM_GetDatenSatz = WM_USER + 103;
constexpr UINT UM_DeleteNextDatenSatz = WM_USER + 105;
constexpr UINT UM_GetEibHandle = WM_USER + 107;
constexpr UINT UM_UserDeviceMessage = WM_USER + 109;
constexpr UINT UM_SetActiveCell = WM_USER + 112;
constexpr UINT UM_UpdateTreeNamesAndIcon = WM_USER + 114;
constexpr UINT UM_LinkToSubGroup = WM_USER + 121;
constexpr UINT UM_GetGrpAdrNr = WM_USER + 124;
constexpr UINT UM_GetGrpAdrNrAsZahl = WM_USER + 125;
constexpr UINT UM_GrpAdrSendendEin = WM_USER + 126;
constexpr UINT UM_GrpAdrSendendAus = WM_USER + 127;
constexpr UINT UM_ObjektFlag = WM_USER + 128;
constexpr UINT UM_OpenDlgGrpAdrToObject = WM_USER + 129;
constexpr UINT UM_AbgleichFormVerw = WM_USER + 133;
constexpr UINT UM_GetPhysAdr = WM_USER + 134;
constexpr UINT UM_UserObjectMessage = WM_USER + 137;
constexpr UINT UM_AktualisiereAndereAnsichten = WM_USER + 139;
// A plain look-up of a record by System and handle: the editor answers the record or 0 and
// never creates one (unlike UM_GetDatenSatz).
constexpr UINT UM_GetDatenSatzByHandle = WM_USER + 140;
constexpr UINT UM_AktualisiereKnoten = WM_USER + 142;
constexpr UINT UM_GetEtsDeviceParam = WM_USER + 146;
constexpr UINT UM_LinkToInternGroup = WM_USER + 148;

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
