#include "library/ReplaceUndo.h"

#include <map>

namespace VaskEdit {

TextImport PlanReplaceUndo(const std::vector<TextChange>& written) {
    TextImport plan;
    std::map<std::string, std::unordered_map<std::string, std::optional<std::string>>> tables;
    for (const TextChange& change : written) {
        auto table = tables.find(change.table);
        if (table == tables.end()) {
            // Read once, and compared against when the plan is written.
            const std::optional<std::string> bytes = ReadTableBytes(change.table);
            plan.tablesRead.push_back(
                {change.table, bytes ? TesselEngine::FingerprintOf(change.table, *bytes)
                                     : TesselEngine::FileFingerprint{}});
            table = tables.emplace(change.table, TableDisplayTexts(bytes.value_or(""))).first;
        }
        const auto line = table->second.find(change.id);
        const std::optional<std::string> now =
            line == table->second.end() ? std::nullopt : line->second;
        if (now == change.after)
            plan.changes.push_back({change.table, change.id, change.after, change.before});
        else if (now != change.before)
            plan.problems.push_back("the text of \"" + change.id + "\" in \"" + change.table +
                                    "\" was changed since the replace");
    }
    if (!plan.problems.empty())
        plan.changes.clear();
    return plan;
}

} // namespace VaskEdit
