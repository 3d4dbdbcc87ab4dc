// Quick help: finding a section by its "#id" key in both kinds of help file, the help file we
// ship, and the pane of the project window.
#include "FormVerwUmgebung.h"

#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/ui/MeldeHilfe.h"
#include "rastow/DrawGridSE.h"

#include <QDockWidget>

#include <fstream>
#include <set>

namespace {

std::u32string U(const char* text)
{
    const QList<uint> ucs = QString::fromUtf8(text).toUcs4();
    return std::u32string(ucs.begin(), ucs.end());
}

TEST(MeldeHilfe, KeyMatchesOnlyWhereNoDigitFollows)
{
    struct TZeile {
        const char* text;
        const char* key;
        std::size_t erwartet;
    };
    const std::size_t keine = std::u32string::npos;
    const TZeile tabelle[] = {
        {"#id12\r\nx\r\n#id1\r\ny", "#id1", 10},
        {"#id12", "#id1", keine},
        {"#ID1\r\n", "#id1", 0},
        {"a#id1", "#id1", 1},
        {"#id104\r\n#id10", "#id10", 8},
        {"", "#id1", keine},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.text);
        EXPECT_EQ(TMeldeHilfe::FindeSchluessel(U(z.text), U(z.key)), z.erwartet);
    }
}

TEST(MeldeHilfe, RtfSectionIsExactlyTheTextAfterTheKeyLine)
{
    const TRtfDokument dok = TRtfReader::Lese(
        R"({\rtf1 Vorspann\par #id12\par Zw\'f6lf\par #id1\par {\b Eins}\par zwei\par #ID2\par Zwei\par})");
    EXPECT_EQ(TMeldeHilfe::RtfAbschnitt(dok, 1).Text(), "Eins\r\nzwei\r\n");
    EXPECT_EQ(TMeldeHilfe::RtfAbschnitt(dok, 12).Text(), "Zwölf\r\n");
    EXPECT_EQ(TMeldeHilfe::RtfAbschnitt(dok, 2).Text(), "Zwei\r\n");
    EXPECT_TRUE(TMeldeHilfe::RtfAbschnitt(dok, 3).Leer());
    EXPECT_TRUE(TMeldeHilfe::RtfAbschnitt(dok, 1).Laeufe().front().Format.Fett);
}

TEST(MeldeHilfe, TextSectionRunsToTheNextKeyInAnyCase)
{
    const std::vector<std::string> zeilen = {"#id12", "zwölf", "#ID1", "eins", "noch eins", "#Id2", "zwei"};
    EXPECT_EQ(TMeldeHilfe::TextAbschnitt(zeilen, 1), (std::vector<std::string>{"eins", "noch eins"}));
    EXPECT_EQ(TMeldeHilfe::TextAbschnitt(zeilen, 2), (std::vector<std::string>{"zwei"}));
    EXPECT_TRUE(TMeldeHilfe::TextAbschnitt(zeilen, 3).empty());
}

TEST(MeldeHilfe, FileKindByExtension)
{
    EXPECT_EQ(TMeldeHilfe::ArtDerDatei("/a/az_deu.rtf"), TMeldeHilfe::TArt::Rtf);
    EXPECT_EQ(TMeldeHilfe::ArtDerDatei("/a.b/hilfe.txt"), TMeldeHilfe::TArt::Text);
    EXPECT_EQ(TMeldeHilfe::ArtDerDatei("/a/hilfe.RTF"), TMeldeHilfe::TArt::Keine);
    EXPECT_EQ(TMeldeHilfe::ArtDerDatei("/a.rtf/hilfe"), TMeldeHilfe::TArt::Keine);
    TRtfDokument abschnitt;
    EXPECT_FALSE(TMeldeHilfe::LadeAbschnitt("/nonexistent/az_deu.rtf", 1, abschnitt));
}

// Every row the configuration draws, every node kind's own id and the variant dialog's ids
// have a section in the help file we ship, and none is empty.
TEST_F(TFormVerwUmgebung, ShippedHelpFileHasASectionForEveryHelpNumber)
{
    std::set<int> ids;
    for (int id = 8; id <= 22; ++id)
        ids.insert(id);
    for (const auto& [handle, node] : az->inst.GetKnoten()) {
        TDrawGridSE grid;
        TListView liste;
        node->BuildInfoWindow(&grid, &liste, false, -1, -1);
        for (int r = 0; r < grid.RowCount(); ++r)
            if (const TCell* c = grid.Cell(0, r); c != nullptr && c->Help > 0)
                ids.insert(c->Help);
    }
    std::ifstream ein(ordner / "az_deu.rtf", std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    const TRtfDokument dok = TRtfReader::Lese(inhalt);
    for (int id : ids) {
        SCOPED_TRACE(id);
        const std::string text = TMeldeHilfe::RtfAbschnitt(dok, id).Text();
        EXPECT_GT(text.size(), 20u);
        EXPECT_EQ(text.find("#id"), std::string::npos);
    }
}

TEST_F(TFormVerwUmgebung, PaneShowsTheSectionOfTheEnteredCellAndLoadsItOnce)
{
    TFormVerw& f = NeuesFenster();
    f.CreateMeldeFenster();
    ASSERT_TRUE(f.HasMeldeFenster());
    EXPECT_EQ(f.GetQuickHelpDatei(), (ordner / "az_deu.rtf").string());
    TCell zelle;
    zelle.Help = 10;
    f.GridEnterCell(nullptr, zelle, 1, 0);
    EXPECT_EQ(f.GetQuickHelpId(), 10);
    EXPECT_EQ(f.GetQuickHelpText().rfind("Konfiguration 2.2", 0), 0u) << f.GetQuickHelpText();

    // A second cell with the same number does not read the file again.
    std::ofstream(ordner / "az_deu.rtf", std::ios::trunc) << R"({\rtf1 #id10\par anders\par})";
    f.GridEnterCell(nullptr, zelle, 1, 1);
    EXPECT_EQ(f.GetQuickHelpText().rfind("Konfiguration 2.2", 0), 0u);
    zelle.Help = 11;
    f.GridEnterCell(nullptr, zelle, 1, 2);
    EXPECT_TRUE(f.GetQuickHelpText().empty()) << "a missing section leaves the pane empty";
}

TEST_F(TFormVerwUmgebung, ClosingThePaneWritesQuickHelpOff)
{
    const TIniRegistry ini;
    ASSERT_TRUE(ini.Write(Ini(), IniKey::ShowQuickHelp, true));
    {
        TFormVerw& f = NeuesFenster();
        ASSERT_TRUE(f.HasMeldeFenster()) << "made at start when the INI says so";
        f.GetMeldeDock()->close();
        EXPECT_FALSE(f.HasMeldeFenster());
        EXPECT_EQ(f.GetQuickHelpId(), 0);
        fenster.clear();
    }
    EXPECT_FALSE(ini.Read(Ini(), IniKey::ShowQuickHelp));
    TFormVerw& wieder = NeuesFenster();
    EXPECT_FALSE(wieder.HasMeldeFenster());
    wieder.CreateMeldeFenster();
    EXPECT_TRUE(wieder.HasMeldeFenster());
}

} // namespace
