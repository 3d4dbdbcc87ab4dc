#include "miraval/app/DaMo.h"

#include "miraval/app/Bilder.h"
#include "miraval/app/IniKeys.h"
#include "miraval/app/IniRegistry.h"
#include "miraval/app/Main.h"
#include "miraval/app/Spredit.h"
#include "miraval/ui/DlgOptionen.h"
#include "dorlin/Dorlin.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "win32/Shell.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <climits>
#include <exception>
#include <iterator>
#include <map>

TDM* DM = nullptr;

namespace {

// Languages read from the INI file at most. The count is the user's to edit; every language
// costs four file accesses, so a count typed wrong must not keep the editor busy for hours.
constexpr int32_t kMaxSprachen = 100;

// Data passed with the help finder; a viewer has no topics, the value is kept for the call's
// sake.
constexpr std::uintptr_t kHilfeFinderDaten = 10;

// Runs an action's or the timer's work: nothing while the main window does not exist, and
// no exception reaches the event loop (the main window shows it and ends the program).
template <class F>
void Sicher(F&& f)
{
    if (!FormMain)
        return;
    try {
        f(*FormMain);
    } catch (const std::exception& e) {
        TFormMain::ApplicationEventsException(e.what());
    } catch (...) {
        TFormMain::ApplicationEventsException("Unbekannter Fehler");
    }
}

// The key as a sequence to compare with an action's shortcuts: the keypad flag is no part
// of a shortcut (Ctrl with the keypad's 1 is Ctrl+1).
QKeySequence Taste(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key.key())));
}

// Whether the widget with the focus keeps the key for itself, as a text field does with its
// editing keys (select all, copy, paste, Delete, Home ...). The widget is asked as Qt asks it
// before any shortcut: by a ShortcutOverride that it accepts.
bool FokusBehaeltTaste(const QKeyEvent& key)
{
    QWidget* fokus = QApplication::focusWidget();
    if (fokus == nullptr)
        return false;
    QKeyEvent frage(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.nativeScanCode(),
                    key.nativeVirtualKey(), key.nativeModifiers(), key.text(), key.isAutoRepeat(), key.count());
    frage.ignore();
    QCoreApplication::sendEvent(fokus, &frage);
    return frage.isAccepted();
}

bool IstModifikator(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
    case 0:
        return true;
    default:
        return false;
    }
}

} // namespace

TDM::TDM()
{
    LOG_FKT("TDM::TDM");
    if (!DM)
        DM = this;
    m_timerAutoSave = new QTimer(this);
    m_timerAutoSave->setObjectName(QStringLiteral("TimerAutoSave"));
    connect(m_timerAutoSave, &QTimer::timeout, this, [this] { TimerAutoSaveTimer(); });
    ErzeugeAktionen();
    DataModuleCreate();
}

TDM::~TDM()
{
    LOG_FKT("TDM::~TDM");
    // Actions and timer are children; nothing else is held.
    if (DM == this)
        DM = nullptr;
}

void TDM::ErzeugeAktionen()
{
    struct TZeile {
        QAction* TDM::*Feld;
        const char* Name;
        const char* Kategorie;
        QKeySequence Taste;
        int Bild; // image-list index, -1 none
        void (*Ausfuehren)(TDM&, TFormMain&);
    };
    using F = TFormMain;
    const QKeySequence ohne;
    // In the order of the action list; captions are set by DataModuleCreate.
    const TZeile zeilen[] = {
        {&TDM::APrint, "APrint", "Datei", QKeySequence(Qt::CTRL | Qt::Key_P), 64,
         [](TDM&, F& m) { m.Drucken(); }},
        {&TDM::AImport, "AImport", "Datei", ohne, -1, [](TDM&, F& m) { m.Import(); }},
        {&TDM::AExport, "AExport", "Datei", ohne, -1, [](TDM&, F& m) { m.Export(); }},
        {&TDM::ABeenden, "ABeenden", "Datei", QKeySequence(Qt::CTRL | Qt::Key_Q), -1,
         [](TDM& dm, F&) { dm.ABeendenExecute(); }},
        {&TDM::AVerwerfen, "AVerwerfen", "Datei", ohne, -1,
         [](TDM&, F& m) { m.ApplCloseOrHide(true, true); }},
        {&TDM::APrintPreview, "APrintPreview", "Datei", ohne, 63, [](TDM&, F& m) { m.SeitenVorschau(); }},
        {&TDM::ARestoreSaveCopy, "ARestoreSaveCopy", "Datei", ohne, -1,
         [](TDM&, F& m) { m.RestoreSaveCopy(); }},
        {&TDM::AAutoSave, "AAutoSave", "Datei", ohne, 68,
         [](TDM&, F& m) {
             m.DeactivateActiveGridCell();
             m.SaveToFile("");
         }},
        // The options dialog: modal, given the ETS device interface, freed when it closes. It
        // acts on the data module and the main window itself; its modal result asks nothing.
        // Owned by the main window, so that it stays above it.
        {&TDM::AOption, "AOption", "Einstellung", ohne, -1,
         [](TDM&, F& m) {
             TDlgOptionen dialog(&m, m.GetEts());
             dialog.exec();
         }},
        {&TDM::ASprache, "ASprache", "Einstellung", ohne, -1, [](TDM& dm, F&) { dm.ASpracheExecute(); }},
        {&TDM::ADeviceHelp, "ADeviceHelp", "Hilfe", QKeySequence(Qt::Key_F1), -1,
         [](TDM& dm, F&) { dm.ADeviceHelpExecute(); }},
        {&TDM::AQuickHelp, "AQuickHelp", "Hilfe", QKeySequence(Qt::CTRL | Qt::Key_F1), -1,
         [](TDM&, F& m) { m.StartQuickHelp(); }},
        {&TDM::AAbout, "AAbout", "Hilfe", ohne, -1, [](TDM& dm, F&) { dm.AAboutExecute(); }},
        {&TDM::ACollapseAll, "ACollapseAll", "Projektierung", QKeySequence(Qt::CTRL | Qt::Key_E), 61,
         [](TDM&, F& m) { m.TreeCollapseAll(); }},
        {&TDM::AExpandAll, "AExpandAll", "Projektierung", QKeySequence(Qt::CTRL | Qt::Key_A), 60,
         [](TDM&, F& m) { m.TreeExpandAll(); }},
        {&TDM::AExpand, "AExpand", "Projektierung", ohne, -1, [](TDM&, F& m) { m.TreeExpand(); }},
        {&TDM::ACollapse, "ACollapse", "Projektierung", ohne, -1, [](TDM&, F& m) { m.TreeCollapse(); }},
        {&TDM::ACopy, "ACopy", "Projektierung", ohne, -1, [](TDM&, F& m) { m.Kopieren(); }},
        {&TDM::APaste, "APaste", "Projektierung", ohne, -1, [](TDM&, F& m) { m.Einfuegen(); }},
        {&TDM::ADefault, "ADefault", "Projektierung", ohne, -1, [](TDM&, F& m) { m.ResetAktDevInst(); }},
        {&TDM::AProjektierungsfenster, "AProjektierungsfenster", "Projektierung",
         QKeySequence(Qt::CTRL | Qt::Key_N), -1, [](TDM&, F& m) { m.CreateFormVerw(); }},
        {&TDM::AMelderHinzufuegen, "AMelderHinzufuegen", "Projektierung", ohne, 65,
         [](TDM&, F& m) { m.MelderHinzufuegen(); }},
        {&TDM::AMelderLoeschen, "AMelderLoeschen", "Projektierung", ohne, 62,
         [](TDM&, F& m) { m.MelderLoeschen(); }},
        {&TDM::ALinkToGrpAdr, "ALinkToGrpAdr", "Projektierung", ohne, -1, [](TDM&, F& m) { m.LinkToGrpAdr(); }},
        {&TDM::AMelderKopieren, "AMelderKopieren", "Projektierung", ohne, 66, [](TDM&, F& m) { m.Kopieren(); }},
        {&TDM::AMelderEinfuegen, "AMelderEinfuegen", "Projektierung", ohne, 67,
         [](TDM&, F& m) { m.Einfuegen(); }},
        {&TDM::AEreignisspeicherAuslesen, "AEreignisspeicherAuslesen", "Projektierung", ohne, -1,
         [](TDM&, F& m) { m.EreignisspeicherAuslesen(); }},
        {&TDM::ASetDateTime, "ASetDateTime", "Projektierung", ohne, -1,
         [](TDM&, F& m) { m.DownloadAzHwDateTime(); }},
        {&TDM::AUeberlappend, "AUeberlappend", "Fenster", QKeySequence(Qt::SHIFT | Qt::Key_F5), -1,
         [](TDM&, F& m) { m.Cascade(); }},
        {&TDM::ANebeneinander, "ANebeneinander", "Fenster", QKeySequence(Qt::SHIFT | Qt::Key_F4), -1,
         [](TDM&, F& m) { m.TileVertical(); }},
        {&TDM::AUebereinander, "AUebereinander", "Fenster", ohne, -1, [](TDM&, F& m) { m.TileHorizontal(); }},
        {&TDM::ASymbole, "ASymbole", "Fenster", ohne, -1, [](TDM&, F& m) { m.ArrangeIcons(); }},
    };
    static_assert(std::size(zeilen) == 32);

    m_actions.clear();
    for (const TZeile& z : zeilen) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(z.Name));
        action->setProperty("Kategorie", QString::fromLatin1(z.Kategorie));
        if (!z.Taste.isEmpty()) {
            action->setShortcut(z.Taste);
            // Keys reach the actions through OnShortCut only (the main window hands every key
            // to it first). A widget context never matches a key in the main window, so Qt's
            // own shortcut handling cannot trigger an action a second time.
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        if (z.Bild >= 0)
            action->setIcon(Icon(z.Bild));
        const auto ausfuehren = z.Ausfuehren;
        connect(action, &QAction::triggered, this,
                [this, ausfuehren] { Sicher([this, ausfuehren](TFormMain& m) { ausfuehren(*this, m); }); });
        this->*z.Feld = action;
        m_actions.push_back(action);
    }
    AVerwerfen->setVisible(false);
}

void TDM::DataModuleCreate()
{
    LOG_FKT("TDM::DataModuleCreate");
    ColorGridCommmon = static_cast<int32_t>(0x8000000F);
    ColorGridCell = 0xFFFFFF;
    ColorGridTitle = 0xFFFFFF;
    ColorGridCellReadOnly = static_cast<int32_t>(0x8000000F);
    Gitternetzlinien = 1;
    MainHandle = nullptr;
    GridAutoSize = true;
    DataChanged = false;
    Restart = false;
    ProgrammDatei = GetProgramFileName();
    AutoSave = false;
    AutoSaveMinuten = 5;
    IniDatei = ProgrammDatei + ".ini";
    HilfeDatei = ProgrammOrdner() + SprAz::Txt10185;
    GridFuellen = 0;
    EtsIniPfad.clear();
    GrpAdrLevel = 3;
    SetzeTexte();
    TableAutoCellActivate = true;
    TableAutoCellActivateRow = 0;
}

void TDM::SetzeTexte()
{
    const std::pair<QAction*, const std::string*> texte[] = {
        {APrint, &Spredit::Txt9063},
        {AImport, &Spredit::Txt9061},
        {AExport, &Spredit::Txt9060},
        {ABeenden, &Spredit::Txt9057},
        {AVerwerfen, &Spredit::Txt9068},
        {APrintPreview, &Spredit::Txt9064},
        {ARestoreSaveCopy, &Spredit::Txt9065},
        {AAutoSave, &Spredit::Txt9211},
        {AOption, &Spredit::Txt9062},
        {ASprache, &Spredit::Txt9066},
        {ADeviceHelp, &Spredit::Txt9074},
        {AQuickHelp, &Spredit::Txt9043},
        {AAbout, &Spredit::Txt9073},
        {ACollapseAll, &Spredit::Txt9077},
        {AExpandAll, &Spredit::Txt9078},
        {AExpand, &Spredit::Txt9042},
        {ACollapse, &Spredit::Txt9188},
        {ADefault, &Spredit::Txt9041},
        {AProjektierungsfenster, &Spredit::Txt9079},
        {AMelderHinzufuegen, &SprAz::Txt10138},
        {AMelderLoeschen, &SprAz::Txt10182},
        {ALinkToGrpAdr, &Spredit::Txt9180},
        {AMelderKopieren, &SprAz::Txt10242},
        {AMelderEinfuegen, &SprAz::Txt10243},
        {AEreignisspeicherAuslesen, &SprAz::Txt10250},
        {ASetDateTime, &SprAz::Txt10341},
        {AUeberlappend, &Spredit::Txt9072},
        {ANebeneinander, &Spredit::Txt9071},
        {AUebereinander, &Spredit::Txt9070},
        {ASymbole, &Spredit::Txt9076},
    };
    // ACopy and APaste have no text of their own: no menu shows them.
    for (const auto& [action, text] : texte)
        action->setText(QString::fromStdString(*text));
}

std::string TDM::ProgrammOrdner() const
{
    const auto slash = ProgrammDatei.find_last_of('/');
    return slash == std::string::npos ? std::string() : ProgrammDatei.substr(0, slash + 1);
}

std::string TDM::GetProgramFileName()
{
    return ::GetModuleFileName();
}

void TDM::StartTimerAutoSave(bool enable)
{
    LOG_FKT("TDM::StartTimerAutoSave");
    // Minutes beyond what a timer holds run at the longest interval; less than one minute
    // would save continuously, so the timer stays stopped.
    const int64_t ms = std::min<int64_t>(static_cast<int64_t>(AutoSaveMinuten) * 60000, INT_MAX);
    m_timerAutoSave->setInterval(static_cast<int>(std::max<int64_t>(ms, 0)));
    if (enable && AutoSave && AutoSaveMinuten > 0)
        m_timerAutoSave->start();
    else
        m_timerAutoSave->stop();
}

void TDM::TimerAutoSaveTimer()
{
    LOG_FKT("TDM::TimerAutoSaveTimer");
    Sicher([](TFormMain& m) { m.SaveToFile(""); });
}

void TDM::OnShortCut(QKeyEvent* key, bool& handled)
{
    handled = false;
    if (!key || IstModifikator(key->key()) || FokusBehaeltTaste(*key))
        return;
    const QKeySequence taste = Taste(*key);
    for (QAction* action : m_actions) {
        if (!action->isEnabled())
            continue;
        const QList<QKeySequence> kurz = action->shortcuts();
        if (std::find(kurz.begin(), kurz.end(), taste) == kurz.end())
            continue;
        action->trigger();
        handled = true;
        return;
    }
}

QIcon TDM::Icon(int index)
{
    return Bilder::Icon(index);
}

void TDM::ABeendenExecute()
{
    LOG_FKT("TDM::ABeendenExecute");
    if (!FormMain)
        return;
    // Each check has told the user what is missing when it answers false.
    if (!FormMain->AzCheckObjAlarmResetLinkToGrpAdr())
        return;
    if (!FormMain->AzCheckObjektMeldertest())
        return;
    if (!FormMain->AzCheckObjekteMelder())
        return;
    if (!FormMain->AzCheckObjekteScharfschaltEingang())
        return;
    FormMain->ApplCloseOrHide(false, false);
}

void TDM::AAboutExecute()
{
    LOG_FKT("TDM::AAboutExecute");
    StartDlgInfo(Spredit::Txt9045, Spredit::Txt9046, "", ProgrammOrdner() + "Az/AboutImage/Az.bmp");
}

void TDM::ASpracheExecute()
{
    LOG_FKT("TDM::ASpracheExecute");
    // Every value is written back as read, so that the file shows the keys a translator
    // fills in. A failed write changes nothing the dialog needs.
    const TIniRegistry ini;
    const int32_t anzahl = ini.Read(IniDatei, IniKey::SpracheCount);
    static_cast<void>(ini.Write(IniDatei, IniKey::SpracheCount, anzahl));
    std::map<std::string, std::string> sprachen;
    for (int32_t i = 0; i < std::min(anzahl, kMaxSprachen); ++i) {
        std::string sprache;
        std::string ext;
        ini.ReadString(IniDatei, IniSection::Sprache, IniKey::Sprache(i), sprache, "");
        ini.ReadString(IniDatei, IniSection::Sprache, IniKey::SprachExt(i), ext, "");
        static_cast<void>(ini.WriteString(IniDatei, IniSection::Sprache, IniKey::Sprache(i), sprache));
        static_cast<void>(ini.WriteString(IniDatei, IniSection::Sprache, IniKey::SprachExt(i), ext));
        sprachen.emplace(ext, sprache);
    }
    const TSpracheinstellungTexte texte{Spredit::Txt9048, Spredit::Txt9049, Spredit::Txt9050,
                                        Spredit::Txt9051, Spredit::Txt9052, Spredit::Txt9053,
                                        Spredit::Txt9054, Spredit::Txt9003, Spredit::Txt9055,
                                        Spredit::Txt9056};
    if (StartDlgSpracheinstellung(texte, sprachen, 1))
        Restart = true;
}

void TDM::ADeviceHelpExecute()
{
    LOG_FKT("TDM::ADeviceHelpExecute");
    // What cannot be shown (no file, no topic) is told to the user by WinHelp itself.
    static_cast<void>(WinHelp(MainHandle, HilfeDatei, HELP_FINDER, kHilfeFinderDaten));
}
