// The project window over an alarm-centre configuration made by CreateNewDevice: the tree,
// the pages a selection brings up, the actions, the keys, the placement in the INI file and
// screenshots of the main views (build/test-artefacts/).
#include "FormVerwUmgebung.h"

#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "quillon/UserMessages.h"
#include "rastow/DrawGridSE.h"
#include "tessarin/AzMelder.h"
#include "vcl/ListView.h"

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QSplitter>
#include <QTreeWidgetItemIterator>

#include <set>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FormVerw : public TFormVerwUmgebung {
protected:
    void SetUp() override
    {
        TFormVerwUmgebung::SetUp();
        haupt = CreateWindowHandle([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> LRESULT {
            post.emplace_back(msg, lParam);
            return 0;
        });
        dm->MainHandle = haupt;
    }
    void TearDown() override
    {
        TFormVerwUmgebung::TearDown();
        DestroyWindow(haupt);
    }

    // Messages that reached the main window since the last call, in order.
    std::vector<std::pair<UINT, LPARAM>> Nachrichten()
    {
        PumpMessages();
        return std::exchange(post, {});
    }

    TAzMelder* Melder(bool verdrahtet) const
    {
        for (const auto& [handle, node] : az->inst.GetKnoten())
            if (auto* m = dynamic_cast<TAzMelder*>(node.get());
                m != nullptr && (static_cast<int>(m->GetMelderBereich()) == 2) == verdrahtet)
                return m;
        return nullptr;
    }

    static void Speichere(QWidget& widget, const std::string& name)
    {
#ifdef MIRAVAL_ARTEFACT_DIR
        const fs::path ziel(MIRAVAL_ARTEFACT_DIR);
#else
        const fs::path ziel = fs::path(MIRAVAL_SOURCE_DIR) / "build/test-artefacts";
#endif
        fs::create_directories(ziel);
        EXPECT_TRUE(widget.grab().save(QString::fromStdString((ziel / name).string())));
    }

    HWND haupt = nullptr;
    std::vector<std::pair<UINT, LPARAM>> post;
};

TEST_F(FormVerw, TreeShowsTheConfigurationSortedWithNamesAndIcons)
{
    TFormVerw& f = NeuesFenster();
    QTreeWidget& tree = *f.GetTree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(TCtrlTree::Data(root)->GetTyp(), 105);
    EXPECT_EQ(tree.currentItem(), root);
    EXPECT_TRUE(root->isExpanded());

    std::set<TDataBasis*> gesehen;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        TDataBasis* data = TCtrlTree::Data(*it);
        ASSERT_NE(data, nullptr);
        SCOPED_TRACE(data->GetName(true));
        EXPECT_TRUE(gesehen.insert(data).second) << "one node per object";
        EXPECT_EQ((*it)->text(0).toStdString(), data->GetName(true));
        EXPECT_EQ(TCtrlTree::ImageIndex(*it), data->GetIcon());
        EXPECT_FALSE((*it)->icon(0).isNull());
        if (QTreeWidgetItem* parent = (*it)->parent()) {
            EXPECT_EQ(TCtrlTree::Data(parent)->GetHandle(), data->GetParentHandle());
            const int index = parent->indexOfChild(*it);
            if (index > 0) {
                EXPECT_LE(TCtrlTree::Compare(parent->child(index - 1), *it), 0) << "siblings in order";
            }
        }
    }
    for (const auto& [handle, node] : az->inst.GetKnoten()) {
        if (node->GetTyp() >= 6123 && node->GetTyp() <= 6130) {
            EXPECT_EQ(gesehen.count(node.get()), 1u) << node->GetName(false);
        }
    }
}

TEST_F(FormVerw, SelectingAFolderListsItsChildren)
{
    TFormVerw& f = NeuesFenster();
    Nachrichten();
    QTreeWidgetItem* ordner = f.GetNodeFromData(Knoten(6123)); // fire area: a folder page
    ASSERT_NE(ordner, nullptr);
    ASSERT_GT(ordner->childCount(), 0);
    f.GetTree()->setCurrentItem(ordner);

    EXPECT_FALSE(f.IsGridPage());
    const TListView& liste = f.GetListView();
    ASSERT_EQ(liste.ItemCount(), ordner->childCount());
    EXPECT_EQ(liste.ViewStyle, vsList);
    int breitest = 0;
    for (int i = 0; i < liste.ItemCount(); ++i) {
        EXPECT_EQ(liste.Item(i)->Caption, ordner->child(i)->text(0).toStdString());
        EXPECT_EQ(liste.Item(i)->Data, TCtrlTree::Data(ordner->child(i)));
        EXPECT_EQ(liste.Item(i)->ImageIndex, TCtrlTree::ImageIndex(ordner->child(i)));
        breitest = std::max(breitest, f.GetListViewView()->fontMetrics().horizontalAdvance(ordner->child(i)->text(0)));
    }
    ASSERT_EQ(liste.ColumnCount(), 1);
    EXPECT_EQ(liste.Column(0)->Width, breitest + 50);
    EXPECT_EQ(Nachrichten().back(), std::make_pair(UM_AnsichtAktualisiert, reinterpret_cast<LPARAM>(Knoten(6123))));
}

TEST_F(FormVerw, SelectingANodeWithAGridPageLetsItDrawItsRows)
{
    TFormVerw& f = NeuesFenster();
    TAzMelder* melder = Melder(false);
    ASSERT_NE(melder, nullptr);
    f.SelectNode(melder);
    EXPECT_TRUE(f.IsGridPage());
    const TDrawGridSE& grid = f.GetGrid();
    ASSERT_GT(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(1, 0)->Data, melder);
    EXPECT_EQ(dm->GridFuellen, 1);

    // Back to a folder: the grid is emptied, so it calls no node it no longer shows.
    f.SelectNode(Knoten(6123));
    EXPECT_FALSE(f.IsGridPage());
    EXPECT_FALSE(grid.OnComboBoxChange);
    EXPECT_TRUE(grid.OnEnterCell) << "the window's own cell-entry handler stays";
}

TEST_F(FormVerw, ActionsFollowTheSelectedNode)
{
    TFormVerw& f = NeuesFenster();
    struct TZeile {
        const char* name;
        TDataBasis* node;
        bool hinzufuegen, loeschen, link, kopieren, einfuegen;
    };
    const TZeile tabelle[] = {
        {"fire area", Knoten(6123), true, false, false, false, true},
        {"security area 1", Knoten(6127), true, false, false, false, true},
        {"detector", Melder(false), false, true, false, true, true},
        {"wired input", Melder(true), false, false, false, false, false},
        {"alarm centre", Knoten(105), false, false, false, false, false},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.name);
        ASSERT_NE(z.node, nullptr);
        f.CheckActionList(f.GetNodeFromData(z.node));
        EXPECT_EQ(dm->AMelderHinzufuegen->isEnabled(), z.hinzufuegen);
        EXPECT_EQ(dm->AMelderLoeschen->isEnabled(), z.loeschen);
        EXPECT_EQ(dm->ALinkToGrpAdr->isEnabled(), z.link);
        EXPECT_EQ(dm->AMelderKopieren->isEnabled(), z.kopieren);
        EXPECT_EQ(dm->AMelderEinfuegen->isEnabled(), z.einfuegen);
    }
}

TEST_F(FormVerw, RegistersAndDeregistersWithTheMainWindow)
{
    TFormVerw& f = NeuesFenster();
    const LPARAM ich = reinterpret_cast<LPARAM>(&f);
    const auto nachrichten = Nachrichten();
    ASSERT_FALSE(nachrichten.empty());
    EXPECT_EQ(nachrichten.front(), std::make_pair(UM_AddFormVerw, ich));
    fenster.clear();
    EXPECT_EQ(post.back(), std::make_pair(UM_RemoveFormVerw, ich)) << "sent, not posted";
}

TEST_F(FormVerw, WindowsOpenTenPixelsFurtherPerNumberNeverReused)
{
    const TIniRegistry ini;
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwTop, 30));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwLeft, 40));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwWidth, 500));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwHeight, 350));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::TreeWidth, 180));
    const int erste = TFormVerw::NaechsteFensterNr();
    NeuesFenster();
    NeuesFenster();
    fenster.clear(); // closing earlier windows frees no number
    TFormVerw& dritte = NeuesFenster();
    EXPECT_EQ(dritte.GetFensterNr(), erste + 2);
    EXPECT_EQ(dritte.geometry(), QRect(40 + 10 * (erste + 2), 30 + 10 * (erste + 2), 500, 350));
    EXPECT_EQ(dritte.windowTitle().toStdString(), "Projektierung:" + std::to_string(erste + 2));
    ASSERT_FALSE(dritte.findChild<QSplitter*>()->sizes().isEmpty());
    EXPECT_EQ(dritte.findChild<QSplitter*>()->sizes().front(), 180);
}

TEST_F(FormVerw, OnlyAWindowThatWasShownStoresItsPlacement)
{
    const TIniRegistry ini;
    for (const bool gezeigt : {false, true}) {
        SCOPED_TRACE(gezeigt);
        TFormVerw& f = NeuesFenster();
        if (gezeigt)
            f.show();
        fenster.clear();
        EXPECT_EQ(ini.ValueExists(Ini(), IniSection::Window, "VerwWidth"), gezeigt);
        EXPECT_TRUE(ini.ValueExists(Ini(), IniSection::Window, "VerwState"));
    }
}

TEST_F(FormVerw, MaximisedWindowWritesOnlyStateTreeWidthAndQuickHelp)
{
    const TIniRegistry ini;
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwTop, 11));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwLeft, 12));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwHeight, 313));
    ASSERT_TRUE(ini.Write(Ini(), IniKey::VerwWidth, 614));
    TFormVerw& f = NeuesFenster();
    f.CreateMeldeFenster();
    f.showMaximized();
    ASSERT_TRUE(f.windowState() & Qt::WindowMaximized);
    fenster.clear();
    EXPECT_EQ(ini.Read(Ini(), IniKey::VerwTop), 11);
    EXPECT_EQ(ini.Read(Ini(), IniKey::VerwLeft), 12);
    EXPECT_EQ(ini.Read(Ini(), IniKey::VerwHeight), 313);
    EXPECT_EQ(ini.Read(Ini(), IniKey::VerwWidth), 614);
    EXPECT_EQ(ini.Read(Ini(), IniKey::VerwState), 2);
    EXPECT_TRUE(ini.Read(Ini(), IniKey::ShowQuickHelp));
    EXPECT_TRUE(ini.ValueExists(Ini(), IniSection::Window, "TreeWidth"));
}

TEST_F(FormVerw, ClosingAWindowAfterTheFirstDeletesIt)
{
    if (TFormVerw::NaechsteFensterNr() == 0)
        NeuesFenster(); // this test wants a window with a number above 0
    QPointer<TFormVerw> f = new TFormVerw(nullptr);
    ASSERT_GT(f->GetFensterNr(), 0);
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormVerw, ClosingWindowZeroMinimisesIt)
{
    if (TFormVerw::NaechsteFensterNr() != 0)
        GTEST_SKIP() << "window 0 was made by an earlier test of this process; run the test alone";
    TFormVerw& f = NeuesFenster();
    ASSERT_EQ(f.GetFensterNr(), 0);
    QPointer<TFormVerw> zeiger(&f);
    f.show();
    f.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(zeiger.isNull());
    EXPECT_TRUE(f.windowState() & Qt::WindowMinimized);
}

class FormVerwTasten : public FormVerw {
protected:
    // Shows the window and gives it the input focus; false where the platform has none.
    bool Aktiv(TFormVerw& f)
    {
        f.show();
        f.activateWindow();
        QApplication::processEvents();
        f.GetTree()->setFocus();
        QApplication::processEvents();
        return f.GetTree()->hasFocus();
    }
    static void Taste(QWidget* ziel, int taste, Qt::KeyboardModifiers mod = Qt::NoModifier,
                      const QString& text = QString())
    {
        QKeyEvent druck(QEvent::KeyPress, taste, mod, text);
        QApplication::sendEvent(ziel, &druck);
        QKeyEvent los(QEvent::KeyRelease, taste, mod, text);
        QApplication::sendEvent(ziel, &los);
    }
    // Selects a security area and opens the editor of its name (an edit row); null if none.
    QLineEdit* NamenEditor(TFormVerw& f)
    {
        f.SelectNode(Knoten(6127));
        TDrawGridSE& grid = f.GetGrid();
        int zeile = -1;
        for (int r = 0; r < grid.RowCount() && zeile < 0; ++r)
            if (grid.Cell(1, r) != nullptr && grid.Cell(1, r)->Kind == TCell::ckEdit)
                zeile = r;
        f.GetGridView()->setFocus();
        if (zeile < 0 || !grid.SetActiveCell(1, zeile))
            return nullptr;
        QApplication::processEvents();
        return f.GetGridView()->findChild<QLineEdit*>();
    }
};

TEST_F(FormVerwTasten, F6WithAnOpenCellEditorClosesItThenFocusesTheTree)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    f.SelectNode(Melder(false));
    TDrawGridSE& grid = f.GetGrid();
    int zeile = -1;
    for (int r = 0; r < grid.RowCount() && zeile < 0; ++r)
        if (grid.Cell(1, r) != nullptr && grid.Cell(1, r)->IsEditable())
            zeile = r;
    ASSERT_GE(zeile, 0);
    f.GetGridView()->setFocus();
    ASSERT_TRUE(grid.SetActiveCell(1, zeile));
    ASSERT_NE(grid.Editor(), nullptr);
    QApplication::processEvents();

    Taste(QApplication::focusWidget(), Qt::Key_F6);
    PumpMessages();
    QApplication::processEvents();
    EXPECT_EQ(grid.Editor(), nullptr);
    EXPECT_TRUE(f.GetTree()->hasFocus());
    PumpMessages();
    EXPECT_EQ(PendingMessageCount(), 0) << "F6 does not post itself again";
}

TEST_F(FormVerwTasten, SelectingANodeWhileTheWindowIsNotActiveKeepsTheTreesFocus)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    // As between a dialog's end and the window manager's activation of the editor: no window
    // is active, the tree is the window's focus widget.
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    f.SelectNode(Melder(false));
    EXPECT_TRUE(f.IsGridPage());
    EXPECT_EQ(f.GetTree()->window()->focusWidget(), f.GetTree()) << "the grid took the keys meant for the tree";
}

TEST_F(FormVerwTasten, TextTypedButNotCommittedReachesTheNodeWhenTheEditorIsRemoved)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    TDataBasis* bereich = Knoten(6127);
    QLineEdit* editor = NamenEditor(f);
    ASSERT_NE(editor, nullptr);
    editor->setText("Lager");

    // The close path removes the editor by message before the data are written.
    SendMessage(f.Handle(), UM_DeleteZellenKomponente, 0, 0);
    PumpMessages();
    EXPECT_EQ(bereich->GetName(false), "Lager (SB 1)");
}

// Every page change takes the open cell's text first: a rebuild that a grid handler posted
// before keys already waiting (a type chosen, then a name typed) comes while the name's editor
// is open, and so may another node's selection.
TEST_F(FormVerwTasten, EveryPageChangeTakesTheTypedTextFirst)
{
    const struct {
        const char* name;
        void (*wechsel)(TFormVerw&);
    } faelle[] = {
        {"the page rebuilt", [](TFormVerw& f) { f.AktualisiereAnsicht(nullptr, 1, 0); }},
        {"another node selected in the tree", [](TFormVerw& f) {
             f.GetTree()->setCurrentItem(f.GetTree()->topLevelItem(0));
         }},
    };
    TDataBasis* bereich = Knoten(6127);
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        TFormVerw& f = NeuesFenster();
        if (!Aktiv(f))
            GTEST_SKIP() << "no input focus on this platform";
        const std::string name = std::string("Lager ") + std::to_string(&fall - faelle);
        QLineEdit* editor = NamenEditor(f);
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromStdString(name));
        fall.wechsel(f);
        PumpMessages();
        EXPECT_EQ(f.GetGrid().Editor(), nullptr);
        EXPECT_EQ(bereich->GetName(false), name + " (SB 1)");
    }
}

// A rebuild that a change of another row asked for waits while the person types in a cell
// (keys typed ahead took the person there), then comes with the typed text taken.
TEST_F(FormVerwTasten, ARebuildForAnotherRowWaitsWhileTheCellIsTypedIn)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    TDataBasis* bereich = Knoten(6127);
    QLineEdit* editor = NamenEditor(f);
    ASSERT_NE(editor, nullptr);
    int spalte = -1;
    int zeile = -1;
    ASSERT_TRUE(f.GetGrid().GetActiveCell(spalte, zeile));
    f.AktualisiereAnsicht(nullptr, 1, zeile == 0 ? 1 : 0);
    ASSERT_NE(f.GetGrid().Editor(), nullptr) << "the rebuild did not wait";
    editor->setText("Lager 9");
    SendMessage(f.Handle(), UM_DeleteZellenKomponente, 0, 0);
    EXPECT_EQ(bereich->GetName(false), "Lager 9 (SB 1)");
    QElapsedTimer uhr;
    uhr.start();
    const int vorher = f.GetGrid().RowCount();
    f.GetGrid().Clear();
    while (f.GetGrid().RowCount() == 0 && uhr.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(f.GetGrid().RowCount(), vorher) << "the page was not rebuilt once the cell was left";
}

TEST_F(FormVerwTasten, CtrlCCopiesOncePerKeyPress)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    int kopiert = 0;
    QObject::connect(dm->ACopy, &QAction::triggered, [&] { ++kopiert; });
    Taste(f.GetTree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(kopiert, 1);
    Taste(f.GetTree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(kopiert, 2);
}

// Keys built as X11 delivers them (Ctrl+A carries character 1, Ctrl+C character 3): an
// action's key runs the action and goes no further; a text field keeps its editing keys.
TEST_F(FormVerwTasten, AKeyGoesEitherToTheActionOrToTheFocusedTextField)
{
    TFormVerw& f = NeuesFenster();
    if (!Aktiv(f))
        GTEST_SKIP() << "no input focus on this platform";
    struct TZeile {
        const char* name;
        bool imEditor;
        Qt::Key taste;
        const char* text;
        QAction* TDM::*aktion;
        int laeufe;
        const char* ablage;  // the clipboard afterwards
        const char* auswahl; // the editor's selection afterwards
    } const zeilen[] = {
        {"CtrlAInTheTreeExpandsAll", false, Qt::Key_A, "\x01", &TDM::AExpandAll, 1, "vorher", ""},
        {"CtrlCInTheTreeCopiesTheDetectorOnly", false, Qt::Key_C, "\x03", &TDM::ACopy, 1, "vorher", ""},
        {"CtrlAInACellEditorSelectsItsText", true, Qt::Key_A, "\x01", &TDM::AExpandAll, 0, "vorher", "Lager"},
        {"CtrlCInACellEditorCopiesItsText", true, Qt::Key_C, "\x03", &TDM::ACopy, 0, "La", "La"},
    };
    for (const TZeile& z : zeilen) {
        SCOPED_TRACE(z.name);
        QLineEdit* editor = NamenEditor(f);
        ASSERT_NE(editor, nullptr);
        editor->setText("Lager");
        editor->setSelection(0, 2);
        (z.imEditor ? static_cast<QWidget*>(editor) : f.GetTree())->setFocus();
        QApplication::clipboard()->setText("vorher");
        int laeufe = 0;
        const auto verbindung = QObject::connect(dm.get()->*z.aktion, &QAction::triggered, [&] { ++laeufe; });
        Taste(QApplication::focusWidget(), z.taste, Qt::ControlModifier, QString::fromLatin1(z.text));
        QObject::disconnect(verbindung);

        EXPECT_EQ(laeufe, z.laeufe);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), z.ablage);
        if (z.imEditor) {
            EXPECT_EQ(editor->selectedText().toStdString(), z.auswahl);
        }
        SendMessage(f.Handle(), UM_DeleteZellenKomponente, 0, 0);
        PumpMessages();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(FormVerw, ScreenshotsOfTheMainViews)
{
    TFormVerw& f = NeuesFenster();
    f.resize(760, 480);
    f.CreateMeldeFenster();
    f.show();
    f.TreeExpandAll();
    f.SelectNode(Knoten(6122)); // "Melder / Sabotage": a folder of folders and inputs
    QApplication::processEvents();
    Speichere(f, "formverw-ordner.png");

    f.SelectNode(Melder(false));
    TCell zelle;
    zelle.Help = 105;
    f.GridEnterCell(nullptr, zelle, 1, 0);
    QApplication::processEvents();
    EXPECT_FALSE(f.GetQuickHelpText().empty());
    Speichere(f, "formverw-grid.png");

    f.SelectNode(Knoten(105));
    QApplication::processEvents();
    Speichere(f, "formverw-zentrale.png");
}

TEST_F(FormVerw, NodesMadeVisibleKeepTheCurrentNodeInView)
{
    // As a variant change adds areas, objects and links below the whole expanded tree while
    // the device node stays selected.
    class TNeu : public TDataBasis {
    public:
        explicit TNeu(int nr) : TDataBasis(nullptr, 1, 0, "Neu " + std::to_string(nr), 0) {}
        int GetTyp() override { return 6000; }
        int ListStyle() override { return 1; }
        int GetIcon() override { return 0; }
        bool AllowChild(int) override { return false; }
    };
    TFormVerw& f = NeuesFenster();
    f.resize(400, 200);
    f.show();
    f.TreeExpandAll();
    QTreeWidget& tree = *f.GetTree();
    QTreeWidgetItem* root = tree.topLevelItem(0);
    tree.setCurrentItem(root);
    TDataBasis* ziel = Knoten(6122);
    std::vector<std::unique_ptr<TNeu>> neue;
    for (int i = 0; i < 40; ++i) {
        neue.push_back(std::make_unique<TNeu>(i));
        ASSERT_NE(f.AddChildNode2Data(ziel, neue.back().get(), true), nullptr);
    }
    EXPECT_EQ(tree.currentItem(), root);
    const QRect zeile = tree.visualItemRect(root);
    EXPECT_TRUE(zeile.top() >= 0 && zeile.bottom() < tree.viewport()->height()) << "the selected device node left the view";
    f.DeleteTreeViewNodes();
}

} // namespace
