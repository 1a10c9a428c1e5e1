#include "info/WorkingCopy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VaskEdit;

namespace {

int Command(std::string_view name) {
    const int index = CommandNameIndex(name);
    EXPECT_GE(index, 0) << name;
    return index;
}

int Condition(std::string_view name) {
    const int index = ConditionNameIndex(name);
    EXPECT_GE(index, 0) << name;
    return index;
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
    say.Version = "\"1\"";
    say.Entity1 = "Self";
    say.Entity2 = "PC_Hero";
    say.LocString = "a1b2c3";
    say.Text = "Hello there.";
    say.ID1 = "gEForcedDialogCam_ShowSpeaker";
    return say;
}

} // namespace

// ---------------------------------------------------------------------------------
// Entries

TEST(WorkingCopyTest, NewEntriesAreEmpty) {
    const InfoCommandRef command;
    EXPECT_FALSE(command.UseValues);
    EXPECT_TRUE(command.Command.empty());
    for (const std::string& value : command.Value)
        EXPECT_TRUE(value.empty());
    const InfoRef info;
    EXPECT_TRUE(info.Name.empty());
    EXPECT_TRUE(info.InfoGiven.empty());
    EXPECT_TRUE(info.RequiredPerks.empty());
    EXPECT_TRUE(info.InfoCommands.empty());
    EXPECT_TRUE(info.InfoConditions.empty());
}

TEST(WorkingCopyTest, TextsKeepEveryByte) {
    InfoRef info;
    const std::string bytes("\xC4pfel\0\xFF\x80 ", 10);
    info.Owner = bytes;
    InfoCommandRef command;
    ASSERT_TRUE(SetSlot(command, Slot::Entity1, bytes));
    info.InfoCommands.push_back(command);
    const InfoRef copy = info;
    EXPECT_EQ(copy.Owner.size(), 10u);
    EXPECT_EQ(copy.InfoCommands[0].Entity1, bytes);
    EXPECT_EQ(GetSlot(copy.InfoCommands[0], Slot::Entity1), bytes);
}

// ---------------------------------------------------------------------------------
// Slots

TEST(SlotAccessTest, CommandSlotsReachTheirOwnField) {
    InfoCommandRef command;
    const std::vector<std::pair<Slot, std::string*>> fields = {
        {Slot::Entity1, &command.Entity1},
        {Slot::Entity2, &command.Entity2},
        {Slot::Entity3, &command.Entity3},
        {Slot::ID1, &command.ID1},
        {Slot::ID2, &command.ID2},
        {Slot::ID3, &command.ID3},
        {Slot::LocString, &command.LocString}};
    for (const auto& [slot, field] : fields) {
        ASSERT_TRUE(SetSlot(command, slot, SlotName(slot)));
        EXPECT_EQ(*field, SlotName(slot));
        EXPECT_EQ(SlotText(command, slot), field);
    }
    for (int i = 0; i < CommandValueCount; ++i) {
        ASSERT_TRUE(SetSlot(command, CommandValueSlot(i), "v" + std::to_string(i)));
        EXPECT_EQ(command.Value[static_cast<std::size_t>(i)], "v" + std::to_string(i));
    }
    // Every field still holds what was set through its own slot.
    for (const auto& [slot, field] : fields)
        EXPECT_EQ(*field, SlotName(slot));
    EXPECT_TRUE(command.Command.empty());
    EXPECT_TRUE(command.Text.empty());
}

TEST(SlotAccessTest, ConditionSlotsReachTheirOwnField) {
    InfoConditionRef condition;
    const std::vector<std::pair<Slot, std::string*>> fields = {
        {Slot::Entity1, &condition.Entity1},
        {Slot::Entity2, &condition.Entity2},
        {Slot::ID1, &condition.ID1},
        {Slot::ID2, &condition.ID2},
        {Slot::ID3, &condition.ID3},
        {Slot::ID4, &condition.ID4},
        {Slot::LocString, &condition.LocString}};
    for (const auto& [slot, field] : fields)
        ASSERT_TRUE(SetSlot(condition, slot, SlotName(slot)));
    for (const auto& [slot, field] : fields) {
        EXPECT_EQ(*field, SlotName(slot));
        EXPECT_EQ(GetSlot(condition, slot), SlotName(slot));
    }
}

TEST(SlotAccessTest, SlotsAnEntryDoesNotHaveAreRefused) {
    InfoCommandRef command;
    command.ID3 = "keep";
    const InfoCommandRef commandBefore = command;
    EXPECT_EQ(SlotText(command, Slot::ID4), nullptr);
    EXPECT_FALSE(SetSlot(command, Slot::ID4, "x"));
    EXPECT_FALSE(SetSlot(command, Slot::InvertTest, "x"));
    EXPECT_EQ(GetSlot(command, Slot::Value), "");
    EXPECT_EQ(command, commandBefore);

    InfoConditionRef condition;
    EXPECT_EQ(SlotText(condition, Slot::Entity3), nullptr);
    EXPECT_EQ(SlotText(condition, Slot::Value0), nullptr);
    EXPECT_FALSE(SetSlot(condition, Slot::Value, "1"));
    EXPECT_EQ(condition, InfoConditionRef{});

    InfoRequiredPerkRef perk;
    EXPECT_TRUE(SetSlot(perk, Slot::Value, "3"));
    EXPECT_TRUE(SetSlot(perk, Slot::InvertTest, "True"));
    EXPECT_FALSE(SetSlot(perk, Slot::ID1, "x"));
    EXPECT_EQ(perk.Value, "3");
    EXPECT_EQ(perk.InvertTest, "True");
    EXPECT_TRUE(perk.Perk.empty());
}

// ---------------------------------------------------------------------------------
// Commands

TEST(CommandEditTest, SayShowsItsChoiceWithoutPrefixAndSavesUnchanged) {
    InfoCommandRef say = SayCommand();
    const InfoCommandRef before = say;
    const std::vector<RowValue> rows = LoadCommandRows(say, Command("Say"));
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"Self", "PC_Hero", "a1b2c3", "ShowSpeaker"}));
    ASSERT_TRUE(StoreCommand(say, Command("Say"), "Say", rows));
    EXPECT_EQ(say, before);
}

TEST(CommandEditTest, ChoosingAnotherNameStoresItWithThePrefix) {
    InfoCommandRef say = SayCommand();
    std::vector<RowValue> rows = LoadCommandRows(say, Command("Say"));
    rows[3].text = "NoAutoMove_None";
    rows[0].text = "Diego";
    ASSERT_TRUE(StoreCommand(say, Command("Say"), "Say", rows));
    EXPECT_EQ(say.ID1, "gEForcedDialogCam_NoAutoMove_None");
    EXPECT_EQ(say.Entity1, "Diego");
    EXPECT_EQ(say.Text, "Hello there.");
}

TEST(CommandEditTest, UnmatchedChoiceValueSurvivesAnUnchangedSave) {
    InfoCommandRef say = SayCommand();
    say.ID1 = "\"gEForcedDialogCam_ShowListener\"";
    const InfoCommandRef before = say;
    const std::vector<RowValue> rows = LoadCommandRows(say, Command("Say"));
    EXPECT_EQ(rows[3].text, "_ShowListener\"");
    EXPECT_EQ(ChoiceIndex(CommandSchema(Command("Say"))->rows[3], rows[3].text), -1);
    ASSERT_TRUE(StoreCommand(say, Command("Say"), "Say", rows));
    EXPECT_EQ(say, before);
}

TEST(CommandEditTest, ChoiceStoredWithoutPrefixGetsItOnSaving) {
    InfoCommandRef actor;
    actor.Command = "AddQuestActor";
    actor.Entity1 = "MyQuest";
    actor.ID1 = "Diego";
    actor.ID2 = "Client";
    const std::vector<RowValue> rows = LoadCommandRows(actor, Command("AddQuestActor"));
    EXPECT_EQ(rows[2].text, "Client");
    ASSERT_TRUE(StoreCommand(actor, Command("AddQuestActor"), "AddQuestActor", rows));
    EXPECT_EQ(actor.ID2, "gEQuestActor_Client");
}

TEST(CommandEditTest, FreshRowsStartWithTheirInitialContent) {
    const TypeSchema& create = *CommandSchema(Command("CreateItem"));
    EXPECT_EQ(Texts(InitialRowValues(create.rows)),
              (std::vector<std::string>{"", "", "0", "False", "False"}));
    for (const RowValue& value : InitialRowValues(create.rows))
        EXPECT_FALSE(value.original.has_value());
    const TypeSchema& camera = *CommandSchema(Command("StartFixCamera"));
    const std::vector<RowValue> cameraRows = InitialRowValues(camera.rows);
    EXPECT_EQ(cameraRows[0].text, "");
    EXPECT_EQ(cameraRows[2].text, "0");
    EXPECT_EQ(cameraRows[16].text, "False");
}

TEST(CommandEditTest, SavingCreateItemSetsUseValuesAndStoresTheYesNoRows) {
    InfoCommandRef entry;
    entry.Entity2 = "untouched";
    entry.Value[2] = "untouched too";
    const int type = Command("CreateItem");
    std::vector<RowValue> rows = InitialRowValues(CommandSchema(type)->rows);
    rows[0].text = "PC_Hero";
    rows[1].text = "{0123ABCD-4567-89EF-ABCD-0123456789AB}";
    rows[2].text = "3";
    rows[3].text = "True";
    rows[4].text = "False";
    ASSERT_TRUE(StoreCommand(entry, type, "CreateItem", rows));
    EXPECT_EQ(entry.Command, "CreateItem");
    EXPECT_TRUE(entry.UseValues);
    EXPECT_EQ(entry.Entity1, "PC_Hero");
    EXPECT_EQ(entry.ID1, "{0123ABCD-4567-89EF-ABCD-0123456789AB}");
    EXPECT_EQ(entry.ID2, "3");
    EXPECT_EQ(entry.Value[0], "True");
    EXPECT_EQ(entry.Value[1], "False");
    EXPECT_EQ(entry.Entity2, "untouched");
    EXPECT_EQ(entry.Value[2], "untouched too");
}

TEST(CommandEditTest, SavingATypeWithoutValuesLeavesUseValuesAlone) {
    InfoCommandRef entry;
    const int type = Command("GiveXP");
    std::vector<RowValue> rows = InitialRowValues(CommandSchema(type)->rows);
    rows[0].text = "250";
    ASSERT_TRUE(StoreCommand(entry, type, "GiveXP", rows));
    EXPECT_FALSE(entry.UseValues);
    EXPECT_EQ(entry.ID1, "250");
}

TEST(CommandEditTest, NewListRowsNameAChoiceAndOddStoredOnesStay) {
    // Saved untouched, these wrote "bool PlayAsMusic = ;" and a bare "gEQuestActor_".
    InfoCommandRef jingle;
    const int play = Command("PlayJingle");
    ASSERT_TRUE(
        StoreCommand(jingle, play, "PlayJingle", InitialRowValues(CommandSchema(play)->rows)));
    EXPECT_EQ(jingle.ID2, "False");
    InfoCommandRef actor;
    const int add = Command("AddQuestActor");
    ASSERT_TRUE(
        StoreCommand(actor, add, "AddQuestActor", InitialRowValues(CommandSchema(add)->rows)));
    EXPECT_EQ(actor.ID2, "gEQuestActor_Client");

    // Nothing chosen in a row set up afresh is refused.
    InfoCommandRef entry;
    const int type = Command("RunScript");
    std::vector<RowValue> rows = InitialRowValues(CommandSchema(type)->rows);
    rows[3].text.clear();
    EXPECT_FALSE(StoreCommand(entry, type, "RunScript", rows));
    EXPECT_EQ(entry, InfoCommandRef{});

    // Such values read from a file are kept as they are.
    actor.ID2 = "gEQuestActor_";
    jingle.ID2.clear();
    const InfoCommandRef actorBefore = actor, jingleBefore = jingle;
    ASSERT_TRUE(StoreCommand(actor, add, "AddQuestActor", LoadCommandRows(actor, add)));
    ASSERT_TRUE(StoreCommand(jingle, play, "PlayJingle", LoadCommandRows(jingle, play)));
    EXPECT_EQ(actor, actorBefore);
    EXPECT_EQ(jingle, jingleBefore);
}

TEST(CommandEditTest, StartFixCameraStoresFifteenValues) {
    InfoCommandRef entry;
    const int type = Command("StartFixCamera");
    std::vector<RowValue> rows = InitialRowValues(CommandSchema(type)->rows);
    ASSERT_EQ(rows.size(), 17u);
    for (std::size_t i = 2; i < 14; ++i)
        rows[i].text = std::to_string(i) + ".5";
    for (std::size_t i = 14; i < 17; ++i)
        rows[i].text = i % 2 ? "True" : "False";
    ASSERT_TRUE(StoreCommand(entry, type, "StartFixCamera", rows));
    EXPECT_EQ(entry.Value[0], "2.5");
    EXPECT_EQ(entry.Value[11], "13.5");
    EXPECT_EQ(entry.Value[12], "False");
    EXPECT_EQ(entry.Value[13], "True");
    EXPECT_EQ(entry.Value[14], "False");
}

TEST(CommandEditTest, BlankTypeTextIsRefused) {
    InfoCommandRef entry = SayCommand();
    const InfoCommandRef before = entry;
    const std::vector<RowValue> rows = LoadCommandRows(entry, Command("Say"));
    EXPECT_FALSE(StoreCommand(entry, Command("Say"), "", rows));
    EXPECT_FALSE(StoreCommand(entry, Command("Say"), " \t ", rows));
    EXPECT_EQ(entry, before);
}

TEST(CommandEditTest, UnusedTypesAndSwitchCaseCannotBeSaved) {
    InfoCommandRef entry = SayCommand();
    const InfoCommandRef before = entry;
    EXPECT_FALSE(StoreCommand(entry, CommandEntryIndex("Wear - unused"), "Wear - unused", {}));
    EXPECT_FALSE(StoreCommand(entry, 12, "EndGame - unused", {}));
    EXPECT_FALSE(StoreCommand(entry, Command("SwitchCase"), "SwitchCase", {}));
    EXPECT_EQ(entry, before);
}

TEST(CommandEditTest, TypeWithoutRowsStoresOnlyItsName) {
    InfoCommandRef entry = SayCommand();
    ASSERT_TRUE(StoreCommand(entry, Command("Back"), "Back", {}));
    InfoCommandRef expected = SayCommand();
    expected.Command = "Back";
    EXPECT_EQ(entry, expected);
}

TEST(CommandEditTest, OnlyEntriesThatTheInfoWritesAreStored) {
    // A typed name without a class was shown in the grid and missing from the file.
    InfoCommandRef entry = SayCommand();
    const InfoCommandRef before = entry;
    EXPECT_TRUE(IsWritable(entry));
    EXPECT_EQ(CommandTypeRefusal(entry, -1, "MyOwnCommand"), TypeRefusal::NotWritable);
    EXPECT_FALSE(StoreCommand(entry, -1, "MyOwnCommand", {}));
    EXPECT_EQ(entry, before);
    EXPECT_TRUE(LoadCommandRows(entry, -1).empty());
    EXPECT_EQ(CommandTypeRefusal(entry, 12, "EndGame - unused"), TypeRefusal::NotEditable);
    EXPECT_EQ(CommandTypeRefusal(entry, -1, " "), TypeRefusal::BlankName);

    // A kept block is written under the name it was read with, and under no other.
    InfoCommandRef kept;
    kept.Command = "NarratorSay";
    kept.PreservedBlock = "gCInfoCommandNarratorSay block text";
    const InfoCommandRef keptBefore = kept;
    EXPECT_TRUE(IsWritable(kept));
    EXPECT_EQ(CommandTypeRefusal(kept, -1, "NarratorSay"), TypeRefusal::None);
    EXPECT_EQ(CommandTypeRefusal(kept, -1, "NarratorEnd"), TypeRefusal::NotWritable);
    EXPECT_FALSE(StoreCommand(kept, -1, "NarratorEnd", {}));
    EXPECT_EQ(kept, keptBefore);
    kept.PreservedBlock.clear();
    EXPECT_FALSE(IsWritable(kept));
}

TEST(CommandEditTest, KeptBlockStaysOnlyWhileTheNameStays) {
    InfoCommandRef entry;
    entry.Command = "EndGame";
    entry.PreservedBlock = "gCInfoCommandEndGame block text";
    const InfoCommandRef before = entry;
    ASSERT_TRUE(StoreCommand(entry, -1, "EndGame", {}));
    EXPECT_EQ(entry, before);
    ASSERT_TRUE(StoreCommand(entry, Command("End"), "End", {}));
    EXPECT_EQ(entry.Command, "End");
    EXPECT_TRUE(entry.PreservedBlock.empty());
}

TEST(CommandEditTest, MismatchedRowsOrIndexAreRefused) {
    InfoCommandRef entry = SayCommand();
    const InfoCommandRef before = entry;
    const std::vector<RowValue> sayRows = LoadCommandRows(entry, Command("Say"));
    EXPECT_FALSE(StoreCommand(entry, Command("Give"), "Give", sayRows));
    EXPECT_FALSE(StoreCommand(entry, -1, "Say", sayRows));
    EXPECT_FALSE(StoreCommand(entry, 60, "Say", {}));
    EXPECT_FALSE(StoreCommand(entry, -2, "Say", {}));
    EXPECT_EQ(entry, before);
    EXPECT_TRUE(LoadCommandRows(entry, 60).empty());
}

TEST(CommandEditTest, UnmatchedYesNoValueIsKeptAndAChoiceReplacesIt) {
    InfoCommandRef entry;
    entry.Command = "SetPartyEnabled";
    entry.Entity1 = "Diego";
    entry.ID1 = "true";
    const int type = Command("SetPartyEnabled");
    std::vector<RowValue> rows = LoadCommandRows(entry, type);
    EXPECT_EQ(rows[1].text, "true");
    ASSERT_TRUE(StoreCommand(entry, type, "SetPartyEnabled", rows));
    EXPECT_EQ(entry.ID1, "true");
    rows[1].text = "False";
    ASSERT_TRUE(StoreCommand(entry, type, "SetPartyEnabled", rows));
    EXPECT_EQ(entry.ID1, "False");
}

// ---------------------------------------------------------------------------------
// Conditions

TEST(ConditionEditTest, SkillValueLoadsAndSavesUnchanged) {
    InfoConditionRef skill;
    skill.Condition = "SkillValue";
    skill.Entity1 = "PC_Hero";
    skill.ID1 = "gESkill_Perk_Lockpick";
    skill.ID2 = "gECompareOperation_GreaterEqual";
    skill.ID3 = "2";
    skill.ID4 = "not a row of this type";
    const InfoConditionRef before = skill;
    const int type = Condition("SkillValue");
    const std::vector<RowValue> rows = LoadConditionRows(skill, type);
    EXPECT_EQ(Texts(rows),
              (std::vector<std::string>{"PC_Hero", "GreaterEqual", "2", "Perk_Lockpick"}));
    ASSERT_TRUE(StoreCondition(skill, type, "SkillValue", rows));
    EXPECT_EQ(skill, before);
}

TEST(ConditionEditTest, ChangedRowsGoToTheirSlots) {
    InfoConditionRef quest;
    const int type = Condition("QuestStatus");
    std::vector<RowValue> rows = InitialRowValues(ConditionSchema(type)->rows);
    rows[0].text = "MyQuest";
    rows[1].text = "Running";
    rows[2].text = "True";
    ASSERT_TRUE(StoreCondition(quest, type, "QuestStatus", rows));
    EXPECT_EQ(quest.Condition, "QuestStatus");
    EXPECT_EQ(quest.ID1, "MyQuest");
    EXPECT_EQ(quest.ID2, "gEInfoQuestStatus_Running");
    EXPECT_EQ(quest.ID3, "True");
    EXPECT_TRUE(quest.Entity1.empty());
}

TEST(ConditionEditTest, CanTeachSkillIsSavedOnlyWithTheBlockKeptForIt) {
    InfoConditionRef entry;
    entry.Condition = "CanTeachSkill";
    entry.ID1 = "keep";
    entry.PreservedBlock = "gCInfoConditionCanTeachSkill block text";
    const InfoConditionRef before = entry;
    const int type = ConditionEntryIndex("CanTeachSkill - unused");
    ASSERT_EQ(type, ConditionNameIndex("CanTeachSkill"));
    EXPECT_TRUE(LoadConditionRows(entry, type).empty());
    ASSERT_TRUE(StoreCondition(entry, type, "CanTeachSkill - unused", {}));
    EXPECT_EQ(entry, before);

    // A new one has no class to write it: it was shown in the grid and not saved.
    InfoConditionRef fresh;
    EXPECT_EQ(ConditionTypeRefusal(fresh, type, "CanTeachSkill - unused"),
              TypeRefusal::NotWritable);
    EXPECT_FALSE(StoreCondition(fresh, type, "CanTeachSkill - unused", {}));
    EXPECT_EQ(fresh, InfoConditionRef{});
    EXPECT_FALSE(StoreCondition(fresh, -1, "CanTeachSkill", {}));
    fresh.Condition = "CanTeachSkill";
    EXPECT_FALSE(IsWritable(fresh));
}

TEST(ConditionEditTest, SavingAnotherTypeDropsTheKeptBlock) {
    InfoConditionRef entry;
    entry.Condition = "CanTeachSkill";
    entry.PreservedBlock = "gCInfoConditionCanTeachSkill block text";
    const int type = Condition("TeachEnabled");
    std::vector<RowValue> rows = InitialRowValues(ConditionSchema(type)->rows);
    rows[0].text = "True";
    ASSERT_TRUE(StoreCondition(entry, type, "TeachEnabled", rows));
    EXPECT_EQ(entry.Condition, "TeachEnabled");
    EXPECT_EQ(entry.ID1, "True");
    EXPECT_TRUE(entry.PreservedBlock.empty());
}

TEST(ConditionEditTest, BlankOrMismatchedSavesAreRefused) {
    InfoConditionRef entry;
    entry.Condition = "PlayerKnows";
    entry.ID1 = "Secret";
    const InfoConditionRef before = entry;
    const int type = Condition("PlayerKnows");
    const std::vector<RowValue> rows = LoadConditionRows(entry, type);
    EXPECT_FALSE(StoreCondition(entry, type, "  ", rows));
    EXPECT_FALSE(StoreCondition(entry, Condition("Script"), "Script", rows));
    EXPECT_FALSE(StoreCondition(entry, 16, "PlayerKnows", rows));
    EXPECT_EQ(entry, before);
}

// ---------------------------------------------------------------------------------
// Rows against entries of the wrong kind

TEST(RowValuesTest, RowsForSlotsAnEntryLacksAreNotLoadedOrStored) {
    const auto cameraRows = CommandSchema(Command("StartFixCamera"))->rows;
    InfoConditionRef condition;
    condition.ID1 = "fix";
    const std::vector<RowValue> loaded = LoadRowValues(cameraRows, condition);
    ASSERT_EQ(loaded.size(), 17u);
    EXPECT_EQ(loaded[0].text, "fix");
    EXPECT_EQ(loaded[2].text, "");
    EXPECT_FALSE(loaded[2].original.has_value());
    EXPECT_FALSE(StoreRowValues(cameraRows, loaded, condition));
    EXPECT_EQ(condition.ID1, "fix");
}

// ---------------------------------------------------------------------------------
// Required perks

TEST(PerkEditTest, LoadShowsTheSkillWithoutItsPrefix) {
    InfoRequiredPerkRef perk{"gESkill_Perk_Lockpick", "1", "False"};
    const RowValue skill = LoadPerkSkill(perk);
    EXPECT_EQ(skill.text, "Perk_Lockpick");
    EXPECT_EQ(Texts(LoadPerkRows(perk)), (std::vector<std::string>{"1", "False"}));
}

TEST(PerkEditTest, SavingPutsTheSkillPrefixBackInFront) {
    InfoRequiredPerkRef perk{"gESkill_Perk_Lockpick", "1", "False"};
    const InfoRequiredPerkRef before = perk;
    ASSERT_TRUE(StorePerk(perk, LoadPerkSkill(perk), LoadPerkRows(perk)));
    EXPECT_EQ(perk, before);

    RowValue skill = LoadPerkSkill(perk);
    skill.text = "Perk_Mining";
    std::vector<RowValue> rows = LoadPerkRows(perk);
    rows[0].text = "2";
    rows[1].text = "True";
    ASSERT_TRUE(StorePerk(perk, skill, rows));
    EXPECT_EQ(perk, (InfoRequiredPerkRef{"gESkill_Perk_Mining", "2", "True"}));
}

TEST(PerkEditTest, NewPerkTakesTheTypedSkill) {
    InfoRequiredPerkRef perk;
    std::vector<RowValue> rows = InitialRowValues(PerkRows());
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"0", "False"}));
    ASSERT_TRUE(StorePerk(perk, RowValue{"Skill_Combat", {}}, rows));
    EXPECT_EQ(perk, (InfoRequiredPerkRef{"gESkill_Skill_Combat", "0", "False"}));
}

TEST(PerkEditTest, StoredPerkWithoutPrefixSurvivesAnUnchangedSave) {
    InfoRequiredPerkRef perk{"Perk_Lockpick", "1", "True"};
    const InfoRequiredPerkRef before = perk;
    const RowValue skill = LoadPerkSkill(perk);
    EXPECT_EQ(skill.text, "kpick");
    ASSERT_TRUE(StorePerk(perk, skill, LoadPerkRows(perk)));
    EXPECT_EQ(perk, before);
}

TEST(PerkEditTest, BlankSkillOrWrongRowsAreRefused) {
    InfoRequiredPerkRef perk{"gESkill_Level", "4", "False"};
    const InfoRequiredPerkRef before = perk;
    EXPECT_FALSE(StorePerk(perk, RowValue{"", {}}, LoadPerkRows(perk)));
    EXPECT_FALSE(StorePerk(perk, RowValue{"   ", {}}, LoadPerkRows(perk)));
    EXPECT_FALSE(StorePerk(perk, LoadPerkSkill(perk), {}));
    EXPECT_EQ(perk, before);
}

TEST(BlankTextTest, OnlyWhiteSpaceIsBlank) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \t\r\n"));
    EXPECT_FALSE(IsBlankText(" x "));
    EXPECT_FALSE(IsBlankText("\xA0"));
}
