#include "info/ParameterSchema.h"
#include "info/WorkingCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace VaskEdit;

namespace {

const TypeSchema& CommandNamed(std::string_view name) {
    const int index = CommandNameIndex(name);
    EXPECT_GE(index, 0) << name;
    return *CommandSchema(index);
}

const TypeSchema& ConditionNamed(std::string_view name) {
    const int index = ConditionNameIndex(name);
    EXPECT_GE(index, 0) << name;
    return *ConditionSchema(index);
}

int CountKind(const TypeSchema& schema, RowKind kind) {
    return static_cast<int>(
        std::count_if(schema.rows.begin(), schema.rows.end(),
                      [kind](const ParameterRow& r) { return r.kind == kind; }));
}

std::vector<const TypeSchema*> AllCommands() {
    std::vector<const TypeSchema*> all;
    for (int i = 0; i < CommandSchemaCount(); ++i)
        all.push_back(CommandSchema(i));
    return all;
}

std::vector<const TypeSchema*> AllConditions() {
    std::vector<const TypeSchema*> all;
    for (int i = 0; i < ConditionSchemaCount(); ++i)
        all.push_back(ConditionSchema(i));
    return all;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

} // namespace

// ---------------------------------------------------------------------------------
// Row kinds

TEST(RowKindPresentationTest, ListKindsHaveNoBackgroundAndTextBoxesHaveOne) {
    for (RowKind kind : {RowKind::Text, RowKind::Number, RowKind::Decimal, RowKind::TemplateId}) {
        EXPECT_TRUE(RowKindPresentation(kind).hasBackground);
        EXPECT_FALSE(RowKindPresentation(kind).usesList);
    }
    for (RowKind kind : {RowKind::YesNo, RowKind::Choice}) {
        EXPECT_FALSE(RowKindPresentation(kind).hasBackground);
        EXPECT_TRUE(RowKindPresentation(kind).usesList);
        EXPECT_EQ(RowKindPresentation(kind).initialText, "");
    }
}

TEST(RowKindPresentationTest, NumbersStartAtZeroAndOnlyMaskedKindsHaveAMask) {
    EXPECT_EQ(RowKindPresentation(RowKind::Number).initialText, "0");
    EXPECT_EQ(RowKindPresentation(RowKind::Decimal).initialText, "0");
    EXPECT_EQ(RowKindPresentation(RowKind::Text).initialText, "");
    EXPECT_EQ(RowKindPresentation(RowKind::Number).inputMask, "#09999999");
    EXPECT_EQ(RowKindPresentation(RowKind::TemplateId).inputMask,
              "{AAAAAAAA-AAAA-AAAA-AAAA-AAAAAAAAAAAA}");
    EXPECT_EQ(RowKindPresentation(RowKind::Decimal).inputMask, "");
    EXPECT_EQ(RowKindPresentation(RowKind::Text).inputMask, "");
    EXPECT_TRUE(RowKindPresentation(RowKind::TemplateId).startsReadOnly);
    EXPECT_FALSE(RowKindPresentation(RowKind::Number).startsReadOnly);
}

TEST(RowKindPresentationTest, WidthsAndColours) {
    EXPECT_EQ(RowKindPresentation(RowKind::Text).width, 220);
    EXPECT_EQ(RowKindPresentation(RowKind::Number).width, 60);
    EXPECT_EQ(RowKindPresentation(RowKind::Decimal).width, 80);
    EXPECT_EQ(RowKindPresentation(RowKind::TemplateId).width, 220);
    EXPECT_EQ(RowKindPresentation(RowKind::YesNo).width, 100);
    EXPECT_EQ(RowKindPresentation(RowKind::Choice).width, 220);
    const Argb text = RowKindPresentation(RowKind::Text).background;
    EXPECT_EQ(std::vector<int>({text.alpha, text.red, text.green, text.blue}),
              std::vector<int>({255, 255, 255, 225}));
    const Argb number = RowKindPresentation(RowKind::Number).background;
    EXPECT_EQ(std::vector<int>({number.alpha, number.red, number.green, number.blue}),
              std::vector<int>({255, 210, 255, 210}));
    const Argb id = RowKindPresentation(RowKind::TemplateId).background;
    EXPECT_EQ(std::vector<int>({id.alpha, id.red, id.green, id.blue}),
              std::vector<int>({255, 225, 225, 255}));
}

TEST(FitsInputMaskTest, NumberMaskTakesAnOptionalSignAndAtMostNineCharacters) {
    EXPECT_TRUE(FitsInputMask(RowKind::Number, "250"));
    EXPECT_TRUE(FitsInputMask(RowKind::Number, "-1"));
    EXPECT_TRUE(FitsInputMask(RowKind::Number, "123456789"));
    EXPECT_TRUE(FitsInputMask(RowKind::Number, ""));
    EXPECT_FALSE(FitsInputMask(RowKind::Number, "1234567890"));
    EXPECT_FALSE(FitsInputMask(RowKind::Number, "1.5"));
    EXPECT_FALSE(FitsInputMask(RowKind::Number, "\"250\""));
    EXPECT_FALSE(FitsInputMask(RowKind::Number, "1-"));
}

TEST(FitsInputMaskTest, TemplateIdMaskNeedsBracesHyphensAndLettersOrDigits) {
    EXPECT_TRUE(FitsInputMask(RowKind::TemplateId, "{0123ABCD-4567-89ef-ABCD-0123456789AB}"));
    EXPECT_FALSE(FitsInputMask(RowKind::TemplateId, "\"{0123ABCD-4567-89ef-ABCD-0123456789AB}\""));
    EXPECT_FALSE(FitsInputMask(RowKind::TemplateId, "0123ABCD-4567-89ef-ABCD-0123456789AB"));
    EXPECT_FALSE(FitsInputMask(RowKind::TemplateId, "{0123ABCD_4567-89ef-ABCD-0123456789AB}"));
    EXPECT_FALSE(FitsInputMask(RowKind::TemplateId, "{0123ABCD-4567-89ef-ABCD-0123456789A!}"));
}

TEST(FitsInputMaskTest, UnmaskedKindsTakeAnyText) {
    EXPECT_TRUE(FitsInputMask(RowKind::Decimal, "0.125"));
    EXPECT_TRUE(FitsInputMask(RowKind::Text, "any \xE4 text"));
}

// ---------------------------------------------------------------------------------
// Slots

TEST(SlotTest, ValueSlotsMapToTheirIndexAndBack) {
    for (int i = 0; i < CommandValueCount; ++i) {
        EXPECT_EQ(CommandValueIndex(CommandValueSlot(i)), i);
        EXPECT_EQ(SlotName(CommandValueSlot(i)), "Value" + std::to_string(i));
    }
    EXPECT_EQ(CommandValueIndex(Slot::ID1), -1);
    EXPECT_EQ(CommandValueIndex(Slot::LocString), -1);
    EXPECT_EQ(CommandValueIndex(Slot::Value), -1);
    EXPECT_EQ(CommandValueIndex(Slot::InvertTest), -1);
}

TEST(SlotTest, CapacitiesFollowTheRecordMembers) {
    EXPECT_EQ(SlotCapacity(Slot::Entity1), 48u);
    EXPECT_EQ(SlotCapacity(Slot::ID4), 48u);
    EXPECT_EQ(SlotCapacity(Slot::LocString), 48u);
    EXPECT_EQ(SlotCapacity(Slot::Value0), 16u);
    EXPECT_EQ(SlotCapacity(Slot::Value14), 16u);
    EXPECT_EQ(SlotCapacity(Slot::Value), 8u);
    EXPECT_EQ(SlotCapacity(Slot::InvertTest), 8u);
}

// ---------------------------------------------------------------------------------
// Choice lists

TEST(ChoiceListTest, NineEnumerationsEachPrefixedWithItsNameAndAnUnderscore) {
    ASSERT_EQ(AllChoiceLists().size(), 9u);
    for (const ChoiceList& list : AllChoiceLists()) {
        EXPECT_EQ(list.prefix, std::string(list.typeTag) + "_");
        EXPECT_FALSE(list.names.empty()) << list.typeTag;
        const std::set<std::string_view> unique(list.names.begin(), list.names.end());
        EXPECT_EQ(unique.size(), list.names.size()) << list.typeTag;
    }
    EXPECT_EQ(&Choices(Enumeration::QuestActor), &AllChoiceLists()[0]);
    EXPECT_EQ(Choices(Enumeration::ForcedDialogCam).names.size(), 20u);
    EXPECT_EQ(Choices(Enumeration::InfoQuestStatus).names.size(), 11u);
}

TEST(ChoiceListTest, YesNoListHasNoPrefix) {
    EXPECT_EQ(YesNoChoices().prefix, "");
    ASSERT_EQ(YesNoChoices().names.size(), 2u);
    EXPECT_EQ(YesNoChoices().names[0], "False");
    EXPECT_EQ(YesNoChoices().names[1], "True");
}

TEST(ChoiceListTest, FindChoiceIsExactAndCaseSensitive) {
    const ChoiceList& actors = Choices(Enumeration::QuestActor);
    EXPECT_EQ(FindChoice(actors, "Client"), 0);
    EXPECT_EQ(FindChoice(actors, "Target"), 1);
    EXPECT_EQ(FindChoice(actors, "client"), -1);
    EXPECT_EQ(FindChoice(actors, "Client "), -1);
    EXPECT_EQ(FindChoice(actors, ""), -1);
    EXPECT_EQ(FindChoice(YesNoChoices(), "true"), -1);
}

TEST(SkillListTest, HundredSixtyUniqueNamesFromNoneToStatGlory) {
    const auto skills = SkillNames();
    ASSERT_EQ(skills.size(), 160u);
    EXPECT_EQ(skills.front(), "None");
    EXPECT_EQ(skills.back(), "Stat_Glory");
    EXPECT_EQ(std::set<std::string_view>(skills.begin(), skills.end()).size(), 160u);
    EXPECT_EQ(Choices(Enumeration::Skill).names.data(), skills.data());
    EXPECT_EQ(Choices(Enumeration::Skill).prefix, SkillPrefix);
    EXPECT_EQ(SkillPrefix, "gESkill_");
}

TEST(SkillListTest, EveryStoredPerkFitsThePerkMember) {
    for (std::string_view skill : SkillNames())
        EXPECT_LE(StoredPerkText(skill).size(), 48u) << skill;
}

// ---------------------------------------------------------------------------------
// Type lists

TEST(CommandTypeListTest, SixtyEntriesOfWhichTwentyOneAreUnused) {
    ASSERT_EQ(CommandSchemaCount(), 60);
    EXPECT_EQ(CommandSchema(-1), nullptr);
    EXPECT_EQ(CommandSchema(60), nullptr);
    int unused = 0;
    for (const TypeSchema* type : AllCommands()) {
        if (EndsWith(type->entry, " - unused")) {
            ++unused;
            EXPECT_EQ(type->entry, std::string(type->name) + " - unused");
            EXPECT_EQ(type->description, "Unused! Unknown params!");
            EXPECT_TRUE(type->rows.empty()) << type->entry;
            EXPECT_FALSE(type->canSave) << type->entry;
        } else {
            EXPECT_EQ(type->entry, type->name);
            EXPECT_NE(type->description, "Unused! Unknown params!");
        }
    }
    EXPECT_EQ(unused, 21);
}

TEST(CommandTypeListTest, SwitchCaseIsTheOnlyOtherTypeThatCannotBeSaved) {
    std::vector<std::string_view> unsavable;
    for (const TypeSchema* type : AllCommands()) {
        if (!type->canSave && !EndsWith(type->entry, " - unused"))
            unsavable.push_back(type->name);
    }
    EXPECT_EQ(unsavable, std::vector<std::string_view>{"SwitchCase"});
    const TypeSchema& switchCase = CommandNamed("SwitchCase");
    EXPECT_EQ(switchCase.description, "Unknown params!");
    EXPECT_TRUE(switchCase.rows.empty());
}

TEST(CommandTypeListTest, TypesWithoutRowsCanStillBeSaved) {
    for (std::string_view name : {"Back", "End", "StopFixCamera", "SwitchDefault", "SwitchEnd"}) {
        const TypeSchema& type = CommandNamed(name);
        EXPECT_TRUE(type.rows.empty()) << name;
        EXPECT_TRUE(type.canSave) << name;
    }
    EXPECT_EQ(CommandNamed("Back").description, "Go back and skip the parent and its childs.");
}

TEST(CommandTypeListTest, LookUpByEntryTextAndByShortName) {
    EXPECT_EQ(CommandEntryIndex("Wear - unused"), 59);
    EXPECT_EQ(CommandEntryIndex("Wear"), -1);
    EXPECT_EQ(CommandEntryIndex("SwitchEnd"), 54);
    EXPECT_EQ(CommandNameIndex("Wear"), 59);
    EXPECT_EQ(CommandNameIndex("EndGame"), 12);
    EXPECT_EQ(CommandNameIndex("Say"), 31);
    EXPECT_EQ(CommandNameIndex("say"), -1);
    EXPECT_EQ(CommandNameIndex(""), -1);
    EXPECT_EQ(CommandNameIndex("AddCrewMember"), 0);
}

TEST(CommandTypeListTest, PositionIsTheCommandTypeValue) {
    EXPECT_EQ(CommandSchema(0)->name, "AddCrewMember");
    EXPECT_EQ(CommandSchema(14)->name, "Give");
    EXPECT_EQ(CommandSchema(48)->name, "StartFixCamera");
    EXPECT_EQ(CommandSchema(52)->name, "SwitchCase");
    EXPECT_EQ(CommandSchema(59)->name, "Wear");
}

TEST(ConditionTypeListTest, SixteenEntriesAndCanTeachSkillIsSavableWithoutRows) {
    ASSERT_EQ(ConditionSchemaCount(), 16);
    EXPECT_EQ(ConditionSchema(16), nullptr);
    const TypeSchema& canTeach = *ConditionSchema(0);
    EXPECT_EQ(canTeach.entry, "CanTeachSkill - unused");
    EXPECT_EQ(canTeach.name, "CanTeachSkill");
    EXPECT_TRUE(canTeach.rows.empty());
    EXPECT_TRUE(canTeach.canSave);
    EXPECT_EQ(canTeach.description, "");
    for (const TypeSchema* type : AllConditions()) {
        EXPECT_EQ(type->description, "") << type->name;
        EXPECT_TRUE(type->canSave) << type->name;
        EXPECT_FALSE(type->usesValues) << type->name;
        if (type != &canTeach) {
            EXPECT_EQ(type->entry, type->name);
            EXPECT_FALSE(type->rows.empty()) << type->name;
        }
    }
}

TEST(ConditionTypeListTest, LookUpByEntryTextAndByShortName) {
    EXPECT_EQ(ConditionNameIndex("CanTeachSkill"), 0);
    EXPECT_EQ(ConditionEntryIndex("CanTeachSkill - unused"), 0);
    EXPECT_EQ(ConditionEntryIndex("CanTeachSkill"), -1);
    EXPECT_EQ(ConditionNameIndex("Script"), 13);
    EXPECT_EQ(ConditionNameIndex("SkillValue"), 14);
    EXPECT_EQ(ConditionNameIndex("Unknown"), -1);
    EXPECT_EQ(ConditionNameIndex(""), -1);
}

// ---------------------------------------------------------------------------------
// Rows

TEST(CommandRowsTest, StartFixCameraHasSeventeenRows) {
    const TypeSchema& camera = CommandNamed("StartFixCamera");
    ASSERT_EQ(camera.rows.size(), 17u);
    EXPECT_EQ(CountKind(camera, RowKind::Text), 2);
    EXPECT_EQ(CountKind(camera, RowKind::Decimal), 12);
    EXPECT_EQ(CountKind(camera, RowKind::YesNo), 3);
    // The fifteen value rows fill Value0..Value14 in order.
    for (int i = 0; i < CommandValueCount; ++i)
        EXPECT_EQ(camera.rows[static_cast<std::size_t>(i) + 2].slot, CommandValueSlot(i));
    EXPECT_EQ(camera.rows[3].label, "CamFOV");
    EXPECT_EQ(camera.rows[3].typeTag, "[ float ] CamFOVAutoChangeSpeed");
    EXPECT_EQ(camera.rows[16].typeTag, "[ bool ] RotationSyncToMove");
}

TEST(CommandRowsTest, GiveHasSixRows) {
    const TypeSchema& give = CommandNamed("Give");
    ASSERT_EQ(give.rows.size(), 6u);
    EXPECT_EQ(CountKind(give, RowKind::Text), 2);
    EXPECT_EQ(CountKind(give, RowKind::TemplateId), 1);
    EXPECT_EQ(CountKind(give, RowKind::Number), 1);
    EXPECT_EQ(CountKind(give, RowKind::YesNo), 2);
    EXPECT_EQ(give.rows[5].slot, Slot::Entity3);
}

TEST(CommandRowsTest, SayShowsFourRowsEndingWithTheDialogCamera) {
    const TypeSchema& say = CommandNamed("Say");
    ASSERT_EQ(say.rows.size(), 4u);
    EXPECT_EQ(say.rows[3].kind, RowKind::Choice);
    EXPECT_EQ(say.rows[3].slot, Slot::ID1);
    EXPECT_EQ(say.rows[3].choices, &Choices(Enumeration::ForcedDialogCam));
}

TEST(CommandRowsTest, ExactlyTheTypesWithValueRowsSetUseValues) {
    std::vector<std::string_view> withValues;
    for (const TypeSchema* type : AllCommands()) {
        const bool hasValueRow =
            std::any_of(type->rows.begin(), type->rows.end(),
                        [](const ParameterRow& r) { return CommandValueIndex(r.slot) >= 0; });
        EXPECT_EQ(type->usesValues, hasValueRow) << type->name;
        if (type->usesValues)
            withValues.push_back(type->name);
    }
    EXPECT_EQ(withValues, (std::vector<std::string_view>{"CreateItem", "RunScript", "SetGameEvent",
                                                         "StartEffect", "StartFixCamera"}));
}

TEST(CommandRowsTest, RowsUseOnlyCommandSlotsEachOnce) {
    InfoCommandRef probe;
    for (const TypeSchema* type : AllCommands()) {
        std::set<Slot> used;
        for (const ParameterRow& row : type->rows) {
            EXPECT_NE(SlotText(probe, row.slot), nullptr) << type->name << " " << row.label;
            EXPECT_TRUE(used.insert(row.slot).second) << type->name << " " << row.label;
        }
        EXPECT_LE(type->rows.size(), 20u) << type->name;
    }
}

TEST(ConditionRowsTest, RowsUseOnlyConditionSlotsEachOnce) {
    InfoConditionRef probe;
    for (const TypeSchema* type : AllConditions()) {
        std::set<Slot> used;
        for (const ParameterRow& row : type->rows) {
            EXPECT_NE(SlotText(probe, row.slot), nullptr) << type->name << " " << row.label;
            EXPECT_TRUE(used.insert(row.slot).second) << type->name << " " << row.label;
        }
        EXPECT_LE(type->rows.size(), 10u) << type->name;
    }
}

TEST(ConditionRowsTest, SkillValueStoresTheSkillInID1AfterTheOtherRows) {
    const TypeSchema& skill = ConditionNamed("SkillValue");
    ASSERT_EQ(skill.rows.size(), 4u);
    EXPECT_EQ(skill.rows[3].slot, Slot::ID1);
    EXPECT_EQ(skill.rows[3].choices, &Choices(Enumeration::Skill));
    EXPECT_EQ(skill.rows[1].slot, Slot::ID2);
}

TEST(ConditionRowsTest, ScriptHasSixRows) {
    const TypeSchema& script = ConditionNamed("Script");
    ASSERT_EQ(script.rows.size(), 6u);
    EXPECT_EQ(script.rows[5].slot, Slot::ID4);
    EXPECT_EQ(CountKind(script, RowKind::Choice), 1);
}

// The template picker is attached to the first nine rows of the command dialog and the
// first five of the condition dialog.
TEST(RowsTest, TemplateIdRowsLieWithinTheRowsThatOpenThePicker) {
    for (const TypeSchema* type : AllCommands()) {
        for (std::size_t i = 0; i < type->rows.size(); ++i) {
            if (type->rows[i].kind == RowKind::TemplateId) {
                EXPECT_LT(i, 9u) << type->name;
            }
        }
    }
    for (const TypeSchema* type : AllConditions()) {
        for (std::size_t i = 0; i < type->rows.size(); ++i) {
            if (type->rows[i].kind == RowKind::TemplateId) {
                EXPECT_LT(i, 5u) << type->name;
            }
        }
    }
}

TEST(RowsTest, TypeTagsAgreeWithRowKindsAndLists) {
    std::vector<const ParameterRow*> rows;
    for (const TypeSchema* type : AllCommands())
        for (const ParameterRow& row : type->rows)
            rows.push_back(&row);
    for (const TypeSchema* type : AllConditions())
        for (const ParameterRow& row : type->rows)
            rows.push_back(&row);
    for (const ParameterRow& row : PerkRows())
        rows.push_back(&row);

    for (const ParameterRow* row : rows) {
        const std::string_view tag = row->typeTag;
        SCOPED_TRACE(std::string(row->label) + " " + std::string(tag));
        ASSERT_TRUE(StartsWith(tag, "[ "));
        switch (row->kind) {
        case RowKind::Choice:
            ASSERT_NE(row->choices, nullptr);
            EXPECT_EQ(tag, "[ " + std::string(row->choices->typeTag) + " ]");
            break;
        case RowKind::YesNo:
            EXPECT_EQ(row->choices, &YesNoChoices());
            EXPECT_TRUE(StartsWith(tag, "[ bool ]"));
            break;
        case RowKind::Number:
            EXPECT_EQ(row->choices, nullptr);
            EXPECT_TRUE(tag == "[ int ]" || tag == "[ unsigned int ]");
            break;
        case RowKind::Decimal:
            EXPECT_EQ(row->choices, nullptr);
            EXPECT_TRUE(StartsWith(tag, "[ float ]"));
            break;
        case RowKind::TemplateId:
            EXPECT_EQ(row->choices, nullptr);
            EXPECT_EQ(tag, "[ eCTemplateEntityProxy ]");
            break;
        case RowKind::Text:
            EXPECT_EQ(row->choices, nullptr);
            EXPECT_FALSE(StartsWith(tag, "[ bool ]") || StartsWith(tag, "[ float ]") ||
                         tag == "[ int ]" || tag == "[ unsigned int ]");
            break;
        }
    }
}

TEST(RowsTest, EveryStoredListValueFitsItsSlot) {
    auto check = [](const TypeSchema* type) {
        for (const ParameterRow& row : type->rows) {
            if (!row.choices)
                continue;
            for (std::string_view name : row.choices->names) {
                EXPECT_LE(StoredText(row, name).size(), SlotCapacity(row.slot))
                    << type->name << " " << row.label << " " << name;
            }
        }
    };
    for (const TypeSchema* type : AllCommands())
        check(type);
    for (const TypeSchema* type : AllConditions())
        check(type);
}

TEST(PerkRowsTest, ValueAsNumberAndInvertTestAsYesNo) {
    const auto rows = PerkRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, "Value");
    EXPECT_EQ(rows[0].kind, RowKind::Number);
    EXPECT_EQ(rows[0].slot, Slot::Value);
    EXPECT_EQ(rows[1].label, "InvertTest");
    EXPECT_EQ(rows[1].kind, RowKind::YesNo);
    EXPECT_EQ(rows[1].slot, Slot::InvertTest);
}

// ---------------------------------------------------------------------------------
// Load rules

TEST(ShownTextTest, ChoiceRowRemovesThePrefixLength) {
    const ParameterRow& cam = CommandNamed("Say").rows[3];
    EXPECT_EQ(ShownText(cam, "gEForcedDialogCam_ShowSpeaker"), "ShowSpeaker");
    EXPECT_EQ(ShownText(cam, "gEForcedDialogCam_NoAutoMove_ShowListenerNearest"),
              "NoAutoMove_ShowListenerNearest");
}

TEST(ShownTextTest, TextNotLongerThanThePrefixIsShownWhole) {
    const ParameterRow& actor = CommandNamed("AddQuestActor").rows[2];
    ASSERT_EQ(actor.choices->prefix.size(), 13u);
    EXPECT_EQ(ShownText(actor, "Client"), "Client");
    EXPECT_EQ(ShownText(actor, "gEQuestActor_"), "gEQuestActor_"); // exactly 13
    EXPECT_EQ(ShownText(actor, ""), "");
    EXPECT_EQ(ShownText(actor, "ABCDEFGHIJKLMN"), "N"); // 14
}

TEST(ShownTextTest, ThePrefixIsNotCompared) {
    const ParameterRow& actor = CommandNamed("AddQuestActor").rows[2];
    EXPECT_EQ(ShownText(actor, "xxxxxxxxxxxxxTarget"), "Target");
    EXPECT_EQ(ShownText(actor, "gEOtherType__Target"), "Target");
}

TEST(ShownTextTest, OtherRowsShowTheStoredTextUnchanged) {
    const TypeSchema& give = CommandNamed("Give");
    for (const ParameterRow& row : give.rows) {
        if (row.kind == RowKind::YesNo)
            continue;
        EXPECT_EQ(ShownText(row, "gEQuestActor_Client"), "gEQuestActor_Client");
        EXPECT_EQ(ShownText(row, "\xC4\xFF\x80"), "\xC4\xFF\x80");
    }
    const ParameterRow& yesNo = give.rows[4];
    EXPECT_EQ(ShownText(yesNo, "True"), "True");
    EXPECT_EQ(ShownText(yesNo, "true"), "true");
}

TEST(ChoiceIndexTest, NamesAListEntryOnlyForListRows) {
    const ParameterRow& status = ConditionNamed("QuestStatus").rows[1];
    EXPECT_EQ(ChoiceIndex(status, "Success"), 3);
    EXPECT_TRUE(MatchesChoice(status, "Finished"));
    EXPECT_FALSE(MatchesChoice(status, "finished"));
    const ParameterRow& quest = ConditionNamed("QuestStatus").rows[0];
    EXPECT_EQ(ChoiceIndex(quest, "Success"), -1);
    EXPECT_FALSE(MatchesChoice(quest, ""));
    const ParameterRow& current = ConditionNamed("QuestStatus").rows[2];
    EXPECT_EQ(ChoiceIndex(current, "True"), 1);
}

// ---------------------------------------------------------------------------------
// Store rules

TEST(StoredTextTest, ChoiceRowStoresPrefixAndName) {
    const ParameterRow& other = CommandNamed("RunScript").rows[3];
    EXPECT_EQ(StoredText(other, "TemplateEntity"), "gEOtherType_TemplateEntity");
    EXPECT_EQ(StoredText(other, ""), "gEOtherType_");
}

TEST(StoredTextTest, YesNoRowStoresFalseOrTrue) {
    const ParameterRow& yesNo = CommandNamed("CreateItem").rows[3];
    ASSERT_EQ(yesNo.kind, RowKind::YesNo);
    EXPECT_EQ(StoredText(yesNo, "False"), "False");
    EXPECT_EQ(StoredText(yesNo, "True"), "True");
    EXPECT_EQ(StoredText(yesNo, ""), "");
}

TEST(StoredTextTest, TextNumberDecimalAndTemplateRowsStoreTheirTextUnchanged) {
    const TypeSchema& item = CommandNamed("CreateItem");
    EXPECT_EQ(StoredText(item.rows[0], " Hero \xE9"), " Hero \xE9");
    EXPECT_EQ(StoredText(item.rows[1], "{0123ABCD-4567-89EF-ABCD-0123456789AB}"),
              "{0123ABCD-4567-89EF-ABCD-0123456789AB}");
    EXPECT_EQ(StoredText(item.rows[2], "-12"), "-12");
    EXPECT_EQ(StoredText(CommandNamed("StartFixCamera").rows[2], "0.75"), "0.75");
}

TEST(StoredTextTest, MatchedOriginalIsStoredWithThePrefix) {
    const ParameterRow& actor = CommandNamed("AddQuestActor").rows[2];
    const std::string shown = ShownText(actor, "Client");
    EXPECT_EQ(StoredText(actor, shown, "Client"), "gEQuestActor_Client");
    EXPECT_EQ(StoredText(actor, "Target", "gEQuestActor_Target"), "gEQuestActor_Target");
}

TEST(StoredTextTest, UnmatchedOriginalIsKeptWhileStillShown) {
    const ParameterRow& cam = CommandNamed("Say").rows[3];
    const std::string quoted = "\"gEForcedDialogCam_ShowSpeaker\"";
    const std::string shown = ShownText(cam, quoted);
    EXPECT_EQ(shown, "_ShowSpeaker\"");
    EXPECT_FALSE(MatchesChoice(cam, shown));
    EXPECT_EQ(StoredText(cam, shown, quoted), quoted);
    // Picking a name replaces it.
    EXPECT_EQ(StoredText(cam, "None", quoted), "gEForcedDialogCam_None");
    // A stored text that is just the prefix survives too.
    EXPECT_EQ(StoredText(cam, "gEForcedDialogCam_", "gEForcedDialogCam_"), "gEForcedDialogCam_");
}

TEST(StoredTextTest, UnmatchedYesNoOriginalIsKept) {
    const ParameterRow& yesNo = CommandNamed("SetPartyEnabled").rows[1];
    EXPECT_EQ(StoredText(yesNo, "true", "true"), "true");
    EXPECT_EQ(StoredText(yesNo, "", ""), "");
    EXPECT_EQ(StoredText(yesNo, "False", "true"), "False");
}

TEST(StoredTextTest, OriginalDoesNotMatterForTextRows) {
    const ParameterRow& npc = CommandNamed("KillNPC").rows[0];
    EXPECT_EQ(StoredText(npc, "NewName", "OldName"), "NewName");
}

// ---------------------------------------------------------------------------------
// Perk rules

TEST(PerkTextTest, LoadingRemovesEightCharactersFromLongerTexts) {
    EXPECT_EQ(ShownPerkText("gESkill_Perk_Lockpick"), "Perk_Lockpick");
    EXPECT_EQ(ShownPerkText("gESkill_X"), "X");
    EXPECT_EQ(ShownPerkText("gESkill_"), "gESkill_");
    EXPECT_EQ(ShownPerkText("Level"), "Level");
    EXPECT_EQ(ShownPerkText("12345678Level"), "Level");
}

TEST(PerkTextTest, StoringPutsTheSkillPrefixInFront) {
    EXPECT_EQ(StoredPerkText("Perk_Lockpick"), "gESkill_Perk_Lockpick");
    EXPECT_EQ(StoredPerkText("Custom"), "gESkill_Custom");
    EXPECT_TRUE(MatchesSkill("Stat_Glory"));
    EXPECT_FALSE(MatchesSkill("stat_glory"));
}

TEST(PerkTextTest, UnmatchedStoredPerkIsKeptWhileStillShown) {
    // Without its prefix the perk loses eight characters on loading.
    const std::string bare = "Perk_Lockpick";
    const std::string shown = ShownPerkText(bare);
    EXPECT_EQ(shown, "kpick");
    EXPECT_EQ(StoredPerkText(shown, bare), bare);
    EXPECT_EQ(StoredPerkText("Perk_Mining", bare), "gESkill_Perk_Mining");
    EXPECT_EQ(StoredPerkText("Perk_Lockpick", "gESkill_Perk_Lockpick"), "gESkill_Perk_Lockpick");
}
