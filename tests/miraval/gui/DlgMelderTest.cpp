// The dialog that asks how many detector inputs to add: what OK, Enter, Cancel and the close
// box give for what was typed, and how the edit reads its text; the add command of the main
// window with it.
#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/DlgMelderHinzufuegen.h"
#include "miraval/ui/FProjektierung.h"
#include "DemoProject.h"
#include "MainUmgebung.h"
#include "dorlin/Dorlin.h"
#include "dorlin/DorlinAnzeige.h"
#include "dorlin/qt/DorlinQt.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsEventChannel.h"
#include "support/ScriptedMessageBox.h"
#include "win32/Shell.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "support/qt/ModalDialog.h"
#include "support/Zeilenname.h"
#include "win32/qt/QtPlatform.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace {

// Shows the dialog modally and does what the row says.
int Zeigen(TDlgMelderHinzufuegen& dialog, const std::function<void(TDlgMelderHinzufuegen&)>& aktion)
{
    return ZeigeModal(dialog, aktion);
}

void Tippen(TDlgMelderHinzufuegen& d, const char* text)
{
    d.SpinEditAnzahlMelder->selectAll();
    QTest::keyClicks(d.SpinEditAnzahlMelder, QString::fromUtf8(text));
}

struct TZeile {
    const char* name;
    int32_t maximum;
    const char* getippt; // nullptr: nothing typed
    enum { Ok, Enter, Abbrechen, Schliessen } wie;
    int ergebnis;
    int32_t anzahl;      // the caller's count afterwards (0 before)
    const char* zeigt;   // the edit's text afterwards; nullptr: not checked
};

struct DlgMelderHinzufuegen : ::testing::TestWithParam<TZeile> {};

TEST_P(DlgMelderHinzufuegen, GivesTheCountAndResult)
{
    const TZeile& z = GetParam();
    int32_t anzahl = 0;
    TDlgMelderHinzufuegen dialog(nullptr, &anzahl, z.maximum);
    const int ergebnis = Zeigen(dialog, [&](TDlgMelderHinzufuegen& d) {
        if (z.getippt != nullptr)
            Tippen(d, z.getippt);
        switch (z.wie) {
        case TZeile::Ok:
            d.BtnOk->click();
            break;
        case TZeile::Enter:
            QTest::keyClick(d.SpinEditAnzahlMelder, Qt::Key_Return);
            break;
        case TZeile::Abbrechen:
            d.BtnAbbrechen->click();
            break;
        case TZeile::Schliessen:
            d.close();
            break;
        }
    });
    EXPECT_EQ(ergebnis, z.ergebnis);
    EXPECT_EQ(anzahl, z.anzahl);
    if (z.zeigt != nullptr) {
        EXPECT_EQ(dialog.SpinEditAnzahlMelder->text().toStdString(), z.zeigt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Eingaben, DlgMelderHinzufuegen,
    ::testing::Values(TZeile{"OkTakesTheDefaultOne", 150, nullptr, TZeile::Ok, 1, 1, "1"},
                      TZeile{"OkTakesATypedCount", 150, "37", TZeile::Ok, 1, 37, "37"},
                      TZeile{"OkBringsACountAboveTheMaximumBack", 150, "200", TZeile::Ok, 1, 150, "150"},
                      TZeile{"EnterTakesACountAboveTheMaximumAsTyped", 150, "200", TZeile::Enter, 1, 200, nullptr},
                      TZeile{"OkGivesOneForNoNumber", 150, "abc", TZeile::Ok, 1, 1, "1"},
                      TZeile{"EnterGivesOneForNoNumber", 150, "x7", TZeile::Enter, 1, 1, "1"},
                      TZeile{"EnterGivesOneBelowOne", 150, "-4", TZeile::Enter, 1, 1, "1"},
                      TZeile{"OkBringsAHugeNumberBack", 150, "99999999999", TZeile::Ok, 1, 150, "150"},
                      TZeile{"EnterSaturatesAHugeNumber", 150, "99999999999", TZeile::Enter, 1, INT32_MAX, nullptr},
                      TZeile{"AMaximumBelowOneCountsAsOne", 0, "5", TZeile::Ok, 1, 1, "1"},
                      TZeile{"CancelLeavesTheCount", 150, "5", TZeile::Abbrechen, 2, 0, nullptr},
                      TZeile{"TheCloseBoxLeavesTheCount", 150, "5", TZeile::Schliessen, 2, 0, nullptr}),
    TZeilenName());

TEST(DlgMelderHinzufuegenForm, PromptRangeAndFocus)
{
    int32_t anzahl = 0;
    TDlgMelderHinzufuegen dialog(nullptr, &anzahl, 156);
    Zeigen(dialog, [](TDlgMelderHinzufuegen& d) {
        EXPECT_EQ(d.focusWidget(), d.SpinEditAnzahlMelder); // the window need not be active
        d.BtnAbbrechen->click();
    });
    EXPECT_EQ(dialog.LabelMelderHinzufuegen->text().toStdString(), "Anzahl anzulegender Eingänge");
    EXPECT_EQ(dialog.SpinEditAnzahlMelder->maximum(), 156);
}

// ---- Through the main window ----------------------------------------------------------------------

TEST(MelderHinzufuegenBefehl, AddsTheCountTypedToTheSelectedArea)
{
    namespace fs = std::filesystem;
    const fs::path ordner = fs::temp_directory_path() / ("miraval-melder-" + std::to_string(::getpid()));
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    SetModuleFileNameOverride((ordner / "miraval").string());
    ASSERT_TRUE(BuildDemoProject(ordner / "demo.db").ok);
    TScriptedMessageBox boxen{IDOK};
    {
        TDM dm;
        DM = &dm;
        TFormMain main(kDemoModuleName);
        ASSERT_TRUE(main.GetEts()->OpenProjectStore(ordner / "demo.db").ok);
        std::ostringstream antworten;
        TEtsEventChannel kanal(*main.GetEts(), antworten);
        kanal.HandleLine("EditParameters 1");
        PumpMessages();
        TDeviceInstanzAz* inst = main.GetAktDevInst();
        ASSERT_NE(inst, nullptr);
        ASSERT_NE(FormVerw, nullptr);
        TDataBasis* bereich = nullptr;
        for (const auto& [handle, node] : inst->GetKnoten())
            if (bereich == nullptr && node->GetTyp() == 6127)
                bereich = node.get();
        ASSERT_TRUE(FormVerw->SelectNode(bereich));
        const int vorher = inst->GetAnzahlEingaenge();

        std::string caption;
        QTimer::singleShot(0, [&] {
            if (auto* d = dynamic_cast<TDlgMelderHinzufuegen*>(QApplication::activeModalWidget())) {
                caption = d->windowTitle().toStdString();
                Tippen(*d, "3");
                QTest::keyClick(d->SpinEditAnzahlMelder, Qt::Key_Return);
            }
        });
        DM->AMelderHinzufuegen->trigger();
        PumpMessages();

        EXPECT_EQ(caption, "Eingänge hinzufügen");
        EXPECT_EQ(inst->GetAnzahlEingaenge(), vorher + 3);
        EXPECT_EQ(main.GetStatusText(2), std::to_string(vorher + 2));
        EXPECT_FALSE(IsDlgProgressOpen());
        EXPECT_TRUE(DM->DataChanged);
        EXPECT_EQ(boxen.Count(), 0u);

        // The progress dialog's cancel reaches the running instance through the dispatcher.
        main.StartDlgProgressAbbrechbar("t", "x", 0, 2, 3);
        CancelDlgProgress();
        PumpMessages();
        EXPECT_TRUE(inst->GetAbbrechen());
        EXPECT_TRUE(IsDlgProgressOpen()) << "the run closes it";
        main.StopDlgProgress();
        DM->DataChanged = false;
    }
    DM = nullptr;
    PumpMessages();
    SetModuleFileNameOverride("");
    fs::remove_all(ordner);
}

// While the run lets the loop turn, its progress window holds the editor: closing the main
// window or the project window and starting a second run reach nothing, the cancel still does.
using MelderHinzufuegenLauf = TMainUmgebung;

TEST_F(MelderHinzufuegenLauf, HoldsTheEditorUntilItEndsAndStillTakesTheCancel)
{
    TDorlinAnzeige* vorher = SetDorlinAnzeige(nullptr); // put back at the end
    SetDorlinAnzeige(vorher);
    InstallDorlinQt();
    SetWindowWidget(main->GetHandle(), main.get());
    main->show();
    ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    TDeviceInstanzAz* inst = main->GetAktDevInst();
    DM->AProjektierungsfenster->trigger();
    PumpMessages();
    QPointer<TFormVerw> fenster = FormVerw;
    ASSERT_EQ(main->GetFormVerwListe().size(), 2u);
    TDataBasis* bereich = nullptr;
    for (const auto& [handle, node] : inst->GetKnoten())
        if (bereich == nullptr && node->GetTyp() == AzTyp::SicherungsBereich1)
            bereich = node.get();
    ASSERT_TRUE(fenster->SelectNode(bereich));
    const int vorherEingaenge = inst->GetAnzahlEingaenge();

    bool modal = false;
    int zweiteDialoge = 0;
    QTimer::singleShot(0, [&] {
        auto* anzahl = dynamic_cast<TDlgMelderHinzufuegen*>(QApplication::activeModalWidget());
        ASSERT_NE(anzahl, nullptr);
        Tippen(*anzahl, "50");
        // Runs at the first turn of the loop inside the run.
        QTimer::singleShot(0, [&] {
            auto* fortschritt = dynamic_cast<QDialog*>(QApplication::activeModalWidget());
            modal = fortschritt != nullptr && fortschritt->windowTitle() == QStringLiteral("Eingänge hinzufügen");
            EXPECT_FALSE(main->close());
            EXPECT_FALSE(fenster->close());
            // A second run would ask for its count in a modal dialog of its own.
            QTimer::singleShot(0, [&] {
                if (auto* zweiter = dynamic_cast<TDlgMelderHinzufuegen*>(QApplication::activeModalWidget())) {
                    ++zweiteDialoge;
                    zweiter->reject();
                }
            });
            DM->AMelderHinzufuegen->trigger();
            // What the progress window's cancel button does; the program's loop drains the
            // message it posts.
            CancelDlgProgress();
            PumpMessages();
        });
        anzahl->BtnOk->click();
    });
    DM->AMelderHinzufuegen->trigger();
    PumpMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(modal) << "the progress window must hold the editor";
    EXPECT_EQ(zweiteDialoge, 0) << "a second run started during the first";
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->GetAktDevInst(), inst);
    ASSERT_FALSE(fenster.isNull()) << "the project window was closed under the run";
    EXPECT_LT(inst->GetAnzahlEingaenge() - vorherEingaenge, 50) << "the cancel did not stop the run";
    EXPECT_FALSE(IsDlgProgressOpen());
    // Once the run is over, the windows close again.
    EXPECT_TRUE(fenster->close());
    SetWindowWidget(main->GetHandle(), nullptr);
    SetDorlinAnzeige(vorher);
}

} // namespace
