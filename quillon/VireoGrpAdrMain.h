#pragma once
// The main group node of the group-address tree: a thin wrapper of the ETS main group that the
// editor hands it. It shows the group's name and gives its number and first address word;
// it is never stored in a record and takes no child or drop.

#include "quillon/VireoGrpAdrBasic.h"

class TEtsMainGroup;

class QUILLON_EXPORT TVireoGrpAdrMain : public TVireoGrpAdrBasis {
public:
    // The first five arguments go to TVireoGrpAdrBasis; then SetGroup(group). The group is
    // not owned and may be null; it must outlive the node or be replaced with SetGroup.
    TVireoGrpAdrMain(HWND owner, int32_t system, int32_t parent, std::string name,
                     int32_t art, TEtsMainGroup* group);
    ~TVireoGrpAdrMain() override;

    int GetTyp() override;             // 5001
    int ListStyle() override;          // 0
    int GetIcon() override;            // 8
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
    void SetGroup(TEtsMainGroup* group);
    TEtsMainGroup* GetGroup() const { return m_group; }

private:
    TEtsMainGroup* m_group = nullptr;
};
