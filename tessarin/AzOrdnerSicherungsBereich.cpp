#include "tessarin/AzOrdnerSicherungsBereich.h"

#include "tamsel/Tamsel.h"

#include <utility>

TAzOrdnerSicherungsBereich::TAzOrdnerSicherungsBereich(HWND owner, int32_t system, int32_t parent,
                                                       std::string name, int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzOrdnerSicherungsBereich::TAzOrdnerSicherungsBereich");
}

TAzOrdnerSicherungsBereich::~TAzOrdnerSicherungsBereich()
{
    LOG_FKT("TAzOrdnerSicherungsBereich::~TAzOrdnerSicherungsBereich");
}

int TAzOrdnerSicherungsBereich::GetTyp()
{
    LOG_FKT("TAzOrdnerSicherungsBereich::GetTyp");
    return kTyp;
}

int TAzOrdnerSicherungsBereich::GetIcon()
{
    LOG_FKT("TAzOrdnerSicherungsBereich::GetIcon");
    return kIcon;
}
