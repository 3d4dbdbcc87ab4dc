#pragma once
// Where a dialog opens, and the one filter that prepares every dialog as it is shown.
//
// Windows opens a dialog over the window that owns it. Qt centres a dialog on its parent too,
// but a dialog about as large as its owner then covers the owner's title bar, and one larger
// than the room left of its owner is pushed against the screen's edge: every dialog with an
// owner is placed over it here, after it has taken its final size.

#include <QRect>
#include <QSize>

class QObject;
class QWidget;

// The client rectangle of a dialog of client size `groesse` over its owner (frame and client
// rectangle): centred on the owner, its frame (taken to be as wide as the owner's: one window
// manager draws both) not above the owner's client area, so that the owner's title bar stays
// in sight, and as much of it on the screen area as fits, its top left corner first.
QRect DialogPlatz(const QRect& ownerFrame, const QRect& ownerClient, const QSize& groesse, const QRect& screen);

// Places a top-level dialog whose owner window is shown at DialogPlatz on the owner's screen.
// A dialog the program has moved itself and any other widget stay where they are.
void PlaceOverOwner(QWidget& dialog);

// Every dialog of the application, as it is shown, made as wide as its title (TitleWidth.h),
// a file dialog's sizes and dates written in the default locale (DialogDates.h), and then, at
// the size it is shown with, placed over its owner; the filter lives as long as parent.
void InstallDialogShowFilter(QObject& parent);
