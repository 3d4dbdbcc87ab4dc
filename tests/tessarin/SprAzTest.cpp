#include "tessarin/SprAz.h"

#include "win32/StringTable.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

const TStringTable& TessarinStrings();

namespace {

TStringTable tableFromFile()
{
    std::ifstream in(MIRAVAL_SOURCE_DIR "/resources/strings/tessarin.tsv", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return TStringTable::FromTsv(content.str());
}

TEST(SprAz, IdsRunFrom10000To10417WithoutTheGap)
{
    std::vector<int> expected;
    for (int id = 10000; id <= 10417; ++id)
        if (id < 10298 || id > 10332)
            expected.push_back(id);
    const auto ids = SprAz::Ids();
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()), expected);
    EXPECT_EQ(ids.size(), 383u);
    for (int id : {10297, 10298, 10315, 10332, 10333}) {
        SCOPED_TRACE(id);
        const bool inGap = id >= 10298 && id <= 10332;
        EXPECT_EQ(std::binary_search(ids.begin(), ids.end(), id), !inGap);
    }
}

TEST(SprAz, EveryTextOfTheTableIsLoadedExactly)
{
    const TStringTable file = tableFromFile();
    ASSERT_GT(file.Count(), 0u) << "string table file not found";
    std::size_t nonEmpty = 0;
    for (int id : SprAz::Ids()) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SprAz::Text(id), file.LoadStr(id));
        EXPECT_EQ(TessarinStrings().LoadStr(id), file.LoadStr(id));
        nonEmpty += SprAz::Text(id).empty() ? 0 : 1;
    }
    EXPECT_EQ(nonEmpty, file.Count()) << "every string of the table belongs to a loaded id";
}

TEST(SprAz, NamedTextsHaveTheirWording)
{
    struct Row {
        int id;
        const std::string* global;
        const char* text;
    };
    const Row rows[] = {
        {10001, &SprAz::Txt10001, "Konfiguration 1"},
        {10126, &SprAz::Txt10126, "Immer-Ein"},
        {10244, &SprAz::Txt10244, "Die Parameter konnten nicht in der Ets gespeichert werden."},
        {10245, &SprAz::Txt10245, "Fehler beim Zugriff auf Ets"},
        {10354, &SprAz::Txt10354, "Die maximale Textlänge wurde überschritten."},
        {10353, &SprAz::Txt10353, "Objelt Meldertest"}, // the typo is the product's wording
        {10352, &SprAz::Txt10352,
         "Das Objekt Meldertest ist mit keiner Gruppenadresse verknüpft!\n\rZurück zur ETS?"},
        {10051, &SprAz::Txt10051, "Abstellraum"},
        {10070, &SprAz::Txt10070, "Computerraum"},
        {10074, &SprAz::Txt10074, "SSB 4"},
        {10297, &SprAz::Txt10297, ""},
        {10333, &SprAz::Txt10333, "Eingang kopieren"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(*row.global, row.text);
        EXPECT_EQ(&SprAz::Text(row.id), row.global) << "global bound to another id";
    }
}

TEST(SprAz, TheFiftyDeviceTextsInOrder)
{
    // Text k is the text of id 10368 + k; the three empty ones have no string.
    const char* const texts[50] = {
        "Sabotage", "Schalteinr.", "Initialisiere", "Alarmz. fehlt", "Feuer", "Überfall",
        "Buswiederkehr", "", "", "Feuermelder", "Überfallmelder", "", "Ende", "offen",
        "unverschlossen", "Bewegung", "Glasbruch", "Sabotage", "Sabotage (SE)", "Störung",
        "Alarm", "Meldertest", "Bereit zum", "Scharfschalten", "Störung", "OK", "Alarmzentrale",
        "Störung", "nicht bereit", "nicht scharf", "Ausfall ÜG", "Alarmz. Sabo.",
        "verdr. Melder", "Alarmzentrale", "Sabo Gehäuse", "Alarmgeber", "Überstrom",
        "untergeordnete", "Netzausfall", "< 60 Minuten", "Akku", "Störung", "Melder fehlt",
        "unsch.schalten", "Unscharf", "schalten", "Scharf", "Unscharf", "Programmier-",
        "versuch"};
    for (int k = 0; k < 50; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(SprAz::Text(10368 + k), texts[k]);
    }
    EXPECT_EQ(&SprAz::Txt10368, &SprAz::Text(10368));
    EXPECT_EQ(&SprAz::Txt10417, &SprAz::Text(10417));
    for (const std::string* empty : {&SprAz::Txt10375, &SprAz::Txt10376, &SprAz::Txt10379})
        EXPECT_EQ(*empty, "");
    EXPECT_FALSE(TessarinStrings().Has(10375));
    EXPECT_FALSE(TessarinStrings().Has(10376));
    EXPECT_FALSE(TessarinStrings().Has(10379));
}

TEST(SprAz, IdsWithoutAGlobalGiveTheEmptyText)
{
    TStringTable table = TessarinStrings();
    table.Set(10300, "im Loch");
    table.Set(10418, "dahinter");
    SprAz::Fini();
    SprAz::Init(table);
    for (int id : {9999, 10298, 10300, 10332, 10418}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(SprAz::Text(id), "");
    }
    SprAz::Fini();
    SprAz::Init(TessarinStrings());
}

// Each test leaves the counter where loading the library put it (-1, texts filled).
TEST(SprAz, SecondInitialisationLoadsNothingAndEachUnloadFrees)
{
    TStringTable other = TessarinStrings();
    other.Set(10001, "anders");
    SprAz::Init(other);
    EXPECT_EQ(SprAz::Txt10001, "Konfiguration 1");
    SprAz::Fini();
    EXPECT_EQ(SprAz::Txt10001, "Konfiguration 1");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SprAz::Fini();
        for (int id : SprAz::Ids())
            EXPECT_EQ(SprAz::Text(id), "") << id;
        SprAz::Init(other);
        EXPECT_EQ(SprAz::Txt10001, "anders");
        EXPECT_EQ(SprAz::Txt10417, "versuch");
    }
    SprAz::Fini();
    SprAz::Init(TessarinStrings());
    EXPECT_EQ(SprAz::Txt10001, "Konfiguration 1");
}

TEST(SprAz, LoadingTheLibraryFillsTheTextsEachTime)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        void* library = dlopen(TESSARIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        using TTextFn = const std::string& (*)(int);
        auto text = reinterpret_cast<TTextFn>(dlsym(library, "_ZN5SprAz4TextB5cxx11Ei"));
        ASSERT_NE(text, nullptr) << dlerror();
        EXPECT_NE(&text(10001), &SprAz::Txt10001) << "the library keeps its own texts";
        EXPECT_EQ(text(10001), "Konfiguration 1");
        EXPECT_EQ(text(10417), "versuch");
        EXPECT_EQ(text(10375), "");
        EXPECT_EQ(dlclose(library), 0);
        // Whether the loader really unloads is its own decision (sanitizer runtimes and
        // unique symbols keep a library mapped); without an unload there is no second load
        // to check.
        if (void* still = dlopen(TESSARIN_LIBRARY, RTLD_NOW | RTLD_NOLOAD)) {
            dlclose(still);
            GTEST_SKIP() << "the loader kept libtessarin.so mapped after dlclose: "
                            "reloading cannot be checked here";
        }
    }
}

} // namespace
