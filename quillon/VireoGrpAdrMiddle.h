#pragma once
// The middle group node of the group-address tree: a thin wrapper of the ETS middle group
// that the editor hands it. It shows the group's name and gives its number and first address
// word; it is never stored in a record and takes no child or drop.

#include "quillon/VireoGrpAdrBasic.h"

class TEtsMiddleGroup;

class QUILLON_EXPORT TVireoGrpAdrMiddle : public TVireoGrpAdrBasis {
public:
    // The first five arguments go to TVireoGrpAdrBasis; then SetGroup(group). The group is
    // not owned and may be null; it must outlive the node or be replaced with SetGroup.
    TVireoGrpAdrMiddle(HWND owner, int32_t system, int32_t parent, std::string name,
                       int32_t art, TEtsMiddleGroup* group);
    ~TVireoGrpAdrMiddle() override;

    int GetTyp() override;             // 5002
    int ListStyle() override;          // 0
    int GetIcon() override;            // 9
    bool AllowChild(int typ) override; // false
    // The node lives only in the tree: nothing is written or read.
    void Write(TDatenStruktur& record) override;
    void InitFromDB(TDatenStruktur& record) override;

    // The group's number within its level; -1 without a group.
    int16_t GetGrpAddr() const override;
    // The group's address word for a nonzero wert; -1 for 0 or without a group.
    int16_t GetKomplettGrpAdr(int32_t wert = 0) override;
    // GetKomplettGrpAdr(wert) as unsigned decimal ("65535" for -1).
    std::string GetKomplettGrpAdrString(int32_t wert = 0) override;
    // The group's ETS id; 0 without a group.
    int GetEtsId() override;

    // Stores the group; a group that is not null gives the node its name.
    void SetGroup(TEtsMiddleGroup* group);
    TEtsMiddleGroup* GetGroup() const { return m_group; }

private:
    TEtsMiddleGroup* m_group = nullptr;
};
