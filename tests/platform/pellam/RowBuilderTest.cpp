#include "pellam/DataBasis.h"

#include "TestNode.h"
#include "rastow/ComboWert.h"
#include "rastow/DrawGridSE.h"
#include "rastow/QmSpinEdit.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

// A node with a quick-help offset, as the alarm-centre classes have.
class THelpNode : public TTestNode {
public:
    THelpNode() : TTestNode(nullptr) {}
    int GetQuickHelpIndexOffset() const override { return 104; }
};

class RowBuilderTest : public ::testing::Test {
protected:
    void SetUp() override { grid.Prepare(2); }

    // Checks the caption cell of a grid row and answers its value cell.
    const TCell& Row(int gridRow, const std::string& caption, int rowNr, int help)
    {
        const TCell* captionCell = grid.Cell(0, gridRow);
        const TCell* value = grid.Cell(1, gridRow);
        EXPECT_NE(captionCell, nullptr);
        EXPECT_NE(value, nullptr);
        if (captionCell == nullptr || value == nullptr)
            return empty;
        EXPECT_EQ(captionCell->Kind, TCell::ckCaption);
        EXPECT_EQ(captionCell->Text, caption);
        EXPECT_EQ(captionCell->RowNr, rowNr);
        EXPECT_EQ(captionCell->Help, help);
        EXPECT_EQ(captionCell->Data, &node);
        EXPECT_EQ(value->RowNr, rowNr);
        EXPECT_EQ(value->Help, help);
        EXPECT_EQ(value->Data, &node);
        EXPECT_TRUE(value->Enabled);
        return *value;
    }

    THelpNode node;
    TDrawGridSE grid;
    TCell empty;
};

TEST_F(RowBuilderTest, FirstRowFillsThePreparedRowLaterRowsAppend)
{
    // The shape of a page whose first row is added with false and the others with true.
    TStringList items;
    items.Add("Letzter Zustand");
    items.Add("Alle SSB unscharf");
    node.AddRowEllipse(&grid, "Konfiguration der Sicherungsbereiche", 1, "Konfiguration 2.1", 0,
                       false);
    node.AddRowSpinEdit(&grid, "Impuls Scharf-/Unscharf-Signal [s]", 3, 255, 2, 1, 5, 0, true);
    node.AddRowComboBox(&grid, "Busspannungswiederkehr", 6, &items, 1, 0, true);

    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{1, 3, 6}));

    const TCell& ellipse = Row(0, "Konfiguration der Sicherungsbereiche", 1, 105);
    EXPECT_EQ(ellipse.Kind, TCell::ckEllipse);
    EXPECT_EQ(ellipse.Text, "Konfiguration 2.1");

    const TCell& spin = Row(1, "Impuls Scharf-/Unscharf-Signal [s]", 3, 107);
    EXPECT_EQ(spin.Kind, TCell::ckSpinEdit);
    EXPECT_EQ(spin.SpinMax, 255);
    EXPECT_EQ(spin.SpinMin, 2);
    EXPECT_EQ(spin.SpinStep, 1);
    EXPECT_EQ(spin.SpinValue, 5);

    const TCell& combo = Row(2, "Busspannungswiederkehr", 6, 110);
    EXPECT_EQ(combo.Kind, TCell::ckComboBox);
    EXPECT_EQ(combo.ComboStyle, csDropDownList);
    EXPECT_EQ(combo.Items, (std::vector<TComboWert>{{"Letzter Zustand", 0},
                                                    {"Alle SSB unscharf", 1}}));
    EXPECT_EQ(combo.ItemIndex, 1);
    EXPECT_EQ(combo.Text, "Alle SSB unscharf");
}

TEST_F(RowBuilderTest, HelpGivenAboveZeroIsKept)
{
    node.AddRowTextFeld(&grid, "Nummer", 1, "12", 190, false);
    node.AddRowTextFeld(&grid, "Objektname", 2, "Licht", -5, true);
    const TCell& number = Row(0, "Nummer", 1, 190);
    EXPECT_EQ(number.Kind, TCell::ckText);
    EXPECT_EQ(number.Text, "12");
    Row(1, "Objektname", 2, 106);
}

TEST_F(RowBuilderTest, RowWithoutAppendOnAGridWithoutRowsGetsARow)
{
    ASSERT_TRUE(grid.SetRowCount(0));
    node.AddRowTextFeld(&grid, "Adresse", 0, "int/5", 0, false);
    ASSERT_EQ(grid.RowCount(), 1);
    Row(0, "Adresse", 0, 104);
    // A null grid is ignored by every builder.
    node.AddRowTextFeld(nullptr, "Adresse", 0, "int/5", 0, true);
    node.AddRowCaption(nullptr, 12, "Allgemein", "", TCell::gtsOpen, true);
}

TEST_F(RowBuilderTest, ComboWithValuesSelectsTheEntryWithTheValue)
{
    const std::list<TComboWert> entries{{"Melder sofort", 1}, {"Melder verzögert", 0},
                                        {"Sabotage", 2}};
    node.AddRowComboBox(&grid, "Eingangs-Typ", 2, entries, 0, 0, false);
    node.AddRowComboBox(&grid, "Eingangs-Typ", 2, entries, 9, 0, true);

    const TCell& found = Row(0, "Eingangs-Typ", 2, 106);
    EXPECT_EQ(found.ItemIndex, 1);
    EXPECT_EQ(found.Text, "Melder verzögert");
    EXPECT_EQ(found.Items.size(), 3u);
    const TCell& missing = Row(1, "Eingangs-Typ", 2, 106);
    EXPECT_EQ(missing.ItemIndex, -1);
    EXPECT_EQ(missing.Text, "");
}

TEST_F(RowBuilderTest, ComboOfTextsTakesTheValueAsIndex)
{
    TStringList items;
    items.Add("Immer-Ein");
    items.Add("Zeit");
    node.AddRowComboBox(&grid, "Schaltdauer Blitz", 1, &items, 2, 0, false);
    node.AddRowComboBox(&grid, "Schaltdauer Relais", 7, nullptr, 0, 0, true);

    const TCell& outside = Row(0, "Schaltdauer Blitz", 1, 105);
    EXPECT_EQ(outside.ItemIndex, -1);
    EXPECT_EQ(outside.Items.at(1), (TComboWert{"Zeit", 1}));
    const TCell& none = Row(1, "Schaltdauer Relais", 7, 111);
    EXPECT_TRUE(none.Items.empty());
    EXPECT_EQ(none.ItemIndex, -1);
}

TEST_F(RowBuilderTest, YesNoRowOffersNeinThenJa)
{
    node.AddRowComboBoxYes(&grid, "Blitz", 1, T_DB_EnumDataBasis::ebFalse, 0, false);
    node.AddRowComboBoxYes(&grid, "Relais", 2, T_DB_EnumDataBasis::ToEnumBool(true), 0, true);

    const std::vector<TComboWert> expected{{"Nein", 0}, {"Ja", 1}};
    const TCell& no = Row(0, "Blitz", 1, 105);
    EXPECT_EQ(no.Kind, TCell::ckComboBox);
    EXPECT_EQ(no.Items, expected);
    EXPECT_EQ(no.ItemIndex, 0);
    EXPECT_EQ(no.Text, "Nein");
    const TCell& yes = Row(1, "Relais", 2, 106);
    EXPECT_EQ(yes.ItemIndex, 1);
    EXPECT_EQ(yes.Text, "Ja");
}

TEST_F(RowBuilderTest, EditRowLimitsWhatTheUserTypes)
{
    node.AddRowEditFeld(&grid, "Bezeichnung", 1, "SB 1", 0, false, 14);
    node.AddRowEditFeld(&grid, "Bezeichnung Anzeige", 2, "Anzeige", 0, true, 0);
    const TCell& limited = Row(0, "Bezeichnung", 1, 105);
    EXPECT_EQ(limited.Kind, TCell::ckEdit);
    EXPECT_EQ(limited.MaxLength, 14);
    EXPECT_EQ(Row(1, "Bezeichnung Anzeige", 2, 106).MaxLength, 0);

    ASSERT_TRUE(grid.TypeText(0, "Schlafzimmer oben"));
    EXPECT_EQ(grid.Cell(1, 0)->Text, "Schlafzimmer o");
}

TEST_F(RowBuilderTest, SpinRowLimitsReachTheGridWhichClampsTheCommittedValue)
{
    node.AddRowSpinEdit(&grid, "Schaltdauer Blitz [s]", 2, 254, 2, 1, 10, 0, false);
    std::vector<int> committed;
    grid.OnExitCell = [&](TDrawGridSE*, TObject* sender, TCell& cell, int, int) {
        ASSERT_TRUE(sender != nullptr && sender->ClassNameIs("TQmSpinEdit"));
        EXPECT_EQ(cell.RowNr, 2);
        committed.push_back(static_cast<TQmSpinEdit*>(sender)->Value);
    };

    for (int typed : {300, 1, 254, 2, 100}) {
        ASSERT_TRUE(grid.SpinTo(0, typed));
        ASSERT_TRUE(grid.ExitCell());
    }
    EXPECT_EQ(committed, (std::vector<int>{254, 2, 254, 2, 100}));
}

TEST_F(RowBuilderTest, CaptionRowIsASectionTitleInBothColumns)
{
    node.AddRowCaption(&grid, 12, "Allgemein", "", TCell::gtsOpen, false);
    node.AddRowCaption(&grid, 14, "Flags", "3 Flags", TCell::gtsClosed, true);

    ASSERT_EQ(grid.RowNumbers(), (std::vector<int>{12, 14}));
    for (int column : {0, 1}) {
        SCOPED_TRACE(column);
        const TCell& open = *grid.Cell(column, 0);
        EXPECT_EQ(open.Kind, TCell::ckGroupTitle);
        EXPECT_EQ(open.GroupState, TCell::gtsOpen);
        EXPECT_EQ(open.RowNr, 12);
        EXPECT_EQ(open.Help, 116);
        EXPECT_EQ(open.Data, &node);
        EXPECT_EQ(grid.Cell(column, 1)->GroupState, TCell::gtsClosed);
    }
    EXPECT_EQ(grid.Cell(0, 1)->Text, "Flags");
    EXPECT_EQ(grid.Cell(1, 1)->Text, "3 Flags");
    EXPECT_TRUE(grid.ClickGroupTitle(1));
}

TEST(ChangeGroupTitleStateTest, FlipsOpenAndClosedAndReportsTheChange)
{
    struct TCase {
        TCell::TEnumGroupTitleState before;
        TCell::TEnumGroupTitleState after;
        bool changed;
    };
    const TCase cases[] = {
        {TCell::gtsOpen, TCell::gtsClosed, true},
        {TCell::gtsClosed, TCell::gtsOpen, true},
        {TCell::gtsOpenHot, TCell::gtsClosedHot, true},
        {TCell::gtsClosedHot, TCell::gtsOpenHot, true},
        {TCell::gtsNone, TCell::gtsNone, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.before));
        TCell::TEnumGroupTitleState state = c.before;
        EXPECT_EQ(TTestNode::ChangeGroupTitleState(state), c.changed);
        EXPECT_EQ(state, c.after);
    }
}

} // namespace
