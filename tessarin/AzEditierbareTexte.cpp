#include "tessarin/AzEditierbareTexte.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"
#include "win32/CodePage1252.h"

#include <cstddef>
#include <utility>

TAzEditierbareTexte::TAzEditierbareTexte(HWND owner, int32_t system, int32_t parent,
                                         std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzEditierbareTexte::TAzEditierbareTexte");
}

TAzEditierbareTexte::~TAzEditierbareTexte()
{
    LOG_FKT("TAzEditierbareTexte::~TAzEditierbareTexte");
}

int TAzEditierbareTexte::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzEditierbareTexte::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzEditierbareTexte::GetName(bool) const
{
    LOG_FKT("TAzEditierbareTexte::GetName");
    return TDataBasis::GetName(false);
}

int TAzEditierbareTexte::GetTyp()
{
    LOG_FKT("TAzEditierbareTexte::GetTyp");
    return kTyp;
}

int TAzEditierbareTexte::ListStyle()
{
    LOG_FKT("TAzEditierbareTexte::ListStyle");
    return 1;
}

int TAzEditierbareTexte::GetIcon()
{
    LOG_FKT("TAzEditierbareTexte::GetIcon");
    return kIcon;
}

bool TAzEditierbareTexte::AllowChild(int)
{
    LOG_FKT("TAzEditierbareTexte::AllowChild");
    return false;
}

bool TAzEditierbareTexte::IsVisible()
{
    LOG_FKT("TAzEditierbareTexte::IsVisible");
    return false;
}

void TAzEditierbareTexte::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzEditierbareTexte::Write");
    // A record that chains to a continuation record keeps that link.
    const int32_t next = record.Next;
    TDataBasis::Write(record);
    if (next > 0)
        record.Next = next;
}

bool TAzEditierbareTexte::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzEditierbareTexte::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzEditierbareTexte::Drop(TDataBasis* source)
{
    LOG_FKT("TAzEditierbareTexte::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzEditierbareTexte::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzEditierbareTexte::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzEditierbareTexte::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzEditierbareTexte::InitFromDB");
    TDataBasis::InitFromDB(record);
}

bool TAzEditierbareTexte::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzEditierbareTexte::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzEditierbareTexte::WriteDataToDb()
{
    LOG_FKT("TAzEditierbareTexte::WriteDataToDb");
    SetHardwareTexteToDb();
}

void TAzEditierbareTexte::SetHardwareTexteToDb()
{
    LOG_FKT("TAzEditierbareTexte::SetHardwareTexteToDb");
    for (int k = 0; k < kTextCount; ++k)
        (void)SetStringToDeviceParamData(static_cast<int16_t>(kFirstParam + kParamStep * k),
                                         GetHardwareText(k));
}

const std::string& TAzEditierbareTexte::GetHardwareText(int k)
{
    LOG_FKT("TAzEditierbareTexte::GetHardwareText");
    static const std::string empty;
    if (k < 0 || k >= kTextCount)
        return empty;
    return SprAz::Text(kFirstTextId + k);
}

void TAzEditierbareTexte::GetMelderTextListe(TStringList*)
{
    LOG_FKT("TAzEditierbareTexte::GetMelderTextListe");
}

std::string TAzEditierbareTexte::GetTextSsb(int n) const
{
    LOG_FKT("TAzEditierbareTexte::GetTextSsb");
    if (n < 1 || n > static_cast<int>(m_textSsb.size()))
        return {};
    return m_textSsb[static_cast<std::size_t>(n - 1)];
}

void TAzEditierbareTexte::SetLengthTexte(std::string& text, int max)
{
    LOG_FKT("TAzEditierbareTexte::SetLengthTexte");
    const std::size_t limit = max > 0 ? static_cast<std::size_t>(max) : 0;
    if (Utf8CharCount(text) > limit)
        text = Utf8Left(text, limit);
}

bool TAzEditierbareTexte::SetStringToDeviceParamData(int16_t number, const std::string& text)
{
    LOG_FKT("TAzEditierbareTexte::SetStringToDeviceParamData");
    return AzKnoten::SetStringToDeviceParamData(*this, number, text);
}

uint32_t TAzEditierbareTexte::SwapDword(uint32_t value)
{
    LOG_FKT("TAzEditierbareTexte::SwapDword");
    return AzKnoten::SwapDword(value);
}

void TAzEditierbareTexte::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridComboBoxChange");
}

void TAzEditierbareTexte::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridEditChange");
}

void TAzEditierbareTexte::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridSpinEditChange");
}

void TAzEditierbareTexte::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzEditierbareTexte::GridSpinEditOverflow");
}

void TAzEditierbareTexte::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzEditierbareTexte::GridSpinEditUnderflow");
}

void TAzEditierbareTexte::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridExitCell");
}

void TAzEditierbareTexte::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridExit");
}

void TAzEditierbareTexte::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEditierbareTexte::GridEllipseClick");
}
