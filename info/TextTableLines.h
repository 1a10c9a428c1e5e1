// How a text table's line is split, shared by the reader and the writer so that a text
// written is the text read: "identifier|any text|display text|...", fields ended by a
// bar or by the line's end.
#pragma once

#include <cstddef>
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

// The line that begins at lineStart, without its line end; next: where the next begins.
inline std::string_view LineAt(std::string_view all, std::size_t lineStart, std::size_t* next) {
    std::size_t lineEnd = all.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
        lineEnd = all.size();
    *next = lineEnd + 1;
    std::string_view line = all.substr(lineStart, lineEnd - lineStart);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// A line names an identifier when its first field is not empty and a bar follows it
// with at least one byte behind.
inline bool Identifies(std::string_view line, std::string_view* identifier, std::size_t* rest) {
    std::size_t at = 0;
    *identifier = FieldUntilBar(line, at);
    *rest = at;
    return !identifier->empty() && at < line.size();
}

} // namespace VaskEdit::TextTables
