#include "engine/Member.h"
#include "engine/File.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>

using namespace TesselEngine;
using TesselEngine::IO::Stream;

namespace {
void Fill(Stream& s, const std::string& bytes) {
    ASSERT_TRUE(s.Allocate(static_cast<std::uint32_t>(bytes.size())));
    std::memcpy(s.GetBuffer(), bytes.data(), bytes.size());
}
std::string Written(Stream& out) {
    out.TrimTrailingZeros();
    return std::string(out.GetBuffer(), out.GetSize());
}
// The key's value read from the text into the destination.
template <typename Text> std::string Read(const std::string& text, const char* key, bool strip) {
    Stream s;
    Fill(s, text);
    Text destination;
    ReadMember(s, destination, Char16(key), strip);
    return destination.Str();
}
} // namespace

TEST(ReadMember, QuotesSemicolonsBlanksAndMissingKeys) {
    EXPECT_EQ(Read<Char16>("x Value = \"12\";\r\n", "Value", true), "12");
    EXPECT_EQ(Read<Char16>("x Value = \"12\";\r\n", "Value", false), "\"12\"");
    // Short targets stop at the blank, the long text does not and loses its angles.
    EXPECT_EQ(Read<Char48>("x Owner = \"Old Bob\";\r\n", "Owner", true), "Old");
    EXPECT_EQ(Read<Char512>("x Owner = \"Old Bob\";\r\n", "Owner", true), "Old Bob");
    EXPECT_EQ(Read<Char512>("x Text = \"<Hello there>\";", "Text", true), "Hello there");
    EXPECT_EQ(Read<Char8>("a Amount = ;;5;", "Amount", false), "");

    // A missing key leaves the value, and every later member of the same pass keeps its
    // value too: the position is past the end.
    Stream s;
    Fill(s, "nothing to see here at all;");
    Char48 value("kept");
    ReadMember(s, value, Char16("Owner"), true);
    EXPECT_EQ(value.View(), "kept");
    Char48 next("also kept");
    ReadMember(s, next, Char16("here"), true);
    EXPECT_EQ(next.View(), "also kept");
}

TEST(WriteMember, ReplacesThePlaceholderWithTheValue) {
    Stream templ, out;
    Fill(templ, "head Key = \"||\";\r\ntail");
    ASSERT_TRUE(out.Allocate(64));
    WriteMember(out, templ, Char48("Bob"), Char16("Key"));
    EXPECT_EQ(templ.GetPosition(), 14u); // on the byte after the placeholder
    WriteRest(out, templ);
    EXPECT_EQ(Written(out), "head Key = \"Bob\";\r\ntail");
    EXPECT_EQ(templ.GetPosition(), 14u); // WriteRest leaves it
    templ.SetPosition(templ.GetSize());
    WriteRest(out, templ);
    EXPECT_EQ(Written(out), "head Key = \"Bob\";\r\ntail");
}

TEST(WriteMember, KeyBehindThePositionSkipsToItsPlaceholder) {
    Stream templ, out;
    Fill(templ, "A = ||; B = ||; C = ||;");
    ASSERT_TRUE(out.Allocate(64));
    WriteMember(out, templ, Char8("1"), Char16("B"));
    WriteMember(out, templ, Char8("2"), Char16("A")); // behind: nothing copied
    WriteRest(out, templ);
    // Filling goes on behind the placeholder of the key that was found backward.
    EXPECT_EQ(Written(out), "A = ||; B = 12; B = ||; C = ||;");
}

TEST(WriteMember, OutputTooSmallDropsWholeAppends) {
    Stream templ, out;
    Fill(templ, "Key = ||;");
    ASSERT_TRUE(out.Allocate(8));
    WriteMember(out, templ, Char16("0123456789"), Char16("Key"));
    EXPECT_EQ(Written(out), "Key = ");
}

TEST(WriteSkipMarker, DropsThePlaceholderAndWithTheFlagOneMoreByte) {
    for (const bool flag : {false, true}) {
        Stream templ, out;
        Fill(templ, "a||,b");
        ASSERT_TRUE(out.Allocate(16));
        WriteSkipMarker(out, templ, flag);
        WriteRest(out, templ);
        EXPECT_EQ(Written(out), flag ? "ab" : "a,b");
    }
    Stream templ, out;
    Fill(templ, "x||;||y");
    ASSERT_TRUE(out.Allocate(16));
    WriteMember(out, templ, Char8("v"), Char16("x"));
    WriteSkipMarker(out, templ, false);
    EXPECT_EQ(Written(out), "xv;"); // one byte between two placeholders is copied
}

TEST(WriteThrough, CopiesTheMarkerItself) {
    Stream templ, out;
    Fill(templ, "list = [\r\n];\r\nrest");
    ASSERT_TRUE(out.Allocate(32));
    WriteThrough(out, templ, Char16("list = [\r\n"));
    EXPECT_EQ(Written(out), "list = [\r\n");
    EXPECT_EQ(templ.GetPosition(), 10u);
}

TEST(WriteMember, EmptyTemplateWritesOnlyTheValue) {
    Stream templ, out;
    ASSERT_TRUE(out.Allocate(8));
    WriteMember(out, templ, Char8("v"), Char16("Key"));
    WriteSkipMarker(out, templ, true);
    WriteThrough(out, templ, Char16("x"));
    WriteRest(out, templ);
    EXPECT_EQ(Written(out), "v");
}

class LoadTemplateTest : public VaskTest::WorkspaceTest {};

TEST_F(LoadTemplateTest, LoadsOnceAndRefusesASecondLoad) {
    VaskTest::WriteFile("T", "first ||;");
    Stream templ;
    EXPECT_TRUE(LoadTemplate(Char256("T"), templ));
    EXPECT_EQ(templ.GetPosition(), 0u);
    VaskTest::WriteFile("U", "other");
    EXPECT_FALSE(LoadTemplate(Char256("U"), templ));
    EXPECT_EQ(std::string(templ.GetBuffer(), templ.GetSize()), "first ||;");
    Stream missing;
    EXPECT_FALSE(LoadTemplate(Char256("missing"), missing));
    VaskTest::WriteFile("E", "");
    Stream empty;
    EXPECT_TRUE(LoadTemplate(Char256("E"), empty));
    EXPECT_EQ(empty.GetSize(), 0u);
}
