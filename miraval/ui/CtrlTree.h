#pragma once
// TCtrlTree fills and keeps the project window's node tree from a device instance's objects.
// Every node carries its object (TDataBasis*) and the object's image index; texts and images
// come from the object.
//
// Order of siblings: the tree is kept sorted by Compare (position rank first, then a natural
// order that compares a trailing number as a number) while sorting is on; Qt's own sorting
// stays off. With sorting paused new nodes keep their insertion order, and switching it on
// again sorts the whole tree (AlphaSort).
//
// Changes in bulk run inside BeginUpdate / EndUpdate (nested; the outermost EndUpdate
// repaints); TTreeNodesUpdate is the scope guard for that bracket, TTreeSortPause the one of
// a sorting pause.
//
// Group addresses: the folder holds the main groups from the start; the levels below are
// put in lazily (the project window's lazy fill, MakeGrpAdrNode). A main or middle group
// whose own level may still be missing shows the expand indicator even without children;
// once its level is filled it shows it only when it has children.
//
// Drag and drop onto a node: DragOver and DragDrop find the dragged object (the selected
// element of the source control, TZiehDaten) and the node under the point, and leave the
// meaning to the target object (AllowDrop, Drop). What the objects throw is shown (TZiehLauf)
// and never leaves them.

#include "miraval/devinst/DevInst.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class QObject;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class TDataBasis;
class TDeviceInstanz;

class TCtrlTree {
public:
    // Group-address nodes by the ETS id of their group, all of one level.
    using TGrpAdrSammlung = std::map<int32_t, TDataBasis*>;

    // The tree is not owned.
    explicit TCtrlTree(QTreeWidget* tree);
    TCtrlTree(const TCtrlTree&) = delete;
    TCtrlTree& operator=(const TCtrlTree&) = delete;

    void SetDeviceInstanz(TDeviceInstanz* instanz) { m_instanz = instanz; }
    TDeviceInstanz* GetDeviceInstanz() const { return m_instanz; }
    QTreeWidget* Tree() const { return m_tree; }

    // Fills the whole tree from the map: the root is the first object (handle order) of a
    // type 101..111; below it every visible object hangs under its parent handle. The root
    // node ends selected and expanded one level. An empty map or one without a root leaves
    // the tree as it is. No object gets two nodes, and the root never hangs below itself.
    void InitTree(const TDeviceInstanz::TKnotenMap& map);
    // The node of obj and of the children obj lists itself; without a parent the tree is
    // emptied first and the node becomes the only top-level node. Null for a null obj.
    QTreeWidgetItem* MakeNode(QTreeWidgetItem* parent, TDataBasis* obj);
    // The child's node under the first node of parent, made unless that node holds it already
    // (a lazily filled level may); null when parent has none.
    QTreeWidgetItem* AddChildNode2Data(TDataBasis* parent, TDataBasis* child);
    // Deletes the first node whose object is obj, with its subtree; the node argument is not
    // used. Nothing for a null obj or an object without node.
    void DeleteNode(QTreeWidgetItem* node, TDataBasis* obj);
    // The first node (depth first, in tree order) whose object is data; null if none.
    QTreeWidgetItem* GetNodeFromData(const TDataBasis* data) const;
    // Image index of the object on the node (nothing when either is null).
    static void SetNodeImages(QTreeWidgetItem* node, TDataBasis* data);
    // Every node's text and image from its object, then a repaint; an exception of an object
    // is swallowed (the nodes before it keep their new texts).
    void UpdateNamesAndIcon();
    TDataBasis* GetSelData() const;

    // Negative: node1 stands first. Nodes without object compare equal.
    static int Compare(const QTreeWidgetItem* node1, const QTreeWidgetItem* node2);
    // The natural order of two captions of equal rank (the part of Compare after the rank).
    static int CompareCaptions(const std::string& text1, const std::string& text2);
    // Case-insensitive compare of two UTF-8 texts by their Windows-1252 letters, the same on
    // every machine: letters compare without case and accents first (ä as a, ß as ss), then
    // accented after plain (a < ä); any other character by its Windows-1252 code. A character
    // outside Windows-1252 compares by its code point after every Windows-1252 one. Result
    // -1, 0 or 1.
    static int CompareText(const std::string& text1, const std::string& text2);
    // Splits a trailing run of digits and commas: textPart := the text before the run,
    // number := the run as a decimal number (-1 when it is no number: a comma in it, or too
    // long for 32 bits). False (outputs untouched) when the text does not end in a digit or
    // a comma.
    static bool TrenneZahlenUndString(const std::string& text, std::string& textPart,
                                      int32_t& number);

    // The selected node with all its descendants; the node becomes the top item.
    void Expand();
    void Collapse();
    // Everything expanded; the node selected before becomes the top item.
    void ExpandAll();
    // Opens the node and then each of its children's branches, node by node, so that every
    // opening can be refused or fill nodes in; a refused node keeps its branch closed. A
    // childless node without the expand indicator is left alone.
    static void ExpandBranch(QTreeWidgetItem* node);
    // Selection cleared, everything collapsed, the first node selected.
    void CollapseAll();

    // A node's way from the top: per level its object's type code (-1 without object) and
    // its caption.
    using TPfad = std::vector<std::pair<int, std::string>>;
    // What the person sees of the tree, by the nodes' ways, so that it outlives the nodes
    // (an import replaces every object): the open nodes, each after its parent, and the
    // current one.
    struct TAnsicht {
        std::vector<TPfad> offen;
        TPfad aktuell;
    };
    TAnsicht Ansicht() const;
    // Shows the view again over the nodes the tree has now: everything closed, then each open
    // node of the view that it still has opened, top down (opening may fill nodes in); the
    // current node, or the nearest of its ancestors that is left, becomes current (as a click
    // makes it) and is scrolled into sight. On each level a node is found by its type and
    // caption, else as the only node of its type there.
    void SetAnsicht(const TAnsicht& ansicht);

    // Rebuilds this tree from the source tree. The expanded branches and the selection come
    // from the source when takeStateFromSource, else from this tree as it was. This tree's
    // group-address folder (type 203) stays with what it holds; middle groups and group
    // addresses (5002, 5003) are not copied, and a node that had them shows the expand
    // indicator (they are filled in again when it opens). Opening the branches to show runs
    // through the tree's opening as any other. Raises no selection change.
    void Abgleich(QTreeWidget* source, bool takeStateFromSource);

    // ---- Group addresses ----------------------------------------------------------------------
    // Adds the folder as a new top-level node and under it the main groups of the map that
    // are not null, in ascending id order. The folder's node; null for a null folder.
    QTreeWidgetItem* MakeGrpAdrFolder(const TDeviceInstanz::TMainGroupMap& mainGroups, TDataBasis* folder);
    // Adds under node, in ascending id order, the collected nodes it lacks: a child whose
    // object has the same ETS id counts as present, so filling again never doubles a node.
    // Node's own level is filled afterwards (no indicator while childless).
    void MakeGrpAdrNode(const TGrpAdrSammlung& collection, QTreeWidgetItem* node);

    // ---- Drag and drop ---------------------------------------------------------------------------
    // Whether the object dragged from source (a tree or the folder list) may be dropped on the
    // node of sender (a tree) at pos (sender's viewport coordinates): the target's AllowDrop.
    // False for any other pair of controls, without a dragged object or without a node at
    // pos, and after an exception (shown with the caption "TCtrlTree::DragOver"; a running
    // drag ends).
    bool DragOver(QObject* sender, QObject* source, const QPoint& pos);
    // Drops the dragged object on the node at pos (the target's Drop) under the hour-glass;
    // same pairs as DragOver, caption "TCtrlTree::DragDrop". The screen cursor ends as the
    // default cursor on every way out, also when nothing was dropped.
    void DragDrop(QObject* sender, QObject* source, const QPoint& pos);

    // Update bracket (nested).
    void BeginUpdate();
    void EndUpdate();
    int UpdateDepth() const { return m_updateDepth; }
    // Sorting on: the whole tree is sorted now and new nodes go to their place.
    void SetSorting(bool on);
    bool IsSorting() const { return m_sorting; }
    // Sorts every level of the tree by Compare (stable).
    void AlphaSort();

    // The object and image index a node carries.
    static TDataBasis* Data(const QTreeWidgetItem* node);
    static int ImageIndex(const QTreeWidgetItem* node);
    static void SetData(QTreeWidgetItem* node, TDataBasis* data);

private:
    void InitChildNode(int32_t parentHandle, const TDeviceInstanz::TKnotenMap& map,
                       QTreeWidgetItem* node);
    // Adds the prepared node under parent (top level when null), at its sorted place while
    // sorting is on, else last.
    void Insert(QTreeWidgetItem* parent, QTreeWidgetItem* node);
    void CopyChildNodes(const QTreeWidgetItem* from, QTreeWidgetItem* to);
    // The node at the end of the way; with bisVorfahr the last node found on it when the way
    // breaks off (null when not even its first level is there).
    QTreeWidgetItem* Finde(const TPfad& pfad, bool bisVorfahr) const;

    QTreeWidget* m_tree;
    TDeviceInstanz* m_instanz = nullptr;
    int m_updateDepth = 0;
    bool m_sorting = true;
    // While InitTree runs: the objects that have a node already (none gets a second one).
    std::unordered_set<const TDataBasis*>* m_gemacht = nullptr;
};

// Begins the tree's update bracket when made and ends exactly that bracket when destroyed.
class TTreeNodesUpdate {
public:
    explicit TTreeNodesUpdate(TCtrlTree& tree) : m_tree(tree) { m_tree.BeginUpdate(); }
    ~TTreeNodesUpdate() { m_tree.EndUpdate(); }
    TTreeNodesUpdate(const TTreeNodesUpdate&) = delete;
    TTreeNodesUpdate& operator=(const TTreeNodesUpdate&) = delete;

private:
    TCtrlTree& m_tree;
};

// Pauses the tree's sorting while it lives (new nodes keep their insertion order) and, when
// sorting was on before, switches it on again at its end, which sorts the tree once. A pause
// inside a pause ends only its own.
class TTreeSortPause {
public:
    explicit TTreeSortPause(TCtrlTree& tree) : m_tree(tree), m_warAn(tree.IsSorting()) { m_tree.SetSorting(false); }
    ~TTreeSortPause()
    {
        if (m_warAn)
            m_tree.SetSorting(true);
    }
    TTreeSortPause(const TTreeSortPause&) = delete;
    TTreeSortPause& operator=(const TTreeSortPause&) = delete;

private:
    TCtrlTree& m_tree;
    bool m_warAn;
};
