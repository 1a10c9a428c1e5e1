// Functions on fixed-capacity texts: append, strip, cut, case and search.
#pragma once

#include "engine/FixedText.h"

#include <cstdint>

namespace TesselEngine::String {

// Appends other's text behind the current text, cut so that the result fits.
template <std::size_t N> void Append(FixedText<N>& s, const char* text, std::size_t n) {
    const std::size_t used = s.Length();
    const std::size_t room = N - used;
    std::memcpy(s.data + used, text, n < room ? n : room);
}
template <std::size_t N, std::size_t M> void Append(FixedText<N>& s, const FixedText<M>& other) {
    Append(s, other.data, other.Length());
}
template <std::size_t N> void Append(FixedText<N>& s, const char* text) {
    Append(s, text, std::strlen(text));
}

// Deletes every occurrence of c and closes the gaps; the tail is zero-filled.
template <std::size_t N> void Remove(FixedText<N>& s, char c) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < N; ++i) {
        if (s.data[i] != c)
            s.data[out++] = s.data[i];
    }
    std::memset(s.data + out, 0, N - out);
}

// If c occurs, remove it and everything after it.
template <std::size_t N> void CutAfter(FixedText<N>& s, char c) {
    const void* hit = std::memchr(s.data, c, N);
    if (!hit)
        return;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data);
    std::memset(s.data + at, 0, N - at);
}

// ASCII upper case of the first n characters (up to the terminator when n is 0).
void ToUpper(char* text, std::size_t n = 0);

// True when b occurs in a after turning A-Z into a-z on both sides; other bytes compare
// as they are. Empty a or empty b never match.
bool ContainsNoCase(const Char48& a, const Char48& b);

} // namespace TesselEngine::String

namespace TesselEngine {

// How windows and readers store a terminated text into a record member: cut to the
// capacity (an 8-byte member keeps its old text when the new one does not fit).
template <std::size_t N> void SetMember(FixedText<N>& member, const char* text) {
    member.Assign(text, text ? std::strlen(text) : 0);
}

} // namespace TesselEngine
