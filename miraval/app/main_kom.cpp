// The main window's side of ETS: the event handlers, the selection and creation of device
// instances, and the menu commands that act on the current device.
//
// Each handler answers ETS through finished and result. The common frame: the last deleted
// device is forgotten, the ETS version is checked, the trace log opened when the settings
// ask for it, the close time-out stopped; a finished event ends with EventEnde. What an event
// leaves of the edit of the device being edited (changed since opening, its auto-save) follows
// from the edit (TBearbeitung), after every handler.
#include "miraval/app/Main.h"

#include "miraval/app/AbgelehnteMeldungen.h"
#include "miraval/app/BaumSperre.h"
#include "miraval/app/RueckgabeGrund.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/FProjektierung.h"
#include "miraval/ui/Geschuetzt.h"
#include "dorlin/Dorlin.h"
#include "kestrin/Ets2Cdi.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/ObjektBasis.h"
#include "tamsel/Tamsel.h"
#include "tessarin/AzMelder.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"

#include <QAction>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

// Node types of the menu and action rules.
bool IstSicherungsBereich(int typ)
{
    return typ == 6123 || typ == 6125 || (typ >= 6127 && typ <= 6130);
}

constexpr int kTypMelder = 6124;

// A command that changed the device's records marks its data as changed; its result.
bool DatenGeaendert(bool geaendert)
{
    if (geaendert)
        DM->DataChanged = true;
    return geaendert;
}
constexpr int kMelderBereichVerdrahtet = 2;
// Detector n's communication object has the number n - 1.
constexpr int kLetztesMelderObjekt = 159;

} // namespace

template <class F> void TFormMain::EtsHandler(F&& handler)
{
    const TBearbeitung::TVorher bearbeitung = m_bearbeitung.VorEreignis();
    // The event is one transaction of the store: once the store refused it, its failure is
    // told once, after it (OnEventFailed).
    {
        const TAbgelehnteMeldungen meldungen(m_ets.get());
        Geschuetzt(handler);
    }
    m_bearbeitung.NachEreignis(bearbeitung);
}

void TFormMain::BindeEtsEvents()
{
    LOG_FKT("TFormMain::BindeEtsEvents");
    // ETS calls the handlers from the message loop: nothing may escape them.
    auto geschuetzt = [this](auto&& f) { EtsHandler(f); };
    m_ets->OnCdiCreateDevice = [this, geschuetzt](bool& f, int& r, int kind, int32_t id, const std::string& text) {
        geschuetzt([&] { OnCdiCreateDevice(f, r, kind, id, text); });
    };
    m_ets->OnCdiDeleteDevice = [this, geschuetzt](bool& f, int& r, int32_t value, int32_t id) {
        geschuetzt([&] { OnCdiDeleteDevice(f, r, value, id); });
    };
    m_ets->OnCdiEditParameters = [this, geschuetzt](bool& f, int& r, int32_t id) {
        geschuetzt([&] { OnCdiEditParameters(f, r, id); });
    };
    m_ets->OnWmUserSvStop = [this] { Geschuetzt([&] { OnWmUserSvStop(); }); };
    m_ets->OnCdiDoDownload2 = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id, int32_t v4,
                                                 int32_t v5, int32_t v6, int32_t v7, int32_t v8, uint16_t flags) {
        geschuetzt([&] { OnCdiDoDownload2(f, r, v1, v2, id, v4, v5, v6, v7, v8, flags); });
    };
    m_ets->OnCdiLinkObjToSubGroup = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id,
                                                       uint16_t nr, int32_t sub) {
        geschuetzt([&] { OnCdiLinkObjToSubGroup(f, r, v1, v2, id, nr, sub); });
    };
    m_ets->OnCdiUnlinkObjFromSubGroup = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id,
                                                           uint16_t nr, int32_t sub) {
        geschuetzt([&] { OnCdiUnlinkObjFromSubGroup(f, r, v1, v2, id, nr, sub); });
    };
    m_ets->OnCdiEditObject = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id) {
        geschuetzt([&] { OnCdiEditObject(f, r, v1, v2, id); });
    };
    m_ets->OnCdiExportDevice = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id,
                                                  TEtsExportTarget& target) {
        geschuetzt([&] { OnCdiExportDevice(f, r, v1, v2, id, target); });
    };
    m_ets->OnCdiImportDevice = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t id) {
        geschuetzt([&] { OnCdiImportDevice(f, r, v1, v2, id); });
    };
    m_ets->OnCdiCopyDevice = [this, geschuetzt](bool& f, int& r, int32_t v1, int32_t v2, int32_t neu, int32_t quelle,
                                                bool flag) {
        geschuetzt([&] { OnCdiCopyDevice(f, r, v1, v2, neu, quelle, flag); });
    };
    m_ets->OnEventFailed = [this](const std::string& event, TEts2Cdi::TStoreFault fehler, const std::string& grund) {
        Geschuetzt([&] { EreignisAbgelehnt(event, fehler, grund); });
    };
}

void TFormMain::EreignisAbgelehnt(const std::string& event, TEts2Cdi::TStoreFault fehler, const std::string& grund)
{
    LOG_FKT("TFormMain::EreignisAbgelehnt");
    // ETS kept nothing of the event: an instance it made or changed holds what ETS does not,
    // and goes; the next event for its device reads it from ETS, as it reads every device but
    // the one being edited, which stays.
    TDeviceInstanzAz* offen = OffenesGeraet();
    std::vector<int32_t> weg;
    for (const auto& [id, instanz] : m_devices)
        if (instanz.get() != offen)
            weg.push_back(id);
    for (int32_t id : weg) {
        auto record = std::make_unique<DAL_DEVICE>();
        record->DeviceId = id;
        DeleteDevice(*record);
    }
    AktDevInst = offen;
    ShowMessageBox("Das ETS-Ereignis „" + event + "“ wurde nicht ausgeführt: nichts davon ist in der ETS "
                   "gespeichert.\n" + RueckgabeGrund(fehler, grund),
                   Spredit::Txt9003, MB_OK | MB_ICONEXCLAMATION);
}

void TFormMain::LogOeffnen()
{
    if (DM->LogStart)
        (void)InitLogFkt(m_ets.get(), DM->LogPriority, DM->LogFreigabe, DM->LogTime, "");
}

bool TFormMain::EventBeginn(int& result, bool* finished)
{
    m_lastDeletedDevice = -1;
    if (!EtsVersionCheck()) {
        // A failed check answers failure; finished is said only where the event says it.
        result = 0;
        if (finished != nullptr)
            *finished = true;
        return false;
    }
    LogOeffnen();
    TimerTimeoutClose->stop();
    return true;
}

void TFormMain::EventEnde(bool& finished)
{
    finished = true;
    CloseLogFkt();
    TimerTimeoutCloseStart();
}

bool TFormMain::EtsVersionCheck()
{
    LOG_FKT("TFormMain::EtsVersionCheck");
    if (m_ets == nullptr)
        return false;
    auto info = std::make_unique<tagETSINFO>();
    if (!m_ets->GetEtsInfo(*info))
        return false;
    const uint32_t v1 = info->Version1;
    const uint32_t v2 = info->Version2;
    const std::array<uint16_t, 4> version{static_cast<uint16_t>(v1 >> 16), static_cast<uint16_t>(v1 & 0xFFFF),
                                          static_cast<uint16_t>(v2 >> 16), static_cast<uint16_t>(v2 & 0xFFFF)};
    for (std::size_t i = 0; i < version.size(); ++i)
        if (version[i] != m_minEtsVersion[i])
            return version[i] > m_minEtsVersion[i];
    return true;
}

// ---- Events -----------------------------------------------------------------------------------

void TFormMain::OnCdiEditParameters(bool& finished, int& result, int32_t deviceId)
{
    LOG_FKT("TFormMain::OnCdiEditParameters");
    SetStatusOnCopyDevice(false);
    if (!EventBeginn(result, &finished))
        return;
    if (m_bearbeitung.Verweigert(deviceId).empty() && OpenVireoVisible(deviceId)) {
        // The editing period stays open, and with it the trace log, until the return to ETS.
        result = 1;
        finished = false;
    } else {
        result = 0;
        finished = true;
        CloseLogFkt();
    }
}

void TFormMain::OnCdiCreateDevice(bool& finished, int& result, int kind, int32_t deviceId, const std::string&)
{
    LOG_FKT("TFormMain::OnCdiCreateDevice");
    m_lastDeletedDevice = -1;
    if (!EtsVersionCheck()) {
        result = 0;
        finished = true;
        return;
    }
    LogOeffnen();
    if (kind == -2) {
        result = 1;
        finished = true;
        return;
    }
    TimerTimeoutClose->stop();
    auto record = std::make_unique<DAL_DEVICE>();
    if (m_ets->DalGetDeviceData(DAL_MODE_KEY, deviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                record.get()) == DAL_OK) {
        result = CreateDevice(*record) ? 1 : 0;
    } else {
        ShowMessageBox("TFormMain::OnCdiCreate::DalGetDeviceData", Spredit::Txt9003, MB_OK);
        result = 0;
    }
    EventEnde(finished);
}

void TFormMain::OnCdiDeleteDevice(bool& finished, int& result, int32_t, int32_t deviceId)
{
    LOG_FKT("TFormMain::OnCdiDeleteDevice");
    LogOeffnen();
    TimerTimeoutClose->stop();
    m_lastDeletedDevice = deviceId;
    auto record = std::make_unique<DAL_DEVICE>();
    record->DeviceId = deviceId;
    TDeviceInstanzAz* offen = OffenesGeraet();
    const bool offenGeloescht = offen != nullptr && offen->GetEtsDeviceId() == deviceId;
    DeleteDevice(*record);
    // A deleted device has no safety copy left to offer; the end of the edit of the open one
    // takes it off the list.
    if (offenGeloescht)
        OffenesGeraetGeloescht(deviceId);
    else
        RecoveryCheck(false, deviceId);
    result = 0;
    finished = true;
    CloseLogFkt();
    TimerTimeoutCloseStart();
}

void TFormMain::OnWmUserSvStop()
{
    LOG_FKT("TFormMain::OnWmUserSvStop");
    // ETS ends the program in the middle of an edit: nothing of the edit is lost.
    m_bearbeitung.Stoppen();
    Close();
}

void TFormMain::OnCdiDoDownload2(bool& finished, int& result, int32_t, int32_t value2, int32_t deviceId,
                                 int32_t value4, int32_t value5, int32_t value6, int32_t value7, int32_t value8,
                                 uint16_t flags)
{
    LOG_FKT("TFormMain::OnCdiDoDownload2");
    if (!EventBeginn(result, nullptr))
        return;
    result = 1;
    if (!SetDevice(deviceId, false)) {
        if (!KonfigAbgelehnt())
            ShowMessageBox("TFormMain::OnCdiDoDownload2, SetDevice", Spredit::Txt9003, MB_OK);
        result = 0;
    } else {
        if (!AktDevInst->UpdateGroupAddressFromId()) {
            result = 0;
            finished = true;
            TimerTimeoutCloseStart();
            return;
        }
        bool ok = true;
        if (flags & 1)
            ok = Compiler(value2, deviceId, value4);
        if (ok && !Download(value2, deviceId, value4, value5, value6, value7, value8, flags))
            result = 0;
        // A configuration ETS does not hold is no download.
        if (AktDevInst != nullptr && !AktDevInst->WriteBlob())
            result = 0;
    }
    EventEnde(finished);
}

void TFormMain::OnCdiLinkObjToSubGroup(bool& finished, int& result, int32_t, int32_t, int32_t deviceId,
                                       uint16_t objectNumber, int32_t subGroupId)
{
    LOG_FKT("TFormMain::OnCdiLinkObjToSubGroup");
    if (!EventBeginn(result, nullptr))
        return;
    result = 1;
    if (!SetDevice(deviceId, false)) {
        result = 0;
    } else {
        TObjektBasis* objekt = AktDevInst != nullptr ? AktDevInst->GetObjectFromObjectNr(objectNumber) : nullptr;
        if (objekt == nullptr) {
            result = 0;
        } else {
            const bool verknuepft = AktDevInst->LinkToSubGroup(subGroupId, objekt->GetHandle(), false);
            result = AktDevInst->WriteBlob() && verknuepft ? 1 : 0;
        }
    }
    EventEnde(finished);
}

void TFormMain::OnCdiUnlinkObjFromSubGroup(bool& finished, int& result, int32_t, int32_t, int32_t deviceId,
                                           uint16_t objectNumber, int32_t subGroupId)
{
    LOG_FKT("TFormMain::OnCdiUnlinkObjFromSubGroup");
    if (!EtsVersionCheck()) {
        result = 0;
        return;
    }
    LogOeffnen();
    // ETS unlinks the objects of a device it has just deleted: nothing is left to change.
    if (deviceId == m_lastDeletedDevice) {
        result = 1;
        finished = true;
        return;
    }
    result = 1;
    TimerTimeoutClose->stop();
    if (!SetDevice(deviceId, false)) {
        result = 0;
    } else {
        if (TObjektBasis* objekt = AktDevInst->GetObjectFromObjectNr(objectNumber)) {
            const bool verknuepft = objekt->ExistSubGroupId(subGroupId);
            objekt->DeleteSubGroupLink(subGroupId);
            if (TDatenStruktur* record = AktDevInst->GetDatenSatz(objekt))
                objekt->Write(*record);
            // A detector's group addresses are kept in the instance's list as well.
            if (verknuepft && objectNumber <= kLetztesMelderObjekt)
                AktDevInst->ClearMelderGrpAdrFromList(subGroupId);
            if (!AktDevInst->WriteBlob())
                result = 0;
        }
    }
    EventEnde(finished);
}

void TFormMain::OnCdiEditObject(bool& finished, int& result, int32_t, int32_t, int32_t deviceObjectId)
{
    LOG_FKT("TFormMain::OnCdiEditObject");
    if (!EventBeginn(result, nullptr))
        return;
    result = 1;
    finished = false;
    auto record = std::make_unique<DAL_DEVICE_OBJECT>();
    // Without the object's record there is no device to open (device 0 would be a phantom).
    if (m_ets->DalGetDeviceObjectData(DAL_MODE_KEY, deviceObjectId, DAL_NO_KEY, record.get()) != DAL_OK ||
        !m_bearbeitung.Verweigert(record->DeviceId).empty() || !OpenVireoVisible(record->DeviceId)) {
        result = 0;
        finished = true;
        CloseLogFkt();
        return;
    }
    if (TObjektBasis* objekt = AktDevInst->GetObjectFromDeviceObjectId(deviceObjectId); objekt && FormVerw)
        FormVerw->SelectNode(objekt);
    result = 1;
    finished = false;
}

bool TFormMain::Compiler(int32_t, int32_t, int32_t)
{
    return false;
}

bool TFormMain::Download(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint16_t)
{
    return false;
}

// ---- Device selection ---------------------------------------------------------------------------

TFormVerw* TFormMain::NeuesFormVerw(bool zeigen)
{
    auto* fenster = new TFormVerw(this);
    FormVerw = fenster;
    m_formVerwListe.push_back(fenster);
    std::sort(m_formVerwListe.begin(), m_formVerwListe.end());
    m_formVerwListe.erase(std::unique(m_formVerwListe.begin(), m_formVerwListe.end()), m_formVerwListe.end());
    if (zeigen)
        fenster->show();
    return fenster;
}

bool TFormMain::KonfigAbgelehnt() const
{
    return AktDevInst != nullptr && AktDevInst->GetKonfigAbgelehnt();
}

bool TFormMain::OpenVireoVisible(int32_t deviceId)
{
    LOG_FKT("TFormMain::OpenVireoVisible");
    TCursorHourGlass sanduhr;
    const TDeviceInstanzAz* offen = OffenesGeraet();
    if (!SetDevice(deviceId, true)) {
        if (!KonfigAbgelehnt())
            ShowMessageBox(Spredit::Txt9189 + "\n\r" + "(TFormMain::OpenVireoVisible)", SprAz::Txt10179,
                           MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const bool schonOffen = AktDevInst == offen;
    // The device being edited is on the recovery list because it is open: a safety copy
    // restored over it now would undo the edit it was taken of.
    if (!schonOffen)
        m_bearbeitung.Beginnen(*AktDevInst, deviceId);
    ShowMainWindow();
    if (FormVerw != nullptr) {
        // The window shows the device being edited already: its page, and the cell the
        // person is typing in, stay as the person left them.
        if (!schonOffen)
            FormVerw->TreeChange(nullptr);
        FormVerw->GetGrid().ResizeAktivFeld();
    }
    raise();
    activateWindow();
    if (FormVerw != nullptr && FormVerw->HasMeldeFenster())
        FormVerw->ShowMeldeFenster(true);
    AbgleichFormVerw(FormVerw);
    m_bearbeitung.AutoSaveFortsetzen();
    return true;
}

bool TFormMain::SetDevice(int32_t deviceId, bool createWindow)
{
    LOG_FKT("TFormMain::SetDevice");
    m_progressCancelled = false;
    ::StartDlgProgress(m_handle, Spredit::Txt9182, Spredit::Txt9030, 0, 6);
    struct TSchliessen {
        ~TSchliessen() { ::StopDlgProgress(); }
    } schliessen;
    if (m_progressCancelled)
        return false;
    GetEtsRegData();
    ::SetDlgProgress();

    // A device ETS cannot read is still selected: its record holds only the id.
    auto record = std::make_unique<DAL_DEVICE>();
    if (m_ets == nullptr || m_ets->DalGetDeviceData(DAL_MODE_KEY, deviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                                    DAL_NO_KEY, record.get()) != DAL_OK)
        record->DeviceId = deviceId;
    ::SetDlgProgress();

    const TDeviceInstanzAz* offen = OffenesGeraet();
    if (auto it = m_devices.find(deviceId); it != m_devices.end()) {
        if (it->second == nullptr)
            return false;
        AktDevInst = static_cast<TDeviceInstanzAz*>(it->second.get());
    } else {
        auto instanz = std::make_unique<TDeviceInstanzAz>(*this, *record, FormVerw);
        TDeviceInstanzAz* neu = instanz.get();
        if (!m_devices.emplace(deviceId, std::move(instanz)).second)
            return false;
        AktDevInst = neu;
    }
    // The instance may outlive project windows: it always works with the current one.
    AktDevInst->SetFormVerw(FormVerw);
    AktDevInst->KonfigAbgelehntVergessen();
    ::SetDlgProgress();

    const std::string name = DalText(record->DeviceName);
    const std::string produkt = DalText(record->ProductName);
    SetAnwendungsTitel(name);
    setWindowTitle(QString::fromStdString(produkt.empty() ? name : name + "[" + produkt + "]"));
    ::SetDlgProgress();

    if (m_progressCancelled)
        return false;
    if (createWindow) {
        if (FormVerw == nullptr)
            AktDevInst->SetFormVerw(NeuesFormVerw(true));
        const int nummer = FormVerw->GetFensterNr();
        FormVerw->setWindowTitle(QString::fromStdString(
            nummer > 0 ? Spredit::Txt9095 + ":" + std::to_string(nummer) : Spredit::Txt9095));
        FormVerw->SetDeviceInstanz(AktDevInst);
        FormVerw->LoadColor(DM->ColorGridCommmon, DM->ColorGridCell, DM->ColorGridTitle, DM->ColorGridCellReadOnly,
                            DM->Gitternetzlinien);
        FormVerw->SetResizeHandler(true);
    }
    ::SetDlgProgress();

    if (m_progressCancelled)
        return false;
    // The device being edited is shown as it is: its windows hold its nodes, and the nodes
    // hold what the person has not yet returned to ETS.
    bool geladen = true;
    if (AktDevInst != offen) {
        TFensterNeuAufbau neu(*this, *AktDevInst);
        geladen = AktDevInst->GetDataFromServer(m_handle, createWindow);
    }
    ::SetDlgProgress();
    SetParamDeviceIdToEts(deviceId);
    return geladen;
}

TDeviceInstanzAz* TFormMain::OffenesGeraet() const
{
    return static_cast<TDeviceInstanzAz*>(m_bearbeitung.Geraet());
}

bool TFormMain::IstLebendeInstanz(const TDeviceInstanz* instanz) const
{
    return std::any_of(m_devices.begin(), m_devices.end(),
                       [instanz](const auto& eintrag) { return eintrag.second.get() == instanz; });
}

bool TFormMain::FremdesFenster(const TFormVerw* fenster) const
{
    const TDeviceInstanzAz* offen = OffenesGeraet();
    return offen != nullptr && AktDevInst != offen && fenster != nullptr && fenster->GetDeviceInstanz() == offen;
}

bool TFormMain::CreateDevice(const DAL_DEVICE& record)
{
    LOG_FKT("TFormMain::CreateDevice");
    const int32_t deviceId = record.DeviceId;
    // A device that has an instance already keeps its configuration: a second creation would
    // overwrite its stored configuration and parameters with a default structure.
    if (m_devices.count(deviceId) != 0)
        return false;
    if (FormVerw == nullptr)
        NeuesFormVerw(true);
    auto instanz = std::make_unique<TDeviceInstanzAz>(*this, record, FormVerw);
    TDeviceInstanzAz* neu = instanz.get();
    const bool eingefuegt = m_devices.emplace(deviceId, std::move(instanz)).second;
    AktDevInst = neu;
    // A device is created whole: its configuration stored and its id in ETS, or the event
    // fails (and ETS keeps nothing of it).
    return eingefuegt && neu->CreateNewDevice(m_handle) && neu->WriteBlob() && SetParamDeviceIdToEts(deviceId);
}

bool TFormMain::DeleteDevice(const DAL_DEVICE& record)
{
    LOG_FKT("TFormMain::DeleteDevice");
    const int32_t deviceId = record.DeviceId; // packed field: read by value
    auto it = m_devices.find(deviceId);
    if (it == m_devices.end())
        return false;
    AktDevInst = static_cast<TDeviceInstanzAz*>(it->second.get());
    // Windows that still show the instance's nodes let go of them first.
    FuerAlleFormVerw([&](TFormVerw* fenster) {
        if (fenster->GetDeviceInstanz() != it->second.get())
            return;
        fenster->GetGrid().Clear();
        fenster->DeleteTreeViewNodes();
        fenster->SetDeviceInstanz(nullptr);
    });
    m_devices.erase(it);
    AktDevInst = nullptr;
    return true;
}

// ---- Menu commands --------------------------------------------------------------------------------

bool TFormMain::EreignisspeicherAuslesen()
{
    LOG_FKT("TFormMain::EreignisspeicherAuslesen");
    return AktDevInst != nullptr && AktDevInst->EreignisspeicherAuslesen();
}

bool TFormMain::DownloadAzHwDateTime()
{
    LOG_FKT("TFormMain::DownloadAzHwDateTime");
    return AktDevInst != nullptr && AktDevInst->DownloadAzHwDateTime();
}

// Adding and deleting detectors change the device's records themselves.
bool TFormMain::MelderHinzufuegen()
{
    LOG_FKT("TFormMain::MelderHinzufuegen");
    // The run lets the message loop turn while it uses the instance and the current project
    // window: neither may go, and a second run would take over the one progress dialog.
    if (AktDevInst == nullptr || m_melderLauf)
        return false;
    const QScopedValueRollback lauf(m_melderLauf, true);
    return DatenGeaendert(AktDevInst->MelderHinzufuegen());
}

bool TFormMain::MelderLoeschen()
{
    LOG_FKT("TFormMain::MelderLoeschen");
    return AktDevInst != nullptr && DatenGeaendert(AktDevInst->MelderLoeschen());
}

void TFormMain::MProjektierungClick()
{
    LOG_FKT("TFormMain::MProjektierungClick");
    TDataBasis* daten = GetSelTreeData();
    if (daten == nullptr)
        return;
    const int typ = daten->GetTyp();
    bool hinzufuegen = false;
    bool einfuegen = false;
    bool loeschen = false;
    bool kopieren = false;
    if (IstSicherungsBereich(typ)) {
        hinzufuegen = true;
        einfuegen = true;
    } else if (typ == kTypMelder) {
        auto* melder = dynamic_cast<TAzMelder*>(daten);
        if (melder == nullptr)
            return;
        // Detectors paste onto detectors; the wired input of the centre is neither deleted,
        // copied nor pasted onto.
        const bool verdrahtet = melder->GetMelderBereich() == kMelderBereichVerdrahtet;
        loeschen = kopieren = einfuegen = !verdrahtet;
    }
    DM->AMelderHinzufuegen->setEnabled(hinzufuegen);
    DM->AMelderEinfuegen->setEnabled(einfuegen);
    DM->AMelderLoeschen->setEnabled(loeschen);
    DM->AMelderKopieren->setEnabled(kopieren);
}

bool TFormMain::IsGrpAdrAvailable()
{
    LOG_FKT("TFormMain::IsGrpAdrAvailable");
    return AktDevInst != nullptr && AktDevInst->GetEtsGruppenAdressen() != nullptr;
}

// The current project window answers for the current instance only: while an ETS event for
// another device runs, the window of the device being edited is not its.
TDataBasis* TFormMain::GetGrpAdrOrdner() const
{
    return FormVerw != nullptr && !FremdesFenster(FormVerw) ? FormVerw->GetGrpAdrOrdner() : nullptr;
}

TDataBasis* TFormMain::GetSelTreeData() const
{
    return FormVerw != nullptr && !FremdesFenster(FormVerw) ? FormVerw->GetSelData() : nullptr;
}

TFormVerw* TFormMain::GetActiveFormVerv() const
{
    return FremdesFenster(FormVerw) ? nullptr : FormVerw;
}

bool TFormMain::MakeNode(TDataBasis* parent, TDataBasis* child)
{
    return FormVerw != nullptr && !FremdesFenster(FormVerw) &&
           FormVerw->AddChildNode2Data(parent, child, true) != nullptr;
}

void TFormMain::DeactivateActiveGridCell()
{
    LOG_FKT("TFormMain::DeactivateActiveGridCell");
    FuerAlleFormVerw([](TFormVerw* fenster) {
        fenster->GridEingabeUebernehmen();
        fenster->GetGrid().ExitCell();
    });
}

void TFormMain::SetStatusOnCopyDevice(bool on)
{
    DM->StatusOnCopyDevice = on;
}

bool TFormMain::GetStatusOnCopyDevice() const
{
    return DM->StatusOnCopyDevice;
}
