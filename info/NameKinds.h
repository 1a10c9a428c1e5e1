// Which parameter rows and info members name something the workspace knows of: an
// info, a quest, a person or an entity template. Their boxes offer the known names as
// the writer types.
#pragma once

#include "info/ParameterSchema.h"

namespace VaskEdit {

enum class NameKind { None, Info, Quest, Person, Template };

// What a row of a command or condition names, by its type tag and label.
NameKind NameKindOf(const Parameter& row);

} // namespace VaskEdit
