#include "tessarin/AzDatumUhrzeit.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

namespace {

// Row caption without an entry in the string table.
const char* const kCaptionSystemUhr = "System-Uhr vorhanden";

} // namespace

TAzDatumUhrzeit::TAzDatumUhrzeit(HWND owner, int32_t system, int32_t parent, std::string name,
                                 int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex),
      m_systemUhrVorhanden(1), m_autoUmschaltung(1), m_monatWinterzeit(10), m_monatSommerzeit(3)
{
    LOG_FKT("TAzDatumUhrzeit::TAzDatumUhrzeit");
}

TAzDatumUhrzeit::~TAzDatumUhrzeit()
{
    LOG_FKT("TAzDatumUhrzeit::~TAzDatumUhrzeit");
}

int TAzDatumUhrzeit::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzDatumUhrzeit::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzDatumUhrzeit::GetName(bool) const
{
    LOG_FKT("TAzDatumUhrzeit::GetName");
    return TDataBasis::GetName(false);
}

int TAzDatumUhrzeit::GetTyp()
{
    LOG_FKT("TAzDatumUhrzeit::GetTyp");
    return kTyp;
}

int TAzDatumUhrzeit::ListStyle()
{
    LOG_FKT("TAzDatumUhrzeit::ListStyle");
    return 1;
}

int TAzDatumUhrzeit::GetIcon()
{
    LOG_FKT("TAzDatumUhrzeit::GetIcon");
    return kIcon;
}

bool TAzDatumUhrzeit::AllowChild(int)
{
    LOG_FKT("TAzDatumUhrzeit::AllowChild");
    return false;
}

void TAzDatumUhrzeit::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzDatumUhrzeit::Write");
    TDataBasis::Write(record);
    record.Bool3 = m_systemUhrVorhanden != 0;
    record.Bool4 = m_autoUmschaltung != 0;
    record.Param3 = m_monatWinterzeit;
    record.Param4 = m_monatSommerzeit;
}

bool TAzDatumUhrzeit::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzDatumUhrzeit::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzDatumUhrzeit::Drop(TDataBasis* source)
{
    LOG_FKT("TAzDatumUhrzeit::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzDatumUhrzeit::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzDatumUhrzeit::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowComboBoxYes(grid, kCaptionSystemUhr, kRowSystemUhr,
                      T_DB_EnumDataBasis::ToEnumBool(m_systemUhrVorhanden != 0), 0, false);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzDatumUhrzeit::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzDatumUhrzeit::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_systemUhrVorhanden = record.Bool3 ? 1 : 0;
    m_autoUmschaltung = record.Bool4 ? 1 : 0;
    m_monatWinterzeit = static_cast<int8_t>(record.Param3 & 0xFF);
    m_monatSommerzeit = static_cast<int8_t>(record.Param4 & 0xFF);
}

bool TAzDatumUhrzeit::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzDatumUhrzeit::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzDatumUhrzeit::WriteDataToDb()
{
    LOG_FKT("TAzDatumUhrzeit::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(kParamSystemUhr, m_systemUhrVorhanden);
    writer.Set(kParamAutoUmschaltung, m_autoUmschaltung);
    writer.Set(kParamMonatWinterzeit, m_monatWinterzeit);
    writer.Set(kParamMonatSommerzeit, m_monatSommerzeit);
}

bool TAzDatumUhrzeit::GetStatusSystemUhrVorhanden() const
{
    LOG_FKT("TAzDatumUhrzeit::GetStatusSystemUhrVorhanden");
    return m_systemUhrVorhanden == 1;
}

void TAzDatumUhrzeit::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzDatumUhrzeit::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
    if (cell.RowNr == kRowSystemUhr && AzKnoten::ComboIndex(sender, index)
        && index != m_systemUhrVorhanden) {
        m_systemUhrVorhanden = static_cast<int8_t>(index);
        flags.Write = flags.Refresh = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzDatumUhrzeit::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzDatumUhrzeit::GridEditChange");
}

void TAzDatumUhrzeit::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzDatumUhrzeit::GridSpinEditChange");
}

void TAzDatumUhrzeit::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzDatumUhrzeit::GridSpinEditOverflow");
}

void TAzDatumUhrzeit::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzDatumUhrzeit::GridSpinEditUnderflow");
}

void TAzDatumUhrzeit::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzDatumUhrzeit::GridExitCell");
}

void TAzDatumUhrzeit::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzDatumUhrzeit::GridExit");
}

void TAzDatumUhrzeit::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzDatumUhrzeit::GridEllipseClick");
}
