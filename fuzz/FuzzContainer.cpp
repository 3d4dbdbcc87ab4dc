// The configuration container (DatenContainer::ReadContainer) from arbitrary bytes.
#include "miraval/devinst/DatenContainer.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DatenContainer::TContainerInhalt inhalt;
    (void)DatenContainer::ReadContainer(bytes, "fuzz", [](const std::string&) { return true; }, inhalt);
    (void)DatenContainer::VersionCheck(bytes, {});
    (void)DatenContainer::ParseData(bytes, DatenContainer::SektionCompData);
    return 0;
}
