#include "quillon/OrdnerGrpAdrIntern.h"

#include "tamsel/Tamsel.h"

#include <utility>

TGrpAdrOrdnerIntern::TGrpAdrOrdnerIntern(HWND owner, int32_t system, int32_t parent,
                                         std::string name, int32_t art)
    : TOrdner(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TGrpAdrOrdnerIntern::TGrpAdrOrdnerIntern");
}

TGrpAdrOrdnerIntern::~TGrpAdrOrdnerIntern()
{
    LOG_FKT("TGrpAdrOrdnerIntern::~TGrpAdrOrdnerIntern");
}

std::string TGrpAdrOrdnerIntern::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TGrpAdrOrdnerIntern::GetName");
    return TOrdner::GetName(false);
}

int TGrpAdrOrdnerIntern::GetTyp()
{
    LOG_FKT("TGrpAdrOrdnerIntern::GetTyp");
    return 204;
}

int TGrpAdrOrdnerIntern::ListStyle()
{
    LOG_FKT("TGrpAdrOrdnerIntern::ListStyle");
    return 0;
}

int TGrpAdrOrdnerIntern::GetIcon()
{
    LOG_FKT("TGrpAdrOrdnerIntern::GetIcon");
    return 21;
}

bool TGrpAdrOrdnerIntern::AllowChild(int /*typ*/)
{
    LOG_FKT("TGrpAdrOrdnerIntern::AllowChild");
    return false;
}

void TGrpAdrOrdnerIntern::Write(TDatenStruktur& record)
{
    LOG_FKT("TGrpAdrOrdnerIntern::Write");
    TOrdner::Write(record);
}

void TGrpAdrOrdnerIntern::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TGrpAdrOrdnerIntern::InitFromDB");
    TDataBasis::InitFromDB(record);
}
