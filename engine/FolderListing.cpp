#include "engine/FolderListing.h"
#include "engine/Failure.h"
#include "engine/File.h"

#include <algorithm>

namespace TesselEngine::WinAPI {

namespace {
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool NameLess(const Platform::DirectoryEntry& a, const Platform::DirectoryEntry& b) {
    const std::size_t n = std::min(a.name.size(), b.name.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(UpperAscii(a.name[i]));
        const auto y = static_cast<unsigned char>(UpperAscii(b.name[i]));
        if (x != y)
            return x < y;
    }
    if (a.name.size() != b.name.size())
        return a.name.size() < b.name.size();
    return a.name < b.name; // names that differ only in case: a fixed order all the same
}
} // namespace

std::vector<std::string> FolderListing::Names() const {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const Platform::DirectoryEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

bool ListFolder(const Char256& folder, const Char32& pattern, FolderListing& listing) {
    listing = FolderListing{};
    const std::string path = folder.Str();
    const std::string wanted = pattern.Str();
    Platform::ListResult result = Platform::ListResult::Listed;
    for (auto& entry : Platform::ListDirectory(path.c_str(), &result)) {
        if (MatchesPattern(entry.name.c_str(), wanted.c_str()))
            listing.entries.push_back(std::move(entry));
    }
    if (result == Platform::ListResult::Unreadable) {
        listing.entries.clear();
        SetFailure({Operation::Read, path, Cause::UnreadableFolder, 0, path});
        return false;
    }
    listing.missing = result == Platform::ListResult::Missing;
    std::sort(listing.entries.begin(), listing.entries.end(), NameLess);
    return true;
}

} // namespace TesselEngine::WinAPI
