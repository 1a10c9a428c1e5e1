#include "engine/Stream.h"

#include <gtest/gtest.h>
#include <string>

using namespace TesselEngine;
using TesselEngine::IO::Stream;

namespace {
void Fill(Stream& s, const std::string& bytes) {
    ASSERT_TRUE(s.Allocate(static_cast<std::uint32_t>(bytes.size())));
    std::memcpy(s.GetBuffer(), bytes.data(), bytes.size());
}
std::string Content(const Stream& s) {
    return std::string(s.GetBuffer(), s.GetSize());
}
} // namespace

TEST(Stream, NewStreamIsEmptyAndAllocateZeroFills) {
    Stream s;
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.GetRemaining(), 0u);
    ASSERT_TRUE(s.Allocate(64));
    for (std::uint32_t i = 0; i < 64; ++i)
        ASSERT_EQ(s.GetBuffer()[i], 0);
    s.SetPosition(10);
    ASSERT_TRUE(s.Allocate(8));
    EXPECT_EQ(s.GetPosition(), 0u);
    s.Free();
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_FALSE(s.Allocate(0));
}

TEST(Stream, FindKeyNeverTestsTheStartingByte) {
    Stream s;
    Fill(s, "ab..ab..");
    Char16 key("ab");
    EXPECT_TRUE(s.FindKey(key));
    EXPECT_EQ(s.GetPosition(), 4u); // the occurrence at 0 is skipped
    EXPECT_FALSE(s.FindKey(key));
}

TEST(Stream, FailedForwardSearchesStopNearTheEnd) {
    Stream s;
    Fill(s, "0123456789");
    EXPECT_FALSE(s.FindKey(Char16("zz")));
    EXPECT_EQ(s.GetPosition(), 8u); // size - L
    s.Reset();
    EXPECT_FALSE(s.SkipTo('z'));
    EXPECT_EQ(s.GetPosition(), 9u); // size - 1
}

TEST(Stream, SkipToAndSkipBackTo) {
    Stream s;
    Fill(s, "=a=b");
    EXPECT_TRUE(s.SkipTo('='));
    EXPECT_EQ(s.GetPosition(), 2u);
    EXPECT_TRUE(s.SkipBackTo('='));
    EXPECT_EQ(s.GetPosition(), 1u); // just after the found byte
    s.SetPosition(0);
    EXPECT_FALSE(s.SkipBackTo('='));
    EXPECT_EQ(s.GetPosition(), 0u);
}

TEST(Stream, FindKeyBackwardRejectsWindowsPastTheEnd) {
    Stream s;
    Fill(s, "];\r\nxx];");
    s.SetPosition(s.GetSize());
    EXPECT_TRUE(s.FindKeyBackward(Char16("];\r\n")));
    EXPECT_EQ(s.GetPosition(), 0u);
}

TEST(Stream, TokenStopBytesDependOnTheTarget) {
    Stream s;
    Fill(s, "\"x y\";rest");
    Char48 shortText;
    EXPECT_TRUE(s.ReadToken(shortText));
    EXPECT_EQ(shortText.View(), "\"x");
    EXPECT_EQ(s.GetPosition(), 3u); // on the y
    s.Reset();
    Char256 longText;
    EXPECT_TRUE(s.ReadToken(longText));
    EXPECT_EQ(longText.View(), "\"x y\"");
    EXPECT_EQ(s.GetPosition(), 6u);

    for (char stop : std::string("/;\r\n", 4)) {
        Stream t;
        Fill(t, std::string("ab") + stop + "cd");
        Char16 out;
        ASSERT_TRUE(t.ReadToken(out));
        EXPECT_EQ(out.View(), "ab");
        EXPECT_EQ(t.GetPosition(), 3u);
    }
    Stream nul;
    Fill(nul, std::string("ab\0cd", 5));
    Char512 out;
    ASSERT_TRUE(nul.ReadToken(out));
    EXPECT_EQ(out.View(), "ab");
}

TEST(Stream, TokenAlwaysTakesItsFirstByte) {
    Stream s;
    Fill(s, ";\rX");
    Char16 out;
    EXPECT_TRUE(s.ReadToken(out));
    EXPECT_EQ(out.View(), ";");
    EXPECT_EQ(s.GetPosition(), 2u); // the CR was consumed as the stop byte
}

TEST(Stream, TokenToTheEndOfTheDataMovesPastTheEnd) {
    Stream s;
    Fill(s, "abc");
    Char16 out;
    EXPECT_TRUE(s.ReadToken(out));
    EXPECT_EQ(out.View(), "abc");
    EXPECT_EQ(s.GetPosition(), 4u);
    Char16 untouched("keep");
    EXPECT_FALSE(s.ReadToken(untouched));
    EXPECT_EQ(untouched.View(), "keep");
}

TEST(Stream, ReadUntil) {
    Stream s;
    Fill(s, ",ab,tail");
    Char48 out("x");
    EXPECT_TRUE(s.ReadUntil(out, ','));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(s.GetPosition(), 1u);
    EXPECT_TRUE(s.ReadUntil(out, ','));
    EXPECT_EQ(out.View(), "ab");
    EXPECT_EQ(s.GetPosition(), 4u);
    // No delimiter before the end: every remaining byte, position at the size.
    EXPECT_TRUE(s.ReadUntil(out, ','));
    EXPECT_EQ(out.View(), "tail");
    EXPECT_EQ(s.GetPosition(), s.GetSize());
    EXPECT_FALSE(s.ReadUntil(out, ','));
}

TEST(Stream, WritesThatDoNotFitAreRefusedWhole) {
    Stream s;
    ASSERT_TRUE(s.Allocate(5));
    EXPECT_TRUE(s.WriteData("abc", 3));
    EXPECT_FALSE(s.WriteData("xyz", 3));
    EXPECT_EQ(s.GetPosition(), 3u);
    EXPECT_TRUE(s.WriteText(Char16("de")));
    EXPECT_EQ(Content(s), "abcde");
    EXPECT_FALSE(s.WriteTextAndChar(Char48(""), ','));
}

TEST(Stream, WriteStreamCopiesTheWholeOtherBuffer) {
    Stream a, b;
    Fill(a, "xyz");
    a.SetPosition(2);
    ASSERT_TRUE(b.Allocate(4));
    EXPECT_TRUE(b.WriteStream(a));
    EXPECT_EQ(Content(b), std::string("xyz\0", 4));
}

TEST(Stream, CopyRange) {
    Stream s, dst;
    Fill(s, "0123456789");
    s.CopyRange(dst, 3, 3);
    EXPECT_EQ(Content(dst), "3");
    Stream untouched;
    s.CopyRange(untouched, 5, 4);
    EXPECT_EQ(untouched.GetSize(), 0u);
    Stream clipped;
    s.CopyRange(clipped, 8, 500); // an end past the data is cut to the last byte
    EXPECT_EQ(Content(clipped), "89");
}

TEST(Stream, TrimTrailingZeros) {
    Stream s;
    ASSERT_TRUE(s.Allocate(10));
    s.WriteData("ab", 2);
    s.SetPosition(9);
    s.TrimTrailingZeros();
    EXPECT_EQ(s.GetSize(), 2u);
    EXPECT_EQ(s.GetPosition(), 2u);
    Stream zeros;
    ASSERT_TRUE(zeros.Allocate(4));
    zeros.TrimTrailingZeros();
    EXPECT_EQ(zeros.GetSize(), 0u);
    EXPECT_EQ(zeros.GetPosition(), 0u);
}

TEST(Stream, PositionPastTheEndFailsForwardAndRecoversBackward) {
    Stream s;
    Fill(s, "a=b;];\r\nz");
    s.SetPosition(s.GetSize() - 1);
    s.Skip(2);
    EXPECT_EQ(s.GetRemaining(), 0u);
    Char16 out("keep");
    EXPECT_FALSE(s.ReadToken(out));
    EXPECT_FALSE(s.ReadUntil(out, ';'));
    EXPECT_EQ(out.View(), "keep");
    EXPECT_FALSE(s.SkipTo('b'));
    EXPECT_FALSE(s.FindKey(Char16("b")));
    EXPECT_FALSE(s.WriteData("x", 1));
    EXPECT_EQ(s.GetPosition(), s.GetSize() + 1);
    EXPECT_TRUE(s.FindKeyBackward(Char16("];\r\n")));
    EXPECT_EQ(s.GetPosition(), 4u);
    s.Skip(100);
    EXPECT_TRUE(s.SkipBackTo('z')); // the last byte is the first tested
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST(Stream, EmptyStreamOperationsAreSafe) {
    Stream s;
    Char16 out;
    EXPECT_FALSE(s.FindKey(Char16("a")));
    EXPECT_FALSE(s.FindKeyBackward(Char16("a")));
    EXPECT_FALSE(s.SkipTo('a'));
    EXPECT_FALSE(s.SkipBackTo('a'));
    EXPECT_FALSE(s.ReadToken(out));
    EXPECT_FALSE(s.ReadUntil(out, ','));
    EXPECT_FALSE(s.WriteData("a", 1));
    s.TrimTrailingZeros();
    EXPECT_EQ(s.GetSize(), 0u);
}

TEST(Stream, KeysLongerThanTheDataNeverMatch) {
    Stream s;
    Fill(s, "abc");
    EXPECT_FALSE(s.FindKey(Char16("abcdefgh")));
    EXPECT_EQ(s.GetPosition(), 0u);
    s.SetPosition(3);
    EXPECT_FALSE(s.FindKeyBackward(Char16("abcdefgh")));
}

TEST(Stream, SkipSaturatesInsteadOfWrapping) {
    Stream s;
    Fill(s, "abc");
    s.SetPosition(0xFFFFFFF0u);
    s.Skip(0x100);
    EXPECT_EQ(s.GetPosition(), 0xFFFFFFFFu);
    EXPECT_FALSE(s.SkipTo('a'));
}
