#include "miraval/app/Main.h"

#include "miraval/app/BaumSperre.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/EtsRegData.h"
#include "miraval/dienste/Fehlerbericht.h"
#include "miraval/dienste/FensterZustand.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/DlgAnzeige.h"
#include "miraval/ui/DlgAzEreignisspeicher.h"
#include "miraval/ui/DlgDefinitionAlarmzentrale.h"
#include "miraval/ui/DlgInfoEreignisspeicher.h"
#include "miraval/ui/DlgMelderHinzufuegen.h"
#include "miraval/ui/DlgOptionen.h"
#include "miraval/ui/DlgSelPhysAdrSe.h"
#include "miraval/ui/FProjektierung.h"
#include "miraval/ui/Geschuetzt.h"
#include "quillon/CursorHourGlass.h"
#include "cindral/Cindral.h"
#include "dorlin/Dorlin.h"
#include "kestrin/Ets2Cdi.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

TFormMain* FormMain = nullptr;
TFormVerw* FormVerw = nullptr;

namespace {

// The application's title: the standard exception box's caption; the device name once a
// device was selected.
std::string g_anwendungsTitel = "Miraval";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Runs an action's or the auto-save timer's operation: nothing while the main window does not
// exist, and no exception reaches the event loop (it is shown and the program ends).
template <class F>
void Sicher(F&& f)
{
    if (FormMain)
        Geschuetzt([&f] { f(*FormMain); });
}

} // namespace

void SetAnwendungsTitel(const std::string& titel)
{
    g_anwendungsTitel = titel;
}

const std::string& GetAnwendungsTitel()
{
    return g_anwendungsTitel;
}

TFormMain::TFormMain(std::string deviceType)
    : m_deviceType(std::move(deviceType))
{
    LOG_FKT("TFormMain::TFormMain");
    FormMain = this;
    SetFehlerMelder(&TFormMain::ApplicationEventsException);
    setObjectName("FormMain");
    m_handle = CreateWindowHandle([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        try {
            return Dispatch(msg, wParam, lParam);
        } catch (const std::exception& e) {
            ApplicationEventsException(e.what());
        } catch (...) {
            ApplicationEventsException("");
        }
        return 0;
    });
    SetWindowWidget(m_handle, this);

    resize(462, 379);
    m_mdiArea = new QMdiArea(this);
    setCentralWidget(m_mdiArea);
    BaueMenues();
    VerbindeAktionen();

    TimerOpenPreview = new QTimer(this);
    TimerOpenPreview->setInterval(1);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    TimerTimeoutClose = new QTimer(this);
    TimerTimeoutClose->setInterval(m_closeTimeOutInterval);
    qApp->installEventFilter(this);

    try {
        FormCreate();
    } catch (...) {
        // A main window that was never made must not stay reachable: the exception box asks
        // FormMain for its owner, and the handle's procedure points here.
        qApp->removeEventFilter(this);
        HandleFreigeben();
        throw;
    }
}

TFormMain::~TFormMain()
{
    LOG_FKT("TFormMain::~TFormMain");
    qApp->removeEventFilter(this);
    FormDestroy();
    HandleFreigeben();
}

void TFormMain::HandleFreigeben()
{
    SetWindowWidget(m_handle, nullptr);
    DestroyWindow(m_handle);
    if (FormMain == this)
        FormMain = nullptr;
}

void TFormMain::BaueMenues()
{
    LOG_FKT("TFormMain::BaueMenues");
    QMenuBar* leiste = menuBar();
    MDatei = leiste->addMenu(QString());
    MDatei->addAction(DM->APrint);
    MDatei->addAction(DM->APrintPreview);
    MDatei->addSeparator();
    MDatei->addAction(DM->AImport);
    MDatei->addAction(DM->AExport);
    MDatei->addSeparator();
    MDatei->addAction(DM->AAutoSave);
    MDatei->addAction(DM->ARestoreSaveCopy);
    MDatei->addSeparator();
    MDatei->addAction(DM->AVerwerfen);
    MDatei->addAction(DM->ABeenden);

    MProjektierung = leiste->addMenu(QString());
    MProjektierung->addAction(DM->AMelderHinzufuegen);
    MProjektierung->addAction(DM->AMelderLoeschen);
    MProjektierung->addAction(DM->AMelderKopieren);
    MProjektierung->addAction(DM->AMelderEinfuegen);
    MProjektierung->addSeparator();
    MProjektierung->addAction(DM->ALinkToGrpAdr);
    MProjektierung->addSeparator();
    MProjektierung->addAction(DM->AEreignisspeicherAuslesen);
    MProjektierung->addAction(DM->ASetDateTime);
    MProjektierung->addSeparator();
    MProjektierung->addAction(DM->AExpandAll);
    MProjektierung->addAction(DM->ACollapseAll);
    MProjektierung->addAction(DM->AExpand);
    MProjektierung->addAction(DM->ACollapse);
    MProjektierung->addSeparator();
    MProjektierung->addAction(DM->AProjektierungsfenster);
    MProjektierung->addAction(DM->ADefault);
    connect(MProjektierung, &QMenu::aboutToShow, this, [this] {
        try {
            MProjektierungClick();
        } catch (const std::exception& e) {
            ApplicationEventsException(e.what());
        }
    });

    MEinstellung = leiste->addMenu(QString());
    MEinstellung->addAction(DM->AOption);
    MSprache1 = DM->ASprache;
    MEinstellung->addAction(MSprache1);

    MTool = leiste->addMenu(QString());

    MFenster = leiste->addMenu(QString());
    MFenster->addAction(DM->AUeberlappend);
    MFenster->addAction(DM->ANebeneinander);
    MFenster->addAction(DM->AUebereinander);
    MFenster->addAction(DM->ASymbole);
    connect(MFenster, &QMenu::aboutToShow, this, [this] { FensterListe(); });

    MHilfe = leiste->addMenu(QString());
    MHilfe->addAction(DM->ADeviceHelp);
    MHilfe->addAction(DM->AQuickHelp);
    MHilfe->addSeparator();
    MAbout = DM->AAbout;
    MHilfe->addAction(MAbout);

    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(18, 18));
    for (QAction* action : {DM->APrintPreview, DM->APrint, DM->AAutoSave, DM->AExpandAll, DM->ACollapseAll,
                            DM->AMelderHinzufuegen, DM->AMelderLoeschen, DM->AMelderKopieren,
                            DM->AMelderEinfuegen})
        ToolBar1->addAction(action);

    static constexpr std::array<int, 5> kBreiten{250, 30, 30, 30, 50};
    for (std::size_t i = 0; i < m_statusPanels.size(); ++i) {
        m_statusPanels[i] = new QLabel(this);
        m_statusPanels[i]->setMinimumWidth(kBreiten[i]);
        statusBar()->addWidget(m_statusPanels[i], i + 1 == m_statusPanels.size() ? 1 : 0);
    }
}

void TFormMain::FormCreate()
{
    LOG_FKT("TFormMain::FormCreate");
    AktDevInst = nullptr;
    m_exportExt = "azp";
    m_lastDeletedDevice = -1;
    GetRegData();
    // Hidden and minimised until ETS asks for a device: the timer hides the window for good as
    // soon as the message loop runs.
    setWindowState(Qt::WindowMinimized);
    hide();
    Timer1->start();
    DM->MainHandle = m_handle;
    LadeTexte();
    if (m_deviceType.empty())
        m_deviceType = InputBox(m_handle, "Devicetype", "Set module name, e.g. 244_ID", m_deviceType);
    m_ets = std::make_unique<TEts2Cdi>(m_handle, m_deviceType, false);
    BindeEtsEvents();
    m_closeTimeOutInterval = 1800000;
    TimerTimeoutClose->setInterval(m_closeTimeOutInterval);
}

void TFormMain::FormDestroy()
{
    LOG_FKT("TFormMain::FormDestroy");
    // The project windows' trees and grids point into the instances' nodes: empty them first.
    FuerAlleFormVerw([](TFormVerw* fenster) {
        fenster->GetGrid().Clear();
        fenster->DeleteTreeViewNodes();
    });
    AktDevInst = nullptr;
    m_devices.clear();
    m_ets.reset();
    m_formVerwListe.clear();
    FormVerw = nullptr;
    CloseLogFkt();
}

void TFormMain::GetRegData()
{
    LOG_FKT("TFormMain::GetRegData");
    TIniRegistry ini;
    const std::string& datei = DM->IniDatei;
    // MainLeft and MainTop place the frame, MainWidth and MainHeight size the client area. A
    // window manager puts the frame where move() says (the client lies inside it), so the
    // title bar stays on the screen; a stored place off the screen is pulled back onto it.
    QRect platz(ini.Read(datei, IniKey::MainLeft), ini.Read(datei, IniKey::MainTop), ini.Read(datei, IniKey::MainWidth),
                ini.Read(datei, IniKey::MainHeight));
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
        const QRect frei = bildschirm->availableGeometry();
        platz.moveLeft(std::max(frei.left(), std::min(platz.left(), frei.right() + 1 - platz.width())));
        platz.moveTop(std::max(frei.top(), std::min(platz.top(), frei.bottom() + 1 - platz.height())));
    }
    resize(platz.size());
    move(platz.topLeft());
    m_savedWindowState = ZustandAusZahl(ini.Read(datei, IniKey::MainState));

    DM->ColorGridCommmon = ini.Read(datei, IniKey::ColorGridCommmon);
    DM->ColorGridTitle = ini.Read(datei, IniKey::ColorGridTitle);
    DM->ColorGridCell = ini.Read(datei, IniKey::ColorGridCell);
    DM->ColorGridCellReadOnly = ini.Read(datei, IniKey::ColorGridCellReadOnly);
    DM->Gitternetzlinien = ini.Read(datei, IniKey::Gitternetzlinien);
    DM->GridAutoSize = ini.Read(datei, IniKey::GridAutoSize);
    DM->GridColDefSize = ini.Read(datei, IniKey::GridColDefSize);
    DM->AutoSaveMinuten = ini.Read(datei, IniKey::AutoSaveMinuten);
    DM->AutoSave = ini.Read(datei, IniKey::AutoSave);
    DM->StartTimerAutoSave(false);
    DM->TableAutoCellActivate = ini.Read(datei, IniKey::TableAutoCellActivate);
    DM->TableAutoCellActivateRow = std::max(0, ini.Read(datei, IniKey::TabelAutoCellActivateRowNumber));

    // The trace settings are written straight back, so that the file always shows them.
    DM->LogPriority = ini.Read(datei, IniKey::Priority);
    (void)ini.Write(datei, IniKey::Priority, DM->LogPriority);
    DM->LogStart = ini.Read(datei, IniKey::LogStart);
    (void)ini.Write(datei, IniKey::LogStart, DM->LogStart);
    DM->LogFreigabe = ini.Read(datei, IniKey::LogFreigabe);
    (void)ini.Write(datei, IniKey::LogFreigabe, DM->LogFreigabe);
    DM->LogTime = ini.Read(datei, IniKey::LogTime);
    (void)ini.Write(datei, IniKey::LogTime, DM->LogTime);

    // The Tools menu: its entries end at the first empty name.
    MTool->clear();
    if (!ini.Read(datei, IniKey::ToolAccess)) {
        MTool->menuAction()->setVisible(false);
        return;
    }
    MTool->menuAction()->setVisible(true);
    for (int i = 0;; ++i) {
        std::string name;
        ini.ReadString(datei, IniSection::Tools, IniKey::ToolName(i), name, "");
        if (name.empty())
            break;
        QAction* eintrag = MTool->addAction(Q(name));
        eintrag->setData(i);
        connect(eintrag, &QAction::triggered, this, [this, eintrag] {
            try {
                ClickMenuTool(eintrag);
            } catch (const std::exception& e) {
                ApplicationEventsException(e.what());
            }
        });
    }
}

void TFormMain::ClickMenuTool(QAction* sender)
{
    LOG_FKT("TFormMain::ClickMenuTool");
    if (sender == nullptr)
        return;
    const int tag = sender->data().toInt();
    TIniRegistry ini;
    std::string datei;
    ini.ReadString(DM->IniDatei, IniSection::Tools, IniKey::ToolFile(tag), datei, "");
    if (datei.empty())
        return;
    std::string parameter;
    ini.ReadString(DM->IniDatei, IniSection::Tools, IniKey::ToolParam(tag), parameter, "");
    ShellExecute(m_handle, "open", datei, parameter, "", SW_SHOWNORMAL);
}

void TFormMain::SetRegData()
{
    LOG_FKT("TFormMain::SetRegData");
    TIniRegistry ini;
    const std::string& datei = DM->IniDatei;
    const Qt::WindowStates zustand = windowState();
    if (ZustandAlsZahl(zustand) == 0) {
        // As GetRegData reads them: the frame's place, the client area's size.
        (void)ini.Write(datei, IniKey::MainTop, pos().y());
        (void)ini.Write(datei, IniKey::MainLeft, pos().x());
        (void)ini.Write(datei, IniKey::MainHeight, height());
        (void)ini.Write(datei, IniKey::MainWidth, width());
    }
    // A minimised window is stored as normal, so the editor never comes up minimised.
    const int zahl = ZustandAlsZahl(zustand);
    (void)ini.Write(datei, IniKey::MainState, zahl == 1 ? 0 : zahl);
    (void)ini.Write(datei, IniKey::ColorGridCommmon, DM->ColorGridCommmon);
    (void)ini.Write(datei, IniKey::ColorGridTitle, DM->ColorGridTitle);
    (void)ini.Write(datei, IniKey::ColorGridCell, DM->ColorGridCell);
    (void)ini.Write(datei, IniKey::ColorGridCellReadOnly, DM->ColorGridCellReadOnly);
    (void)ini.Write(datei, IniKey::Gitternetzlinien, DM->Gitternetzlinien);
    (void)ini.Write(datei, IniKey::FileCharTab, DM->FileCharTab);
    // A template for the user's own tools.
    if (!ini.ReadSection(datei, IniSection::Tools)) {
        (void)ini.WriteString(datei, IniSection::Tools, IniKey::ToolName(0), " ");
        (void)ini.WriteString(datei, IniSection::Tools, IniKey::ToolFile(0), " ");
        (void)ini.WriteString(datei, IniSection::Tools, IniKey::ToolParam(0), " ");
    }
    if (!ini.ValueExists(datei, IniKey::ToolAccess.Section, IniKey::ToolAccess.Key))
        (void)ini.Write(datei, IniKey::ToolAccess, false);
    if (FormVerw != nullptr) {
        const QRect rahmen = FormVerw->geometry();
        (void)ini.Write(datei, IniKey::VerwTop, rahmen.top());
        (void)ini.Write(datei, IniKey::VerwLeft, rahmen.left());
        (void)ini.Write(datei, IniKey::VerwHeight, rahmen.height());
        (void)ini.Write(datei, IniKey::VerwWidth, rahmen.width());
    }
}

void TFormMain::GetEtsRegData()
{
    LOG_FKT("TFormMain::GetEtsRegData");
    std::string etsOrdner;
    auto info = std::make_unique<tagETSINFO>();
    if (m_ets != nullptr && m_ets->GetEtsInfo(*info)) {
        etsOrdner = DalText(info->Directory);
    } else {
        ShowMessageBox(std::string("Can't read EtsInfo\n\nTFormMain::GetEtsRegData") + "\n" + "File: " + "Main" + "\n" +
                           "Line: " + "156",
                       Spredit::Txt9003, MB_OK);
    }
    const TEtsRegData daten = ReadEtsRegData(DM->IniDatei, etsOrdner);
    DM->EtsIniPfad = daten.EtsIniPath;
    DM->EtsIniSection = daten.GrpAdrLevelSection;
    DM->EtsIniKey = daten.GrpAdrLevelName;
    DM->GrpAdrLevel = daten.GrpAdrLevels;
}

void TFormMain::LadeTexte()
{
    LOG_FKT("TFormMain::LadeTexte");
    MDatei->setTitle(Q(Spredit::Txt9058));
    MProjektierung->setTitle(Q(Spredit::Txt9133));
    MEinstellung->setTitle(Q(Spredit::Txt9059));
    MFenster->setTitle(Q(Spredit::Txt9069));
    MAbout->setText(Q(Spredit::Txt9073));
    MTool->setTitle(Q(Spredit::Txt9075));
    MHilfe->setTitle(Q(Spredit::Txt9074));
    struct TKnopf {
        QAction* action;
        int bild;
        const std::string& hinweis;
    };
    const TKnopf knoepfe[] = {
        {DM->APrintPreview, 63, Spredit::Txt9186},     {DM->APrint, 64, Spredit::Txt9187},
        {DM->AAutoSave, 68, Spredit::Txt9212},         {DM->AExpandAll, 60, Spredit::Txt9183},
        {DM->ACollapseAll, 61, Spredit::Txt9184},      {DM->AMelderHinzufuegen, 65, SprAz::Txt10237},
        {DM->AMelderLoeschen, 62, SprAz::Txt10238},    {DM->AMelderKopieren, 66, SprAz::Txt10333},
        {DM->AMelderEinfuegen, 67, SprAz::Txt10334},
    };
    for (const TKnopf& knopf : knoepfe) {
        knopf.action->setIcon(TDM::Icon(knopf.bild));
        knopf.action->setToolTip(Q(knopf.hinweis));
    }
    MSprache1->setEnabled(false);
}

void TFormMain::ShowMainWindow()
{
    LOG_FKT("TFormMain::ShowMainWindow");
    showNormal();
    raise();
    activateWindow();
    setWindowState(m_savedWindowState);
}

void TFormMain::HideMainWindow()
{
    LOG_FKT("TFormMain::HideMainWindow");
    // The help window goes with the editor.
    WinHelp(m_handle, DM != nullptr ? DM->HilfeDatei : std::string(), HELP_QUIT, 0);
    hide();
}

void TFormMain::Timer1Timer()
{
    LOG_FKT("TFormMain::Timer1Timer");
    Timer1->stop();
    HideMainWindow();
}

void TFormMain::ApplicationEventsException(const std::string& what)
{
    LOG_FKT("TFormMain::ApplicationEventsException");
    ZeigeFehlerBox(FormMain != nullptr ? FormMain->m_handle : nullptr, g_anwendungsTitel, what);
    if (FormMain != nullptr)
        FormMain->m_closing = true;
    BeendeAnwendung();
}

void TFormMain::VerbindeAktionen()
{
    LOG_FKT("TFormMain::VerbindeAktionen");
    if (DM == nullptr)
        return;
    using F = TFormMain;
    const std::pair<QAction*, void (*)(F&)> tabelle[] = {
        {DM->APrint, [](F& m) { m.Drucken(); }},
        {DM->AImport, [](F& m) { m.Import(); }},
        {DM->AExport, [](F& m) { m.Export(); }},
        {DM->ABeenden, [](F& m) { m.ABeendenExecute(); }},
        {DM->AVerwerfen, [](F& m) { m.ApplCloseOrHide(true, true); }},
        {DM->APrintPreview, [](F& m) { m.SeitenVorschau(); }},
        {DM->ARestoreSaveCopy, [](F& m) { m.RestoreSaveCopy(); }},
        {DM->AAutoSave,
         [](F& m) {
             m.DeactivateActiveGridCell();
             m.SaveToFile("");
         }},
        // The options dialog: modal, given the ETS device interface, freed when it closes. It
        // acts on the data module and the main window itself; its modal result asks nothing.
        // Owned by the main window, so that it stays above it.
        {DM->AOption,
         [](F& m) {
             TDlgOptionen dialog(&m, m.GetEts());
             dialog.exec();
             m.GetBearbeitung().AutoSaveFortsetzen();
         }},
        {DM->ASprache, [](F&) { DM->ASpracheExecute(); }},
        {DM->ADeviceHelp, [](F&) { DM->ADeviceHelpExecute(); }},
        {DM->AQuickHelp, [](F& m) { m.StartQuickHelp(); }},
        {DM->AAbout, [](F&) { DM->AAboutExecute(); }},
        {DM->ACollapseAll, [](F& m) { m.TreeCollapseAll(); }},
        {DM->AExpandAll, [](F& m) { m.TreeExpandAll(); }},
        {DM->AExpand, [](F& m) { m.TreeExpand(); }},
        {DM->ACollapse, [](F& m) { m.TreeCollapse(); }},
        {DM->ACopy, [](F& m) { m.Kopieren(); }},
        {DM->APaste, [](F& m) { m.Einfuegen(); }},
        {DM->ADefault, [](F& m) { m.ResetAktDevInst(); }},
        {DM->AProjektierungsfenster, [](F& m) { m.CreateFormVerw(); }},
        {DM->AMelderHinzufuegen, [](F& m) { m.MelderHinzufuegen(); }},
        {DM->AMelderLoeschen, [](F& m) { m.MelderLoeschen(); }},
        {DM->ALinkToGrpAdr, [](F& m) { m.LinkToGrpAdr(); }},
        {DM->AMelderKopieren, [](F& m) { m.Kopieren(); }},
        {DM->AMelderEinfuegen, [](F& m) { m.Einfuegen(); }},
        {DM->AEreignisspeicherAuslesen, [](F& m) { m.EreignisspeicherAuslesen(); }},
        {DM->ASetDateTime, [](F& m) { m.DownloadAzHwDateTime(); }},
        {DM->AUeberlappend, [](F& m) { m.Cascade(); }},
        {DM->ANebeneinander, [](F& m) { m.TileVertical(); }},
        {DM->AUebereinander, [](F& m) { m.TileHorizontal(); }},
        {DM->ASymbole, [](F& m) { m.ArrangeIcons(); }},
    };
    static_assert(std::size(tabelle) == 32);
    for (const auto& [action, operation] : tabelle)
        connect(action, &QAction::triggered, this, [operation = operation] { Sicher(operation); });
    DM->SetAutoSaveAusfuehrung([] { Sicher([](F& m) { m.SaveToFile(""); }); });
}

void TFormMain::ABeendenExecute()
{
    LOG_FKT("TFormMain::ABeendenExecute");
    if (!AzCheckObjAlarmResetLinkToGrpAdr())
        return;
    if (!AzCheckObjektMeldertest())
        return;
    if (!AzCheckObjekteMelder())
        return;
    if (!AzCheckObjekteScharfschaltEingang())
        return;
    ApplCloseOrHide(false, false);
}

void TFormMain::ApplicationEventsMinimize()
{
    LOG_FKT("TFormMain::ApplicationEventsMinimize");
    // The window itself is minimised already (this runs on its state change). The saved state
    // stays as it is: a window manager iconifies a window it unmaps, and the next show must
    // still bring the editor up as MainState says.
    if (FormVerw != nullptr)
        FormVerw->HideMeldeFenster();
}

void TFormMain::ApplicationEventsRestore()
{
    LOG_FKT("TFormMain::ApplicationEventsRestore");
    if (FormVerw != nullptr)
        FormVerw->ShowMeldeFenster(true);
}

void TFormMain::ApplicationEventsActivate()
{
    LOG_FKT("TFormMain::ApplicationEventsActivate");
    if (FormVerw != nullptr)
        FormVerw->ShowMeldeFenster(false);
}

void TFormMain::ApplicationEventsDeactivate()
{
    LOG_FKT("TFormMain::ApplicationEventsDeactivate");
    if (FormVerw != nullptr)
        FormVerw->ShowMeldeFenster(false);
}

void TFormMain::FormActivate()
{
    LOG_FKT("TFormMain::FormActivate");
    setWindowState(m_savedWindowState);
    if (FormVerw != nullptr)
        FormVerw->ShowMeldeFenster(false);
}

int TFormMain::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    LOG_FKT("TFormMain::ShowMessageBox");
    return MessageBox(m_handle, text, caption, flags);
}

void TFormMain::DisplayLastError(const std::string& caption)
{
    LOG_FKT("TFormMain::DisplayLastError");
    const DWORD code = GetLastError();
    if (code == 0)
        return;
    MessageBox(m_handle, FormatMessage(code), caption, MB_OK | MB_ICONINFORMATION);
}

void TFormMain::UpdateObjektAnzahl(int anzahl, int maximum)
{
    LOG_FKT("TFormMain::UpdateObjektAnzahl");
    if (maximum > 0)
        SetStatusText(2, std::to_string(anzahl) + "/" + std::to_string(maximum));
}

void TFormMain::CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub)
{
    LOG_FKT("TFormMain::CreateGroupAddressNodes");
    FuerAlleFormVerw([&](TFormVerw* fenster) {
        if (!FremdesFenster(fenster))
            fenster->CreateGroupAddressNodes(main, middle, sub, fenster == FormVerw);
    });
}

std::string TFormMain::GetStatusText(int panel) const
{
    if (panel < 0 || panel >= static_cast<int>(m_statusPanels.size()))
        return {};
    return m_statusPanels[static_cast<std::size_t>(panel)]->text().toStdString();
}

void TFormMain::SetStatusText(int panel, const std::string& text)
{
    if (panel < 0 || panel >= static_cast<int>(m_statusPanels.size()))
        return;
    m_statusPanels[static_cast<std::size_t>(panel)]->setText(Q(text));
}

// ---- TEditorHost ---------------------------------------------------------------------------------

std::string TFormMain::GetIniFile() const
{
    return DM->IniDatei;
}

std::string TFormMain::GetProgrammOrdner() const
{
    return DM->ProgrammOrdner();
}

int TFormMain::GetGrpAdrLevel() const
{
    return DM->GrpAdrLevel;
}

void TFormMain::ShowDetailMessageBox(const std::string& text, const std::string& anwendung, const std::string& details,
                                     const std::string& unit, int zeile, const std::string& funktion, UINT icon)
{
    ::ShowDetailMessageBox(m_handle, text, anwendung, details, unit, zeile, funktion, icon);
}

void TFormMain::StartDlgProgress(const std::string& titel, const std::string& text, int minimum, int maximum,
                                 int schritt)
{
    (void)schritt;
    ::StartDlgProgress(m_handle, titel, text, minimum, maximum - minimum);
}

void TFormMain::SetDlgProgress(int position, const std::string& text)
{
    ::SetDlgProgressPosition(position, text);
}

void TFormMain::StopDlgProgress()
{
    ::StopDlgProgress();
}

void TFormMain::StartDlgProgressAbbrechbar(const std::string& titel, const std::string& text, int minimum,
                                           int maximum, LPARAM abbruchArt)
{
    ::StartDlgProgress(m_handle, titel, text, minimum, maximum - minimum, abbruchArt);
}

void TFormMain::ProcessMessages()
{
    // An ETS event handled in the middle of a long run could drop the very device instance
    // that runs: the event channel's input waits for the loop.
    ProcessEventsShort(QEventLoop::ExcludeSocketNotifiers);
}

void TFormMain::FormVerwNeuAufbauen(TDeviceInstanz& instanz)
{
    LOG_FKT("TFormMain::FormVerwNeuAufbauen");
    ++m_neuAufbauten;
    // The windows of the device being edited keep showing it when another device is rebuilt.
    const TDeviceInstanz* offen = OffenesGeraet();
    FuerAlleFormVerw([&](TFormVerw* fenster) {
        if (offen == nullptr || offen == &instanz || fenster->GetDeviceInstanz() != offen)
            fenster->NeuAufbauen(instanz);
    });
}

bool TFormMain::AddChildNode2Data(TFormVerw* fenster, TDataBasis* parent, TDataBasis* child, bool zeigen)
{
    if (fenster == nullptr || FremdesFenster(fenster))
        return false;
    return fenster->AddChildNode2Data(parent, child, zeigen) != nullptr;
}

void TFormMain::DeleteNode(TFormVerw* fenster, TDataBasis* node)
{
    if (fenster != nullptr && !FremdesFenster(fenster))
        fenster->DeleteNode(nullptr, node);
}

void TFormMain::UpdateTreeNamesAndIcon(TFormVerw* fenster)
{
    if (fenster != nullptr && !FremdesFenster(fenster))
        fenster->UpdateTreeNamesAndIcon();
}

void TFormMain::BeginTreeUpdate(TFormVerw* fenster)
{
    if (fenster != nullptr)
        fenster->BeginTreeUpdate();
}

void TFormMain::EndTreeUpdate(TFormVerw* fenster)
{
    if (fenster != nullptr)
        fenster->EndTreeUpdate();
}

// The dialogs of the nodes' requests: each is made here, shown modally and freed when it
// closes; its outputs reach the caller on OK only. -1 when a dialog cannot be made.
int TFormMain::DlgDefinitionAlarmzentrale(uint32_t& variante, const std::string& hilfeDatei)
{
    LOG_FKT("TFormMain::DlgDefinitionAlarmzentrale");
    std::unique_ptr<TDlgDefinitionAlarmzentrale> dialog;
    try {
        dialog = std::make_unique<TDlgDefinitionAlarmzentrale>(this, &variante, hilfeDatei);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return dialog->exec();
}

int TFormMain::DlgAnzeige(const std::string& caption, const std::string& text, int32_t& maske, uint32_t variante)
{
    LOG_FKT("TFormMain::DlgAnzeige");
    uint32_t wert = static_cast<uint32_t>(maske);
    std::unique_ptr<TDlgAnzeige> dialog;
    try {
        dialog = std::make_unique<TDlgAnzeige>(this, &wert, variante);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    dialog->setWindowTitle(QString::fromStdString(caption));
    dialog->LabelAnzeigeText->setText(QString::fromStdString(text));
    const int modal = dialog->exec();
    if (modal == 1)
        maske = static_cast<int32_t>(wert);
    return modal;
}

int TFormMain::DlgSelPhysAdrSe(TPhysAdrEintrag& auswahl, const std::list<TPhysAdrEintrag>& geraete,
                               const std::list<int32_t>& benutzt)
{
    LOG_FKT("TFormMain::DlgSelPhysAdrSe");
    TPhysAdrEintrag ergebnis = auswahl;
    std::unique_ptr<TDlgSelPhysAdrSe> dialog;
    try {
        dialog = std::make_unique<TDlgSelPhysAdrSe>(this, &ergebnis, geraete, benutzt);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const int modal = dialog->exec();
    if (modal == 1)
        auswahl = ergebnis;
    return modal;
}

int TFormMain::DlgMelderHinzufuegen(const std::string& caption, int32_t& anzahl, int32_t maximum)
{
    LOG_FKT("TFormMain::DlgMelderHinzufuegen");
    int32_t wert = anzahl;
    std::unique_ptr<TDlgMelderHinzufuegen> dialog;
    try {
        dialog = std::make_unique<TDlgMelderHinzufuegen>(this, &wert, maximum);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    dialog->setWindowTitle(QString::fromStdString(caption));
    const int modal = dialog->exec();
    if (modal == 1)
        anzahl = wert;
    return modal;
}

void TFormMain::ShowDlgInfoEreignisspeicher()
{
    LOG_FKT("TFormMain::ShowDlgInfoEreignisspeicher");
    CloseDlgInfoEreignisspeicher();
    auto* hinweis = new TDlgInfoEreignisspeicher(this);
    m_infoEreignisspeicher = hinweis;
    // Drawn before the bus transfer blocks the loop; no input or queued message runs meanwhile.
    ProcessPendingPaints();
    hinweis->show();
    ProcessPendingPaints();
}

void TFormMain::CloseDlgInfoEreignisspeicher()
{
    delete m_infoEreignisspeicher.data();
    m_infoEreignisspeicher = nullptr;
}

int TFormMain::DlgEreignisspeicher(const TStringList& ereignisse, const std::string& kopf1, const std::string& kopf2,
                                   const std::string& pcZeit, const std::string& geraetZeit)
{
    LOG_FKT("TFormMain::DlgEreignisspeicher");
    std::unique_ptr<TDlgEreignisspeicher> dialog;
    try {
        dialog = std::make_unique<TDlgEreignisspeicher>(this, ereignisse, kopf1, kopf2, pcZeit, geraetZeit);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return dialog->exec();
}

// ---- Commands of the data module ---------------------------------------------------------------

void TFormMain::ResetAktDevInst()
{
    LOG_FKT("TFormMain::ResetAktDevInst");
    if (ShowMessageBox(Spredit::Txt9083, Spredit::Txt9013, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ProcessMessages();
    if (AktDevInst == nullptr)
        return;
    TCursorHourGlass sanduhr;
    // Every tree is locked with its sorting off for the rebuild; both outcomes end exactly what
    // was begun and restart the auto-save timer.
    TAutoSavePause pause;
    TBaumSperre sperre(*this);
    if (FormVerw != nullptr) {
        sperre.AlleSperren([](TDrawGridSE& gitter) { gitter.DeleteZellenKomponente(); });
        FormVerw->GetGrid().DeleteZellenKomponente();
        FormVerw->DeleteTreeViewNodes();
    }
    if (AktDevInst->Reset(true)) {
        AbgleichFormVerw(FormVerw);
        if (FormVerw != nullptr)
            FormVerw->AktualisiereAnsicht(nullptr, 1, 0);
    }
}

void TFormMain::TreeCollapseAll()
{
    if (FormVerw != nullptr)
        FormVerw->TreeCollapseAll();
}

void TFormMain::TreeExpandAll()
{
    if (FormVerw != nullptr)
        FormVerw->TreeExpandAll();
}

void TFormMain::TreeExpand()
{
    if (FormVerw != nullptr)
        FormVerw->TreeExpand();
}

void TFormMain::TreeCollapse()
{
    if (FormVerw != nullptr)
        FormVerw->TreeCollapse();
}

void TFormMain::StartQuickHelp()
{
    LOG_FKT("TFormMain::StartQuickHelp");
    if (FormVerw != nullptr && !FormVerw->HasMeldeFenster())
        FormVerw->CreateMeldeFenster();
}

void TFormMain::CreateFormVerw()
{
    LOG_FKT("TFormMain::CreateFormVerw");
    TFormVerw* quelle = FormVerw;
    auto* fenster = new TFormVerw(this);
    if (quelle != nullptr)
        fenster->Assign(quelle);
    m_formVerwListe.push_back(fenster);
    std::sort(m_formVerwListe.begin(), m_formVerwListe.end());
    m_formVerwListe.erase(std::unique(m_formVerwListe.begin(), m_formVerwListe.end()), m_formVerwListe.end());
    fenster->show();
}

void TFormMain::AbgleichFormVerw(TFormVerw* fenster)
{
    LOG_FKT("TFormMain::AbgleichFormVerw");
    FuerAlleFormVerw([&](TFormVerw* f) { f->Abgleich(fenster); });
}

void TFormMain::Cascade()
{
    m_mdiArea->cascadeSubWindows();
}

// Every window side by side (nebeneinander) or one above the other, each taking the full
// height or width of the MDI area.
void TFormMain::Kacheln(bool nebeneinander)
{
    const auto fenster = m_mdiArea->subWindowList();
    if (fenster.isEmpty())
        return;
    const QRect flaeche = m_mdiArea->viewport()->rect();
    const int anzahl = static_cast<int>(fenster.size());
    const int schritt = (nebeneinander ? flaeche.width() : flaeche.height()) / anzahl;
    int position = 0;
    for (QMdiSubWindow* f : fenster) {
        f->showNormal();
        if (nebeneinander)
            f->setGeometry(position, 0, schritt, flaeche.height());
        else
            f->setGeometry(0, position, flaeche.width(), schritt);
        position += schritt;
    }
}

void TFormMain::TileVertical()
{
    Kacheln(true);
}

void TFormMain::TileHorizontal()
{
    Kacheln(false);
}

void TFormMain::ArrangeIcons()
{
    // Minimised windows in a row along the bottom edge.
    const QRect flaeche = m_mdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* f : m_mdiArea->subWindowList()) {
        if (!f->isMinimized())
            continue;
        const QSize groesse = f->size();
        f->move(x, flaeche.height() - groesse.height());
        x += groesse.width();
    }
}

void TFormMain::FensterListe()
{
    // Marks the entries of the list, which are made anew every time the menu opens.
    constexpr const char* kListe = "Fensterliste";
    for (QAction* eintrag : MFenster->actions())
        if (eintrag->property(kListe).toBool())
            delete eintrag;
    const QList<QMdiSubWindow*> fenster = m_mdiArea->subWindowList();
    if (fenster.isEmpty())
        return;
    MFenster->addSeparator()->setProperty(kListe, true);
    int nr = 0;
    for (QMdiSubWindow* f : fenster) {
        QAction* eintrag = MFenster->addAction(QStringLiteral("&%1 %2").arg(++nr).arg(f->windowTitle()));
        eintrag->setProperty(kListe, true);
        eintrag->setCheckable(true);
        eintrag->setChecked(f == m_mdiArea->activeSubWindow());
        const QPointer<QMdiSubWindow> ziel(f);
        connect(eintrag, &QAction::triggered, this, [this, ziel] {
            if (ziel.isNull())
                return;
            if (ziel->isMinimized())
                ziel->showNormal();
            m_mdiArea->setActiveSubWindow(ziel);
        });
    }
}

// ---- Qt events -------------------------------------------------------------------------------

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    // While detectors are added, closing the main window or a project window would pull them
    // from under the run; the progress window's modality already keeps the user's clicks away.
    if (m_melderLauf && !m_closing && event->type() == QEvent::Close &&
        (watched == this || dynamic_cast<TFormVerw*>(watched) != nullptr)) {
        event->ignore();
        return true;
    }
    // The form sees every key first (key preview): the actions' shortcuts are matched here,
    // once, and a matched key goes no further.
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            bool handled = false;
            try {
                DM->OnShortCut(static_cast<QKeyEvent*>(event), handled);
            } catch (const std::exception& e) {
                ApplicationEventsException(e.what());
                handled = true;
            }
            if (handled)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        WinHelp(m_handle, DM->HilfeDatei, HELP_FINDER, 10);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFormMain::changeEvent(QEvent* event)
{
    try {
        if (event->type() == QEvent::WindowStateChange) {
            if (windowState() & Qt::WindowMinimized)
                ApplicationEventsMinimize();
            else if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)
                ApplicationEventsRestore();
        } else if (event->type() == QEvent::ActivationChange) {
            if (isActiveWindow())
                ApplicationEventsActivate();
            else
                ApplicationEventsDeactivate();
        }
    } catch (const std::exception& e) {
        ApplicationEventsException(e.what());
    }
    QMainWindow::changeEvent(event);
}

bool TFormMain::IsStartupPending() const
{
    return Timer1->isActive();
}
