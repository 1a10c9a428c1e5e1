// Property text as a sequence of tokens, for telling a change of layout (blanks, line
// breaks, added members) from a change of content (a value cut, a line dropped).
#pragma once

#include <string_view>

namespace VaskEdit {

// True when every token of original also stands in rewritten, in the same order: what
// rewritten changes is only layout or additions. Tokens are every quoted text (through
// its closing quote or its line end), every one of "{ } [ ] ; , =", and every other run
// of bytes between blanks and those.
bool KeepsEveryToken(std::string_view original, std::string_view rewritten);

} // namespace VaskEdit
