#include "engine/String.h"

#include <algorithm>

namespace TesselEngine::String {

namespace {
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

template <typename F> void ConvertCase(char* text, std::size_t n, F convert) {
    if (!text)
        return;
    if (n == 0)
        n = std::strlen(text);
    for (std::size_t i = 0; i < n; ++i)
        text[i] = convert(text[i]);
}
} // namespace

void ToUpper(char* text, std::size_t n) {
    ConvertCase(text, n, Upper);
}
void ToLower(char* text, std::size_t n) {
    ConvertCase(text, n, Lower);
}

bool Contains(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty())
        return false;
    return a.find(b) != std::string_view::npos;
}

bool Contains(const char* a, const char* b) {
    if (!a || !b)
        return false;
    return Contains(std::string_view(a), std::string_view(b));
}

bool ContainsNoCase(const Char48& a, const Char48& b) {
    // A full Char48 has no terminator: work on terminated copies.
    char left[49] = {};
    char right[49] = {};
    std::memcpy(left, a.data, 48);
    std::memcpy(right, b.data, 48);
    ToLower(left);
    ToLower(right);
    return Contains(left, right);
}

char* strcpy(char* dst, const char* src) {
    const std::size_t n = std::strlen(src);
    std::memcpy(dst, src, n + 1);
    return dst;
}

} // namespace TesselEngine::String
