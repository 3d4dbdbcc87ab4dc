#pragma once
// TCtrlListView fills the project window's content list (the TListView model, owned by the
// window) with a folder's children: one item per child node, list style, one column.

#include <string>
#include <vector>

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

    TListView* List() const { return m_list; }
    QWidget* View() const { return m_view; }

private:
    TListView* m_list;
    QWidget* m_view;
};
