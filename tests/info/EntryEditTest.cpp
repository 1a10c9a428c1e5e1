// The editor's steps on its working copy as library operations: entries as block text
// for the clipboard, moving entries, and taking and putting back parts for undo.
#include "info/EntryBlockText.h"
#include "info/InfoRefConversion.h"
#include "info/WorkingCopyEdit.h"
#include "support/Templates.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace VaskEdit;
namespace fs = std::filesystem;

namespace {
class EntryBlockTextTest : public VaskTest::TemplatesTest {
protected:
    void SetUp() override {
        workspace.CopyFromSource("demo");
        VaskTest::TemplatesTest::SetUp();
    }
};

InfoRef LoadRef(const std::string& file) {
    VaskInfo info;
    EXPECT_TRUE(info.LoadFromAbsolutePath(("Infos/" + file).c_str()));
    return MakeInfoRef(info);
}
} // namespace

// Every entry of every demo info: its block is the file's own text for it, and reading
// that text gives the entry back, kept blocks of unknown types included.
TEST_F(EntryBlockTextTest, EveryDemoEntryIsItsFilesBlockAndReadsBack) {
    int blocks = 0;
    for (const auto& file : VaskTest::ListNames("Infos")) {
        SCOPED_TRACE(file);
        const std::string text = VaskTest::ReadFile(fs::path("Infos") / file);
        const InfoRef info = LoadRef(file);
        for (const auto& command : info.InfoCommands) {
            const std::string block = CommandBlockText(command);
            ASSERT_FALSE(block.empty()) << command.Command;
            EXPECT_NE(text.find(block), std::string::npos) << command.Command;
            const auto read = ReadCommandBlocks(block);
            ASSERT_EQ(read.size(), 1u);
            EXPECT_EQ(read[0], command);
            ++blocks;
        }
        for (const auto& condition : info.InfoConditions) {
            const std::string block = ConditionBlockText(condition);
            EXPECT_NE(text.find(block), std::string::npos) << condition.Condition;
            const auto read = ReadConditionBlocks(block);
            ASSERT_EQ(read.size(), 1u);
            EXPECT_EQ(read[0], condition);
            ++blocks;
        }
        for (const auto& perk : info.RequiredPerks) {
            const std::string block = PerkBlockText(perk);
            // In the file a perk that is not the last one ends in a comma.
            EXPECT_NE(text.find(block.substr(0, block.size() - 2)), std::string::npos);
            const auto read = ReadPerkBlocks(block);
            ASSERT_EQ(read.size(), 1u);
            EXPECT_EQ(read[0], perk);
            ++blocks;
        }
    }
    EXPECT_GT(blocks, 150); // the demo has 163
}

// Text pasted from a text editor: a whole info file gives all of its entries of the
// kind asked for, and text without blocks gives none.
TEST_F(EntryBlockTextTest, WholeFilesAndOtherTextRead) {
    const std::string file = "Mira_HealingHerbs.vaskinfo";
    const std::string text = VaskTest::ReadFile(fs::path("Infos") / file);
    const InfoRef info = LoadRef(file);
    ASSERT_FALSE(info.InfoCommands.empty());
    EXPECT_EQ(ReadCommandBlocks(text), info.InfoCommands);
    EXPECT_EQ(ReadConditionBlocks(text), info.InfoConditions);
    EXPECT_EQ(ReadPerkBlocks(text), info.RequiredPerks);
    EXPECT_TRUE(ReadCommandBlocks("").empty());
    EXPECT_TRUE(ReadCommandBlocks("Say hello to Mira").empty());
    EXPECT_TRUE(ReadConditionBlocks(CommandBlockText(info.InfoCommands[0])).empty());
    // Several copied blocks in a row read as several entries, in their order.
    std::string two;
    for (auto it = info.InfoCommands.rbegin(); it != info.InfoCommands.rend(); ++it)
        two += CommandBlockText(*it);
    auto reversed = info.InfoCommands;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(ReadCommandBlocks(two), reversed);
}

// "Old Bob", "Bob/Smith" and "<a/b>" were saved and came back cut. The characters the
// boxes refuse are exactly those with which a value does not read back whole.
TEST_F(EntryBlockTextTest, RefusedCharactersAreThoseThatDoNotReadBack) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string value = std::string("a") + static_cast<char>(byte) + "b";
        SCOPED_TRACE(byte);
        InfoCommandRef npc;
        npc.Command = "KillNPC";
        npc.ID1 = value;
        const auto shortRead = ReadCommandBlocks(CommandBlockText(npc));
        ASSERT_EQ(shortRead.size(), 1u);
        EXPECT_EQ(shortRead[0].ID1 == value,
                  HoldsOnlyReadableCharacters(SlotCapacity(Slot::ID1), value));

        InfoCommandRef switchCase;
        switchCase.Command = "SwitchCase";
        switchCase.Text = value;
        const auto longRead = ReadCommandBlocks(CommandBlockText(switchCase));
        ASSERT_EQ(longRead.size(), 1u);
        EXPECT_EQ(longRead[0].Text == value, HoldsOnlyReadableCharacters(512, value));
    }
}

TEST(WorkingCopyEditTest, MoveEntryKeepsTheOthersInOrder) {
    std::vector<int> list{0, 1, 2, 3, 4};
    EXPECT_TRUE(MoveEntry(list, 0, 3));
    EXPECT_EQ(list, (std::vector<int>{1, 2, 3, 0, 4}));
    EXPECT_TRUE(MoveEntry(list, 4, 0));
    EXPECT_EQ(list, (std::vector<int>{4, 1, 2, 3, 0}));
    EXPECT_TRUE(MoveEntry(list, 2, 1));
    EXPECT_EQ(list, (std::vector<int>{4, 2, 1, 3, 0}));
    for (auto [from, to] : {std::pair{2, 2}, {5, 0}, {0, 5}}) {
        EXPECT_FALSE(MoveEntry(list, from, to));
        EXPECT_EQ(list, (std::vector<int>{4, 2, 1, 3, 0}));
    }
    InsertEntries(list, 1, {7, 8});
    EXPECT_EQ(list, (std::vector<int>{4, 7, 8, 2, 1, 3, 0}));
    InsertEntries(list, 99, {9});
    EXPECT_EQ(list.back(), 9);
}

// A part taken before a change and put back restores the copy exactly, and touches
// nothing outside itself.
TEST(WorkingCopyEditTest, PutPartRestoresOnlyItsPart) {
    InfoRef copy;
    copy.Name = "Mira_01";
    copy.Owner = "Mira";
    copy.InfoCommands.resize(2);
    copy.InfoCommands[0].Command = "Say";
    copy.InfoCommands[1].Command = "End";
    copy.InfoConditions.resize(1);
    copy.InfoConditions[0].Condition = "PlayerKnows";
    copy.RequiredPerks = {{"gESkill_Alchemy", "2", "False"}};
    const InfoRef original = copy;

    const WorkingCopyPart members = TakeMembers(copy);
    const WorkingCopyPart commands = TakeList(copy, EntryList::Commands);
    const WorkingCopyPart conditions = TakeList(copy, EntryList::Conditions);
    const WorkingCopyPart perks = TakeList(copy, EntryList::Perks);
    copy.Owner = "Bob";
    copy.InfoCommands.clear();
    copy.InfoConditions[0].Condition = "ItemAmount";
    copy.RequiredPerks.push_back({});

    InfoRef changed = copy;
    PutPart(copy, members);
    EXPECT_EQ(copy.Owner, "Mira");
    EXPECT_TRUE(copy.InfoCommands.empty());
    PutPart(copy, commands);
    PutPart(copy, conditions);
    PutPart(copy, perks);
    EXPECT_EQ(copy, original);

    EntryList list{};
    EXPECT_FALSE(PartIsList(members, &list));
    ASSERT_TRUE(PartIsList(conditions, &list));
    EXPECT_EQ(list, EntryList::Conditions);
    ASSERT_TRUE(PartIsList(perks, &list));
    EXPECT_EQ(list, EntryList::Perks);
    PutPart(changed, TakeMembers(original));
    EXPECT_EQ(changed.Owner, "Mira");
    EXPECT_EQ(changed.RequiredPerks.size(), 2u);
}
