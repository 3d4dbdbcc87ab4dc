#include "tessarin/AzOrdnerAlarmierung.h"

#include "tamsel/Tamsel.h"

#include <utility>

namespace {

constexpr int kTyp = 6139;
constexpr int kIcon = 48;

} // namespace

TAzOrdnerAlarmierung::TAzOrdnerAlarmierung(HWND owner, int32_t system, int32_t parent,
                                           std::string name, int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TAzOrdnerAlarmierung::TAzOrdnerAlarmierung");
}

TAzOrdnerAlarmierung::~TAzOrdnerAlarmierung()
{
    LOG_FKT("TAzOrdnerAlarmierung::~TAzOrdnerAlarmierung");
}

int TAzOrdnerAlarmierung::GetTyp()
{
    LOG_FKT("TAzOrdnerAlarmierung::GetTyp");
    return kTyp;
}

int TAzOrdnerAlarmierung::GetIcon()
{
    LOG_FKT("TAzOrdnerAlarmierung::GetIcon");
    return kIcon;
}
