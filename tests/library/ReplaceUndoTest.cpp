// Taking a replace back: the tables come back byte for byte, and a line changed since
// the replace stops the whole undo rather than lose that change.
#include "library/ReplaceUndo.h"
#include "info/TextTable.h"
#include "library/TextReplace.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {

class ReplaceUndoTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        TextTables::Clear();
        WriteFile("infosa.csv", infos);
        WriteFile("infodescsa.csv", descriptions);
    }
    void TearDown() override { TextTables::Clear(); }

    // Replaces and gives what was written.
    static std::vector<TextChange> Replace(const ReplaceRule& rule) {
        const TextImport plan = PlanTextReplace(rule);
        EXPECT_TRUE(plan.problems.empty());
        EXPECT_TRUE(ApplyTextImport(plan));
        return plan.changes;
    }

    const std::string infos = "A|note swamp|The Swamp.|\r\n"
                              "A|x|A second swamp line.|\r\n"
                              "B|swamp|No swamp in sight, swamp.|tail\r\n"
                              "C|no bar behind\r\n"
                              "D||dry|\n"
                              "E||swamp at the end";
    const std::string descriptions = "X||A swamp, \xE9t\xE9|\r\n";
};

TEST_F(ReplaceUndoTest, AnUndoGivesTheTablesBackByteForByte) {
    const std::vector<TextChange> written = Replace({"swamp", "fen land", false, false});
    ASSERT_EQ(written.size(), 4u);
    ASSERT_NE(ReadFile("infosa.csv"), infos);
    ASSERT_NE(ReadFile("infodescsa.csv"), descriptions);

    const TextImport undo = PlanReplaceUndo(written);
    ASSERT_TRUE(undo.problems.empty());
    EXPECT_EQ(undo.changes.size(), 4u);
    ASSERT_TRUE(ApplyTextImport(undo));
    EXPECT_EQ(ReadFile("infosa.csv"), infos);
    EXPECT_EQ(ReadFile("infodescsa.csv"), descriptions);
    // Nothing is left to take back.
    EXPECT_TRUE(PlanReplaceUndo(written).changes.empty());
    EXPECT_TRUE(PlanReplaceUndo(written).problems.empty());
}

TEST_F(ReplaceUndoTest, ALineChangedSinceTheReplaceStopsTheUndoAndOtherChangesStay) {
    const std::vector<TextChange> written = Replace({"swamp", "fen", true, false});
    ASSERT_EQ(written.size(), 4u);

    // Another line of the table changed meanwhile: the undo keeps it.
    WriteFile("infosa.csv", ReadFile("infosa.csv") + "\r\nF||new line|");
    const TextImport undo = PlanReplaceUndo(written);
    ASSERT_TRUE(undo.problems.empty());
    ASSERT_TRUE(ApplyTextImport(undo));
    EXPECT_EQ(ReadFile("infosa.csv"), infos + "\r\nF||new line|");

    // A replaced line changed since: its table and id are named and nothing is written.
    const std::vector<TextChange> again = Replace({"swamp", "fen", true, false});
    const std::string replaced = ReadFile("infosa.csv");
    const std::string changed = [&] {
        std::string bytes = replaced;
        bytes.replace(bytes.find("No fen in sight"), 15, "No bog in sight");
        return bytes;
    }();
    WriteFile("infosa.csv", changed);
    const TextImport refused = PlanReplaceUndo(again);
    ASSERT_EQ(refused.problems.size(), 1u);
    EXPECT_NE(refused.problems[0].find("\"B\" in \"infosa.csv\""), std::string::npos);
    EXPECT_TRUE(refused.changes.empty());
    EXPECT_TRUE(ApplyTextImport(refused)); // which writes nothing
    EXPECT_EQ(ReadFile("infosa.csv"), changed);
    EXPECT_NE(ReadFile("infodescsa.csv"), descriptions);

    // A line that is gone is named too.
    WriteFile("infodescsa.csv", "");
    const TextImport gone = PlanReplaceUndo(again);
    EXPECT_EQ(gone.problems.size(), 2u);
}

TEST_F(ReplaceUndoTest, AnUndoPlannedBeforeALaterWriteWritesNothing) {
    const std::vector<TextChange> written = Replace({"swamp", "fen", false, false});
    const TextImport undo = PlanReplaceUndo(written);
    ASSERT_FALSE(undo.changes.empty());
    WriteFile("infosa.csv", ReadFile("infosa.csv") + "\r\nG||later|");
    const std::string later = ReadFile("infosa.csv");
    EXPECT_FALSE(ApplyTextImport(undo));
    EXPECT_EQ(ReadFile("infosa.csv"), later);
}

} // namespace
