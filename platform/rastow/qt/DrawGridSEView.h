#pragma once
// The Qt view of the property grid model TDrawGridSE: draws its rows (caption | value) and
// turns the user's input into the model's own user actions (SetActiveCell, TypeText,
// SelectComboItem, SpinTo, ClickEllipsis, ClickGroupTitle, ExitCell, ExitGrid,
// DeleteZellenKomponente), so the nodes get exactly the events the model raises. The view
// raises no node event itself and keeps no copy of the rows: it paints from the model and
// re-reads it on the model's OnModelChange notice.
//
// The editor widgets mirror the model's editor: a QLineEdit over a TDrawGridSEEdit, a
// QComboBox over a TDrawGridSEComboBox, a QSpinBox over a TQmSpinEdit; each widget's object
// name is the model editor's class name. A widget is open exactly while the model has an
// editor on a visible row.
//
// When edits reach the model:
//  - combo: each entry the user picks (mouse or keys) at once, SelectComboItem; text typed
//    into an editable combo when the cell is committed (TypeText);
//  - edit: the typed text once, when the cell is committed (TypeText, nothing when the text
//    is unchanged);
//  - spin: each step of the buttons or arrow keys at once, a typed number when the cell is
//    committed (SpinTo); the buttons stop at the cell's limits, typing may go beyond them so
//    the model reports overflow and underflow.
//  "Committed" is Enter (then ExitCell), Tab or arrows to another row, a click on another cell
//  and the focus leaving the grid (then ExitGrid). Escape drops the editor without taking its
//  text (DeleteZellenKomponente).
//
// The model's Visible flag is the window's to read: the window shows the grid page, the view
// never shows or hides itself.
//
// Keys on the grid: Up/Down, PageUp/PageDown, Home/End and Tab/Shift+Tab move the active
// cell (the value cell of the row), Enter or F2 edits it (opens the editor again, clicks an
// ellipsis, opens or closes a section title). The window may send the grid a Tab key event to
// move on; the view keeps Tab for itself.

#include <QAbstractScrollArea>
#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

class TDrawGridSE;
class TObject;

class TDrawGridSEView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The grid must outlive the view. The view takes the grid's OnModelChange and empties it
    // when it goes.
    explicit TDrawGridSEView(TDrawGridSE& grid, QWidget* parent = nullptr);
    ~TDrawGridSEView() override;

    TDrawGridSE& Grid() const { return m_grid; }

    // --- Look --------------------------------------------------------------------------------
    // Windows colour values (WinColor.h): the background (beyond the rows and between the
    // cells), editable value cells, captions and section titles, read-only value cells.
    void SetColors(uint32_t common, uint32_t cell, uint32_t title, uint32_t readOnly);
    uint32_t CommonColor() const { return m_colorCommon; }
    uint32_t CellColor() const { return m_colorCell; }
    uint32_t TitleColor() const { return m_colorTitle; }
    uint32_t ReadOnlyColor() const { return m_colorReadOnly; }
    // Pixels between the cells; 0 draws no lines. Negative counts as 0.
    void SetGridLineWidth(int width);
    int GridLineWidth() const { return m_gridLineWidth; }
    // Auto size: the caption column fits the widest caption, the value column takes the rest
    // of the width. Otherwise both columns are DefaultColWidth pixels wide and the grid
    // scrolls sideways.
    void SetAutoSize(bool autoSize);
    bool AutoSize() const { return m_autoSize; }
    void SetDefaultColWidth(int width); // at least 1
    int DefaultColWidth() const { return m_defaultColWidth; }

    // --- Geometry (viewport coordinates) -----------------------------------------------------
    int RowHeight() const;
    int ColumnWidth(int column) const;
    // The first row shown; the wheel scrolls one row per notch.
    int TopRow() const;
    void SetTopRow(int row);
    // The cell's rectangle without the grid lines; empty when the row is out of sight or
    // outside the grid.
    QRect CellRect(int column, int row) const;
    // The button of an ellipsis cell; empty for any other cell.
    QRect EllipsisButtonRect(int row) const;
    // The cell under a point; false beside the rows and columns.
    bool CellAt(const QPoint& point, int& column, int& row) const;

    // The open editor widget, or null.
    QWidget* EditorWidget() const { return m_editor.data(); }
    // The row the keys work on: the active cell's row, else the row last worked on (-1 none).
    int CurrentRow() const { return m_currentRow; }

    // Reads the model again now: editor widget opened, closed or brought up to date, scroll
    // range, repaint. The model's notices call it.
    void Refresh();
    // Hands text or a number typed into the open editor but not yet reported to the model, as
    // typing it would: callers that close the editor through the model keep what was typed.
    void CommitPending();

    // Receives what node handlers throw from the user's input, so that no exception reaches
    // Qt's event loop. Without a handler the message goes to standard error.
    void SetErrorHandler(std::function<void(std::exception_ptr)> handler);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TEditorKind { None, Edit, Combo, Spin };

    // Runs a model action: counts the depth (focus changes inside it are the handlers'
    // dialogs, not the user leaving), catches what the handlers throw, refreshes afterwards.
    template <class Action> void Call(Action&& action);
    void Report(std::exception_ptr error);

    // --- Editor widget ---
    void SyncEditor();
    void OpenEditor(TObject* editor, int row);
    void CloseEditor();
    bool UpdateEditorFromModel();
    void PlaceEditor();
    bool EditorHasFocus() const;
    void FocusEditor();

    // --- User actions ---
    void ActivateRow(int row, bool edit);
    void MoveBy(int delta);
    void EditCurrent();
    void CommitAndClose();
    void CancelEditor();
    void LeaveGrid();
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool HandleEditorKey(QKeyEvent* event);

    // --- Layout ---
    bool IsRowUsed(int row) const;
    int VisibleRowCount() const;
    int CaptionWidthWanted() const;
    void UpdateScrollBars();
    void EnsureVisible(int row);
    bool Contains(const QWidget* widget) const;

    TDrawGridSE& m_grid;
    uint32_t m_colorCommon;
    uint32_t m_colorCell;
    uint32_t m_colorTitle;
    uint32_t m_colorReadOnly;
    int m_gridLineWidth = 1;
    bool m_autoSize = true;
    int m_defaultColWidth = 150;

    QPointer<QWidget> m_editor;     // the open editor widget (child of the viewport)
    TEditorKind m_editorKind = TEditorKind::None;
    const TObject* m_editorFor = nullptr; // the model editor it shows
    int m_editorRow = -1;
    // What the widget was last given from the model editor, so that a change the model makes
    // (a handler, a cut to the length limit) reaches the widget and the user's own typing,
    // not yet committed, does not get overwritten.
    std::string m_syncedText;
    int m_syncedSpin = 0;
    int m_currentRow = -1;
    int m_wheelRest = 0; // a touchpad sends parts of a notch
    // The user works inside the editor: a newly opened editor takes the focus (Tab to the
    // next row keeps typing there). Enter, Escape and leaving the grid end it.
    bool m_editing = false;

    int m_modelDepth = 0;
    bool m_refreshing = false;
    std::function<void(std::exception_ptr)> m_errorHandler;
};
