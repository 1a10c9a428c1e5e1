#include "engine/String.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "info/TextTable.h"
#include "support/Templates.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace VaskEdit;
using TesselEngine::IO::Stream;
using VaskTest::WriteFile;

namespace {
std::size_t ClassTypeCount(EntryKind kind) {
    const auto types = EntryTypes(kind);
    return static_cast<std::size_t>(
        std::count_if(types.begin(), types.end(), [](const EntryType& t) { return t.hasClass; }));
}
class CommandBlockTest : public VaskTest::TemplatesTest {};

void Fill(Stream& s, const std::string& text) {
    ASSERT_TRUE(s.Allocate(static_cast<std::uint32_t>(text.size())));
    std::memcpy(s.GetBuffer(), text.data(), text.size());
}

std::string Written(InfoCommand& command) {
    Stream out;
    out.Allocate(MeasureCommand(nullptr, command) + 1);
    WriteCommandBlock(out, command);
    out.TrimTrailingZeros();
    return std::string(out.GetBuffer(), out.GetSize());
}

const std::string SayBlock = "x\r\n            gCInfoCommandSay {\r\n"
                             "                int Version = 3;\r\n"
                             "                bCString Speaker = \"Bob\";\r\n"
                             "                bCString Listener = \"PC_Hero\";\r\n"
                             "                gCInfoLocString Text = \"SAY_1\";\r\n"
                             "                enum gEForcedDialogCam ForcedDialogCam = "
                             "\"gEForcedDialogCam_ShowSpeaker\";\r\n"
                             "            }\r\n";
} // namespace

TEST_F(CommandBlockTest, SayBlockIsReadWithItsDisplayText) {
    WriteFile("infosa.csv", "SAY_10|x|Wrong line|\r\nSAY_1|x|Hello there, stranger.|\r\n");
    Stream s;
    Fill(s, SayBlock);
    InfoCommand command;
    ASSERT_TRUE(ReadCommandBlock(s, command));
    EXPECT_EQ(command.Command.View(), "Say");
    EXPECT_EQ(command.CommandTypeIndex, 31u);
    EXPECT_EQ(command.Version.View(), "3");
    EXPECT_EQ(command.Entity1.View(), "Bob");
    EXPECT_EQ(command.Entity2.View(), "PC_Hero");
    EXPECT_EQ(command.LocString.View(), "SAY_1");
    EXPECT_EQ(command.ID1.View(), "\"gEForcedDialogCam_ShowSpeaker\"");
    EXPECT_EQ(command.Text.View(), "Hello there, stranger.");
    EXPECT_FALSE(command.UseValues);
    EXPECT_FALSE(ReadCommandBlock(s, command));
}

TEST_F(CommandBlockTest, ThreeBlocksTakeFourReads) {
    Stream s;
    Fill(s, SayBlock + SayBlock + SayBlock);
    InfoCommand command;
    int reads = 0;
    while (ReadCommandBlock(s, command))
        ++reads;
    EXPECT_EQ(reads, 3);
}

TEST_F(CommandBlockTest, MeasureSetsTheTypeAndWritingFillsTheTemplate) {
    InfoCommand giveXP;
    giveXP.SetCommand("GiveXP");
    giveXP.SetID1("250");
    EXPECT_EQ(giveXP.CommandTypeIndex, NoCommandType);
    const std::uint32_t measured = MeasureCommand(nullptr, giveXP);
    EXPECT_EQ(giveXP.CommandTypeIndex, 15u);
    std::string expected(InfoCommandGiveXP::CommandStream.GetBuffer(),
                         InfoCommandGiveXP::CommandStream.GetSize());
    expected.replace(expected.find("||"), 2, "250");
    const std::string written = Written(giveXP);
    EXPECT_EQ(written, expected);
    EXPECT_LE(written.size(), measured);

    InfoCommand back;
    back.SetCommand("Back");
    MeasureCommand(nullptr, back);
    EXPECT_EQ(Written(back), std::string(InfoCommandBack::CommandStream.GetBuffer(),
                                         InfoCommandBack::CommandStream.GetSize()));
}

TEST_F(CommandBlockTest, KillNpcKeepsItsNpcThroughReadAndWrite) {
    InfoCommand kill;
    kill.SetCommand("KillNPC");
    kill.SetID1("Bandit_07");
    MeasureCommand(nullptr, kill);
    Stream s;
    Fill(s, "\r\n" + Written(kill));
    InfoCommand read;
    ASSERT_TRUE(ReadCommandBlock(s, read));
    EXPECT_EQ(read.ID1.View(), "Bandit_07");
}

TEST_F(CommandBlockTest, CreateItemSetsUseValues) {
    InfoCommand create;
    create.SetCommand("CreateItem");
    create.SetValue("True", 0);
    create.SetValue("False", 1);
    MeasureCommand(nullptr, create);
    Stream s;
    Fill(s, "\r\n" + Written(create));
    InfoCommand read;
    ASSERT_TRUE(ReadCommandBlock(s, read));
    EXPECT_TRUE(read.UseValues);
    EXPECT_EQ(read.Value[0].View(), "True");
    EXPECT_EQ(read.Value[1].View(), "False");
}

TEST_F(CommandBlockTest, UnknownTypeIsReadAsFarAsItsNameAndKept) {
    Stream s;
    Fill(s, "\r\n            gCInfoCommandEndGame {\r\n                int Version = 1;\r\n"
            "            }\r\n" +
                SayBlock);
    InfoCommand command;
    ASSERT_TRUE(ReadCommandBlock(s, command));
    EXPECT_EQ(command.Command.View(), "EndGame");
    EXPECT_EQ(command.CommandTypeIndex, NoCommandType);
    EXPECT_EQ(command.PreservedBlock.rfind("            gCInfoCommandEndGame {", 0), 0u);
    ASSERT_TRUE(ReadCommandBlock(s, command)); // the next block is still found
    EXPECT_EQ(command.Command.View(), "Say");
}

TEST(CommandNames, SelectIndexIsExact) {
    EXPECT_EQ(SelectCommandIndex("SwitchEnd"), 54);
    EXPECT_EQ(SelectCommandIndex("say"), 0);
    EXPECT_EQ(SelectCommandIndex("EndGame"), 0); // no class
    EXPECT_EQ(SelectCommandIndex("Say"), 31);
    EXPECT_EQ(SelectConditionIndex("CanTeachSkill"), 0);
    EXPECT_EQ(SelectConditionIndex("Script"), 13);
    EXPECT_EQ(SelectConditionIndex(""), 0);
    EXPECT_EQ(ClassTypeCount(EntryKind::Command), 39u);
    EXPECT_EQ(ClassTypeCount(EntryKind::Condition), 15u);
}

TEST_F(CommandBlockTest, SkillValueFillsItsSlotsInVisitingOrder) {
    Stream s;
    Fill(s, "\r\n            gCInfoConditionSkillValue {\r\n"
            "                int Version = 1;\r\n"
            "                bCString Entity = \"PC_Hero\";\r\n"
            "                enum gECompareOperation CompareOperation = "
            "gECompareOperation_GreaterEqual;\r\n"
            "                int Amount = 5;\r\n"
            "                enum gESkill Skill = gESkill_Attrib_Strength;\r\n"
            "            }\r\n");
    InfoCondition condition;
    ASSERT_TRUE(ReadConditionBlock(s, condition));
    EXPECT_EQ(condition.ConditionTypeIndex, 14u);
    EXPECT_EQ(condition.Entity1.View(), "PC_Hero");
    EXPECT_EQ(condition.ID2.View(), "gECompareOperation_GreaterEqual");
    EXPECT_EQ(condition.ID3.View(), "5");
    EXPECT_EQ(condition.ID1.View(), "gESkill_Attrib_Strength");

    InfoCondition quest;
    quest.SetCondition("QuestStatus");
    MeasureCondition(nullptr, quest);
    EXPECT_EQ(quest.ConditionTypeIndex, 12u);
}

class TextTableTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { TextTables::Clear(); }
    void TearDown() override { TextTables::Clear(); }
};

TEST_F(TextTableTest, IdentifierMatchesOnlyTheWholeFirstField) {
    WriteFile("infosa.csv", "X_10|a|ten|\r\nX_1|a|one|\r\nY|a||\r\n");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_1"), "one");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_10"), "ten"); // the first line is found too
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "X_"), "");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "Y"), "");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", ""), "");
}

TEST_F(TextTableTest, MissingTableIsCreatedEmpty) {
    EXPECT_EQ(TextTables::LookUp("questdescsa.csv", "Q"), "");
    EXPECT_EQ(VaskTest::ReadFile("questdescsa.csv"), "");
}

TEST_F(TextTableTest, TableIsReadOnceUntilItChanges) {
    std::string table;
    for (int i = 0; i < 2000; ++i)
        table += "ID_" + std::to_string(i) + "|x|Text " + std::to_string(i) + "|\r\n";
    WriteFile("infosa.csv", table);
    const unsigned long before = TextTables::ReadCount();
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(TextTables::LookUp("infosa.csv", "ID_" + std::to_string(i * 7)),
                  "Text " + std::to_string(i * 7));
    EXPECT_EQ(TextTables::ReadCount(), before + 1);
    WriteFile("infosa.csv", "ID_1|x|changed and longer|\r\n");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "ID_1"), "changed and longer");
    EXPECT_EQ(TextTables::ReadCount(), before + 2);
}
