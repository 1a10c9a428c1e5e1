#include "info/WorkingCopy.h"

#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"

namespace VaskEdit {

namespace {

template <typename Entry, typename Text> Text* CommandSlotText(Entry& entry, Slot slot) {
    switch (slot) {
    case Slot::Entity1:
        return &entry.Entity1;
    case Slot::Entity2:
        return &entry.Entity2;
    case Slot::Entity3:
        return &entry.Entity3;
    case Slot::ID1:
        return &entry.ID1;
    case Slot::ID2:
        return &entry.ID2;
    case Slot::ID3:
        return &entry.ID3;
    case Slot::LocString:
        return &entry.LocString;
    default:
        break;
    }
    const int value = CommandValueIndex(slot);
    return value >= 0 ? &entry.Value[static_cast<std::size_t>(value)] : nullptr;
}

template <typename Entry, typename Text> Text* ConditionSlotText(Entry& entry, Slot slot) {
    switch (slot) {
    case Slot::Entity1:
        return &entry.Entity1;
    case Slot::Entity2:
        return &entry.Entity2;
    case Slot::ID1:
        return &entry.ID1;
    case Slot::ID2:
        return &entry.ID2;
    case Slot::ID3:
        return &entry.ID3;
    case Slot::ID4:
        return &entry.ID4;
    case Slot::LocString:
        return &entry.LocString;
    default:
        return nullptr;
    }
}

template <typename Entry, typename Text> Text* PerkSlotText(Entry& entry, Slot slot) {
    switch (slot) {
    case Slot::Value:
        return &entry.Value;
    case Slot::InvertTest:
        return &entry.InvertTest;
    default:
        return nullptr;
    }
}

template <typename Entry> std::string GetSlotOf(const Entry& entry, Slot slot) {
    const std::string* text = SlotText(entry, slot);
    return text ? *text : std::string();
}

template <typename Entry> bool SetSlotOf(Entry& entry, Slot slot, std::string_view text) {
    std::string* target = SlotText(entry, slot);
    if (!target)
        return false;
    target->assign(text);
    return true;
}

template <typename Entry>
std::vector<RowValue> LoadRowsOf(std::span<const ParameterRow> rows, const Entry& entry) {
    std::vector<RowValue> values;
    values.reserve(rows.size());
    for (const ParameterRow& row : rows) {
        const std::string* stored = SlotText(entry, row.slot);
        if (!stored) {
            values.push_back(RowValue{});
            continue;
        }
        values.push_back(RowValue{ShownText(row, *stored), *stored});
    }
    return values;
}

std::string StoredRowText(const ParameterRow& row, const RowValue& value) {
    if (value.original)
        return StoredText(row, value.text, *value.original);
    return StoredText(row, value.text);
}

template <typename Entry>
bool StoreRowsOf(std::span<const ParameterRow> rows, std::span<const RowValue> values,
                 Entry& entry) {
    if (rows.size() != values.size())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!SlotText(entry, rows[i].slot))
            return false;
        // A value the user set up afresh must name a choice; one read from a file is
        // kept as it was, however odd.
        if (!values[i].original && LacksChoice(rows[i], StoredRowText(rows[i], values[i])))
            return false;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        *SlotText(entry, rows[i].slot) = StoredRowText(rows[i], values[i]);
    return true;
}

// What a save of the command or condition dialog may store. The type list's selection
// (typeIndex, -1 for a typed text that selects no entry) names the type; the entry's
// present name and kept block decide whether the info would still write it.
TypeRefusal RefusalOf(const TypeSchema* (*schemaAt)(int), bool (*hasClass)(std::string_view),
                      const std::string& name, const std::string& preservedBlock, int typeIndex,
                      std::string_view typeText) {
    if (IsBlankText(typeText))
        return TypeRefusal::BlankName;
    const TypeSchema* schema = typeIndex == -1 ? nullptr : schemaAt(typeIndex);
    if (typeIndex != -1 && (!schema || !schema->canSave))
        return TypeRefusal::NotEditable;
    const std::string_view newName = schema ? schema->name : typeText;
    const bool keepsBlock = newName == name && !preservedBlock.empty();
    return hasClass(newName) || keepsBlock ? TypeRefusal::None : TypeRefusal::NotWritable;
}

// The rows a save stores: as many as the type has, none for a typed name.
bool RowsFit(const TypeSchema* schema, std::span<const RowValue> values) {
    return schema ? schema->rows.size() == values.size() : values.empty();
}

bool CommandHasClass(std::string_view name) {
    return FindCommandType(TesselEngine::Char32(name)) != nullptr;
}

bool ConditionHasClass(std::string_view name) {
    return FindConditionType(TesselEngine::Char32(name)) != nullptr;
}

// A kept block stands for the entry as it was read: once a save changes its name or any
// of its values, the entry is written from its fields.
template <typename Entry> void KeepBlockOnlyIfUnchanged(const Entry& before, Entry& entry) {
    if (!(entry == before))
        entry.PreservedBlock.clear();
}

template <typename Entry>
std::vector<RowValue> LoadTypeRows(const TypeSchema* schema, const Entry& entry) {
    if (!schema)
        return {};
    return LoadRowsOf(schema->rows, entry);
}

} // namespace

std::string* SlotText(InfoCommandRef& entry, Slot slot) {
    return CommandSlotText<InfoCommandRef, std::string>(entry, slot);
}
const std::string* SlotText(const InfoCommandRef& entry, Slot slot) {
    return CommandSlotText<const InfoCommandRef, const std::string>(entry, slot);
}
std::string* SlotText(InfoConditionRef& entry, Slot slot) {
    return ConditionSlotText<InfoConditionRef, std::string>(entry, slot);
}
const std::string* SlotText(const InfoConditionRef& entry, Slot slot) {
    return ConditionSlotText<const InfoConditionRef, const std::string>(entry, slot);
}
std::string* SlotText(InfoRequiredPerkRef& entry, Slot slot) {
    return PerkSlotText<InfoRequiredPerkRef, std::string>(entry, slot);
}
const std::string* SlotText(const InfoRequiredPerkRef& entry, Slot slot) {
    return PerkSlotText<const InfoRequiredPerkRef, const std::string>(entry, slot);
}

std::string GetSlot(const InfoCommandRef& entry, Slot slot) {
    return GetSlotOf(entry, slot);
}
std::string GetSlot(const InfoConditionRef& entry, Slot slot) {
    return GetSlotOf(entry, slot);
}
std::string GetSlot(const InfoRequiredPerkRef& entry, Slot slot) {
    return GetSlotOf(entry, slot);
}

bool SetSlot(InfoCommandRef& entry, Slot slot, std::string_view text) {
    return SetSlotOf(entry, slot, text);
}
bool SetSlot(InfoConditionRef& entry, Slot slot, std::string_view text) {
    return SetSlotOf(entry, slot, text);
}
bool SetSlot(InfoRequiredPerkRef& entry, Slot slot, std::string_view text) {
    return SetSlotOf(entry, slot, text);
}

std::vector<RowValue> InitialRowValues(std::span<const ParameterRow> rows) {
    std::vector<RowValue> values;
    values.reserve(rows.size());
    for (const ParameterRow& row : rows)
        values.push_back(RowValue{InitialRowText(row), {}});
    return values;
}

std::vector<RowValue> LoadRowValues(std::span<const ParameterRow> rows,
                                    const InfoCommandRef& entry) {
    return LoadRowsOf(rows, entry);
}
std::vector<RowValue> LoadRowValues(std::span<const ParameterRow> rows,
                                    const InfoConditionRef& entry) {
    return LoadRowsOf(rows, entry);
}
std::vector<RowValue> LoadRowValues(std::span<const ParameterRow> rows,
                                    const InfoRequiredPerkRef& entry) {
    return LoadRowsOf(rows, entry);
}

bool StoreRowValues(std::span<const ParameterRow> rows, std::span<const RowValue> values,
                    InfoCommandRef& entry) {
    return StoreRowsOf(rows, values, entry);
}
bool StoreRowValues(std::span<const ParameterRow> rows, std::span<const RowValue> values,
                    InfoConditionRef& entry) {
    return StoreRowsOf(rows, values, entry);
}
bool StoreRowValues(std::span<const ParameterRow> rows, std::span<const RowValue> values,
                    InfoRequiredPerkRef& entry) {
    return StoreRowsOf(rows, values, entry);
}

std::vector<RowValue> LoadCommandRows(const InfoCommandRef& entry, int typeIndex) {
    return LoadTypeRows(CommandSchema(typeIndex), entry);
}

bool IsWritable(const InfoCommandRef& entry) {
    return CommandHasClass(entry.Command) || !entry.PreservedBlock.empty();
}

bool IsWritable(const InfoConditionRef& entry) {
    return ConditionHasClass(entry.Condition) || !entry.PreservedBlock.empty();
}

TypeRefusal CommandTypeRefusal(const InfoCommandRef& entry, int typeIndex,
                               std::string_view typeText) {
    return RefusalOf(&CommandSchema, &CommandHasClass, entry.Command, entry.PreservedBlock,
                     typeIndex, typeText);
}

TypeRefusal ConditionTypeRefusal(const InfoConditionRef& entry, int typeIndex,
                                 std::string_view typeText) {
    return RefusalOf(&ConditionSchema, &ConditionHasClass, entry.Condition, entry.PreservedBlock,
                     typeIndex, typeText);
}

bool StoreCommand(InfoCommandRef& entry, int typeIndex, std::string_view typeText,
                  std::span<const RowValue> values) {
    if (CommandTypeRefusal(entry, typeIndex, typeText) != TypeRefusal::None)
        return false;
    const TypeSchema* schema = typeIndex == -1 ? nullptr : CommandSchema(typeIndex);
    if (!RowsFit(schema, values))
        return false;
    const InfoCommandRef before = entry;
    if (schema) {
        if (!StoreRowsOf(schema->rows, values, entry))
            return false;
        if (schema->usesValues)
            entry.UseValues = true;
    }
    entry.Command.assign(schema ? schema->name : typeText);
    KeepBlockOnlyIfUnchanged(before, entry);
    return true;
}

std::vector<RowValue> LoadConditionRows(const InfoConditionRef& entry, int typeIndex) {
    return LoadTypeRows(ConditionSchema(typeIndex), entry);
}

bool StoreCondition(InfoConditionRef& entry, int typeIndex, std::string_view typeText,
                    std::span<const RowValue> values) {
    if (ConditionTypeRefusal(entry, typeIndex, typeText) != TypeRefusal::None)
        return false;
    const TypeSchema* schema = typeIndex == -1 ? nullptr : ConditionSchema(typeIndex);
    if (!RowsFit(schema, values))
        return false;
    const InfoConditionRef before = entry;
    if (schema && !StoreRowsOf(schema->rows, values, entry))
        return false;
    entry.Condition.assign(schema ? schema->name : typeText);
    KeepBlockOnlyIfUnchanged(before, entry);
    return true;
}

RowValue LoadPerkSkill(const InfoRequiredPerkRef& entry) {
    return RowValue{ShownPerkText(entry.Perk), entry.Perk};
}

std::vector<RowValue> LoadPerkRows(const InfoRequiredPerkRef& entry) {
    return LoadRowsOf(PerkRows(), entry);
}

bool StorePerk(InfoRequiredPerkRef& entry, const RowValue& skill,
               std::span<const RowValue> values) {
    if (IsBlankText(skill.text) || values.size() != PerkRows().size())
        return false;
    const InfoRequiredPerkRef before = entry;
    if (!StoreRowsOf(PerkRows(), values, entry))
        return false;
    entry.Perk =
        skill.original ? StoredPerkText(skill.text, *skill.original) : StoredPerkText(skill.text);
    KeepBlockOnlyIfUnchanged(before, entry);
    return true;
}

bool IsBlankText(std::string_view text) {
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f')
            return false;
    }
    return true;
}

} // namespace VaskEdit
