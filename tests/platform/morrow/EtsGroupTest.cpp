#include "morrow/EtsMainGroup.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(EtsGroup, LevelNumbersAndFullWords)
{
    TEtsMainGroup main(11, 1, "Licht");
    auto* middle = main.AddMiddleGroup(std::make_unique<TEtsMiddleGroup>(12, 1, 2, "EG"));
    auto* sub = middle->AddSubGroup(std::make_unique<TEtsSubGroup>(13, 0x0A05, "Flur", 0));

    EXPECT_EQ(main.GetGrpAddr(), 1);
    EXPECT_EQ(main.GetGrpAddr(1), 0x0800);
    EXPECT_EQ(middle->GetGrpAddr(), 2);
    EXPECT_EQ(middle->GetGrpAddr(1), 0x0A00);
    EXPECT_EQ(sub->GetGrpAddr(), 0x0A05);
    EXPECT_EQ(sub->GetGrpAddr(1), 0x0A05);
    EXPECT_EQ(sub->GetNumber(), 5);
    EXPECT_EQ(sub->GetEtsId(), 13);
    EXPECT_EQ(sub->GetObjektTyp(), 0);
    EXPECT_EQ(sub->GetName(), "Flur");

    // Two levels: the sub address spans bits 10-0.
    TEtsSubGroup twoLevel(14, 0x0A05, "", -1, false);
    EXPECT_EQ(twoLevel.GetNumber(), 0x205);
    EXPECT_EQ(twoLevel.GetObjektTyp(), -1);
}

TEST(EtsGroup, IterationEndsWithNullAndRestarts)
{
    TEtsMainGroup main(1, 3, "");
    EXPECT_EQ(main.GetMiddleGroupFirst(), nullptr);
    auto* a = main.AddMiddleGroup(std::make_unique<TEtsMiddleGroup>(2, 3, 0, "a"));
    auto* b = main.AddMiddleGroup(std::make_unique<TEtsMiddleGroup>(3, 3, 7, "b"));
    EXPECT_EQ(main.GetMiddleGroupFirst(), a);
    EXPECT_EQ(main.GetMiddleGroupNext(), b);
    EXPECT_EQ(main.GetMiddleGroupNext(), nullptr);
    EXPECT_EQ(main.GetMiddleGroupNext(), nullptr);
    EXPECT_EQ(main.GetMiddleGroupFirst(), a);

    auto* s = b->AddSubGroup(std::make_unique<TEtsSubGroup>(4, (3 << 11) | (7 << 8) | 255, "s"));
    EXPECT_EQ(b->GetSubGroupFirst(), s);
    EXPECT_EQ(b->GetSubGroupNext(), nullptr);
}

TEST(EtsGroup, RefusesNumbersOutsideTheirLevel)
{
    EXPECT_THROW(TEtsMainGroup(1, 16, ""), std::out_of_range);
    EXPECT_THROW(TEtsMainGroup(1, -1, ""), std::out_of_range);
    EXPECT_THROW(TEtsMiddleGroup(1, 0, 8, ""), std::out_of_range);
    EXPECT_THROW(TEtsSubGroup(1, 0, ""), std::out_of_range);
    EXPECT_THROW(TEtsSubGroup(1, 0x8000, ""), std::out_of_range);
    EXPECT_NO_THROW(TEtsSubGroup(1, 0x7FFF, ""));

    TEtsMainGroup main(1, 2, "");
    EXPECT_THROW(main.AddMiddleGroup(std::make_unique<TEtsMiddleGroup>(2, 3, 0, "")), std::invalid_argument);
    TEtsMiddleGroup middle(3, 2, 1, "");
    EXPECT_THROW(middle.AddSubGroup(std::make_unique<TEtsSubGroup>(4, 0x1201 + 0x100, "")), std::invalid_argument);
}

} // namespace
