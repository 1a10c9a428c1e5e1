#include "library/InfoSetDiff.h"

#include "engine/File.h"
#include "engine/FolderListing.h"
#include "info/EntryTypes.h"
#include "info/InfoRegions.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/DocumentFraming.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace VaskEdit {

using TesselEngine::WinAPI::File;

namespace {
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string TableFolderOf(const std::string& infosFolder) {
    std::string folder = infosFolder;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return FolderOf(folder);
}

// The display text of each command that has one, from the tables in folder; a table that
// is not there gives no texts (and is not made).
void LookUpTexts(VaskInfo& info, const std::string& folder) {
    for (InfoCommand& command : info.InfoCommands) {
        const EntryType* type = FindClassType(EntryKind::Command, command.Command.View());
        if (!type || type->textTable.empty())
            continue;
        const std::string table = folder + std::string(type->textTable);
        if (!File{TesselEngine::Char256(table.c_str())}.Exists())
            continue;
        LookUpLocText(table.c_str(), command);
    }
}

} // namespace

InfoPlaces ReadPlaces(std::string_view bytes, const std::string& folder, bool texts) {
    VaskInfo info;
    {
        const TextTables::LookUpsOff off; // the texts come from the side's own tables
        info.LoadFromText(bytes, FindInfoRegions(bytes));
    }
    if (texts)
        LookUpTexts(info, folder);
    return PlacesOf(info, texts);
}

namespace {

// The lists of an info, which a rename leaves as they were, as one text.
std::string ListsKey(const InfoPlaces& info) {
    std::string key;
    for (const auto* list : {&info.perks, &info.commands, &info.conditions}) {
        for (const InfoPlaces::Entry& entry : *list) {
            for (const auto& field : entry.fields)
                key += field.second + '\x1f';
            key += '\x1e';
        }
        key += '\x1d';
    }
    return key;
}
} // namespace

InfoVersions VersionsInDocument(const std::string& path) {
    InfoVersions versions;
    std::string document;
    if (!File::ReadAll(path.c_str(), document)) {
        versions.failure = "\"" + path + "\" could not be read.";
        return versions;
    }
    for (const FramedInfo& info : FrameDocument(document).infos)
        versions.bytes.emplace(info.name, document.substr(info.begin, info.end - info.begin));
    versions.folder = FolderOf(path);
    if (versions.folder.empty())
        versions.folder = "./";
    return versions;
}

InfoVersions VersionsInFolder(const std::string& folder) {
    InfoVersions versions;
    TesselEngine::WinAPI::FolderListing listing;
    if (!TesselEngine::WinAPI::ListFolder(TesselEngine::Char256(folder.c_str()),
                                          TesselEngine::Char32("*.vaskinfo"), listing) ||
        listing.missing) {
        versions.failure = "\"" + folder + "\" could not be listed.";
        return versions;
    }
    const std::string_view extension = ".vaskinfo";
    for (const std::string& file : listing.Names()) {
        std::string bytes;
        if (!File::ReadAll((folder + file).c_str(), bytes)) {
            versions.failure = "\"" + folder + file + "\" could not be read.";
            versions.bytes.clear();
            return versions;
        }
        std::string name = file;
        if (std::string_view(name).ends_with(extension))
            name.resize(name.size() - extension.size());
        versions.bytes.emplace(std::move(name), std::move(bytes));
    }
    versions.folder = TableFolderOf(folder);
    if (versions.folder.empty())
        versions.folder = "./";
    return versions;
}

InfoVersions VersionOfFile(const std::string& path) {
    InfoVersions versions;
    std::string bytes;
    if (!File::ReadAll(path.c_str(), bytes)) {
        versions.failure = "\"" + path + "\" could not be read.";
        return versions;
    }
    std::string name = std::filesystem::path(path).stem().string();
    versions.bytes.emplace(std::move(name), std::move(bytes));
    versions.folder = TableFolderOf(FolderOf(path));
    return versions;
}

InfoSetDiff DiffInfoSets(const InfoVersions& base, const InfoVersions& now, bool texts) {
    InfoSetDiff diff;
    std::vector<std::string> gone;
    for (const auto& [name, bytes] : base.bytes) {
        const auto there = now.bytes.find(name);
        if (there == now.bytes.end()) {
            gone.push_back(name);
            continue;
        }
        // Equal bytes are the same info; only the others are read.
        if (bytes == there->second && !texts) {
            ++diff.unchanged;
            continue;
        }
        const std::vector<PlaceChange> changes = DiffInfo(
            ReadPlaces(bytes, base.folder, texts), ReadPlaces(there->second, now.folder, texts));
        if (changes.empty())
            ++diff.unchanged;
        else
            diff.changed.push_back({name, changes});
    }
    std::vector<std::string> fresh;
    for (const auto& [name, bytes] : now.bytes)
        if (!base.bytes.count(name))
            fresh.push_back(name);
    // A gone info and a new one with the same lists are one info under another name;
    // only a pairing that leaves no doubt counts: one of each with those lists.
    std::map<std::string, std::vector<std::pair<std::string, InfoPlaces>>> goneByLists,
        freshByLists;
    for (const std::string& name : gone) {
        InfoPlaces read = ReadPlaces(base.bytes.at(name), base.folder, texts);
        goneByLists[ListsKey(read)].emplace_back(name, std::move(read));
    }
    for (const std::string& name : fresh) {
        InfoPlaces read = ReadPlaces(now.bytes.at(name), now.folder, texts);
        freshByLists[ListsKey(read)].emplace_back(name, std::move(read));
    }
    std::vector<std::string> pairedFresh;
    for (const auto& [key, olds] : goneByLists) {
        const auto news = freshByLists.find(key);
        if (olds.size() != 1 || news == freshByLists.end() || news->second.size() != 1)
            continue;
        const auto& [from, before] = olds.front();
        const auto& [to, after] = news->second.front();
        diff.renamed.push_back({from, to, DiffInfo(before, after, {"Name"})});
        pairedFresh.push_back(to);
    }
    std::sort(diff.renamed.begin(), diff.renamed.end(),
              [](const RenamedInfo& a, const RenamedInfo& b) { return a.from < b.from; });
    for (const std::string& name : gone)
        if (std::none_of(diff.renamed.begin(), diff.renamed.end(),
                         [&](const RenamedInfo& r) { return r.from == name; }))
            diff.removed.push_back(name);
    for (const std::string& name : fresh)
        if (std::find(pairedFresh.begin(), pairedFresh.end(), name) == pairedFresh.end())
            diff.added.push_back(name);
    return diff;
}

} // namespace VaskEdit
