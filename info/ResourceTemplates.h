// The 56 resource templates that every record is written from, loaded from
// "Resources/" at start-up and released at shutdown.
#pragma once

#include "engine/FixedText.h"

#include <string>
#include <vector>

namespace VaskEdit {

// The directory that holds "Resources/": empty for the current directory, or a path
// ending with "/" (such as the program's own directory).
void SetResourceRoot(const std::string& directory);
// Where "Resources/" is: the current directory when it holds one, otherwise the
// directory of the given program file, otherwise the share folder of the prefix the
// program is installed in (returned ending with "/"); the current directory when none
// has it.
std::string FindResourceRoot(const std::string& programPath);

// Loads every template in order and stops at the first that fails (those behind it
// stay empty). True when all 56 loaded.
bool LoadResourceTemplates();

// Releases every template.
void ReleaseResourceTemplates();

} // namespace VaskEdit
