#include "quillon/VireoObjekt.h"

#include "tamsel/Tamsel.h"

#include <utility>

TVireoObjekt::TVireoObjekt(HWND owner, int32_t system, int32_t parent, std::string name,
                           bool uebertragen, bool kommunikation, bool lesen, bool schreiben,
                           bool aktualisieren, bool status, int32_t number, int32_t wert1,
                           int32_t wert2, TEnumObjectType objektTyp, int32_t identifier,
                           int32_t art)
    : TObjektBasis(owner, system, parent, std::move(name), number, wert1, wert2, objektTyp,
                   identifier, art)
{
    LOG_FKT("TVireoObjekt::TVireoObjekt");
    // The object's own SetFlags is TObjektBasis's: it changes only the object.
    TObjektBasis::SetFlags(kommunikation, lesen, schreiben, uebertragen, aktualisieren, status,
                           false);
}

TVireoObjekt::~TVireoObjekt()
{
    LOG_FKT("TVireoObjekt::~TVireoObjekt");
}

std::string TVireoObjekt::GetName(bool mitPosition) const
{
    LOG_FKT("TVireoObjekt::GetName");
    return TObjektBasis::GetName(mitPosition);
}

int TVireoObjekt::GetTyp()
{
    LOG_FKT("TVireoObjekt::GetTyp");
    return kTyp;
}

int TVireoObjekt::GetIcon()
{
    LOG_FKT("TVireoObjekt::GetIcon");
    const bool verbunden = IstVerbunden();
    switch (GetIoTyp()) {
    case T_DB_EnumObjektBasis::ioSchreiben: return verbunden ? 15 : 16;
    case T_DB_EnumObjektBasis::ioLesen: return verbunden ? 13 : 14;
    case T_DB_EnumObjektBasis::ioLesenSchreiben: return verbunden ? 17 : 18;
    case T_DB_EnumObjektBasis::ioKeins: return verbunden ? 19 : 20;
    }
    return -1;
}

void TVireoObjekt::Write(TDatenStruktur& record)
{
    LOG_FKT("TVireoObjekt::Write");
    TObjektBasis::Write(record);
}

bool TVireoObjekt::DatenAbgleich(bool erster, bool zweiter)
{
    LOG_FKT("TVireoObjekt::DatenAbgleich");
    TObjektBasis::DatenAbgleich(erster, zweiter);
    FrageStandardName(GetIdentifier(), 0);
    return true;
}

void TVireoObjekt::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TVireoObjekt::InitFromDB");
    TObjektBasis::InitFromDB(record);
}

void TVireoObjekt::SetGrpAdrSend(int address)
{
    LOG_FKT("TVireoObjekt::SetGrpAdrSend");
    SortiereMitSendender(address);
}
