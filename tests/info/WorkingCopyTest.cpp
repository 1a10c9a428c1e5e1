// What the command, condition and perk dialogs do with an entry of the working copy:
// its rows loaded by the shown-text rules, stored back by the store rules, and the
// refusals that keep an entry the info could not write out of the grids.
#include "info/WorkingCopy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VaskEdit;

namespace {
const EntryType* Command(std::string_view name) {
    const EntryType* type = FindEntryType(EntryKind::Command, name);
    EXPECT_NE(type, nullptr) << name;
    return type;
}

const EntryType* Condition(std::string_view name) {
    const EntryType* type = FindEntryType(EntryKind::Condition, name);
    EXPECT_NE(type, nullptr) << name;
    return type;
}

std::vector<std::string> Texts(const std::vector<RowValue>& values) {
    std::vector<std::string> texts;
    for (const RowValue& value : values)
        texts.push_back(value.text);
    return texts;
}

InfoCommandRef SayCommand() {
    InfoCommandRef say;
    say.Command = "Say";
    say.Entity1 = "Self";
    say.Entity2 = "PC_Hero";
    say.LocString = "a1b2c3";
    say.Text = "Hello there.";
    say.ID1 = "gEForcedDialogCam_ShowSpeaker";
    return say;
}

// How many slots reach a member of the entry, each its own.
template <typename Entry> int ReachableSlots() {
    Entry entry;
    int reached = 0;
    for (int i = 0; i <= static_cast<int>(Slot::InvertTest); ++i) {
        std::string* text = SlotText(entry, static_cast<Slot>(i));
        if (!text)
            continue;
        ++reached;
        *text = std::to_string(i);
        for (int j = 0; j <= i; ++j) {
            if (SlotText(entry, static_cast<Slot>(j))) {
                EXPECT_EQ(GetSlot(entry, static_cast<Slot>(j)), std::to_string(j));
            }
        }
    }
    return reached;
}

// The rows of a freshly chosen type, as the dialog sets them up.
std::vector<RowValue> FreshRows(const EntryType* type) {
    std::vector<RowValue> rows;
    for (const Parameter& row : type->Rows())
        rows.push_back({InitialRowText(row), {}});
    return rows;
}
} // namespace

TEST(WorkingCopyTest, EverySlotReachesItsOwnMember) {
    EXPECT_EQ(ReachableSlots<InfoCommandRef>(), 8 + CommandValueCount);
    EXPECT_EQ(ReachableSlots<InfoConditionRef>(), 7);
    EXPECT_EQ(ReachableSlots<InfoRequiredPerkRef>(), 3);
    InfoConditionRef condition;
    EXPECT_EQ(SlotText(condition, Slot::Entity3), nullptr);
    EXPECT_EQ(GetSlot(condition, Slot::Entity3), "");
}

// A loaded choice is shown without its prefix and stored back with it; a changed row
// goes to its slot; an odd stored value survives an unchanged save.
TEST(WorkingCopyTest, RowsLoadAndStoreByTheirRules) {
    InfoCommandRef say = SayCommand();
    const InfoCommandRef before = say;
    std::vector<RowValue> rows = LoadEntryRows(say, Command("Say"));
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"Self", "PC_Hero", "a1b2c3", "ShowSpeaker"}));
    ASSERT_TRUE(StoreEntry(say, Command("Say"), "Say", rows));
    EXPECT_EQ(say, before);

    rows[3].text = "NoAutoMove_None";
    rows[0].text = "Diego";
    ASSERT_TRUE(StoreEntry(say, Command("Say"), "Say", rows));
    EXPECT_EQ(say.ID1, "gEForcedDialogCam_NoAutoMove_None");
    EXPECT_EQ(say.Entity1, "Diego");
    EXPECT_EQ(say.Text, "Hello there.");

    InfoConditionRef quest;
    quest.Condition = "QuestStatus";
    quest.ID2 = "\"gEInfoQuestStatus_Won\"";
    quest.ID3 = "Maybe";
    const InfoConditionRef odd = quest;
    ASSERT_TRUE(StoreEntry(quest, Condition("QuestStatus"), "QuestStatus",
                           LoadEntryRows(quest, Condition("QuestStatus"))));
    EXPECT_EQ(quest, odd);
}

// New list rows start on their first choice, so that an untouched save never writes
// "bool PlayAsMusic = ;"; a fresh row that names no choice is refused; values of the
// types that keep them set UseValues.
TEST(WorkingCopyTest, FreshRowsAndValues) {
    InfoCommandRef jingle;
    ASSERT_TRUE(
        StoreEntry(jingle, Command("PlayJingle"), "PlayJingle", FreshRows(Command("PlayJingle"))));
    EXPECT_EQ(jingle.ID2, "False");
    EXPECT_FALSE(jingle.UseValues);

    InfoCommandRef script;
    std::vector<RowValue> rows = FreshRows(Command("RunScript"));
    rows[3].text.clear();
    EXPECT_FALSE(StoreEntry(script, Command("RunScript"), "RunScript", rows));
    EXPECT_EQ(script, InfoCommandRef{});

    InfoCommandRef camera;
    rows = FreshRows(Command("StartFixCamera"));
    ASSERT_EQ(rows.size(), 17u);
    for (std::size_t i = 2; i < 14; ++i)
        rows[i].text = std::to_string(i) + ".5";
    ASSERT_TRUE(StoreEntry(camera, Command("StartFixCamera"), "StartFixCamera", rows));
    EXPECT_TRUE(camera.UseValues);
    EXPECT_EQ(camera.Value[0], "2.5");
    EXPECT_EQ(camera.Value[11], "13.5");
    EXPECT_EQ(camera.Value[14], "False");
}

// Only entries the info writes are stored: a type with a class, or the block kept under
// its own name. A kept block goes once a save changes the name or a value.
TEST(WorkingCopyTest, RefusalsAndKeptBlocks) {
    InfoCommandRef say = SayCommand();
    const InfoCommandRef before = say;
    const std::vector<RowValue> rows = LoadEntryRows(say, Command("Say"));
    EXPECT_EQ(RefusalOf(say, Command("Say"), " \t"), TypeRefusal::BlankName);
    EXPECT_EQ(RefusalOf(say, Command("Wear"), "Wear - unused"), TypeRefusal::NotEditable);
    EXPECT_EQ(RefusalOf(say, Command("SwitchCase"), "SwitchCase"), TypeRefusal::NotEditable);
    EXPECT_EQ(RefusalOf(say, nullptr, "Zzz"), TypeRefusal::NotWritable);
    EXPECT_FALSE(StoreEntry(say, nullptr, "Zzz", {}));
    EXPECT_FALSE(StoreEntry(say, Command("Say"), "Say", std::span(rows).first(2)));
    EXPECT_EQ(say, before);

    InfoConditionRef teach;
    teach.Condition = "CanTeachSkill";
    EXPECT_EQ(RefusalOf(teach, Condition("CanTeachSkill"), "CanTeachSkill - unused"),
              TypeRefusal::NotWritable);
    teach.PreservedBlock = "gCInfoConditionCanTeachSkill {\r\n}\r\n";
    EXPECT_TRUE(StoreEntry(teach, Condition("CanTeachSkill"), "CanTeachSkill - unused", {}));
    EXPECT_EQ(teach.Condition, "CanTeachSkill");
    EXPECT_FALSE(teach.PreservedBlock.empty());

    InfoCommandRef kept = SayCommand();
    kept.PreservedBlock = "class gCInfoCommandSay [Version 1] {\r\n}\r\n";
    std::vector<RowValue> keptRows = LoadEntryRows(kept, Command("Say"));
    ASSERT_TRUE(StoreEntry(kept, Command("Say"), "Say", keptRows));
    EXPECT_FALSE(kept.PreservedBlock.empty());
    keptRows[1].text = "Mira";
    ASSERT_TRUE(StoreEntry(kept, Command("Say"), "Say", keptRows));
    EXPECT_TRUE(kept.PreservedBlock.empty());
    EXPECT_TRUE(IsWritable(kept));
}

TEST(WorkingCopyTest, PerkSkillAndRows) {
    InfoRequiredPerkRef perk{"gESkill_Perk_Lockpick", "1", "False"};
    EXPECT_EQ(LoadPerkSkill(perk).text, "Perk_Lockpick");
    std::vector<RowValue> rows = LoadPerkRows(perk);
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"1", "False"}));
    rows[0].text = "2";
    ASSERT_TRUE(StorePerk(perk, RowValue{"Perk_Mining", {}}, rows));
    EXPECT_EQ(perk, (InfoRequiredPerkRef{"gESkill_Perk_Mining", "2", "False"}));
    EXPECT_FALSE(StorePerk(perk, RowValue{" ", {}}, rows));
    // A stored perk of no known skill stays while it is shown unchanged.
    InfoRequiredPerkRef odd{"Perk_Odd", "0", "True"};
    const InfoRequiredPerkRef oddBefore = odd;
    ASSERT_TRUE(StorePerk(odd, LoadPerkSkill(odd), LoadPerkRows(odd)));
    EXPECT_EQ(odd, oddBefore);
    EXPECT_TRUE(IsBlankText(" \t\r\n"));
    EXPECT_FALSE(IsBlankText(" x"));
}
