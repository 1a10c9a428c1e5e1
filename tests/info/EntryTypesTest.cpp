// The type catalogue walked whole: what every reader, writer and dialog takes from it
// must hold for every type, so that a slip in one line of the tables is caught here.
#include "info/EntryBlocks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace VaskEdit;

namespace {
template <typename Record> bool RecordHas(Slot slot) {
    Record record;
    return VisitSlot(
        record, slot, [](auto&) { return true; }, false);
}

bool HasSlot(EntryKind kind, Slot slot) {
    return kind == EntryKind::Command ? RecordHas<InfoCommand>(slot)
                                      : RecordHas<InfoCondition>(slot);
}
} // namespace

TEST(EntryTypesTest, EveryTypeOnceAtItsValue) {
    for (const auto& [kind, count, classes] :
         {std::tuple{EntryKind::Command, 60u, 39u}, std::tuple{EntryKind::Condition, 16u, 15u}}) {
        const auto types = EntryTypes(kind);
        ASSERT_EQ(types.size(), count);
        std::set<std::string_view> names;
        unsigned withClass = 0;
        for (std::uint32_t value = 0; value < types.size(); ++value) {
            const EntryType& type = types[value];
            SCOPED_TRACE(std::string(type.name));
            EXPECT_EQ(type.kind, kind);
            EXPECT_EQ(type.value, value);
            EXPECT_TRUE(names.insert(type.name).second);
            EXPECT_EQ(FindEntryType(kind, type.name), &type);
            EXPECT_EQ(FindEntryTypeByEntry(kind, type.entry), &type);
            EXPECT_EQ(FindClassType(kind, value), type.hasClass ? &type : nullptr);
            // A type without a class says so in its list entry.
            EXPECT_EQ(type.entry.ends_with(" - unused"), !type.hasClass);
            withClass += type.hasClass;
        }
        EXPECT_EQ(withClass, classes);
    }
    EXPECT_EQ(FindEntryType(EntryKind::Command, "say"), nullptr);
    EXPECT_EQ(FindEntryType(EntryKind::Condition, std::string_view("Say")), nullptr);
}

// Keys a reader can search for, slots the record of the kind has, each once, list rows
// with their lists, and the Value slots exactly where a command keeps values.
TEST(EntryTypesTest, ParametersFitTheirRecordsKeysAndLists) {
    for (const EntryKind kind : {EntryKind::Command, EntryKind::Condition}) {
        for (const EntryType& type : EntryTypes(kind)) {
            SCOPED_TRACE(std::string(type.name));
            EXPECT_EQ(type.hasClass || type.parameters.empty(), true);
            std::set<Slot> slots;
            bool values = false;
            for (const Parameter& p : type.parameters) {
                SCOPED_TRACE(std::string(p.readKey));
                EXPECT_TRUE(!p.readKey.empty() && p.readKey.size() <= 16);
                EXPECT_TRUE(!p.writeKey.empty() && p.writeKey.size() <= 16);
                EXPECT_TRUE(HasSlot(kind, p.slot));
                EXPECT_TRUE(slots.insert(p.slot).second);
                values = values || CommandValueIndex(p.slot) >= 0;
                const bool list = p.kind == RowKind::YesNo || p.kind == RowKind::Choice;
                EXPECT_EQ(p.choices != nullptr, list);
                if (p.kind == RowKind::Choice) {
                    EXPECT_NE(p.typeTag.find(p.choices->typeTag), std::string_view::npos);
                    // Every value the list stores fits the slot.
                    for (const std::string_view name : p.choices->names)
                        EXPECT_LE(StoredChoiceText(*p.choices, name).size(), SlotCapacity(p.slot));
                }
                // The dialog shows a row for every member of a type it edits.
                EXPECT_EQ(!p.label.empty(), type.editable);
            }
            EXPECT_EQ(values, type.useValues);
        }
    }
    EXPECT_FALSE(FindEntryType(EntryKind::Command, "SwitchCase")->editable);
    for (const Parameter& p : PerkParameters())
        EXPECT_TRUE(RecordHas<InfoRequiredPerk>(p.slot));
}

TEST(EntryTypesTest, ChoiceListsAndTheirRules) {
    std::set<std::string_view> skills(SkillNames().begin(), SkillNames().end());
    EXPECT_EQ(skills.size(), 160u);
    for (int i = 0; i < EnumerationCount; ++i) {
        const ChoiceList& list = Choices(static_cast<Enumeration>(i));
        EXPECT_FALSE(list.names.empty());
        EXPECT_TRUE(list.prefix.empty() || list.prefix == std::string(list.typeTag) + "_");
    }
    const ChoiceList& actor = Choices(Enumeration::QuestActor);
    EXPECT_EQ(ShownChoiceText(actor, "gEQuestActor_Client"), "Client");
    EXPECT_EQ(ShownChoiceText(actor, "gEQuest"), "gEQuest"); // not longer than the prefix
    EXPECT_EQ(ShownChoiceText(actor, "xxxxxxxxxxxxxTarget"),
              "Target"); // the prefix is not compared
    EXPECT_EQ(StoredChoiceText(actor, "Target"), "gEQuestActor_Target");
    EXPECT_EQ(StoredChoiceText(actor, ""), "gEQuestActor_");
    // An odd stored value survives as long as the list still shows it.
    EXPECT_EQ(StoredChoiceText(actor, "_Other\"", "\"gEQuestActor_Other\""),
              "\"gEQuestActor_Other\"");
    EXPECT_EQ(StoredChoiceText(actor, "Client", "\"gEQuestActor_Other\""), "gEQuestActor_Client");
    EXPECT_EQ(StoredPerkText("Perk_Mining"), "gESkill_Perk_Mining");
    EXPECT_EQ(ShownPerkText("gESkill_Perk_Mining"), "Perk_Mining");
}
