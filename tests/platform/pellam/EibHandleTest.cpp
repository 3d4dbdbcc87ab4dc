#include "pellam/EibHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(EibHandleTest, HandsOutFromOneUpwardSkippingHandlesInUse)
{
    TEibHandle handles({1, 2, 4, 0, -3, 40000});
    EXPECT_EQ(handles.UsedCount(), 3); // 0, -3 and 40000 are no handles
    EXPECT_EQ(handles.GetNew(), 3);
    EXPECT_EQ(handles.GetNew(), 5);
    EXPECT_TRUE(handles.MarkUsed(6));
    EXPECT_EQ(handles.GetNew(), 7);
    EXPECT_TRUE(handles.IsUsed(7));
    EXPECT_FALSE(handles.IsUsed(8));
}

TEST(EibHandleTest, ReleasedHandleIsHandedOutAgain)
{
    TEibHandle handles;
    for (int expected = 1; expected <= 5; ++expected)
        ASSERT_EQ(handles.GetNew(), expected);
    EXPECT_TRUE(handles.Release(2));
    EXPECT_FALSE(handles.Release(2));
    EXPECT_FALSE(handles.Release(9));
    EXPECT_EQ(handles.GetNew(), 2);
    EXPECT_EQ(handles.GetNew(), 6);
}

TEST(EibHandleTest, RangeEndsAtTheLargestSixteenBitHandle)
{
    EXPECT_FALSE(TEibHandle().MarkUsed(0));
    EXPECT_FALSE(TEibHandle().MarkUsed(32768));
    EXPECT_TRUE(TEibHandle().MarkUsed(32767));

    std::vector<int32_t> all;
    for (int32_t h = 1; h < TEibHandle::MaxHandle; ++h)
        all.push_back(h);
    TEibHandle handles(all);
    EXPECT_EQ(handles.GetNew(), 32767);
    // Full: a negative answer, also when asked again, and never a handle above 32767.
    EXPECT_LT(handles.GetNew(), 0);
    EXPECT_LT(handles.GetNew(), 0);
    EXPECT_EQ(handles.UsedCount(), 32767);
    ASSERT_TRUE(handles.Release(100));
    EXPECT_EQ(handles.GetNew(), 100);
    EXPECT_LT(handles.GetNew(), 0);
}

} // namespace
