// Detector input: data, record, area kinds, parameter block and device parameters.
#include "AzMelderFixture.h"

#include "support/Zeilenname.h"
#include "tessarin/AzKnoten.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TWrites = std::vector<std::pair<int16_t, int32_t>>;
using TEnumMelder = T_DB_EnumAzMelder::TEnumMelder;

// The four parameter values of a text, from its first parameter upward.
TWrites TextWrites(int16_t first, const std::string& utf8)
{
    const auto values = AzKnoten::PackDeviceText(Utf8ToCp1252(utf8).bytes);
    TWrites out;
    for (int k = 0; k < 4; ++k)
        out.emplace_back(static_cast<int16_t>(first + k), static_cast<int32_t>(values[k]));
    return out;
}

TWrites Join(TWrites a, const TWrites& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class AzMelderTest : public AzMelderFixture {};

TEST_F(AzMelderTest, NewInputHasItsDefaults)
{
    EXPECT_EQ(melder.GetTyp(), 6124);
    EXPECT_EQ(melder.GetIcon(), 33);
    EXPECT_EQ(melder.ListStyle(), 1);
    EXPECT_EQ(melder.GetQuickHelpIndexOffset(), 104);
    EXPECT_FALSE(melder.AllowChild(6124));
    EXPECT_FALSE(melder.AllowDrop(&melder));
    EXPECT_EQ(melder.GetMelderBereich(), 3);
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), 1);
    EXPECT_EQ(melder.GetMelderArt(), 1);
    EXPECT_EQ(melder.GetMelderTyp(), 0);
    EXPECT_TRUE(melder.GetAktivBei());
    EXPECT_EQ(melder.GetMelderNr(), 0);
    EXPECT_EQ(melder.GetIndexMelderText(), 0);
    EXPECT_EQ(melder.GetMelderReserve(), 0);
    EXPECT_EQ(melder.GetMelderText(), "Neuer Eingang");
    EXPECT_EQ(melder.GetVarianteAz(), 0x11330000u);
    EXPECT_EQ(melder.GetMelderParameterblock(), 32777);
}

// --- Parameter table ---------------------------------------------------------------------------

struct TParamCase {
    const char* name;
    TDatenStruktur record;
    int32_t block;
    TWrites writes; // everything WriteDataToDb writes, in order
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderParamTest : public AzMelderFixture,
                          public ::testing::WithParamInterface<TParamCase> {};

TEST_P(AzMelderParamTest, WritesBlockThenText)
{
    const TParamCase& c = GetParam();
    Load(c.record);
    EXPECT_EQ(melder.GetMelderParameterblock(), c.block);
    melder.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), c.writes);
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderParamTest,
    ::testing::Values(
        TParamCase{"NewInput", MelderRecord(3, 0, 1, 1, 0, true, "Neuer Eingang"), 32777,
                   Join({{3000, 32777}}, TextWrites(11001, "Neuer Eingang"))},
        // 3 | 2<<3 | 2<<13, active level 0.
        TParamCase{"Nr12Sb2SabotageSeGlass", MelderRecord(4, 12, 2, 3, 2, false, "Flur"), 16403,
                   {{3120, 16403}, {11121, 0x466C7572}, {11122, 0}, {11123, 0}, {11124, 0}}},
        TParamCase{"TextIndexInBits6To12", MelderRecord(5, 3, 3, 0, 1, true, "Bad", 127),
                   (3 << 3) | (127 << 6) | (1 << 13) | (1 << 15),
                   Join({{3030, (3 << 3) | (127 << 6) | (1 << 13) | (1 << 15)}},
                        TextWrites(11031, "Bad"))},
        TParamCase{"Fire", MelderRecord(0, 1, 5, 4, 0, true, "Rauch"), 4 | (5 << 3) | (1 << 15),
                   Join({{3010, 4 | (5 << 3) | (1 << 15)}}, TextWrites(11011, "Rauch"))},
        TParamCase{"HoldUp", MelderRecord(1, 2, 6, 2, 0, true, "Taster"), 2 | (6 << 3) | (1 << 15),
                   Join({{3020, 2 | (6 << 3) | (1 << 15)}}, TextWrites(11021, "Taster"))},
        TParamCase{"LowestNumber", MelderRecord(3, 0, 1, 0, 0, true, "A"), (1 << 3) | (1 << 15),
                   Join({{3000, (1 << 3) | (1 << 15)}}, TextWrites(11001, "A"))},
        TParamCase{"HighestNumber", MelderRecord(6, 160, 4, 5, 0, true, "Tür"),
                   5 | (4 << 3) | (1 << 15),
                   Join({{4600, 5 | (4 << 3) | (1 << 15)}}, TextWrites(12601, "Tür"))},
        TParamCase{"WiredInputWhateverItsNumber", MelderRecord(2, 7, 1, 0, 0, true, "Zentrale"),
                   (1 << 3) | (1 << 15),
                   Join({{4620, (1 << 3) | (1 << 15)}}, TextWrites(12611, "Zentrale"))},
        TParamCase{"WiredInputNumberBeyondRange", MelderRecord(2, 500, 6, 1, 0, true, "Zentrale"),
                   1 | (6 << 3) | (1 << 15),
                   Join({{4620, 1 | (6 << 3) | (1 << 15)}}, TextWrites(12611, "Zentrale"))},
        // Above 160 a bus detector would write over the tamper contact (4610), the wired
        // input (4620, 12611) and the editable texts: it writes nothing.
        TParamCase{"NumberAbove160WritesNothing", MelderRecord(3, 161, 1, 1, 0, true, "X"),
                   1 | (1 << 3) | (1 << 15), {}},
        TParamCase{"NegativeNumberWritesNothing", MelderRecord(3, -1, 1, 1, 0, true, "X"),
                   1 | (1 << 3) | (1 << 15), {}},
        TParamCase{"FourteenCharacterUmlautText", MelderRecord(3, 9, 1, 1, 0, true, "Überfallmelder"),
                   1 | (1 << 3) | (1 << 15),
                   {{3090, 1 | (1 << 3) | (1 << 15)},
                    {11091, static_cast<int32_t>(0xDC626572u)},
                    {11092, 0x66616C6C},
                    {11093, 0x6D656C64},
                    {11094, 0x6572}}}),
    TZeilenName());

TEST_F(AzMelderTest, BlockMasksEachFieldToItsWidth)
{
    // Damaged values (a record from elsewhere): each stays within its bits.
    Load(MelderRecord(3, 1, 0x0F, 0x0F, 0x07, true, "", 0x1FF));
    EXPECT_EQ(melder.GetMelderParameterblock(), 0xFFFF);
    Load(MelderRecord(3, 1, -1, -1, -1, false, "", -1)); // bytes read back as -1
    EXPECT_EQ(melder.GetMelderParameterblock(), 0x7FFF);
    Load(MelderRecord(3, 1, 0x08, 0x08, 0x04, false, "", 0x80));
    EXPECT_EQ(melder.GetMelderParameterblock(), 0);
    // The shared layout, used by the tamper contact as well: its defaults give 32825.
    EXPECT_EQ(TAzMelder::MelderParameterblock(1, 7, 0, 0, true), 32825);
    EXPECT_EQ(TAzMelder::MelderParameterblock(1, 7, 0, 1, true), 32825 | (1 << 13));
}

TEST_F(AzMelderTest, ClearWritesZeroAndAnEmptyText)
{
    Load(MelderRecord(3, 5, 1, 3, 2, true, "Keller"));
    melder.ClearDbParameter();
    const TWrites expected = {{3050, 0}, {11051, 0}, {11052, 0}, {11053, 0}, {11054, 0}};
    EXPECT_EQ(main.DeviceParams().Writes(), expected);

    main.DeviceParams().Clear();
    Load(MelderRecord(2, 200, 1, 1, 0, true, "Zentrale"));
    melder.ClearDbParameter();
    const TWrites wired = {{4620, 0}, {12611, 0}, {12612, 0}, {12613, 0}, {12614, 0}};
    EXPECT_EQ(main.DeviceParams().Writes(), wired);

    main.DeviceParams().Clear();
    main.Clear();
    Load(MelderRecord(4, 161, 2, 1, 0, true, "X"));
    melder.ClearDbParameter();
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
    EXPECT_TRUE(main.Messages().empty());
}

TEST_F(AzMelderTest, WithoutEtsOneBoxAndNothingWritten)
{
    main.SetDeviceParamAccess(nullptr);
    melder.WriteDataToDb();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler beim Zugriff auf Ets");
    melder.ClearDbParameter();
    EXPECT_EQ(boxes.Count(), 2u);
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

// --- Area kinds --------------------------------------------------------------------------------

struct TBereichCase {
    const char* name;
    int32_t bereich;
    uint32_t variante;
    bool result;
    int8_t melderBereich;
    int8_t sicherungsBereich;
};

void PrintTo(const TBereichCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderBereichTest : public AzMelderFixture,
                            public ::testing::WithParamInterface<TBereichCase> {};

TEST_P(AzMelderBereichTest, SetsTheSecurityAreaAndResetsTheInput)
{
    const TBereichCase& c = GetParam();
    Load(MelderRecord(3, 8, 2, 3, 2, false, "Keller", 9, 77));
    melder.SetVarianteAz(c.variante);
    EXPECT_EQ(melder.SetMelderBereich(static_cast<TEnumMelder>(c.bereich)), c.result);
    EXPECT_EQ(melder.GetMelderBereich(), c.melderBereich);
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), c.sicherungsBereich);
    if (c.result) {
        EXPECT_EQ(melder.GetMelderArt(), 1);
        EXPECT_EQ(melder.GetMelderReserve(), 0);
        EXPECT_EQ(melder.GetIndexMelderText(), 0);
        EXPECT_EQ(melder.GetMelderTyp(), 0);
        EXPECT_TRUE(melder.GetAktivBei());
    } else {
        EXPECT_EQ(melder.GetMelderArt(), 3);
        EXPECT_EQ(melder.GetMelderReserve(), 77);
        EXPECT_EQ(melder.GetIndexMelderText(), 9);
        EXPECT_EQ(melder.GetMelderTyp(), 2);
        EXPECT_FALSE(melder.GetAktivBei());
    }
    EXPECT_EQ(melder.GetMelderNr(), 8);
    EXPECT_EQ(melder.GetMelderText(), "Keller");
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderBereichTest,
    ::testing::Values(TBereichCase{"Fire", 0, 0x11330000u, true, 0, 5},
                      TBereichCase{"HoldUp", 1, 0x11330000u, true, 1, 6},
                      TBereichCase{"WiredWithSb1", 2, 0x11330000u, true, 2, 1},
                      TBereichCase{"WiredWithoutAreas", 2, 0u, true, 2, 6},
                      TBereichCase{"Sb1", 3, 0u, true, 3, 1},
                      TBereichCase{"Sb2", 4, 0u, true, 4, 2},
                      TBereichCase{"Sb3", 5, 0u, true, 5, 3},
                      TBereichCase{"Sb4", 6, 0u, true, 6, 4},
                      TBereichCase{"Seven", 7, 0x11330000u, false, 7, 2},
                      TBereichCase{"Negative", -1, 0x11330000u, false, -1, 2},
                      TBereichCase{"LowByteTwo", 258, 0x11330000u, false, 2, 2}),
    TZeilenName());

TEST_F(AzMelderTest, VariantBytesNameTheAreas)
{
    EXPECT_TRUE(TAzMelder::Exist_SB2(0x11330000u));
    EXPECT_FALSE(TAzMelder::Exist_SB3(0x11330000u));
    EXPECT_TRUE(TAzMelder::Exist_SB4(0x112244CCu));
    EXPECT_FALSE(TAzMelder::Exist_SB1(0x00FFFFFFu));
}

// --- Names, texts and records ------------------------------------------------------------------

TEST_F(AzMelderTest, TreeNameByKind)
{
    Load(MelderRecord(3, 7, 1, 1, 0, true, "Flur"));
    EXPECT_EQ(melder.GetName(true), "Flur - (Eingang 7 Melder)");
    EXPECT_EQ(melder.GetName(false), "Flur - (Eingang 7 Melder)");
    TDatenStruktur wired = MelderRecord(2, 7, 1, 1, 0, true, "Zentrale");
    wired.Name = "X";
    Load(wired);
    EXPECT_EQ(melder.GetName(true), "Zentrale - X");
}

TEST_F(AzMelderTest, TextListHoldsTheRoomsAndTheOwnTextSorted)
{
    Load(MelderRecord(3, 7, 1, 1, 0, true, "Flur"));
    int index = -1;
    melder.SetMelderTextListe(index);
    const TStringList& liste = melder.GetMelderTextListe();
    ASSERT_EQ(liste.Count(), 21);
    const std::vector<std::string> expected = {
        "Abstellraum", "Arbeitszimmer", "Archiv",      "Bad",         "Besprechung",
        "Buero",       "Computerraum",  "Esszimmer",   "Flur",        "Flur",
        "Gastzimmer",  "Haustuer",      "Hobbyraum",   "Keller",      "Kinderzimmer",
        "Kueche",      "Schlafzimmer",  "Treppenhaus", "Waschkueche", "Wintergarten",
        "Wohnzimmer"};
    for (int i = 0; i < liste.Count(); ++i)
        EXPECT_EQ(liste[i], expected[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(index, 8);

    // Rebuilt from scratch each time; a text sorts in without regard to case.
    Load(MelderRecord(3, 7, 1, 1, 0, true, "bad"));
    melder.SetMelderTextListe(index);
    ASSERT_EQ(liste.Count(), 21);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(liste[3], "Bad");

    TStringList fremd;
    fremd.Add("Fremd");
    melder.SetMelderTextListe(&fremd); // does nothing
    EXPECT_EQ(liste.Count(), 21);
    EXPECT_EQ(fremd.Count(), 1);
}

TEST_F(AzMelderTest, RecordRoundTripAndLowBytes)
{
    TDatenStruktur r = MelderRecord(4, 33, 2, 5, 1, false, "Wintergarten", 17, -5);
    Load(r);
    TDatenStruktur out;
    melder.Write(out);
    EXPECT_EQ(out, r);

    r.Param8 = 0x102;
    r.Param3 = 0x1FF;
    Load(r);
    EXPECT_EQ(melder.GetMelderBereich(), 2);
    EXPECT_EQ(melder.GetMelderArt(), -1);
}

} // namespace
