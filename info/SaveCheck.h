// Would saving an info that was read from a file, untouched, write that file's bytes
// again? The guard that runs before a save replaces such a file: it tells a change of
// layout from a loss of content, and shows the first lines that would change.
#pragma once

#include "info/VaskInfo.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct ChangedLine {
    std::size_t line = 0; // 1-based: in the file for a line that goes, in the save for a new one
    bool removed = false; // a line of the file that the save would not keep
    std::string text;     // without its line end
};

struct SaveComparison {
    bool changed = false;      // the save would not write the file's bytes
    bool losesContent = false; // some text of the file would be dropped or cut
    bool unwritable = false;   // the record cannot be written at all
    // The file's structure is damaged (see StructureDamage): what the reader made of it is
    // a guess, which no save may write.
    std::string damage;
    // The first line of the save (from 1) that would hold a value the game cannot read,
    // which no save writes; 0 when none would.
    std::size_t unreadableValueLine = 0;
    std::string unreadableValueText; // that line, without its line end
    std::size_t changedLines = 0;    // lines that would go, change or be added
    std::vector<ChangedLine> first;  // the first lines that would go and come, in order
};

// Whether even a forced save must refuse: it would write a guess or an unreadable value.
inline bool SaveRefusedAlways(const SaveComparison& comparison) {
    return !comparison.damage.empty() || comparison.unreadableValueLine != 0 ||
           comparison.unwritable;
}

// Compares the save of the record with the file's bytes, in memory. The record is the
// one read from those bytes; writing it only measures and fills its own stream. damage:
// the file's StructureDamage when the caller has found it already.
SaveComparison CompareSave(VaskInfo& info, std::string_view fileBytes, std::size_t shown = 6,
                           const std::string* damage = nullptr);

// Reads the file at path into a fresh record and compares; unreadable files compare as
// unchanged (there is nothing a save could lose of them).
SaveComparison CompareSaveWithFile(const char* path, std::size_t shown = 6);

// The first line (from 1) of what saving the record writes that would hold a value the
// game cannot read (empty, or only its prefix), with its text; 0 when none would.
std::size_t FindUnreadableValueInSave(VaskInfo& info, std::string* lineText);

// The comparison as the program says it: a first line, then one line per changed line
// ("- 12: ..." for a line that goes, "+ 12: ..." for one that comes).
std::vector<std::string> DescribeSaveChanges(const SaveComparison& comparison);

} // namespace VaskEdit
