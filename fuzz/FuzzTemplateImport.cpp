// A template file imported into the loaded demo alarm centre, as the template import does
// (VireoImport); the first byte's lowest bit asks for the group-address links, the rest is the
// file. A file the import refuses leaves the device and ETS as they were; one that only lost
// links whose group addresses do not convert is imported and not a refusal.
#include "FuzzDemoGeraet.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TFuzzDemoGeraet& geraet = TFuzzDemoGeraet::Instanz();
    const bool verknuepfen = (data[0] & 1) != 0;
    const std::string datei(reinterpret_cast<const char*>(data) + 1, size - 1);
    geraet.Pruefe([&] { return geraet.Inst().VireoImport(datei, verknuepfen); },
                  [&] { return !geraet.LinksVerworfen(); }, true);
    return 0;
}
