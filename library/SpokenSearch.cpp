#include "library/SpokenSearch.h"
#include "info/TextTable.h"
#include "library/TextExchange.h"
#include "library/TextReplace.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace VaskEdit {

namespace {
ReplaceRule Finding(std::string_view text) {
    return {std::string(text), {}, false, false};
}

// For each table, the display texts that hold the text, by id; both views into the
// table's bytes, which it keeps.
struct FoundTexts {
    std::vector<std::string> bytes;
    std::vector<std::pair<std::string, std::unordered_map<std::string_view, std::string_view>>>
        tables;

    const std::unordered_map<std::string_view, std::string_view>*
    Of(const std::string& table) const {
        for (const auto& [name, texts] : tables) {
            if (name == table)
                return &texts;
        }
        return nullptr;
    }
};

void FindTexts(const ReplaceRule& rule, FoundTexts& found) {
    found.bytes.reserve(TextTableNames().size()); // the views stay where they point
    for (const std::string& table : TextTableNames()) {
        std::optional<std::string> bytes = ReadTableBytes(table);
        if (!bytes)
            continue;
        found.bytes.push_back(std::move(*bytes));
        found.tables.push_back({table, {}});
        auto& texts = found.tables.back().second;
        ForEachTextMatching(
            found.bytes.back(), rule,
            [&texts](std::string_view id, std::string_view text) { texts.emplace(id, text); });
    }
}
} // namespace

bool ShowsText(const InfoOutline& info, std::string_view text) {
    const ReplaceRule rule = Finding(text);
    for (const TextReference& shown : info.texts) {
        if (!MatchesIn(TextTables::LookUp(shown.table.c_str(), shown.id), rule).empty())
            return true;
    }
    return false;
}

std::vector<InfoOutline> InfosShowing(const std::vector<InfoOutline>& infos,
                                      std::string_view text) {
    std::vector<InfoOutline> found;
    for (const InfoOutline& info : infos) {
        if (ShowsText(info, text))
            found.push_back(info);
    }
    return found;
}

Jobs::Outcome FindSpokenLines(const std::vector<InfoOutline>& infos, std::string_view text,
                              std::vector<SpokenLine>& found, const Jobs::ProgressFn& progress,
                              const Jobs::CancelFn& cancel) {
    Jobs::Outcome outcome;
    if (text.empty())
        return outcome;
    FoundTexts texts;
    FindTexts(Finding(text), texts);
    Jobs::ProgressReporter reporter(progress);
    const std::uint64_t n = infos.size();
    for (std::uint64_t i = 0; i < n; ++i) {
        const InfoOutline& info = infos[i];
        for (const TextReference& shown : info.texts) {
            const auto* table = texts.Of(shown.table);
            if (!table || table->empty())
                continue;
            const auto line = table->find(shown.id);
            if (line == table->end())
                continue;
            found.push_back({info.name, shown.entry, shown.command, shown.speaker, shown.listener,
                             shown.table, shown.id, std::string(line->second)});
        }
        reporter.Report(Jobs::Percent(i + 1, n), i + 1, n);
        if (cancel && cancel()) {
            outcome.cancelled = true;
            break;
        }
    }
    return outcome;
}

InfosByText InfosShowingEachText(const std::vector<InfoOutline>& infos,
                                 const std::vector<TextChange>& texts) {
    // The ids asked for, by table, each with the slot its infos are gathered in: the
    // infos' texts are looked up without building a key for each.
    std::vector<std::vector<std::string>> slots(texts.size());
    std::vector<std::pair<std::string_view, std::unordered_map<std::string_view, std::size_t>>>
        asked;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto table = std::find_if(asked.begin(), asked.end(),
                                  [&](const auto& ids) { return ids.first == texts[i].table; });
        if (table == asked.end())
            table = asked.insert(asked.end(), {texts[i].table, {}});
        table->second.emplace(texts[i].id, i);
    }
    for (const InfoOutline& info : infos) {
        for (const TextReference& shown : info.texts) {
            const auto table = std::find_if(asked.begin(), asked.end(), [&](const auto& ids) {
                return ids.first == shown.table;
            });
            if (table == asked.end())
                continue;
            const auto slot = table->second.find(shown.id);
            if (slot == table->second.end())
                continue;
            std::vector<std::string>& names = slots[slot->second];
            if (names.empty() || names.back() != info.name)
                names.push_back(info.name);
        }
    }
    // An id asked twice shows the same infos.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (const auto& [table, ids] : asked) {
            if (table != texts[i].table)
                continue;
            if (const std::size_t first = ids.at(texts[i].id); first != i)
                slots[i] = slots[first];
        }
    }
    return slots;
}

} // namespace VaskEdit
