#include "vcl/ListView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Captions(const TListView& view)
{
    std::vector<std::string> captions;
    for (int i = 0; i < view.ColumnCount(); ++i)
        captions.push_back(view.Column(i)->Caption);
    return captions;
}

TEST(ListViewTest, ColumnsKeepTheirWidthCodesAndShrinkToAWantedCount)
{
    TListView view;
    EXPECT_EQ(view.ClassName(), "TListView");
    for (int i = 0; i < 12; ++i)
        view.AddColumn("c" + std::to_string(i));
    EXPECT_EQ(view.Column(0)->Width, ColumnHeaderWidth);

    // What a node does to end with exactly nine columns of its own.
    const std::vector<std::string> wanted{"Phys.Adr.", "Produkt",         "Nummer",
                                          "Funktion",  "Objektname",      "Objekttyp",
                                          "Gruppenadressen", "Schreiben", "Aktualisieren"};
    for (int i = 0; i < view.ColumnCount() && i < 9; ++i)
        view.Column(i)->Caption = wanted[static_cast<std::size_t>(i)];
    while (view.ColumnCount() > 9)
        ASSERT_TRUE(view.DeleteColumn(view.ColumnCount() - 1));
    EXPECT_EQ(Captions(view), wanted);

    TListColumn& column = *view.Column(2);
    column.Width = ColumnTextWidth;
    ASSERT_TRUE(view.DeleteColumn(0));
    EXPECT_EQ(&column, view.Column(1)); // references survive deleting another column
    EXPECT_EQ(view.Column(1)->Width, -1);

    EXPECT_FALSE(view.DeleteColumn(8));
    EXPECT_FALSE(view.DeleteColumn(-1));
    EXPECT_EQ(view.Column(8), nullptr);
    EXPECT_EQ(view.AddColumn("x", 120).Width, 120);
}

TEST(ListViewTest, ItemsCarryCaptionSubItemsImageAndData)
{
    TListView view;
    int object = 0;
    TListItem& item = view.AddItem("01.01.005", 4, &object);
    item.SubItems = {"Produkt", "12", "K-SÜ"};
    TListItem& plain = view.AddItem();

    ASSERT_EQ(view.ItemCount(), 2);
    EXPECT_EQ(view.Item(0)->Caption, "01.01.005");
    EXPECT_EQ(view.Item(0)->ImageIndex, 4);
    EXPECT_EQ(view.Item(0)->Data, &object);
    EXPECT_EQ(view.Item(0)->SubItems.at(2), "K-SÜ");
    EXPECT_EQ(plain.ImageIndex, -1);
    EXPECT_EQ(plain.Data, nullptr);
    EXPECT_EQ(view.Item(2), nullptr);
    EXPECT_EQ(view.Item(-1), nullptr);
}

TEST(ListViewTest, DeletingAndClearingItemsKeepTheSelectionConsistent)
{
    TListView view;
    view.AddColumn("Name", 200);
    for (const char* caption : {"a", "b", "c", "d"})
        view.AddItem(caption);

    view.ItemIndex = 2;
    ASSERT_TRUE(view.DeleteItem(0));
    ASSERT_NE(view.Selected(), nullptr);
    EXPECT_EQ(view.Selected()->Caption, "c");
    ASSERT_TRUE(view.DeleteItem(1)); // the selected one
    EXPECT_EQ(view.ItemIndex, -1);
    EXPECT_FALSE(view.DeleteItem(2));

    view.ItemIndex = 0;
    view.ClearItems();
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(view.ItemIndex, -1);
    EXPECT_EQ(view.ColumnCount(), 1); // columns stay
}

} // namespace
