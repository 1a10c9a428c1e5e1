#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "support/Templates.h"

#include <gtest/gtest.h>

using namespace VaskEdit;
using TesselEngine::IO::Stream;
using VaskTest::WriteFile;

namespace {
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

std::uint32_t ValueOf(EntryKind kind, std::string_view name) {
    const EntryType* type = FindEntryType(kind, name);
    return type ? type->value : ~0u;
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

TEST_F(CommandBlockTest, SayBlocksAreReadWithTheirDisplayText) {
    WriteFile("infosa.csv", "SAY_10|x|Wrong line|\r\nSAY_1|x|Hello there, stranger.|\r\n");
    Stream s;
    Fill(s, SayBlock + SayBlock);
    for (int block = 0; block < 2; ++block) {
        InfoCommand command;
        ASSERT_TRUE(ReadCommandBlock(s, command));
        EXPECT_EQ(command.Command.View(), "Say");
        EXPECT_EQ(command.CommandTypeIndex, ValueOf(EntryKind::Command, "Say"));
        EXPECT_EQ(command.Version.View(), "3");
        EXPECT_EQ(command.Entity1.View(), "Bob");
        EXPECT_EQ(command.Entity2.View(), "PC_Hero");
        EXPECT_EQ(command.LocString.View(), "SAY_1");
        EXPECT_EQ(command.ID1.View(), "\"gEForcedDialogCam_ShowSpeaker\"");
        EXPECT_EQ(command.Text.View(), "Hello there, stranger.");
        EXPECT_FALSE(command.UseValues);
    }
    InfoCommand none;
    EXPECT_FALSE(ReadCommandBlock(s, none));
}

TEST_F(CommandBlockTest, MeasureSetsTheTypeAndWritingFillsTheTemplate) {
    InfoCommand giveXP;
    giveXP.SetCommand("GiveXP");
    giveXP.SetID1("250");
    EXPECT_EQ(giveXP.CommandTypeIndex, NoCommandType);
    const std::uint32_t measured = MeasureCommand(nullptr, giveXP);
    EXPECT_EQ(giveXP.CommandTypeIndex, ValueOf(EntryKind::Command, "GiveXP"));
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

// A block as the game writes it: each value lands in the slot of its key.
TEST_F(CommandBlockTest, SkillValueFillsItsSlotsByTheirKeys) {
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
    EXPECT_EQ(condition.ConditionTypeIndex, ValueOf(EntryKind::Condition, "SkillValue"));
    EXPECT_EQ(condition.Entity1.View(), "PC_Hero");
    EXPECT_EQ(condition.ID2.View(), "gECompareOperation_GreaterEqual");
    EXPECT_EQ(condition.ID3.View(), "5");
    EXPECT_EQ(condition.ID1.View(), "gESkill_Attrib_Strength");

    InfoCondition quest;
    quest.SetCondition("QuestStatus");
    MeasureCondition(nullptr, quest);
    EXPECT_EQ(quest.ConditionTypeIndex, ValueOf(EntryKind::Condition, "QuestStatus"));
}
