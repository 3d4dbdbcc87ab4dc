// The editable device texts: 50 fixed texts packed into four device parameters each.
#include "tessarin/AzEditierbareTexte.h"

#include "tessarin/AzKnoten.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"

#include "AzEinfacheKnotenFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace {

using namespace AzEinfach;

class AzEditierbareTexteTest : public TFixture<TAzEditierbareTexte> { };

// The 50 texts in parameter order; "" marks the three without a string.
const std::array<const char*, 50> kTexte = {"Sabotage",
                                            "Schalteinr.",
                                            "Initialisiere",
                                            "Alarmz. fehlt",
                                            "Feuer",
                                            "Überfall",
                                            "Buswiederkehr",
                                            "",
                                            "",
                                            "Feuermelder",
                                            "Überfallmelder",
                                            "",
                                            "Ende",
                                            "offen",
                                            "unverschlossen",
                                            "Bewegung",
                                            "Glasbruch",
                                            "Sabotage",
                                            "Sabotage (SE)",
                                            "Störung",
                                            "Alarm",
                                            "Meldertest",
                                            "Bereit zum",
                                            "Scharfschalten",
                                            "Störung",
                                            "OK",
                                            "Alarmzentrale",
                                            "Störung",
                                            "nicht bereit",
                                            "nicht scharf",
                                            "Ausfall ÜG",
                                            "Alarmz. Sabo.",
                                            "verdr. Melder",
                                            "Alarmzentrale",
                                            "Sabo Gehäuse",
                                            "Alarmgeber",
                                            "Überstrom",
                                            "untergeordnete",
                                            "Netzausfall",
                                            "< 60 Minuten",
                                            "Akku",
                                            "Störung",
                                            "Melder fehlt",
                                            "unsch.schalten",
                                            "Unscharf",
                                            "schalten",
                                            "Scharf",
                                            "Unscharf",
                                            "Programmier-",
                                            "versuch"};

TEST_F(AzEditierbareTexteTest, WritesEachTextIntoFourParametersOfItsGroupOfFive)
{
    knoten.WriteDataToDb();
    const TWrites writes = Writes();
    ASSERT_EQ(writes.size(), 200u);
    std::set<int16_t> numbers;
    for (int k = 0; k < 50; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(TAzEditierbareTexte::GetHardwareText(k), kTexte[static_cast<std::size_t>(k)]);
        const auto packed
            = AzKnoten::PackDeviceText(Utf8ToCp1252(kTexte[static_cast<std::size_t>(k)]).bytes);
        for (int j = 0; j < 4; ++j) {
            const auto& w = writes[static_cast<std::size_t>(4 * k + j)];
            EXPECT_EQ(w.first, 12621 + 5 * k + j);
            EXPECT_EQ(static_cast<uint32_t>(w.second), packed[static_cast<std::size_t>(j)]);
            numbers.insert(w.first);
        }
    }
    for (int k = 0; k < 50; ++k)
        EXPECT_EQ(numbers.count(static_cast<int16_t>(12625 + 5 * k)), 0u) << k;
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(AzEditierbareTexteTest, TextsWithoutStringWriteZeros)
{
    knoten.WriteDataToDb();
    const TWrites writes = Writes();
    for (int k : {7, 8, 11}) {
        SCOPED_TRACE(k);
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(writes.at(static_cast<std::size_t>(4 * k + j)),
                      (std::pair<int16_t, int32_t>{static_cast<int16_t>(12621 + 5 * k + j), 0}));
    }
}

TEST_F(AzEditierbareTexteTest, FourteenCharacterTextIsWrittenWhole)
{
    knoten.WriteDataToDb();
    const TWrites writes = Writes();
    // Text 14 "unverschlossen": "unve" "rsch" "loss", "en" in the low half of 12694.
    const TWrites expected
        = {{12691, 0x756E7665}, {12692, 0x72736368}, {12693, 0x6C6F7373}, {12694, 0x656E}};
    EXPECT_EQ(TWrites(writes.begin() + 56, writes.begin() + 60), expected);
    // Text 10 "Überfallmelder": 14 characters, "Ü" as its Windows-1252 byte.
    EXPECT_EQ(writes.at(40),
              (std::pair<int16_t, int32_t>{12671, static_cast<int32_t>(0xDC626572u)}));
    EXPECT_EQ(writes.at(43), (std::pair<int16_t, int32_t>{12674, 0x6572}));
}

TEST_F(AzEditierbareTexteTest, WithoutEtsEveryTextShowsTheBoxOnce)
{
    main.SetDeviceParamAccess(nullptr);
    knoten.WriteDataToDb();
    EXPECT_EQ(boxes.Count(), 50u);
    for (const TShownBox& box : boxes.Shown()) {
        EXPECT_EQ(box.text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
        EXPECT_EQ(box.caption, "Fehler beim Zugriff auf Ets");
    }
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

TEST_F(AzEditierbareTexteTest, WriteKeepsAContinuationLink)
{
    struct {
        int32_t nextBefore;
        int32_t nextAfter;
    } rows[] = {{37, 37}, {0, 0}, {-4, -4}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.nextBefore);
        TDatenStruktur record = NodeRecord();
        record.Next = r.nextBefore;
        record.Param3 = 5;
        knoten.Write(record);
        EXPECT_EQ(record.Next, r.nextAfter);
        EXPECT_EQ(record.Typ, 6121);
        EXPECT_EQ(record.Param3, 5); // nothing of its own is stored
    }
}

TEST_F(AzEditierbareTexteTest, HiddenNodeWithoutRowsThatActivatesTheCell)
{
    EXPECT_EQ(knoten.GetTyp(), 6121);
    EXPECT_EQ(knoten.GetIcon(), 30);
    EXPECT_EQ(knoten.ListStyle(), 1);
    EXPECT_EQ(knoten.GetQuickHelpIndexOffset(), 30);
    EXPECT_FALSE(knoten.IsVisible());
    knoten.BuildInfoWindow(&grid, nullptr, false, 0, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{-1}));
    EXPECT_EQ(main.Messages(), (TMessages{PostCell(UM_SetActiveCell, 0, -1)}));
    EXPECT_TRUE(grid.OnComboBoxChange && grid.OnExitCell && grid.OnEllipseClick);

    main.Clear();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_TRUE(main.Messages().empty());
}

TEST_F(AzEditierbareTexteTest, ArmingAreaTextsAndDetectorList)
{
    for (int n : {-1, 0, 1, 2, 3, 4, 5})
        EXPECT_EQ(knoten.GetTextSsb(n), "") << n;

    TStringList liste;
    liste.Add("Flur");
    knoten.GetMelderTextListe(&liste);
    knoten.GetMelderTextListe(nullptr);
    ASSERT_EQ(liste.Count(), 1);
    EXPECT_EQ(liste[0], "Flur");
}

TEST(AzEditierbareTexteLength, CutsToTheFirstCharacters)
{
    struct {
        const char* text;
        int max;
        const char* expected;
    } rows[] = {{"Scharfschalten", 14, "Scharfschalten"},
                {"Scharfschalten!", 14, "Scharfschalten"},
                {"Kurz", 14, "Kurz"},
                {"Überfall", 2, "Üb"},
                {"ÄÖÜ", 3, "ÄÖÜ"},
                {"abc", 0, ""},
                {"abc", -1, ""},
                {"", 5, ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text + std::string(" / ") + std::to_string(r.max));
        std::string text = r.text;
        TAzEditierbareTexte::SetLengthTexte(text, r.max);
        EXPECT_EQ(text, r.expected);
    }
}

} // namespace
