#include "info/InfoFileName.h"
#include "engine/String.h"

namespace VaskEdit {

bool IsValidInfoName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|')
            return false;
    }
    return true;
}

TesselEngine::Char256 InfoFilePath(const TesselEngine::Char48& name) {
    TesselEngine::Char256 path(InfoDirectoryName);
    TesselEngine::String::Append(path, name);
    TesselEngine::String::Append(path, InfoExtension);
    return path;
}

} // namespace VaskEdit
