// Where an info file given by its full path belongs: a file opened from the desktop
// (a double-click on a .vaskinfo) names its own workspace, the folder above its
// "Infos/" folder, and the editor starts there so that a save writes back beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace VaskEdit {

struct InfoFileLocation {
    std::string workspace; // the folder holding "Infos/", as given (no trailing separator)
    std::string relative;  // the file's path inside it: "Infos/NAME.vaskinfo"
};

// The workspace of a file whose folder is named "Infos" (in any case, since Windows
// folders ignore it), by its path with '/' or '\' between names; none for a relative
// path, a file in any other folder, or "Infos" at the root of a drive.
std::optional<InfoFileLocation> LocateInfoFile(std::string_view path);

} // namespace VaskEdit
