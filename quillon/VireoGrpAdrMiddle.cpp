#include "quillon/VireoGrpAdrMiddle.h"

#include "morrow/EtsMiddleGroup.h"
#include "tamsel/Tamsel.h"

#include <utility>

TVireoGrpAdrMiddle::TVireoGrpAdrMiddle(HWND owner, int32_t system, int32_t parent, std::string name,
                                       int32_t art, TEtsMiddleGroup* group)
    : TVireoGrpAdrBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TVireoGrpAdrMiddle::TVireoGrpAdrMiddle");
    SetGroup(group);
}

TVireoGrpAdrMiddle::~TVireoGrpAdrMiddle()
{
    LOG_FKT("TVireoGrpAdrMiddle::~TVireoGrpAdrMiddle");
}

int TVireoGrpAdrMiddle::GetTyp()
{
    LOG_FKT("TVireoGrpAdrMiddle::GetTyp");
    return 5002;
}

int TVireoGrpAdrMiddle::ListStyle()
{
    LOG_FKT("TVireoGrpAdrMiddle::ListStyle");
    return 0;
}

int TVireoGrpAdrMiddle::GetIcon()
{
    LOG_FKT("TVireoGrpAdrMiddle::GetIcon");
    return 9;
}

bool TVireoGrpAdrMiddle::AllowChild(int /*typ*/)
{
    LOG_FKT("TVireoGrpAdrMiddle::AllowChild");
    return false;
}

void TVireoGrpAdrMiddle::Write(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrMiddle::Write");
}

void TVireoGrpAdrMiddle::InitFromDB(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrMiddle::InitFromDB");
}

int16_t TVireoGrpAdrMiddle::GetGrpAddr() const
{
    LOG_FKT("TVireoGrpAdrMiddle::GetGrpAddr");
    return m_group != nullptr ? m_group->GetGrpAddr() : int16_t{-1};
}

int16_t TVireoGrpAdrMiddle::GetKomplettGrpAdr(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrMiddle::GetKomplettGrpAdr");
    if (wert == 0 || m_group == nullptr)
        return -1;
    return static_cast<int16_t>(m_group->GetGrpAddr(wert));
}

std::string TVireoGrpAdrMiddle::GetKomplettGrpAdrString(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrMiddle::GetKomplettGrpAdrString");
    return WortAlsText(GetKomplettGrpAdr(wert));
}

int TVireoGrpAdrMiddle::GetEtsId()
{
    LOG_FKT("TVireoGrpAdrMiddle::GetEtsId");
    return m_group != nullptr ? m_group->GetEtsId() : 0;
}

void TVireoGrpAdrMiddle::SetGroup(TEtsMiddleGroup* group)
{
    LOG_FKT("TVireoGrpAdrMiddle::SetGroup");
    m_group = group;
    if (m_group != nullptr)
        SetName(m_group->GetName());
}
