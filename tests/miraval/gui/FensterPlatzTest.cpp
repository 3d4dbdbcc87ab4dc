// A project window's place in the main window's area: kept inside when shown, filling the area
// while it fills it as the main window changes size.
#include "miraval/ui/FensterPlatz.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(FensterPlatz, AFrameOutsideTheAreaIsCutAtItsEdgesKeepingAnOffsetThatLeavesRoom)
{
    const QSize bereich(640, 400);
    struct Fall {
        const char* wie;
        QRect rahmen, erwartet;
    };
    const Fall faelle[] = {
        {"inside", {10, 10, 300, 200}, {10, 10, 300, 200}},
        {"next window over a filling one", {10, 10, 640, 400}, {10, 10, 630, 390}},
        {"far right", {500, 10, 300, 200}, {340, 10, 300, 200}},
        {"left and above", {-20, -5, 300, 200}, {0, 0, 300, 200}},
        {"larger than the area", {0, 0, 1200, 900}, {0, 0, 640, 400}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(TFensterPlatz::Innerhalb(f.rahmen, bereich), f.erwartet) << f.wie;
}

class FensterPlatzImBereich : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&haupt);
        layout->setContentsMargins(0, 0, 0, 0);
        area = new QMdiArea;
        layout->addWidget(area);
        haupt.resize(640, 480);
    }

    // A window of the area placed at rahmen, shown as the project window shows itself.
    std::pair<QMdiSubWindow*, TFensterPlatz*> Fenster(const QRect& rahmen, bool fuellen = false)
    {
        auto* fenster = new QMdiSubWindow;
        fenster->setWidget(new QWidget);
        area->addSubWindow(fenster);
        fenster->setGeometry(rahmen);
        auto* platz = new TFensterPlatz(*fenster);
        platz->SetFuellen(fuellen);
        fenster->show();
        platz->Gezeigt();
        QApplication::processEvents();
        return {fenster, platz};
    }

    QRect Flaeche() const { return QRect(QPoint(0, 0), area->viewport()->size()); }

    QWidget haupt;
    QMdiArea* area = nullptr;
};

TEST_F(FensterPlatzImBereich, TheFirstWindowFillsOnceTheMainWindowIsShownAndFollowsItsSize)
{
    // Shown while the main window is still hidden: the area has no size to go by yet.
    auto [erstes, platz] = Fenster({0, 0, 200, 100}, true);
    haupt.show();
    QApplication::processEvents();
    platz->Gezeigt();
    QApplication::processEvents();
    EXPECT_EQ(erstes->geometry(), Flaeche());
    for (const QSize groesse : {QSize(1280, 1000), QSize(500, 300), QSize(640, 480)}) {
        haupt.resize(groesse);
        QApplication::processEvents();
        EXPECT_EQ(erstes->geometry(), Flaeche()) << groesse.width();
    }
    // Moved by the person, it no longer fills and keeps its own place.
    erstes->setGeometry(20, 20, 300, 200);
    haupt.resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(erstes->geometry(), QRect(20, 20, 300, 200));
}

TEST_F(FensterPlatzImBereich, AWindowThatFillsTheAreaKeepsFillingItAndANewOneOpensInside)
{
    haupt.show();
    QApplication::processEvents();
    auto [gespeichert, p1] = Fenster(Flaeche());
    auto [neu, p2] = Fenster(Flaeche().translated(10, 10));
    EXPECT_TRUE(Flaeche().contains(neu->geometry())) << "the new window's buttons lie outside the area";
    haupt.resize(1000, 800);
    QApplication::processEvents();
    EXPECT_EQ(gespeichert->geometry(), Flaeche());
    EXPECT_NE(neu->geometry(), Flaeche());
}

} // namespace
