// Writing display texts into the tables: only the display field of the id's first line
// changes, new ids go to the end with the table's own line end, refusals, and the
// suggested ids for new texts.
#include "info/TextTableEdit.h"
#include "info/TextTable.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using TextTables::WithTexts;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {
class TextTableEditTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { TextTables::Clear(); }
    void TearDown() override { TextTables::Clear(); }
};
} // namespace

TEST(TextTableEdit, OnlyTheDisplayFieldOfTheFirstLineChanges) {
    // Mixed line ends, bytes outside ASCII, a fourth field, a line without a display
    // field, a repeated id and a line that names no id stay as they are around the edits.
    const std::string table = "A|line|old a|\r\n"
                              "B|sp\xE9\x80k|old b|extra|\n"
                              "|orphan|x|\r\n"
                              "C|only two\r\n"
                              "A|line|second a|\r\n"
                              "D|line|\xFC"
                              "ber|";
    EXPECT_EQ(WithTexts(table, {{"A", "new, \"a\""}, {"B", "B\xE4"}, {"C", "c"}, {"D", ""}}),
              "A|line|new, \"a\"|\r\n"
              "B|sp\xE9\x80k|B\xE4|extra|\n"
              "|orphan|x|\r\n"
              "C|only two|c|\r\n"
              "A|line|second a|\r\n"
              "D|line||");
    EXPECT_EQ(WithTexts(table, {}), table);
    // The last edit of an id wins.
    EXPECT_EQ(WithTexts("A|l|x|\r\n", {{"A", "1"}, {"A", "2"}}), "A|l|2|\r\n");
}

TEST(TextTableEdit, NewIdsAreAppendedWithTheTablesLineEnd) {
    EXPECT_EQ(WithTexts("A|l|a|\r\n", {{"N", "new"}, {"M", "m"}}),
              "A|l|a|\r\nN||new|\r\nM||m|\r\n");
    EXPECT_EQ(WithTexts("A|l|a|\nB|l|b|\r\n", {{"N", "new"}}), "A|l|a|\nB|l|b|\r\nN||new|\n");
    EXPECT_EQ(WithTexts("A|l|a|\rB|l|b|\r", {{"B", "x"}, {"N", "n"}}), "A|l|a|\rB|l|x|\rN||n|\r");
    // A table without a final line end gets one before the new line.
    EXPECT_EQ(WithTexts("A|l|a|", {{"N", "n"}}), "A|l|a|\r\nN||n|\r\n");
    EXPECT_EQ(WithTexts("A|l|a|\n", {{"A", "b"}, {"N", "n"}}), "A|l|b|\nN||n|\n");
    EXPECT_EQ(WithTexts("", {{"N", "n"}}), "N||n|\r\n");
}

TEST(TextTableEdit, TextsAndIdsThatCannotBeWrittenAreRefused) {
    for (const char* text : {"a|b", "one\ntwo", "one\rtwo"})
        EXPECT_NE(TextTables::TextRefusal(text), "") << text;
    EXPECT_NE(TextTables::TextRefusal(std::string("a\0b", 3)), "");
    EXPECT_EQ(TextTables::TextRefusal("Gr\xFC\xDF"
                                      "e, \"friend\"; 100%"),
              "");

    EXPECT_EQ(TextTables::IdRefusal(std::string(48, 'I')), "");
    for (const std::string& id : {std::string(), std::string(49, 'I'), std::string("A B"),
                                  std::string("A|B"), std::string("A\"B"), std::string("A;B")})
        EXPECT_NE(TextTables::IdRefusal(id), "") << id;
}

TEST_F(TextTableEditTest, WritingKeepsABackupAndTheNextLookUpSeesTheText) {
    const std::string before = "BOB_01|line|Hello.|\r\nBOB_02|line|Bye.|\r\n";
    WriteFile("infosa.csv", before);
    ASSERT_EQ(TextTables::LookUp("infosa.csv", "BOB_01"), "Hello.");

    ASSERT_TRUE(TextTables::WriteTexts("infosa.csv", {{"BOB_01", "Well met."}, {"BOB_03", "Hm."}}));
    // Read again at once, even within the second the table was written in.
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "BOB_01"), "Well met.");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "BOB_03"), "Hm.");
    EXPECT_EQ(ReadFile("infosa.csv"),
              "BOB_01|line|Well met.|\r\nBOB_02|line|Bye.|\r\nBOB_03||Hm.|\r\n");
    const auto backups = VaskTest::ListNames("Backup/infosa.csv");
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(ReadFile("Backup/infosa.csv/" + backups[0]), before);

    // A table that does not exist yet is made.
    ASSERT_TRUE(TextTables::WriteTexts("questdescsa.csv", {{"Q_01", "Begun."}}));
    EXPECT_EQ(ReadFile("questdescsa.csv"), "Q_01||Begun.|\r\n");
}

TEST_F(TextTableEditTest, SuggestedIdsAreFreeAndFitTheLocString) {
    WriteFile("infosa.csv", "BOB_GREETING_01|l|x|\r\nBOB_GREETING_03|l|x|\r\n");
    EXPECT_EQ(TextTables::SuggestId("infosa.csv", "Bob_Greeting"), "BOB_GREETING_02");
    EXPECT_EQ(TextTables::SuggestId("infosa.csv", "Bob_Greeting", {"BOB_GREETING_02"}),
              "BOB_GREETING_04");
    EXPECT_EQ(TextTables::SuggestId("infodescsa.csv", "Bob_Greeting"), "BOB_GREETING_01");
    WriteFile("questdescsa.csv", "BOB_GREETING_01|a line without its display field\r");
    EXPECT_EQ(TextTables::SuggestId("questdescsa.csv", "Bob_Greeting"), "BOB_GREETING_02");
    // Characters an id cannot hold become "_"; a long name is cut to leave room for the
    // number, so the id still fits 48 characters.
    EXPECT_EQ(TextTables::SuggestId("infosa.csv", "Anna talk/2"), "ANNA_TALK_2_01");
    const std::string longId = TextTables::SuggestId("infosa.csv", std::string(48, 'x'));
    EXPECT_EQ(longId, std::string(45, 'X') + "_01");
    EXPECT_EQ(TextTables::IdRefusal(longId), "");
}
