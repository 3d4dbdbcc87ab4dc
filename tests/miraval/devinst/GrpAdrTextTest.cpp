// The typed group address: the parser in both level styles, the search text and the key
// filter of the address edits.

#include "miraval/devinst/GrpAdrText.h"

#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace {

std::string Text(const std::optional<GrpAdrText::TGrpAdrTeile>& teile)
{
    std::ostringstream out;
    if (teile)
        out << *teile;
    else
        out << "-";
    return out.str();
}

TEST(GrpAdrText, ParseGivesTheTripleOrRefusesWithOneMessage)
{
    const struct {
        std::string text;
        int ebenen;
        const char* ergebnis; // "-": refused
        bool meldung;
    } zeilen[] = {
        {"1/2/3", 3, "1/2/3", false}, {"0/0/0", 3, "0/0/0", false}, {"15/7/255", 3, "15/7/255", false},
        {"16/0/0", 3, "-", true}, {"0/8/0", 3, "-", true}, {"0/0/256", 3, "-", true},
        {"1/515", 2, "1/2/3", false}, {"15/2047", 2, "15/7/255", false}, {"1/2048", 2, "-", true},
        {"1/2/3", 2, "-", true}, {"1/515", 3, "-", true}, {"01/002/0003", 3, "1/2/3", false},
        {"1.2-3", 3, "1/2/3", false}, {"1,2 3", 3, "1/2/3", false}, {" \t1/2/3\r\n ", 3, "1/2/3", false},
        {" 1 . 2 , 3 ", 3, "-", true}, {"", 3, "-", false}, {"   \t ", 3, "-", false},
        {"5", 3, "-", true}, {"-2/3/4", 3, "-", true}, {"+1/2/3", 3, "-", true}, {"0x1/2/3", 3, "-", true},
        {"a/b/c", 3, "-", true}, {"1//3", 3, "-", true}, {"1/2/", 3, "-", true}, {"1/2/3/4", 3, "-", true},
        {"1/2/99999999999999999999", 3, "-", true}, {"1/2/ä", 3, "-", true},
        {std::string("1/2\0/3", 6), 3, "-", true},
    };
    for (const auto& z : zeilen) {
        SCOPED_TRACE("\"" + z.text + "\" " + std::to_string(z.ebenen));
        TScriptedMessageBox boxen;
        uint16_t main = 99;
        uint16_t middle = 99;
        uint16_t sub = 99;
        const bool ok = GrpAdrText::StringToGrpAddr(z.text, z.ebenen, main, middle, sub);
        EXPECT_EQ(Text(GrpAdrText::Parse(z.text, z.ebenen)), z.ergebnis);
        EXPECT_EQ(ok, std::string(z.ergebnis) != "-");
        EXPECT_EQ(Text(GrpAdrText::TGrpAdrTeile{main, middle, sub}), ok ? z.ergebnis : "99/99/99");
        EXPECT_EQ(boxen.Count(), z.meldung ? 1u : 0u);
        EXPECT_EQ(boxen.Count() == 1 && boxen.Shown()[0].text == "Ungültige Gruppenadresse", z.meldung);
    }
}

TEST(GrpAdrText, SearchTextTakesThePartsAsTyped)
{
    const struct {
        const char* text;
        int ebenen;
        const char* such;
    } zeilen[] = {{"1.2-3", 3, "1/2/3"}, {" 1.2 3 ", 3, "1/2/3"}, {"01/2/3", 3, "01/2/3"},
                  {"1.300", 2, "1/300"}, {"  ", 3, ""},           {"1/2/3", 4, ""}};
    for (const auto& z : zeilen)
        EXPECT_EQ(GrpAdrText::StringToSearchGrpAddr(z.text, "/", z.ebenen), z.such) << z.text;
}

TEST(GrpAdrText, KeyFilterPassesDigitsSeparatorsBackspaceAndEnterOnly)
{
    std::string durch;
    for (int c = 1; c < 256; ++c) {
        const char taste = static_cast<char>(c);
        const char gefiltert = GrpAdrText::FilterTaste(taste);
        EXPECT_TRUE(gefiltert == taste || gefiltert == '\0') << c;
        if (gefiltert == taste)
            durch += taste;
    }
    EXPECT_EQ(durch, std::string("\b\r ,-./0123456789"));
}

} // namespace
