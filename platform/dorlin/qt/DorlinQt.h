#pragma once
// Shows the Dorlin dialogs with Qt: the about box, the language choice and a non-modal
// progress window over its owner's window.

// Installs the Qt display as the Dorlin display. Call once after the QApplication exists;
// the previous display comes back when the application is destroyed. Does nothing without
// an application or when already installed.
void InstallDorlinQt();
