#include "tessarin/AzSicherungsBereichFeuer.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

TAzSicherungsBereichFeuer::TAzSicherungsBereichFeuer(HWND owner, int32_t system, int32_t parent,
                                                     std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzSicherungsBereichFeuer::TAzSicherungsBereichFeuer");
}

TAzSicherungsBereichFeuer::~TAzSicherungsBereichFeuer()
{
    LOG_FKT("TAzSicherungsBereichFeuer::~TAzSicherungsBereichFeuer");
}

int TAzSicherungsBereichFeuer::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereichFeuer::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereichFeuer::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereichFeuer::GetName");
    return TDataBasis::GetName(false);
}

int TAzSicherungsBereichFeuer::GetTyp()
{
    LOG_FKT("TAzSicherungsBereichFeuer::GetTyp");
    return kTyp;
}

int TAzSicherungsBereichFeuer::ListStyle()
{
    LOG_FKT("TAzSicherungsBereichFeuer::ListStyle");
    return 0;
}

int TAzSicherungsBereichFeuer::GetIcon()
{
    LOG_FKT("TAzSicherungsBereichFeuer::GetIcon");
    return kIcon;
}

bool TAzSicherungsBereichFeuer::AllowChild(int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::AllowChild");
    return false;
}

void TAzSicherungsBereichFeuer::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereichFeuer::Write");
    TDataBasis::Write(record);
}

bool TAzSicherungsBereichFeuer::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereichFeuer::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzSicherungsBereichFeuer::Drop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereichFeuer::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzSicherungsBereichFeuer::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::BuildInfoWindow");
    // The children are listed by the editor; no cell of this node is ever active again.
    (void)AzKnoten::BeginInfoWindow(*this, grid, true);
}

void TAzSicherungsBereichFeuer::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereichFeuer::InitFromDB");
    TDataBasis::InitFromDB(record);
}

bool TAzSicherungsBereichFeuer::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzSicherungsBereichFeuer::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzSicherungsBereichFeuer::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridComboBoxChange");
}

void TAzSicherungsBereichFeuer::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridEditChange");
}

void TAzSicherungsBereichFeuer::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridSpinEditChange");
}

void TAzSicherungsBereichFeuer::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                     double)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridSpinEditOverflow");
}

void TAzSicherungsBereichFeuer::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                      double)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridSpinEditUnderflow");
}

void TAzSicherungsBereichFeuer::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridExitCell");
}

void TAzSicherungsBereichFeuer::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridExit");
}

void TAzSicherungsBereichFeuer::GridEllipseClick(TObject*, TCell& cell, int column, int row)
{
    LOG_FKT("TAzSicherungsBereichFeuer::GridEllipseClick");
    AzKnoten::TGridEditFlags flags;
    if (dynamic_cast<TAzSicherungsBereichFeuer*>(cell.Data) != nullptr)
        flags.Write = flags.Refresh = true;
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}
