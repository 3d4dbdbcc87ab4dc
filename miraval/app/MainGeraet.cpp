// ETS's export, import and copy of a device: the configuration the editor keeps for the
// device follows it. The export writes the container to a file that ETS takes along (the
// export target); the import finds that file again by the old device id kept in the device
// parameter "DeviceId"; the copy takes the source device's stored container. The ETS ids
// inside the configuration are converted by the device instance.
//
// None of the three has a window: each works on the instance of its device without showing
// it, under ETS's progress meter, which is closed on every way out.
#include "miraval/app/Main.h"

#include "miraval/app/BaumSperre.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/DateiZugriff.h"
#include "miraval/dienste/Spredit.h"
#include "kestrin/Ets2Cdi.h"
#include "morrow/EtsProgressDialog.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <QFileDialog>
#include <QTimer>

#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kParameterName = "DeviceId";
// The kinds of ETS meter the import and the copy open.
constexpr unsigned kMeterImport = 2;
constexpr unsigned kMeterKopie = 13;

// An ETS meter with its progress dialog, open for the guard's lifetime.
class TMeter {
public:
    TMeter(TEts2Cdi& ets, HWND owner, unsigned art, const std::string& caption)
        : m_ets(ets), m_handle(ets.CoMeterDlgOpen(owner, art)), m_dialog(&ets, m_handle)
    {
        m_ets.CoMeterSetCaption(m_handle, caption);
        m_dialog.EtsMeterSetText(Spredit::Txt9030);
    }
    ~TMeter() { m_ets.CoMeterDlgClose(m_handle); }
    TMeter(const TMeter&) = delete;
    TMeter& operator=(const TMeter&) = delete;

    TEtsProgressDialog& Dialog() { return m_dialog; }
    // Sets the position; true when the user asked to abort.
    bool Position(uint16_t position)
    {
        m_dialog.EtsMeterSetPosition(position);
        return m_dialog.EtsGetAbortFlag();
    }
    // The last stretch of a run that succeeded.
    void Abschluss()
    {
        m_dialog.EtsMeterSetText1("");
        m_dialog.EtsMeterSetText2("");
        for (uint16_t position = 80; position < 100; ++position)
            m_dialog.EtsMeterSetPosition(position);
    }

private:
    TEts2Cdi& m_ets;
    HWND m_handle;
    TEtsProgressDialog m_dialog;
};

// The device parameter named "DeviceId" of the device. Only the records ETS delivered are
// searched; a parameter that cannot be read ends the search. False when none was found.
bool SucheDeviceIdParameter(TEts2Cdi& ets, int32_t deviceId, DAL_DEVICE_PARAM& treffer)
{
    std::vector<DAL_DEVICE_PARAM> liste;
    for (int modus = DAL_MODE_FIRST;; modus = DAL_MODE_NEXT) {
        DAL_DEVICE_PARAM record;
        if (ets.DalGetDeviceParamData(modus, DAL_NO_KEY, deviceId, &record) != DAL_OK)
            break;
        liste.push_back(record);
    }
    auto parameter = std::make_unique<DAL_PARAMETER>();
    for (const DAL_DEVICE_PARAM& record : liste) {
        *parameter = DAL_PARAMETER{};
        if (ets.DalGetParameterData(DAL_MODE_KEY, record.ParameterId, DAL_NO_KEY, DAL_NO_KEY, parameter.get()) !=
            DAL_OK)
            return false;
        if (DalText(parameter->Name) == kParameterName) {
            treffer = record;
            return true;
        }
    }
    return false;
}

} // namespace

// ---- Events ---------------------------------------------------------------------------------

void TFormMain::OnCdiExportDevice(bool& finished, int& result, int32_t, int32_t, int32_t deviceId,
                                  TEtsExportTarget& target)
{
    LOG_FKT("TFormMain::OnCdiExportDevice");
    if (!EventBeginn(result, nullptr))
        return;
    result = 1;
    if (!SetParamDeviceIdToEts(deviceId)) {
        ShowMessageBox(Spredit::Txt9096, Spredit::Txt9097, MB_ICONSTOP);
        result = 0;
        EventEnde(finished);
        return;
    }
    // A device that cannot be selected has written no file: that is no export.
    if (!SetDevice(deviceId, false) || AktDevInst == nullptr) {
        result = 0;
        EventEnde(finished);
        return;
    }
    const std::string datei =
        std::filesystem::path(AktDevInst->GetSicherungsPfad()).replace_extension("." + m_exportExt).string();
    // Links whose group address is gone are reported; the export goes on.
    if (!AktDevInst->UpdateGroupAddressFromId())
        result = 0;
    if (SaveToFile(datei)) {
        target.FileName = datei;
    } else {
        ShowMessageBox(Spredit::Txt9096 + " : " + "1", Spredit::Txt9097, MB_OK);
        result = 0;
    }
    EventEnde(finished);
}

void TFormMain::OnCdiImportDevice(bool& finished, int& result, int32_t, int32_t, int32_t deviceId)
{
    LOG_FKT("TFormMain::OnCdiImportDevice");
    m_lastDeletedDevice = -1;
    LogOeffnen();
    TimerTimeoutClose->stop();
    result = ImportDevice(deviceId) ? 1 : 0;
    EventEnde(finished);
}

void TFormMain::OnCdiCopyDevice(bool& finished, int& result, int32_t, int32_t, int32_t newDeviceId,
                                int32_t sourceDeviceId, bool flag)
{
    LOG_FKT("TFormMain::OnCdiCopyDevice");
    SetStatusOnCopyDevice(true);
    m_lastDeletedDevice = -1;
    TimerTimeoutClose->stop();
    LogOeffnen();
    result = CopyDevice(newDeviceId, sourceDeviceId, flag) ? 1 : 0;
    finished = true;
    TimerTimeoutCloseStart();
}

// ---- Import and copy ------------------------------------------------------------------------

TDeviceInstanzAz* TFormMain::WaehleInstanz(const DAL_DEVICE& record)
{
    const int32_t deviceId = record.DeviceId; // packed field: read by value
    TDeviceInstanzAz* instanz = nullptr;
    if (auto it = m_devices.find(deviceId); it != m_devices.end()) {
        if (it->second == nullptr)
            return nullptr;
        instanz = static_cast<TDeviceInstanzAz*>(it->second.get());
    } else {
        auto neu = std::make_unique<TDeviceInstanzAz>(*this, record, FormVerw);
        instanz = neu.get();
        if (!m_devices.emplace(deviceId, std::move(neu)).second)
            return nullptr;
    }
    AktDevInst = instanz;
    AktDevInst->SetFormVerw(FormVerw);
    return AktDevInst;
}

bool TFormMain::ImportDevice(int32_t deviceId)
{
    LOG_FKT("TFormMain::ImportDevice");
    if (m_ets == nullptr)
        return false;
    auto fehler = [this](const std::string& adresse) {
        ShowMessageBox(Spredit::Txt9100 + "\n" + adresse, Spredit::Txt9098, MB_ICONSTOP);
        return false;
    };
    auto record = std::make_unique<DAL_DEVICE>();
    // A device ETS cannot read has nothing to import into: a failure, not a success.
    if (m_ets->DalGetDeviceData(DAL_MODE_KEY, deviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                record.get()) != DAL_OK)
        return fehler("DeviceId = " + std::to_string(deviceId));
    TDeviceInstanzAz* instanz = WaehleInstanz(*record);
    if (instanz == nullptr)
        return false;
    const std::string adresse = instanz->GetPhysAdr(deviceId);

    TMeter meter(*m_ets, m_handle, kMeterImport, Spredit::Txt9098);
    int32_t altId = 0;
    if (!GetParamDeviceIdFromEts(deviceId, &altId))
        return fehler(adresse);
    auto info = std::make_unique<tagETSINFO>();
    // Without ETS's directory there is no place to look: "/<old id>.azp" would name a file at
    // the root, which a successful import would then delete.
    if (!m_ets->GetEtsInfo(*info) || DalText(info->Directory).empty())
        return fehler(adresse);
    const std::string ordner = DalText(info->Directory);
    const std::string name = std::to_string(altId) + "." + m_exportExt;
    const std::string erwartet = ordner + "/" + name;
    std::string datei = erwartet;
    std::error_code ec;
    const bool gefunden = std::filesystem::is_regular_file(erwartet, ec);
    if (!gefunden) {
        ShowMessageBox(Spredit::Txt9101 + "\nDeviceId = " + std::to_string(altId), Spredit::Txt9098, MB_OK);
        QFileDialog dialog(this);
        dialog.setObjectName(QStringLiteral("EtsImportDialog"));
        dialog.setWindowTitle(QString::fromStdString(Spredit::Txt9098));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QString::fromStdString(m_exportExt));
        dialog.setDirectory(QString::fromStdString(ordner));
        dialog.selectFile(QString::fromStdString(name));
        if (!(DateiDialogAusfuehren ? DateiDialogAusfuehren : DateiZugriff::DialogAusfuehren)(dialog))
            return fehler(adresse);
        datei = DateiZugriff::GewaehlteDatei(dialog);
    }
    std::string strom;
    std::string grund;
    if (datei.empty() || !DateiZugriff::Lesen(datei, strom, grund))
        return fehler(adresse);
    if (meter.Position(2))
        return fehler(adresse);
    {
        // Windows that show the device let go of its nodes while the import replaces them.
        TFensterNeuAufbau neu(*this, *instanz);
        // A file the gate refused has said why, and nothing was changed.
        if (!instanz->VireoCdiImport(strom, &meter.Dialog()))
            return instanz->GetKonfigAbgelehnt() ? false : fehler(adresse);
        instanz->AuswahlGrenzenSetzen();
    }
    strom.clear();
    // The exported file is the only copy of the configuration until ETS holds it.
    if (!instanz->WriteBlob())
        return fehler(adresse);
    if (!SetParamDeviceIdToEts(deviceId)) {
        ShowMessageBox(Spredit::Txt9102, Spredit::Txt9103, MB_ICONSTOP);
        return false;
    }
    // Only the file exported for the device goes; a file the user picked stays.
    if (gefunden)
        std::filesystem::remove(erwartet, ec);
    meter.Abschluss();
    return true;
}

bool TFormMain::CopyDevice(int32_t newDeviceId, int32_t sourceDeviceId, bool flag)
{
    LOG_FKT("TFormMain::CopyDevice");
    if (m_ets == nullptr)
        return false;
    auto fehler = [this] {
        ShowMessageBox(Spredit::Txt9102, Spredit::Txt9103, MB_ICONSTOP);
        return false;
    };
    TMeter meter(*m_ets, m_handle, kMeterKopie, Spredit::Txt9103);
    auto record = std::make_unique<DAL_DEVICE>();
    if (m_ets->DalGetDeviceData(DAL_MODE_KEY, newDeviceId, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY, DAL_NO_KEY,
                                record.get()) != DAL_OK) {
        *record = DAL_DEVICE{};
        record->DeviceId = newDeviceId;
    }
    TDeviceInstanzAz* instanz = WaehleInstanz(*record);
    if (instanz == nullptr)
        return false;
    if (meter.Position(5))
        return fehler();
    const uint8_t* puffer = nullptr;
    uint32_t laenge = 0;
    if (!m_ets->BlobRead(puffer, laenge, sourceDeviceId))
        return fehler();
    std::string strom(reinterpret_cast<const char*>(puffer), laenge);
    if (meter.Position(9))
        return fehler();
    // A source the editor never configured has no container: an empty one written for the
    // copy would keep it from ever getting its new structure.
    if (strom.empty()) {
        if (!SetParamDeviceIdToEts(newDeviceId))
            return fehler();
        meter.Abschluss();
        return true;
    }
    {
        TFensterNeuAufbau neu(*this, *instanz);
        if (!instanz->VireoCdiCopy(strom, flag, &meter.Dialog()))
            return instanz->GetKonfigAbgelehnt() ? false : fehler();
        instanz->AuswahlGrenzenSetzen();
    }
    strom.clear();
    if (!SetParamDeviceIdToEts(newDeviceId))
        return fehler();
    if (!instanz->WriteBlob())
        return fehler();
    meter.Abschluss();
    return true;
}

// ---- The "DeviceId" parameter ----------------------------------------------------------------

bool TFormMain::SetParamDeviceIdToEts(int32_t deviceId)
{
    LOG_FKT("TFormMain::SetParamDeviceIdToEts");
    DAL_DEVICE_PARAM parameter;
    if (m_ets == nullptr || !SucheDeviceIdParameter(*m_ets, deviceId, parameter)) {
        ShowMessageBox(Spredit::Txt9090 + "\n\n" + kParameterName, "SetDeviceParameter", MB_ICONSTOP);
        return false;
    }
    if (m_ets->CoSetDeviceParameterValueLong(parameter.DeviceParamId, deviceId, false, false) != 1) {
        ShowMessageBox(Spredit::Txt9091 + "\n\n" + kParameterName, "SetDeviceParameter", MB_ICONSTOP);
        return false;
    }
    return true;
}

bool TFormMain::GetParamDeviceIdFromEts(int32_t deviceId, int32_t* value)
{
    LOG_FKT("TFormMain::GetParamDeviceIdFromEts");
    DAL_DEVICE_PARAM parameter;
    if (m_ets == nullptr || !SucheDeviceIdParameter(*m_ets, deviceId, parameter)) {
        ShowMessageBox(Spredit::Txt9090 + "\n\n" + kParameterName, "GetDeviceParameter", MB_ICONSTOP);
        return false;
    }
    if (value != nullptr)
        *value = parameter.Value;
    return true;
}
