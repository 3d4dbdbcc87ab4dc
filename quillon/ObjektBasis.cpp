#include "quillon/ObjektBasis.h"

#include "pellam/EibHandle.h"
#include "quillon/DatenManager.h"
#include "quillon/DatenStruktur.h"
#include "quillon/SprDatenBasis.h"
#include "quillon/SprObjektModell.h"
#include "quillon/UserMessages.h"
#include "quillon/VireoGrpAdrBasic.h"
#include "quillon/VireoInternGrpSub.h"
#include "rastow/ComboWert.h"
#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {

constexpr int kTypGrpAdrSub = 5003;
constexpr int kTypInternGrpSub = 5006;
constexpr int16_t kTypFortsetzung = 2;
constexpr uint16_t kInternBit = 0x8000;
constexpr const char* kQuelle = "ObjektBasis";

// Enable mask of Param18.
constexpr int32_t kZugriffKommunikation = 1 << 0;
constexpr int32_t kZugriffLesen = 1 << 1;
constexpr int32_t kZugriffUebertragen = 1 << 2;
constexpr int32_t kZugriffSchreiben = 1 << 3;
constexpr int32_t kZugriffAktualisieren = 1 << 4;
constexpr int32_t kZugriffStatus = 1 << 5;

// Message parameters carry signed values (-1 for "none") sign-extended.
WPARAM AsWParam(int32_t value)
{
    return static_cast<WPARAM>(static_cast<std::intptr_t>(value));
}

template <class T> void NachVorne(std::vector<T>& liste, const T& wert)
{
    auto it = std::find(liste.begin(), liste.end(), wert);
    if (it != liste.end())
        std::rotate(liste.begin(), it, it + 1);
}

} // namespace

E_ObjektBasis::E_ObjektBasis(int severity, std::string message, std::string place,
                             std::string source, int position)
    : E_Basis(severity, std::move(message), std::move(place), std::move(source), position,
              "E_ObjektBasis")
{
    LOG_FKT("E_ObjektBasis::E_ObjektBasis");
}

E_EtsObjekt::E_EtsObjekt(int severity, std::string message, std::string place,
                         std::string source, int position)
    : E_Basis(severity, std::move(message), std::move(place), std::move(source), position,
              "E_DataBasis")
{
    LOG_FKT("E_EtsObjekt::E_EtsObjekt");
}

TObjektBasis::TObjektBasis(HWND owner, int32_t system, int32_t parent, std::string name,
                           int32_t number, int32_t wert1, int32_t wert2,
                           TEnumObjectType objektTyp, int32_t identifier, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art),
      m_nummer(number),
      m_wert1(wert1),
      m_wert2(wert2),
      m_objektTyp(objektTyp),
      m_identifier(identifier)
{
    LOG_FKT("TObjektBasis::TObjektBasis");
}

TObjektBasis::~TObjektBasis()
{
    LOG_FKT("TObjektBasis::~TObjektBasis");
    m_subGroupLinks.clear();
    m_internLinks.clear();
}

// --- Node interface ----------------------------------------------------------------------

int TObjektBasis::GetQuickHelpIndexOffset() const
{
    LOG_FKT("TObjektBasis::GetQuickHelpIndexOffset");
    return m_quickHelpOffset;
}

std::string TObjektBasis::GetName(bool /*mitPosition*/) const
{
    LOG_FKT("TObjektBasis::GetName");
    return TDataBasis::GetName(false);
}

int TObjektBasis::ListStyle()
{
    LOG_FKT("TObjektBasis::ListStyle");
    return 1;
}

bool TObjektBasis::AllowChild(int /*typ*/)
{
    LOG_FKT("TObjektBasis::AllowChild");
    return false;
}

void TObjektBasis::Write(TDatenStruktur& record)
{
    LOG_FKT("TObjektBasis::Write");
    const int32_t alteKette = record.Next;
    record.Next = 0;
    TDataBasis::Write(record);

    record.Param4 = m_nummer;
    record.Param6 = m_ioTyp;
    record.Param8 = m_objektTyp;
    record.Param9 = m_identifier;
    record.Param11 = static_cast<int32_t>(m_ramAdresse);
    record.Param12 = m_ramByte;
    record.Param13 = m_maxGrpAdr;
    record.Param14 = m_subGroupLinks.empty() ? 0 : m_subGroupLinks.front().SubGroupId;
    record.Param15 = m_subGroupLinks.empty() ? 0 : m_subGroupLinks.front().GrpAdr;
    record.Param16 = m_wert1;
    record.Param17 = m_wert2;
    int32_t zugriff = 0;
    if (m_zugriffKommunikation)
        zugriff |= kZugriffKommunikation;
    if (m_zugriffLesen)
        zugriff |= kZugriffLesen;
    if (m_zugriffUebertragen)
        zugriff |= kZugriffUebertragen;
    if (m_zugriffSchreiben)
        zugriff |= kZugriffSchreiben;
    if (m_zugriffAktualisieren)
        zugriff |= kZugriffAktualisieren;
    if (m_zugriffStatus)
        zugriff |= kZugriffStatus;
    record.Param18 = zugriff;
    record.Param19 = m_internLinks.empty() ? 0 : m_internLinks.front();
    record.Bool3 = m_status;
    record.Bool4 = m_kommunikation;
    record.Bool5 = m_lesen;
    record.Bool6 = m_uebertragen;
    record.Bool7 = m_schreiben;
    record.Bool8 = m_aktualisieren;
    record.Bool10 = m_sendendIntern;

    if (alteKette > 0)
        LoescheAlteKette(alteKette);

    // Link i (i >= 1) of both lists goes into continuation record i; every write builds the
    // chain anew with fresh handles.
    const std::size_t anzahl = std::max(m_subGroupLinks.size(), m_internLinks.size());
    const std::string place = "TObjektBasis::Write";
    TDatenStruktur* vorher = &record;
    for (std::size_t i = 1; i < anzahl; ++i) {
        auto* satz = reinterpret_cast<TDatenStruktur*>(
            SendMessage(GetOwnerWindow(), UM_GetDatenSatz,
                        MakeDatenSatzKey(GetHandle(), GetSystem()),
                        static_cast<LPARAM>(vorher->Next)));
        if (satz == nullptr) {
            // Only while no device is edited; the links beyond this one cannot be stored.
            throw E_EtsObjekt(1, SprDatenBasis::TxtDatensatzNichtGefunden
                                     + std::to_string(vorher->Next),
                              place, kQuelle, 3);
        }
        if (satz->Handle == 0) {
            auto* handles = reinterpret_cast<TEibHandle*>(
                SendMessage(GetOwnerWindow(), UM_GetEibHandle, 0, 0));
            if (handles == nullptr)
                throw E_EtsObjekt(1, "HandleManagment not found", place, kQuelle, 1);
            const int32_t neu = handles->GetNew();
            if (neu < 0)
                throw E_EtsObjekt(1, " New Handle is Invalid : " + std::to_string(neu), place,
                                  kQuelle, 2);
            vorher->Next = neu;
            satz->Handle = neu;
        }
        satz->Typ = kTypFortsetzung;
        satz->Name = "Next from " + GetName(false) + " " + std::to_string(GetHandle());
        satz->Parent = GetHandle();
        satz->System = GetSystem();
        if (i < m_subGroupLinks.size()) {
            satz->Param14 = m_subGroupLinks[i].SubGroupId;
            satz->Param15 = m_subGroupLinks[i].GrpAdr;
        }
        if (i < m_internLinks.size())
            satz->Param19 = m_internLinks[i];
        vorher = satz;
    }
}

// Has the editor delete the old chain from `next` on. A chain that leads back to the head
// record or to a record met before is cut first, so that deleting the chain ends within it
// and never takes the object's own record (or any record twice) with it.
void TObjektBasis::LoescheAlteKette(int32_t next)
{
    LOG_FKT("TObjektBasis::LoescheAlteKette");
    std::set<int32_t> besucht{GetHandle()};
    TDatenStruktur* letzter = nullptr;
    int32_t handle = next;
    while (handle > 0) {
        if (!besucht.insert(handle).second) {
            if (letzter != nullptr)
                letzter->Next = 0;
            else
                next = 0; // the head's Next named the head itself
            break;
        }
        TDatenStruktur* satz = GetDatensatz(GetSystem(), handle);
        if (satz == nullptr)
            break;
        letzter = satz;
        handle = satz->Next;
    }
    if (next > 0)
        SendMessage(GetOwnerWindow(), UM_DeleteNextDatenSatz,
                    MakeDatenSatzKey(GetHandle(), GetSystem()), static_cast<LPARAM>(next));
}

bool TObjektBasis::DatenAbgleich(bool, bool)
{
    LOG_FKT("TObjektBasis::DatenAbgleich");
    return true;
}

bool TObjektBasis::AllowDrop(TDataBasis* source)
{
    LOG_FKT("TObjektBasis::AllowDrop");
    if (source == nullptr)
        return false;
    const int typ = source->GetTyp();
    return typ == kTypGrpAdrSub || typ == kTypInternGrpSub;
}

void TObjektBasis::Drop(TDataBasis* source)
{
    LOG_FKT("TObjektBasis::Drop");
    if (source == nullptr || source == this || !CheckAnzahlVerbindungen())
        return;
    switch (source->GetTyp()) {
    case kTypGrpAdrSub: {
        auto* gruppe = dynamic_cast<TVireoGrpAdrBasis*>(source);
        if (gruppe == nullptr)
            return;
        SendMessage(GetOwnerWindow(), UM_LinkToSubGroup, AsWParam(gruppe->GetEtsId()),
                    static_cast<LPARAM>(GetHandle()));
        break;
    }
    case kTypInternGrpSub:
        SendMessage(GetOwnerWindow(), UM_LinkToInternGroup, AsWParam(source->GetHandle()),
                    static_cast<LPARAM>(GetHandle()));
        break;
    default:
        return;
    }
    PostMessage(GetOwnerWindow(), UM_AktualisiereKnoten, reinterpret_cast<WPARAM>(this), 0);
}

void TObjektBasis::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TObjektBasis::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_nummer = record.Param4;
    m_ioTyp = static_cast<T_DB_EnumObjektBasis::TEnumIOTyp>(static_cast<int8_t>(record.Param6));
    m_objektTyp = static_cast<TEnumObjectType>(static_cast<int8_t>(record.Param8));
    m_identifier = record.Param9;
    m_ramAdresse = static_cast<uint32_t>(record.Param11);
    m_ramByte = static_cast<uint8_t>(record.Param12);
    m_maxGrpAdr = record.Param13;
    m_wert1 = record.Param16;
    m_wert2 = record.Param17;
    m_status = record.Bool3;
    m_kommunikation = record.Bool4;
    m_lesen = record.Bool5;
    m_uebertragen = record.Bool6;
    m_schreiben = record.Bool7;
    m_aktualisieren = record.Bool8;
    m_sendendIntern = record.Bool10;
    const int32_t zugriff = record.Param18;
    m_zugriffKommunikation = (zugriff & kZugriffKommunikation) != 0;
    m_zugriffLesen = (zugriff & kZugriffLesen) != 0;
    m_zugriffUebertragen = (zugriff & kZugriffUebertragen) != 0;
    m_zugriffSchreiben = (zugriff & kZugriffSchreiben) != 0;
    m_zugriffAktualisieren = (zugriff & kZugriffAktualisieren) != 0;
    m_zugriffStatus = (zugriff & kZugriffStatus) != 0;

    m_subGroupLinks.clear();
    m_internLinks.clear();
    // A link read twice (a damaged chain) is kept once, so the lists keep their invariant.
    auto uebernehme = [this](const TDatenStruktur& satz) {
        if (satz.Param14 > 0 && !ExistSubGroupId(satz.Param14))
            m_subGroupLinks.push_back(
                {satz.Param14, static_cast<uint16_t>(satz.Param15 & 0xFFFF)});
        if (satz.Param19 > 0 && !ExistInternGroup(satz.Param19))
            m_internLinks.push_back(satz.Param19);
    };
    uebernehme(record);

    // The chain is only looked up, never created: a Next that names no record ends it, and
    // so does a Next that leads back to a record read before (the head included).
    std::set<int32_t> besucht{record.Handle};
    int32_t next = record.Next;
    while (next > 0 && besucht.insert(next).second) {
        TDatenStruktur* satz = GetDatensatz(GetSystem(), next);
        if (satz == nullptr || satz->Handle <= 0)
            break;
        uebernehme(*satz);
        next = satz->Next;
    }
    AktualisiereIoTyp();
}

bool TObjektBasis::Paste(TDatenManager<TDatenStruktur>* records, std::string& message)
{
    LOG_FKT("TObjektBasis::Paste");
    const std::string prefix = GetName(true) + ":\n";
    const std::string place = "TObjektBasis::Paste";
    TDatenManager<TDatenStruktur>* gefiltert =
        records != nullptr ? records->Filter("Typ", GetTyp()) : nullptr;
    if (gefiltert == nullptr)
        throw E_DataBasis(3, prefix + SprDatenBasis::TxtImportQuelleFehlt, place, kQuelle, 4);
    if (gefiltert->GetCount() == 0) {
        records->DeleteChild(gefiltert);
        throw E_DataBasis(3, prefix + SprDatenBasis::TxtKeineGueltigenDaten, place, kQuelle, 5);
    }
    // The found record lives in the filtered store: copy it before that store goes.
    std::optional<TDatenStruktur> gefunden;
    for (TDatenStruktur* satz = gefiltert->GetFirst(); satz != nullptr;
         satz = gefiltert->GetNext()) {
        if (satz->Param9 == m_identifier) {
            gefunden = *satz;
            break;
        }
    }
    records->DeleteChild(gefiltert);
    if (!gefunden)
        throw E_DataBasis(3, prefix + SprDatenBasis::TxtKeineGueltigenDaten, place, kQuelle, 6);

    const bool ergebnis = TDataBasis::Paste(records, message);
    const TDatenStruktur& satz = *gefunden;
    m_status = satz.Bool3;
    m_kommunikation = satz.Bool4;
    m_lesen = satz.Bool5;
    m_uebertragen = satz.Bool6;
    m_schreiben = satz.Bool7;
    m_aktualisieren = satz.Bool8;
    m_sendendIntern = satz.Bool10;
    m_zugriffKommunikation = (satz.Param18 & kZugriffKommunikation) != 0;
    m_zugriffLesen = (satz.Param18 & kZugriffLesen) != 0;
    m_zugriffUebertragen = (satz.Param18 & kZugriffUebertragen) != 0;
    m_zugriffSchreiben = (satz.Param18 & kZugriffSchreiben) != 0;
    m_zugriffAktualisieren = (satz.Param18 & kZugriffAktualisieren) != 0;
    m_zugriffStatus = (satz.Param18 & kZugriffStatus) != 0;
    return ergebnis;
}

// --- Own slots ---------------------------------------------------------------------------

bool TObjektBasis::ChangeFlag(TEnumObjektFlag /*flag*/, bool /*value*/)
{
    LOG_FKT("TObjektBasis::ChangeFlag");
    AktualisiereIoTyp();
    return true;
}

TEnumObjectType TObjektBasis::GetObjektTyp()
{
    LOG_FKT("TObjektBasis::GetObjektTyp");
    return m_objektTyp;
}

bool TObjektBasis::SetFlags(bool kommunikation, bool lesen, bool schreiben, bool uebertragen,
                            bool aktualisieren, bool status, bool)
{
    LOG_FKT("TObjektBasis::SetFlags");
    m_kommunikation = kommunikation;
    m_lesen = lesen;
    m_schreiben = schreiben;
    m_uebertragen = uebertragen;
    m_aktualisieren = aktualisieren;
    m_status = status;
    AktualisiereIoTyp();
    return true;
}

void TObjektBasis::SetFlagZugriff(bool kommunikation, bool lesen, bool schreiben,
                                  bool uebertragen, bool status, bool aktualisieren)
{
    LOG_FKT("TObjektBasis::SetFlagZugriff");
    m_zugriffKommunikation = kommunikation;
    m_zugriffLesen = lesen;
    m_zugriffSchreiben = schreiben;
    m_zugriffUebertragen = uebertragen;
    m_zugriffStatus = status;
    m_zugriffAktualisieren = aktualisieren;
}

void TObjektBasis::EnableCellFlagComm(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagComm");
    m_zugriffKommunikation = enable;
}

void TObjektBasis::EnableCellFlagRead(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagRead");
    m_zugriffLesen = enable;
}

void TObjektBasis::EnableCellFlagWrite(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagWrite");
    m_zugriffSchreiben = enable;
}

void TObjektBasis::EnableCellFlagTransmit(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagTransmit");
    m_zugriffUebertragen = enable;
}

void TObjektBasis::EnableCellFlagUpdate(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagUpdate");
    m_zugriffAktualisieren = enable;
}

void TObjektBasis::EnableCellFlagStatus(bool enable)
{
    LOG_FKT("TObjektBasis::EnableCellFlagStatus");
    m_zugriffStatus = enable;
}

int32_t TObjektBasis::GetEtsObjektId() const
{
    LOG_FKT("TObjektBasis::GetEtsObjektId");
    return -1;
}

// --- Links ---------------------------------------------------------------------------------

TVireoInternGrpSub* TObjektBasis::InternNode(int32_t handle)
{
    LOG_FKT("TObjektBasis::InternNode");
    auto* node = reinterpret_cast<TDataBasis*>(
        SendMessage(GetOwnerWindow(), UM_GetDataPointer, AsWParam(handle), 0));
    return dynamic_cast<TVireoInternGrpSub*>(node);
}

void TObjektBasis::SortiereSubGroupLinks(bool mitVorne, int32_t vorneId)
{
    LOG_FKT("TObjektBasis::SortiereSubGroupLinks");
    std::map<uint16_t, RecGrpAdrId> sortiert;
    for (const RecGrpAdrId& link : m_subGroupLinks) {
        std::string text;
        if (SendMessage(GetOwnerWindow(), UM_GetGrpAdrNr, AsWParam(link.SubGroupId),
                        reinterpret_cast<LPARAM>(&text)) == 0)
            continue;
        uint16_t wort = link.GrpAdr;
        SendMessage(GetOwnerWindow(), UM_GetGrpAdrNrAsZahl, AsWParam(link.SubGroupId),
                    reinterpret_cast<LPARAM>(&wort));
        sortiert.emplace(wort, link);
    }
    m_subGroupLinks.clear();
    for (const auto& [wort, link] : sortiert)
        m_subGroupLinks.push_back(link);
    if (mitVorne) {
        auto it = std::find_if(m_subGroupLinks.begin(), m_subGroupLinks.end(),
                               [vorneId](const RecGrpAdrId& l) { return l.SubGroupId == vorneId; });
        if (it != m_subGroupLinks.end())
            std::rotate(m_subGroupLinks.begin(), it, it + 1);
    }
}

void TObjektBasis::SortiereInternLinks(bool mitVorne, int32_t vorne)
{
    LOG_FKT("TObjektBasis::SortiereInternLinks");
    std::map<uint16_t, int32_t> sortiert;
    for (const int32_t handle : m_internLinks) {
        if (TVireoInternGrpSub* node = InternNode(handle))
            sortiert.emplace(static_cast<uint16_t>(node->GetKomplettGrpAdr(0)), handle);
    }
    m_internLinks.clear();
    for (const auto& [wort, handle] : sortiert)
        m_internLinks.push_back(handle);
    if (mitVorne)
        NachVorne(m_internLinks, vorne);
}

void TObjektBasis::AddSubGroupLink(int32_t subGroupId, uint16_t grpAdr, bool)
{
    LOG_FKT("TObjektBasis::AddSubGroupLink");
    if (!CheckAnzahlVerbindungen())
        return;
    if (m_subGroupLinks.empty() && m_internLinks.empty())
        m_sendendIntern = false;
    if (subGroupId == 0)
        return;
    if (!ExistSubGroupId(subGroupId))
        m_subGroupLinks.push_back({subGroupId, grpAdr});
    const bool mitSendender = !m_sendendIntern;
    const int32_t sendende = m_subGroupLinks.front().SubGroupId;
    SortiereSubGroupLinks(mitSendender, sendende);
}

void TObjektBasis::DeleteSubGroupLink(int32_t subGroupId)
{
    LOG_FKT("TObjektBasis::DeleteSubGroupLink");
    const bool warSendend = !m_sendendIntern && !m_subGroupLinks.empty()
                            && m_subGroupLinks.front().SubGroupId == subGroupId;
    auto it = std::find_if(m_subGroupLinks.begin(), m_subGroupLinks.end(),
                           [subGroupId](const RecGrpAdrId& l) { return l.SubGroupId == subGroupId; });
    if (it == m_subGroupLinks.end())
        return;
    m_subGroupLinks.erase(it);
    if (warSendend && !m_subGroupLinks.empty())
        SetGrpAdrSend(0);
    // The last group address of ETS went: an internal one sends, if there is one.
    if (m_subGroupLinks.empty() && !m_internLinks.empty())
        m_sendendIntern = true;
}

void TObjektBasis::ClearAllSubGroupLink()
{
    LOG_FKT("TObjektBasis::ClearAllSubGroupLink");
    m_subGroupLinks.clear();
}

bool TObjektBasis::ExistSubGroupId(int32_t subGroupId) const
{
    LOG_FKT("TObjektBasis::ExistSubGroupId");
    return std::any_of(m_subGroupLinks.begin(), m_subGroupLinks.end(),
                       [subGroupId](const RecGrpAdrId& l) { return l.SubGroupId == subGroupId; });
}

void TObjektBasis::AddInternGroupLink(int32_t handle, bool)
{
    LOG_FKT("TObjektBasis::AddInternGroupLink");
    if (handle == 0 || !CheckAnzahlVerbindungen())
        return;
    if (m_subGroupLinks.empty() && m_internLinks.empty())
        m_sendendIntern = true;
    if (!ExistInternGroup(handle))
        m_internLinks.push_back(handle);
    SortiereInternLinks(m_sendendIntern, m_internLinks.front());
}

void TObjektBasis::DeleteInternGroupLink(int32_t handle)
{
    LOG_FKT("TObjektBasis::DeleteInternGroupLink");
    auto it = std::find(m_internLinks.begin(), m_internLinks.end(), handle);
    if (it != m_internLinks.end())
        m_internLinks.erase(it);
    // The last internal link went: a group address of ETS sends, if there is one.
    if (m_internLinks.empty() && !m_subGroupLinks.empty())
        m_sendendIntern = false;
}

void TObjektBasis::ClearAllInternGroupLink()
{
    LOG_FKT("TObjektBasis::ClearAllInternGroupLink");
    m_internLinks.clear();
}

bool TObjektBasis::ExistInternGroup(int32_t handle) const
{
    LOG_FKT("TObjektBasis::ExistInternGroup");
    return std::find(m_internLinks.begin(), m_internLinks.end(), handle) != m_internLinks.end();
}

void TObjektBasis::SetNumberSelectableGrpAdr(int anzahl)
{
    LOG_FKT("TObjektBasis::SetNumberSelectableGrpAdr");
    m_maxGrpAdr = anzahl;
}

int TObjektBasis::GetNumberSelectableGrpAdr() const
{
    LOG_FKT("TObjektBasis::GetNumberSelectableGrpAdr");
    return m_maxGrpAdr;
}

bool TObjektBasis::CheckAnzahlVerbindungen()
{
    LOG_FKT("TObjektBasis::CheckAnzahlVerbindungen");
    if (m_maxGrpAdr <= 0)
        return true;
    const std::size_t anzahl = m_subGroupLinks.size() + m_internLinks.size();
    if (anzahl < static_cast<std::size_t>(m_maxGrpAdr))
        return true;
    MessageBox(GetOwnerWindow(), SprObjektModell::TxtMaxGruppenadressenErreicht,
               SprObjektModell::TxtFehler, MB_OK);
    return false;
}

std::string TObjektBasis::GetGrpAdrText()
{
    LOG_FKT("TObjektBasis::GetGrpAdrText");
    std::string text;
    for (const RecGrpAdrId& link : m_subGroupLinks) {
        std::string adresse;
        if (SendMessage(GetOwnerWindow(), UM_GetGrpAdrNr, AsWParam(link.SubGroupId),
                        reinterpret_cast<LPARAM>(&adresse)) != 0)
            text += adresse + " ";
    }
    for (std::size_t i = 0; i < m_internLinks.size(); ++i) {
        TVireoInternGrpSub* node = InternNode(m_internLinks[i]);
        if (node == nullptr)
            continue;
        const std::string adresse = node->GetKomplettGrpAdrString(0) + " ";
        if (i == 0 && m_sendendIntern)
            text = adresse + text;
        else
            text += adresse;
    }
    return text;
}

void TObjektBasis::GetGrpAdrSendList(std::list<TComboWert>& entries)
{
    LOG_FKT("TObjektBasis::GetGrpAdrSendList");
    std::optional<TComboWert> ersterSub;
    std::optional<TComboWert> ersterIntern;
    for (std::size_t i = 0; i < m_subGroupLinks.size(); ++i) {
        const RecGrpAdrId& link = m_subGroupLinks[i];
        std::string text;
        if (SendMessage(GetOwnerWindow(), UM_GetGrpAdrNr, AsWParam(link.SubGroupId),
                        reinterpret_cast<LPARAM>(&text)) == 0)
            continue;
        entries.emplace_back(text, link.GrpAdr);
        if (i == 0)
            ersterSub = entries.back();
    }
    for (std::size_t i = 0; i < m_internLinks.size(); ++i) {
        TVireoInternGrpSub* node = InternNode(m_internLinks[i]);
        if (node == nullptr)
            continue;
        entries.emplace_back(node->GetKomplettGrpAdrString(0),
                             static_cast<uint16_t>(node->GetKomplettGrpAdr(0)));
        if (i == 0)
            ersterIntern = entries.back();
    }
    if (entries.empty())
        entries.emplace_back("---", 0);

    auto nachVorne = [&entries](const std::optional<TComboWert>& eintrag) {
        if (!eintrag)
            return;
        auto it = std::find(entries.begin(), entries.end(), *eintrag);
        if (it != entries.end())
            entries.splice(entries.begin(), entries, it);
    };
    // Drawing changes nothing of the object: the list only shows which link sends.
    if (m_sendendIntern)
        nachVorne(ersterIntern);
    else
        nachVorne(ersterSub);
}

bool TObjektBasis::UpdateAssociatedAddress(std::string& report, bool* geaendert)
{
    LOG_FKT("TObjektBasis::UpdateAssociatedAddress");
    bool alleGefunden = true;
    for (RecGrpAdrId& link : m_subGroupLinks) {
        uint16_t wort = 0;
        if (SendMessage(GetOwnerWindow(), UM_GetGrpAdrNrAsZahl, AsWParam(link.SubGroupId),
                        reinterpret_cast<LPARAM>(&wort)) != 0) {
            if (geaendert != nullptr && link.GrpAdr != wort)
                *geaendert = true;
            link.GrpAdr = wort;
        } else {
            report += "\n Can't find Groupaddress.";
            report += "\n Id:" + std::to_string(link.SubGroupId);
            report += "\n AddressWord:" + std::to_string(link.GrpAdr);
            alleGefunden = false;
        }
    }
    return alleGefunden;
}

void TObjektBasis::SortiereMitSendender(int address)
{
    LOG_FKT("TObjektBasis::SortiereMitSendender");
    const auto wort = static_cast<uint16_t>(address);
    if ((wort & kInternBit) != 0) {
        for (std::size_t i = 0; i < m_internLinks.size(); ++i) {
            TVireoInternGrpSub* node = InternNode(m_internLinks[i]);
            if (node != nullptr && static_cast<uint16_t>(node->GetKomplettGrpAdr(0)) == wort) {
                std::swap(m_internLinks[i], m_internLinks[0]);
                m_sendendIntern = true;
                break;
            }
        }
    } else {
        for (std::size_t i = 0; i < m_subGroupLinks.size(); ++i) {
            if (m_subGroupLinks[i].GrpAdr == wort) {
                std::swap(m_subGroupLinks[i], m_subGroupLinks[0]);
                m_sendendIntern = false;
                break;
            }
        }
    }
    const bool internVorne = m_sendendIntern && !m_internLinks.empty();
    SortiereInternLinks(internVorne, internVorne ? m_internLinks.front() : 0);
    const bool subVorne = !m_sendendIntern && !m_subGroupLinks.empty();
    SortiereSubGroupLinks(subVorne, subVorne ? m_subGroupLinks.front().SubGroupId : 0);
}

void TObjektBasis::TauscheSubGroupLinkNachVorne(int32_t subGroupId)
{
    LOG_FKT("TObjektBasis::TauscheSubGroupLinkNachVorne");
    for (RecGrpAdrId& link : m_subGroupLinks) {
        if (link.SubGroupId == subGroupId) {
            std::swap(link, m_subGroupLinks.front());
            return;
        }
    }
}

int32_t TObjektBasis::SendendeSubGroupId() const
{
    LOG_FKT("TObjektBasis::SendendeSubGroupId");
    if (m_sendendIntern || m_subGroupLinks.empty())
        return -1;
    return m_subGroupLinks.front().SubGroupId;
}

void TObjektBasis::FrageStandardName(int32_t wert5, int32_t wert6)
{
    LOG_FKT("TObjektBasis::FrageStandardName");
    std::string name;
    TUserDeviceRequest request{};
    request.Handle = GetHandle();
    request.Code = 15;
    request.Sender = this;
    request.Wert5 = wert5;
    request.Wert6 = wert6;
    request.Wert3 = reinterpret_cast<std::intptr_t>(&name);
    if (SendMessage(GetOwnerWindow(), UM_UserObjectMessage, 0,
                    reinterpret_cast<LPARAM>(&request)) != 0)
        SetName(name);
}

// --- Object data ---------------------------------------------------------------------------

int32_t TObjektBasis::GetIdentifier() const
{
    LOG_FKT("TObjektBasis::GetIdentifier");
    return m_identifier;
}

std::string TObjektBasis::GetObjTypText()
{
    LOG_FKT("TObjektBasis::GetObjTypText");
    using namespace SprObjektModell;
    switch (static_cast<int>(m_objektTyp)) {
    case otUnsichtbar: return TxtUnsichtbar;
    case ot1Bit: return Txt1Bit;
    case ot2Bit: return Txt2Bit;
    case ot3Bit: return Txt3Bit;
    case ot4Bit: return Txt4Bit;
    case ot5Bit: return Txt5Bit;
    case ot6Bit: return Txt6Bit;
    case ot7Bit: return Txt7Bit;
    case ot1Byte: return Txt1Byte;
    case ot2Byte: return Txt2Byte;
    case ot3Byte: return Txt3Byte;
    case ot4Byte: return Txt4Byte;
    case ot6Byte: return Txt6Byte;
    case ot8Byte: return Txt8Byte;
    case ot10Byte: return Txt10Byte;
    case ot14Byte: return Txt14Byte;
    case otVarData: return TxtVarData;
    default:
        return TxtUnbekannterObjekttyp + " " + std::to_string(static_cast<int>(m_objektTyp));
    }
}

int8_t TObjektBasis::GetEtsObjektTyp()
{
    LOG_FKT("TObjektBasis::GetEtsObjektTyp");
    const int typ = m_objektTyp;
    return typ >= ot1Bit && typ <= otVarData ? static_cast<int8_t>(typ - 1) : int8_t{-1};
}

void TObjektBasis::SetRamPosition(uint32_t adresse, uint8_t byte)
{
    LOG_FKT("TObjektBasis::SetRamPosition");
    m_ramAdresse = adresse;
    m_ramByte = byte;
}

// --- Flags -------------------------------------------------------------------------------

void TObjektBasis::GetFlags(bool& lesen, bool& schreiben, bool& kommunikation,
                            bool& uebertragen, bool& aktualisieren, bool& status) const
{
    LOG_FKT("TObjektBasis::GetFlags");
    lesen = m_lesen;
    schreiben = m_schreiben;
    kommunikation = m_kommunikation;
    uebertragen = m_uebertragen;
    aktualisieren = m_aktualisieren;
    status = m_status;
}

void TObjektBasis::GetFlagZugriff(bool& kommunikation, bool& lesen, bool& schreiben,
                                  bool& uebertragen, bool& status, bool& aktualisieren) const
{
    LOG_FKT("TObjektBasis::GetFlagZugriff");
    kommunikation = m_zugriffKommunikation;
    lesen = m_zugriffLesen;
    schreiben = m_zugriffSchreiben;
    uebertragen = m_zugriffUebertragen;
    status = m_zugriffStatus;
    aktualisieren = m_zugriffAktualisieren;
}

bool TObjektBasis::GetObjektFlag(TEnumObjektFlag flag) const
{
    LOG_FKT("TObjektBasis::GetObjektFlag");
    const bool* feld = const_cast<TObjektBasis*>(this)->FlagFeld(flag);
    return feld != nullptr && *feld;
}

void TObjektBasis::SetObjektFlag(TEnumObjektFlag flag, bool value)
{
    LOG_FKT("TObjektBasis::SetObjektFlag");
    if (bool* feld = FlagFeld(flag))
        *feld = value;
}

void TObjektBasis::AktualisiereIoTyp()
{
    LOG_FKT("TObjektBasis::AktualisiereIoTyp");
    using E = T_DB_EnumObjektBasis;
    if (m_lesen && m_schreiben)
        m_ioTyp = E::ioLesenSchreiben;
    else if (m_schreiben)
        m_ioTyp = E::ioSchreiben;
    else if (m_lesen)
        m_ioTyp = E::ioLesen;
    else
        m_ioTyp = E::ioKeins;
}

bool* TObjektBasis::FlagFeld(TEnumObjektFlag flag)
{
    switch (flag) {
    case ofKommunikation: return &m_kommunikation;
    case ofLesen: return &m_lesen;
    case ofSchreiben: return &m_schreiben;
    case ofUebertragen: return &m_uebertragen;
    case ofAktualisieren: return &m_aktualisieren;
    case ofStatus: return &m_status;
    }
    return nullptr;
}

// --- Grid --------------------------------------------------------------------------------

void TObjektBasis::AddRowComboBoxOn(TDrawGridSE* grid, const std::string& caption, int row,
                                    T_DB_EnumDataBasis::TEnumBool value, int help, bool addRow,
                                    bool enabled)
{
    LOG_FKT("TObjektBasis::AddRowComboBoxOn");
    if (grid == nullptr)
        return;
    TCell cell;
    cell.Kind = TCell::ckComboBox;
    cell.ComboStyle = csDropDownList;
    cell.Items = {TComboWert(SprObjektModell::TxtAus, 0), TComboWert(SprObjektModell::TxtEin, 1)};
    cell.SelectItem(value == T_DB_EnumDataBasis::ebFalse ? 0 : 1);
    cell.Enabled = enabled;
    SetRowCells(grid, NextGridRow(grid, addRow), caption, row, RowHelp(help, row), cell);
}

void TObjektBasis::BuildInfoWindow(TDrawGridSE* grid, TListView* /*list*/, bool first,
                                   int column, int row)
{
    LOG_FKT("TObjektBasis::BuildInfoWindow");
    if (grid == nullptr)
        return;
    using namespace SprObjektModell;
    using B = T_DB_EnumDataBasis;
    grid->Prepare(2);
    grid->OnComboBoxChange = Closure(this, &TObjektBasis::GridComboBoxChange);
    grid->OnEditChange = Closure(this, &TObjektBasis::GridEditChange);
    grid->OnSpinEditChange = Closure(this, &TObjektBasis::GridSpinEditChange);
    grid->OnExitCell = Closure(this, &TObjektBasis::GridExitCell);
    grid->OnExit = Closure(this, &TObjektBasis::GridExit);
    grid->OnEllipseClick = Closure(this, &TObjektBasis::GridEllipseClick);
    grid->OnEnterCheckBox = Closure(this, &TObjektBasis::GridEnterCheckBox);
    grid->OnGroupTitleClick = Closure(this, &TObjektBasis::GridGroupTitleClick);
    grid->OnDeleteCellKomponente = nullptr;

    // A node drawn with its flag set shows every section open.
    const bool alle = GetFlag();
    auto zeige = [alle](TCell::TEnumGroupTitleState state) {
        return alle || TCell::IsGroupOpen(state);
    };

    AddRowCaption(grid, rowTitelAllgemein, TxtAllgemein, "", m_gruppe[0], first);
    if (zeige(m_gruppe[0])) {
        AddRowTextFeld(grid, TxtNummer, rowNummer, std::to_string(m_nummer), 190, true);
        AddRowTextFeld(grid, TxtObjektname, rowObjektname, GetName(false), 191, true);
        AddRowTextFeld(grid, TxtObjekttyp, rowObjekttyp, GetObjTypText(), 194, true);
    }
    AddRowCaption(grid, rowTitelGruppenadressen, TxtAbschnittGruppenadressen, "", m_gruppe[1],
                  true);
    if (zeige(m_gruppe[1])) {
        AddRowEllipse(grid, TxtGruppenadressen, rowGruppenadressen, GetGrpAdrText(), 192, true);
        std::list<TComboWert> sendende;
        GetGrpAdrSendList(sendende);
        AddRowComboBox(grid, TxtSendendeGruppenadresse, rowSendend, sendende,
                       sendende.front().Wert, 193, true);
        AddRowComboBoxOn(grid, TxtStatusabfrage, rowStatus, B::ToEnumBool(m_status), 200, true,
                         m_zugriffStatus);
    }
    AddRowCaption(grid, rowTitelFlags, TxtFlags, "", m_gruppe[2], true);
    if (zeige(m_gruppe[2])) {
        AddRowComboBoxOn(grid, TxtKommunikation, rowKommunikation,
                         B::ToEnumBool(m_kommunikation), 195, true, m_zugriffKommunikation);
        AddRowComboBoxOn(grid, TxtLesen, rowLesen, B::ToEnumBool(m_lesen), 196, true,
                         m_zugriffLesen);
        AddRowComboBoxOn(grid, TxtSchreiben, rowSchreiben, B::ToEnumBool(m_schreiben), 197, true,
                         m_zugriffSchreiben);
        AddRowComboBoxOn(grid, TxtUebertragen, rowUebertragen, B::ToEnumBool(m_uebertragen), 198,
                         true, m_zugriffUebertragen);
        AddRowComboBoxOn(grid, TxtAktualisieren, rowAktualisieren,
                         B::ToEnumBool(m_aktualisieren), 199, true, m_zugriffAktualisieren);
    }

    if (column >= 0 || row >= 0)
        PostMessage(GetOwnerWindow(), UM_SetActiveCell, AsWParam(column),
                    static_cast<LPARAM>(row));
}

void TObjektBasis::PostAktualisiereAnsicht(int column, int row)
{
    LOG_FKT("TObjektBasis::PostAktualisiereAnsicht");
    PostMessage(GetOwnerWindow(), UM_AktualisiereAnsicht, AsWParam(column),
                static_cast<LPARAM>(row));
}

void TObjektBasis::SchreibeDatensatz()
{
    LOG_FKT("TObjektBasis::SchreibeDatensatz");
    auto* satz = reinterpret_cast<TDatenStruktur*>(
        SendMessage(GetOwnerWindow(), UM_GetDatenSatz, MakeDatenSatzKey(GetParent(), GetSystem()),
                    static_cast<LPARAM>(GetHandle())));
    if (satz != nullptr)
        Write(*satz);
}

void TObjektBasis::GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
{
    LOG_FKT("TObjektBasis::GridComboBoxChange");
    if (cell.RowNr == rowSendend) {
        if (sender == nullptr || !sender->ClassNameIs("TDrawGridSEComboBox"))
            return;
        int32_t adresse = 0;
        if (!static_cast<TDrawGridSEComboBox*>(sender)->ItemValue(adresse))
            return;
        SetGrpAdrSend(adresse);
        SchreibeDatensatz();
        PostAktualisiereAnsicht(column, row);
        return;
    }
    if (cell.RowNr < rowKommunikation || cell.RowNr > rowStatus)
        return;
    if (cell.ItemIndex < 0 || cell.ItemIndex >= static_cast<int>(cell.Items.size()))
        return;
    // Rows 6 to 11 stand for the flags 0 to 5.
    const auto flag = static_cast<TEnumObjektFlag>(cell.RowNr - rowKommunikation);
    bool* feld = FlagFeld(flag);
    if (feld == nullptr)
        return;
    const bool alt = *feld;
    const bool neu = cell.Items[static_cast<std::size_t>(cell.ItemIndex)].Wert != 0;
    if (alt == neu)
        return;
    *feld = neu;
    if (ChangeFlag(flag, neu)) {
        SchreibeDatensatz();
        PostMessage(GetOwnerWindow(), UM_AktualisiereAndereAnsichten, 0, 0);
        PostMessage(GetOwnerWindow(), UM_UpdateTreeNamesAndIcon, 0, 0);
    } else {
        *feld = alt;
        PostAktualisiereAnsicht(column, row);
    }
}

void TObjektBasis::GridEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridEditChange");
}

void TObjektBasis::GridSpinEditChange(TObject*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridSpinEditChange");
}

void TObjektBasis::GridEnterCheckBox(TObject*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridEnterCheckBox");
}

void TObjektBasis::GridEllipseClick(TObject* /*sender*/, TCell& cell, int column, int row)
{
    LOG_FKT("TObjektBasis::GridEllipseClick");
    if (dynamic_cast<TObjektBasis*>(cell.Data) == nullptr)
        return;
    SendMessage(GetOwnerWindow(), UM_OpenDlgGrpAdrToObject, 0, reinterpret_cast<LPARAM>(this));
    SchreibeDatensatz();
    PostAktualisiereAnsicht(column, row);
}

void TObjektBasis::GridGroupTitleClick(TObject* /*sender*/, TCell& cell, int column, int row,
                                       int /*state*/)
{
    LOG_FKT("TObjektBasis::GridGroupTitleClick");
    // Of two successive clicks only the first acts.
    if (!m_titelKlick && cell.RowNr >= rowTitelAllgemein && cell.RowNr <= rowTitelFlags) {
        if (ChangeGroupTitleState(m_gruppe[cell.RowNr - rowTitelAllgemein]))
            PostAktualisiereAnsicht(column, row);
    }
    m_titelKlick = !m_titelKlick;
}

void TObjektBasis::GridExitCell(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridExitCell");
    if (!GetRefreshMark())
        return;
    PostMessage(GetOwnerWindow(), UM_AktualisiereAnsicht, 0, 0);
    ClearRefreshMark();
}

void TObjektBasis::GridExit(TDrawGridSE*, TObject*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridExit");
}

void TObjektBasis::GridDeleteCellKomponente(TDrawGridSE*, TCell&, int, int)
{
    LOG_FKT("TObjektBasis::GridDeleteCellKomponente");
}
