// How a text table's line is split, shared by the reader and the writer so that a text
// written is the text read: "identifier|any text|display text|...", fields ended by a
// bar or by the line's end. Lines end with CR LF, LF or CR alone: the game finds an id
// anywhere in the file, so a table of any of them works in the game.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace VaskEdit::TextTables {

// The field from at to the next bar or the line's end; at moves past the bar.
inline std::string_view FieldUntilBar(std::string_view line, std::size_t& at) {
    const std::size_t bar = line.find('|', at);
    const std::size_t end = bar == std::string_view::npos ? line.size() : bar;
    std::string_view field = line.substr(at, end - at);
    at = bar == std::string_view::npos ? line.size() : bar + 1;
    return field;
}

// Where the line that begins at from ends: its first CR or LF, or the end of the text.
// Searched a short stretch at a time, so that neither a table of CR-only lines nor one
// of LF-only lines is searched to its end for the other.
inline std::size_t LineEndAt(std::string_view all, std::size_t from) {
    constexpr std::size_t Stretch = 256;
    for (std::size_t at = from; at < all.size(); at += Stretch) {
        const char* begin = all.data() + at;
        const std::size_t n = std::min(Stretch, all.size() - at);
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', n));
        const std::size_t span = lf ? static_cast<std::size_t>(lf - begin) : n;
        if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', span)))
            return at + static_cast<std::size_t>(cr - begin);
        if (lf)
            return at + span;
    }
    return all.size();
}

// The line that begins at lineStart, without its line end; next: where the next begins.
inline std::string_view LineAt(std::string_view all, std::size_t lineStart, std::size_t* next) {
    const std::size_t lineEnd = LineEndAt(all, lineStart);
    const bool crLf = lineEnd + 1 < all.size() && all[lineEnd] == '\r' && all[lineEnd + 1] == '\n';
    *next = lineEnd + (crLf ? 2 : 1);
    return all.substr(lineStart, lineEnd - lineStart);
}

// A line names an identifier when its first field is not empty and a bar follows it;
// rest: past that bar. The writer gives such a line its display text.
inline bool NamesId(std::string_view line, std::string_view* identifier, std::size_t* rest) {
    std::size_t at = 0;
    *identifier = FieldUntilBar(line, at);
    *rest = at;
    return !identifier->empty() && identifier->size() < line.size();
}

// A line identifies its id for the reader when it names it and has a display field: a
// second bar. "ID|text" has none; the game would read on into the next line.
inline bool Identifies(std::string_view line, std::string_view* identifier, std::size_t* rest) {
    return NamesId(line, identifier, rest) && line.find('|', *rest) != std::string_view::npos;
}

} // namespace VaskEdit::TextTables
