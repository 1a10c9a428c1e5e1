// The search of the texts that infos show, line by line: which commands, where they
// stand, who speaks, what the tables say; progress and cancel as the jobs have them.
#include "library/SpokenSearch.h"
#include "engine/String.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/InfoManager.h"
#include "support/Library.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace VaskEdit;
using VaskTest::WriteFile;

namespace {

class SpokenSearchTest : public VaskTest::LibraryTest {
protected:
    static void Command(VaskInfo& info, const char* type, const char* id, const char* speaker = "",
                        const char* listener = "") {
        InfoCommand& command = info.InfoCommands[info.AddCommand()];
        command.Command = Char32(type);
        command.Entity1 = Char48(speaker);
        command.Entity2 = Char48(listener);
        command.LocString = Char48(id);
    }
    static void Write(const std::string& name, const std::function<void(VaskInfo&)>& fill) {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, name.c_str());
        fill(info);
        ASSERT_TRUE(info.WriteDataToFile()) << name;
    }
    void SetUp() override {
        LibraryTest::SetUp();
        TextTables::Clear();
        WriteFile("infosa.csv", "SAY_1|x|The sea is calm.|\r\n"
                                "SAY_2|x|No water here.|\r\n"
                                "SAY_3|sea|Dry land.|\r\n" // only its note holds it
                                "SAY_1|x|A later SEA line the reader never takes.|\r\n");
        WriteFile("infodescsa.csv", "DESC_1|x|\xC9t\xE9 by the SEA|\r\n");
        WriteFile("questdescsa.csv", "LOG_1|x|Sail the seas|\r\n");
        Write("Harbour", [](VaskInfo& info) {
            Command(info, "Say", "SAY_2", "Sven", "PC_Hero");
            Command(info, "Say", "SAY_1", "Sven", "PC_Hero");
            Command(info, "Description", "DESC_1");
        });
        Write("Land", [](VaskInfo& info) { Command(info, "Say", "SAY_3", "Olaf", "PC_Hero"); });
        Write("Quest", [](VaskInfo& info) {
            Command(info, "Say", "SAY_1", "Ingrid", "Sven");
            Command(info, "AddLogText", "LOG_1");
        });
        ASSERT_TRUE(index.Build({}, {}).succeeded);
    }
    void TearDown() override {
        TextTables::Clear();
        LibraryTest::TearDown();
    }

    static std::string Row(const SpokenLine& line) {
        return line.info + " " + std::to_string(line.entry) + " " + line.command + " " +
               line.speaker + ">" + line.listener + " " + line.table + ":" + line.id + " " +
               line.text;
    }
    std::vector<std::string> Rows(std::string_view text) {
        std::vector<SpokenLine> found;
        const Jobs::Outcome outcome = FindSpokenLines(index.Outlines(), text, found, {}, {});
        EXPECT_FALSE(outcome.cancelled);
        std::vector<std::string> rows;
        for (const SpokenLine& line : found)
            rows.push_back(Row(line));
        return rows;
    }

    ReferenceIndex index;
};

TEST_F(SpokenSearchTest, EachMatchingCommandWithItsPlaceSpeakerAndText) {
    EXPECT_EQ(Rows("SEA"), (std::vector<std::string>{
                               "Harbour 1 Say Sven>PC_Hero infosa.csv:SAY_1 The sea is calm.",
                               "Harbour 2 Description > infodescsa.csv:DESC_1 \xC9t\xE9 by the SEA",
                               "Quest 0 Say Ingrid>Sven infosa.csv:SAY_1 The sea is calm.",
                               "Quest 1 AddLogText > questdescsa.csv:LOG_1 Sail the seas"}));
    // Letters beyond ASCII match either case, here as in the list of infos.
    EXPECT_EQ(Rows("\xE9T\xC9").size(), 1u);
    EXPECT_EQ(InfosShowing(index.Outlines(), "\xE9T\xC9").size(), 1u);
    // The id and the note are not the text; an empty text finds nothing.
    EXPECT_TRUE(Rows("SAY_").empty());
    EXPECT_TRUE(Rows("Dry sea").empty());
    EXPECT_TRUE(Rows("").empty());
}

TEST_F(SpokenSearchTest, ProgressGoesByInfoAndACancelKeepsWhatWasFound) {
    std::vector<Jobs::JobProgress> reports;
    std::vector<SpokenLine> found;
    int asked = 0;
    const Jobs::Outcome outcome = FindSpokenLines(
        index.Outlines(), "sea", found,
        [&](const Jobs::JobProgress& progress) { reports.push_back(progress); },
        [&] { return ++asked == 1; });
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].done, 1u);
    EXPECT_EQ(reports[0].total, 3u);
    // The first info listed was searched whole before the cancel.
    const std::string first = index.Outlines().front().name;
    for (const SpokenLine& line : found)
        EXPECT_EQ(line.info, first);

    found.clear();
    reports.clear();
    EXPECT_FALSE(FindSpokenLines(
                     index.Outlines(), "sea", found,
                     [&](const Jobs::JobProgress& progress) { reports.push_back(progress); },
                     [] { return false; })
                     .cancelled);
    EXPECT_EQ(found.size(), 4u);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().percent, 100);
}

TEST_F(SpokenSearchTest, EachTextKnowsTheInfosThatShowIt) {
    const InfosByText byText =
        InfosShowingEachText(index.Outlines(), {{"infosa.csv", "SAY_1", "", ""},
                                                {"questdescsa.csv", "LOG_1", "", ""},
                                                {"infosa.csv", "SAY_9", "", ""},
                                                {"infosa.csv", "SAY_1", "", ""}});
    ASSERT_EQ(byText.size(), 4u);
    std::vector<std::string> sayers = byText[0];
    std::sort(sayers.begin(), sayers.end());
    EXPECT_EQ(sayers, (std::vector<std::string>{"Harbour", "Quest"}));
    EXPECT_EQ(byText[1], std::vector<std::string>{"Quest"});
    EXPECT_TRUE(byText[2].empty());
    EXPECT_EQ(byText[3], byText[0]); // asked twice, the same infos
}

} // namespace
