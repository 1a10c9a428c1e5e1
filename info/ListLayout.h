// Where the three lists of an info file stand and where each of their entries begins
// and ends, found by the structure of the text: brackets and braces matched in pairs,
// with text inside double quotes (up to its line end) never counted. Entries are the
// top-level brace groups of a list, whatever their class name and however their lines
// are laid out; a block nested inside an entry belongs to that entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// One entry of a list: a class name, its braces and the text around them.
struct EntrySpan {
    std::uint32_t begin = 0;    // first byte of the entry's text (its line's indentation)
    std::uint32_t name = 0;     // the class name: the last word before "{"
    std::uint32_t nameEnd = 0;  // (empty when no word stands there)
    std::uint32_t open = 0;     // the "{"
    std::uint32_t close = 0;    // the matching "}", or the region's end when it never closes
    std::uint32_t end = 0;      // one past the entry's text: the "}" and, when nothing else
                                // follows on its line, the line end
    std::uint32_t unclosed = 0; // brackets still open where the region ended

    std::string_view Name(std::string_view text) const { return text.substr(name, nameEnd - name); }
    std::string_view Text(std::string_view text) const { return text.substr(begin, end - begin); }
    // From the "{" through the "}": where the entry's members are searched.
    std::string_view Body(std::string_view text) const {
        return text.substr(open, (unclosed ? close : close + 1) - open);
    }
};

// One list of an info: its opening line, its entries' region and its closer.
struct ListSpan {
    bool found = false;
    bool closed = false;      // its closing bracket stands in the text
    std::uint32_t head = 0;   // start of the line that opens the list
    std::uint32_t body = 0;   // the first byte after the opening bracket
    std::uint32_t closer = 0; // the closing bracket; when it is missing, where the next list
                              // begins or the text's size
    std::uint32_t end = 0;    // one past the closer
};

struct InfoLists {
    ListSpan perks;      // "RequiredPerks = [" ... "]"
    ListSpan commands;   // "InfoCommands {" ... "}"
    ListSpan conditions; // "InfoConditions {" ... "}"
};

// The lists of an info file: each is the first occurrence of its member name as a word
// at the info's own level (not inside an entry or a quoted text), followed by its
// bracket. A list whose closing bracket is missing ends where the next list begins.
InfoLists FindInfoLists(std::string_view text);

// The first entry that begins at or after from, before to; none when the region ends
// first (at to, or at a closing bracket that no opening one in the region matches).
std::optional<EntrySpan> NextEntry(std::string_view text, std::uint32_t from, std::uint32_t to);

// The closing brackets that an entry which never closes lacks, innermost first.
std::string MissingClosers(std::string_view text, const EntrySpan& span);

// Every entry of a region, in order.
std::vector<EntrySpan> CutEntries(std::string_view text, std::uint32_t from, std::uint32_t to);

// What is wrong with the brackets of the text, said for the user; empty when nothing
// is: one that closes none, or one that is never closed (so a list does not close
// where it should, and what follows would be read into it).
std::string BracketDamage(std::string_view text);
// What is wrong with the entries of the list of that name: one whose class name cannot
// be read, or that is the name of a list (the list before it lacks its end).
std::string EntryDamage(std::string_view text, const std::vector<EntrySpan>& entries,
                        std::string_view listName);

// The outermost blocks anywhere in the text whose class name begins with prefix: blocks
// of other names are looked into, blocks of that name are not.
std::vector<EntrySpan> FindNamedBlocks(std::string_view text, std::string_view prefix);

} // namespace VaskEdit
