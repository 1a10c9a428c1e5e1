// Every value an info file holds, with its place: the info's own members (its name is
// its definition, not a value) and the slots of its required perks, commands and
// conditions. A place is named as the command line's JSON names the field:
// "Parent", "InfoCommands[2].Entity1", "InfoCommands[0].Values[3]", "RequiredPerks[1].Perk".
#pragma once

#include "info/InfoRegions.h"
#include "info/Slots.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace VaskEdit {

enum class PlaceList : std::uint8_t { Member, Perk, Command, Condition };

// The field of the first value of an entry that is read only by its "NAME = VALUE"
// pairs (a type without a class, a class name that cannot be read, braces that never
// close): the n-th pair is KeptValueField + n.
inline constexpr std::uint8_t KeptValueField = 0x80;

struct Place {
    PlaceList list = PlaceList::Member;
    std::uint16_t entry = 0; // the entry's position in its list, from 0
    std::uint8_t field = 0;  // the member's position in the member table, the Slot, or
                             // KeptValueField + n

    Slot SlotOf() const { return static_cast<Slot>(field); }
    bool IsKeptValue() const { return list != PlaceList::Member && field >= KeptValueField; }
    // In the order the JSON prints them: the members, then the perks, commands and
    // conditions, each entry's slots in the order of the slot set.
    auto operator<=>(const Place&) const = default;
};

std::string PlaceName(const Place& place);

// One value where it stands in the file.
struct ValueAt {
    Place place;
    std::string_view value;      // as ValueText gives it; lasts as long as the call
    std::string_view token;      // the value's bytes as they stand, quotes included
    std::uint32_t offset = 0;    // where the token begins in the file
    std::string_view entryClass; // the entry's class name; empty for the info's members
};

// The value without its double quotes and without ";", as the reader takes it.
std::string ValueText(std::string_view token);
// The same as a view: of the token itself when only its outer quotes go, otherwise of
// the cleaned text, which scratch then holds.
std::string_view ValueView(std::string_view token, std::string& scratch);

// Calls visit for every non-empty value of the file (with withEmpty, for every value that
// stands in it), in the order of the file's parts. Entries that no type's slots can be
// read from give their values by their "NAME = VALUE" pairs.
void ForEachValue(std::string_view text, const std::function<void(const ValueAt&)>& visit,
                  bool withEmpty = false);
// The same for a text already taken apart.
void ForEachValue(std::string_view text, const InfoRegions& regions,
                  const std::function<void(const ValueAt&)>& visit, bool withEmpty = false);

} // namespace VaskEdit
