#pragma once
// TFDockMeld, the quick-help pane of a project window: a dock widget at the bottom of the
// window's right side holding the help text. It can be dragged out (floating) and docked
// back. Closing it deletes the help text and hides the pane; the window then counts quick
// help as off. Floating, docking and closing act on the window the pane belongs to.

#include <QDockWidget>

#include <functional>

class QTextEdit;

class TFDockMeld : public QDockWidget {
public:
    // Caption text 9038 "Parameter Hilfe"; parent is the window's right side.
    explicit TFDockMeld(QWidget* parent);

    // The text edit, made on demand (read-only, info background); null after a close.
    QTextEdit* Text() const { return m_text; }
    QTextEdit* ErzeugeText();

    // Raised after the pane was closed (the text edit is gone).
    std::function<void()> OnClose;
    // Raised when the pane was dragged out (true) or docked back (false).
    std::function<void(bool floating)> OnEndDock;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTextEdit* m_text = nullptr;
};
