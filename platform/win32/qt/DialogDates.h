#pragma once
// File dialogs show sizes and dates in the application's locale. Qt's file system model writes
// its size and date columns in the locale of the environment (QLocale::system()), which on
// most machines that run the editor is not German; the program's locale is the default QLocale.

class QWidget;

// Gives a file dialog, as it is shown, a model whose size column (of a file; a folder's stays
// empty) and date column (short format) are written in the default locale. Other widgets, and
// a dialog that has its own proxy model, stay as they are.
void FileColumnsInDefaultLocale(QWidget& dialog);
