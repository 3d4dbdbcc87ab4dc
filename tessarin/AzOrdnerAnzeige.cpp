#include "tessarin/AzOrdnerAnzeige.h"

#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

namespace {

constexpr int kTyp = 6142;
constexpr int kIcon = 51;
constexpr int kQuickHelpIndex = 182;
constexpr int kParamNrQuittierungMelder = 10100;

} // namespace

TAzOrdnerAnzeige::TAzOrdnerAnzeige(HWND owner, int32_t system, int32_t parent, std::string name,
                                   int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzOrdnerAnzeige::TAzOrdnerAnzeige");
}

TAzOrdnerAnzeige::~TAzOrdnerAnzeige()
{
    LOG_FKT("TAzOrdnerAnzeige::~TAzOrdnerAnzeige");
}

int TAzOrdnerAnzeige::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzOrdnerAnzeige::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzOrdnerAnzeige::GetName(bool) const
{
    LOG_FKT("TAzOrdnerAnzeige::GetName");
    return TDataBasis::GetName(false);
}

int TAzOrdnerAnzeige::GetTyp()
{
    LOG_FKT("TAzOrdnerAnzeige::GetTyp");
    return kTyp;
}

int TAzOrdnerAnzeige::ListStyle()
{
    LOG_FKT("TAzOrdnerAnzeige::ListStyle");
    return 0;
}

int TAzOrdnerAnzeige::GetIcon()
{
    LOG_FKT("TAzOrdnerAnzeige::GetIcon");
    return kIcon;
}

bool TAzOrdnerAnzeige::AllowChild(int)
{
    LOG_FKT("TAzOrdnerAnzeige::AllowChild");
    return false;
}

void TAzOrdnerAnzeige::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzOrdnerAnzeige::Write");
    TDataBasis::Write(record);
    record.Param3 = m_maskeGesamt;
}

bool TAzOrdnerAnzeige::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzOrdnerAnzeige::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzOrdnerAnzeige::Drop(TDataBasis* source)
{
    LOG_FKT("TAzOrdnerAnzeige::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzOrdnerAnzeige::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row)
{
    LOG_FKT("TAzOrdnerAnzeige::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid, true))
        return;
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzOrdnerAnzeige::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzOrdnerAnzeige::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_maskeGesamt = record.Param3;
    // The node keeps no continuation record; the look-up stays for compatibility and its
    // answer is not used.
    if (record.Next > 0)
        (void)GetDatensatz(GetSystem(), record.Next);
}

bool TAzOrdnerAnzeige::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzOrdnerAnzeige::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzOrdnerAnzeige::ModifyQuittierungMelder(int maske, TAzAnzeige::TEnumAnzeigeNr nummer)
{
    LOG_FKT("TAzOrdnerAnzeige::ModifyQuittierungMelder");
    if (nummer >= 0 && static_cast<std::size_t>(nummer) < m_maskeAnzeige.size())
        m_maskeAnzeige[static_cast<std::size_t>(nummer)] = maske;
    m_maskeGesamt = 0;
    for (const int32_t m : m_maskeAnzeige)
        m_maskeGesamt |= m;
    (void)AzKnoten::WriteRecord(*this);
}

void TAzOrdnerAnzeige::WriteDataToDb()
{
    LOG_FKT("TAzOrdnerAnzeige::WriteDataToDb");
    AzKnoten::TParamWriter writer(*this);
    if (!writer)
        return;
    writer.Set(kParamNrQuittierungMelder, m_maskeGesamt);
}

void TAzOrdnerAnzeige::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridComboBoxChange");
}

void TAzOrdnerAnzeige::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridEditChange");
}

void TAzOrdnerAnzeige::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridSpinEditChange");
}

void TAzOrdnerAnzeige::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzOrdnerAnzeige::GridSpinEditOverflow");
}

void TAzOrdnerAnzeige::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double)
{
    LOG_FKT("TAzOrdnerAnzeige::GridSpinEditUnderflow");
}

void TAzOrdnerAnzeige::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridExitCell");
}

void TAzOrdnerAnzeige::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridExit");
}

void TAzOrdnerAnzeige::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzOrdnerAnzeige::GridEllipseClick");
}
