// Three-way merges of one info: changes of different places come together, entries
// inserted by both sides are both kept, the same place changed two ways is a conflict;
// and merging a side with an untouched base gives that side, for random edits.
#include "library/InfoMerge.h"
#include "info/InfoRegions.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/InfoDiff.h"
#include "support/Library.h"

#include <gtest/gtest.h>

#include <random>

using namespace VaskEdit;
using VaskTest::ReadFile;

namespace {

template <typename T, typename List> std::vector<T> Entries(const List& list) {
    return std::vector<T>(list.begin(), list.end());
}

template <typename T, typename List> void Store(List& list, const std::vector<T>& entries) {
    list.ClearContent();
    for (const T& entry : entries)
        list.PushBack(entry);
}

std::vector<std::string> Lines(const std::vector<MergeConflict>& conflicts) {
    std::vector<std::string> lines;
    for (const MergeConflict& conflict : conflicts)
        lines.push_back(ConflictLine(conflict));
    return lines;
}

std::vector<std::string> ChangeLines(const VaskInfo& from, const VaskInfo& to) {
    std::vector<std::string> lines;
    for (const PlaceChange& change : DiffInfo(PlacesOf(from, false), PlacesOf(to, false)))
        lines.push_back(ChangeLine(change));
    return lines;
}

class InfoMergeTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        workspace.CopyFromSource("demo");
        Load("Bob_BuySword", base);
        Load("Bob_BuySword", ours);
        Load("Bob_BuySword", theirs);
    }

    static void Load(const std::string& name, VaskInfo& info) {
        const std::string bytes = ReadFile("Infos/" + name + ".vaskinfo");
        const TextTables::LookUpsOff off;
        info.LoadFromText(bytes, FindInfoRegions(bytes));
    }

    VaskInfo base, ours, theirs;
};

TEST_F(InfoMergeTest, ChangesOfDifferentPlacesAndBothSidesInsertionsMerge) {
    ours.SetOwner("Bobby");
    ours.InfoCommands[1].SetEntity1("Bob");
    theirs.InfoCommands[2].SetID1("{00000000-0000-0000-0000-000000000001}");
    // Both insert a command before the last one (End): both are kept, ours first.
    auto oursCommands = Entries<InfoCommand>(ours.InfoCommands);
    InfoCommand oursNew = oursCommands[0];
    oursNew.SetLocString("BOB_OURS");
    oursCommands.insert(oursCommands.end() - 1, oursNew);
    Store(ours.InfoCommands, oursCommands);
    auto theirsCommands = Entries<InfoCommand>(theirs.InfoCommands);
    InfoCommand theirsNew = theirsCommands[0];
    theirsNew.SetLocString("BOB_THEIRS");
    theirsCommands.insert(theirsCommands.end() - 1, theirsNew);
    Store(theirs.InfoCommands, theirsCommands);
    Store(theirs.InfoConditions, std::vector<InfoCondition>{}); // they drop the condition

    VaskInfo merged;
    ASSERT_TRUE(MergeInfos(base, ours, theirs, merged).empty());
    EXPECT_EQ(ChangeLines(base, merged),
              (std::vector<std::string>{
                  "Owner: \"Bob\" -> \"Bobby\"",
                  "InfoCommands[1].Entity1: \"PC_Hero\" -> \"Bob\"",
                  "InfoCommands[2].ID1: \"{52CED392-324A-E703-AD39-A2846EF838D0}\" -> "
                  "\"{00000000-0000-0000-0000-000000000001}\"",
                  "InfoCommands[3]: + Description (BOB_OURS)",
                  "InfoCommands[4]: + Description (BOB_THEIRS)",
                  "InfoConditions[0]: - " + EntrySummary(EntryPlaces(base.InfoConditions[0])),
              }));
}

TEST_F(InfoMergeTest, TheSamePlaceChangedTwoWaysIsAConflict) {
    ours.SetOwner("Bobby");
    theirs.SetOwner("Rob");
    ours.InfoCommands[1].SetEntity1("Mira");
    theirs.InfoCommands[1].SetEntity1("Bob");
    // One side removes the condition, the other changes it.
    Store(ours.InfoConditions, std::vector<InfoCondition>{});
    theirs.InfoConditions[0].SetEntity1("Bob");
    // Changed alike on both sides: no conflict.
    ours.SetQuest("Q_Same");
    theirs.SetQuest("Q_Same");

    VaskInfo merged;
    EXPECT_EQ(Lines(MergeInfos(base, ours, theirs, merged)),
              (std::vector<std::string>{
                  "Owner: base \"Bob\", ours \"Bobby\", theirs \"Rob\"",
                  "InfoCommands[1].Entity1: base \"PC_Hero\", ours \"Mira\", theirs \"Bob\"",
                  "InfoConditions[0]: base \"" + EntrySummary(EntryPlaces(base.InfoConditions[0])) +
                      "\", ours \"(none)\", "
                      "theirs \"" +
                      EntrySummary(EntryPlaces(theirs.InfoConditions[0])) + "\"",
              }));
}

// An entry inserted before one of its own type is an insertion, not a change of it: their
// change of the old entry lands on the old entry. Values merge like any other field.
TEST_F(InfoMergeTest, AnEntryInsertedBesideOneOfItsTypeIsNotTakenForIt) {
    auto commands = Entries<InfoCommand>(ours.InfoCommands);
    InfoCommand fresh = commands[0]; // a Description
    fresh.SetLocString("BOB_NEW");
    commands.insert(commands.begin(), fresh);
    commands[3].SetValue("7", 2); // the DestroyItem's third value
    Store(ours.InfoCommands, commands);
    theirs.InfoCommands[0].SetEntity1("Bob");

    VaskInfo merged;
    ASSERT_TRUE(MergeInfos(base, ours, theirs, merged).empty());
    ASSERT_EQ(merged.InfoCommands.GetSize(), 5u);
    EXPECT_EQ(merged.InfoCommands[0].LocString.View(), "BOB_NEW");
    EXPECT_EQ(merged.InfoCommands[0].Entity1.View(), "");
    EXPECT_EQ(merged.InfoCommands[1].LocString.View(), "BOB_SWORD_DESC");
    EXPECT_EQ(merged.InfoCommands[1].Entity1.View(), "Bob");
    EXPECT_EQ(merged.InfoCommands[3].Value[2].View(), "7");
    EXPECT_EQ(merged.InfoCommands[3].Command.View(), "DestroyItem");
}

// Random edits of every kind: a member, an entry's field, an entry inserted, removed or
// moved.
void Edit(VaskInfo& info, std::mt19937& random) {
    const auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::string value = "V" + std::to_string(pick(1000));
    auto commands = Entries<InfoCommand>(info.InfoCommands);
    switch (pick(5)) {
    case 0:
        info.SetPartner(value.c_str());
        break;
    case 1:
        if (!commands.empty())
            commands[pick(commands.size())].SetEntity2(value.c_str());
        break;
    case 2:
        if (!commands.empty()) {
            InfoCommand copy = commands[pick(commands.size())];
            copy.SetID3(value.c_str());
            commands.insert(
                commands.begin() + static_cast<std::ptrdiff_t>(pick(commands.size() + 1)), copy);
        }
        break;
    case 3:
        if (!commands.empty())
            commands.erase(commands.begin() + static_cast<std::ptrdiff_t>(pick(commands.size())));
        break;
    case 4:
        if (commands.size() > 1)
            std::swap(commands[pick(commands.size())], commands[pick(commands.size())]);
        break;
    }
    Store(info.InfoCommands, commands);
}

TEST_F(InfoMergeTest, MergingWithAnUntouchedSideGivesTheOtherSide) {
    for (const char* name : {"Bob_BuySword", "Mira_HealingHerbs", "Sven_Story", "Tomas_JoinCrew"}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            std::mt19937 random(seed);
            VaskInfo start, x;
            Load(name, start);
            Load(name, x);
            for (std::size_t edits = 1 + seed % 4; edits > 0; --edits)
                Edit(x, random);
            VaskInfo left, right;
            ASSERT_TRUE(MergeInfos(start, x, start, left).empty()) << name << " seed " << seed;
            ASSERT_TRUE(MergeInfos(start, start, x, right).empty()) << name << " seed " << seed;
            EXPECT_TRUE(PlacesOf(left, false) == PlacesOf(x, false)) << name << " seed " << seed;
            EXPECT_TRUE(PlacesOf(right, false) == PlacesOf(x, false)) << name << " seed " << seed;
        }
    }
}

} // namespace
