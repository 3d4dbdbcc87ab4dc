// A safety copy restored into the loaded demo alarm centre, as the restore does (VireoImport
// with the group-address links). A copy the import refuses leaves the device and ETS as they
// were; one that only lost links whose group addresses do not convert is not a refusal.
#include "FuzzDemoGeraet.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzDemoGeraet& geraet = TFuzzDemoGeraet::Instanz();
    const std::string kopie(reinterpret_cast<const char*>(data), size);
    geraet.Pruefe([&] { return geraet.Inst().VireoImport(kopie, true); },
                  [&] { return !geraet.LinksVerworfen(); }, true);
    return 0;
}
