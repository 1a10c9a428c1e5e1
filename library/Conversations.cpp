#include "library/Conversations.h"
#include "info/TextTable.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace VaskEdit {

namespace {
bool Taken(const InfoOutline& info, ConversationScope scope, std::string_view name) {
    switch (scope) {
    case ConversationScope::Owner:
        return info.owner == name;
    case ConversationScope::Quest:
        return info.quest == name;
    case ConversationScope::All:
        break;
    }
    return true;
}

class Forest {
public:
    Forest(const std::vector<InfoOutline>& infos, std::vector<std::size_t> taken)
        : infos(infos), taken(std::move(taken)) {}

    std::vector<ConversationLine> Lines() {
        std::unordered_map<std::string_view, std::size_t> byName;
        for (const std::size_t i : taken)
            byName.emplace(infos[i].name, i);
        std::unordered_set<std::string_view> allNames;
        for (const InfoOutline& info : infos)
            allNames.insert(info.name);
        std::vector<std::size_t> roots;
        for (const std::size_t i : taken) {
            const auto parent = byName.find(infos[i].parent);
            if (infos[i].parent.empty() || parent == byName.end())
                roots.push_back(i);
            else
                children[parent->second].push_back(i);
        }
        for (auto& [parent, kids] : children)
            Order(kids);
        Order(roots);
        for (const std::size_t root : roots) {
            const std::string& parent = infos[root].parent;
            Visit(root, 0, !parent.empty() && !allNames.contains(parent) ? parent : "");
        }
        // What is left is a cycle or hangs below one: start from the cycle's first info in
        // sibling order, so that everything below it comes once, under its parent.
        std::vector<std::size_t> rest;
        for (const std::size_t i : taken) {
            if (!visited.contains(i))
                rest.push_back(i);
        }
        Order(rest);
        for (const std::size_t i : rest) {
            if (visited.contains(i))
                continue;
            const auto parentOf = [&](std::size_t info) { return byName.at(infos[info].parent); };
            std::unordered_set<std::size_t> above;
            std::size_t onCycle = i;
            while (above.insert(onCycle).second)
                onCycle = parentOf(onCycle);
            std::vector<std::size_t> cycle{onCycle};
            for (std::size_t next = parentOf(onCycle); next != onCycle; next = parentOf(next))
                cycle.push_back(next);
            Order(cycle);
            Visit(cycle.front(), 0, "");
        }
        return std::move(lines);
    }

private:
    void Order(std::vector<std::size_t>& list) const {
        std::sort(list.begin(), list.end(), [this](std::size_t a, std::size_t b) {
            const InfoOutline& x = infos[a];
            const InfoOutline& y = infos[b];
            return std::tie(x.mainSortId, x.sortId, x.name) <
                   std::tie(y.mainSortId, y.sortId, y.name);
        });
    }

    void Visit(std::size_t root, int depth, const std::string& missingParent) {
        // An explicit stack: a conversation may be thousands of infos deep.
        struct Step {
            std::size_t info;
            int depth;
            std::size_t next = 0; // the next child to visit
        };
        std::vector<Step> path;
        std::unordered_set<std::size_t> onPath;
        lines.push_back({depth, root, false, missingParent});
        visited.insert(root);
        path.push_back({root, depth});
        onPath.insert(root);
        while (!path.empty()) {
            Step& step = path.back();
            const auto kids = children.find(step.info);
            if (kids == children.end() || step.next == kids->second.size()) {
                onPath.erase(step.info);
                path.pop_back();
                continue;
            }
            const std::size_t child = kids->second[step.next++];
            const int childDepth = step.depth + 1;
            if (onPath.contains(child)) {
                lines.push_back({childDepth, child, true, {}});
                continue;
            }
            lines.push_back({childDepth, child, false, {}});
            visited.insert(child);
            path.push_back({child, childDepth});
            onPath.insert(child);
        }
    }

    const std::vector<InfoOutline>& infos;
    std::vector<std::size_t> taken;
    std::unordered_map<std::size_t, std::vector<std::size_t>> children;
    std::unordered_set<std::size_t> visited;
    std::vector<ConversationLine> lines;
};
} // namespace

std::vector<ConversationLine> ConversationForest(const std::vector<InfoOutline>& infos,
                                                 ConversationScope scope, std::string_view name) {
    std::vector<std::size_t> taken;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (Taken(infos[i], scope, name))
            taken.push_back(i);
    }
    return Forest(infos, std::move(taken)).Lines();
}

std::string LineNote(const ConversationLine& line) {
    if (line.cycle)
        return " (cycle)";
    if (!line.missingParent.empty())
        return " (missing parent " + line.missingParent + ")";
    return {};
}

std::string FirstLineText(const InfoOutline& info) {
    return info.firstLine.empty() ? std::string()
                                  : TextTables::LookUp("infosa.csv", info.firstLine);
}

} // namespace VaskEdit
