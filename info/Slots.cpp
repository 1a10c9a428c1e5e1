#include "info/Slots.h"

#include <iterator>

namespace VaskEdit {

namespace {
struct SlotInfo {
    std::string_view name;
    std::size_t capacity;
};

constexpr SlotInfo SlotInfos[] = {
    {"Entity1", 48}, {"Entity2", 48},   {"Entity3", 48},   {"ID1", 48},     {"ID2", 48},
    {"ID3", 48},     {"ID4", 48},       {"LocString", 48}, {"Text", 512},   {"Value0", 16},
    {"Value1", 16},  {"Value2", 16},    {"Value3", 16},    {"Value4", 16},  {"Value5", 16},
    {"Value6", 16},  {"Value7", 16},    {"Value8", 16},    {"Value9", 16},  {"Value10", 16},
    {"Value11", 16}, {"Value12", 16},   {"Value13", 16},   {"Value14", 16}, {"Perk", 48},
    {"Value", 8},    {"InvertTest", 8},
};
static_assert(std::size(SlotInfos) == static_cast<std::size_t>(Slot::InvertTest) + 1);
} // namespace

std::string_view SlotName(Slot slot) {
    return SlotInfos[static_cast<int>(slot)].name;
}

std::size_t SlotCapacity(Slot slot) {
    return SlotInfos[static_cast<int>(slot)].capacity;
}

} // namespace VaskEdit
