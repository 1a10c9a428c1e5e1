#include "library/NameLists.h"

#include "info/TextTable.h"
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/TemplateManager.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string_view>

namespace VaskEdit {

namespace {
constexpr const char* LinesTable = "infosa.csv";

// Ids with what is shown beside them; a later non-empty text does not replace one.
class Collected {
public:
    void Add(std::string_view id, std::string_view shown = {}) {
        if (id.empty())
            return;
        std::string& kept = names[std::string(id)];
        if (kept.empty())
            kept = shown;
    }
    std::vector<KnownName> Sorted() const {
        std::vector<KnownName> list;
        list.reserve(names.size());
        for (const auto& [id, shown] : names)
            list.push_back({id, shown});
        return list;
    }

private:
    std::map<std::string, std::string> names;
};

// A cheap fingerprint of the info and template caches: a hash of their texts.
std::uint64_t CachesFingerprint() {
    std::uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](std::string_view text) {
        for (const char c : text)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        hash = (hash ^ 0xff) * 1099511628211ull;
    };
    const auto& infos = InfoManager::InfoFileCache;
    for (std::uint32_t i = 0; i < infos.GetSize(); ++i) {
        mix(infos[i].Name.View());
        mix(infos[i].Owner.View());
        mix(infos[i].Quest.View());
    }
    mix("templates");
    const auto& templates = TemplateManager::TemplateCache;
    for (std::uint32_t i = 0; i < templates.GetSize(); ++i) {
        mix(templates[i].Name.View());
        mix(templates[i].GUID.View());
    }
    return hash;
}
} // namespace

const std::vector<KnownName>& NameLists::Of(NameKind kind) const {
    static const std::vector<KnownName> none;
    switch (kind) {
    case NameKind::Info:
        return infos;
    case NameKind::Quest:
        return quests;
    case NameKind::Person:
        return persons;
    case NameKind::Template:
        return templates;
    case NameKind::None:
        break;
    }
    return none;
}

NameLists GatherNames(const ReferenceIndex& index) {
    Collected infos;
    Collected quests;
    Collected persons;
    std::error_code error;
    const bool linesExist = std::filesystem::is_regular_file(LinesTable, error);
    for (const InfoOutline& outline : index.Outlines()) {
        const std::string line = linesExist && !outline.firstLine.empty()
                                     ? TextTables::LookUp(LinesTable, outline.firstLine)
                                     : std::string();
        infos.Add(outline.name, line);
        quests.Add(outline.quest);
        persons.Add(outline.owner);
        for (const TextReference& text : outline.texts) {
            persons.Add(text.speaker);
            persons.Add(text.listener);
        }
    }
    const auto& cache = InfoManager::InfoFileCache;
    for (std::uint32_t i = 0; i < cache.GetSize(); ++i) {
        infos.Add(cache[i].Name.View());
        persons.Add(cache[i].Owner.View());
        quests.Add(cache[i].Quest.View());
    }
    Collected templates;
    const auto& templateCache = TemplateManager::TemplateCache;
    for (std::uint32_t i = 0; i < templateCache.GetSize(); ++i)
        templates.Add(templateCache[i].Name.View(), templateCache[i].GUID.View());
    return {infos.Sorted(), quests.Sorted(), persons.Sorted(), templates.Sorted()};
}

std::uint64_t NamesVersion(const ReferenceIndex& index) {
    return index.Version() * 1000003ull ^ CachesFingerprint();
}

} // namespace VaskEdit
