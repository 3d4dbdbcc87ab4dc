// Displays and their folder: the parameter of each display number, the area mask against the
// configuration variant, the area list text, switching a display on and off through the
// editor (codes 14 and 19), choosing the areas (code 5), and the folder's combined mask.
#include "tessarin/AzAnzeige.h"

#include "AzAblauf.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"
#include "tessarin/AzOrdnerAnzeige.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Nr = T_DB_EnumAzAnzeige;
using TWrites = std::vector<std::pair<int16_t, int32_t>>;
using TAblauf = std::vector<std::string>;

constexpr int32_t kHandle = 60;
constexpr int32_t kParent = 32;
constexpr int32_t kSystem = 1;

Nr::TEnumAnzeigeNr AsNr(int n)
{
    return static_cast<Nr::TEnumAnzeigeNr>(n);
}

class AzAnzeigeTest : public ::testing::Test {
protected:
    AzAnzeigeTest()
    {
        anzeige.SetHandle(kHandle);
        TDatenStruktur r;
        r.Handle = kHandle;
        r.Parent = kParent;
        r.System = kSystem;
        main.AddRecord(r);
        // The editor's answers: code 14 lets the display switch (its bus objects follow),
        // code 5 is the area dialog (the user's choice set through SetAnzeigeSsb), code 19
        // hands mask and number to the folder.
        main.OnDeviceRequest(14, [this](TUserDeviceRequest& r) -> LRESULT {
            return (r.Wert5 >= 0 && r.Wert5 <= 3 && objekteSchaltbar) ? 1 : 0;
        });
        main.OnDeviceRequest(5, [this](TUserDeviceRequest& r) -> LRESULT {
            if (dialogMaske >= 0)
                static_cast<TAzAnzeige*>(r.Sender)->SetAnzeigeSsb(dialogMaske);
            return 0;
        });
        main.OnDeviceRequest(19, [this](TUserDeviceRequest& r) -> LRESULT {
            ordner.ModifyQuittierungMelder(r.Wert4, AsNr(static_cast<int8_t>(r.Wert5 & 0xFF)));
            return 0;
        });
    }

    void Show()
    {
        anzeige.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    bool Select(int rowNr, int index)
    {
        const int gridRow = grid.FindRow(rowNr);
        return gridRow >= 0 && grid.SelectComboItem(gridRow, index);
    }

    TMainWindowDouble main;
    TAzAnzeige anzeige{main.Handle(), kSystem, kParent, "", 0};
    // The folder reports to a window of its own, so that its record writes do not mix with
    // the display's messages.
    TMainWindowDouble ordnerMain;
    TAzOrdnerAnzeige ordner{ordnerMain.Handle(), kSystem, 0, "Anzeige", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
    bool objekteSchaltbar = true;
    int dialogMaske = -1; // -1: the user cancels the dialog
};

// --- Parameter, icon and caption by display number ------------------------------------------

struct TNrCase {
    const char* name;
    int nummer;
    int16_t param;
    int icon;
    std::string caption;
};

void PrintTo(const TNrCase& c, std::ostream* out)
{
    *out << c.name;
}

class AnzeigeNrTest : public AzAnzeigeTest, public ::testing::WithParamInterface<TNrCase> {};

TEST_P(AnzeigeNrTest, NumberDecidesParameterIconAndCaption)
{
    const TNrCase& c = GetParam();
    EXPECT_TRUE(anzeige.SetAnzeigeNr(AsNr(c.nummer))); // true whatever the number
    Nr::TEnumAnzeigeNr nummer = Nr::anAnzeige1;
    anzeige.GetAnzeigeNr(nummer);
    EXPECT_EQ(nummer, c.nummer);
    EXPECT_EQ(anzeige.GetIcon(), c.icon);
    anzeige.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), (TWrites{{c.param, 63}}));
    anzeige.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Cell(0, grid.FindRow(2))->Text, c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    AzAnzeige, AnzeigeNrTest,
    ::testing::Values(TNrCase{"Anzeige1", 0, 14010, 52, "Anzeige 1 vorhanden"},
                      TNrCase{"Anzeige2", 1, 14020, 53, "Anzeige 2 vorhanden"},
                      TNrCase{"Anzeige3", 2, 14030, 54, "Anzeige 3 vorhanden"},
                      TNrCase{"Anzeige4", 3, 14040, 55, "Anzeige 4 vorhanden"},
                      // Outside 0-3 the display keeps the parameter it had (display 1's).
                      TNrCase{"Four", 4, 14010, 51, ""},
                      TNrCase{"Negative", -1, 14010, 51, ""}),
    TZeilenName());

TEST_F(AzAnzeigeTest, UnknownNumberKeepsThePreviousParameter)
{
    anzeige.SetAnzeigeNr(Nr::anAnzeige3);
    anzeige.SetAnzeigeNr(AsNr(9));
    anzeige.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), (TWrites{{14030, 63}}));
}

// A display loaded from its record, the editor never having called InitAnzeige: it writes
// its own parameter, not display 1's.
TEST_F(AzAnzeigeTest, LoadedDisplayWritesTheParameterOfItsStoredNumber)
{
    const std::pair<int32_t, int16_t> rows[] = {
        {2, 14030}, {0x103, 14040}, {0, 14010}, {7, 14010}};
    for (const auto& [param4, expected] : rows) {
        SCOPED_TRACE(param4);
        TAzAnzeige geladen(main.Handle(), kSystem, kParent, "", 0);
        TDatenStruktur r;
        r.Handle = kHandle;
        r.Param3 = 0x21;
        r.Param4 = param4;
        r.Bool3 = true;
        r.String2 = "Flur";
        geladen.InitFromDB(r);
        main.DeviceParams().Clear();
        geladen.WriteDataToDb();
        EXPECT_EQ(main.DeviceParams().Writes(), (TWrites{{expected, 0x21}}));
        EXPECT_EQ(geladen.GetName(false), "Flur");
        EXPECT_TRUE(geladen.GetStatusAnzeigeVorhanden());
    }
}

// --- Area mask against the variant -----------------------------------------------------------

struct TVarianteCase {
    const char* name;
    uint32_t variante;
    int32_t maskeVorher;
    int32_t maskeNachher;
    int32_t maskeAn; // after switching the display on: 63 reduced by the variant kept
};

void PrintTo(const TVarianteCase& c, std::ostream* out)
{
    *out << c.name;
}

class AnzeigeVarianteTest : public AzAnzeigeTest,
                            public ::testing::WithParamInterface<TVarianteCase> {};

TEST_P(AnzeigeVarianteTest, MissingArmingAreasLeaveTheMask)
{
    const TVarianteCase& c = GetParam();
    anzeige.SetAnzeigeSsb(c.maskeVorher);
    EXPECT_TRUE(main.Messages().empty()); // SetAnzeigeSsb alone writes nothing
    anzeige.ModifyAnzeigeSsb(c.variante);
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), c.maskeNachher);
    EXPECT_EQ(AzAblauf(main), TAblauf{"UM_GetDatenSatz"});
    EXPECT_EQ(main.FindRecord(kHandle)->Param3, c.maskeNachher);

    // The variant is kept: switching the display on again reduces 63 by it.
    anzeige.SetAnzeigeNr(Nr::anAnzeige2);
    TDatenStruktur r = *main.FindRecord(kHandle);
    r.Bool3 = false;
    anzeige.InitFromDB(r);
    Show();
    ASSERT_TRUE(Select(2, 1));
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), c.maskeAn);
}

INSTANTIATE_TEST_SUITE_P(
    AzAnzeige, AnzeigeVarianteTest,
    ::testing::Values(
        TVarianteCase{"AllAreas", 0x113344CC, 63, 63, 63},
        TVarianteCase{"Konfiguration21", 0x11330000, 63, 0x33, 0x33},
        TVarianteCase{"Konfiguration31", 0x110044CC, 63, 0x3D, 0x3D},
        TVarianteCase{"Konfiguration41", 0x11000000, 63, 0x31, 0x31},
        TVarianteCase{"Konfiguration43", 0x11224400, 63, 0x37, 0x37},
        TVarianteCase{"Konfiguration51", 0x11000098, 63, 0x39, 0x39},
        TVarianteCase{"Konfiguration52", 0x112200B8, 63, 0x3B, 0x3B},
        // No arming area: fire and hold-up only.
        TVarianteCase{"Konfiguration1", 0, 63, 0x30, 0x30},
        // Areas that come back are not added again.
        TVarianteCase{"NothingAdded", 0x113344CC, 0x12, 0x12, 63},
        // Clearing works on 8-bit masks: bits above 7 go with any cleared area...
        TVarianteCase{"WideMaskCut", 0x11224400, 0x1FF, 0xF7, 0x37},
        // ...and stay when no area is missing.
        TVarianteCase{"WideMaskKept", 0x112244B8, 0x1FF, 0x1FF, 63}),
    TZeilenName());

struct TTextCase {
    const char* name;
    int maske;
    std::string text;
};

void PrintTo(const TTextCase& c, std::ostream* out)
{
    *out << c.name;
}

class AnzeigeTextTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(AnzeigeTextTest, AreasInBitOrderJoinedByComma)
{
    EXPECT_EQ(TAzAnzeige::GetTextAnzeigeSsb(GetParam().maske), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    AzAnzeige, AnzeigeTextTest,
    ::testing::Values(
        TTextCase{"None", 0, ""},
        TTextCase{"Ssb1AndFire", 0x11, "SSB1, Feuermelder"},
        TTextCase{"FireAndHoldUp", 0x30, "Feuermelder, Überfallmelder"},
        TTextCase{"Ssb2AndSsb3", 0x06, "SSB2, SSB3"},
        TTextCase{"All", 63, "SSB1, SSB2, SSB3, SSB4, Feuermelder, Überfallmelder"},
        TTextCase{"HoldUpOnly", 0x20, "Überfallmelder"},
        TTextCase{"BitsAboveFiveIgnored", 0xC8, "SSB4"}),
    TZeilenName());

// --- Rows -------------------------------------------------------------------------------------

TEST_F(AzAnzeigeTest, NewDisplayDefaults)
{
    EXPECT_EQ(anzeige.GetName(true), "Anzeige");
    EXPECT_TRUE(anzeige.GetStatusAnzeigeVorhanden());
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), 63);
    EXPECT_EQ(anzeige.GetIcon(), 52);
    EXPECT_EQ(anzeige.GetTyp(), 6143);
    EXPECT_EQ(anzeige.ListStyle(), 1);
    EXPECT_EQ(anzeige.GetQuickHelpIndexOffset(), 184);

    anzeige.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Bezeichnung Anzeige");
    EXPECT_EQ(grid.Cell(1, 0)->Text, "Anzeige");
    EXPECT_EQ(grid.Cell(1, 0)->MaxLength, 0);
    EXPECT_EQ(grid.Cell(1, 1)->ItemIndex, 1);
    EXPECT_EQ(grid.Cell(0, 2)->Text, "Angezeigte Bereiche");
    EXPECT_EQ(grid.Cell(1, 2)->Kind, TCell::ckEllipse);
    EXPECT_EQ(grid.Cell(1, 2)->Text, "SSB1, SSB2, SSB3, SSB4, Feuermelder, Überfallmelder");

    anzeige.SetDefaultName("Anzeige 2");
    EXPECT_EQ(anzeige.GetName(false), "Anzeige 2");
    EXPECT_TRUE(main.Messages().empty());
}

// An absent display shows no areas; drawing its rows changes nothing of what it writes.
TEST_F(AzAnzeigeTest, AbsentDisplayShowsNoAreasAndDrawingChangesNothing)
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Param3 = 0x33;
    r.Param4 = 1;
    r.Bool3 = false;
    anzeige.InitFromDB(r);
    anzeige.InitAnzeige();
    EXPECT_FALSE(anzeige.GetStatusAnzeigeVorhanden());
    anzeige.WriteDataToDb();
    anzeige.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), 0x33);
    anzeige.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), (TWrites{{14020, 0x33}, {14020, 0x33}}));
}

TEST_F(AzAnzeigeTest, RecordSlots)
{
    anzeige.SetAnzeigeNr(AsNr(-3));
    anzeige.SetAnzeigeSsb(0x15);
    anzeige.SetDefaultName("Eingang");
    TDatenStruktur out;
    anzeige.Write(out);
    EXPECT_EQ(out.Typ, 6143);
    EXPECT_EQ(out.Param3, 0x15);
    EXPECT_EQ(out.Param4, -3); // sign-extended
    EXPECT_TRUE(out.Bool3);
    EXPECT_EQ(out.String2, "Eingang");
    EXPECT_NE(out.Name, "Eingang"); // the display's own name is not the node's name
}

// --- Switching the display (row 2) ------------------------------------------------------------

struct TSchaltCase {
    const char* name;
    bool vorher;          // present before
    int index;            // chosen
    uint32_t variante;
    bool editorErlaubt;   // the editor's answer to code 14
    bool nachher;
    int32_t maske;        // the mask afterwards and sent with code 19
    TAblauf ablauf;
    std::vector<int> rows; // shown after the refresh
};

void PrintTo(const TSchaltCase& c, std::ostream* out)
{
    *out << c.name;
}

class AnzeigeSchaltTest : public AzAnzeigeTest,
                          public ::testing::WithParamInterface<TSchaltCase> {};

TEST_P(AnzeigeSchaltTest, EditorSwitchesThenMaskFollowsTheFlag)
{
    const TSchaltCase& c = GetParam();
    anzeige.SetAnzeigeNr(Nr::anAnzeige2);
    anzeige.SetVarianteAz(c.variante);
    TDatenStruktur r = *main.FindRecord(kHandle);
    anzeige.Write(r);
    r.Bool3 = c.vorher;
    r.Param3 = 0x21;
    anzeige.InitFromDB(r);
    objekteSchaltbar = c.editorErlaubt;
    Show();

    ASSERT_TRUE(Select(2, c.index));
    EXPECT_EQ(AzAblauf(main), c.ablauf);
    EXPECT_EQ(anzeige.GetStatusAnzeigeVorhanden(), c.nachher);
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), c.maske);
    if (!c.ablauf.empty()) {
        const auto& sent = main.DeviceRequests();
        ASSERT_GE(sent.size(), 2u);
        const TUserDeviceRequest& schalten = sent[sent.size() - 2];
        EXPECT_EQ(schalten.Code, 14);
        EXPECT_EQ(schalten.Wert4, c.index);
        EXPECT_EQ(schalten.Wert5, 1);
        const TUserDeviceRequest& quittierung = sent.back();
        EXPECT_EQ(quittierung.Code, 19);
        EXPECT_EQ(quittierung.Wert4, c.maske);
        EXPECT_EQ(quittierung.Wert5, 1);
        EXPECT_EQ(ordner.GetQuittierungMelder(), c.maske);
        EXPECT_EQ(main.FindRecord(kHandle)->Param3, c.maske);
        EXPECT_EQ(main.FindRecord(kHandle)->Bool3, c.nachher);
    }
    anzeige.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    AzAnzeige, AnzeigeSchaltTest,
    ::testing::Values(
        TSchaltCase{"OffAgreed", true, 0, 0x113344CC, true, false, 0,
                    {"request 14", "request 19", "UM_GetDatenSatz", "UM_AktualisiereAnsicht"},
                    {1, 2}},
        // On again: every area the variant has (here without SSB3 and SSB4).
        TSchaltCase{"OnAgreedWithoutSsb3And4", false, 1, 0x11220000, true, true, 0x33,
                    {"request 14", "UM_GetDatenSatz", "request 19", "UM_GetDatenSatz",
                     "UM_AktualisiereAnsicht"},
                    {1, 2, 3}},
        // Refused: the flag goes back, and the mask is still recomputed from it, so a
        // display that stays present shows every area of the variant again.
        TSchaltCase{"OffRefused", true, 0, 0x11000098, false, true, 0x39,
                    {"request 14", "UM_GetDatenSatz", "request 19", "UM_GetDatenSatz",
                     "UM_AktualisiereAnsicht"},
                    {1, 2, 3}},
        TSchaltCase{"OnRefused", false, 1, 0x113344CC, false, false, 0,
                    {"request 14", "request 19", "UM_GetDatenSatz", "UM_AktualisiereAnsicht"},
                    {1, 2}},
        TSchaltCase{"SameEntrySendsNothing", true, 1, 0x113344CC, true, true, 0x21, {},
                    {1, 2, 3}}),
    TZeilenName());

// --- Choosing the areas (row 3) ---------------------------------------------------------------

TEST_F(AzAnzeigeTest, AreaDialogChangesTheMaskOnlyWhenTheUserChoosesAnother)
{
    anzeige.SetAnzeigeNr(Nr::anAnzeige4);
    Show();
    ASSERT_TRUE(grid.ClickEllipsis(grid.FindRow(3)));
    EXPECT_EQ(AzAblauf(main), TAblauf{"request 5"}); // cancelled
    EXPECT_EQ(main.DeviceRequests().back().Wert4, 63);

    main.Clear();
    dialogMaske = 63; // the same areas confirmed
    ASSERT_TRUE(grid.ClickEllipsis(grid.FindRow(3)));
    EXPECT_EQ(AzAblauf(main), TAblauf{"request 5"});

    main.Clear();
    dialogMaske = 0x14;
    ASSERT_TRUE(grid.ClickEllipsis(grid.FindRow(3)));
    EXPECT_EQ(AzAblauf(main), (TAblauf{"request 5", "request 19", "UM_GetDatenSatz",
                                       "UM_AktualisiereAnsicht"}));
    EXPECT_EQ(anzeige.GetAnzeigeSsb(), 0x14);
    EXPECT_EQ(main.DeviceRequests().back().Wert4, 0x14);
    EXPECT_EQ(main.DeviceRequests().back().Wert5, 3);
    EXPECT_EQ(main.FindRecord(kHandle)->Param3, 0x14);
    EXPECT_EQ(ordner.GetQuittierungMelder(), 0x14);
}

// --- Renaming (row 1) -------------------------------------------------------------------------

TEST_F(AzAnzeigeTest, RenamingRefreshesTheTreeOnlyForANewName)
{
    Show();
    ASSERT_TRUE(grid.TypeText(grid.FindRow(1), "Anzeige"));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_TRUE(main.Messages().empty());

    ASSERT_TRUE(grid.TypeText(grid.FindRow(1), "Eingang Süd"));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(AzAblauf(main), (TAblauf{"UM_GetDatenSatz", "UM_AktualisiereAndereAnsichten",
                                       "UM_UpdateTreeNamesAndIcon"}));
    EXPECT_EQ(anzeige.GetName(false), "Eingang Süd");
    EXPECT_EQ(main.FindRecord(kHandle)->String2, "Eingang Süd");

    // A character the stored form cannot hold is refused where it is typed.
    main.Clear();
    ASSERT_TRUE(grid.TypeText(grid.FindRow(1), "Anzeige \u20BD"));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(anzeige.GetName(false), "Eingang Süd");
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(boxes.Count(), 1u);
}

// --- Folder -----------------------------------------------------------------------------------

TEST_F(AzAnzeigeTest, FolderCombinesTheDisplayMasks)
{
    TDatenStruktur r;
    r.Handle = 70;
    r.System = kSystem;
    r.Param3 = 0x3F;
    ordner.InitFromDB(r);
    EXPECT_EQ(ordner.GetQuittierungMelder(), 0x3F);

    struct TSchritt {
        int maske;
        int nummer;
        int32_t gesamt;
    };
    const TSchritt schritte[] = {
        {0x01, 0, 0x01},  // the loaded combined mask gives way to the displays' union
        {0x30, 3, 0x31},
        {0x3F, 4, 0x31},  // no such display: nothing stored, the record written again
        {0x02, 0, 0x32},  // a display's mask is replaced, not added to
        {0x00, 3, 0x02},
    };
    for (const TSchritt& s : schritte) {
        SCOPED_TRACE(s.maske);
        ordnerMain.Clear();
        ordner.ModifyQuittierungMelder(s.maske, AsNr(s.nummer));
        EXPECT_EQ(ordner.GetQuittierungMelder(), s.gesamt);
        EXPECT_EQ(AzAblauf(ordnerMain), TAblauf{"UM_GetDatenSatz"});
        EXPECT_EQ(ordnerMain.FindRecord(70)->Param3, s.gesamt);
    }
    ordner.WriteDataToDb();
    EXPECT_EQ(ordnerMain.DeviceParams().Writes(), (TWrites{{10100, 0x02}}));
}

TEST_F(AzAnzeigeTest, FolderDrawsNoRows)
{
    EXPECT_EQ(ordner.ListStyle(), 0);
    EXPECT_EQ(ordner.GetIcon(), 51);
    grid.Tag = 4;
    ordner.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, 4);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{-1}));
    ordner.SetFlag();
    ordner.BuildInfoWindow(&grid, nullptr, false, 1, 0);
    EXPECT_EQ(grid.Tag, -1);
    EXPECT_EQ(AzAblauf(ordnerMain), TAblauf{"UM_SetActiveCell"});

    ordnerMain.Clear();
    TCell cell;
    grid.OnComboBoxChange(nullptr, cell, 1, 0);
    grid.OnEllipseClick(nullptr, cell, 1, 0);
    grid.OnExitCell(&grid, nullptr, cell, 1, 0);
    EXPECT_TRUE(ordnerMain.Messages().empty());
}

} // namespace
