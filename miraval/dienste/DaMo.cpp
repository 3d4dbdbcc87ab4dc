#include "miraval/dienste/DaMo.h"

#include "miraval/dienste/Bilder.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
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
#include <QWidget>

#include <algorithm>
#include <climits>
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
    };
    const QKeySequence ohne;
    // In the order of the action list; captions are set by DataModuleCreate. What each runs is
    // connected by the main window.
    const TZeile zeilen[] = {
        {&TDM::APrint, "APrint", "Datei", QKeySequence(Qt::CTRL | Qt::Key_P), 64},
        {&TDM::AImport, "AImport", "Datei", ohne, -1},
        {&TDM::AExport, "AExport", "Datei", ohne, -1},
        {&TDM::ABeenden, "ABeenden", "Datei", QKeySequence(Qt::CTRL | Qt::Key_Q), -1},
        {&TDM::AVerwerfen, "AVerwerfen", "Datei", ohne, -1},
        {&TDM::APrintPreview, "APrintPreview", "Datei", ohne, 63},
        {&TDM::ARestoreSaveCopy, "ARestoreSaveCopy", "Datei", ohne, -1},
        {&TDM::AAutoSave, "AAutoSave", "Datei", ohne, 68},
        {&TDM::AOption, "AOption", "Einstellung", ohne, -1},
        {&TDM::ASprache, "ASprache", "Einstellung", ohne, -1},
        {&TDM::ADeviceHelp, "ADeviceHelp", "Hilfe", QKeySequence(Qt::Key_F1), -1},
        {&TDM::AQuickHelp, "AQuickHelp", "Hilfe", QKeySequence(Qt::CTRL | Qt::Key_F1), -1},
        {&TDM::AAbout, "AAbout", "Hilfe", ohne, -1},
        {&TDM::ACollapseAll, "ACollapseAll", "Projektierung", QKeySequence(Qt::CTRL | Qt::Key_E), 61},
        {&TDM::AExpandAll, "AExpandAll", "Projektierung", QKeySequence(Qt::CTRL | Qt::Key_A), 60},
        {&TDM::AExpand, "AExpand", "Projektierung", ohne, -1},
        {&TDM::ACollapse, "ACollapse", "Projektierung", ohne, -1},
        {&TDM::ACopy, "ACopy", "Projektierung", ohne, -1},
        {&TDM::APaste, "APaste", "Projektierung", ohne, -1},
        {&TDM::ADefault, "ADefault", "Projektierung", ohne, -1},
        {&TDM::AProjektierungsfenster, "AProjektierungsfenster", "Projektierung",
         QKeySequence(Qt::CTRL | Qt::Key_N), -1},
        {&TDM::AMelderHinzufuegen, "AMelderHinzufuegen", "Projektierung", ohne, 65},
        {&TDM::AMelderLoeschen, "AMelderLoeschen", "Projektierung", ohne, 62},
        {&TDM::ALinkToGrpAdr, "ALinkToGrpAdr", "Projektierung", ohne, -1},
        {&TDM::AMelderKopieren, "AMelderKopieren", "Projektierung", ohne, 66},
        {&TDM::AMelderEinfuegen, "AMelderEinfuegen", "Projektierung", ohne, 67},
        {&TDM::AEreignisspeicherAuslesen, "AEreignisspeicherAuslesen", "Projektierung", ohne, -1},
        {&TDM::ASetDateTime, "ASetDateTime", "Projektierung", ohne, -1},
        {&TDM::AUeberlappend, "AUeberlappend", "Fenster", QKeySequence(Qt::SHIFT | Qt::Key_F5), -1},
        {&TDM::ANebeneinander, "ANebeneinander", "Fenster", QKeySequence(Qt::SHIFT | Qt::Key_F4), -1},
        {&TDM::AUebereinander, "AUebereinander", "Fenster", ohne, -1},
        {&TDM::ASymbole, "ASymbole", "Fenster", ohne, -1},
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
    if (m_autoSave)
        m_autoSave();
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

void TDM::SetAutoSaveAusfuehrung(std::function<void()> sichern)
{
    m_autoSave = std::move(sichern);
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
