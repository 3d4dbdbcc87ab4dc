#include "quillon/VireoGrpAdrMain.h"

#include "morrow/EtsMainGroup.h"
#include "tamsel/Tamsel.h"

#include <utility>

TVireoGrpAdrMain::TVireoGrpAdrMain(HWND owner, int32_t system, int32_t parent, std::string name,
                                   int32_t art, TEtsMainGroup* group)
    : TVireoGrpAdrBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TVireoGrpAdrMain::TVireoGrpAdrMain");
    SetGroup(group);
}

TVireoGrpAdrMain::~TVireoGrpAdrMain()
{
    LOG_FKT("TVireoGrpAdrMain::~TVireoGrpAdrMain");
}

int TVireoGrpAdrMain::GetTyp()
{
    LOG_FKT("TVireoGrpAdrMain::GetTyp");
    return 5001;
}

int TVireoGrpAdrMain::ListStyle()
{
    LOG_FKT("TVireoGrpAdrMain::ListStyle");
    return 0;
}

int TVireoGrpAdrMain::GetIcon()
{
    LOG_FKT("TVireoGrpAdrMain::GetIcon");
    return 8;
}

bool TVireoGrpAdrMain::AllowChild(int /*typ*/)
{
    LOG_FKT("TVireoGrpAdrMain::AllowChild");
    return false;
}

void TVireoGrpAdrMain::Write(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrMain::Write");
}

void TVireoGrpAdrMain::InitFromDB(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrMain::InitFromDB");
}

int16_t TVireoGrpAdrMain::GetGrpAddr() const
{
    LOG_FKT("TVireoGrpAdrMain::GetGrpAddr");
    return m_group != nullptr ? m_group->GetGrpAddr() : int16_t{-1};
}

int16_t TVireoGrpAdrMain::GetKomplettGrpAdr(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrMain::GetKomplettGrpAdr");
    if (wert == 0 || m_group == nullptr)
        return -1;
    return static_cast<int16_t>(m_group->GetGrpAddr(wert));
}

std::string TVireoGrpAdrMain::GetKomplettGrpAdrString(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrMain::GetKomplettGrpAdrString");
    return WortAlsText(GetKomplettGrpAdr(wert));
}

int TVireoGrpAdrMain::GetEtsId()
{
    LOG_FKT("TVireoGrpAdrMain::GetEtsId");
    return m_group != nullptr ? m_group->GetEtsId() : 0;
}

void TVireoGrpAdrMain::SetGroup(TEtsMainGroup* group)
{
    LOG_FKT("TVireoGrpAdrMain::SetGroup");
    m_group = group;
    if (m_group != nullptr)
        SetName(m_group->GetName());
}
