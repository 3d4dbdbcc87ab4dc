#include "rastow/qt/DrawGridSEView.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "rastow/QmSpinEdit.h"
#include "rastow/qt/WinColor.h"
#include "vcl/Exception.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr int kCaptionColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kPadding = 4;
constexpr int kBoxSize = 9; // the open/close box of a section title
constexpr int kWheelNotch = 120;

// The spin box over a TQmSpinEdit: typing may go beyond the cell's limits, so that the model
// can report overflow and underflow; the buttons and arrow keys stop at them.
class TGridSpinBox : public QSpinBox {
public:
    TGridSpinBox(QWidget* parent, int minimum, int maximum)
        : QSpinBox(parent), m_min(minimum), m_max(maximum)
    {
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    }

    void SetLimits(int minimum, int maximum)
    {
        m_min = minimum;
        m_max = maximum;
    }

    void stepBy(int steps) override
    {
        interpretText();
        const long long wanted = static_cast<long long>(value())
                                 + static_cast<long long>(steps) * singleStep();
        setValue(static_cast<int>(std::clamp<long long>(wanted, m_min, m_max)));
    }

protected:
    StepEnabled stepEnabled() const override
    {
        StepEnabled enabled = StepNone;
        if (value() < m_max)
            enabled |= StepUpEnabled;
        if (value() > m_min)
            enabled |= StepDownEnabled;
        return enabled;
    }

private:
    int m_min;
    int m_max;
};

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

bool IsGroupTitle(const TCell* cell)
{
    return cell != nullptr && cell->Kind == TCell::ckGroupTitle;
}

} // namespace

TDrawGridSEView::TDrawGridSEView(TDrawGridSE& grid, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_grid(grid),
      m_colorCommon(clSystemColor | COLOR_BTNSHADOW),
      m_colorCell(clSystemColor | COLOR_INFOBK),
      m_colorTitle(clSystemColor | COLOR_BTNFACE),
      m_colorReadOnly(clSystemColor | COLOR_BTNFACE)
{
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    m_grid.OnModelChange = [this] { Refresh(); };
    connect(qApp, &QApplication::focusChanged, this, &TDrawGridSEView::OnFocusChanged);
    Refresh();
}

TDrawGridSEView::~TDrawGridSEView()
{
    m_grid.OnModelChange = nullptr;
    // Deleting the children moves the focus; the slot must not run on a half-destroyed view.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    if (m_editor)
        QObject::disconnect(m_editor.data(), nullptr, this, nullptr);
}

// --- Look --------------------------------------------------------------------------------------

void TDrawGridSEView::SetColors(uint32_t common, uint32_t cell, uint32_t title, uint32_t readOnly)
{
    m_colorCommon = common;
    m_colorCell = cell;
    m_colorTitle = title;
    m_colorReadOnly = readOnly;
    viewport()->update();
}

void TDrawGridSEView::SetGridLineWidth(int width)
{
    m_gridLineWidth = std::max(width, 0);
    Refresh();
}

void TDrawGridSEView::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    Refresh();
}

void TDrawGridSEView::SetDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(width, 1);
    Refresh();
}

void TDrawGridSEView::SetErrorHandler(std::function<void(std::exception_ptr)> handler)
{
    m_errorHandler = std::move(handler);
}

// --- Geometry ----------------------------------------------------------------------------------

int TDrawGridSEView::RowHeight() const
{
    return std::max(fontMetrics().height() + 8, 22);
}

int TDrawGridSEView::CaptionWidthWanted() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics plain(font());
    const QFontMetrics title(bold);
    int wanted = 0;
    for (int row = 0; row < m_grid.RowCount(); ++row) {
        const TCell* cell = m_grid.Cell(kCaptionColumn, row);
        if (cell == nullptr)
            continue;
        const int width = IsGroupTitle(cell)
                              ? kBoxSize + kPadding + title.horizontalAdvance(ToQt(cell->Text))
                              : plain.horizontalAdvance(ToQt(cell->Text));
        wanted = std::max(wanted, width + 3 * kPadding + m_gridLineWidth);
    }
    return wanted;
}

int TDrawGridSEView::ColumnWidth(int column) const
{
    if (column < 0 || column > kValueColumn)
        return 0;
    if (!m_autoSize)
        return m_defaultColWidth;
    const int available = viewport()->width();
    const int minimum = 40;
    const int caption = std::clamp(CaptionWidthWanted(), minimum,
                                   std::max(minimum, available * 6 / 10));
    if (column == kCaptionColumn)
        return caption;
    return std::max(available - caption, 60);
}

int TDrawGridSEView::VisibleRowCount() const
{
    return std::max(1, viewport()->height() / RowHeight());
}

int TDrawGridSEView::TopRow() const
{
    return verticalScrollBar()->value();
}

void TDrawGridSEView::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

QRect TDrawGridSEView::CellRect(int column, int row) const
{
    if (column < kCaptionColumn || column > kValueColumn || row < 0 || row >= m_grid.RowCount()
        || row < TopRow())
        return {};
    const int height = RowHeight();
    const int y = (row - TopRow()) * height;
    if (y >= viewport()->height())
        return {};
    const int x = -horizontalScrollBar()->value()
                  + (column == kValueColumn ? ColumnWidth(kCaptionColumn) : 0);
    return {x, y, std::max(ColumnWidth(column) - m_gridLineWidth, 1),
            std::max(height - m_gridLineWidth, 1)};
}

QRect TDrawGridSEView::EllipsisButtonRect(int row) const
{
    const TCell* cell = m_grid.Cell(kValueColumn, row);
    if (cell == nullptr || cell->Kind != TCell::ckEllipse)
        return {};
    const QRect rect = CellRect(kValueColumn, row);
    if (rect.isEmpty())
        return {};
    const int width = std::min(rect.height() + 6, rect.width() / 2);
    return {rect.right() - width + 1, rect.top(), width, rect.height()};
}

bool TDrawGridSEView::CellAt(const QPoint& point, int& column, int& row) const
{
    if (point.y() < 0)
        return false;
    const int at = TopRow() + point.y() / RowHeight();
    if (at >= m_grid.RowCount())
        return false;
    const int x = point.x() + horizontalScrollBar()->value();
    const int caption = ColumnWidth(kCaptionColumn);
    if (x < 0 || x >= caption + ColumnWidth(kValueColumn))
        return false;
    column = x < caption ? kCaptionColumn : kValueColumn;
    row = at;
    return true;
}

bool TDrawGridSEView::IsRowUsed(int row) const
{
    for (int column = kCaptionColumn; column <= kValueColumn; ++column) {
        const TCell* cell = m_grid.Cell(column, row);
        if (cell != nullptr && cell->Kind != TCell::ckNone)
            return true;
    }
    return false;
}

bool TDrawGridSEView::Contains(const QWidget* widget) const
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

void TDrawGridSEView::UpdateScrollBars()
{
    const int visible = VisibleRowCount();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(visible);
    vertical->setRange(0, std::max(0, m_grid.RowCount() - visible));
    const int total = ColumnWidth(kCaptionColumn) + ColumnWidth(kValueColumn);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(std::max(1, viewport()->width()));
    horizontal->setRange(0, std::max(0, total - viewport()->width()));
}

void TDrawGridSEView::EnsureVisible(int row)
{
    if (row < 0)
        return;
    const int visible = VisibleRowCount();
    if (row < TopRow())
        SetTopRow(row);
    else if (row >= TopRow() + visible)
        SetTopRow(row - visible + 1);
}

// --- Model -------------------------------------------------------------------------------------

void TDrawGridSEView::Refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    int column = -1;
    int row = -1;
    if (m_grid.GetCurrentCell(column, row))
        m_currentRow = row;
    m_currentRow = std::min(m_currentRow, m_grid.RowCount() - 1);
    UpdateScrollBars();
    SyncEditor();
    PlaceEditor();
    viewport()->update();
    m_refreshing = false;
}

template <class Action> void TDrawGridSEView::Call(Action&& action)
{
    QPointer<TDrawGridSEView> self(this);
    std::exception_ptr error;
    ++m_modelDepth;
    try {
        action();
    } catch (...) {
        error = std::current_exception();
    }
    if (!self) {
        // A handler closed the window: nothing of the view is left to touch.
        if (error)
            std::fputs("Fehler im Eigenschaftenraster nach dem Schließen des Fensters\n", stderr);
        return;
    }
    --m_modelDepth;
    Refresh();
    if (error)
        Report(error);
}

void TDrawGridSEView::Report(std::exception_ptr error)
{
    ReportViewException(m_errorHandler, error, "im Eigenschaftenraster");
}

// --- Editor widget -----------------------------------------------------------------------------

void TDrawGridSEView::SyncEditor()
{
    int column = -1;
    int row = -1;
    TObject* editor = m_grid.Editor();
    if (editor == nullptr || !m_grid.GetActiveCell(column, row) || column != kValueColumn) {
        CloseEditor();
        return;
    }
    if (m_editor && (editor != m_editorFor || row != m_editorRow || !UpdateEditorFromModel()))
        CloseEditor();
    if (!m_editor)
        OpenEditor(editor, row);
}

void TDrawGridSEView::OpenEditor(TObject* editor, int row)
{
    QWidget* widget = nullptr;
    if (auto* edit = dynamic_cast<TDrawGridSEEdit*>(editor)) {
        auto* line = new QLineEdit(viewport());
        line->setFrame(false);
        line->setMaxLength(edit->MaxLength > 0 ? edit->MaxLength : 32767);
        line->setText(ToQt(edit->Text));
        m_syncedText = edit->Text;
        m_editorKind = TEditorKind::Edit;
        widget = line;
    } else if (auto* combo = dynamic_cast<TDrawGridSEComboBox*>(editor)) {
        auto* box = new QComboBox(viewport());
        box->setFocusPolicy(Qt::StrongFocus);
        box->setEditable(combo->IsEditable());
        box->setInsertPolicy(QComboBox::NoInsert);
        for (const TComboWert& item : combo->Items)
            box->addItem(ToQt(item.Text));
        box->setCurrentIndex(combo->ItemIndex);
        if (box->isEditable()) {
            box->setEditText(ToQt(combo->Text));
            box->lineEdit()->installEventFilter(this);
        }
        m_syncedText = combo->Text;
        m_editorKind = TEditorKind::Combo;
        connect(box, &QComboBox::activated, this, [this](int index) {
            if (m_refreshing || m_editorKind != TEditorKind::Combo)
                return;
            const int at = m_editorRow;
            Call([&] { m_grid.SelectComboItem(at, index); });
        });
        widget = box;
    } else if (auto* spin = dynamic_cast<TQmSpinEdit*>(editor)) {
        auto* box = new TGridSpinBox(viewport(), spin->Min, spin->Max);
        box->setFrame(false);
        box->setKeyboardTracking(false);
        box->setSingleStep(spin->Increment > 0 ? spin->Increment : 1);
        box->setValue(spin->Value);
        m_syncedSpin = spin->Value;
        m_editorKind = TEditorKind::Spin;
        for (QWidget* child : box->findChildren<QWidget*>())
            child->installEventFilter(this);
        connect(box, &QSpinBox::valueChanged, this, [this](int value) {
            if (m_refreshing || m_editorKind != TEditorKind::Spin)
                return;
            auto* model = dynamic_cast<TQmSpinEdit*>(m_grid.Editor());
            if (model == nullptr || model != m_editorFor || model->Value == value)
                return;
            const int at = m_editorRow;
            Call([&] { m_grid.SpinTo(at, value); });
        });
        widget = box;
    } else {
        return; // an editor kind this view does not know: the cell stays drawn only
    }
    widget->setObjectName(ToQt(editor->ClassName()));
    widget->installEventFilter(this);
    m_editor = widget;
    m_editorFor = editor;
    m_editorRow = row;
    PlaceEditor();
    if (m_editing && hasFocus())
        FocusEditor();
}

void TDrawGridSEView::CloseEditor()
{
    QWidget* widget = m_editor.data();
    m_editor = nullptr;
    m_editorFor = nullptr;
    m_editorKind = TEditorKind::None;
    m_editorRow = -1;
    if (widget == nullptr)
        return;
    // No signal of the old widget may reach the model any more (a spin box interprets its
    // text when it loses the focus).
    QObject::disconnect(widget, nullptr, this, nullptr);
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
        if (w == widget) {
            setFocus(Qt::OtherFocusReason); // the focus stays in the grid
            break;
        }
    }
    widget->hide();
    widget->deleteLater();
}

bool TDrawGridSEView::UpdateEditorFromModel()
{
    // The model editor may be a new one at the old one's address: a kind the widget does not
    // fit is answered false, and the widget is made anew.
    const QSignalBlocker blocker(m_editor.data());
    TObject* editor = m_grid.Editor();
    switch (m_editorKind) {
    case TEditorKind::Edit: {
        auto* model = dynamic_cast<TDrawGridSEEdit*>(editor);
        if (model == nullptr)
            return false;
        auto* line = static_cast<QLineEdit*>(m_editor.data());
        line->setMaxLength(model->MaxLength > 0 ? model->MaxLength : 32767);
        if (model->Text != m_syncedText) {
            line->setText(ToQt(model->Text));
            m_syncedText = model->Text;
        }
        return true;
    }
    case TEditorKind::Combo: {
        auto* model = dynamic_cast<TDrawGridSEComboBox*>(editor);
        auto* box = static_cast<QComboBox*>(m_editor.data());
        if (model == nullptr || box->isEditable() != model->IsEditable())
            return false;
        bool same = box->count() == static_cast<int>(model->Items.size());
        for (int i = 0; same && i < box->count(); ++i)
            same = box->itemText(i) == ToQt(model->Items[static_cast<std::size_t>(i)].Text);
        if (!same) {
            box->clear();
            for (const TComboWert& item : model->Items)
                box->addItem(ToQt(item.Text));
        }
        if (box->currentIndex() != model->ItemIndex)
            box->setCurrentIndex(model->ItemIndex);
        if (box->isEditable() && model->Text != m_syncedText) {
            box->setEditText(ToQt(model->Text));
            m_syncedText = model->Text;
        }
        return true;
    }
    case TEditorKind::Spin: {
        auto* model = dynamic_cast<TQmSpinEdit*>(editor);
        if (model == nullptr)
            return false;
        auto* box = static_cast<TGridSpinBox*>(m_editor.data());
        box->SetLimits(model->Min, model->Max);
        if (model->Value != m_syncedSpin) {
            box->setValue(model->Value);
            m_syncedSpin = model->Value;
        }
        return true;
    }
    case TEditorKind::None:
        break;
    }
    return false;
}

void TDrawGridSEView::PlaceEditor()
{
    if (!m_editor)
        return;
    const QRect rect = CellRect(kValueColumn, m_editorRow);
    if (rect.isEmpty()) {
        if (EditorHasFocus())
            setFocus(Qt::OtherFocusReason);
        m_editor->hide();
        return;
    }
    m_editor->setGeometry(rect);
    m_editor->show();
}

bool TDrawGridSEView::EditorHasFocus() const
{
    for (const QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
        if (w == m_editor.data())
            return true;
    }
    return false;
}

void TDrawGridSEView::FocusEditor()
{
    if (!m_editor || !m_editor->isVisible())
        return;
    m_editor->setFocus(Qt::OtherFocusReason);
    // What the user types replaces the value.
    if (m_editorKind == TEditorKind::Edit)
        static_cast<QLineEdit*>(m_editor.data())->selectAll();
    else if (m_editorKind == TEditorKind::Spin)
        static_cast<QSpinBox*>(m_editor.data())->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(m_editor.data()); box && box->isEditable())
        box->lineEdit()->selectAll();
}

void TDrawGridSEView::CommitPending()
{
    if (!m_editor || m_grid.Editor() != m_editorFor)
        return;
    const int row = m_editorRow;
    switch (m_editorKind) {
    case TEditorKind::Edit: {
        auto* model = dynamic_cast<TDrawGridSEEdit*>(m_grid.Editor());
        const std::string text = static_cast<QLineEdit*>(m_editor.data())->text().toStdString();
        if (model != nullptr && text != model->Text)
            Call([&] { m_grid.TypeText(row, text); });
        break;
    }
    case TEditorKind::Combo: {
        auto* model = dynamic_cast<TDrawGridSEComboBox*>(m_grid.Editor());
        auto* box = static_cast<QComboBox*>(m_editor.data());
        if (model == nullptr || !box->isEditable())
            break;
        const std::string text = box->currentText().toStdString();
        if (text != model->Text)
            Call([&] { m_grid.TypeText(row, text); });
        break;
    }
    case TEditorKind::Spin: {
        auto* model = dynamic_cast<TQmSpinEdit*>(m_grid.Editor());
        auto* box = static_cast<QSpinBox*>(m_editor.data());
        {
            const QSignalBlocker blocker(box);
            box->interpretText();
        }
        const int value = box->value();
        if (model != nullptr && value != model->Value)
            Call([&] { m_grid.SpinTo(row, value); });
        break;
    }
    case TEditorKind::None:
        break;
    }
}

// --- User actions ------------------------------------------------------------------------------

void TDrawGridSEView::ActivateRow(int row, bool edit)
{
    if (row < 0 || row >= m_grid.RowCount())
        return;
    CommitPending();
    if (row >= m_grid.RowCount()) // a handler rebuilt the page shorter
        return;
    if (edit)
        m_editing = true;
    m_currentRow = row;
    EnsureVisible(row);
    Call([&] { m_grid.SetActiveCell(kValueColumn, row); });
    if (edit)
        FocusEditor();
}

void TDrawGridSEView::MoveBy(int delta)
{
    const int count = m_grid.RowCount();
    if (count == 0 || delta == 0)
        return;
    const int step = delta > 0 ? 1 : -1;
    int row = m_currentRow;
    if (row < 0)
        row = step > 0 ? -1 : count;
    int target = -1;
    for (int moved = 0, at = row + step; at >= 0 && at < count; at += step) {
        if (!IsRowUsed(at))
            continue;
        target = at;
        if (++moved == std::abs(delta))
            break;
    }
    if (target >= 0)
        ActivateRow(target, false);
}

void TDrawGridSEView::EditCurrent()
{
    const int row = m_currentRow;
    if (row < 0) {
        MoveBy(1);
        return;
    }
    const TCell* caption = m_grid.Cell(kCaptionColumn, row);
    const TCell* value = m_grid.Cell(kValueColumn, row);
    if (IsGroupTitle(caption)) {
        CommitPending();
        Call([&] { m_grid.ClickGroupTitle(row); });
    } else if (value != nullptr && value->Kind == TCell::ckEllipse) {
        CommitPending();
        Call([&] { m_grid.ClickEllipsis(row); });
    } else {
        ActivateRow(row, true);
    }
}

void TDrawGridSEView::CommitAndClose()
{
    CommitPending();
    m_editing = false;
    if (EditorHasFocus())
        setFocus(Qt::OtherFocusReason);
    Call([&] { m_grid.ExitCell(); });
}

void TDrawGridSEView::CancelEditor()
{
    m_editing = false;
    if (EditorHasFocus())
        setFocus(Qt::OtherFocusReason);
    Call([&] { m_grid.DeleteZellenKomponente(); });
}

void TDrawGridSEView::LeaveGrid()
{
    CommitPending();
    m_editing = false;
    Call([&] { m_grid.ExitGrid(); });
}

void TDrawGridSEView::OnFocusChanged(QWidget* old, QWidget* now)
{
    // Focus moves made by handlers (their dialogs) or by the view itself are no user leaving
    // the grid; nor is a move into another window (dialog, popup): only a move to another
    // control of the same window is.
    if (m_modelDepth > 0 || m_refreshing || old == nullptr || now == nullptr)
        return;
    if (!Contains(old) || Contains(now) || now->window() != window())
        return;
    LeaveGrid();
}

// --- Events ------------------------------------------------------------------------------------

void TDrawGridSEView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), ColorFromWin(m_colorCommon, pal));

    const bool focused = hasFocus() || EditorHasFocus();
    int column = -1;
    int active = -1;
    const bool hasCurrent = m_grid.GetCurrentCell(column, active);
    QFont bold = font();
    bold.setBold(true);
    const QColor text = pal.color(QPalette::Active, QPalette::Text);
    const QColor grey = pal.color(QPalette::Disabled, QPalette::Text);

    for (int row = TopRow(); row < m_grid.RowCount(); ++row) {
        const QRect captionRect = CellRect(kCaptionColumn, row);
        const QRect valueRect = CellRect(kValueColumn, row);
        if (captionRect.isEmpty())
            break;
        const TCell* caption = m_grid.Cell(kCaptionColumn, row);
        const TCell* value = m_grid.Cell(kValueColumn, row);
        const bool current = row == m_currentRow && (focused || hasCurrent);

        if (IsGroupTitle(caption)) {
            const QRect span(captionRect.topLeft(), valueRect.bottomRight());
            painter.fillRect(span, ColorFromWin(m_colorTitle, pal));
            const bool open = TCell::IsGroupOpen(caption->GroupState);
            const bool hot = caption->GroupState == TCell::gtsClosedHot
                             || caption->GroupState == TCell::gtsOpenHot;
            const QRect box(span.left() + kPadding, span.center().y() - kBoxSize / 2, kBoxSize,
                            kBoxSize);
            painter.setPen(pal.color(QPalette::Dark));
            painter.fillRect(box, pal.color(QPalette::Base));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.setPen(text);
            painter.drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
            if (!open)
                painter.drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
            painter.setFont(bold);
            painter.setPen(hot ? pal.color(QPalette::Highlight) : text);
            const QRect titleText = captionRect.adjusted(kBoxSize + 2 * kPadding, 0, 0, 0);
            painter.drawText(titleText, Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(ToQt(caption->Text), Qt::ElideRight,
                                                              titleText.width()));
            painter.setFont(font());
            if (IsGroupTitle(value) && !value->Text.empty()) {
                painter.setPen(text);
                painter.drawText(valueRect.adjusted(kPadding, 0, -kPadding, 0),
                                 Qt::AlignLeft | Qt::AlignVCenter, ToQt(value->Text));
            }
            if (current && focused) {
                QStyleOptionFocusRect option;
                option.initFrom(this);
                option.rect = span.adjusted(1, 1, -1, -1);
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
            }
            continue;
        }

        // Caption cell; the current row's caption is marked.
        if (current) {
            const QPalette::ColorGroup group = focused ? QPalette::Active : QPalette::Inactive;
            painter.fillRect(captionRect, pal.color(group, QPalette::Highlight));
            painter.setPen(pal.color(group, QPalette::HighlightedText));
        } else {
            painter.fillRect(captionRect, ColorFromWin(m_colorTitle, pal));
            painter.setPen(caption != nullptr && !caption->Enabled ? grey : text);
        }
        if (caption != nullptr && caption->Kind != TCell::ckNone) {
            const QRect inner = captionRect.adjusted(kPadding, 0, -kPadding, 0);
            painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(ToQt(caption->Text), Qt::ElideRight,
                                                              inner.width()));
        }

        // Value cell.
        if (value == nullptr)
            continue;
        const bool editable = value->Enabled
                              && (value->IsEditable() || value->Kind == TCell::ckEllipse);
        painter.fillRect(valueRect,
                         ColorFromWin(editable ? m_colorCell : m_colorReadOnly, pal));
        if (value->Kind == TCell::ckNone)
            continue;
        QRect inner = valueRect.adjusted(kPadding, 0, -kPadding, 0);
        if (value->Kind == TCell::ckComboBox) {
            const int size = std::min(valueRect.height(), valueRect.width() / 3);
            QStyleOption arrow;
            arrow.initFrom(this);
            if (!value->Enabled)
                arrow.state &= ~QStyle::State_Enabled;
            arrow.rect = QRect(valueRect.right() - size + 1, valueRect.top(), size,
                               valueRect.height()).adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
            inner.setRight(valueRect.right() - size);
        } else if (value->Kind == TCell::ckEllipse) {
            QStyleOptionButton button;
            button.initFrom(this);
            if (!value->Enabled)
                button.state &= ~QStyle::State_Enabled;
            button.rect = EllipsisButtonRect(row);
            button.text = QStringLiteral("...");
            style()->drawControl(QStyle::CE_PushButton, &button, &painter, this);
            inner.setRight(button.rect.left() - kPadding);
        }
        std::string shown = value->Text;
        if (shown.empty() && value->Kind == TCell::ckSpinEdit)
            shown = std::to_string(value->SpinValue);
        painter.setPen(value->Enabled ? text : grey);
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(ToQt(shown), Qt::ElideRight,
                                                          inner.width()));
        if (current && hasFocus() && !(m_editor && m_editor->isVisible())) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = valueRect.adjusted(1, 1, -1, -1);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

void TDrawGridSEView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    PlaceEditor();
}

void TDrawGridSEView::scrollContentsBy(int, int)
{
    PlaceEditor();
    viewport()->update();
}

void TDrawGridSEView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        Refresh();
}

void TDrawGridSEView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TDrawGridSEView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

bool TDrawGridSEView::focusNextPrevChild(bool)
{
    return false; // Tab moves the active cell (keyPressEvent), never the focus out of the grid
}

void TDrawGridSEView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    event->accept();
    const QPoint point = event->position().toPoint();
    int column = -1;
    int row = -1;
    if (!CellAt(point, column, row))
        return;
    if (!hasFocus() && !EditorHasFocus())
        setFocus(Qt::MouseFocusReason);
    if (IsGroupTitle(m_grid.Cell(kCaptionColumn, row))) {
        CommitPending();
        m_currentRow = row;
        Call([&] { m_grid.ClickGroupTitle(row); });
        return;
    }
    if (column == kValueColumn && EllipsisButtonRect(row).contains(point)) {
        const TCell* cell = m_grid.Cell(kValueColumn, row);
        if (cell == nullptr || !cell->Enabled)
            return;
        CommitPending();
        m_currentRow = row;
        Call([&] { m_grid.ClickEllipsis(row); });
        return;
    }
    ActivateRow(row, column == kValueColumn);
}

void TDrawGridSEView::wheelEvent(QWheelEvent* event)
{
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / kWheelNotch;
    m_wheelRest %= kWheelNotch;
    if (notches != 0)
        SetTopRow(TopRow() - notches);
    event->accept();
}

void TDrawGridSEView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain) {
        switch (event->key()) {
        case Qt::Key_Up:
            MoveBy(-1);
            return;
        case Qt::Key_Down:
            MoveBy(1);
            return;
        case Qt::Key_PageUp:
            MoveBy(-VisibleRowCount());
            return;
        case Qt::Key_PageDown:
            MoveBy(VisibleRowCount());
            return;
        case Qt::Key_Home:
            MoveBy(-m_grid.RowCount());
            return;
        case Qt::Key_End:
            MoveBy(m_grid.RowCount());
            return;
        case Qt::Key_Tab:
            MoveBy((event->modifiers() & Qt::ShiftModifier) != 0 ? -1 : 1);
            return;
        case Qt::Key_Backtab:
            MoveBy(-1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            EditCurrent();
            return;
        case Qt::Key_Escape:
            if (m_editor) {
                CancelEditor();
                return;
            }
            break;
        default:
            // Typing on a cell whose editor is open starts editing with that key.
            if (m_editor && m_editor->isVisible() && !event->text().isEmpty()
                && event->text().at(0).isPrint()) {
                m_editing = true;
                FocusEditor();
                if (QWidget* target = QApplication::focusWidget(); target != nullptr && target != this) {
                    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
                    QCoreApplication::sendEvent(target, &copy);
                }
                return;
            }
            break;
        }
    }
    event->ignore(); // for the window (F1, F6, Ctrl+C, ...)
}

bool TDrawGridSEView::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    bool ours = false;
    for (const QWidget* w = widget; w != nullptr && m_editor; w = w->parentWidget()) {
        if (w == m_editor.data()) {
            ours = true;
            break;
        }
    }
    if (!ours)
        return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::FocusIn)
        m_editing = true; // the user works in the editor now
    if (event->type() == QEvent::KeyPress)
        return HandleEditorKey(static_cast<QKeyEvent*>(event));
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool TDrawGridSEView::HandleEditorKey(QKeyEvent* event)
{
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0)
        return false;
    const bool line = m_editorKind == TEditorKind::Edit;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back = event->key() == Qt::Key_Backtab
                          || (event->modifiers() & Qt::ShiftModifier) != 0;
        CommitPending();
        MoveBy(back ? -1 : 1);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitAndClose();
        return true;
    case Qt::Key_Escape:
        CancelEditor();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!line)
            return false; // the combo box chooses, the spin box steps
        CommitPending();
        MoveBy(event->key() == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!line)
            return false;
        CommitPending();
        MoveBy(event->key() == Qt::Key_PageUp ? -VisibleRowCount() : VisibleRowCount());
        return true;
    default:
        return false;
    }
}
