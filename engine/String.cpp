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
    // In place: the filters ask this for every field of tens of thousands of records.
    const std::string_view text = a.View();
    const std::string_view part = b.View();
    if (text.empty() || part.empty() || part.size() > text.size())
        return false;
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < part.size() && Lower(text[at + i]) == Lower(part[i]))
            ++i;
        if (i == part.size())
            return true;
    }
    return false;
}

char* strcpy(char* dst, const char* src) {
    const std::size_t n = std::strlen(src);
    std::memcpy(dst, src, n + 1);
    return dst;
}

} // namespace TesselEngine::String
