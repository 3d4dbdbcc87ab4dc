// The record line (TDatenStruktur::Fill): what is read is written so that it reads back the
// same. (The first reading may differ from the text by design: an empty name is written as
// the two-character text "", which then reads back as such.)
#include "quillon/DatenStruktur.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    TDatenStruktur record;
    try {
        record.Fill(line);
    } catch (const E_DatenStruktur&) {
        return 0;
    }
    TDatenStruktur written;
    written.Fill(record.GetDatensatzZeile());
    TDatenStruktur again;
    again.Fill(written.GetDatensatzZeile());
    if (!(again == written))
        std::abort();
    return 0;
}
