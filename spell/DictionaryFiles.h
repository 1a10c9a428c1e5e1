// Where the installed dictionaries lie: a pair of files NAME.aff and NAME.dic in one of
// the dictionary folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace VaskEdit::Spelling {

struct DictionaryPaths {
    std::string affix;
    std::string words;
};

// The folders searched, in order: $VASKEDIT_DICTIONARIES when set, then the system's.
std::vector<std::string> DictionaryFolders();
// The files of the named dictionary; none when it is not installed or the name is not a
// plain name.
std::optional<DictionaryPaths> FindDictionary(const std::string& name);

} // namespace VaskEdit::Spelling
