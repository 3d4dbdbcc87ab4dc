// The shared mechanics of the alarm-centre nodes, exercised through a small node that uses
// them the way every class does: a spin row, a combo row and a text row.
#include "tessarin/AzKnoten.h"

#include "pellam/DataBasis.h"
#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"
#include "support/Zeilenname.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTyp = 6199;
constexpr int kTextParam = 1010;

class TTestKnoten : public TDataBasis {
public:
    explicit TTestKnoten(HWND owner) : TDataBasis(owner, 1, 2, "Test", 0) {}

    int GetTyp() override { return kTyp; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 0; }
    bool AllowChild(int) override { return false; }

    void Write(TDatenStruktur& record) override
    {
        TDataBasis::Write(record);
        record.Param3 = m_zahl;
        record.Param4 = m_auswahl;
        record.String4 = m_text;
    }

    bool Einfuegen(std::map<int, TDatenStruktur>& records) override
    {
        return AzKnoten::FindOwnType(*this, records) != nullptr && TDataBasis::Einfuegen(records);
    }

    void BuildInfoWindow(TDrawGridSE* grid, TListView*, bool, int column, int row) override
    {
        if (!AzKnoten::BeginInfoWindow(*this, grid, m_tagWhenFlagged))
            return;
        AddRowSpinEdit(grid, "Zahl", 1, 255, 2, 1, m_zahl, 0, false);
        TStringList items;
        items.Add("null");
        items.Add("eins");
        AddRowComboBox(grid, "Auswahl", 2, &items, m_auswahl, 0, true);
        AddRowEditFeld(grid, "Text", 3, m_text, 0, true, 14);
        AzKnoten::EndInfoWindow(*this, column, row);
    }

    void WriteDataToDb()
    {
        AzKnoten::TParamWriter writer(*this);
        if (!writer)
            return;
        writer.Set(1000, m_zahl);
        writer.Set(1001, m_auswahl);
        writer.Set(m_unsetParamNr, 7);
        writer.Set(1002, m_marke);
    }

    void GridComboBoxChange(TObject* sender, TCell& cell, int column, int row)
    {
        AzKnoten::TGridEditFlags flags;
        int32_t index = 0;
        if (cell.RowNr == 2 && AzKnoten::ComboIndex(sender, index) && index != m_auswahl) {
            m_auswahl = static_cast<int8_t>(index);
            flags.Write = flags.OtherViews = true;
        }
        AzKnoten::FinishGridEdit(*this, flags, column, row);
    }
    void GridEditChange(TObject*, TCell&, int, int) {}
    void GridSpinEditChange(TObject*, TCell&, int, int) {}
    void GridSpinEditOverflow(TDrawGridSE*, TObject*, TCell&, int, int, double) {}
    void GridSpinEditUnderflow(TDrawGridSE*, TObject*, TCell&, int, int, double) {}
    void GridExitCell(TDrawGridSE* grid, TObject* sender, TCell& cell, int column, int row)
    {
        if (grid == nullptr || sender == nullptr)
            return;
        AzKnoten::TGridEditFlags flags;
        int32_t value = 0;
        std::string text;
        if (cell.RowNr == 1 && AzKnoten::SpinValue(sender, value)) {
            m_zahl = value;
            flags.Write = flags.OtherViews = true;
        } else if (cell.RowNr == 3 && AzKnoten::EditText(sender, text) && text != m_text) {
            if (AzKnoten::AcceptTypedText(*this, text)) {
                m_text = text;
                flags.Write = flags.OtherViews = flags.Tree = true;
            }
        }
        AzKnoten::FinishGridEdit(*this, flags, column, row);
    }
    void GridExit(TDrawGridSE*, TObject*, TCell&, int, int) {}
    void GridEllipseClick(TObject*, TCell&, int column, int row)
    {
        AzKnoten::FinishGridEdit(*this, m_ellipseFlags, column, row);
    }

    int32_t m_zahl = 5;
    int8_t m_auswahl = 1;
    uint8_t m_marke = 0xF0;
    std::string m_text = "Alt";
    bool m_tagWhenFlagged = false;
    int m_unsetParamNr = 0;
    AzKnoten::TGridEditFlags m_ellipseFlags;
};

class AzKnotenTest : public ::testing::Test {
protected:
    AzKnotenTest()
    {
        knoten.SetHandle(7);
        main.AddRecord([] {
            TDatenStruktur r;
            r.Handle = 7;
            r.Parent = 2;
            r.System = 1;
            return r;
        }());
    }

    // Shows the node's rows; the messages of building are not kept.
    void Show()
    {
        knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    TMainWindowDouble main;
    TTestKnoten knoten{main.Handle()};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};


// --- Text packing --------------------------------------------------------------------------

struct TPackCase {
    const char* name;
    std::string text;
    std::vector<std::pair<int16_t, int32_t>> writes;
};

void PrintTo(const TPackCase& c, std::ostream* out)
{
    *out << c.name;
}

class PackTest : public AzKnotenTest, public ::testing::WithParamInterface<TPackCase> {};

TEST_P(PackTest, WritesFourParametersFromTheNumberUpward)
{
    const TPackCase& c = GetParam();
    EXPECT_TRUE(AzKnoten::SetStringToDeviceParamData(knoten, kTextParam, c.text));
    EXPECT_EQ(main.DeviceParams().Writes(), c.writes);
    EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AzKnoten, PackTest,
    ::testing::Values(
        // Characters 1-4 in parameter n (character 1 in the top byte), 5-7 in the upper three
        // bytes of n+1, zeros after.
        TPackCase{"SevenCharacters", "Abcdefg",
                  {{1010, 0x41626364}, {1011, 0x65666700}, {1012, 0}, {1013, 0}}},
        // Characters 15 and 16 are never written; 13 and 14 are the low half of n+3.
        TPackCase{"SixteenCharacters", "ABCDEFGHIJKLMNOP",
                  {{1010, 0x41424344}, {1011, 0x45464748}, {1012, 0x494A4B4C}, {1013, 0x4D4E}}},
        TPackCase{"Empty", "", {{1010, 0}, {1011, 0}, {1012, 0}, {1013, 0}}},
        // 14 characters, 15 bytes in UTF-8: taken whole, Ü packed as its Windows-1252 byte.
        TPackCase{"UmlautCountsAsOneCharacter", "Überfallmelder",
                  {{1010, static_cast<int32_t>(0xDC626572u)},
                   {1011, 0x66616C6C},
                   {1012, 0x6D656C64},
                   {1013, 0x6572}}},
        // Bytes above 0x7F are unsigned: they set no bits beyond their own byte, and the
        // fourth value is shifted as unsigned.
        TPackCase{"HighBytesStayInTheirByte", "abc\xC3\xA4\xE2\x82\xAC" "defghijk\xC3\xB6\xC3\xBC",
                  {{1010, static_cast<int32_t>(0x616263E4u)},
                   {1011, static_cast<int32_t>(0x80646566u)},
                   {1012, 0x6768696A},
                   {1013, 0x6BF6}}},
        // The text ends at a NUL byte, as the device sees it.
        TPackCase{"EndsAtNul", std::string("ab\0cd", 5),
                  {{1010, 0x61620000}, {1011, 0}, {1012, 0}, {1013, 0}}}),
    TZeilenName());

TEST(AzKnotenSwap, ReversesTheFourBytes)
{
    EXPECT_EQ(AzKnoten::SwapDword(0x11223344u), 0x44332211u);
    EXPECT_EQ(AzKnoten::SwapDword(0xFF000080u), 0x800000FFu);
    EXPECT_EQ(AzKnoten::SwapDword(0u), 0u);
}

TEST_F(AzKnotenTest, TextOutsideTheCodePageIsNotPacked)
{
    EXPECT_FALSE(AzKnoten::SetStringToDeviceParamData(knoten, kTextParam, "Rubel \u20BD"));
    EXPECT_TRUE(main.DeviceParams().Writes().empty());
    EXPECT_FALSE(AzKnoten::SetStringToDeviceParamData(knoten, 0, "Flur"));
    EXPECT_FALSE(AzKnoten::SetStringToDeviceParamData(knoten, 32765, "Flur"));
    EXPECT_TRUE(main.DeviceParams().Writes().empty());
    EXPECT_EQ(boxes.Count(), 0u);
}

// --- Device-parameter writer -----------------------------------------------------------------

TEST_F(AzKnotenTest, WriterExtendsByTypeAndSkipsAnUnsetNumber)
{
    knoten.m_auswahl = -1;
    knoten.WriteDataToDb();
    const std::vector<std::pair<int16_t, int32_t>> expected = {
        {1000, 5}, {1001, -1}, {1002, 0xF0}};
    EXPECT_EQ(main.DeviceParams().Writes(), expected);
    EXPECT_EQ(main.MessageIds(), std::vector<UINT>{UM_GetEtsDeviceParam});
}

TEST_F(AzKnotenTest, WithoutEtsOneBoxPerWriteAndNothingWritten)
{
    main.SetDeviceParamAccess(nullptr);
    knoten.WriteDataToDb();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Die Parameter konnten nicht in der Ets gespeichert werden.");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler beim Zugriff auf Ets");
    EXPECT_EQ(boxes.Shown()[0].flags, MB_OK);

    // Each text packing asks anew, so each shows the box once.
    EXPECT_FALSE(AzKnoten::SetStringToDeviceParamData(knoten, kTextParam, "a"));
    EXPECT_FALSE(AzKnoten::SetStringToDeviceParamData(knoten, kTextParam + 10, "b"));
    EXPECT_EQ(boxes.Count(), 3u);
    EXPECT_TRUE(main.DeviceParams().Calls().empty());
}

// --- Grid edits ------------------------------------------------------------------------------

TEST_F(AzKnotenTest, SpinEditWritesOnceThenRefreshesTheOtherViews)
{
    Show();
    ASSERT_TRUE(grid.SpinTo(0, 17));
    ASSERT_TRUE(grid.ExitCell());
    const std::vector<TRecordedMessage> expected = {
        SentMessage(UM_GetDatenSatz, (1u << 16) | 2u, 7), PostedMessage(UM_AktualisiereAndereAnsichten)};
    EXPECT_EQ(main.Messages(), expected);
    EXPECT_EQ(main.FindRecord(7)->Param3, 17);
    EXPECT_EQ(main.FindRecord(7)->Typ, kTyp);
}

TEST_F(AzKnotenTest, FlagsAreActedOnInTheirFixedOrder)
{
    knoten.m_ellipseFlags = {true, true, true, true, true};
    knoten.GridEllipseClick(nullptr, *grid.Cell(1, 0), 1, 4);
    const std::vector<TRecordedMessage> expected = {
        SentMessage(UM_GetDatenSatz, (1u << 16) | 2u, 7), PostedMessage(UM_AbgleichFormVerw, 1, 4),
        PostedMessage(UM_AktualisiereAnsicht, 1, 4), PostedMessage(UM_AktualisiereAndereAnsichten),
        PostedMessage(UM_UpdateTreeNamesAndIcon)};
    EXPECT_EQ(main.Messages(), expected);

    main.Clear();
    knoten.m_ellipseFlags = {};
    knoten.GridEllipseClick(nullptr, *grid.Cell(1, 0), 1, 4);
    EXPECT_TRUE(main.Messages().empty());
}

TEST_F(AzKnotenTest, WriteKeyCarriesSystemHighAndParentLow)
{
    knoten.SetParent(0x12345);
    knoten.SetSystem(3);
    main.AddRecord([] {
        TDatenStruktur r;
        r.Handle = 7;
        r.Parent = 0x2345;
        r.System = 3;
        return r;
    }());
    EXPECT_TRUE(AzKnoten::WriteRecord(knoten));
    EXPECT_EQ(main.Messages().at(0), SentMessage(UM_GetDatenSatz, (3u << 16) | 0x2345u, 7));
}

TEST_F(AzKnotenTest, ComboWithoutSelectionLeavesTheMemberUnchanged)
{
    Show();
    TDrawGridSEComboBox combo;
    combo.Items = {{"null", 0}, {"eins", 1}};
    combo.ItemIndex = -1;
    TCell cell = *grid.Cell(1, 1);
    knoten.GridComboBoxChange(&combo, cell, 1, 1);
    EXPECT_EQ(knoten.m_auswahl, 1);
    EXPECT_TRUE(main.Messages().empty());

    int32_t value = 99;
    EXPECT_FALSE(AzKnoten::ComboValue(&combo, value));
    EXPECT_EQ(value, 99);
    EXPECT_FALSE(AzKnoten::ComboIndex(nullptr, value));
    TDrawGridSEEdit edit;
    EXPECT_FALSE(AzKnoten::ComboIndex(&edit, value)); // another editor
    EXPECT_EQ(value, 99);
}

TEST_F(AzKnotenTest, TypedTextOutsideTheCodePageIsRefusedNamingTheCharacter)
{
    Show();
    ASSERT_TRUE(grid.TypeText(2, "Rubel \u20BD"));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(knoten.m_text, "Alt");
    EXPECT_TRUE(main.Messages().empty());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Shown()[0].text.find("\u20BD"), std::string::npos);
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler");

    ASSERT_TRUE(grid.TypeText(2, "Flur \u00C4\u20AC")); // Ä and € are in Windows-1252
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(knoten.m_text, "Flur \u00C4\u20AC");
    EXPECT_EQ(boxes.Count(), 1u);

    EXPECT_FALSE(AzKnoten::AcceptTypedText(knoten, "\xC3"));
    EXPECT_EQ(boxes.Count(), 2u);
}

// --- BuildInfoWindow ------------------------------------------------------------------------

struct TActiveCellCase {
    const char* name;
    int column;
    int row;
    bool posted;
};

void PrintTo(const TActiveCellCase& c, std::ostream* out)
{
    *out << c.name;
}

class ActiveCellTest : public AzKnotenTest,
                       public ::testing::WithParamInterface<TActiveCellCase> {};

TEST_P(ActiveCellTest, PostedWhenColumnOrRowIsNotNegative)
{
    const TActiveCellCase& c = GetParam();
    knoten.BuildInfoWindow(&grid, nullptr, false, c.column, c.row);
    std::vector<TRecordedMessage> expected;
    if (c.posted)
        expected.push_back(PostedMessage(UM_SetActiveCell, static_cast<WPARAM>(static_cast<intptr_t>(c.column)),
                                c.row));
    EXPECT_EQ(main.Messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(AzKnoten, ActiveCellTest,
                         ::testing::Values(TActiveCellCase{"BothNegative", -1, -1, false},
                                           TActiveCellCase{"ColumnOnly", 0, -1, true},
                                           TActiveCellCase{"RowOnly", -1, 2, true},
                                           TActiveCellCase{"Both", 1, 2, true}),
                         TZeilenName());

TEST_F(AzKnotenTest, FramePreparesBindsAndTagsOnlyWhenAsked)
{
    grid.Tag = 5;
    knoten.SetFlag();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, 5); // the class did not ask for the tag
    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(grid.OnComboBoxChange && grid.OnEditChange && grid.OnSpinEditChange
                && grid.OnSpinEditOverflow && grid.OnSpinEditUnderflow && grid.OnExitCell
                && grid.OnExit && grid.OnEllipseClick);

    knoten.m_tagWhenFlagged = true;
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, -1);

    grid.Tag = 5;
    knoten.ResetFlag();
    knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
    EXPECT_EQ(grid.Tag, 5);

    knoten.BuildInfoWindow(nullptr, nullptr, false, 0, 0); // no grid: nothing at all
    EXPECT_TRUE(main.Messages().empty());
}

// --- Requests and Einfuegen -----------------------------------------------------------------

TEST_F(AzKnotenTest, RequestCarriesHandleCodeAndSender)
{
    TUserDeviceRequest request = AzKnoten::MakeRequest(knoten, 10);
    request.Wert4 = 12;
    main.OnDeviceRequest(10, [](TUserDeviceRequest& r) -> LRESULT {
        r.Wert5 = 3;
        return 1;
    });
    EXPECT_EQ(AzKnoten::SendRequest(knoten, request), 1);
    EXPECT_EQ(request.Wert5, 3);
    ASSERT_EQ(main.DeviceRequests().size(), 1u);
    const TUserDeviceRequest& sent = main.DeviceRequests()[0];
    EXPECT_EQ(sent.Handle, 7);
    EXPECT_EQ(sent.Code, 10);
    EXPECT_EQ(sent.Sender, &knoten);
    EXPECT_EQ(sent.Datensatz, nullptr);
    EXPECT_TRUE(sent.Text.empty());
    EXPECT_EQ(sent.Wert4, 12);
    EXPECT_EQ(sent.Wert1 | sent.Wert2 | sent.Wert6 | sent.Wert7 | sent.Wert8 | sent.Reserve, 0);
    EXPECT_EQ(sent.Wert3, 0);
}

TEST_F(AzKnotenTest, EinfuegenNeedsARecordOfTheOwnType)
{
    std::map<int, TDatenStruktur> records;
    TDatenStruktur other;
    other.Typ = 6124;
    records[1] = other;
    EXPECT_FALSE(knoten.Einfuegen(records));
    EXPECT_EQ(AzKnoten::FindOwnType(knoten, records), nullptr);

    TDatenStruktur own;
    own.Typ = kTyp;
    own.Handle = 9;
    records[5] = own;
    own.Handle = 4;
    records[3] = own; // lower key: found first
    ASSERT_NE(AzKnoten::FindOwnType(knoten, records), nullptr);
    EXPECT_EQ(AzKnoten::FindOwnType(knoten, records)->Handle, 4);
    EXPECT_TRUE(knoten.Einfuegen(records));
}

} // namespace
