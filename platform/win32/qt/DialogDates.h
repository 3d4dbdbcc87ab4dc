#pragma once
// File dialogs show dates in the application's locale. Qt's file system model writes its
// date column in the locale of the environment (QLocale::system()), which on most machines
// that run the editor is not German; the program's locale is the default QLocale.

class QWidget;

// Gives a file dialog, as it is shown, a model whose date column is written in the default
// locale (short format). Other widgets, and a dialog that has its own proxy model, stay as
// they are.
void DatesInDefaultLocale(QWidget& dialog);
