#pragma once
// The project window's node tree as a widget: a QTreeWidget that lets its owner refuse a node
// from opening and that runs the window's drags.
//
// Opening: Qt asks nobody before a node opens. Every opening (the arrow, a double click, the
// keys, setExpanded from code) reports the node here at once, before anything is painted;
// OnExpanding may then refuse, and the node is closed again within the same call, so the
// refused opening is never seen. An opened node is reported to OnExpanded. "*" opens the
// current node's branch node by node (TCtrlTree::ExpandBranch), so each opening is asked
// and a refused node keeps its branch closed. Sorting that re-opens nodes it had to take out blocks the tree's signals,
// so that is no opening.
//
// Drags: a drag from the tree carries TZiehDaten with the tree as its source and runs inside
// a TZiehLauf; OnStartDrag and OnEndDrag bracket it. Over the tree, only drags of this
// program are considered: OnDragOver answers per mouse move whether a drop at the point
// (viewport coordinates) is accepted; OnDragDrop performs the drop. Qt's own item moving,
// drop indicator and edge scrolling stay off.
//
// Scrolling: Qt's auto-scroll is off, since it would also scroll at the edges during a drag,
// which the window does itself. The current node is brought into view here instead, whoever
// makes it current (keys, a search, the program), except a mouse press or a drag: a click on a
// half-shown row does not make the tree jump under the pointer.
//
// What the handlers throw goes to the main window's handler (Geschuetzt).

#include <QTreeWidget>

#include <functional>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMouseEvent;
class QObject;
class QPoint;

class TBaumAnsicht : public QTreeWidget {
public:
    explicit TBaumAnsicht(QWidget* parent = nullptr);

    std::function<bool(QTreeWidgetItem* node)> OnExpanding;
    std::function<void(QTreeWidgetItem* node)> OnExpanded;
    std::function<void()> OnStartDrag;
    std::function<void()> OnEndDrag;
    std::function<bool(QObject* source, const QPoint& pos)> OnDragOver;
    std::function<void(QObject* source, const QPoint& pos)> OnDragDrop;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void Aufgeklappt(const QModelIndex& index);

    bool m_mausDruck = false;
};
