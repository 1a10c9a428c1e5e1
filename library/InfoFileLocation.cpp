#include "library/InfoFileLocation.h"

#include <algorithm>
#include <cctype>

namespace VaskEdit {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsAbsolute(std::string_view path) {
    if (!path.empty() && IsSeparator(path[0]))
        return true; // "/home/..." and "\\server\share\..."
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && IsSeparator(path[2]);
}

bool NamedInfos(std::string_view name) {
    static constexpr std::string_view infos = "infos";
    return name.size() == infos.size() &&
           std::equal(name.begin(), name.end(), infos.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

std::optional<InfoFileLocation> LocateInfoFile(std::string_view path) {
    if (!IsAbsolute(path))
        return std::nullopt;
    const std::size_t fileStart = path.find_last_of("/\\");
    if (fileStart == std::string_view::npos || fileStart + 1 == path.size())
        return std::nullopt;
    const std::string_view file = path.substr(fileStart + 1);
    const std::string_view folderPath = path.substr(0, fileStart);
    const std::size_t folderStart = folderPath.find_last_of("/\\");
    if (folderStart == std::string_view::npos)
        return std::nullopt;
    if (!NamedInfos(folderPath.substr(folderStart + 1)))
        return std::nullopt;
    std::string_view workspace = folderPath.substr(0, folderStart);
    // "/Infos/x" or "C:\Infos\x": no folder above to be the workspace.
    if (workspace.empty() || (workspace.size() == 2 && workspace[1] == ':'))
        return std::nullopt;
    return InfoFileLocation{std::string(workspace), "Infos/" + std::string(file)};
}

} // namespace VaskEdit
