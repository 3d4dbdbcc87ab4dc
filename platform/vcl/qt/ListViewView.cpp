#include "vcl/qt/ListViewView.h"

#include "vcl/Exception.h"
#include "vcl/ListView.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QListView>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTreeView>

#include <algorithm>
#include <exception>

// The item model Qt's views read: rows and columns as counted at the last Reset, so that a
// view never sees a count change without being told; texts and icons from the list itself.
class TListViewView::TItemModel : public QAbstractTableModel {
public:
    TItemModel(TListView& list, const TImageProvider& images, QObject* parent)
        : QAbstractTableModel(parent), m_list(list), m_images(images)
    {
        Count();
    }

    void Reset()
    {
        beginResetModel();
        Count();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }

    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_columns;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const TListItem* item = index.isValid() ? m_list.Item(index.row()) : nullptr;
        if (item == nullptr)
            return {};
        const int column = index.column();
        if (role == Qt::DisplayRole) {
            if (column == 0)
                return QString::fromStdString(item->Caption);
            const auto sub = static_cast<std::size_t>(column - 1);
            return sub < item->SubItems.size() ? QString::fromStdString(item->SubItems[sub])
                                               : QString();
        }
        if (role == Qt::DecorationRole && column == 0 && m_images) {
            // An item without image keeps the image's place, so the captions line up.
            if (item->ImageIndex < 0)
                return BlankIcon();
            return m_images(item->ImageIndex);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        const TListColumn* column = m_list.Column(section);
        return column != nullptr ? QString::fromStdString(column->Caption) : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    static QIcon BlankIcon()
    {
        static const QIcon blank = [] {
            QPixmap pixmap(32, 32);
            pixmap.fill(Qt::transparent);
            return QIcon(pixmap);
        }();
        return blank;
    }

    void Count()
    {
        m_rows = m_list.ItemCount();
        m_columns = std::max(1, m_list.ColumnCount());
    }

    TListView& m_list;
    const TImageProvider& m_images;
    int m_rows = 0;
    int m_columns = 1;
};

TListViewView::TListViewView(TListView& list, TImageProvider images, QWidget* parent)
    : QWidget(parent), m_list(list), m_images(std::move(images))
{
    m_model = new TItemModel(m_list, m_images, this);
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);

    m_listView = new QListView(this);
    m_listView->setModel(m_model);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setWrapping(true);
    m_listView->setUniformItemSizes(true);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_report = new QTreeView(this);
    m_report->setModel(m_model);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->header()->setStretchLastSection(false);
    m_report->header()->setSectionsMovable(false);

    m_stack->addWidget(m_listView);
    m_stack->addWidget(m_report);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_listView),
                                    static_cast<QAbstractItemView*>(m_report)}) {
        view->setDragEnabled(false); // the drag is reported, and started by the receiver
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
        view->setIconSize(QSize(16, 16));
        // The selection, not the current item: Qt makes an item current when the list gets
        // the focus, which selects nothing.
        QItemSelectionModel* selection = view->selectionModel();
        connect(selection, &QItemSelectionModel::selectionChanged, this, [this, selection] {
            if (m_applying)
                return;
            const QModelIndexList rows = selection->selectedRows();
            m_list.ItemIndex = rows.isEmpty() ? -1 : rows.first().row();
        });
    }

    m_list.OnModelChange = [this] { ScheduleRefresh(); };
    Refresh();
}

TListViewView::~TListViewView()
{
    m_list.OnModelChange = nullptr;
    m_applying = true; // the item views' selection goes with them: not the model's
}

void TListViewView::SetErrorHandler(std::function<void(std::exception_ptr)> handler)
{
    m_errorHandler = std::move(handler);
}

QAbstractItemView* TListViewView::ItemView() const
{
    if (m_list.ViewStyle == vsReport)
        return m_report;
    return m_listView;
}

void TListViewView::ScheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QPointer<TListViewView> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self && self->m_refreshPending)
                self->Refresh();
        },
        Qt::QueuedConnection);
}

void TListViewView::Refresh()
{
    m_refreshPending = false;
    m_applying = true;
    m_model->Reset();
    ApplyStyle();
    ApplyColumnWidths();
    ApplySelection();
    m_applying = false;
}

void TListViewView::ApplyStyle()
{
    switch (m_list.ViewStyle) {
    case vsReport:
        m_stack->setCurrentWidget(m_report);
        return;
    case vsIcon:
        m_listView->setViewMode(QListView::IconMode);
        m_listView->setIconSize(QSize(32, 32));
        m_listView->setMovement(QListView::Static);
        m_listView->setFlow(QListView::LeftToRight);
        break;
    case vsSmallIcon:
        m_listView->setViewMode(QListView::ListMode);
        m_listView->setIconSize(QSize(16, 16));
        m_listView->setFlow(QListView::LeftToRight);
        break;
    case vsList:
        m_listView->setViewMode(QListView::ListMode);
        m_listView->setIconSize(QSize(16, 16));
        m_listView->setFlow(QListView::TopToBottom);
        break;
    }
    m_listView->setWrapping(true);
    m_stack->setCurrentWidget(m_listView);
}

int TListViewView::ShownColumnWidth(int column) const
{
    const TListColumn* model = m_list.Column(column);
    if (m_list.ViewStyle == vsReport)
        return m_report->columnWidth(column);
    if (model != nullptr && column == 0 && model->Width > 0)
        return model->Width;
    return m_listView->gridSize().isValid() ? m_listView->gridSize().width() : -1;
}

void TListViewView::ApplyColumnWidths()
{
    if (m_list.ViewStyle == vsReport) {
        QHeaderView* header = m_report->header();
        for (int i = 0; i < m_model->columnCount(); ++i) {
            const TListColumn* column = m_list.Column(i);
            const int code = column != nullptr ? column->Width : ColumnTextWidth;
            int width = code;
            if (code == ColumnTextWidth || code == ColumnHeaderWidth) {
                width = static_cast<QAbstractItemView*>(m_report)->sizeHintForColumn(i);
                if (code == ColumnHeaderWidth || m_model->rowCount() == 0)
                    width = std::max(width, header->sectionSizeHint(i));
            }
            m_report->setColumnWidth(i, std::max(width, 0));
        }
        return;
    }
    const TListColumn* first = m_list.Column(0);
    if (m_list.ViewStyle == vsList && first != nullptr && first->Width > 0) {
        const int height = std::max(fontMetrics().height(), m_listView->iconSize().height()) + 4;
        m_listView->setGridSize(QSize(first->Width, height));
    } else {
        m_listView->setGridSize(QSize());
    }
}

void TListViewView::ApplySelection()
{
    QAbstractItemView* view = ItemView();
    const QModelIndex index = m_model->index(m_list.ItemIndex, 0);
    if (index.isValid()) {
        view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        view->selectionModel()->clear();
        m_list.ItemIndex = -1;
    }
}

int TListViewView::ItemAt(const QPoint& point) const
{
    QAbstractItemView* view = ItemView();
    const QModelIndex index = view->indexAt(view->viewport()->mapFrom(this, point));
    return index.isValid() ? index.row() : -1;
}

QRect TListViewView::ItemRect(int index) const
{
    QAbstractItemView* view = ItemView();
    const QModelIndex at = m_model->index(index, 0);
    if (!at.isValid())
        return {};
    const QRect rect = view->visualRect(at);
    if (rect.isEmpty())
        return {};
    return QRect(view->viewport()->mapTo(this, rect.topLeft()), rect.size());
}

int TListViewView::TextWidth(const std::string& text) const
{
    return ItemView()->fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

template <class Action> void TListViewView::Guard(Action&& action)
{
    std::exception_ptr error;
    try {
        action();
        return;
    } catch (...) {
        error = std::current_exception();
    }
    ReportViewException(m_errorHandler, error, "in der Liste");
}

bool TListViewView::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractItemView* view = ItemView();
    if (watched != view->viewport())
        return QWidget::eventFilter(watched, event);
    auto itemAt = [view](const QPoint& point) {
        const QModelIndex index = view->indexAt(point);
        return index.isValid() ? index.row() : -1;
    };
    switch (event->type()) {
    case QEvent::MouseButtonDblClick: {
        const int item = itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (OnDblClick)
            Guard([&] { OnDblClick(item); });
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressPoint = mouse->position().toPoint();
        m_pressItem = mouse->button() == Qt::LeftButton ? itemAt(m_pressPoint) : -1;
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragEnabled || m_pressItem < 0 || (mouse->buttons() & Qt::LeftButton) == 0)
            return false;
        const QPoint moved = mouse->position().toPoint() - m_pressPoint;
        if (moved.manhattanLength() < QApplication::startDragDistance())
            return false;
        const int item = m_pressItem;
        m_pressItem = -1;
        m_dragging = true;
        m_list.ItemIndex = item;
        if (OnStartDrag)
            Guard([&] { OnStartDrag(item); });
        return true;
    }
    case QEvent::MouseButtonRelease: {
        // The release that ends a reported drag belongs to the drag, not to the selection.
        const bool dragged = m_dragging;
        m_pressItem = -1;
        m_dragging = false;
        return dragged;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        bool accept = false;
        if (OnDragOver && drag->mimeData() != nullptr) {
            const int item = itemAt(drag->position().toPoint());
            Guard([&] { accept = OnDragOver(item, *drag->mimeData()); });
        }
        if (event->type() == QEvent::DragEnter) {
            // Enter must be accepted for moves to follow; each move then decides.
            drag->setAccepted(OnDragOver != nullptr);
            if (accept)
                drag->acceptProposedAction();
        } else if (accept) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (OnDragDrop && drop->mimeData() != nullptr) {
            const int item = itemAt(drop->position().toPoint());
            Guard([&] { OnDragDrop(item, *drop->mimeData()); });
            drop->acceptProposedAction();
        }
        return true;
    }
    default:
        return false;
    }
}
