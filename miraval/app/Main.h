#pragma once
// TFormMain: the editor's main window. ETS starts the program as the plug-in editor of one
// device type; the main window stays alive, hidden, for as long as ETS keeps the program,
// shows itself while ETS has a device edited and hides again on the return to ETS.
//
// It owns the ETS device interface and one device instance per ETS device opened in this
// run, keeps the list of open project windows (MDI sub-windows) and the current one, answers
// the ETS events, and is the window the configuration nodes send their messages to: its
// window handle's procedure is Dispatch. It is also the editor around each device instance
// (TEditorHost) and the holder of the project windows (TFensterHost).
//
// Units:
//   Main.cpp          start-up and destruction, settings, texts, Tools menu, small services,
//                     the data module's commands
//   main_kom.cpp      ETS events, device selection and creation, menu commands of the device
//   Bearbeitung.cpp   the edit of a device (TBearbeitung), from its opening to its end
//   MainDispatch.cpp  the window-message dispatcher
//   MainClose.cpp     leaving: close checks, return to ETS, time-outs
//   MainDruck.cpp     printing and print preview of the configuration
//   MainSicherung.cpp safety copy and recovery, template export and import
//   MainGeraet.cpp    ETS's export, import and copy of a device, the "DeviceId" parameter
//   MainClipboard.cpp copy and paste of configuration data through the system clipboard
//   MainGrpAdr.cpp    the group-address selection and link dialogs of an object
//
// Main thread only. No exception leaves a slot, timer callback or the window procedure: what
// escapes goes to ApplicationEventsException, which shows it and ends the program.

#include "miraval/app/Bearbeitung.h"
#include "miraval/devinst/EditorHost.h"
#include "miraval/ui/FensterHost.h"
#include "kestrin/Dal.h"
#include "kestrin/Ets2Cdi.h"
#include "ovando/VireoReport.h"

#include <QMainWindow>
#include <QPointer>

#include <algorithm>
#include <array>
#include <list>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class TDeviceInstanz;
class TDeviceInstanzAz;
class TEts2Cdi;
struct TEtsExportTarget;
class TFormVerw;

class TFormMain : public QMainWindow, public TEditorHost, public TFensterHost {
public:
    // deviceType: the first command-line argument, empty when there was none (FormCreate then
    // asks for it). Runs FormCreate.
    explicit TFormMain(std::string deviceType);
    // FormDestroy.
    ~TFormMain() override;
    TFormMain(const TFormMain&) = delete;
    TFormMain& operator=(const TFormMain&) = delete;

    // ---- Start-up, settings, services ------------------------------------------------------------
    void GetRegData();
    void SetRegData();
    // The ETS settings read at every device selection: where ETS's settings file is and how
    // many group-address levels the project uses (into the data module).
    void GetEtsRegData();
    void LadeTexte();
    void ShowMainWindow();
    void HideMainWindow();
    void Timer1Timer();
    void ClickMenuTool(QAction* sender);
    // An exception that reached the event loop: shown with the standard box, then the
    // program ends.
    static void ApplicationEventsException(const std::string& what);
    // "Zurück zur Ets": the four checks in order, each must answer true (each has told the user
    // what is missing when it answers false), then the return.
    void ABeendenExecute();
    void ApplicationEventsMinimize();
    void ApplicationEventsRestore();
    void ApplicationEventsActivate();
    void ApplicationEventsDeactivate();
    void FormActivate();
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
    void DisplayLastError(const std::string& caption);
    void CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub) override;

    const std::string& GetDeviceType() const { return m_deviceType; }
    TEts2Cdi* GetEts() const override { return m_ets.get(); }
    HWND GetHandle() const override { return m_handle; }
    TDeviceInstanzAz* GetAktDevInst() const { return AktDevInst; }
    const std::map<int32_t, std::unique_ptr<TDeviceInstanz>>& GetDevices() const { return m_devices; }
    const std::vector<TFormVerw*>& GetFormVerwListe() const { return m_formVerwListe; }
    // Calls f for every listed project window, over a copy of the list (the calls must not
    // change the list; a window that leaves it meanwhile is skipped).
    template <class F> void FuerAlleFormVerw(F f)
    {
        const std::vector<TFormVerw*> kopie = m_formVerwListe;
        for (TFormVerw* fenster : kopie)
            if (std::find(m_formVerwListe.begin(), m_formVerwListe.end(), fenster) != m_formVerwListe.end())
                f(fenster);
    }
    // True once the program was told to end (Close).
    bool IsClosing() const { return m_closing; }
    // True until the start-up timer has hidden the window (the message loop has not run yet).
    bool IsStartupPending() const;
    // The status-bar panel's text (0-4).
    std::string GetStatusText(int panel) const;
    QMenu* GetMenuTool() const { return MTool; }
    // The MDI area the project windows live in.
    QMdiArea* GetMdiArea() const override { return m_mdiArea; }
    QMenu* GetMenuProjektierung() const { return MProjektierung; }
    QMenu* GetMenuFenster() const { return MFenster; }

    // ---- ETS events ------------------------------------------------------------------------------
    void OnCdiEditParameters(bool& finished, int& result, int32_t deviceId);
    void OnCdiCreateDevice(bool& finished, int& result, int kind, int32_t deviceId, const std::string& text);
    void OnCdiDeleteDevice(bool& finished, int& result, int32_t value, int32_t deviceId);
    void OnWmUserSvStop();
    void OnCdiDoDownload2(bool& finished, int& result, int32_t value1, int32_t value2, int32_t deviceId,
                          int32_t value4, int32_t value5, int32_t value6, int32_t value7, int32_t value8,
                          uint16_t flags);
    void OnCdiLinkObjToSubGroup(bool& finished, int& result, int32_t value1, int32_t value2, int32_t deviceId,
                                uint16_t objectNumber, int32_t subGroupId);
    void OnCdiUnlinkObjFromSubGroup(bool& finished, int& result, int32_t value1, int32_t value2,
                                    int32_t deviceId, uint16_t objectNumber, int32_t subGroupId);
    void OnCdiEditObject(bool& finished, int& result, int32_t value1, int32_t value2, int32_t deviceObjectId);
    void OnCdiExportDevice(bool& finished, int& result, int32_t value1, int32_t value2, int32_t deviceId,
                           TEtsExportTarget& target);
    void OnCdiImportDevice(bool& finished, int& result, int32_t value1, int32_t value2, int32_t deviceId);
    void OnCdiCopyDevice(bool& finished, int& result, int32_t value1, int32_t value2, int32_t newDeviceId,
                         int32_t sourceDeviceId, bool flag);

    // ---- Device selection -------------------------------------------------------------------------
    // SetDevice leaves the device being edited as it is (no reload: its nodes are the windows'
    // and hold what the person has not yet returned to ETS); any other device is loaded anew,
    // and windows that showed its nodes are emptied before and filled again after.
    bool SetDevice(int32_t deviceId, bool createWindow);
    bool CreateDevice(const DAL_DEVICE& record);
    bool DeleteDevice(const DAL_DEVICE& record);
    bool OpenVireoVisible(int32_t deviceId);
    // The device being edited (TBearbeitung::Geraet): the one the last EditParameters or
    // EditObject brought up, while the main window is up and its instance lives; null
    // otherwise. An ETS event for another device leaves it current and its windows unchanged.
    TDeviceInstanzAz* OffenesGeraet() const;
    const TBearbeitung& GetBearbeitung() const { return m_bearbeitung; }
    TBearbeitung& GetBearbeitung() { return m_bearbeitung; }
    bool IsGeraetOffen() const { return OffenesGeraet() != nullptr; }
    // Whether the instance is still in the device map (not yet deleted or left).
    bool IstLebendeInstanz(const TDeviceInstanz* instanz) const;
    // Whether the current device's last read of a configuration was refused by its check,
    // which has said why in its one box: the caller shows no box of its own on top.
    bool KonfigAbgelehnt() const;
    // How often the project windows were rebuilt from an instance (FormVerwNeuAufbauen).
    int GetNeuAufbauten() const { return m_neuAufbauten; }
    bool ImportDevice(int32_t deviceId);
    bool CopyDevice(int32_t newDeviceId, int32_t sourceDeviceId, bool flag);
    bool EtsVersionCheck();
    bool SetParamDeviceIdToEts(int32_t deviceId);
    bool GetParamDeviceIdFromEts(int32_t deviceId, int32_t* value);
    // The editor's own compile and download steps: nothing to do, false.
    bool Compiler(int32_t value2, int32_t deviceId, int32_t value4);
    bool Download(int32_t value2, int32_t deviceId, int32_t value4, int32_t value5, int32_t value6,
                  int32_t value7, int32_t value8, uint16_t flags);

    // ---- Menu commands --------------------------------------------------------------------------------
    // Each needs a current device instance; without one it does nothing and answers false.
    bool EreignisspeicherAuslesen();
    bool DownloadAzHwDateTime();
    bool MelderHinzufuegen();
    bool MelderLoeschen();
    void MProjektierungClick();
    void LinkToGrpAdr();
    bool IsGrpAdrAvailable();
    TDataBasis* GetGrpAdrOrdner() const override;
    TDataBasis* GetSelTreeData() const override;
    TFormVerw* GetActiveFormVerv() const override;
    bool MakeNode(TDataBasis* parent, TDataBasis* child) override;
    void DeactivateActiveGridCell();
    void SetStatusOnCopyDevice(bool on);
    bool GetStatusOnCopyDevice() const override;
    bool IsDataToWrite() const { return true; }

    // Commands of the data module's actions.
    void ResetAktDevInst();
    void TreeCollapseAll();
    void TreeExpandAll();
    void TreeExpand();
    void TreeCollapse();
    void StartQuickHelp();
    void CreateFormVerw();
    void AbgleichFormVerw(TFormVerw* fenster);
    void Cascade();
    void TileVertical();
    void TileHorizontal();
    void ArrangeIcons();
    // Printing (MainDruck.cpp): the configuration of the current device as the current project
    // window's tree shows it, with each node's property rows; printed after the print dialog,
    // or previewed. Nothing without a current device instance and project window. The report
    // is kept until the next print or the end of the window.
    void Drucken();
    void SeitenVorschau();
    void MakeDrucken(TRecReportInfo info, const std::string& text);
    TVireoReport* GetReport() const { return m_report.get(); }
    // Templates (MainSicherung.cpp): Export writes the current device's container to a file
    // the user picks; Import asks, lets the user pick a file and imports it (DatenImport).
    void Import();
    void Export();
    // Replaces the current device's configuration by the container in the file (without its
    // links to group addresses), refreshes the windows and writes the device parameters;
    // the import's result. False, with nothing changed, when the file cannot be read.
    bool DatenImport(const std::string& datei);
    // Safety copy and recovery (MainSicherung.cpp). SaveToFile writes the current device's
    // container atomically to datei (empty: the instance's safety-copy path), making the
    // missing folders; true without a current instance; false, after a message, when it
    // could not be written (the file that was there stays). RestoreSaveCopy asks and loads
    // the safety copy into the current device. RecoveryCheck keeps the INI list of devices
    // opened and not closed and, when opening, offers the restore for a device on it.
    void RestoreSaveCopy();
    bool SaveToFile(const std::string& datei);
    void RecoveryCheck(bool oeffnen, int32_t deviceId);
    // The open project store's identity (empty without one): it names the folder of the
    // store's safety copies and prefixes its entries on the recovery list.
    std::string ProjektKennung() const;
    // Runs a prepared file dialog: true when a file was chosen. Empty (the default):
    // DateiZugriff::DialogAusfuehren, modally, or cancelled where there is no display.
    std::function<bool(QFileDialog&)> DateiDialogAusfuehren;
    void Kopieren();
    void Einfuegen();

    // ---- Window messages -------------------------------------------------------------------------------
    // The window procedure of the main window's handle.
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- Leaving ---------------------------------------------------------------------------------------
    // An exception of a step reaches the caller after the always-step (auto-save timer,
    // progress dialog, close time-out, recovery list, trace log) has run; so does one of the
    // always-step itself when no other is on its way.
    void ApplCloseOrHide(bool close, bool discard);
    bool AzCheckObjAlarmResetLinkToGrpAdr();
    bool AzCheckObjektMeldertest();
    bool AzCheckObjekteMelder();
    bool AzCheckObjekteScharfschaltEingang();
    // Ends the program once the current handler has returned (no checks, no return to ETS).
    void Close();
    void TimeOutStart(int code, int interval);
    void TimeOutStop();
    void TimerTimeoutTimer();
    void TimerTimeoutCloseStart();
    void TimerTimeoutCloseTimer();
    int GetTimeOutCode() const { return m_timeOutCode; }
    QTimer* GetTimerTimeoutClose() const { return TimerTimeoutClose; }

    // ---- TEditorHost -----------------------------------------------------------------------------------
    std::string GetIniFile() const override;
    std::string GetProgrammOrdner() const override;
    std::string GetSicherungsPfad(int32_t deviceId) const override;
    int GetGrpAdrLevel() const override;
    void SetStatusText(int panel, const std::string& text) override;
    void UpdateObjektAnzahl(int anzahl, int maximum) override;
    void ShowDetailMessageBox(const std::string& text, const std::string& anwendung, const std::string& details,
                              const std::string& unit, int zeile, const std::string& funktion,
                              UINT icon) override;
    void StartDlgProgress(const std::string& titel, const std::string& text, int minimum, int maximum,
                          int schritt) override;
    void SetDlgProgress(int position, const std::string& text) override;
    void StopDlgProgress() override;
    void StartDlgProgressAbbrechbar(const std::string& titel, const std::string& text, int minimum, int maximum,
                                    LPARAM abbruchArt) override;
    // Runs the pending events once; the ETS event channel's input waits.
    void ProcessMessages() override;
    void FormVerwNeuAufbauen(TDeviceInstanz& instanz) override;
    bool AddChildNode2Data(TFormVerw* fenster, TDataBasis* parent, TDataBasis* child, bool zeigen) override;
    void DeleteNode(TFormVerw* fenster, TDataBasis* node) override;
    void UpdateTreeNamesAndIcon(TFormVerw* fenster) override;
    void BeginTreeUpdate(TFormVerw* fenster) override;
    void EndTreeUpdate(TFormVerw* fenster) override;
    int DlgDefinitionAlarmzentrale(uint32_t& variante, const std::string& hilfeDatei) override;
    int DlgAnzeige(const std::string& caption, const std::string& text, int32_t& maske,
                   uint32_t variante) override;
    int DlgSelPhysAdrSe(TPhysAdrEintrag& auswahl, const std::list<TPhysAdrEintrag>& geraete,
                        const std::list<int32_t>& benutzt) override;
    int DlgMelderHinzufuegen(const std::string& caption, int32_t& anzahl, int32_t maximum) override;
    void ShowDlgInfoEreignisspeicher() override;
    void CloseDlgInfoEreignisspeicher() override;
    int DlgEreignisspeicher(const TStringList& ereignisse, const std::string& kopf1, const std::string& kopf2,
                            const std::string& pcZeit, const std::string& geraetZeit) override;
    int DlgSelGrpAddr(TObjektBasis& objekt, std::vector<TObjektBasis::RecGrpAdrId>& links,
                      const std::map<int32_t, TVireoGrpAdrSub*>& auswahl, int grenze) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    // Gives the window handle back and stops being the main window.
    void HandleFreigeben();
    void Kacheln(bool nebeneinander);
    void BaueMenues();
    // Connects the data module's actions and its auto-save tick to the operations here.
    void VerbindeAktionen();
    // The window menu's list of the open project windows (after its own entries): one entry
    // per window with its caption, the active one checked; choosing one activates it.
    void FensterListe();
    void BindeEtsEvents();
    // ApplCloseOrHide's steps up to hiding or closing; false when the configuration could
    // not be stored in ETS.
    bool ApplCloseOrHideSchritte(bool close, bool discard);
    // The frame's closing steps of a finished event: finished, trace log closed, close
    // time-out restarted (what the event leaves of an edit, TBearbeitung::NachEreignis says).
    void EventEnde(bool& finished);
    // The frame's first steps: the last deleted device forgotten, the ETS version checked
    // (false, with result 0 and finished set when given, ends the handler), the trace log
    // opened, the close time-out stopped.
    bool EventBeginn(int& result, bool* finished);
    // Opens the trace log for an ETS event when the settings ask for it.
    void LogOeffnen();
    // True for a window that shows the device being edited while an ETS event for another
    // device runs: the current instance must not change or read that window's tree.
    bool FremdesFenster(const TFormVerw* fenster) const;
    // Runs an ETS handler; what it leaves of the edit follows from the edit (TBearbeitung:
    // the device being edited current again afterwards, whatever device the event selected).
    template <class F> void EtsHandler(F&& handler);
    // ETS's store refused an event (TEts2Cdi::OnEventFailed): every instance but the device
    // being edited is forgotten (the next event reads it from ETS) and one box names the cause.
    void EreignisAbgelehnt(const std::string& event, TEts2Cdi::TStoreFault fehler, const std::string& grund);
    // ETS deleted the device being edited: nothing is left to show, the editor hides as on the
    // return to ETS and returns, keeping what the period wrote for other devices.
    void OffenesGeraetGeloescht(int32_t deviceId);
    // Returns to ETS (keep 1, discard 0); a failed return is shown in a box with text and
    // ETS's reason. True when ETS took the return.
    bool ReturnToEtsOderMelden(int keep, const std::string& text);
    // A project window that still exists (posted messages may name one that is gone).
    bool IstLebendesFormVerw(TFormVerw* fenster) const;
    // The instance of the ETS device, as SetDevice selects or creates it (no window work):
    // made current. Null, nothing current changed, for a null entry or a refused insertion.
    TDeviceInstanzAz* WaehleInstanz(const DAL_DEVICE& record);
    // A new project window, current and listed; made visible when zeigen.
    TFormVerw* NeuesFormVerw(bool zeigen);

    // Fields, in the order the window keeps them.
    std::array<uint16_t, 4> m_minEtsVersion{1, 2, 0, 101};
    int m_defaultTimeOut = 10000;
    int m_timeOutCode = 0;
    int m_closeTimeOutInterval = 1800000;
    int32_t m_lastDeletedDevice = -1;
    std::map<int32_t, std::unique_ptr<TDeviceInstanz>> m_devices;
    TDeviceInstanzAz* AktDevInst = nullptr;
    Qt::WindowStates m_savedWindowState = Qt::WindowNoState;
    std::string m_deviceType;
    std::string m_exportExt = "azp";
    bool m_progressCancelled = false;
    std::vector<TFormVerw*> m_formVerwListe; // sorted by address, no duplicates
    std::unique_ptr<TEts2Cdi> m_ets;
    HWND m_handle = nullptr;
    bool m_closing = false;
    bool m_melderLauf = false; // a run of adding detectors holds the editor
    TBearbeitung m_bearbeitung{*this};
    int m_neuAufbauten = 0;

    // Components.
    QMdiArea* m_mdiArea = nullptr;
    QMenu* MDatei = nullptr;
    QMenu* MProjektierung = nullptr;
    QMenu* MEinstellung = nullptr;
    QMenu* MTool = nullptr;
    QMenu* MFenster = nullptr;
    QMenu* MHilfe = nullptr;
    QAction* MAbout = nullptr;
    QAction* MSprache1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    std::array<QLabel*, 5> m_statusPanels{};
    QTimer* TimerOpenPreview = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* TimerTimeoutClose = nullptr;
    std::unique_ptr<TVireoReport> m_report;       // the last print's report
    QPointer<QWidget> m_infoEreignisspeicher;      // the notice while the event memory is read

    friend class TBearbeitung;
    friend class TFormMainTestZugang;
};

// The caption of the standard exception box: the device name once one was selected.
void SetAnwendungsTitel(const std::string& titel);
const std::string& GetAnwendungsTitel();

extern TFormMain* FormMain;
// The current project window (null when none is open); kept by the main window's dispatcher.
extern TFormVerw* FormVerw;
