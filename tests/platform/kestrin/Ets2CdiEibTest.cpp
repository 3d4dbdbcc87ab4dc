#include "EtsTestProject.h"
#include "support/EtsMeterRecorder.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace {

constexpr std::uint16_t kAddress = 0x1203;

// A device at 01.02.003 with 16 bytes of memory: byte i holds i.
class EtsBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        project.Sql("INSERT INTO bus_image VALUES (4611, x'000102030405060708090A0B0C0D0E0F')");
        ASSERT_EQ(project.ets.EibSetAddress(1, kAddress), 0);
        ASSERT_EQ(project.ets.EibStartComm(), 0);
    }

    std::vector<std::uint8_t> Image()
    {
        std::vector<std::uint8_t> image(16);
        EXPECT_EQ(project.ets.EibReadMemBlock(image, 0, 0, 15), 0);
        return image;
    }

    TEtsTestProject project;
};

TEST_F(EtsBus, ReadsAreBoundedByTheBufferAndTheMemory)
{
    const struct {
        const char* name;
        std::uint16_t first, again, end;
        std::size_t buffer;
        bool ok;
        std::size_t filled; // bytes from first
    } rows[] = {
        {"whole memory, end inclusive", 0, 0, 15, 16, true, 16},
        {"last byte", 15, 15, 15, 1, true, 1},
        {"end one past the buffer", 14, 14, 16, 2, true, 2},
        {"end far past the buffer", 0, 0, 0xFFFF, 4, true, 4},
        {"buffer larger than the block", 3, 3, 4, 8, true, 2},
        {"a byte beyond the memory", 14, 14, 16, 3, false, 0},
        {"first beyond the memory", 16, 16, 16, 1, false, 0},
        {"empty buffer", 0, 0, 3, 0, true, 0},
        {"end before first", 5, 5, 4, 4, false, 0},
        {"first given twice differently", 5, 6, 8, 4, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // A guard byte after the caller's buffer must never change.
        std::vector<std::uint8_t> space(row.buffer + 1, 0xEE);
        const int result = project.ets.EibReadMemBlock({space.data(), row.buffer}, row.first, row.again, row.end);
        EXPECT_EQ(result == 0, row.ok) << result;
        for (std::size_t i = 0; i < space.size(); ++i)
            EXPECT_EQ(space[i], i < row.filled ? row.first + i : 0xEE) << "byte " << i;
    }
}

TEST_F(EtsBus, WritesChangeOnlyTheBytesOfTheirDataThroughTheMask)
{
    // Three bytes with an end address one past them (as the clock is written): byte 7 stays.
    const std::array<std::uint8_t, 3> data = {0xA1, 0xA2, 0xA3};
    const std::array<std::uint8_t, 3> all = {0xFF, 0xFF, 0xFF};
    ASSERT_EQ(project.ets.EibWriteMemBlock(data, 4, 4, 7, all), 0);
    auto expected = Image();
    EXPECT_EQ(expected[3], 3);
    EXPECT_EQ(expected[4], 0xA1);
    EXPECT_EQ(expected[6], 0xA3);
    EXPECT_EQ(expected[7], 7);

    // Only the bits of the mask change.
    const std::array<std::uint8_t, 1> one = {0xF0};
    const std::array<std::uint8_t, 1> mask = {0x3C};
    ASSERT_EQ(project.ets.EibWriteMemBlock(one, 9, 9, 9, mask), 0);
    EXPECT_EQ(Image()[9], (0x09 & ~0x3C) | (0xF0 & 0x3C));

    // Refused writes change nothing.
    const auto before = Image();
    const std::array<std::uint8_t, 2> two = {1, 2};
    EXPECT_NE(project.ets.EibWriteMemBlock(two, 15, 15, 16, all), 0) << "a byte beyond the memory";
    EXPECT_NE(project.ets.EibWriteMemBlock(data, 0, 0, 2, one), 0) << "mask shorter than the data";
    EXPECT_NE(project.ets.EibWriteMemBlock(data, 2, 3, 4, all), 0);
    EXPECT_EQ(Image(), before);
    // The last byte of the memory can be written.
    ASSERT_EQ(project.ets.EibWriteMemBlock(two, 15, 15, 15, std::span(all).first(1)), 0) << "bounded by the end";
    EXPECT_EQ(Image()[15], 1);
}

TEST_F(EtsBus, ConnectionRules)
{
    auto& ets = project.ets;
    std::uint8_t byte = 0;
    ASSERT_EQ(ets.EibStopComm(), 0);
    EXPECT_NE(ets.EibReadMemBlock({&byte, 1}, 0, 0, 0), 0) << "no connection";
    EXPECT_NE(ets.EibStopComm(), 0);
    EXPECT_NE(ets.EibSetAddress(2, kAddress), 0) << "mode";
    ASSERT_EQ(ets.EibSetAddress(1, 0x1204), 0);
    EXPECT_NE(ets.EibStartComm(), 0) << "no device answers there";
    ASSERT_EQ(ets.EibSetAddress(1, kAddress), 0);
    ASSERT_EQ(ets.EibStartComm(), 0);
    EXPECT_EQ(ets.EibReadMemBlock({&byte, 1}, 2, 2, 2), 0);
    EXPECT_EQ(byte, 2);
}

// The event memory read in blocks of 255 bytes with inclusive end addresses, as the editor
// reads area A (0xA332 .. 0xAD32) into its 2560-byte buffer: the last block would be 11
// bytes for 10 left in the buffer.
TEST(EtsBusEventMemory, BlockLoopStaysInsideTheCallersBuffer)
{
    TEtsTestProject project;
    project.Sql("INSERT INTO bus_image VALUES (4611, zeroblob(48000))");
    std::vector<std::uint8_t> pattern(0xAD33 - 0xA332 + 1);
    std::iota(pattern.begin(), pattern.end(), std::uint8_t{1});
    const std::vector<std::uint8_t> mask(pattern.size(), 0xFF);
    auto& ets = project.ets;
    ASSERT_EQ(ets.EibSetAddress(1, kAddress), 0);
    ASSERT_EQ(ets.EibStartComm(), 0);
    ASSERT_EQ(ets.EibWriteMemBlock(pattern, 0xA332, 0xA332, 0xAD33, mask), 0);

    std::vector<std::uint8_t> buffer(2560 + 16, 0xEE);
    const std::span<std::uint8_t> records(buffer.data(), 2560);
    std::uint16_t start = 0xA332, end = start + 254;
    std::size_t position = 0, blocks = 0;
    while (start <= 0xAD32) {
        ASSERT_EQ(ets.EibReadMemBlock(records.subspan(position), start, start, end), 0) << "block " << blocks;
        position += end + 1 - start;
        start = end + 1;
        end = std::min<std::uint16_t>(start + 254, 0xAD32);
        ++blocks;
    }
    EXPECT_EQ(blocks, 11u);
    EXPECT_TRUE(std::equal(records.begin(), records.end(), pattern.begin()));
    for (std::size_t i = 2560; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], 0xEE) << "byte " << i << " beyond the buffer";
}

TEST(EtsMeter, CallsReachTheDisplayOfTheMeter)
{
    TEtsTestProject project;
    TEtsMeterRecorder display;
    project.ets.SetMeterDisplay(&display);
    HWND owner = reinterpret_cast<HWND>(0x10);
    HWND meter = project.ets.CoMeterDlgOpen(owner, 2);
    ASSERT_NE(meter, nullptr);
    project.ets.CoMeterSetCaption(meter, "Ets-Projekt-Import");
    project.ets.CoMeterSetPosition(meter, 10);
    project.ets.CoMeterSetText(meter, 1, "Gerät");
    project.ets.CoMeterSetText(meter, 3, "no such line");
    EXPECT_FALSE(project.ets.CoMeterGetAbortFlag(meter));
    display.SetAbort(true);
    EXPECT_TRUE(project.ets.CoMeterGetAbortFlag(meter));
    project.ets.CoMeterDlgClose(meter);
    // A closed meter takes nothing more.
    project.ets.CoMeterSetCaption(meter, "late");
    EXPECT_FALSE(project.ets.CoMeterGetAbortFlag(meter));
    project.ets.CoMeterDlgClose(meter);

    using K = TMeterCall::TKind;
    EXPECT_EQ(display.Calls(), (std::vector<TMeterCall>{{K::Open, meter, 2, ""},
                                                        {K::Caption, meter, 0, "Ets-Projekt-Import"},
                                                        {K::Position, meter, 10, ""},
                                                        {K::Text, meter, 1, "Gerät"},
                                                        {K::Close, meter, 0, ""}}));
    EXPECT_EQ(display.LastOwner(), owner);

    // Without a display of its own a meter writes to standard error and never aborts.
    project.ets.SetMeterDisplay(nullptr);
    testing::internal::CaptureStderr();
    meter = project.ets.CoMeterDlgOpen(nullptr, 13);
    project.ets.CoMeterSetCaption(meter, "Ets-Gerät kopieren");
    EXPECT_FALSE(project.ets.CoMeterGetAbortFlag(meter));
    project.ets.CoMeterDlgClose(meter);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Ets-Gerät kopieren"), std::string::npos);
}

} // namespace
