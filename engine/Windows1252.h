// The game's texts are 8-bit Windows-1252; terminals, scripts and translators' files
// are UTF-8. Conversions both ways, the second refusing what Windows-1252 lacks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace TesselEngine {

std::string Windows1252ToUtf8(std::string_view bytes);

// None for text that is not UTF-8 or has a character Windows-1252 lacks.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

} // namespace TesselEngine
