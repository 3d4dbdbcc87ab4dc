// Leaving an editing period: the close checks, writing the device back to ETS, the return to
// ETS, then closing the program or hiding it until the next ETS event; and the main window's
// two time-outs.
#include "miraval/app/Main.h"

#include "miraval/app/AbgelehnteMeldungen.h"
#include "miraval/app/RueckgabeGrund.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Fehlerbericht.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/FProjektierung.h"
#include "dorlin/Dorlin.h"
#include "kestrin/Ets2Cdi.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"
#include "win32/qt/QtPlatform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include <exception>

namespace {

constexpr UINT WM_CLOSE_ = 0x0010;

// A question whose "No" keeps the user in the editor.
bool Zurueck(HWND owner, const std::string& text, const std::string& caption)
{
    return MessageBox(owner, text, caption, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

// A failed return's box keeps the editor's fixed first line and caption ("Close"), then tells
// the person in German what happened; the store's own reason follows.
const std::string kRueckgabeSatz = "\nDie Daten konnten nicht an die ETS zurückgegeben werden.";
const std::string kRueckgabeFehler = "Error return to ETS" + kRueckgabeSatz;
const std::string kRueckgabeFehlgeschlagen = "return fehlgeschlagen" + kRueckgabeSatz;
// ... on the way to hiding, where the device stays on the recovery list with its safety copy.
const std::string kRueckgabeGesichert = kRueckgabeFehlgeschlagen +
                                        "\nDie Änderungen bleiben in der Sicherungskopie erhalten und werden beim "
                                        "nächsten Bearbeiten des Geräts angeboten.";

} // namespace

bool TFormMain::AzCheckObjAlarmResetLinkToGrpAdr()
{
    LOG_FKT("TFormMain::AzCheckObjAlarmResetLinkToGrpAdr");
    if (AktDevInst == nullptr || AktDevInst->CheckObjektAlarmReset())
        return true;
    return Zurueck(m_handle, SprAz::Txt10284, SprAz::Txt10285);
}

bool TFormMain::AzCheckObjektMeldertest()
{
    LOG_FKT("TFormMain::AzCheckObjektMeldertest");
    return AktDevInst == nullptr || AktDevInst->CheckObjektMeldertest();
}

bool TFormMain::AzCheckObjekteMelder()
{
    LOG_FKT("TFormMain::AzCheckObjekteMelder");
    return AktDevInst == nullptr || AktDevInst->CheckObjekteMelder();
}

bool TFormMain::AzCheckObjekteScharfschaltEingang()
{
    LOG_FKT("TFormMain::AzCheckObjekteScharfschaltEingang");
    if (AktDevInst == nullptr || AktDevInst->CheckObjekteScharfschaltEingang())
        return true;
    const std::string text = SprAz::Txt10361 + "\n\r" + SprAz::Txt10363 + "\n\r" + SprAz::Txt10364 + "\n\r" + "\n\r" +
                             SprAz::Txt10360;
    return Zurueck(m_handle, text, SprAz::Txt10362);
}

void TFormMain::ApplCloseOrHide(bool close, bool discard)
{
    LOG_FKT("TFormMain::ApplCloseOrHide");
    TCursorHourGlass sanduhr;
    // The id under which the device was opened; the safety-copy bookkeeping is keyed by it.
    const int32_t deviceId = AktDevInst != nullptr ? AktDevInst->GetEtsDeviceId() : 0;
    m_progressCancelled = false;
    ::StartDlgProgress(m_handle, Spredit::Txt9181, Spredit::Txt9081, 0, 9);
    // A device whose configuration ETS did not take, or whose leave broke off, stays on the
    // list of devices not closed properly, so that its safety copy is offered next time.
    bool gespeichert = false;
    // What happens on every way out. Each part runs even when one before it throws; the first
    // exception goes on to the caller afterwards.
    auto immer = [this, deviceId, &gespeichert] {
        std::exception_ptr fehler;
        auto teil = [&fehler](auto&& schritt) {
            try {
                schritt();
            } catch (...) {
                if (!fehler)
                    fehler = std::current_exception();
            }
        };
        teil([this, deviceId, &gespeichert] { m_bearbeitung.Beenden(deviceId, gespeichert); });
        teil([] { ::StopDlgProgress(); });
        teil([this] { TimerTimeoutCloseStart(); });
        teil([] { CloseLogFkt(); });
        if (fehler)
            std::rethrow_exception(fehler);
    };
    try {
        gespeichert = ApplCloseOrHideSchritte(close, discard);
    } catch (...) {
        // The step's exception is the one the application reports: one from the always-step
        // must neither replace it nor end the program while it is on its way.
        try {
            immer();
        } catch (...) {
        }
        throw;
    }
    immer();
}

bool TFormMain::ApplCloseOrHideSchritte(bool close, bool discard)
{
    LOG_FKT("TFormMain::ApplCloseOrHideSchritte");
    // A store that refused the period's writes fails the return: its box names the cause once.
    const TAbgelehnteMeldungen meldungen(m_ets.get());
    bool gespeichert = true;
    if (FormVerw != nullptr && FormVerw->GridHasFocus())
        SendMessage(FormVerw->Handle(), UM_DeleteZellenKomponente, 0, 0);
    ::SetDlgProgress();
    if (DM->DataChanged) {
        ::SetDlgProgress();
        if (AktDevInst != nullptr)
            AktDevInst->WriteDataToDb();
    }
    m_savedWindowState = windowState();
    if (FormVerw != nullptr) {
        FormVerw->SetResizeHandler(false);
        FormVerw->HideMeldeFenster();
        FormVerw->SetRegData();
    }
    ::SetDlgProgress();

    if (close) {
        if (!ReturnToEtsOderMelden(discard ? 0 : 1, kRueckgabeFehler))
            gespeichert = discard;
        Close();
        ::SetDlgProgressSchritte(5);
        SaveToFile("");
        AktDevInst = nullptr;
    } else {
        if (AktDevInst != nullptr)
            gespeichert = AktDevInst->WriteBlob();
        ::SetDlgProgress();
        SaveToFile("");
        ::SetDlgProgress();
        // ETS takes the device's data before the windows let it go, so that a box saying the
        // return failed stands over the device as the person left it. When ETS did not take
        // it and kept nothing of the period, the device stays on the recovery list, and its
        // safety copy, written above, holds the edit.
        if (!ReturnToEtsOderMelden(1, kRueckgabeGesichert))
            gespeichert = false;
        ::SetDlgProgress();
        FuerAlleFormVerw([](TFormVerw* f) {
            f->GetGrid().Clear();
            f->DeleteTreeViewNodes();
        });
        ::SetDlgProgress();
        if (AktDevInst != nullptr) {
            // The id is read before the instance goes: the map entry is found by it.
            const int32_t id = AktDevInst->GetEtsDeviceId();
            TDeviceInstanz* weg = AktDevInst;
            FuerAlleFormVerw([weg](TFormVerw* f) {
                if (f->GetDeviceInstanz() == weg)
                    f->SetDeviceInstanz(nullptr);
            });
            AktDevInst = nullptr;
            m_devices.erase(id);
        }
        ::SetDlgProgress();
        SetRegData();
        ::SetDlgProgress();
    }
    if (DM->Restart)
        Close();
    else
        HideMainWindow();
    return gespeichert;
}

void TFormMain::Close()
{
    LOG_FKT("TFormMain::Close");
    // The program ends once the current handler has returned to the message loop.
    m_closing = true;
    hide();
    BeendeAnwendung();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // The window's close button: the close checks decide; the window only ever hides here.
    event->ignore();
    SendMessage(m_handle, WM_CLOSE_, 0, 0);
}

void TFormMain::TimeOutStart(int code, int interval)
{
    LOG_FKT("TFormMain::TimeOutStart");
    m_timeOutCode = code;
    // Nothing arms a timer for the code: the interval only has its default.
    (void)(interval <= 0 ? m_defaultTimeOut : interval);
}

void TFormMain::TimeOutStop()
{
    LOG_FKT("TFormMain::TimeOutStop");
}

void TFormMain::TimerTimeoutTimer()
{
    LOG_FKT("TFormMain::TimerTimeoutTimer");
    if (m_timeOutCode == 2100)
        ShowMessageBox("Fehler beim Blob-Write", Spredit::Txt9003, MB_OK);
    else if (m_timeOutCode == 2101)
        ShowMessageBox("Fehler beim Blob-Read", Spredit::Txt9003, MB_OK);
}

void TFormMain::TimerTimeoutCloseStart()
{
    // No tick handler is bound: the hidden editor stays until ETS stops it.
    TimerTimeoutClose->setInterval(m_closeTimeOutInterval);
    TimerTimeoutClose->start();
}

void TFormMain::TimerTimeoutCloseTimer()
{
    LOG_FKT("TFormMain::TimerTimeoutCloseTimer");
    if (!isVisible())
        Close();
}

void TFormMain::OffenesGeraetGeloescht(int32_t deviceId)
{
    LOG_FKT("TFormMain::OffenesGeraetGeloescht");
    // Ended as a return ETS took: the device leaves the recovery list.
    m_bearbeitung.Beenden(deviceId, true);
    if (FormVerw != nullptr) {
        FormVerw->SetResizeHandler(false);
        FormVerw->HideMeldeFenster();
    }
    m_savedWindowState = windowState();
    SetRegData();
    HideMainWindow();
    // ETS waits for the return of the period it opened; the device itself is gone.
    ReturnToEtsOderMelden(1, kRueckgabeFehlgeschlagen);
}

bool TFormMain::ReturnToEtsOderMelden(int keep, const std::string& text)
{
    if (m_ets != nullptr && m_ets->ReturnToEts(keep))
        return true;
    // The box names the reason when ETS gave one. It stands alone over windows drawn as they
    // are now: the progress window of the leave closes first.
    ::StopDlgProgress();
    ProcessPendingPaints();
    const bool grund = m_ets != nullptr && !m_ets->LastError().empty();
    ShowMessageBox(grund ? text + "\n" + RueckgabeGrund(m_ets->LastStoreFault(), m_ets->LastError()) : text, "Close",
                   MB_OK);
    return false;
}
