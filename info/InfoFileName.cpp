#include "info/InfoFileName.h"
#include "engine/String.h"

#include <string>

namespace VaskEdit {

namespace {
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any case: Windows opens the device, not
// a file, also with an extension ("NUL.vaskinfo") and with blanks before it.
bool IsDeviceName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    std::string upper;
    for (const char c : name)
        upper.push_back(Upper(c));
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}
} // namespace

bool IsValidInfoName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name))
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
