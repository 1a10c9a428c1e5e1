// A fixed-capacity byte buffer with one position for reading and writing. Every file
// is parsed in place in one and every file is written by filling one. It never grows:
// a write that does not fit is refused whole.
#pragma once

#include "engine/FixedText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace TesselEngine::IO {

class Stream {
public:
    Stream() = default;
    ~Stream() { Free(); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    Stream(Stream&& other) noexcept;
    Stream& operator=(Stream&& other) noexcept;

    // A stream over bytes that it does not own: it reads and searches them with a position
    // of its own and never writes or frees them. The bytes must outlive it.
    static Stream View(const char* bytes, std::uint32_t n);

    // Lifecycle and position.
    bool Allocate(std::uint32_t n); // zero-filled; false (and empty) when n is 0 or memory is short
    void Free();
    std::uint32_t GetSize() const { return size; }
    char* GetBuffer() { return data; }
    const char* GetBuffer() const { return data; }
    void Reset() { position = 0; }
    void SetPosition(std::uint32_t p) { position = p; }
    std::uint32_t GetPosition() const { return position; }
    std::uint32_t GetRemaining() const { return position < size ? size - position : 0; }
    void Skip(std::uint32_t n); // no check against size; may move past the end

    // Searches. Forward searches never test the byte at the starting position.
    bool SkipTo(char c);     // ends on the found byte
    bool SkipBackTo(char c); // ends just after the found byte
    template <std::size_t N> bool FindKey(const FixedText<N>& key) {
        return FindBytes(key.data, key.Length());
    }
    template <std::size_t N> bool FindKeyBackward(const FixedText<N>& key) {
        return FindBytesBackward(key.data, key.Length());
    }
    bool FindBytes(const char* key, std::uint32_t length);
    bool FindBytesBackward(const char* key, std::uint32_t length);

    // Reading. ReadToken always takes its first byte, stops before the first stop
    // byte after it and consumes that stop byte. Space stops only the short types.
    template <std::size_t N> bool ReadToken(FixedText<N>& out) {
        std::uint32_t n = TokenLength(N < 256);
        if (n == 0)
            return false;
        out.Assign(data + position, n);
        Skip(n + 1);
        return true;
    }
    // The same token whole, however long, as a view into the buffer; empty (and the
    // position unchanged) at or past the end.
    std::string_view TakeToken(bool spaceStops) {
        const std::uint32_t n = TokenLength(spaceStops);
        if (n == 0)
            return {};
        const std::string_view token(data + position, n);
        Skip(n + 1);
        return token;
    }
    // Reads up to delim, which is consumed and not stored. When delim never comes,
    // every remaining byte is taken and the position ends at the size.
    template <std::size_t N> bool ReadUntil(FixedText<N>& out, char delim) {
        std::uint32_t taken = 0;
        std::uint32_t consumed = 0;
        if (!ScanUntil(delim, &taken, &consumed))
            return false;
        out.Assign(data + position, taken);
        position += consumed;
        return true;
    }

    // Writing. A write that does not fit stores nothing and leaves the position.
    bool WriteData(const char* bytes, std::uint32_t n);
    template <std::size_t N> bool WriteText(const FixedText<N>& s) {
        return WriteData(s.data, static_cast<std::uint32_t>(s.Length()));
    }
    bool WriteTextAndChar(const Char48& s, char c);
    bool WriteStream(const Stream& other);

    // Whole-buffer operations.
    void CopyRange(Stream& dst, std::uint32_t from, std::uint32_t to) const;
    void TrimTrailingZeros();

private:
    std::uint32_t TokenLength(bool spaceStops) const;
    bool ScanUntil(char delim, std::uint32_t* taken, std::uint32_t* consumed) const;

    char* data = nullptr;
    char* cursor = nullptr; // data + position, recomputed before use
    std::uint32_t size = 0;
    std::uint32_t position = 0;
    bool owned = true;        // false for a view
    std::size_t reserved = 0; // a large buffer's bytes from the platform; 0 from the heap
};

} // namespace TesselEngine::IO
