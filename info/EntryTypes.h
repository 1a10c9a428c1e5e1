// The catalogue of command and condition types: each of the game's 60 command types and
// 16 condition types described once, with the members its block holds (their keys in
// the file, slots and quote handling), the dialog row of each, its text table and
// whether the program has a class for it. The readers, the writers, the dialogs and the
// checks all walk these tables.
#pragma once

#include "engine/Stream.h"
#include "info/ParameterSchema.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace VaskEdit {

enum class EntryKind : std::uint8_t { Command, Condition };

struct EntryType {
    EntryKind kind;
    std::uint32_t value;                   // the game's enumeration value: the type's position
    std::string_view name;                 // the short name, e.g. "Say"
    std::string_view entry;                // the type list's text, e.g. "EndGame - unused"
    std::string_view description;          // the line the dialog shows above the rows
    std::span<const Parameter> parameters; // in the order the block holds them
    std::string_view textTable;            // where LocString is looked up after reading, or empty
    bool hasClass;                         // read and written by the program (a resource template)
    bool editable;                         // the dialog shows the rows and may store an entry
    bool useValues;                        // keeps parameters in the Value slots

    // The parameters that the dialog shows as rows.
    std::span<const Parameter> Rows() const {
        return editable ? parameters : std::span<const Parameter>();
    }
};

// "gCInfoCommand" or "gCInfoCondition".
std::string_view ClassPrefix(EntryKind kind);
// The prefix followed by the short name: the block's class and the template's file name.
std::string ClassName(const EntryType& type);

// All types of a kind, by value.
std::span<const EntryType> EntryTypes(EntryKind kind);
// The type of a value, or null out of range.
const EntryType* FindEntryType(EntryKind kind, std::uint32_t value);
// The type of a short name (exact, case-sensitive), or null.
const EntryType* FindEntryType(EntryKind kind, std::string_view shortName);
// The type whose list text is entryText, or null.
const EntryType* FindEntryTypeByEntry(EntryKind kind, std::string_view entryText);
// The type of that name when the program has a class for it, or null.
const EntryType* FindClassType(EntryKind kind, std::string_view shortName);
const EntryType* FindClassType(EntryKind kind, std::uint32_t value);

// The type's resource template, loaded at start-up and never changed afterwards: every
// writer fills it from a cursor of its own. Empty for a type without a class.
const TesselEngine::IO::Stream& Template(const EntryType& type);
// The template's storage, for loading and releasing it.
TesselEngine::IO::Stream& TemplateStorage(const EntryType& type);

// The members of a required perk: its skill (shown as the perk dialog's type list, not
// as a row), its value and its invert flag.
std::span<const Parameter> PerkParameters();
// The two rows of the required-perk dialog.
std::span<const Parameter> PerkRows();

} // namespace VaskEdit
