#include "library/SpokenSearch.h"
#include "info/TextTable.h"

#include <algorithm>

namespace VaskEdit {

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != text.end() ||
           part.empty();
}
} // namespace

bool ShowsText(const InfoOutline& info, std::string_view text) {
    for (const TextReference& shown : info.texts) {
        if (ContainsIgnoringCase(TextTables::LookUp(shown.table.c_str(), shown.id), text))
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

} // namespace VaskEdit
