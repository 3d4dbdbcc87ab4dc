// The tree controller over a bare QTreeWidget with stand-in nodes: the sibling order, the
// fill from an object map (never a node twice), the update guard, the refresh that survives
// a failing node and the alignment from another tree.
#include "miraval/ui/CtrlTree.h"

#include "pellam/DataBasis.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class TKnoten : public TDataBasis {
public:
    TKnoten(int32_t handle, int32_t parent, std::string name, int typ = 6000, int posId = 0)
        : TDataBasis(nullptr, 1, parent, std::move(name), 0), m_typ(typ)
    {
        SetHandle(handle);
        SetPosId(posId);
    }
    int GetTyp() override { return m_typ; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 30 + m_typ % 10; }
    bool AllowChild(int) override { return true; }
    bool IsVisible() override { return sichtbar; }
    std::string GetName(bool mitPosition) const override
    {
        if (wirft)
            throw std::runtime_error("kein Name");
        return TDataBasis::GetName(mitPosition);
    }
    int GetChildCount(bool) override { return static_cast<int>(kinder.size()); }
    TDataBasis* GetChild(int i, bool) override { return kinder.at(static_cast<std::size_t>(i)); }

    bool sichtbar = true;
    bool wirft = false;
    std::vector<TDataBasis*> kinder;

private:
    int m_typ;
};

QTreeWidgetItem* Item(const std::string& text, TDataBasis* data)
{
    auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(text)));
    TCtrlTree::SetData(item, data);
    return item;
}

// The texts of a node's children (top level for null), in order.
std::vector<std::string> Texte(QTreeWidget& tree, QTreeWidgetItem* node = nullptr)
{
    QTreeWidgetItem* ebene = node != nullptr ? node : tree.invisibleRootItem();
    std::vector<std::string> texte;
    for (int i = 0; i < ebene->childCount(); ++i)
        texte.push_back(ebene->child(i)->text(0).toStdString());
    return texte;
}

int Anzahl(QTreeWidget& tree)
{
    int n = 0;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it)
        ++n;
    return n;
}

struct TVergleich {
    const char* text1;
    int rang1;
    const char* text2;
    int rang2;
    int erwartet; // sign
};

TEST(CtrlTree, CompareOrdersByRankThenNaturally)
{
    const TVergleich tabelle[] = {
        {"Melder 1", 0, "Melder 2", 0, -1},
        {"Melder 2", 0, "Melder 10", 0, -1},
        {"Melder 10", 0, "melder 9", 0, 1},     // text parts equal without case
        {"Melder 1,2", 0, "Melder 0", 0, -1},   // the comma makes the number -1
        {"12", 0, "9", 0, 1},                   // only digits: by number
        {"Melder 3", 0, "Melder", 0, 1},        // only one ends in a digit: whole texts
        {"Zentrale", 0, "Anzeige", 1, -1},      // a lower rank wins whatever the texts
        {"Melder 7", 0, "Melder 7", 0, 0},
        {"Melder 99999999999999999999", 0, "Melder 99999999999999999998", 0, 1}, // beyond 32 bits
        {"Äpfel", 0, "Birne", 0, -1},           // umlauts beside their base letter
        {"apfel", 0, "Äpfel", 0, -1},           // plain before accented
        {"BAD", 0, "bad", 0, 0},
    };
    for (const TVergleich& z : tabelle) {
        SCOPED_TRACE(std::string(z.text1) + " / " + z.text2);
        TKnoten a(1, 0, "", 6000, z.rang1);
        TKnoten b(2, 0, "", 6000, z.rang2);
        std::unique_ptr<QTreeWidgetItem> i1(Item(z.text1, &a));
        std::unique_ptr<QTreeWidgetItem> i2(Item(z.text2, &b));
        const int r = TCtrlTree::Compare(i1.get(), i2.get());
        EXPECT_EQ((r > 0) - (r < 0), z.erwartet);
        const int umgekehrt = TCtrlTree::Compare(i2.get(), i1.get());
        EXPECT_EQ((umgekehrt > 0) - (umgekehrt < 0), -z.erwartet);
    }
}

TEST(CtrlTree, TrenneZahlenUndString)
{
    struct TZeile {
        const char* text;
        bool ok;
        const char* teil;
        int32_t zahl;
    };
    const TZeile tabelle[] = {
        {"Melder 12", true, "Melder ", 12},
        {"Melder 1,2", true, "Melder ", -1},
        {"12", true, "", 12},
        {"Melder", false, "-", 7},
        {"", false, "-", 7},
        {"Melder 99999999999", true, "Melder ", -1},
        {"Eingang,", true, "Eingang", -1},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.text);
        std::string teil = "-";
        int32_t zahl = 7;
        EXPECT_EQ(TCtrlTree::TrenneZahlenUndString(z.text, teil, zahl), z.ok);
        EXPECT_EQ(teil, z.teil);
        EXPECT_EQ(zahl, z.zahl);
    }
}

// A map: root (105) 10; children 20 "Melder 10", 21 "Melder 2", 22 "Melder 1" under the root;
// 30 under 21; 40 invisible; 50 whose parent is itself.
struct TKarte {
    TKarte()
    {
        auto add = [this](auto k) { map.emplace(k->GetHandle(), std::move(k)); };
        add(std::make_unique<TKnoten>(5, 0, "Ordner", 203));
        add(std::make_unique<TKnoten>(10, 10, "Zentrale", 105)); // the root's parent is itself
        add(std::make_unique<TKnoten>(20, 10, "Melder 10"));
        add(std::make_unique<TKnoten>(21, 10, "Melder 2"));
        add(std::make_unique<TKnoten>(22, 10, "Melder 1"));
        add(std::make_unique<TKnoten>(30, 21, "Kind"));
        auto unsichtbar = std::make_unique<TKnoten>(40, 10, "Unsichtbar");
        unsichtbar->sichtbar = false;
        add(std::move(unsichtbar));
        add(std::make_unique<TKnoten>(50, 50, "Kreis"));
    }
    TKnoten& K(int32_t handle) { return static_cast<TKnoten&>(*map.at(handle)); }
    TDeviceInstanz::TKnotenMap map;
};

TEST(CtrlTree, InitTreeBuildsSortedTreeWithIconsOnceEach)
{
    TKarte karte;
    // Melder 1 lists the root as its own child: it must not get a second node.
    karte.K(22).kinder = {&karte.K(10)};
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.InitTree(karte.map);

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(TCtrlTree::Data(root), &karte.K(10));
    EXPECT_EQ(tree.currentItem(), root);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(Texte(tree, root), (std::vector<std::string>{"Melder 1", "Melder 2", "Melder 10"}));
    EXPECT_EQ(Texte(tree, root->child(1)), (std::vector<std::string>{"Kind"}));
    EXPECT_EQ(Anzahl(tree), 5);
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        SCOPED_TRACE((*it)->text(0).toStdString());
        EXPECT_EQ(TCtrlTree::ImageIndex(*it), TCtrlTree::Data(*it)->GetIcon());
        EXPECT_FALSE((*it)->icon(0).isNull());
    }
}

TEST(CtrlTree, InitTreeWithoutRootLeavesTreeAsItWas)
{
    QTreeWidget tree;
    tree.addTopLevelItem(new QTreeWidgetItem(QStringList("alt")));
    TCtrlTree ctrl(&tree);
    TDeviceInstanz::TKnotenMap ohneWurzel;
    ohneWurzel.emplace(1, std::make_unique<TKnoten>(1, 0, "x", 112)); // 112 is outside 101..111
    ctrl.InitTree(ohneWurzel);
    ctrl.InitTree(TDeviceInstanz::TKnotenMap());
    EXPECT_EQ(Texte(tree), (std::vector<std::string>{"alt"}));
}

TEST(CtrlTree, SortingPausedKeepsInsertionOrderAndResumingSorts)
{
    TKarte karte;
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.SetSorting(false);
    ctrl.InitTree(karte.map);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(Texte(tree, root), (std::vector<std::string>{"Melder 10", "Melder 2", "Melder 1"}));
    root->child(1)->setExpanded(true);
    ctrl.SetSorting(true);
    EXPECT_EQ(Texte(tree, root), (std::vector<std::string>{"Melder 1", "Melder 2", "Melder 10"}));
    EXPECT_TRUE(root->child(1)->isExpanded()) << "sorting keeps expanded branches";
    EXPECT_EQ(tree.currentItem(), root);
}

TEST(CtrlTree, UpdateGuardEndsWhatItBeganOnEveryWayOut)
{
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    try {
        const TTreeNodesUpdate aussen(ctrl);
        const TTreeNodesUpdate innen(ctrl);
        EXPECT_EQ(ctrl.UpdateDepth(), 2);
        EXPECT_FALSE(tree.updatesEnabled());
        throw std::runtime_error("mitten drin");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ctrl.UpdateDepth(), 0);
    EXPECT_TRUE(tree.updatesEnabled());
    ctrl.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(ctrl.UpdateDepth(), 0);
}

TEST(CtrlTree, UpdateNamesAndIconSwallowsAFailingNode)
{
    TKarte karte;
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.InitTree(karte.map);
    karte.K(10).SetName("Neue Zentrale");
    karte.K(22).SetName("Melder 0");
    karte.K(21).wirft = true;
    EXPECT_NO_THROW(ctrl.UpdateNamesAndIcon());
    EXPECT_EQ(tree.topLevelItem(0)->text(0).toStdString(), "Neue Zentrale");
    EXPECT_EQ(Texte(tree, tree.topLevelItem(0)).front(), "Melder 0");
}

TEST(CtrlTree, LookUpsByObject)
{
    TKarte karte;
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.InitTree(karte.map);
    EXPECT_EQ(ctrl.GetNodeFromData(&karte.K(40)), nullptr);
    EXPECT_EQ(ctrl.AddChildNode2Data(&karte.K(40), &karte.K(50)), nullptr);
    QTreeWidgetItem* neu = ctrl.AddChildNode2Data(&karte.K(20), &karte.K(50));
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(ctrl.GetNodeFromData(&karte.K(50)), neu);
    ctrl.DeleteNode(nullptr, &karte.K(21));
    EXPECT_EQ(ctrl.GetNodeFromData(&karte.K(30)), nullptr) << "the subtree goes too";
    ctrl.DeleteNode(nullptr, nullptr);
    EXPECT_EQ(Anzahl(tree), 4);
}

TEST(CtrlTree, AbgleichKeepsOwnStateAndGroupFolderWithoutSelectionChange)
{
    TKarte karte;
    QTreeWidget quelleTree;
    TCtrlTree quelle(&quelleTree);
    quelle.InitTree(karte.map);

    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.InitTree(karte.map);
    // This window: its own group-address folder with one filled group address; "Melder 2"
    // expanded and "Kind" selected.
    QTreeWidgetItem* ordner = Item("Gruppenadressen", &karte.K(5));
    ordner->addChild(Item("1/1/1", nullptr));
    tree.addTopLevelItem(ordner);
    tree.setCurrentItem(ctrl.GetNodeFromData(&karte.K(30)));
    tree.currentItem()->parent()->setExpanded(true);
    // The source has a new node and a group-address folder of its own.
    quelle.AddChildNode2Data(&karte.K(10), &karte.K(50));
    quelleTree.addTopLevelItem(Item("Gruppenadressen", &karte.K(5)));

    int wechsel = 0;
    QObject::connect(&tree, &QTreeWidget::currentItemChanged, [&] { ++wechsel; });
    ctrl.Abgleich(&quelleTree, false);

    EXPECT_EQ(wechsel, 0);
    EXPECT_EQ(TCtrlTree::Data(tree.currentItem()), &karte.K(30));
    EXPECT_TRUE(tree.currentItem()->parent()->isExpanded());
    EXPECT_NE(ctrl.GetNodeFromData(&karte.K(50)), nullptr);
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* behalten = ctrl.GetNodeFromData(&karte.K(5));
    ASSERT_NE(behalten, nullptr);
    EXPECT_EQ(behalten->childCount(), 1) << "the filled group addresses stay";
}

TEST(CtrlTree, AbgleichReplacingTheSelectedTopLevelNodeRaisesNoSelectionChange)
{
    TKarte karte;
    QTreeWidget quelleTree;
    TCtrlTree quelle(&quelleTree);
    quelle.InitTree(karte.map);
    QTreeWidget tree;
    TCtrlTree ctrl(&tree);
    ctrl.InitTree(karte.map);
    tree.setCurrentItem(tree.topLevelItem(0));

    int wechsel = 0;
    QObject::connect(&tree, &QTreeWidget::currentItemChanged, [&] { ++wechsel; });
    ctrl.Abgleich(&quelleTree, false);

    EXPECT_EQ(wechsel, 0);
    EXPECT_EQ(tree.currentItem(), tree.topLevelItem(0)) << "the copy of the selected node is selected";
}

} // namespace
