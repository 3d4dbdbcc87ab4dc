// The main window's message dispatcher: the window procedure of the handle every node holds.
// It is the one route of the nodes' messages: the record, registry and request messages go
// to the current device instance through DevInstMessage, the view messages to the project
// windows. Messages that need a current instance answer 0 without one ("inst" below).
#include "miraval/app/Main.h"

#include "miraval/devinst/DevInstAz.h"
#include "miraval/devinst/DevInstMessage.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/FProjektierung.h"
#include "dorlin/Dorlin.h"
#include "pellam/Basis.h"
#include "quillon/CursorHourGlass.h"
#include "quillon/ObjektBasis.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

constexpr UINT WM_CLOSE_ = 0x0010;
constexpr UINT WM_QUERYOPEN_ = 0x0013;

// Cell coordinates travel as message parameters; -1 means none.
int Zahl(std::uintptr_t wert)
{
    return static_cast<int>(static_cast<int32_t>(wert));
}

// Records change through these while an instance is current: the device's data changed.
bool AendertDaten(UINT msg)
{
    return msg == UM_GetDatenSatz || msg == UM_GetDatenSatzByHandle || msg == UM_DeleteNextDatenSatz;
}

// Request codes after which the instance's records are changed.
bool AendertDaten(const TUserDeviceRequest* request)
{
    if (request == nullptr)
        return false;
    switch (request->Code) {
    case 0:
    case 4:
    case 5:
    case 14:
    case 19:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT TFormMain::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The messages of the device instance: records, registry, requests, ETS access.
    bool instanzNachricht = false;
    const LRESULT antwort = DevInstMessage(AktDevInst, m_handle, msg, wParam, lParam, instanzNachricht);
    if (instanzNachricht) {
        if (AktDevInst != nullptr &&
            (AendertDaten(msg) ||
             (msg == UM_UserDeviceMessage && AendertDaten(reinterpret_cast<const TUserDeviceRequest*>(lParam)))))
            DM->DataChanged = true;
        return antwort;
    }

    auto* fenster = reinterpret_cast<TFormVerw*>(lParam);
    switch (msg) {
    case WM_CLOSE_:
        // Without a device there is nothing to check or return: the window only hides.
        if (AktDevInst == nullptr) {
            HideMainWindow();
            return 1;
        }
        if (AzCheckObjAlarmResetLinkToGrpAdr() && AzCheckObjektMeldertest() && AzCheckObjekteMelder() &&
            AzCheckObjekteScharfschaltEingang())
            ApplCloseOrHide(false, false);
        return 1;
    case WM_QUERYOPEN_:
        FuerAlleFormVerw([](TFormVerw* f) {
            if (f->HasMeldeFenster())
                f->ShowMeldeFenster(false);
        });
        return m_formVerwListe.empty() ? 0 : 1;
    case WM_USER + 100:
    case WM_USER + 104:
    case WM_USER + 116:
    case WM_USER + 117:
    case WM_USER + 118:
    case UM_AnsichtAktualisiert:
        return 0;
    case UM_AktualisiereAnsicht: {
        TCursorHourGlass sanduhr;
        FuerAlleFormVerw([&](TFormVerw* f) {
            if (f == FormVerw)
                f->AktualisiereAnsicht(nullptr, Zahl(wParam), Zahl(static_cast<std::uintptr_t>(lParam)));
            else
                f->AktualisiereAnsicht(nullptr, -1, -1);
        });
        return 0;
    }
    case UM_SetDataChanged:
        DM->DataChanged = true;
        return 0;
    case UM_TimeOutStart:
        TimeOutStart(Zahl(wParam), Zahl(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case UM_GridHook: {
        // The nodes' grid operation does nothing in every class: only the answer remains.
        TCursorHourGlass sanduhr;
        return lParam != 0 && FormVerw != nullptr ? 1 : 0;
    }
    case UM_LoadColor:
        FuerAlleFormVerw([](TFormVerw* f) {
            f->LoadColor(DM->ColorGridCommmon, DM->ColorGridCell, DM->ColorGridTitle, DM->ColorGridCellReadOnly,
                         DM->Gitternetzlinien);
        });
        raise();
        return 0;
    case UM_SetActiveCell:
        if (FormVerw == nullptr && !m_formVerwListe.empty())
            FormVerw = m_formVerwListe.front();
        if (FormVerw != nullptr && FormVerw->GetGrid().Visible) {
            TDrawGridSE& grid = FormVerw->GetGrid();
            grid.BeginUpdate();
            grid.ResizeAktivFeld();
            grid.ResizeAktivFeld();
            grid.EndUpdate();
            grid.SetActiveCell(Zahl(wParam), Zahl(static_cast<std::uintptr_t>(lParam)));
        }
        return 0;
    case UM_LoadSize:
        FuerAlleFormVerw([](TFormVerw* f) { f->LoadSize(DM->GridAutoSize, DM->GridColDefSize); });
        return 0;
    case UM_UpdateTreeNamesAndIcon: {
        TCursorHourGlass sanduhr;
        FuerAlleFormVerw([](TFormVerw* f) { f->UpdateTreeNamesAndIcon(); });
        FuerAlleFormVerw([](TFormVerw* f) {
            if (f == FormVerw)
                return;
            int spalte = -1;
            int zeile = -1;
            f->GetGrid().GetActiveCell(spalte, zeile);
            f->AktualisiereAnsicht(nullptr, spalte, zeile);
        });
        DM->GridFuellen = 0;
        return 0;
    }
    case UM_ProcessDeviceMessage: {
        if (AktDevInst == nullptr)
            return 0;
        const LRESULT ergebnis = AktDevInst->ProcessDeviceMessage(Zahl(wParam), Zahl(static_cast<std::uintptr_t>(lParam)));
        if (FormVerw != nullptr)
            FormVerw->UpdateTreeNamesAndIcon();
        return ergebnis;
    }
    case UM_LinkToSubGroup: {
        if (AktDevInst == nullptr)
            return 0;
        const bool ok = AktDevInst->LinkToSubGroup(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam), true);
        FuerAlleFormVerw([](TFormVerw* f) { f->AktualisiereAnsicht(nullptr, 0, 0); });
        return ok ? 1 : 0;
    }
    case UM_UnLinkFromSubGroup:
        if (AktDevInst == nullptr)
            return 0;
        return AktDevInst->UnLinkFromSubGroup(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)) ? 1 : 0;
    case UM_Abbrechen:
        if (lParam == 0)
            return 0;
        if (lParam == 3) {
            if (AktDevInst != nullptr)
                AktDevInst->SetMelderHinzufuegenAbbrechen();
            return 0;
        }
        m_progressCancelled = true;
        ::StopDlgProgress();
        return 0;
    case UM_GrpAdrSendendEin:
    case UM_GrpAdrSendendAus:
        // The sender puts the sub group into wParam and the device object into lParam.
        if (AktDevInst == nullptr)
            return 0;
        return AktDevInst->GrpAdrSendend(static_cast<int32_t>(lParam), static_cast<int32_t>(wParam),
                                         msg == UM_GrpAdrSendendEin)
                   ? 1
                   : 0;
    case UM_ObjektFlag: {
        if (AktDevInst == nullptr)
            return 0;
        auto* request = reinterpret_cast<TUserDeviceRequest*>(lParam);
        try {
            const bool ok = wParam == 0 ? AktDevInst->ChangeObjektFlag(request) : AktDevInst->CheckObjektFlag(request);
            return ok ? 1 : 0;
        } catch (const std::exception& e) {
            ShowMessageBox(Spredit::Txt9094 + "\n\n" + e.what(), Spredit::Txt9003, MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
    }
    case UM_OpenDlgGrpAdrToObject:
        if (AktDevInst == nullptr)
            return 0;
        return AktDevInst->OpenDlgGrpAdrToObject(reinterpret_cast<TObjektBasis*>(lParam)) ? 1 : 0;
    case UM_AddFormVerw:
        // Posted: the window may be gone by now; only a window still in the MDI area is listed.
        if (lParam != 0 && IstLebendesFormVerw(fenster)) {
            m_formVerwListe.push_back(fenster);
            std::sort(m_formVerwListe.begin(), m_formVerwListe.end());
            m_formVerwListe.erase(std::unique(m_formVerwListe.begin(), m_formVerwListe.end()), m_formVerwListe.end());
        }
        return 0;
    case UM_RemoveFormVerw:
        if (lParam == 0)
            return 0;
        m_formVerwListe.erase(std::remove(m_formVerwListe.begin(), m_formVerwListe.end(), fenster),
                              m_formVerwListe.end());
        if (FormVerw == fenster) {
            FormVerw = m_formVerwListe.empty() ? nullptr : m_formVerwListe.front();
            if (AktDevInst != nullptr)
                AktDevInst->SetFormVerw(FormVerw);
        }
        return 0;
    case UM_ActivateFormVerw:
        if (lParam != 0 && IstLebendesFormVerw(fenster)) {
            FormVerw = fenster;
            if (AktDevInst != nullptr)
                AktDevInst->SetFormVerw(fenster);
        }
        return 0;
    case UM_AbgleichFormVerw:
        AbgleichFormVerw(FormVerw);
        return 0;
    case UM_SetObjFktToData:
        if (AktDevInst == nullptr)
            return 0;
        return AktDevInst->SetObjFktToData(static_cast<int32_t>(wParam), static_cast<char>(lParam & 0xFF)) ? 1 : 0;
    case UM_EtsObjektCheck:
        if (AktDevInst != nullptr)
            AktDevInst->EtsObjektCheck();
        return 0;
    case UM_AktualisiereAndereAnsichten: {
        TCursorHourGlass sanduhr;
        FuerAlleFormVerw([](TFormVerw* f) {
            if (f != FormVerw)
                f->AktualisiereAnsicht(nullptr, -1, -1);
        });
        return 0;
    }
    case UM_AktualisiereKnoten:
        FuerAlleFormVerw([&](TFormVerw* f) {
            f->UpdateNodeImages(reinterpret_cast<TDataBasis*>(wParam));
            f->UpdateNodeImages(reinterpret_cast<TDataBasis*>(lParam));
        });
        return 0;
    case UM_IsGrpAdrAvailable:
        return IsGrpAdrAvailable() ? 1 : 0;
    default:
        // Default processing: UM_LinkToInternGroup, UM_MelderGridExitCell,
        // UM_DeleteZellenKomponente, UM_FocusControl and every message without a case.
        return 0;
    }
}

bool TFormMain::IstLebendesFormVerw(TFormVerw* fenster) const
{
    if (fenster == nullptr)
        return false;
    for (QMdiSubWindow* unter : m_mdiArea->subWindowList())
        if (dynamic_cast<TFormVerw*>(unter) == fenster)
            return true;
    return false;
}
