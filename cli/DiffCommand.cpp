// `vaskedit-cli diff`: what the infos of "Infos/" change against the game document or
// another workspace, or what one info file changes against another, place by place.
#include "CommandSupport.h"
#include "Commands.h"

#include "engine/File.h"
#include "library/InfoSetDiff.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

namespace {
constexpr int Different = 1;

using Json = nlohmann::ordered_json;

int DiffError(const std::string& message) {
    std::cerr << "Error: " << message << "\n";
    return UsageError;
}

const char* KindName(PlaceChange::Kind kind) {
    switch (kind) {
    case PlaceChange::Kind::Changed:
        return "changed";
    case PlaceChange::Kind::Inserted:
        return "inserted";
    case PlaceChange::Kind::Removed:
        return "removed";
    case PlaceChange::Kind::Moved:
        return "moved";
    }
    return "";
}

Json ChangesJson(const std::vector<PlaceChange>& changes) {
    Json list = Json::array();
    for (const PlaceChange& change : changes)
        list.push_back({{"kind", KindName(change.kind)},
                        {"place", Windows1252ToUtf8(change.place)},
                        {"before", Windows1252ToUtf8(change.before)},
                        {"after", Windows1252ToUtf8(change.after)}});
    return list;
}

// "2 changed, 1 inserted": how many changes of each kind.
std::string Counts(const std::vector<PlaceChange>& changes) {
    std::string text;
    for (const auto kind : {PlaceChange::Kind::Changed, PlaceChange::Kind::Inserted,
                            PlaceChange::Kind::Removed, PlaceChange::Kind::Moved}) {
        const auto count = std::count_if(changes.begin(), changes.end(),
                                         [kind](const PlaceChange& c) { return c.kind == kind; });
        if (count)
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + KindName(kind);
    }
    return text;
}

struct Row {
    std::string name; // what the lines are sorted by
    std::string heading;
    const std::vector<PlaceChange>* changes = nullptr;
};

void PrintSet(const InfoSetDiff& diff, bool stat) {
    std::vector<Row> rows;
    for (const std::string& name : diff.added)
        rows.push_back({name, "+ " + name});
    for (const std::string& name : diff.removed)
        rows.push_back({name, "- " + name});
    for (const RenamedInfo& info : diff.renamed)
        rows.push_back({info.from, "R " + info.from + " -> " + info.to, &info.changes});
    for (const ChangedInfo& info : diff.changed)
        rows.push_back({info.name, "M " + info.name, &info.changes});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.name < b.name; });
    for (const Row& row : rows) {
        std::cout << Windows1252ToUtf8(row.heading);
        if (stat) {
            if (row.changes && !row.changes->empty())
                std::cout << " | " << Counts(*row.changes);
            std::cout << "\n";
            continue;
        }
        std::cout << "\n";
        if (row.changes)
            for (const PlaceChange& change : *row.changes)
                std::cout << "  " << Windows1252ToUtf8(ChangeLine(change)) << "\n";
    }
    if (stat)
        std::cout << diff.added.size() << " new, " << diff.removed.size() << " removed, "
                  << diff.renamed.size() << " renamed, " << diff.changed.size() << " changed, "
                  << diff.unchanged << " unchanged\n";
}

void PrintSetJson(const InfoSetDiff& diff) {
    Json j;
    Json added = Json::array(), removed = Json::array(), renamed = Json::array(),
         changed = Json::array();
    for (const std::string& name : diff.added)
        added.push_back(Windows1252ToUtf8(name));
    for (const std::string& name : diff.removed)
        removed.push_back(Windows1252ToUtf8(name));
    for (const RenamedInfo& info : diff.renamed)
        renamed.push_back({{"from", Windows1252ToUtf8(info.from)},
                           {"to", Windows1252ToUtf8(info.to)},
                           {"changes", ChangesJson(info.changes)}});
    for (const ChangedInfo& info : diff.changed)
        changed.push_back(
            {{"name", Windows1252ToUtf8(info.name)}, {"changes", ChangesJson(info.changes)}});
    j["added"] = added;
    j["removed"] = removed;
    j["renamed"] = renamed;
    j["changed"] = changed;
    j["unchanged"] = diff.unchanged;
    std::cout << j.dump(2) << "\n";
}

// The base named by --base: a combined document, a workspace (its "Infos/") or a folder
// of info files.
InfoVersions BaseVersions(const std::string& base) {
    if (base.empty())
        return VersionsInDocument("w_info.hdrdoc");
    std::error_code error;
    if (!std::filesystem::is_directory(base, error))
        return VersionsInDocument(base);
    std::string folder = base;
    if (folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    if (std::filesystem::is_directory(folder + "Infos", error))
        folder += "Infos/";
    return VersionsInFolder(folder);
}

// Two info files: the changes from the first to the second.
int DiffFiles(const std::string& first, const std::string& second, const std::string& heading,
              const DiffOptions& options) {
    const InfoVersions a = VersionOfFile(first);
    const InfoVersions b = VersionOfFile(second);
    if (!a.failure.empty())
        return DiffError(a.failure);
    if (!b.failure.empty())
        return DiffError(b.failure);
    const std::vector<PlaceChange> changes =
        DiffInfo(ReadPlaces(a.bytes.begin()->second, {}, false),
                 ReadPlaces(b.bytes.begin()->second, {}, false));
    if (options.json) {
        std::cout << ChangesJson(changes).dump(2) << "\n";
    } else if (!changes.empty()) {
        if (!heading.empty())
            std::cout << "M " << heading << "\n";
        if (options.stat)
            std::cout << Counts(changes) << "\n";
        else
            for (const PlaceChange& change : changes)
                std::cout << (heading.empty() ? "" : "  ") << Windows1252ToUtf8(ChangeLine(change))
                          << "\n";
    }
    return changes.empty() ? 0 : Different;
}
} // namespace

int Diff(const DiffOptions& options) {
    // With the templates the entries are read field by field, as the editor reads them.
    InfoManager::Initialize();
    if (options.files.size() == 2)
        return DiffFiles(options.files[0], options.files[1], {}, options);
    // As git's external diff: path, old file, old hash, old mode, new file, new hash, mode.
    if (options.files.size() == 7) {
        const std::string& oldFile = options.files[1];
        const std::string& newFile = options.files[4];
        // A side that does not exist is git's empty file: the info is new or deleted.
        const bool hasOld = oldFile != "/dev/null" && std::filesystem::exists(oldFile);
        const bool hasNew = newFile != "/dev/null" && std::filesystem::exists(newFile);
        if (!hasOld || !hasNew) {
            std::cout << (hasNew ? "+ " : "- ") << options.files[0] << "\n";
            return Different;
        }
        const int status = DiffFiles(oldFile, newFile, options.files[0], options);
        // git stops at an external diff's non-zero status.
        return status == Different ? 0 : status;
    }
    if (!options.files.empty())
        return DiffError("give two info files, or none to compare \"Infos/\".");
    const InfoVersions base = BaseVersions(options.base);
    if (!base.failure.empty())
        return DiffError(base.failure);
    InfoVersions now = VersionsInFolder("Infos/");
    if (!now.failure.empty())
        return DiffError(now.failure);
    InfoVersions withTables = base;
    const bool texts = !options.texts.empty();
    if (texts) {
        withTables.folder = options.texts;
        if (withTables.folder.back() != '/' && withTables.folder.back() != '\\')
            withTables.folder += '/';
        now.folder = "./";
    }
    const InfoSetDiff diff = DiffInfoSets(withTables, now, texts);
    if (options.json)
        PrintSetJson(diff);
    else
        PrintSet(diff, options.stat);
    return diff.Equal() ? 0 : Different;
}

} // namespace VaskCli
