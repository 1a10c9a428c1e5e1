#include "info/RegionMembers.h"

namespace VaskEdit {

RegionMembers::RegionMembers(std::string_view region) {
    if (!region.empty() && stream.Allocate(static_cast<std::uint32_t>(region.size())))
        stream.WriteData(region.data(), static_cast<std::uint32_t>(region.size()));
    stream.Reset();
}

bool RegionMembers::SeekValue(const TesselEngine::Char16& key, std::uint32_t from) {
    stream.SetPosition(from);
    const char* bytes = stream.GetBuffer();
    while (stream.FindKey(key)) {
        const std::uint32_t keyAt = stream.GetPosition();
        std::uint32_t at = keyAt + static_cast<std::uint32_t>(key.Length());
        while (at < stream.GetSize() && bytes[at] != '=' && bytes[at] != '\n')
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
