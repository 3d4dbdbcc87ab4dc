// Every way the editor asks for help reaches the help document that ships beside the program,
// at a topic the document holds.
#include "miraval/app/Main.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/DlgOptionen.h"
#include "miraval/ui/DlgSelGrpAddr.h"
#include "miraval/ui/FProjektierung.h"
#include "MainUmgebung.h"
#include "support/ScriptedMessageBox.h"
#include "win32/Shell.h"
#include "win32/qt/HelpWindow.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Hilfe = TMainUmgebung;

TEST_F(Hilfe, EveryHelpCommandShowsAContentsOrTopicOfTheShippedDocument)
{
    // The program folder holds what the build puts beside the program.
    std::error_code fehlt;
    std::filesystem::copy_file(std::filesystem::path(MIRAVAL_PROGRAM).parent_path() / "az_deu.hlp",
                               ordner / "az_deu.hlp", fehlt);
    std::vector<std::string> aufrufe;
    auto alterHook = SetWinHelpHook([&](HWND, const std::string& datei, UINT befehl, std::uintptr_t daten) {
        aufrufe.push_back(datei + " " + std::to_string(befehl) + " " + std::to_string(daten));
        return true;
    });
    ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    struct Row {
        const char* name;
        std::function<void()> fragen;
        UINT befehl;
        std::uintptr_t daten;
    };
    const Row rows[] = {
        {"Hilfe menu", [] { DM->ADeviceHelp->trigger(); }, HELP_FINDER, 10},
        {"F1 in the main window", [this] { QTest::keyClick(main.get(), Qt::Key_F1); }, HELP_FINDER, 10},
        {"F1 in the project window", [] { QTest::keyClick(FormVerw, Qt::Key_F1); }, HELP_FINDER, 10},
        {"options dialog", [this] { TDlgOptionen(main.get(), main->GetEts()).BitBtnHelp->click(); }, HELP_CONTEXT, 5000},
        {"group-address selection",
         [this] {
             std::vector<TObjektBasis::RecGrpAdrId> links;
             TDlgSelGrpAddr(main.get(), 3, nullptr, &links, nullptr, nullptr, nullptr)
                 .findChild<QPushButton*>(QStringLiteral("BtnHelp"))
                 ->click();
         },
         HELP_CONTEXT, 5110},
    };
    const std::string dokument = (ordner / "az_deu.hlp").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        aufrufe.clear();
        row.fragen();
        EXPECT_EQ(aufrufe, std::vector<std::string>{dokument + " " + std::to_string(row.befehl) + " " +
                                                    std::to_string(row.daten)});
        // The program's help window has it to show.
        EXPECT_TRUE(ShowHelpWindow(main->GetHandle(), dokument, row.befehl, row.daten));
        if (HelpBrowser() != nullptr)
            HelpBrowser()->window()->close();
    }
    EXPECT_EQ(boxen.Count(), 0u);
    // The return to ETS closes what help shows with the editor.
    aufrufe.clear();
    {
        TScriptedMessageBox ja{IDYES};
        DM->ABeenden->trigger();
        PumpMessages();
    }
    EXPECT_EQ(aufrufe, std::vector<std::string>{dokument + " " + std::to_string(HELP_QUIT) + " 0"});
    SetWinHelpHook(std::move(alterHook));
}

} // namespace
