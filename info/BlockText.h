// Finding the extent of one class block in property text, for blocks of types that
// the program cannot interpret but must keep.
#pragma once

#include "engine/Stream.h"

#include <cstdint>
#include <string>

namespace VaskEdit {

// The block whose class name starts at nameAt: from the start of its line through the
// line end after the "}" that closes its first "{" (braces inside double quotes do
// not count). False when the block has no matching "}".
bool FindBlockExtent(const TesselEngine::IO::Stream& text, std::uint32_t nameAt,
                     std::uint32_t* begin, std::uint32_t* end);

// The block text, or empty when its extent cannot be found; on success the stream's
// position moves to the end of the block.
std::string TakeBlockText(TesselEngine::IO::Stream& text, std::uint32_t nameAt);

} // namespace VaskEdit
