// The game's text tables ("infosa.csv", "infodescsa.csv", "questdescsa.csv"). A line
// is: identifier | any text | display text | ... Each table is read once, indexed by
// identifier, and read again only when its file changes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit::TextTables {

// The display text of the first line whose first field is exactly the identifier;
// empty when there is none or that line has no display field. A missing table file is
// created empty.
std::string LookUp(const char* fileName, std::string_view identifier);

// True when the table holds a line for the identifier that has a display field.
bool Contains(const char* fileName, std::string_view identifier);

// While one lives, lookups on its thread give empty texts and read or create no table:
// for reading an info only to see what saving it would write, which holds no display
// text.
class LookUpsOff {
public:
    LookUpsOff();
    ~LookUpsOff();
    LookUpsOff(const LookUpsOff&) = delete;
    LookUpsOff& operator=(const LookUpsOff&) = delete;

private:
    bool before;
};

// Forgets every loaded table.
void Clear();
// Forgets one table, so that the next lookup reads it again (after the program wrote it).
void Forget(const char* fileName);

// The 1-based numbers of the lines that hold text but name no identifier: no first
// field, or no bar behind it with anything after. The reader passes them over.
std::vector<std::size_t> UnsplittableLines(const char* fileName);
// The 1-based number of the identifier's first line when it is such a line (it names
// the identifier but has no display field); 0 otherwise.
std::size_t UnsplittableLineOf(const char* fileName, std::string_view identifier);

} // namespace VaskEdit::TextTables
