#include "../kestrin/EtsTestProject.h"
#include "morrow/EtsGruppenAdressen.h"

#include <gtest/gtest.h>

namespace {

// Every sub group of the tree as "text (main number/middle number/ETS id)", in walk order.
std::vector<std::string> WalkTexts(TEtsGruppenAdressen& reader)
{
    std::vector<std::string> texts;
    for (auto* main = reader.GetMainGroupFirst(); main; main = reader.GetMainGroupNext())
        for (auto* middle = reader.GetMiddleGroupFirst(main); middle; middle = reader.GetMiddleGroupNext(main))
            for (auto* sub = reader.GetSubGroupFirst(middle); sub; sub = reader.GetSubGroupNext(middle))
                texts.push_back(TEtsGruppenAdressen::GrpAddrString(sub->GetGrpAddr(), reader.GetDreiEbenen()) + " "
                                + sub->GetName() + " #" + std::to_string(sub->GetNumber()));
    return texts;
}

TEST(EtsGruppenAdressen, ReadsTheTreeInBothLevelStyles)
{
    TEtsTestProject project;
    TEtsGruppenAdressen reader(&project.ets);
    ASSERT_TRUE(reader.Einlesen(1));
    EXPECT_EQ(WalkTexts(reader), (std::vector<std::string>{"0/0/1  #1", "1/2/5 Flur #5", "1/2/6 Bad #6"}));
    auto* main = reader.GetMainGroupFirst();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->GetEtsId(), 2);
    EXPECT_EQ(reader.GetMainGroupNext()->GetName(), "Licht");
    EXPECT_EQ(reader.GetMainGroupNext(), nullptr);
    EXPECT_EQ(reader.FindSubGroup(1)->GetObjektTyp(), 0);
    EXPECT_EQ(reader.FindSubGroup(2)->GetObjektTyp(), -1);

    EXPECT_EQ(reader.GetGrpAddr(1), 0x0A05);
    EXPECT_EQ(reader.GrpAddrString(1), "1/2/5");
    reader.SetDreiEbenen(false);
    EXPECT_EQ(reader.GrpAddrString(1), "1/517");
    ASSERT_TRUE(reader.Einlesen(1));
    EXPECT_EQ(WalkTexts(reader), (std::vector<std::string>{"0/1  #1", "1/517 Flur #517", "1/518 Bad #518"}));

    EXPECT_EQ(reader.GetGrpAddr(999), 0);
    EXPECT_EQ(reader.GrpAddrString(999), "");
    EXPECT_FALSE(reader.Einlesen(99));
    EXPECT_EQ(reader.GetMainGroupFirst(), nullptr);
}

// A store edited by hand past its triggers: a tree that does not hold together is refused
// whole, never half shown, and the next read of a mended store gives the whole tree.
TEST(EtsGruppenAdressen, RefusesATreeThatDoesNotHoldTogether)
{
    TEtsTestProject project;
    TEtsGruppenAdressen reader(&project.ets);
    project.Sql("DROP TRIGGER sub_group_address_insert;"
                "INSERT INTO sub_group (id, middle_group_id, address, name) VALUES (50, 1, 1, 'falsch');");
    EXPECT_FALSE(reader.Einlesen(1));
    EXPECT_EQ(reader.GetMainGroupFirst(), nullptr);
    EXPECT_EQ(reader.FindSubGroup(1), nullptr);

    project.Sql("DELETE FROM sub_group WHERE id = 50;");
    ASSERT_TRUE(reader.Einlesen(1));
    EXPECT_EQ(WalkTexts(reader).size(), 3u);
    EXPECT_EQ(reader.FindSubGroup(1)->GetName(), "Flur");
}

TEST(EtsGruppenAdressen, AddressTexts)
{
    const struct {
        std::uint16_t word;
        const char* three;
        const char* two;
    } rows[] = {{0x7FFF, "15/7/255", "15/2047"}, {0x0000, "0/0/0", "0/0"}, {0x0A05, "1/2/5", "1/517"},
                {0x0001, "0/0/1", "0/1"}, {0x8801, "1/0/1", "1/1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        EXPECT_EQ(TEtsGruppenAdressen::GrpAddrString(row.word, true), row.three);
        EXPECT_EQ(TEtsGruppenAdressen::GrpAddrString(row.word, false), row.two);
    }
}

TEST(EtsGruppenAdressen, PointersOfTheTreeBeforeOutliveARead)
{
    TEtsTestProject project;
    TEtsGruppenAdressen reader(&project.ets);
    ASSERT_TRUE(reader.Einlesen(1));
    TEtsSubGroup* before = reader.FindSubGroup(1);
    ASSERT_TRUE(reader.Einlesen(1));
    // The node that still holds the old pointer may read it until it is rebuilt.
    EXPECT_EQ(before->GetName(), "Flur");
    EXPECT_NE(reader.FindSubGroup(1), before);
    EXPECT_EQ(reader.FindSubGroup(1)->GetEtsId(), 1);
}

TEST(EtsGruppenAdressen, CreateGroupAddressNewAndExisting)
{
    TEtsTestProject project;
    TEtsGruppenAdressen reader(&project.ets);
    TEtsSubGroup* sub = reinterpret_cast<TEtsSubGroup*>(0x1);
    EXPECT_FALSE(reader.CreateGroupAddress(sub, 1, 2, 7, "x")) << "nothing read yet";
    EXPECT_EQ(sub, nullptr);
    ASSERT_TRUE(reader.Einlesen(1));

    // New, in a new main and middle group.
    ASSERT_TRUE(reader.CreateGroupAddress(sub, 3, 4, 200, "Neu"));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetGrpAddr(), (3 << 11) | (4 << 8) | 200);
    EXPECT_EQ(sub->GetName(), "Neu");
    EXPECT_EQ(reader.FindSubGroup(sub->GetEtsId()), sub);
    EXPECT_EQ(WalkTexts(reader).back(), "3/4/200 Neu #200");

    // Existing: true with the sub group already in the tree, name unchanged.
    TEtsSubGroup* existing = nullptr;
    ASSERT_TRUE(reader.CreateGroupAddress(existing, 1, 2, 5, "anders"));
    EXPECT_EQ(existing, reader.FindSubGroup(1));
    EXPECT_EQ(existing->GetName(), "Flur");
    TEtsSubGroup* again = nullptr;
    ASSERT_TRUE(reader.CreateGroupAddress(again, 3, 4, 200, "noch mal"));
    EXPECT_EQ(again, sub);

    // The project has it: a fresh reader sees it.
    TEtsGruppenAdressen fresh(&project.ets);
    ASSERT_TRUE(fresh.Einlesen(1));
    EXPECT_EQ(WalkTexts(fresh).size(), 4u);

    // Two levels: the dialogs parse "1/515" into main 1, middle 2, sub 3 and hand that
    // over; the plain form middle 0, sub 515 names the same address.
    reader.SetDreiEbenen(false);
    ASSERT_TRUE(reader.CreateGroupAddress(sub, 1, 2, 3, "Zwei"));
    EXPECT_EQ(sub->GetGrpAddr(), 0x0A03);
    EXPECT_EQ(sub->GetNumber(), 515);
    EXPECT_EQ(reader.GrpAddrString(sub->GetEtsId()), "1/515");
    ASSERT_TRUE(reader.CreateGroupAddress(again, 1, 0, 515, "Zwei"));
    EXPECT_EQ(again, sub);

    const struct {
        const char* name;
        bool three;
        std::int16_t main, middle, sub;
    } refused[] = {
        {"negative main", true, -1, 0, 1},      {"main 16", true, 16, 0, 1},   {"middle 8", true, 0, 8, 1},
        {"negative middle", true, 0, -1, 1},    {"sub 256", true, 0, 0, 256},  {"0/0/0", true, 0, 0, 0},
        {"two levels sub 2048", false, 0, 0, 2048}, {"two levels 0/0", false, 0, 0, 0},
        {"two levels middle 8", false, 0, 8, 1},    {"two levels middle and sub 300", false, 1, 1, 300},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.name);
        reader.SetDreiEbenen(row.three);
        EXPECT_FALSE(reader.CreateGroupAddress(sub, row.main, row.middle, row.sub, "x"));
        EXPECT_EQ(sub, nullptr);
    }
}

} // namespace
