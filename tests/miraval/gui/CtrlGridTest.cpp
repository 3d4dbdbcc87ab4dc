// The grid controller: sizes and colours reach the view; a size change keeps or resets the
// active cell.
#include "miraval/ui/CtrlGrid.h"

#include "miraval/ui/ModellAnsichten.h"
#include "rastow/DrawGridSE.h"
#include "rastow/qt/DrawGridSEView.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TGridMitAnsicht {
    TGridMitAnsicht()
    {
        grid.SetRowCount(3);
        for (int r = 0; r < 3; ++r) {
            TCell wert;
            wert.Kind = TCell::ckEdit;
            wert.Text = "Wert";
            grid.SetCell(1, r, wert);
        }
        view.reset(ErzeugeGridAnsicht(grid, nullptr, {}));
        ctrl = std::make_unique<TCtrlGrid>(&grid, view.get());
    }
    TDrawGridSEView& View() { return static_cast<TDrawGridSEView&>(*view); }

    TDrawGridSE grid;
    std::unique_ptr<QWidget> view;
    std::unique_ptr<TCtrlGrid> ctrl;
};

TEST(CtrlGrid, LoadSizeKeepsTheActiveCellUnlessAutoSizeChanges)
{
    TGridMitAnsicht g;
    ASSERT_TRUE(g.grid.SetActiveCell(1, 2));
    int spalte = -1;
    int zeile = -1;

    g.ctrl->LoadSize(true, 99); // auto-size as before
    ASSERT_TRUE(g.grid.GetCurrentCell(spalte, zeile));
    EXPECT_EQ(std::make_pair(spalte, zeile), std::make_pair(1, 2));
    EXPECT_EQ(g.View().DefaultColWidth(), 1);

    g.ctrl->LoadSize(false, 99);
    ASSERT_TRUE(g.grid.GetCurrentCell(spalte, zeile));
    EXPECT_EQ(std::make_pair(spalte, zeile), std::make_pair(0, 0));
    EXPECT_FALSE(g.View().AutoSize());
    EXPECT_EQ(g.View().DefaultColWidth(), 99);
}

TEST(CtrlGrid, LoadColorReachesTheView)
{
    TGridMitAnsicht g;
    g.ctrl->LoadColor(static_cast<int32_t>(0x8000000F), 0x00FF0000, 0x0000FF00, 0x000000FF, 3);
    EXPECT_EQ(g.View().CommonColor(), 0x8000000Fu);
    EXPECT_EQ(g.View().CellColor(), 0x00FF0000u);
    EXPECT_EQ(g.View().TitleColor(), 0x0000FF00u);
    EXPECT_EQ(g.View().ReadOnlyColor(), 0x000000FFu);
    EXPECT_EQ(g.View().GridLineWidth(), 3);
}

TEST(CtrlGrid, ScrollsOneRowPerCall)
{
    TGridMitAnsicht g;
    g.grid.SetRowCount(200);
    g.view->resize(300, 100);
    g.ctrl->ScrollDownCallback();
    g.ctrl->ScrollDownCallback();
    EXPECT_EQ(GridTopRow(g.view.get()), 2);
    g.ctrl->ScrollUpCallback();
    EXPECT_EQ(GridTopRow(g.view.get()), 1);
}

} // namespace
