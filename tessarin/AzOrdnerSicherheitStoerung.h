#pragma once
// The folder under which the editor places the security and fault items (system security
// among them). A folder has no settings, no rows and no device parameters; the editor
// lists its children.

#include "pellam/Ordner.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <string>

class TESSARIN_EXPORT TAzOrdnerSicherheitStoerung : public TOrdner {
public:
    static constexpr int kTyp = 6144;
    static constexpr int kIcon = 56;

    // The arguments go to TOrdner unchanged; the folder sets nothing of its own.
    TAzOrdnerSicherheitStoerung(HWND owner, int32_t system, int32_t parent, std::string name,
                                int32_t art);
    ~TAzOrdnerSicherheitStoerung() override;

    int GetTyp() override;
    int GetIcon() override;
};
