// The property of ETS's events (EtsEventProperty.h) for fixed seeds: the byte strings the
// fuzz target ets_events starts from, then a few hundred drawn from fixed seeds.
#include "EtsEventProperty.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Three bytes a step: what, then two arguments (EtsEventProperty.h, TProperty::Step).
struct TFolge {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

TEST(EtsEventProperty, HoldsForTheNamedSequences)
{
    const TFolge folgen[] = {
        // An edit kept, with a link for the other device and the person's edit inside it.
        {"edit, link, person, keep", {0, 6, 5, 0, 0, 1, 2, 0, 0, 3, 1, 0}},
        // Another program writes: the edit is not raised; it reads: the creation fails at its end.
        {"edit while another program writes", {4, 1, 0, 0, 6, 5, 5, 0, 0, 0, 6, 5}},
        {"create while another program reads", {4, 0, 0, 0, 2, 1, 5, 0, 0, 0, 2, 1}},
        // A refused write the handler does not look at, outside and inside a period.
        {"full store", {6, 1, 0, 0, 3, 3, 0, 6, 5, 0, 0, 3, 2, 0, 0, 3, 1, 0, 6, 0, 0, 3, 1, 0}},
        // The return fails on a reader's lock; the next edit begins afresh.
        {"return on a lock", {0, 6, 5, 2, 0, 0, 4, 0, 0, 3, 1, 0, 5, 0, 0, 0, 6, 5, 3, 1, 0}},
        // ETS deletes the device being edited; the editor restarts in the middle of an edit.
        {"delete and restart", {0, 6, 5, 7, 1, 0, 0, 14, 5, 2, 0, 0, 7, 0, 0, 0, 7, 1}},
    };
    for (const TFolge& folge : folgen) {
        SCOPED_TRACE(folge.name);
        EXPECT_EQ(ets_property::RunEtsEventProperty(folge.bytes.data(), folge.bytes.size()), "");
    }
}

TEST(EtsEventProperty, HoldsForFixedSeeds)
{
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> bytes(3 * (8 + seed % 24));
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        const std::string broken = ets_property::RunEtsEventProperty(bytes.data(), bytes.size());
        ASSERT_EQ(broken, "") << "seed " << seed;
    }
}

} // namespace
