#pragma once
// TFormVerw, the project window: an MDI sub-window of the main window showing one device
// instance's configuration. On the left the node tree (TCtrlTree), on the right either the
// list of a folder's children (TCtrlListView over the TListView model) or the property grid
// the selected node draws itself (TCtrlGrid over the TDrawGridSE model); below them the
// quick-help pane, a dock widget that can float and dock back and is deleted by closing it.
//
// The window does the page switching (AktualisiereAnsicht), the action enabling
// (CheckActionList), the keys, the INI persistence of its placement and the bookkeeping
// messages to the main window (UM_AddFormVerw posted on creation, UM_RemoveFormVerw sent
// on destruction, UM_ActivateFormVerw posted on activation).
//
// Group addresses (FProjektierungGrpAdr.cpp): the tree shows the ETS group addresses under
// the group-address folder. The folder gets its main groups when the tree is built; the
// levels below are filled in lazily when a node opens, one level ahead of what is seen, so a
// project with thousands of group addresses opens quickly. The folder opens only when the
// main window says the group addresses can be had (UM_IsGrpAdrAvailable).
//
// Drag and drop: a node is dragged from the tree onto a tree node or onto an item of the
// folder list, or from the folder list onto a tree node; the target's object decides what a
// drop means (TCtrlTree, TCtrlListView). While a drag rests near the tree's upper or lower
// edge the tree scrolls (TBaumScroll).
//
// Window numbers come from a process-wide counter that never goes back: the n-th window of
// a run has number n-1 and opens 10 pixels per number further down and right. Closing
// window 0 minimises it (it stays the main window's first window); higher ones are deleted.
//
// Main thread only. Its window procedure (Dispatch) and every slot catch what escapes and
// hand it to the main window's "show and terminate" handler.

#include "miraval/devinst/DevInst.h"
#include "miraval/ui/BaumAnsicht.h"
#include "rastow/DrawGridSE.h"
#include "vcl/ListView.h"
#include "win32/Windows.h"

#include <QMdiSubWindow>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>

class QDockWidget;
class QMainWindow;
class QObject;
class QPoint;
class QSplitter;
class QStackedWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TBaumScroll;
class TCtrlGrid;
class TCtrlListView;
class TCtrlTree;
class TDataBasis;
class TDeviceInstanz;
class TFensterHost;
class TFensterPlatz;
class TTreeSortPause;

// The current project window (null when none is open); kept by the main window.
extern TFormVerw* FormVerw;

class TFormVerw : public QMdiSubWindow {
public:
    // Takes the next window number, builds the controls and controllers (Init), sets the
    // caption (InitTexte), reads its placement (GetRegData) and the grid colours of the data
    // module (LoadColor), posts UM_AddFormVerw to the data module's main handle and joins the
    // owner's MDI area. owner may be null (tests): the window then stands alone.
    explicit TFormVerw(TFensterHost* owner);
    // FormDestroy: SetRegData, then UM_RemoveFormVerw is sent (the main window's list never
    // holds a destroyed window).
    ~TFormVerw() override;
    TFormVerw(const TFormVerw&) = delete;
    TFormVerw& operator=(const TFormVerw&) = delete;

    // The window's own handle; its procedure is Dispatch.
    HWND Handle() const { return m_handle; }
    // UM_DeleteZellenKomponente ends the grid's cell editor; UM_FocusControl (lParam a
    // QWidget*) focuses the widget when it is visible. Everything else answers 0.
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    int GetFensterNr() const { return m_fensterNr; }
    // The number the next window will get.
    static int NaechsteFensterNr();

    // Caption: text 9095 + ":" + window number.
    void InitTexte();
    // Placement from the INI file of the data module: position offset by 10 per window
    // number; quick help made when "ShowQuickHelp" is set.
    void GetRegData();
    // Writes the placement: position and size only in the normal state, state, tree width
    // and "ShowQuickHelp" always.
    void SetRegData();

    // Another instance than before drops the group-address part of the one before (its
    // folder and maps go with it).
    void SetDeviceInstanz(TDeviceInstanz* instanz);
    TDeviceInstanz* GetDeviceInstanz() const;
    // Fills the tree from the object map (without rebuilding the right side per node), then
    // shows the selected node's page.
    void InitData(const TDeviceInstanz::TKnotenMap& knoten, HWND mainHandle);
    HWND GetMainHandle() const { return m_mainHandle; }

    // ---- Pages ------------------------------------------------------------------------------------
    // Rebuilds the right side for the node (null: the selected one; none: nothing): a folder
    // page lists the child nodes, a grid page lets the node draw its rows and activates
    // (column, row) when both are >= 0. Posts UM_AnsichtAktualisiert with the node's object.
    // Every page change (another node, or the same one rebuilt after a change, whoever posted
    // it) leaves the cell being typed in first (ZelleVerlassen), so no typed text is dropped.
    void AktualisiereAnsicht(QTreeWidgetItem* node, int column, int row);
    // The selection changed: the page (unless the tree is being filled), then the actions.
    void TreeChange(QTreeWidgetItem* node);
    // Enables the data module's detector and link actions for the node's object.
    void CheckActionList(QTreeWidgetItem* node);

    // ---- Tree ----------------------------------------------------------------------------------------
    void UpdateTreeNamesAndIcon();
    void UpdateNodeImages(TDataBasis* data);
    // The child's node under the parent's (null when the parent has none), made visible when
    // asked.
    QTreeWidgetItem* AddChildNode2Data(TDataBasis* parent, TDataBasis* child, bool makeVisible);
    // Deletes the first node whose object is data; the node argument is not used.
    void DeleteNode(QTreeWidgetItem* node, TDataBasis* data);
    QTreeWidgetItem* GetNodeFromData(TDataBasis* data) const;
    TDataBasis* GetSelData() const;
    void DeleteTreeViewNodes();
    void TreeExpand();
    void TreeCollapse();
    void TreeExpandAll();
    void TreeCollapseAll();
    // Brings this tree in line with the source window's (keeps this window's expanded
    // branches, selection and group-address folder); no selection change is raised.
    void Abgleich(TFormVerw* source);
    // Takes over the source window's device instance, group-address part and tree state.
    void Assign(TFormVerw* source);
    // The tree's update bracket (nested; the outermost end repaints) and its sorting pause
    // (sorting off: new nodes keep insertion order; on: sorted by TCtrlTree's compare).
    void BeginTreeUpdate();
    void EndTreeUpdate();
    void SetTreeSorting(bool on);
    // Makes the data object's node visible and selects it; false when it has none.
    bool SelectNode(TDataBasis* data);
    // Empties the tree and refills it from the instance's registry: drops the group-address
    // part, InitData, then InitGrpAdr with the instance's folder and maps when it has a folder.
    void NeuAufbauen(TDeviceInstanz& instanz);

    // ---- Group addresses (FProjektierungGrpAdr.cpp) -----------------------------------------------
    // Keeps the folder and the instance's group maps (not owned: the instance's, they must
    // outlive their use here) and adds the folder with its main groups to the tree; a node
    // the folder or the folder before had is replaced. mainHandle is not kept. Without the
    // middle and sub maps (null) the levels below the main groups cannot be filled.
    void InitGrpAdr(HWND mainHandle, TDataBasis* folder, const TDeviceInstanz::TMainGroupMap* mainGroups,
                    const TDeviceInstanz::TMiddleGroupMap* middleGroups,
                    const TDeviceInstanz::TSubGroupMap* subGroups);
    // Nothing: the tree is rebuilt with InitGrpAdr.
    void DeleteGrpAdr();
    // Asked before a node opens: the group-address folder opens only when the main window
    // answers UM_IsGrpAdrAvailable with nonzero; any other node opens.
    bool TreeExpanding(QTreeWidgetItem* node);
    // A node opened: fills in the next level below each of its children (one level ahead).
    // Main group: its middle groups found in the map (three levels), or the group
    // addresses of those middle groups (two levels); middle group: its group addresses found
    // in the map. Nodes already there stay and are not doubled; the tree is sorted once at
    // the end. Without the maps the fill stops with "Group address map not found.\nAbort
    // function" (caption "TFormVerw::TreeExpanding"); what was filled in stays.
    void TreeExpanded(QTreeWidgetItem* node);
    // A group address made while editing: the nodes of main, middle (three levels only) and
    // sub that the tree lacks, each under the one above (the main group under the folder),
    // made visible when asked. Without a group-address folder: the message "Can't find
    // Groupaddress folder." (caption "error (TDeviceInstanz::InsertGrpAdr)") and nothing.
    void CreateGroupAddressNodes(TDataBasis* main, TDataBasis* middle, TDataBasis* sub,
                                 bool makeVisible);
    TDataBasis* GetGrpAdrOrdner() const { return m_grpAdrOrdner; }

    // ---- Drag and drop, tree scrolling ----------------------------------------------------------
    // The tree's drag handlers: the tree controller's test and drop (sender the tree under the
    // cursor, source the control the drag started from, pos in the tree's viewport); a test
    // also re-arms the scrolling. TreeStartDrag and TreeEndDrag bracket a drag from the tree.
    bool TreeDragOver(QObject* sender, QObject* source, const QPoint& pos);
    void TreeDragDrop(QObject* sender, QObject* source, const QPoint& pos);
    void TreeStartDrag();
    void TreeEndDrag();
    // The folder list's: item is the item under the cursor (-1 none). A drop posts
    // UM_UpdateTreeNamesAndIcon, so every window shows the new texts and icons.
    bool ListViewDragOver(QObject* sender, QObject* source, int item);
    void ListViewDragDrop(QObject* sender, QObject* source, int item);
    // One tick of the tree-scroll timer.
    void TimerTreeScrollTimer();
    TBaumScroll& GetBaumScroll() const { return *m_baumScroll; }

    // ---- Grid and quick help -------------------------------------------------------------------------
    // Windows colour values (system colours with the top bit).
    void LoadColor(int32_t common, int32_t cell, int32_t title, int32_t readOnly, int gridLines);
    void LoadSize(bool autoSize, int colDefSize);
    // Makes the quick-help pane (shows it again when it exists).
    void CreateMeldeFenster();
    bool HasMeldeFenster() const;
    void ShowMeldeFenster(bool bringToFront);
    void HideMeldeFenster();
    // Shows the help section of the id in the pane (nothing without a pane).
    void ShowOnlineHilfe(int id);
    // The grid's cell-entry handler: loads the cell's help section when it differs from the
    // one shown.
    void GridEnterCell(TObject* sender, TCell& cell, int column, int row);
    int GetQuickHelpId() const { return m_quickHelpId; }
    const std::string& GetQuickHelpDatei() const { return m_quickHelpDatei; }
    void SetQuickHelpDatei(std::string datei) { m_quickHelpDatei = std::move(datei); }
    // The text the pane shows (plain), empty without a pane.
    std::string GetQuickHelpText() const;

    TDrawGridSE& GetGrid();
    TListView& GetListView();
    // The grid (or its cell editor) has the input focus.
    bool GridHasFocus() const;
    // FormResize attached / detached.
    void SetResizeHandler(bool attached);

    // ---- Controls (views and tests) ------------------------------------------------------------------
    QTreeWidget* GetTree() const { return m_tree; }
    QWidget* GetGridView() const { return m_gridView; }
    // What was typed into the grid's open cell editor reaches the model and its node.
    void GridEingabeUebernehmen();
    // The cell being typed in is left with what was typed, as a click into the tree leaves it:
    // the text reaches its node, and the editor closes. Nothing while no editor is open.
    void ZelleVerlassen();
    QWidget* GetListViewView() const { return m_listViewView; }
    QDockWidget* GetMeldeDock() const { return m_meldeDock; }
    TCtrlTree& GetCtrlTree() const { return *m_ctrlTree; }
    // True while the grid page is up (false: the folder list).
    bool IsGridPage() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class TTastenFilter;

    // Every key press of the application passes here first; those meant for a control of this
    // window go to the data module's shortcuts and FormKeyDown. True: the key is consumed.
    bool KeyPreview(QObject* watched, QEvent* event);
    void FormCreate();
    void Init();
    void FormActivate();
    void FormDeactivate();
    // The key preview: handled before the focused control. True: the key ran copy or paste
    // and goes no further (the tree would copy its caption over the clipboard).
    bool FormKeyDown(QKeyEvent* key);
    void TreeMouseDown(const QPoint& pos);
    void ListViewDblClick(int index);
    // An item of the folder page is dragged: runs the drag with the list as its source.
    void ListViewStartDrag();
    // The lazy fill of one node's next level (TreeExpanded); pause is engaged before the first
    // node is added. False when the fill must stop (no maps, message shown).
    bool FuelleEbene(QTreeWidgetItem* node, std::unique_ptr<TTreeSortPause>& pause);
    // The main window: the handle InitData was given, else the data module's.
    HWND Hauptfenster() const;
    // The grid's or the list's view shows the model again.
    void RefreshRightSide();
    // Runs f, routing an exception to the main window's handler (no exception leaves an
    // event handler).
    template <class F> void Guarded(F f);
    void OnMeldeDockTopLevelChanged(bool floating);
    void SetFocusTo(QWidget* widget);
    bool TreeHasFocus() const;
    void MeldeFensterGeschlossen();

    int m_fensterNr;
    TFensterHost* m_owner;
    HWND m_handle = nullptr;
    HWND m_mainHandle = nullptr;
    bool m_treeFilling = false;
    // The node whose rows the grid page shows (compared only, never used: it may be gone).
    const TDataBasis* m_gridSeite = nullptr;
    int m_quickHelpId = 0;
    // The group-address part: the instance's folder and maps (not owned).
    TDataBasis* m_grpAdrOrdner = nullptr;
    const TDeviceInstanz::TMainGroupMap* m_mainGroups = nullptr;
    const TDeviceInstanz::TMiddleGroupMap* m_middleGroups = nullptr;
    const TDeviceInstanz::TSubGroupMap* m_subGroups = nullptr;
    std::string m_quickHelpDatei;
    bool m_resizeHandler = true;
    // The window's place in the main window's area (a Qt child of the window).
    TFensterPlatz* m_platz = nullptr;
    // The key press last handled and the widget it was last offered to: the filter sees a
    // key press again for every parent it is passed up to, and handles it only once.
    const QEvent* m_lastKey = nullptr;
    QPointer<QWidget> m_lastKeyReceiver;
    QObject* m_tastenFilter = nullptr; // a Qt child of the window, installed on the application

    // Models: owned here; the views draw them.
    std::unique_ptr<TDrawGridSE> m_grid;
    std::unique_ptr<TListView> m_listView;

    // Controls (Qt children of the window).
    QSplitter* m_splitter = nullptr;
    TBaumAnsicht* m_tree = nullptr;
    QMainWindow* m_infoSeite = nullptr; // the right side; hosts the quick-help dock
    QStackedWidget* m_pages = nullptr;
    QWidget* m_gridView = nullptr;
    QWidget* m_listViewView = nullptr;
    QDockWidget* m_meldeDock = nullptr;
    QTextEdit* m_meldeText = nullptr;

    std::unique_ptr<TCtrlTree> m_ctrlTree;
    std::unique_ptr<TCtrlGrid> m_ctrlGrid;
    std::unique_ptr<TCtrlListView> m_ctrlListView;
    std::unique_ptr<TBaumScroll> m_baumScroll;
};
