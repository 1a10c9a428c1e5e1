// Functions on fixed-capacity texts: copy, measure, append, strip, cut and search.
// Each family exists as a template front-end (String::Length, String::Remove, ...)
// and under the per-type names (Char48Length, Char256Remove, ...).
#pragma once

#include "engine/FixedText.h"

#include <cstdint>

namespace TesselEngine::String {

// Copy min(n, N) bytes of src after clearing dst. A negative count counts as 0.
// Char8 keeps its previous text when n is above 8 or negative.
template <std::size_t N> void Copy(FixedText<N>& dst, const char* src, std::int64_t n) {
    if (n < 0) {
        if constexpr (N == 8)
            return;
        n = 0;
    }
    dst.Assign(src, static_cast<std::size_t>(n));
}

template <std::size_t N> void SetZero(FixedText<N>& dst) {
    std::memset(dst.data, 0, N);
}

template <std::size_t N> std::size_t Length(const FixedText<N>& s) {
    return s.Length();
}

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

// The value returned when the byte does not occur: 127 for the small types,
// 32767 for the large ones.
template <std::size_t N> constexpr int NotFoundIndex() {
    return N <= 64 ? 127 : 32767;
}

template <std::size_t N> int IndexOf(const FixedText<N>& s, char c) {
    const void* hit = std::memchr(s.data, c, N);
    return hit ? static_cast<int>(static_cast<const char*>(hit) - s.data) : NotFoundIndex<N>();
}

// If c occurs, remove it and everything after it.
template <std::size_t N> void CutAfter(FixedText<N>& s, char c) {
    const void* hit = std::memchr(s.data, c, N);
    if (!hit)
        return;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data);
    std::memset(s.data + at, 0, N - at);
}

// If c occurs, drop everything up to and including it and move the rest to the front.
template <std::size_t N> void CutBefore(FixedText<N>& s, char c) {
    const void* hit = std::memchr(s.data, c, N);
    if (!hit)
        return;
    const std::size_t from = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data) + 1;
    std::memmove(s.data, s.data + from, N - from);
    std::memset(s.data + (N - from), 0, from);
}

// ASCII case conversion of the first n characters (up to the terminator when n is 0).
void ToUpper(char* text, std::size_t n = 0);
void ToLower(char* text, std::size_t n = 0);

// True when b occurs in a. Empty a or empty b never match. Case-sensitive.
bool Contains(const char* a, const char* b);
bool Contains(std::string_view a, std::string_view b);

// Contains after turning A-Z into a-z on both sides; other bytes compare as they are.
bool ContainsNoCase(const Char48& a, const Char48& b);

// Copies a terminated text with its terminator; the caller provides the room.
char* strcpy(char* dst, const char* src);
inline char* Copy(char* dst, const char* src) {
    return String::strcpy(dst, src);
}

} // namespace TesselEngine::String

namespace TesselEngine {

// How windows and readers store a terminated text into a record member.
template <std::size_t N> void SetMember(FixedText<N>& member, const char* text) {
    String::Copy(member, text, static_cast<std::int64_t>(text ? std::strlen(text) : 0));
}

// The per-type names of the text functions.
#define TESSEL_TEXT_FUNCTIONS(N)                                                                   \
    inline void Char##N##Copy(Char##N& d, const char* s, std::int64_t n) {                         \
        String::Copy(d, s, n);                                                                     \
    }                                                                                              \
    inline void Char##N##SetZero(Char##N& d) {                                                     \
        String::SetZero(d);                                                                        \
    }                                                                                              \
    inline std::size_t Char##N##Length(const Char##N& s) {                                         \
        return s.Length();                                                                         \
    }                                                                                              \
    inline void Char##N##Remove(Char##N& s, char c) {                                              \
        String::Remove(s, c);                                                                      \
    }                                                                                              \
    inline int Char##N##IndexOf(const Char##N& s, char c) {                                        \
        return String::IndexOf(s, c);                                                              \
    }                                                                                              \
    inline void Char##N##CutAfter(Char##N& s, char c) {                                            \
        String::CutAfter(s, c);                                                                    \
    }                                                                                              \
    inline void Char##N##CutBefore(Char##N& s, char c) {                                           \
        String::CutBefore(s, c);                                                                   \
    }                                                                                              \
    template <typename T> void Char##N##Append(Char##N& s, const T& other) {                       \
        String::Append(s, other);                                                                  \
    }

TESSEL_TEXT_FUNCTIONS(8)
TESSEL_TEXT_FUNCTIONS(16)
TESSEL_TEXT_FUNCTIONS(32)
TESSEL_TEXT_FUNCTIONS(48)
TESSEL_TEXT_FUNCTIONS(64)
TESSEL_TEXT_FUNCTIONS(128)
TESSEL_TEXT_FUNCTIONS(256)
TESSEL_TEXT_FUNCTIONS(512)

#undef TESSEL_TEXT_FUNCTIONS

} // namespace TesselEngine
