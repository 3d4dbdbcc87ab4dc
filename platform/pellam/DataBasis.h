#pragma once
// The node base: every node of the configuration tree derives from TDataBasis, directly or
// through TOrdner (a folder) or TSystem (a device node). The editor reaches every node only
// through the 46 virtual slots below, declared in slot order; node classes add their own
// virtual operations after them. What a node class inherits when it does not override a slot
// is stated at the slot.
//
// A node stores itself in one record (TDatenStruktur). The base owns the record's identity
// fields (Handle, Name, Typ, Parent, System), Param1 (the node's position), and keeps Param2,
// Bool1 and Bool2 reserved (written 0); node classes store their own settings from Param3
// and Bool3 upward, after calling the base's Write / InitFromDB.
//
// A node reaches the editor only through window messages to its owner window (the editor's
// main window).
//
// Overloads: SetPosId and AddRowComboBox have two forms; a class that overrides or adds one
// form should say `using TDataBasis::SetPosId;` so the other stays visible.

#include "rastow/Cell.h"
#include "pellam/Basis.h"
#include "win32/Windows.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>

class TDatenStruktur;
template <class T> class TDatenManager;
class TDrawGridSE;
class TListView;
class TStringList;
class TEibHandle;
struct TComboWert;

// Enumerations of the node base.
struct T_DB_EnumDataBasis {
    // A flag as a selection: the yes/no rows show ebFalse as "Nein", ebTrue as "Ja".
    enum TEnumBool {
        ebFalse = 0,
        ebTrue = 1,
    };
    static constexpr TEnumBool ToEnumBool(bool value) { return value ? ebTrue : ebFalse; }
};

// The node libraries' error for data that cannot be taken over (e.g. a paste without a record
// of the node's type).
class E_DataBasis : public E_Basis {
public:
    E_DataBasis(int severity, std::string message, std::string place = {},
                std::string source = {}, int position = 0);
};

class TDataBasis {
public:
    // owner: the editor's main window, which receives every message the node sends.
    // system, parent: the handles of the device node and of the parent node the node is
    //   created under (0 for the group-address folder and nodes).
    // name: the node's name.
    // art: the editor's fifth argument (0 for alarm-centre nodes, 1 for the group-address
    //   folder and nodes); the base only keeps it.
    // The node has handle 0 (none yet) and position -1 (none) until they are given.
    TDataBasis(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);

    TDataBasis(const TDataBasis&) = delete;
    TDataBasis& operator=(const TDataBasis&) = delete;

    // slot 0: the node's offset into the quick-help texts; 0.
    virtual int GetQuickHelpIndexOffset() const;
    // slot 1
    virtual ~TDataBasis();
    // slot 2: sets the flag (some nodes draw their rows differently while it is set).
    virtual void SetFlag();
    // slot 3: clears the flag.
    virtual void ResetFlag();
    // slot 4: the node's name, whatever the argument (classes that show a position or a
    // prefix override this).
    virtual std::string GetName(bool mitPosition) const;
    // slot 5: 10.
    virtual int GetBasisWert();
    // slot 6: the node's type code (the record's Typ). Every class gives its own.
    virtual int GetTyp() = 0;
    // slot 7: 0 the editor lists the node's children, 1 the node draws a grid page.
    virtual int ListStyle() = 0;
    // slot 8: the node's image index.
    virtual int GetIcon() = 0;
    // slot 9: whether a child of that type may be placed under the node.
    virtual bool AllowChild(int typ) = 0;
    // slot 10: sets the name.
    virtual void SetName(std::string name);
    // slot 11: sets the parent handle and returns it.
    virtual int SetParent(int parent);
    // slot 12: the parent handle.
    virtual int GetParent();
    // slot 13: the owner window.
    virtual HWND GetOwnerWindow();
    // slot 14: gives the node a fresh handle from the handle source (the node keeps its
    // handle when the source is null or has none left).
    virtual void KonvertHandle(TEibHandle* handles);
    // slot 15: true.
    virtual bool IsBasisAktiv();
    // slot 16: takes a per-object function code from the editor; 0.
    virtual int SetObjFkt(char fkt);
    // slot 17: whether the tree shows the node; true.
    virtual bool IsVisible();
    // slot 18: does nothing.
    virtual void AktualisiereBasis();
    // slot 19: fills the record's identity fields from the node: Handle, Name, Typ (from
    // GetTyp), Parent, System, Param1 := position; Param2, Bool1, Bool2 := 0. Other fields
    // are left as they are.
    virtual void Write(TDatenStruktur& record);
    // slot 20: sets the position.
    virtual void SetPosId(int position);
    // slot 21: takes the position of another node; a null node changes nothing.
    virtual void SetPosId(TDataBasis* other);
    // slot 22: the position (-1 for none).
    virtual int GetPosId();
    // slot 23: brings the node in line with ETS; true.
    virtual bool DatenAbgleich(bool, bool);
    // slot 24: the node the editor keeps under the handle (UM_GetDataPointer), or null.
    virtual TDataBasis* GetPointerFromHandle(int handle);
    // slot 25: has the editor delete the node's record and its continuation records
    // (UM_DeleteNextDatenSatz); nothing for a node without a handle.
    virtual void DeleteDBEntry();
    // slot 26: frees data the node keeps beside its record; the base keeps none: nothing.
    virtual void DeleteDS();
    // slots 27, 28: queries without a use in the system; 0.
    virtual int Query27();
    virtual int Query28();
    // slot 29: whether the source node may be dropped on this one: AllowChild of the
    // source's type; false without a source.
    virtual bool AllowDrop(TDataBasis* source);
    // slot 30: drops the source on this node; does nothing.
    virtual void Drop(TDataBasis* source);
    // slots 31, 32, 33: queries without a use in the system; 0.
    virtual int Query31();
    virtual int Query32();
    virtual int Query33();
    // slot 34: draws the node's page. The base draws no rows: with a grid it only prepares
    // it (Prepare(2)), so no handler of a node shown before stays bound; the list view and
    // the other arguments are not used.
    virtual void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                                 int row);
    // slot 35: takes the identity from the record: handle, name, parent, System and the
    // position (Param1).
    virtual void InitFromDB(TDatenStruktur& record);
    // slot 36: a query without a use in the system; 0.
    virtual int Query36();
    // slot 37: a query without a use in the system; true.
    virtual bool Query37();
    // slot 38: inserts pasted or imported records into the node. The base has nothing of
    // its own to take over: true, so the class goes on with its own part.
    virtual bool Einfuegen(std::map<int, TDatenStruktur>& records);
    // slot 39: as Einfuegen, for the import of a stored configuration; true.
    virtual bool VireoImport(std::map<int, TDatenStruktur>& records, bool flag);
    // slot 40: switches the communication objects of an ETS device parameter on or off: the
    // editor sets parameter `paramNr` to `wert` and creates the objects ETS then lists, as
    // children of this node, their positions raised by `offset`; `ask` is handed on.
    // Sends UM_UserObjectMessage with a request of Code 8 (Handle, Sender = this node,
    // Wert5 = paramNr, Wert6 = wert, Wert7 = offset, low byte of Wert8 = ask); true when the
    // editor answers nonzero.
    virtual bool ModifyObject(int wert, int paramNr, int offset, bool ask);
    // slot 41: takes pasted values; the base takes nothing: true.
    virtual bool Paste(TDatenManager<TDatenStruktur>* records, std::string& message);
    // slot 42: starts the node over; the base has nothing to reset: true.
    virtual bool Reset(std::string& message);
    // slot 43: takes imported values; the base takes nothing: true.
    virtual bool Import(TDatenManager<TDatenStruktur>* records, bool, bool,
                        std::string& message, int);
    // slot 44: the position (as GetPosId).
    virtual int GetPosition();
    // slot 45: sets the position through slot 20.
    virtual void SetPosition(int position);

    // --- After the 46 slots: what the editor asks of every node ----------------------------
    // The number of children the node holds itself (the editor's tree holds the others); 0.
    virtual int GetChildCount(bool alle);
    // The child at the index; null outside the children (null ends the caller's walk). null.
    virtual TDataBasis* GetChild(int index, bool alle);
    // The parent handle of the node's record (with GetHandle and GetSystem it identifies the
    // record); the stored parent.
    virtual int32_t GetParentHandle();

    // --- Fields (not virtual) ------------------------------------------------------------
    int32_t GetHandle() const { return m_handle; }
    void SetHandle(int32_t handle) { m_handle = handle; }
    // The handle of the device node the node belongs to; a System node's own handle.
    int32_t GetSystem() const { return m_isSystemNode ? m_handle : m_system; }
    // Ignored by a System node, whose System is its own handle.
    void SetSystem(int32_t system) { m_system = system; }
    bool GetFlag() const { return m_flag; }
    // The refresh mark: nothing in the node libraries sets it; a node that finds it set after
    // an edit clears it and has the views refreshed.
    bool GetRefreshMark() const { return m_refreshMark; }
    void SetRefreshMark() { m_refreshMark = true; }
    void ClearRefreshMark() { m_refreshMark = false; }
    int32_t GetArt() const { return m_art; }
    bool IsSystemNode() const { return m_isSystemNode; }

protected:
    // For TSystem: the node is a device node, its System handle is its own handle.
    void MarkAsSystemNode() { m_isSystemNode = true; }

    // The record with that handle among the records of that System, asked of the editor with
    // UM_GetDatenSatzByHandle (wParam the System handle, lParam the handle). A plain look-up:
    // null when the editor has no such record; it never creates one.
    TDatenStruktur* GetDatensatz(int system, int handle);

    // --- Grid rows ---------------------------------------------------------------------------
    // Each adds one row to the grid: `append` true raises the row count by one and fills the
    // new last row, false fills the grid's last row as it is (the empty row that Prepare
    // leaves; a grid without rows gets one). Column 0 is the caption cell (kind 6), column 1
    // the value cell. Both carry the row number `row`, which the grid's events report back,
    // this node as Data, and the help number: `help` when above 0, else
    // GetQuickHelpIndexOffset() + row. A null grid adds nothing.

    // A section title that opens and closes: both cells are group titles with the state,
    // column 0 showing the caption, column 1 the text.
    void AddRowCaption(TDrawGridSE* grid, int row, const std::string& caption,
                       const std::string& text, TCell::TEnumGroupTitleState state, bool append);
    // A text that is only shown.
    void AddRowTextFeld(TDrawGridSE* grid, const std::string& caption, int row,
                        const std::string& value, int help, bool append);
    // An editable text of at most maxLength characters (0: no limit).
    void AddRowEditFeld(TDrawGridSE* grid, const std::string& caption, int row,
                        const std::string& value, int help, bool append, int maxLength);
    // A text with a button that raises the grid's OnEllipseClick.
    void AddRowEllipse(TDrawGridSE* grid, const std::string& caption, int row,
                       const std::string& value, int help, bool append);
    // A selection among entries with their own values; the entry with the value `selected`
    // is chosen (none when no entry has it).
    void AddRowComboBox(TDrawGridSE* grid, const std::string& caption, int row,
                        const std::list<TComboWert>& entries, int selected, int help,
                        bool append);
    // A selection among texts; the text at index i stands for the value i, and `selected` is
    // an index (none when outside the list). A null list gives a row without entries.
    void AddRowComboBox(TDrawGridSE* grid, const std::string& caption, int row,
                        const TStringList* entries, int selected, int help, bool append);
    // A yes/no selection: "Nein" (index 0) and "Ja" (index 1).
    void AddRowComboBoxYes(TDrawGridSE* grid, const std::string& caption, int row,
                           T_DB_EnumDataBasis::TEnumBool value, int help, bool append);
    // A number within minimum..maximum, changed in steps of `step`. The grid puts a
    // committed value within the limits.
    void AddRowSpinEdit(TDrawGridSE* grid, const std::string& caption, int row, int maximum,
                        int minimum, int step, int value, int help, bool append);

    // Flips a section title between open and closed (the highlighted forms stay
    // highlighted); true when it changed. A state that is no section title (gtsNone) stays.
    static bool ChangeGroupTitleState(TCell::TEnumGroupTitleState& state);

    // The help number a row builder gives: help when above 0, else
    // GetQuickHelpIndexOffset() + row.
    int RowHelp(int help, int row) const;
    // The grid row the next row goes into (see the row builders); -1 for a null grid.
    static int NextGridRow(TDrawGridSE* grid, bool append);
    // Puts the caption cell (kind 6) into column 0 and the value cell into column 1 of the
    // grid row, both given the row number, help and this node.
    void SetRowCells(TDrawGridSE* grid, int gridRow, const std::string& caption, int row,
                     int help, TCell value);

private:
    HWND m_owner;
    bool m_flag = false;
    bool m_refreshMark = false;
    bool m_isSystemNode = false;
    int32_t m_handle = 0;
    int32_t m_parent;
    int32_t m_system;
    std::string m_name;
    int32_t m_position = -1;
    int32_t m_art;
};
