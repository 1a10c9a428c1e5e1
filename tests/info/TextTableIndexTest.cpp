// The text tables: which line names an identifier, which of several wins, lookups in a
// table of many lines, and a table that changes or is missing.
#include "info/TextTable.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using VaskTest::WriteFile;

namespace {
class TextTableIndexTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { TextTables::Clear(); }
    void TearDown() override { TextTables::Clear(); }
};
} // namespace

TEST_F(TextTableIndexTest, IdentifierIsTheWholeFirstFieldOfItsFirstLine) {
    WriteFile("infosa.csv", "X_10|a|ten|\r\nX_1|a|one|\r\nY|a||\r\nX_1|a|second|\r\n");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_1"), "one");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_10"), "ten"); // the first line is found too
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_"), "");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "Y"), "");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", ""), "");
}

// Lines end with CR LF, LF or CR alone; a line with no display field (no second bar)
// gives no text and is named, and its id is not found in a later line.
TEST_F(TextTableIndexTest, LinesThatNameNoIdentifier) {
    WriteFile("infodescsa.csv", "|x|no identifier|\r\n"
                                "Bare\r\n"
                                "BarOnly|\r\n"
                                "Short|x\r\n"
                                "NoDisplay|x|\r\n"
                                "Lf|x|lf only|\n"
                                "Cr|x|cr only|\r"
                                "Short|x|a later line|\r"
                                "Last|x|no line end");
    const char* table = "infodescsa.csv";
    EXPECT_FALSE(TextTables::Contains(table, ""));
    EXPECT_FALSE(TextTables::Contains(table, "Bare"));
    EXPECT_FALSE(TextTables::Contains(table, "BarOnly")); // nothing behind the bar
    EXPECT_FALSE(TextTables::Contains(table, "Short"));
    EXPECT_EQ(TextTables::UnsplittableLineOf(table, "Short"), 4u);
    EXPECT_EQ(TextTables::UnsplittableLineOf(table, "NoDisplay"), 0u);
    EXPECT_EQ(TextTables::UnsplittableLines(table), (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_TRUE(TextTables::Contains(table, "NoDisplay"));
    EXPECT_EQ(TextTables::LookUp(table, "NoDisplay"), "");
    EXPECT_EQ(TextTables::LookUp(table, "Lf"), "lf only");
    EXPECT_EQ(TextTables::LookUp(table, "Cr"), "cr only");
    EXPECT_EQ(TextTables::LookUp(table, "Last"), "no line end");
}

TEST_F(TextTableIndexTest, ManyLinesAreAllFoundUntilTheTableChanges) {
    std::string table;
    for (int i = 0; i < 100000; ++i)
        table += "LINE_" + std::to_string(i) + "|line|Text " + std::to_string(i) + "|\r\n";
    table += "LINE_5|line|a later line of a known identifier|\r\n";
    WriteFile("infosa.csv", table);
    for (int i = 0; i < 100000; i += 997)
        EXPECT_EQ(TextTables::LookUp("infosa.csv", "LINE_" + std::to_string(i)),
                  "Text " + std::to_string(i));
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "LINE_5"), "Text 5");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "LINE_100000"), "");

    WriteFile("infosa.csv", "LINE_1|x|changed|\r\n");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "LINE_1"), "changed");
}

TEST_F(TextTableIndexTest, MissingTableIsCreatedEmpty) {
    EXPECT_EQ(TextTables::LookUp("questdescsa.csv", "Q"), "");
    EXPECT_EQ(VaskTest::ReadFile("questdescsa.csv"), "");
}
