// The text slots of the list entries, one set for all of them: a command has Entity1 to
// Entity3, ID1 to ID3, LocString, Text and Value0 to Value14; a condition Entity1,
// Entity2, ID1 to ID4 and LocString; a required perk Perk, Value and InvertTest. The
// records and their working copies name their members after the slots, so that one
// mapping serves them all.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace VaskEdit {

enum class Slot : std::uint8_t {
    Entity1,
    Entity2,
    Entity3,
    ID1,
    ID2,
    ID3,
    ID4,
    LocString,
    Text,
    Value0,
    Value1,
    Value2,
    Value3,
    Value4,
    Value5,
    Value6,
    Value7,
    Value8,
    Value9,
    Value10,
    Value11,
    Value12,
    Value13,
    Value14,
    Perk,      // required perk: the skill
    Value,     // required perk: the required value
    InvertTest // required perk: "True" or "False"
};

inline constexpr int CommandValueCount = 15;

// Value0 + index for index 0..14.
constexpr Slot CommandValueSlot(int index) {
    return static_cast<Slot>(static_cast<int>(Slot::Value0) + index);
}
// 0..14 for Value0..Value14, -1 for every other slot.
constexpr int CommandValueIndex(Slot slot) {
    const int index = static_cast<int>(slot) - static_cast<int>(Slot::Value0);
    return index >= 0 && index < CommandValueCount ? index : -1;
}

// The slot's member name, e.g. "ID1", "Value12", "InvertTest".
std::string_view SlotName(Slot slot);
// How many characters the records keep in the slot (the record setters cut longer
// texts, and an 8-character member ignores a longer text altogether).
std::size_t SlotCapacity(Slot slot);

namespace Detail {
template <typename T> constexpr bool IsValueArray = false;
template <typename T, std::size_t N> constexpr bool IsValueArray<std::array<T, N>> = true;
} // namespace Detail

// Calls visit with the record's member for the slot and gives its result; gives the
// fallback when the record has no member for the slot. Works for the records and their
// working copies alike: commands, conditions and required perks.
template <typename Record, typename Visit, typename Result>
Result VisitSlot(Record& record, Slot slot, Visit&& visit, Result fallback) {
#define VASK_SLOT_CASE(name)                                                                       \
    case Slot::name:                                                                               \
        if constexpr (requires { record.name; })                                                   \
            return visit(record.name);                                                             \
        else                                                                                       \
            return fallback;
    switch (slot) {
        VASK_SLOT_CASE(Entity1)
        VASK_SLOT_CASE(Entity2)
        VASK_SLOT_CASE(Entity3)
        VASK_SLOT_CASE(ID1)
        VASK_SLOT_CASE(ID2)
        VASK_SLOT_CASE(ID3)
        VASK_SLOT_CASE(ID4)
        VASK_SLOT_CASE(LocString)
        VASK_SLOT_CASE(Text)
        VASK_SLOT_CASE(Perk)
        VASK_SLOT_CASE(InvertTest)
    case Slot::Value:
        if constexpr (requires { record.Value; }) {
            if constexpr (!Detail::IsValueArray<std::remove_cvref_t<decltype(record.Value)>>)
                return visit(record.Value);
        }
        return fallback;
    default:
        // Value0..Value14: a command's array of values.
        if constexpr (requires { record.Value; }) {
            if constexpr (Detail::IsValueArray<std::remove_cvref_t<decltype(record.Value)>>)
                return visit(record.Value[static_cast<std::size_t>(CommandValueIndex(slot))]);
        }
        return fallback;
    }
#undef VASK_SLOT_CASE
}

} // namespace VaskEdit
