#include "engine/Vector.h"
#include "engine/FixedText.h"

#include <gtest/gtest.h>

using namespace TesselEngine;

TEST(Vector, GrowsByTenPlusFourTenthsOfTheCount) {
    TTL::Vector<int> v;
    EXPECT_EQ(v.GetSize(), 0u);
    EXPECT_EQ(v.GetCapacity(), 0u);
    std::vector<std::uint64_t> capacities;
    for (int i = 0; i < 110; ++i) {
        ASSERT_TRUE(v.PushBack(i));
        if (capacities.empty() || capacities.back() != v.GetCapacity())
            capacities.push_back(v.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::uint64_t>{10, 24, 43, 70, 108, 161}));
    for (int i = 0; i < 110; ++i)
        ASSERT_EQ(v[static_cast<std::uint32_t>(i)], i);
}

TEST(Vector, ClearContentKeepsStorageAndReusesSlots) {
    TTL::Vector<Char48> v;
    for (int i = 0; i < 11; ++i)
        v.PushBack(Char48("x"));
    const std::uint64_t capacity = v.GetCapacity();
    const Char48* storage = &v[0];
    v.ClearContent();
    EXPECT_EQ(v.GetSize(), 0u);
    EXPECT_EQ(v.GetIndexSize(), 0u);
    v.PushBack(Char48("again"));
    EXPECT_EQ(v.GetCapacity(), capacity);
    EXPECT_EQ(&v[0], storage);
    EXPECT_EQ(v[0].View(), "again");
}

TEST(Vector, DeallocateReturnsToTheInitialState) {
    TTL::Vector<int> v;
    v.PushBack(1);
    v.Deallocate();
    EXPECT_EQ(v.GetSize(), 0u);
    EXPECT_EQ(v.GetCapacity(), 0u);
    v.PushBack(2);
    EXPECT_EQ(v.GetCapacity(), 10u);
}

TEST(Vector, GrowthMovesOwnedStorageIntact) {
    // Elements that own storage survive a reallocation unchanged.
    TTL::Vector<TTL::Vector<int>> outer;
    for (int i = 0; i < 30; ++i) {
        TTL::Vector<int> inner;
        for (int k = 0; k <= i; ++k)
            inner.PushBack(k);
        outer.PushBack(std::move(inner));
    }
    for (std::uint32_t i = 0; i < 30; ++i) {
        ASSERT_EQ(outer[i].GetSize(), i + 1);
        EXPECT_EQ(outer[i][i], static_cast<int>(i));
    }
}

TEST(Vector, RemoveSwapLastMovesTheLastElementIntoTheGap) {
    TTL::Vector<int> v;
    for (int i : {10, 20, 30, 40})
        v.PushBack(i);
    v.RemoveSwapLast(1);
    ASSERT_EQ(v.GetSize(), 3u);
    EXPECT_EQ(v[0], 10);
    EXPECT_EQ(v[1], 40);
    EXPECT_EQ(v[2], 30);
    v.RemoveSwapLast(2);
    EXPECT_EQ(v.GetSize(), 2u);
}

TEST(Vector, CopyIsDeep) {
    TTL::Vector<int> a;
    a.PushBack(1);
    TTL::Vector<int> b = a;
    b[0] = 2;
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(b.GetSize(), 1u);
}
