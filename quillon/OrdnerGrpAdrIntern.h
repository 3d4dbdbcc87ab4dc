#pragma once
// The folder of the device's internal group addresses (type 204). Unlike the ETS
// group-address folder it is stored in a record like any folder.

#include "quillon/QuillonExport.h"
#include "pellam/Ordner.h"

class QUILLON_EXPORT TGrpAdrOrdnerIntern : public TOrdner {
public:
    // The arguments go to TOrdner.
    TGrpAdrOrdnerIntern(HWND owner, int32_t system, int32_t parent, std::string name,
                        int32_t art);
    ~TGrpAdrOrdnerIntern() override;

    // The bare name whatever the argument: the folder never shows a position.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;             // 204
    int ListStyle() override;          // 0
    int GetIcon() override;            // 21
    bool AllowChild(int typ) override; // false
    // The folder's identity fields, as every folder writes them.
    void Write(TDatenStruktur& record) override;
    // The identity from the record, as the node base takes it.
    void InitFromDB(TDatenStruktur& record) override;
};
