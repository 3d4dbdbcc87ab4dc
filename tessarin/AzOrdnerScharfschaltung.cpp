#include "tessarin/AzOrdnerScharfschaltung.h"

#include "tamsel/Tamsel.h"

#include <utility>

TAzOrdnerScharfschaltung::TAzOrdnerScharfschaltung(HWND owner, int32_t system, int32_t parent,
                                                   std::string name, int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzOrdnerScharfschaltung::TAzOrdnerScharfschaltung");
}

TAzOrdnerScharfschaltung::~TAzOrdnerScharfschaltung()
{
    LOG_FKT("TAzOrdnerScharfschaltung::~TAzOrdnerScharfschaltung");
}

int TAzOrdnerScharfschaltung::GetTyp()
{
    LOG_FKT("TAzOrdnerScharfschaltung::GetTyp");
    return kTyp;
}

int TAzOrdnerScharfschaltung::GetIcon()
{
    LOG_FKT("TAzOrdnerScharfschaltung::GetIcon");
    return kIcon;
}
