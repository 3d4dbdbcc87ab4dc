// TDeviceInstanz: the stored container of the device in ETS (blob), loading it into records
// and nodes, and writing it back. The format itself is DatenContainer's.

#include "miraval/devinst/DevInst.h"

#include "miraval/devinst/EditorHost.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "pellam/DataBasis.h"
#include "pellam/EibHandle.h"
#include "quillon/VireoEtsDevice.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

namespace {

constexpr const char* BlobCaption = "Error: TDeviceInstanz::GetDataFromServer";

// Overwrites an existing file with the bytes: written beside it first, then moved over it.
void SchreibeUeber(const std::filesystem::path& datei, const std::string& bytes)
{
    const std::filesystem::path neu = datei.string() + ".neu";
    {
        std::ofstream out(neu, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return;
    }
    std::error_code ec;
    std::filesystem::rename(neu, datei, ec);
    if (ec)
        std::filesystem::remove(neu, ec);
}

} // namespace

DatenContainer::TContainerStatus TDeviceInstanz::KonfigurationPruefen(const std::string& /*stream*/,
                                                                      TKonfigLeser /*leser*/,
                                                                      std::vector<TDatenStruktur>* /*gelesen*/)
{
    return {};
}

bool TDeviceInstanz::KonfigurationLaden(std::string stream, TKonfigLeser leser)
{
    LOG_FKT("TDeviceInstanz::KonfigurationLaden");
    std::optional<std::vector<TDatenStruktur>> gelesen(std::in_place);
    if (!KonfigurationMelden(KonfigurationPruefen(stream, leser, &*gelesen)))
        return false;
    // A gate that reads nothing of its own leaves the load to read the container.
    if (gelesen->empty())
        gelesen.reset();
    m_blob = std::move(stream);
    m_geprueft = std::move(gelesen);
    return true;
}

bool TDeviceInstanz::KonfigurationMelden(const DatenContainer::TContainerStatus& status)
{
    m_konfigAbgelehnt = !status;
    if (m_konfigAbgelehnt && !status.Caption.empty())
        Meldung(Spredit::Txt9214 + (status.Text.empty() ? "" : "\n" + status.Text), Spredit::Txt9154,
                MB_ICONWARNING);
    return !m_konfigAbgelehnt;
}

bool TDeviceInstanz::ClearDatenStream()
{
    LOG_FKT("TDeviceInstanz::ClearDatenStream");
    m_blob.clear();
    m_geprueft.reset();
    return true;
}

void TDeviceInstanz::DebugKopie(bool lesen) const
{
    LOG_FKT("TDeviceInstanz::DebugKopie");
    const TIniRegistry ini;
    const std::string datei = m_host.GetIniFile();
    if (!ini.Read(datei, lesen ? IniKey::WriteReadBlob : IniKey::WriteSaveBlob))
        return;
    const std::string name = ini.Read(datei, lesen ? IniKey::ReadBlob : IniKey::SaveBlob);
    std::error_code ec;
    // A debug copy goes only into a file the user has put there; none is ever created.
    if (name.empty() || !std::filesystem::is_regular_file(name, ec))
        return;
    SchreibeUeber(name, m_blob);
}

DatenContainer::TContainerStatus TDeviceInstanz::CopyStrukturDatenToDB(TDatenManager<TDatenStruktur>* store,
                                                                       std::string* stream)
{
    LOG_FKT("TDeviceInstanz::CopyStrukturDatenToDB");
    // The System map's own order is the container's: System, then Parent, then arrival.
    std::vector<const TDatenStruktur*> datensaetze;
    datensaetze.reserve(GetDatenSatzAnzahl());
    for (const auto& [system, daten] : m_systemMap)
        for (const auto& [parent, record] : daten)
            datensaetze.push_back(&record);
    if (store != nullptr) {
        std::vector<int32_t> alte;
        for (const auto& [key, record] : store->Records())
            alte.push_back(key);
        for (int32_t key : alte)
            store->Delete(key);
        int32_t nummer = 0;
        for (const TDatenStruktur* record : datensaetze)
            store->Insert(nummer++, *record);
    }
    if (stream == nullptr)
        return {};
    // Only the ETS project data is a place to store in.
    if (m_dataSrc != 1)
        return DatenContainer::TContainerStatus::Fehler("Unbekannte Speicherfläche", "Speichern", MB_OK);
    std::string container;
    DatenContainer::TContainerStatus status =
        DatenContainer::WriteContainer(datensaetze, GetVersion(), m_compData, container);
    if (status)
        *stream = std::move(container);
    return status;
}

bool TDeviceInstanz::WriteBlob()
{
    LOG_FKT("TDeviceInstanz::WriteBlob");
    // Without a device node (nothing loaded yet) there is no device record to bring up to date.
    if (m_device != nullptr)
        if (TDatenStruktur* record = GetDatenSatz(m_device))
            m_device->Write(*record);
    std::string blob;
    if (DatenContainer::TContainerStatus status = CopyStrukturDatenToDB(nullptr, &blob); !status) {
        Meldung(status.Text, status.Caption, status.Flags);
        return false;
    }
    m_blob = std::move(blob);
    m_geprueft.reset();
    TEts2Cdi* ets = GetEts();
    if (ets == nullptr || !ets->BlobWrite(m_blob.data(), static_cast<uint32_t>(m_blob.size()), m_etsDeviceId)) {
        Meldung("Beim Speichern der Daten ist ein Fehler aufgetreten.", "Fehler", MB_ICONWARNING);
        return false;
    }
    DebugKopie(false);
    return true;
}

bool TDeviceInstanz::CopyDBDatenToStruktur(std::vector<int32_t>& handles)
{
    LOG_FKT("TDeviceInstanz::CopyDBDatenToStruktur");
    if (m_dataSrc != 1) {
        Meldung("Unbekannte Datenquelle", "Initialisierungsfehler", MB_OK);
        return false;
    }
    auto pruefe = [this](const std::string& version) {
        if (VersionCheck(version, true) || AcceptForeignVersion(m_blob, version))
            return true;
        const DatenContainer::TContainerStatus konflikt = DatenContainer::VersionConflict(GetVersion(), version);
        Meldung(konflikt.Text, konflikt.Caption, konflikt.Flags);
        return false;
    };
    DatenContainer::TContainerInhalt inhalt;
    // The records the gate has read from this blob are taken as they are: read once.
    std::optional<std::vector<TDatenStruktur>> gelesen = std::move(m_geprueft);
    m_geprueft.reset();
    if (DatenContainer::TContainerStatus status =
            gelesen ? DatenContainer::ReadContainer(m_blob, m_dateiName, pruefe, std::move(*gelesen), inhalt)
                    : DatenContainer::ReadContainer(m_blob, m_dateiName, pruefe, inhalt);
        !status) {
        // A record line the record type refuses: shown, and nothing is loaded; the stored
        // blob stays as it is.
        if (!status.Text.empty())
            Meldung(status.Text, status.Caption, status.Flags);
        return false;
    }
    m_compData = std::move(inhalt.CompData);
    // The records enter by Typ, equal types in container order; they are moved in, never
    // copied.
    std::vector<TDatenStruktur*> reihe;
    reihe.reserve(inhalt.Datensaetze.size());
    for (TDatenStruktur& record : inhalt.Datensaetze)
        reihe.push_back(&record);
    std::stable_sort(reihe.begin(), reihe.end(),
                     [](const TDatenStruktur* a, const TDatenStruktur* b) { return a->Typ < b->Typ; });
    ClearDataMaps();
    handles.reserve(handles.size() + reihe.size());
    for (TDatenStruktur* record : reihe) {
        handles.push_back(record->Handle);
        FillDataMaps(std::move(*record));
    }
    return true;
}

bool TDeviceInstanz::InitData()
{
    LOG_FKT("TDeviceInstanz::InitData");
    try {
        std::vector<int32_t> handles;
        if (!CopyDBDatenToStruktur(handles))
            return false;
        m_eibHandle = std::make_unique<TEibHandle>(handles);
        InitDataMainStruktur();
    } catch (const std::bad_alloc&) {
        throw E_InstVerw(E_InstVerw::kRamAllocation, __LINE__, __FILE__, m_fehlerQuelle,
                         "InitData: ram allocation");
    }
    return true;
}

bool TDeviceInstanz::GetDataFromServer(HWND owner, bool refresh)
{
    LOG_FKT("TDeviceInstanz::GetDataFromServer");
    KonfigAbgelehntVergessen();
    TEts2Cdi* ets = GetEts();
    const uint8_t* buffer = nullptr;
    uint32_t laenge = 0;
    // ETS answers "no blob yet" with true and length 0, so false means the store could not be
    // read: a new structure written now would overwrite a configuration that may exist.
    if (ets == nullptr || !ets->BlobRead(buffer, laenge, m_etsDeviceId)) {
        Meldung("Can't read data (BLOB): 1", BlobCaption, MB_OK);
        return false;
    }
    if (laenge == 0) {
        CreateNewDevice(owner);
        (void)WriteBlob();
        if (!ets->BlobRead(buffer, laenge, m_etsDeviceId)) {
            Meldung("Can't read data (BLOB): 2", BlobCaption, MB_OK);
            return false;
        }
        if (laenge == 0)
            return false;
    }
    // A stored configuration that is not what this editor writes is not loaded at all: the
    // nodes would disagree with it and every store would write the damage again.
    if (!KonfigurationLaden(std::string(reinterpret_cast<const char*>(buffer), laenge), TKonfigLeser::Laden))
        return false;
    DebugKopie(true);
    if (!InitData())
        return false;
    GetGrpAdrFromServer();
    if (!DatenAbgleich(true, false)) {
        Meldung("Die Daten konnten nicht vollständig abgeglichen werden.\nBitte überprüfen Sie die Projektierung.",
                "Fehler", MB_ICONWARNING);
        return false;
    }
    if (refresh)
        m_host.FormVerwNeuAufbauen(*this);
    if (m_device != nullptr) {
        if (auto* geraet = dynamic_cast<TVireoEtsDevice*>(m_device)) {
            // The device node asked for its address while it was made from its record; only
            // a record of another device id (a copied device), or no answer, asks again.
            if (geraet->GetDeviceId() != m_etsDeviceId || geraet->GetPhysAdr().empty())
                geraet->SetPhysAdr(GetPhysAdr(m_etsDeviceId));
            if (TDatenStruktur* record = GetDatenSatz(m_device))
                m_device->Write(*record);
            m_host.UpdateObjektAnzahl(geraet->GetObjektCount(), geraet->GetMaxObjekte());
        } else if (TDatenStruktur* record = GetDatenSatz(m_device)) {
            m_device->Write(*record);
        }
    }
    return true;
}

DatenContainer::TContainerStatus TDeviceInstanz::CopyStrukturDatenAlsEts(TDatenManager<TDatenStruktur>* store,
                                                                         std::string* stream)
{
    LOG_FKT("TDeviceInstanz::CopyStrukturDatenAlsEts");
    const uint8_t quelle = GetDataSrc();
    SetDataSrc(1);
    DatenContainer::TContainerStatus status = CopyStrukturDatenToDB(store, stream);
    SetDataSrc(quelle);
    return status;
}
