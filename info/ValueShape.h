// Values the game cannot read: a member written with nothing between its "=" and its
// ";", or with an enumeration's prefix alone ("gEInfoType_"). No save may write one.
#pragma once

#include <cstddef>
#include <string_view>

namespace VaskEdit {

// Whether a value as it stands in the file (without its ";") is empty or an
// enumeration's prefix alone. A quoted value is text and always readable.
bool IsUnreadableValue(std::string_view value);

// The first line (from 1) of the text that holds an unreadable value; 0 when none does.
// Lines may end with LF, CR LF or CR alone.
std::size_t FindUnreadableValue(std::string_view text);

} // namespace VaskEdit
