// The alarm-centre system node: its seven device parameters, the variant change with the
// editor (request codes 0 and 4), the event-memory depth, the grid rows with their limits and
// the messages after each kind of edit.
#include "tessarin/AzSystem.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "rastow/QmSpinEdit.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kHandle = 1;
constexpr int32_t kDeviceId = 77;

using TWrites = std::vector<std::pair<int16_t, int32_t>>;


// The system node is a device node: its System is its own handle, its parent 0.
const TRecordedMessage kWriteRecord = SentMessage(UM_GetDatenSatz, MakeDatenSatzKey(0, kHandle), kHandle);

TDatenStruktur Record()
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Parent = 0;
    r.System = kHandle;
    r.Typ = TAzSystem::kTyp;
    return r;
}

// The number of security areas of a variant code: its nonzero bytes.
int32_t Bereiche(uint32_t variante)
{
    int32_t n = 0;
    for (int shift = 0; shift < 32; shift += 8)
        n += ((variante >> shift) & 0xFFu) != 0 ? 1 : 0;
    return n;
}

class AzSystemTest : public ::testing::Test {
protected:
    AzSystemTest()
    {
        system.SetHandle(kHandle);
        main.AddRecord(Record());
    }

    // The editor's variant dialog (code 0): the user confirms `choice`, or cancels (none).
    void DialogChooses(std::optional<uint32_t> choice)
    {
        main.OnDeviceRequest(TAzSystem::kCodeVarianteDialog, [choice](TUserDeviceRequest& r) {
            auto* sender = dynamic_cast<TAzSystem*>(r.Sender);
            if (sender != nullptr && choice)
                sender->SetParamVarianteAz(*choice);
            return LRESULT{0};
        });
    }
    // The editor's variant change (code 4): Wert4 the areas of the new code; answer.
    void EditorChanges(LRESULT answer)
    {
        main.OnDeviceRequest(TAzSystem::kCodeVarianteAendern, [answer](TUserDeviceRequest& r) {
            r.Wert4 = Bereiche(static_cast<uint32_t>(r.Wert8));
            return answer;
        });
    }

    template <class Change> void Load(Change change)
    {
        TDatenStruktur r = Record();
        system.Write(r);
        change(r);
        system.InitFromDB(r);
        main.Clear();
    }

    void Show()
    {
        system.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    // The grid row (position) that carries the row number.
    int GridRow(int rowNr) const { return grid.FindRow(rowNr); }

    TMainWindowDouble main;
    TAzSystem system{main.Handle(), 0, 0, "Alarmzentrale", kDeviceId, 5, 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};

// --- Defaults and device parameters ----------------------------------------------------------

TEST_F(AzSystemTest, NewNodeHasTheDefaults)
{
    EXPECT_EQ(system.GetParamVarianteAz(), 0x11330000u);
    EXPECT_EQ(TAzSystem::GetTextVarianteAz(system.GetParamVarianteAz()), "Konfiguration 2.1");
    EXPECT_EQ(system.GetEreignisspeichertiefe(), 160);
    EXPECT_EQ(system.GetImpuls(), 5);
    EXPECT_EQ(system.GetScharfQuittierungszeit(), 5);
    EXPECT_EQ(system.GetUnscharfQuittierungszeit(), 10);
    EXPECT_EQ(system.GetBusspannungswiederkehr(), TAzSystem::ebLetzterZustand);
    EXPECT_EQ(system.GetDeviceId(), kDeviceId);
    EXPECT_EQ(system.GetTyp(), 105);
    EXPECT_EQ(system.GetIcon(), 29);
    EXPECT_EQ(system.GetQuickHelpIndexOffset(), 1);
}

struct TParamCase {
    const char* name;
    void (*change)(TDatenStruktur&);
    TWrites writes;
};

void PrintTo(const TParamCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzSystemParamTest : public AzSystemTest,
                          public ::testing::WithParamInterface<TParamCase> {};

TEST_P(AzSystemParamTest, WritesTheSevenParametersInOrder)
{
    Load(GetParam().change);
    system.WriteDataToDb();
    EXPECT_EQ(main.DeviceParams().Writes(), GetParam().writes);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzSystem, AzSystemParamTest,
    ::testing::Values(
        TParamCase{"Defaults", [](TDatenStruktur&) {},
                   {{10070, 0x11330000}, {10060, 0}, {10110, 5}, {10120, 5}, {10130, 10},
                    {10010, 0}, {10140, 160}}},
        TParamCase{"FourAreasEveryValueSet",
                   [](TDatenStruktur& r) {
                       r.Param7 = 0x113344CC;
                       r.Bool3 = true;
                       r.Param9 = 2;
                       r.Param10 = 255;
                       r.Param11 = 30;
                       r.Bool4 = true;
                       r.Param12 = 80;
                   },
                   {{10070, 0x113344CC}, {10060, 1}, {10110, 2}, {10120, 255}, {10130, 30},
                    {10010, 1}, {10140, 80}}},
        // The variant is 32 unsigned bits: written as its bit pattern.
        TParamCase{"VariantWithTopBitAsBitPattern",
                   [](TDatenStruktur& r) { r.Param7 = static_cast<int32_t>(0xF1000098u); },
                   {{10070, static_cast<int32_t>(0xF1000098u)}, {10060, 0}, {10110, 5},
                    {10120, 5}, {10130, 10}, {10010, 0}, {10140, 160}}},
        // The depth is the low byte of its record slot, zero-extended.
        TParamCase{"DepthIsTheLowByte", [](TDatenStruktur& r) { r.Param12 = 416; },
                   {{10070, 0x11330000}, {10060, 0}, {10110, 5}, {10120, 5}, {10130, 10},
                    {10010, 0}, {10140, 160}}},
        TParamCase{"DepthAboveSignedByteRange", [](TDatenStruktur& r) { r.Param12 = 255; },
                   {{10070, 0x11330000}, {10060, 0}, {10110, 5}, {10120, 5}, {10130, 10},
                    {10010, 0}, {10140, 255}}}),
    TZeilenName());

TEST_F(AzSystemTest, WithoutEtsOneBoxAndNothingWritten)
{
    main.SetDeviceParamAccess(nullptr);
    system.WriteDataToDb();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler beim Zugriff auf Ets");
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

// --- Record ----------------------------------------------------------------------------------

TEST_F(AzSystemTest, RecordSlotsRoundTripAfterTheDeviceBase)
{
    main.On(UM_GetPhysAdr, [](WPARAM deviceId, LPARAM text) {
        *reinterpret_cast<std::string*>(text) = deviceId == kDeviceId ? "01.01.005" : "?";
        return LRESULT{1};
    });
    TDatenStruktur in = Record();
    in.Name = "Alarmzentrale";
    in.Param4 = kDeviceId;
    in.Param6 = 12;
    in.Param7 = 0x11224400;
    in.Bool3 = in.Bool4 = true;
    in.Param9 = 7;
    in.Param10 = 8;
    in.Param11 = 9;
    in.Param12 = 106;
    system.InitFromDB(in);
    TDatenStruktur out;
    system.Write(out);
    in.String2 = "01.01.005"; // the address comes from the editor, and is written
    EXPECT_EQ(out, in);
    EXPECT_EQ(system.GetName(true), "Alarmzentrale [01.01.005]");
}

TEST_F(AzSystemTest, EinfuegenNeedsARecordOfItsType)
{
    std::map<int, TDatenStruktur> records;
    TDatenStruktur other = Record();
    other.Typ = 6126;
    other.Param6 = 3;
    records[1] = other;
    EXPECT_FALSE(system.Einfuegen(records));
    EXPECT_EQ(system.GetObjektCount(), 0);
    TDatenStruktur own = Record();
    own.Param6 = 12;
    records[2] = own;
    EXPECT_TRUE(system.Einfuegen(records));
    EXPECT_EQ(system.GetObjektCount(), 12);
}

// --- Variants and event-memory depth ---------------------------------------------------------

TEST(AzSystemVariante, TextsOfTheFifteenCodes)
{
    const std::vector<std::pair<uint32_t, std::string>> table = {
        {0x00000000u, "Konfiguration 1"},   {0x11330000u, "Konfiguration 2.1"},
        {0x113344CCu, "Konfiguration 2.2"}, {0x110044CCu, "Konfiguration 3.1"},
        {0x112244CCu, "Konfiguration 3.2"}, {0x11000000u, "Konfiguration 4.1"},
        {0x11220000u, "Konfiguration 4.2"}, {0x11224400u, "Konfiguration 4.3"},
        {0x11224488u, "Konfiguration 4.4"}, {0x11000098u, "Konfiguration 5.1"},
        {0x112200B8u, "Konfiguration 5.2"}, {0x112244F8u, "Konfiguration 5.3"},
        {0x112244B8u, "Konfiguration 6"},   {0x11004498u, "Konfiguration 7.1"},
        {0x11224498u, "Konfiguration 7.2"},
        // Codes outside the table have no text.
        {0x11330001u, ""}, {0xFFFFFFFFu, ""}, {0x00330000u, ""}};
    for (const auto& [code, text] : table) {
        SCOPED_TRACE(code);
        EXPECT_EQ(TAzSystem::GetTextVarianteAz(code), text);
    }
}

TEST_F(AzSystemTest, DepthFollowsTheNumberOfAreas)
{
    const std::vector<std::pair<int, int>> table = {
        {1, 255}, {2, 160}, {3, 106}, {4, 80},
        // Anything else leaves the depth as it was (here 80 from the row before).
        {0, 80}, {5, 80}, {-1, 80}, {256 + 1, 80}};
    for (const auto& [bereiche, tiefe] : table) {
        SCOPED_TRACE(bereiche);
        system.SetEreignisspeichertiefe(bereiche);
        EXPECT_EQ(system.GetEreignisspeichertiefe(), tiefe);
    }
}

// --- Grid rows -------------------------------------------------------------------------------

TEST_F(AzSystemTest, RowsWithTheirLimits)
{
    Load([](TDatenStruktur& r) {
        r.Param7 = 0x11000098;
        r.Param9 = 3;
        r.Param10 = 4;
        r.Param11 = 200;
        r.Bool4 = true;
    });
    system.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_EQ(grid.RowNumbers(), (std::vector<int>{1, 3, 4, 5, 6}));

    const TCell* ellipse = grid.Cell(1, 0);
    EXPECT_EQ(grid.Cell(0, 0)->Text, "Konfiguration der Sicherungsbereiche");
    EXPECT_EQ(ellipse->Kind, TCell::ckEllipse);
    EXPECT_EQ(ellipse->Text, "Konfiguration 5.1");
    EXPECT_EQ(ellipse->Help, 1 + 1);

    struct TSpinRow {
        int rowNr;
        const char* caption;
        int32_t value;
    };
    const std::vector<TSpinRow> spins = {{3, "Impuls Scharf-/Unscharf-Signal [s]", 3},
                                         {4, "Scharf-Quittierungszeit [s]", 4},
                                         {5, "Unscharf-Quittierungszeit [s]", 200}};
    for (const TSpinRow& s : spins) {
        SCOPED_TRACE(s.rowNr);
        const int r = GridRow(s.rowNr);
        ASSERT_GE(r, 0);
        EXPECT_EQ(grid.Cell(0, r)->Text, s.caption);
        const TCell* spin = grid.Cell(1, r);
        EXPECT_EQ(spin->Kind, TCell::ckSpinEdit);
        EXPECT_EQ(spin->SpinValue, s.value);
        EXPECT_EQ(spin->SpinMin, 2);
        EXPECT_EQ(spin->SpinMax, 255);
        EXPECT_EQ(spin->SpinStep, 1);
        EXPECT_EQ(spin->Help, 1 + s.rowNr);
    }

    const int r6 = GridRow(6);
    EXPECT_EQ(grid.Cell(0, r6)->Text, "Busspannungswiederkehr");
    const TCell* combo = grid.Cell(1, r6);
    ASSERT_EQ(combo->Items.size(), 2u);
    EXPECT_EQ(combo->Items[0].Text, "Letzter Zustand");
    EXPECT_EQ(combo->Items[1].Text, "Alle SSB unscharf");
    EXPECT_EQ(combo->ItemIndex, 1);
}

// --- Spin rows: commit, limits, overflow and underflow ---------------------------------------

TEST_F(AzSystemTest, SpinCommitOnLeavingWritesOnceThenRefreshesTheOtherViews)
{
    struct TCase {
        int rowNr;
        int typed;
        int32_t stored;
        int32_t (TAzSystem::*member)() const;
    };
    // Each row at, below and above its limits; the committed value stays within 2..255.
    const std::vector<TCase> cases = {
        {3, 2, 2, &TAzSystem::GetImpuls},
        {3, 1, 2, &TAzSystem::GetImpuls},
        {3, 256, 255, &TAzSystem::GetImpuls},
        {4, 255, 255, &TAzSystem::GetScharfQuittierungszeit},
        {4, -5, 2, &TAzSystem::GetScharfQuittierungszeit},
        {5, 40000, 255, &TAzSystem::GetUnscharfQuittierungszeit},
        {5, 10, 10, &TAzSystem::GetUnscharfQuittierungszeit}, // unchanged: written all the same
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.rowNr << " typed " << c.typed);
        Show();
        ASSERT_TRUE(grid.SpinTo(GridRow(c.rowNr), c.typed));
        EXPECT_TRUE(main.Messages().empty()); // typing alone sends nothing
        ASSERT_TRUE(grid.ExitCell());
        EXPECT_EQ(main.Messages(), (std::vector<TRecordedMessage>{
                                       kWriteRecord, PostedMessage(UM_AktualisiereAndereAnsichten)}));
        EXPECT_EQ((system.*c.member)(), c.stored);
        EXPECT_EQ(main.FindRecord(kHandle)->Param(c.rowNr + 6), c.stored); // Param9-Param11
    }
}

TEST_F(AzSystemTest, OverflowAndUnderflowSetTheEditorToItsOwnLimits)
{
    TQmSpinEdit spin;
    spin.Min = 2;
    spin.Max = 255;
    TCell cell;
    cell.RowNr = 3;

    spin.Value = 300;
    spin.Position = 17;
    system.GridSpinEditOverflow(&grid, &spin, cell, 1, 1, 300.0);
    EXPECT_EQ(spin.Position, 255);
    EXPECT_EQ(spin.Value, 255);

    spin.Value = -4;
    spin.Position = 17;
    system.GridSpinEditUnderflow(&grid, &spin, cell, 1, 1, -4.0);
    EXPECT_EQ(spin.Position, 2);
    EXPECT_EQ(spin.Value, 2);

    // The member, the record and the windows are not touched; without an editor nothing.
    system.GridSpinEditOverflow(&grid, nullptr, cell, 1, 1, 300.0);
    Show();
    ASSERT_TRUE(grid.SpinTo(GridRow(4), 999));
    EXPECT_EQ(dynamic_cast<TQmSpinEdit&>(*grid.Editor()).Position, 255);
    EXPECT_EQ(system.GetScharfQuittierungszeit(), 5);
    system.GridSpinEditUnderflow(nullptr, nullptr, cell, 1, 1, 0.0);
    EXPECT_EQ(system.GetImpuls(), 5);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(main.FindRecord(kHandle)->Param9, 0);
}

TEST_F(AzSystemTest, HandlersWithoutARowToServeSendNothing)
{
    Show();
    TQmSpinEdit spin;
    spin.Value = 9;
    TDrawGridSEComboBox combo;
    combo.ItemIndex = 1;
    TCell cell;
    for (int rowNr : {0, 1, 2, 6, 7}) {
        SCOPED_TRACE(rowNr);
        cell.RowNr = rowNr;
        system.GridExitCell(&grid, &spin, cell, 1, 0);
    }
    cell.RowNr = 3;
    system.GridExitCell(nullptr, &spin, cell, 1, 0); // no grid
    system.GridExitCell(&grid, nullptr, cell, 1, 0); // no editor
    system.GridExitCell(&grid, &combo, cell, 1, 0);  // not a spin editor
    system.GridEditChange(&spin, cell, 1, 0);
    system.GridSpinEditChange(&spin, cell, 1, 0);
    system.GridExit(&grid, &spin, cell, 1, 0);
    cell.RowNr = 5;
    system.GridComboBoxChange(&combo, cell, 1, 0);
    combo.ItemIndex = -1; // no selection
    cell.RowNr = 6;
    system.GridComboBoxChange(&combo, cell, 1, 0);
    DialogChooses(0x113344CCu); // the variant changes only through row 1
    system.GridEllipseClick(&combo, cell, 1, 0);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(system.GetImpuls(), 5);
    EXPECT_EQ(system.GetBusspannungswiederkehr(), 0);
    EXPECT_EQ(system.GetParamVarianteAz(), 0x11330000u);
}

// --- Combo row -------------------------------------------------------------------------------

TEST_F(AzSystemTest, BusVoltageChoiceWritesOnceThenRefreshesTheOtherViews)
{
    Show();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(6), 1));
    const std::vector<TRecordedMessage> expected = {kWriteRecord,
                                                    PostedMessage(UM_AktualisiereAndereAnsichten)};
    EXPECT_EQ(main.Messages(), expected);
    EXPECT_EQ(system.GetBusspannungswiederkehr(), TAzSystem::ebAlleSsbUnscharf);
    EXPECT_TRUE(main.FindRecord(kHandle)->Bool4);

    // Leaving the cell commits nothing more; choosing the same entry sends nothing.
    main.Clear();
    ASSERT_TRUE(grid.ExitCell());
    ASSERT_TRUE(grid.SelectComboItem(GridRow(6), 1));
    EXPECT_TRUE(main.Messages().empty());
    system.SetParamVarianteAz(0x11330001u); // any code is stored as given, without a write
    EXPECT_EQ(system.GetParamVarianteAz(), 0x11330001u);
    EXPECT_TRUE(main.Messages().empty());
}

// --- Variant change --------------------------------------------------------------------------

struct TVarianteCase {
    const char* name;
    std::optional<uint32_t> dialog; // the code the user confirms; none: cancelled
    int question;                   // the user's answer to the question
    LRESULT editor;                 // the editor's answer to code 4
    uint32_t variante;              // the node's code afterwards
    int tiefe;                      // its depth afterwards
    std::vector<uint8_t> codes;     // the request codes sent
    std::vector<std::string> boxes; // captions of the boxes shown
    bool written;                   // record written, align and refresh posted
};

void PrintTo(const TVarianteCase& c, std::ostream* out)
{
    *out << c.name;
}

class AzSystemVarianteTest : public AzSystemTest,
                             public ::testing::WithParamInterface<TVarianteCase> {};

TEST_P(AzSystemVarianteTest, ChangesTheVariantWithTheEditor)
{
    const TVarianteCase& c = GetParam();
    DialogChooses(c.dialog);
    EditorChanges(c.editor);
    boxes.Script(c.question);
    Show();
    const int row = GridRow(1);
    ASSERT_TRUE(grid.ClickEllipsis(row));

    EXPECT_EQ(system.GetParamVarianteAz(), c.variante);
    EXPECT_EQ(system.GetEreignisspeichertiefe(), c.tiefe);

    std::vector<uint8_t> codes;
    for (const TUserDeviceRequest& r : main.DeviceRequests()) {
        codes.push_back(r.Code);
        EXPECT_EQ(r.Handle, kHandle);
        EXPECT_EQ(r.Sender, &system);
    }
    EXPECT_EQ(codes, c.codes);
    if (c.codes.size() == 2) {
        EXPECT_EQ(static_cast<uint32_t>(main.DeviceRequests()[1].Wert8), *c.dialog);
    }

    std::vector<std::string> captions;
    for (const TShownBox& b : boxes.Shown())
        captions.push_back(b.caption);
    EXPECT_EQ(captions, c.boxes);

    // Two requests carry stack addresses: compare ids, then the posts in full.
    std::vector<UINT> ids(c.codes.size(), UM_UserDeviceMessage);
    std::vector<TRecordedMessage> posts;
    if (c.written) {
        ids.insert(ids.end(), {UM_GetDatenSatz, UM_AbgleichFormVerw, UM_AktualisiereAnsicht});
        posts = {PostedMessage(UM_AbgleichFormVerw, 1, row), PostedMessage(UM_AktualisiereAnsicht, 1, row)};
    }
    EXPECT_EQ(main.MessageIds(), ids);
    EXPECT_EQ(main.Posts(), posts);
    // The record holds the new code only when the change was done.
    const TDatenStruktur* record = main.FindRecord(kHandle);
    EXPECT_EQ(static_cast<uint32_t>(record->Param7), c.written ? c.variante : 0u);
    if (c.written) {
        EXPECT_EQ(record->Param12, c.tiefe);
    }
}

const char* const kFrage = "Konfiguration der Sicherungsbereiche";
const char* const kFehler = "Fehler";

INSTANTIATE_TEST_SUITE_P(
    AzSystem, AzSystemVarianteTest,
    ::testing::Values(
        TVarianteCase{"FourAreas", 0x113344CCu, IDYES, 1, 0x113344CCu, 80, {0, 4}, {kFrage},
                      true},
        TVarianteCase{"OneArea", 0x11000000u, IDYES, 1, 0x11000000u, 255, {0, 4}, {kFrage},
                      true},
        TVarianteCase{"ThreeAreas", 0x11224400u, IDYES, 1, 0x11224400u, 106, {0, 4}, {kFrage},
                      true},
        // No security area: the depth stays as it was.
        TVarianteCase{"NoAreaKeepsTheDepth", 0x00000000u, IDYES, 1, 0x00000000u, 160, {0, 4},
                      {kFrage}, true},
        // The same code chosen again, or the dialog cancelled: nothing is asked or written.
        TVarianteCase{"SameCode", 0x11330000u, IDYES, 1, 0x11330000u, 160, {0}, {}, false},
        TVarianteCase{"DialogCancelled", std::nullopt, IDYES, 1, 0x11330000u, 160, {0}, {},
                      false},
        // The user declines: the old code is back, nothing written or sent.
        TVarianteCase{"UserSaysNo", 0x113344CCu, IDNO, 1, 0x11330000u, 160, {0}, {kFrage},
                      false},
        // The editor refuses: error box; the new code stays in memory, the record keeps the
        // old one and no window is told.
        TVarianteCase{"EditorRefuses", 0x113344CCu, IDYES, 0, 0x113344CCu, 160, {0, 4},
                      {kFrage, kFehler}, false}),
    TZeilenName());

TEST_F(AzSystemTest, QuestionAndErrorBoxTexts)
{
    DialogChooses(0x11220000u);
    EditorChanges(0);
    boxes.Script(IDYES);
    Show();
    ASSERT_TRUE(grid.ClickEllipsis(GridRow(1)));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Soll die Konfiguration der Sicherungsbereiche wirklich geändert werden?\n\r"
              "Durch die Änderung werden Sicherungsbereiche mit allen untergeordneten\n\r"
              "Eingängen gelöscht.");
    EXPECT_EQ(boxes.Shown()[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes.Shown()[1].text,
              "Fehler beim umschalten der Konfiguration.\n\rPlug-In muss neu gestartet werden");
    EXPECT_EQ(boxes.Shown()[1].flags, MB_OK);
    // The next write of the node takes the new code into the record.
    main.Clear();
    ASSERT_TRUE(grid.SelectComboItem(GridRow(6), 1));
    EXPECT_EQ(static_cast<uint32_t>(main.FindRecord(kHandle)->Param7), 0x11220000u);
}

} // namespace
