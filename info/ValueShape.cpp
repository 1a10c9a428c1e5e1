#include "info/ValueShape.h"

#include <algorithm>

namespace VaskEdit {

namespace {
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EndsLine(char c) {
    return c == '\n' || c == '\r';
}

// The value behind the "=" at equals, up to its ";" or the line's end, without blanks
// around it; a quoted text is given by its opening quote.
std::string_view ValueAfter(std::string_view text, std::size_t equals) {
    std::size_t begin = equals + 1;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    if (begin < text.size() && text[begin] == '"')
        return text.substr(begin, 1);
    std::size_t end = begin;
    while (end < text.size() && text[end] != ';' && !EndsLine(text[end]))
        ++end;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
} // namespace

bool IsUnreadableValue(std::string_view value) {
    if (value.empty())
        return true;
    if (value.front() == '"')
        return false;
    // A prefix alone: a word that ends with its "_".
    if (value.back() != '_')
        return false;
    for (const char c : value) {
        if (!IsWordByte(c))
            return false;
    }
    return true;
}

std::size_t FindUnreadableValue(std::string_view text) {
    // Only the first "=" of a line that stands outside quotes is a member's; the lines
    // are counted only up to the one found.
    std::size_t lineStart = 0;
    for (std::size_t equals = text.find('='); equals != std::string_view::npos;) {
        while (true) {
            const std::size_t end = text.find_first_of("\r\n", lineStart);
            if (end == std::string_view::npos || end > equals)
                break;
            lineStart = end + 1;
        }
        const std::string_view head = text.substr(lineStart, equals - lineStart);
        const bool quoted = std::count(head.begin(), head.end(), '"') % 2 != 0;
        if (!quoted) {
            const std::string_view value = ValueAfter(text, equals);
            // A list or a bracketed value opens behind its "=": structure, not a value.
            if ((value.empty() || (value.front() != '[' && value.front() != '{')) &&
                IsUnreadableValue(value)) {
                std::size_t line = 1;
                for (std::size_t i = 0; i < lineStart; ++i)
                    line += text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n');
                return line;
            }
        }
        // On to the next line: a second "=" of this one is no member's.
        const std::size_t end = text.find_first_of("\r\n", equals);
        if (end == std::string_view::npos)
            break;
        lineStart = end + 1;
        equals = text.find('=', lineStart);
    }
    return 0;
}

} // namespace VaskEdit
