#pragma once
// The sub group node: the lowest level of the group-address tree, one node per ETS sub group,
// that is per complete group address. Communication objects are dropped on it to link them
// to the address; when selected it lists the objects ETS has linked to the group. It wraps the
// ETS sub group and keeps the size class of the group's data.

#include "quillon/VireoGrpAdrBasic.h"

class TEtsSubGroup;

class QUILLON_EXPORT TVireoGrpAdrSub : public TVireoGrpAdrBasis {
public:
    // The first five arguments go to TVireoGrpAdrBasis; then SetGroup(group). The group is
    // not owned and may be null; it must outlive the node or be replaced with SetGroup. The
    // size class is -1 (free) until the editor sets it.
    TVireoGrpAdrSub(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art,
                    TEtsSubGroup* group);
    ~TVireoGrpAdrSub() override;

    int GetTyp() override;             // 5003
    int ListStyle() override;          // 1: the node fills the right-hand side itself
    int GetIcon() override;            // 10
    bool AllowChild(int typ) override; // false
    // The node lives only in the tree: nothing is written or read.
    void Write(TDatenStruktur& record) override;
    void InitFromDB(TDatenStruktur& record) override;

    // True exactly for a communication object (type 806 or 807).
    bool AllowDrop(TDataBasis* source) override;
    // Links a dropped communication object to this group: sends UM_LinkToSubGroup (wParam
    // GetEtsId(), lParam the object's handle; the editor links in ETS and in the object), then
    // posts UM_AktualisiereKnoten (wParam the object, lParam 0). A null source, this node or
    // any other type does nothing.
    void Drop(TDataBasis* source) override;
    // Lists the communication objects linked to the group in the list view (request code 6);
    // the list view ends shown and the grid hidden. The last three arguments are not used.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* view, bool first, int column,
                         int row) override;

    // The group's number within its level; -1 without a group.
    int16_t GetGrpAddr() const override;
    // The group's address word: for a nonzero wert the group's GetGrpAddr(wert), for 0 its
    // own address; -1 without a group.
    int16_t GetKomplettGrpAdr(int32_t wert = 0) override;
    // GetKomplettGrpAdr(wert) as unsigned decimal ("65535" for -1).
    std::string GetKomplettGrpAdrString(int32_t wert = 0) override;
    // The group's ETS id; 0 without a group.
    int GetEtsId() override;

    // Stores the group; a group that is not null gives the node its name.
    void SetGroup(TEtsSubGroup* group);
    TEtsSubGroup* GetGroup() const { return m_group; }

    // The size class of the group's data: -1 free, 0-15 the object value size codes.
    void SetSubAdrTyp(int typ);
    int GetSubAdrTyp() const { return m_subAdrTyp; }
    // Its text ("Frei", "1 Bit" ... "VARDATA", "unbekannter Objekttyp").
    std::string GetSubAdrTypString() const;
    // The same as SetSubAdrTyp, for callers that hold the size code of a linked object as a
    // char (the object's GetEtsObjektTyp or the ETS group's object type, -1 for free).
    void SetEtsObjektTyp(char typ);

private:
    TEtsSubGroup* m_group = nullptr;
    int m_subAdrTyp = -1;
};
