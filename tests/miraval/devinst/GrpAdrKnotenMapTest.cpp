// The group-address nodes of one level by ETS id: taken over one by one or as a read's lot,
// the map holds the same entries in id order, and an id that has a node keeps it.

#include "miraval/devinst/GrpAdrKnotenMap.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using TMap = TGrpAdrKnotenMap<std::string>;
using TEintraege = std::vector<std::pair<std::int32_t, std::string>>;

TEintraege Eintraege(const TMap& map)
{
    TEintraege out;
    for (const auto& [id, knoten] : map)
        out.emplace_back(id, *knoten);
    return out;
}

TEST(GrpAdrKnotenMap, KeepsIdOrderAndTheNodeThereFirst)
{
    const struct {
        const char* name;
        TEintraege vorher, neu, erwartet;
    } rows[] = {
        {"empty map, ids out of order", {}, {{5, "a"}, {2, "b"}, {9, "c"}}, {{2, "b"}, {5, "a"}, {9, "c"}}},
        {"between, before and after", {{4, "alt"}, {8, "alt"}}, {{9, "n"}, {1, "n"}, {6, "n"}},
         {{1, "n"}, {4, "alt"}, {6, "n"}, {8, "alt"}, {9, "n"}}},
        {"an id with a node keeps it", {{2, "alt"}, {7, "alt"}}, {{7, "neu"}, {3, "neu"}},
         {{2, "alt"}, {3, "neu"}, {7, "alt"}}},
        {"of repeated new ids the first", {}, {{4, "x"}, {1, "y"}, {4, "z"}}, {{1, "y"}, {4, "x"}}},
        {"nothing new", {{3, "alt"}}, {}, {{3, "alt"}}},
    };
    for (const auto& row : rows) {
        for (const bool alsLos : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (alsLos ? ", as one lot" : ", one by one"));
            TMap map;
            for (const auto& [id, text] : row.vorher)
                map.emplace(id, std::make_unique<std::string>(text));
            if (alsLos) {
                std::vector<TMap::value_type> los;
                for (const auto& [id, text] : row.neu)
                    los.emplace_back(id, std::make_unique<std::string>(text));
                map.Aufnehmen(std::move(los));
            } else {
                for (const auto& [id, text] : row.neu) {
                    const bool frei = !map.contains(id);
                    EXPECT_EQ(map.emplace(id, std::make_unique<std::string>(text)).second, frei);
                }
            }
            EXPECT_EQ(Eintraege(map), row.erwartet);
            for (const auto& [id, text] : row.erwartet)
                EXPECT_EQ(*map.at(id), text);
            EXPECT_EQ(map.find(0), map.end());
            EXPECT_THROW(map.at(0), std::out_of_range);
        }
    }
}

} // namespace
