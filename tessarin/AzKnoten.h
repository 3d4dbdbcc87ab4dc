#pragma once
// The mechanics every alarm-centre node class shares, written once: the end of a grid edit
// (five flags acted on in one fixed order), the frame of BuildInfoWindow, the device-parameter
// writer, the packing of a 14-character device text into four parameters, the request record
// sent to the editor, the type test of Einfuegen, and reading the grid's cell editors.
//
// The classes derive from TDataBasis, TOrdner or TVireoEtsDevice directly and call these
// functions; none of them keeps a copy. tessarin/README.md tells what a class must do.
//
// Everything here reaches the editor only through window messages to the node's owner
// window (GetOwnerWindow), as the node itself would.

#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "rastow/DrawGridSE.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class TDataBasis;
class TEtsDeviceParam;
class TObject;

namespace AzKnoten {

// --- Grid edits ------------------------------------------------------------------------------

// The grid-edit flags of one handler call: all false at its start, raised by the handler,
// acted on by FinishGridEdit in this order (the order of the members).
struct TGridEditFlags {
    bool Write = false;      // UM_GetDatenSatz, then the node's Write into the answer
    bool Align = false;      // UM_AbgleichFormVerw (column, row), posted
    bool Refresh = false;    // UM_AktualisiereAnsicht (column, row), posted
    bool OtherViews = false; // UM_AktualisiereAndereAnsichten (0, 0), posted
    bool Tree = false;       // UM_UpdateTreeNamesAndIcon (0, 0), posted

    bool Any() const { return Write || Align || Refresh || OtherViews || Tree; }
};

// The write step: sends UM_GetDatenSatz with wParam = (System << 16) | (parent & 0xFFFF) and
// lParam = the node's handle and has the node Write itself into the record answered. False
// (nothing written) when the editor answers no record (no device is being edited).
bool WriteRecord(TDataBasis& node);

// Acts on the raised flags in the fixed order of TGridEditFlags. column and row are the
// edited cell as the grid reported it. No flag raised: nothing is sent or posted.
void FinishGridEdit(TDataBasis& node, const TGridEditFlags& flags, int column, int row);

// --- BuildInfoWindow -------------------------------------------------------------------------

// The first steps of every BuildInfoWindow. With no grid: false, nothing happens, and the
// class returns at once. Otherwise: when tagWhenFlagged and the node's flag is set, the
// grid's Tag becomes -1 (only the classes whose rows say so pass true); then Prepare(2) and
// the eight handlers of the node bound to the grid's event slots; true.
//
// Node must have these public members (the grid's closure forms):
//   void GridComboBoxChange(TObject*, TCell&, int, int);
//   void GridEditChange(TObject*, TCell&, int, int);
//   void GridSpinEditChange(TObject*, TCell&, int, int);
//   void GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double);
//   void GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double);
//   void GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int);
//   void GridExit(TDrawGridSE*, TObject*, TCell&, int, int);
//   void GridEllipseClick(TObject*, TCell&, int, int);
template <class Node>
bool BeginInfoWindow(Node& node, TDrawGridSE* grid, bool tagWhenFlagged = false);

// The last step of every BuildInfoWindow: posts UM_SetActiveCell (wParam column, lParam row)
// when column >= 0 or row >= 0, so the editor activates the edited cell again after the
// rebuild; nothing when both are negative.
void EndInfoWindow(TDataBasis& node, int column, int row);

// --- Device parameters -----------------------------------------------------------------------

// Sends UM_GetEtsDeviceParam (0, 0) and answers the device-parameter access. When the editor
// answers none (ETS not reachable), the box "Die Parameter konnten nicht in der Ets
// gespeichert werden." / "Fehler beim Zugriff auf Ets" / MB_OK is shown and null answered.
TEtsDeviceParam* GetDeviceParam(TDataBasis& node);

// The device-parameter writer: one GetDeviceParam on construction (so one box when ETS is
// not reachable), then one SetDeviceParamData per Set, in the order of the calls.
//   TParamWriter writer(*this);
//   if (!writer) return;
//   writer.Set(10070, static_cast<int32_t>(m_varianteAz));
// Values: pass the member itself; an 8-bit signed member (int8_t) is sign-extended, an 8-bit
// unsigned one (uint8_t) zero-extended and a bool gives 0 or 1 by the usual conversions; a
// 32-bit member goes unchanged (an unsigned one as its bit pattern). The result of each call
// is not looked at.
class TParamWriter {
public:
    explicit TParamWriter(TDataBasis& node);

    explicit operator bool() const { return m_access != nullptr; }
    TEtsDeviceParam* Access() const { return m_access; }

    // Writes the value to the parameter. A number outside 1..32767 names no parameter (0 is
    // what a node's parameter numbers hold before they are set): nothing is written and the
    // skip is traced. Nothing either when the writer has no access.
    void Set(int number, int32_t value);

private:
    TEtsDeviceParam* m_access;
};

// The byte order of a 32-bit value reversed (byte 0 becomes byte 3, byte 1 byte 2, ...).
uint32_t SwapDword(uint32_t value);

// The four parameter values of a device text given as Windows-1252 bytes: the first 16
// bytes (up to a NUL byte) in a zero-padded buffer, each group of four bytes b0 b1 b2 b3 as
// (b0 << 24) | (b1 << 16) | (b2 << 8) | b3 with the bytes unsigned; the fourth value shifted
// right by 16, so only characters 13 and 14 remain. Characters 15 and 16 are never written.
std::array<uint32_t, 4> PackDeviceText(std::string_view cp1252);

// Writes a UTF-8 text of up to 14 characters into the parameters number .. number+3: the
// text is converted to Windows-1252, then packed (PackDeviceText). Obtains the access itself
// (GetDeviceParam: one box per call when ETS is not reachable). A text that Windows-1252
// cannot hold (texts are checked where they are typed, so only a damaged record gets here)
// and a number outside 1..32764 write nothing and are traced. True when written.
bool SetStringToDeviceParamData(TDataBasis& node, int number, const std::string& text);

// --- Requests --------------------------------------------------------------------------------

// A request of the node: every field value-initialised, Handle = the node's handle, Code,
// Sender = the node, Text empty. The caller fills the values its code needs.
TUserDeviceRequest MakeRequest(TDataBasis& node, uint8_t code);
// Sends UM_UserDeviceMessage (wParam 0, lParam the request); the editor's answer.
LRESULT SendRequest(TDataBasis& node, TUserDeviceRequest& request);

// --- Einfuegen -------------------------------------------------------------------------------

// The first record, in ascending key order, whose Typ (16-bit, signed) equals the node's
// GetTyp; null when none has it. Einfuegen of a class:
//   return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
const TDatenStruktur* FindOwnType(TDataBasis& node, const std::map<int, TDatenStruktur>& records);

// --- Cell editors ----------------------------------------------------------------------------
// Handlers tell the grid's editors apart by class name. Each reader answers false, and leaves
// its output untouched, when the sender is null or another editor.

// "TQmSpinEdit": its 16-bit value, sign-extended.
bool SpinValue(TObject* sender, int32_t& value);
// "TDrawGridSEEdit": its text.
bool EditText(TObject* sender, std::string& text);
// "TDrawGridSEComboBox": the text of its edit field.
bool ComboText(TObject* sender, std::string& text);
// "TDrawGridSEComboBox": the chosen position. False when the combo reports no selection
// (-1): the caller leaves its member unchanged, since -1 is no value a member may take.
bool ComboIndex(TObject* sender, int32_t& index);
// "TDrawGridSEComboBox": the chosen entry's own value (ItemValue). False when no entry is
// chosen: the caller leaves its member unchanged.
bool ComboValue(TObject* sender, int32_t& value);

// --- Typed texts -----------------------------------------------------------------------------

// Whether a typed text can be kept: texts are stored as Windows-1252 bytes (configuration
// container, device texts). A text with a character that Windows-1252 cannot hold (or that
// is not well-formed UTF-8) is refused: a box names the character, false; the caller leaves
// its member unchanged.
bool AcceptTypedText(TDataBasis& node, const std::string& text);

// --- Template definitions --------------------------------------------------------------------

namespace detail {
bool BeginInfoWindowFrame(TDataBasis& node, TDrawGridSE* grid, bool tagWhenFlagged);
} // namespace detail

template <class Node>
bool BeginInfoWindow(Node& node, TDrawGridSE* grid, bool tagWhenFlagged)
{
    if (!detail::BeginInfoWindowFrame(node, grid, tagWhenFlagged))
        return false;
    grid->OnComboBoxChange = Closure(&node, &Node::GridComboBoxChange);
    grid->OnEditChange = Closure(&node, &Node::GridEditChange);
    grid->OnSpinEditChange = Closure(&node, &Node::GridSpinEditChange);
    grid->OnSpinEditOverflow = Closure(&node, &Node::GridSpinEditOverflow);
    grid->OnSpinEditUnderflow = Closure(&node, &Node::GridSpinEditUnderflow);
    grid->OnExitCell = Closure(&node, &Node::GridExitCell);
    grid->OnExit = Closure(&node, &Node::GridExit);
    grid->OnEllipseClick = Closure(&node, &Node::GridEllipseClick);
    return true;
}

} // namespace AzKnoten
