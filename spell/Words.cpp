#include "spell/Spelling.h"

namespace VaskEdit::Spelling {

namespace {
// One UTF-8 character at at: its code point and length; a malformed byte counts alone.
char32_t Decode(std::string_view text, std::size_t at, std::size_t* length) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    *length = 1;
    if (extra == 0 || at + extra >= text.size())
        return byte;
    char32_t point = byte & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return byte;
        point = (point << 6) | (next & 0x3F);
    }
    *length = extra + 1;
    return point;
}

// The letters of the texts (Windows-1252 holds Latin-1's and a few more).
bool IsLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool IsApostrophe(char32_t c) {
    return c == '\'' || c == 0x2019;
}
bool IsWordPart(char32_t c) {
    return IsLetter(c) || IsApostrophe(c) || (c >= '0' && c <= '9') || c == '_';
}
} // namespace

std::vector<WordSpan> Words(std::string_view text) {
    std::vector<WordSpan> words;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = 0;
        if (!IsWordPart(Decode(text, at, &length))) {
            at += length;
            continue;
        }
        // A run of word parts, its apostrophes at either end left out.
        std::size_t start = at;
        std::size_t end = at;
        bool noWord = false;
        std::size_t lastLetterEnd = at;
        std::size_t firstLetter = std::string::npos;
        while (end < text.size()) {
            const char32_t c = Decode(text, end, &length);
            if (!IsWordPart(c))
                break;
            if ((c >= '0' && c <= '9') || c == '_')
                noWord = true;
            if (IsLetter(c)) {
                if (firstLetter == std::string::npos)
                    firstLetter = end;
                lastLetterEnd = end + length;
            }
            end += length;
        }
        at = end;
        if (noWord || firstLetter == std::string::npos)
            continue;
        start = firstLetter;
        words.push_back({start, lastLetterEnd - start});
    }
    return words;
}

} // namespace VaskEdit::Spelling
