#include "engine/Stream.h"

#include "engine/platform/Platform.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace TesselEngine::IO {

namespace {
// Stop bytes of tokens, as a table: bit 1 for every target, bit 2 for the blank,
// which stops only the short types.
struct StopTable {
    unsigned char bits[256] = {};
    constexpr StopTable() {
        for (unsigned char c : {'\0', '\n', '\r', '/', ';'})
            bits[c] = 1;
        bits[static_cast<unsigned char>(' ')] = 2;
    }
};
constexpr StopTable Stops;

// memrchr is not portable; a plain backward scan is all that the callers need.
const char* LastOf(const char* begin, std::size_t n, char c) {
    for (std::size_t i = n; i > 0; --i) {
        if (begin[i - 1] == c)
            return begin + i - 1;
    }
    return nullptr;
}
} // namespace

Stream::Stream(Stream&& other) noexcept
    : data(std::exchange(other.data, nullptr)), cursor(std::exchange(other.cursor, nullptr)),
      size(std::exchange(other.size, 0)), position(std::exchange(other.position, 0)),
      owned(std::exchange(other.owned, true)), reserved(std::exchange(other.reserved, 0)) {}

Stream Stream::View(const char* bytes, std::uint32_t n) {
    Stream view;
    // The view only reads: the writers refuse to write into it (see WriteData).
    view.data = const_cast<char*>(bytes);
    view.cursor = view.data;
    view.size = bytes ? n : 0;
    view.owned = false;
    return view;
}

Stream& Stream::operator=(Stream&& other) noexcept {
    if (this != &other) {
        Free();
        data = std::exchange(other.data, nullptr);
        cursor = std::exchange(other.cursor, nullptr);
        size = std::exchange(other.size, 0);
        position = std::exchange(other.position, 0);
        owned = std::exchange(other.owned, true);
        reserved = std::exchange(other.reserved, 0);
    }
    return *this;
}

bool Stream::Allocate(std::uint32_t n) {
    Free();
    if (n == 0)
        return false;
    // Both give the zero fill that writers rely on, lazily for large buffers.
    constexpr std::uint32_t Large = 8u << 20;
    data = n >= Large ? static_cast<char*>(Platform::AllocateLarge(n, &reserved))
                      : static_cast<char*>(std::calloc(n, 1));
    if (!data)
        return false;
    size = n;
    cursor = data;
    return true;
}

void Stream::Free() {
    if (!data)
        return;
    if (owned && reserved)
        Platform::FreeLarge(data, reserved);
    else if (owned)
        std::free(data);
    owned = true;
    reserved = 0;
    data = nullptr;
    cursor = nullptr;
    size = 0;
    position = 0;
}

void Stream::Skip(std::uint32_t n) {
    const std::uint64_t moved = std::uint64_t{position} + n;
    position = moved > std::numeric_limits<std::uint32_t>::max()
                   ? std::numeric_limits<std::uint32_t>::max()
                   : static_cast<std::uint32_t>(moved);
}

bool Stream::SkipTo(char c) {
    if (std::uint64_t{position} + 1 >= size)
        return false;
    const std::uint32_t from = position + 1;
    const void* hit = std::memchr(data + from, c, size - from);
    if (!hit) {
        position = size - 1;
        return false;
    }
    position = static_cast<std::uint32_t>(static_cast<const char*>(hit) - data);
    cursor = data + position;
    return true;
}

bool Stream::SkipBackTo(char c) {
    // From past the end, the scan starts at the last byte.
    const std::uint32_t start = position > size ? size : position;
    if (start == 0) {
        position = 0;
        return false;
    }
    const char* hit = LastOf(data, start, c);
    if (!hit) {
        position = 0;
        return false;
    }
    position = static_cast<std::uint32_t>(hit - data) + 1;
    cursor = data + position;
    return true;
}

bool Stream::FindBytes(const char* key, std::uint32_t length) {
    // Candidate starts run from position + 1 to size - length.
    if (std::uint64_t{position} + length >= size)
        return false;
    const std::uint32_t last = size - length;
    std::uint32_t at = position + 1;
    if (length == 0) {
        position = at;
        return true;
    }
    while (at <= last) {
        const void* hit = std::memchr(data + at, key[0], last - at + 1);
        if (!hit)
            break;
        at = static_cast<std::uint32_t>(static_cast<const char*>(hit) - data);
        if (std::memcmp(data + at, key, length) == 0) {
            position = at;
            cursor = data + position;
            return true;
        }
        ++at;
    }
    position = last;
    return false;
}

bool Stream::FindBytesBackward(const char* key, std::uint32_t length) {
    std::uint32_t at = position > size ? size : position;
    const char first = length ? key[0] : 0;
    while (at > 0) {
        --at;
        // A window that would run past the end does not match.
        if (length && data[at] != first)
            continue;
        if (std::uint64_t{at} + length <= size && std::memcmp(data + at, key, length) == 0) {
            position = at;
            cursor = data + position;
            return true;
        }
    }
    position = 0;
    return false;
}

std::uint32_t Stream::TokenLength(bool spaceStops) const {
    if (position >= size)
        return 0;
    const unsigned char mask = spaceStops ? 3 : 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data + position);
    const std::uint32_t available = size - position;
    std::uint32_t n = 1; // the first byte is always taken
    while (n < available && !(Stops.bits[bytes[n]] & mask))
        ++n;
    return n;
}

bool Stream::ScanUntil(char delim, std::uint32_t* taken, std::uint32_t* consumed) const {
    if (position >= size)
        return false;
    const std::uint32_t remaining = size - position;
    const void* hit = std::memchr(data + position, delim, remaining);
    if (hit) {
        *taken = static_cast<std::uint32_t>(static_cast<const char*>(hit) - (data + position));
        *consumed = *taken + 1;
    } else {
        *taken = remaining;
        *consumed = remaining;
    }
    return true;
}

bool Stream::WriteData(const char* bytes, std::uint32_t n) {
    if (!owned || std::uint64_t{position} + n > size)
        return false;
    if (n)
        std::memcpy(data + position, bytes, n);
    position += n;
    cursor = data + position;
    return true;
}

bool Stream::WriteTextAndChar(const Char48& s, char c) {
    const std::uint32_t length = static_cast<std::uint32_t>(s.Length());
    if (std::uint64_t{position} + length + 1 > size)
        return false;
    WriteData(s.data, length);
    return WriteData(&c, 1);
}

bool Stream::WriteStream(const Stream& other) {
    return WriteData(other.data, other.size);
}

void Stream::CopyRange(Stream& dst, std::uint32_t from, std::uint32_t to) const {
    if (to < from || from >= size)
        return;
    if (to >= size)
        to = size - 1;
    if (!dst.Allocate(to - from + 1))
        return;
    std::memcpy(dst.data, data + from, to - from + 1);
}

void Stream::TrimTrailingZeros() {
    while (size > 0 && data[size - 1] == 0)
        --size;
    if (position > size)
        position = size;
}

} // namespace TesselEngine::IO
