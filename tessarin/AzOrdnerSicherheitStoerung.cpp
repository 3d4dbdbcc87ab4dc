#include "tessarin/AzOrdnerSicherheitStoerung.h"

#include "tamsel/Tamsel.h"

#include <utility>

TAzOrdnerSicherheitStoerung::TAzOrdnerSicherheitStoerung(HWND owner, int32_t system, int32_t parent,
                                                         std::string name, int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzOrdnerSicherheitStoerung::TAzOrdnerSicherheitStoerung");
}

TAzOrdnerSicherheitStoerung::~TAzOrdnerSicherheitStoerung()
{
    LOG_FKT("TAzOrdnerSicherheitStoerung::~TAzOrdnerSicherheitStoerung");
}

int TAzOrdnerSicherheitStoerung::GetTyp()
{
    LOG_FKT("TAzOrdnerSicherheitStoerung::GetTyp");
    return kTyp;
}

int TAzOrdnerSicherheitStoerung::GetIcon()
{
    LOG_FKT("TAzOrdnerSicherheitStoerung::GetIcon");
    return kIcon;
}
