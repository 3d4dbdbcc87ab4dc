#pragma once
// TOvandoAnzeige: where print jobs ask the user. A job hands its printer to the print dialog
// (Druckdialog: true prints, the printer then holds the user's choice) or opens the preview
// (Vorschau: zeichnen draws every page into the printer it is given, as often as the
// preview needs; returns when the preview is closed).
//
// The display is process-wide: by default the Qt dialogs (QPrintDialog,
// QPrintPreviewDialog); SetOvandoAnzeige points it elsewhere, as TOvandoPdfAnzeige does for
// tests and headless runs. Exceptions from zeichnen never reach Qt's event loop: the Qt
// preview catches them and ends the drawing of that pass.

#include <functional>

class QPrinter;
class QWidget;

class TOvandoAnzeige {
public:
    virtual ~TOvandoAnzeige() = default;
    virtual bool Druckdialog(QPrinter& printer, QWidget* owner) = 0;
    virtual void Vorschau(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& zeichnen) = 0;
};

// The display print jobs use now.
TOvandoAnzeige& OvandoAnzeige();
// Points the jobs at the display (not owned; null: the Qt dialogs again) and answers the one
// it replaces (null for the Qt dialogs).
TOvandoAnzeige* SetOvandoAnzeige(TOvandoAnzeige* anzeige);
