#include "tessarin/AzAlarmierung.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <iterator>
#include <utility>

namespace {

constexpr int kTyp = 6138;
constexpr int kIcon = 47;
constexpr int kQuickHelpIndex = 160;

constexpr uint8_t kCodeUegEinbruchGenutztVon = 17;
constexpr uint8_t kCodeUegEinbruchSchalten = 18;

// The block of the arming areas' first type; a new node points here until its type is set.
constexpr int kParamBasisSsb1 = 16110;
constexpr int kParamAbstand = 10;

// Texts without an id in the string table.
const char* const kJa = "Ja";
const char* const kNein = "Nein";
const char* const kTxtAlarmierungUegFeuer = "Alarmierung ÜG 'Feuer'";
const char* const kTxtAlarmierungUegUeberfall = "Alarmierung ÜG 'Überfall'";
const char* const kTxtAlarmierungUegStoerung = "Alarmierung ÜG 'Störung'";
const char* const kTxtAlarmierungUegEinbruch = "Alarmierung ÜG 'Einbruch'";
const char* const kTxtNutzungUegEinbruch = "Nutzung ÜG 'Einbruch' durch";
const char* const kTxtAlarmierungBlitz = "Alarmierung Blitz";
const char* const kTxtAlarmierungAussenSirene = "Alarmierung Außen-Sirene";
const char* const kTxtAlarmierungInnenSirene = "Alarmierung Innen-Sirene";
const char* const kTxtAlarmierungRelais = "Alarmierung Relais";

T_DB_EnumDataBasis::TEnumBool JaNein(int8_t flag)
{
    return T_DB_EnumDataBasis::ToEnumBool(flag != 0);
}

} // namespace

using Typ = T_DB_EnumAzAlarmierung;

TAzAlarmierung::TAzAlarmierung(HWND owner, int32_t system, int32_t parent, std::string name,
                               int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art),
      m_quickHelpIndex(kQuickHelpIndex),
      m_paramNrBlitz(kParamBasisSsb1),
      m_paramNrAussenSirene(kParamBasisSsb1 + kParamAbstand),
      m_paramNrInnenSirene(kParamBasisSsb1 + 2 * kParamAbstand),
      m_paramNrRelais(kParamBasisSsb1 + 3 * kParamAbstand),
      m_paramNrUeg(kParamBasisSsb1 + 4 * kParamAbstand)
{
    LOG_FKT("TAzAlarmierung::TAzAlarmierung");
}

TAzAlarmierung::~TAzAlarmierung()
{
    LOG_FKT("TAzAlarmierung::~TAzAlarmierung");
}

int TAzAlarmierung::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzAlarmierung::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzAlarmierung::GetName(bool) const
{
    LOG_FKT("TAzAlarmierung::GetName");
    return TDataBasis::GetName(false);
}

int TAzAlarmierung::GetTyp()
{
    LOG_FKT("TAzAlarmierung::GetTyp");
    return kTyp;
}

int TAzAlarmierung::ListStyle()
{
    LOG_FKT("TAzAlarmierung::ListStyle");
    return 1;
}

int TAzAlarmierung::GetIcon()
{
    LOG_FKT("TAzAlarmierung::GetIcon");
    return kIcon;
}

bool TAzAlarmierung::AllowChild(int)
{
    LOG_FKT("TAzAlarmierung::AllowChild");
    return false;
}

void TAzAlarmierung::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzAlarmierung::Write");
    TDataBasis::Write(record);
    record.Param3 = m_typ;
    record.Bool3 = m_blitz != 0;
    record.Bool4 = m_aussenSirene != 0;
    record.Bool5 = m_innenSirene != 0;
    record.Bool6 = m_relais != 0;
    record.Bool7 = m_uegStoerung != 0;
    record.Bool8 = m_uegEinbruch != 0;
    record.Bool9 = m_uegFeuer != 0;
    record.Bool10 = m_uegUeberfall != 0;
}

bool TAzAlarmierung::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzAlarmierung::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzAlarmierung::Drop(TDataBasis* source)
{
    LOG_FKT("TAzAlarmierung::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzAlarmierung::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzAlarmierung::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    // Only the first row fills the row Prepare left; every later one is appended.
    bool append = false;
    auto next = [&append] { return std::exchange(append, true); };

    if (m_typ == Typ::atFeuer)
        AddRowTextFeld(grid, kTxtAlarmierungUegFeuer, kRowUegFeuerOderUeberfall,
                       m_uegFeuer == 1 ? kJa : kNein, 0, next());
    if (m_typ == Typ::atUeberfall)
        AddRowTextFeld(grid, kTxtAlarmierungUegUeberfall, kRowUegFeuerOderUeberfall,
                       m_uegUeberfall == 1 ? kJa : kNein, 0, next());
    if (m_typ == Typ::atSabotageExtern)
        AddRowComboBoxYes(grid, kTxtAlarmierungUegStoerung, kRowUegStoerung,
                          JaNein(m_uegStoerung), 0, next());
    if (m_typ != Typ::atFeuer && m_typ != Typ::atUeberfall) {
        AddRowComboBoxYes(grid, kTxtAlarmierungUegEinbruch, kRowUegEinbruch,
                          JaNein(m_uegEinbruch), 0, next());
        AddRowTextFeld(grid, kTxtNutzungUegEinbruch, kRowUegEinbruchNutzung,
                       GetStrUegEinbruchUsedFrom(), 0, next());
    }
    AddRowComboBoxYes(grid, kTxtAlarmierungBlitz, kRowBlitz, JaNein(m_blitz), 0, next());
    AddRowComboBoxYes(grid, kTxtAlarmierungAussenSirene, kRowAussenSirene,
                      JaNein(m_aussenSirene), 0, next());
    AddRowComboBoxYes(grid, kTxtAlarmierungInnenSirene, kRowInnenSirene, JaNein(m_innenSirene),
                      0, next());
    AddRowComboBoxYes(grid, kTxtAlarmierungRelais, kRowRelais, JaNein(m_relais), 0, next());
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzAlarmierung::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzAlarmierung::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_typ = static_cast<TEnumAlarmierungTyp>(static_cast<int8_t>(record.Param3 & 0xFF));
    m_blitz = record.Bool3 ? 1 : 0;
    m_aussenSirene = record.Bool4 ? 1 : 0;
    m_innenSirene = record.Bool5 ? 1 : 0;
    m_relais = record.Bool6 ? 1 : 0;
    m_uegStoerung = record.Bool7 ? 1 : 0;
    m_uegEinbruch = record.Bool8 ? 1 : 0;
    m_uegFeuer = record.Bool9 ? 1 : 0;
    m_uegUeberfall = record.Bool10 ? 1 : 0;
}

bool TAzAlarmierung::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzAlarmierung::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

bool TAzAlarmierung::SetAlarmierungTyp(TEnumAlarmierungTyp typ)
{
    LOG_FKT("TAzAlarmierung::SetAlarmierungTyp");
    m_typ = typ;
    // Presets: flash, outdoor siren, indoor siren, relay, ÜG 'Störung', 'Einbruch',
    // 'Feuer', 'Überfall'.
    struct TVorgabe {
        int8_t werte[8];
    };
    TVorgabe vorgabe{};
    bool vorgegeben = true;
    switch (typ) {
    case Typ::atFeuer:
        vorgabe = {{1, 1, 1, 1, 0, 0, 1, 0}};
        break;
    case Typ::atUeberfall:
        vorgabe = {{0, 0, 0, 0, 0, 0, 0, 1}};
        break;
    case Typ::atSsb1:
    case Typ::atSsb3:
        vorgabe = {{1, 0, 1, 1, 0, 1, 0, 0}};
        break;
    case Typ::atSsb2:
    case Typ::atSsb4:
        vorgabe = {{1, 1, 0, 1, 0, 1, 0, 0}};
        break;
    default:
        vorgegeben = false; // type 2 and unknown values keep their flags
        break;
    }
    if (vorgegeben) {
        int8_t* const flags[] = {&m_blitz,       &m_aussenSirene, &m_innenSirene,
                                 &m_relais,      &m_uegStoerung,  &m_uegEinbruch,
                                 &m_uegFeuer,    &m_uegUeberfall};
        for (std::size_t i = 0; i < std::size(flags); ++i)
            *flags[i] = vorgabe.werte[i];
    }
    InitDisplayOrderNumberAlarmierung();
    return vorgegeben;
}

TAzAlarmierung::TEnumAlarmierungTyp TAzAlarmierung::GetAlarmierungTyp(
    TEnumAlarmierungTyp& typ) const
{
    LOG_FKT("TAzAlarmierung::GetAlarmierungTyp");
    typ = m_typ;
    return m_typ;
}

int TAzAlarmierung::ParamBasis(TEnumAlarmierungTyp typ)
{
    switch (typ) {
    case Typ::atFeuer:
        return 16510;
    case Typ::atUeberfall:
        return 16610;
    case Typ::atSsb1:
    case Typ::atSsb2:
    case Typ::atSsb3:
    case Typ::atSsb4:
        return kParamBasisSsb1 + 100 * (typ - Typ::atSsb1);
    default:
        return 0;
    }
}

void TAzAlarmierung::InitDisplayOrderNumberAlarmierung()
{
    LOG_FKT("TAzAlarmierung::InitDisplayOrderNumberAlarmierung");
    const int basis = ParamBasis(m_typ);
    if (basis == 0)
        return;
    m_paramNrBlitz = static_cast<int16_t>(basis);
    m_paramNrAussenSirene = static_cast<int16_t>(basis + kParamAbstand);
    m_paramNrInnenSirene = static_cast<int16_t>(basis + 2 * kParamAbstand);
    m_paramNrRelais = static_cast<int16_t>(basis + 3 * kParamAbstand);
    m_paramNrUeg = static_cast<int16_t>(basis + 4 * kParamAbstand);
}

bool TAzAlarmierung::GetStatusAlarmierungUegEinbruch() const
{
    LOG_FKT("TAzAlarmierung::GetStatusAlarmierungUegEinbruch");
    return m_uegEinbruch != 0;
}

std::string TAzAlarmierung::GetStrUegEinbruchUsedFrom()
{
    LOG_FKT("TAzAlarmierung::GetStrUegEinbruchUsedFrom");
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeUegEinbruchGenutztVon);
    if (AzKnoten::SendRequest(*this, request) == 0)
        return {};
    return request.Text;
}

int8_t TAzAlarmierung::UegFlagDesTyps() const
{
    switch (m_typ) {
    case Typ::atFeuer:
        return m_uegFeuer;
    case Typ::atUeberfall:
        return m_uegUeberfall;
    default:
        return m_uegEinbruch;
    }
}

void TAzAlarmierung::WriteDataToDb()
{
    LOG_FKT("TAzAlarmierung::WriteDataToDb");
    if (ParamBasis(m_typ) == 0) {
        // Type 2 has no block of its own: the numbers it holds belong to another alarm type
        // (type 3's on a new node), whose settings it would overwrite.
        LOG_FKT("TAzAlarmierung::WriteDataToDb: alarm type without parameters, nothing written");
        return;
    }
    // A node loaded from its record keeps the numbers of its construction until the editor
    // sets them; they follow from the stored type alone.
    InitDisplayOrderNumberAlarmierung();

    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(m_paramNrBlitz, m_blitz);
    writer.Set(m_paramNrAussenSirene, m_aussenSirene);
    writer.Set(m_paramNrInnenSirene, m_innenSirene);
    writer.Set(m_paramNrRelais, m_relais);
    writer.Set(m_paramNrUeg, UegFlagDesTyps());
}

void TAzAlarmierung::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzAlarmierung::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
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
    case kRowUegStoerung:
        flag = &m_uegStoerung;
        break;
    case kRowUegEinbruch:
        flag = &m_uegEinbruch;
        break;
    default:
        break;
    }
    if (flag != nullptr && AzKnoten::ComboIndex(sender, index)) {
        const int8_t alt = *flag;
        *flag = static_cast<int8_t>(index);
        if (*flag != alt) {
            if (cell.RowNr != kRowUegEinbruch) {
                flags.Write = flags.OtherViews = true;
            } else {
                // The intrusion path is shared by the arming areas: the editor keeps which
                // areas use it and may refuse.
                TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeUegEinbruchSchalten);
                request.Wert4 = m_typ;
                request.Wert7 = m_uegEinbruch != 0 ? 1 : 0;
                if (AzKnoten::SendRequest(*this, request) != 0)
                    flags.Write = flags.Refresh = true; // row 2 shows the new use
                else
                    *flag = alt;
            }
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzAlarmierung::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmierung::GridEditChange");
}

void TAzAlarmierung::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmierung::GridSpinEditChange");
}

void TAzAlarmierung::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAlarmierung::GridSpinEditOverflow");
}

void TAzAlarmierung::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAlarmierung::GridSpinEditUnderflow");
}

void TAzAlarmierung::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmierung::GridExitCell");
}

void TAzAlarmierung::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmierung::GridExit");
}

void TAzAlarmierung::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmierung::GridEllipseClick");
}
