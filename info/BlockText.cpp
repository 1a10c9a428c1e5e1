#include "info/BlockText.h"

#include <algorithm>
#include <string_view>

namespace VaskEdit {

namespace {
// Texts that the info reader's loops look for from the start of their region on: the
// perks, the commands (also where the conditions stand) and the condition list's head.
// A kept block must not take in what another loop looks for: that loop would find it
// again inside the block when the saved file is read, and each save would add its
// record once more. Blocks of the block's own kind inside it are passed over whole.
constexpr std::string_view RecordMarkers[] = {"gCRequiredPerk ", "gCInfoCommand",
                                              "InfoConditions "};

// Where the first marker of another loop behind the block's name lies, or the size.
std::uint32_t NextRecordMarker(std::string_view text, std::uint32_t nameAt) {
    const std::string_view name = text.substr(nameAt);
    std::size_t first = text.size();
    for (const std::string_view marker : RecordMarkers) {
        if (!name.starts_with(marker))
            first = std::min(first, text.find(marker, nameAt + 1));
    }
    return static_cast<std::uint32_t>(first);
}

// Walks the braces from the block's name on: stops on the "}" that closes the first
// "{", or at the limit. Braces inside double quotes do not count, and a quoted text
// ends with its line, so that a stray quote cannot hide the rest of the file.
struct BraceWalk {
    std::uint32_t at = 0;
    int depth = 0;
    bool opened = false;
    bool closed = false;
    bool unbalanced = false; // a "}" before any "{"
};
BraceWalk WalkBraces(std::string_view text, std::uint32_t from, std::uint32_t limit) {
    BraceWalk walk;
    bool quoted = false;
    for (walk.at = from; walk.at < limit; ++walk.at) {
        const char c = text[walk.at];
        if (c == '\n') {
            quoted = false;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '{') {
            ++walk.depth;
            walk.opened = true;
        } else if (!quoted && c == '}') {
            if (--walk.depth < 0) {
                walk.unbalanced = true;
                return walk;
            }
            if (walk.depth == 0 && walk.opened) {
                walk.closed = true;
                return walk;
            }
        }
    }
    return walk;
}
} // namespace

bool FindBlockExtent(const TesselEngine::IO::Stream& text, std::uint32_t nameAt,
                     BlockExtent* extent) {
    const std::string_view all(text.GetBuffer(), text.GetSize());
    if (nameAt >= all.size())
        return false;
    std::uint32_t lineStart = nameAt;
    while (lineStart > 0 && all[lineStart - 1] != '\n')
        --lineStart;
    // Only the indentation in front of the name belongs to the block.
    if (all.substr(lineStart, nameAt - lineStart).find_first_not_of(" \t") !=
        std::string_view::npos)
        lineStart = nameAt;

    const std::uint32_t marker = NextRecordMarker(all, nameAt);
    const BraceWalk walk = WalkBraces(all, nameAt, marker);
    if (walk.unbalanced)
        return false;
    std::uint32_t stop = 0;
    std::uint32_t unclosed = 0;
    if (walk.closed) {
        // The rest of the closing line with its line end, unless another record
        // begins on it.
        const std::size_t lineEnd = all.find('\n', walk.at);
        stop = lineEnd == std::string_view::npos ? static_cast<std::uint32_t>(all.size())
                                                 : static_cast<std::uint32_t>(lineEnd + 1);
        if (marker < stop)
            stop = walk.at + 1;
    } else if (walk.opened && marker < all.size()) {
        // A damaged block runs into the next record: it ends with the line before it.
        stop = marker;
        while (stop > nameAt + 1 && all[stop - 1] != '\n')
            --stop;
        if (stop == nameAt + 1)
            stop = marker;
        const BraceWalk kept = WalkBraces(all, nameAt, stop);
        unclosed = static_cast<std::uint32_t>(kept.depth);
    } else {
        return false;
    }
    *extent = {lineStart, stop, unclosed};
    return true;
}

std::string TakeBlockText(TesselEngine::IO::Stream& text, std::uint32_t nameAt) {
    BlockExtent extent;
    if (!FindBlockExtent(text, nameAt, &extent))
        return {};
    // The next search starts one byte after the position, so stand on the last byte.
    text.SetPosition(extent.end - 1);
    const char* data = text.GetBuffer();
    std::string block(data + extent.begin, extent.end - extent.begin);
    if (extent.unclosed > 0) {
        const std::string indent(data + extent.begin, nameAt - extent.begin);
        if (block.back() != '\n')
            block += "\r\n";
        for (std::uint32_t i = 0; i < extent.unclosed; ++i)
            block += indent + "}\r\n";
    }
    return block;
}

bool NameOpensBlock(const TesselEngine::IO::Stream& text) {
    const std::uint32_t at = text.GetPosition();
    return at > 0 && at < text.GetSize() && text.GetBuffer()[at - 1] == ' ' &&
           text.GetBuffer()[at] == '{';
}

bool NameBeginsLine(const TesselEngine::IO::Stream& text, std::uint32_t nameAt) {
    const char* bytes = text.GetBuffer();
    for (std::uint32_t at = std::min(nameAt, text.GetSize()); at > 0; --at) {
        const char c = bytes[at - 1];
        if (c == '\n' || c == '\r')
            return true;
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

} // namespace VaskEdit
