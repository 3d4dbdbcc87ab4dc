#pragma once
// Runs the work of a dialog's slot so that no exception reaches Qt's event loop: what escapes
// goes to the exception report, which shows it and ends the program.

#include "miraval/dienste/Fehlerbericht.h"

#include <exception>
#include <string>

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
