#include "quillon/DatenStruktur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const std::string kDefaultLine =
    "0,\"\"\"\"\"\",0,0,0,0,"
    "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
    "false,false,false,false,false,false,false,false,false,false,"
    ",,,,,Ende";

// A record line with the given text in place of value number `index` (0-based) of the
// default record's line; the other values are the defaults.
std::string lineWith(int index, const std::string& value)
{
    std::vector<std::string> values = {"0", "\"\"\"\"\"\"", "0", "0", "0", "0"};
    for (int i = 0; i < 19; ++i)
        values.push_back("0");
    for (int i = 0; i < 10; ++i)
        values.push_back("false");
    for (int i = 0; i < 5; ++i)
        values.push_back("");
    values.push_back("Ende");
    values.at(static_cast<std::size_t>(index)) = value;
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i)
        line += (i ? "," : "") + values[i];
    return line;
}

std::string fillMessage(const std::string& line)
{
    TDatenStruktur record;
    try {
        record.Fill(line);
    } catch (const E_DatenStruktur& e) {
        return e.Message();
    }
    ADD_FAILURE() << "Fill accepted: " << line;
    return {};
}

TDatenStruktur sample()
{
    TDatenStruktur r;
    r.Handle = -2147483647 - 1;
    r.Name = "Melder 1";
    r.Typ = -1;
    r.Parent = 2147483647;
    r.System = 105;
    r.Next = 77;
    for (int n = 1; n <= 19; ++n)
        r.Param(n) = n * 1000 - 7;
    for (int n = 1; n <= 10; ++n)
        r.Bool(n) = n % 3 == 0;
    r.String1 = "Größe, \"alt\"";
    r.String2 = " lead";
    r.String3 = "";
    r.String4 = "€ ÿ";
    r.String5 = "x";
    return r;
}

TEST(DatenStruktur, DefaultRecordWritesTheKnownLine)
{
    const TDatenStruktur record;
    const std::string line = record.GetDatensatzZeile();
    EXPECT_EQ(line, kDefaultLine);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 40);
    EXPECT_TRUE(line.ends_with("false,,,,,,Ende"));
}

TEST(DatenStruktur, EmptyNameReadsBackAsTwoQuotesAndWritesTheSameLine)
{
    TDatenStruktur record;
    record.Fill(kDefaultLine);
    EXPECT_EQ(record.Name, "\"\"");
    EXPECT_EQ(record.GetDatensatzZeile(), kDefaultLine);
    EXPECT_EQ(record, ([] {
                  TDatenStruktur expected;
                  expected.Name = "\"\"";
                  return expected;
              }()));
}

TEST(DatenStruktur, EveryFieldRoundTripsThroughTheLine)
{
    const TDatenStruktur original = sample();
    TDatenStruktur copy;
    copy.Fill(original.GetDatensatzZeile());
    EXPECT_EQ(copy, original) << copy << "\n" << original;
}

TEST(DatenStruktur, NastyTextsRoundTrip)
{
    const std::vector<std::string> texts = {
        "a b", "a,b", "\"", "say \"hi\"", " lead", "trail ", "Tür öffnen", "ÄÖÜäöüß",
        "\xE2\x82\xAC", "\xC3\xBF", "tab\there", "line\r\nend", "#hash", "Ende",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        for (int n = 0; n <= 5; ++n) {
            TDatenStruktur record;
            (n == 0 ? record.Name : record.String(n)) = text;
            TDatenStruktur back;
            back.Fill(record.GetDatensatzZeile());
            EXPECT_EQ(back.GetDatensatzZeile(), record.GetDatensatzZeile());
            EXPECT_EQ(n == 0 ? back.Name : back.String(n), text) << "field " << n;
        }
    }
}

TEST(DatenStruktur, TextWithNulMakesTheLineUnreadable)
{
    // A NUL ends the line, so the record is refused instead of being read half.
    TDatenStruktur record;
    record.Name = "a\0b"s;
    const std::string message = fillMessage(record.GetDatensatzZeile());
    EXPECT_EQ(message, "TDatenStruktur::Fill(String Datensatz)\nHandle: 0\nName  : a");
}

TEST(DatenStruktur, ValueCountDecidesWhetherTheLineIsRead)
{
    TDatenStruktur full = sample();
    full.Handle = 7;
    full.Name = "Foo";
    const std::string line41 = full.GetDatensatzZeile();
    const std::string line40 = line41.substr(0, line41.rfind(','));
    const std::string line39 = line40.substr(0, line40.rfind(','));

    TDatenStruktur read40;
    read40.Fill(line40);
    EXPECT_EQ(read40, full);

    TDatenStruktur read42;
    read42.Fill(line41 + ",more,\"and more\"");
    EXPECT_EQ(read42, full);

    TDatenStruktur endIgnored;
    endIgnored.Fill(line40 + ",Anfang");
    EXPECT_EQ(endIgnored, full);

    EXPECT_EQ(fillMessage(line39),
              "TDatenStruktur::Fill(String Datensatz)\nHandle: 7\nName  : Foo");
    EXPECT_EQ(fillMessage("7"), "TDatenStruktur::Fill(String Datensatz)\nHandle: 7");
    EXPECT_EQ(fillMessage("\"a b\",\"c,d\""),
              "TDatenStruktur::Fill(String Datensatz)\nHandle: a b\nName  : c,d");
    EXPECT_EQ(fillMessage(""), "");
    EXPECT_EQ(fillMessage("   "), "");
}

TEST(DatenStruktur, RefusedLineLeavesTheRecordUnchanged)
{
    TDatenStruktur record = sample();
    const std::string line = TDatenStruktur().GetDatensatzZeile();
    EXPECT_THROW(record.Fill(line.substr(0, line.rfind(",,"))), E_DatenStruktur);
    EXPECT_EQ(record, sample());
}

struct IntRow {
    const char* text;
    int32_t value;
};

TEST(DatenStruktur, IntegersReadAsSignedDecimalOrZero)
{
    const std::vector<IntRow> rows = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+42", 42},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", 0},
        {"99999999999999999999999999", 0},
        {"abc", 0},
        {"12abc", 0},
        {"0x10", 0},
        {"$10", 0},
        {"1e3", 0},
        {"1.5", 0},
        {"-", 0},
        {"+", 0},
        {"--1", 0},
        {"\" 5\"", 0},
        {"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        for (int index : {0, 3, 4, 5, 6, 24}) {
            TDatenStruktur record;
            record.Fill(lineWith(index, row.text));
            const int32_t got = index == 0   ? record.Handle
                                : index == 3 ? record.Parent
                                : index == 4 ? record.System
                                : index == 5 ? record.Next
                                             : record.Param(index - 5);
            EXPECT_EQ(got, row.value) << "value " << index;
        }
    }
}

TEST(DatenStruktur, TypKeepsTheLow16Bits)
{
    const std::vector<IntRow> rows = {
        {"-1", -1},         {"65535", -1},      {"32767", 32767}, {"32768", -32768},
        {"70000", 4464},    {"-32769", 32767},  {"abc", 0},       {"2147483648", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TDatenStruktur record;
        record.Fill(lineWith(2, row.text));
        EXPECT_EQ(record.Typ, row.value);
    }
}

TEST(DatenStruktur, BoolsAreTrueOnlyForTrueInLowerOrUpperCase)
{
    const std::vector<std::pair<const char*, bool>> rows = {
        {"true", true},   {"TRUE", true},  {"True", false}, {"yes", false}, {"1", false},
        {"false", false}, {"-1", false},   {"", false},     {"\" true\"", false},
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        for (int n = 1; n <= 10; ++n) {
            TDatenStruktur record;
            record.Fill(lineWith(24 + n, text));
            EXPECT_EQ(record.Bool(n), value) << "Bool" << n;
        }
    }
}

struct MatchRow {
    const char* name;
    std::function<bool(const TDatenStruktur&)> match;
    bool expected;
};

TEST(DatenStruktur, MatchersCompareTheNamedField)
{
    TDatenStruktur r = sample();
    r.Handle = 5;
    r.Typ = -1;
    r.Name = "Abc";
    r.Param19 = -3;
    r.Bool10 = true;
    r.Bool1 = false;
    const std::vector<MatchRow> rows = {
        {"Handle equal", [](auto& x) { return x.MatchInt("Handle", 5); }, true},
        {"Handle differs", [](auto& x) { return x.MatchInt("Handle", 6); }, false},
        {"Parent", [](auto& x) { return x.MatchInt("Parent", 2147483647); }, true},
        {"System", [](auto& x) { return x.MatchInt("System", 105); }, true},
        {"Next", [](auto& x) { return x.MatchInt("Next", 77); }, true},
        {"Param1", [](auto& x) { return x.MatchInt("Param1", 993); }, true},
        {"Param19", [](auto& x) { return x.MatchInt("Param19", -3); }, true},
        {"Typ -1 as int", [](auto& x) { return x.MatchInt("Typ", -1); }, true},
        {"Typ 65535 as int", [](auto& x) { return x.MatchInt("Typ", 65535); }, false},
        {"Typ 65535 as Typ", [](auto& x) { return x.MatchTyp("Typ", 65535); }, true},
        {"Typ -1 as Typ", [](auto& x) { return x.MatchTyp("Typ", -1); }, true},
        {"Typ 0x1FFFF as Typ", [](auto& x) { return x.MatchTyp("Typ", 0x1FFFF); }, true},
        {"Typ 0 as Typ", [](auto& x) { return x.MatchTyp("Typ", 0); }, false},
        {"Name exact", [](auto& x) { return x.MatchText("Name", "Abc"); }, true},
        {"Name case", [](auto& x) { return x.MatchText("Name", "abc"); }, false},
        {"String1", [](auto& x) { return x.MatchText("String1", "Größe, \"alt\""); }, true},
        {"String3 empty", [](auto& x) { return x.MatchText("String3", ""); }, true},
        {"String4", [](auto& x) { return x.MatchText("String4", "€ ÿ"); }, true},
        {"Bool10 true", [](auto& x) { return x.MatchBool("Bool10", true); }, true},
        {"Bool1 true", [](auto& x) { return x.MatchBool("Bool1", true); }, false},
        {"Bool1 false", [](auto& x) { return x.MatchBool("Bool1", false); }, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.match(r), row.expected);
    }
}

TEST(DatenStruktur, MatchersRefuseNamesTheyDoNotAccept)
{
    const TDatenStruktur r;
    const std::vector<std::pair<std::string, std::function<void()>>> rows = {
        {"String5", [&] { (void)r.MatchText("String5", ""); }},
        {"Handle", [&] { (void)r.MatchText("Handle", "0"); }},
        {"name", [&] { (void)r.MatchText("name", ""); }},
        {"Name", [&] { (void)r.MatchInt("Name", 0); }},
        {"Param0", [&] { (void)r.MatchInt("Param0", 0); }},
        {"Param20", [&] { (void)r.MatchInt("Param20", 0); }},
        {"Param01", [&] { (void)r.MatchInt("Param01", 0); }},
        {"Bool1", [&] { (void)r.MatchInt("Bool1", 0); }},
        {"", [&] { (void)r.MatchInt("", 0); }},
        {"Handle", [&] { (void)r.MatchTyp("Handle", 0); }},
        {"typ", [&] { (void)r.MatchTyp("typ", 0); }},
        {"Bool11", [&] { (void)r.MatchBool("Bool11", false); }},
        {"Bool0", [&] { (void)r.MatchBool("Bool0", false); }},
        {"String1", [&] { (void)r.MatchBool("String1", false); }},
    };
    for (const auto& [name, call] : rows) {
        SCOPED_TRACE(name);
        try {
            call();
            ADD_FAILURE() << "accepted";
        } catch (const E_DatenStruktur& e) {
            EXPECT_EQ(e.Message(), "Feld nicht vorhanden: " + name);
        }
    }
}

TEST(DatenStruktur, HeaderAndIdentificationLines)
{
    const TDatenStruktur r;
    EXPECT_EQ(r.GetKopfZeile(),
              "#Handle,Name,Typ,Parent,System,Next,"
              "Param1,Param2,Param3,Param4,Param5,Param6,Param7,Param8,Param9,Param10,"
              "Param11,Param12,Param13,Param14,Param15,Param16,Param17,Param18,Param19,"
              "Bool1,Bool2,Bool3,Bool4,Bool5,Bool6,Bool7,Bool8,Bool9,Bool10,"
              "String1,String2,String3,String4,String5,Endekennung");
    EXPECT_EQ(r.GetDateiKennung(), "#Norvik");
}

TEST(DatenStruktur, NumberedAccessorsReachTheNamedFieldsAndRefuseOthers)
{
    TDatenStruktur r;
    r.Param(19) = 1919;
    r.Bool(10) = true;
    r.String(5) = "fünf";
    EXPECT_EQ(r.Param19, 1919);
    EXPECT_TRUE(r.Bool10);
    EXPECT_EQ(r.String5, "fünf");

    const TDatenStruktur& c = r;
    const std::vector<std::pair<std::string, std::function<void()>>> rows = {
        {"Param0", [&] { (void)r.Param(0); }},  {"Param20", [&] { (void)c.Param(20); }},
        {"Bool0", [&] { (void)c.Bool(0); }},    {"Bool11", [&] { (void)r.Bool(11); }},
        {"String0", [&] { (void)r.String(0); }}, {"String6", [&] { (void)c.String(6); }},
    };
    for (const auto& [name, call] : rows) {
        SCOPED_TRACE(name);
        try {
            call();
            ADD_FAILURE() << "accepted";
        } catch (const E_DatenStruktur& e) {
            EXPECT_EQ(e.Message(), "Feld nicht vorhanden: " + name);
        }
    }
}

} // namespace
