#include "info/WorkingCopyEdit.h"

namespace VaskEdit {

WorkingCopyPart TakeMembers(const InfoRef& copy) {
    return static_cast<const InfoMembers&>(copy);
}

WorkingCopyPart TakeList(const InfoRef& copy, EntryList list) {
    switch (list) {
    case EntryList::Commands:
        return copy.InfoCommands;
    case EntryList::Conditions:
        return copy.InfoConditions;
    case EntryList::Perks:
        break;
    }
    return copy.RequiredPerks;
}

void PutPart(InfoRef& copy, const WorkingCopyPart& part) {
    if (const auto* members = std::get_if<InfoMembers>(&part)) {
        static_cast<InfoMembers&>(copy) = *members;
    } else if (const auto* commands = std::get_if<std::vector<InfoCommandRef>>(&part)) {
        copy.InfoCommands = *commands;
    } else if (const auto* conditions = std::get_if<std::vector<InfoConditionRef>>(&part)) {
        copy.InfoConditions = *conditions;
    } else {
        copy.RequiredPerks = std::get<std::vector<InfoRequiredPerkRef>>(part);
    }
}

bool PartIsList(const WorkingCopyPart& part, EntryList* list) {
    static constexpr EntryList lists[] = {EntryList::Commands, EntryList::Commands,
                                          EntryList::Conditions, EntryList::Perks};
    if (part.index() == 0)
        return false;
    *list = lists[part.index()];
    return true;
}

} // namespace VaskEdit
