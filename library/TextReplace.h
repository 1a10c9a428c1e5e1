// Replacing a word or phrase in the display texts of the text tables: the lines whose
// text it changes, as a text import that ApplyTextImport writes (journal, backups, all
// or nothing). Texts are bytes in Windows-1252.
#pragma once

#include "library/TextExchange.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct ReplaceRule {
    std::string find; // not empty
    std::string replacement;
    bool wholeWord = false; // no letter, digit or "_" right before or after
    bool matchCase = false; // otherwise the letters of Windows-1252 match either case
};

// Where the rule finds its text in text: the offsets of the matches, left to right, none
// overlapping.
std::vector<std::size_t> MatchesIn(std::string_view text, const ReplaceRule& rule);

// The text with every match replaced.
std::string Replaced(std::string_view text, const ReplaceRule& rule);

// Why the rule cannot be used ("|" or a line break in the replacement, an empty text to
// find), or nothing.
std::string ReplaceRefusal(const ReplaceRule& rule);

// Calls found with the id and the display text of each id's first line in a table's
// bytes (as the reader takes it) whose display text the rule finds its text in; both
// last as long as the call. Lines are in the table's order.
void ForEachTextMatching(std::string_view table, const ReplaceRule& rule,
                         const std::function<void(std::string_view, std::string_view)>& found);

// The changes of every display text in the tables of the current directory that the
// rule changes (each id's first line, as the reader takes it), by table and line, with
// the tables as read, for ApplyTextImport. Nothing is written.
TextImport PlanTextReplace(const ReplaceRule& rule);

} // namespace VaskEdit
