// make-ets-project: writes an ETS project store.
//   make-ets-project demo FILE                     the demo project
//   make-ets-project large FILE [DEVICES [GROUPS]] the demo plus many devices and group
//                                                  addresses (default 5000 and 10000)
// FILE is written whole or not at all: the store is built next to it and then put in its
// place, replacing what was there.

#include "DemoProject.h"
#include "LargeProject.h"

#include <charconv>
#include <iostream>
#include <string>
#include <system_error>

namespace {

bool Count(const char* text, int& value)
{
    const std::string s = text;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

int Usage()
{
    std::cerr << "Usage: make-ets-project demo FILE\n"
                 "       make-ets-project large FILE [DEVICES [GROUPS]]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string kind = argv[1];
    const std::filesystem::path file = argv[2];
    int devices = 5000, groups = 10000;
    if (kind == "demo" ? argc != 3
                       : kind != "large" || argc > 5 || (argc > 3 && !Count(argv[3], devices))
                             || (argc > 4 && !Count(argv[4], groups)))
        return Usage();

    std::filesystem::path part = file;
    part += ".part";
    std::error_code ec;
    std::filesystem::remove(part, ec);
    const TEtsStatus status = kind == "demo" ? BuildDemoProject(part) : BuildLargeProject(part, devices, groups);
    if (!status) {
        std::cerr << "make-ets-project: " << status.message << "\n";
        return 1;
    }
    std::filesystem::rename(part, file, ec);
    if (ec) {
        std::cerr << "make-ets-project: " << file.string() << ": " << ec.message() << "\n";
        std::filesystem::remove(part, ec);
        return 1;
    }
    return 0;
}
