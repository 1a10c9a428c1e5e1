// The steps in which an info editor changes its working copy, so that each can be
// undone: the part a change touched is taken before and after it, and putting a taken
// part back restores the copy exactly.
#pragma once

#include "info/WorkingCopy.h"

#include <algorithm>
#include <cstddef>
#include <variant>
#include <vector>

namespace VaskEdit {

// In the order of the info editor's tabs.
enum class EntryList { Commands, Conditions, Perks };

// The members of the info, or one of its lists.
using WorkingCopyPart =
    std::variant<InfoMembers, std::vector<InfoCommandRef>, std::vector<InfoConditionRef>,
                 std::vector<InfoRequiredPerkRef>>;

WorkingCopyPart TakeMembers(const InfoRef& copy);
WorkingCopyPart TakeList(const InfoRef& copy, EntryList list);
// Puts the part back: the members leave the lists alone, a list leaves the members.
void PutPart(InfoRef& copy, const WorkingCopyPart& part);
// Which list a part holds; nothing for the members.
bool PartIsList(const WorkingCopyPart& part, EntryList* list);

// Moves the entry at from so that it ends at index to; the others keep their order.
// False, with nothing changed, when either index is outside the list or they are equal.
template <typename Entry>
bool MoveEntry(std::vector<Entry>& list, std::size_t from, std::size_t to) {
    if (from >= list.size() || to >= list.size() || from == to)
        return false;
    Entry moving = std::move(list[from]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(from));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
    return true;
}

// Inserts the entries before index at (at the end when at is past it).
template <typename Entry>
void InsertEntries(std::vector<Entry>& list, std::size_t at, const std::vector<Entry>& entries) {
    at = std::min(at, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), entries.begin(), entries.end());
}

} // namespace VaskEdit
