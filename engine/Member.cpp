#include "engine/Member.h"
#include "engine/File.h"

#include <cstdint>

namespace TesselEngine {

namespace {
const Char16 Placeholder("||");

// Forward first; a key behind the position is still found backward.
void SeekKeyEitherWay(IO::Stream& templ, const Char16& key) {
    if (!templ.FindKey(key))
        templ.FindKeyBackward(key);
}

// The byte before the "||" that follows the position (or before where the failed
// search stopped), as a signed offset so that "before the first byte" stays negative.
std::int64_t EndBeforeNextPlaceholder(IO::Stream& templ) {
    templ.FindKey(Placeholder);
    return static_cast<std::int64_t>(templ.GetPosition()) - 1;
}

void CopyRangeSigned(IO::Stream& output, const IO::Stream& templ, std::int64_t start,
                     std::int64_t end) {
    if (end < start || start < 0)
        return;
    Detail::CopyTemplateRange(output, templ, static_cast<std::uint32_t>(start),
                              static_cast<std::uint32_t>(end));
}
} // namespace

namespace Detail {

void SeekMemberValue(IO::Stream& source, const Char16& key) {
    source.FindKey(key);
    source.SkipTo('=');
    source.Skip(2);
}

std::string CleanMember(std::string_view token, bool strip, bool angles) {
    std::string value;
    value.reserve(token.size());
    for (const char c : token) {
        if (c == ';' || (strip && (c == '"' || (angles && (c == '<' || c == '>')))))
            continue;
        value.push_back(c);
    }
    return value;
}

void CopyTemplateRange(IO::Stream& output, const IO::Stream& templ, std::uint32_t start,
                       std::uint32_t end) {
    // The same bytes that a copy into a scratch stream and an append would give,
    // without the scratch allocation: all of them, or nothing when they do not fit.
    if (end < start || start >= templ.GetSize())
        return;
    if (end >= templ.GetSize())
        end = templ.GetSize() - 1;
    output.WriteData(templ.GetBuffer() + start, end - start + 1);
}

bool LocatePlaceholder(IO::Stream& templ, const Char16& key, std::uint32_t* start,
                       std::uint32_t* end) {
    const std::int64_t from = templ.GetPosition();
    SeekKeyEitherWay(templ, key);
    const std::int64_t last = EndBeforeNextPlaceholder(templ);
    templ.Skip(2);
    if (last < from || from < 0)
        return false;
    *start = static_cast<std::uint32_t>(from);
    *end = static_cast<std::uint32_t>(last);
    return true;
}

} // namespace Detail

void WriteThrough(IO::Stream& output, IO::Stream& templ, const Char16& marker) {
    const std::int64_t start = templ.GetPosition();
    SeekKeyEitherWay(templ, marker);
    templ.Skip(static_cast<std::uint32_t>(marker.Length()));
    CopyRangeSigned(output, templ, start, static_cast<std::int64_t>(templ.GetPosition()) - 1);
}

void WriteSkipMarker(IO::Stream& output, IO::Stream& templ, bool flag) {
    const std::int64_t start = templ.GetPosition();
    const std::int64_t end = EndBeforeNextPlaceholder(templ);
    templ.Skip(flag ? 3 : 2);
    CopyRangeSigned(output, templ, start, end);
}

void WriteRest(IO::Stream& output, IO::Stream& templ) {
    if (templ.GetSize() == 0)
        return;
    CopyRangeSigned(output, templ, templ.GetPosition(), std::int64_t{templ.GetSize()} - 1);
}

bool LoadTemplate(Char256 path, IO::Stream& target) {
    if (target.GetSize() != 0)
        return false;
    WinAPI::File file(path);
    // Templates are only read: a read-only installation must load as well.
    const bool read = file.LoadWhole(target);
    target.Reset();
    return read;
}

} // namespace TesselEngine
