#pragma once
// Runs the work of a dialog's slot so that no exception reaches Qt's event loop: what escapes
// goes to the main window's handler, which shows it and ends the program.

#include <exception>
#include <string>

// The main window's "show and end" handler (TFormMain::ApplicationEventsException).
void MeldeUnerwartetenFehler(const std::string& what);

template <class F>
void Geschuetzt(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        MeldeUnerwartetenFehler(e.what());
    } catch (...) {
        MeldeUnerwartetenFehler("");
    }
}
