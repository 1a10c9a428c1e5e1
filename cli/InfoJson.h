// An info as one JSON object, for `vaskedit-cli show`.
#pragma once

#include "info/SaveCheck.h"
#include "info/VaskInfo.h"

#include <string>

namespace VaskCli {

// The members in record order, then "RequiredPerks", "InfoCommands", "InfoConditions".
// Each byte of a text becomes the Unicode character of the same number. Then
// "lossless": whether the values shown are all the file holds (saving would keep every
// text of it; null when that could not be compared), and when not, "changes": what
// saving would change, as resave says it.
std::string InfoToJson(const VaskEdit::VaskInfo& info, const VaskEdit::SaveComparison* saving);

// The same as one "place: value" line each, in the same order, places named as the JSON
// nests them ("Owner", "InfoCommands[2].Entity1", "InfoCommands[2].Values[3]"): a form
// that line-based tools (diff, git's textconv) compare place by place.
std::string InfoToPlaceLines(const std::string& json);

} // namespace VaskCli
