// The bus calls of TEts2Cdi, over the memory images in the project store.
#include "kestrin/Ets2Cdi.h"

#include "kestrin/Ets2Cdi_p.h"

#include <algorithm>

using namespace kestrin_detail;

namespace {

// Nonzero results; the callers only test for 0.
constexpr int kBusOk = 0;
constexpr int kBusNoStore = 1;
constexpr int kBusRefused = 2;       // wrong mode, no address, no connection, bad arguments
constexpr int kBusNoDevice = 3;      // no device answers at the address
constexpr int kBusNoMemory = 4;      // a byte outside the device's memory
constexpr int kBusFailed = 5;        // the store failed

} // namespace

int TEts2Cdi::EibSetAddress(int mode, std::uint16_t physicalAddress)
{
    if (!m_db)
        return Fail("EibSetAddress", "no project store is open"), kBusNoStore;
    if (mode != 1)
        return Fail("EibSetAddress", "unknown mode " + std::to_string(mode)), kBusRefused;
    m_busAddress = physicalAddress;
    m_busOpen = false;
    return kBusOk;
}

int TEts2Cdi::EibStartComm()
{
    if (!m_db)
        return Fail("EibStartComm", "no project store is open"), kBusNoStore;
    if (!m_busAddress)
        return Fail("EibStartComm", "no address set"), kBusRefused;
    try {
        TStatement device(Cache(), "SELECT count(*) FROM bus_image WHERE physical_address = ?");
        device.Bind(1, *m_busAddress);
        if (!device.Step() || device.Int(0) == 0)
            return Fail("EibStartComm", "no device answers at " + std::to_string(*m_busAddress)), kBusNoDevice;
    } catch (const TSqlError& e) {
        return Fail("EibStartComm", e), kBusFailed;
    }
    m_busOpen = true;
    return kBusOk;
}

int TEts2Cdi::EibStopComm()
{
    const bool wasOpen = m_busOpen;
    m_busOpen = false;
    return wasOpen ? kBusOk : (Fail("EibStopComm", "no connection"), kBusRefused);
}

int TEts2Cdi::CheckBlockCall(const char* call, std::uint16_t first, std::uint16_t firstAgain,
                             std::uint16_t end)
{
    if (!m_busOpen)
        return Fail(call, "no connection"), kBusRefused;
    if (first != firstAgain || end < first)
        return Fail(call, "addresses " + std::to_string(first) + ", " + std::to_string(firstAgain) + ", "
                              + std::to_string(end)),
               kBusRefused;
    return kBusOk;
}

int TEts2Cdi::EibReadMemBlock(std::span<std::uint8_t> buffer, std::uint16_t first, std::uint16_t firstAgain,
                              std::uint16_t end)
{
    const char* call = "EibReadMemBlock";
    if (const int refused = CheckBlockCall(call, first, firstAgain, end))
        return refused;
    // Never beyond the caller's buffer, whatever end says.
    const std::size_t count = std::min<std::size_t>(std::size_t(end) - first + 1, buffer.size());
    if (count == 0)
        return kBusOk;
    try {
        TStatement read(Cache(), "SELECT substr(image, ?2, ?3), length(image) FROM bus_image WHERE physical_address = ?1");
        read.Bind(1, *m_busAddress).Bind(2, std::int64_t(first) + 1).Bind(3, static_cast<std::int64_t>(count));
        if (!read.Step())
            return Fail(call, "the device no longer answers"), kBusNoDevice;
        if (std::size_t(first) + count > static_cast<std::size_t>(read.Int(1)))
            return Fail(call, "outside the device's memory"), kBusNoMemory;
        const auto bytes = read.Blob(0);
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return kBusOk;
    } catch (const TSqlError& e) {
        return Fail(call, e), kBusFailed;
    }
}

int TEts2Cdi::EibWriteMemBlock(std::span<const std::uint8_t> data, std::uint16_t first, std::uint16_t firstAgain,
                               std::uint16_t end, std::span<const std::uint8_t> mask)
{
    const char* call = "EibWriteMemBlock";
    if (const int refused = CheckBlockCall(call, first, firstAgain, end))
        return refused;
    // Never more than the caller's data, whatever end says.
    const std::size_t count = std::min<std::size_t>(std::size_t(end) - first + 1, data.size());
    if (mask.size() < count)
        return Fail(call, "the mask is shorter than the data"), kBusRefused;
    if (count == 0)
        return kBusOk;
    try {
        TTransaction transaction(Cache());
        TStatement read(Cache(), "SELECT image FROM bus_image WHERE physical_address = ?");
        read.Bind(1, *m_busAddress);
        if (!read.Step())
            return Fail(call, "the device no longer answers"), kBusNoDevice;
        auto image = read.Blob(0);
        if (std::size_t(first) + count > image.size())
            return Fail(call, "outside the device's memory"), kBusNoMemory;
        for (std::size_t i = 0; i < count; ++i) {
            auto& byte = image[first + i];
            byte = static_cast<std::uint8_t>((byte & ~mask[i]) | (data[i] & mask[i]));
        }
        TStatement write(Cache(), "UPDATE bus_image SET image = ? WHERE physical_address = ?");
        write.BindBlob(1, image.data(), image.size()).Bind(2, *m_busAddress).Run();
        transaction.Commit();
        if (m_periodOpen)
            m_periodOutside.push_back({false, {}, {}, {}, *m_busAddress, std::move(image)});
        return kBusOk;
    } catch (const TSqlError& e) {
        return Fail(call, e), kBusFailed;
    }
}
