#include "tessarin/AzSicherungsBereichUeberfall.h"

#include "quillon/DatenStruktur.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzKnoten.h"

#include <utility>

TAzSicherungsBereichUeberfall::TAzSicherungsBereichUeberfall(HWND owner, int32_t system,
                                                             int32_t parent, std::string name,
                                                             int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art), m_quickHelpIndex(kQuickHelpIndex)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::TAzSicherungsBereichUeberfall");
}

TAzSicherungsBereichUeberfall::~TAzSicherungsBereichUeberfall()
{
    LOG_FKT("TAzSicherungsBereichUeberfall::~TAzSicherungsBereichUeberfall");
}

int TAzSicherungsBereichUeberfall::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GetQuickHelpIndexOffset");
    return m_quickHelpIndex;
}

std::string TAzSicherungsBereichUeberfall::GetName(bool) const
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GetName");
    return TDataBasis::GetName(false);
}

int TAzSicherungsBereichUeberfall::GetTyp()
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GetTyp");
    return kTyp;
}

int TAzSicherungsBereichUeberfall::ListStyle()
{
    LOG_FKT("TAzSicherungsBereichUeberfall::ListStyle");
    return 0;
}

int TAzSicherungsBereichUeberfall::GetIcon()
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GetIcon");
    return kIcon;
}

bool TAzSicherungsBereichUeberfall::AllowChild(int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::AllowChild");
    return false;
}

void TAzSicherungsBereichUeberfall::Write(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::Write");
    TDataBasis::Write(record);
}

bool TAzSicherungsBereichUeberfall::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::AllowDrop");
    if (source != nullptr)
        (void)source->GetTyp();
    return false;
}

void TAzSicherungsBereichUeberfall::Drop(TDataBasis* source)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::Drop");
    if (source != nullptr && source != this)
        (void)source->GetTyp();
}

void TAzSicherungsBereichUeberfall::BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::BuildInfoWindow");
    // The children are listed by the editor; no cell of this node is ever active again.
    (void)AzKnoten::BeginInfoWindow(*this, grid, true);
}

void TAzSicherungsBereichUeberfall::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::InitFromDB");
    TDataBasis::InitFromDB(record);
}

bool TAzSicherungsBereichUeberfall::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::Einfuegen");
    return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
}

void TAzSicherungsBereichUeberfall::GridComboBoxChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridComboBoxChange");
}

void TAzSicherungsBereichUeberfall::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridEditChange");
}

void TAzSicherungsBereichUeberfall::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridSpinEditChange");
}

void TAzSicherungsBereichUeberfall::GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                         double)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridSpinEditOverflow");
}

void TAzSicherungsBereichUeberfall::GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int,
                                                          double)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridSpinEditUnderflow");
}

void TAzSicherungsBereichUeberfall::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridExitCell");
}

void TAzSicherungsBereichUeberfall::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridExit");
}

void TAzSicherungsBereichUeberfall::GridEllipseClick(TObject*, TCell& cell, int column, int row)
{
    LOG_FKT("TAzSicherungsBereichUeberfall::GridEllipseClick");
    AzKnoten::TGridEditFlags flags;
    if (dynamic_cast<TAzSicherungsBereichUeberfall*>(cell.Data) != nullptr)
        flags.Write = flags.Refresh = true;
    AzKnoten::FinishGridEdit(*this, flags, column, row);
}
