#include "rastow/DrawGridSE.h"

#include <gtest/gtest.h>

namespace {

TCell Kind(TCell::TEnumCellKind kind)
{
    TCell cell;
    cell.Kind = kind;
    return cell;
}

TEST(DrawGridSEModelChangeTest, NoticesWaitForTheOutermostEndUpdateAndSurvivePrepare)
{
    TDrawGridSE grid;
    int notices = 0;
    grid.OnModelChange = [&] { ++notices; };
    grid.SetCell(1, 0, Kind(TCell::ckText));
    EXPECT_EQ(notices, 1);

    grid.BeginUpdate();
    grid.BeginUpdate();
    grid.Clear();
    grid.SetRowCount(3);
    grid.EndUpdate();
    EXPECT_EQ(notices, 1);
    grid.EndUpdate();
    EXPECT_EQ(notices, 2);
    grid.EndUpdate(); // unbalanced: ignored, no notice
    EXPECT_EQ(notices, 2);
    EXPECT_TRUE(grid.OnModelChange);
}

TEST(DrawGridSEModelChangeTest, ActiveCellCountsOnlyWithAnOpenEditor)
{
    TDrawGridSE grid;
    grid.SetRowCount(2);
    grid.SetCell(1, 0, Kind(TCell::ckText));
    grid.SetCell(1, 1, Kind(TCell::ckEdit));
    int entered = 0;
    grid.OnEnterCell = [&](TObject*, TCell&, int, int) { ++entered; };
    int column = -1;
    int row = -1;

    ASSERT_TRUE(grid.SetActiveCell(1, 0));
    EXPECT_FALSE(grid.GetActiveCell(column, row)); // text: no editor
    EXPECT_TRUE(grid.GetCurrentCell(column, row));

    ASSERT_TRUE(grid.SetActiveCell(1, 1));
    EXPECT_TRUE(grid.GetActiveCell(column, row));
    grid.DeleteZellenKomponente();
    EXPECT_FALSE(grid.GetActiveCell(column, row));

    // The same cell again: a new editor, no second entry.
    ASSERT_TRUE(grid.SetActiveCell(1, 1));
    EXPECT_TRUE(grid.GetActiveCell(column, row));
    EXPECT_NE(grid.Editor(), nullptr);
    EXPECT_EQ(entered, 2);
}

} // namespace
