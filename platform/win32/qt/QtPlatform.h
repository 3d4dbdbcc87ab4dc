#pragma once
// Points the hooks of the win32 layer at Qt, and keeps the registry of which widget stands
// for which window handle.

#include "win32/Windows.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QString>

#include <string>

class QCoreApplication;
class QWidget;

// Points the win32 hooks at Qt: MessageBox -> QMessageBox, InputBox -> QInputDialog, WinHelp
// -> the help window (HelpWindow.h), the screen cursor -> QGuiApplication override cursor,
// widens every dialog to its title and places it over its owner (DialogPlace.h), gives the
// rows of lists, trees and tables room for the accents (AccentRows.h), and drains
// the posted-message queue from the Qt event loop (PostMessage wakes the loop; draining is
// coalesced; SendMessage stays direct). Call once after the QApplication exists; the hooks it
// replaced come back when the application is destroyed. Does nothing without an application
// or when already installed.
void InstallQtPlatformHooks();

// Makes German (Germany) the default locale (numbers, dates and times of every widget and
// dialog) and loads Qt's German translations (qtbase_de from QLibraryInfo's translations
// path) into the application; false when no translation is found.
bool LoadQtTranslations(QCoreApplication& app);

// The widget that stands for a window handle (message box parents): registered by the window.
void SetWindowWidget(HWND window, QWidget* widget); // null widget removes
QWidget* WindowWidget(HWND window);                 // null when none (also once it is deleted)

// Lets Qt draw pending windows during long synchronous work, without delivering user input,
// socket notifications (the host's event channel) or posted window messages: those wait for
// the event loop, so the work is never re-entered. Timers still fire.
void ProcessPendingPaints();

// One turn of Qt's events in the middle of synchronous work (flags as QCoreApplication::
// processEvents takes them). Qt's glib event dispatcher delivers socket notifications even
// when they are excluded, so input that must wait for the program's own loop asks
// IsInShortPump() and keeps itself for later.
void ProcessEventsShort(QEventLoop::ProcessEventsFlags flags);
bool IsInShortPump();

// A UTF-8 text as a dialog shows it: every CR removed, so that "\n\r" and "\r\n" become one
// line break.
QString DisplayText(const std::string& text);

// The parent for a dialog of owner: its registered widget, else the active window (may be
// null).
QWidget* DialogParent(HWND owner);

// The icon that MessageBox flags name (MB_ICONERROR ...; none for other flags).
QMessageBox::Icon MessageBoxIcon(UINT flags);
