// The typed group address: the parser in both level styles, the search text and the key
// filter of the address edits.

#include "miraval/devinst/GrpAdrText.h"

#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using GrpAdrText::TGrpAdrTeile;

struct TParseZeile {
    const char* name;
    std::string text;
    int ebenen;
    std::optional<TGrpAdrTeile> ergebnis; // none: refused
    bool meldung;                         // a refusal the user is told of
};

struct GrpAdrParse : ::testing::TestWithParam<TParseZeile> {};

TEST_P(GrpAdrParse, GivesTheTripleOrRefuses)
{
    const TParseZeile& z = GetParam();
    TScriptedMessageBox boxen;
    uint16_t main = 99;
    uint16_t middle = 99;
    uint16_t sub = 99;
    const bool ok = GrpAdrText::StringToGrpAddr(z.text, z.ebenen, main, middle, sub);
    EXPECT_EQ(ok, z.ergebnis.has_value());
    const TGrpAdrTeile gelesen{main, middle, sub};
    EXPECT_EQ(gelesen, z.ergebnis.value_or(TGrpAdrTeile{99, 99, 99})) << "a refusal writes nothing";
    EXPECT_EQ(GrpAdrText::Parse(z.text, z.ebenen), z.ergebnis);
    ASSERT_EQ(boxen.Count(), z.meldung ? 1u : 0u);
    if (z.meldung) {
        EXPECT_EQ(boxen.Shown()[0].text, "Ungültige Gruppenadresse");
        EXPECT_EQ(boxen.Shown()[0].caption, "Fehler");
        EXPECT_EQ(boxen.Shown()[0].flags, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texte, GrpAdrParse,
    ::testing::Values(
        TParseZeile{"Drei", "1/2/3", 3, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"DreiBeiZweiEbenen", "1/2/3", 2, std::nullopt, true},
        TParseZeile{"Zwei", "1/515", 2, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"ZweiBeiDreiEbenen", "1/515", 3, std::nullopt, true},
        TParseZeile{"ZweiGroesste", "15/2047", 2, TGrpAdrTeile{15, 7, 255}, false},
        TParseZeile{"ZweiSubZuGross", "1/2048", 2, std::nullopt, true},
        TParseZeile{"DreiGroesste", "15/7/255", 3, TGrpAdrTeile{15, 7, 255}, false},
        TParseZeile{"MainZuGross", "16/0/0", 3, std::nullopt, true},
        TParseZeile{"MiddleZuGross", "0/8/0", 3, std::nullopt, true},
        TParseZeile{"SubZuGross", "0/0/256", 3, std::nullopt, true},
        TParseZeile{"Kleinste", "0/0/0", 3, TGrpAdrTeile{0, 0, 0}, false},
        TParseZeile{"FuehrendeNullen", "01/002/0003", 3, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"GemischteTrenner", "1.2-3", 3, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"KommaUndLeer", "1,2 3", 3, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"AussenLeerUndSteuerzeichen", " \t1/2/3\r\n ", 3, TGrpAdrTeile{1, 2, 3}, false},
        TParseZeile{"InnenLeerIstTrenner", " 1 . 2 , 3 ", 3, std::nullopt, true},
        TParseZeile{"OhneTrenner", "5", 3, std::nullopt, true},
        TParseZeile{"Leer", "", 3, std::nullopt, false},
        TParseZeile{"NurLeerzeichen", "   \t ", 3, std::nullopt, false},
        TParseZeile{"NegativerMain", "-2/3/4", 3, std::nullopt, true},
        TParseZeile{"Plus", "+1/2/3", 3, std::nullopt, true},
        TParseZeile{"Hex", "0x1/2/3", 3, std::nullopt, true},
        TParseZeile{"Buchstaben", "a/b/c", 3, std::nullopt, true},
        TParseZeile{"TeilFehlt", "1//3", 3, std::nullopt, true},
        TParseZeile{"TrennerAmEnde", "1/2/", 3, std::nullopt, true},
        TParseZeile{"VierTeile", "1/2/3/4", 3, std::nullopt, true},
        TParseZeile{"UeberIntBereich", "1/2/99999999999999999999", 3, std::nullopt, true},
        TParseZeile{"Umlaut", "1/2/ä", 3, std::nullopt, true},
        TParseZeile{"NulImText", std::string("1/2\0/3", 6), 3, std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct TSuchZeile {
    const char* name;
    const char* text;
    int ebenen;
    const char* such;
};

struct GrpAdrSuchText : ::testing::TestWithParam<TSuchZeile> {};

TEST_P(GrpAdrSuchText, TakesThePartsAsTyped)
{
    const TSuchZeile& z = GetParam();
    EXPECT_EQ(GrpAdrText::StringToSearchGrpAddr(z.text, "/", z.ebenen), z.such);
}

INSTANTIATE_TEST_SUITE_P(
    Texte, GrpAdrSuchText,
    ::testing::Values(TSuchZeile{"GemischteTrenner", "1.2-3", 3, "1/2/3"},
                      TSuchZeile{"LeerAlsTrenner", " 1.2 3 ", 3, "1/2/3"},
                      TSuchZeile{"FuehrendeNullBleibt", "01/2/3", 3, "01/2/3"},
                      TSuchZeile{"ZweiEbenen", "1/300", 2, "1/300"},
                      TSuchZeile{"ZweiEbenenGemischt", "1.300", 2, "1/300"},
                      TSuchZeile{"Leer", "  ", 3, ""},
                      TSuchZeile{"AndereEbenen", "1/2/3", 4, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GrpAdrText, KeyFilterPassesDigitsSeparatorsBackspaceAndEnterOnly)
{
    std::string durch;
    for (int c = 1; c < 128; ++c)
        if (GrpAdrText::FilterTaste(static_cast<char>(c)) == static_cast<char>(c))
            durch += static_cast<char>(c);
        else
            EXPECT_EQ(GrpAdrText::FilterTaste(static_cast<char>(c)), '\0') << c;
    EXPECT_EQ(durch, std::string("\b\r ,-./0123456789"));
    EXPECT_EQ(GrpAdrText::FilterTaste(static_cast<char>(0xE4)), '\0');
}

} // namespace
