#include "library/DocumentFraming.h"

#include <cstring>

namespace VaskEdit {

namespace {
constexpr std::string_view HeaderWords = "class gCInfo";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\0';
}

// Blanks, NULs and a byte order mark may stand before a line's content.
const char* SkipLead(const char* p, const char* end) {
    for (;;) {
        if (p < end && IsBlank(*p)) {
            ++p;
        } else if (end - p >= 3 && static_cast<unsigned char>(p[0]) == 0xEF &&
                   static_cast<unsigned char>(p[1]) == 0xBB &&
                   static_cast<unsigned char>(p[2]) == 0xBF) {
            p += 3;
        } else {
            return p;
        }
    }
}

const char* SkipSpaces(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    return p;
}

// The first CR or LF from `p`, or `end`: two fast searches rather than a byte loop.
const char* FindLineEnd(const char* p, const char* end) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* limit = lf ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(limit - p));
    return cr ? static_cast<const char*>(cr) : limit;
}

// The bytes that the brace count looks at.
struct Interesting {
    bool byte[256] = {};
    constexpr Interesting() {
        for (const unsigned char c : {'"', '{', '}'})
            byte[c] = true;
    }
};
constexpr Interesting InBraces;

bool IsHeaderLine(const char* p, const char* end) {
    p = SkipLead(p, end);
    if (static_cast<std::size_t>(end - p) < HeaderWords.size() ||
        std::memcmp(p, HeaderWords.data(), HeaderWords.size()) != 0)
        return false;
    p = SkipSpaces(p + HeaderWords.size(), end);
    return p < end && *p == '{' && SkipLead(p + 1, end) == end;
}

bool IsLoneCloser(const char* p, const char* end) {
    p = SkipLead(p, end);
    return p < end && *p == '}' && SkipLead(p + 1, end) == end;
}

class Framer {
public:
    explicit Framer(std::string_view document)
        : base(document.data()), end(document.data() + document.size()) {}

    DocumentFrame Run() {
        const char* p = base;
        while (p < end) {
            const char* lineEnd = FindLineEnd(p, end);
            for (const char* segment = p; segment;)
                segment = Segment(segment, lineEnd);
            p = lineEnd;
            if (p < end) {
                p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
                ++line;
            }
        }
        if (inInfo && closer)
            EndAtCloser();
        Finish(end);
        return std::move(frame);
    }

private:
    // Handles the bytes from `p` to the line's end; returns where a new segment starts
    // on the same line (an info opening behind a closing brace), or null.
    const char* Segment(const char* p, const char* lineEnd) {
        std::string name;
        if (IsInfoOpeningLine(p, lineEnd, name)) {
            Begin(p, std::move(name));
        } else if (!inInfo) {
            Outside(p, lineEnd);
            return nullptr;
        }
        return CountBraces(p, lineEnd);
    }

    void Outside(const char* p, const char* lineEnd) {
        if (!expectCloser && IsHeaderLine(p, lineEnd)) {
            expectCloser = true;
            frame.header = true;
            strayOpen = false;
        } else if (expectCloser && IsLoneCloser(p, lineEnd)) {
            Close(SkipLead(p, lineEnd));
        } else if (SkipLead(p, lineEnd) != lineEnd) {
            Stray(p, lineEnd);
        }
    }

    const char* CountBraces(const char* p, const char* lineEnd) {
        FramedInfo& info = frame.infos.back();
        for (const char* c = p; c < lineEnd; ++c) {
            if (!closed) {
                while (c < lineEnd && !InBraces.byte[static_cast<unsigned char>(*c)])
                    ++c;
                if (c == lineEnd)
                    break;
            }
            switch (*c) {
            case '"': {
                // Braces inside a quoted value are text.
                const void* quote =
                    std::memchr(c + 1, '"', static_cast<std::size_t>(lineEnd - c - 1));
                c = quote ? static_cast<const char*>(quote) : lineEnd - 1;
                if (closed)
                    info.trailing = true;
                break;
            }
            case '{':
                if (closed)
                    info.trailing = true;
                ++depth;
                opened = true;
                break;
            case '}':
                if (depth > 0) {
                    if (--depth == 0 && !closed) {
                        closed = true;
                        // Another info may open on the same line, behind the brace.
                        std::string name;
                        if (IsInfoOpeningLine(c + 1, lineEnd, name))
                            return c + 1;
                    }
                } else if (expectCloser) {
                    // Perhaps the document's closer: that is the last such brace behind
                    // the last info. Until then it is text of the info, so that a piece
                    // frames alike alone and in a document.
                    closer = c;
                    closerPieceEnd = SkipLead(p, c) == c && IsLineStart(p) ? p : c;
                    trailingBeforeCloser = info.trailing;
                    info.trailing = true;
                } else {
                    info.trailing = true;
                }
                break;
            default:
                if (closed && !IsBlank(*c))
                    info.trailing = true;
                break;
            }
        }
        return nullptr;
    }

    bool IsLineStart(const char* p) const { return p == base || p[-1] == '\n' || p[-1] == '\r'; }

    // The last info ends before the document's closer; what follows the closer is in
    // no info.
    void EndAtCloser() {
        Finish(closerPieceEnd);
        frame.infos.back().trailing = trailingBeforeCloser;
        Close(closer);
        const char* first = closer + 1;
        while (first < end && (IsBlank(*first) || *first == '\r' || *first == '\n'))
            ++first;
        if (first == end)
            return;
        const char* last = end;
        while (IsBlank(last[-1]) || last[-1] == '\r' || last[-1] == '\n')
            --last;
        std::uint32_t at = line; // the last line's number, less the line ends behind first
        for (const char* q = first; q < end; ++q)
            at -= (*q == '\n' || (*q == '\r' && (q + 1 == end || q[1] != '\n'))) ? 1 : 0;
        frame.stray.push_back({Offset(first), Offset(last) - Offset(first), at});
    }

    void Begin(const char* at, std::string name) {
        closer = nullptr;
        Finish(at);
        FramedInfo info;
        info.begin = Offset(at);
        info.line = line;
        info.name = std::move(name);
        frame.infos.push_back(std::move(info));
        inInfo = true;
        opened = false;
        closed = false;
        depth = 0;
        strayOpen = false;
    }

    void Finish(const char* at) {
        if (!inInfo)
            return;
        FramedInfo& info = frame.infos.back();
        info.end = Offset(at);
        info.closed = opened && closed;
        inInfo = false;
    }

    void Close(const char* brace) {
        expectCloser = false;
        frame.closer = true;
        frame.closerAt = Offset(brace);
        strayOpen = false;
    }

    // Runs of stray lines with only blank lines between them are one run.
    void Stray(const char* from, const char* to) {
        if (strayOpen && !frame.stray.empty()) {
            StrayBytes& run = frame.stray.back();
            run.size = Offset(to) - run.begin;
            return;
        }
        frame.stray.push_back({Offset(from), Offset(to) - Offset(from), line});
        strayOpen = true;
    }

    std::uint32_t Offset(const char* p) const { return static_cast<std::uint32_t>(p - base); }

    const char* const base;
    const char* const end;
    DocumentFrame frame;
    std::uint32_t line = 1;
    std::uint32_t depth = 0; // braces open in the current info
    bool inInfo = false;
    bool opened = false;
    bool closed = false;
    bool expectCloser = false;
    bool strayOpen = false;
    const char* closer = nullptr; // the last brace that may close the document
    const char* closerPieceEnd = nullptr;
    bool trailingBeforeCloser = false;
};
} // namespace

bool IsInfoOpeningLine(const char* line, const char* end, std::string& name) {
    const char* p = SkipLead(line, end);
    if (p == end || *p != '"')
        return false;
    const void* quote = std::memchr(p + 1, '"', static_cast<std::size_t>(end - p - 1));
    if (!quote)
        return false;
    const char* closing = static_cast<const char*>(quote);
    const char* after = SkipSpaces(closing + 1, end);
    if (after != end && *after != '{' && *after != '=')
        return false;
    name.assign(p + 1, closing);
    return true;
}

DocumentFrame FrameDocument(std::string_view document) {
    return Framer(document).Run();
}

} // namespace VaskEdit
