// The fields of the perk, command and condition records as texts, named as `show` names
// them ("Entity1", "Values[3]"): read when infos are compared, written when they are
// merged, from one list.
#pragma once

#include "info/InfoCommand.h"
#include "info/InfoCondition.h"

#include <functional>
#include <string>
#include <vector>

namespace VaskEdit {

template <typename Entry> struct EntryField {
    std::string name;
    std::function<std::string(const Entry&)> get;
    std::function<void(Entry&, const std::string&)> set;
};

// Every field after the entry's type, in `show`'s order. A command's display text
// ("Text", which `show` gives after "LocString") is not among them: it lives in the
// text tables, not in the info.
const std::vector<EntryField<InfoCommand>>& CommandFields();
const std::vector<EntryField<InfoCondition>>& ConditionFields();
const std::vector<EntryField<InfoRequiredPerk>>& PerkFields();

} // namespace VaskEdit
