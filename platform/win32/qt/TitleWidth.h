#pragma once
// Dialogs as wide as their titles. A window manager draws a title that is wider than its
// frame elided ("E... rt"), and Qt sizes a message box or a small dialog by its contents:
// every dialog is widened, as it is shown (DialogPlace.h), to the width its whole title needs.

class QWidget;

// The width a window needs to show its title in full: the title in the bold face of the
// window's font (frames draw titles bold) and room for the frame's icon and buttons.
int TitleWidth(const QWidget& window);

// Widens a top-level dialog to TitleWidth (at most three quarters of its screen): a message
// box through its layout (it fixes its own size when shown), any other dialog by its minimum
// width. Other widgets stay as they are.
void FitToTitle(QWidget& dialog);
