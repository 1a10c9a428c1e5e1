#include "library/ConversationScript.h"

#include "info/TextTable.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace VaskEdit {

namespace {
bool ReadsBefore(const InfoOutline* a, const InfoOutline* b) {
    return std::tie(a->mainSortId, a->sortId, a->name) <
           std::tie(b->mainSortId, b->sortId, b->name);
}

// What a line of the info shows: "Speaker: text" for a spoken line.
std::string ShownLine(const TextReference& text) {
    const std::string shown = TextTables::LookUp(text.table.c_str(), text.id);
    if (text.command == "Say" || text.command == "SaySVM")
        return (text.speaker.empty() ? std::string("?") : text.speaker) + ": " + shown;
    return "(" + text.command + ") " + shown;
}

std::string ChoiceLine(std::size_t number, const InfoOutline& info) {
    std::string line = "  " + std::to_string(number) + ". " + info.name;
    if (const std::string first = FirstLineText(info); !first.empty())
        line += ": " + first;
    if (!info.conditions.empty())
        line += "  [" + info.conditions + "]";
    return line;
}
} // namespace

ScriptReading ReadScript(const std::vector<InfoOutline>& infos, const ScriptStart& start,
                         const std::vector<int>& path) {
    ScriptReading reading;
    std::map<std::string, const InfoOutline*, std::less<>> byName;
    std::map<std::string, std::vector<const InfoOutline*>, std::less<>> below;
    for (const InfoOutline& info : infos)
        byName.emplace(info.name, &info);
    for (const InfoOutline& info : infos) {
        if (!info.parent.empty() && byName.contains(info.parent))
            below[info.parent].push_back(&info);
    }
    for (auto& [parent, children] : below)
        std::sort(children.begin(), children.end(), ReadsBefore);

    std::vector<const InfoOutline*> choices;
    if (start.scope == ConversationScope::All) {
        const auto found = byName.find(start.name);
        if (found == byName.end()) {
            reading.refusal = "no info \"" + start.name + "\"";
            return reading;
        }
        choices.push_back(found->second);
    } else {
        // The top infos of the owner (quest): those whose parent is none of its infos.
        for (const InfoOutline& info : infos) {
            const std::string& of =
                start.scope == ConversationScope::Owner ? info.owner : info.quest;
            const auto parent = byName.find(info.parent);
            const bool parentOfSame =
                parent != byName.end() &&
                (start.scope == ConversationScope::Owner ? parent->second->owner
                                                         : parent->second->quest) == start.name;
            if (of == start.name && !parentOfSame)
                choices.push_back(&info);
        }
        std::sort(choices.begin(), choices.end(), ReadsBefore);
        if (choices.empty()) {
            reading.refusal = "no info of \"" + start.name + "\"";
            return reading;
        }
    }

    std::set<std::string> read;
    std::size_t step = 0;
    // An info named at the start is read without a choice before it.
    bool offer = start.scope != ConversationScope::All;
    while (!choices.empty()) {
        std::size_t taken = 0;
        if (offer) {
            reading.lines.push_back("Choices:");
            for (std::size_t i = 0; i < choices.size(); ++i)
                reading.lines.push_back(ChoiceLine(i + 1, *choices[i]));
            if (step < path.size()) {
                if (path[step] < 1 || static_cast<std::size_t>(path[step]) > choices.size()) {
                    reading.refusal = "choice " + std::to_string(path[step]) + " at step " +
                                      std::to_string(step + 1) + " is not among the " +
                                      std::to_string(choices.size()) + " offered";
                    return reading;
                }
                taken = static_cast<std::size_t>(path[step] - 1);
            }
            ++step;
            reading.lines.push_back("> " + std::to_string(taken + 1));
        }
        offer = true;
        const InfoOutline& info = *choices[taken];
        if (!read.insert(info.name).second) {
            reading.lines.push_back(info.name + " (read above: a cycle, not followed)");
            break;
        }
        reading.lines.push_back(info.name);
        for (const TextReference& text : info.texts)
            reading.lines.push_back("  " + ShownLine(text));
        const auto next = below.find(info.name);
        choices = next == below.end() ? std::vector<const InfoOutline*>() : next->second;
    }
    reading.lines.push_back("(end)");
    if (step < path.size())
        reading.refusal = "the conversation ends after " + std::to_string(step) +
                          (step == 1 ? " choice" : " choices") + "; the path gives " +
                          std::to_string(path.size());
    return reading;
}

} // namespace VaskEdit
