#pragma once
// TDM, the data module: the editor's actions (menus, tool bar and keys are bound to them),
// the icons of nodes and actions, the auto-save timer and the settings that several windows
// read. One instance (the global DM) lives from program start to end; it is made before the
// main window.
//
// The settings are plain members: read from the INI file by the main window (GetRegData)
// and the windows that use them, changed in memory, written back at fixed moments.
//
// The module names no window: the main window connects each action and the auto-save tick to
// its own operation when it is made, so that an action does nothing while no main window
// exists. The module's own handlers (language, help, about box) are public for that table.

#include "win32/Windows.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QIcon;
class QKeyEvent;
class QTimer;

class TDM : public QObject {
public:
    TDM();
    ~TDM() override;

    // ---- Settings in memory --------------------------------------------------------------------
    std::string EtsIniPfad;           // ETS's own settings file (group-address levels)
    std::string EtsIniSection;        // its section and key of the level value
    std::string EtsIniKey;
    std::string HilfeDatei;           // program folder + "az_deu.hlp"
    int GrpAdrLevel = 3;              // 3 three levels, any other value two
    uint8_t GridFuellen = 0;          // grid-filling flag
    bool TableAutoCellActivate = true;
    int TableAutoCellActivateRow = 0;
    bool AutoSave = false;
    int AutoSaveMinuten = 5;
    bool DataChanged = false;         // an edit changed the device's data since it was loaded
    bool Restart = false;             // the language was changed: the next leave closes
    std::string IniDatei;             // program file with ".ini"
    int32_t LogPriority = 1024;
    int32_t LogFreigabe = -1;
    bool LogStart = false;
    bool LogTime = true;
    std::string ProgrammDatei;        // full path of the running program
    HWND MainHandle = nullptr;        // target of every window message of the libraries
    int32_t ColorGridCommmon = static_cast<int32_t>(0x8000000F);
    int32_t ColorGridCell = 0xFFFFFF;
    int32_t ColorGridTitle = 0xFFFFFF;
    int32_t ColorGridCellReadOnly = static_cast<int32_t>(0x8000000F);
    int Gitternetzlinien = 1;
    bool GridAutoSize = true;
    int GridColDefSize = 150;
    std::string FileCharTab;          // kept for the INI file; nothing reads it
    bool StatusOnCopyDevice = false;  // set while ETS copies a device

    // The folder of the program file, ending in "/".
    std::string ProgrammOrdner() const;
    // The running program's full path (the module file name).
    static std::string GetProgramFileName();

    // ---- Auto-save -----------------------------------------------------------------------------
    // Interval := AutoSaveMinuten minutes; the timer runs only when enable and AutoSave.
    void StartTimerAutoSave(bool enable);
    QTimer* TimerAutoSave() const { return m_timerAutoSave; }
    // The timer's tick: runs the operation given below (the main window's safety copy to its
    // default path); nothing while none is given.
    void TimerAutoSaveTimer();
    void SetAutoSaveAusfuehrung(std::function<void()> sichern);

    // ---- Keys ----------------------------------------------------------------------------------
    // handled := one of the actions has the key as its shortcut (and was triggered). A key
    // that the focused widget keeps for itself (a text field's editing keys) is no shortcut.
    void OnShortCut(QKeyEvent* key, bool& handled);

    // ---- Icons ---------------------------------------------------------------------------------
    // The image of an image-list index (nodes' GetIcon, tool buttons): one table, the desktop
    // theme's icon where it has one, else a built-in drawing. Any index gives an icon.
    static QIcon Icon(int index);

    // ---- Actions (owned by the module) ---------------------------------------------------------
    QAction* APrint = nullptr;
    QAction* AImport = nullptr;
    QAction* AExport = nullptr;
    QAction* ABeenden = nullptr;
    QAction* AVerwerfen = nullptr;
    QAction* APrintPreview = nullptr;
    QAction* ARestoreSaveCopy = nullptr;
    QAction* AAutoSave = nullptr;
    QAction* AOption = nullptr;
    QAction* ASprache = nullptr;
    QAction* ADeviceHelp = nullptr;
    QAction* AQuickHelp = nullptr;
    QAction* AAbout = nullptr;
    QAction* ACollapseAll = nullptr;
    QAction* AExpandAll = nullptr;
    QAction* AExpand = nullptr;
    QAction* ACollapse = nullptr;
    QAction* ACopy = nullptr;
    QAction* APaste = nullptr;
    QAction* ADefault = nullptr;
    QAction* AProjektierungsfenster = nullptr;
    QAction* AMelderHinzufuegen = nullptr;
    QAction* AMelderLoeschen = nullptr;
    QAction* ALinkToGrpAdr = nullptr;
    QAction* AMelderKopieren = nullptr;
    QAction* AMelderEinfuegen = nullptr;
    QAction* AEreignisspeicherAuslesen = nullptr;
    QAction* ASetDateTime = nullptr;
    QAction* AUeberlappend = nullptr;
    QAction* ANebeneinander = nullptr;
    QAction* AUebereinander = nullptr;
    QAction* ASymbole = nullptr;
    // Every action, in the order of the list above.
    const std::vector<QAction*>& Actions() const { return m_actions; }

    // ---- Action handlers (public so that tests and menus run the same path) ----------------------
    void AAboutExecute();
    void ASpracheExecute();
    void ADeviceHelpExecute();

private:
    void DataModuleCreate();
    // The 32 actions with names, categories, shortcuts and images (no captions, no handlers).
    void ErzeugeAktionen();
    // The actions' captions from the language texts.
    void SetzeTexte();

    QTimer* m_timerAutoSave = nullptr;
    std::function<void()> m_autoSave;
    std::vector<QAction*> m_actions;
};

extern TDM* DM;
