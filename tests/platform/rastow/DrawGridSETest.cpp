#include "rastow/DrawGridSE.h"

#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "rastow/QmSpinEdit.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a handler saw when the grid called it.
struct TSeen {
    std::string event;
    std::string sender; // class name, "" for none
    int rowNr = -1;
    int column = -1;
    int row = -1;
    double value = 0;
    int spinValue = 0; // the TQmSpinEdit's Value when the sender is one
};

std::string NameOf(TObject* sender)
{
    return sender == nullptr ? "" : sender->ClassName();
}

TCell Caption(int rowNr, const std::string& text)
{
    TCell cell;
    cell.Kind = TCell::ckCaption;
    cell.RowNr = rowNr;
    cell.Text = text;
    return cell;
}

TCell Spin(int rowNr, int value, int minimum, int maximum)
{
    TCell cell;
    cell.Kind = TCell::ckSpinEdit;
    cell.RowNr = rowNr;
    cell.SpinValue = value;
    cell.SpinMin = minimum;
    cell.SpinMax = maximum;
    return cell;
}

TCell Combo(int rowNr, std::vector<TComboWert> items, int index,
            TComboBoxStyle style = csDropDownList)
{
    TCell cell;
    cell.Kind = TCell::ckComboBox;
    cell.RowNr = rowNr;
    cell.Items = std::move(items);
    cell.ComboStyle = style;
    cell.SelectItem(index);
    return cell;
}

TCell Edit(int rowNr, const std::string& text, int maxLength)
{
    TCell cell;
    cell.Kind = TCell::ckEdit;
    cell.RowNr = rowNr;
    cell.Text = text;
    cell.MaxLength = maxLength;
    return cell;
}

// A grid with recording handlers in every node slot.
class DrawGridSETest : public ::testing::Test {
protected:
    void SetUp() override { Bind(); }

    void Bind()
    {
        auto cellEvent = [this](const char* name) {
            return [this, name](TObject* sender, TCell& cell, int column, int row) {
                Record(name, sender, cell, column, row, 0);
            };
        };
        auto gridEvent = [this](const char* name) {
            return [this, name](TDrawGridSE* g, TObject* sender, TCell& cell, int column, int row) {
                EXPECT_EQ(g, &grid);
                Record(name, sender, cell, column, row, 0);
            };
        };
        auto limitEvent = [this](const char* name) {
            return [this, name](TDrawGridSE* g, TObject* sender, TCell& cell, int column, int row,
                                double value) {
                EXPECT_EQ(g, &grid);
                Record(name, sender, cell, column, row, value);
            };
        };
        grid.OnComboBoxChange = cellEvent("ComboBoxChange");
        grid.OnEditChange = cellEvent("EditChange");
        grid.OnSpinEditChange = cellEvent("SpinEditChange");
        grid.OnSpinEditOverflow = limitEvent("SpinEditOverflow");
        grid.OnSpinEditUnderflow = limitEvent("SpinEditUnderflow");
        grid.OnExitCell = gridEvent("ExitCell");
        grid.OnExit = gridEvent("Exit");
        grid.OnEllipseClick = cellEvent("EllipseClick");
        grid.OnEnterCheckBox = cellEvent("EnterCheckBox");
        grid.OnGroupTitleClick = [this](TObject* sender, TCell& cell, int column, int row,
                                        int state) {
            Record("GroupTitleClick", sender, cell, column, row, state);
        };
    }

    void Record(const char* name, TObject* sender, const TCell& cell, int column, int row,
                double value)
    {
        TSeen seen{name, NameOf(sender), cell.RowNr, column, row, value, 0};
        if (auto* spin = dynamic_cast<TQmSpinEdit*>(sender))
            seen.spinValue = spin->Value;
        events.push_back(seen);
    }

    std::vector<std::string> EventNames() const
    {
        std::vector<std::string> names;
        for (const auto& e : events)
            names.push_back(e.event);
        return names;
    }

    // Adds a row at the end holding a caption and the value cell.
    int AddRow(const TCell& value)
    {
        int row = grid.RowCount();
        EXPECT_TRUE(grid.SetRowCount(row + 1));
        EXPECT_TRUE(grid.SetCell(0, row, Caption(value.RowNr, "caption")));
        EXPECT_TRUE(grid.SetCell(1, row, value));
        return row;
    }

    TDrawGridSE grid;
    std::vector<TSeen> events;
};

TEST_F(DrawGridSETest, PrepareLeavesOneEmptyRowAndEmptiesEveryNodeSlot)
{
    AddRow(Spin(3, 5, 2, 255));
    grid.Tag = -1;
    grid.Visible = false;
    bool entered = false;
    grid.OnEnterCell = [&](TObject*, TCell&, int, int) { entered = true; };

    grid.Prepare(2);

    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cell(0, 0)->Kind, TCell::ckNone);
    EXPECT_EQ(grid.Cell(1, 0)->Kind, TCell::ckNone);
    EXPECT_FALSE(grid.OnComboBoxChange);
    EXPECT_FALSE(grid.OnEditChange);
    EXPECT_FALSE(grid.OnSpinEditChange);
    EXPECT_FALSE(grid.OnSpinEditOverflow);
    EXPECT_FALSE(grid.OnSpinEditUnderflow);
    EXPECT_FALSE(grid.OnExitCell);
    EXPECT_FALSE(grid.OnExit);
    EXPECT_FALSE(grid.OnEllipseClick);
    EXPECT_FALSE(grid.OnEnterCheckBox);
    EXPECT_FALSE(grid.OnGroupTitleClick);
    EXPECT_FALSE(grid.OnDeleteCellKomponente);
    // The window's own handler and the node's marks stay.
    EXPECT_TRUE(grid.OnEnterCell);
    EXPECT_EQ(grid.Tag, -1);
    EXPECT_FALSE(grid.Visible);

    grid.Clear();
    EXPECT_EQ(grid.Tag, 0);
    EXPECT_TRUE(grid.OnEnterCell);
}

TEST_F(DrawGridSETest, PrepareDropsTheActiveCellWithoutCallingTheOldNode)
{
    const int row = AddRow(Spin(3, 5, 2, 255));
    ASSERT_TRUE(grid.SpinTo(row, 7));
    events.clear();

    grid.Prepare(2);

    int column = 0;
    int activeRow = 0;
    EXPECT_FALSE(grid.GetActiveCell(column, activeRow));
    EXPECT_EQ(grid.Editor(), nullptr);
    grid.ExitGrid();
    EXPECT_TRUE(events.empty());
}

TEST_F(DrawGridSETest, RowsAndCellsRefusePositionsOutsideTheGrid)
{
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_FALSE(grid.SetCell(2, 0, Caption(1, "x")));
    EXPECT_FALSE(grid.SetCell(0, 1, Caption(1, "x")));
    EXPECT_FALSE(grid.SetCell(-1, 0, Caption(1, "x")));
    EXPECT_EQ(grid.Cell(0, 1), nullptr);
    EXPECT_EQ(grid.Cell(0, -1), nullptr);
    EXPECT_FALSE(grid.SetActiveCell(1, 5));

    ASSERT_TRUE(grid.SetRowCount(3));
    EXPECT_TRUE(grid.SetCell(1, 2, Caption(9, "x")));
    EXPECT_EQ(grid.Cell(1, 2)->Text, "x");
    ASSERT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.Cell(1, 2), nullptr);
}

TEST_F(DrawGridSETest, RowNumbersAndFindRowFollowTheCells)
{
    grid.SetCell(0, 0, Caption(12, "Allgemein"));
    AddRow(Spin(3, 5, 2, 255));
    grid.SetRowCount(grid.RowCount() + 1); // an empty row
    AddRow(Edit(1, "x", 0));

    EXPECT_EQ(grid.RowNumbers(), (std::vector<int>{12, 3, -1, 1}));
    EXPECT_EQ(grid.FindRow(3), 1);
    EXPECT_EQ(grid.FindRow(1), 3);
    EXPECT_EQ(grid.FindRow(4), -1);
}

struct TSpinCase {
    const char* name;
    int typed;
    int minimum;
    int maximum;
    int committed;
    const char* limitEvent; // "" for none
};

class SpinCommitTest : public DrawGridSETest, public ::testing::WithParamInterface<TSpinCase> {};

TEST_P(SpinCommitTest, CommittedValueLiesWithinTheLimits)
{
    const TSpinCase& c = GetParam();
    const int row = AddRow(Spin(4, 5, c.minimum, c.maximum));

    ASSERT_TRUE(grid.SpinTo(row, c.typed));
    ASSERT_TRUE(grid.ExitCell());

    std::vector<std::string> expected;
    if (*c.limitEvent != '\0')
        expected.push_back(c.limitEvent);
    expected.push_back("SpinEditChange");
    expected.push_back("ExitCell");
    ASSERT_EQ(EventNames(), expected);
    if (*c.limitEvent != '\0') {
        EXPECT_EQ(events.front().value, c.typed);
    }
    const TSeen& exit = events.back();
    EXPECT_EQ(exit.sender, "TQmSpinEdit");
    EXPECT_EQ(exit.spinValue, c.committed);
    EXPECT_EQ(exit.rowNr, 4);
    EXPECT_EQ(exit.column, 1);
    EXPECT_EQ(exit.row, row);
    EXPECT_EQ(grid.Cell(1, row)->SpinValue, c.committed);
    EXPECT_EQ(grid.Cell(1, row)->Text, std::to_string(c.committed));
    EXPECT_EQ(grid.Editor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, SpinCommitTest,
    ::testing::Values(TSpinCase{"AtMinimum", 2, 2, 255, 2, ""},
                      TSpinCase{"BelowMinimum", 1, 2, 255, 2, "SpinEditUnderflow"},
                      TSpinCase{"AtMaximum", 255, 2, 255, 255, ""},
                      TSpinCase{"AboveMaximum", 256, 2, 255, 255, "SpinEditOverflow"},
                      TSpinCase{"Negative", -40, 2, 255, 2, "SpinEditUnderflow"},
                      TSpinCase{"BeyondSixteenBits", 100000, 2, 255, 255, "SpinEditOverflow"},
                      TSpinCase{"WideLimitsHeldToSixteenBits", 40000, -70000, 70000, 32767,
                                "SpinEditOverflow"},
                      TSpinCase{"Inside", 100, 0, 254, 100, ""}),
    TZeilenName());

TEST_F(DrawGridSETest, OverflowHandlerCanPutTheEditorAtItsMaximum)
{
    const int row = AddRow(Spin(3, 5, 2, 255));
    grid.OnSpinEditOverflow = [](TDrawGridSE*, TObject* sender, TCell&, int, int, double) {
        auto* spin = static_cast<TQmSpinEdit*>(sender);
        spin->Position = spin->Max;
        spin->Value = spin->Position;
    };
    ASSERT_TRUE(grid.SpinTo(row, 300));
    EXPECT_EQ(static_cast<TQmSpinEdit*>(grid.Editor())->Value, 255);
    EXPECT_EQ(grid.Cell(1, row)->SpinValue, 255);
    ASSERT_EQ(EventNames(), (std::vector<std::string>{"SpinEditChange"}));
    EXPECT_EQ(events[0].spinValue, 255);
}

TEST_F(DrawGridSETest, ComboSelectionReachesCellEditorAndHandler)
{
    const int row = AddRow(Combo(1, {{"SB 1", 1}, {"SB 3", 3}}, 0));
    std::vector<int32_t> values;
    grid.OnComboBoxChange = [&](TObject* sender, TCell& cell, int, int) {
        ASSERT_TRUE(sender->ClassNameIs("TDrawGridSEComboBox"));
        int32_t value = -1;
        EXPECT_TRUE(static_cast<TDrawGridSEComboBox*>(sender)->ItemValue(value));
        values.push_back(value);
        EXPECT_EQ(cell.ItemIndex, 1);
        EXPECT_EQ(cell.Text, "SB 3");
    };

    ASSERT_TRUE(grid.SelectComboItem(row, 1));

    EXPECT_EQ(values, (std::vector<int32_t>{3}));
    EXPECT_EQ(grid.Cell(1, row)->ItemIndex, 1);
    EXPECT_FALSE(grid.SelectComboItem(row, 2));
    EXPECT_FALSE(grid.SelectComboItem(row, -1));
    EXPECT_EQ(values.size(), 1u);
}

TEST_F(DrawGridSETest, EditableComboTakesTypedTextAndReportsNoValueForIt)
{
    const int row = AddRow(Combo(4, {{"Keller", 0}, {"Flur", 1}}, 0, csDropDown));
    ASSERT_TRUE(grid.TypeText(row, "Dachboden"));
    auto* combo = static_cast<TDrawGridSEComboBox*>(grid.Editor());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Text, "Dachboden");
    int32_t value = 77;
    EXPECT_FALSE(combo->ItemValue(value));
    EXPECT_EQ(value, 77);
    EXPECT_EQ(grid.Cell(1, row)->ItemIndex, -1);

    ASSERT_TRUE(grid.TypeText(row, "Flur"));
    EXPECT_TRUE(combo->ItemValue(value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(EventNames(), (std::vector<std::string>{"ComboBoxChange", "ComboBoxChange"}));

    const int fixed = AddRow(Combo(5, {{"Kontakt", 0}}, 0));
    EXPECT_FALSE(grid.TypeText(fixed, "Kontakt"));
}

TEST_F(DrawGridSETest, EditCutsTypedTextToItsLimitInCharacters)
{
    const int row = AddRow(Edit(1, "", 14));
    ASSERT_TRUE(grid.TypeText(row, "Überfall-Größe123"));
    EXPECT_EQ(grid.Cell(1, row)->Text, "Überfall-Größe");
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(EventNames(), (std::vector<std::string>{"EditChange", "ExitCell"}));
    EXPECT_EQ(events.back().sender, "TDrawGridSEEdit");

    const int free = AddRow(Edit(2, "", 0));
    const std::string longText(40, 'x');
    ASSERT_TRUE(grid.TypeText(free, longText));
    EXPECT_EQ(grid.Cell(1, free)->Text, longText);
}

TEST_F(DrawGridSETest, DisabledOrOtherKindsOfCellsRefuseUserActions)
{
    TCell disabled = Combo(6, {{"Aus", 0}, {"Ein", 1}}, 0);
    disabled.Enabled = false;
    const int row = AddRow(disabled);
    const int spin = AddRow(Spin(3, 5, 2, 255));

    EXPECT_FALSE(grid.SelectComboItem(row, 1));
    EXPECT_FALSE(grid.TypeText(spin, "7"));
    EXPECT_FALSE(grid.SpinTo(row, 7));
    EXPECT_FALSE(grid.ClickEllipsis(spin));
    EXPECT_FALSE(grid.ClickGroupTitle(spin));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(grid.Cell(1, row)->ItemIndex, 0);

    // Entering a disabled cell opens no editor, and leaving it reports no sender.
    ASSERT_TRUE(grid.SetActiveCell(1, row));
    EXPECT_EQ(grid.Editor(), nullptr);
    ASSERT_TRUE(grid.ExitCell());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].sender, "");
    EXPECT_FALSE(grid.ExitCell());
}

TEST_F(DrawGridSETest, MovingToAnotherCellLeavesTheFirstOne)
{
    const int first = AddRow(Spin(3, 5, 2, 255));
    const int second = AddRow(Spin(4, 5, 2, 255));
    ASSERT_TRUE(grid.SpinTo(first, 9));
    ASSERT_TRUE(grid.SpinTo(second, 1));
    EXPECT_EQ(EventNames(), (std::vector<std::string>{"SpinEditChange", "ExitCell",
                                                      "SpinEditUnderflow", "SpinEditChange"}));
    EXPECT_EQ(events[1].rowNr, 3);
    EXPECT_EQ(events[1].spinValue, 9);
    int column = -1;
    int row = -1;
    ASSERT_TRUE(grid.GetActiveCell(column, row));
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, second);
}

TEST_F(DrawGridSETest, ExitHandlerChangesLandInTheGridCell)
{
    const int row = AddRow(Combo(4, {{"Keller", 0}}, 0, csDropDown));
    grid.OnExitCell = [](TDrawGridSE*, TObject*, TCell& cell, int, int) {
        cell.Items = {{"Keller", 0}, {"Neu", 1}};
        cell.SelectItem(1);
    };
    ASSERT_TRUE(grid.TypeText(row, "Neu"));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_EQ(grid.Cell(1, row)->Items.size(), 2u);
    EXPECT_EQ(grid.Cell(1, row)->ItemIndex, 1);
}

TEST_F(DrawGridSETest, HandlerMayRebuildThePageWhileTheGridCallsIt)
{
    const int row = AddRow(Spin(3, 5, 2, 255));
    bool called = false;
    grid.OnExitCell = [&](TDrawGridSE* g, TObject* sender, TCell& cell, int, int) {
        g->Prepare(2); // what a synchronous rebuild would do
        // Sender and cell stay usable until the handler returns.
        EXPECT_EQ(static_cast<TQmSpinEdit*>(sender)->Value, 255);
        EXPECT_EQ(cell.RowNr, 3);
        cell.SpinValue = 0;
        called = true;
    };
    ASSERT_TRUE(grid.SpinTo(row, 999));
    ASSERT_TRUE(grid.ExitCell());
    EXPECT_TRUE(called);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cell(1, 0)->Kind, TCell::ckNone);
    EXPECT_FALSE(grid.OnExitCell);
}

TEST_F(DrawGridSETest, ClicksReportTheCellAndTheGridAsSender)
{
    TCell title;
    title.Kind = TCell::ckGroupTitle;
    title.RowNr = 13;
    title.GroupState = TCell::gtsOpen;
    grid.SetCell(0, 0, title);
    TCell ellipse;
    ellipse.Kind = TCell::ckEllipse;
    ellipse.RowNr = 3;
    const int row = AddRow(ellipse);

    ASSERT_TRUE(grid.ClickGroupTitle(0));
    ASSERT_TRUE(grid.ClickEllipsis(row));

    ASSERT_EQ(EventNames(), (std::vector<std::string>{"GroupTitleClick", "EllipseClick"}));
    EXPECT_EQ(events[0].sender, "TDrawGridSE");
    EXPECT_EQ(events[0].rowNr, 13);
    EXPECT_EQ(events[0].column, 0);
    EXPECT_EQ(events[0].value, TCell::gtsOpen);
    EXPECT_EQ(events[1].sender, "TDrawGridSE");
    EXPECT_EQ(events[1].rowNr, 3);
    EXPECT_EQ(events[1].row, row);
}

TEST_F(DrawGridSETest, LeavingTheGridExitsTheCellThenTheGrid)
{
    const int row = AddRow(Edit(1, "a", 0));
    ASSERT_TRUE(grid.TypeText(row, "b"));
    grid.ExitGrid();
    EXPECT_EQ(EventNames(), (std::vector<std::string>{"EditChange", "ExitCell", "Exit"}));
    EXPECT_EQ(events.back().rowNr, 1);
    EXPECT_EQ(events.back().row, row);
}

TEST_F(DrawGridSETest, DeletingTheEditorKeepsTheCellActiveWithoutItsValue)
{
    const int row = AddRow(Spin(3, 5, 2, 255));
    int deleted = 0;
    grid.OnDeleteCellKomponente = [&](TDrawGridSE*, TCell&, int, int) { ++deleted; };
    ASSERT_TRUE(grid.SpinTo(row, 9));
    // The typed value reached the cell with the change; the editor goes without a commit.
    grid.DeleteZellenKomponente();
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(grid.Editor(), nullptr);
    int column = -1;
    int active = -1;
    EXPECT_FALSE(grid.GetActiveCell(column, active)); // no editor open
    EXPECT_TRUE(grid.GetCurrentCell(column, active));
    EXPECT_EQ(active, row);
    EXPECT_FALSE(grid.CommitCell());
}

// A node-like object whose handlers are bound with Closure.
struct TRecordingNode {
    std::vector<int> rows;
    void GridComboBoxChange(TObject*, TCell& cell, int, int) { rows.push_back(cell.RowNr); }
};
struct TDerivedNode : TRecordingNode {};

TEST_F(DrawGridSETest, ClosureBindsAMemberFunctionOfABaseClass)
{
    TDerivedNode node;
    grid.OnComboBoxChange = Closure(&node, &TRecordingNode::GridComboBoxChange);
    const int row = AddRow(Combo(6, {{"Aus", 0}, {"Ein", 1}}, 0));
    ASSERT_TRUE(grid.SelectComboItem(row, 1));
    EXPECT_EQ(node.rows, (std::vector<int>{6}));
}

TEST(CellTest, GroupStatesOpenAndItemLookup)
{
    EXPECT_FALSE(TCell::IsGroupOpen(TCell::gtsNone));
    EXPECT_FALSE(TCell::IsGroupOpen(TCell::gtsClosed));
    EXPECT_TRUE(TCell::IsGroupOpen(TCell::gtsOpen));
    EXPECT_FALSE(TCell::IsGroupOpen(TCell::gtsClosedHot));
    EXPECT_TRUE(TCell::IsGroupOpen(TCell::gtsOpenHot));

    EXPECT_EQ(static_cast<int>(TCell::ckComboBox), 2);
    EXPECT_EQ(static_cast<int>(TCell::ckCaption), 6);
    EXPECT_EQ(static_cast<int>(csDropDown), 0);

    TCell cell = Combo(1, {{"a", 5}, {"b", 7}, {"c", 7}}, 0);
    EXPECT_EQ(cell.IndexOfWert(7), 1);
    EXPECT_EQ(cell.IndexOfWert(8), -1);
    cell.SelectItem(3);
    EXPECT_EQ(cell.ItemIndex, -1);
    EXPECT_EQ(cell.Text, "");
}

} // namespace
