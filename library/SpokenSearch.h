// Finding infos by what their commands show: the display texts of their Say, SaySVM,
// Description and AddLogText, looked up in the text tables.
#pragma once

#include "library/ReferenceIndex.h"

#include <string_view>
#include <vector>

namespace VaskEdit {

// Whether one of the info's display texts holds the text; A-Z match a-z.
bool ShowsText(const InfoOutline& info, std::string_view text);

// The infos that show the text, in the order given.
std::vector<InfoOutline> InfosShowing(const std::vector<InfoOutline>& infos, std::string_view text);

} // namespace VaskEdit
