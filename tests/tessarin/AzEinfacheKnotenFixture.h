#pragma once
// Shared set-up of the node tests of the simpler alarm-centre classes (areas, folders,
// texts, clock, security, durations, bus objects): a node under the editor's main-window
// double, its record in the device's records, a property grid and scripted message boxes.

#include "support/EtsDeviceParamRecorder.h"
#include "quillon/DatenStruktur.h"
#include "rastow/DrawGridSE.h"
#include "support/MainWindowDouble.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace AzEinfach {

constexpr int32_t kHandle = 7;
constexpr int32_t kParent = 2;
constexpr int32_t kSystem = 1;
// wParam of the node's UM_GetDatenSatz: System high, parent low.
constexpr WPARAM kRecordKey = (static_cast<WPARAM>(kSystem) << 16) | static_cast<WPARAM>(kParent);

inline TRecordedMessage SendGetDatenSatz()
{
    return SentMessage(UM_GetDatenSatz, kRecordKey, kHandle);
}
// A grid cell as the messages carry it (column in wParam, row in lParam).
inline TRecordedMessage PostCell(UINT message, int column, int row)
{
    return PostedMessage(message, static_cast<WPARAM>(static_cast<intptr_t>(column)), row);
}

inline TDatenStruktur NodeRecord(int16_t typ = 0)
{
    TDatenStruktur r;
    r.Handle = kHandle;
    r.Parent = kParent;
    r.System = kSystem;
    r.Typ = typ;
    return r;
}

// The editor's answer to request code 8 of UM_UserObjectMessage, played on the double's
// device parameters: it reads the parameter (Wert5, low 16 bits) with its object list; when
// ETS lists objects and the parameter already holds the count (Wert6 above 0) nothing
// changes; otherwise the count is written. Nonzero when done, 0 when ETS is not reachable
// or a call fails.
// `ets` is read at each request; null plays "ETS not reachable".
inline void AnswerObjectCode8(TMainWindowDouble& main, TEtsDeviceParam*& ets)
{
    main.OnObjectRequest(8, [&ets](TUserDeviceRequest& r) -> LRESULT {
        if (ets == nullptr)
            return 0;
        const auto number = static_cast<int16_t>(r.Wert5 & 0xFFFF);
        std::vector<tagDAL_OBJECT_INFO> objects;
        int32_t value = 0;
        if (ets->GetDeviceParamData(number, value, objects) != ETS_PARAM_OK)
            return 0;
        if (!objects.empty() && r.Wert6 > 0 && value == r.Wert6)
            return 1;
        return ets->SetDeviceParamData(number, r.Wert6, objects) == ETS_PARAM_OK ? 1 : 0;
    });
}

template <class Node> class TFixture : public ::testing::Test {
protected:
    TFixture()
    {
        knoten.SetHandle(kHandle);
        main.AddRecord(NodeRecord());
    }

    // Shows the node's rows; the messages of building are dropped.
    void Show()
    {
        knoten.BuildInfoWindow(&grid, nullptr, false, -1, -1);
        main.Clear();
    }

    TDatenStruktur& Record() { return *main.FindRecord(kHandle); }
    std::vector<std::pair<int16_t, int32_t>> Writes() { return main.DeviceParams().Writes(); }

    TMainWindowDouble main;
    Node knoten{main.Handle(), kSystem, kParent, "Knoten", 0};
    TDrawGridSE grid;
    TScriptedMessageBox boxes;
};

using TWrites = std::vector<std::pair<int16_t, int32_t>>;
using TMessages = std::vector<TRecordedMessage>;

} // namespace AzEinfach
