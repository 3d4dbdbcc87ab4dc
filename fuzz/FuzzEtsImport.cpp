// A device file that ETS imports into the loaded demo alarm centre, as the import event does
// (VireoCdiImport, the objects' limits set, then the device stored). The event stores nothing when the import fails:
// the device is then ETS's stored one again, and a failed import must have left it, its ETS
// objects and their links as they were.
#include "FuzzDemoGeraet.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzDemoGeraet& geraet = TFuzzDemoGeraet::Instanz();
    const std::string datei(reinterpret_cast<const char*>(data), size);
    geraet.Pruefe(
        [&] {
            if (geraet.Inst().VireoCdiImport(datei, nullptr)) {
                geraet.Inst().AuswahlGrenzenSetzen();
                if (geraet.Inst().WriteBlob())
                    return true;
            }
            (void)geraet.Inst().GetDataFromServer(geraet.Host().GetHandle(), false);
            return false;
        },
        [] { return true; }, true);
    return 0;
}
