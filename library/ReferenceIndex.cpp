#include "library/ReferenceIndex.h"
#include "engine/File.h"
#include "info/EntryTypes.h"
#include "info/InfoFileName.h"
#include "info/InfoRegions.h"
#include "info/MemberTable.h"
#include "library/InfoManager.h"
#include "library/ReadWhole.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstring>
#include <map>
#include <set>
#include <thread>

namespace VaskEdit {

namespace {
using TesselEngine::Char256;
using TesselEngine::WinAPI::File;

constexpr std::string_view SpokenTable = "infosa.csv";

int Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// Say and SaySVM: a speaker says the text to a listener.
bool IsSpoken(const EntryType& type) {
    return type.textTable == SpokenTable && (type.name == "Say" || type.name == "SaySVM");
}

const EntryType* CommandType(std::string_view className) {
    const std::string_view prefix = ClassPrefix(EntryKind::Command);
    return className.starts_with(prefix)
               ? FindClassType(EntryKind::Command, className.substr(prefix.size()))
               : nullptr;
}

// An entry in one short line: its type without the class prefix, then its values.
std::string EntryLine(std::string_view text, const EntrySpan& entry, EntryKind kind,
                      const std::vector<std::string>& values) {
    const std::string_view prefix = ClassPrefix(kind);
    std::string_view name = entry.Name(text);
    if (name.starts_with(prefix))
        name.remove_prefix(prefix.size());
    std::string line(name);
    for (const std::string& value : values)
        line += " " + value;
    return line;
}

std::string ConditionsLine(std::string_view text, const std::vector<EntrySpan>& conditions,
                           const std::vector<std::vector<std::string>>& values) {
    std::string line;
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        if (!line.empty())
            line += "; ";
        line += EntryLine(text, conditions[i], EntryKind::Condition, values[i]);
    }
    return line;
}

std::string_view BaseName(std::string_view fileName) {
    return fileName.substr(0,
                           fileName.size() - std::min(fileName.size(), std::strlen(InfoExtension)));
}

// When a file was last written, as the index saw it before reading the file: a later
// write gives it another stamp, however fast it follows.
struct Stamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp StampOf(const std::string& path) {
    Stamp stamp;
    TesselEngine::Platform::QueryStamp(path.c_str(), &stamp.size, &stamp.modified);
    return stamp;
}

// The file's bytes, read into the stream and seen through the view.
bool ReadText(const std::string& path, TesselEngine::IO::Stream& stream, std::string_view& text) {
    File file{Char256(path.c_str())};
    const bool read = file.LoadWhole(stream);
    text = read && stream.GetBuffer() ? std::string_view(stream.GetBuffer(), stream.GetSize())
                                      : std::string_view();
    return read;
}
} // namespace

InfoOutline ScanInfoText(std::string_view name, std::string_view text,
                         const std::function<void(std::string_view, const Place&)>& use) {
    return ScanInfoText(name, text, FindInfoRegions(text), use);
}

InfoOutline ScanInfoText(std::string_view name, std::string_view text, const InfoRegions& regions,
                         const std::function<void(std::string_view, const Place&)>& use) {
    InfoOutline outline;
    outline.name = name;
    std::vector<std::vector<std::string>> conditionValues(regions.conditions.size());
    std::optional<std::uint16_t> firstSay;
    // The speaker and listener of each command, for the texts of the spoken ones.
    std::vector<std::pair<std::string, std::string>> parties(regions.commands.size());
    std::vector<std::uint16_t> textEntries;
    std::vector<std::vector<std::string>> commandValues(regions.commands.size());
    ForEachValue(text, regions, [&](const ValueAt& at) {
        const std::string_view value = at.value;
        const Place& place = at.place;
        if (place.list == PlaceList::Member) {
            const std::string_view member = InfoMemberTable()[place.field].name;
            if (member == "Owner")
                outline.owner = value;
            else if (member == "Quest")
                outline.quest = value;
            else if (member == "Parent")
                outline.parent = value;
            else if (member == "MainSortID")
                outline.mainSortId = Number(value);
            else if (member == "SortID")
                outline.sortId = Number(value);
        } else if (place.list == PlaceList::Condition) {
            conditionValues[place.entry].emplace_back(value);
        } else if (place.list == PlaceList::Command) {
            commandValues[place.entry].emplace_back(value);
        }
        if (place.list == PlaceList::Command && place.SlotOf() == Slot::Entity1) {
            parties[place.entry].first = value;
        } else if (place.list == PlaceList::Command && place.SlotOf() == Slot::Entity2) {
            parties[place.entry].second = value;
        } else if (place.list == PlaceList::Command && place.SlotOf() == Slot::LocString) {
            const EntryType* type = CommandType(at.entryClass);
            if (type && !type->textTable.empty()) {
                outline.texts.push_back({std::string(type->textTable),
                                         std::string(value),
                                         std::string(type->name),
                                         {},
                                         {},
                                         place.entry});
                textEntries.push_back(place.entry);
                if (!firstSay && IsSpoken(*type)) {
                    firstSay = place.entry;
                    outline.firstLine = value;
                }
            }
        }
        use(value, place);
    });
    for (std::size_t i = 0; i < outline.texts.size(); ++i) {
        const EntryType* type = FindClassType(EntryKind::Command, outline.texts[i].command);
        if (type && IsSpoken(*type)) {
            outline.texts[i].speaker = parties[textEntries[i]].first;
            outline.texts[i].listener = parties[textEntries[i]].second;
        }
    }
    outline.conditions = ConditionsLine(text, regions.conditions, conditionValues);
    outline.commands.reserve(regions.commands.size());
    for (std::size_t i = 0; i < regions.commands.size(); ++i)
        outline.commands.push_back(
            EntryLine(text, regions.commands[i], EntryKind::Command, commandValues[i]));
    return outline;
}

namespace {
// Values numbered as they are met, so that each reader of a build numbers its own and
// the build joins the numbers once per value rather than once per use.
class ValueNumbers {
public:
    std::uint32_t Of(std::string_view value) {
        if ((texts.size() + 1) * 2 > slots.size())
            Grow();
        const std::uint64_t hash = Hash(value);
        for (std::size_t i = hash & (slots.size() - 1);; i = (i + 1) & (slots.size() - 1)) {
            Slot& slot = slots[i];
            if (slot.id == Empty) {
                slot = {hash, static_cast<std::uint32_t>(texts.size())};
                texts.emplace_back(value);
                return slot.id;
            }
            if (slot.hash == hash && texts[slot.id] == value)
                return slot.id;
        }
    }
    std::optional<std::uint32_t> Find(std::string_view value) const {
        if (slots.empty())
            return std::nullopt;
        const std::uint64_t hash = Hash(value);
        for (std::size_t i = hash & (slots.size() - 1);; i = (i + 1) & (slots.size() - 1)) {
            const Slot& slot = slots[i];
            if (slot.id == Empty)
                return std::nullopt;
            if (slot.hash == hash && texts[slot.id] == value)
                return slot.id;
        }
    }
    std::size_t Size() const { return texts.size(); }
    const std::string& Text(std::uint32_t id) const { return texts[id]; }

private:
    // Open addressing over a table at most half full: a build numbers about a million
    // values, and a node-based map spends most of that time chasing its nodes.
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t id = Empty;
    };
    static std::uint64_t Hash(std::string_view text) {
        std::uint64_t hash = 1469598103934665603ull; // FNV-1a
        for (const char c : text)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return hash ^ (hash >> 29);
    }
    void Grow() {
        std::vector<Slot> old(std::max<std::size_t>(slots.size() * 2, 1024));
        old.swap(slots);
        for (const Slot& slot : old) {
            if (slot.id == Empty)
                continue;
            std::size_t i = slot.hash & (slots.size() - 1);
            while (slots[i].id != Empty)
                i = (i + 1) & (slots.size() - 1);
            slots[i] = slot;
        }
    }

    std::vector<Slot> slots;
    std::vector<std::string> texts; // by number
};

using Uses = std::vector<std::pair<std::uint32_t, Place>>; // value number, place

struct ScannedFile {
    InfoOutline outline;
    Uses uses;
    Stamp stamp;
    bool whole = true; // the editor's reader takes all of it (see ReadsWhole)
};

// The info's file, its values numbered in numbers.
std::optional<ScannedFile> ScanFile(std::string_view name, ValueNumbers& numbers) {
    const std::string path = InfoDirectoryName + std::string(name) + InfoExtension;
    ScannedFile file;
    file.stamp = StampOf(path);
    TesselEngine::IO::Stream stream;
    std::string_view text;
    if (!ReadText(path, stream, text))
        return std::nullopt;
    file.uses.reserve(64);
    // Taken apart once for both readers: it is a good part of the work of each.
    const InfoRegions regions = FindInfoRegions(text);
    file.outline =
        ScanInfoText(name, text, regions, [&](std::string_view value, const Place& place) {
            file.uses.emplace_back(numbers.Of(value), place);
        });
    file.whole = ReadsWhole(text, regions);
    return file;
}

// The file of an info that was saved, renamed or deleted: nothing when it is gone.
std::optional<ScannedFile> ReadSaved(std::string_view name, ValueNumbers& numbers) {
    if (!IsValidInfoName(name))
        return std::nullopt;
    return ScanFile(name, numbers);
}
} // namespace

struct ReferenceIndex::Data {
    struct Info {
        InfoOutline outline;
        Uses uses;
        Stamp stamp;
        bool whole = true;
        bool live = true;
    };
    std::vector<Info> infos;
    std::unordered_map<std::string, std::uint32_t> infoIds;
    ValueNumbers values;
    std::vector<std::vector<std::uint32_t>> holders; // by value number: the infos using it
    bool built = false;

    std::uint32_t ValueId(std::string_view value) {
        const std::uint32_t id = values.Of(value);
        if (id == holders.size())
            holders.emplace_back();
        return id;
    }

    // uses: numbered by the reader; toGlobal turns its numbers into the index's.
    void Add(ScannedFile&& file, const std::vector<std::uint32_t>* toGlobal) {
        const auto id = static_cast<std::uint32_t>(infos.size());
        for (auto& use : file.uses) {
            if (toGlobal)
                use.first = (*toGlobal)[use.first];
            std::vector<std::uint32_t>& users = holders[use.first];
            if (users.empty() || users.back() != id)
                users.push_back(id);
        }
        infoIds[file.outline.name] = id;
        infos.push_back(
            Info{std::move(file.outline), std::move(file.uses), file.stamp, file.whole, true});
    }

    // The numbers of a reader's values in the index's.
    std::vector<std::uint32_t> ToGlobal(const ValueNumbers& numbers) {
        std::vector<std::uint32_t> global;
        global.reserve(numbers.Size());
        for (std::uint32_t id = 0; id < numbers.Size(); ++id)
            global.push_back(ValueId(numbers.Text(id)));
        return global;
    }

    // The info as its file was read now (numbered in numbers), or forgotten when it
    // could not be read.
    void Replace(std::string_view name, std::optional<ScannedFile>&& file,
                 const ValueNumbers& numbers) {
        Remove(name);
        if (!file)
            return;
        const std::vector<std::uint32_t> global = ToGlobal(numbers);
        Add(std::move(*file), &global);
    }

    void Remove(std::string_view name) {
        const auto it = infoIds.find(std::string(name));
        if (it == infoIds.end())
            return;
        const std::uint32_t id = it->second;
        Info& info = infos[id];
        for (const auto& use : info.uses) {
            auto& users = holders[use.first];
            users.erase(std::remove(users.begin(), users.end(), id), users.end());
        }
        info.uses.clear();
        info.live = false;
        infoIds.erase(it);
    }
};

ReferenceIndex::ReferenceIndex() : data(std::make_unique<Data>()) {}
ReferenceIndex::~ReferenceIndex() = default;

Jobs::Outcome ReferenceIndex::Build(const Jobs::ProgressFn& progress,
                                    const Jobs::CancelFn& cancel) {
    Jobs::Outcome outcome;
    // The infos saved from the listing on: each is read again before the new data takes
    // the place of the old, which would forget them otherwise.
    std::set<std::string> savedMeanwhile;
    {
        const std::lock_guard lock(mutex);
        builds.push_back(&savedMeanwhile);
    }
    struct Unregister {
        ReferenceIndex& index;
        std::set<std::string>* saved;
        ~Unregister() {
            const std::lock_guard lock(index.mutex);
            std::erase(index.builds, saved);
        }
    } unregister{*this, &savedMeanwhile};
    std::vector<std::string> names;
    if (!InfoManager::ListInfoFiles(names)) {
        outcome.succeeded = false;
        outcome.failure = TesselEngine::LastFailure();
        return outcome;
    }

    // Two readers share the files: reading and taking them apart is the work. Each
    // numbers the values it meets on its own.
    constexpr int Readers = 2;
    std::vector<std::optional<ScannedFile>> scanned(names.size());
    std::vector<std::uint8_t> readBy(names.size());
    ValueNumbers numbers[Readers];
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    const auto read = [&](int reader, std::size_t i) {
        scanned[i] = ScanFile(BaseName(names[i]), numbers[reader]);
        readBy[i] = static_cast<std::uint8_t>(reader);
    };
    std::thread helper([&] {
        for (std::size_t i = next++; i < names.size() && !stop; i = next++)
            read(1, i);
    });
    Jobs::ProgressReporter reporter(progress);
    for (std::size_t i = next++; i < names.size(); i = next++) {
        read(0, i);
        const std::size_t done = std::min(next.load(), names.size());
        reporter.Report(Jobs::Percent(done, names.size()), done, names.size());
        if (cancel && cancel()) {
            stop = true;
            outcome.cancelled = true;
            break;
        }
    }
    helper.join();
    // The other reader may have read every file: a cancel asked for by then counts too.
    if (!outcome.cancelled && cancel && cancel())
        outcome.cancelled = true;
    if (outcome.cancelled)
        return outcome;

    // The first reader's numbers become the index's; the others' are joined to them.
    auto fresh = std::make_unique<Data>();
    fresh->values = std::move(numbers[0]);
    fresh->holders.resize(fresh->values.Size());
    std::vector<std::uint32_t> toGlobal[Readers];
    for (int reader = 1; reader < Readers; ++reader)
        toGlobal[reader] = fresh->ToGlobal(numbers[reader]);
    fresh->infos.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (scanned[i])
            fresh->Add(std::move(*scanned[i]), readBy[i] == 0 ? nullptr : &toGlobal[readBy[i]]);
        else
            outcome.skipped.push_back(InfoDirectoryName + names[i]);
    }
    fresh->built = true;
    std::unique_lock lock(mutex);
    while (!savedMeanwhile.empty()) {
        const std::set<std::string> saved = std::exchange(savedMeanwhile, {});
        lock.unlock();
        for (const std::string& name : saved) {
            ValueNumbers own;
            std::optional<ScannedFile> file = ReadSaved(name, own);
            fresh->Replace(name, std::move(file), own);
        }
        lock.lock();
    }
    data = std::move(fresh);
    ++version;
    return outcome;
}

void ReferenceIndex::Clear() {
    auto empty = std::make_unique<Data>();
    const std::lock_guard lock(mutex);
    data.swap(empty);
    ++version;
}

bool ReferenceIndex::IsBuilt() const {
    const std::lock_guard lock(mutex);
    return data->built;
}

std::uint64_t ReferenceIndex::Version() const {
    const std::lock_guard lock(mutex);
    return version;
}

void ReferenceIndex::Refresh(std::string_view name) {
    ValueNumbers own;
    std::optional<ScannedFile> file = ReadSaved(name, own);
    const std::lock_guard lock(mutex);
    Touched(name);
    data->Replace(name, std::move(file), own);
    ++version;
}

void ReferenceIndex::Forget(std::string_view name) {
    const std::lock_guard lock(mutex);
    Touched(name);
    data->Remove(name);
    ++version;
}

void ReferenceIndex::Touched(std::string_view name) {
    for (std::set<std::string>* saved : builds)
        saved->emplace(name);
}

bool ReferenceIndex::RefreshChanged() {
    std::vector<std::string> files;
    if (!InfoManager::ListInfoFiles(files))
        return false;
    std::map<std::string, Stamp> known;
    {
        const std::lock_guard lock(mutex);
        for (const Data::Info& info : data->infos) {
            if (info.live)
                known.emplace(info.outline.name, info.stamp);
        }
    }
    for (const std::string& file : files) {
        const std::string name(BaseName(file));
        const auto seen = known.find(name);
        if (seen == known.end() || seen->second != StampOf(InfoDirectoryName + file))
            Refresh(name);
        if (seen != known.end())
            known.erase(seen);
    }
    for (const auto& [name, stamp] : known)
        Forget(name); // its file is gone
    return true;
}

std::vector<std::string> ReferenceIndex::NotReadWhole() const {
    std::vector<std::string> names;
    const std::lock_guard lock(mutex);
    for (const Data::Info& info : data->infos) {
        if (info.live && !info.whole)
            names.push_back(info.outline.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<Usage> ReferenceIndex::Usages(std::string_view value) const {
    std::vector<Usage> usages;
    const std::lock_guard lock(mutex);
    const std::optional<std::uint32_t> wanted = data->values.Find(value);
    if (!wanted)
        return usages;
    // The infos by name, each once; then each info's places in order.
    std::vector<std::uint32_t> holders = data->holders[*wanted];
    std::sort(holders.begin(), holders.end(), [this](std::uint32_t a, std::uint32_t b) {
        return data->infos[a].outline.name < data->infos[b].outline.name;
    });
    for (const std::uint32_t id : holders) {
        const Data::Info& info = data->infos[id];
        const std::size_t first = usages.size();
        for (const auto& [valueId, place] : info.uses) {
            if (valueId == *wanted)
                usages.push_back({info.outline.name, place});
        }
        std::sort(usages.begin() + static_cast<std::ptrdiff_t>(first), usages.end(),
                  [](const Usage& a, const Usage& b) { return a.place < b.place; });
    }
    return usages;
}

std::optional<InfoOutline> ReferenceIndex::Outline(std::string_view name) const {
    const std::lock_guard lock(mutex);
    const auto it = data->infoIds.find(std::string(name));
    if (it == data->infoIds.end())
        return std::nullopt;
    return data->infos[it->second].outline;
}

std::vector<InfoOutline> ReferenceIndex::Outlines() const {
    std::vector<InfoOutline> outlines;
    const std::lock_guard lock(mutex);
    outlines.reserve(data->infos.size());
    for (const Data::Info& info : data->infos) {
        if (info.live)
            outlines.push_back(info.outline);
    }
    return outlines;
}

ReferenceIndex& References() {
    static ReferenceIndex index;
    return index;
}

} // namespace VaskEdit
