#pragma once
// An alarm-centre device instance with the editor around it for the tests of the new device
// structure, the deletions and the device parameters. The main window answers the nodes'
// record messages through the instance; the editor's side of the object requests (code 8 of
// UM_UserObjectMessage, sent by ModifyObject) is played here and every request is kept; the
// device parameters go to a recorder; group addresses are known under their id as word.

#include "EditorHostDouble.h"

#include "miraval/devinst/DevInstAz.h"
#include "InstanzFenster.h"
#include "support/EtsDeviceParamRecorder.h"
#include "pellam/DataBasis.h"
#include "quillon/UserMessages.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// One ModifyObject request as the editor received it: sender, 0 off / other on, object number.
struct TObjektAnfrage {
    int32_t handle;
    int32_t wert;
    int32_t nummer;
    int32_t offset;

    bool operator==(const TObjektAnfrage&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const TObjektAnfrage& a)
{
    return out << "{" << a.handle << ", " << a.wert << ", " << a.nummer << ", " << a.offset << "}";
}

inline DAL_DEVICE AzGeraet()
{
    DAL_DEVICE device;
    device.DeviceId = 1; // the alarm centre of the ETS test project
    std::strcpy(device.ProductName, "Alarmzentrale");
    return device;
}

struct TAzUmgebung {
    explicit TAzUmgebung(TEts2Cdi* ets = nullptr) : host(ets)
    {
        host.window.SetAktDevInst(&inst);
        SetWindowProcedure(host.GetHandle(), [this](HWND w, UINT msg, WPARAM wp, LPARAM lp) {
            return Fenster(w, msg, wp, lp);
        });
    }

    LRESULT Fenster(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        switch (msg) {
        case UM_UserObjectMessage:
            if (auto* r = reinterpret_cast<TUserDeviceRequest*>(lp); r != nullptr && r->Code == 8) {
                EXPECT_EQ(r->Wert8 & 0xFF, 1) << "ModifyObject asks";
                anfragen.push_back({r->Handle, r->Wert6, r->Wert5, r->Wert7});
                return objektAntwort;
            }
            break;
        case UM_GetEtsDeviceParam:
            return reinterpret_cast<LRESULT>(&parameter);
        case UM_GetGrpAdrNr:
            if (auto* text = reinterpret_cast<std::string*>(lp))
                *text = std::to_string(wp);
            return 1;
        case UM_GetGrpAdrNrAsZahl:
            if (auto* wort = reinterpret_cast<uint16_t*>(lp))
                *wort = static_cast<uint16_t>(wp);
            return 1;
        default:
            break;
        }
        bool handled = false;
        return DevInstMessage(&inst, w, msg, wp, lp, handled);
    }

    // The record of the node with that handle.
    const TDatenStruktur* Satz(int32_t handle)
    {
        TDataBasis* node = inst.FindHandle(handle);
        return node != nullptr ? inst.FindDatenSatz(node->GetSystem(), -1, handle) : nullptr;
    }
    // Handles of the registered nodes of a type, ascending.
    std::vector<int32_t> Knoten(int typ) const
    {
        std::vector<int32_t> handles;
        for (const auto& [handle, node] : inst.GetKnoten())
            if (node->GetTyp() == typ)
                handles.push_back(handle);
        return handles;
    }

    TScriptedMessageBox boxen{IDYES};
    TEditorHostDouble host;
    TEtsDeviceParamRecorder parameter;
    TDeviceInstanzAz inst{host, AzGeraet(), nullptr};
    std::vector<TObjektAnfrage> anfragen;
    LRESULT objektAntwort = 1;
};
