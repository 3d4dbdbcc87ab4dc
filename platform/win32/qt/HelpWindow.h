#pragma once
// The help window: what WinHelp shows in the program. A help file is an HTML document (UTF-8)
// that begins with its contents and marks every topic with an anchor named by the topic's
// context number (<a name="5110">); its links to "#5110" lead from the contents to the topics.

#include "win32/Windows.h"

#include <cstdint>
#include <string>

class QTextBrowser;

// Shows helpFile in the application's one help window (made on first use, closed by the
// user): HELP_FINDER from the top, where the contents stand, HELP_CONTEXT at the topic named
// data; HELP_QUIT closes the window (any file). The window belongs to the modal dialog that asks for help, so it can be read while
// that dialog is open, else to owner's window. A file that cannot be read, a topic it does not
// hold and any other command are told to the user in a message box (caption "Hilfe"),
// nothing is shown and the answer is false.
bool ShowHelpWindow(HWND owner, const std::string& helpFile, UINT command, std::uintptr_t data);

// The help window's browser; null while no help window is open.
QTextBrowser* HelpBrowser();
