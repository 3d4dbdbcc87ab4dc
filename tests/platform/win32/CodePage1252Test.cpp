#include "win32/CodePage1252.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>
#include <vector>

namespace {

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

bool isUndefinedByte(int b)
{
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

TEST(CodePage1252, EveryByteRoundTripsAloneAndTogether)
{
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = Cp1252ToUtf8(one);
        EXPECT_TRUE(IsValidUtf8(utf8));
        EXPECT_EQ(Utf8CharCount(utf8), 1u);
        TCp1252Result back = Utf8ToCp1252(utf8);
        ASSERT_TRUE(back) << back.error->ToString();
        EXPECT_EQ(back.bytes, one);
    }
    const std::string bytes = allBytes(); // includes NUL and every edge byte
    TCp1252Result back = Utf8ToCp1252(Cp1252ToUtf8(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.bytes, bytes);
    EXPECT_EQ(Utf8CharCount(Cp1252ToUtf8(bytes)), 256u);
}

TEST(CodePage1252, DefinedBytesAgreeWithTheSystemConverter)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the C library has no WINDOWS-1252 converter";
    for (int b = 0; b < 256; ++b) {
        if (isUndefinedByte(b))
            continue;
        SCOPED_TRACE(b);
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, in[0])), std::string(out, outPtr));
    }
    iconv_close(cd);
}

TEST(CodePage1252, UndefinedBytesKeepTheirNumberAsC1Controls)
{
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        SCOPED_TRACE(b);
        const std::string expected = {static_cast<char>(0xC2), static_cast<char>(b)};
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(b))), expected);
    }
    // The other C1 controls have no byte: 0x80 is the euro sign.
    TCp1252Result c1 = Utf8ToCp1252("\xC2\x80");
    ASSERT_FALSE(c1);
    EXPECT_EQ(c1.error->character, U'\u0080');
}

TEST(CodePage1252, GermanTextsAndTypicalBytes)
{
    struct Row {
        const char* utf8;
        std::string cp1252;
    };
    const Row rows[] = {
        {"Überfallmelder", "\xDC" "berfallmelder"},
        {"Störung", "St\xF6rung"},
        {"Gehäuse ß", "Geh\xE4use \xDF"},
        {"€ „Text“ – …", "\x80 \x84Text\x93 \x96 \x85"},
        {"Šœž™Ÿ", "\x8A\x9C\x9E\x99\x9F"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.utf8);
        TCp1252Result encoded = Utf8ToCp1252(row.utf8);
        ASSERT_TRUE(encoded) << encoded.error->ToString();
        EXPECT_EQ(encoded.bytes, row.cp1252);
        EXPECT_EQ(Cp1252ToUtf8(row.cp1252), row.utf8);
        EXPECT_TRUE(IsCp1252Representable(row.utf8));
        EXPECT_EQ(Utf8CharCount(row.utf8), row.cp1252.size());
    }
    EXPECT_EQ(Utf8CharCount("Überfallmelder"), 14u);
    EXPECT_EQ(Utf8ToCp1252("Überfallmelder").bytes[0], '\xDC');
}

TEST(CodePage1252, CharactersOutsideTheCodePageAreRefusedAndNamed)
{
    struct Row {
        const char* name;
        std::string utf8;
        char32_t character;
        std::size_t charIndex;
        std::size_t byteOffset;
        const char* characterText;
    };
    const std::vector<Row> rows = {
        {"CJK after umlauts", "Fü中x", U'中', 2, 3, "中"},
        {"rouble sign first", "₽", U'₽', 0, 0, "₽"},
        {"Latin A with macron", "abcĀ", U'Ā', 3, 3, "Ā"},
        {"four-byte emoji at the end", "ok😀", U'😀', 2, 2, "😀"},
        {"C1 control without a byte", "a\xC2\x85", U'\u0085', 1, 1, "\xC2\x85"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TCp1252Result result = Utf8ToCp1252(row.utf8);
        ASSERT_FALSE(result);
        EXPECT_TRUE(result.bytes.empty());
        const TCodePageError& e = *result.error;
        EXPECT_EQ(e.kind, TCodePageError::TKind::NotInCodePage);
        EXPECT_EQ(e.character, row.character);
        EXPECT_EQ(e.charIndex, row.charIndex);
        EXPECT_EQ(e.byteOffset, row.byteOffset);
        EXPECT_EQ(e.CharacterText(), row.characterText);
        EXPECT_NE(e.ToString().find(row.characterText), std::string::npos) << e.ToString();
        EXPECT_EQ(FindNotInCp1252(row.utf8), e);
        EXPECT_FALSE(IsCp1252Representable(row.utf8));
        EXPECT_TRUE(IsValidUtf8(row.utf8));
    }
}

TEST(CodePage1252, MalformedUtf8IsRefused)
{
    struct Row {
        const char* name;
        std::string utf8;
        std::size_t byteOffset;
        std::size_t charIndex;
    };
    const std::vector<Row> rows = {
        {"stray continuation byte", "ab\x80", 2, 2},
        {"raw Windows-1252 umlaut", "\xDC" "ber", 0, 0},
        {"lead byte at the end", "ä\xC3", 2, 1},
        {"truncated three-byte form", "\xE2\x82", 0, 0},
        {"lead followed by ASCII", "\xC3" "A", 0, 0},
        {"overlong slash (C0)", "\xC0\xAF", 0, 0},
        {"overlong three-byte slash", "\xE0\x80\xAF", 0, 0},
        {"overlong four-byte", "\xF0\x82\x82\xAC", 0, 0},
        {"surrogate", "x\xED\xA0\x80", 1, 1},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
        {"F5 lead", "\xF5\x80\x80\x80", 0, 0},
        {"FF byte", "\xFF", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TCp1252Result result = Utf8ToCp1252(row.utf8);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error->kind, TCodePageError::TKind::InvalidUtf8);
        EXPECT_EQ(result.error->byteOffset, row.byteOffset);
        EXPECT_EQ(result.error->charIndex, row.charIndex);
        EXPECT_EQ(result.error->CharacterText(), "");
        EXPECT_FALSE(IsValidUtf8(row.utf8));
        EXPECT_FALSE(IsCp1252Representable(row.utf8));
    }
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3))); // NUL is a character
}

TEST(CodePage1252, CountingAndCuttingByCharacters)
{
    struct Row {
        const char* name;
        std::string text;
        std::size_t count;
        std::size_t cutAt;
        std::string cut;
    };
    const std::vector<Row> rows = {
        {"ASCII", "Feuermelder", 11, 5, "Feuer"},
        {"cut after an umlaut", "Überfallmelder", 14, 1, "Ü"},
        {"fourteen of longer text", "Überfallmelder Süd", 18, 14, "Überfallmelder"},
        {"cut never splits an umlaut", "ääää", 4, 2, "ää"},
        {"three-byte characters", "€€€", 3, 2, "€€"},
        {"four-byte character", "a😀b", 3, 2, "a😀"},
        {"cut longer than the text", "Akku", 4, 14, "Akku"},
        {"cut to nothing", "Akku", 4, 0, ""},
        {"empty", "", 0, 3, ""},
        {"embedded NUL counts", std::string("a\0b", 3), 3, 2, std::string("a\0", 2)},
        {"malformed bytes count one each", "a\xC3\xFF" "b", 4, 3, "a\xC3\xFF"},
        {"truncated sequence at the end", "ä\xE2\x82", 3, 2, "ä\xE2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8CharCount(row.text), row.count);
        EXPECT_EQ(Utf8Left(row.text, row.cutAt), row.cut);
    }
}

} // namespace
