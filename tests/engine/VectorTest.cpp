#include "engine/Vector.h"
#include "engine/FixedText.h"

#include <gtest/gtest.h>

using namespace TesselEngine;

TEST(Vector, GrowthKeepsEveryElementAndOwnedStorageIntact) {
    TTL::Vector<TTL::Vector<int>> outer;
    for (int i = 0; i < 110; ++i) {
        TTL::Vector<int> inner;
        for (int k = 0; k <= i; ++k)
            ASSERT_TRUE(inner.PushBack(k));
        ASSERT_TRUE(outer.PushBack(std::move(inner)));
    }
    for (std::uint32_t i = 0; i < 110; ++i) {
        ASSERT_EQ(outer[i].GetSize(), i + 1);
        EXPECT_EQ(outer[i][i], static_cast<int>(i));
    }
    TTL::Vector<TTL::Vector<int>> copy = outer; // deep
    copy[0][0] = 7;
    EXPECT_EQ(outer[0][0], 0);
    EXPECT_EQ(copy[109].GetSize(), 110u);
}

TEST(Vector, ClearingReusesTheSlotsAndDeallocatingStartsAfresh) {
    TTL::Vector<Char48> v;
    for (int i = 0; i < 11; ++i)
        v.PushBack(Char48("x"));
    const Char48* storage = &v[0];
    v.ClearContent();
    EXPECT_EQ(v.GetSize(), 0u);
    v.PushBack(Char48("again"));
    EXPECT_EQ(&v[0], storage);
    EXPECT_EQ(v[0].View(), "again");

    v.Deallocate();
    EXPECT_EQ(v.GetSize(), 0u);
    EXPECT_EQ(v.begin(), nullptr);
    v.PushBack(Char48("new"));
    EXPECT_EQ(v[0].View(), "new");
}

TEST(Vector, RemoveSwapLastMovesTheLastElementIntoTheGap) {
    TTL::Vector<int> v;
    for (int i : {10, 20, 30, 40})
        v.PushBack(i);
    v.RemoveSwapLast(1);
    EXPECT_EQ(std::vector<int>(v.begin(), v.end()), (std::vector<int>{10, 40, 30}));
    v.RemoveSwapLast(2);
    EXPECT_EQ(std::vector<int>(v.begin(), v.end()), (std::vector<int>{10, 40}));
}
