// The event-memory window: its list, the text file it saves and the pages it prints.
#include "miraval/ui/DlgAzEreignisspeicher.h"

#include "ovando/OvandoPdfAnzeige.h"
#include "support/OvandoRecorder.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"
#include "tests/support/TestOrdner.h"
#include "vcl/StringList.h"
#include "win32/Shell.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Zeile(const std::vector<std::string>& felder)
{
    TStringList liste;
    for (const std::string& f : felder)
        liste.Add(f);
    return liste.CommaText();
}

std::string Lesen(const fs::path& datei)
{
    std::ifstream in(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DlgEreignisspeicher : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-ereignis");
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
    }
    void TearDown() override
    {
        SetModuleFileNameOverride("");
        fs::remove_all(ordner);
    }

    std::unique_ptr<TDlgEreignisspeicher> Dialog()
    {
        return std::make_unique<TDlgEreignisspeicher>(nullptr, ereignisse, "Projekt: Haus, Gerät: AZ[01.01.001]",
                                                      "AZ[01.01.001]", "07.12.26 / 23:45:10 Uhr",
                                                      "24.05.26 / 14:35:20 Uhr");
    }
    void Rows(int anzahl, const std::string& bereich = "Haus")
    {
        for (int i = 0; i < anzahl; ++i)
            ereignisse.Add(Zeile({std::to_string(ereignisse.Count() + 1), bereich, "Netzausfall", " ", "01.05.26",
                                  "10:00:00"}));
    }

    fs::path ordner;
    TStringList ereignisse;
    TScriptedMessageBox boxen{IDOK};
};

TEST_F(DlgEreignisspeicher, ListsRowsWithASeparatorWhereTheAreaChanges)
{
    Rows(2, "Haus");
    Rows(1, "Feuermelder");
    auto dialog = Dialog();
    EXPECT_EQ(dialog->LabelPcAndDeviceTime->text(),
              "Datum und Uhrzeit beim Auslesen des Ereignisspeicher:\n\nPC: 07.12.26 / 23:45:10 Uhr          "
              "AZ[01.01.001]: 24.05.26 / 14:35:20 Uhr");

    std::vector<std::pair<QString, int>> items; // caption, columns with text
    for (int i = 0; i < dialog->ListView->topLevelItemCount(); ++i)
        items.emplace_back(dialog->ListView->topLevelItem(i)->text(0), dialog->ListView->topLevelItem(i)->columnCount());
    EXPECT_EQ(items, (std::vector<std::pair<QString, int>>{{"1", 6}, {"2", 6}, {" ", 1}, {"3", 6}}));
    EXPECT_EQ(dialog->ListView->topLevelItem(3)->text(1), "Feuermelder");

    dialog->BtnClose->click();
    EXPECT_EQ(dialog->result(), 2);
}

TEST_F(DlgEreignisspeicher, SavesTheSameExactFileEveryTime)
{
    ereignisse.Add(Zeile({"1", "Haus", "Scharf geschaltet", "Scharfschalt-Eingang SSB 1", "03.05.26", "08:15:00"}));
    ereignisse.Add(Zeile({"2", "Überfallmelder", "Sofort Melder geöffnet", "", "00.00.00", "00:00:00"}));
    auto dialog = Dialog();
    const fs::path ziel = ordner / "ereignisse.txt";
    int laeufe = 0;
    dialog->SaveDialogAusfuehren = [&](QFileDialog& d) {
        ++laeufe;
        EXPECT_EQ(d.nameFilters(), (QStringList{"Alle Dateien (*.*)", "Text Dateien (*.txt)"}));
        EXPECT_EQ(d.selectedNameFilter(), "Text Dateien (*.txt)");
        EXPECT_EQ(d.defaultSuffix(), "txt");
        EXPECT_FALSE(d.testOption(QFileDialog::DontConfirmOverwrite));
        d.selectFile(QString::fromStdString(ziel.string()));
        return true;
    };
    EXPECT_EQ(TDlgEreignisspeicher::SpeicherOrdner(), (ordner / "miraval" / "Ereignisspeicher").string() + "/");
    const std::string erwartet =
        "Projekt: Haus, Gerät: AZ[01.01.001]\r\n"
        "Datum und Uhrzeit beim Auslesen des Ereignisspeicher: PC: 07.12.26 / 23:45:10 Uhr    AZ[01.01.001]: "
        "24.05.26 / 14:35:20 Uhr\r\n"
        "Nr.,Bereich,Ereignis,Teilnehmer,Datum,Uhrzeit\r\n"
        "1,Haus,\"Scharf geschaltet\",\"Scharfschalt-Eingang SSB 1\",03.05.26,08:15:00\r\n"
        "2,Überfallmelder,\"Sofort Melder geöffnet\",,00.00.00,00:00:00\r\n";
    for (int mal = 0; mal < 2; ++mal) {
        dialog->BtnSave->click();
        EXPECT_EQ(Lesen(ziel), erwartet);
    }
    EXPECT_EQ(laeufe, 2);
    EXPECT_EQ(boxen.Count(), 0u);
    EXPECT_FALSE(fs::exists(ordner / "miraval")) << "the initial folder is not created";
}

TEST_F(DlgEreignisspeicher, AWriteErrorIsShownAndTheWindowStays)
{
    Rows(1);
    auto dialog = Dialog();
    dialog->show();
    const fs::path ziel = ordner / "fehlt" / "ereignisse.txt";
    dialog->SaveDialogAusfuehren = [&](QFileDialog& d) {
        d.selectFile(QString::fromStdString(ziel.string()));
        return true;
    };
    dialog->BtnSave->click();
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].caption, "Fehler");
    EXPECT_NE(boxen.Shown()[0].text.find(ziel.string()), std::string::npos);
    EXPECT_EQ(boxen.Shown()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(fs::exists(ziel));

    // A cancelled save dialog writes nothing and shows nothing.
    dialog->SaveDialogAusfuehren = [](QFileDialog&) { return false; };
    dialog->BtnSave->click();
    EXPECT_EQ(boxen.Count(), 1u);
}

// Page 4000 high, lines 100: the list starts at 820 and a row below 3700 opens a new page, so a
// page takes 29 rows.
struct TSeiten {
    const char* name;
    int zeilen;
    int seiten;
};

class DlgEreignisspeicherDruck : public DlgEreignisspeicher, public ::testing::WithParamInterface<TSeiten> {};

TEST_P(DlgEreignisspeicherDruck, PagesBreakAtTheBottomMarginAndCountFromOne)
{
    Rows(GetParam().zeilen);
    auto dialog = Dialog();
    TOvandoRecorder canvas(6000, 4000, 100);
    dialog->Drucke(canvas);
    ASSERT_EQ(canvas.Pages(), GetParam().seiten);
    int gedruckt = 0;
    for (int s = 0; s < canvas.Pages(); ++s) {
        const auto& texte = canvas.Seiten()[static_cast<std::size_t>(s)].Texte;
        ASSERT_GE(texte.size(), 9u);
        EXPECT_EQ(texte[0].Text, "Projekt: Haus, Gerät: AZ[01.01.001]" + std::string(33, ' '));
        EXPECT_EQ(texte[1].Text, " Seite " + std::to_string(s + 1));
        EXPECT_EQ(texte[1].X, 6000 - 200 - 300);
        EXPECT_EQ(texte[2].Text, dialog->GetZeitZeile());
        EXPECT_EQ(texte[3].Text, "Nr.");
        // Six cells a row after the header's nine texts.
        const int zeilen = static_cast<int>(texte.size() - 9) / 6;
        if (zeilen > 0) {
            EXPECT_EQ(texte[9].Text, std::to_string(gedruckt + 1));
            EXPECT_EQ(texte[9].Y, 820);
            EXPECT_LE(texte.back().Y, 3700);
        }
        gedruckt += zeilen;
    }
    EXPECT_EQ(gedruckt, GetParam().zeilen);
}

INSTANTIATE_TEST_SUITE_P(Zeilen, DlgEreignisspeicherDruck,
                         ::testing::Values(TSeiten{"Empty", 0, 1}, TSeiten{"OnePage", 29, 1},
                                           TSeiten{"OneMore", 30, 2}, TSeiten{"ThreePages", 60, 3}),
                         TZeilenName());

TEST_F(DlgEreignisspeicher, PrintGoesThroughThePrintDialogToThePrinter)
{
    Rows(40);
    auto dialog = Dialog();
    TOvandoPdfAnzeige anzeige(ordner);
    anzeige.Druckantwort = false;
    dialog->BtnPrint->click();
    EXPECT_EQ(anzeige.Druckdialoge(), 1);
    EXPECT_FALSE(fs::exists(ordner / "druck-1.pdf"));

    anzeige.Druckantwort = true;
    dialog->BtnPrint->click();
    ASSERT_EQ(anzeige.Dateien().size(), 1u);
    EXPECT_GE(OvandoPdfSeiten(anzeige.Dateien().front()), 1);
}

} // namespace
