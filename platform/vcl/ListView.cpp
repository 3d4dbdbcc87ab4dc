#include "vcl/ListView.h"

TListView::~TListView() = default;

TListColumn* TListView::Column(int index)
{
    if (index < 0 || index >= ColumnCount())
        return nullptr;
    return m_columns[static_cast<std::size_t>(index)].get();
}

const TListColumn* TListView::Column(int index) const
{
    return const_cast<TListView*>(this)->Column(index);
}

TListColumn& TListView::AddColumn(std::string caption, int width)
{
    auto column = std::make_unique<TListColumn>();
    column->Caption = std::move(caption);
    column->Width = width;
    m_columns.push_back(std::move(column));
    Changed();
    return *m_columns.back();
}

bool TListView::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    Changed();
    return true;
}

TListItem* TListView::Item(int index)
{
    if (index < 0 || index >= ItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

const TListItem* TListView::Item(int index) const
{
    return const_cast<TListView*>(this)->Item(index);
}

TListItem& TListView::AddItem()
{
    m_items.push_back(std::make_unique<TListItem>());
    Changed();
    return *m_items.back();
}

TListItem& TListView::AddItem(std::string caption, int imageIndex, void* data)
{
    TListItem& item = AddItem();
    item.Caption = std::move(caption);
    item.ImageIndex = imageIndex;
    item.Data = data;
    return item;
}

bool TListView::DeleteItem(int index)
{
    if (index < 0 || index >= ItemCount())
        return false;
    m_items.erase(m_items.begin() + index);
    if (ItemIndex == index)
        ItemIndex = -1;
    else if (ItemIndex > index)
        --ItemIndex;
    Changed();
    return true;
}

void TListView::ClearItems()
{
    m_items.clear();
    ItemIndex = -1;
    Changed();
}

void TListView::ClearColumns()
{
    m_columns.clear();
    Changed();
}

void TListView::Changed()
{
    if (!OnModelChange)
        return;
    const std::function<void()> hook = OnModelChange; // a view going away may reset it
    hook();
}
