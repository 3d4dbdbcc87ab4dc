// Typed group address: whatever parses is in range, gives the same triple in its canonical
// text, and the search text never throws. The second line of the input picks the level style.
#include "miraval/devinst/GrpAdrText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int ebenen = (data[0] & 1) != 0 ? 3 : 2;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    (void)GrpAdrText::StringToSearchGrpAddr(text, "/", ebenen);
    const auto teile = GrpAdrText::Parse(text, ebenen);
    if (!teile)
        return 0;
    if (teile->Main > 15 || teile->Middle > 7 || teile->Sub > 255)
        std::abort();
    const std::string kanonisch =
        ebenen == 3 ? std::to_string(teile->Main) + "/" + std::to_string(teile->Middle) + "/" + std::to_string(teile->Sub)
                    : std::to_string(teile->Main) + "/" + std::to_string(teile->Middle << 8 | teile->Sub);
    if (GrpAdrText::Parse(kanonisch, ebenen) != teile)
        std::abort();
    return 0;
}
