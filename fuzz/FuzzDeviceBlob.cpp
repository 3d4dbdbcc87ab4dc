// The device blob loaded into an alarm-centre device instance (records, handle source, node
// tree), as GetDataFromServer loads what ETS holds.
#include "EditorHostDouble.h"

#include "miraval/devinst/DevInstAz.h"
#include "win32/MessageBox.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool hooked = [] {
        SetMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
        return true;
    }();
    (void)hooked;
    TEditorHostDouble host;
    DAL_DEVICE device;
    device.DeviceId = 1;
    std::strcpy(device.ProductName, "Alarmzentrale");
    TDeviceInstanzAz inst(host, device, nullptr);
    host.window.SetAktDevInst(&inst);
    inst.SetBlob(std::string(reinterpret_cast<const char*>(data), size));
    try {
        (void)inst.InitData();
    } catch (const E_Basis&) {
        // A structural fault is reported to the user, as the editor does.
    }
    host.window.SetAktDevInst(nullptr);
    return 0;
}
