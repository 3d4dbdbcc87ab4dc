#include "tessarin/AzEibAlarmSystemSicherheit.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <utility>

namespace {

// User texts without an entry in the string table.
const char* const kCaptionAbfrageIntervall = "Melder Abfrage-Intervall [s]";
const char* const kCaptionUeberwachung = "Funktionsüberwachung";
const char* const kCaptionUeberwachungsIntervall = "Funktionsüberwachungs-Intervall [s]";
const char* const kCaptionReaktion = "Fehlende Funktionsüberwachung";
const char* const kReaktionWieSabotage = "Wie Sabotage";
const char* const kReaktionUegStoerung = "ÜG 'Störung'";
const char* const kFrageAusschalten
    = "Soll die Funktionsüberwachung wirklich ausgeschaltet werden?\n\r"
      "Die Objekte zur Funktionsüberwachung werden dadurch gelöscht.";

} // namespace

TAzEibAlarmSystemSicherheit::TAzEibAlarmSystemSicherheit(HWND owner, int32_t system, int32_t parent,
                                                         std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex),
      m_abfrageIntervall(10), m_abfrageIntervallMax(255), m_abfrageIntervallMin(2),
      m_abfrageIntervallStep(1), m_ueberwachung(0), m_ueberwachungsIntervall(0),
      m_ueberwachungsIntervallMax(255), m_ueberwachungsIntervallMin(2),
      m_ueberwachungsIntervallStep(1), m_reaktion(0)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::TAzEibAlarmSystemSicherheit");
}

TAzEibAlarmSystemSicherheit::~TAzEibAlarmSystemSicherheit()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::~TAzEibAlarmSystemSicherheit");
}

int TAzEibAlarmSystemSicherheit::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzEibAlarmSystemSicherheit::GetName(bool) const
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GetName");
    return TDataBasis::GetName(false);
}

int TAzEibAlarmSystemSicherheit::GetTyp()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GetTyp");
    return kTyp;
}

int TAzEibAlarmSystemSicherheit::ListStyle()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::ListStyle");
    return 1;
}

int TAzEibAlarmSystemSicherheit::GetIcon()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GetIcon");
    return kIcon;
}

bool TAzEibAlarmSystemSicherheit::AllowChild(int)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::AllowChild");
    return false;
}

void TAzEibAlarmSystemSicherheit::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::Write");
    TDataBasis::Write(record);
    record.Param3 = m_abfrageIntervall;
    record.Param4 = m_ueberwachungsIntervall;
    record.Bool3 = m_reaktion != 0;
    record.Bool4 = m_ueberwachung != 0;
}

bool TAzEibAlarmSystemSicherheit::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzEibAlarmSystemSicherheit::Drop(TDataBasis* source)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzEibAlarmSystemSicherheit::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                                  int row)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    AddRowSpinEdit(grid, kCaptionAbfrageIntervall, kRowAbfrageIntervall, m_abfrageIntervallMax,
                   m_abfrageIntervallMin, m_abfrageIntervallStep, m_abfrageIntervall, 0, false);
    AddRowComboBoxYes(grid, kCaptionUeberwachung, kRowUeberwachung,
                      T_DB_EnumDataBasis::ToEnumBool(m_ueberwachung != 0), 0, true);
    if (m_ueberwachung == 1) {
        AddRowSpinEdit(grid, kCaptionUeberwachungsIntervall, kRowUeberwachungsIntervall,
                       m_ueberwachungsIntervallMax, m_ueberwachungsIntervallMin,
                       m_ueberwachungsIntervallStep, m_ueberwachungsIntervall, 0, true);
        TStringList reaktionen;
        reaktionen.Add(kReaktionWieSabotage);
        reaktionen.Add(kReaktionUegStoerung);
        AddRowComboBox(grid, kCaptionReaktion, kRowReaktion, &reaktionen, m_reaktion, 0, true);
    }
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzEibAlarmSystemSicherheit::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_abfrageIntervall = record.Param3;
    m_ueberwachungsIntervall = record.Param4;
    m_reaktion = record.Bool3 ? 1 : 0;
    m_ueberwachung = record.Bool4 ? 1 : 0;
}

bool TAzEibAlarmSystemSicherheit::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzEibAlarmSystemSicherheit::WriteDataToDb()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(kParamAbfrageIntervall, m_abfrageIntervall);
    writer.Set(kParamUeberwachungsIntervall, m_ueberwachungsIntervall);
    writer.Set(kParamReaktion, m_reaktion);
}

bool TAzEibAlarmSystemSicherheit::GetStatusHeartBeatUeberwachung() const
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GetStatusHeartBeatUeberwachung");
    return m_ueberwachung == 1;
}

void TAzEibAlarmSystemSicherheit::ChangeUeberwachung(int32_t neu)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::ChangeUeberwachung");
    const int8_t alt = m_ueberwachung;
    m_ueberwachung = static_cast<int8_t>(neu);
    if (neu == 1) {
        m_ueberwachungsIntervall = kUeberwachungsIntervallNeu;
        m_reaktion = 0;
        MeldeUeberwachung();
        return;
    }
    if (MessageBox(GetOwnerWindow(), kFrageAusschalten, kCaptionUeberwachung,
                   MB_YESNO | MB_ICONQUESTION)
        == IDYES) {
        // Parameter 10080 carries 0 while the monitoring is off.
        m_ueberwachungsIntervall = 0;
        m_reaktion = 0;
        MeldeUeberwachung();
    } else {
        m_ueberwachung = alt;
    }
}

void TAzEibAlarmSystemSicherheit::MeldeUeberwachung()
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::MeldeUeberwachung");
    TUserDeviceRequest request = AzKnoten::MakeRequest(*this, kCodeUeberwachung);
    request.Wert4 = m_ueberwachung;
    (void)AzKnoten::SendRequest(*this, request);
}

void TAzEibAlarmSystemSicherheit::GridComboBoxChange(TObject* sender, TCell& cell, int column,
                                                     int row)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridComboBoxChange");
    AzKnoten::TGridEditFlags flags;
    int32_t index = 0;
    if (AzKnoten::ComboIndex(sender, index)) {
        if (cell.RowNr == kRowUeberwachung && index != m_ueberwachung) {
            ChangeUeberwachung(index);
            // Also after No: the rows are drawn again as they now stand.
            flags.Write = flags.Refresh = true;
        } else if (cell.RowNr == kRowReaktion && index != m_reaktion) {
            m_reaktion = static_cast<int8_t>(index);
            flags.Write = flags.OtherViews = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzEibAlarmSystemSicherheit::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridEditChange");
}

void TAzEibAlarmSystemSicherheit::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridSpinEditChange");
}

void TAzEibAlarmSystemSicherheit::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                       double)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridSpinEditOverflow");
}

void TAzEibAlarmSystemSicherheit::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                        double)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridSpinEditUnderflow");
}

void TAzEibAlarmSystemSicherheit::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell,
                                               int column, int row)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    int32_t value = 0;
    if (AzKnoten::SpinValue(sender, value)) {
        if (cell.RowNr == kRowAbfrageIntervall) {
            m_abfrageIntervall = value;
            flags.Write = flags.OtherViews = true;
        } else if (cell.RowNr == kRowUeberwachungsIntervall) {
            m_ueberwachungsIntervall = value;
            flags.Write = flags.OtherViews = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzEibAlarmSystemSicherheit::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridExit");
}

void TAzEibAlarmSystemSicherheit::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibAlarmSystemSicherheit::GridEllipseClick");
}
