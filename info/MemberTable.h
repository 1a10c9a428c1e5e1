// The info's own members described once: where each stands in the file and by which
// key it is found, whether the reader removes its quotes, how much its record member
// holds, what a new record holds, and how the info editor shows it. The reader, the
// writer, the working copy, the command line's JSON and the editor's fields all walk
// this table.
#pragma once

#include "info/Choices.h"
#include "info/VaskInfo.h"
#include "info/WorkingCopy.h"

#include <span>
#include <string_view>
#include <variant>

namespace VaskEdit {

// Where a member stands: the name first, then the members before the perk list, then
// those between the perk list and the command list.
enum class MemberGroup : std::uint8_t { Name, Head, Tail };

// How the info editor shows a member; None: it has no field there.
enum class FieldKind : std::uint8_t { None, Text, Number, Guid, Choice, Check };

using MemberText =
    std::variant<Char8 VaskInfo::*, Char16 VaskInfo::*, Char32 VaskInfo::*, Char48 VaskInfo::*>;

struct InfoMember {
    std::string_view name; // the member's name, as the command line's JSON gives it
    MemberGroup group;
    std::string_view readKey;
    std::string_view writeKey;
    bool unquote;                   // the reader removes the value's double quotes
    MemberText record;              // the record's member; its capacity is its type's
    std::string InfoMembers::*copy; // the working copy's member
    std::string_view initial;       // what a new record holds
    std::string_view label;         // the editor's caption
    FieldKind field;
    std::string_view fresh;    // what the editor shows for a new info
    const ChoiceList* choices; // the choices of a choice field
};

std::span<const InfoMember> InfoMemberTable();

// How many characters the member's record member holds.
std::size_t Capacity(const InfoMember& member);
// The member's text in the record.
std::string_view TextOf(const VaskInfo& info, const InfoMember& member);
// Stores text into the record's member as its setter does (cut to the capacity; an
// 8-character member keeps its text when the new one is longer).
void SetText(VaskInfo& info, const InfoMember& member, std::string_view text);

} // namespace VaskEdit
