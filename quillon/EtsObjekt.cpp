#include "quillon/EtsObjekt.h"

#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "vcl/Exception.h"

#include <utility>

namespace {

// Flag requests of UM_ObjektFlag.
constexpr WPARAM kFlagSchreiben = 0;
constexpr WPARAM kFlagPruefen = 1;
// The editor sets Wert1 of a flag request to this when it could not read the device object.
constexpr int32_t kLesefehler = -1;

WPARAM AsWParam(int32_t value)
{
    return static_cast<WPARAM>(static_cast<std::intptr_t>(value));
}

} // namespace

TEtsObjekt::TEtsObjekt(HWND owner, int32_t system, int32_t parent, std::string name,
                       int32_t objectId, int32_t deviceObjectId, int32_t number, int32_t etsWert,
                       int32_t wert1, int32_t wert2, T_DB_EnumEtsObjekt::TEnumEtsObjektArt art,
                       TEnumObjectType objektTyp, T_DB_EnumObjektBasis::TEnumIOTyp /*ioTyp*/,
                       int32_t identifier, int32_t basisArt)
    : TObjektBasis(owner, system, parent, std::move(name), number, wert1, wert2, objektTyp,
                   identifier, basisArt),
      m_objectId(objectId),
      m_deviceObjectId(deviceObjectId),
      m_etsWert(etsWert),
      m_art(art)
{
    LOG_FKT("TEtsObjekt::TEtsObjekt");
}

TEtsObjekt::~TEtsObjekt()
{
    LOG_FKT("TEtsObjekt::~TEtsObjekt");
}

std::string TEtsObjekt::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TEtsObjekt::GetName");
    return TObjektBasis::GetName(false);
}

int TEtsObjekt::GetTyp()
{
    LOG_FKT("TEtsObjekt::GetTyp");
    return kTyp;
}

int TEtsObjekt::GetIcon()
{
    LOG_FKT("TEtsObjekt::GetIcon");
    const bool verbunden = IstVerbunden();
    switch (GetIoTyp()) {
    case T_DB_EnumObjektBasis::ioSchreiben: return verbunden ? 3 : 4;
    case T_DB_EnumObjektBasis::ioLesen: return verbunden ? 1 : 2;
    case T_DB_EnumObjektBasis::ioLesenSchreiben: return verbunden ? 5 : 6;
    case T_DB_EnumObjektBasis::ioKeins: return verbunden ? 11 : 12;
    }
    return -1;
}

bool TEtsObjekt::AllowChild(int /*typ*/)
{
    LOG_FKT("TEtsObjekt::AllowChild");
    return false;
}

bool TEtsObjekt::IsVisible()
{
    LOG_FKT("TEtsObjekt::IsVisible");
    return !m_hidden;
}

void TEtsObjekt::Write(TDatenStruktur& record)
{
    LOG_FKT("TEtsObjekt::Write");
    TObjektBasis::Write(record);
    record.Param3 = m_objectId;
    record.Param10 = m_deviceObjectId;
    record.Param5 = m_etsWert;
    record.Param7 = m_art;
    record.Bool9 = m_hidden;
}

void TEtsObjekt::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TEtsObjekt::InitFromDB");
    TObjektBasis::InitFromDB(record);
    m_objectId = record.Param3;
    m_deviceObjectId = record.Param10;
    m_etsWert = record.Param5;
    m_art = static_cast<T_DB_EnumEtsObjekt::TEnumEtsObjektArt>(static_cast<int8_t>(record.Param7));
    m_hidden = record.Bool9;
}

LRESULT TEtsObjekt::FlagAnfrage(WPARAM modus, TEnumObjektFlag flag, bool wert, bool* leseFehler)
{
    LOG_FKT("TEtsObjekt::FlagAnfrage");
    TUserDeviceRequest request{};
    request.Code = 5;
    request.Sender = this;
    request.Reserve = m_deviceObjectId;
    request.Wert5 = flag;
    request.Wert6 = wert ? 1 : 0;
    const LRESULT antwort =
        SendMessage(GetOwnerWindow(), UM_ObjektFlag, modus, reinterpret_cast<LPARAM>(&request));
    if (leseFehler != nullptr)
        *leseFehler = request.Wert1 == kLesefehler;
    return antwort;
}

bool TEtsObjekt::DatenAbgleich(bool erster, bool zweiter)
{
    LOG_FKT("TEtsObjekt::DatenAbgleich");
    try {
        if (!TObjektBasis::DatenAbgleich(erster, zweiter))
            return false;
        bool uebernommen = false;
        for (int nummer = ofKommunikation; nummer <= ofAktualisieren; ++nummer) {
            const auto flag = static_cast<TEnumObjektFlag>(nummer);
            const bool wert = GetObjektFlag(flag);
            if (erster && zweiter) {
                if (FlagAnfrage(kFlagSchreiben, flag, wert, nullptr) == 0)
                    return false;
            } else if (erster) {
                // Only a real difference is taken over: a failed read answers 0 as well, and
                // must not flip a flag that may well be right.
                bool leseFehler = false;
                if (FlagAnfrage(kFlagPruefen, flag, wert, &leseFehler) == 0 && !leseFehler) {
                    SetObjektFlag(flag, !wert);
                    uebernommen = true;
                }
            } else {
                if (FlagAnfrage(kFlagPruefen, flag, wert, nullptr) == 0)
                    return false;
            }
        }
        AktualisiereIoTyp();
        FrageStandardName(m_objectId, m_deviceObjectId);
        if (uebernommen)
            SchreibeDatensatz();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void TEtsObjekt::SetGrpAdrSend(int address)
{
    LOG_FKT("TEtsObjekt::SetGrpAdrSend");
    const int32_t alteId = SendendeSubGroupId();
    SortiereMitSendender(address);
    if (IsSendendIntern())
        return;
    const int32_t neueId = SendendeSubGroupId();
    const LPARAM objekt = static_cast<LPARAM>(m_deviceObjectId);
    if (SendMessage(GetOwnerWindow(), UM_GrpAdrSendendAus, AsWParam(alteId), objekt) != 0)
        SendMessage(GetOwnerWindow(), UM_GrpAdrSendendEin, AsWParam(neueId), objekt);
}

bool TEtsObjekt::ChangeFlag(TEnumObjektFlag flag, bool value)
{
    LOG_FKT("TEtsObjekt::ChangeFlag");
    if (FlagAnfrage(kFlagSchreiben, flag, value, nullptr) == 0)
        return false;
    return TObjektBasis::ChangeFlag(flag, value);
}

bool TEtsObjekt::SetFlags(bool kommunikation, bool lesen, bool schreiben, bool uebertragen,
                          bool aktualisieren, bool status, bool frei)
{
    LOG_FKT("TEtsObjekt::SetFlags");
    if (!TObjektBasis::SetFlags(kommunikation, lesen, schreiben, uebertragen, aktualisieren,
                                status, frei))
        return false;
    return DatenAbgleich(true, true);
}

int32_t TEtsObjekt::GetEtsObjektId() const
{
    LOG_FKT("TEtsObjekt::GetEtsObjektId");
    return m_deviceObjectId;
}

void TEtsObjekt::SetEtsObjektArt(T_DB_EnumEtsObjekt::TEnumEtsObjektArt art)
{
    LOG_FKT("TEtsObjekt::SetEtsObjektArt");
    m_art = art;
}

void TEtsObjekt::SetGrpAdrSendId(int32_t subGroupId)
{
    LOG_FKT("TEtsObjekt::SetGrpAdrSendId");
    TauscheSubGroupLinkNachVorne(subGroupId);
}
