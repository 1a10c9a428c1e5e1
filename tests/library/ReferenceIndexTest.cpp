// The reference index, the conversation forest, the rename and the search of shown
// texts, on small workspaces written through the info writer.
#include "library/ReferenceIndex.h"
#include "engine/String.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "library/Conversations.h"
#include "library/InfoManager.h"
#include "library/RenameInfo.h"
#include "library/SpokenSearch.h"
#include "support/Library.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class ReferenceIndexTest : public VaskTest::LibraryTest {
protected:
    // Writes an info whose members and lists fill sets.
    static void Write(const std::string& name, const std::function<void(VaskInfo&)>& fill = {}) {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, name.c_str());
        if (fill)
            fill(info);
        ASSERT_TRUE(info.WriteDataToFile()) << name;
    }
    static void Child(const std::string& name, const std::string& parent,
                      const char* mainSort = "0", const char* sort = "0",
                      const std::string& owner = "Bob") {
        Write(name, [&](VaskInfo& info) {
            info.SetParent(parent.c_str());
            info.SetMainSortID(mainSort);
            info.SetSortID(sort);
            info.SetOwner(owner.c_str());
        });
    }
    static void Say(VaskInfo& info, const char* speaker, const char* id) {
        InfoCommand& say = info.InfoCommands[info.AddCommand()];
        say.Command = Char32("Say");
        say.Entity1 = Char48(speaker);
        say.Entity2 = Char48("PC_Hero");
        say.LocString = Char48(id);
    }
    static void Knows(VaskInfo& info, const char* other) {
        InfoCondition& knows = info.InfoConditions[info.AddCondition()];
        knows.Condition = Char32("PlayerKnows");
        knows.ID1 = Char48(other);
    }

    static std::vector<std::string> Rows(const ReferenceIndex& index, const std::string& value) {
        std::vector<std::string> rows;
        for (const Usage& usage : index.Usages(value))
            rows.push_back(usage.info + " " + PlaceName(usage.place));
        return rows;
    }

    static std::string Forest(ConversationScope scope = ConversationScope::All,
                              const std::string& name = {}) {
        ReferenceIndex index;
        EXPECT_TRUE(index.Build({}, {}).succeeded);
        const auto infos = index.Outlines();
        std::string text;
        for (const ConversationLine& line : ConversationForest(infos, scope, name))
            text +=
                std::string(2 * line.depth, ' ') + infos[line.info].name + LineNote(line) + "\n";
        return text;
    }
};
} // namespace

// Uses come by info name and then in the order the JSON of show prints the places; an
// info's own name is its definition, not a use.
TEST_F(ReferenceIndexTest, UsesAreListedByInfoAndPlace) {
    Write("Mira_Greeting", [](VaskInfo& info) { info.SetOwner("Mira"); });
    Write("b_Later", [](VaskInfo& info) {
        Knows(info, "Mira_Greeting");
        info.SetParent("Mira_Greeting");
    });
    Write("A_First", [](VaskInfo& info) {
        Say(info, "Mira", "A_FIRST_01");
        Say(info, "PC_Hero", "Mira_Greeting");
        Knows(info, "Mira_Greeting");
        info.RequiredPerks[info.AddRequiredPerk()].Perk = Char48("Mira_Greeting");
        info.SetOwner("Mira");
    });
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);
    EXPECT_EQ(Rows(index, "Mira_Greeting"),
              (std::vector<std::string>{"A_First RequiredPerks[0].Perk",
                                        "A_First InfoCommands[1].LocString",
                                        "A_First InfoConditions[0].ID1", "b_Later Parent",
                                        "b_Later InfoConditions[0].ID1"}));
    EXPECT_EQ(Rows(index, "Mira"),
              (std::vector<std::string>{"A_First Owner", "A_First InfoCommands[0].Entity1",
                                        "Mira_Greeting Owner"}));
    EXPECT_TRUE(Rows(index, "Nobody").empty());
    EXPECT_TRUE(Rows(index, "").empty());

    const auto outline = index.Outline("A_First");
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->firstLine, "A_FIRST_01");
    EXPECT_EQ(outline->conditions, "PlayerKnows Mira_Greeting");
    EXPECT_EQ(outline->texts.size(), 2u);
}

// Saves, deletes and failed builds: the index follows the files, and a build that cannot
// list the folder or is cancelled keeps what it had.
TEST_F(ReferenceIndexTest, IndexFollowsTheFilesAndKeepsItselfOnFailure) {
    Write("A", [](VaskInfo& info) { info.SetParent("Root"); });
    Write("B", [](VaskInfo& info) { info.SetParent("Root"); });
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);
    Write("A", [](VaskInfo& info) { info.SetParent("Other"); });
    index.Refresh("A");
    EXPECT_EQ(Rows(index, "Root"), std::vector<std::string>{"B Parent"});
    EXPECT_EQ(Rows(index, "Other"), std::vector<std::string>{"A Parent"});
    fs::remove("Infos/B.vaskinfo");
    index.Refresh("B");
    EXPECT_TRUE(Rows(index, "Root").empty());
    EXPECT_EQ(index.Outlines().size(), 1u);

    for (int i = 0; i < 300; ++i)
        Write("C" + std::to_string(i), [](VaskInfo& info) { info.SetParent("Root"); });
    EXPECT_TRUE(index.Build({}, [] { return true; }).cancelled);
    fs::rename("Infos", "Aside");
    WriteFile("Infos", "a file where the folder belongs");
    const Jobs::Outcome failed = index.Build({}, {});
    EXPECT_FALSE(failed.succeeded);
    EXPECT_EQ(failed.failure.cause, TesselEngine::Cause::UnreadableFolder);
    EXPECT_EQ(Rows(index, "Other"), std::vector<std::string>{"A Parent"});
    EXPECT_TRUE(Rows(index, "Root").empty());
}

// An info saved while a build reads the folder is in the index the build leaves, and a
// rename reads again the files written since the index read them (by another program).
TEST_F(ReferenceIndexTest, NoSaveIsForgottenAndRenameSeesNewerFiles) {
    for (int i = 0; i < 20; ++i)
        Child("C" + std::to_string(i), "Root");
    ReferenceIndex index;
    bool saved = false;
    ASSERT_TRUE(index
                    .Build(
                        [&](const Jobs::JobProgress&) {
                            if (std::exchange(saved, true))
                                return;
                            Child("Late", "Root"); // not in the listing the build reads
                            index.Refresh("Late");
                        },
                        {})
                    .succeeded);
    ASSERT_TRUE(saved);
    EXPECT_EQ(Rows(index, "Root").size(), 21u);
    EXPECT_TRUE(index.Outline("Late").has_value());

    Child("C3", "Old_Name"); // written behind the index's back
    Write("Old_Name");
    const RenameOutcome outcome = RenameInfo(index, "Old_Name", "New_Name");
    ASSERT_TRUE(outcome.done) << outcome.refusal;
    EXPECT_NE(ReadFile("Infos/C3.vaskinfo").find("\"New_Name\""), std::string::npos);
    EXPECT_EQ(Rows(index, "New_Name"), std::vector<std::string>{"C3 Parent"});
}

// Children under their parent, siblings by MainSortID, SortID (as numbers) and name; a
// cycle is shown once more and not followed, a parent that names no info is said, and
// every info appears.
TEST_F(ReferenceIndexTest, ConversationsAreAForestWithEveryInfoInIt) {
    Child("Root", "");
    Child("Root_Late", "Root", "0", "10");
    Child("Root_Early", "Root", "0", "9");
    Child("Root_First", "Root", "-1", "50");
    Child("Root_B", "Root", "0", "9"); // same numbers: by name
    Child("Deep", "Root_Early");
    Child("Orphan", "Gone");
    Child("Loop_B", "Loop_A");
    Child("Loop_A", "Loop_B");
    Child("Loop_Tail", "Loop_A", "-5"); // below the cycle, before it in sibling order
    Child("Self", "Self");
    Child("Mira_Own", "Root", "0", "0", "Mira");
    Child("Root_Odd", "Root", "0", "99x"); // not a number: 0
    EXPECT_EQ(Forest(), "Orphan (missing parent Gone)\n"
                        "Root\n"
                        "  Root_First\n"
                        "  Mira_Own\n"
                        "  Root_Odd\n"
                        "  Root_B\n"
                        "  Root_Early\n"
                        "    Deep\n"
                        "  Root_Late\n"
                        "Loop_A\n"
                        "  Loop_Tail\n"
                        "  Loop_B\n"
                        "    Loop_A (cycle)\n"
                        "Self\n"
                        "  Self (cycle)\n");
    // Taken by owner: the parent is another owner's, so the info is a root of its own.
    EXPECT_EQ(Forest(ConversationScope::Owner, "Mira"), "Mira_Own\n");
    EXPECT_EQ(Forest(ConversationScope::Quest, "Q_None"), "");
}

TEST_F(ReferenceIndexTest, AConversationThousandsDeepIsWalkedWithoutRecursion) {
    std::vector<InfoOutline> chain(20000);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        chain[i].name = "I" + std::to_string(i);
        chain[i].parent = i ? "I" + std::to_string(i - 1) : "";
    }
    const auto lines = ConversationForest(chain, ConversationScope::All, {});
    ASSERT_EQ(lines.size(), chain.size());
    EXPECT_EQ(lines.back().depth, 19999);
}

// The rename writes the info under its new name, rewrites the uses of the old one and
// changes no other byte; the cache and the index follow.
TEST_F(ReferenceIndexTest, RenameRewritesTheUsesAndNothingElse) {
    Write("Bob_Greeting", [](VaskInfo& info) {
        info.SetOwner("Bob");
        Knows(info, "Bob_Greeting"); // its own name as a value
    });
    Child("Bob_Trade", "Bob_Greeting");
    Write("Mira_Asks", [](VaskInfo& info) {
        Knows(info, "Bob_Greeting");
        Say(info, "Mira", "Bob_Greeting_Text"); // another value that holds the name
    });
    WriteFile("infocache", "Bob_Greeting,Bob,,Bob_Trade,Bob,,Mira_Asks,,,");
    const std::string trade = ReadFile("Infos/Bob_Trade.vaskinfo");
    const std::string asks = ReadFile("Infos/Mira_Asks.vaskinfo");
    const std::string greeting = ReadFile("Infos/Bob_Greeting.vaskinfo");
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);

    const RenameOutcome outcome = RenameInfo(index, "Bob_Greeting", "Bob_Hello");
    ASSERT_TRUE(outcome.done) << outcome.refusal;
    EXPECT_EQ(outcome.lines,
              (std::vector<std::string>{
                  "Renamed \"Infos/Bob_Greeting.vaskinfo\" to \"Infos/Bob_Hello.vaskinfo\".",
                  "Changed \"Infos/Bob_Trade.vaskinfo\": Parent.",
                  "Changed \"Infos/Mira_Asks.vaskinfo\": InfoConditions[0].ID1."}));
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, from.size(), to);
        return text;
    };
    EXPECT_EQ(ReadFile("Infos/Bob_Trade.vaskinfo"),
              replaced(trade, "\"Bob_Greeting\"", "\"Bob_Hello\""));
    EXPECT_EQ(ReadFile("Infos/Mira_Asks.vaskinfo"),
              replaced(asks, "\"Bob_Greeting\"", "\"Bob_Hello\""));
    EXPECT_NE(ReadFile("Infos/Mira_Asks.vaskinfo").find("Bob_Greeting_Text"), std::string::npos);
    EXPECT_EQ(ReadFile("Infos/Bob_Hello.vaskinfo"),
              replaced(greeting, "\"Bob_Greeting\"", "\"Bob_Hello\""));
    EXPECT_FALSE(fs::exists("Infos/Bob_Greeting.vaskinfo"));
    EXPECT_EQ(VaskTest::ListNames("Backup/Bob_Greeting.vaskinfo").size(), 1u);
    EXPECT_EQ(ReadFile("infocache"), "Bob_Hello,Bob,,Bob_Trade,Bob,,Mira_Asks,,,");
    EXPECT_TRUE(Rows(index, "Bob_Greeting").empty());
    EXPECT_EQ(Rows(index, "Bob_Hello"),
              (std::vector<std::string>{"Bob_Hello InfoConditions[0].ID1", "Bob_Trade Parent",
                                        "Mira_Asks InfoConditions[0].ID1"}));
}

// What the rename cannot do it refuses before writing; a write that fails half way puts
// every file back.
TEST_F(ReferenceIndexTest, RenameIsAllOrNothing) {
    Write("A", [](VaskInfo& info) { info.SetOwner("Bob"); });
    Child("A_Child", "A");
    Child("A_Other", "A");
    Write("Perky",
          [](VaskInfo& info) { info.RequiredPerks[info.AddRequiredPerk()].Value = Char8("A"); });
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);
    const auto files = [] {
        std::vector<std::string> all;
        for (const auto& name : VaskTest::ListNames("Infos"))
            all.push_back(name + ":" + ReadFile("Infos/" + name));
        return all;
    };
    const auto before = files();
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Nobody", "B"},          {"A", "A_Child"}, {"A", "a/b"}, {"A", std::string(49, 'n')},
        {"A", "LongerThanEight"}, // the perk's value holds 8 characters
    };
    for (const auto& [from, to] : refused) {
        const RenameOutcome outcome = RenameInfo(index, from, to);
        EXPECT_FALSE(outcome.done) << to;
        EXPECT_FALSE(outcome.refusal.empty()) << to;
        EXPECT_EQ(files(), before) << to;
    }
    EXPECT_EQ(RenameInfo(index, "A", "LongerThanEight").refusal,
              "\"LongerThanEight\" does not fit Perky's RequiredPerks[0].Value, which holds 8 "
              "characters.");

    for (int failing = 1; failing <= 3; ++failing) {
        SCOPED_TRACE(failing);
        FaultInjection::Clear();
        FaultInjection::replacesBeforeFailing = failing - 1; // the new file, then each child
        FaultInjection::failReplaces = 1;
        const RenameOutcome outcome = RenameInfo(index, "A", "B");
        FaultInjection::Clear();
        EXPECT_FALSE(outcome.done);
        EXPECT_TRUE(outcome.failure.IsSet());
        EXPECT_EQ(files(), before);
    }
    EXPECT_TRUE(RenameInfo(index, "A", "B").done);
}

TEST_F(ReferenceIndexTest, ShownTextsAreSearchedInTheirTablesIgnoringCase) {
    WriteFile("infosa.csv", "SAY_01|x|The Sea Gives|\r\n");
    WriteFile("infodescsa.csv", "DESC_01|x|About boats|\r\n");
    WriteFile("questdescsa.csv", "LOG_01|x|A log of the SEA|\r\n");
    Write("Sayer", [](VaskInfo& info) { Say(info, "Sven", "SAY_01"); });
    Write("Describer", [](VaskInfo& info) {
        InfoCommand& description = info.InfoCommands[info.AddCommand()];
        description.Command = Char32("Description");
        description.LocString = Char48("DESC_01");
    });
    Write("Logger", [](VaskInfo& info) {
        InfoCommand& log = info.InfoCommands[info.AddCommand()];
        log.Command = Char32("AddLogText");
        log.LocString = Char48("LOG_01");
    });
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);
    const auto names = [&](const char* text) {
        std::vector<std::string> found;
        for (const InfoOutline& info : InfosShowing(index.Outlines(), text))
            found.push_back(info.name);
        return found;
    };
    EXPECT_EQ(names("sea"), (std::vector<std::string>{"Logger", "Sayer"}));
    EXPECT_EQ(names("BOATS"), std::vector<std::string>{"Describer"});
    EXPECT_TRUE(names("SAY_01").empty()); // the id is not the text
}
