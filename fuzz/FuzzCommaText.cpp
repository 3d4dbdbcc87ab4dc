// Comma text (TStringList): what is read is written so that it reads back the same. The
// first reading may differ from the text (a NUL ends it, blanks around values go), and an
// empty last value is lost on the way back, as the string list is meant to lose it.
#include "vcl/StringList.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringList read;
    read.SetCommaText(std::string(reinterpret_cast<const char*>(data), size));
    TStringList list;
    list.SetCommaText(read.CommaText());
    TStringList again;
    again.SetCommaText(list.CommaText());
    const auto kept = [](const TStringList& l) {
        int count = l.Count();
        while (count > 0 && l[count - 1].empty())
            --count;
        return count;
    };
    if (kept(again) != kept(list))
        std::abort();
    for (int i = 0; i < kept(list); ++i)
        if (again[i] != list[i])
            std::abort();
    return 0;
}
