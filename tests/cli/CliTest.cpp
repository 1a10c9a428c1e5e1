// vaskedit-cli end to end: the real program on a copy of the demo workspace.
#include "CliRun.h"
#include "support/Library.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;
using VaskTest::ReadFile;

namespace {
using VaskTest::CliRun;
CliRun Cli(const std::string& arguments) {
    return VaskTest::RunCli(arguments);
}

std::vector<std::vector<std::string>> Rows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        rows.push_back(fields);
    }
    return rows;
}

class CliTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        fs::create_directory("work");
        workspace.CopyFromSource("demo", "work");
        workspace.CopyFromSource("Resources", "work/Resources");
    }
};
} // namespace

TEST_F(CliTest, ExitStatusesAndUsage) {
    EXPECT_EQ(Cli("--help").status, 0);
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("vaskedit-cli"), std::string::npos);
    EXPECT_EQ(Cli("").status, 2);
    EXPECT_EQ(Cli("frobnicate").status, 2);
    EXPECT_EQ(Cli("-C work filter --name --owner Bob").status, 2);
    EXPECT_EQ(Cli("-C work templates find").status, 2);
    const CliRun missing = Cli("-C work show Nobody");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Error: File <Nobody> not found!\n"
                           "Could not read \"Infos/Nobody.vaskinfo\": the file does not exist.\n");
#ifndef _WIN32
    // A blank argument needs quotes inside the quoted command line, which cmd.exe
    // (the shell std::system uses on Windows) does not pass on: POSIX only.
    EXPECT_EQ(Cli("-C work filter \"  \"").status, 1);
#endif
    const CliRun noDocument = Cli("-C . split");
    EXPECT_EQ(noDocument.status, 1);
    EXPECT_EQ(noDocument.err, "Failed to load infostream.\n"
                              "Could not read \"w_info.hdrdoc\": the file does not exist.\n");
}

TEST_F(CliTest, CacheRowsAndFilters) {
    ASSERT_EQ(Cli("-C work cache update").status, 0);
    const auto all = Rows(Cli("-C work cache list").out);
    EXPECT_EQ(all.size(), VaskTest::ListNames("work/Infos").size());
    for (const auto& row : all)
        ASSERT_EQ(row.size(), 3u);
    const auto bob = Rows(Cli("-C work filter --owner Bob").out);
    ASSERT_FALSE(bob.empty());
    for (const auto& row : bob)
        EXPECT_EQ(row[1], "Bob");
    const auto quest = Rows(Cli("-C work filter --quest Q_HealingHerbs").out);
    EXPECT_EQ(quest.size(), 2u);
    const auto any = Rows(Cli("-C work filter herbs").out); // any field, any case
    EXPECT_EQ(any, quest);
    EXPECT_TRUE(Rows(Cli("-C work filter --name bob_greeting").out).empty());
    const auto found = Rows(Cli("-C work search GE_Mira_AskedForHerbs").out);
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(CliTest, TemplateRows) {
    ASSERT_EQ(Cli("-C work templates update").status, 0);
    const auto rows = Rows(Cli("-C work templates list").out);
    ASSERT_EQ(rows.size(), VaskTest::ListNames("work/Templates").size());
    const auto& gold =
        *std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "It_Gold"; });
    EXPECT_EQ(gold[2], "It_Gold");
    EXPECT_EQ(gold[1].front(), '{');
    EXPECT_EQ(Rows(Cli("-C work templates find --guid " + gold[1]).out),
              std::vector<std::vector<std::string>>{gold});
    EXPECT_EQ(Cli("-C work templates find --name It_Nothing").status, 1);
    EXPECT_EQ(Rows(Cli("-C work templates filter --name It_Gold").out).size(), 1u);
    EXPECT_EQ(Rows(Cli("-C work templates filter it_").out).size(), rows.size());
}

TEST_F(CliTest, ShowPrintsTheRecordAsJson) {
    const CliRun run = Cli("-C work show Mira_HealingHerbs");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(json.begin().key(), "Name");
    EXPECT_EQ(json["Owner"], "Mira");
    EXPECT_EQ(json["Quest"], "Q_HealingHerbs");
    const auto& commands = json["InfoCommands"];
    ASSERT_GE(commands.size(), 3u);
    const auto event = std::find_if(commands.begin(), commands.end(),
                                    [](const auto& c) { return c["Command"] == "SetGameEvent"; });
    ASSERT_NE(event, commands.end());
    EXPECT_EQ((*event)["UseValues"], true);
    EXPECT_EQ((*event)["Values"].size(), 15u);
    EXPECT_EQ((*event)["Values"][0], "1");
    const auto say = std::find_if(commands.begin(), commands.end(),
                                  [](const auto& c) { return c["Command"] == "Say"; });
    EXPECT_FALSE((*say)["Text"].get<std::string>().empty());
    EXPECT_EQ(json["InfoConditions"][0]["Condition"], "QuestStatus");
    EXPECT_TRUE(json["RequiredPerks"].is_array());

    // --text: one "place: value" line for each value of the JSON, in its order.
    const CliRun text = Cli("-C work show --text Mira_HealingHerbs");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with("Name: Mira_HealingHerbs\nMainSortID: 0\n")) << text.out;
    const std::size_t setEvent = static_cast<std::size_t>(event - commands.begin());
    const std::string at = "InfoCommands[" + std::to_string(setEvent) + "]";
    for (const std::string& line :
         {std::string("Owner: Mira\n"), at + ".UseValues: true\n", at + ".Values[0]: 1\n",
          at + ".Values[14]: " + (*event)["Values"][14].get<std::string>() + "\n",
          std::string("InfoConditions[0].Condition: QuestStatus\n")})
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
    EXPECT_TRUE(text.out.ends_with("lossless: true\n"));
    const std::size_t lines =
        static_cast<std::size_t>(std::count(text.out.begin(), text.out.end(), '\n'));
    EXPECT_EQ(lines, 31u + 1 + commands.size() * 26 + json["InfoConditions"].size() * 9);
}

// show says whether what it prints is all the file holds, as resave would.
TEST_F(CliTest, ShowSaysWhatItCouldNotKeep) {
    const auto show = [](const std::string& from, const std::string& to) {
        std::string text = ReadFile("work/Infos/Sven_Story.vaskinfo");
        text.replace(text.find(from), from.size(), to);
        VaskTest::WriteFile("work/Infos/Sven_Story.vaskinfo", text);
        const CliRun run = Cli("-C work show Sven_Story");
        EXPECT_EQ(run.status, 0) << run.err;
        return nlohmann::json::parse(run.out);
    };
    const auto json = show("", "");
    EXPECT_EQ(json["lossless"], true);
    EXPECT_FALSE(json.contains("changes"));
    const auto range = show("InnerRange = 600;", "InnerRange = 600.12345;");
    EXPECT_EQ(range["SmalltalkInnerRange"], "");
    EXPECT_EQ(range["lossless"], false);
    EXPECT_NE(range["changes"].dump().find("600.12345"), std::string::npos) << range.dump();
    const auto owner = show("Owner = \"Sven\"", "Owner = \"Sven the Fisher\"");
    EXPECT_EQ(owner["lossless"], false);
    const auto switchCase = show("\"<Sven_HasTimeToTalk>\"", "\"<" + std::string(513, 'c') + ">\"");
    EXPECT_EQ(switchCase["lossless"], false);
}

TEST_F(CliTest, ShowTakesPathsAndKeepsEveryByte) {
    std::string text = ReadFile("work/Infos/Bob_Greeting.vaskinfo");
    text.replace(text.find("Owner = \"Bob\""), 13, "Owner = \"B\xe4r\"");
    VaskTest::WriteFile("odd.vaskinfo", text);
    const CliRun run = Cli("show odd.vaskinfo");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["Owner"], "B\u00e4r");
}

TEST_F(CliTest, ResaveKeepsTheBytesOrRefusesUnlessForced) {
    const std::string before = ReadFile("work/Infos/Sven_Story.vaskinfo");
    ASSERT_EQ(Cli("-C work resave Sven_Story").status, 0);
    EXPECT_EQ(ReadFile("work/Infos/Sven_Story.vaskinfo"), before);
    ASSERT_EQ(Cli("-C work resave Infos/Narrator_Ending.vaskinfo").status, 0);

    // A value that its member cannot hold: the save would cut it.
    std::string text = before;
    const std::string range = "SmalltalkInnerRange = 600;";
    text.replace(text.find(range), range.size(), "SmalltalkInnerRange = 600.12345;");
    VaskTest::WriteFile("work/Infos/Sven_Story.vaskinfo", text);
    const CliRun refused = Cli("-C work resave Sven_Story");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(ReadFile("work/Infos/Sven_Story.vaskinfo"), text);
    EXPECT_NE(refused.err.find("- 30:         float SmalltalkInnerRange = 600.12345;"),
              std::string::npos)
        << refused.err;
    ASSERT_EQ(Cli("-C work resave --force Sven_Story").status, 0);
    EXPECT_NE(ReadFile("work/Infos/Sven_Story.vaskinfo"), text);
    EXPECT_EQ(ReadFile("work/Infos/Sven_Story.vaskinfo").find("= ;"), std::string::npos);
}

// resave writes only the file it read: never the file of the name inside another one,
// nor the workspace's file for one read elsewhere, --force or not.
TEST_F(CliTest, ResaveWritesOnlyTheFileItRead) {
    const std::string haggle = ReadFile("work/Infos/Bob_Haggle.vaskinfo");
    std::string night = haggle;
    night.replace(night.find("SortID = "), 9, "SortID = 9");
    VaskTest::WriteFile("work/Infos/Bob_Haggle_Night.vaskinfo", night);
    VaskTest::WriteFile("elsewhere.vaskinfo", ReadFile("work/Infos/Bob_Greeting.vaskinfo"));
    const std::string name48(48, 'n');
    std::string longer = haggle;
    for (std::size_t at; (at = longer.find("\"Bob_Haggle\"")) != std::string::npos;)
        longer.replace(at, 12, "\"" + name48 + "n\"");
    VaskTest::WriteFile("work/Infos/" + name48 + ".vaskinfo", longer);
    for (const char* force : {"", "--force "}) {
        const CliRun copy = Cli(std::string("-C work resave ") + force + "Bob_Haggle_Night");
        EXPECT_EQ(copy.status, 1);
        EXPECT_NE(
            copy.err.find("\"Infos/Bob_Haggle_Night.vaskinfo\" holds the info \"Bob_Haggle\", "
                          "whose file is \"Infos/Bob_Haggle.vaskinfo\""),
            std::string::npos)
            << copy.err;
        const CliRun outside =
            Cli(std::string("-C work resave ") + force + "../elsewhere.vaskinfo");
        EXPECT_EQ(outside.status, 1);
        EXPECT_NE(outside.err.find("not \"../elsewhere.vaskinfo\""), std::string::npos)
            << outside.err;
        EXPECT_EQ(Cli(std::string("-C work resave ") + force + name48).status, 1);
    }
    EXPECT_EQ(ReadFile("work/Infos/Bob_Haggle.vaskinfo"), haggle);
    EXPECT_EQ(ReadFile("work/Infos/" + name48 + ".vaskinfo"), longer);
    EXPECT_EQ(Cli("-C work resave ./Infos/../Infos/Bob_Haggle.vaskinfo").status, 0);
}

// No save writes "= ;" or a prefix alone: a member line or a perk's or Say's member that
// the file lacks stays out, a value that cannot be kept is left out under --force, a
// file with CR line ends is read whole, and a value the game cannot read is refused even
// with --force.
TEST_F(CliTest, ResaveNeverWritesAnEmptyValue) {
    const auto resaved = [](const std::string& name, const std::string& text,
                            const char* force = "") {
        VaskTest::WriteFile("work/Infos/" + name + ".vaskinfo", text);
        const CliRun run = Cli(std::string("-C work resave ") + force + name);
        return std::make_pair(run.status, ReadFile("work/Infos/" + name + ".vaskinfo"));
    };
    const auto without = [](std::string text, const std::string& line) {
        const std::size_t at = text.find(line);
        return text.erase(text.rfind('\n', at) + 1, text.find('\n', at) - text.rfind('\n', at));
    };
    const std::string haggle = ReadFile("work/Infos/Bob_Haggle.vaskinfo");
    const std::string threat = ReadFile("work/Infos/Bandit_Threat.vaskinfo");
    for (const auto& [name, text] :
         {std::pair{"Bob_Haggle", without(haggle, "int GoldCost = ")},
          std::pair{"Bob_Haggle", without(haggle, "int Value = 20;")},
          std::pair{"Bandit_Threat", without(threat, "ForcedDialogCam = ")}}) {
        for (const char* force : {"", "--force "})
            EXPECT_EQ(resaved(name, text, force), std::make_pair(0, text)) << force << text;
    }
    std::string crOnly;
    for (const char c : threat) {
        if (c != '\n')
            crOnly.push_back(c);
    }
    const auto [status, written] = resaved("Bandit_Threat", crOnly, "--force ");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(written, threat);

    std::string unreadable = threat;
    unreadable.replace(unreadable.find("InfoType = gEInfoType_Important"), 31, "InfoType = ");
    unreadable.replace(unreadable.find("= gEForcedDialogCam_ShowListener"), 32,
                       "= gEForcedDialogCam_");
    const auto refused = resaved("Bandit_Threat", unreadable, "--force ");
    EXPECT_EQ(refused, std::make_pair(1, unreadable));
}

TEST_F(CliTest, SplitAndMergeRoundTripTheDemoDocument) {
    // Infos of the game document without a file: a strict merge writes nothing.
    fs::remove("work/Infos/Fisher_Ulf_Smalltalk_08.vaskinfo");
    fs::remove("work/Infos/Villager_Karl_Smalltalk_22.vaskinfo");
    const CliRun strict = Cli("-C work merge --strict");
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("Not merged: 2 infos of \"w_info.hdrdoc\" with no file in "
                              "\"Infos/\" would be left out of the game's document:\n  "
                              "Fisher_Ulf_Smalltalk_08\n  Villager_Karl_Smalltalk_22\n"),
              std::string::npos)
        << strict.err;
    EXPECT_FALSE(fs::exists("work/Output/new_info.hdrdoc"));

    fs::remove_all("work/Infos");
    const CliRun split = Cli("-C work split");
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_EQ(split.err.find('\r'), std::string::npos); // no progress bar off a terminal
    const std::size_t infos = VaskTest::ListNames("work/Infos").size();
    EXPECT_GE(infos, 50u);
    EXPECT_NE(split.err.find(std::to_string(infos) + " infos found in \"w_info.hdrdoc\": " +
                             std::to_string(infos) + " written to \"Infos/\", 0 skipped"),
              std::string::npos)
        << split.err;
    const CliRun again = Cli("-C work split");
    EXPECT_NE(again.err.find("is already existing! --> Skipped"), std::string::npos);
    EXPECT_TRUE(again.out.empty());
    const CliRun merged = Cli("-C work merge --strict");
    ASSERT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(ReadFile("work/Output/new_info.hdrdoc"), ReadFile("work/w_info.hdrdoc"));
    EXPECT_NE(merged.err.find(std::to_string(infos) +
                              " infos written, against \"w_info.hdrdoc\": "
                              "0 new, 0 changed, 0 renamed, " +
                              std::to_string(infos) + " unchanged.\n"),
              std::string::npos)
        << merged.err;
    // An owner changed and an info copied under a new name.
    std::string bob = ReadFile("work/Infos/Bob_Greeting.vaskinfo");
    bob.replace(bob.find("\"Bob\";"), 6, "\"Bobby\";");
    VaskTest::WriteFile("work/Infos/Bob_Greeting.vaskinfo", bob);
    VaskTest::WriteFile("work/Infos/Bob_Again.vaskinfo", bob);
    const CliRun counted = Cli("-C work merge");
    EXPECT_NE(counted.err.find(": 1 new, 1 changed, 0 renamed, " + std::to_string(infos - 1) +
                               " unchanged.\n"),
              std::string::npos)
        << counted.err;
    // A renamed info is in the merged document under its new name: not missing, and a
    // strict merge goes ahead.
    ASSERT_EQ(Cli("-C work rename Bob_Trade Bob_Deal").status, 0);
    const CliRun renamed = Cli("-C work merge --strict");
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_NE(renamed.err.find(" 1 renamed, "), std::string::npos) << renamed.err;
    EXPECT_NE(renamed.err.find("Renamed: Bob_Trade -> Bob_Deal\n"), std::string::npos);
    EXPECT_EQ(renamed.err.find("missing"), std::string::npos) << renamed.err;
}

TEST_F(CliTest, OwnersAreListedOnce) {
    const CliRun run = Cli("-C work owners");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Bob\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Bob\n"), run.out.rfind("Bob\n"));
    EXPECT_TRUE(fs::exists("work/Owners.txt"));
}

TEST_F(CliTest, CheckPrintsOneFindingALineAndFailsOnErrors) {
    const CliRun clean = Cli("-C work check");
    EXPECT_EQ(clean.status, 0) << clean.err;
    const auto kept = Rows(clean.out); // the blocks that the demo keeps without support
    ASSERT_EQ(kept.size(), 5u);
    for (const auto& row : kept) {
        ASSERT_EQ(row.size(), 3u);
        EXPECT_EQ(row[0], "warning");
    }
    EXPECT_EQ(clean.err, "0 errors, 5 warnings.\n");

    std::string text = ReadFile("work/Infos/Bob_Trade.vaskinfo");
    text.replace(text.find("Parent = \"\""), 11, "Parent = \"Nobody\"");
    VaskTest::WriteFile("work/Infos/Bob_Trade.vaskinfo", text);
    const CliRun broken = Cli("-C work check");
    EXPECT_EQ(broken.status, 1);
    const auto rows = Rows(broken.out);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"error", "Bob_Trade",
                                        "the parent info \"Nobody\" is not in \"Infos/\""}));
    EXPECT_EQ(std::vector(rows.begin() + 1, rows.end()), kept);
    EXPECT_EQ(broken.err, "1 error, 5 warnings.\n");
    EXPECT_EQ(Cli("-C work check extra").status, 2);
}

// check says every value that the game cannot read or that names none of its choices,
// and every file whose structure the editor would have to guess.
TEST_F(CliTest, CheckSaysUnreadableValuesAndDamagedStructure) {
    const std::string threat = ReadFile("work/Infos/Bandit_Threat.vaskinfo");
    std::string odd = threat;
    for (const auto& [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
             {"= gEInfoType_Important", "= gEInfoType_Strange"},
             {"InfoGiven = False", "InfoGiven = Maybe"},
             {"CondType = gEInfoCondType_Activator", "CondType = "},
             {"= gEForcedDialogCam_ShowListener", "= gEForcedDialogCam_Bogus"},
             {"IsCurrentStatus = True", "IsCurrentStatus = "}})
        odd.replace(odd.find(from), from.size(), to);
    VaskTest::WriteFile("work/Infos/Bandit_Threat.vaskinfo", odd);
    std::string haggle = ReadFile("work/Infos/Bob_Haggle.vaskinfo");
    haggle.replace(haggle.find("int Value = 20;"), 15, "int Value = ;");
    VaskTest::WriteFile("work/Infos/Bob_Haggle.vaskinfo", haggle);
    std::string narrator = ReadFile("work/Infos/Narrator_Ending.vaskinfo");
    const std::size_t kept = narrator.find("int Version", narrator.find("gCInfoCommandEndGame"));
    narrator.insert(kept, "bool Final = ;\r\n                ");
    VaskTest::WriteFile("work/Infos/Narrator_Ending.vaskinfo", narrator);
    const CliRun run = Cli("-C work check");
    EXPECT_EQ(run.status, 1);
    std::vector<std::string> errors;
    for (const auto& row : Rows(run.out)) {
        if (row[0] == "error")
            errors.push_back(row[1] + ": " + row[2]);
    }
    EXPECT_EQ(
        errors,
        (std::vector<std::string>{
            "Bandit_Threat: InfoGiven is \"Maybe\", which names none of its values",
            "Bandit_Threat: ConditionType is empty, which names none of its values",
            "Bandit_Threat: InfoType is \"gEInfoType_Strange\", which names none of its values",
            "Bandit_Threat: command 1 (Say): ForcedDialogCam is \"gEForcedDialogCam_Bogus\", "
            "which names none of its values",
            "Bandit_Threat: condition 1 (QuestStatus): IsCurrentStatus is empty, which names "
            "none of its values",
            // the empty ConditionType would be left out
            "Bandit_Threat: saving it would drop or cut some of its text (from line 11 on)",
            "Bob_Haggle: perk 2: Value is empty, which the game cannot read",
            "Narrator_Ending: command 3 (EndGame): a value of its block is empty, which the "
            "game cannot read"}))
        << run.out;

    // A list or a block that lacks its "}": said, and never saved, --force or not.
    for (const std::string& damaged :
         {threat.substr(0, threat.find("        }\r\n        bTRefPtrArray InfoConditions")) +
              threat.substr(threat.find("        bTRefPtrArray InfoConditions")),
          threat.substr(0, threat.find("            }\r\n            gCInfoCommandEnd")) +
              threat.substr(threat.find("            gCInfoCommandEnd"))}) {
        VaskTest::WriteFile("work/Infos/Bandit_Threat.vaskinfo", damaged);
        EXPECT_NE(Cli("-C work check")
                      .out.find("error\tBandit_Threat\tits structure is damaged "
                                "(line "),
                  std::string::npos);
        const CliRun forced = Cli("-C work resave --force Bandit_Threat");
        EXPECT_EQ(forced.status, 1);
        EXPECT_NE(forced.err.find("The file is damaged"), std::string::npos) << forced.err;
        EXPECT_EQ(ReadFile("work/Infos/Bandit_Threat.vaskinfo"), damaged);
    }
}

// Failures of the library end in exit status 1 and a message: a folder that cannot be
// listed (the old output stays), files that cannot be read (one line each) and names
// repeated in the game's document; infos that a merge lacks are a warning.
TEST_F(CliTest, LibraryFailuresAreReported) {
    const std::string templates = ReadFile("work/templatecache");
    fs::remove_all("work/Templates");
    const CliRun noTemplates = Cli("-C work templates update");
    EXPECT_EQ(noTemplates.status, 1);
    EXPECT_NE(noTemplates.err.find("\"Templates/\""), std::string::npos);
    EXPECT_EQ(ReadFile("work/templatecache"), templates);

    ASSERT_EQ(Cli("-C work split").status, 0); // every info of the demo in "Infos/"
    ASSERT_EQ(Cli("-C work merge").err,
              "Successfully created file \"Output/new_info.hdrdoc\".\n51 infos written, against "
              "\"w_info.hdrdoc\": 0 new, 0 changed, 0 renamed, 51 unchanged.\n");
    const std::string merged = ReadFile("work/Output/new_info.hdrdoc");
    const std::string cache = ReadFile("work/infocache");
    fs::rename("work/Infos", "infos-aside");
    VaskTest::WriteFile("work/Infos", "a plain file where the folder belongs");
    for (const char* command : {"merge", "cache update", "split", "search Bob", "check"}) {
        const CliRun run = Cli(std::string("-C work ") + command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("\"Infos/\" could not be read"), std::string::npos) << command;
    }
    EXPECT_TRUE(ReadFile("work/Output/new_info.hdrdoc") == merged);
    EXPECT_EQ(ReadFile("work/infocache"), cache);
    fs::remove("work/Infos");
    fs::rename("infos-aside", "work/Infos");

    fs::create_directory("work/Infos/Broken.vaskinfo"); // opens as no file
    const CliRun update = Cli("-C work cache update");
    EXPECT_EQ(update.status, 0);
    EXPECT_EQ(update.err, "Could not read \"Infos/Broken.vaskinfo\"; skipped.\n");
    fs::remove("work/Infos/Broken.vaskinfo");

    const std::string bob = ReadFile("work/Infos/Bob_Greeting.vaskinfo");
    fs::remove("work/Infos/Bob_Greeting.vaskinfo");
    const CliRun partial = Cli("-C work merge");
    EXPECT_EQ(partial.status, 0);
    EXPECT_NE(partial.err.find("Warning: 1 info of \"w_info.hdrdoc\" with no file in \"Infos/\" "
                               "is missing from the merged document: Bob_Greeting\n"),
              std::string::npos);

    std::string twice = ReadFile("work/w_info.hdrdoc");
    twice.insert(twice.size() - 3, bob); // before the closing "}"
    VaskTest::WriteFile("work/w_info.hdrdoc", twice);
    fs::remove_all("work/Infos");
    const CliRun split = Cli("-C work split");
    EXPECT_EQ(split.status, 1);
    EXPECT_NE(split.err.find("Error: 1 info of \"w_info.hdrdoc\" repeated the name of an "
                             "earlier one and got no file: Bob_Greeting\n"),
              std::string::npos);
    EXPECT_EQ(ReadFile("work/Infos/Bob_Greeting.vaskinfo"), bob);
    ASSERT_EQ(Cli("-C work merge").status, 0);
    EXPECT_TRUE(ReadFile("work/Output/new_info.hdrdoc") == merged); // the others were written

    // A save that fails says why, in the words of the editor window (InfoFormTest).
    fs::permissions("work/Infos/Bob_Greeting.vaskinfo", fs::perms::owner_read);
    const CliRun readOnly = Cli("-C work resave --force Bob_Greeting");
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_EQ(readOnly.err,
              "Could not save \"Infos/Bob_Greeting.vaskinfo\": the file is read-only.\n");
    EXPECT_EQ(ReadFile("work/Infos/Bob_Greeting.vaskinfo"), bob);
    fs::permissions("work/Infos/Bob_Greeting.vaskinfo", fs::perms::owner_all);
}

// Every command that cannot do its work ends in status 1 with the reason: a split with
// one info it can give no file, the readers of a cache that is not there, an owner list
// that cannot be written and a resave without the resource templates.
TEST_F(CliTest, EveryFailureEndsInStatusOneWithItsReason) {
    fs::remove_all("work/Infos");
    ASSERT_EQ(Cli("-C work split").status, 0);
    const std::size_t infos = VaskTest::ListNames("work/Infos").size();
    fs::remove_all("work/Infos");
    std::string document = ReadFile("work/w_info.hdrdoc");
    for (auto at = document.find("\"Bob_Greeting\""); at != std::string::npos;
         at = document.find("\"Bob_Greeting\""))
        document.replace(at + 1, 12, "NUL"); // a device name of Windows names no file
    VaskTest::WriteFile("work/w_info.hdrdoc", document);
    const CliRun split = Cli("-C work split");
    EXPECT_EQ(split.status, 1);
    EXPECT_NE(split.err.find("1 refused.\nError: 1 info could not be cut out of "
                             "\"w_info.hdrdoc\" and got no file:\n  \"NUL\" (line "),
              std::string::npos)
        << split.err;
    EXPECT_NE(split.err.find(": its name cannot be a file name)\n"), std::string::npos);
    EXPECT_EQ(VaskTest::ListNames("work/Infos").size(), infos - 1); // the others were written

    fs::remove("work/infocache");
    fs::remove("work/templatecache");
    const std::vector<std::pair<const char*, const char*>> failures = {
        {"cache list", "infocache"},
        {"filter Bob", "infocache"},
        {"filter --owner Bob", "infocache"},
        {"templates list", "templatecache"},
        {"templates find --name It_Gold", "templatecache"},
        {"templates filter Gold", "templatecache"},
    };
    for (const auto& [command, file] : failures) {
        const CliRun run = Cli(std::string("-C work ") + command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err,
                  "Could not read \"" + std::string(file) + "\": the file does not exist.\n")
            << command;
        EXPECT_TRUE(run.out.empty()) << command;
    }

    fs::create_directory("work/Owners.txt");
    const CliRun owners = Cli("-C work owners");
    EXPECT_EQ(owners.status, 1);
    EXPECT_NE(owners.err.find("Could not save \"Owners.txt\": it is a folder.\n"),
              std::string::npos);

    fs::remove_all("work/Resources");
    const CliRun resave = Cli("-C work resave --force Mira_Greeting");
    EXPECT_EQ(resave.status, 1);
    EXPECT_EQ(resave.err, "Error: Important resource files are missing!\n");
}

// usages, tree, rename and search --text on the demo with a few conversations made in
// it: their rows, their exit statuses, and a rename that changes only the uses.
TEST_F(CliTest, ReferencesTreeRenameAndShownTextSearch) {
    const auto setParent = [](const std::string& info, const std::string& parent) {
        const std::string path = "work/Infos/" + info + ".vaskinfo";
        std::string text = ReadFile(path);
        const std::string empty = "bCString Parent = \"\";";
        text.replace(text.find(empty), empty.size(), "bCString Parent = \"" + parent + "\";");
        VaskTest::WriteFile(path, text);
    };
    setParent("Bob_Trade", "Bob_Greeting");
    setParent("Bob_Haggle", "Bob_Trade");
    setParent("Bob_BuySword", "Bob_Trade");
    setParent("Bob_TradeBack", "Bob_Gone");

    const CliRun usages = Cli("-C work usages Bob_Trade");
    EXPECT_EQ(usages.status, 0);
    EXPECT_EQ(usages.out, "Bob_BuySword\tParent\nBob_Haggle\tParent\n");
    EXPECT_EQ(Cli("-C work usages Nobody_Uses_This").status, 1);
    EXPECT_EQ(Cli("-C work usages").status, 2);

    const CliRun tree = Cli("-C work tree --owner Bob");
    ASSERT_EQ(tree.status, 0) << tree.err;
    const auto rows = Rows(tree.out);
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row[0]);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Bob_Greeting", "  Bob_Trade",
                                        "    Bob_Haggle", // SortID 6
                                        "    Bob_BuySword", "Bob_LostShipment", "Bob_ShipmentFound",
                                        "Bob_TradeBack (missing parent Bob_Gone)"}));
    EXPECT_EQ(rows[0][1], "Welcome to Kolvar, stranger. Best prices this side of the river.");
    EXPECT_EQ(Cli("-C work tree --owner Bob --quest Q_x").status, 2);

    const std::string haggle = ReadFile("work/Infos/Bob_Haggle.vaskinfo");
    const CliRun rename = Cli("-C work rename Bob_Trade Bob_Wares");
    ASSERT_EQ(rename.status, 0) << rename.err;
    EXPECT_EQ(rename.out, "Renamed \"Infos/Bob_Trade.vaskinfo\" to \"Infos/Bob_Wares.vaskinfo\".\n"
                          "Changed \"Infos/Bob_BuySword.vaskinfo\": Parent.\n"
                          "Changed \"Infos/Bob_Haggle.vaskinfo\": Parent.\n");
    std::string expected = haggle;
    expected.replace(expected.find("\"Bob_Trade\""), 11, "\"Bob_Wares\"");
    EXPECT_EQ(ReadFile("work/Infos/Bob_Haggle.vaskinfo"), expected);
    const CliRun refused = Cli("-C work rename Bob_Wares Bob_Greeting");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Not renamed: An info named \"Bob_Greeting\" exists already.\n");

    const CliRun spoken = Cli("-C work search --text SMUGGLERS");
    EXPECT_EQ(spoken.status, 0);
    EXPECT_EQ(spoken.out, "Dray_NightShift\tDray\tQ_GuardDuty\nLena_Rumors\tLena\t\n");
}

// Entries kept whole are indexed: one whose head holds a nested annotation by its
// type's members, one of a type without a class by its "NAME = VALUE" pairs; a rename
// rewrites both.
TEST_F(CliTest, KeptEntriesAreSeenByUsagesAndRename) {
    std::string trade = ReadFile("work/Infos/Bob_Trade.vaskinfo");
    for (const auto& [list, head, member] :
         {std::tuple{"InfoConditions", "gCInfoConditionPlayerKnows [Meta [Edited 3]]",
                     "PlayerKnows"},
          std::tuple{"InfoCommands", "gCInfoCommandNarratorSay", "Info"}}) {
        const std::string opener = std::string("bTRefPtrArray ") + list + " {\r\n";
        trade.insert(trade.find(opener) + opener.size(),
                     std::string("            ") + head + " {\r\n" +
                         "                int Version = 1;\r\n                bCString " + member +
                         " = \"Bob_Greeting\";\r\n            }\r\n");
    }
    // A perk list entry of another class than the perk's.
    const std::string perks = "RequiredPerks = [\r\n";
    trade.insert(
        trade.find(perks) + perks.size(),
        "            gCOtherPerk {\r\n                bCString Perk = \"Bob_Greeting\";\r\n"
        "            }\r\n");
    VaskTest::WriteFile("work/Infos/Bob_Trade.vaskinfo", trade);
    const CliRun usages = Cli("-C work usages Bob_Greeting");
    EXPECT_EQ(usages.status, 0);
    EXPECT_EQ(usages.out,
              "Bob_Trade\tRequiredPerks[0].Kept[0]\nBob_Trade\tInfoCommands[0].Kept[0]\n"
              "Bob_Trade\tInfoConditions[0].ID1\n");
    ASSERT_EQ(Cli("-C work rename Bob_Greeting Bob_Hello").status, 0);
    std::string renamed = trade;
    for (std::size_t at; (at = renamed.find("\"Bob_Greeting\"")) != std::string::npos;)
        renamed.replace(at, 14, "\"Bob_Hello\"");
    EXPECT_EQ(ReadFile("work/Infos/Bob_Trade.vaskinfo"), renamed);
}

// Names of the full 48 characters are used whole; a filter text longer than any cached
// value is refused, and a search looks for the whole text.
TEST_F(CliTest, NamesAndTextsAreUsedWhole) {
    const std::string name(48, 'n');
    std::string text = ReadFile("work/Infos/Bob_Greeting.vaskinfo");
    for (auto at = text.find("\"Bob_Greeting\""); at != std::string::npos;
         at = text.find("\"Bob_Greeting\""))
        text.replace(at + 1, 12, name);
    VaskTest::WriteFile("work/Infos/" + name + ".vaskinfo", text);
    const CliRun show = Cli("-C work show " + name);
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(nlohmann::json::parse(show.out)["Name"], name);

    ASSERT_EQ(Cli("-C work cache update").status, 0);
    EXPECT_EQ(Rows(Cli("-C work filter --name " + name).out).size(), 1u);
    const CliRun longFilter = Cli("-C work filter " + name + "n");
    EXPECT_EQ(longFilter.status, 2);
    EXPECT_TRUE(longFilter.out.empty());
    EXPECT_NE(longFilter.err.find("more than 48 characters"), std::string::npos);
    EXPECT_EQ(Cli("-C work templates filter " + name + "n").status, 2);

    EXPECT_EQ(Rows(Cli("-C work search " + name).out).size(), 1u);
    EXPECT_TRUE(Rows(Cli("-C work search " + name + "nnnnnnnnnn").out).empty());
}

// text get, set, export and import on the demo: texts in UTF-8 on the command line and
// Windows-1252 in the tables, refusals that write nothing, a round trip that changes
// nothing, and a table line that check reports because the reader passes over it.
TEST_F(CliTest, TextsAreReadWrittenExportedAndImported) {
    const CliRun get = Cli("-C work text get BOB_TRADE_01");
    EXPECT_EQ(get.status, 0);
    EXPECT_EQ(get.out, "Show me your wares.\n");
    EXPECT_EQ(Cli("-C work text get NO_SUCH_ID").status, 1);

    const std::string table = ReadFile("work/infosa.csv");
    // A text beyond ASCII on the command line: UTF-8 here; on Windows a command line
    // goes out in the system's code page and the program takes the wide one.
    const std::string shown = "Zeig mir, was du hast \xE2\x82\xAC";
    const std::string stored = "Zeig mir, was du hast \x80";
#ifdef _WIN32
    const std::string typed = stored;
#else
    const std::string typed = shown;
#endif
    const CliRun set = Cli("-C work text set BOB_TRADE_01 \"" + typed + "\"");
    ASSERT_EQ(set.status, 0) << set.err;
    std::string expected = table;
    expected.replace(expected.find("Show me your wares."), 19, stored);
    EXPECT_EQ(ReadFile("work/infosa.csv"), expected);
    EXPECT_EQ(Cli("-C work text get BOB_TRADE_01").out, shown + "\n");
    std::vector<std::string> refusedTexts = {"\"a|b\""};
#ifndef _WIN32
    refusedTexts.push_back("\"\xE6\x97\xA5\""); // beyond Windows-1252
#endif
    for (const std::string& refused : refusedTexts) {
        const CliRun run = Cli("-C work text set BOB_TRADE_01 " + refused);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.starts_with("Not written: ")) << run.err;
    }
    EXPECT_EQ(Cli("-C work text set \"A B\" x").status, 1);
    EXPECT_EQ(ReadFile("work/infosa.csv"), expected);

    const auto tables = [] {
        return ReadFile("work/infosa.csv") + ReadFile("work/infodescsa.csv") +
               ReadFile("work/questdescsa.csv");
    };
    const std::string before = tables();
    ASSERT_EQ(Cli("-C work text export texts.csv").status, 0);
    const CliRun same = Cli("-C work text import texts.csv");
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.err, "0 lines changed.\n");
    EXPECT_EQ(tables(), before);

    std::string csv = ReadFile("work/texts.csv");
    csv.replace(csv.find(shown), shown.size(), "Show me.");
    VaskTest::WriteFile("work/texts.csv", csv);
    const CliRun dry = Cli("-C work text import texts.csv --dry-run");
    EXPECT_EQ(dry.out, "infosa.csv\tBOB_TRADE_01\t" + shown + "\tShow me.\n");
    EXPECT_EQ(dry.err, "1 line would change.\n");
    EXPECT_EQ(tables(), before);
    ASSERT_EQ(Cli("-C work text import texts.csv --into de").status, 0);
    EXPECT_EQ(tables(), before);
    EXPECT_EQ(ReadFile("work/de/infosa.csv"), table.substr(0, table.find("Show me")) + "Show me." +
                                                  table.substr(table.find("Show me") + 19));
    VaskTest::WriteFile("work/texts.csv", csv + "infosa.csv,BOB_TRADE_01,,,,,,,other\r\n");
    const CliRun refused = Cli("-C work text import texts.csv");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("another text in an earlier row"), std::string::npos);
    EXPECT_NE(refused.err.find("Nothing imported."), std::string::npos);
    EXPECT_EQ(tables(), before);

    VaskTest::WriteFile("work/infosa.csv", ReadFile("work/infosa.csv") + "no bar here\r\n");
    const CliRun check = Cli("-C work check");
    EXPECT_NE(check.out.find("text table \"infosa.csv\" line 48 cannot be split into an id and "
                             "its texts"),
              std::string::npos)
        << check.out;
}

TEST_F(CliTest, GitSetupAddsItsLineOnceAndKeepsTheRest) {
    // The line of an earlier version is taken over, the rest kept.
    VaskTest::WriteFile("work/.gitattributes",
                        "*.csv -text\r\n*.vaskinfo diff=vaskinfo\n*.png binary");
    const CliRun first = Cli("-C work git-setup");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "git config diff.vaskinfo.textconv \"vaskedit-cli show --text\"\n"
                         "git config merge.vaskinfo.driver \"vaskedit-cli merge-file %O %A %B\"\n");
    const std::string expected =
        "*.csv -text\r\n*.png binary\n*.vaskinfo diff=vaskinfo merge=vaskinfo\n";
    EXPECT_EQ(ReadFile("work/.gitattributes"), expected);
    ASSERT_EQ(Cli("-C work git-setup").status, 0);
    EXPECT_EQ(ReadFile("work/.gitattributes"), expected);
    fs::remove("work/.gitattributes");
    ASSERT_EQ(Cli("-C work git-setup").status, 0);
    EXPECT_EQ(ReadFile("work/.gitattributes"), "*.vaskinfo diff=vaskinfo merge=vaskinfo\n");
}

TEST_F(CliTest, ScriptReadsTheDemoAsThePlayerWould) {
    const CliRun script = Cli("-C work script --quest Q_HealingHerbs --path 1");
    ASSERT_EQ(script.status, 0) << script.err;
    EXPECT_EQ(script.out,
              "Choices:\n"
              "  1. Mira_HealingHerbs: Bring me five bloodmoss from the swamp and I'll brew you "
              "something strong.  [QuestStatus Q_HealingHerbs gEInfoQuestStatus_Open False; "
              "PlayerNotKnows Mira_Greeting]\n"
              "  2. Mira_HerbsDelivered  [QuestStatus Q_HealingHerbs gEInfoQuestStatus_Running "
              "True; ItemAmount PC_Hero {AC2E3057-8FE5-57FB-6D62-AF8693698D70} 5 False; "
              "GameVariable GE_Mira_AskedForHerbs eEGameVarCompare_Equal 1]\n"
              "> 1\n"
              "Mira_HealingHerbs\n"
              "  (Description) Can I help you with anything?\n"
              "  Mira: Bring me five bloodmoss from the swamp and I'll brew you something "
              "strong.\n"
              "  (AddLogText) Mira needs five bloodmoss from the swamp east of Kolvar.\n"
              "(end)\n");
    const CliRun wrong = Cli("-C work script Mira_HealingHerbs --path 1");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("Error: the conversation ends after 0 choices; the path gives 1."),
              std::string::npos)
        << wrong.err;
}

TEST_F(CliTest, ScriptOffersAnOwnersInfosInTheirSortOrderAndACycleByItsFirst) {
    const CliRun script = Cli("-C work script --owner Bob --path 2");
    ASSERT_EQ(script.status, 0) << script.err;
    EXPECT_EQ(script.out,
              "Choices:\n"
              "  1. Bob_Greeting: Welcome to Kolvar, stranger. Best prices this side of the "
              "river.\n"
              "  2. Bob_Trade: Show me your wares.  [NPCRoutineStatus Bob Shop True]\n"
              "  3. Bob_Haggle: That price is robbery.  [SkillValue PC_Hero "
              "gECompareOperation_GreaterEqual 20 gESkill_Attrib_Cunning]\n"
              "  4. Bob_BuySword  [ItemAmount PC_Hero {52CED392-324A-E703-AD39-A2846EF838D0} 80 "
              "False]\n"
              "  5. Bob_LostShipment: You look worried.  [QuestStatus Q_LostShipment "
              "gEInfoQuestStatus_Open False]\n"
              "  6. Bob_ShipmentFound: I found your crate.  [QuestStatus Q_LostShipment "
              "gEInfoQuestStatus_Running True; ItemAmount PC_Hero "
              "{92F2521F-0762-B34F-5882-C48F00BB8170} 1 False]\n"
              "  7. Bob_TradeBack\n"
              "> 2\n"
              "Bob_Trade\n"
              "  (Description) Show me your wares.\n"
              "  PC_Hero: Show me your wares.\n"
              "(end)\n");

    // Bob_Greeting and Bob_TradeBack answer each other: no top info of Bob leads there,
    // and the first of the two is offered after the tops.
    const auto parent = [](const std::string& info, const std::string& name) {
        const std::string file = "work/Infos/" + info + ".vaskinfo";
        std::string text = ReadFile(file);
        const std::string empty = "bCString Parent = \"\";";
        ASSERT_NE(text.find(empty), std::string::npos) << info;
        text.replace(text.find(empty), empty.size(), "bCString Parent = \"" + name + "\";");
        VaskTest::WriteFile(file, text);
    };
    parent("Bob_Greeting", "Bob_TradeBack");
    parent("Bob_TradeBack", "Bob_Greeting");
    const CliRun cycle = Cli("-C work script --owner Bob --path 6,1,1");
    ASSERT_EQ(cycle.status, 0) << cycle.err;
    const std::string greeting =
        "Bob_Greeting: Welcome to Kolvar, stranger. Best prices this side of the river.\n";
    EXPECT_EQ(cycle.out.substr(cycle.out.find("  5. ")),
              "  5. Bob_ShipmentFound: I found your crate.  [QuestStatus Q_LostShipment "
              "gEInfoQuestStatus_Running True; ItemAmount PC_Hero "
              "{92F2521F-0762-B34F-5882-C48F00BB8170} 1 False]\n"
              "  6. " +
                  greeting +
                  "> 6\n"
                  "Bob_Greeting\n"
                  "  Bob: Welcome to Kolvar, stranger. Best prices this side of the river.\n"
                  "Choices:\n"
                  "  1. Bob_TradeBack\n"
                  "> 1\n"
                  "Bob_TradeBack\n"
                  "  (Description) Let's talk about something else.\n"
                  "Choices:\n"
                  "  1. " +
                  greeting +
                  "> 1\n"
                  "Bob_Greeting (read above: a cycle, not followed)\n"
                  "(end)\n");
    EXPECT_EQ(cycle.out.substr(0, cycle.out.find("\n  2. ")),
              "Choices:\n  1. Bob_Trade: Show me your wares.  [NPCRoutineStatus Bob Shop True]");
}

TEST_F(CliTest, TextReplaceShowsEachChangeAndWritesThemOnce) {
    const auto tables = [] {
        return ReadFile("work/infosa.csv") + ReadFile("work/infodescsa.csv") +
               ReadFile("work/questdescsa.csv");
    };
    const std::string before = tables();
    const CliRun dry = Cli("-C work text replace swamp marsh --word --dry-run");
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("questdescsa.csv\tLOG_HERBS_01\tMira needs five bloodmoss from the "
                           "swamp east of Kolvar.\tMira needs five bloodmoss from the marsh east "
                           "of Kolvar.\n"),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(dry.err, "6 texts would change.\n");
    EXPECT_EQ(tables(), before);

    for (const char* refused : {"swamp \"a|b\"", "\"\" x"}) {
        const CliRun run = Cli(std::string("-C work text replace ") + refused);
        EXPECT_EQ(run.status, 1) << refused;
        EXPECT_NE(run.err.find("Nothing replaced."), std::string::npos) << run.err;
    }
    EXPECT_EQ(tables(), before);

    const CliRun done = Cli("-C work text replace SWAMP marsh --case");
    EXPECT_EQ(done.err, "0 texts changed.\n");
    const CliRun replaced = Cli("-C work text replace swamp marsh");
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.err, "6 texts changed.\n");
    EXPECT_EQ(tables().find("swamp"), std::string::npos);
    std::string expected = before;
    for (std::size_t at; (at = expected.find("swamp")) != std::string::npos;)
        expected.replace(at, 5, "marsh");
    EXPECT_EQ(tables(), expected);
}

// Commands that read the infos name those the reader could not take whole (here: none,
// as their command lists stand under a name it does not know), and a command that found
// nothing then fails rather than report a clean nothing.
TEST_F(CliTest, ReadersSayWhichInfosTheyCouldNotRead) {
    for (const auto& name : VaskTest::ListNames("work/Infos")) {
        std::string text = ReadFile("work/Infos/" + name);
        const std::string list = "bTRefPtrArray InfoCommands {";
        text.replace(text.find(list), list.size(), "bTRefPtrArray Commands {");
        VaskTest::WriteFile("work/Infos/" + name, text);
    }
    const std::string notice = "info files could not be read whole: Bandit_Surrender, ";
    for (const auto& [command, status] :
         std::vector<std::pair<std::string, int>>{{"text export texts.csv", 1},
                                                  {"search --text smugglers", 1},
                                                  {"usages Bob", 0}, // the Owner uses
                                                  {"tree --owner Bob", 0}}) {
        const CliRun run = Cli("-C work " + command);
        EXPECT_EQ(run.status, status) << command;
        EXPECT_NE(run.err.find(notice), std::string::npos) << command << ": " << run.err;
        EXPECT_NE(run.err.find("; run check.\n"), std::string::npos) << command;
    }
    const CliRun show = Cli("-C work show Bob_Greeting");
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.err, "Warning: 1 info file could not be read whole: Bob_Greeting; run check.\n");
}

// Tables whose lines end with CR alone read and write as the others; a line without a
// display field is named, not read as empty; an empty text does not blank one unless
// allowed.
TEST_F(CliTest, TextTablesOfOtherLineEndsAndLinesWithoutADisplayField) {
    std::string table = ReadFile("work/infosa.csv");
    for (auto at = table.find("\r\n"); at != std::string::npos; at = table.find("\r\n", at))
        table.erase(at + 1, 1);
    VaskTest::WriteFile("work/infosa.csv", table + "SHORT_01|only two\r");
    const CliRun get = Cli("-C work text get BOB_TRADE_01");
    EXPECT_EQ(get.status, 0) << get.err;
    EXPECT_EQ(get.out, "Show me your wares.\n");
    ASSERT_EQ(Cli("-C work text set BOB_TRADE_01 Wares").status, 0);
    std::string expected = table + "SHORT_01|only two\r";
    expected.replace(expected.find("Show me your wares."), 19, "Wares");
    EXPECT_EQ(ReadFile("work/infosa.csv"), expected);

    const CliRun shortGet = Cli("-C work text get SHORT_01");
    EXPECT_EQ(shortGet.status, 1);
    EXPECT_NE(shortGet.err.find("line 48 of \"infosa.csv\" names \"SHORT_01\" but cannot be split"),
              std::string::npos)
        << shortGet.err;
    const CliRun shortSet = Cli("-C work text set SHORT_01 x");
    EXPECT_EQ(shortSet.status, 1);
    EXPECT_TRUE(shortSet.err.starts_with("Not written: line 48 ")) << shortSet.err;
    EXPECT_EQ(ReadFile("work/infosa.csv"), expected);
    EXPECT_NE(Cli("-C work check").out.find("text table \"infosa.csv\" line 48 cannot be split"),
              std::string::npos);

    ASSERT_EQ(Cli("-C work text export texts.csv").status, 0);
    std::string csv = ReadFile("work/texts.csv");
    csv.replace(csv.find("Wares"), 5, "");
    VaskTest::WriteFile("work/texts.csv", csv);
    const CliRun empty = Cli("-C work text import texts.csv");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("the text of \"BOB_TRADE_01\" is empty"), std::string::npos)
        << empty.err;
    EXPECT_EQ(ReadFile("work/infosa.csv"), expected);
    ASSERT_EQ(Cli("-C work text import texts.csv --allow-empty").status, 0);
    EXPECT_EQ(Cli("-C work text get BOB_TRADE_01").out, "\n");
}

// A CSV a spreadsheet saved in Windows-1252: detected and read, with one line saying so;
// when UTF-8 is demanded, refused in one line that names the byte and its row.
TEST_F(CliTest, TextImportOfAFileThatIsNotUtf8) {
    const std::string table = ReadFile("work/infosa.csv");
    VaskTest::WriteFile("work/texts.csv", "table;id;text\r\n"
                                          "infosa.csv;BOB_TRADE_01;Zeig mir deine Waren\r\n"
                                          "infosa.csv;BOB_HAGGLE_02;F\xFCr dich\r\n");
    const CliRun forced = Cli("-C work text import texts.csv --encoding utf-8");
    EXPECT_EQ(forced.status, 1);
    EXPECT_EQ(forced.out, "");
    EXPECT_EQ(forced.err, "Error: not UTF-8: byte 0xFC at row 3; save as UTF-8 or use --encoding "
                          "windows-1252.\n");
    EXPECT_EQ(ReadFile("work/infosa.csv"), table);
    EXPECT_EQ(Cli("-C work text import texts.csv --encoding latin-9").status, 2);

    const CliRun detected = Cli("-C work text import texts.csv --dry-run");
    EXPECT_EQ(detected.status, 0) << detected.err;
    EXPECT_EQ(detected.err, "Read as Windows-1252 (not UTF-8: byte 0xFC at row 3).\n"
                            "2 lines would change.\n");
    EXPECT_NE(detected.out.find("infosa.csv\tBOB_HAGGLE_02\t"), std::string::npos);
    EXPECT_NE(detected.out.find("\tF\xC3\xBCr dich\n"), std::string::npos) << detected.out;
    const CliRun chosen = Cli("-C work text import texts.csv --encoding windows-1252");
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.err, "2 lines changed.\n");
    EXPECT_EQ(Cli("-C work text get BOB_HAGGLE_02").out, "F\xC3\xBCr dich\n");
}
