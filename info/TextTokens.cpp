#include "info/TextTokens.h"

namespace VaskEdit {

namespace {
// What each byte is to the tokens: a blank between them, a mark that is a token of its
// own, or part of a longer token.
enum ByteKind : unsigned char { Part, Blank, Mark };
struct ByteKinds {
    ByteKind kind[256] = {};
    constexpr ByteKinds() {
        for (const unsigned char c : {' ', '\t', '\r', '\n', '\0'})
            kind[c] = Blank;
        for (const unsigned char c : {'{', '}', '[', ']', ';', ',', '='})
            kind[c] = Mark;
    }
};
constexpr ByteKinds Kinds;

bool IsBlank(char c) {
    return Kinds.kind[static_cast<unsigned char>(c)] == Blank;
}
bool IsPart(char c) {
    return Kinds.kind[static_cast<unsigned char>(c)] == Part && c != '"';
}

// Walks the tokens of a text one at a time.
class TokenWalk {
public:
    explicit TokenWalk(std::string_view text) : text(text) {}
    // The next token, or an empty view at the end.
    std::string_view Next() {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        if (at >= text.size())
            return {};
        const char c = text[at];
        std::size_t end = at + 1;
        if (c == '"') {
            while (end < text.size() && text[end] != '"' && text[end] != '\n')
                ++end;
            if (end < text.size() && text[end] == '"')
                ++end;
        } else if (IsPart(c)) {
            while (end < text.size() && IsPart(text[end]))
                ++end;
        }
        const std::string_view token = text.substr(at, end - at);
        at = end;
        return token;
    }

private:
    std::string_view text;
    std::size_t at = 0;
};
} // namespace

bool KeepsEveryToken(std::string_view original, std::string_view rewritten) {
    TokenWalk wanted(original);
    TokenWalk present(rewritten);
    for (std::string_view token = wanted.Next(); !token.empty(); token = wanted.Next()) {
        std::string_view candidate = present.Next();
        while (!candidate.empty() && candidate != token)
            candidate = present.Next();
        if (candidate.empty())
            return false;
    }
    return true;
}

} // namespace VaskEdit
