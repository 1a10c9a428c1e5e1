#include "info/WorkingCopy.h"

namespace VaskEdit {

namespace {
std::string StoredRowText(const Parameter& row, const RowValue& value) {
    if (value.original)
        return StoredText(row, value.text, *value.original);
    return StoredText(row, value.text);
}

// A kept block stands for the entry as it was read: once a save changes its name or any
// of its values, the entry is written from its fields.
template <typename Entry> void KeepBlockOnlyIfUnchanged(const Entry& before, Entry& entry) {
    if (!(entry == before))
        entry.PreservedBlock.clear();
}
} // namespace

template <typename Entry>
std::vector<RowValue> LoadRowValues(std::span<const Parameter> rows, const Entry& entry) {
    std::vector<RowValue> values;
    values.reserve(rows.size());
    for (const Parameter& row : rows) {
        const std::string* stored = SlotText(entry, row.slot);
        values.push_back(stored ? RowValue{ShownText(row, *stored), *stored} : RowValue{});
    }
    return values;
}

template <typename Entry>
bool StoreRowValues(std::span<const Parameter> rows, std::span<const RowValue> values,
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

template <typename Entry> bool IsWritable(const Entry& entry) {
    return FindClassType(EntryRef<Entry>::Kind, std::string_view(EntryRef<Entry>::Name(entry))) ||
           !entry.PreservedBlock.empty();
}

template <typename Entry>
TypeRefusal RefusalOf(const Entry& entry, const EntryType* selected, std::string_view typeText) {
    if (IsBlankText(typeText))
        return TypeRefusal::BlankName;
    if (selected && !selected->editable)
        return TypeRefusal::NotEditable;
    const std::string_view newName = selected ? selected->name : typeText;
    const bool keepsBlock =
        newName == EntryRef<Entry>::Name(entry) && !entry.PreservedBlock.empty();
    return FindClassType(EntryRef<Entry>::Kind, newName) || keepsBlock ? TypeRefusal::None
                                                                       : TypeRefusal::NotWritable;
}

template <typename Entry>
std::vector<RowValue> LoadEntryRows(const Entry& entry, const EntryType* type) {
    return type ? LoadRowValues(type->Rows(), entry) : std::vector<RowValue>();
}

template <typename Entry>
bool StoreEntry(Entry& entry, const EntryType* selected, std::string_view typeText,
                std::span<const RowValue> values) {
    if (RefusalOf(entry, selected, typeText) != TypeRefusal::None)
        return false;
    const std::span<const Parameter> rows =
        selected ? selected->Rows() : std::span<const Parameter>();
    if (rows.size() != values.size())
        return false;
    const Entry before = entry;
    if (!StoreRowValues(rows, values, entry))
        return false;
    if constexpr (std::is_same_v<Entry, InfoCommandRef>) {
        if (selected && selected->useValues)
            entry.UseValues = true;
    }
    EntryRef<Entry>::Name(entry).assign(selected ? selected->name : typeText);
    KeepBlockOnlyIfUnchanged(before, entry);
    return true;
}

RowValue LoadPerkSkill(const InfoRequiredPerkRef& entry) {
    return RowValue{ShownPerkText(entry.Perk), entry.Perk};
}

std::vector<RowValue> LoadPerkRows(const InfoRequiredPerkRef& entry) {
    return LoadRowValues(PerkRows(), entry);
}

bool StorePerk(InfoRequiredPerkRef& entry, const RowValue& skill,
               std::span<const RowValue> values) {
    if (IsBlankText(skill.text) || values.size() != PerkRows().size())
        return false;
    const InfoRequiredPerkRef before = entry;
    if (!StoreRowValues(PerkRows(), values, entry))
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

// The three kinds of entries.
#define VASK_ENTRY_FUNCTIONS(Entry)                                                                \
    template std::vector<RowValue> LoadRowValues(std::span<const Parameter>, const Entry&);        \
    template bool StoreRowValues(std::span<const Parameter>, std::span<const RowValue>, Entry&);
VASK_ENTRY_FUNCTIONS(InfoCommandRef)
VASK_ENTRY_FUNCTIONS(InfoConditionRef)
VASK_ENTRY_FUNCTIONS(InfoRequiredPerkRef)
#undef VASK_ENTRY_FUNCTIONS

#define VASK_DIALOG_FUNCTIONS(Entry)                                                               \
    template bool IsWritable(const Entry&);                                                        \
    template TypeRefusal RefusalOf(const Entry&, const EntryType*, std::string_view);              \
    template std::vector<RowValue> LoadEntryRows(const Entry&, const EntryType*);                  \
    template bool StoreEntry(Entry&, const EntryType*, std::string_view, std::span<const RowValue>);
VASK_DIALOG_FUNCTIONS(InfoCommandRef)
VASK_DIALOG_FUNCTIONS(InfoConditionRef)
#undef VASK_DIALOG_FUNCTIONS

} // namespace VaskEdit
