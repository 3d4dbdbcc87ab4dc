// A sequence of a person's operations on the demo alarm centre or a new device of any variant
// (tests/miraval/devinst/Bedienfolge.h decodes the bytes), stored and passed through every
// reader of a stored configuration: each must take it and read it back the same. Each input
// runs in an ETS write burst that is never stored, on the device as the process stored it
// once. Only the first kMaxBytes bytes are read: a sequence longer than that proves nothing
// more and would outlast the run's time-out.
#include "Bedienfolge.h"

#include "DemoProject.h"
#include "kestrin/EtsTransaction.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxBytes = 192;

class TProjekt {
public:
    TProjekt()
        : m_datei(std::filesystem::temp_directory_path() / ("miraval-fuzz-edits-" + std::to_string(getpid()) + ".db"))
    {
        std::filesystem::remove(m_datei);
        if (!BuildDemoProject(m_datei) || !ets.OpenProjectStore(m_datei))
            Abbruch("the demo project store cannot be made");
        (void)SetMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
        TAzGeraet geraet{ets, kDemoAlarmCentreId};
        if (!geraet.inst.GetDataFromServer(geraet.host.GetHandle(), false))
            Abbruch("the demo alarm centre does not load");
    }
    ~TProjekt()
    {
        ets.CloseProjectStore();
        std::error_code ec;
        std::filesystem::remove(m_datei, ec);
    }
    [[noreturn]] static void Abbruch(const char* grund)
    {
        std::fprintf(stderr, "fuzz set-up: %s\n", grund);
        std::abort();
    }

    std::filesystem::path m_datei;
    TEts2Cdi ets{nullptr, kDemoModuleName, false};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TProjekt projekt;
    const std::vector<std::uint8_t> bytes(data, data + std::min(size, kMaxBytes));
    std::vector<std::string> fehler;
    {
        TEtsTransaction burst(&projekt.ets);
        TAzGeraet geraet{projekt.ets, kDemoAlarmCentreId};
        if (!geraet.inst.GetDataFromServer(geraet.host.GetHandle(), false))
            TProjekt::Abbruch("the demo alarm centre does not load");
        fehler = Bedienfolge::TFolge(geraet, bytes).Pruefen(projekt.ets);
    }
    if (fehler.empty())
        return 0;
    std::fprintf(stderr, "A configuration the program made is not taken and read back by every reader:\n");
    for (const std::string& f : fehler)
        std::fprintf(stderr, "  %s\n", f.c_str());
    std::abort();
}
