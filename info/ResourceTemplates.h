// The 56 resource templates that every record is written from, loaded from
// "Resources/" at start-up and released at shutdown.
#pragma once

#include "engine/FixedText.h"

#include <string>
#include <vector>

namespace VaskEdit {

// The template files relative to the current directory, in load order: the 39
// command templates, the 15 condition templates, the perk and the info template.
std::vector<std::string> ResourceTemplatePaths();

// Loads every template in order and stops at the first that fails (those behind it
// stay empty). True when all 56 loaded.
bool LoadResourceTemplates();

// Releases every template.
void ReleaseResourceTemplates();

} // namespace VaskEdit
