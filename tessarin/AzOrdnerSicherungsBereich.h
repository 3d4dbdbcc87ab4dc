#pragma once
// The folder of the security areas: the fire and hold-up areas and security areas 1 to 4
// stand under it. A folder has no settings, no rows and no device parameters; the editor
// lists its children.

#include "pellam/Ordner.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <string>

class TESSARIN_EXPORT TAzOrdnerSicherungsBereich : public TOrdner {
public:
    static constexpr int kTyp = 6122;
    static constexpr int kIcon = 31;

    // The arguments go to TOrdner unchanged; the folder sets nothing of its own.
    TAzOrdnerSicherungsBereich(HWND owner, int32_t system, int32_t parent, std::string name,
                               int32_t art);
    ~TAzOrdnerSicherungsBereich() override;

    int GetTyp() override;
    int GetIcon() override;
};
