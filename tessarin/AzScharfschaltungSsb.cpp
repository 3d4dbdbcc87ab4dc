#include "tessarin/AzScharfschaltungSsb.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"

#include <utility>

namespace {

// User texts the string table has no id for.
const char* const kTextScharfVerzoegerung = "Scharf-Verzögerungszeit SSB";
const char* const kTextAlarmVerzoegerung = "Alarm-Verzögerungszeit SSB";
const char* const kTextSaboSe = "Eingangs-Nummer Sabotage-Schalteinrichtung SB";
const char* const kTextKeineSabotage = "Keine Sabotage Schalteinrichtung";
const char* const kSuffixSekunden[] = {" 1 [s]", " 2 [s]", " 3 [s]", " 4 [s]"};

constexpr int kListStyle = 1;

// Request codes of the editor.
constexpr uint8_t kCodePhysAdrSeWaehlen = 6;
constexpr uint8_t kCodeSaboSeListe = 9;
constexpr uint8_t kCodePhysAdrSeGeaendert = 11;

} // namespace

TAzScharfschaltungSsb::TAzScharfschaltungSsb(HWND owner, int32_t system, int32_t parent,
                                             std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzScharfschaltungSsb::TAzScharfschaltungSsb");
}

TAzScharfschaltungSsb::~TAzScharfschaltungSsb()
{
    LOG_FKT("TAzScharfschaltungSsb::~TAzScharfschaltungSsb");
}

int TAzScharfschaltungSsb::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzScharfschaltungSsb::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzScharfschaltungSsb::GetName(bool) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetName");
    return TDataBasis::GetName(false);
}

int TAzScharfschaltungSsb::GetTyp()
{
    LOG_FKT("TAzScharfschaltungSsb::GetTyp");
    return kTyp;
}

int TAzScharfschaltungSsb::ListStyle()
{
    LOG_FKT("TAzScharfschaltungSsb::ListStyle");
    return kListStyle;
}

int TAzScharfschaltungSsb::GetIcon()
{
    LOG_FKT("TAzScharfschaltungSsb::GetIcon");
    return kIcon;
}

bool TAzScharfschaltungSsb::AllowChild(int)
{
    LOG_FKT("TAzScharfschaltungSsb::AllowChild");
    return false;
}

void TAzScharfschaltungSsb::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfschaltungSsb::Write");
    TDataBasis::Write(record);
    record.Param3 = m_scharfVerzoegerung;
    record.Param4 = m_alarmVerzoegerung;
    record.Param5 = m_physAdrSe[0];
    record.Param6 = m_physAdrSe[1];
    record.Param7 = m_physAdrSe[2];
    record.Param8 = m_physAdrSe[3];
    record.Param9 = static_cast<int8_t>(m_scharfschaltBereich);
    record.Param10 = m_melderNrSaboSe[0];
    record.Param11 = m_melderNrSaboSe[1];
    record.Param12 = m_melderNrSaboSe[2];
    record.Param13 = m_melderNrSaboSe[3];
    record.String1 = m_strPhysAdrSe[0];
    record.String2 = m_strPhysAdrSe[1];
    record.String3 = m_strPhysAdrSe[2];
    record.String4 = m_strPhysAdrSe[3];
}

bool TAzScharfschaltungSsb::DatenAbgleich(bool, bool)
{
    LOG_FKT("TAzScharfschaltungSsb::DatenAbgleich");
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeSaboSeListe);
    request.Wert4 = static_cast<int8_t>(m_scharfschaltBereich);
    return AzKnoten::SendRequest(*this, request) != 0;
}

bool TAzScharfschaltungSsb::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzScharfschaltungSsb::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzScharfschaltungSsb::Drop(TDataBasis* source)
{
    LOG_FKT("TAzScharfschaltungSsb::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzScharfschaltungSsb::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                            int row)
{
    LOG_FKT("TAzScharfschaltungSsb::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;

    std::string textScharf;
    std::string textAlarm;
    std::string textSabo;
    if (IstGueltigerBereich()) {
        const int n = static_cast<int8_t>(m_scharfschaltBereich);
        const char* suffix = kSuffixSekunden[n - 1];
        textScharf = std::string(kTextScharfVerzoegerung) + suffix;
        textAlarm = std::string(kTextAlarmVerzoegerung) + suffix;
        textSabo = std::string(kTextSaboSe) + std::to_string(n);
    }

    AddRowSpinEdit(grid, textScharf, rowScharfVerzoegerung, m_scharfVerzoegerungMax,
                   m_scharfVerzoegerungMin, m_scharfVerzoegerungStep, m_scharfVerzoegerung, 0,
                   false);
    AddRowSpinEdit(grid, textAlarm, rowAlarmVerzoegerung, m_alarmVerzoegerungMax,
                   m_alarmVerzoegerungMin, m_alarmVerzoegerungStep, m_alarmVerzoegerung, 0,
                   true);
    for (int se = 1; se <= kAnzahlSe; ++se) {
        const auto i = static_cast<std::size_t>(se - 1);
        AddRowEllipse(grid, SprAz::Txt10362 + std::to_string(se), rowPhysAdrSe1 + 2 * (se - 1),
                      m_strPhysAdrSe[i], 0, true);
        if (m_physAdrSe[i] != 0)
            AddRowComboBox(grid, textSabo, rowSaboSe1 + 2 * (se - 1), GetliCbxItemsSaboSe(se),
                           m_melderNrSaboSe[i], 0, true);
    }
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzScharfschaltungSsb::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzScharfschaltungSsb::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_scharfVerzoegerung = record.Param3;
    m_alarmVerzoegerung = record.Param4;
    m_physAdrSe = {record.Param5, record.Param6, record.Param7, record.Param8};
    m_scharfschaltBereich = TEnumScharfschaltBereich{static_cast<int8_t>(record.Param9 & 0xFF)};
    m_melderNrSaboSe = {record.Param10, record.Param11, record.Param12, record.Param13};
    m_strPhysAdrSe = {record.String1, record.String2, record.String3, record.String4};
}

bool TAzScharfschaltungSsb::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzScharfschaltungSsb::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

bool TAzScharfschaltungSsb::SetScharfschaltBereich(TEnumScharfschaltBereich bereich)
{
    LOG_FKT("TAzScharfschaltungSsb::SetScharfschaltBereich");
    const int n = static_cast<int8_t>(bereich);
    if (n < 1 || n > kAnzahlSe)
        return false;
    m_scharfschaltBereich = bereich;
    m_paramNrScharfVerzoegerung = static_cast<int16_t>(21000 + 10 * n);
    m_paramNrAlarmVerzoegerung = static_cast<int16_t>(22000 + 10 * n);
    for (int k = 1; k <= kAnzahlSe; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        m_paramNrPhysAdrSe[i] = static_cast<int16_t>(17000 + 100 * n + 10 * k);
        m_paramNrSaboSe[i] = static_cast<int16_t>(18000 + 100 * n + 10 * k);
    }
    return true;
}

bool TAzScharfschaltungSsb::InitScharfschaltungSsb()
{
    LOG_FKT("TAzScharfschaltungSsb::InitScharfschaltungSsb");
    return SetScharfschaltBereich(m_scharfschaltBereich);
}

TAzScharfschaltungSsb::TEnumScharfschaltBereich TAzScharfschaltungSsb::GetScharfschaltBereich() const
{
    LOG_FKT("TAzScharfschaltungSsb::GetScharfschaltBereich");
    return m_scharfschaltBereich;
}

int32_t TAzScharfschaltungSsb::GetPhysAdrSe(int se) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetPhysAdrSe");
    const int i = SeIndex(se);
    return i < 0 ? 0 : m_physAdrSe[static_cast<std::size_t>(i)];
}

std::string TAzScharfschaltungSsb::GetStringPhysAdrSe(int se) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetStringPhysAdrSe");
    const int i = SeIndex(se);
    return i < 0 ? std::string() : m_strPhysAdrSe[static_cast<std::size_t>(i)];
}

int32_t TAzScharfschaltungSsb::GetMelderNrSaboSe(int se) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetMelderNrSaboSe");
    const int i = SeIndex(se);
    return i < 0 ? kKeineSabotage : m_melderNrSaboSe[static_cast<std::size_t>(i)];
}

bool TAzScharfschaltungSsb::GetPhysikalischenAdressenSE(std::list<int32_t>& adressen) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetPhysikalischenAdressenSE");
    for (int32_t adresse : m_physAdrSe)
        if (adresse != 0)
            adressen.push_back(adresse);
    return true;
}

bool TAzScharfschaltungSsb::CheckMelderSaboSeLinked(int32_t melderNr) const
{
    LOG_FKT("TAzScharfschaltungSsb::CheckMelderSaboSeLinked");
    for (int32_t sabo : m_melderNrSaboSe)
        if (sabo == melderNr)
            return true;
    return false;
}

bool TAzScharfschaltungSsb::UnlinkMelderNrSaboSe(int32_t melderNr)
{
    LOG_FKT("TAzScharfschaltungSsb::UnlinkMelderNrSaboSe");
    for (int32_t& sabo : m_melderNrSaboSe)
        if (sabo == melderNr)
            sabo = kKeineSabotage;
    AzKnoten::WriteRecord(*this);
    return true;
}

bool TAzScharfschaltungSsb::ClearPhysAdrSeAndMelderNrSe(int se)
{
    LOG_FKT("TAzScharfschaltungSsb::ClearPhysAdrSeAndMelderNrSe");
    const int i = SeIndex(se);
    if (i >= 0) {
        const auto k = static_cast<std::size_t>(i);
        m_physAdrSe[k] = 0;
        m_strPhysAdrSe[k].clear();
        m_melderNrSaboSe[k] = kKeineSabotage;
    }
    AzKnoten::WriteRecord(*this);
    return true;
}

void TAzScharfschaltungSsb::UpdateListeMelderNrSaboSeSb(std::list<int32_t> melderNummern)
{
    LOG_FKT("TAzScharfschaltungSsb::UpdateListeMelderNrSaboSeSb");
    m_liMelderNrSaboSe = std::move(melderNummern);
}

std::list<TComboWert> TAzScharfschaltungSsb::GetliCbxItemsSaboSe(int se) const
{
    LOG_FKT("TAzScharfschaltungSsb::GetliCbxItemsSaboSe");
    std::list<TComboWert> items;
    items.emplace_back(kTextKeineSabotage, kKeineSabotage);
    const int eigener = SeIndex(se);
    if (eigener < 0)
        return items;
    for (int32_t melderNr : m_liMelderNrSaboSe) {
        bool vergeben = false;
        for (int i = 0; i < kAnzahlSe; ++i)
            if (i != eigener && m_melderNrSaboSe[static_cast<std::size_t>(i)] == melderNr)
                vergeben = true;
        if (!vergeben)
            items.emplace_back(std::to_string(melderNr), melderNr);
    }
    return items;
}

void TAzScharfschaltungSsb::WriteDataToDb()
{
    LOG_FKT("TAzScharfschaltungSsb::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(m_paramNrScharfVerzoegerung, m_scharfVerzoegerung);
    writer.Set(m_paramNrAlarmVerzoegerung, m_alarmVerzoegerung);
    for (std::size_t i = 0; i < kAnzahlSe; ++i)
        writer.Set(m_paramNrPhysAdrSe[i], m_physAdrSe[i]);
    for (std::size_t i = 0; i < kAnzahlSe; ++i)
        writer.Set(m_paramNrSaboSe[i], m_melderNrSaboSe[i]);
}

void TAzScharfschaltungSsb::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzScharfschaltungSsb::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int se = 0;
    switch (cell.RowNr) {
    case rowSaboSe1: se = 1; break;
    case rowSaboSe2: se = 2; break;
    case rowSaboSe3: se = 3; break;
    case rowSaboSe4: se = 4; break;
    default: break;
    }
    int32_t wert = 0;
    // A combo without a chosen entry leaves the sabotage input as it is: it goes to the
    // device, where -1 would name no detector.
    if (se != 0 && AzKnoten::ComboValue(sender, wert)) {
        int32_t& sabo = m_melderNrSaboSe[static_cast<std::size_t>(se - 1)];
        if (wert != sabo) {
            sabo = wert;
            flags.Write = flags.Refresh = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzScharfschaltungSsb::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltungSsb::GridEditChange");
}

void TAzScharfschaltungSsb::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltungSsb::GridSpinEditChange");
}

void TAzScharfschaltungSsb::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                 double)
{
    LOG_FKT("TAzScharfschaltungSsb::GridSpinEditOverflow");
}

void TAzScharfschaltungSsb::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                  double)
{
    LOG_FKT("TAzScharfschaltungSsb::GridSpinEditUnderflow");
}

void TAzScharfschaltungSsb::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell,
                                         int column, int row)
{
    LOG_FKT("TAzScharfschaltungSsb::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    int32_t wert = 0;
    int32_t* ziel = nullptr;
    if (cell.RowNr == rowScharfVerzoegerung)
        ziel = &m_scharfVerzoegerung;
    else if (cell.RowNr == rowAlarmVerzoegerung)
        ziel = &m_alarmVerzoegerung;
    if (ziel != nullptr && AzKnoten::SpinValue(sender, wert) && wert != *ziel) {
        *ziel = wert;
        flags.Write = flags.OtherViews = true;
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzScharfschaltungSsb::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzScharfschaltungSsb::GridExit");
}

void TAzScharfschaltungSsb::GridEllipseClick(TObject*, TCell& cell, int column, int row)
{
    LOG_FKT("TAzScharfschaltungSsb::GridEllipseClick");
    AzKnoten::TGridEditFlags flags;
    int se = 0;
    switch (cell.RowNr) {
    case rowPhysAdrSe1: se = 1; break;
    case rowPhysAdrSe2: se = 2; break;
    case rowPhysAdrSe3: se = 3; break;
    case rowPhysAdrSe4: se = 4; break;
    default: break;
    }
    if (se != 0) {
        const auto i = static_cast<std::size_t>(se - 1);
        const int32_t alt = m_physAdrSe[i];
        TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodePhysAdrSeWaehlen);
        request.Wert4 = static_cast<int8_t>(m_scharfschaltBereich);
        request.Wert5 = alt;
        request.Text = m_strPhysAdrSe[i];
        (void)AzKnoten::SendRequest(*this, request);
        // Only a new address counts; a changed text with the same address is not taken.
        if (request.Wert5 != alt) {
            m_physAdrSe[i] = request.Wert5;
            m_strPhysAdrSe[i] = request.Text;
            if (request.Wert5 == 0)
                m_melderNrSaboSe[i] = kKeineSabotage;
            request.Code = kCodePhysAdrSeGeaendert;
            request.Wert6 = alt;
            (void)AzKnoten::SendRequest(*this, request);
            flags.Write = flags.Refresh = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

int TAzScharfschaltungSsb::SeIndex(int se)
{
    return se >= 1 && se <= kAnzahlSe ? se - 1 : -1;
}

bool TAzScharfschaltungSsb::IstGueltigerBereich() const
{
    const int n = static_cast<int8_t>(m_scharfschaltBereich);
    return n >= 1 && n <= kAnzahlSe;
}
