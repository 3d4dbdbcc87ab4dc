#pragma once
// The folder above the ETS group addresses of a device (type 203). The editor fills it with
// the main group nodes; it is never stored in a record and takes no child or drop.

#include "quillon/QuillonExport.h"
#include "pellam/Ordner.h"

class QUILLON_EXPORT TGrpAdrOrdner : public TOrdner {
public:
    // The arguments go to TOrdner; the editor gives (main window, 0, 0, the folder's text, 1).
    TGrpAdrOrdner(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TGrpAdrOrdner() override;

    // The bare name whatever the argument: the folder never shows a position.
    std::string GetName(bool mitPosition) const override;
    int GetTyp() override;             // 203
    int ListStyle() override;          // 0
    int GetIcon() override;            // 7
    bool AllowChild(int typ) override; // false
    // The folder lives only in the tree: nothing is written or read.
    void Write(TDatenStruktur& record) override;
    void InitFromDB(TDatenStruktur& record) override;
};
