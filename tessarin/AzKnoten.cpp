#include "tessarin/AzKnoten.h"

#include "morrow/EtsDeviceParam.h"
#include "pellam/DataBasis.h"
#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "rastow/QmSpinEdit.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "vcl/Object.h"
#include "win32/CodePage1252.h"
#include "win32/MessageBox.h"

#include <cstring>

namespace {

constexpr int kGridColumns = 2;
// Parameter numbers travel as 16-bit signed values.
constexpr int kMaxParamNr = 32767;
constexpr int kTextParams = 4;
constexpr std::size_t kTextBuffer = 16;

// Message parameters carry negative cells as their pointer-sized two's complement.
WPARAM CellWParam(int column)
{
    return static_cast<WPARAM>(static_cast<std::intptr_t>(column));
}

template <class Editor> Editor* EditorNamed(TObject* sender, const char* className)
{
    if (sender == nullptr || sender->ClassName() != className)
        return nullptr;
    return dynamic_cast<Editor*>(sender);
}

} // namespace

namespace AzKnoten {

bool WriteRecord(TDataBasis& node)
{
    LOG_FKT("AzKnoten::WriteRecord");
    const LRESULT answer =
        SendMessage(node.GetOwnerWindow(), UM_GetDatenSatz,
                    MakeDatenSatzKey(node.GetParent(), node.GetSystem()),
                    static_cast<LPARAM>(node.GetHandle()));
    auto* record = reinterpret_cast<TDatenStruktur*>(answer);
    if (record == nullptr)
        return false;
    node.Write(*record);
    return true;
}

void FinishGridEdit(TDataBasis& node, const TGridEditFlags& flags, int column, int row)
{
    LOG_FKT("AzKnoten::FinishGridEdit");
    HWND owner = node.GetOwnerWindow();
    if (flags.Write)
        WriteRecord(node);
    if (flags.Align)
        PostMessage(owner, UM_AbgleichFormVerw, CellWParam(column), static_cast<LPARAM>(row));
    if (flags.Refresh)
        PostMessage(owner, UM_AktualisiereAnsicht, CellWParam(column), static_cast<LPARAM>(row));
    if (flags.OtherViews)
        PostMessage(owner, UM_AktualisiereAndereAnsichten, 0, 0);
    if (flags.Tree)
        PostMessage(owner, UM_UpdateTreeNamesAndIcon, 0, 0);
}

namespace detail {

bool BeginInfoWindowFrame(TDataBasis& node, TDrawGridSE* grid, bool tagWhenFlagged)
{
    LOG_FKT("AzKnoten::BeginInfoWindow");
    if (grid == nullptr)
        return false;
    if (tagWhenFlagged && node.GetFlag())
        grid->Tag = -1;
    grid->Prepare(kGridColumns);
    return true;
}

} // namespace detail

void EndInfoWindow(TDataBasis& node, int column, int row)
{
    LOG_FKT("AzKnoten::EndInfoWindow");
    if (column >= 0 || row >= 0)
        PostMessage(node.GetOwnerWindow(), UM_SetActiveCell, CellWParam(column),
                    static_cast<LPARAM>(row));
}

TEtsDeviceParam* GetDeviceParam(TDataBasis& node)
{
    LOG_FKT("AzKnoten::GetDeviceParam");
    auto* access = reinterpret_cast<TEtsDeviceParam*>(
        SendMessage(node.GetOwnerWindow(), UM_GetEtsDeviceParam, 0, 0));
    if (access == nullptr)
        MessageBox(node.GetOwnerWindow(), SprAz::Txt10244, SprAz::Txt10245, MB_OK);
    return access;
}

TParamWriter::TParamWriter(TDataBasis& node) : m_access(GetDeviceParam(node))
{
    LOG_FKT("AzKnoten::TParamWriter::TParamWriter");
}

void TParamWriter::Set(int number, int32_t value)
{
    LOG_FKT("AzKnoten::TParamWriter::Set");
    if (m_access == nullptr)
        return;
    if (number <= 0 || number > kMaxParamNr) {
        // A node whose parameter numbers were never set would write over whatever
        // parameter 0 (or a wrapped number) stands for in the product.
        LOG_FKT("AzKnoten::TParamWriter::Set: no parameter number, value not written");
        return;
    }
    (void)m_access->SetDeviceParamData(static_cast<int16_t>(number), value);
}

uint32_t SwapDword(uint32_t value)
{
    return ((value & 0x000000FFu) << 24) | ((value & 0x0000FF00u) << 8)
           | ((value & 0x00FF0000u) >> 8) | ((value & 0xFF000000u) >> 24);
}

std::array<uint32_t, 4> PackDeviceText(std::string_view cp1252)
{
    LOG_FKT("AzKnoten::PackDeviceText");
    // The text as a C string: it ends at a NUL byte, and the buffer behind it stays zero.
    unsigned char buffer[kTextBuffer] = {};
    for (std::size_t i = 0; i < kTextBuffer && i < cp1252.size() && cp1252[i] != '\0'; ++i)
        buffer[i] = static_cast<unsigned char>(cp1252[i]);

    std::array<uint32_t, 4> values{};
    for (std::size_t k = 0; k < values.size(); ++k) {
        // The four bytes as they lie in memory, read as one little-endian word, then
        // reversed: the first character lands in the most significant byte.
        const unsigned char* b = buffer + 4 * k;
        const uint32_t inMemory = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8)
                                  | (static_cast<uint32_t>(b[2]) << 16)
                                  | (static_cast<uint32_t>(b[3]) << 24);
        values[k] = SwapDword(inMemory);
    }
    values[3] >>= 16;
    return values;
}

bool SetStringToDeviceParamData(TDataBasis& node, int number, const std::string& text)
{
    LOG_FKT("AzKnoten::SetStringToDeviceParamData");
    const TCp1252Result converted = Utf8ToCp1252(text);
    TEtsDeviceParam* access = GetDeviceParam(node);
    if (access == nullptr)
        return false;
    if (number <= 0 || number > kMaxParamNr - (kTextParams - 1)) {
        LOG_FKT("AzKnoten::SetStringToDeviceParamData: no parameter number, text not written");
        return false;
    }
    if (!converted) {
        LOG_FKT("AzKnoten::SetStringToDeviceParamData: text not in Windows-1252, not written");
        return false;
    }
    const std::array<uint32_t, 4> values = PackDeviceText(converted.bytes);
    for (int k = 0; k < kTextParams; ++k)
        (void)access->SetDeviceParamData(static_cast<int16_t>(number + k),
                                         static_cast<int32_t>(values[static_cast<std::size_t>(k)]));
    return true;
}

TUserDeviceRequest MakeRequest(TDataBasis& node, uint8_t code)
{
    LOG_FKT("AzKnoten::MakeRequest");
    TUserDeviceRequest request{};
    request.Handle = node.GetHandle();
    request.Code = code;
    request.Sender = &node;
    return request;
}

LRESULT SendRequest(TDataBasis& node, TUserDeviceRequest& request)
{
    LOG_FKT("AzKnoten::SendRequest");
    return SendMessage(node.GetOwnerWindow(), UM_UserDeviceMessage, 0,
                       reinterpret_cast<LPARAM>(&request));
}

const TDatenStruktur* FindOwnType(TDataBasis& node, const std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("AzKnoten::FindOwnType");
    const auto typ = static_cast<int16_t>(node.GetTyp());
    for (const auto& [key, record] : records) {
        if (record.Typ == typ)
            return &record;
    }
    return nullptr;
}

bool SpinValue(TObject* sender, int32_t& value)
{
    LOG_FKT("AzKnoten::SpinValue");
    auto* spin = EditorNamed<TQmSpinEdit>(sender, "TQmSpinEdit");
    if (spin == nullptr)
        return false;
    value = spin->Value;
    return true;
}

bool EditText(TObject* sender, std::string& text)
{
    LOG_FKT("AzKnoten::EditText");
    auto* edit = EditorNamed<TDrawGridSEEdit>(sender, "TDrawGridSEEdit");
    if (edit == nullptr)
        return false;
    text = edit->Text;
    return true;
}

bool ComboText(TObject* sender, std::string& text)
{
    LOG_FKT("AzKnoten::ComboText");
    auto* combo = EditorNamed<TDrawGridSEComboBox>(sender, "TDrawGridSEComboBox");
    if (combo == nullptr)
        return false;
    text = combo->Text;
    return true;
}

bool ComboIndex(TObject* sender, int32_t& index)
{
    LOG_FKT("AzKnoten::ComboIndex");
    auto* combo = EditorNamed<TDrawGridSEComboBox>(sender, "TDrawGridSEComboBox");
    if (combo == nullptr || combo->ItemIndex < 0)
        return false;
    index = combo->ItemIndex;
    return true;
}

bool ComboValue(TObject* sender, int32_t& value)
{
    LOG_FKT("AzKnoten::ComboValue");
    auto* combo = EditorNamed<TDrawGridSEComboBox>(sender, "TDrawGridSEComboBox");
    if (combo == nullptr)
        return false;
    return combo->ItemValue(value);
}

bool AcceptTypedText(TDataBasis& node, const std::string& text)
{
    LOG_FKT("AzKnoten::AcceptTypedText");
    const std::optional<TCodePageError> error = FindNotInCp1252(text);
    if (!error)
        return true;
    std::string message;
    if (error->kind == TCodePageError::TKind::NotInCodePage)
        message = "Das Zeichen \"" + error->CharacterText()
                  + "\" kann nicht gespeichert werden.\n\rDer Text wurde nicht übernommen.";
    else
        message = "Der Text enthält ungültige Zeichen.\n\rDer Text wurde nicht übernommen.";
    MessageBox(node.GetOwnerWindow(), message, SprAz::Txt10179, MB_OK | MB_ICONWARNING);
    return false;
}

} // namespace AzKnoten
