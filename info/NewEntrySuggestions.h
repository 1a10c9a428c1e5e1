// What the rows of a new command or condition start with, taken from its info, so that
// a writer does not type the same names for every line: a line's Speaker and Listener,
// and the info's Quest. The dialog fills only empty rows; every row stays editable.
#pragma once

#include "info/WorkingCopy.h"

#include <map>
#include <string>

namespace VaskEdit {

// By row label ("Speaker", "Listener", "Quest"): the info's Owner speaks to its Partner,
// unless the last Say or SaySVM of the info has the Partner speaking to the Owner, when
// the new line answers it the other way round. Labels whose value would be empty are left
// out.
std::map<std::string, std::string> NewEntrySuggestions(const InfoRef& info);

} // namespace VaskEdit
