// Quoted values as the game writes them ("Name", "Owner", ...), read whole.
#pragma once

#include "engine/Stream.h"

#include <string>

namespace TesselEngine::IO {

// Reads the value that opens with the next double quote behind the position, or with
// the text's first byte when reading starts there. The value is taken whole and then
// loses its quotes, so that they take no room from a value of the full 48 characters;
// it ends at its first blank, line end, "/" or ";". False, with an empty value, when no
// quote follows.
bool ReadQuotedValue(Stream& text, std::string& value);

} // namespace TesselEngine::IO
