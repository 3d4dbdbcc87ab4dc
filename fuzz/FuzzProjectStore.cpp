// Opening an ETS project store from arbitrary bytes; what opens is read through the DAL and
// an editing period.
#include "kestrin/Ets2Cdi.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("miraval-fuzz-" + std::to_string(::getpid()) + ".db");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        TEts2Cdi ets(nullptr, "244_ID", false);
        if (ets.OpenProjectStore(file)) {
            DAL_DEVICE device;
            for (int m = DAL_MODE_FIRST; ets.DalGetDeviceData(m, -1, -1, -1, -1, -1, &device) == DAL_OK;
                 m = DAL_MODE_NEXT) {
                const std::uint8_t* blob = nullptr;
                std::uint32_t length = 0;
                (void)ets.BlobRead(blob, length, device.DeviceId);
                TEtsGroupTree tree;
                (void)ets.ReadGroupTree(device.DeviceId, tree);
            }
            tagETSINFO info;
            (void)ets.GetEtsInfo(info);
            if (ets.BeginEditPeriod())
                (void)ets.ReturnToEts(0);
        }
    }
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + "-journal");
    return 0;
}
