#include "quillon/OrdnerGrpAdr.h"

#include "tamsel/Tamsel.h"

#include <utility>

TGrpAdrOrdner::TGrpAdrOrdner(HWND owner, int32_t system, int32_t parent, std::string name,
                             int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TGrpAdrOrdner::TGrpAdrOrdner");
}

TGrpAdrOrdner::~TGrpAdrOrdner()
{
    LOG_FKT("TGrpAdrOrdner::~TGrpAdrOrdner");
}

std::string TGrpAdrOrdner::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TGrpAdrOrdner::GetName");
    return TOrdner::GetName(false);
}

int TGrpAdrOrdner::GetTyp()
{
    LOG_FKT("TGrpAdrOrdner::GetTyp");
    return 203;
}

int TGrpAdrOrdner::ListStyle()
{
    LOG_FKT("TGrpAdrOrdner::ListStyle");
    return 0;
}

int TGrpAdrOrdner::GetIcon()
{
    LOG_FKT("TGrpAdrOrdner::GetIcon");
    return 7;
}

bool TGrpAdrOrdner::AllowChild(int /*typ*/)
{
    LOG_FKT("TGrpAdrOrdner::AllowChild");
    return false;
}

void TGrpAdrOrdner::Write(TDatenStruktur& /*record*/)
{
    LOG_FKT("TGrpAdrOrdner::Write");
}

void TGrpAdrOrdner::InitFromDB(TDatenStruktur& /*record*/)
{
    LOG_FKT("TGrpAdrOrdner::InitFromDB");
}
