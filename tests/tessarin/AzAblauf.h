#pragma once
// The messages a node sent or posted to the main-window double, as readable steps: a request
// becomes "request <code>", the record and refresh messages their names. Lets a test state
// the order of requests and refreshes in one list.

#include "quillon/UserMessages.h"
#include "support/MainWindowDouble.h"

#include <string>
#include <vector>

inline std::vector<std::string> AzAblauf(const TMainWindowDouble& main)
{
    std::vector<std::string> steps;
    // Clear() drops the recorded messages but not the recorded requests: the requests that
    // belong to the messages still recorded are the last ones.
    std::size_t sends = 0;
    for (const TRecordedMessage& m : main.Messages())
        sends += m.message == UM_UserDeviceMessage ? 1 : 0;
    const std::size_t all = main.DeviceRequests().size();
    std::size_t request = all >= sends ? all - sends : 0;
    for (const TRecordedMessage& m : main.Messages()) {
        switch (m.message) {
        case UM_UserDeviceMessage:
            steps.push_back(request < main.DeviceRequests().size()
                                ? "request " + std::to_string(main.DeviceRequests()[request].Code)
                                : "request ?");
            ++request;
            break;
        case UM_GetDatenSatz:
            steps.emplace_back("UM_GetDatenSatz");
            break;
        case UM_GetDatenSatzByHandle:
            steps.emplace_back("UM_GetDatenSatzByHandle");
            break;
        case UM_GetEtsDeviceParam:
            steps.emplace_back("UM_GetEtsDeviceParam");
            break;
        case UM_AbgleichFormVerw:
            steps.emplace_back("UM_AbgleichFormVerw");
            break;
        case UM_AktualisiereAnsicht:
            steps.emplace_back("UM_AktualisiereAnsicht");
            break;
        case UM_AktualisiereAndereAnsichten:
            steps.emplace_back("UM_AktualisiereAndereAnsichten");
            break;
        case UM_UpdateTreeNamesAndIcon:
            steps.emplace_back("UM_UpdateTreeNamesAndIcon");
            break;
        case UM_SetActiveCell:
            steps.emplace_back("UM_SetActiveCell");
            break;
        default:
            steps.push_back("WM_USER+" + std::to_string(static_cast<long long>(m.message) - WM_USER));
            break;
        }
    }
    return steps;
}
