// What the info editor's grids show: the entry's type in the first column, then one
// slot a column; each cell names its parameter as the entry's dialog does, and a GUID
// that "templatecache" knows shows its template's name beside it.
#pragma once

#include "info/Slots.h"

#include <QString>
#include <optional>
#include <string>

namespace VaskEdit {

// The grids by their tab: 0 commands, 1 conditions, 2 required perks.
inline constexpr int GridCount = 3;

// The slot that a column of the tab's grid shows; none for the type column.
std::optional<Slot> GridColumnSlot(int tab, int column);
// The column that shows the slot; the type column (0) when none does.
int GridColumnOf(int tab, Slot slot);

// The cell's tool tip: the parameter of the entry's type at that column, as its dialog
// row names it ("Speaker [ bCString ]"), or for the type column the type's description.
// Empty when the type has no parameter there.
QString GridCellTip(int tab, const std::string& type, int column);

// The name of the template that has the GUID in TemplateManager's cache; empty for any
// other text.
std::string TemplateNameOf(const std::string& guid);

} // namespace VaskEdit
