#include "tessarin/AzSabotageKontakt.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzKnoten.h"
#include "vcl/StringList.h"

#include <utility>

namespace {

constexpr int kQuickHelpIndex = 112;
constexpr int kIcon = 35;
constexpr int kListStyle = 1;

// User texts the string table does not hold.
constexpr const char* kTxtWiderstand = "Sabotage-Abschluß-Widerstand";
constexpr const char* kTxtOhm0 = "0 Ohm";
constexpr const char* kTxtKOhm12 = "12 KOhm";
constexpr const char* kTxtKOhm47 = "47 KOhm";

} // namespace

TAzSabotageKontakt::TAzSabotageKontakt(HWND owner, int32_t system, int32_t parent,
                                       std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzSabotageKontakt::TAzSabotageKontakt");
}

TAzSabotageKontakt::~TAzSabotageKontakt()
{
    LOG_FKT("TAzSabotageKontakt::~TAzSabotageKontakt");
}

int TAzSabotageKontakt::GetQuickHelpIndexOffset() const
{
    return m_quickHelpIndex;
}

std::string TAzSabotageKontakt::GetName(bool) const
{
    LOG_FKT("TAzSabotageKontakt::GetName");
    return TDataBasis::GetName(false);
}

int TAzSabotageKontakt::GetTyp()
{
    return kTyp;
}

int TAzSabotageKontakt::ListStyle()
{
    return kListStyle;
}

int TAzSabotageKontakt::GetIcon()
{
    return kIcon;
}

bool TAzSabotageKontakt::AllowChild(int)
{
    return false;
}

bool TAzSabotageKontakt::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzSabotageKontakt::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzSabotageKontakt::Drop(TDataBasis* source)
{
    LOG_FKT("TAzSabotageKontakt::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzSabotageKontakt::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzSabotageKontakt::Write");
    TDataBasis::Write(record);
    record.Param3 = m_widerstand;
    record.Param4 = m_melderArt;
    record.Param5 = m_sicherungsBereichMelder;
    record.Param6 = m_indexMelderText;
    record.Param7 = m_melderTyp;
    record.Bool3 = m_aktivBei;
}

void TAzSabotageKontakt::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzSabotageKontakt::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_widerstand = static_cast<int8_t>(record.Param3);
    m_melderArt = static_cast<int8_t>(record.Param4);
    m_sicherungsBereichMelder = static_cast<int8_t>(record.Param5);
    m_indexMelderText = record.Param6;
    m_melderTyp = static_cast<int8_t>(record.Param7);
    m_aktivBei = record.Bool3;
}

void TAzSabotageKontakt::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                         int row)
{
    LOG_FKT("TAzSabotageKontakt::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    TStringList widerstaende;
    widerstaende.Add(kTxtOhm0);
    widerstaende.Add(kTxtKOhm12);
    widerstaende.Add(kTxtKOhm47);
    AddRowComboBox(grid, kTxtWiderstand, kRowWiderstand, &widerstaende, m_widerstand, 0, false);
    AzKnoten::EndInfoWindow(*this, column, row);
}

bool TAzSabotageKontakt::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzSabotageKontakt::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

int32_t TAzSabotageKontakt::GetMelderParameterblock() const
{
    LOG_FKT("TAzSabotageKontakt::GetMelderParameterblock");
    return TAzMelder::MelderParameterblock(m_melderArt, m_sicherungsBereichMelder,
                                           m_indexMelderText, m_melderTyp, m_aktivBei);
}

void TAzSabotageKontakt::WriteDataToDb()
{
    LOG_FKT("TAzSabotageKontakt::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(kParamWiderstand, m_widerstand);
    writer.Set(kParamBlock, GetMelderParameterblock());
}

void TAzSabotageKontakt::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzSabotageKontakt::GridComboBoxChange");
    if (sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
    if (cell.RowNr == kRowWiderstand && AzKnoten::ComboIndex(sender, index)
        && index != m_widerstand) {
        m_widerstand = static_cast<int8_t>(index);
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzSabotageKontakt::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSabotageKontakt::GridEditChange");
}

void TAzSabotageKontakt::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSabotageKontakt::GridSpinEditChange");
}

void TAzSabotageKontakt::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzSabotageKontakt::GridSpinEditOverflow");
}

void TAzSabotageKontakt::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzSabotageKontakt::GridSpinEditUnderflow");
}

void TAzSabotageKontakt::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSabotageKontakt::GridExitCell");
}

void TAzSabotageKontakt::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSabotageKontakt::GridExit");
}

void TAzSabotageKontakt::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSabotageKontakt::GridEllipseClick");
}
