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
// repaints); TTreeNodesUpdate is the scope guard for that bracket.

#include "miraval/devinst/DevInst.h"

#include <cstdint>
#include <string>
#include <unordered_set>

class QTreeWidget;
class QTreeWidgetItem;
class TDataBasis;
class TDeviceInstanz;

class TCtrlTree {
public:
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
    // The child's node under the first node of parent; null when parent has none.
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
    // Selection cleared, everything collapsed, the first node selected.
    void CollapseAll();

    // Rebuilds this tree from the source tree. The expanded branches and the selection come
    // from the source when takeStateFromSource, else from this tree as it was. This tree's
    // group-address folder (type 203) stays with what it holds; middle groups and group
    // addresses (5002, 5003) are not copied. Raises no selection change.
    void Abgleich(QTreeWidget* source, bool takeStateFromSource);

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
