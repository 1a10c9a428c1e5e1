#include "library/ConversationScript.h"

#include "info/TextTable.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

namespace VaskEdit {

namespace {
bool ReadsBefore(const InfoOutline* a, const InfoOutline* b) {
    return std::tie(a->mainSortId, a->sortId, a->name) <
           std::tie(b->mainSortId, b->sortId, b->name);
}

bool IsSpoken(std::string_view command) {
    return command == "Say" || command == "SaySVM";
}

// Values never hold ";" (the reader drops it), so "; " parts the line exactly.
std::vector<std::string> SplitConditions(const std::string& line) {
    std::vector<std::string> conditions;
    std::size_t from = 0;
    while (from < line.size()) {
        const std::size_t end = std::min(line.find("; ", from), line.size());
        conditions.push_back(line.substr(from, end - from));
        from = end + 2;
    }
    return conditions;
}

bool OnPath(const std::vector<ScriptStep>& path, std::string_view name) {
    return std::any_of(path.begin(), path.end(),
                       [name](const ScriptStep& step) { return !step.cycle && step.info == name; });
}

// What the player is offered to choose the info by, when it has a description.
std::string DescriptionText(const InfoOutline& info) {
    for (const TextReference& text : info.texts) {
        if (text.command == "Description")
            return TextTables::LookUp(text.table.c_str(), text.id);
    }
    return {};
}

// What a line of the info shows: "Speaker: text" for a spoken line.
std::string ShownLine(const ScriptLine& line) {
    if (line.kind == ScriptLine::Kind::Spoken)
        return (line.speaker.empty() ? std::string("?") : line.speaker) + ": " + line.text;
    return "(" + line.command + ") " + line.text;
}

std::string ChoiceText(std::size_t number, const ScriptChoice& choice) {
    std::string line = "  " + std::to_string(number) + ". " + choice.info;
    if (!choice.firstLine.empty())
        line += ": " + choice.firstLine;
    if (!choice.conditions.empty())
        line += "  [" + choice.ConditionsLine() + "]";
    return line;
}
} // namespace

std::string ScriptChoice::ConditionsLine() const {
    std::string line;
    for (const std::string& condition : conditions)
        line += (line.empty() ? "" : "; ") + condition;
    return line;
}

std::vector<ScriptLine> ScriptLinesOf(const InfoOutline& info) {
    std::vector<ScriptLine> lines(info.commands.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].summary = info.commands[i];
        lines[i].command = info.commands[i].substr(0, info.commands[i].find(' '));
        lines[i].commandIndex = static_cast<std::uint16_t>(i);
    }
    for (const TextReference& text : info.texts) {
        if (text.entry >= lines.size()) // an outline made without its commands
            lines.resize(text.entry + 1u);
        ScriptLine& line = lines[text.entry];
        line.kind = IsSpoken(text.command) ? ScriptLine::Kind::Spoken : ScriptLine::Kind::Other;
        line.command = text.command;
        line.speaker = text.speaker;
        line.table = text.table;
        line.textId = text.id;
        line.text = TextTables::LookUp(text.table.c_str(), text.id);
        line.commandIndex = text.entry;
        if (line.summary.empty())
            line.summary = text.command + " " + text.id;
    }
    return lines;
}

ScriptIndex::ScriptIndex(const std::vector<InfoOutline>& infos) {
    byName.reserve(infos.size());
    for (const InfoOutline& info : infos)
        byName.emplace(info.name, &info);
    for (const InfoOutline& info : infos) {
        if (const auto parent = byName.find(info.parent); parent != byName.end())
            below[parent->first].push_back(&info);
    }
    for (auto& [parent, children] : below)
        std::sort(children.begin(), children.end(), ReadsBefore);
}

const InfoOutline* ScriptIndex::Find(std::string_view name) const {
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

std::vector<ScriptChoice> ScriptIndex::Offer(const std::vector<const InfoOutline*>& infos,
                                             const std::vector<ScriptStep>& path,
                                             std::string_view reading) const {
    std::vector<ScriptChoice> choices;
    choices.reserve(infos.size());
    for (const InfoOutline* info : infos) {
        choices.push_back({info->name, FirstLineText(*info), DescriptionText(*info),
                           SplitConditions(info->conditions),
                           info->name == reading || OnPath(path, info->name)});
    }
    return choices;
}

ScriptStep ScriptIndex::First(const ScriptStart& start, std::string* refusal) const {
    if (start.scope == ConversationScope::All) {
        if (const InfoOutline* info = Find(start.name))
            return Read(*info, {});
        *refusal = "no info \"" + start.name + "\"";
        return {};
    }
    // The top infos of the owner (quest): those whose parent is none of its infos.
    const auto of = [&start](const InfoOutline& info) -> const std::string& {
        return start.scope == ConversationScope::Owner ? info.owner : info.quest;
    };
    std::vector<const InfoOutline*> scoped;
    for (const auto& [name, info] : byName) {
        if (of(*info) == start.name)
            scoped.push_back(info);
    }
    std::sort(scoped.begin(), scoped.end(), ReadsBefore);
    std::vector<const InfoOutline*> tops;
    for (const InfoOutline* info : scoped) {
        const InfoOutline* parent = Find(info->parent);
        if (!(parent && of(*parent) == start.name))
            tops.push_back(info);
    }
    // Infos on a cycle that no top leads to would never be offered: the first of each
    // such cycle (in reading order) is offered after the tops.
    std::unordered_set<std::string_view> reached;
    std::vector<const InfoOutline*> pending;
    const auto reach = [&](const InfoOutline* from) {
        pending.push_back(from);
        while (!pending.empty()) {
            const InfoOutline* info = pending.back();
            pending.pop_back();
            if (!reached.insert(info->name).second)
                continue;
            if (const auto next = below.find(info->name); next != below.end())
                pending.insert(pending.end(), next->second.begin(), next->second.end());
        }
    };
    for (const InfoOutline* top : tops)
        reach(top);
    for (const InfoOutline* info : scoped) {
        if (!reached.contains(info->name)) {
            tops.push_back(info);
            reach(info);
        }
    }
    if (tops.empty())
        *refusal = "no info of \"" + start.name + "\"";
    ScriptStep step;
    step.choices = Offer(tops, {}, {});
    return step;
}

ScriptStep ScriptIndex::Read(const InfoOutline& info, const std::vector<ScriptStep>& path) const {
    ScriptStep step;
    step.info = info.name;
    step.lines = ScriptLinesOf(info);
    if (const auto next = below.find(info.name); next != below.end())
        step.choices = Offer(next->second, path, info.name);
    return step;
}

ScriptStep ScriptIndex::Follow(const std::vector<ScriptStep>& path, std::size_t choice) const {
    const ScriptChoice& taken = path.back().choices.at(choice);
    if (OnPath(path, taken.info)) {
        ScriptStep cycle;
        cycle.info = taken.info;
        cycle.cycle = true;
        return cycle;
    }
    if (const InfoOutline* info = Find(taken.info))
        return Read(*info, path);
    ScriptStep gone; // offered by outlines that no longer hold it: nothing to read
    gone.info = taken.info;
    return gone;
}

ScriptReading ReadScript(const std::vector<InfoOutline>& infos, const ScriptStart& start,
                         const std::vector<int>& path) {
    ScriptReading reading;
    const ScriptIndex index(infos);
    reading.steps.push_back(index.First(start, &reading.refusal));
    if (!reading.refusal.empty()) {
        reading.steps.clear();
        return reading;
    }
    std::size_t step = 0; // choices taken so far
    while (!reading.steps.back().cycle && !reading.steps.back().choices.empty()) {
        ScriptStep& at = reading.steps.back();
        std::size_t taken = 0;
        if (step < path.size()) {
            if (path[step] < 1 || static_cast<std::size_t>(path[step]) > at.choices.size()) {
                reading.refusal = "choice " + std::to_string(path[step]) + " at step " +
                                  std::to_string(step + 1) + " is not among the " +
                                  std::to_string(at.choices.size()) + " offered";
                return reading;
            }
            taken = static_cast<std::size_t>(path[step] - 1);
        }
        ++step;
        at.taken = static_cast<int>(taken);
        ScriptStep next = index.Follow(reading.steps, taken);
        reading.steps.push_back(std::move(next));
    }
    reading.ended = true;
    if (step < path.size())
        reading.refusal = "the conversation ends after " + std::to_string(step) +
                          (step == 1 ? " choice" : " choices") + "; the path gives " +
                          std::to_string(path.size());
    return reading;
}

std::vector<std::string> ScriptText(const ScriptReading& reading) {
    std::vector<std::string> text;
    for (const ScriptStep& step : reading.steps) {
        if (step.cycle) {
            text.push_back(step.info + " (read above: a cycle, not followed)");
            continue;
        }
        if (!step.info.empty())
            text.push_back(step.info);
        for (const ScriptLine& line : step.lines) {
            if (line.ShowsText())
                text.push_back("  " + ShownLine(line));
        }
        if (step.choices.empty())
            continue;
        text.push_back("Choices:");
        for (std::size_t i = 0; i < step.choices.size(); ++i)
            text.push_back(ChoiceText(i + 1, step.choices[i]));
        if (step.taken >= 0)
            text.push_back("> " + std::to_string(step.taken + 1));
    }
    if (reading.ended)
        text.push_back("(end)");
    return text;
}

} // namespace VaskEdit
