#include "engine/String.h"

#include <gtest/gtest.h>

using namespace TesselEngine;

TEST(FixedText, CopyTruncatesToCapacity) {
    Char16 s;
    Char16Copy(s, "abcdefghijklmnopqrst", 20);
    EXPECT_EQ(s.Length(), 16u);
    EXPECT_EQ(s.View(), "abcdefghijklmnop");
}

TEST(FixedText, Char8KeepsOldTextWhenSourceDoesNotFit) {
    Char8 s("old");
    Char8Copy(s, "ninechars", 9);
    EXPECT_EQ(s.View(), "old");
    Char8Copy(s, "eightchr", 8);
    EXPECT_EQ(s.View(), "eightchr");
    EXPECT_EQ(s.Length(), 8u);
    Char8Copy(s, "x", -1);
    EXPECT_EQ(s.View(), "eightchr");

    SetMember(s, "123456789");
    EXPECT_EQ(s.View(), "eightchr");
}

TEST(FixedText, NegativeCountCopiesNothingForLargerTypes) {
    Char32 s("keep");
    Char32Copy(s, "abc", -5);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(FixedText, CopyOfLongSourceIsNotLostToCountOverflow) {
    // A token of more than 32767 bytes must still fill the member, not empty it.
    std::string big(40000, 'x');
    Char256 s;
    Char256Copy(s, big.data(), static_cast<std::int64_t>(big.size()));
    EXPECT_EQ(s.Length(), 256u);
}

TEST(FixedText, EqualityOfTextsBuiltByDifferentRoutes) {
    Char48 a("Name_A");
    Char48 b;
    SetMember(b, "Name_A");
    Char48 c("Name");
    String::Append(c, "_A");
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == c);
    EXPECT_FALSE(a == Char48("name_A"));
}

TEST(FixedText, WideningAssignmentZeroFills) {
    Char256 wide("a much longer text that will be overwritten");
    Char32 narrow("short");
    wide = narrow;
    EXPECT_EQ(wide.View(), "short");
    for (std::size_t i = 32; i < 256; ++i)
        ASSERT_EQ(wide.data[i], 0);
}

TEST(FixedText, AppendCutsAtCapacity) {
    Char32 s("0123456789012345678901234567");
    Char16 tail("abcdefgh");
    Char32Append(s, tail);
    EXPECT_EQ(s.Length(), 32u);
    EXPECT_EQ(s.View(), "0123456789012345678901234567abcd");
}

TEST(FixedText, RemoveDeletesEveryOccurrenceAndZeroFills) {
    Char48 s("\"Name_A\"");
    Char48Remove(s, '"');
    EXPECT_EQ(s.View(), "Name_A");
    EXPECT_TRUE(s == Char48("Name_A"));
}

TEST(FixedText, IndexOfReportsTypeSpecificNotFound) {
    EXPECT_EQ(Char48IndexOf(Char48("abc"), 'c'), 2);
    EXPECT_EQ(Char16IndexOf(Char16("abc"), 'z'), 127);
    EXPECT_EQ(Char64IndexOf(Char64("abc"), 'z'), 127);
    EXPECT_EQ(Char128IndexOf(Char128("abc"), 'z'), 32767);
    EXPECT_EQ(Char256IndexOf(Char256("abc"), 'z'), 32767);
}

TEST(FixedText, CutAfterAndCutBefore) {
    Char32 words("first second");
    Char32CutAfter(words, ' ');
    EXPECT_EQ(words.View(), "first");
    Char32CutAfter(words, '#');
    EXPECT_EQ(words.View(), "first");

    Char256 path("Infos/abc.vaskinfo");
    Char256CutBefore(path, '/');
    EXPECT_EQ(path.View(), "abc.vaskinfo");
    Char256 deeper("Resources/Commands/gCInfoCommandSay");
    Char256CutBefore(deeper, '/');
    EXPECT_EQ(deeper.View(), "Commands/gCInfoCommandSay");
    for (std::size_t i = deeper.Length(); i < 256; ++i)
        ASSERT_EQ(deeper.data[i], 0);
}

TEST(FixedText, CaseConversionTouchesOnlyAsciiLetters) {
    char text[] = "aZ_\xe4q";
    String::ToUpper(text);
    EXPECT_STREQ(text, "AZ_\xe4Q");
    String::ToLower(text, 2);
    EXPECT_STREQ(text, "az_\xe4Q");
}

TEST(FixedText, ContainsRules) {
    EXPECT_TRUE(String::Contains("aab", "ab"));
    EXPECT_FALSE(String::Contains("aab", ""));
    EXPECT_FALSE(String::Contains("", "a"));
    EXPECT_FALSE(String::Contains("aab", "AB"));
    EXPECT_TRUE(String::ContainsNoCase(Char48("Bobby"), Char48("bob")));
    EXPECT_FALSE(String::ContainsNoCase(Char48("Bobby"), Char48("")));
    // Only A-Z fold: other bytes compare as they are.
    EXPECT_FALSE(String::ContainsNoCase(Char48("\xc4rger"), Char48("\xe4rger")));
}

TEST(FixedText, ContainsNoCaseOnFullTexts) {
    const std::string full(48, 'a');
    Char48 a(full.c_str());
    Char48 b(std::string(48, 'A').c_str());
    EXPECT_TRUE(String::ContainsNoCase(a, b));
}
