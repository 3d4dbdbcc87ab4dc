// Drag and drop in the project window driven through its handlers, without a mouse, and the
// tree scrolling near its edges.
#include "FormVerwUmgebung.h"

#include "miraval/ui/BaumAnsicht.h"
#include "miraval/ui/BaumScroll.h"
#include "miraval/ui/ZiehDaten.h"
#include "miraval/ui/ZiehLauf.h"
#include "pellam/Basis.h"
#include "quillon/UserMessages.h"
#include "support/ScriptedMessageBox.h"
#include "vcl/ListView.h"
#include "win32/Cursor.h"

#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// A node that answers as told and records what it was asked.
class TZiel : public TDataBasis {
public:
    enum class TFehler { Keiner, Basis, Std, Fremd };

    explicit TZiel(const char* name) : TDataBasis(nullptr, 1, 0, name, 0) {}
    int GetTyp() override { return 6000; }
    int ListStyle() override { return 0; }
    int GetIcon() override { return 0; }
    bool AllowChild(int) override { return false; }
    bool AllowDrop(TDataBasis* quelle) override
    {
        gefragt.push_back(quelle);
        Wirf();
        return nimmt;
    }
    void Drop(TDataBasis* quelle) override
    {
        cursor = GetScreenCursor();
        abgelegt.push_back(quelle);
        Wirf();
    }
    void Wirf() const
    {
        if (fehler == TFehler::Basis)
            throw E_Basis(3, "Objekt passt nicht", "AllowDrop", "Test", 0, "E_Test");
        if (fehler == TFehler::Std)
            throw std::runtime_error("kaputt");
        if (fehler == TFehler::Fremd)
            throw 42;
    }

    bool nimmt = true;
    TFehler fehler = TFehler::Keiner;
    std::vector<TDataBasis*> gefragt, abgelegt;
    int cursor = crDefault;
};

enum class TSteuer { Baum, AndererBaum, Liste, Grid };

// Two windows with "Wurzel" over A, B, C; the first one's list shows A, B, C.
class DragDrop : public TFormVerwUmgebung {
protected:
    void SetUp() override
    {
        TFormVerwUmgebung::SetUp();
        haupt = CreateWindowHandle([this](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
            gepostet.push_back(msg);
            return 0;
        });
        dm->MainHandle = haupt;
        for (int i = 0; i < 2; ++i) {
            fenster.push_back(std::make_unique<TFormVerw>(nullptr));
            TFormVerw& f = *fenster.back();
            f.resize(600, 400);
            f.show();
            QTreeWidgetItem* oben = f.GetCtrlTree().MakeNode(nullptr, &wurzel);
            for (TZiel* z : {&a, &b, &c})
                f.GetCtrlTree().MakeNode(oben, z);
            oben->setExpanded(true);
            f.GetTree()->setCurrentItem(oben);
        }
        QApplication::processEvents();
        PumpMessages();
        gepostet.clear();
    }
    void TearDown() override
    {
        TFormVerwUmgebung::TearDown();
        DestroyWindow(haupt);
    }

    TFormVerw& F() const { return *fenster.front(); }
    TScriptedMessageBox& Boxen() const { return az->boxen; } // the answerer installed last
    QObject* Steuer(TSteuer s) const
    {
        QObject* steuer[] = {F().GetTree(), fenster.back()->GetTree(), F().GetListViewView(), F().GetGridView()};
        return steuer[static_cast<int>(s)];
    }
    int Eintrag(TZiel* z) const
    {
        for (int i = 0; i < F().GetListView().ItemCount(); ++i)
            if (F().GetListView().Item(i)->Data == z)
                return i;
        return -1;
    }
    // The dragged object is the source's selected element (null: none selected).
    void Waehle(TSteuer s, TZiel* z)
    {
        F().GetListView().ItemIndex = s == TSteuer::Liste ? Eintrag(z) : -1;
        TFormVerw& f = s == TSteuer::AndererBaum ? *fenster.back() : F();
        const QSignalBlocker stumm(f.GetTree()); // the list keeps Wurzel's children
        f.GetTree()->setCurrentItem(f.GetNodeFromData(z));
    }
    // A drag test (or the drop) onto the target's node or item; null: beside all of them.
    bool Ziehe(TSteuer quelle, TSteuer ziel, TZiel* z, bool ablegen = false)
    {
        if (ziel == TSteuer::Liste) {
            if (ablegen)
                F().ListViewDragDrop(Steuer(ziel), Steuer(quelle), Eintrag(z));
            return !ablegen && F().ListViewDragOver(Steuer(ziel), Steuer(quelle), Eintrag(z));
        }
        if (ablegen)
            F().TreeDragDrop(Steuer(ziel), Steuer(quelle), Punkt(z));
        return !ablegen && F().TreeDragOver(Steuer(ziel), Steuer(quelle), Punkt(z));
    }
    QPoint Punkt(TZiel* z) const
    {
        if (z == nullptr)
            return QPoint(5, F().GetTree()->viewport()->height() - 2);
        return F().GetTree()->visualItemRect(F().GetNodeFromData(z)).center();
    }

    TZiel wurzel{"Wurzel"}, a{"A"}, b{"B"}, c{"C"};
    HWND haupt = nullptr;
    std::vector<UINT> gepostet;
};

TEST_F(DragDrop, OnlyThePermittedPairsAskTheTargetWhichDecides)
{
    const struct {
        const char* name;
        TSteuer quelle, ziel;
        bool auswahl;   // A is selected in the source
        bool aufKnoten; // onto B, else beside every node or item
        bool gilt;      // B is asked and decides
    } paare[] = {
        {"TreeOntoTree", TSteuer::Baum, TSteuer::Baum, true, true, true},
        {"OtherWindowsTreeOntoTree", TSteuer::AndererBaum, TSteuer::Baum, true, true, true},
        {"ListOntoTree", TSteuer::Liste, TSteuer::Baum, true, true, true},
        {"TreeOntoList", TSteuer::Baum, TSteuer::Liste, true, true, true},
        {"ListOntoList", TSteuer::Liste, TSteuer::Liste, true, true, false},
        {"GridOntoTree", TSteuer::Grid, TSteuer::Baum, true, true, false},
        {"TreeWithoutSelection", TSteuer::Baum, TSteuer::Baum, false, true, false},
        {"ListWithoutSelection", TSteuer::Liste, TSteuer::Baum, false, true, false},
        {"BesideEveryNode", TSteuer::Baum, TSteuer::Baum, true, false, false},
        {"BesideEveryItem", TSteuer::Baum, TSteuer::Liste, true, false, false},
    };
    for (const auto& p : paare) {
        for (bool nimmt : {true, false}) {
            SCOPED_TRACE(std::string(p.name) + (nimmt ? " taken" : " refused"));
            b.nimmt = nimmt;
            b.gefragt.clear();
            b.abgelegt.clear();
            b.cursor = crDefault;
            Waehle(p.quelle, p.auswahl ? &a : nullptr);
            const std::vector<TDataBasis*> erwartet = p.gilt ? std::vector<TDataBasis*>{&a} : std::vector<TDataBasis*>{};
            EXPECT_EQ(Ziehe(p.quelle, p.ziel, p.aufKnoten ? &b : nullptr), p.gilt && nimmt);
            EXPECT_EQ(b.gefragt, erwartet);
            Ziehe(p.quelle, p.ziel, p.aufKnoten ? &b : nullptr, true);
            EXPECT_EQ(b.abgelegt, erwartet) << "the drop itself leaves the meaning to the target";
            EXPECT_EQ(b.cursor, p.gilt ? crHourGlass : crDefault);
            EXPECT_EQ(GetScreenCursor(), crDefault);
        }
    }
    EXPECT_EQ(Boxen().Count(), 0u);
    PumpMessages();
    EXPECT_EQ(std::count(gepostet.begin(), gepostet.end(), UM_UpdateTreeNamesAndIcon), 6)
        << "each drop onto the list has every window refresh its tree";
}

TEST_F(DragDrop, OverTheTreeOnlyDragsOfThisProgramCount)
{
    Waehle(TSteuer::Baum, &a);
    QMimeData fremd;
    fremd.setText("B");
    TZiehDaten eigen(F().GetTree());
    for (const QMimeData* daten : {static_cast<const QMimeData*>(&fremd), static_cast<const QMimeData*>(&eigen)}) {
        QDragEnterEvent hinein(Punkt(&b), Qt::MoveAction, daten, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent zug(Punkt(&b), Qt::MoveAction, daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(F().GetTree()->viewport(), &hinein);
        QApplication::sendEvent(F().GetTree()->viewport(), &zug);
        EXPECT_EQ(zug.isAccepted(), daten == &eigen);
    }
    EXPECT_EQ(b.gefragt, std::vector<TDataBasis*>{&a}) << "a foreign drag reaches no object";
}

TEST_F(DragDrop, WhatTheTargetThrowsIsShownAndKeptIn)
{
    const struct {
        TSteuer ziel;
        bool ablegen;
        TZiel::TFehler fehler;
        const char* text;
        const char* caption;
    } faelle[] = {
        {TSteuer::Baum, false, TZiel::TFehler::Basis, "Objekt passt nicht", "TCtrlTree::DragOver"},
        {TSteuer::Baum, true, TZiel::TFehler::Std, "kaputt", "TCtrlTree::DragDrop"},
        {TSteuer::Liste, false, TZiel::TFehler::Fremd, "Unbekannter Fehler", "CtrlListView::DragOver"},
        {TSteuer::Liste, true, TZiel::TFehler::Basis, "Objekt passt nicht", "TCtrlListView::DragDrop"},
    };
    Waehle(TSteuer::Baum, &a);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.caption);
        b.fehler = f.fehler;
        const std::size_t vorher = Boxen().Count();
        EXPECT_FALSE(Ziehe(TSteuer::Baum, f.ziel, &b, f.ablegen));
        ASSERT_EQ(Boxen().Count(), vorher + 1);
        EXPECT_EQ(Boxen().Shown().back().text, f.text);
        EXPECT_EQ(Boxen().Shown().back().caption, f.caption);
        EXPECT_EQ(GetScreenCursor(), crDefault);
    }

    // Inside a running drag no box can be answered: they come after it, each once.
    const std::size_t vorher = Boxen().Count();
    {
        TZiehLauf lauf(nullptr);
        for (int zug = 0; zug < 3; ++zug)
            Ziehe(TSteuer::Baum, TSteuer::Baum, &b);
        Ziehe(TSteuer::Baum, TSteuer::Baum, &b, true);
        EXPECT_EQ(Boxen().Count(), vorher);
    }
    ASSERT_EQ(Boxen().Count(), vorher + 2);
    EXPECT_EQ(Boxen().Shown()[vorher].caption, "TCtrlTree::DragOver");
    EXPECT_EQ(Boxen().Shown()[vorher + 1].caption, "TCtrlTree::DragDrop");
}

// 200 rows "0" to "199" in a shown tree that has room for a few of them.
void ZweihundertZeilen(QTreeWidget& baum)
{
    for (int i = 0; i < 200; ++i)
        baum.addTopLevelItem(new QTreeWidgetItem(QStringList(QString::number(i))));
    baum.resize(200, 150);
    baum.show();
    QApplication::processEvents();
}

TEST(BaumScroll, ZonesAroundTheEdgesWithAnElevenPixelFont)
{
    // Band 16, half 5; the tree from 100 to 300 (exclusive). Up: 89 < y < 105, down:
    // 295 < y < 311.
    const std::pair<int, uint8_t> zonen[] = {{80, 0}, {89, 0}, {90, 2}, {104, 2}, {105, 0}, {200, 0},
                                             {295, 0}, {296, 1}, {310, 1}, {311, 0}};
    for (const auto& [y, richtung] : zonen)
        EXPECT_EQ(TBaumScroll::Richtung(y, 100, 300, -11), richtung) << "y " << y;
    EXPECT_EQ(TBaumScroll::Richtung(104, 100, 108, -11), 1) << "where both hold, down wins";
}

TEST(BaumScroll, TheFirstTickRestsThenEachTickScrollsOneLineWhileTheDragRuns)
{
    QTreeWidget baum;
    ZweihundertZeilen(baum);
    baum.verticalScrollBar()->setValue(50);
    TBaumScroll scroll(&baum);
    const int oben = baum.mapToGlobal(QPoint(0, 0)).y();
    int y = oben - 3;
    scroll.SetCursorQuelle([&] { return QPoint(10, y); });
    auto wert = [&] { return baum.verticalScrollBar()->value(); };

    {
        TZiehLauf lauf(nullptr);
        scroll.Start();
        scroll.Tick();
        EXPECT_EQ(wert(), 50) << "the first tick in the window's life does nothing";
        scroll.Tick();
        EXPECT_EQ(wert(), 49);
        y = oben + baum.height() + 2;
        scroll.Tick();
        EXPECT_EQ(wert(), 50);
        y = oben - 20;
        scroll.Tick();
        EXPECT_FALSE(scroll.IstAn()) << "outside both zones the timer switches itself off";
        scroll.DragOver();
        EXPECT_TRUE(scroll.IstAn()) << "the next move over the tree switches it on";
        scroll.Ende();
        EXPECT_FALSE(scroll.IstAn());
    }
    // A drag from the list ends without the tree's end of drag: the next tick finds no drag.
    y = oben - 3;
    scroll.DragOver();
    scroll.Tick();
    EXPECT_FALSE(scroll.IstAn());
    EXPECT_EQ(wert(), 50);
}

TEST(BaumAnsicht, TheCurrentNodeIsScrolledIntoViewUnlessTheMouseChoseIt)
{
    TBaumAnsicht baum;
    ZweihundertZeilen(baum);
    const auto sichtbar = [&](QTreeWidgetItem* item) {
        return baum.viewport()->rect().contains(baum.visualItemRect(item));
    };
    const auto taste = [&](Qt::Key key) {
        QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&baum, &druck);
    };
    struct TWeg {
        const char* wie;
        std::function<void()> waehle;
    };
    const TWeg wege[] = {
        {"End", [&] { taste(Qt::Key_End); }},
        {"Home", [&] { taste(Qt::Key_Home); }},
        {"30 x Down", [&] { for (int i = 0; i < 30; ++i) taste(Qt::Key_Down); }},
        {"from code", [&] { baum.setCurrentItem(baum.topLevelItem(150)); }},
    };
    for (const TWeg& weg : wege) {
        weg.waehle();
        ASSERT_NE(baum.currentItem(), nullptr) << weg.wie;
        EXPECT_TRUE(sichtbar(baum.currentItem())) << weg.wie << ": row " << baum.currentItem()->text(0).toStdString();
    }
    // A click on the half-shown last row selects it where it is.
    baum.scrollToTop();
    QTreeWidgetItem* halb = baum.itemAt(5, baum.viewport()->height() - 2);
    ASSERT_NE(halb, nullptr);
    ASSERT_FALSE(sichtbar(halb)) << "the last row is shown whole";
    QTest::mouseClick(baum.viewport(), Qt::LeftButton, {}, QPoint(5, baum.viewport()->height() - 2));
    EXPECT_EQ(baum.currentItem(), halb);
    EXPECT_EQ(baum.verticalScrollBar()->value(), 0) << "the tree jumped under the pointer";
}

} // namespace
