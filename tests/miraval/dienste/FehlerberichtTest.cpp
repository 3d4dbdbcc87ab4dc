// The exception report: the standard box until a handler is installed, the handler after.
#include "miraval/dienste/Fehlerbericht.h"

#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_gemeldet;

TEST(Fehlerbericht, WithoutAHandlerTheStandardBoxIsShown)
{
    const struct {
        const char* name;
        const char* what;
        const char* text;
    } faelle[] = {
        {"exception text", "kaputt", "kaputt"},
        {"no text", "", "Unbekannter Fehler."},
    };
    SetFehlerMelder(nullptr);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        TScriptedMessageBox boxen;
        MeldeUnerwartetenFehler(f.what);
        ASSERT_EQ(boxen.Count(), 1u);
        EXPECT_EQ(boxen.Shown()[0].text, f.text);
        EXPECT_EQ(boxen.Shown()[0].caption, "Miraval");
        EXPECT_EQ(boxen.Shown()[0].flags, UINT(MB_OK | MB_ICONERROR));
    }
}

TEST(Fehlerbericht, AnInstalledHandlerTakesTheReportInsteadOfTheBox)
{
    TScriptedMessageBox boxen;
    g_gemeldet.clear();
    SetFehlerMelder([](const std::string& what) { g_gemeldet.push_back(what); });
    MeldeUnerwartetenFehler("kaputt");
    SetFehlerMelder(nullptr);
    EXPECT_EQ(g_gemeldet, std::vector<std::string>{"kaputt"});
    EXPECT_EQ(boxen.Count(), 0u);
}

} // namespace
