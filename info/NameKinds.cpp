#include "info/NameKinds.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace VaskEdit {

namespace {
constexpr std::array<std::string_view, 11> PersonLabels = {
    "Speaker", "Listener", "NPC",    "SecondaryNPC", "Self",   "Other",
    "Actor",   "Target",   "Entity", "Entity1",      "Entity2"};
constexpr std::array<std::string_view, 3> InfoLabels = {"Info", "PlayerKnows", "PlayerNotKnows"};

bool Among(std::string_view label, const auto& labels) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}
} // namespace

NameKind NameKindOf(const Parameter& row) {
    if (row.kind != RowKind::Text)
        return NameKind::None;
    if (row.typeTag == "[ gCQuestProxy ]")
        return NameKind::Quest;
    if (Among(row.label, InfoLabels))
        return NameKind::Info;
    if (row.typeTag == "[ eCEntityStringProxy ]" || Among(row.label, PersonLabels))
        return NameKind::Person;
    return NameKind::None;
}

} // namespace VaskEdit
