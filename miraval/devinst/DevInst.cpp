#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "morrow/EtsDeviceParam.h"
#include "morrow/EtsGruppenAdressen.h"
#include "pellam/DataBasis.h"
#include "pellam/EibHandle.h"
#include "quillon/EtsObjekt.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

E_InstVerw::E_InstVerw(int code, int zeile, std::string datei, std::string quelle, std::string message)
    : E_Basis(3, std::move(message), std::move(quelle), std::move(datei), zeile, "E_InstVerw"), m_code(code)
{
    LOG_FKT("E_InstVerw::E_InstVerw");
}

TDeviceInstanz::TDeviceInstanz(TEditorHost& host, const DAL_DEVICE& device, TFormVerw* formVerw)
    : m_host(host), m_eibHandle(std::make_unique<TEibHandle>()), m_etsDeviceId(device.DeviceId),
      m_formVerw(formVerw), m_dalDevice(device)
{
    LOG_FKT("TDeviceInstanz::TDeviceInstanz");
    m_deviceText = DalText(device.ProductName);
    m_sicherungsPfad = m_host.GetSicherungsPfad(m_etsDeviceId);
    m_sicherungsOrdner = std::filesystem::path(m_sicherungsPfad).parent_path().string() + "/";
}

TDeviceInstanz::~TDeviceInstanz()
{
    LOG_FKT("TDeviceInstanz::~TDeviceInstanz");
    m_device = nullptr;
    TKnotenMap knoten;
    knoten.swap(m_knoten);
    knoten.clear();
    m_systemMap.clear();
    // The group nodes point into the reader's groups: they go first.
    m_subGroups.clear();
    m_middleGroups.clear();
    m_mainGroups.clear();
    m_grpAdrOrdner.reset();
    m_grpAdrReader.reset();
    m_deviceParam.reset();
}

// ---- Interface defaults ------------------------------------------------------------------------

bool TDeviceInstanz::DeviceRessourceCheckVerbindungen(int32_t, bool)
{
    LOG_FKT("TDeviceInstanz::DeviceRessourceCheckVerbindungen");
    return true;
}

bool TDeviceInstanz::ReservedCheck(bool)
{
    LOG_FKT("TDeviceInstanz::ReservedCheck");
    return true;
}

bool TDeviceInstanz::CreateNewDevice(HWND)
{
    LOG_FKT("TDeviceInstanz::CreateNewDevice");
    return false;
}

LRESULT TDeviceInstanz::UserDeviceMessage(HWND, TUserDeviceRequest*)
{
    LOG_FKT("TDeviceInstanz::UserDeviceMessage");
    return 0;
}

LRESULT TDeviceInstanz::UserDeviceMessage(TUserDeviceRequest*)
{
    LOG_FKT("TDeviceInstanz::UserDeviceMessage");
    return 0;
}

std::string TDeviceInstanz::GetVersion()
{
    LOG_FKT("TDeviceInstanz::GetVersion");
    return {};
}

bool TDeviceInstanz::VersionCheck(const std::string&, bool)
{
    LOG_FKT("TDeviceInstanz::VersionCheck");
    return false;
}

bool TDeviceInstanz::GetCopyData(TDataBasis*, TStringList&)
{
    LOG_FKT("TDeviceInstanz::GetCopyData");
    return false;
}

void TDeviceInstanz::InitDataMainStruktur()
{
    LOG_FKT("TDeviceInstanz::InitDataMainStruktur");
}

bool TDeviceInstanz::Einfuegen(TDataBasis*, TStringList&)
{
    LOG_FKT("TDeviceInstanz::Einfuegen");
    return false;
}

bool TDeviceInstanz::CheckForDeleteGlobalDeviceObjects(int32_t, bool)
{
    LOG_FKT("TDeviceInstanz::CheckForDeleteGlobalDeviceObjects");
    return false;
}

bool TDeviceInstanz::Reset(bool)
{
    LOG_FKT("TDeviceInstanz::Reset");
    return false;
}

bool TDeviceInstanz::DatenAbgleich(bool, bool)
{
    LOG_FKT("TDeviceInstanz::DatenAbgleich");
    return true;
}

void TDeviceInstanz::ImportAbgleichDB()
{
    LOG_FKT("TDeviceInstanz::ImportAbgleichDB");
}

bool TDeviceInstanz::EreignisspeicherAuslesen()
{
    LOG_FKT("TDeviceInstanz::EreignisspeicherAuslesen");
    return false;
}

bool TDeviceInstanz::DownloadAzHwDateTime()
{
    LOG_FKT("TDeviceInstanz::DownloadAzHwDateTime");
    return false;
}

bool TDeviceInstanz::MelderHinzufuegen()
{
    LOG_FKT("TDeviceInstanz::MelderHinzufuegen");
    return false;
}

bool TDeviceInstanz::MelderLoeschen()
{
    LOG_FKT("TDeviceInstanz::MelderLoeschen");
    return false;
}

void TDeviceInstanz::GetGrpAdrUsedFromMelder(std::list<int32_t>& out)
{
    LOG_FKT("TDeviceInstanz::GetGrpAdrUsedFromMelder");
    out.clear();
}

bool TDeviceInstanz::ClearMelderGrpAdrFromList(int32_t)
{
    LOG_FKT("TDeviceInstanz::ClearMelderGrpAdrFromList");
    return false;
}

bool TDeviceInstanz::SetMelderGrpAdrToList(int32_t)
{
    LOG_FKT("TDeviceInstanz::SetMelderGrpAdrToList");
    return false;
}

void TDeviceInstanz::SetMelderHinzufuegenAbbrechen()
{
    LOG_FKT("TDeviceInstanz::SetMelderHinzufuegenAbbrechen");
}

int TDeviceInstanz::ProcessDeviceMessage(int, int)
{
    LOG_FKT("TDeviceInstanz::ProcessDeviceMessage");
    return 0;
}

bool TDeviceInstanz::AcceptForeignVersion(const std::string&, const std::string&)
{
    LOG_FKT("TDeviceInstanz::AcceptForeignVersion");
    return false;
}

void TDeviceInstanz::ReservedHook(int)
{
    LOG_FKT("TDeviceInstanz::ReservedHook");
}

bool TDeviceInstanz::CheckObjektAlarmReset()
{
    LOG_FKT("TDeviceInstanz::CheckObjektAlarmReset");
    return true;
}

bool TDeviceInstanz::CheckObjekteMelder()
{
    LOG_FKT("TDeviceInstanz::CheckObjekteMelder");
    return true;
}

bool TDeviceInstanz::CheckObjektMeldertest()
{
    LOG_FKT("TDeviceInstanz::CheckObjektMeldertest");
    return true;
}

bool TDeviceInstanz::CheckObjekteScharfschaltEingang()
{
    LOG_FKT("TDeviceInstanz::CheckObjekteScharfschaltEingang");
    return true;
}

bool TDeviceInstanz::CheckGrpAddrUsedFromMelder(const std::string&, int)
{
    LOG_FKT("TDeviceInstanz::CheckGrpAddrUsedFromMelder");
    return false;
}

bool TDeviceInstanz::WriteDataToDb()
{
    LOG_FKT("TDeviceInstanz::WriteDataToDb");
    return true;
}

bool TDeviceInstanz::VireoImport(const std::string&, bool)
{
    LOG_FKT("TDeviceInstanz::VireoImport");
    return false;
}

// ---- Records -----------------------------------------------------------------------------------

void TDeviceInstanz::ClearDataMaps()
{
    LOG_FKT("TDeviceInstanz::ClearDataMaps");
    ClearLadeMaps();
    // Taken out first: a node's destructor may ask the instance for another node.
    TKnotenMap knoten;
    knoten.swap(m_knoten);
    for (auto& [handle, node] : knoten)
        KnotenEntfernt(*node);
    knoten.clear();
    m_device = nullptr;
    m_handleIndex.clear();
    m_eingetragenAls.clear();
    m_systemMap.clear();
}

void TDeviceInstanz::ClearLadeMaps()
{
    LOG_FKT("TDeviceInstanz::ClearLadeMaps");
    m_geladen.clear();
    m_typMap.clear();
}

void TDeviceInstanz::FillDataMaps(const TDatenStruktur& record)
{
    FillDataMaps(TDatenStruktur(record));
}

void TDeviceInstanz::FillDataMaps(TDatenStruktur&& record)
{
    LOG_FKT("TDeviceInstanz::FillDataMaps");
    if (!m_geladen.insert(record.Handle).second)
        return;
    const int32_t system = record.System;
    const int32_t parent = record.Parent;
    const auto satz = Eintragen(system, m_systemMap[system].emplace(parent, std::move(record)));
    m_typMap.emplace(satz->second.Typ, satz->second);
}

TDeviceInstanz::TDatenMap::iterator TDeviceInstanz::Eintragen(int32_t system, TDatenMap::iterator satz)
{
    const int32_t handle = satz->second.Handle;
    m_handleIndex.emplace(handle, TIndexEintrag{system, satz});
    m_eingetragenAls[&satz->second].push_back(handle);
    return satz;
}

// Before the record goes: no entry may outlive it, whatever handle it was entered under.
void TDeviceInstanz::Austragen(const TDatenStruktur* satz)
{
    const auto als = m_eingetragenAls.find(satz);
    if (als == m_eingetragenAls.end())
        return;
    for (const int32_t handle : als->second) {
        auto [von, bis] = m_handleIndex.equal_range(handle);
        for (auto it = von; it != bis; ++it) {
            if (&it->second.satz->second == satz) {
                m_handleIndex.erase(it);
                break;
            }
        }
    }
    m_eingetragenAls.erase(als);
}

TDeviceInstanz::TDatenMap* TDeviceInstanz::FindSystem(int32_t system)
{
    const auto it = m_systemMap.find(system);
    return it == m_systemMap.end() ? nullptr : &it->second;
}

TDatenStruktur* TDeviceInstanz::FindDatenSatz(int32_t system, int32_t parent, int32_t handle)
{
    LOG_FKT("TDeviceInstanz::FindDatenSatz");
    TDatenMap* daten = FindSystem(system);
    if (daten == nullptr)
        return nullptr;
    TDatenStruktur* gefunden = nullptr;
    int treffer = 0;
    auto [von, bis] = m_handleIndex.equal_range(handle);
    for (auto it = von; it != bis;) {
        const TIndexEintrag& eintrag = it->second;
        if (eintrag.satz->second.Handle != handle) {
            // The record's Handle was changed in place: the entry is stale.
            it = m_handleIndex.erase(it);
            continue;
        }
        if (eintrag.system == system && (parent < 0 || eintrag.satz->first == parent)) {
            gefunden = &eintrag.satz->second;
            ++treffer;
        }
        ++it;
    }
    if (treffer == 1)
        return gefunden;
    // Not in the map (its Handle was changed in place, or it is missing) or more than one
    // record with that handle: the walk decides, as it always has, and enters what it finds.
    auto [anfang, ende] = parent < 0 ? std::pair(daten->begin(), daten->end()) : daten->equal_range(parent);
    for (auto it = anfang; it != ende; ++it) {
        if (it->second.Handle == handle) {
            if (treffer == 0)
                Eintragen(system, it);
            return &it->second;
        }
    }
    return nullptr;
}

TDatenStruktur* TDeviceInstanz::GetDatenSatz(int32_t system, int32_t parent, int32_t handle)
{
    LOG_FKT("TDeviceInstanz::GetDatenSatz");
    if (TDatenStruktur* found = FindDatenSatz(system, parent, handle))
        return found;
    TDatenStruktur neu;
    neu.Handle = handle;
    neu.Parent = parent;
    neu.System = system;
    return &Eintragen(system, m_systemMap[system].emplace(parent, std::move(neu)))->second;
}

TDatenStruktur* TDeviceInstanz::GetDatenSatz(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanz::GetDatenSatz");
    if (node == nullptr)
        return nullptr;
    return GetDatenSatz(node->GetSystem(), node->GetParentHandle(), node->GetHandle());
}

void TDeviceInstanz::DeleteDatensatz(const TDatenStruktur& record)
{
    LOG_FKT("TDeviceInstanz::DeleteDatensatz");
    // The record may live in the map it is removed from: take the keys first.
    const int32_t system = record.System;
    const int32_t parent = record.Parent;
    const int32_t handle = record.Handle;
    TDatenMap* daten = FindSystem(system);
    if (daten == nullptr)
        throw E_InstVerw(E_InstVerw::kUnknownSystem, __LINE__, __FILE__, m_fehlerQuelle,
                         "DeleteIterator: unknown systemhandle: " + std::to_string(system));
    auto [von, bis] = daten->equal_range(parent);
    for (auto it = von; it != bis; ++it) {
        if (it->second.Handle == handle) {
            Austragen(&it->second);
            daten->erase(it);
            return;
        }
    }
}

void TDeviceInstanz::DeleteChain(int32_t system, int32_t parent, int32_t handle, std::vector<int32_t>& gesehen)
{
    // A chain whose Next leads back to a record already visited ends there: each record of
    // the loop is deleted once.
    while (handle != 0 && std::find(gesehen.begin(), gesehen.end(), handle) == gesehen.end()) {
        gesehen.push_back(handle);
        TDatenStruktur* record = FindDatenSatz(system, parent, handle);
        if (record == nullptr)
            return; // a missing link ends the chain: nothing was there to delete
        handle = record->Next;
    }
}

void TDeviceInstanz::DeleteNextDatenSatz(int32_t system, int32_t parent, int32_t handle)
{
    LOG_FKT("TDeviceInstanz::DeleteNextDatenSatz");
    std::vector<int32_t> kette;
    DeleteChain(system, parent, handle, kette);
    // Deleted from the tail back to the head.
    for (auto it = kette.rbegin(); it != kette.rend(); ++it)
        if (TDatenStruktur* record = FindDatenSatz(system, parent, *it))
            DeleteDatensatz(*record);
}

void TDeviceInstanz::DeleteDatenSatzAndNext(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanz::DeleteDatenSatzAndNext");
    if (node == nullptr)
        return;
    DeleteDatenSatzAndNext(node->GetSystem(), node->GetParentHandle(), node->GetHandle());
}

void TDeviceInstanz::DeleteDatenSatzAndNext(int32_t system, int32_t parent, int32_t handle)
{
    LOG_FKT("TDeviceInstanz::DeleteDatenSatzAndNext");
    TDatenStruktur* record = FindDatenSatz(system, parent, handle);
    if (record == nullptr)
        return;
    if (record->Next != 0) {
        const int32_t next = record->Next;
        // The head itself counts as visited, so a chain leading back to it stops there.
        std::vector<int32_t> kette{handle};
        DeleteChain(system, handle, next, kette);
        for (auto it = kette.rbegin(); it != kette.rend() - 1; ++it)
            if (TDatenStruktur* glied = FindDatenSatz(system, handle, *it))
                DeleteDatensatz(*glied);
        record = FindDatenSatz(system, parent, handle);
    }
    if (record != nullptr)
        DeleteDatensatz(*record);
}

std::pair<TDeviceInstanz::TDatenMap::iterator, TDeviceInstanz::TDatenMap::iterator>
TDeviceInstanz::GetChildIteratorPair(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanz::GetChildIteratorPair");
    if (node == nullptr)
        throw E_InstVerw(E_InstVerw::kNoDataPointer, __LINE__, __FILE__, m_fehlerQuelle,
                         "GetGeschwisterIteratorPair: No Data Pointer");
    TDatenMap* daten = FindSystem(node->GetSystem());
    if (daten == nullptr)
        throw E_InstVerw(E_InstVerw::kUnknownSystem, __LINE__, __FILE__, m_fehlerQuelle,
                         "GetGeschwisterIteratorPair: unknown systemhandle: " +
                             std::to_string(node->GetSystem()));
    return daten->equal_range(node->GetHandle());
}

int32_t TDeviceInstanz::GetFirstChild(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanz::GetFirstChild");
    if (node == nullptr)
        return 0;
    auto erstes = [&node](TDatenMap& daten) -> int32_t {
        auto [von, bis] = daten.equal_range(node->GetHandle());
        for (auto it = von; it != bis; ++it)
            if (it->second.Typ != 2)
                return it->second.Handle;
        return 0;
    };
    if (node->GetTyp() == 3) {
        for (auto& [system, daten] : m_systemMap)
            if (const int32_t handle = erstes(daten))
                return handle;
        return 0;
    }
    TDatenMap* daten = FindSystem(node->GetSystem());
    if (daten == nullptr)
        throw E_InstVerw(E_InstVerw::kUnknownSystem, __LINE__, __FILE__, m_fehlerQuelle,
                         "CheckName: unknown systemhandle: " + std::to_string(node->GetSystem()));
    return erstes(*daten);
}

std::size_t TDeviceInstanz::GetDatenSatzAnzahl() const
{
    std::size_t anzahl = 0;
    for (const auto& [system, daten] : m_systemMap)
        anzahl += daten.size();
    return anzahl;
}

// ---- Node registry -----------------------------------------------------------------------------

void TDeviceInstanz::SetPointer2List(std::unique_ptr<TDataBasis> node)
{
    LOG_FKT("TDeviceInstanz::SetPointer2List");
    if (!node)
        throw E_InstVerw(E_InstVerw::kInvalidPointer, __LINE__, __FILE__, m_fehlerQuelle,
                         "Pointer2List: invalid Pointer: ");
    const int32_t handle = node->GetHandle();
    m_knoten.try_emplace(handle, std::move(node));
}

bool TDeviceInstanz::DeletePointerFromList(TDataBasis* node)
{
    LOG_FKT("TDeviceInstanz::DeletePointerFromList");
    if (node == nullptr)
        return false;
    const auto it = m_knoten.find(node->GetHandle());
    if (it == m_knoten.end() || it->second.get() != node)
        return false;
    std::unique_ptr<TDataBasis> owned = std::move(it->second);
    m_knoten.erase(it);
    KnotenEntfernt(*owned);
    return true;
}

void TDeviceInstanz::KnotenEntfernt(const TDataBasis& node)
{
    LOG_FKT("TDeviceInstanz::KnotenEntfernt");
    if (&node == m_device)
        m_device = nullptr;
}

TDataBasis* TDeviceInstanz::FindHandle(int32_t handle) const
{
    LOG_FKT("TDeviceInstanz::FindHandle");
    const auto it = m_knoten.find(handle);
    return it == m_knoten.end() ? nullptr : it->second.get();
}

bool TDeviceInstanz::GetDataPointer(int32_t handle, TDataBasis*& out) const
{
    LOG_FKT("TDeviceInstanz::GetDataPointer");
    out = FindHandle(handle);
    return out != nullptr;
}

TObjektBasis* TDeviceInstanz::GetObjectFromObjectNr(int32_t nummer) const
{
    LOG_FKT("TDeviceInstanz::GetObjectFromObjectNr");
    for (const auto& [handle, node] : m_knoten)
        if (node->GetTyp() == TEtsObjekt::kTyp)
            if (auto* objekt = dynamic_cast<TObjektBasis*>(node.get()); objekt && objekt->GetObjektNr() == nummer)
                return objekt;
    return nullptr;
}

TObjektBasis* TDeviceInstanz::GetObjectFromDeviceObjectId(int32_t deviceObjectId) const
{
    LOG_FKT("TDeviceInstanz::GetObjectFromDeviceObjectId");
    for (const auto& [handle, node] : m_knoten)
        if (node->GetTyp() == TEtsObjekt::kTyp)
            if (auto* objekt = dynamic_cast<TObjektBasis*>(node.get());
                objekt && objekt->GetEtsObjektId() == deviceObjectId)
                return objekt;
    return nullptr;
}

// ---- Helpers -----------------------------------------------------------------------------------

int TDeviceInstanz::Meldung(const std::string& text, const std::string& caption, UINT flags) const
{
    ++m_meldungen;
    return MessageBox(m_host.GetHandle(), text, caption, flags);
}

TEts2Cdi* TDeviceInstanz::GetEts() const
{
    return m_host.GetEts();
}
