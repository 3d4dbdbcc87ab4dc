#pragma once
// The views of the two headless models on the project window's right side. Only this unit
// knows the view classes; the window and the controllers reach them through these functions.

#include <exception>
#include <functional>
#include <string>

class QMimeData;
class QObject;
class QWidget;
class TDrawGridSE;
class TListView;
struct TGridLook;

using TAnsichtFehler = std::function<void(std::exception_ptr)>;

// A view drawing the grid model; parent owns it. What node handlers throw from the user's
// input goes to fehler.
QWidget* ErzeugeGridAnsicht(TDrawGridSE& grid, QWidget* parent, TAnsichtFehler fehler);
// The view shows the model as it is now.
void AktualisiereGridAnsicht(QWidget* view);
void SetzeGridAussehen(QWidget* view, const TGridLook& look);
// Scrolls by whole rows (positive: down).
void ScrolleGrid(QWidget* view, int zeilen);
// The first row shown (-1 without a grid view).
int GridTopRow(QWidget* view);
// Hands the grid a Tab key (the grid moves on to the next cell).
void GridTab(QWidget* view);
// What was typed into the open cell editor reaches the model (and the node).
void GridEingabeUebernehmen(QWidget* view);

// A view drawing the list model; parent owns it.
QWidget* ErzeugeListAnsicht(TListView& list, QWidget* parent, TAnsichtFehler fehler);
void AktualisiereListAnsicht(QWidget* view);
// The width of a text in the list's font.
int ListTextBreite(QWidget* view, const std::string& text);
// Double click in the list: the item under the cursor (-1 none).
void SetzeListDoppelklick(QWidget* view, std::function<void(int)> handler);
// Pressing an item and moving the mouse starts a drag (the folder page) or not.
void SetzeListZiehen(QWidget* view, bool automatisch);
// The widget the list draws its items on (for screenshots and focus).
QWidget* ListFlaeche(QWidget* view);
// The model a list view draws; null for any other object (tells the list apart in a drag).
TListView* ListModell(const QObject* view);
// The list's drag handlers: start when an item of the folder page is dragged (the receiver
// runs the drag); ueber for each move of a drag over the list (the item under the cursor,
// -1 none; true accepts a drop there); ablegen for the drop.
void SetzeListZiehHandler(QWidget* view, std::function<void(int item)> start,
                          std::function<bool(int item, const QMimeData& daten)> ueber,
                          std::function<void(int item, const QMimeData& daten)> ablegen);
