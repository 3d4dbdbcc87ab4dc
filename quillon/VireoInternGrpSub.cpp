#include "quillon/VireoInternGrpSub.h"

#include "quillon/DatenStruktur.h"
#include "quillon/SprObjektModell.h"
#include "quillon/UserMessages.h"
#include "quillon/CursorHourGlass.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "vcl/Exception.h"

#include <utility>

namespace {

constexpr int kGridSpalten = 2;

uint16_t PruefeNummer(uint16_t nummer)
{
    if (nummer > TVireoInternGrpSub::kMaxNummer)
        throw Exception("max. internal GroupAddress: 32767");
    return static_cast<uint16_t>(nummer | TVireoInternGrpSub::kInternBit);
}

} // namespace

TVireoInternGrpSub::TVireoInternGrpSub(HWND owner, int32_t system, int32_t parent,
                                       std::string name, uint16_t nummer, int32_t art)
    : TVireoGrpAdrBasis(owner, system, parent, std::move(name), art),
      m_adrWort(PruefeNummer(nummer))
{
    LOG_FKT("TVireoInternGrpSub::TVireoInternGrpSub");
}

TVireoInternGrpSub::~TVireoInternGrpSub()
{
    LOG_FKT("TVireoInternGrpSub::~TVireoInternGrpSub");
}

int TVireoInternGrpSub::GetTyp()
{
    LOG_FKT("TVireoInternGrpSub::GetTyp");
    return 5006;
}

int TVireoInternGrpSub::ListStyle()
{
    LOG_FKT("TVireoInternGrpSub::ListStyle");
    return 1;
}

int TVireoInternGrpSub::GetIcon()
{
    LOG_FKT("TVireoInternGrpSub::GetIcon");
    return 22;
}

bool TVireoInternGrpSub::AllowChild(int /*typ*/)
{
    LOG_FKT("TVireoInternGrpSub::AllowChild");
    return false;
}

void TVireoInternGrpSub::Write(TDatenStruktur& record)
{
    LOG_FKT("TVireoInternGrpSub::Write");
    TVireoGrpAdrBasis::Write(record);
    record.Param10 = m_adrWort;
    record.Param11 = m_groupTyp;
}

bool TVireoInternGrpSub::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TVireoInternGrpSub::AllowDrop");
    return IstKommunikationsObjekt(source);
}

void TVireoInternGrpSub::Drop(TDataBasis* source)
{
    LOG_FKT("TVireoInternGrpSub::Drop");
    if (source == this || !IstKommunikationsObjekt(source))
        return;
    SendMessage(GetOwnerWindow(), UM_LinkToInternGroup,
                static_cast<WPARAM>(static_cast<std::intptr_t>(GetHandle())),
                static_cast<LPARAM>(source->GetHandle()));
    PostMessage(GetOwnerWindow(), UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(source), 0);
}

void TVireoInternGrpSub::BuildInfoWindow(TDrawGridSE* grid, TListView* view, bool first,
                                         int /*column*/, int /*row*/)
{
    LOG_FKT("TVireoInternGrpSub::BuildInfoWindow");
    TCursorHourGlass sanduhr;
    if (!GetFlag()) {
        BuildObjektListe(grid, view, 13);
        return;
    }
    if (grid == nullptr)
        return;
    grid->Prepare(kGridSpalten);
    AddRowTextFeld(grid, SprObjektModell::TxtAdresse, 0, GetKomplettGrpAdrString(0), 0, first);
}

void TVireoInternGrpSub::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TVireoInternGrpSub::InitFromDB");
    TVireoGrpAdrBasis::InitFromDB(record);
    m_adrWort = static_cast<uint16_t>(record.Param10 & 0xFFFF);
    m_groupTyp = record.Param11;
}

int16_t TVireoInternGrpSub::GetGrpAddr() const
{
    LOG_FKT("TVireoInternGrpSub::GetGrpAddr");
    return static_cast<int16_t>(m_adrWort & 0x0FFF);
}

int16_t TVireoInternGrpSub::GetKomplettGrpAdr(int32_t /*wert*/)
{
    LOG_FKT("TVireoInternGrpSub::GetKomplettGrpAdr");
    return static_cast<int16_t>(m_adrWort);
}

std::string TVireoInternGrpSub::GetKomplettGrpAdrString(int32_t wert)
{
    LOG_FKT("TVireoInternGrpSub::GetKomplettGrpAdrString");
    const auto wort = static_cast<uint16_t>(GetKomplettGrpAdr(wert));
    return "int/" + std::to_string(wort & 0x0FFF);
}

int TVireoInternGrpSub::GetEtsId()
{
    LOG_FKT("TVireoInternGrpSub::GetEtsId");
    return GetHandle();
}

void TVireoInternGrpSub::SetGroupTyp(int typ)
{
    LOG_FKT("TVireoInternGrpSub::SetGroupTyp");
    m_groupTyp = typ;
}

std::string TVireoInternGrpSub::GetSubAdrTypString() const
{
    LOG_FKT("TVireoInternGrpSub::GetSubAdrTypString");
    return GetSizeText(m_groupTyp);
}
