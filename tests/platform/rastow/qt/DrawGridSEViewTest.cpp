#include "rastow/qt/DrawGridSEView.h"

#include "rastow/DrawGridSE.h"
#include "rastow/DrawGridSEComboBox.h"
#include "rastow/DrawGridSEEdit.h"
#include "rastow/QmSpinEdit.h"
#include "rastow/qt/WinColor.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum TRow { rTitle, rNummer, rName, rTyp, rJaNein, rDauer, rAdressen };

// The grid inside a window beside a second control, filled as a node fills it; every node
// event is recorded as "event sender row value".
class DrawGridSEViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        view = new TDrawGridSEView(grid, window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(view);
        layout->addWidget(other);
        window->resize(460, 330);
        Build();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        view->setFocus();
    }

    void Build()
    {
        grid.BeginUpdate();
        grid.Clear();
        grid.OnEditChange = Cell("EditChange");
        grid.OnComboBoxChange = Cell("ComboBoxChange");
        grid.OnSpinEditChange = Cell("SpinEditChange");
        grid.OnEllipseClick = Cell("EllipseClick");
        grid.OnExitCell = Grid("ExitCell");
        grid.OnExit = Grid("Exit");
        grid.OnSpinEditOverflow = Limit("SpinEditOverflow");
        grid.OnSpinEditUnderflow = Limit("SpinEditUnderflow");
        grid.OnGroupTitleClick = [this](TObject*, TCell& cell, int, int, int) {
            events.push_back("GroupTitleClick " + std::to_string(cell.RowNr));
            open = !open; // as a node flips its section and draws again
            Build();
        };
        Title(12, "Allgemein", open);
        if (open) {
            Row(2, "Nummer", Value(TCell::ckText, "3"));
            TCell name = Value(TCell::ckEdit, "Flur");
            name.MaxLength = 14;
            Row(1, "Bezeichnung", name);
            Row(4, "Eingangstyp", Combo({{"Einbruch", 10}, {"Sabotage", 20}, {"Technik", 30}}));
            Row(5, "Überwachung", Combo({{"Nein", 0}, {"Ja", 1}}));
            TCell spin = Value(TCell::ckSpinEdit, "30");
            spin.SpinValue = 30;
            spin.SpinMin = 1;
            spin.SpinMax = 255;
            Row(6, "Dauer [s]", spin);
            Row(7, "Gruppenadressen", Value(TCell::ckEllipse, "1/2/3"));
        }
        Title(13, "Flags", true);
        TCell locked = Combo({{"Aus", 0}, {"Ein", 1}});
        locked.Enabled = false;
        Row(8, "Lesen", locked);
        grid.EndUpdate();
    }

    static TCell Value(TCell::TEnumCellKind kind, const std::string& text)
    {
        TCell cell;
        cell.Kind = kind;
        cell.Text = text;
        return cell;
    }
    static TCell Combo(std::vector<TComboWert> items)
    {
        TCell cell = Value(TCell::ckComboBox, "");
        cell.Items = std::move(items);
        cell.SelectItem(0);
        return cell;
    }
    int NextRow()
    {
        const bool first = grid.RowCount() == 1 && grid.Cell(0, 0)->Kind == TCell::ckNone;
        if (!first)
            grid.SetRowCount(grid.RowCount() + 1);
        return grid.RowCount() - 1;
    }
    void Title(int rowNr, const std::string& text, bool isOpen)
    {
        TCell title = Value(TCell::ckGroupTitle, text);
        title.RowNr = rowNr;
        title.GroupState = isOpen ? TCell::gtsOpen : TCell::gtsClosed;
        const int row = NextRow();
        grid.SetCell(0, row, title);
        title.Text.clear();
        grid.SetCell(1, row, title);
    }
    void Row(int rowNr, const std::string& caption, TCell value)
    {
        const int row = NextRow();
        TCell head = Value(TCell::ckCaption, caption);
        head.RowNr = value.RowNr = rowNr;
        grid.SetCell(0, row, head);
        grid.SetCell(1, row, value);
    }

    static std::string Shown(TObject* sender, const TCell& cell)
    {
        if (auto* edit = dynamic_cast<TDrawGridSEEdit*>(sender))
            return edit->Text;
        if (auto* combo = dynamic_cast<TDrawGridSEComboBox*>(sender))
            return std::to_string(combo->ItemIndex);
        if (auto* spin = dynamic_cast<TQmSpinEdit*>(sender))
            return std::to_string(spin->Value);
        return cell.Text;
    }
    void Record(const char* name, TObject* sender, const TCell& cell, const std::string& value)
    {
        events.push_back(std::string(name) + ' ' + (sender ? sender->ClassName() : "-") + ' '
                         + std::to_string(cell.RowNr) + ' ' + value);
    }
    TDrawGridSE::TCellEvent Cell(const char* name)
    {
        return [this, name](TObject* s, TCell& c, int, int) { Record(name, s, c, Shown(s, c)); };
    }
    TDrawGridSE::TGridCellEvent Grid(const char* name)
    {
        return [this, name](TDrawGridSE*, TObject* s, TCell& c, int, int) {
            Record(name, s, c, Shown(s, c));
        };
    }
    TDrawGridSE::TSpinLimitEvent Limit(const char* name)
    {
        return [this, name](TDrawGridSE*, TObject* s, TCell& c, int, int, double typed) {
            Record(name, s, c, std::to_string(static_cast<int>(typed)));
        };
    }

    // --- The user ---
    void Click(const QPoint& point)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
    }
    // Key codes of Latin-1 characters are their upper-case code points (QTest::keyClicks
    // takes ASCII only).
    void Type(const char* text)
    {
        for (QChar ch : QString::fromUtf8(text))
            QTest::sendKeyEvent(QTest::Click, Focus(), static_cast<Qt::Key>(ch.toUpper().unicode()),
                                QString(ch), Qt::NoModifier);
    }
    bool EditorOpen() const
    {
        int column = 0;
        int row = 0;
        return grid.GetActiveCell(column, row) && view->EditorWidget() != nullptr;
    }

    TDrawGridSE grid;
    std::unique_ptr<QWidget> window;
    TDrawGridSEView* view = nullptr;
    QLineEdit* other = nullptr;
    std::vector<std::string> events;
    bool open = true;
};

struct TEditCase {
    const char* name;
    int row;
    const char* editor; // object name of the editor widget, "" for none
    std::vector<std::string> typed; // texts to type; "\n" is Enter, "v" / "^" arrow keys
    std::vector<std::string> expected;
};

TEST_F(DrawGridSEViewTest, EachEditorKindReachesItsEventsOnceWithTheValue)
{
    const std::vector<TEditCase> cases = {
        {"edit", rName, "TDrawGridSEEdit", {"Keller", "\n"},
         {"EditChange TDrawGridSEEdit 1 Keller", "ExitCell TDrawGridSEEdit 1 Keller"}},
        {"edit cut to its limit", rName, "TDrawGridSEEdit", {"Wohnzimmer Süd-West", "\n"},
         {"EditChange TDrawGridSEEdit 1 Wohnzimmer Süd", "ExitCell TDrawGridSEEdit 1 Wohnzimmer Süd"}},
        {"combo", rTyp, "TDrawGridSEComboBox", {"v"}, {"ComboBoxChange TDrawGridSEComboBox 4 1"}},
        {"yes/no", rJaNein, "TDrawGridSEComboBox", {"v", "^"},
         {"ComboBoxChange TDrawGridSEComboBox 5 1", "ComboBoxChange TDrawGridSEComboBox 5 0"}},
        {"spin", rDauer, "TQmSpinEdit", {"42", "\n"},
         {"SpinEditChange TQmSpinEdit 6 42", "ExitCell TQmSpinEdit 6 42"}},
        {"spin above its limit", rDauer, "TQmSpinEdit", {"999", "\n"},
         {"SpinEditOverflow TQmSpinEdit 6 999", "SpinEditChange TQmSpinEdit 6 999",
          "ExitCell TQmSpinEdit 6 255"}},
        {"spin below its limit", rDauer, "TQmSpinEdit", {"0", "\n"},
         {"SpinEditUnderflow TQmSpinEdit 6 0", "SpinEditChange TQmSpinEdit 6 0",
          "ExitCell TQmSpinEdit 6 1"}},
        {"spin buttons stop at the limit", rDauer, "TQmSpinEdit", {"254", "^", "^", "^"},
         {"SpinEditChange TQmSpinEdit 6 254", "SpinEditChange TQmSpinEdit 6 255"}},
    };
    for (const TEditCase& c : cases) {
        SCOPED_TRACE(c.name);
        Build();
        events.clear();
        Click(view->CellRect(1, c.row).center());
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(view->EditorWidget()->objectName().toStdString(), c.editor);
        EXPECT_EQ(grid.Editor()->ClassName(), c.editor);
        for (const std::string& t : c.typed) {
            if (t == "\n")
                Key(Qt::Key_Return);
            else if (t == "v" || t == "^")
                Key(t == "v" ? Qt::Key_Down : Qt::Key_Up);
            else
                Type(t.c_str());
        }
        EXPECT_EQ(events, c.expected);
    }
}

TEST_F(DrawGridSEViewTest, EllipsisButtonClicksOnceAndDisabledCellsOpenNoEditor)
{
    Click(view->EllipsisButtonRect(rAdressen).center());
    EXPECT_EQ(events, (std::vector<std::string>{"EllipseClick TDrawGridSE 7 1/2/3"}));
    Click(view->CellRect(1, grid.RowCount() - 1).center()); // "Lesen", disabled
    EXPECT_FALSE(EditorOpen());
    // Leaving a cell without editor reports no editor as sender.
    EXPECT_EQ(events.back(), "ExitCell - 7 1/2/3");
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(DrawGridSEViewTest, GroupTitleClosesAndOpensItsSectionByMouseAndKey)
{
    Click(view->CellRect(0, rTitle).center());
    EXPECT_EQ(grid.RowCount(), 3); // the two titles and "Lesen"
    EXPECT_EQ(grid.Cell(0, 0)->GroupState, TCell::gtsClosed);
    Key(Qt::Key_Return); // the title is the current row
    EXPECT_EQ(grid.RowCount(), 9);
    EXPECT_EQ(events, (std::vector<std::string>{"GroupTitleClick 12", "GroupTitleClick 12"}));
}

struct TKeyStep {
    const char* name;
    int key;
    const char* typed; // typed after the key, into whatever has the focus
    int row;           // the current row afterwards
    bool editor;       // an editor open (GetActiveCell true)
};

TEST_F(DrawGridSEViewTest, KeysMoveTheActiveCellEditAndCancel)
{
    const std::vector<TKeyStep> steps = {
        {"down to the first title", Qt::Key_Down, "", rTitle, false},
        {"down to the text row", Qt::Key_Down, "", rNummer, false},
        {"tab to the edit row opens its editor", Qt::Key_Tab, "", rName, true},
        {"escape drops the editor", Qt::Key_Escape, "", rName, false},
        {"F2 opens it again, typing", Qt::Key_F2, "Keller", rName, true},
        {"escape drops the typed text", Qt::Key_Escape, "", rName, false},
        {"enter opens it again", Qt::Key_Return, "Bad", rName, true},
        {"tab commits and moves on", Qt::Key_Tab, "", rTyp, true},
        {"shift+tab goes back", Qt::Key_Backtab, "", rName, true},
        {"enter commits and closes", Qt::Key_Return, "", rName, false},
    };
    for (const TKeyStep& step : steps) {
        SCOPED_TRACE(step.name);
        Key(step.key);
        if (*step.typed != '\0')
            Type(step.typed);
        EXPECT_EQ(view->CurrentRow(), step.row);
        EXPECT_EQ(EditorOpen(), step.editor);
    }
    EXPECT_EQ(events, (std::vector<std::string>{
                          "ExitCell - 12 ", "ExitCell - 2 3", // cells without editor
                          "EditChange TDrawGridSEEdit 1 Bad", "ExitCell TDrawGridSEEdit 1 Bad",
                          "ExitCell TDrawGridSEComboBox 4 0", "ExitCell TDrawGridSEEdit 1 Bad"}));
}

TEST_F(DrawGridSEViewTest, FocusLeavingTheGridCommitsThenExitsCellAndGrid)
{
    Click(view->CellRect(1, rName).center());
    Type("Diele");
    other->setFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"EditChange TDrawGridSEEdit 1 Diele",
                                                "ExitCell TDrawGridSEEdit 1 Diele",
                                                "Exit - 1 Diele"}));
    EXPECT_FALSE(EditorOpen());
}

TEST_F(DrawGridSEViewTest, HandlerRebuildingThePageLeavesAConsistentView)
{
    grid.OnComboBoxChange = [this](TObject*, TCell&, int, int) {
        Build(); // a node drawing its page again at once
        grid.SetActiveCell(1, rTyp);
    };
    Click(view->CellRect(1, rTyp).center());
    QPointer<QWidget> before = view->EditorWidget();
    Key(Qt::Key_Down);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old widget
    ASSERT_TRUE(EditorOpen());
    EXPECT_TRUE(before.isNull());
    EXPECT_EQ(static_cast<QComboBox*>(view->EditorWidget())->currentIndex(), 0);
}

TEST_F(DrawGridSEViewTest, HandlerExceptionsGoToTheErrorHandler)
{
    std::string seen;
    view->SetErrorHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            seen = x.what();
        }
    });
    grid.OnEllipseClick = [](TObject*, TCell&, int, int) { throw std::runtime_error("kaputt"); };
    Click(view->EllipsisButtonRect(rAdressen).center());
    EXPECT_EQ(seen, "kaputt");
}

TEST(WinColorTest, FixedAndSystemColours)
{
    const QPalette pal = QApplication::palette();
    struct TCase {
        uint32_t value;
        QColor expected;
    } const cases[] = {
        {0x000000FF, QColor(255, 0, 0)},
        {0x00FF8000, QColor(0, 128, 255)},
        {clSystemColor | COLOR_BTNFACE, pal.color(QPalette::Button)},
        {clSystemColor | COLOR_WINDOW, pal.color(QPalette::Base)},
        {clSystemColor | COLOR_INFOBK, pal.color(QPalette::ToolTipBase)},
        {clSystemColor | COLOR_BTNSHADOW, pal.color(QPalette::Dark)},
        {clSystemColor | COLOR_3DDKSHADOW, pal.color(QPalette::Shadow)},
        {clSystemColor | 99, pal.color(QPalette::Window)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ColorFromWin(c.value, pal), c.expected);
    }
    EXPECT_EQ(ColorToWin(QColor(0, 128, 255)), 0x00FF8000u);
}

TEST_F(DrawGridSEViewTest, CellsAndLinesArePaintedInTheSetColours)
{
    const uint32_t common = 0x00FF0000, cell = 0x000000FF, title = 0x0000FF00, readOnly = 0x00FFFFFF;
    view->SetColors(common, cell, title, readOnly);
    for (int line : {0, 3}) {
        SCOPED_TRACE(line);
        view->SetGridLineWidth(line);
        const QImage image = view->viewport()->grab().toImage();
        auto at = [&](const QRect& r) { return QColor(image.pixel(r.right() - 1, r.top() + 1)); };
        EXPECT_EQ(at(view->CellRect(1, rName)), ColorFromWin(cell, {}));
        EXPECT_EQ(at(view->CellRect(1, rNummer)), ColorFromWin(readOnly, {}));
        EXPECT_EQ(at(view->CellRect(0, rNummer)), ColorFromWin(title, {}));
        const QRect r = view->CellRect(1, rNummer);
        const QColor below(image.pixel(r.center().x(), r.bottom() + 1));
        EXPECT_EQ(below, ColorFromWin(line > 0 ? common : cell, {})); // the line, or the next cell
    }
}

TEST_F(DrawGridSEViewTest, ColumnsFitTheCaptionsOrTakeTheDefaultWidth)
{
    EXPECT_GE(view->ColumnWidth(0), view->fontMetrics().horizontalAdvance("Gruppenadressen"));
    EXPECT_EQ(view->ColumnWidth(0) + view->ColumnWidth(1), view->viewport()->width());
    view->SetAutoSize(false);
    view->SetDefaultColWidth(300);
    EXPECT_EQ(view->ColumnWidth(0), 300);
    EXPECT_EQ(view->ColumnWidth(1), 300);
    EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);
}

TEST_F(DrawGridSEViewTest, WheelScrollsOneRowPerNotch)
{
    view->resize(view->width(), view->RowHeight() * 3 + 2);
    for (int notch : {1, 1, -1}) {
        QWheelEvent wheel(QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)), {}, {0, -120 * notch},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
    }
    EXPECT_EQ(view->TopRow(), 1);
}

TEST_F(DrawGridSEViewTest, ScreenshotsShowReadableRowsAndEditors)
{
    const QString dir = QStringLiteral(MIRAVAL_ARTEFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));
    Click(view->CellRect(1, rTyp).center());
    ASSERT_TRUE(window->grab().save(dir + "/drawgridse-combo.png"));
    Click(view->CellRect(1, rName).center());
    ASSERT_TRUE(window->grab().save(dir + "/drawgridse-edit.png"));
    Click(view->CellRect(0, rTitle).center());
    ASSERT_TRUE(window->grab().save(dir + "/drawgridse-closed.png"));
}

} // namespace
