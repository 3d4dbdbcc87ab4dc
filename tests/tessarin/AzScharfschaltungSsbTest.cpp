// Arming of an arming area: the ten device parameters per area, the requests to the editor
// (6 pick a device, 11 device changed, 9 hand over the sabotage inputs) and what the node
// does with the answers, the rows and their edits, the sabotage-input bookkeeping.
#include "tessarin/AzScharfschaltungSsb.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <list>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TBereich = TAzScharfschaltungSsb::TEnumScharfschaltBereich;
using TWrites = std::vector<std::pair<int16_t, int32_t>>;

constexpr int32_t kHandle = 61;
constexpr int32_t kParent = 7;
constexpr int32_t kSystem = 1;

TBereich Bereich(int n)
{
    return TBereich{static_cast<int8_t>(n)};
}

// The editor's side of the requests of this node, as the device instance answers them.
class TEditorScharfschaltung {
public:
    // Request 6: the device dialog. With a choice, OK writes its address and text; without
    // one the user cancels and both stay. The answer is 0 in every case.
    std::optional<std::pair<int32_t, std::string>> auswahl;
    // Request 6 may also retitle the text while the address stays (the node must ignore it).
    std::optional<std::string> textOhneAuswahl;
    // Per arming area: detector numbers that serve as sabotage inputs (request 9) and the
    // switching-device addresses in use (request 11).
    std::map<int32_t, std::list<int32_t>> saboListe;
    std::map<int32_t, std::list<int32_t>> adressen;

    void Install(TMainWindowDouble& main)
    {
        main.OnDeviceRequest(6, [this](TUserDeviceRequest& r) -> LRESULT {
            if (auswahl) {
                r.Wert5 = auswahl->first;
                r.Text = auswahl->second;
            } else if (textOhneAuswahl) {
                r.Text = *textOhneAuswahl;
            }
            return 0;
        });
        main.OnDeviceRequest(9, [this](TUserDeviceRequest& r) -> LRESULT {
            auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(r.Sender);
            if (ssb != nullptr && r.Wert4 >= 1 && r.Wert4 <= 4)
                ssb->UpdateListeMelderNrSaboSeSb(saboListe[r.Wert4]);
            return 0;
        });
        main.OnDeviceRequest(11, [this](TUserDeviceRequest& r) -> LRESULT {
            std::list<int32_t>& liste = adressen[r.Wert4];
            liste.remove(r.Wert6);
            if (r.Wert5 != 0)
                liste.push_back(r.Wert5);
            return 1;
        });
    }
};

class ScharfschaltungSsbTest : public ::testing::Test {
protected:
    ScharfschaltungSsbTest()
    {
        ssb.SetHandle(kHandle);
        main.AddNodeRecord(kHandle, kParent, kSystem);
        editor.Install(main);
    }

    // Loads the node from a record holding these switching devices (address, text, input).
    void Load(int bereich, const std::array<int32_t, 4>& adressen,
              const std::array<int32_t, 4>& sabo = {255, 255, 255, 255})
    {
        TDatenStruktur record;
        record.Handle = kHandle;
        record.Parent = kParent;
        record.System = kSystem;
        record.Param9 = bereich;
        record.Param5 = adressen[0];
        record.Param6 = adressen[1];
        record.Param7 = adressen[2];
        record.Param8 = adressen[3];
        record.Param10 = sabo[0];
        record.Param11 = sabo[1];
        record.Param12 = sabo[2];
        record.Param13 = sabo[3];
        ssb.InitFromDB(record);
    }

    void Show()
    {
        ssb.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    int GridRow(int rowNr) const { return grid.FindRow(rowNr); }

    TWrites WriteDataToDb()
    {
        main.DeviceParams().Clear();
        ssb.WriteDataToDb();
        return main.DeviceParams().Writes();
    }

    TMainWindowDouble main;
    TScriptedMessageBox boxes;
    TEditorScharfschaltung editor;
    TAzScharfschaltungSsb ssb{main.Handle(), kSystem, kParent, "Scharfschaltung SSB 1", 0};
    TDrawGridSE grid;
};


// --- Device parameters -----------------------------------------------------------------------

struct TParamCase {
    const char* name;
    int bereich;
    // arm delay, alarm delay, addresses SE1..SE4, sabotage inputs SE1..SE4
    std::array<int16_t, 10> nummern;
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class ScharfschaltungSsbParamTest : public ScharfschaltungSsbTest,
                                    public ::testing::WithParamInterface<TParamCase> {};

TEST_P(ScharfschaltungSsbParamTest, WritesTenParametersOfTheArea)
{
    const TParamCase& c = GetParam();
    TDatenStruktur record;
    record.Param3 = 30; // arm delay
    record.Param4 = 45; // alarm delay
    record.Param5 = 4353;
    record.Param7 = 0x2A07;
    record.Param8 = 0x1203;
    record.Param9 = c.bereich;
    record.Param10 = 5;
    record.Param11 = 255;
    record.Param12 = 7;
    record.Param13 = 160;
    ssb.InitFromDB(record);
    ASSERT_TRUE(ssb.InitScharfschaltungSsb());

    const std::array<int32_t, 10> werte = {30, 45, 4353, 0, 0x2A07, 0x1203, 5, 255, 7, 160};
    TWrites expected;
    for (std::size_t i = 0; i < werte.size(); ++i)
        expected.emplace_back(c.nummern[i], werte[i]);
    EXPECT_EQ(WriteDataToDb(), expected);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});
}

INSTANTIATE_TEST_SUITE_P(
    AzScharfschaltungSsb, ScharfschaltungSsbParamTest,
    ::testing::Values(
        TParamCase{"SSB1", 1, {21010, 22010, 17110, 17120, 17130, 17140, 18110, 18120, 18130, 18140}},
        TParamCase{"SSB2", 2, {21020, 22020, 17210, 17220, 17230, 17240, 18210, 18220, 18230, 18240}},
        TParamCase{"SSB3", 3, {21030, 22030, 17310, 17320, 17330, 17340, 18310, 18320, 18330, 18340}},
        TParamCase{"SSB4", 4, {21040, 22040, 17410, 17420, 17430, 17440, 18410, 18420, 18430, 18440}}),
    TZeilenName());

TEST_F(ScharfschaltungSsbTest, NewNodeHasItsConstantsAndWritesNothingUntilItKnowsItsArea)
{
    EXPECT_EQ(ssb.GetTyp(), 6136);
    EXPECT_EQ(ssb.GetIcon(), 45);
    EXPECT_EQ(ssb.ListStyle(), 1);
    EXPECT_EQ(ssb.GetQuickHelpIndexOffset(), 140);
    EXPECT_EQ(ssb.GetName(true), "Scharfschaltung SSB 1");
    EXPECT_EQ(ssb.GetScharfschaltBereich(), Bereich(1));
    EXPECT_EQ(ssb.GetScharfVerzoegerung(), 0);
    EXPECT_EQ(ssb.GetAlarmVerzoegerung(), 0);
    for (int se = 1; se <= 4; ++se) {
        EXPECT_EQ(ssb.GetPhysAdrSe(se), 0);
        EXPECT_EQ(ssb.GetMelderNrSaboSe(se), 255);
    }
    // The parameter numbers are still 0: writing them would put every value on parameter 0.
    EXPECT_TRUE(WriteDataToDb().empty());
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});

    std::map<int, TDatenStruktur> records;
    records[1].Typ = 6137;
    EXPECT_FALSE(ssb.Einfuegen(records));
    records[2].Typ = 6136;
    EXPECT_TRUE(ssb.Einfuegen(records));
}

TEST_F(ScharfschaltungSsbTest, AreaOutsideOneToFourIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(ssb.SetScharfschaltBereich(Bereich(3)));
    for (int n : {0, 5, -1, 127}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(ssb.SetScharfschaltBereich(Bereich(n)));
        EXPECT_EQ(ssb.GetScharfschaltBereich(), Bereich(3));
    }
    const TWrites writes = WriteDataToDb();
    ASSERT_EQ(writes.size(), 10u);
    EXPECT_EQ(writes.front().first, 21030);
    EXPECT_EQ(writes.back().first, 18340);

    // A record with an area outside 1..4 loads, but gives no parameter numbers.
    TAzScharfschaltungSsb geladen(main.Handle(), kSystem, kParent, "", 0);
    TDatenStruktur record;
    record.Param9 = 9;
    geladen.InitFromDB(record);
    EXPECT_FALSE(geladen.InitScharfschaltungSsb());
    main.DeviceParams().Clear();
    geladen.WriteDataToDb();
    EXPECT_TRUE(main.DeviceParams().Writes().empty());

    // Without ETS: one box, nothing written.
    main.DeviceParams().Clear();
    main.SetDeviceParamAccess(nullptr);
    ssb.WriteDataToDb();
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

TEST_F(ScharfschaltungSsbTest, RecordRoundTripKeepsEverySlot)
{
    TDatenStruktur record;
    record.Handle = kHandle;
    record.Param3 = 12;
    record.Param4 = 200;
    record.Param5 = 4353;
    record.Param6 = 4354;
    record.Param7 = 0;
    record.Param8 = 0xF0FF;
    record.Param9 = 0x102; // area: the low byte
    record.Param10 = 3;
    record.Param11 = 255;
    record.Param12 = 160;
    record.Param13 = 1;
    record.String1 = "01.01.001";
    record.String2 = "01.01.002";
    record.String4 = "15.00.255";
    ssb.InitFromDB(record);
    EXPECT_EQ(ssb.GetScharfschaltBereich(), Bereich(2));
    EXPECT_EQ(ssb.GetStringPhysAdrSe(4), "15.00.255");

    TDatenStruktur back;
    back.Param14 = 99; // not the class's: left alone
    ssb.Write(back);
    EXPECT_EQ(back.Typ, 6136);
    EXPECT_EQ(back.Param3, 12);
    EXPECT_EQ(back.Param4, 200);
    EXPECT_EQ((std::array<int32_t, 4>{back.Param5, back.Param6, back.Param7, back.Param8}),
              (std::array<int32_t, 4>{4353, 4354, 0, 0xF0FF}));
    EXPECT_EQ(back.Param9, 2);
    EXPECT_EQ((std::array<int32_t, 4>{back.Param10, back.Param11, back.Param12, back.Param13}),
              (std::array<int32_t, 4>{3, 255, 160, 1}));
    EXPECT_EQ(back.String1, "01.01.001");
    EXPECT_EQ(back.String2, "01.01.002");
    EXPECT_EQ(back.String3, "");
    EXPECT_EQ(back.String4, "15.00.255");
    EXPECT_EQ(back.Param14, 99);
}

// --- Request 9: the alignment after loading --------------------------------------------------

TEST_F(ScharfschaltungSsbTest, DatenAbgleichTakesTheListAndAnswersWhatTheEditorAnswers)
{
    ASSERT_TRUE(ssb.SetScharfschaltBereich(Bereich(2)));
    editor.saboListe[2] = {12, 4, 30};
    // The editor answers request 9 with 0, so the alignment answers false.
    EXPECT_FALSE(ssb.DatenAbgleich(true, true));
    ASSERT_EQ(main.DeviceRequests().size(), 1u);
    const TUserDeviceRequest& r = main.DeviceRequests()[0];
    EXPECT_EQ(r.Code, 9);
    EXPECT_EQ(r.Handle, kHandle);
    EXPECT_EQ(r.Sender, &ssb);
    EXPECT_EQ(r.Wert4, 2);
    EXPECT_EQ(r.Text, "");
    EXPECT_EQ(ssb.GetListeMelderNrSaboSe(), (std::list<int32_t>{12, 4, 30}));

    // The result follows the answer: nonzero gives true.
    main.OnDeviceRequest(9, [](TUserDeviceRequest&) -> LRESULT { return 1; });
    EXPECT_TRUE(ssb.DatenAbgleich(false, false));
}

// --- Sabotage inputs -------------------------------------------------------------------------

TEST_F(ScharfschaltungSsbTest, ComboOffersNumbersNoOtherSwitchingDeviceUses)
{
    Load(1, {4353, 4354, 0, 0}, {255, 7, 255, 255});
    ssb.UpdateListeMelderNrSaboSeSb({5, 7, 9});
    const TComboWert keine{"Keine Sabotage Schalteinrichtung", 255};
    EXPECT_EQ(ssb.GetliCbxItemsSaboSe(1),
              (std::list<TComboWert>{keine, {"5", 5}, {"9", 9}}));
    EXPECT_EQ(ssb.GetliCbxItemsSaboSe(2),
              (std::list<TComboWert>{keine, {"5", 5}, {"7", 7}, {"9", 9}}));
    EXPECT_EQ(ssb.GetliCbxItemsSaboSe(0), std::list<TComboWert>{keine});
    EXPECT_EQ(ssb.GetliCbxItemsSaboSe(5), std::list<TComboWert>{keine});
}

TEST_F(ScharfschaltungSsbTest, CheckAndUnlinkFindEverySwitchingDevice)
{
    Load(3, {1, 2, 3, 4}, {5, 255, 7, 7});
    EXPECT_TRUE(ssb.CheckMelderSaboSeLinked(7));
    EXPECT_FALSE(ssb.CheckMelderSaboSeLinked(8));
    // 255 stands for "no sabotage input" and is found while any device has none.
    EXPECT_TRUE(ssb.CheckMelderSaboSeLinked(255));
    main.Clear();
    EXPECT_TRUE(ssb.UnlinkMelderNrSaboSe(7));
    EXPECT_EQ(ssb.GetMelderNrSaboSe(3), 255);
    EXPECT_EQ(ssb.GetMelderNrSaboSe(4), 255);
    EXPECT_EQ(ssb.GetMelderNrSaboSe(1), 5);
    EXPECT_EQ(main.Messages(), (std::vector<TRecordedMessage>{
                                   SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle)}));
    EXPECT_EQ(main.FindRecord(kHandle)->Param12, 255);
    EXPECT_EQ(main.FindRecord(kHandle)->Param13, 255);

    EXPECT_FALSE(ssb.CheckMelderSaboSeLinked(7));

    main.Clear();
    EXPECT_TRUE(ssb.UnlinkMelderNrSaboSe(42)); // used by none: still true, still written
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetDatenSatz});

    Load(3, {1, 2, 3, 4}, {5, 6, 7, 9});
    EXPECT_FALSE(ssb.CheckMelderSaboSeLinked(255));
}

// --- Switching-device queries ----------------------------------------------------------------

TEST_F(ScharfschaltungSsbTest, AddressQueriesAnswerOnlyForOneToFour)
{
    Load(1, {4353, 0, 0, 4354});
    for (int se : {0, 5, -1}) {
        SCOPED_TRACE(se);
        EXPECT_EQ(ssb.GetPhysAdrSe(se), 0);
        EXPECT_EQ(ssb.GetStringPhysAdrSe(se), "");
    }
    EXPECT_EQ(ssb.GetPhysAdrSe(1), 4353);
    EXPECT_EQ(ssb.GetPhysAdrSe(4), 4354);
    std::list<int32_t> liste = {99};
    EXPECT_TRUE(ssb.GetPhysikalischenAdressenSE(liste));
    EXPECT_EQ(liste, (std::list<int32_t>{99, 4353, 4354}));
}

TEST_F(ScharfschaltungSsbTest, ClearEmptiesOneSwitchingDeviceAndAlwaysWritesTheRecord)
{
    TDatenStruktur record;
    record.Param9 = 1;
    record.Param5 = 4353;
    record.Param6 = 4354;
    record.Param11 = 8;
    record.String2 = "01.01.002";
    ssb.InitFromDB(record);
    ssb.SetHandle(kHandle);
    main.Clear();

    EXPECT_TRUE(ssb.ClearPhysAdrSeAndMelderNrSe(2));
    EXPECT_EQ(ssb.GetPhysAdrSe(2), 0);
    EXPECT_EQ(ssb.GetStringPhysAdrSe(2), "");
    EXPECT_EQ(ssb.GetMelderNrSaboSe(2), 255);
    EXPECT_EQ(ssb.GetPhysAdrSe(1), 4353);
    EXPECT_EQ(main.FindRecord(kHandle)->Param6, 0);

    main.Clear();
    EXPECT_TRUE(ssb.ClearPhysAdrSeAndMelderNrSe(5));
    EXPECT_EQ(ssb.GetPhysAdrSe(1), 4353);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetDatenSatz});
}

// --- Rows ------------------------------------------------------------------------------------

TEST_F(ScharfschaltungSsbTest, RowsNameTheAreaAndShowSabotageOnlyForDevicesWithAddress)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        Load(n, {4353, 0, 4354, 0}, {5, 255, 255, 255});
        ssb.UpdateListeMelderNrSaboSeSb({5, 6});
        ssb.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 7, 8, 9}));
        const std::string d = std::to_string(n);
        EXPECT_EQ(grid.Cell(0, 0)->Text, "Scharf-Verzögerungszeit SSB " + d + " [s]");
        EXPECT_EQ(grid.Cell(0, 1)->Text, "Alarm-Verzögerungszeit SSB " + d + " [s]");
        EXPECT_EQ(grid.Cell(0, GridRow(3))->Text, "Physikalische Adresse Schalteinrichtung1");
        EXPECT_EQ(grid.Cell(0, GridRow(9))->Text, "Physikalische Adresse Schalteinrichtung4");
        EXPECT_EQ(grid.Cell(0, GridRow(4))->Text, "Eingangs-Nummer Sabotage-Schalteinrichtung SB" + d);
        EXPECT_EQ(grid.Cell(0, GridRow(8))->Text, "Eingangs-Nummer Sabotage-Schalteinrichtung SB" + d);
    }
    const TCell& spin = *grid.Cell(1, 0);
    EXPECT_EQ(spin.Kind, TCell::ckSpinEdit);
    EXPECT_EQ(spin.SpinMax, 255);
    EXPECT_EQ(spin.SpinMin, 0);
    EXPECT_EQ(spin.SpinStep, 1);
    const TCell& combo = *grid.Cell(1, GridRow(4));
    EXPECT_EQ(combo.Kind, TCell::ckComboBox);
    ASSERT_GE(combo.ItemIndex, 0);
    EXPECT_EQ(combo.Items[static_cast<std::size_t>(combo.ItemIndex)].Wert, 5);
    EXPECT_EQ(grid.Cell(1, GridRow(3))->Kind, TCell::ckEllipse);

    // A record with an area outside 1..4 leaves the area's captions empty.
    Load(0, {4353, 0, 0, 0});
    ssb.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Cell(0, 0)->Text, "");
    EXPECT_EQ(grid.Cell(0, 1)->Text, "");
    EXPECT_EQ(grid.Cell(0, GridRow(4))->Text, "");
    EXPECT_EQ(grid.Cell(0, GridRow(3))->Text, "Physikalische Adresse Schalteinrichtung1");
}

// --- Delays ----------------------------------------------------------------------------------

TEST_F(ScharfschaltungSsbTest, DelaysAreKeptWithinTheirLimitsAndWrittenWhenChanged)
{
    struct TCase {
        const char* name;
        int rowNr;
        int typed;
        int32_t stored;
    };
    const TCase cases[] = {{"ArmDelayAboveMaximum", 1, 300, 255},
                           {"ArmDelayBelowMinimum", 1, -4, 0},
                           {"AlarmDelay", 2, 42, 42}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Load(1, {0, 0, 0, 0});
        Show();
        ASSERT_TRUE(grid.SpinTo(GridRow(c.rowNr), c.typed));
        ASSERT_TRUE(grid.ExitCell());
        const int32_t wert =
            c.rowNr == 1 ? ssb.GetScharfVerzoegerung() : ssb.GetAlarmVerzoegerung();
        EXPECT_EQ(wert, c.stored);
        if (c.stored == 0) { // unchanged: nothing sent
            EXPECT_TRUE(main.Messages().empty());
            continue;
        }
        EXPECT_EQ(main.Messages(),
                  (std::vector<TRecordedMessage>{
                      SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle),
                      PostedMessage(UM_AktualisiereAndereAnsichten)}));
        EXPECT_EQ(c.rowNr == 1 ? main.FindRecord(kHandle)->Param3 : main.FindRecord(kHandle)->Param4,
                  c.stored);
    }
}

// --- Sabotage combo --------------------------------------------------------------------------

TEST_F(ScharfschaltungSsbTest, ChosenSabotageInputIsTheEntryValueNotItsIndex)
{
    Load(2, {4353, 0, 0, 0});
    ssb.UpdateListeMelderNrSaboSeSb({5, 9});
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(4), 2)); // "9"
    EXPECT_EQ(ssb.GetMelderNrSaboSe(1), 9);
    const int gridRow = GridRow(4);
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{
                  SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle),
                  PostedMessage(UM_AktualisiereAnsicht, 1, gridRow)}));
    EXPECT_EQ(main.FindRecord(kHandle)->Param10, 9);
}

TEST_F(ScharfschaltungSsbTest, ComboWithoutSelectionLeavesTheSabotageInputUnchanged)
{
    Load(1, {4353, 0, 0, 0}, {5, 255, 255, 255});
    ssb.UpdateListeMelderNrSaboSeSb({5, 9});
    Show();
    TDrawGridSEComboBox combo;
    combo.Items = {{"Keine Sabotage Schalteinrichtung", 255}, {"5", 5}, {"9", 9}};
    combo.ItemIndex = -1;
    TCell cell = *grid.Cell(1, GridRow(4));
    ssb.GridComboBoxChange(&combo, cell, 1, GridRow(4));
    EXPECT_EQ(ssb.GetMelderNrSaboSe(1), 5);
    EXPECT_TRUE(main.Messages().empty());

    // The same entry again changes nothing either.
    ASSERT_TRUE(grid.SelectComboItem(GridRow(4), 1));
    EXPECT_TRUE(main.Messages().empty());
}

// --- Request 6 and 11: picking a switching device --------------------------------------------

TEST_F(ScharfschaltungSsbTest, PickedDeviceIsStoredAndReportedWithItsOldAddress)
{
    Load(3, {0, 0, 0, 0});
    ssb.SetHandle(kHandle);
    Show();
    editor.auswahl = {{4353, "01.01.001"}};
    const int gridRow = GridRow(5);
    ASSERT_TRUE(grid.ClickEllipsis(gridRow)); // SE2

    ASSERT_EQ(main.DeviceRequests().size(), 2u);
    const TUserDeviceRequest& pick = main.DeviceRequests()[0];
    EXPECT_EQ(pick.Code, 6);
    EXPECT_EQ(pick.Sender, &ssb);
    EXPECT_EQ(pick.Handle, kHandle);
    EXPECT_EQ(pick.Wert4, 3);
    EXPECT_EQ(pick.Wert5, 0);
    EXPECT_EQ(pick.Text, "");
    const TUserDeviceRequest& changed = main.DeviceRequests()[1];
    EXPECT_EQ(changed.Code, 11);
    EXPECT_EQ(changed.Wert4, 3);
    EXPECT_EQ(changed.Wert5, 4353);
    EXPECT_EQ(changed.Wert6, 0);
    EXPECT_EQ(editor.adressen[3], std::list<int32_t>{4353});

    EXPECT_EQ(ssb.GetPhysAdrSe(2), 4353);
    EXPECT_EQ(ssb.GetStringPhysAdrSe(2), "01.01.001");
    EXPECT_EQ(main.MessageIds(), (std::vector<UINT>{UM_UserDeviceMessage, UM_UserDeviceMessage,
                                                    UM_GetDatenSatz, UM_AktualisiereAnsicht}));
    EXPECT_EQ(main.Messages()[2],
              SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle));
    EXPECT_EQ(main.Messages()[3], PostedMessage(UM_AktualisiereAnsicht, 1, gridRow));
    EXPECT_EQ(main.FindRecord(kHandle)->Param6, 4353);
    EXPECT_EQ(main.FindRecord(kHandle)->String2, "01.01.001");

    // The sabotage row of SE2 appears at the next rebuild.
    ssb.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_NE(GridRow(6), -1);
}

TEST_F(ScharfschaltungSsbTest, PickingNoDeviceDropsTheSabotageInputAndItsRow)
{
    Load(1, {0, 4354, 0, 0}, {255, 7, 255, 255});
    ssb.SetHandle(kHandle);
    ssb.UpdateListeMelderNrSaboSeSb({7});
    editor.adressen[1] = {4354};
    Show();
    ASSERT_NE(GridRow(6), -1);
    editor.auswahl = {{0, ""}};
    ASSERT_TRUE(grid.ClickEllipsis(GridRow(5)));
    EXPECT_EQ(ssb.GetPhysAdrSe(2), 0);
    EXPECT_EQ(ssb.GetMelderNrSaboSe(2), 255);
    ASSERT_EQ(main.DeviceRequests().size(), 2u);
    EXPECT_EQ(main.DeviceRequests()[1].Code, 11);
    EXPECT_EQ(main.DeviceRequests()[1].Wert5, 0);
    EXPECT_EQ(main.DeviceRequests()[1].Wert6, 4354);
    EXPECT_TRUE(editor.adressen[1].empty());
    ssb.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(GridRow(6), -1);
}

TEST_F(ScharfschaltungSsbTest, CancelledOrSameAddressStoresNothingEvenWithANewText)
{
    Load(1, {4353, 0, 0, 0});
    TDatenStruktur& record = *main.FindRecord(kHandle);
    record.Param5 = 4353;
    record.String1 = "01.01.001";
    ssb.InitFromDB(record);
    Show();
    editor.textOhneAuswahl = "anders";
    ASSERT_TRUE(grid.ClickEllipsis(GridRow(3)));
    EXPECT_EQ(ssb.GetStringPhysAdrSe(1), "01.01.001");
    ASSERT_EQ(main.DeviceRequests().size(), 1u);
    EXPECT_EQ(main.DeviceRequests()[0].Wert5, 4353);
    EXPECT_EQ(main.DeviceRequests()[0].Text, "01.01.001");
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_UserDeviceMessage});
}

} // namespace
