#include "engine/String.h"

#include <gtest/gtest.h>

using namespace TesselEngine;

TEST(FixedText, StoringCutsToCapacityButChar8KeepsWhatDoesNotFit) {
    Char16 s;
    SetMember(s, "abcdefghijklmnopqrst");
    EXPECT_EQ(s.View(), "abcdefghijklmnop");
    // A token of more than 32767 bytes still fills the member.
    Char256 big;
    SetMember(big, std::string(40000, 'x').c_str());
    EXPECT_EQ(big.Length(), 256u);

    Char8 flag("old");
    SetMember(flag, "ninechars");
    EXPECT_EQ(flag.View(), "old");
    SetMember(flag, "eightchr");
    EXPECT_EQ(flag.View(), "eightchr");
    EXPECT_EQ(flag.Length(), 8u);
}

TEST(FixedText, EqualityOfTextsBuiltByDifferentRoutes) {
    Char48 a("Name_A");
    Char48 b("\"Name_A\"");
    String::Remove(b, '"');
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

TEST(FixedText, AppendAndCutAfter) {
    Char32 s("0123456789012345678901234567");
    String::Append(s, Char16("abcdefgh"));
    EXPECT_EQ(s.View(), "0123456789012345678901234567abcd");

    Char48 words("first second");
    String::CutAfter(words, ' ');
    EXPECT_EQ(words, Char48("first"));
    String::CutAfter(words, '#');
    EXPECT_EQ(words.View(), "first");
}

TEST(FixedText, CaseRulesTouchOnlyAsciiLetters) {
    char text[] = "aZ_\xe4q";
    String::ToUpper(text, 4);
    EXPECT_STREQ(text, "AZ_\xe4q");
    String::ToUpper(text);
    EXPECT_STREQ(text, "AZ_\xe4Q");

    EXPECT_TRUE(String::ContainsNoCase(Char48("Bobby"), Char48("bOB")));
    EXPECT_FALSE(String::ContainsNoCase(Char48("Bobby"), Char48("")));
    EXPECT_FALSE(String::ContainsNoCase(Char48(""), Char48("a")));
    EXPECT_FALSE(String::ContainsNoCase(Char48("\xc4rger"), Char48("\xe4rger")));
    // Full texts, with no terminator in the array.
    EXPECT_TRUE(String::ContainsNoCase(Char48(std::string(48, 'a')), Char48(std::string(48, 'A'))));
}
