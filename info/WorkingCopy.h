// The working copy that an info editor window changes: an all-text copy of an info and
// of its command, condition and required-perk entries, from which the records are
// rebuilt when the info is saved. Texts are 8-bit byte strings, kept byte for byte.
//
// Besides the entries, this file holds what the command, condition and perk dialogs do
// with them: the text of a slot by its name, and loading a type's parameter rows from
// an entry and storing them back by the rules of ParameterSchema.h. The entry functions
// are templates for the three kinds of entries, instantiated in WorkingCopy.cpp.
#pragma once

#include "info/EntryTypes.h"
#include "info/ParameterSchema.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct InfoCommandRef {
    std::string Command;
    std::string Version;
    std::string Entity1;
    std::string Entity2;
    std::string Entity3;
    std::string ID1;
    std::string ID2;
    std::string ID3;
    std::string LocString;
    std::string Text;
    // Text was changed in the editor and goes into its text table when the info is saved.
    bool TextPending = false;
    bool UseValues = false;
    std::array<std::string, CommandValueCount> Value; // Value0 .. Value14
    // The block text read for a command whose type has no class, or whose block its
    // template cannot write back whole, passed back to the record on saving so that the
    // block is written unchanged. Dropped when the dialog stores another name or value.
    std::string PreservedBlock;

    bool operator==(const InfoCommandRef&) const = default;
};

struct InfoConditionRef {
    std::string Condition;
    std::string Version;
    std::string Entity1;
    std::string Entity2;
    std::string ID1;
    std::string ID2;
    std::string ID3;
    std::string ID4;
    std::string LocString;
    // As for commands: the kept block text of a condition type without a class.
    std::string PreservedBlock;

    bool operator==(const InfoConditionRef&) const = default;
};

struct InfoRequiredPerkRef {
    std::string Perk;
    std::string Value;
    std::string InvertTest;
    // The kept text of a perk that its template cannot write back whole.
    std::string PreservedBlock = {};

    bool operator==(const InfoRequiredPerkRef&) const = default;
};

// The info's own members, without its lists.
struct InfoMembers {
    std::string Name;
    std::string MainSortID;
    std::string SortID;
    std::string Owner;
    std::string Partner;
    std::string InfoGiven;
    std::string LastExecutionTimestamp;
    std::string Parent;
    std::string Quest;
    std::string ConditionType;
    std::string InfoType;
    std::string GameModeType;
    std::string GoldCost;
    std::string GoldCostScript;
    std::string GoldCostItem;
    std::string DialogPartnerAutoPositioningEnabled;
    std::string ClearChildren;
    std::string Permanent;
    std::string CurrentInfoCommandIndex;
    std::string InfoIsRunnig;
    std::string StartChapter;
    std::string EndChapter;
    std::string CommentGivenCmdIndex;
    std::string SmalltalkPartner;
    std::string SmalltalkGivenCmdIndex;
    std::string SmalltalkRewind;
    std::string SmalltalkInnerRange;
    std::string SmalltalkInnerRangeTestWithLOS;
    std::string SmalltalkOuterRange;
    std::string SmalltalkExitRoutineName;
    std::string SmalltalkPartnerExitRoutineName;

    bool operator==(const InfoMembers&) const = default;
};

struct InfoRef : InfoMembers {
    std::vector<InfoRequiredPerkRef> RequiredPerks;
    std::vector<InfoCommandRef> InfoCommands;
    std::vector<InfoConditionRef> InfoConditions;

    bool operator==(const InfoRef&) const = default;
};

// ---------------------------------------------------------------------------------
// Slots by name. An entry has only some of the slots (see info/Slots.h); for any other
// slot the pointer is null and GetSlot gives an empty text. Entry: InfoCommandRef,
// InfoConditionRef or InfoRequiredPerkRef.

template <typename Entry> std::string* SlotText(Entry& entry, Slot slot) {
    return VisitSlot(
        entry, slot, [](std::string& text) { return &text; }, static_cast<std::string*>(nullptr));
}
template <typename Entry> const std::string* SlotText(const Entry& entry, Slot slot) {
    return VisitSlot(
        entry, slot, [](const std::string& text) { return &text; },
        static_cast<const std::string*>(nullptr));
}
template <typename Entry> std::string GetSlot(const Entry& entry, Slot slot) {
    const std::string* text = SlotText(entry, slot);
    return text ? *text : std::string();
}

// ---------------------------------------------------------------------------------
// Row values: what one parameter row of a dialog holds.

struct RowValue {
    // Text rows: the box's text. List rows: the text the list shows, which is a chosen
    // name, or a stored value that is none of the names shown as it is, or empty when
    // nothing is chosen.
    std::string text;
    // The slot's text as it was loaded from the entry; absent for a row set up afresh
    // (a new entry, or after the user chose another type). A list row that still shows
    // what it showed for an unmatched original stores that original back unchanged.
    std::optional<std::string> original;
};

// Each row's shown text from its slot. Rows whose slot the entry lacks show nothing.
template <typename Entry>
std::vector<RowValue> LoadRowValues(std::span<const Parameter> rows, const Entry& entry);

// Stores each row's text into its slot by the store rules; other slots keep their text.
// False, with nothing changed, when the counts differ, a row's slot is not one of the
// entry's, or a list row set up afresh names no choice (LacksChoice).
template <typename Entry>
bool StoreRowValues(std::span<const Parameter> rows, std::span<const RowValue> values,
                    Entry& entry);

// ---------------------------------------------------------------------------------
// What the command and condition dialogs do on loading and saving. Entry:
// InfoCommandRef or InfoConditionRef.

// The kind of an entry and its type's name.
template <typename Entry> struct EntryRef;
template <> struct EntryRef<InfoCommandRef> {
    static constexpr EntryKind Kind = EntryKind::Command;
    static std::string& Name(InfoCommandRef& entry) { return entry.Command; }
    static const std::string& Name(const InfoCommandRef& entry) { return entry.Command; }
};
template <> struct EntryRef<InfoConditionRef> {
    static constexpr EntryKind Kind = EntryKind::Condition;
    static std::string& Name(InfoConditionRef& entry) { return entry.Condition; }
    static const std::string& Name(const InfoConditionRef& entry) { return entry.Condition; }
};

// Whether saving the info writes the entry: a type with a class writes its members,
// any other type only the block text kept for the entry, which belongs to the name it
// was read under (storing another name drops it). Any other entry would be shown in
// the grids and be missing from the file.
template <typename Entry> bool IsWritable(const Entry& entry);

// Why the dialog cannot store the entry under the type of its type list: selected is
// the type of the selected list entry (null when the typed text selects none), typeText
// the list's text as typed or chosen.
enum class TypeRefusal {
    None,
    BlankName,   // the text is empty or only white space
    NotEditable, // the type's parameters are unknown (the unused entries, SwitchCase)
    NotWritable, // the entry would not be written (IsWritable), e.g. CanTeachSkill
};
template <typename Entry>
TypeRefusal RefusalOf(const Entry& entry, const EntryType* selected, std::string_view typeText);

// The entry's rows for a type; none for no type.
template <typename Entry>
std::vector<RowValue> LoadEntryRows(const Entry& entry, const EntryType* type);

// Saving the dialog: stores the name (the selected type's short name, or typeText when
// no entry is selected) and the rows (those of the selected type, none for a typed name)
// into their slots, and sets UseValues for the command types that keep values. A kept
// block is dropped when the name or a value changes. False, with the entry unchanged,
// when RefusalOf refuses the type, or when the row count or a row does not fit.
template <typename Entry>
bool StoreEntry(Entry& entry, const EntryType* selected, std::string_view typeText,
                std::span<const RowValue> values);

// The perk dialog: its type list text (the skill) and its two rows (PerkRows()).
RowValue LoadPerkSkill(const InfoRequiredPerkRef& entry);
std::vector<RowValue> LoadPerkRows(const InfoRequiredPerkRef& entry);
// Stores "gESkill_" followed by the skill text into Perk (an unmatched stored perk that
// is still shown as loaded is kept unchanged), and the rows into Value and InvertTest.
// False, with the entry unchanged, when the skill text is empty or blank or the row
// count is not two.
bool StorePerk(InfoRequiredPerkRef& entry, const RowValue& skill, std::span<const RowValue> values);

// Whether a text is empty or only white space: the dialogs refuse such a type name.
bool IsBlankText(std::string_view text);

} // namespace VaskEdit
