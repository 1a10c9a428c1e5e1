#include "library/SpokenSearch.h"
#include "info/TextTable.h"
#include "library/TextExchange.h"
#include "library/TextReplace.h"

#include <optional>
#include <unordered_map>

namespace VaskEdit {

namespace {
ReplaceRule Finding(std::string_view text) {
    return {std::string(text), {}, false, false};
}

// For each table, the display texts that hold the text, by id.
using FoundTexts = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

FoundTexts TextsHolding(const ReplaceRule& rule) {
    FoundTexts found;
    for (const std::string& table : TextTableNames()) {
        auto& texts = found[table];
        const std::optional<std::string> bytes = ReadTableBytes(table);
        if (!bytes)
            continue;
        ForEachTextMatching(*bytes, rule, [&texts](std::string_view id, std::string_view text) {
            texts.emplace(std::string(id), std::string(text));
        });
    }
    return found;
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
    const FoundTexts texts = TextsHolding(Finding(text));
    Jobs::ProgressReporter reporter(progress);
    const std::uint64_t n = infos.size();
    for (std::uint64_t i = 0; i < n; ++i) {
        const InfoOutline& info = infos[i];
        for (const TextReference& shown : info.texts) {
            const auto table = texts.find(shown.table);
            if (table == texts.end())
                continue;
            const auto line = table->second.find(shown.id);
            if (line == table->second.end())
                continue;
            found.push_back({info.name, shown.entry, shown.command, shown.speaker, shown.listener,
                             shown.table, shown.id, line->second});
        }
        reporter.Report(Jobs::Percent(i + 1, n), i + 1, n);
        if (cancel && cancel()) {
            outcome.cancelled = true;
            break;
        }
    }
    return outcome;
}

InfosByText InfosShowingEachText(const std::vector<InfoOutline>& infos) {
    InfosByText byText;
    for (const InfoOutline& info : infos) {
        for (const TextReference& shown : info.texts) {
            std::vector<std::string>& names = byText[{shown.table, shown.id}];
            if (names.empty() || names.back() != info.name)
                names.push_back(info.name);
        }
    }
    return byText;
}

} // namespace VaskEdit
