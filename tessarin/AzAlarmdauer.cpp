#include "tessarin/AzAlarmdauer.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"

#include <cstddef>
#include <utility>

namespace {

// User texts without an entry in the string table, per output.
const char* const kCaptionModus[TAzAlarmdauer::kAusgangCount]
    = {"Schaltdauer Blitz", "Schaltdauer Außen-Sirene", "Schaltdauer Innen-Sirene",
       "Schaltdauer Relais"};
const char* const kCaptionDauer[TAzAlarmdauer::kAusgangCount]
    = {"Schaltdauer Blitz [s]", "Schaltdauer Außen-Sirene [s]", "Schaltdauer Innen-Sirene [s]",
       "Schaltdauer Relais [x 10s]"};
const char* const kModusZeitText = "Zeit";

constexpr int8_t kModusDefault[TAzAlarmdauer::kAusgangCount] = {0, 1, 1, 0};
constexpr int32_t kZeitDefault[TAzAlarmdauer::kAusgangCount] = {254, 180, 180, 254};

bool IsAusgang(int ausgang)
{
    return ausgang >= 0 && ausgang < TAzAlarmdauer::kAusgangCount;
}

// The output whose mode row (modus true) or duration row has the row number; -1 for none.
int AusgangOfRow(int rowNr, bool modus)
{
    for (int a = 0; a < TAzAlarmdauer::kAusgangCount; ++a) {
        if (rowNr == (modus ? TAzAlarmdauer::RowModus(a) : TAzAlarmdauer::RowDauer(a)))
            return a;
    }
    return -1;
}

// The duration that goes with a mode.
int32_t DauerFuerModus(int ausgang, int8_t modus)
{
    return modus == TAzAlarmdauer::kModusZeit ? TAzAlarmdauer::ZeitDefault(ausgang)
                                              : TAzAlarmdauer::kDauerImmerEin;
}

} // namespace

int32_t TAzAlarmdauer::ZeitDefault(int ausgang)
{
    LOG_FKT("TAzAlarmdauer::ZeitDefault");
    return IsAusgang(ausgang) ? kZeitDefault[ausgang] : kDauerImmerEin;
}

TAzAlarmdauer::TAzAlarmdauer(HWND owner, int32_t system, int32_t parent, std::string name,
                             int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzAlarmdauer::TAzAlarmdauer");
    for (int a = 0; a < kAusgangCount; ++a) {
        const auto i = static_cast<std::size_t>(a);
        m_modus[i] = kModusDefault[a];
        m_dauer[i] = {DauerFuerModus(a, m_modus[i]), kDauerMax, kDauerMin, kDauerStep};
    }
}

TAzAlarmdauer::~TAzAlarmdauer()
{
    LOG_FKT("TAzAlarmdauer::~TAzAlarmdauer");
}

int TAzAlarmdauer::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzAlarmdauer::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzAlarmdauer::GetName(bool) const
{
    LOG_FKT("TAzAlarmdauer::GetName");
    return TDataBasis::GetName(false);
}

int TAzAlarmdauer::GetTyp()
{
    LOG_FKT("TAzAlarmdauer::GetTyp");
    return kTyp;
}

int TAzAlarmdauer::ListStyle()
{
    LOG_FKT("TAzAlarmdauer::ListStyle");
    return 1;
}

int TAzAlarmdauer::GetIcon()
{
    LOG_FKT("TAzAlarmdauer::GetIcon");
    return kIcon;
}

bool TAzAlarmdauer::AllowChild(int)
{
    LOG_FKT("TAzAlarmdauer::AllowChild");
    return false;
}

void TAzAlarmdauer::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzAlarmdauer::Write");
    TDataBasis::Write(record);
    for (int a = 0; a < kAusgangCount; ++a) {
        const auto i = static_cast<std::size_t>(a);
        record.Param(3 + a) = m_dauer[i].wert;
        record.Bool(3 + a) = m_modus[i] != 0;
    }
}

bool TAzAlarmdauer::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzAlarmdauer::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzAlarmdauer::Drop(TDataBasis* source)
{
    LOG_FKT("TAzAlarmdauer::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzAlarmdauer::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzAlarmdauer::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid))
        return;
    TStringList modi;
    modi.Add(SprAz::Txt10126); // "Immer-Ein"
    modi.Add(kModusZeitText);
    for (int a = 0; a < kAusgangCount; ++a) {
        const auto i = static_cast<std::size_t>(a);
        // Only the first row fills the row Prepare left; every later one is appended.
        AddRowComboBox(grid, kCaptionModus[a], RowModus(a), &modi, m_modus[i], 0, a != 0);
        if (m_modus[i] == kModusZeit) {
            const TDauer& d = m_dauer[i];
            AddRowSpinEdit(grid, kCaptionDauer[a], RowDauer(a), d.max, d.min, d.step, d.wert, 0,
                           true);
        }
    }
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzAlarmdauer::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzAlarmdauer::InitFromDB");
    TDataBasis::InitFromDB(record);
    for (int a = 0; a < kAusgangCount; ++a) {
        const auto i = static_cast<std::size_t>(a);
        m_dauer[i].wert = record.Param(3 + a);
        m_modus[i] = record.Bool(3 + a) ? 1 : 0;
    }
    // The continuation record is looked up but holds nothing this node reads.
    if (record.Next > 0)
        (void)GetDatensatz(GetSystem(), record.Next);
}

bool TAzAlarmdauer::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzAlarmdauer::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzAlarmdauer::WriteDataToDb()
{
    LOG_FKT("TAzAlarmdauer::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    for (int a = 0; a < kAusgangCount; ++a)
        writer.Set(ParamDauer(a), m_dauer[static_cast<std::size_t>(a)].wert);
}

int32_t TAzAlarmdauer::GetDauer(int ausgang) const
{
    LOG_FKT("TAzAlarmdauer::GetDauer");
    return IsAusgang(ausgang) ? m_dauer[static_cast<std::size_t>(ausgang)].wert : 0;
}

int8_t TAzAlarmdauer::GetModus(int ausgang) const
{
    LOG_FKT("TAzAlarmdauer::GetModus");
    return IsAusgang(ausgang) ? m_modus[static_cast<std::size_t>(ausgang)] : 0;
}

void TAzAlarmdauer::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TAzAlarmdauer::GridComboBoxChange");
    if (sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    const int a = AusgangOfRow(cell.RowNr, true);
    int32_t index = 0;
    if (a >= 0 && AzKnoten::ComboIndex(sender, index)) {
        const auto i = static_cast<std::size_t>(a);
        if (index != m_modus[i]) {
            m_modus[i] = static_cast<int8_t>(index);
            // A new mode starts from its default, not from a duration set before.
            m_dauer[i].wert = DauerFuerModus(a, m_modus[i]);
            flags.Write = flags.Refresh = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzAlarmdauer::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmdauer::GridEditChange");
}

void TAzAlarmdauer::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmdauer::GridSpinEditChange");
}

void TAzAlarmdauer::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAlarmdauer::GridSpinEditOverflow");
}

void TAzAlarmdauer::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzAlarmdauer::GridSpinEditUnderflow");
}

void TAzAlarmdauer::GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column,
                                 int row)
{
    LOG_FKT("TAzAlarmdauer::GridExitCell");
    if (grid == nullptr || sender == nullptr)
        return;
    AzKnoten::TGridEditFlags flags;
    const int a = AusgangOfRow(cell.RowNr, false);
    int32_t value = 0;
    if (a >= 0 && AzKnoten::SpinValue(sender, value)) {
        TDauer& d = m_dauer[static_cast<std::size_t>(a)];
        if (value != d.wert) {
            d.wert = value;
            flags.Write = flags.OtherViews = true;
        }
    }
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}

void TAzAlarmdauer::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmdauer::GridExit");
}

void TAzAlarmdauer::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzAlarmdauer::GridEllipseClick");
}
