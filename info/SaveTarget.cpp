#include "info/SaveTarget.h"
#include "engine/File.h"
#include "info/InfoFileName.h"

#include <filesystem>
#include <system_error>

namespace VaskEdit {

namespace {
std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Whether both paths name one file; a missing one names none.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), error) &&
           !error;
}
} // namespace

bool SavesOver(const std::string& path, std::string_view name) {
    return SameFile(path, InfoDirectoryName + std::string(name) + InfoExtension);
}

std::string NameInFile(std::string_view bytes) {
    const std::size_t quote = bytes.size() > 1 ? bytes.find('"', 1) : std::string_view::npos;
    if (quote == std::string_view::npos)
        return {};
    const auto stops = [](char c) {
        return c == '\0' || c == '\n' || c == '\r' || c == '/' || c == ';' || c == ' ';
    };
    std::string name;
    for (std::size_t at = quote; at < bytes.size() && (at == quote || !stops(bytes[at])); ++at) {
        if (bytes[at] != '"')
            name.push_back(bytes[at]);
    }
    return name;
}

std::string OtherSaveTarget(const std::string& path) {
    TesselEngine::WinAPI::File file{TesselEngine::Char256(path.c_str())};
    TesselEngine::IO::Stream text;
    if (!file.LoadWhole(text))
        return {};
    const std::string name =
        NameInFile(std::string_view(text.GetBuffer() ? text.GetBuffer() : "", text.GetSize()));
    if (name.empty())
        return Quoted(path) + " holds no info name, so saving it would write no file of its own.";
    if (name.size() > TesselEngine::Char48::Capacity)
        return Quoted(path) + " holds the info " + Quoted(name) + ", whose name has " +
               std::to_string(name.size()) + " characters; saving it would write " +
               Quoted(InfoDirectoryName + name.substr(0, TesselEngine::Char48::Capacity) +
                      InfoExtension) +
               ", the file of the info named by its first " +
               std::to_string(TesselEngine::Char48::Capacity) + ".";
    if (!IsValidInfoName(name))
        return Quoted(path) + " holds the info " + Quoted(name) +
               ", whose name cannot be a file name.";
    if (SavesOver(path, name))
        return {};
    const std::string target = InfoDirectoryName + name + InfoExtension;
    return Quoted(path) + " holds the info " + Quoted(name) + ", whose file is " + Quoted(target) +
           "; saving it would write that file, not " + Quoted(path) + ".";
}

} // namespace VaskEdit
