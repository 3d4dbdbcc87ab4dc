#include "miraval/ui/BaumAnsicht.h"

#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/Geschuetzt.h"
#include "miraval/ui/ZiehDaten.h"
#include "miraval/ui/ZiehLauf.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>

TBaumAnsicht::TBaumAnsicht(QWidget* parent) : QTreeWidget(parent)
{
    setDragDropMode(QAbstractItemView::DragDrop);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setAutoScroll(false);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) { Aufgeklappt(index); });
}

void TBaumAnsicht::Aufgeklappt(const QModelIndex& index)
{
    QTreeWidgetItem* node = itemFromIndex(index);
    if (node == nullptr)
        return;
    bool erlaubt = true;
    if (OnExpanding) {
        // The question may open a message box: the opened node is not painted meanwhile.
        const bool zeichnen = updatesEnabled();
        setUpdatesEnabled(false);
        Geschuetzt([&] { erlaubt = OnExpanding(node); });
        if (!erlaubt)
            collapse(index);
        setUpdatesEnabled(zeichnen);
    }
    if (erlaubt && OnExpanded)
        Geschuetzt([&] { OnExpanded(node); });
}

void TBaumAnsicht::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Asterisk && currentItem() != nullptr) {
        TCtrlTree::ExpandBranch(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void TBaumAnsicht::mousePressEvent(QMouseEvent* event)
{
    const QScopedValueRollback druck(m_mausDruck, true);
    QTreeWidget::mousePressEvent(event);
}

void TBaumAnsicht::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeWidget::currentChanged(current, previous);
    if (current.isValid() && !m_mausDruck && state() != DraggingState && state() != DragSelectingState)
        scrollTo(current);
}

void TBaumAnsicht::startDrag(Qt::DropActions /*supportedActions*/)
{
    QPointer<TBaumAnsicht> selbst(this);
    auto* drag = new QDrag(this);
    drag->setMimeData(new TZiehDaten(this));
    if (const QTreeWidgetItem* node = currentItem())
        drag->setPixmap(node->icon(0).pixmap(iconSize()));
    TZiehLauf lauf(drag);
    if (OnStartDrag)
        Geschuetzt([&] { OnStartDrag(); });
    drag->exec(Qt::MoveAction);
    if (!selbst.isNull() && OnEndDrag)
        Geschuetzt([&] { OnEndDrag(); });
}

void TBaumAnsicht::dragEnterEvent(QDragEnterEvent* event)
{
    // Entering is accepted for every drag of this program, so that the moves follow and each
    // one decides.
    if (TZiehDaten::Quelle(event->mimeData()) != nullptr)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBaumAnsicht::dragMoveEvent(QDragMoveEvent* event)
{
    QObject* quelle = TZiehDaten::Quelle(event->mimeData());
    bool annehmen = false;
    if (quelle != nullptr && OnDragOver)
        Geschuetzt([&] { annehmen = OnDragOver(quelle, event->position().toPoint()); });
    if (annehmen)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBaumAnsicht::dropEvent(QDropEvent* event)
{
    QObject* quelle = TZiehDaten::Quelle(event->mimeData());
    if (quelle == nullptr || !OnDragDrop) {
        event->ignore();
        return;
    }
    Geschuetzt([&] { OnDragDrop(quelle, event->position().toPoint()); });
    event->acceptProposedAction();
}
