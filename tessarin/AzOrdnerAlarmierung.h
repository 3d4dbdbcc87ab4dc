#pragma once
// The folder of the alarming nodes (TAzAlarmierung), which the editor also fills with the
// alarm durations and the bus objects for alarming. A folder: no settings, no rows, no
// device parameters.

#include "pellam/Ordner.h"
#include "tessarin/TessarinExport.h"

#include <cstdint>
#include <string>

class TESSARIN_EXPORT TAzOrdnerAlarmierung : public TOrdner {
public:
    TAzOrdnerAlarmierung(HWND owner, int32_t system, int32_t parent, std::string name,
                         int32_t art);
    ~TAzOrdnerAlarmierung() override;

    int GetTyp() override;
    int GetIcon() override;
};
