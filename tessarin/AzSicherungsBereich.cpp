#include "tessarin/AzSicherungsBereich.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"

#include <utility>

namespace {

// User texts the string table has no id for.
const char* const kTextSicherungsBereich = "Sicherungs-Bereich";
const char* const kTextBezeichnung = "Bezeichnung Sicherungs-Bereich";

constexpr int kListStyle = 1;

// "Sicherungs-Bereich <n>": the default text of numbered area n.
std::string DefaultText(int n)
{
    return std::string(kTextSicherungsBereich) + " " + std::to_string(n);
}

} // namespace

// --- TAzSicherungsBereich ----------------------------------------------------------------------

TAzSicherungsBereich::TAzSicherungsBereich(HWND owner, int32_t system, int32_t parent,
                                           std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_text(kTextSicherungsBereich)
{
    LOG_FKT("TAzSicherungsBereich::TAzSicherungsBereich");
}

TAzSicherungsBereich::~TAzSicherungsBereich()
{
    LOG_FKT("TAzSicherungsBereich::~TAzSicherungsBereich");
}

int TAzSicherungsBereich::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereich::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereich::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereich::GetName");
    return m_text;
}

int TAzSicherungsBereich::ListStyle()
{
    LOG_FKT("TAzSicherungsBereich::ListStyle");
    return kListStyle;
}

bool TAzSicherungsBereich::AllowChild(int)
{
    LOG_FKT("TAzSicherungsBereich::AllowChild");
    return false;
}

void TAzSicherungsBereich::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereich::Write");
    TDataBasis::Write(record);
    record.String4 = m_text;
}

bool TAzSicherungsBereich::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereich::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzSicherungsBereich::Drop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereich::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzSicherungsBereich::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                           int row)
{
    LOG_FKT("TAzSicherungsBereich::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid, true))
        return;
    AddRowEditFeld(grid, kTextBezeichnung, rowBezeichnung, m_text, 0, false, 0);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzSicherungsBereich::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereich::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_text = record.String4;
}

bool TAzSicherungsBereich::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzSicherungsBereich::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzSicherungsBereich::SetDefaultName(std::string text)
{
    LOG_FKT("TAzSicherungsBereich::SetDefaultName");
    m_text = std::move(text);
}

std::string TAzSicherungsBereich::NameMitKurzname(const std::string& kurzname) const
{
    LOG_FKT("TAzSicherungsBereich::NameMitKurzname");
    return m_text + " (" + kurzname + ")";
}

void TAzSicherungsBereich::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereich::GridComboBoxChange");
}

void TAzSicherungsBereich::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereich::GridEditChange");
}

void TAzSicherungsBereich::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereich::GridSpinEditChange");
}

void TAzSicherungsBereich::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                double)
{
    LOG_FKT("TAzSicherungsBereich::GridSpinEditOverflow");
}

void TAzSicherungsBereich::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                 double)
{
    LOG_FKT("TAzSicherungsBereich::GridSpinEditUnderflow");
}

void TAzSicherungsBereich::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell,
                                        int column, int row)
{
    LOG_FKT("TAzSicherungsBereich::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    std::string text;
    if (cell.RowNr == rowBezeichnung && AzKnoten::EditText(sender, text) && text != m_text
        && AzKnoten::AcceptTypedText(*this, text)) {
        m_text = std::move(text);
        flags.Write = flags.OtherViews = flags.Tree = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzSicherungsBereich::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereich::GridExit");
}

void TAzSicherungsBereich::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereich::GridEllipseClick");
}

// --- The numbered areas ----------------------------------------------------------------------

TAzSicherungsBereich1::TAzSicherungsBereich1(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TAzSicherungsBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzSicherungsBereich1::TAzSicherungsBereich1");
    SetDefaultName(DefaultText(1));
}

TAzSicherungsBereich1::~TAzSicherungsBereich1()
{
    LOG_FKT("TAzSicherungsBereich1::~TAzSicherungsBereich1");
}

int TAzSicherungsBereich1::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereich1::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereich1::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereich1::GetName");
    return NameMitKurzname(SprAz::Txt10050);
}

int TAzSicherungsBereich1::GetTyp()
{
    LOG_FKT("TAzSicherungsBereich1::GetTyp");
    return kTyp;
}

int TAzSicherungsBereich1::GetIcon()
{
    LOG_FKT("TAzSicherungsBereich1::GetIcon");
    return kIcon;
}

TAzSicherungsBereich2::TAzSicherungsBereich2(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TAzSicherungsBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzSicherungsBereich2::TAzSicherungsBereich2");
    SetDefaultName(DefaultText(2));
}

TAzSicherungsBereich2::~TAzSicherungsBereich2()
{
    LOG_FKT("TAzSicherungsBereich2::~TAzSicherungsBereich2");
}

int TAzSicherungsBereich2::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereich2::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereich2::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereich2::GetName");
    return NameMitKurzname(SprAz::Txt10088);
}

int TAzSicherungsBereich2::GetTyp()
{
    LOG_FKT("TAzSicherungsBereich2::GetTyp");
    return kTyp;
}

int TAzSicherungsBereich2::GetIcon()
{
    LOG_FKT("TAzSicherungsBereich2::GetIcon");
    return kIcon;
}

TAzSicherungsBereich3::TAzSicherungsBereich3(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TAzSicherungsBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzSicherungsBereich3::TAzSicherungsBereich3");
    SetDefaultName(DefaultText(3));
}

TAzSicherungsBereich3::~TAzSicherungsBereich3()
{
    LOG_FKT("TAzSicherungsBereich3::~TAzSicherungsBereich3");
}

int TAzSicherungsBereich3::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereich3::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereich3::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereich3::GetName");
    return NameMitKurzname(SprAz::Txt10089);
}

int TAzSicherungsBereich3::GetTyp()
{
    LOG_FKT("TAzSicherungsBereich3::GetTyp");
    return kTyp;
}

int TAzSicherungsBereich3::GetIcon()
{
    LOG_FKT("TAzSicherungsBereich3::GetIcon");
    return kIcon;
}

TAzSicherungsBereich4::TAzSicherungsBereich4(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TAzSicherungsBereich(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzSicherungsBereich4::TAzSicherungsBereich4");
    SetDefaultName(DefaultText(4));
}

TAzSicherungsBereich4::~TAzSicherungsBereich4()
{
    LOG_FKT("TAzSicherungsBereich4::~TAzSicherungsBereich4");
}

int TAzSicherungsBereich4::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereich4::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereich4::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereich4::GetName");
    return NameMitKurzname(SprAz::Txt10090);
}

int TAzSicherungsBereich4::GetTyp()
{
    LOG_FKT("TAzSicherungsBereich4::GetTyp");
    return kTyp;
}

int TAzSicherungsBereich4::GetIcon()
{
    LOG_FKT("TAzSicherungsBereich4::GetIcon");
    return kIcon;
}
