// Builds infos with distinct values in every member and every supported list type,
// for round-trip tests, the demo workspace and the benchmarks.
#pragma once

#include "engine/String.h"
#include "info/VaskInfo.h"

#include <string>

namespace VaskTest {

// Fills every member of the info with a text derived from tag (no blanks, quotes,
// ";" or "/"), adds the given perks and one command of every supported type and one
// condition of every supported type.
void FillEverything(VaskEdit::VaskInfo& info, const std::string& name, const std::string& tag,
                    int perks = 2);

// The bytes of the info as the writer produces them.
std::string WriteToText(VaskEdit::VaskInfo& info);
// Reads the bytes into the info as the reader takes a file.
void ReadFromText(const std::string& text, VaskEdit::VaskInfo& info);
// How often what occurs in the text.
std::size_t Count(const std::string& text, const std::string& what);

// Expects two infos to hold the same members and lists (the Version of each block
// and the looked-up display texts aside).
void ExpectSameInfo(const VaskEdit::VaskInfo& expected, const VaskEdit::VaskInfo& actual);

} // namespace VaskTest
