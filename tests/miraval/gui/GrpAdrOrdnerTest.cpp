// The group-address folder over the ETS test project: main groups at once, the levels below
// filled one level ahead in both styles, the folder the main window may keep closed, new group
// addresses in every window.
#include "FormVerwUmgebung.h"

#include "platform/kestrin/EtsTestProject.h"
#include "morrow/EtsMiddleGroup.h"
#include "quillon/OrdnerGrpAdr.h"
#include "quillon/UserMessages.h"
#include "quillon/VireoGrpAdrMain.h"
#include "quillon/VireoGrpAdrMiddle.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"
#include "vcl/ListView.h"
#include "vcl/qt/ListViewView.h"
#include "win32/Cursor.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTreeWidgetItemIterator>

#include <vector>

namespace {

// 1 "Licht": 1/2 with subs 1, 2 and 1/5 with sub 4; 0: 0/0 with sub 3. Middle and sub ids
// coincide.
const char* Gruppen = R"sql(
DELETE FROM sub_to_object; DELETE FROM sub_group; DELETE FROM middle_group; DELETE FROM main_group;
INSERT INTO main_group (id, project_id, number, name) VALUES (1, 1, 1, 'Licht'), (2, 1, 0, '');
INSERT INTO middle_group (id, main_group_id, number, name) VALUES (1, 1, 2, 'EG'), (2, 2, 0, ''), (5, 1, 5, 'OG');
INSERT INTO sub_group (id, middle_group_id, address, name, object_type)
    VALUES (1, 1, 2565, 'Flur', 0), (2, 1, 2566, 'Bad', -1), (3, 2, 1, '', -1), (4, 5, 3528, 'Dach', -1);
)sql";

using TObjekte = std::vector<TDataBasis*>;

class GrpAdrOrdner : public TFormVerwUmgebung, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        TFormVerwUmgebung::SetUp();
        project.Sql(Gruppen);
        az = std::make_unique<TAzUmgebung>(&project.ets);
        az->host.grpAdrLevel = dm->GrpAdrLevel = GetParam();
        ASSERT_TRUE(az->inst.CreateNewDevice(az->host.GetHandle(), 0x113344CCu));
        az->inst.GetGrpAdrFromServer();
        dm->MainHandle = haupt = CreateWindowHandle([this](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
            gefragt += msg == UM_IsGrpAdrAvailable ? 1 : 0;
            return msg == UM_IsGrpAdrAvailable ? verfuegbar : 0;
        });
        boxen = std::make_unique<TScriptedMessageBox>(); // installed last: the boxes come here
    }
    void TearDown() override
    {
        boxen.reset();
        TFormVerwUmgebung::TearDown();
        DestroyWindow(haupt);
    }

    // A window as the device instance rebuilds every window.
    TFormVerw& Fenster()
    {
        fenster.push_back(std::make_unique<TFormVerw>(nullptr));
        fenster.back()->NeuAufbauen(az->inst);
        return *fenster.back();
    }
    TDataBasis* Ordner() const { return az->inst.GetGrpAdrOrdner(); }
    TDataBasis* Main(int32_t id) const { return az->inst.GetMainGroupMap().at(id).get(); }
    TDataBasis* Middle(int32_t id) const { return az->inst.GetMiddleGroupMap().at(id).get(); }
    TDataBasis* Sub(int32_t id) const { return az->inst.GetSubGroupMap().at(id).get(); }
    static TObjekte Kinder(TFormVerw& f, TDataBasis* data)
    {
        TObjekte kinder;
        if (QTreeWidgetItem* node = f.GetNodeFromData(data))
            for (int i = 0; i < node->childCount(); ++i)
                kinder.push_back(TCtrlTree::Data(node->child(i)));
        return kinder;
    }
    // Nodes of the object (all nodes for null).
    static int Anzahl(TFormVerw& f, const TDataBasis* data = nullptr)
    {
        int n = 0;
        for (QTreeWidgetItemIterator it(f.GetTree()); *it != nullptr; ++it)
            n += data == nullptr || TCtrlTree::Data(*it) == data ? 1 : 0;
        return n;
    }
    static QTreeWidgetItem& Knoten(TFormVerw& f, TDataBasis* data) { return *f.GetNodeFromData(data); }

    TEtsTestProject project;
    std::unique_ptr<TScriptedMessageBox> boxen;
    HWND haupt = nullptr;
    LRESULT verfuegbar = 1;
    int gefragt = 0;
};

TEST_P(GrpAdrOrdner, OpeningFillsOneLevelAheadAndNeverTwice)
{
    TFormVerw& f = Fenster();
    ASSERT_EQ(TCtrlTree::Data(f.GetTree()->topLevelItem(1)), Ordner());
    EXPECT_EQ(Kinder(f, Ordner()), (TObjekte{Main(2), Main(1)})) << "by group number";
    EXPECT_TRUE(Kinder(f, Main(1)).empty());
    EXPECT_EQ(Knoten(f, Main(1)).childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    Knoten(f, Ordner()).setExpanded(true);
    EXPECT_EQ(gefragt, 1);
    EXPECT_NE(Knoten(f, Main(1)).childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator) << "filled";
    if (GetParam() == 3) {
        EXPECT_EQ(Kinder(f, Main(1)), (TObjekte{Middle(1), Middle(5)}));
        EXPECT_TRUE(Kinder(f, Middle(1)).empty());
        Knoten(f, Main(1)).setExpanded(true);
        EXPECT_EQ(Kinder(f, Middle(1)), (TObjekte{Sub(1), Sub(2)}));
        EXPECT_EQ(Kinder(f, Middle(5)), (TObjekte{Sub(4)}));
        EXPECT_TRUE(Kinder(f, Middle(2)).empty()) << "only below what was opened";
    } else {
        EXPECT_EQ(Kinder(f, Main(1)), (TObjekte{Sub(1), Sub(2), Sub(4)}))
            << "the addresses of every middle group straight below the main group";
    }
    EXPECT_TRUE(f.GetCtrlTree().IsSorting());
    EXPECT_EQ(f.GetCtrlTree().UpdateDepth(), 0);
    EXPECT_EQ(GetScreenCursor(), crDefault);

    const int vorher = Anzahl(f);
    for (TDataBasis* data : {Ordner(), Main(1)}) {
        Knoten(f, data).setExpanded(false);
        Knoten(f, data).setExpanded(true);
    }
    EXPECT_EQ(Anzahl(f), vorher);
    EXPECT_EQ(boxen->Count(), 0u);
}

TEST_P(GrpAdrOrdner, ANewGroupAddressAppearsOnceInEveryWindow)
{
    TFormVerw& aktuell = Fenster();
    TFormVerw& andere = Fenster();
    az->inst.GetEtsGruppenAdressen();
    TVireoGrpAdrSub* kueche = az->inst.CreateGrpAddr(1, 2, 7, "Küche");
    ASSERT_NE(kueche, nullptr);
    TDataBasis* middle = GetParam() == 3 ? Middle(1) : nullptr;
    for (TFormVerw* f : {&aktuell, &andere}) // as the main window hands it on
        f->CreateGroupAddressNodes(Main(1), middle, kueche, f == &aktuell);

    for (TFormVerw* f : {&aktuell, &andere})
        EXPECT_EQ(TCtrlTree::Data(Knoten(*f, kueche).parent()), middle != nullptr ? middle : Main(1));
    EXPECT_TRUE(Knoten(aktuell, Main(1)).isExpanded());
    EXPECT_FALSE(Knoten(andere, Ordner()).isExpanded());
    andere.TreeExpandAll(); // fills the rest in around it
    EXPECT_EQ(Anzahl(andere, kueche), 1);
    EXPECT_EQ(Anzahl(andere, Sub(1)), 1);
    EXPECT_EQ(boxen->Count(), 0u);
}

TEST_P(GrpAdrOrdner, AnAddressLinkedInANewMiddleGroupAppearsOnce)
{
    TFormVerw& f = Fenster();
    az->inst.GetEtsGruppenAdressen();
    TVireoGrpAdrSub* kueche = az->inst.CreateGrpAddr(1, 3, 7, "Küche");
    ASSERT_NE(kueche, nullptr);
    // As the main window adds what linking made, each node below its parent and shown: showing
    // the parent opens it and fills its level in.
    TDataBasis* oben = Main(1);
    if (GetParam() == 3) {
        for (const auto& [id, m] : az->inst.GetMiddleGroupMap()) {
            if (m->GetGroup()->GetNumber() == 3) {
                ASSERT_NE(f.AddChildNode2Data(Main(1), oben = m.get(), true), nullptr);
            }
        }
        ASSERT_NE(oben, Main(1));
    }
    ASSERT_NE(f.AddChildNode2Data(oben, kueche, true), nullptr);
    EXPECT_EQ(Anzahl(f, kueche), 1);
    EXPECT_EQ(Anzahl(f, oben), 1);
}

TEST_P(GrpAdrOrdner, TheMainWindowMayKeepTheFolderClosed)
{
    verfuegbar = 0;
    TFormVerw& f = Fenster();
    Knoten(f, Ordner()).setExpanded(true);
    f.TreeExpandAll();
    f.GetTree()->setCurrentItem(&Knoten(f, Ordner()));
    for (Qt::Key taste : {Qt::Key_Right, Qt::Key_Plus, Qt::Key_Asterisk}) {
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier);
        QApplication::sendEvent(f.GetTree(), &druck);
    }
    EXPECT_EQ(gefragt, 5) << "every way of opening asks";
    EXPECT_FALSE(Knoten(f, Ordner()).isExpanded());
    EXPECT_FALSE(Knoten(f, Main(1)).isExpanded()) << "a refused node keeps its branch closed";
    EXPECT_TRUE(Kinder(f, Main(1)).empty());
    EXPECT_EQ(boxen->Count(), 0u) << "silently";
}

TEST_P(GrpAdrOrdner, ALinkedAddressShowsItsObjectsAsAReport)
{
    project.Sql("INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag) VALUES (1, 21, 1);");
    TFormVerw& f = Fenster();
    f.show();
    f.TreeExpandAll();
    ASSERT_TRUE(f.SelectNode(Sub(1)));
    QApplication::processEvents();

    const TListView& liste = f.GetListView();
    ASSERT_EQ(liste.ItemCount(), 1);
    EXPECT_EQ(liste.Item(0)->Caption, "02.00.007") << "the linked object's device";
    EXPECT_TRUE(f.GetListViewView()->isVisible()) << "the page the address filled is shown";
    EXPECT_FALSE(f.GetGridView()->isVisible());
    auto* report = static_cast<TListViewView*>(f.GetListViewView())->ItemView();
    ASSERT_TRUE(report->isVisible());
    EXPECT_EQ(report->model()->rowCount(), 1);
    EXPECT_EQ(report->model()->columnCount(), liste.ColumnCount());
    EXPECT_GT(liste.ColumnCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ebenen, GrpAdrOrdner, ::testing::Values(3, 2),
                         [](const auto& info) { return info.param == 3 ? "DreiEbenen" : "ZweiEbenen"; });

} // namespace
