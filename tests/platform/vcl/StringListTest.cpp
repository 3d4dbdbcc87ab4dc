#include "vcl/StringList.h"

#include "vcl/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Values = std::vector<std::string>;
using namespace std::string_literals;

TStringList listOf(const Values& values)
{
    TStringList list;
    for (const auto& v : values)
        list.Add(v);
    return list;
}

Values valuesOf(const TStringList& list)
{
    Values out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list[i]);
    return out;
}

Values read(const std::string& text)
{
    TStringList list;
    list.Add("left over");
    list.SetCommaText(text);
    return valuesOf(list);
}

struct WriteRow {
    const char* name;
    Values values;
    std::string text;
};

TEST(CommaText, WritesQuotesOnlyWhereNeeded)
{
    const std::vector<WriteRow> rows = {
        {"plain", {"a", "b1", "-3"}, "a,b1,-3"},
        {"empty values stay empty", {"", "x", ""}, ",x,"},
        {"single empty value", {""}, ""},
        {"no values", {}, ""},
        {"blank", {"a b"}, "\"a b\""},
        {"leading and trailing blanks", {" a "}, "\" a \""},
        {"comma", {"a,b"}, "\"a,b\""},
        {"quote doubled", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {"two quotes", {"\"\""}, "\"\"\"\"\"\""},
        {"tab and line end", {"a\tb", "c\r\nd"}, "\"a\tb\",\"c\r\nd\""},
        {"control byte 1", {"a\x01"}, "\"a\x01\""},
        {"embedded NUL", {"a\0b"s}, "\"a\0b\""s},
        {"umlauts need no quotes", {"Müller", "ÜG"}, "Müller,ÜG"},
        {"bytes above 127 need no quotes", {"\x80\xA0\xFF"}, "\x80\xA0\xFF"},
        {"byte 127 needs no quotes", {"a\x7F"}, "a\x7F"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(listOf(row.values).CommaText(), row.text);
    }
}

struct ReadRow {
    const char* name;
    std::string text;
    Values values;
};

TEST(CommaText, ReadsValuesBySplittingRules)
{
    const std::vector<ReadRow> rows = {
        {"empty", "", {}},
        {"only blanks", "  \t\r\n ", {}},
        {"plain", "a,b,c", {"a", "b", "c"}},
        {"leading and trailing blanks skipped", "  a , b  ", {"a", "b"}},
        {"blank separates values", "a b", {"a", "b"}},
        {"two commas give an empty value", "a,,b", {"a", "", "b"}},
        {"leading comma gives an empty value", ",a", {"", "a"}},
        {"trailing comma gives no value", "a,", {"a"}},
        {"blanks after comma skipped", "a,   ,b", {"a", "", "b"}},
        {"quoted blank and comma", "\"a b\",\"c,d\"", {"a b", "c,d"}},
        {"doubled quote", "\"x\"\"y\"", {"x\"y"}},
        {"six quotes", "\"\"\"\"\"\"", {"\"\""}},
        {"empty quoted", "\"\",a", {"", "a"}},
        {"missing closing quote takes the rest", "\"ab, c", {"ab, c"}},
        {"text after closing quote is the next value", "\"ab\"cd,e", {"ab", "cd", "e"}},
        {"quote inside unquoted value kept", "a\"b", {"a\"b"}},
        {"NUL ends the line", "a,b\0,c"s, {"a", "b"}},
        {"NUL at the start", "\0a,b"s, {}},
        {"NUL inside quotes ends the line", "\"x\0y\",z"s, {"x"}},
        {"NUL after a comma", "a,\0b"s, {"a"}},
        {"umlauts", "Müller,Größe", {"Müller", "Größe"}},
        {"bytes above 127 do not split", "\xA0x\xFF,\x80", {"\xA0x\xFF", "\x80"}},
        {"control bytes split", "a\x01" "b", {"a", "b"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(read(row.text), row.values);
    }
}

TEST(CommaText, RoundTripsNastyValues)
{
    const std::vector<Values> cases = {
        {"a", "b"},
        {" lead", "trail ", " both "},
        {"", "", "x"},
        {"\"", "\"\"", "a\"", "\"a"},
        {",", ",,", "a,b,"},
        {"Müller", "Größe ÄÖÜ äöü ß", "€"},
        {"\x80", "\x9F\xA0", "\xFF"},
        {"line\r\nend", "\ttab"},
    };
    for (const auto& values : cases) {
        const std::string text = listOf(values).CommaText();
        SCOPED_TRACE(text);
        EXPECT_EQ(read(text), values);
        EXPECT_EQ(listOf(read(text)).CommaText(), text);
    }
}

TEST(CommaText, TrailingEmptyValueIsLostOnRoundTrip)
{
    // Writers that need a last empty value put a marker value after it.
    EXPECT_EQ(read(listOf({"a", ""}).CommaText()), (Values{"a"}));
    EXPECT_EQ(read(listOf({"a", "", "Ende"}).CommaText()), (Values{"a", "", "Ende"}));
}

TEST(StringList, SortIsStableAndIgnoresCase)
{
    TStringList list = listOf({"b", "B", "a", "ä", "A", "Ä", "c", "Z", "z"});
    list.Sort();
    EXPECT_EQ(valuesOf(list), (Values{"a", "A", "b", "B", "c", "Z", "z", "ä", "Ä"}));

    TStringList reversed = listOf({"B", "b", "Ä", "ä"});
    reversed.Sort();
    EXPECT_EQ(valuesOf(reversed), (Values{"B", "b", "Ä", "ä"}));
}

TEST(StringList, SortComparesBytesAsUnsigned)
{
    TStringList list = listOf({"\xFF", "z", "\x80", "A"});
    list.Sort();
    EXPECT_EQ(valuesOf(list), (Values{"A", "z", "\x80", "\xFF"}));
}

TEST(StringList, IndexOfIsExact)
{
    const TStringList list = listOf({"Abc", "abc", "abc", ""});
    EXPECT_EQ(list.IndexOf("abc"), 1);
    EXPECT_EQ(list.IndexOf("Abc"), 0);
    EXPECT_EQ(list.IndexOf("ABC"), -1);
    EXPECT_EQ(list.IndexOf(""), 3);
    EXPECT_EQ(list.IndexOf("abc "), -1);
}

TEST(StringList, EditsAndRefusesIndexesOutOfBounds)
{
    TStringList list;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("c"), 1);
    list.Insert(1, "b");
    list.Insert(3, "d");
    EXPECT_EQ(valuesOf(list), (Values{"a", "b", "c", "d"}));
    list.Delete(0);
    list.Strings(0) = "B";
    EXPECT_EQ(valuesOf(list), (Values{"B", "c", "d"}));

    for (int index : {-1, 3}) {
        SCOPED_TRACE(index);
        try {
            (void)list.Strings(index);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
            EXPECT_STREQ(e.what(), e.Message().c_str());
        }
        EXPECT_THROW(list.Delete(index), Exception);
    }
    EXPECT_THROW(list.Insert(4, "x"), Exception);
    EXPECT_THROW(list.Insert(-1, "x"), Exception);
    EXPECT_EQ(list.Count(), 3);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(Exception, CarriesItsMessageAsStdException)
{
    try {
        throw Exception("Fehler: Größe");
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Fehler: Größe");
    }
}

} // namespace
