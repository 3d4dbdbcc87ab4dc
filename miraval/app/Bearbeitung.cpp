#include "miraval/app/Bearbeitung.h"

#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsEventChannel.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <QScopedValueRollback>

#include <memory>
#include <tuple>

void TBearbeitung::Beginnen(TDeviceInstanz& geraet, int32_t deviceId)
{
    LOG_FKT("TBearbeitung::Beginnen");
    // Taken before a safety copy is restored over it: what the restore brings back is the
    // edit's too.
    std::string basis;
    if (!geraet.CopyStrukturDatenAlsEts(nullptr, &basis))
        basis.clear();
    m_geraet = &geraet;
    m_basis = std::move(basis);
    m_main.RecoveryCheck(true, deviceId);
    // A restored safety copy has written its device parameters itself.
    DM->DataChanged = false;
}

const std::string* TBearbeitung::Basis(const TDeviceInstanz* geraet) const
{
    return geraet != nullptr && geraet == Geraet() && !m_basis.empty() ? &m_basis : nullptr;
}

TDeviceInstanz* TBearbeitung::Geraet() const
{
    if (m_geraet == nullptr || !m_main.isVisible() || m_main.IsClosing() || !m_main.IstLebendeInstanz(m_geraet))
        return nullptr;
    return m_geraet;
}

std::string TBearbeitung::Verweigert(int32_t deviceId) const
{
    const TDeviceInstanz* geraet = Geraet();
    if (geraet == nullptr || geraet->GetEtsDeviceId() == deviceId)
        return {};
    return "device " + std::to_string(geraet->GetEtsDeviceId()) + " is being edited";
}

std::string TBearbeitung::VerweigertZeile(const std::string& zeile) const
{
    std::string fehler;
    const auto ereignis = TEtsEventChannel::Parse(zeile, fehler);
    if (!ereignis || Geraet() == nullptr)
        return {};
    if (ereignis->Kind == TEtsEventKind::EditParameters)
        return Verweigert(ereignis->Values[0]);
    auto record = std::make_unique<DAL_DEVICE_OBJECT>();
    if (ereignis->Kind == TEtsEventKind::EditObject && m_main.GetEts() != nullptr &&
        m_main.GetEts()->DalGetDeviceObjectData(DAL_MODE_KEY, ereignis->Values[2], DAL_NO_KEY, record.get()) ==
            DAL_OK)
        return Verweigert(record->DeviceId);
    return {};
}

TBearbeitung::TVorher TBearbeitung::VorEreignis() const
{
    static_assert(std::tuple_size_v<decltype(TVorher::status)> == std::tuple_size_v<decltype(m_main.m_statusPanels)>);
    TVorher vorher{Geraet(), DM->DataChanged, m_main.windowTitle().toStdString(), GetAnwendungsTitel(), {}};
    for (std::size_t i = 0; i < vorher.status.size(); ++i)
        vorher.status[i] = m_main.GetStatusText(static_cast<int>(i));
    return vorher;
}

void TBearbeitung::NachEreignis(const TVorher& vorher)
{
    TDeviceInstanz* jetzt = Geraet();
    if (jetzt == nullptr)
        DM->DataChanged = false;
    else if (jetzt == vorher.geraet)
        DM->DataChanged = DM->DataChanged || vorher.geaendert;
    AutoSaveFortsetzen();
    if (jetzt == nullptr || jetzt != vorher.geraet || m_main.AktDevInst == jetzt)
        return;
    // The event selected another device: commands and dialogs act on the device being edited
    // again, the one its windows show, and the status bar counts its inputs again (a new
    // instance, or one loaded or copied into, shows its own count there).
    m_main.AktDevInst = static_cast<TDeviceInstanzAz*>(jetzt);
    jetzt->SetFormVerw(FormVerw);
    m_main.setWindowTitle(QString::fromStdString(vorher.titel));
    SetAnwendungsTitel(vorher.anwendung);
    for (std::size_t i = 0; i < vorher.status.size(); ++i)
        m_main.SetStatusText(static_cast<int>(i), vorher.status[i]);
}

void TBearbeitung::AutoSaveFortsetzen() const
{
    DM->StartTimerAutoSave(Offen());
}

void TBearbeitung::Beenden(int32_t deviceId, bool zurueckgegeben)
{
    LOG_FKT("TBearbeitung::Beenden");
    m_geraet = nullptr;
    m_basis.clear();
    DM->DataChanged = false;
    DM->StartTimerAutoSave(false);
    if (zurueckgegeben)
        m_main.RecoveryCheck(false, deviceId);
}

bool TBearbeitung::Sichern()
{
    LOG_FKT("TBearbeitung::Sichern");
    return Geraet() != nullptr && KopieSchreiben();
}

bool TBearbeitung::KopieSchreiben()
{
    const QScopedValueRollback aktuell(m_main.AktDevInst, static_cast<TDeviceInstanzAz*>(Geraet()));
    struct TUnbeaufsichtigt {
        TMessageBoxHook vorher = SetMessageBoxHook({});
        ~TUnbeaufsichtigt() { SetMessageBoxHook(std::move(vorher)); }
    } boxen;
    // What the person is typing belongs to the edit: it is taken as leaving the cell takes
    // it, so that the copy holds what the cell shows.
    m_main.DeactivateActiveGridCell();
    return m_main.SaveToFile("");
}

void TBearbeitung::Stoppen()
{
    LOG_FKT("TBearbeitung::Stoppen");
    if (Geraet() == nullptr)
        return;
    (void)KopieSchreiben();
    // Nobody returns: the edit ends with the program, its changes in the copy.
    Beenden(0, false);
}
