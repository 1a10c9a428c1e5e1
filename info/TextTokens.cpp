#include "info/TextTokens.h"

namespace VaskEdit {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}
bool IsMark(char c) {
    return c == '{' || c == '}' || c == '[' || c == ']' || c == ';' || c == ',' || c == '=';
}
} // namespace

std::vector<std::string_view> SplitTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        std::size_t end = at + 1;
        if (IsBlank(c)) {
            ++at;
            continue;
        }
        if (c == '"') {
            while (end < text.size() && text[end] != '"' && text[end] != '\n')
                ++end;
            if (end < text.size() && text[end] == '"')
                ++end;
        } else if (!IsMark(c)) {
            while (end < text.size() && !IsBlank(text[end]) && !IsMark(text[end]) &&
                   text[end] != '"')
                ++end;
        }
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    return tokens;
}

bool KeepsEveryToken(std::string_view original, std::string_view rewritten) {
    const std::vector<std::string_view> wanted = SplitTokens(original);
    const std::vector<std::string_view> present = SplitTokens(rewritten);
    std::size_t next = 0;
    for (const std::string_view token : present) {
        if (next < wanted.size() && token == wanted[next])
            ++next;
    }
    return next == wanted.size();
}

} // namespace VaskEdit
