// Finding the extent of one class block in property text, for blocks of types that
// the program cannot interpret but must keep.
#pragma once

#include "engine/Stream.h"

#include <cstdint>
#include <string>

namespace VaskEdit {

// Where a block lies: from begin up to (not including) end. A damaged block that runs
// into the next record before its braces close is cut there; unclosed counts the
// braces it left open.
struct BlockExtent {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    std::uint32_t unclosed = 0;
};

// The block whose class name starts at nameAt: from the start of its line (from the
// name when other text stands before it) through the line end after the "}" that
// closes its first "{". Braces inside double quotes do not count; a quoted text ends
// with its line. The block ends before a perk, the condition list's head or (in a
// condition) a command, which other loops of the info reader look for. False when the
// block has no matching "}" and nothing cuts it short.
bool FindBlockExtent(const TesselEngine::IO::Stream& text, std::uint32_t nameAt,
                     BlockExtent* extent);

// The block text, or empty when its extent cannot be found; on success the stream's
// position moves to the end of the block. A block cut short gets the closing lines it
// lacks, so that it is read back the same way.
std::string TakeBlockText(TesselEngine::IO::Stream& text, std::uint32_t nameAt);

// Whether the class name just read (its stop byte consumed) opens a block: a blank and
// then "{". A name of a known type without it is text inside some value, such as an
// enum value that swallowed the name behind it.
bool NameOpensBlock(const TesselEngine::IO::Stream& text);

// Whether only blanks stand before nameAt on its line, as before every block the game
// or this program writes. A command or perk name further along a line is text inside
// some value.
bool NameBeginsLine(const TesselEngine::IO::Stream& text, std::uint32_t nameAt);

} // namespace VaskEdit
