// Where the infos of a combined info document begin and end. The game writes the
// document as "class gCInfo {" CR LF, the info files one after the other and "}" CR LF,
// but documents merged by hand or by other tools differ in line ends, indentation, a
// byte order mark or a missing final line end. An info is found by its opening line (its
// name in double quotes, then "{" or "=") and ended by its braces, so no info is ever
// cut into its neighbour's piece and the document's closing brace is never part of one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct FramedInfo {
    std::uint32_t begin = 0; // the first byte of the line that opens the info
    std::uint32_t end = 0;   // one past its last byte: the next info, the closer or the end
    std::uint32_t line = 0;  // the opening line's number, from 1
    std::string name;        // the quoted name, cut at its first blank
    bool closed = true;      // its braces closed before the next info or the document's end
    bool trailing = false;   // bytes other than blanks follow its closing brace in the piece
};

// A run of bytes that is neither framing nor part of an info.
struct StrayBytes {
    std::uint32_t begin = 0;
    std::uint32_t size = 0;
    std::uint32_t line = 0;
};

struct DocumentFrame {
    std::vector<FramedInfo> infos;
    bool header = false; // "class gCInfo {" stood before the first info
    bool closer = false; // and the brace that closes it after the last one
    std::uint32_t closerAt = 0;
    std::vector<StrayBytes> stray;
};

// One pass over the document.
DocumentFrame FrameDocument(std::string_view document);

// Whether a line that begins at `line` (up to `end`) opens an info; sets `name`.
bool IsInfoOpeningLine(const char* line, const char* end, std::string& name);

// A line end (CR LF, LF or CR) closes the text.
inline bool EndsWithLineEnd(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

} // namespace VaskEdit
