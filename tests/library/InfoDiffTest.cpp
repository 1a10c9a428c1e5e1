// Infos compared place by place: one line for each member, slot or entry that changed,
// lists aligned so that an inserted, removed or moved entry is one change; and sets of
// infos compared by name, a renamed info found by its content.
#include "library/InfoSetDiff.h"
#include "library/MergeReview.h"
#include "support/Library.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::vector<PlaceChange>& changes) {
    std::vector<std::string> lines;
    for (const PlaceChange& change : changes)
        lines.push_back(ChangeLine(change));
    return lines;
}

void SetField(InfoPlaces::Fields& fields, const std::string& name, const std::string& value) {
    for (auto& field : fields)
        if (field.first == name)
            field.second = value;
}

class InfoDiffTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        workspace.CopyFromSource("demo");
    }

    static InfoPlaces Places(const std::string& name) {
        return ReadPlaces(ReadFile("Infos/" + name + ".vaskinfo"), "./", false);
    }
};

TEST_F(InfoDiffTest, EachEditIsOneLineNamedAsShowNamesItsPlace) {
    const InfoPlaces base = Places("Bob_BuySword");
    ASSERT_EQ(base.commands.size(), 4u); // Description, CreateItem, DestroyItem, End
    ASSERT_EQ(base.commands[1].type, "CreateItem");
    InfoPlaces now = base;
    SetField(now.members, "Owner", "Bobby");
    SetField(now.commands[1].fields, "Entity1", "Bob");
    // The description moves to the end, a Say comes first; a condition goes, a perk comes.
    std::rotate(now.commands.begin(), now.commands.begin() + 1, now.commands.end());
    InfoPlaces::Entry say{
        "Say",
        {{"Command", "Say"}, {"Entity1", "Bob"}, {"Entity2", "PC_Hero"}, {"LocString", "BOB_NEW"}}};
    now.commands.insert(now.commands.begin(), say);
    now.conditions.erase(now.conditions.begin());
    now.perks.push_back({"Haggler", {{"Perk", "Haggler"}, {"Value", "1"}, {"InvertTest", ""}}});

    EXPECT_EQ(Lines(DiffInfo(base, now)),
              (std::vector<std::string>{
                  "Owner: \"Bob\" -> \"Bobby\"",
                  "RequiredPerks[0]: + Haggler (1)",
                  "InfoCommands[0]: + Say (Bob, PC_Hero, BOB_NEW)",
                  "InfoCommands[1].Entity1: \"PC_Hero\" -> \"Bob\"",
                  "InfoCommands: moved [0] -> [4]",
                  "InfoConditions[0]: - " + EntrySummary(base.conditions[0]),
              }));
    EXPECT_TRUE(DiffInfo(base, base).empty());
    EXPECT_TRUE(DiffInfo(now, now).empty());
    // Back the other way, each change is undone by its counterpart.
    EXPECT_EQ(Lines(DiffInfo(now, base)),
              (std::vector<std::string>{
                  "Owner: \"Bobby\" -> \"Bob\"",
                  "RequiredPerks[0]: - Haggler (1)",
                  "InfoCommands[0]: - Say (Bob, PC_Hero, BOB_NEW)",
                  "InfoCommands[1].Entity1: \"Bob\" -> \"PC_Hero\"",
                  "InfoCommands: moved [4] -> [0]",
                  "InfoConditions[0]: + " + EntrySummary(base.conditions[0]),
              }));
}

TEST_F(InfoDiffTest, AnEntryOfAnotherTypeInTheSamePlaceIsRemovedAndInserted) {
    const InfoPlaces base = Places("Bob_BuySword");
    InfoPlaces now = base;
    now.commands[2] = {"Say", {{"Command", "Say"}, {"LocString", "BOB_X"}}};
    EXPECT_EQ(Lines(DiffInfo(base, now)),
              (std::vector<std::string>{"InfoCommands[2]: - " + EntrySummary(base.commands[2]),
                                        "InfoCommands[2]: + Say (BOB_X)"}));
}

// Two entries of a type where one stands now: the first was changed, the second removed.
TEST_F(InfoDiffTest, EntriesOfOneTypeArePairedInTheirOrder) {
    InfoPlaces base = Places("Bob_BuySword");
    base.commands.insert(base.commands.begin() + 2, base.commands[1]); // two CreateItems
    SetField(base.commands[2].fields, "ID1", "{SECOND}");
    InfoPlaces now = Places("Bob_BuySword");
    SetField(now.commands[1].fields, "Entity1", "Bob");
    EXPECT_EQ(Lines(DiffInfo(base, now)),
              (std::vector<std::string>{"InfoCommands[2]: - " + EntrySummary(base.commands[2]),
                                        "InfoCommands[1].Entity1: \"PC_Hero\" -> \"Bob\""}));
}

// The tables of a side are looked up beside it; a review that is cancelled compares
// nothing.
TEST_F(InfoDiffTest, EachSideKnowsWhereItsTablesAreAndAReviewCanBeCancelled) {
    fs::create_directories("Base/Infos");
    fs::copy_file("w_info.hdrdoc", "Base/w_info.hdrdoc");
    fs::copy_file("Infos/Bob_Haggle.vaskinfo", "Base/Infos/Bob_Haggle.vaskinfo");
    EXPECT_EQ(VersionsInDocument("Base/w_info.hdrdoc").folder, "Base/");
    EXPECT_EQ(VersionsInDocument("w_info.hdrdoc").folder, "./");
    EXPECT_EQ(VersionsInFolder("Base/Infos/").folder, "Base/");
    EXPECT_EQ(VersionOfFile("Base/Infos/Bob_Haggle.vaskinfo").folder, "Base/");

    const MergeReview whole = ReviewMerge();
    EXPECT_TRUE(whole.compared);
    EXPECT_EQ(whole.Written(), VaskTest::ListNames("Infos").size());
    const MergeReview cancelled = ReviewMerge([] { return true; });
    EXPECT_FALSE(cancelled.compared);
    EXPECT_EQ(cancelled.Written(), 0u);
}

// Sets: "Infos/" against the copy of another workspace, with an info renamed (and
// changed), one removed, one new and one changed.
TEST_F(InfoDiffTest, SetsNameNewRemovedRenamedAndChangedInfos) {
    fs::create_directories("Base");
    fs::copy("Infos", "Base/Infos");
    const std::size_t all = VaskTest::ListNames("Infos").size();
    EXPECT_TRUE(
        DiffInfoSets(VersionsInFolder("Base/Infos/"), VersionsInFolder("Infos/"), false).Equal());

    std::string teach = ReadFile("Infos/Mira_Teach.vaskinfo");
    fs::remove("Infos/Mira_Teach.vaskinfo");
    for (std::size_t at; (at = teach.find("\"Mira_Teach\"")) != std::string::npos;)
        teach.replace(at, 12, "\"Mira_Lesson\"");
    teach.replace(teach.find("Partner = \"PC_Hero\""), 19, "Partner = \"Lena\"");
    WriteFile("Infos/Mira_Lesson.vaskinfo", teach);
    fs::remove("Infos/Sven_Story.vaskinfo");
    WriteInfo("Lena_New", "Lena");
    std::string haggle = ReadFile("Infos/Bob_Haggle.vaskinfo");
    haggle.replace(haggle.find("Owner = \"Bob\""), 13, "Owner = \"Dray\"");
    WriteFile("Infos/Bob_Haggle.vaskinfo", haggle);

    const InfoSetDiff diff =
        DiffInfoSets(VersionsInFolder("Base/Infos/"), VersionsInFolder("Infos/"), false);
    EXPECT_EQ(diff.added, std::vector<std::string>{"Lena_New"});
    EXPECT_EQ(diff.removed, std::vector<std::string>{"Sven_Story"});
    ASSERT_EQ(diff.renamed.size(), 1u);
    EXPECT_EQ(diff.renamed[0].from, "Mira_Teach");
    EXPECT_EQ(diff.renamed[0].to, "Mira_Lesson");
    EXPECT_EQ(Lines(diff.renamed[0].changes),
              std::vector<std::string>{"Partner: \"PC_Hero\" -> \"Lena\""});
    ASSERT_EQ(diff.changed.size(), 1u);
    EXPECT_EQ(diff.changed[0].name, "Bob_Haggle");
    EXPECT_EQ(Lines(diff.changed[0].changes),
              std::vector<std::string>{"Owner: \"Bob\" -> \"Dray\""});
    EXPECT_EQ(diff.unchanged, all - 3);
    EXPECT_FALSE(diff.Equal());
}

// The game document's pieces are the base by default; an info the document has and no
// file holds is removed, and display texts differ only when asked to compare them.
TEST_F(InfoDiffTest, TheGameDocumentIsReadByItsPiecesAndTextsComeFromEachSidesTables) {
    const InfoVersions document = VersionsInDocument("w_info.hdrdoc");
    ASSERT_TRUE(document.failure.empty());
    ASSERT_TRUE(document.bytes.count("Bob_Greeting"));
    fs::remove("Infos/Bob_Greeting.vaskinfo");
    const InfoSetDiff diff = DiffInfoSets(document, VersionsInFolder("Infos/"), false);
    EXPECT_TRUE(std::find(diff.removed.begin(), diff.removed.end(), "Bob_Greeting") !=
                diff.removed.end());
    EXPECT_TRUE(diff.changed.empty());
    EXPECT_FALSE(VersionsInDocument("missing.hdrdoc").failure.empty());

    // The base's tables elsewhere: one display text changed there.
    fs::create_directories("Old");
    for (const char* other : {"infosa.csv", "questdescsa.csv"})
        fs::copy(other, std::string("Old/") + other);
    std::string table = ReadFile("infodescsa.csv");
    const std::size_t line = table.find("BOB_SWORD_DESC|");
    ASSERT_NE(line, std::string::npos);
    const std::size_t textEnd = table.find('|', table.find('|', line + 15) + 1);
    table.insert(textEnd, " (old)");
    WriteFile("Old/infodescsa.csv", table);
    InfoVersions base = VersionsInFolder("Infos/");
    base.folder = "Old/";
    InfoVersions now = VersionsInFolder("Infos/");
    EXPECT_TRUE(DiffInfoSets(base, now, false).Equal());
    const InfoSetDiff texts = DiffInfoSets(base, now, true);
    ASSERT_EQ(texts.changed.size(), 1u);
    EXPECT_EQ(texts.changed[0].name, "Bob_BuySword");
    ASSERT_EQ(texts.changed[0].changes.size(), 1u);
    EXPECT_EQ(texts.changed[0].changes[0].place, "InfoCommands[0].Text");
    EXPECT_EQ(texts.changed[0].changes[0].before, texts.changed[0].changes[0].after + " (old)");
}

} // namespace
