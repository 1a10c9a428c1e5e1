#include "spell/Spelling.h"

#include "spell/DictionaryFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace VaskEdit::Spelling {

namespace fs = std::filesystem;

std::vector<std::string> InstalledDictionaries() {
    std::vector<std::string> names;
    if (!Available())
        return names;
    for (const std::string& folder : DictionaryFolders()) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const fs::path path = it->path();
            if (path.extension() != ".dic")
                continue;
            fs::path affix = path;
            affix.replace_extension(".aff");
            const std::string name = path.stem().string();
            if (fs::is_regular_file(affix, error) &&
                std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsInstalled(const std::string& name) {
    return Available() && FindDictionary(name).has_value();
}

std::string DefaultDictionary() {
    if (IsInstalled(PreferredDictionary))
        return PreferredDictionary;
    const std::vector<std::string> names = InstalledDictionaries();
    return names.empty() ? std::string() : names.front();
}

std::optional<DictionaryPaths> FindDictionary(const std::string& name) {
    // A name is a file's stem, never a path.
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." ||
        name == "..")
        return std::nullopt;
    for (const std::string& folder : DictionaryFolders()) {
        const fs::path base = fs::path(folder) / name;
        std::error_code error;
        DictionaryPaths paths{base.string() + ".aff", base.string() + ".dic"};
        if (fs::is_regular_file(paths.affix, error) && fs::is_regular_file(paths.words, error))
            return paths;
    }
    return std::nullopt;
}

std::vector<std::string> DictionaryFolders() {
    std::vector<std::string> folders;
    // A folder given by the user first (tests, portable installs), then the system's.
    if (const char* own = std::getenv("VASKEDIT_DICTIONARIES"); own && *own)
        folders.emplace_back(own);
    folders.emplace_back("/usr/share/hunspell");
    folders.emplace_back("/usr/share/myspell/dicts");
    return folders;
}

} // namespace VaskEdit::Spelling
