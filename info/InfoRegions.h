// Where the parts of an info file stand: its name, the members before and after the
// perk list, and the entries of the three lists. The reader and the walk over an info's
// values both take the file apart this way, so that they always agree.
#pragma once

#include "info/ListLayout.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct InfoRegions {
    // The first token that starts with a double quote, quotes included: the info's name.
    std::uint32_t nameBegin = 0;
    std::uint32_t nameEnd = 0;
    // The members before the perk list (or before the commands when there is none) and
    // those between the perk list and the commands.
    std::uint32_t headBegin = 0;
    std::uint32_t headEnd = 0;
    std::uint32_t tailBegin = 0;
    std::uint32_t tailEnd = 0;
    std::vector<EntrySpan> perks;
    std::vector<EntrySpan> commands;
    std::vector<EntrySpan> conditions;

    std::string_view Name(std::string_view text) const {
        return text.substr(nameBegin, nameEnd - nameBegin);
    }
    std::string_view Head(std::string_view text) const {
        return text.substr(headBegin, headEnd - headBegin);
    }
    std::string_view Tail(std::string_view text) const {
        return text.substr(tailBegin, tailEnd - tailBegin);
    }
};

InfoRegions FindInfoRegions(std::string_view text);

// What is wrong with the text's structure, said for the user; empty when nothing is (see
// BracketDamage and EntryDamage). Reading such a text guesses; saving must not.
std::string StructureDamage(std::string_view text, const InfoRegions& regions);

} // namespace VaskEdit
