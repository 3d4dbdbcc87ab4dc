#include "rastow/DrawGridSE.h"

#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "rastow/QmSpinEdit.h"
#include "win32/CodePage1252.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kValueColumn = 1;
constexpr int kCaptionColumn = 0;

int16_t ToInt16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

} // namespace

// While a handler runs, dropped rows and editors are kept (Retire); they are freed when the
// outermost handler returns, also when it throws.
class TDrawGridSE::TEventScope {
public:
    explicit TEventScope(TDrawGridSE* grid) : m_grid(grid) { ++m_grid->m_eventDepth; }
    ~TEventScope()
    {
        if (--m_grid->m_eventDepth == 0) {
            m_grid->m_retiredRows.clear();
            m_grid->m_retiredEditors.clear();
        }
    }
    TEventScope(const TEventScope&) = delete;
    TEventScope& operator=(const TEventScope&) = delete;

private:
    TDrawGridSE* m_grid;
};

template <class Slot, class... Args> void TDrawGridSE::Fire(const Slot& slot, Args&&... args)
{
    if (!slot)
        return;
    // A handler may rebind or empty the slot (Prepare) while it runs: call a copy.
    Slot handler = slot;
    TEventScope scope(this);
    handler(std::forward<Args>(args)...);
}

TDrawGridSE::TDrawGridSE()
{
    ResetRows();
}

TDrawGridSE::~TDrawGridSE() = default;

void TDrawGridSE::Retire(std::unique_ptr<TRow> row)
{
    if (m_eventDepth > 0 && row)
        m_retiredRows.push_back(std::move(row));
}

void TDrawGridSE::Retire(std::unique_ptr<TObject> editor)
{
    if (m_eventDepth > 0 && editor)
        m_retiredEditors.push_back(std::move(editor));
}

void TDrawGridSE::ClearNodeEvents()
{
    OnComboBoxChange = nullptr;
    OnEditChange = nullptr;
    OnSpinEditChange = nullptr;
    OnSpinEditOverflow = nullptr;
    OnSpinEditUnderflow = nullptr;
    OnExitCell = nullptr;
    OnExit = nullptr;
    OnEllipseClick = nullptr;
    OnEnterCheckBox = nullptr;
    OnGroupTitleClick = nullptr;
    OnDeleteCellKomponente = nullptr;
}

void TDrawGridSE::Changed()
{
    if (m_updateDepth > 0 || !OnModelChange)
        return;
    // The hook may be replaced while it runs (a view going away): call a copy.
    const std::function<void()> hook = OnModelChange;
    hook();
}

void TDrawGridSE::DropEditor()
{
    Retire(std::move(m_editor));
    m_editor.reset();
}

void TDrawGridSE::ResetRows()
{
    DropEditor();
    m_activeColumn = -1;
    m_activeRow = -1;
    for (auto& row : m_rows)
        Retire(std::move(row));
    m_rows.clear();
    m_rows.push_back(std::make_unique<TRow>(static_cast<std::size_t>(m_colCount)));
}

void TDrawGridSE::Prepare(int columns)
{
    m_colCount = std::max(columns, 1);
    ResetRows();
    ClearNodeEvents();
    Changed();
}

void TDrawGridSE::Clear()
{
    Prepare(m_colCount);
    Tag = 0;
}

void TDrawGridSE::BeginUpdate()
{
    ++m_updateDepth;
}

void TDrawGridSE::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        Changed();
}

bool TDrawGridSE::SetRowCount(int count)
{
    if (count < 0)
        return false;
    const auto wanted = static_cast<std::size_t>(count);
    while (m_rows.size() > wanted) {
        if (m_activeRow == static_cast<int>(m_rows.size()) - 1) {
            DropEditor();
            m_activeColumn = -1;
            m_activeRow = -1;
        }
        Retire(std::move(m_rows.back()));
        m_rows.pop_back();
    }
    while (m_rows.size() < wanted)
        m_rows.push_back(std::make_unique<TRow>(static_cast<std::size_t>(m_colCount)));
    Changed();
    return true;
}

TCell* TDrawGridSE::Cell(int column, int row)
{
    if (column < 0 || column >= m_colCount || row < 0 || row >= RowCount())
        return nullptr;
    return &(*m_rows[static_cast<std::size_t>(row)])[static_cast<std::size_t>(column)];
}

const TCell* TDrawGridSE::Cell(int column, int row) const
{
    return const_cast<TDrawGridSE*>(this)->Cell(column, row);
}

bool TDrawGridSE::SetCell(int column, int row, const TCell& cell)
{
    TCell* target = Cell(column, row);
    if (target == nullptr)
        return false;
    *target = cell;
    Changed();
    return true;
}

int TDrawGridSE::FindRow(int rowNr) const
{
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < m_colCount; ++column) {
            const TCell* cell = Cell(column, row);
            if (cell->Kind != TCell::ckNone && cell->RowNr == rowNr)
                return row;
        }
    }
    return -1;
}

std::vector<int> TDrawGridSE::RowNumbers() const
{
    std::vector<int> numbers;
    for (int row = 0; row < RowCount(); ++row) {
        int number = -1;
        for (int column = 0; column < m_colCount; ++column) {
            const TCell* cell = Cell(column, row);
            if (cell->Kind != TCell::ckNone) {
                number = cell->RowNr;
                break;
            }
        }
        numbers.push_back(number);
    }
    return numbers;
}

TCell* TDrawGridSE::ActiveCell()
{
    return Cell(m_activeColumn, m_activeRow);
}

std::unique_ptr<TObject> TDrawGridSE::MakeEditor(const TCell& cell) const
{
    if (!cell.IsEditable())
        return nullptr;
    switch (cell.Kind) {
    case TCell::ckEdit: {
        auto edit = std::make_unique<TDrawGridSEEdit>();
        edit->Text = cell.Text;
        edit->MaxLength = cell.MaxLength;
        return edit;
    }
    case TCell::ckComboBox: {
        auto combo = std::make_unique<TDrawGridSEComboBox>();
        combo->Items = cell.Items;
        combo->ItemIndex = cell.ItemIndex;
        combo->Text = cell.Text;
        combo->Style = cell.ComboStyle;
        return combo;
    }
    case TCell::ckSpinEdit: {
        auto spin = std::make_unique<TQmSpinEdit>();
        spin->Min = ToInt16(std::min(cell.SpinMin, cell.SpinMax));
        spin->Max = ToInt16(std::max(cell.SpinMin, cell.SpinMax));
        spin->Increment = ToInt16(cell.SpinStep);
        spin->Value = ToInt16(cell.SpinValue);
        spin->Position = std::clamp(spin->Value, spin->Min, spin->Max);
        return spin;
    }
    default:
        return nullptr;
    }
}

bool TDrawGridSE::SetActiveCell(int column, int row)
{
    if (Cell(column, row) == nullptr)
        return false;
    if (m_activeColumn == column && m_activeRow == row) {
        if (!m_editor) {
            m_editor = MakeEditor(*Cell(column, row));
            if (m_editor)
                Changed();
        }
        return true;
    }
    ExitCell();
    // The exit handler may have rebuilt the page.
    TCell* cell = Cell(column, row);
    if (cell == nullptr)
        return false;
    m_activeColumn = column;
    m_activeRow = row;
    m_editor = MakeEditor(*cell);
    Fire(OnEnterCell, this, *cell, column, row);
    Changed();
    return true;
}

bool TDrawGridSE::GetActiveCell(int& column, int& row) const
{
    if (m_activeRow < 0 || !m_editor)
        return false;
    column = m_activeColumn;
    row = m_activeRow;
    return true;
}

bool TDrawGridSE::GetCurrentCell(int& column, int& row) const
{
    if (m_activeRow < 0)
        return false;
    column = m_activeColumn;
    row = m_activeRow;
    return true;
}

void TDrawGridSE::DeleteZellenKomponente()
{
    TCell* cell = ActiveCell();
    if (cell == nullptr || !m_editor)
        return;
    DropEditor();
    Fire(OnDeleteCellKomponente, this, *cell, m_activeColumn, m_activeRow);
    Changed();
}

TCell* TDrawGridSE::BeginEdit(int row, TCell::TEnumCellKind kind)
{
    const TCell* cell = Cell(kValueColumn, row);
    if (cell == nullptr || cell->Kind != kind || !cell->IsEditable())
        return nullptr;
    if (!SetActiveCell(kValueColumn, row) || !m_editor)
        return nullptr;
    return ActiveCell();
}

bool TDrawGridSE::SelectComboItem(int row, int index)
{
    TCell* cell = BeginEdit(row, TCell::ckComboBox);
    if (cell == nullptr || index < 0 || index >= static_cast<int>(cell->Items.size()))
        return false;
    auto* combo = static_cast<TDrawGridSEComboBox*>(m_editor.get());
    combo->ItemIndex = index;
    combo->Text = combo->Items[static_cast<std::size_t>(index)].Text;
    cell->SelectItem(index);
    Fire(OnComboBoxChange, combo, *cell, kValueColumn, row);
    Changed();
    return true;
}

bool TDrawGridSE::TypeText(int row, const std::string& text)
{
    const TCell* target = Cell(kValueColumn, row);
    if (target == nullptr)
        return false;
    if (target->Kind == TCell::ckEdit) {
        TCell* cell = BeginEdit(row, TCell::ckEdit);
        if (cell == nullptr)
            return false;
        auto* edit = static_cast<TDrawGridSEEdit*>(m_editor.get());
        edit->Text = edit->MaxLength > 0
                         ? Utf8Left(text, static_cast<std::size_t>(edit->MaxLength))
                         : text;
        cell->Text = edit->Text;
        Fire(OnEditChange, edit, *cell, kValueColumn, row);
        Changed();
        return true;
    }
    if (target->Kind == TCell::ckComboBox) {
        TCell* cell = BeginEdit(row, TCell::ckComboBox);
        if (cell == nullptr)
            return false;
        auto* combo = static_cast<TDrawGridSEComboBox*>(m_editor.get());
        if (!combo->IsEditable())
            return false;
        combo->Text = text;
        combo->ItemIndex = -1;
        for (std::size_t i = 0; i < combo->Items.size(); ++i) {
            if (combo->Items[i].Text == text) {
                combo->ItemIndex = static_cast<int>(i);
                break;
            }
        }
        cell->Text = combo->Text;
        cell->ItemIndex = combo->ItemIndex;
        Fire(OnComboBoxChange, combo, *cell, kValueColumn, row);
        Changed();
        return true;
    }
    return false;
}

bool TDrawGridSE::SpinTo(int row, int value)
{
    TCell* cell = BeginEdit(row, TCell::ckSpinEdit);
    if (cell == nullptr)
        return false;
    auto* spin = static_cast<TQmSpinEdit*>(m_editor.get());
    spin->Value = ToInt16(value);
    spin->Position = std::clamp(spin->Value, spin->Min, spin->Max);
    if (value > spin->Max)
        Fire(OnSpinEditOverflow, this, spin, *cell, kValueColumn, row, static_cast<double>(value));
    else if (value < spin->Min)
        Fire(OnSpinEditUnderflow, this, spin, *cell, kValueColumn, row, static_cast<double>(value));
    // A handler that rebuilt the page or left the cell ends the edit here.
    if (m_editor.get() == spin) {
        cell->SpinValue = spin->Value;
        cell->Text = std::to_string(spin->Value);
        Fire(OnSpinEditChange, spin, *cell, kValueColumn, row);
    }
    Changed();
    return true;
}

bool TDrawGridSE::ClickEllipsis(int row)
{
    const TCell* target = Cell(kValueColumn, row);
    if (target == nullptr || target->Kind != TCell::ckEllipse || !target->Enabled)
        return false;
    if (!SetActiveCell(kValueColumn, row))
        return false;
    TCell* cell = ActiveCell();
    if (cell == nullptr)
        return false;
    Fire(OnEllipseClick, this, *cell, kValueColumn, row);
    Changed();
    return true;
}

bool TDrawGridSE::ClickGroupTitle(int row)
{
    const TCell* target = Cell(kCaptionColumn, row);
    if (target == nullptr || target->Kind != TCell::ckGroupTitle)
        return false;
    ExitCell();
    TCell* cell = Cell(kCaptionColumn, row);
    if (cell == nullptr || cell->Kind != TCell::ckGroupTitle)
        return false;
    Fire(OnGroupTitleClick, this, *cell, kCaptionColumn, row, static_cast<int>(cell->GroupState));
    Changed();
    return true;
}

bool TDrawGridSE::CommitEditor()
{
    TCell* cell = ActiveCell();
    if (cell == nullptr || !m_editor)
        return false;
    if (auto* spin = dynamic_cast<TQmSpinEdit*>(m_editor.get())) {
        const int16_t value = std::clamp(spin->Value, spin->Min, spin->Max);
        spin->Value = value;
        spin->Position = value;
        cell->SpinValue = value;
        cell->Text = std::to_string(value);
    } else if (auto* edit = dynamic_cast<TDrawGridSEEdit*>(m_editor.get())) {
        cell->Text = edit->Text;
    } else if (auto* combo = dynamic_cast<TDrawGridSEComboBox*>(m_editor.get())) {
        cell->Text = combo->Text;
        cell->ItemIndex = combo->ItemIndex;
    }
    return true;
}

bool TDrawGridSE::CommitCell()
{
    if (!CommitEditor())
        return false;
    Changed();
    return true;
}

bool TDrawGridSE::ExitCell()
{
    TCell* cell = ActiveCell();
    if (cell == nullptr)
        return false;
    CommitEditor(); // no notice yet: the cell is still active until the handler runs
    const int column = m_activeColumn;
    const int row = m_activeRow;
    // The cell is left before the handler runs, so a handler that activates a cell does not
    // leave this one a second time; the editor lives until the handler returns.
    std::unique_ptr<TObject> editor = std::move(m_editor);
    m_activeColumn = -1;
    m_activeRow = -1;
    {
        TEventScope scope(this); // keeps the row alive should the handler rebuild the page
        Fire(OnExitCell, this, editor.get(), *cell, column, row);
    }
    Changed();
    return true;
}

void TDrawGridSE::ExitGrid()
{
    int column = m_activeColumn;
    int row = m_activeRow;
    ExitCell();
    TCell left;
    if (const TCell* cell = Cell(column, row))
        left = *cell;
    else
        column = row = -1;
    Fire(OnExit, this, static_cast<TObject*>(nullptr), left, column, row);
    Changed();
}
