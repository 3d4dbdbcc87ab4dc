// Detector input: property-grid rows, what each edit changes and sends, the variant change of
// the wired input, and paste between detectors.
#include "AzMelderFixture.h"

#include "quillon/DatenManager.h"
#include "rastow/DrawGridSEComboBox.h"
#include "support/Zeilenname.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const TCell& cell)
{
    std::vector<std::string> out;
    for (const auto& item : cell.Items)
        out.push_back(item.Text);
    return out;
}

std::vector<int32_t> Values(const TCell& cell)
{
    std::vector<int32_t> out;
    for (const auto& item : cell.Items)
        out.push_back(item.Wert);
    return out;
}

const std::vector<std::string> kBusTypen = {"Melder sofort", "Melder verzögert", "Sabotage",
                                            "Sabotage-Schalteinrichtung", "Verschluß"};

class AzMelderGridTest : public AzMelderFixture {
protected:
    // The messages of one edit: the record is written, then the posts of the flags.
    std::vector<TRecordedMessage> WriteThen(std::vector<TRecordedMessage> posts)
    {
        std::vector<TRecordedMessage> out = {
            SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(kParent, kSystem), kHandle)};
        out.insert(out.end(), posts.begin(), posts.end());
        return out;
    }
    // Drops the request sends from the recorded messages (the requests are checked apart).
    std::vector<TRecordedMessage> WithoutRequests() const
    {
        std::vector<TRecordedMessage> out;
        for (const auto& m : main.Messages())
            if (m.message != UM_UserDeviceMessage)
                out.push_back(m);
        return out;
    }
};

// --- Rows --------------------------------------------------------------------------------------

TEST_F(AzMelderGridTest, DetectorOfSb2ShowsFourRowsFirstInThePreparedRow)
{
    Load(MelderRecord(4, 3, 2, 1, 0, true, "Flur"));
    melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{2, 4, 5, 6}));
    EXPECT_EQ(grid.RowCount(), 4); // the first row went into the row Prepare left
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Eingangs-Typ");
    EXPECT_EQ(Texts(*grid.Cell(1, 0)), kBusTypen);
    EXPECT_EQ(Values(*grid.Cell(1, 0)), (std::vector<int32_t>{1, 0, 2, 3, 5}));
    EXPECT_EQ(grid.Cell(1, 0)->Text, "Melder sofort");

    const TCell& text = *grid.Cell(1, 1);
    EXPECT_EQ(grid.Cell(0, 1)->Text, "Melder-Text");
    EXPECT_EQ(text.ComboStyle, csDropDown);
    EXPECT_FALSE(text.ComboFlag);
    EXPECT_EQ(text.Help, 108);
    EXPECT_EQ(text.Items.size(), 21u);
    EXPECT_EQ(text.ItemIndex, 8);
    EXPECT_EQ(text.Text, "Flur");

    EXPECT_EQ(grid.Cell(0, 2)->Text, "Melder-Typ");
    EXPECT_EQ(Texts(*grid.Cell(1, 2)), (std::vector<std::string>{"Kontakt", "Bewegung", "Glasbruch"}));
    EXPECT_EQ(grid.Cell(0, 3)->Text, "Eingang aktiv bei");
    EXPECT_EQ(Texts(*grid.Cell(1, 3)), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(grid.Cell(1, 3)->ItemIndex, 1);
    for (int r = 0; r < grid.RowCount(); ++r)
        EXPECT_EQ(grid.Cell(1, r)->Data, &melder);
}

TEST_F(AzMelderGridTest, WiredInputOffersTheVariantsAreas)
{
    Load(MelderRecord(2, 0, 1, 0, 2, false, "Zentrale"));
    melder.SetVarianteAz(0x11330000u);
    melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Sicherungsbereich");
    EXPECT_EQ(Texts(*grid.Cell(1, 0)), (std::vector<std::string>{"SB 1", "SB 2"}));
    EXPECT_EQ(Values(*grid.Cell(1, 0)), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(grid.Cell(1, 0)->ItemIndex, 0);
    EXPECT_EQ(Texts(*grid.Cell(1, 1)), (std::vector<std::string>{"Melder sofort", "Melder verzögert"}));
    EXPECT_EQ(grid.Cell(1, 1)->ItemIndex, 1); // "Melder verzögert" (0)
    EXPECT_FALSE(melder.GetAktivBei()) << "drawing changes nothing";
    EXPECT_EQ(melder.GetMelderTyp(), 2);

    melder.SetVarianteAz(0x112244CCu);
    melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(Texts(*grid.Cell(1, 0)), (std::vector<std::string>{"SB 1", "SB 2", "SB 3", "SB 4"}));
    EXPECT_TRUE(main.Messages().empty()); // the rows change members, not the record
}

TEST_F(AzMelderGridTest, WiredInputInTheHoldUpAreaShowsAreaAndText)
{
    Load(MelderRecord(2, 0, 6, 0, 0, true, "Zentrale"));
    melder.SetVarianteAz(0);
    melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 4}));
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.Cell(1, 0)->Items.empty());
    EXPECT_EQ(melder.GetMelderArt(), 0) << "drawing changes nothing";
}

struct TRowsCase {
    const char* name;
    int8_t bereich;
    int8_t sb;
    int8_t art;
    std::vector<int> rows;
    std::vector<std::string> typen;
};

void PrintTo(const TRowsCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderRowsTest : public AzMelderFixture, public ::testing::WithParamInterface<TRowsCase> {};

TEST_P(AzMelderRowsTest, RowsFollowKindAndInputType)
{
    const TRowsCase& c = GetParam();
    Load(MelderRecord(c.bereich, 4, c.sb, c.art, 2, true, "X"));
    melder.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.RowNumbers(), c.rows);
    const int eingangsTyp = grid.FindRow(2);
    ASSERT_GE(eingangsTyp, 0);
    EXPECT_EQ(Texts(*grid.Cell(1, eingangsTyp)), c.typen);
    EXPECT_EQ(melder.GetMelderTyp(), 2) << "drawing changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderRowsTest,
    ::testing::Values(
        TRowsCase{"Fire", 0, 5, 4, {2, 4, 6}, {"Melder sofort", "Störung"}},
        TRowsCase{"HoldUp", 1, 6, 2, {2, 4, 6}, {"Melder sofort", "Sabotage"}},
        TRowsCase{"Sb1Delayed", 3, 1, 0, {2, 4, 5, 6},
                  kBusTypen},
        TRowsCase{"Sb1Sabotage", 3, 1, 2, {2, 4, 6},
                  kBusTypen},
        TRowsCase{"Sb3SabotageSe", 5, 3, 3, {2, 4, 6},
                  kBusTypen},
        TRowsCase{"Sb4Closure", 6, 4, 5, {2, 4, 6},
                  kBusTypen}),
    TZeilenName());

// --- Edits and their messages ---------------------------------------------------------------------

TEST_F(AzMelderGridTest, SecurityAreaOfTheWiredInput)
{
    Load(MelderRecord(2, 0, 1, 1, 0, true, "Zentrale"));
    melder.SetVarianteAz(0x11330000u);
    Show();
    const int r = GridRow(1);
    ASSERT_TRUE(grid.SelectComboItem(r, 0)); // SB 1 again
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_TRUE(grid.SelectComboItem(r, 1));
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), 2);
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAnsicht, 1, r)}));
    EXPECT_EQ(StoredRecord()->Param4, 2);
}

TEST_F(AzMelderGridTest, DetectorTypeAndActiveLevelRefreshTheOtherViews)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    Show();
    const int typ = GridRow(5);
    ASSERT_TRUE(grid.SelectComboItem(typ, 0));
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_TRUE(grid.SelectComboItem(typ, 2));
    EXPECT_EQ(melder.GetMelderTyp(), 2);
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_EQ(StoredRecord()->Param6, 2);

    main.Clear();
    const int aktiv = GridRow(6);
    ASSERT_TRUE(grid.SelectComboItem(aktiv, 0)); // leaves row 5 first: nothing to send there
    EXPECT_FALSE(melder.GetAktivBei());
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_FALSE(StoredRecord()->Bool3);
}

TEST_F(AzMelderGridTest, InputTypeWithoutSabotageSeSendsNoRequest)
{
    Load(MelderRecord(3, 9, 1, 1, 0, true, "Flur"));
    Show();
    const int r = GridRow(2);
    ASSERT_TRUE(grid.SelectComboItem(r, 1)); // "Melder verzögert"
    EXPECT_EQ(melder.GetMelderArt(), 0);
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAnsicht, 1, r)}));
    EXPECT_TRUE(main.DeviceRequests().empty());
    EXPECT_EQ(StoredRecord()->Param3, 0);
}

TEST_F(AzMelderGridTest, BecomingASabotageSeInputRegistersTheNumber)
{
    Load(MelderRecord(4, 9, 2, 0, 0, true, "Flur"));
    Show();
    const int r = GridRow(2);
    ASSERT_TRUE(grid.SelectComboItem(r, 3)); // "Sabotage-Schalteinrichtung"
    EXPECT_EQ(melder.GetMelderArt(), 3);
    EXPECT_EQ(RequestCodes(), (std::vector<uint8_t>{7}));
    const TUserDeviceRequest& request = main.DeviceRequests()[0];
    EXPECT_EQ(request.Handle, kHandle);
    EXPECT_EQ(request.Sender, &melder);
    EXPECT_EQ(request.Wert4, 9);
    EXPECT_EQ(request.Wert5, 2);
    EXPECT_EQ(offered[2], (std::set<int32_t>{9}));
    // The request comes first, then the record and the refresh.
    EXPECT_EQ(main.Messages().front().message, UM_UserDeviceMessage);
    EXPECT_EQ(WithoutRequests(), WriteThen({PostedMessage(UM_AktualisiereAnsicht, 1, r)}));
    EXPECT_EQ(boxes.Count(), 0u);
}

struct TSaboSeCase {
    const char* name;
    bool linkedToSwitchingDevice;
    int answer; // to the question, when asked
    std::vector<uint8_t> codes;
    bool asked;
    int8_t art; // input type afterwards
};

void PrintTo(const TSaboSeCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderSaboSeTest : public AzMelderGridTest,
                           public ::testing::WithParamInterface<TSaboSeCase> {};

TEST_P(AzMelderSaboSeTest, GivingUpASabotageSeInput)
{
    const TSaboSeCase& c = GetParam();
    Load(MelderRecord(3, 12, 1, 3, 0, true, "Flur"));
    offered[1] = {12};
    if (c.linkedToSwitchingDevice)
        linked[1] = {12};
    boxes.Script(c.answer);
    Show();
    const int r = GridRow(2);
    ASSERT_TRUE(grid.SelectComboItem(r, 0)); // "Melder sofort"
    EXPECT_EQ(RequestCodes(), c.codes);
    for (const auto& request : main.DeviceRequests()) {
        EXPECT_EQ(request.Wert4, 12);
        EXPECT_EQ(request.Wert5, 1);
    }
    ASSERT_EQ(boxes.Count(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(boxes.Shown()[0].text,
                  "Die Sabotage Schalteinrichtung ist in der Scharfschaltung zugeordnet. \n\r"
                  "Soll diese Zuordnung gelöscht werden?");
        EXPECT_EQ(boxes.Shown()[0].caption, "Sabotage Schalteinrichtung");
        EXPECT_EQ(boxes.Shown()[0].flags, MB_YESNO | MB_ICONQUESTION);
    }
    EXPECT_EQ(melder.GetMelderArt(), c.art);
    // Written and refreshed either way, so the grid shows the type that stays.
    EXPECT_EQ(WithoutRequests(), WriteThen({PostedMessage(UM_AktualisiereAnsicht, 1, r)}));
    EXPECT_EQ(StoredRecord()->Param3, c.art);
    const bool dropped = c.art != 3;
    EXPECT_EQ(offered[1].count(12) == 0, dropped);
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderSaboSeTest,
    ::testing::Values(TSaboSeCase{"LinkedYes", true, IDYES, {10, 8}, true, 1},
                      TSaboSeCase{"LinkedNo", true, IDNO, {10}, true, 3},
                      TSaboSeCase{"NotLinked", false, IDNO, {10, 8}, false, 1}),
    TZeilenName());

TEST_F(AzMelderGridTest, TextUpToFourteenCharactersIsTaken)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    Show();
    const int r = GridRow(4);
    ASSERT_TRUE(grid.TypeText(r, "Überfallmelder")); // 14 characters, 15 bytes
    EXPECT_EQ(melder.GetMelderText(), "Überfallmelder");
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_EQ(StoredRecord()->String4, "Überfallmelder");
    EXPECT_EQ(boxes.Count(), 0u);

    main.Clear();
    ASSERT_TRUE(grid.TypeText(r, "Überfallmelder")); // unchanged
    EXPECT_TRUE(main.Messages().empty());

    ASSERT_TRUE(grid.SelectComboItem(r, 0)); // an entry of the list
    EXPECT_EQ(melder.GetMelderText(), "Abstellraum");
}

struct TRefusedTextCase {
    const char* name;
    std::string text;
    std::string boxText; // part of the box's text
};

void PrintTo(const TRefusedTextCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderRefusedTextTest : public AzMelderGridTest,
                                public ::testing::WithParamInterface<TRefusedTextCase> {};

TEST_P(AzMelderRefusedTextTest, KeepsTheOldTextAndRefreshesTheGrid)
{
    const TRefusedTextCase& c = GetParam();
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    Show();
    const int r = GridRow(4);
    ASSERT_TRUE(grid.TypeText(r, c.text));
    EXPECT_EQ(melder.GetMelderText(), "Flur");
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{PostedMessage(UM_AktualisiereAnsicht, 1, r)}));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Shown()[0].text.find(c.boxText), std::string::npos) << boxes.Shown()[0].text;
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler");
    EXPECT_EQ(StoredRecord()->String4, "Flur");
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderRefusedTextTest,
    ::testing::Values(
        TRefusedTextCase{"FifteenCharacters", "Überfallmelder1",
                         "Die maximale Textlänge wurde überschritten."},
        TRefusedTextCase{"NotInWindows1252", "Flur \u20BD", "\u20BD"},
        TRefusedTextCase{"Cyrillic", "\u041A\u0443\u0445\u043D\u044F", "\u041A"}),
    TZeilenName());

TEST_F(AzMelderGridTest, LeavingTheTextCellRefillsItsEntriesAndTheTree)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    Show();
    const int r = GridRow(4);
    ASSERT_TRUE(grid.TypeText(r, "Zimmer 2"));
    main.Clear();
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{PostedMessage(UM_UpdateTreeNamesAndIcon)}));
    const TCell& cell = *grid.Cell(1, r);
    ASSERT_EQ(cell.Items.size(), 21u);
    EXPECT_EQ(cell.Items.back().Text, "Zimmer 2");
    EXPECT_EQ(cell.ItemIndex, 20);
    EXPECT_EQ(cell.Text, "Zimmer 2");
    EXPECT_EQ(Values(cell).back(), 20);
}

TEST_F(AzMelderGridTest, LeavingACellClearsTheRefreshMark)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    Show();
    melder.SetRefreshMark();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(5), 0)); // unchanged: nothing
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{PostedMessage(UM_AktualisiereAndereAnsichten)}));
    EXPECT_FALSE(melder.GetRefreshMark());

    main.Clear();
    melder.SetRefreshMark();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(4), 8));
    main.Clear();
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(main.Messages(),
              (std::vector<TRecordedMessage>{PostedMessage(UM_AktualisiereAndereAnsichten),
                                             PostedMessage(UM_UpdateTreeNamesAndIcon)}));
}

TEST_F(AzMelderGridTest, ComboWithoutSelectionChangesNothing)
{
    Load(MelderRecord(2, 0, 1, 1, 1, true, "Zentrale"));
    TDrawGridSEComboBox combo;
    combo.Items = {{"SB 1", 1}, {"SB 2", 2}};
    combo.ItemIndex = -1;
    for (int rowNr : {1, 2, 5, 6}) {
        SCOPED_TRACE(rowNr);
        TCell cell;
        cell.RowNr = rowNr;
        melder.GridComboBoxChange(&combo, cell, 1, 0);
    }
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), 1);
    EXPECT_EQ(melder.GetMelderArt(), 1);
    EXPECT_EQ(melder.GetMelderTyp(), 1);
    EXPECT_TRUE(melder.GetAktivBei());
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_TRUE(main.DeviceRequests().empty());
}

TEST_F(AzMelderGridTest, HandlersWithoutSenderOrKnownRowDoNothing)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    TDrawGridSEComboBox combo;
    combo.Items = {{"a", 0}, {"b", 1}};
    combo.ItemIndex = 1;
    TCell cell;
    for (int rowNr : {3, 5, 7}) {
        cell.RowNr = rowNr;
        melder.GridComboBoxChange(rowNr == 5 ? nullptr : &combo, cell, 1, 0);
        melder.GridExitCell(&grid, nullptr, cell, 1, 0);
        melder.GridSpinEditChange(nullptr, cell, 1, 0);
        melder.GridEllipseClick(&combo, cell, 1, 0); // the cell carries no detector
    }
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(melder.GetMelderTyp(), 0);
}

TEST_F(AzMelderGridTest, SpinChangeAndEllipsisWriteTheRecord)
{
    Load(MelderRecord(3, 2, 1, 1, 0, true, "Flur"));
    TDrawGridSEComboBox combo;
    TCell cell;
    cell.RowNr = 9;
    melder.GridSpinEditChange(&combo, cell, 1, 3);
    EXPECT_EQ(main.Messages(), WriteThen({}));
    main.Clear();
    cell.Data = &melder;
    melder.GridEllipseClick(nullptr, cell, 1, 3);
    EXPECT_EQ(main.Messages(), WriteThen({PostedMessage(UM_AktualisiereAnsicht, 1, 3)}));
}

// --- Variant change -----------------------------------------------------------------------------

struct TVariantCase {
    const char* name;
    int8_t sb;
    uint32_t variante;
    bool result;
    int8_t sbAfter;
    bool warned;
};

void PrintTo(const TVariantCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzMelderVariantTest : public AzMelderGridTest,
                            public ::testing::WithParamInterface<TVariantCase> {};

TEST_P(AzMelderVariantTest, WiredInputMovesToAnExistingArea)
{
    const TVariantCase& c = GetParam();
    Load(MelderRecord(2, 0, c.sb, 1, 0, true, "Zentrale"));
    EXPECT_EQ(melder.ChangeVarianteAz(c.variante), c.result);
    EXPECT_EQ(melder.GetVarianteAz(), c.variante);
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), c.sbAfter);
    ASSERT_EQ(boxes.Count(), c.warned ? 1u : 0u);
    if (c.warned) {
        EXPECT_EQ(boxes.Shown()[0].text,
                  "Der parametrierte Sicherungs-Bereich des verdrahteten Melders\n\r"
                  "existiert in der neuen Konfiguration nicht. Es wird der Bereich SB 1 "
                  "eingestellt.");
        EXPECT_EQ(boxes.Shown()[0].caption, "Verdrahteter Melder-Eingang Alarmzentrale");
        EXPECT_EQ(boxes.Shown()[0].flags, MB_OK | MB_ICONWARNING);
    }
    if (c.result) {
        EXPECT_EQ(main.Messages(), WriteThen({}));
        EXPECT_EQ(StoredRecord()->Param4, c.sbAfter);
    } else {
        EXPECT_TRUE(main.Messages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    AzMelder, AzMelderVariantTest,
    ::testing::Values(TVariantCase{"Sb2GoneToSb1", 2, 0x11000000u, true, 1, true},
                      TVariantCase{"Sb1GoneToSb2", 1, 0x00330000u, true, 2, true},
                      TVariantCase{"Sb3GoneToSb1", 3, 0x11330000u, true, 1, true},
                      TVariantCase{"Sb4GoneToSb1", 4, 0x11224400u, true, 1, true},
                      TVariantCase{"Sb2StaysWrittenAnyway", 2, 0x11330000u, true, 2, false},
                      TVariantCase{"Sb4Stays", 4, 0x112244CCu, true, 4, false},
                      TVariantCase{"HoldUpAreaRefused", 6, 0x11000000u, false, 6, false},
                      TVariantCase{"FireAreaRefused", 5, 0u, false, 5, false}),
    TZeilenName());

// --- Paste ----------------------------------------------------------------------------------------

TEST_F(AzMelderGridTest, PasteTakesTheCopiedInputButKeepsNumberAndArea)
{
    Load(MelderRecord(3, 12, 1, 1, 0, true, "Flur"));
    TDatenManager<TDatenStruktur>::TMap copied;
    TDatenStruktur other;
    other.Typ = 6126;
    copied[1] = other;
    TDatenStruktur source = MelderRecord(5, 4, 3, 0, 1, false, "Keller", 6, 9);
    source.Handle = 77;
    copied[2] = source;
    TDatenManager<TDatenStruktur> records(&copied);
    std::string message = "unverändert";

    EXPECT_TRUE(melder.Paste(&records, message));
    EXPECT_EQ(melder.GetMelderNr(), 12);
    EXPECT_EQ(melder.GetMelderBereich(), 3);
    EXPECT_EQ(melder.GetSicherungsBereichMelder(), 1);
    EXPECT_EQ(melder.GetMelderArt(), 0);
    EXPECT_EQ(melder.GetMelderTyp(), 1);
    EXPECT_FALSE(melder.GetAktivBei());
    EXPECT_EQ(melder.GetIndexMelderText(), 6);
    EXPECT_EQ(melder.GetMelderReserve(), 9);
    EXPECT_EQ(melder.GetMelderText(), "Keller");
    EXPECT_EQ(melder.GetHandle(), kHandle);
    EXPECT_EQ(message, "unverändert");
    EXPECT_TRUE(main.Messages().empty()); // the caller stores the node
    EXPECT_EQ(records.GetCount(), 2);

    // The pasted detector writes its own parameters with the copied values.
    melder.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes().at(0),
              (std::pair<int16_t, int32_t>{3120, (1 << 3) | (6 << 6) | (1 << 13)}));
}

TEST_F(AzMelderGridTest, PasteWithoutADetectorRecordThrowsAndChangesNothing)
{
    Load(MelderRecord(3, 12, 1, 5, 0, true, "Flur"));
    TDatenManager<TDatenStruktur>::TMap copied;
    TDatenStruktur other;
    other.Typ = 6126;
    other.Param3 = 2;
    copied[1] = other;
    TDatenManager<TDatenStruktur> records(&copied);
    std::string message;
    try {
        melder.Paste(&records, message);
        FAIL() << "no exception";
    } catch (const E_DataBasis& e) {
        EXPECT_EQ(e.GetSeverity(), 3);
        EXPECT_EQ(e.Message(), "Flur - (Eingang 12 Melder):\n");
    }
    EXPECT_EQ(melder.GetMelderArt(), 5);
    EXPECT_EQ(melder.GetMelderText(), "Flur");

    TDatenManager<TDatenStruktur> empty;
    EXPECT_THROW(melder.Paste(&empty, message), E_DataBasis);
    EXPECT_THROW(melder.Paste(nullptr, message), E_DataBasis);
}

} // namespace
