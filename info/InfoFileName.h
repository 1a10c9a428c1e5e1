// The one rule that names an info's file: "Infos/" + the whole name as the record
// holds it (at most 48 characters) + ".vaskinfo". The reader, the writer, the split
// and the existence test all use it, so a name always finds its own file.
#pragma once

#include "engine/FixedText.h"

#include <string_view>

namespace VaskEdit {

inline constexpr const char* InfoDirectoryName = "Infos/";
inline constexpr const char* InfoExtension = ".vaskinfo";

// A name that can be a file name: not empty, no path separators, no drive colon, no
// control bytes, not "." or "..", and no device name of Windows (CON, NUL, COM1, ...).
// Others would reach outside "Infos/" or name no file at all.
bool IsValidInfoName(std::string_view name);

// "Infos/" + name + ".vaskinfo".
TesselEngine::Char256 InfoFilePath(const TesselEngine::Char48& name);

} // namespace VaskEdit
