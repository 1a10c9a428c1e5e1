// Fixed-capacity 8-bit texts. Every record member of the program is one of these:
// a zero-filled byte array whose text is the bytes before the first zero (or all N
// bytes when it is full). Every copy into one is cut to the capacity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace TesselEngine {

template <std::size_t N> struct FixedText {
    static_assert(N >= 8, "the smallest text type holds 8 bytes");
    static constexpr std::size_t Capacity = N;

    char data[N] = {};

    FixedText() = default;
    // Truncating copy of a terminated text.
    FixedText(const char* text) { Assign(text, text ? std::strlen(text) : 0); }
    FixedText(std::string_view text) { Assign(text.data(), text.size()); }

    FixedText(const FixedText&) = default;
    FixedText& operator=(const FixedText&) = default;

    // Widening assignment from a smaller type: its whole array, then zeros.
    template <std::size_t M>
    requires(M < N) FixedText& operator=(const FixedText<M>& other) {
        std::memcpy(data, other.data, M);
        std::memset(data + M, 0, N - M);
        return *this;
    }

    bool operator==(const FixedText& other) const { return std::memcmp(data, other.data, N) == 0; }

    std::size_t Length() const {
        const void* zero = std::memchr(data, 0, N);
        return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : N;
    }
    bool IsEmpty() const { return data[0] == 0; }
    std::string_view View() const { return {data, Length()}; }
    std::string Str() const { return std::string(View()); }

    // Clear, then copy min(n, N) bytes. The 8-byte type keeps its old text when the
    // source does not fit: callers rely on a too-long flag or index being ignored.
    void Assign(const char* src, std::size_t n) {
        if constexpr (N == 8) {
            if (n > N)
                return;
        }
        std::memset(data, 0, N);
        if (src && n)
            std::memcpy(data, src, n < N ? n : N);
    }
};

using Char8 = FixedText<8>;
using Char16 = FixedText<16>;
using Char32 = FixedText<32>;
using Char48 = FixedText<48>;
using Char64 = FixedText<64>;
using Char128 = FixedText<128>;
using Char256 = FixedText<256>;
using Char512 = FixedText<512>;

} // namespace TesselEngine
