// The Windows-1252 codec: any bytes convert to valid UTF-8, and back to the same bytes.
#include "win32/CodePage1252.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = Cp1252ToUtf8(bytes);
    if (!IsValidUtf8(utf8))
        std::abort();
    const TCp1252Result back = Utf8ToCp1252(utf8);
    if (back && back.bytes != bytes)
        std::abort();
    // And arbitrary bytes as UTF-8 are refused or converted, never more.
    (void)Utf8ToCp1252(bytes);
    (void)FindNotInCp1252(bytes);
    return 0;
}
