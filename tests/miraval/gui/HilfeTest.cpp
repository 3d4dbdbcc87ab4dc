// Every way the editor asks for help reaches the help document that ships beside the program,
// at a topic the document holds.
#include "miraval/app/DaMo.h"
#include "miraval/app/Main.h"
#include "miraval/ui/DlgOptionen.h"
#include "miraval/ui/DlgSelGrpAddr.h"
#include "miraval/ui/FProjektierung.h"
#include "MainUmgebung.h"
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

struct THilfeAufruf {
    std::string datei;
    UINT befehl;
    std::uintptr_t daten;
};

// The program folder holds what the build puts beside the program; help calls are recorded.
class Hilfe : public TMainUmgebung {
protected:
    void SetUp() override
    {
        TMainUmgebung::SetUp();
        const std::filesystem::path beimProgramm = std::filesystem::path(MIRAVAL_PROGRAM).parent_path() / "az_deu.hlp";
        std::error_code fehler;
        std::filesystem::copy_file(beimProgramm, ordner / "az_deu.hlp", fehler);
        m_vorher = SetWinHelpHook([this](HWND, const std::string& datei, UINT befehl, std::uintptr_t daten) {
            aufrufe.push_back({datei, befehl, daten});
            return true;
        });
        ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    }
    void TearDown() override
    {
        SetWinHelpHook(std::move(m_vorher));
        TMainUmgebung::TearDown();
    }

    std::vector<THilfeAufruf> aufrufe;

private:
    TWinHelpHook m_vorher;
};

TEST_F(Hilfe, EveryHelpCommandShowsAContentsOrTopicOfTheShippedDocument)
{
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
        {"options dialog",
         [this] {
             TDlgOptionen d(main.get(), main->GetEts());
             d.BitBtnHelp->click();
         },
         HELP_CONTEXT, 5000},
        {"group-address selection",
         [this] {
             std::vector<TObjektBasis::RecGrpAdrId> links;
             TDlgSelGrpAddr d(main.get(), 3, nullptr, &links, nullptr, nullptr, nullptr);
             d.findChild<QPushButton*>(QStringLiteral("BtnHelp"))->click();
         },
         HELP_CONTEXT, 5110},
    };
    const std::string dokument = (ordner / "az_deu.hlp").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        aufrufe.clear();
        row.fragen();
        ASSERT_EQ(aufrufe.size(), 1u);
        EXPECT_EQ(aufrufe[0].datei, dokument);
        EXPECT_EQ(aufrufe[0].befehl, row.befehl);
        EXPECT_EQ(aufrufe[0].daten, row.daten);
        // The program's help window shows it.
        EXPECT_TRUE(ShowHelpWindow(main->GetHandle(), dokument, row.befehl, row.daten));
        ASSERT_NE(HelpBrowser(), nullptr);
        EXPECT_TRUE(HelpBrowser()->window()->isVisible());
        HelpBrowser()->window()->close();
    }
    EXPECT_EQ(boxen.Count(), 0u);
}

} // namespace
