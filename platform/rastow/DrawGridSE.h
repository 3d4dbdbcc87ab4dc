#pragma once
// The property grid as a model without a display: rows of cells, the active cell with its
// editor, and the event slots through which the grid calls the node whose page it shows.
//
// How nodes use it: BuildInfoWindow calls Prepare(2), binds its handlers to the event slots
// and adds rows. After Prepare the grid has one empty row; a row builder fills that last row
// or first raises RowCount by one and fills the new last row (column 0 the caption cell,
// column 1 the value cell).
//
// How edits reach the node (the user's actions, played by the view or by tests):
//  - SelectComboItem / TypeText into a combo cell: the cell and the combo editor change at
//    once, then OnComboBoxChange; TypeText into an edit cell: OnEditChange; SpinTo: the
//    typed value goes into the spin editor, OnSpinEditOverflow / OnSpinEditUnderflow when it
//    lies above / below the limits, then OnSpinEditChange.
//  - CommitCell takes the editor's value into the cell; a spin value is put within its
//    limits first (editor and cell). ExitCell commits, then raises OnExitCell with the
//    editor as sender (null for a cell without editor) and closes the editor.
//  - ClickEllipsis raises OnEllipseClick, ClickGroupTitle OnGroupTitleClick.
//
// Invariants:
//  - Prepare and Clear empty every event slot a node may have bound (OnEnterCell, the
//    window's own handler, stays), so a grid never calls a node it no longer shows.
//  - A handler may rebuild the grid while the grid is calling it: the cell and the sender it
//    was given stay valid until it returns; its changes to the cell are then lost with the
//    old page.
//  - A view learns of changes through OnModelChange alone; the model never knows a display.

#include "rastow/Cell.h"
#include "rastow/ComboWert.h"
#include "vcl/Object.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TDrawGridSE : public TObject {
public:
    // (sender, cell, column, row)
    using TCellEvent = std::function<void(TObject*, TCell&, int, int)>;
    // (grid, sender, cell, column, row)
    using TGridCellEvent = std::function<void(TDrawGridSE*, TObject*, TCell&, int, int)>;
    // (grid, sender, cell, column, row, the value typed)
    using TSpinLimitEvent = std::function<void(TDrawGridSE*, TObject*, TCell&, int, int, double)>;
    // (sender, cell, column, row, the title's state before the click)
    using TGroupTitleEvent = std::function<void(TObject*, TCell&, int, int, int)>;
    // (grid, cell, column, row)
    using TDeleteCellEvent = std::function<void(TDrawGridSE*, TCell&, int, int)>;

    // Two columns and one empty row, as after Prepare(2).
    TDrawGridSE();
    ~TDrawGridSE() override;
    TDrawGridSE(const TDrawGridSE&) = delete;
    TDrawGridSE& operator=(const TDrawGridSE&) = delete;

    std::string ClassName() const override { return "TDrawGridSE"; }

    // --- Page set-up ---------------------------------------------------------------------
    // Prepares a new page of `columns` columns (nodes pass 2; fewer than 1 counts as 1):
    // removes every row and the active cell with its editor, leaves one empty row and
    // empties the node event slots. Tag and Visible stay.
    virtual void Prepare(int columns);
    // What the window does before a node draws: as Prepare with the current column count,
    // and Tag back to 0.
    virtual void Clear();
    // Brackets a rebuild; OnModelChange waits for the outermost EndUpdate. Unbalanced
    // EndUpdate calls are ignored.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return m_updateDepth > 0; }

    // --- Rows and cells --------------------------------------------------------------------
    int ColCount() const { return m_colCount; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // Adds empty rows at the end or removes rows from the end (an active cell in a removed
    // row loses its editor, without events). A negative count is refused: false.
    bool SetRowCount(int count);
    // Copies the cell into the grid. False for a position outside the grid.
    bool SetCell(int column, int row, const TCell& cell);
    // The cell at the position; null outside the grid.
    TCell* Cell(int column, int row);
    const TCell* Cell(int column, int row) const;
    // The grid row whose caption or value cell carries the row number; -1 when none does.
    int FindRow(int rowNr) const;
    // Per grid row, top down: the row number of its caption cell (of its value cell when the
    // caption cell is empty); -1 for a row with two empty cells.
    std::vector<int> RowNumbers() const;

    // --- Active cell -----------------------------------------------------------------------
    // Makes the cell active: the cell active before is left first (ExitCell), then an editor
    // opens when the cell is editable and OnEnterCell is raised. On the cell that is active
    // already it only opens the editor again when DeleteZellenKomponente closed it (no
    // events). False outside the grid.
    bool SetActiveCell(int column, int row);
    // The cell whose editor is open. False, and the arguments untouched, while no editor is
    // open, also on an active cell without one (text, ellipsis, after DeleteZellenKomponente):
    // a caller that closes the editor and asks again must get false.
    bool GetActiveCell(int& column, int& row) const;
    // The active cell, with or without an open editor; false when no cell is active.
    bool GetCurrentCell(int& column, int& row) const;
    // The open editor (TDrawGridSEEdit, TDrawGridSEComboBox or TQmSpinEdit), or null.
    TObject* Editor() const { return m_editor.get(); }
    // Closes the active cell's editor without taking its value; raises
    // OnDeleteCellKomponente. The cell stays active.
    void DeleteZellenKomponente();
    // Re-fits the active cell's editor after a re-layout: a view's matter, nothing to do in
    // the model.
    virtual void ResizeAktivFeld() {}

    // --- User actions on the value cell (column 1) of a grid row ---------------------------
    // Each makes the cell active first when it is not. False, and no event, when the cell is
    // missing, of another kind or disabled, or the entry does not exist.
    bool SelectComboItem(int row, int index);
    // An edit cell takes the text cut to its MaxLength characters; an editable combo takes it
    // as typed and selects the entry with exactly that text (none: ItemIndex -1).
    bool TypeText(int row, const std::string& text);
    // The spin editor holds at most 16 bits: a value beyond -32768..32767 is held at that
    // bound (the events still report the value typed).
    bool SpinTo(int row, int value);
    bool ClickEllipsis(int row);
    // The section title in column 0 of the row.
    bool ClickGroupTitle(int row);
    // Takes the editor's value into the active cell; false when no editor is open.
    bool CommitCell();
    // Commits, raises OnExitCell, closes the editor; no cell is active afterwards. False when
    // no cell was active.
    bool ExitCell();
    // The focus leaves the grid: ExitCell when a cell is active, then OnExit.
    void ExitGrid();

    // --- Fields --------------------------------------------------------------------------
    int Tag = 0;         // free for the page's node (nodes drawn with their flag set put -1)
    bool Visible = true;

    // Event slots a node binds in BuildInfoWindow (emptied by Prepare and Clear).
    TCellEvent OnComboBoxChange;
    TCellEvent OnEditChange;
    TCellEvent OnSpinEditChange;
    TSpinLimitEvent OnSpinEditOverflow;
    TSpinLimitEvent OnSpinEditUnderflow;
    TGridCellEvent OnExitCell;
    TGridCellEvent OnExit;
    TCellEvent OnEllipseClick;
    TCellEvent OnEnterCheckBox;
    TGroupTitleEvent OnGroupTitleClick;
    TDeleteCellEvent OnDeleteCellKomponente;

    // The window's cell-entry handler (sender: the grid); Prepare and Clear keep it.
    TCellEvent OnEnterCell;

    // The view's hook: called when an operation of this class has changed what a view shows
    // (rows, cells, the active cell, its editor), not within an update bracket (the outermost
    // EndUpdate calls it). It may run while a node handler runs, so it only re-reads the
    // model; it never starts a user action. Prepare and Clear keep it. Changes that a caller
    // makes through Cell() pointers are not seen until the next notifying operation.
    std::function<void()> OnModelChange;

private:
    using TRow = std::vector<TCell>;

    void ClearNodeEvents();
    void Changed();
    void ResetRows();
    void DropEditor();
    TCell* ActiveCell();
    // CommitCell without the notice.
    bool CommitEditor();
    // The value cell of the row when it is of the kind and enabled, made active.
    TCell* BeginEdit(int row, TCell::TEnumCellKind kind);
    std::unique_ptr<TObject> MakeEditor(const TCell& cell) const;

    class TEventScope;
    template <class Slot, class... Args> void Fire(const Slot& slot, Args&&... args);
    void Retire(std::unique_ptr<TRow> row);
    void Retire(std::unique_ptr<TObject> editor);

    int m_colCount = 2;
    std::vector<std::unique_ptr<TRow>> m_rows;
    int m_activeColumn = -1;
    int m_activeRow = -1;
    std::unique_ptr<TObject> m_editor;
    int m_updateDepth = 0;

    // Rows and editors dropped while a handler runs; freed when the outermost event returns.
    int m_eventDepth = 0;
    std::vector<std::unique_ptr<TRow>> m_retiredRows;
    std::vector<std::unique_ptr<TObject>> m_retiredEditors;
};

// Binds a member function of a node to an event slot:
//     grid->OnComboBoxChange = Closure(this, &TAzMelder::GridComboBoxChange);
// The node must outlive the binding; the next Prepare of the grid drops it.
template <class Obj, class T, class R, class... A>
    requires std::is_base_of_v<T, Obj>
std::function<R(A...)> Closure(Obj* object, R (T::*method)(A...))
{
    T* target = object;
    return [target, method](A... args) -> R { return (target->*method)(std::forward<A>(args)...); };
}
