#include "tessarin/AzScharfschaltBereich.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"
#include "win32/CodePage1252.h"

#include <utility>

namespace {

// User texts the string table has no id for.
const char* const kTextCaption = "Text Scharfschalt-Bereich";

constexpr int kListStyle = 1;

// "SSB <n>": the default text of numbered area n; not cut.
std::string DefaultText(int n)
{
    return SprAz::Txt10116 + " " + std::to_string(n);
}

} // namespace

// --- TAzScharfschaltBereich --------------------------------------------------------------------

TAzScharfschaltBereich::TAzScharfschaltBereich(HWND owner, int32_t system, int32_t parent,
                                               std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_text(SprAz::Txt10116)
{
    LOG_FKT("TAzScharfschaltBereich::TAzScharfschaltBereich");
    SetLengthTexte(m_text, kMaxTextLaenge);
}

TAzScharfschaltBereich::~TAzScharfschaltBereich()
{
    LOG_FKT("TAzScharfschaltBereich::~TAzScharfschaltBereich");
}

int TAzScharfschaltBereich::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltBereich::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltBereich::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltBereich::GetName");
    return m_text;
}

int TAzScharfschaltBereich::ListStyle()
{
    LOG_FKT("TAzScharfschaltBereich::ListStyle");
    return kListStyle;
}

bool TAzScharfschaltBereich::AllowChild(int)
{
    LOG_FKT("TAzScharfschaltBereich::AllowChild");
    return false;
}

void TAzScharfschaltBereich::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfschaltBereich::Write");
    TDataBasis::Write(record);
    record.String4 = m_text;
}

bool TAzScharfschaltBereich::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzScharfschaltBereich::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzScharfschaltBereich::Drop(TDataBasis* source)
{
    LOG_FKT("TAzScharfschaltBereich::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzScharfschaltBereich::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                             int row)
{
    LOG_FKT("TAzScharfschaltBereich::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid, true))
        return;
    AddRowEditFeld(grid, kTextCaption, rowText, m_text, 0, false, kMaxTextLaenge);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzScharfschaltBereich::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfschaltBereich::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_text = record.String4;
}

bool TAzScharfschaltBereich::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzScharfschaltBereich::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzScharfschaltBereich::SetDefaultName(std::string text)
{
    LOG_FKT("TAzScharfschaltBereich::SetDefaultName");
    m_text = std::move(text);
}

void TAzScharfschaltBereich::SetLengthTexte(std::string& text, int length)
{
    LOG_FKT("TAzScharfschaltBereich::SetLengthTexte");
    const std::size_t n = length < 0 ? 0 : static_cast<std::size_t>(length);
    if (Utf8CharCount(text) > n)
        text = Utf8Left(text, n);
}

bool TAzScharfschaltBereich::WriteTextSsbToDb(int number)
{
    LOG_FKT("TAzScharfschaltBereich::WriteTextSsbToDb");
    return SetStringToDeviceParamData(static_cast<int16_t>(number), m_text);
}

bool TAzScharfschaltBereich::SetStringToDeviceParamData(int16_t number, const std::string& text)
{
    LOG_FKT("TAzScharfschaltBereich::SetStringToDeviceParamData");
    return AzKnoten::SetStringToDeviceParamData(*this, number, text);
}

uint32_t TAzScharfschaltBereich::SwapDword(uint32_t value)
{
    LOG_FKT("TAzScharfschaltBereich::SwapDword");
    return AzKnoten::SwapDword(value);
}

std::string TAzScharfschaltBereich::NameMitKurzname(const std::string& kurzname) const
{
    LOG_FKT("TAzScharfschaltBereich::NameMitKurzname");
    return m_text + " (" + kurzname + ")";
}

void TAzScharfschaltBereich::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltBereich::GridComboBoxChange");
}

void TAzScharfschaltBereich::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltBereich::GridEditChange");
}

void TAzScharfschaltBereich::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltBereich::GridSpinEditChange");
}

void TAzScharfschaltBereich::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                  double)
{
    LOG_FKT("TAzScharfschaltBereich::GridSpinEditOverflow");
}

void TAzScharfschaltBereich::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                   double)
{
    LOG_FKT("TAzScharfschaltBereich::GridSpinEditUnderflow");
}

void TAzScharfschaltBereich::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell,
                                          int column, int row)
{
    LOG_FKT("TAzScharfschaltBereich::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    std::string text;
    // The row limits the text to 14 characters; the handler takes it as the row gives it.
    if (cell.RowNr == rowText && AzKnoten::EditText(sender, text) && text != m_text
        && AzKnoten::AcceptTypedText(*this, text)) {
        m_text = std::move(text);
        flags.Write = flags.OtherViews = flags.Tree = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzScharfschaltBereich::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltBereich::GridExit");
}

void TAzScharfschaltBereich::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltBereich::GridEllipseClick");
}

// --- The numbered areas ----------------------------------------------------------------------

TAzScharfschaltBereich1::TAzScharfschaltBereich1(HWND owner, int32_t system, int32_t parent,
                                                 std::string name, int32_t art)
    : TAzScharfschaltBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfschaltBereich1::TAzScharfschaltBereich1");
    SetDefaultName(DefaultText(1));
}

TAzScharfschaltBereich1::~TAzScharfschaltBereich1()
{
    LOG_FKT("TAzScharfschaltBereich1::~TAzScharfschaltBereich1");
}

int TAzScharfschaltBereich1::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltBereich1::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltBereich1::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltBereich1::GetName");
    return NameMitKurzname(SprAz::Txt10071);
}

int TAzScharfschaltBereich1::GetTyp()
{
    LOG_FKT("TAzScharfschaltBereich1::GetTyp");
    return kTyp;
}

int TAzScharfschaltBereich1::GetIcon()
{
    LOG_FKT("TAzScharfschaltBereich1::GetIcon");
    return kIcon;
}

std::string TAzScharfschaltBereich1::GetTextScharfschaltBereich() const
{
    LOG_FKT("TAzScharfschaltBereich1::GetTextScharfschaltBereich");
    return BereichText();
}

void TAzScharfschaltBereich1::WriteDataToDb()
{
    LOG_FKT("TAzScharfschaltBereich1::WriteDataToDb");
    (void)WriteTextSsbToDb(kParamText);
}

TAzScharfschaltBereich2::TAzScharfschaltBereich2(HWND owner, int32_t system, int32_t parent,
                                                 std::string name, int32_t art)
    : TAzScharfschaltBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfschaltBereich2::TAzScharfschaltBereich2");
    SetDefaultName(DefaultText(2));
}

TAzScharfschaltBereich2::~TAzScharfschaltBereich2()
{
    LOG_FKT("TAzScharfschaltBereich2::~TAzScharfschaltBereich2");
}

int TAzScharfschaltBereich2::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltBereich2::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltBereich2::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltBereich2::GetName");
    return NameMitKurzname(SprAz::Txt10072);
}

int TAzScharfschaltBereich2::GetTyp()
{
    LOG_FKT("TAzScharfschaltBereich2::GetTyp");
    return kTyp;
}

int TAzScharfschaltBereich2::GetIcon()
{
    LOG_FKT("TAzScharfschaltBereich2::GetIcon");
    return kIcon;
}

std::string TAzScharfschaltBereich2::GetTextScharfschaltBereich() const
{
    LOG_FKT("TAzScharfschaltBereich2::GetTextScharfschaltBereich");
    return BereichText();
}

void TAzScharfschaltBereich2::WriteDataToDb()
{
    LOG_FKT("TAzScharfschaltBereich2::WriteDataToDb");
    (void)WriteTextSsbToDb(kParamText);
}

TAzScharfschaltBereich3::TAzScharfschaltBereich3(HWND owner, int32_t system, int32_t parent,
                                                 std::string name, int32_t art)
    : TAzScharfschaltBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfschaltBereich3::TAzScharfschaltBereich3");
    SetDefaultName(DefaultText(3));
}

TAzScharfschaltBereich3::~TAzScharfschaltBereich3()
{
    LOG_FKT("TAzScharfschaltBereich3::~TAzScharfschaltBereich3");
}

int TAzScharfschaltBereich3::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltBereich3::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltBereich3::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltBereich3::GetName");
    return NameMitKurzname(SprAz::Txt10073);
}

int TAzScharfschaltBereich3::GetTyp()
{
    LOG_FKT("TAzScharfschaltBereich3::GetTyp");
    return kTyp;
}

int TAzScharfschaltBereich3::GetIcon()
{
    LOG_FKT("TAzScharfschaltBereich3::GetIcon");
    return kIcon;
}

std::string TAzScharfschaltBereich3::GetTextScharfschaltBereich() const
{
    LOG_FKT("TAzScharfschaltBereich3::GetTextScharfschaltBereich");
    return BereichText();
}

void TAzScharfschaltBereich3::WriteDataToDb()
{
    LOG_FKT("TAzScharfschaltBereich3::WriteDataToDb");
    (void)WriteTextSsbToDb(kParamText);
}

TAzScharfschaltBereich4::TAzScharfschaltBereich4(HWND owner, int32_t system, int32_t parent,
                                                 std::string name, int32_t art)
    : TAzScharfschaltBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfschaltBereich4::TAzScharfschaltBereich4");
    SetDefaultName(DefaultText(4));
}

TAzScharfschaltBereich4::~TAzScharfschaltBereich4()
{
    LOG_FKT("TAzScharfschaltBereich4::~TAzScharfschaltBereich4");
}

int TAzScharfschaltBereich4::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltBereich4::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltBereich4::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltBereich4::GetName");
    return NameMitKurzname(SprAz::Txt10074);
}

int TAzScharfschaltBereich4::GetTyp()
{
    LOG_FKT("TAzScharfschaltBereich4::GetTyp");
    return kTyp;
}

int TAzScharfschaltBereich4::GetIcon()
{
    LOG_FKT("TAzScharfschaltBereich4::GetIcon");
    return kIcon;
}

std::string TAzScharfschaltBereich4::GetTextScharfschaltBereich() const
{
    LOG_FKT("TAzScharfschaltBereich4::GetTextScharfschaltBereich");
    return BereichText();
}

void TAzScharfschaltBereich4::WriteDataToDb()
{
    LOG_FKT("TAzScharfschaltBereich4::WriteDataToDb");
    (void)WriteTextSsbToDb(kParamText);
}
