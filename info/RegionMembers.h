// Reading members by key inside one region of a text: one list entry's braces, or the
// info's own members before or between its lists. A search never leaves the region, so
// a member that an entry lacks is never taken from the entry after it.
#pragma once

#include "engine/Member.h"

#include <string_view>

namespace VaskEdit {

class RegionMembers {
public:
    explicit RegionMembers(std::string_view region);

    // Reads the value of the member after the one read before, as ReadMember reads it.
    // The key must be followed by "=" on its line. A key that does not follow is looked
    // for from the start of the region as well (members in another order), and a key
    // that the region lacks leaves the member as it was; either way the next member is
    // searched from where this one would have been. False when the value found does not
    // fit the member (it was cut, or an 8-byte member kept its old text).
    template <std::size_t N>
    bool Read(TesselEngine::FixedText<N>& member, const TesselEngine::Char16& key, bool strip) {
        const std::uint32_t cursor = stream.GetPosition();
        if (SeekValue(key, cursor))
            return Take(member, strip);
        if (!SeekValue(key, 0))
            return true;
        const bool fits = Take(member, strip);
        stream.SetPosition(cursor);
        return fits;
    }

private:
    bool SeekValue(const TesselEngine::Char16& key, std::uint32_t from);
    template <std::size_t N> bool Take(TesselEngine::FixedText<N>& member, bool strip) {
        std::string_view token = stream.TakeToken(N < 256);
        if (token.empty())
            return true;
        if (token[0] == '\r' || token[0] == '\n')
            token = {}; // nothing stands between "=" and the line end
        const std::string value = TesselEngine::Detail::CleanMember(token, strip, N == 512);
        member.Assign(value.data(), value.size());
        return value.size() <= N;
    }

    TesselEngine::IO::Stream stream;
};

} // namespace VaskEdit
