#include "library/MergeCounts.h"

#include "engine/File.h"
#include "library/DocumentFraming.h"
#include "library/InfoManager.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace VaskEdit {

MergeCounts CountAgainstGameDocument() {
    using TesselEngine::WinAPI::File;
    MergeCounts counts;
    std::string document;
    std::vector<std::string> files;
    if (!File{TesselEngine::Char256("w_info.hdrdoc")}.Exists() ||
        !File::ReadAll("w_info.hdrdoc", document) || !InfoManager::ListInfoFiles(files))
        return counts;
    std::unordered_map<std::string, std::string_view> pieces;
    for (const FramedInfo& info : FrameDocument(document).infos)
        pieces.emplace(info.name,
                       std::string_view(document).substr(info.begin, info.end - info.begin));
    const std::string_view extension = ".vaskinfo";
    std::string bytes;
    for (const std::string& file : files) {
        std::string_view name = file;
        if (name.ends_with(extension))
            name.remove_suffix(extension.size());
        const auto piece = pieces.find(std::string(name));
        if (piece == pieces.end()) {
            ++counts.added;
            continue;
        }
        bytes.clear();
        const bool same = File::ReadAll(("Infos/" + file).c_str(), bytes) && bytes == piece->second;
        ++(same ? counts.unchanged : counts.changed);
    }
    counts.compared = true;
    return counts;
}

} // namespace VaskEdit
