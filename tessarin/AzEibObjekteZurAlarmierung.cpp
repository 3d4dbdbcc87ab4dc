#include "tessarin/AzEibObjekteZurAlarmierung.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

TAzEibObjekteZurAlarmierung::TAzEibObjekteZurAlarmierung(HWND owner, int32_t system, int32_t parent,
                                                         std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::TAzEibObjekteZurAlarmierung");
}

TAzEibObjekteZurAlarmierung::~TAzEibObjekteZurAlarmierung()
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::~TAzEibObjekteZurAlarmierung");
}

int TAzEibObjekteZurAlarmierung::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzEibObjekteZurAlarmierung::GetName(bool) const
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GetName");
    return TDataBasis::GetName(false);
}

int TAzEibObjekteZurAlarmierung::GetTyp()
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GetTyp");
    return kTyp;
}

int TAzEibObjekteZurAlarmierung::ListStyle()
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::ListStyle");
    return 0;
}

int TAzEibObjekteZurAlarmierung::GetIcon()
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GetIcon");
    return kIcon;
}

bool TAzEibObjekteZurAlarmierung::AllowChild(int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::AllowChild");
    return false;
}

void TAzEibObjekteZurAlarmierung::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::Write");
    TDataBasis::Write(record);
}

bool TAzEibObjekteZurAlarmierung::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzEibObjekteZurAlarmierung::Drop(TDataBasis* source)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzEibObjekteZurAlarmierung::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column,
                                                  int row)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::BuildInfoWindow");
    if (!AzKnoten::BeginInfoWindow(*this, grid, true))
        return;
    AzKnoten::EndInfoWindow(*this, column, row);
}

void TAzEibObjekteZurAlarmierung::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::InitFromDB");
    TDataBasis::InitFromDB(record);
    // The continuation record is looked up but holds nothing this node reads.
    if (record.Next > 0)
        (void)GetDatensatz(GetSystem(), record.Next);
}

bool TAzEibObjekteZurAlarmierung::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

bool TAzEibObjekteZurAlarmierung::CallModifyEibObjekteZurAlarmierung(int paramNr, int anzahl,
                                                                     int positionOffset)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::CallModifyEibObjekteZurAlarmierung");
    return ModifyObject(anzahl, paramNr, positionOffset, true);
}

void TAzEibObjekteZurAlarmierung::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridComboBoxChange");
}

void TAzEibObjekteZurAlarmierung::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridEditChange");
}

void TAzEibObjekteZurAlarmierung::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridSpinEditChange");
}

void TAzEibObjekteZurAlarmierung::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                       double)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridSpinEditOverflow");
}

void TAzEibObjekteZurAlarmierung::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                        double)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridSpinEditUnderflow");
}

void TAzEibObjekteZurAlarmierung::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridExitCell");
}

void TAzEibObjekteZurAlarmierung::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridExit");
}

void TAzEibObjekteZurAlarmierung::GridEllipseClick(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzEibObjekteZurAlarmierung::GridEllipseClick");
}
