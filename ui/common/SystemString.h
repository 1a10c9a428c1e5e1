// The one crossing between the widgets' texts and the library's 8-bit texts.
//
// The library keeps every text as bytes in the Windows-1252 code page. Each byte maps to
// exactly one character and back, the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) included, so a text read from a file, shown and saved
// unchanged comes back byte for byte. A character the code page cannot hold becomes "?".
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace VaskEdit {

QString FromSystemString(std::string_view bytes);

std::string ToSystemString(const QString& text);
// At most capacity - 1 bytes: what fits in a buffer of capacity bytes with its
// terminating zero.
std::string ToSystemString(const QString& text, std::size_t capacity);

// False when the text is empty or only white space. Every action tests the user's
// input with it before it hands the input to the library.
bool StringIsValid(const QString& text);

} // namespace VaskEdit
