#include "info/NewEntrySuggestions.h"

namespace VaskEdit {

std::map<std::string, std::string> NewEntrySuggestions(const InfoRef& info) {
    std::string speaker = info.Owner;
    std::string listener = info.Partner;
    for (auto line = info.InfoCommands.rbegin(); line != info.InfoCommands.rend(); ++line) {
        if (line->Command != "Say" && line->Command != "SaySVM")
            continue;
        if (line->Entity1 == info.Partner && line->Entity2 == info.Owner &&
            info.Partner != info.Owner)
            std::swap(speaker, listener);
        break;
    }
    std::map<std::string, std::string> suggestions;
    for (auto [label, value] : {std::pair{"Speaker", speaker}, std::pair{"Listener", listener},
                                std::pair{"Quest", info.Quest}}) {
        if (!value.empty())
            suggestions.emplace(label, value);
    }
    return suggestions;
}

} // namespace VaskEdit
