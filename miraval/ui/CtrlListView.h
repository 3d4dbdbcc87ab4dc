#pragma once
// TCtrlListView fills the project window's content list (the TListView model, owned by the
// window) with a folder's children: one item per child node, list style, one column. It also
// takes drops from a tree onto a list item: the target item's object decides (AllowDrop,
// Drop); what the objects throw is shown (TZiehLauf) and never leaves.

#include <string>
#include <vector>

class QObject;
class QWidget;
class TDataBasis;
class TListView;

struct TListEintrag {
    std::string Caption;
    int ImageIndex = -1;
    TDataBasis* Data = nullptr;
};

class TCtrlListView {
public:
    // Neither is owned; view may be null.
    TCtrlListView(TListView* list, QWidget* view);
    TCtrlListView(const TCtrlListView&) = delete;
    TCtrlListView& operator=(const TCtrlListView&) = delete;

    // Empties the list and shows it in list style with one column.
    void Leeren();
    // Adds the entries in order; the one column is 50 pixels wider than the widest caption.
    void Fuellen(const std::vector<TListEintrag>& eintraege);
    // The pixel width of a caption in the view's font.
    int TextBreite(const std::string& text) const;
    // The view shows the model again.
    void Repaint();

    // Whether the object dragged from source may be dropped on item (the item under the
    // cursor, -1 none) of sender: only from a tree (its selected node) onto a list (the
    // item's object, AllowDrop). An exception is shown with the caption
    // "CtrlListView::DragOver" (a running drag ends) and answers false.
    bool DragOver(QObject* sender, QObject* source, int item);
    // Drops it there (Drop) under the hour-glass, caption "TCtrlListView::DragDrop"; the
    // screen cursor ends as the default cursor on every way out.
    void DragDrop(QObject* sender, QObject* source, int item);

    TListView* List() const { return m_list; }
    QWidget* View() const { return m_view; }

private:
    TListView* m_list;
    QWidget* m_view;
};
