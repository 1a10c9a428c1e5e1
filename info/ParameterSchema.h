// What the command, condition and required-perk dialogs show of an entry's members: a
// parameter's row kind, label and choice list beside its keys in the file, and the rules
// that turn a stored slot text into the text a row shows and back. How a row looks
// (widths, colours, masks) is the windows' business.
#pragma once

#include "info/Choices.h"
#include "info/Slots.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace VaskEdit {

// ---------------------------------------------------------------------------------
// Parameters

enum class RowKind { Text, Number, Decimal, TemplateId, YesNo, Choice };

// One member of an entry's block: where it stands in the file and how its dialog row
// shows it.
struct Parameter {
    std::string_view label;   // the row's label; empty for a member the dialog has no row for
    std::string_view typeTag; // "[ type ]", for long member names followed by the full name
    RowKind kind;
    Slot slot;
    const ChoiceList* choices; // choice and yes/no rows; null for all others
    std::string_view readKey;  // the text in front of the member's "=" (at most 16 bytes)
    std::string_view writeKey; // where the template differs from the files the game writes
    bool keepQuotes;           // the reader keeps the value's double quotes

    // The member's keys; the write key is the read key unless given.
    constexpr Parameter At(std::string_view read, std::string_view write = {}) const {
        Parameter keyed = *this;
        keyed.readKey = read;
        keyed.writeKey = write.empty() ? read : write;
        return keyed;
    }
    constexpr Parameter QuotesRemoved() const {
        Parameter unquoted = *this;
        unquoted.keepQuotes = false;
        return unquoted;
    }
};

// What a freshly set-up row of the kind holds ("0" for numbers).
std::string_view InitialText(RowKind kind);

// The characters that a value of a slot of that capacity cannot hold as typed, because
// the file reader ends the value at them or drops them, so that it would come back
// cut: every value ends at a line end, a zero byte, "/" or ";" and loses its double
// quotes; a short value (up to 48 characters) also ends at a blank, while the long
// text (512) keeps blanks but loses "<" and ">". The editor's boxes refuse them.
std::string_view RefusedCharacters(std::size_t capacity);
// Whether the text holds none of the characters refused for that capacity.
bool HoldsOnlyReadableCharacters(std::size_t capacity, std::string_view text);

// ---------------------------------------------------------------------------------
// Load and store rules

// The text a list shows for a stored text: the stored text with as many leading
// characters removed as the prefix has, when the stored text is longer than the prefix.
// The removed characters are not compared with the prefix.
std::string ShownChoiceText(const ChoiceList& list, std::string_view stored);
// What a list stores for a shown text: the prefix followed by it (the prefix alone for
// an empty text).
std::string StoredChoiceText(const ChoiceList& list, std::string_view shown);
// As above, but when shown is none of the list's names and is what the list showed for
// original, original is stored unchanged: a value the list cannot offer survives as long
// as the user picks nothing else.
std::string StoredChoiceText(const ChoiceList& list, std::string_view shown,
                             std::string_view original);

// The same rules per row: list rows (choice, yes/no) follow their list, every other
// row shows and stores its text unchanged.
std::string ShownText(const Parameter& row, std::string_view stored);
std::string StoredText(const Parameter& row, std::string_view shown);
std::string StoredText(const Parameter& row, std::string_view shown, std::string_view original);
// Position of the list entry that a shown text names; -1 when it names none, or when
// the row has no list.
int ChoiceIndex(const Parameter& row, std::string_view shown);
// What a freshly set-up row holds: its kind's initial text, and for a list row its
// first name, so that a new entry never stores an empty choice.
std::string InitialRowText(const Parameter& row);
// Whether a list row's stored text names no choice at all: it is empty or only the
// list's prefix. The game cannot read such a value.
bool LacksChoice(const Parameter& row, std::string_view stored);
// Whether a stored text is the list's prefix followed by one of its names.
bool NamesChoice(const ChoiceList& list, std::string_view stored);

// Required perks: the stored perk is "gESkill_" followed by a skill name.
std::string ShownPerkText(std::string_view stored);
std::string StoredPerkText(std::string_view shown);
std::string StoredPerkText(std::string_view shown, std::string_view original);

} // namespace VaskEdit
