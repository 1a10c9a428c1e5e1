// Replacing across the display texts: what matches (case, whole words, the letters of
// Windows-1252), which lines a plan changes, and that its write touches only their
// display fields.
#include "library/TextReplace.h"
#include "info/TextTable.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {

std::string Replace(std::string_view text, const std::string& find, const std::string& with,
                    bool word = false, bool matchCase = false) {
    return Replaced(text, {find, with, word, matchCase});
}

TEST(TextReplaceRules, CaseWordsAndTheLettersOfWindows1252) {
    EXPECT_EQ(Replace("The swamp, SWAMP and Swamps", "swamp", "marsh"),
              "The marsh, marsh and marshs");
    EXPECT_EQ(Replace("The swamp, SWAMP and Swamps", "swamp", "marsh", false, true),
              "The marsh, SWAMP and Swamps");
    EXPECT_EQ(Replace("swamp swamps _swamp swamp_ 2swamp swamp.", "swamp", "marsh", true),
              "marsh swamps _swamp swamp_ 2swamp marsh.");
    // Letters beyond ASCII match either case and count as word letters; signs do not.
    EXPECT_EQ(Replace("\xC4pfel \xE4pfel", "\xE4pfel", "Birnen"), "Birnen Birnen");
    EXPECT_EQ(Replace("\xE9t\xE9 t\xE9", "t\xE9", "x", true), "\xE9t\xE9 x");
    EXPECT_EQ(Replace("\xD7 \xF7", "\xF7", "/"), "\xD7 /");
    EXPECT_EQ(Replace("\x8A\x9A", "\x9A", "s"), "ss");
    // Matches do not overlap; a text shorter than the find is left.
    EXPECT_EQ(MatchesIn("aaaa", {"aa", "", false, false}), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("a", "aa", "b"), "a");
    EXPECT_TRUE(MatchesIn("text", {"", "x", false, false}).empty());

    EXPECT_FALSE(ReplaceRefusal({"", "x"}).empty());
    EXPECT_FALSE(ReplaceRefusal({"a", "b|c"}).empty());
    EXPECT_FALSE(ReplaceRefusal({"a", "b\nc"}).empty());
    EXPECT_EQ(ReplaceRefusal({"a", ""}), "");
}

class TextReplaceTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { TextTables::Clear(); }
    void TearDown() override { TextTables::Clear(); }
};

TEST_F(TextReplaceTest, APlanChangesEachIdsFirstLineAndItsWriteOnlyTheirDisplayFields) {
    const std::string infos = "A|note swamp|The swamp.|\r\n"
                              "A|x|A second swamp line the reader never takes.|\r\n"
                              "B|swamp|No swamp in sight.|tail swamp\r\n"
                              "C|swamp\r\n"
                              "D||dry|\r\n";
    WriteFile("infosa.csv", infos);
    WriteFile("questdescsa.csv", "Q||Swamp quest|\n");

    const TextImport plan = PlanTextReplace({"swamp", "marsh"});
    ASSERT_TRUE(plan.problems.empty());
    ASSERT_EQ(plan.changes.size(), 3u);
    EXPECT_EQ(plan.changes[0].table, "infosa.csv");
    EXPECT_EQ(plan.changes[0].id, "A");
    EXPECT_EQ(plan.changes[0].after, "The marsh.");
    EXPECT_EQ(plan.changes[1].id, "B");
    EXPECT_EQ(plan.changes[1].after, "No marsh in sight.");
    EXPECT_EQ(plan.changes[2].table, "questdescsa.csv");
    EXPECT_EQ(plan.changes[2].after, "marsh quest");

    ASSERT_TRUE(ApplyTextImport(plan));
    EXPECT_EQ(ReadFile("infosa.csv"), "A|note swamp|The marsh.|\r\n"
                                      "A|x|A second swamp line the reader never takes.|\r\n"
                                      "B|swamp|No marsh in sight.|tail swamp\r\n"
                                      "C|swamp\r\n"
                                      "D||dry|\r\n");
    EXPECT_EQ(ReadFile("questdescsa.csv"), "Q||marsh quest|\n");
    const std::vector<std::string> kept = VaskTest::ListNames("Backup/infosa.csv");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadFile("Backup/infosa.csv/" + kept[0]), infos);

    // A plan whose table changed since it was made writes nothing.
    const TextImport stale = PlanTextReplace({"marsh", "fen"});
    WriteFile("infosa.csv", ReadFile("infosa.csv") + "E||marsh|\r\n");
    const std::string changed = ReadFile("infosa.csv");
    EXPECT_FALSE(ApplyTextImport(stale));
    EXPECT_EQ(ReadFile("infosa.csv"), changed);
}

TEST_F(TextReplaceTest, ATextThatWouldBecomeEmptyOrAReplacementTheTableCannotHoldIsRefused) {
    WriteFile("infosa.csv", "A||swamp|\r\nB||big swamp|\r\n");
    const TextImport emptied = PlanTextReplace({"swamp", ""});
    ASSERT_EQ(emptied.problems.size(), 1u);
    EXPECT_NE(emptied.problems[0].find("\"A\""), std::string::npos);
    EXPECT_EQ(PlanTextReplace({"swamp", "a|b"}).problems.size(), 1u);
    EXPECT_TRUE(PlanTextReplace({"swamp", "a|b"}).changes.empty());
}

} // namespace
