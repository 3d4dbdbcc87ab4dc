// ETS's events as transactions of the store (tests/platform/kestrin/EtsEventProperty.h): any
// sequence of lines, edits, returns, another program's locks, a full store and restarts keeps
// every event whole or not at all, as its answer says.
#include "EtsEventProperty.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string broken = ets_property::RunEtsEventProperty(data, size); !broken.empty()) {
        std::fprintf(stderr, "ETS event property broken: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
