#include "miraval/ui/ModellAnsichten.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/ui/CtrlGrid.h"
#include "rastow/DrawGridSE.h"
#include "rastow/qt/DrawGridSEView.h"
#include "vcl/qt/ListViewView.h"
#include "vcl/ListView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>

#include <string>


QWidget* ErzeugeGridAnsicht(TDrawGridSE& grid, QWidget* parent, TAnsichtFehler fehler)
{
    auto* view = new TDrawGridSEView(grid, parent);
    view->SetErrorHandler(std::move(fehler));
    return view;
}

void AktualisiereGridAnsicht(QWidget* view)
{
    if (auto* v = qobject_cast<TDrawGridSEView*>(view))
        v->Refresh();
}

void SetzeGridAussehen(QWidget* view, const TGridLook& look)
{
    auto* v = qobject_cast<TDrawGridSEView*>(view);
    if (v == nullptr)
        return;
    v->SetColors(static_cast<uint32_t>(look.Color), static_cast<uint32_t>(look.CellColor),
                 static_cast<uint32_t>(look.FixedColor), static_cast<uint32_t>(look.ReadOnlyColor));
    v->SetGridLineWidth(look.GridLineWidth);
    v->SetAutoSize(look.AutoSize);
    v->SetDefaultColWidth(look.DefaultColWidth);
}

void ScrolleGrid(QWidget* view, int zeilen)
{
    if (auto* v = qobject_cast<TDrawGridSEView*>(view))
        v->SetTopRow(v->TopRow() + zeilen);
}

int GridTopRow(QWidget* view)
{
    auto* v = qobject_cast<TDrawGridSEView*>(view);
    return v != nullptr ? v->TopRow() : -1;
}

void GridEingabeUebernehmen(QWidget* view)
{
    if (auto* grid = dynamic_cast<TDrawGridSEView*>(view))
        grid->CommitPending();
}

void GridTab(QWidget* view)
{
    if (view == nullptr)
        return;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(view, &tab);
}

QWidget* ErzeugeListAnsicht(TListView& list, QWidget* parent, TAnsichtFehler fehler)
{
    auto* view = new TListViewView(list, [](int index) { return TDM::Icon(index); }, parent);
    view->SetErrorHandler(std::move(fehler));
    return view;
}

void AktualisiereListAnsicht(QWidget* view)
{
    if (auto* v = qobject_cast<TListViewView*>(view))
        v->Refresh();
}

int ListTextBreite(QWidget* view, const std::string& text)
{
    if (auto* v = qobject_cast<TListViewView*>(view))
        return v->TextWidth(text);
    const QFontMetrics metrik = view != nullptr ? view->fontMetrics() : QFontMetrics(QApplication::font());
    return metrik.horizontalAdvance(QString::fromStdString(text));
}

void SetzeListDoppelklick(QWidget* view, std::function<void(int)> handler)
{
    if (auto* v = qobject_cast<TListViewView*>(view))
        v->OnDblClick = std::move(handler);
}

void SetzeListZiehen(QWidget* view, bool automatisch)
{
    if (auto* v = qobject_cast<TListViewView*>(view))
        v->SetDragEnabled(automatisch);
}

QWidget* ListFlaeche(QWidget* view)
{
    if (auto* v = qobject_cast<TListViewView*>(view))
        return v->ItemView() != nullptr ? v->ItemView()->viewport() : view;
    return view;
}

TListView* ListModell(const QObject* view)
{
    const auto* v = qobject_cast<const TListViewView*>(view);
    return v != nullptr ? &v->List() : nullptr;
}

void SetzeListZiehHandler(QWidget* view, std::function<void(int)> start,
                          std::function<bool(int, const QMimeData&)> ueber,
                          std::function<void(int, const QMimeData&)> ablegen)
{
    if (auto* v = qobject_cast<TListViewView*>(view)) {
        v->OnStartDrag = std::move(start);
        v->OnDragOver = std::move(ueber);
        v->OnDragDrop = std::move(ablegen);
    }
}
