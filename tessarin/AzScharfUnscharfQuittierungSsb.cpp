#include "tessarin/AzScharfUnscharfQuittierungSsb.h"

#include "quillon/DatenStruktur.h"
#include "rastow/ComboWert.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <list>
#include <utility>

namespace {

// User texts the string table has no id for.
const char* const kTextSignUegScharf = "Signalisierung durch ÜG 'Scharf'";
const char* const kTextUegScharfUsedFrom = "Nutzung ÜG 'Scharf' durch";
const char* const kTextQuittBlitz = "Quittierung durch Blitz";
const char* const kTextQuittAussenSirene = "Quittierung durch Außen-Sirene";
const char* const kTextQuittInnenSirene = "Quittierung durch Innen-Sirene";
const char* const kTextQuittRelais = "Quittierung durch Relais";
const char* const kTextSperrelement = "Sperrelement öffnen bei Feuer/Überfall";
const char* const kTextJaStatisch = "Ja Statisch Unscharfsignal";
const char* const kTextJaImpuls = "Ja Impuls Unscharfsignal";
const char* const kTextNein = "Nein";

constexpr int kListStyle = 1;

// Request codes of the editor.
constexpr uint8_t kCodeUegScharfUsedFrom = 12;
constexpr uint8_t kCodeSignUegScharf = 13;

T_DB_EnumDataBasis::TEnumBool Ja(bool wert)
{
    return T_DB_EnumDataBasis::ToEnumBool(wert);
}

} // namespace

TAzScharfUnscharfQuittierungSsb::TAzScharfUnscharfQuittierungSsb(HWND owner, int32_t system,
                                                                 int32_t parent,
                                                                 std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::TAzScharfUnscharfQuittierungSsb");
}

TAzScharfUnscharfQuittierungSsb::~TAzScharfUnscharfQuittierungSsb()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::~TAzScharfUnscharfQuittierungSsb");
}

int TAzScharfUnscharfQuittierungSsb::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfUnscharfQuittierungSsb::GetName(bool) const
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetName");
    return TDataBasis::GetName(false);
}

int TAzScharfUnscharfQuittierungSsb::GetTyp()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetTyp");
    return kTyp;
}

int TAzScharfUnscharfQuittierungSsb::ListStyle()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::ListStyle");
    return kListStyle;
}

int TAzScharfUnscharfQuittierungSsb::GetIcon()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetIcon");
    return kIcon;
}

bool TAzScharfUnscharfQuittierungSsb::AllowChild(int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::AllowChild");
    return false;
}

void TAzScharfUnscharfQuittierungSsb::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::Write");
    TDataBasis::Write(record);
    record.Bool3 = m_signUegScharf;
    record.Bool4 = m_quittBlitz;
    record.Bool5 = m_quittAussenSirene;
    record.Bool6 = m_quittInnenSirene;
    record.Bool7 = m_quittRelais;
    record.Param3 = m_sperrelement;
    record.Param4 = static_cast<int8_t>(m_scharfschaltBereich);
}

bool TAzScharfUnscharfQuittierungSsb::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzScharfUnscharfQuittierungSsb::Drop(TDataBasis* source)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzScharfUnscharfQuittierungSsb::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool,
                                                      int column, int row)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowComboBoxYes(grid, kTextSignUegScharf, rowSignUegScharf, Ja(m_signUegScharf), 0, false);
    AddRowTextFeld(grid, kTextUegScharfUsedFrom, rowUegScharfUsedFrom, GetStrUegScharfUsedFrom(),
                   0, true);
    AddRowComboBoxYes(grid, kTextQuittBlitz, rowQuittBlitz, Ja(m_quittBlitz), 0, true);
    AddRowComboBoxYes(grid, kTextQuittAussenSirene, rowQuittAussenSirene, Ja(m_quittAussenSirene),
                      0, true);
    AddRowComboBoxYes(grid, kTextQuittInnenSirene, rowQuittInnenSirene, Ja(m_quittInnenSirene), 0,
                      true);
    AddRowComboBoxYes(grid, kTextQuittRelais, rowQuittRelais, Ja(m_quittRelais), 0, true);
    const std::list<TComboWert> sperrelement = {
        {kTextJaStatisch, 1}, {kTextJaImpuls, 2}, {kTextNein, 0}};
    AddRowComboBox(grid, kTextSperrelement, rowSperrelement, sperrelement, m_sperrelement, 0,
                   true);
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzScharfUnscharfQuittierungSsb::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_signUegScharf = record.Bool3;
    m_quittBlitz = record.Bool4;
    m_quittAussenSirene = record.Bool5;
    m_quittInnenSirene = record.Bool6;
    m_quittRelais = record.Bool7;
    m_sperrelement = static_cast<int8_t>(record.Param3 & 0xFF);
    m_scharfschaltBereich = TEnumScharfschaltBereich{static_cast<int8_t>(record.Param4 & 0xFF)};
}

bool TAzScharfUnscharfQuittierungSsb::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzScharfUnscharfQuittierungSsb::SetScharfschaltBereich(TEnumScharfschaltBereich bereich)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::SetScharfschaltBereich");
    m_scharfschaltBereich = bereich;
    const int n = static_cast<int8_t>(bereich);
    if (n < 1 || n > 4)
        return;
    const int basis = 13000 + 100 * n;
    m_paramNrQuittBlitz = static_cast<int16_t>(basis + 10);
    m_paramNrQuittAussenSirene = static_cast<int16_t>(basis + 20);
    m_paramNrQuittInnenSirene = static_cast<int16_t>(basis + 30);
    m_paramNrQuittRelais = static_cast<int16_t>(basis + 40);
    m_paramNrSignUegScharf = static_cast<int16_t>(basis + 50);
    m_paramNrSperrelement = static_cast<int16_t>(23000 + 100 * n + 10);
}

void TAzScharfUnscharfQuittierungSsb::InitScharfUnscharfQuittierungSsb()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::InitScharfUnscharfQuittierungSsb");
    SetScharfschaltBereich(m_scharfschaltBereich);
}

TAzScharfUnscharfQuittierungSsb::TEnumScharfschaltBereich
TAzScharfUnscharfQuittierungSsb::GetScharfschaltBereich() const
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetScharfschaltBereich");
    return m_scharfschaltBereich;
}

bool TAzScharfUnscharfQuittierungSsb::GetStatusSignUegScharf() const
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetStatusSignUegScharf");
    return m_signUegScharf;
}

std::string TAzScharfUnscharfQuittierungSsb::GetStrUegScharfUsedFrom()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GetStrUegScharfUsedFrom");
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeUegScharfUsedFrom);
    if (AzKnoten::SendRequest(*this, request) == 0)
        return {};
    return request.Text;
}

void TAzScharfUnscharfQuittierungSsb::WriteDataToDb()
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(m_paramNrSignUegScharf, m_signUegScharf);
    writer.Set(m_paramNrQuittBlitz, m_quittBlitz);
    writer.Set(m_paramNrQuittAussenSirene, m_quittAussenSirene);
    writer.Set(m_paramNrQuittInnenSirene, m_quittInnenSirene);
    writer.Set(m_paramNrQuittRelais, m_quittRelais);
    writer.Set(m_paramNrSperrelement, m_sperrelement);
}

bool TAzScharfUnscharfQuittierungSsb::FrageSignUegScharf(bool ein)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::FrageSignUegScharf");
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeSignUegScharf);
    request.Wert4 = static_cast<int8_t>(m_scharfschaltBereich);
    request.Wert7 = ein ? 1 : 0;
    return AzKnoten::SendRequest(*this, request) != 0;
}

void TAzScharfUnscharfQuittierungSsb::GridComboBoxChange(TObject* sender, TCell& cell,
                                                         int column, int row)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t wert = 0;
    bool* flag = nullptr;
    switch (cell.RowNr) {
    case rowSignUegScharf:
        if (AzKnoten::ComboIndex(sender, wert) && (wert != 0) != m_signUegScharf) {
            // The editor keeps one ÜG 'Scharf' flag per area; a refusal leaves ours as it was.
            if (FrageSignUegScharf(wert != 0)) {
                m_signUegScharf = wert != 0;
                flags.Write = flags.Refresh = true;
            }
        }
        break;
    case rowQuittBlitz: flag = &m_quittBlitz; break;
    case rowQuittAussenSirene: flag = &m_quittAussenSirene; break;
    case rowQuittInnenSirene: flag = &m_quittInnenSirene; break;
    case rowQuittRelais: flag = &m_quittRelais; break;
    case rowSperrelement:
        // A combo without a chosen entry leaves the locking element as it is: it goes to the
        // device, where -1 is no setting.
        if (AzKnoten::ComboValue(sender, wert) && wert != m_sperrelement) {
            m_sperrelement = static_cast<int8_t>(wert);
            flags.Write = flags.OtherViews = true;
        }
        break;
    default: break;
    }
    if (flag != nullptr && AzKnoten::ComboIndex(sender, wert) && (wert != 0) != *flag) {
        *flag = wert != 0;
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzScharfUnscharfQuittierungSsb::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridEditChange");
}

void TAzScharfUnscharfQuittierungSsb::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridSpinEditChange");
}

void TAzScharfUnscharfQuittierungSsb::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int,
                                                           int, double)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridSpinEditOverflow");
}

void TAzScharfUnscharfQuittierungSsb::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int,
                                                            int, double)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridSpinEditUnderflow");
}

void TAzScharfUnscharfQuittierungSsb::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridExitCell");
}

void TAzScharfUnscharfQuittierungSsb::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridExit");
}

void TAzScharfUnscharfQuittierungSsb::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfUnscharfQuittierungSsb::GridEllipseClick");
}
