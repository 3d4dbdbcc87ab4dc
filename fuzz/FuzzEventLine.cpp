// The ETS event-channel line (TEtsEventChannel::Parse).
#include "kestrin/EtsEventChannel.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    (void)TEtsEventChannel::Parse(std::string(reinterpret_cast<const char*>(data), size), error);
    return 0;
}
