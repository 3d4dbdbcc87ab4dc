#include "vcl/ListView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(ListViewChangeTest, AddingDeletingAndClearingNotifyFieldWritesWaitForChanged)
{
    TListView view;
    view.AddColumn("Name");
    view.AddItem("a");
    int notices = 0;
    view.OnModelChange = [&] { ++notices; };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"AddColumn", [&] { view.AddColumn("Typ"); }},
        {"DeleteColumn", [&] { view.DeleteColumn(1); }},
        {"AddItem", [&] { view.AddItem(); }},
        {"DeleteItem", [&] { view.DeleteItem(0); }},
        {"ClearItems", [&] { view.ClearItems(); }},
        {"ClearColumns", [&] { view.ClearColumns(); }},
        {"Changed", [&] { view.Changed(); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        notices = 0;
        step();
        EXPECT_EQ(notices, 1);
    }
    notices = 0;
    view.ViewStyle = vsReport;
    view.Visible = false;
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(view.DeleteItem(5)); // refused: nothing changed, no notice
    EXPECT_EQ(notices, 0);
}

} // namespace
