#include "info/ValueShape.h"

namespace VaskEdit {

namespace {
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The bytes that the line scan stops at: quotes, "=" and line ends.
constexpr struct Marks {
    bool is[256] = {};
    constexpr Marks() {
        for (const unsigned char c : {'"', '=', '\r', '\n'})
            is[c] = true;
    }
} LineMarks;

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
    // One pass, a line at a time: only the first "=" of a line is a member's, and only
    // when it stands outside quotes.
    const std::size_t size = text.size();
    std::size_t line = 1;
    for (std::size_t at = 0; at < size; ++line) {
        std::size_t equals = std::string_view::npos;
        bool quoted = false;
        std::size_t end = at;
        for (; end < size; ++end) {
            const auto c = static_cast<unsigned char>(text[end]);
            if (!LineMarks.is[c])
                continue;
            if (EndsLine(text[end]))
                break;
            if (equals != std::string_view::npos)
                continue;
            if (c == '"')
                quoted = !quoted;
            else
                equals = end;
        }
        if (equals != std::string_view::npos && !quoted) {
            const std::string_view value = ValueAfter(text, equals);
            // A list or a bracketed value opens behind its "=": structure, not a value.
            if ((value.empty() || (value.front() != '[' && value.front() != '{')) &&
                IsUnreadableValue(value))
                return line;
        }
        // Past the line end: CR LF, LF or CR alone.
        if (end < size && text[end] == '\r')
            ++end;
        if (end < size && text[end] == '\n')
            ++end;
        at = end;
    }
    return 0;
}

} // namespace VaskEdit
