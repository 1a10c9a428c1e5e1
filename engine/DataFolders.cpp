#include "engine/DataFolders.h"
#include "engine/platform/Platform.h"

namespace TesselEngine {

namespace {
// The directory part of path, with its separator; empty when it has none.
std::string DirectoryOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}
} // namespace

std::string InstalledDataFolder(const std::string& programPath) {
    const std::string programDirectory = DirectoryOf(programPath);
    if (programDirectory.empty())
        return std::string();
    // The parent by name, not by "..": the same directory for a program's real path,
    // and a readable path for the help browser.
    std::string prefix = DirectoryOf(programDirectory.substr(0, programDirectory.size() - 1));
    if (prefix.empty())
        prefix = programDirectory + "../";
    return prefix + "share/vaskedit/";
}

std::string FindDataRoot(const char* folder, const std::string& programPath) {
    if (Platform::IsDirectory(folder))
        return std::string();
    for (const std::string& root : {DirectoryOf(programPath), InstalledDataFolder(programPath)}) {
        if (!root.empty() && Platform::IsDirectory((root + folder).c_str()))
            return root;
    }
    return std::string();
}

} // namespace TesselEngine
