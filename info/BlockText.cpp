#include "info/BlockText.h"

namespace VaskEdit {

bool FindBlockExtent(const TesselEngine::IO::Stream& text, std::uint32_t nameAt,
                     std::uint32_t* begin, std::uint32_t* end) {
    const char* data = text.GetBuffer();
    const std::uint32_t size = text.GetSize();
    if (nameAt >= size)
        return false;
    std::uint32_t lineStart = nameAt;
    while (lineStart > 0 && data[lineStart - 1] != '\n')
        --lineStart;

    int depth = 0;
    bool quoted = false;
    bool opened = false;
    std::uint32_t at = nameAt;
    for (; at < size; ++at) {
        const char c = data[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '{') {
            ++depth;
            opened = true;
        } else if (!quoted && c == '}') {
            if (--depth == 0 && opened)
                break;
            if (depth < 0)
                return false;
        }
    }
    if (at >= size)
        return false;
    // Take the rest of the closing line with its line end.
    std::uint32_t stop = at + 1;
    while (stop < size && data[stop] != '\n')
        ++stop;
    if (stop < size)
        ++stop;
    *begin = lineStart;
    *end = stop;
    return true;
}

std::string TakeBlockText(TesselEngine::IO::Stream& text, std::uint32_t nameAt) {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    if (!FindBlockExtent(text, nameAt, &begin, &end))
        return {};
    // The next search starts one byte after the position, so stand on the last byte.
    text.SetPosition(end - 1);
    return std::string(text.GetBuffer() + begin, end - begin);
}

} // namespace VaskEdit
