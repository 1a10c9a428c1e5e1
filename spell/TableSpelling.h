// The words of the text tables' display texts that the checker does not know.
#pragma once

#include "spell/Spelling.h"

#include <string>
#include <vector>

namespace VaskEdit::Spelling {

struct UnknownWord {
    std::string table;
    std::string id;
    std::string word; // UTF-8
};

// The tables checked, in this order.
inline constexpr const char* CheckedTables[] = {"infosa.csv", "infodescsa.csv", "questdescsa.csv"};

// Every unknown word of each id's display text (the line the game reads for it), each
// word once per id, in the tables' order. A missing table has no words; false, with the
// reason in LastFailure, when a table cannot be read.
bool UnknownWordsInTables(Checker& checker, std::vector<UnknownWord>& found);

} // namespace VaskEdit::Spelling
