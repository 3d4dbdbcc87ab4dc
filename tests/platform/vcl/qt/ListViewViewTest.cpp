#include "vcl/qt/ListViewView.h"

#include "vcl/ListView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A coloured square with the index written in it, so an image is told apart in screenshots.
QIcon Image(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor::fromHsv((index * 67) % 360, 200, 220));
    QPainter painter(&pixmap);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(index % 10));
    return QIcon(pixmap);
}

struct TNode {
    std::string name;
};

class ListViewViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = std::make_unique<TListViewView>(list, [this](int index) {
            asked.push_back(index);
            return Image(index);
        });
        list.ViewStyle = vsList;
        list.AddColumn("", ColumnTextWidth);
        for (std::size_t i = 0; i < nodes.size(); ++i)
            list.AddItem(nodes[i].name, i == 1 ? -1 : static_cast<int>(i) + 3, &nodes[i]);
        view->resize(360, 200);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QApplication::processEvents(); // the model's notices are coalesced into one refresh
    }

    QPoint Centre(int item) const { return view->ItemRect(item).center(); }

    std::vector<TNode> nodes{{"Melder 1"}, {"Melder 12"}, {"Sicherungsbereich Einbruch 1"}};
    TListView list;
    std::vector<int> asked;
    std::unique_ptr<TListViewView> view;
};

TEST_F(ListViewViewTest, ItemsShowCaptionsAndImagesAndKeepTheirData)
{
    const QAbstractItemModel* model = view->ItemView()->model();
    ASSERT_EQ(model->rowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QModelIndex index = model->index(i, 0);
        EXPECT_EQ(model->data(index).toString().toStdString(), nodes[static_cast<std::size_t>(i)].name);
        EXPECT_EQ(view->ItemAt(Centre(i)), i);
        EXPECT_EQ(list.Item(i)->Data, &nodes[static_cast<std::size_t>(i)]);
    }
    // Images by index; item 1 has none (-1) and keeps a blank place.
    EXPECT_NE(std::find(asked.begin(), asked.end(), 5), asked.end());
    EXPECT_EQ(std::find(asked.begin(), asked.end(), -1), asked.end());
    const QModelIndex blank = model->index(1, 0);
    EXPECT_FALSE(model->data(blank, Qt::DecorationRole).value<QIcon>().isNull());
}

TEST_F(ListViewViewTest, StylesChooseTheQtViewAndColumnWidthsAreResolved)
{
    list.ViewStyle = vsReport;
    list.Column(0)->Caption = "Phys.Adr.";
    list.Column(0)->Width = 40;
    list.AddColumn("Ein sehr langer Spaltentitel", ColumnHeaderWidth);
    list.AddColumn("x", ColumnTextWidth);
    list.Item(0)->SubItems = {"kurz", "ein recht langer Text in der Spalte"};
    view->Refresh();
    auto* report = qobject_cast<QTreeView*>(view->ItemView());
    ASSERT_NE(report, nullptr);
    const QFontMetrics metrics = report->fontMetrics();
    EXPECT_EQ(view->ShownColumnWidth(0), 40);
    EXPECT_GE(view->ShownColumnWidth(1), metrics.horizontalAdvance("Ein sehr langer Spaltentitel"));
    EXPECT_GE(view->ShownColumnWidth(2),
              metrics.horizontalAdvance("ein recht langer Text in der Spalte"));
    EXPECT_EQ(report->model()->headerData(1, Qt::Horizontal).toString(),
              "Ein sehr langer Spaltentitel");

    list.ViewStyle = vsIcon;
    view->Refresh();
    auto* icons = qobject_cast<QListView*>(view->ItemView());
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->viewMode(), QListView::IconMode);
}

TEST_F(ListViewViewTest, ClicksSelectTheModelsItemAndDoubleClicksReportTheItemUnderTheCursor)
{
    std::vector<int> doubled;
    view->OnDblClick = [&](int item) { doubled.push_back(item); };
    QWidget* viewport = view->ItemView()->viewport();
    const QPoint third = viewport->mapFrom(view.get(), Centre(2));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, third);
    EXPECT_EQ(list.ItemIndex, 2);
    EXPECT_EQ(list.Selected()->Data, &nodes[2]);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, third);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 2, viewport->height() - 2));
    EXPECT_EQ(doubled, (std::vector<int>{2, -1}));

    list.ItemIndex = 0; // a caller selecting
    view->Refresh();
    EXPECT_EQ(view->ItemView()->currentIndex().row(), 0);
}

TEST_F(ListViewViewTest, DraggingAnItemIsReportedOnlyWhenDragIsOn)
{
    std::vector<int> started;
    view->OnStartDrag = [&](int item) { started.push_back(item); };
    QWidget* viewport = view->ItemView()->viewport();
    const QPoint from = viewport->mapFrom(view.get(), Centre(1));
    auto drag = [&] {
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(0, 30), viewport->mapToGlobal(from + QPoint(0, 30)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, from + QPoint(0, 30));
    };
    drag();
    EXPECT_TRUE(started.empty());
    view->SetDragEnabled(true);
    drag();
    EXPECT_EQ(started, (std::vector<int>{1}));
    EXPECT_EQ(list.ItemIndex, 1);
}

TEST_F(ListViewViewTest, NoticesRefreshOnceTheCallerIsDone)
{
    TListItem& added = list.AddItem();
    added.Caption = "Anzeige"; // filled after the add, as nodes do
    EXPECT_EQ(view->ItemView()->model()->rowCount(), 3);
    QApplication::processEvents();
    ASSERT_EQ(view->ItemView()->model()->rowCount(), 4);
    EXPECT_EQ(view->ItemView()->model()->index(3, 0).data().toString(), "Anzeige");

    list.ViewStyle = vsReport; // a field write is seen after Changed()
    list.Changed();
    QApplication::processEvents();
    EXPECT_NE(qobject_cast<QTreeView*>(view->ItemView()), nullptr);
}

TEST_F(ListViewViewTest, ScreenshotsOfListAndReport)
{
    const QString dir = QStringLiteral(MIRAVAL_ARTEFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));
    list.Column(0)->Width = view->TextWidth(nodes[2].name) + 50; // the folder page's width
    view->Refresh();
    ASSERT_TRUE(view->grab().save(dir + "/listview-list.png"));

    list.ViewStyle = vsReport;
    list.ClearColumns();
    for (const char* title : {"Phys.Adr.", "Produkt", "Nummer", "Funktion"})
        list.AddColumn(title, ColumnHeaderWidth);
    for (int i = 0; i < list.ItemCount(); ++i)
        list.Item(i)->SubItems = {"Binäreingang 4fach", std::to_string(i), "Schalten"};
    view->Refresh();
    ASSERT_TRUE(view->grab().save(dir + "/listview-report.png"));
}

} // namespace
