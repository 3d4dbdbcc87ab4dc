// Printing the configuration and reading the event memory from the main window, on the demo
// project: the report rendered to PDF files and to a recording canvas.
#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/ui/DlgAzEreignisspeicher.h"
#include "miraval/ui/FProjektierung.h"
#include "MainUmgebung.h"
#include "ovando/OvandoDruckerCanvas.h"
#include "ovando/OvandoPdfAnzeige.h"
#include "support/OvandoRecorder.h"

#include <QApplication>
#include <QPrinter>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class MainDruck : public TMainUmgebung {
protected:
    void SetUp() override
    {
        TMainUmgebung::SetUp();
        anzeige = std::make_unique<TOvandoPdfAnzeige>(ordner);
    }

    void TearDown() override
    {
        anzeige.reset();
        TMainUmgebung::TearDown();
    }

    void Oeffnen()
    {
        kanal->HandleLine("EditParameters 1");
        PumpMessages();
        ASSERT_NE(main->GetAktDevInst(), nullptr);
        ASSERT_NE(FormVerw, nullptr);
    }

    // A recorder with the page and line size the report's printer has.
    TOvandoRecorder WieDerDrucker()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFileName(QString::fromStdString((ordner / "mass.pdf").string()));
        TOvandoDruckerCanvas canvas(printer);
        EXPECT_TRUE(canvas.IsActive());
        return TOvandoRecorder(canvas.PageWidth(), canvas.PageHeight(), canvas.TextHeight(""));
    }

    std::unique_ptr<TOvandoPdfAnzeige> anzeige;
};

TEST_F(MainDruck, NothingIsPrintedWithoutADevice)
{
    main->Drucken();
    main->SeitenVorschau();
    EXPECT_EQ(main->GetReport(), nullptr);
    EXPECT_EQ(anzeige->Druckdialoge() + anzeige->Vorschauen(), 0);
}

TEST_F(MainDruck, PreviewAndPrintRenderTheTreeWithItsPropertyRows)
{
    Oeffnen();
    main->SeitenVorschau();
    ASSERT_NE(main->GetReport(), nullptr);
    EXPECT_EQ(main->GetReport()->GetInfo().Vorschau, 1);
    EXPECT_EQ(main->GetReport()->GetTitel(),
              "Projekt: Demo-Haus\nGerät: Alarmzentrale, Phys.Adr.: 01.01.001\n[Alarmzentrale AZ 244]");

    // Every node of the tree, in tree order; a node drawing a property page brings its rows.
    std::vector<std::string> baum;
    for (QTreeWidgetItemIterator it(FormVerw->GetTree()); *it; ++it)
        baum.push_back((*it)->text(0).toStdString());
    const auto& eintraege = main->GetReport()->GetEintraege();
    ASSERT_EQ(eintraege.size(), baum.size());
    for (std::size_t i = 0; i < baum.size(); ++i)
        EXPECT_EQ(eintraege[i].Text, baum[i]);
    EXPECT_EQ(eintraege.front().Ebene, 0);
    EXPECT_TRUE(std::any_of(eintraege.begin(), eintraege.end(), [](const TReportEintrag& e) { return !e.Zeilen.empty(); }));

    TOvandoRecorder canvas = WieDerDrucker();
    main->GetReport()->Zeichnen(canvas);
    const std::vector<std::string> texte = canvas.AlleTexte();
    for (const std::string& erwartet : {std::string("Projekt: Demo-Haus"), baum.back(), std::string("Seite 2")})
        EXPECT_NE(std::find(texte.begin(), texte.end(), erwartet), texte.end()) << erwartet;
    ASSERT_EQ(anzeige->Dateien().size(), 1u);
    EXPECT_EQ(OvandoPdfSeiten(anzeige->Dateien()[0]), canvas.Pages());

    // The next print replaces the report.
    main->Drucken();
    ASSERT_NE(main->GetReport(), nullptr);
    EXPECT_EQ(main->GetReport()->GetInfo().Vorschau, 0);
    EXPECT_EQ(anzeige->Druckdialoge(), 1);
    ASSERT_EQ(anzeige->Dateien().size(), 2u);
    EXPECT_EQ(OvandoPdfSeiten(anzeige->Dateien()[1]), canvas.Pages());
}

TEST_F(MainDruck, WithoutFurtherEtsTextTheTitleHasTwoLines)
{
    ASSERT_TRUE(main->GetEts()->ExecuteSql("UPDATE product SET name = '' WHERE id = 1;").ok);
    Oeffnen();
    anzeige->Druckantwort = false;
    main->Drucken();
    ASSERT_NE(main->GetReport(), nullptr);
    EXPECT_EQ(main->GetReport()->GetTitel(), "Projekt: Demo-Haus\nGerät: Alarmzentrale, Phys.Adr.: 01.01.001");
    EXPECT_TRUE(anzeige->Dateien().empty());
}

TEST_F(MainDruck, TheDemoDevicesEventMemoryInTheWindow)
{
    Oeffnen();
    std::vector<std::string> zeilen;
    bool hinweisOffen = true;
    // The timer also fires while the notice paints: it waits for the window.
    QTimer warten;
    QObject::connect(&warten, &QTimer::timeout, [&] {
        auto* dialog = dynamic_cast<TDlgEreignisspeicher*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        warten.stop();
        hinweisOffen = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "DlgInfoEreignisspeicher")
                hinweisOffen = true;
        for (int i = 0; i < dialog->ListView->topLevelItemCount(); ++i)
            zeilen.push_back(dialog->ListView->topLevelItem(i)->text(1).toStdString());
        dialog->done(2);
    });
    warten.start(5);
    EXPECT_FALSE(main->EreignisspeicherAuslesen());
    EXPECT_FALSE(hinweisOffen);
    // Arming area 1 (five events), arming area 2, fire and hold-up, a blank row between.
    ASSERT_EQ(zeilen.size(), 11u);
    EXPECT_EQ(zeilen[5], "");
    EXPECT_EQ(zeilen[8], "Feuermelder");
    EXPECT_EQ(zeilen[10], "Überfallmelder");
    EXPECT_EQ(boxen.Count(), 0u);
}

} // namespace
