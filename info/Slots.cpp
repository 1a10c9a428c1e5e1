#include "info/Slots.h"

#include <iterator>

namespace VaskEdit {

namespace {
// In the order of Slot.
constexpr std::size_t SlotCapacities[] = {
    48,  48, 48,                                                 // Entity1..Entity3
    48,  48, 48, 48,                                             // ID1..ID4
    48,                                                          // LocString
    512,                                                         // Text
    16,  16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, // Value0..Value14
    48,  8,  8,                                                  // Perk, Value, InvertTest
};
static_assert(std::size(SlotCapacities) == static_cast<std::size_t>(Slot::InvertTest) + 1);
} // namespace

std::size_t SlotCapacity(Slot slot) {
    return SlotCapacities[static_cast<int>(slot)];
}

} // namespace VaskEdit
