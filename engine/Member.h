// Reading a member by its key and filling a resource template at its "||"
// placeholders. Every record format of the program rests on these operations.
#pragma once

#include "engine/FixedText.h"
#include "engine/Stream.h"
#include "engine/String.h"

#include <string>
#include <string_view>

namespace TesselEngine {

namespace Detail {
// Finds the key, steps over its "=" and the blank behind it.
void SeekMemberValue(IO::Stream& source, const Char16& key);
// Removes ";" and, when strip is set, double quotes (and with angles "<", ">").
std::string CleanMember(std::string_view token, bool strip, bool angles);
// Appends template bytes start..end (both included) to the output, all or nothing.
void CopyTemplateRange(IO::Stream& output, const IO::Stream& templ, std::uint32_t start,
                       std::uint32_t end);
// Moves the template to the key's placeholder; returns the copied range's start and end.
bool LocatePlaceholder(IO::Stream& templ, const Char16& key, std::uint32_t* start,
                       std::uint32_t* end);
} // namespace Detail

// FindKey, SkipTo "=", Skip 2, then the token, cleaned and fitted into the destination.
// The token is taken whole and cleaned before it is fitted, so that the quotes around a
// value do not take room from it. No step checks the one before: a missing key leaves
// the destination as it was. True when the token was read and fits the destination.
template <std::size_t N>
bool ReadMember(IO::Stream& source, FixedText<N>& destination, const Char16& key, bool strip) {
    Detail::SeekMemberValue(source, key);
    const std::string_view token = source.TakeToken(N < 256);
    if (token.empty())
        return false;
    const std::string value = Detail::CleanMember(token, strip, N == 512);
    destination.Assign(value.data(), value.size());
    return value.size() <= N;
}

// A filling cursor over a template: a view of its bytes with a position of its own, so
// that the template itself never changes and several writers can fill it at once.
inline IO::Stream TemplateCursor(const IO::Stream& templ) {
    return IO::Stream::View(templ.GetBuffer(), templ.GetSize());
}

// Copies the template up to the key's placeholder, then the value in its place.
template <std::size_t N>
void WriteMember(IO::Stream& output, IO::Stream& templ, const FixedText<N>& value,
                 const Char16& key) {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    if (Detail::LocatePlaceholder(templ, key, &start, &end))
        Detail::CopyTemplateRange(output, templ, start, end);
    output.WriteText(value);
}

// Copies the template through the marker (which is copied too).
void WriteThrough(IO::Stream& output, IO::Stream& templ, const Char16& marker);
// Copies the template up to the next "||" and drops it; with the flag, also the byte behind it.
void WriteSkipMarker(IO::Stream& output, IO::Stream& templ, bool flag);
// Copies the template from its position to its end; the position stays.
void WriteRest(IO::Stream& output, IO::Stream& templ);
// Loads a template file whole into an empty stream. False when the stream already
// holds data or the file cannot be opened.
bool LoadTemplate(Char256 path, IO::Stream& target);

} // namespace TesselEngine
