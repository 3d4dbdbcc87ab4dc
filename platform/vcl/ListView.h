#pragma once
// The list view as a model without a display: columns, items and the view style. Nodes fill
// it themselves in BuildInfoWindow (the list of communication objects of a group address);
// the editor fills it with a folder's children. A Qt view draws it.
//
// Column widths are pixels, or one of two codes that the view resolves when it draws:
// ColumnTextWidth (-1) fits the widest text of the column, ColumnHeaderWidth (-2) fits the
// header (or the contents when they are wider). The model stores the code as given.

#include "vcl/Object.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

constexpr int ColumnTextWidth = -1;
constexpr int ColumnHeaderWidth = -2;

// Numbered as in the class library.
enum TViewStyle {
    vsIcon = 0,
    vsSmallIcon = 1,
    vsList = 2,
    vsReport = 3, // columns with headers
};

struct TListColumn {
    std::string Caption;
    int Width = 50; // pixels, or ColumnTextWidth / ColumnHeaderWidth
};

struct TListItem {
    std::string Caption;                // the text of column 0
    std::vector<std::string> SubItems;  // the texts of columns 1, 2, ...
    int ImageIndex = -1;                // -1: no image
    void* Data = nullptr;               // the caller's object (not owned)
};

class TListView : public TObject {
public:
    TListView() = default;
    ~TListView() override;
    TListView(const TListView&) = delete;
    TListView& operator=(const TListView&) = delete;

    std::string ClassName() const override { return "TListView"; }

    // --- Columns ---------------------------------------------------------------------------
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    // The column at the index; null outside 0..ColumnCount()-1. The reference stays valid
    // until that column is deleted.
    TListColumn* Column(int index);
    const TListColumn* Column(int index) const;
    // Appends a column and answers it.
    TListColumn& AddColumn(std::string caption, int width = ColumnHeaderWidth);
    // False for an index outside the columns.
    bool DeleteColumn(int index);
    void ClearColumns();

    // --- Items -----------------------------------------------------------------------------
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    TListItem* Item(int index);
    const TListItem* Item(int index) const;
    // Appends an empty item and answers it; it stays valid until that item is deleted.
    TListItem& AddItem();
    TListItem& AddItem(std::string caption, int imageIndex = -1, void* data = nullptr);
    bool DeleteItem(int index);
    // Removes every item (the columns stay) and the selection.
    void ClearItems();

    // The selected item (ItemIndex), or null.
    TListItem* Selected() { return Item(ItemIndex); }

    // --- The view's hook ---------------------------------------------------------------------
    // Adding, deleting and clearing columns and items call OnModelChange themselves. Fields
    // written directly (captions, sub-items, images, widths, ViewStyle, Visible, ItemIndex) are
    // not seen: a caller that changes them after the last add calls Changed(). A view takes
    // the notices as "draw again soon" and reads the model once the caller is done, since an
    // added item is filled only after AddItem returns.
    void Changed();
    std::function<void()> OnModelChange;

    // --- Fields ----------------------------------------------------------------------------
    TViewStyle ViewStyle = vsIcon;
    bool Visible = true;
    int ItemIndex = -1; // the selected item, -1 for none

private:
    std::vector<std::unique_ptr<TListColumn>> m_columns;
    std::vector<std::unique_ptr<TListItem>> m_items;
};
