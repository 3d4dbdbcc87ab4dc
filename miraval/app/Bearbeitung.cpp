#include "miraval/app/Bearbeitung.h"

#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "tamsel/Tamsel.h"

#include <QScopedValueRollback>

void TBearbeitung::Beginnen(TDeviceInstanz& geraet, int32_t deviceId)
{
    LOG_FKT("TBearbeitung::Beginnen");
    m_geraet = &geraet;
    m_main.RecoveryCheck(true, deviceId);
    // A restored safety copy has written its device parameters itself.
    DM->DataChanged = false;
}

TDeviceInstanz* TBearbeitung::Geraet() const
{
    if (m_geraet == nullptr || !m_main.isVisible() || m_main.IsClosing() || !m_main.IstLebendeInstanz(m_geraet))
        return nullptr;
    return m_geraet;
}

TBearbeitung::TVorher TBearbeitung::VorEreignis() const
{
    return {Geraet(), DM->DataChanged};
}

void TBearbeitung::NachEreignis(const TVorher& vorher)
{
    TDeviceInstanz* jetzt = Geraet();
    if (jetzt == nullptr)
        DM->DataChanged = false;
    else if (jetzt == vorher.geraet)
        DM->DataChanged = DM->DataChanged || vorher.geaendert;
    AutoSaveFortsetzen();
}

void TBearbeitung::AutoSaveFortsetzen() const
{
    DM->StartTimerAutoSave(Offen());
}

void TBearbeitung::Beenden(int32_t deviceId, bool zurueckgegeben)
{
    LOG_FKT("TBearbeitung::Beenden");
    m_geraet = nullptr;
    DM->DataChanged = false;
    DM->StartTimerAutoSave(false);
    if (zurueckgegeben)
        m_main.RecoveryCheck(false, deviceId);
}

void TBearbeitung::Stoppen()
{
    LOG_FKT("TBearbeitung::Stoppen");
    TDeviceInstanz* geraet = Geraet();
    if (geraet == nullptr)
        return;
    {
        const QScopedValueRollback aktuell(m_main.AktDevInst, static_cast<TDeviceInstanzAz*>(geraet));
        // What the person is typing belongs to the edit: it is taken as leaving the cell
        // takes it, so that the copy holds what the cell shows.
        m_main.DeactivateActiveGridCell();
        m_main.SaveToFile("");
    }
    // Nobody returns: the edit ends with the program, its changes in the copy.
    Beenden(0, false);
}
