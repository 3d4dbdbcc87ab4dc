#pragma once
// The Qt view of the list view model TListView: a folder's children (style vsList, one
// column) or a node's report (vsReport, columns with headers); vsIcon and vsSmallIcon show
// large and small icons. Items show their caption, sub-items in the report's columns and the
// image of their ImageIndex, which a provider turns into an icon (the program gives the data
// module's icon table). The view keeps no copy of the items: it reads the model, and items
// keep their Data pointers; what the user does comes back as item indexes.
//
// The model's notices (adding, deleting, clearing, Changed()) schedule one refresh from the
// event loop, since a node fills an item after adding it; Refresh() reads the model at once.
// The view follows the model's ItemIndex and sets it when the user selects. The model's
// Visible flag is the window's to read: the window shows the page (often one page of a stack),
// the view never shows itself.
//
// Column widths: pixels, ColumnTextWidth (-1) fits the widest text of the column,
// ColumnHeaderWidth (-2) fits the header or the texts, whichever is wider. In the list styles
// the width of column 0 (when there is one and it is positive) is the width of each entry.

#include <QIcon>
#include <QWidget>

#include <exception>
#include <functional>
#include <string>

class TListView;
class QAbstractItemView;
class QListView;
class QMimeData;
class QStackedLayout;
class QTreeView;

class TListViewView : public QWidget {
    Q_OBJECT

public:
    using TImageProvider = std::function<QIcon(int imageIndex)>;

    // The list must outlive the view. The view takes the list's OnModelChange and empties it
    // when it goes. images may be empty: no item shows an image then.
    TListViewView(TListView& list, TImageProvider images, QWidget* parent = nullptr);
    ~TListViewView() override;

    TListView& List() const { return m_list; }

    // Reads the model now: items, columns and their widths, style, selection.
    void Refresh();

    // The item under a point of this widget; -1 for none.
    int ItemAt(const QPoint& point) const;
    // The item's rectangle in this widget; empty when it is not shown.
    QRect ItemRect(int index) const;
    // The width a text takes in the list's font, for callers that size columns themselves.
    int TextWidth(const std::string& text) const;
    // The width column `column` is shown with (resolving the width codes).
    int ShownColumnWidth(int column) const;
    // The Qt view in front: a list view in the list and icon styles, a tree view as report.
    QAbstractItemView* ItemView() const;

    // Whether pressing an item and moving the mouse reports OnStartDrag (the folder page's
    // automatic drag mode); off by default.
    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }
    bool DragEnabled() const { return m_dragEnabled; }

    // Double click anywhere in the list: the item under the cursor, -1 for none.
    std::function<void(int item)> OnDblClick;
    // An item was pressed and dragged past the start distance; it is the selected item (the
    // model's ItemIndex) by then. The receiver starts the drag (QDrag) itself.
    std::function<void(int item)> OnStartDrag;
    // A drag from elsewhere moves over the list: true accepts a drop on that item (-1 none).
    // Without a handler nothing is accepted.
    std::function<bool(int item, const QMimeData& data)> OnDragOver;
    std::function<void(int item, const QMimeData& data)> OnDragDrop;

    // Receives what the callbacks throw, so that no exception reaches Qt's event loop.
    // Without a handler the message goes to standard error.
    void SetErrorHandler(std::function<void(std::exception_ptr)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TItemModel;

    void ScheduleRefresh();
    void ApplyStyle();
    void ApplyColumnWidths();
    void ApplySelection();
    template <class Action> void Guard(Action&& action);

    TListView& m_list;
    TImageProvider m_images;
    TItemModel* m_model;   // child of this widget
    QStackedLayout* m_stack;
    QListView* m_listView; // list and icon styles
    QTreeView* m_report;   // report style
    bool m_dragEnabled = false;
    bool m_refreshPending = false;
    bool m_applying = false;
    QPoint m_pressPoint;
    int m_pressItem = -1;
    bool m_dragging = false;
    std::function<void(std::exception_ptr)> m_errorHandler;
};
