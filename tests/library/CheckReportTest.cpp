#include "library/CheckReport.h"
#include "engine/Member.h"
#include "library/InfoManager.h"
#include "support/Library.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
const std::string Gold = "{52CED392-324A-E703-AD39-A2846EF838D0}";
const std::string Stranger = "{11111111-2222-3333-4444-555555555555}";

std::vector<Finding> Check() {
    return CheckInfoDirectory({}, {});
}

std::string Listed(const std::vector<Finding>& findings) {
    std::string list;
    for (const auto& f : findings)
        list += std::string(SeverityName(f.severity)) + " " + f.infoName + ": " + f.text + "\n";
    return list;
}

// Expects exactly one finding, about the info, of the severity, whose text holds each part.
void ExpectOnly(const std::vector<Finding>& findings, Severity severity, const std::string& info,
                std::initializer_list<std::string> parts) {
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_EQ(findings[0].severity, severity);
    EXPECT_EQ(findings[0].infoName, info);
    for (const auto& part : parts)
        EXPECT_NE(findings[0].text.find(part), std::string::npos) << findings[0].text;
}

// A workspace that knows one item and one text of each table.
class CheckReportTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        WriteFile("templatecache", "It_Gold,It_Gold," + Gold +
                                       ",It_Ring,It_Ring,{c7561f99-bcc5-3111-b15f-70eafe458a68},");
        WriteFile("infosa.csv", "HELLO_01|line|Hello.|\r\n");
        WriteFile("infodescsa.csv", "ASK_DESC|choice|Ask.|\r\n");
        WriteFile("questdescsa.csv", "LOG_01|log|Logged.|\r\n");
    }

    // An info that uses the item and the three texts.
    static VaskInfo MakeInfo(const std::string& name, const char* parent = "") {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, name.c_str());
        TesselEngine::SetMember(info.Parent, parent);
        info.SetOwner("Bob");
        info.SetGoldCostItem("{00000000-0000-0000-0000-000000000000}");
        auto add = [&](const char* type) -> InfoCommand& {
            InfoCommand& command = info.InfoCommands[info.AddCommand()];
            command.SetCommand(type);
            return command;
        };
        add("Description").SetLocString("ASK_DESC");
        InfoCommand& say = add("Say");
        say.SetLocString("HELLO_01");
        say.SetID1("gEForcedDialogCam_None");
        add("AddLogText").SetLocString("LOG_01");
        InfoCommand& give = add("Give");
        give.SetID1(Gold.c_str());
        give.SetID3("False");
        give.SetID2("5");
        give.SetEntity3("True");
        InfoCondition& amount = info.InfoConditions[info.AddCondition()];
        amount.SetCondition("ItemAmount");
        amount.SetID1(Gold.c_str());
        amount.SetID2("5");
        amount.SetID3("False");
        return info;
    }

    static void Save(VaskInfo info) { ASSERT_TRUE(info.WriteDataToFile()); }

    static void Edit(const std::string& name, const std::string& from, const std::string& to) {
        const std::string path = "Infos/" + name + ".vaskinfo";
        std::string text = ReadFile(path);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        WriteFile(path, text.replace(at, from.size(), to));
    }
};
} // namespace

TEST_F(CheckReportTest, CleanWorkspaceHasNoFindings) {
    VaskInfo child = MakeInfo("Bob_Child", "Bob_Parent");
    // GUIDs are compared without case.
    child.InfoCommands[3].SetID1("{52ced392-324a-e703-ad39-a2846ef838d0}");
    child.InfoConditions[0].SetID1("{C7561F99-BCC5-3111-B15F-70EAFE458A68}");
    Save(std::move(child));
    Save(MakeInfo("Bob_Parent"));
    EXPECT_EQ(Check(), std::vector<Finding>{});
}

TEST_F(CheckReportTest, ParentMustNameAnInfoFile) {
    Save(MakeInfo("Orphan", "Nobody"));
    ExpectOnly(Check(), Severity::Error, "Orphan", {"parent", "\"Nobody\""});

    Save(MakeInfo("Orphan", "orphan"));
    ExpectOnly(Check(), Severity::Warning, "Orphan", {"\"orphan\"", "\"Orphan\"", "case"});
}

TEST_F(CheckReportTest, ItemsMustBeInTheTemplateCache) {
    VaskInfo info = MakeInfo("Trader");
    info.SetGoldCostItem(Stranger.c_str());
    info.InfoCommands[3].SetID1("{00000000-0000-0000-0000-000000000000}"); // nothing to look up
    InfoCommand& create = info.InfoCommands[info.AddCommand()];
    create.SetCommand("CreateItem");
    create.SetID1(Stranger.c_str());
    create.SetID2("1");
    create.SetValue("False", 0);
    create.SetValue("True", 1);
    info.InfoConditions[0].SetID1(Stranger.c_str());
    Save(std::move(info));
    const auto findings = Check();
    ASSERT_EQ(findings.size(), 3u) << Listed(findings);
    const char* where[] = {"GoldCostItem", "command 5 (CreateItem)", "condition 1 (ItemAmount)"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(findings[i].severity, Severity::Warning);
        EXPECT_EQ(findings[i].infoName, "Trader");
        EXPECT_EQ(findings[i].text, std::string(where[i]) + ": the item " + Stranger +
                                        " is not in \"templatecache\"");
    }

    fs::remove("templatecache"); // said once, not at every item
    Save(MakeInfo("Trader_2"));
    ExpectOnly(Check(), Severity::Warning, "", {"\"templatecache\" is missing"});
}

TEST_F(CheckReportTest, TextsMustBeInTheirTables) {
    VaskInfo info = MakeInfo("Talker");
    info.InfoCommands[0].SetLocString("NO_SUCH_DESC");
    Save(std::move(info));
    ExpectOnly(Check(), Severity::Warning, "Talker",
               {"command 1 (Description)", "\"NO_SUCH_DESC\"", "\"infodescsa.csv\""});

    WriteFile("infodescsa.csv", ""); // an empty table is said once for the workspace
    Save(MakeInfo("Talker_2"));
    ExpectOnly(Check(), Severity::Warning, "", {"\"infodescsa.csv\" is missing or empty"});
}

// Values that name no choice were written by the editor for new entries saved
// untouched ("bool PlayAsMusic = ;", a bare "gEQuestActor_"); the game cannot read them.
TEST_F(CheckReportTest, ChoicesThatNameNoValue) {
    VaskInfo info = MakeInfo("Musician");
    InfoCommand& jingle = info.InfoCommands[info.AddCommand()];
    jingle.SetCommand("PlayJingle");
    jingle.SetID1("Theme");
    InfoCommand& actor = info.InfoCommands[info.AddCommand()];
    actor.SetCommand("AddQuestActor");
    actor.SetID2("gEQuestActor_");
    InfoCommand& camera = info.InfoCommands[info.AddCommand()];
    camera.SetCommand("StartFixCamera");
    camera.SetValue("True", 12);
    camera.SetValue("False", 13);
    InfoCondition& quest = info.InfoConditions[info.AddCondition()];
    quest.SetCondition("QuestStatus");
    quest.SetID2("gEInfoQuestStatus_Running");
    Save(std::move(info));
    std::vector<Finding> findings;
    for (const Finding& finding : Check()) {
        if (finding.text.find("which names none") != std::string::npos)
            findings.push_back(finding);
    }
    ASSERT_EQ(findings.size(), 4u) << Listed(findings);
    const char* texts[] = {
        "command 5 (PlayJingle): PlayAsMusic is empty, which names none of its values",
        "command 6 (AddQuestActor): ActorType is only \"gEQuestActor_\", which names none of its "
        "values",
        "command 7 (StartFixCamera): RotationSyncToMove is empty, which names none of its values",
        "condition 2 (QuestStatus): IsCurrentStatus is empty, which names none of its values"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(findings[i], (Finding{Severity::Error, "Musician", texts[i]}));
}

TEST_F(CheckReportTest, BlocksOfUnsupportedTypes) {
    Save(MakeInfo("Narrator"));
    Edit("Narrator", "nfoCommands {\r\n",
         "nfoCommands {\r\n            gCInfoCommandNarratorSay {\r\n"
         "                int Version = 1;\r\n            }\r\n");
    ExpectOnly(Check(), Severity::Warning, "Narrator",
               {"command 1 (NarratorSay)", "does not support", "kept"});

    // A block that never closes at the end of the file: its structure is damaged, and
    // what the editor makes of it is a guess that saving must not write.
    const std::string text = ReadFile("Infos/Narrator.vaskinfo");
    const std::string head = "oConditions {\r\n";
    WriteFile("Infos/Narrator.vaskinfo", text.substr(0, text.find(head) + head.size()) +
                                             "            gCInfoConditionFoo {\r\n");
    const auto findings = Check();
    ASSERT_EQ(findings.size(), 3u) << Listed(findings);
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_NE(findings[0].text.find("its structure is damaged"), std::string::npos);
    EXPECT_NE(findings[1].text.find("command 1 (NarratorSay)"), std::string::npos);
    EXPECT_NE(findings[2].text.find("condition 1 (Foo)"), std::string::npos);
}

TEST_F(CheckReportTest, NamesThatDifferOnlyInCase) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows holds such names as one file";
#endif
    Save(MakeInfo("Guard"));
    Save(MakeInfo("guard"));
    const auto findings = Check();
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0], (Finding{Severity::Error, "Guard",
                                    "its name differs only in case from \"guard\"; on Windows "
                                    "they are one file"}));
    EXPECT_EQ(findings[1].infoName, "guard");
}

TEST_F(CheckReportTest, NamesThatTheFileNameCannotHold) {
    // A name of the full 48 characters reads back whole.
    const std::string fullName(48, 'n');
    Save(MakeInfo(fullName));
    EXPECT_EQ(Check(), std::vector<Finding>{});
    // One of 49, written by another tool, is read under another name.
    std::string text = VaskTest::ReadFile("Infos/" + fullName + ".vaskinfo");
    fs::remove("Infos/" + fullName + ".vaskinfo");
    for (std::size_t at = text.find(fullName); at != std::string::npos;
         at = text.find(fullName, at + 50))
        text.insert(at, "n");
    const std::string longName(49, 'n');
    VaskTest::WriteFile("Infos/" + longName + ".vaskinfo", text);
    const auto findings = Check();
    ASSERT_GE(findings.size(), 1u);
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_EQ(findings[0].infoName, longName);
    EXPECT_NE(findings[0].text.find("too long: 49 characters, of which the editor reads 48"),
              std::string::npos);
}

TEST_F(CheckReportTest, FileNameMustBeTheNameInside) {
    Save(MakeInfo("Original"));
    fs::rename("Infos/Original.vaskinfo", "Infos/Copy.vaskinfo");
    ExpectOnly(Check(), Severity::Error, "Copy",
               {"holds the info \"Original\"", "\"Infos/Original.vaskinfo\""});

    Edit("Copy", "\"Original\"", "\"Or:ginal\"");
    Edit("Copy", "\"Original\"", "\"Or:ginal\"");
    ExpectOnly(Check(), Severity::Error, "Copy", {"\"Or:ginal\" cannot be a file name"});
}

TEST_F(CheckReportTest, FilesThatDoNotReadBackOrNotAtAll) {
    Save(MakeInfo("Handmade"));
    Edit("Handmade", "Owner = \"Bob\";\r\n", "Owner = \"Bob\";\n");
    ExpectOnly(Check(), Severity::Warning, "Handmade",
               {"saving it would change its layout (from line 3 on)"});
    Edit("Handmade", "Owner = \"Bob\";\n", "Owner = \"Old Bob\";\r\n");
    ExpectOnly(Check(), Severity::Error, "Handmade",
               {"saving it would drop or cut some of its text (from line 3 on)"});

    fs::remove("Infos/Handmade.vaskinfo");
    fs::create_directory("Infos/Folder.vaskinfo");
    ExpectOnly(Check(), Severity::Error, "Folder", {"cannot be read"});

    // Without the resource templates nothing is compared; that is said instead.
    fs::remove("Infos/Folder.vaskinfo");
    Save(MakeInfo("Handmade"));
    Edit("Handmade", "Owner = \"Bob\";\r\n", "Owner = \"Bob\";\n");
    InfoManager::Shutdown();
    ExpectOnly(Check(), Severity::Warning, "", {"resource templates are not loaded"});
}

TEST_F(CheckReportTest, FindingsAreSortedByInfoThenKind) {
    for (const char* name : {"b_second", "A_first", "C_third"})
        Save(MakeInfo(name, "Nobody"));
    Edit("b_second", "Owner = \"Bob\";\r\n", "Owner = \"Bob\";\n");
    fs::remove("templatecache");
    std::vector<std::pair<std::string, Severity>> order;
    for (const auto& finding : Check())
        order.emplace_back(finding.infoName, finding.severity);
    EXPECT_EQ(order, (std::vector<std::pair<std::string, Severity>>{{"", Severity::Warning},
                                                                    {"A_first", Severity::Error},
                                                                    {"b_second", Severity::Error},
                                                                    {"b_second", Severity::Warning},
                                                                    {"C_third", Severity::Error}}));
}

TEST_F(CheckReportTest, ReportsProgressAndStopsWhenCancelled) {
    for (int i = 0; i < 4; ++i)
        Save(MakeInfo("Info_" + std::to_string(i), "Nobody"));
    std::vector<int> percents;
    bool cancelled = true;
    const auto collect = [&](const Jobs::JobProgress& p) { percents.push_back(p.percent); };
    EXPECT_EQ(CheckInfoDirectory(collect, {}, &cancelled).size(), 4u);
    EXPECT_EQ(percents, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_FALSE(cancelled);

    percents.clear();
    const auto partial = CheckInfoDirectory(
        collect, [&] { return percents.size() == 2; }, &cancelled);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(percents, (std::vector<int>{25, 50}));
    ASSERT_EQ(partial.size(), 2u);
    EXPECT_EQ(partial[1].infoName, "Info_1");
    EXPECT_EQ(partial[1].severity, Severity::Error);
}
