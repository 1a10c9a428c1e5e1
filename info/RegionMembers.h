// Reading members by key inside one region of a text: one list entry's braces, or the
// info's own members before or between its lists. A search never leaves the region, so
// a member that an entry lacks is never taken from the entry after it.
#pragma once

#include "engine/Member.h"

#include <optional>
#include <string_view>

namespace VaskEdit {

// A member's value as it stands in the region: where its token begins and the token.
struct MemberToken {
    std::uint32_t offset = 0;
    std::string_view text; // empty when nothing stands between "=" and the line end
};

class RegionMembers {
public:
    // The region's bytes must outlive the reader: it searches them where they are.
    explicit RegionMembers(std::string_view region);

    // Finds the value of the member after the one found before. The key must be followed
    // by "=" on its line. A key that does not follow is looked for from the start of the
    // region as well (members in another order). None when the region lacks the key or
    // nothing follows its "=" before the region ends. shortValue: the value ends at a
    // blank as well (members of up to 48 characters).
    std::optional<MemberToken> Locate(const TesselEngine::Char16& key, bool shortValue);

    // Reads the value as ReadMember reads it; a member the region lacks keeps its text.
    // False when the region lacks the member (a save would have to make its value up) or
    // the value found does not fit it (it was cut, or an 8-byte member kept its old text).
    template <std::size_t N>
    bool Read(TesselEngine::FixedText<N>& member, const TesselEngine::Char16& key, bool strip) {
        const std::optional<MemberToken> token = Locate(key, N < 256);
        if (!token)
            return false;
        const std::string value = TesselEngine::Detail::CleanMember(token->text, strip, N == 512);
        member.Assign(value.data(), value.size());
        return value.size() <= N;
    }

private:
    bool SeekValue(const TesselEngine::Char16& key, std::uint32_t from);
    std::optional<MemberToken> TakeValue(bool shortValue);

    TesselEngine::IO::Stream stream;
};

} // namespace VaskEdit
