// Behaviour through transmission unit R: the parameter block by area, the area after
// loading, and the four yes/no rows.
#include "tessarin/AzVerhaltenDurchUegR.h"

#include "AzAblauf.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bereich = T_DB_EnumAzVerhaltenDurchUeGR;
using TWrites = std::vector<std::pair<int16_t, int32_t>>;

constexpr int32_t kHandle = 50;
constexpr int32_t kParent = 31;
constexpr int32_t kSystem = 1;

class AzVerhaltenDurchUegRTest : public ::testing::Test {
protected:
    AzVerhaltenDurchUegRTest()
    {
        knoten.SetHandle(kHandle);
        TDatenStruktur r;
        r.Handle = kHandle;
        r.Parent = kParent;
        r.System = kSystem;
        main.AddRecord(r);
    }

    void Show()
    {
        knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    TMainWindowDouble main;
    TAzVerhaltenDurchUegR knoten{main.Handle(), kSystem, kParent, "Verhalten", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};

struct TBereichCase {
    const char* name;
    int bereich;
    bool gesetzt; // SetUeGRBereich's answer
    TWrites writes;
};

void PrintTo(const TBereichCase& c, std::ostream* out)
{
    *out << c.name;
}

class VerhaltenParamTest : public AzVerhaltenDurchUegRTest,
                           public ::testing::WithParamInterface<TBereichCase> {};

TEST_P(VerhaltenParamTest, NewNodeWritesTheBlockOfItsArea)
{
    const TBereichCase& c = GetParam();
    EXPECT_EQ(knoten.SetUeGRBereich(static_cast<Bereich::TEnumUeGBereich>(c.bereich)), c.gesetzt);
    knoten.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), c.writes);
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzVerhaltenDurchUegR, VerhaltenParamTest,
    ::testing::Values(
        // Flash and outdoor siren on by default; the hold-up block rises from flash to relay.
        TBereichCase{"Ueberfall", 0, true, {{20010, 1}, {20020, 1}, {20030, 0}, {20040, 0}}},
        // The intrusion block falls from flash to relay.
        TBereichCase{"Einbruch", 1, true, {{13900, 1}, {13800, 1}, {13700, 0}, {13600, 0}}},
        // An area never set leaves the numbers 0: nothing goes to parameter 0.
        TBereichCase{"UnknownAreaWritesNothing", 2, false, {}},
        TBereichCase{"NegativeAreaWritesNothing", -1, false, {}}),
    TZeilenName());

TEST_F(AzVerhaltenDurchUegRTest, LoadedAreaTakesItsBlockOnlyThroughInit)
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Param3 = 0x101; // the area is the low byte
    r.Bool3 = false;
    r.Bool4 = true;
    r.Bool5 = true;
    r.Bool6 = false;
    knoten.InitFromDB(r);
    knoten.WriteDataToDb();
    EXPECT_TRUE(main.DeviceParams().Writes().empty()); // numbers not set yet: skipped

    knoten.InitUeGRBereich();
    knoten.WriteDataToDb();
    const TWrites einbruch = {{13900, 0}, {13800, 1}, {13700, 1}, {13600, 0}};
    EXPECT_EQ(main.DeviceParams().Writes(), einbruch);

    // An unknown area changes neither the numbers nor the stored area.
    main.DeviceParams().Clear();
    EXPECT_FALSE(knoten.SetUeGRBereich(static_cast<Bereich::TEnumUeGBereich>(2)));
    knoten.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), einbruch);
    TDatenStruktur out;
    knoten.Write(out);
    EXPECT_EQ(out.Param3, 1);
    EXPECT_EQ(out.Typ, 6146);
    EXPECT_FALSE(out.Bool3);
    EXPECT_TRUE(out.Bool4 && out.Bool5);
    EXPECT_FALSE(out.Bool6);
}

TEST_F(AzVerhaltenDurchUegRTest, RowsAndTheirEdits)
{
    Show();
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3, 4}));
    const char* const captions[] = {"Blitz", "Außen-Sirene", "Innen-Sirene", "Relais"};
    const bool TDatenStruktur::*slots[] = {&TDatenStruktur::Bool3, &TDatenStruktur::Bool4,
                                           &TDatenStruktur::Bool5, &TDatenStruktur::Bool6};
    const int defaults[] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(captions[i]);
        EXPECT_EQ(grid.Cell(0, i)->Text, captions[i]);
        EXPECT_EQ(grid.Cell(1, i)->ItemIndex, defaults[i]);

        main.Clear();
        ASSERT_TRUE(grid.SelectComboItem(i, defaults[i])); // the value already set
        EXPECT_TRUE(main.Messages().empty());
        ASSERT_TRUE(grid.SelectComboItem(i, 1 - defaults[i]));
        EXPECT_EQ(AzAblauf(main),
                  (std::vector<std::string>{"UM_GetDatenSatz", "UM_AktualisiereAndereAnsichten"}));
        EXPECT_EQ(main.FindRecord(kHandle)->*slots[i], defaults[i] == 0);
    }
}

} // namespace
