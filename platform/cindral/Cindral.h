#pragma once
// The detail error box: a message for the user with what a developer needs to find its
// cause (details, source unit, line, function, and the time it was shown).

#include "win32/Windows.h"

#include <functional>
#include <string>

using TDetailMessageBoxHook =
    std::function<void(HWND owner, const std::string& text, const std::string& anwendung,
                       const std::string& details, const std::string& unit, int zeile,
                       const std::string& funktion, UINT icon)>;

// Installs a hook (the program's Qt dialog, a test's recorder) and returns the one it
// replaces (empty for the built-in default, which writes the box to standard error).
TDetailMessageBoxHook SetDetailMessageBoxHook(TDetailMessageBoxHook hook);

// text: the message; anwendung: the heading (the application's tag); details: free text,
// several lines; unit, zeile, funktion: where it was raised; icon: MessageBox icon flags
// (MB_ICONERROR ...). All texts are UTF-8.
void ShowDetailMessageBox(HWND owner, const std::string& text, const std::string& anwendung,
                          const std::string& details, const std::string& unit, int zeile,
                          const std::string& funktion, UINT icon);
