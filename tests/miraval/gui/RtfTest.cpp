// The RTF reader of the quick-help file: text, paragraphs, character formats and their
// scoping, escapes in Windows-1252, skipped destinations; and cutting a document by
// characters.
#include "miraval/ui/RtfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TRtfFormat F(bool fett = false, bool kursiv = false, bool unter = false, int groesse = 24)
{
    return TRtfFormat{fett, kursiv, unter, groesse};
}

struct TZeile {
    const char* name;
    const char* rtf;
    std::vector<TRtfLauf> laeufe;
};

TEST(Rtf, ReadsTheSubsetTheHelpFileUses)
{
    const TZeile tabelle[] = {
        {"plain paragraphs", R"({\rtf1 Eins\par Zwei\par})", {{"Eins\r\nZwei\r\n", F()}}},
        {"bold on and off", R"({\rtf1 a\b b\b0 c})", {{"a", F()}, {"b", F(true)}, {"c", F()}}},
        {"italic, underline, ulnone", R"({\rtf1\i x\i0\ul y\ulnone z})",
         {{"x", F(false, true)}, {"y", F(false, false, true)}, {"z", F()}}},
        {"font size in half points", R"({\rtf1\fs32 gross})", {{"gross", F(false, false, false, 32)}}},
        {"groups scope the format", R"({\rtf1 a{\b b}c})", {{"a", F()}, {"b", F(true)}, {"c", F()}}},
        {"plain resets", R"({\rtf1\b\i a\plain b})", {{"a", F(true, true)}, {"b", F()}}},
        {"code-page escapes", R"({\rtf1 \'e4\'f6\'fc\'df \'80\'84})", {{"äöüß €„", F()}}},
        {"literal braces and backslash", R"({\rtf1 \{x\}\\})", {{"{x}\\", F()}}},
        {"font table, info and starred groups skipped",
         R"({\rtf1{\fonttbl{\f0 Arial;}}{\info{\title T}}{\*\generator g;}Text})", {{"Text", F()}}},
        {"unicode with fallback", R"({\rtf1\uc1 a\u8364?b})", {{"a€b", F()}}},
        {"line break and tab", R"({\rtf1 a\line b\tab c})", {{"a\nb\tc", F()}}},
        {"source line breaks are no text", "{\\rtf1 a\r\nb}", {{"ab", F()}}},
        {"unbalanced braces tolerated", R"({\rtf1 a}}b{)", {{"ab", F()}}},
        {"one space ends a control word", R"({\rtf1\b  zwei})", {{" zwei", F(true)}}},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.name);
        const TRtfDokument dok = TRtfReader::Lese(z.rtf);
        EXPECT_EQ(dok.Laeufe(), z.laeufe);
    }
}

TEST(Rtf, CutsByCharactersKeepingFormats)
{
    const TRtfDokument dok = TRtfReader::Lese(R"({\rtf1 \'c4rger{\b fett}\par Ende})");
    EXPECT_EQ(dok.Laenge(), 15u); // "Ärger" 5, "fett" 4, the break 2, "Ende" 4
    const TRtfDokument teil = dok.Ausschnitt(1, 7);
    EXPECT_EQ(teil.Laeufe(), (std::vector<TRtfLauf>{{"rger", F()}, {"fe", F(true)}}));
    EXPECT_TRUE(dok.Ausschnitt(15, 99).Leer());
    EXPECT_EQ(dok.Ausschnitt(0, 99).Text(), dok.Text());
}

} // namespace
