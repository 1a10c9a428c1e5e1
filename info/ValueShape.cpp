#include "info/ValueShape.h"

namespace VaskEdit {

namespace {
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value after the first "=" of the line that stands outside double quotes, up to
// its ";" or the line's end, without blanks around it; none when the line has no "=".
bool LineValue(std::string_view line, std::string_view& value) {
    bool quoted = false;
    std::size_t at = 0;
    for (; at < line.size(); ++at) {
        if (line[at] == '"')
            quoted = !quoted;
        else if (line[at] == '=' && !quoted)
            break;
    }
    if (at == line.size())
        return false;
    std::size_t begin = at + 1;
    while (begin < line.size() && IsBlank(line[begin]))
        ++begin;
    std::size_t end = begin;
    if (begin < line.size() && line[begin] == '"') {
        value = line.substr(begin, 1); // quoted text: the quote stands for it
        return true;
    }
    while (end < line.size() && line[end] != ';')
        ++end;
    while (end > begin && IsBlank(line[end - 1]))
        --end;
    value = line.substr(begin, end - begin);
    return true;
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
    std::size_t number = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        std::string_view value;
        const std::string_view line = text.substr(at, end - at);
        // A list or a bracketed value opens behind its "=": that is structure, not a value.
        if (LineValue(line, value) &&
            (value.empty() || (value.front() != '[' && value.front() != '{')) &&
            IsUnreadableValue(value))
            return number;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        at = end + 1;
        ++number;
    }
    return 0;
}

} // namespace VaskEdit
