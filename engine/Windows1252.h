// The game's texts are 8-bit Windows-1252; terminals, scripts and translators' files
// are UTF-8. Conversions both ways, the second refusing what Windows-1252 lacks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace TesselEngine {

// The character of one byte. The five bytes Windows leaves free stand for themselves,
// so that every byte survives a round trip.
char32_t Windows1252Character(unsigned char byte);
// The byte of one character; none when Windows-1252 lacks it.
std::optional<unsigned char> Windows1252Byte(char32_t character);

std::string Windows1252ToUtf8(std::string_view bytes);

// The offset of the first byte that does not begin a well-formed UTF-8 character (a
// stray continuation byte, a cut or overlong sequence, a surrogate); npos when all do.
std::size_t FirstNotUtf8(std::string_view text);

// None for text that is not UTF-8 or has a character Windows-1252 lacks.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

} // namespace TesselEngine
