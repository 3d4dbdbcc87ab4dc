// The guard around start-up: an exception that escapes it is shown and the program ends with 0.
#include "miraval/app/DaMo.h"
#include "miraval/app/Main.h"
#include "miraval/app/Programmstart.h"
#include "support/ScriptedMessageBox.h"
#include "win32/Shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The main window made without a device type asks for it; an input box that throws stands in
// for any form that cannot be made.
int HauptfensterOhneEingabe()
{
    const fs::path ordner = fs::temp_directory_path() / ("miraval-start-" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    SetModuleFileNameOverride((ordner / "miraval").string());
    TDM dm;
    const TInputBoxHook vorher = SetInputBoxHook(
        [](HWND, const std::string&, const std::string&, std::string&) -> bool { throw std::runtime_error("Eingabe"); });
    struct TZurueck {
        const TInputBoxHook& hook;
        fs::path ordner;
        ~TZurueck()
        {
            SetInputBoxHook(hook);
            SetModuleFileNameOverride("");
            fs::remove_all(ordner);
        }
    } zurueck{vorher, ordner};
    TFormMain main("");
    return 1;
}

TEST(Programmstart, AnExceptionAtStartUpIsShownInTheExceptionBoxAndEndsWithZero)
{
    const struct {
        const char* name;
        std::function<int()> lauf;
        int ende;
        const char* text; // of the box; null: none
    } faelle[] = {
        {"no exception", [] { return 3; }, 3, nullptr},
        {"std::exception", []() -> int { throw std::runtime_error("kaputt"); }, 0, "kaputt"},
        {"anything else", []() -> int { throw 5; }, 0, "Unbekannter Fehler."},
        {"main window", HauptfensterOhneEingabe, 0, "Eingabe"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TScriptedMessageBox boxen;
        EXPECT_EQ(StarteGeschuetzt(f.lauf), f.ende);
        ASSERT_EQ(boxen.Count(), f.text != nullptr ? 1u : 0u);
        if (f.text != nullptr) {
            EXPECT_EQ(boxen.Shown()[0].text, f.text);
            EXPECT_EQ(boxen.Shown()[0].flags, UINT(MB_OK | MB_ICONERROR));
        }
        EXPECT_EQ(FormMain, nullptr) << "no main window is left half made";
    }
}

} // namespace
