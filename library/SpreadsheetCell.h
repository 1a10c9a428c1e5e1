// Texts in a CSV cell that a spreadsheet would take for a formula ("=", "+", "-", "@")
// or a control character (TAB, CR) at their start are written behind an apostrophe,
// which a spreadsheet shows as "this is text". The same apostrophe comes off on the way
// back. A text that already starts with apostrophes before such a character gets one
// more, so every text comes back byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace VaskEdit {

// The cell's text for a text of the program.
std::string GuardCell(std::string_view text);
// The program's text for a cell that GuardCell wrote (or a person typed).
std::string UnguardCell(std::string_view cell);

} // namespace VaskEdit
