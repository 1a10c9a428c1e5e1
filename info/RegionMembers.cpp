#include "info/RegionMembers.h"

namespace VaskEdit {

RegionMembers::RegionMembers(std::string_view region)
    : stream(TesselEngine::IO::Stream::View(region.data(),
                                            static_cast<std::uint32_t>(region.size()))) {}

std::optional<MemberToken> RegionMembers::Locate(const TesselEngine::Char16& key, bool shortValue) {
    const std::uint32_t cursor = stream.GetPosition();
    if (SeekValue(key, cursor))
        return TakeValue(shortValue);
    if (!SeekValue(key, 0))
        return std::nullopt;
    const std::optional<MemberToken> token = TakeValue(shortValue);
    stream.SetPosition(cursor);
    return token;
}

std::optional<MemberToken> RegionMembers::TakeValue(bool shortValue) {
    const std::uint32_t at = stream.GetPosition();
    std::string_view token = stream.TakeToken(shortValue);
    if (token.empty())
        return std::nullopt;
    if (token[0] == '\r' || token[0] == '\n')
        token = {}; // nothing stands between "=" and the line end
    return MemberToken{at, token};
}

bool RegionMembers::SeekValue(const TesselEngine::Char16& key, std::uint32_t from) {
    stream.SetPosition(from);
    const char* bytes = stream.GetBuffer();
    while (stream.FindKey(key)) {
        const std::uint32_t keyAt = stream.GetPosition();
        std::uint32_t at = keyAt + static_cast<std::uint32_t>(key.Length());
        while (at < stream.GetSize() && bytes[at] != '=' && bytes[at] != '\n' && bytes[at] != '\r')
            ++at;
        if (at < stream.GetSize() && bytes[at] == '=') {
            ++at;
            while (at < stream.GetSize() && (bytes[at] == ' ' || bytes[at] == '\t'))
                ++at;
            stream.SetPosition(at);
            return true;
        }
        stream.SetPosition(keyAt);
    }
    stream.SetPosition(from);
    return false;
}

} // namespace VaskEdit
