#include "ui/infoeditor/GridCells.h"
#include "info/EntryTypes.h"
#include "library/TemplateManager.h"
#include "ui/common/SystemString.h"

#include <array>
#include <span>

namespace VaskEdit {

namespace {
using S = Slot;
// The columns after the type column, as the grids' headers name them.
constexpr std::array<S, 6> CommandColumns = {S::Entity1, S::Entity2,   S::ID1,
                                             S::ID2,     S::LocString, S::Text};
constexpr std::array<S, 6> ConditionColumns = {S::Entity1, S::Entity2, S::ID1,
                                               S::ID2,     S::ID3,     S::ID4};
constexpr std::array<S, 3> PerkColumns = {S::Perk, S::Value, S::InvertTest};

std::span<const S> Columns(int tab) {
    if (tab == 0)
        return CommandColumns;
    if (tab == 1)
        return ConditionColumns;
    return PerkColumns;
}

QString NameOf(const Parameter& parameter) {
    const std::string_view label =
        parameter.label.empty() ? SlotName(parameter.slot) : parameter.label;
    QString name = FromSystemString(label);
    if (!parameter.typeTag.empty())
        name += " " + FromSystemString(parameter.typeTag);
    return name;
}
} // namespace

std::optional<Slot> GridColumnSlot(int tab, int column) {
    const auto columns = Columns(tab);
    if (column < 1 || static_cast<std::size_t>(column) > columns.size())
        return std::nullopt;
    return columns[static_cast<std::size_t>(column - 1)];
}

int GridColumnOf(int tab, Slot slot) {
    const auto columns = Columns(tab);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == slot)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QString GridCellTip(int tab, const std::string& type, int column) {
    std::span<const Parameter> parameters = PerkParameters();
    if (tab != 2) {
        const EntryType* entry =
            FindEntryType(tab == 0 ? EntryKind::Command : EntryKind::Condition, type);
        if (!entry)
            return {};
        if (column == 0)
            return FromSystemString(entry->description);
        parameters = entry->parameters;
    }
    const std::optional<Slot> slot = GridColumnSlot(tab, column);
    for (const Parameter& parameter : parameters) {
        if (slot && parameter.slot == *slot)
            return NameOf(parameter);
    }
    return {};
}

std::string TemplateNameOf(const std::string& guid) {
    if (guid.size() < 2 || guid.front() != '{' || guid.back() != '}')
        return {};
    const std::int32_t found = TemplateManager::FindTemplate(nullptr, guid.c_str());
    return found < 0 ? std::string()
                     : TemplateManager::TemplateCache[static_cast<std::uint32_t>(found)].Name.Str();
}

} // namespace VaskEdit
