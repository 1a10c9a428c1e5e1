// The game's text tables ("infosa.csv", "infodescsa.csv", "questdescsa.csv"). A line
// is: identifier | any text | display text | ... Each table is read once, indexed by
// identifier, and read again only when its file changes.
#pragma once

#include <string>
#include <string_view>

namespace VaskEdit::TextTables {

// The display text of the line whose first field is exactly the identifier; empty
// when there is none. A missing table file is created empty.
std::string LookUp(const char* fileName, std::string_view identifier);

// True when the table holds a line for the identifier.
bool Contains(const char* fileName, std::string_view identifier);

// Forgets every loaded table.
void Clear();

} // namespace VaskEdit::TextTables
