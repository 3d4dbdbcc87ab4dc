#pragma once
// The folder of the arming areas ("Scharfschaltung"). The editor creates it once under the
// device node and places the arming areas SSB 1 to SSB 4 in it. A plain folder: no
// settings, no rows of its own, no device parameters; its page lists its children.

#include "pellam/Ordner.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <string>

class TESSARIN_EXPORT TAzOrdnerScharfschaltung : public TOrdner {
public:
    static constexpr int kTyp = 6131;
    static constexpr int kIcon = 40;

    // The arguments go to TOrdner unchanged.
    TAzOrdnerScharfschaltung(HWND owner, int32_t system, int32_t parent, std::string name,
                             int32_t art);
    ~TAzOrdnerScharfschaltung() override;

    int GetTyp() override;
    int GetIcon() override;
};
