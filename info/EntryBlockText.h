// Single list entries as the block text of an info file: what the editor puts on the
// clipboard for a copied command, condition or perk, and what it reads back from
// pasted text, which may also come from a text editor showing an info file.
#pragma once

#include "info/WorkingCopy.h"

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// The entry's block as the info writer writes it; empty when it cannot be written.
std::string CommandBlockText(const InfoCommandRef& entry);
std::string ConditionBlockText(const InfoConditionRef& entry);
std::string PerkBlockText(const InfoRequiredPerkRef& entry);

// Every block of that kind in the text, in order, read as the info reader reads them
// (blocks of types without a class are kept whole). Other text is passed over.
std::vector<InfoCommandRef> ReadCommandBlocks(std::string_view text);
std::vector<InfoConditionRef> ReadConditionBlocks(std::string_view text);
std::vector<InfoRequiredPerkRef> ReadPerkBlocks(std::string_view text);

} // namespace VaskEdit
