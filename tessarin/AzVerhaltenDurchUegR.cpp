#include "tessarin/AzVerhaltenDurchUegR.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

namespace {

constexpr int kTyp = 6146;
constexpr int kIcon = 58;
constexpr int kQuickHelpIndex = 217;

// Texts without an id in the string table.
const char* const kTxtBlitz = "Blitz";
const char* const kTxtAussenSirene = "Außen-Sirene";
const char* const kTxtInnenSirene = "Innen-Sirene";
const char* const kTxtRelais = "Relais";

T_DB_EnumDataBasis::TEnumBool JaNein(int8_t flag)
{
    return T_DB_EnumDataBasis::ToEnumBool(flag != 0);
}

} // namespace

using Bereich = T_DB_EnumAzVerhaltenDurchUeGR;

TAzVerhaltenDurchUegR::TAzVerhaltenDurchUegR(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzVerhaltenDurchUegR::TAzVerhaltenDurchUegR");
}

TAzVerhaltenDurchUegR::~TAzVerhaltenDurchUegR()
{
    LOG_FKT("TAzVerhaltenDurchUegR::~TAzVerhaltenDurchUegR");
}

int TAzVerhaltenDurchUegR::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzVerhaltenDurchUegR::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzVerhaltenDurchUegR::GetName(bool) const
{
    LOG_FKT("TAzVerhaltenDurchUegR::GetName");
    return TDataBasis::GetName(false);
}

int TAzVerhaltenDurchUegR::GetTyp()
{
    LOG_FKT("TAzVerhaltenDurchUegR::GetTyp");
    return kTyp;
}

int TAzVerhaltenDurchUegR::ListStyle()
{
    LOG_FKT("TAzVerhaltenDurchUegR::ListStyle");
    return 1;
}

int TAzVerhaltenDurchUegR::GetIcon()
{
    LOG_FKT("TAzVerhaltenDurchUegR::GetIcon");
    return kIcon;
}

bool TAzVerhaltenDurchUegR::AllowChild(int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::AllowChild");
    return false;
}

void TAzVerhaltenDurchUegR::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzVerhaltenDurchUegR::Write");
    TDataBasis::Write(record);
    record.Bool3 = m_blitz != 0;
    record.Bool4 = m_aussenSirene != 0;
    record.Bool5 = m_innenSirene != 0;
    record.Bool6 = m_relais != 0;
    record.Param3 = m_bereich;
}

bool TAzVerhaltenDurchUegR::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzVerhaltenDurchUegR::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzVerhaltenDurchUegR::Drop(TDataBasis* source)
{
    LOG_FKT("TAzVerhaltenDurchUegR::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzVerhaltenDurchUegR::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                            int row)
{
    LOG_FKT("TAzVerhaltenDurchUegR::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowComboBoxYes(grid, kTxtBlitz, kRowBlitz, JaNein(m_blitz), 0, false);
    AddRowComboBoxYes(grid, kTxtAussenSirene, kRowAussenSirene, JaNein(m_aussenSirene), 0, true);
    AddRowComboBoxYes(grid, kTxtInnenSirene, kRowInnenSirene, JaNein(m_innenSirene), 0, true);
    AddRowComboBoxYes(grid, kTxtRelais, kRowRelais, JaNein(m_relais), 0, true);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzVerhaltenDurchUegR::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzVerhaltenDurchUegR::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_blitz = record.Bool3 ? 1 : 0;
    m_aussenSirene = record.Bool4 ? 1 : 0;
    m_innenSirene = record.Bool5 ? 1 : 0;
    m_relais = record.Bool6 ? 1 : 0;
    m_bereich = static_cast<TEnumUeGBereich>(static_cast<int8_t>(record.Param3 & 0xFF));
    // The node keeps no continuation record; the look-up stays for compatibility and its
    // answer is not used.
    if (record.Next > 0)
        (void)GetDatensatz(GetSystem(), record.Next);
}

bool TAzVerhaltenDurchUegR::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzVerhaltenDurchUegR::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

bool TAzVerhaltenDurchUegR::SetUeGRBereich(TEnumUeGBereich bereich)
{
    LOG_FKT("TAzVerhaltenDurchUegR::SetUeGRBereich");
    switch (bereich) {
    case Bereich::ubUeberfall:
        m_paramNrBlitz = 20010;
        m_paramNrAussenSirene = 20020;
        m_paramNrInnenSirene = 20030;
        m_paramNrRelais = 20040;
        break;
    case Bereich::ubEinbruch:
        // The intrusion block falls from flash to relay.
        m_paramNrBlitz = 13900;
        m_paramNrAussenSirene = 13800;
        m_paramNrInnenSirene = 13700;
        m_paramNrRelais = 13600;
        break;
    default:
        return false;
    }
    m_bereich = bereich;
    return true;
}

void TAzVerhaltenDurchUegR::InitUeGRBereich()
{
    LOG_FKT("TAzVerhaltenDurchUegR::InitUeGRBereich");
    (void)SetUeGRBereich(m_bereich);
}

void TAzVerhaltenDurchUegR::WriteDataToDb()
{
    LOG_FKT("TAzVerhaltenDurchUegR::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    // Numbers still 0 (area never set) are skipped by the writer.
    writer.Set(m_paramNrBlitz, m_blitz);
    writer.Set(m_paramNrAussenSirene, m_aussenSirene);
    writer.Set(m_paramNrInnenSirene, m_innenSirene);
    writer.Set(m_paramNrRelais, m_relais);
}

void TAzVerhaltenDurchUegR::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int8_t* flag = nullptr;
    switch (cell.RowNr) {
    case kRowBlitz:
        flag = &m_blitz;
        break;
    case kRowAussenSirene:
        flag = &m_aussenSirene;
        break;
    case kRowInnenSirene:
        flag = &m_innenSirene;
        break;
    case kRowRelais:
        flag = &m_relais;
        break;
    default:
        break;
    }
    int32_t index = 0;
    if (flag != nullptr && AzKnoten::ComboIndex(sender, index) && index != *flag) {
        *flag = static_cast<int8_t>(index);
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzVerhaltenDurchUegR::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridEditChange");
}

void TAzVerhaltenDurchUegR::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridSpinEditChange");
}

void TAzVerhaltenDurchUegR::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                 double)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridSpinEditOverflow");
}

void TAzVerhaltenDurchUegR::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                  double)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridSpinEditUnderflow");
}

void TAzVerhaltenDurchUegR::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridExitCell");
}

void TAzVerhaltenDurchUegR::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridExit");
}

void TAzVerhaltenDurchUegR::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzVerhaltenDurchUegR::GridEllipseClick");
}
