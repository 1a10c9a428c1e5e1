// Where every value of the infos in "Infos/" is used: for each value, the infos and
// places that hold it (info/InfoValues.h), and for each info an outline of what the
// conversation views show. Built from the files in one pass, kept up to date one info
// at a time as infos are saved, renamed and deleted.
#pragma once

#include "info/InfoValues.h"
#include "library/Jobs.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace VaskEdit {

// A text that an info's command shows, by its id in a text table.
struct TextReference {
    std::string table; // "infosa.csv", "infodescsa.csv" or "questdescsa.csv"
    std::string id;
    std::string command; // the command's type, e.g. "Say"
    std::string speaker; // a Say's or SaySVM's speaker and listener; empty for others
    std::string listener;
    std::uint16_t entry = 0; // the command's position in the info's commands, from 0
};

// What the conversation views need of one info.
struct InfoOutline {
    std::string name; // the file's name without ".vaskinfo"
    std::string owner;
    std::string quest;
    std::string parent;
    int mainSortId = 0; // empty and unreadable numbers count as 0
    int sortId = 0;
    // The id of the first Say or SaySVM in "infosa.csv"; empty when the info has none.
    std::string firstLine;
    // Its conditions in one short line: each type with its values.
    std::string conditions;
    // The texts of its commands, in their order.
    std::vector<TextReference> texts;
    // Each command in one short line, in their order: its type with its values.
    std::vector<std::string> commands;
};

struct Usage {
    std::string info;
    Place place;
};

class ReferenceIndex {
public:
    ReferenceIndex();
    ~ReferenceIndex();

    // Reads every info of "Infos/" again. A folder that cannot be listed fails and leaves
    // the index as it was; files that cannot be read are skipped and named. A cancelled
    // build leaves the index as it was, too. Infos refreshed or forgotten while it runs
    // are read again before it ends, so that the new index holds them as they are.
    Jobs::Outcome Build(const Jobs::ProgressFn& progress, const Jobs::CancelFn& cancel);
    bool IsBuilt() const;
    // Changes whenever what the index holds may have changed (a build, a refresh, a
    // forgotten info, a clear): views over it fill again only when it moved.
    std::uint64_t Version() const;

    // Reads the info's file again (after a save); forgets the info when it has no file.
    void Refresh(std::string_view name);
    void Forget(std::string_view name);
    // Reads again every info whose file changed since the index read it (written by
    // another program, say) and the files it has not read, and forgets the infos whose
    // file is gone; false, changing nothing, when "Infos/" cannot be listed.
    bool RefreshChanged();
    // Forgets every info, as before the first build (another folder's infos follow).
    void Clear();

    // Every use of the value, by info name (byte order) and then by place.
    std::vector<Usage> Usages(std::string_view value) const;
    std::optional<InfoOutline> Outline(std::string_view name) const;
    // Every info, in the order the folder lists them.
    std::vector<InfoOutline> Outlines() const;
    // The infos whose file the editor's reader could not take whole (see ReadsWhole),
    // by name: their uses and texts may be missing from the index.
    std::vector<std::string> NotReadWhole() const;

private:
    struct Data;
    // Notes, for every build that is reading the files, an info saved meanwhile.
    void Touched(std::string_view name);

    mutable std::mutex mutex;
    std::unique_ptr<Data> data;
    std::uint64_t version = 0;
    std::vector<std::set<std::string>*> builds; // of the builds running now
};

// The index the program keeps of its "Infos/" folder.
ReferenceIndex& References();

// Takes one info file's text apart: its outline, and every use of a value, given to use
// with its place (the value's text lasts as long as the call).
InfoOutline ScanInfoText(std::string_view name, std::string_view text,
                         const std::function<void(std::string_view, const Place&)>& use);
// The same for text already taken apart (FindInfoRegions).
InfoOutline ScanInfoText(std::string_view name, std::string_view text, const InfoRegions& regions,
                         const std::function<void(std::string_view, const Place&)>& use);

} // namespace VaskEdit
