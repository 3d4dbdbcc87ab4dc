#pragma once
// The report of an exception that no handler caught. Every layer of the editor reports through
// here; what the report does is the main window's (TFormMain::ApplicationEventsException: the
// standard exception box, then the program ends), which it installs when it is made. Until
// then the standard box is shown without an owner and the running event loop is ended.
//
// Main thread only.

#include "win32/Windows.h"

#include <string>

using TFehlerMelder = void (*)(const std::string& what);

// Runs the installed report; what is the exception's text, empty when it has none.
void MeldeUnerwartetenFehler(const std::string& what);
// nullptr: back to the standard box alone.
void SetFehlerMelder(TFehlerMelder melder);

// The standard exception box: the text, or "Unbekannter Fehler." when it is empty, with an
// error icon and an OK button.
void ZeigeFehlerBox(HWND owner, const std::string& titel, const std::string& what);

// Asks the running event loop to end. Without one (tests) nothing: a request would stay
// pending and end the next loop that starts, a modal dialog's included.
void BeendeAnwendung();
