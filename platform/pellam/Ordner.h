#pragma once
// The base of folder nodes. A folder's page is the list of its children, which the editor
// fills, so a folder draws no grid rows and accepts no child by itself; folder classes give
// only their type and image.

#include "pellam/DataBasis.h"

class TOrdner : public TDataBasis {
public:
    // The arguments are those of TDataBasis.
    TOrdner(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art);
    ~TOrdner() override;

    // 0: the editor lists the folder's children.
    int ListStyle() override;
    // false for every type.
    bool AllowChild(int typ) override;
    // true: a folder has nothing to bring in line.
    bool DatenAbgleich(bool, bool) override;
    // No rows: with a grid it only prepares it (Prepare(2)), as the base does.
    void BuildInfoWindow(TDrawGridSE* grid, TListView* list, bool first, int column,
                         int row) override;
};
