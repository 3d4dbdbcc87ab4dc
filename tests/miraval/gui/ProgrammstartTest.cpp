// The guard around start-up: an exception that escapes it is shown and the program ends with 0.
#include "miraval/app/Main.h"
#include "miraval/app/Programmstart.h"
#include "miraval/dienste/DaMo.h"
#include "DemoProject.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "support/ScriptedMessageBox.h"
#include "win32/Shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {

TEST(Programmstart, AnExceptionAtStartUpIsShownInTheExceptionBoxAndEndsWithZero)
{
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("miraval-start-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    SetModuleFileNameOverride((ordner / "miraval").string());
    TDM dm;
    const struct {
        const char* name;
        std::function<int()> lauf;
        int ende;
        const char* text; // of the box; null: none
    } faelle[] = {
        {"no exception", [] { return 3; }, 3, nullptr},
        {"std::exception", []() -> int { throw std::runtime_error("kaputt"); }, 0, "kaputt"},
        {"anything else", []() -> int { throw 5; }, 0, "Unbekannter Fehler."},
        // Made without a device type, the main window asks for it: the box throws.
        {"main window", [] { return TFormMain("").GetHandle() != nullptr; }, 0, "Eingabe"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TScriptedMessageBox boxen;
        const TInputBoxHook vorher = SetInputBoxHook([](HWND, const std::string&, const std::string&,
                                                        std::string&) -> bool { throw std::runtime_error("Eingabe"); });
        EXPECT_EQ(StarteGeschuetzt(f.lauf), f.ende);
        SetInputBoxHook(vorher);
        ASSERT_EQ(boxen.Count(), f.text != nullptr ? 1u : 0u);
        if (f.text != nullptr) {
            EXPECT_EQ(boxen.Shown()[0].text, f.text);
            EXPECT_EQ(boxen.Shown()[0].flags, UINT(MB_OK | MB_ICONERROR));
        }
        EXPECT_EQ(FormMain, nullptr) << "no main window is left half made";
    }
    SetModuleFileNameOverride("");
    std::filesystem::remove_all(ordner);
}

TEST(Programmstart, ARefusedStoreIsToldOnStandardErrorAndWithADisplayAlsoInABox)
{
    const std::string grund = "ETS project store \"/p/x.db\" is locked by another program: database is locked";
    const std::string deutsch = "Die Projektdatenbank „/p/x.db“ ist von einem anderen Programm gesperrt.";
    for (const bool anzeige : {false, true}) {
        SCOPED_TRACE(anzeige);
        TScriptedMessageBox boxen;
        std::ostringstream fehler;
        EXPECT_EQ(StoreAbgelehnt(fehler, "miraval", "/p/x.db", grund, anzeige), 1);
        EXPECT_EQ(fehler.str(), "miraval: " + deutsch + " (" + grund + ")\n");
        ASSERT_EQ(boxen.Count(), anzeige ? 1u : 0u);
        if (anzeige) {
            EXPECT_EQ(boxen.Shown()[0].text, deutsch + "\nDer Editor wird beendet.");
            EXPECT_EQ(boxen.Shown()[0].caption, GetAnwendungsTitel());
            EXPECT_EQ(boxen.Shown()[0].flags, UINT(MB_OK | MB_ICONERROR));
        }
    }
}

// Each refusal of the store, as the store words it, is told in its German sentence; the file's
// name is never taken for the reason.
TEST(Programmstart, EveryRefusalOfTheStoreHasItsGermanReason)
{
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("miraval-store-" + std::to_string(::getpid()));
    std::filesystem::remove_all(ordner);
    std::filesystem::create_directories(ordner);
    const std::filesystem::path fremd = ordner / "does not exist.db";
    std::ofstream(fremd) << "kein SQLite";
    const std::filesystem::path leer = ordner / "leer.db";
    {
        TOtherProgram anderes(leer);
        anderes.Sql("CREATE TABLE t(x)");
    }
    const std::filesystem::path gesperrt = ordner / "gesperrt.db";
    ASSERT_TRUE(BuildDemoProject(gesperrt).ok);
    TOtherProgram sperre(gesperrt);
    sperre.Sql("BEGIN EXCLUSIVE");
    const struct {
        std::filesystem::path store;
        std::string grund;
    } faelle[] = {
        {ordner / "fehlt.db", "Die Projektdatenbank „" + (ordner / "fehlt.db").string() + "“ gibt es nicht."},
        {fremd, "Die Datei „" + fremd.string() + "“ ist keine ETS-Projektdatenbank."},
        {leer, "Die Datei „" + leer.string() + "“ ist keine ETS-Projektdatenbank."},
        {gesperrt, "Die Projektdatenbank „" + gesperrt.string() + "“ ist von einem anderen Programm gesperrt."},
        {ordner, "Die Projektdatenbank „" + ordner.string() + "“ gibt es nicht."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.store);
        const TEtsStatus offen = StorePruefen(f.store);
        ASSERT_FALSE(offen);
        EXPECT_EQ(StoreGrund(f.store, offen.message), f.grund) << offen.message;
    }
    EXPECT_EQ(StoreGrund("x.db", "something else"), "Die Projektdatenbank „x.db“ kann nicht geöffnet werden.");
    sperre.Sql("ROLLBACK");
    std::filesystem::remove_all(ordner);
}

} // namespace
