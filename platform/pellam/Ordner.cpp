#include "pellam/Ordner.h"

#include "tamsel/Tamsel.h"

#include <utility>

TOrdner::TOrdner(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TOrdner::TOrdner");
}

TOrdner::~TOrdner()
{
    LOG_FKT("TOrdner::~TOrdner");
}

int TOrdner::ListStyle()
{
    LOG_FKT("TOrdner::ListStyle");
    return 0;
}

bool TOrdner::AllowChild(int /*typ*/)
{
    LOG_FKT("TOrdner::AllowChild");
    return false;
}

bool TOrdner::DatenAbgleich(bool, bool)
{
    LOG_FKT("TOrdner::DatenAbgleich");
    return true;
}

void TOrdner::BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                              int row)
{
    LOG_FKT("TOrdner::BuildInfoWindow");
    // The editor fills a folder's list itself; the grid only loses the node shown before.
    TDataBasis::BuildInfoWindow(grid, list, first, column, row);
}
