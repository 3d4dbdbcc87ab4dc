#include "quillon/VireoGrpAdrSub.h"

#include "morrow/EtsSubGroup.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"

#include <utility>

TVireoGrpAdrSub::TVireoGrpAdrSub(HWND owner, int32_t system, int32_t parent, std::string name,
                                 int32_t art, TEtsSubGroup* group)
    : TVireoGrpAdrBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TVireoGrpAdrSub::TVireoGrpAdrSub");
    SetGroup(group);
}

TVireoGrpAdrSub::~TVireoGrpAdrSub()
{
    LOG_FKT("TVireoGrpAdrSub::~TVireoGrpAdrSub");
}

int TVireoGrpAdrSub::GetTyp()
{
    LOG_FKT("TVireoGrpAdrSub::GetTyp");
    return 5003;
}

int TVireoGrpAdrSub::ListStyle()
{
    LOG_FKT("TVireoGrpAdrSub::ListStyle");
    return 1;
}

int TVireoGrpAdrSub::GetIcon()
{
    LOG_FKT("TVireoGrpAdrSub::GetIcon");
    return 10;
}

bool TVireoGrpAdrSub::AllowChild(int /*typ*/)
{
    LOG_FKT("TVireoGrpAdrSub::AllowChild");
    return false;
}

void TVireoGrpAdrSub::Write(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrSub::Write");
}

void TVireoGrpAdrSub::InitFromDB(TDatenStruktur& /*record*/)
{
    LOG_FKT("TVireoGrpAdrSub::InitFromDB");
}

bool TVireoGrpAdrSub::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TVireoGrpAdrSub::AllowDrop");
    return IstKommunikationsObjekt(source);
}

void TVireoGrpAdrSub::Drop(TDataBasis* source)
{
    LOG_FKT("TVireoGrpAdrSub::Drop");
    if (source == this || !IstKommunikationsObjekt(source))
        return;
    SendMessage(GetOwnerWindow(), UM_LinkToSubGroup,
                static_cast<WPARAM>(static_cast<std::intptr_t>(GetEtsId())),
                static_cast<LPARAM>(source->GetHandle()));
    PostMessage(GetOwnerWindow(), UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(source), 0);
}

void TVireoGrpAdrSub::BuildInfoWindow(TDrawGridSE* grid, TListView* view, bool /*first*/,
                                      int /*column*/, int /*row*/)
{
    LOG_FKT("TVireoGrpAdrSub::BuildInfoWindow");
    BuildObjektListe(grid, view, 6);
}

int16_t TVireoGrpAdrSub::GetGrpAddr() const
{
    LOG_FKT("TVireoGrpAdrSub::GetGrpAddr");
    return m_group != nullptr ? m_group->GetNumber() : int16_t{-1};
}

int16_t TVireoGrpAdrSub::GetKomplettGrpAdr(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrSub::GetKomplettGrpAdr");
    if (m_group == nullptr)
        return -1;
    const uint16_t wort = wert != 0 ? m_group->GetGrpAddr(wert) : m_group->GetGrpAddr();
    return static_cast<int16_t>(wort);
}

std::string TVireoGrpAdrSub::GetKomplettGrpAdrString(int32_t wert)
{
    LOG_FKT("TVireoGrpAdrSub::GetKomplettGrpAdrString");
    return WortAlsText(GetKomplettGrpAdr(wert));
}

int TVireoGrpAdrSub::GetEtsId()
{
    LOG_FKT("TVireoGrpAdrSub::GetEtsId");
    return m_group != nullptr ? m_group->GetEtsId() : 0;
}

void TVireoGrpAdrSub::SetGroup(TEtsSubGroup* group)
{
    LOG_FKT("TVireoGrpAdrSub::SetGroup");
    m_group = group;
    if (m_group != nullptr)
        SetName(m_group->GetName());
}

void TVireoGrpAdrSub::SetSubAdrTyp(int typ)
{
    LOG_FKT("TVireoGrpAdrSub::SetSubAdrTyp");
    m_subAdrTyp = typ;
}

std::string TVireoGrpAdrSub::GetSubAdrTypString() const
{
    LOG_FKT("TVireoGrpAdrSub::GetSubAdrTypString");
    return GetSizeText(m_subAdrTyp);
}

void TVireoGrpAdrSub::SetEtsObjektTyp(char typ)
{
    LOG_FKT("TVireoGrpAdrSub::SetEtsObjektTyp");
    // Read as signed whatever the platform's char is, so -1 stays "free".
    SetSubAdrTyp(static_cast<signed char>(typ));
}
