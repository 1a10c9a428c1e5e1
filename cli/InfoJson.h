// An info as one JSON object, for `vaskedit-cli show`.
#pragma once

#include "info/VaskInfo.h"

#include <string>

namespace VaskCli {

// The members in record order, then "RequiredPerks", "InfoCommands", "InfoConditions".
// Each byte of a text becomes the Unicode character of the same number.
std::string InfoToJson(const VaskEdit::VaskInfo& info);

} // namespace VaskCli
