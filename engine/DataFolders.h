// Where the data that ships with the program lies: the record templates "Resources/" and
// the help pages "Documents/". A mod folder may bring its own; a build keeps them beside
// the program; an installed program finds them in its prefix's share folder.
#pragma once

#include <string>

namespace TesselEngine {

// The share folder of the prefix the program is installed in: "share/vaskedit/" beside
// the directory that holds the program, found from the program's own path so that a
// moved prefix still works. Ends with "/"; empty when the path has no directory.
std::string InstalledDataFolder(const std::string& programPath);

// The directory that holds folder: empty for the current directory when it holds one,
// else the directory of the program file, else InstalledDataFolder (each ending with
// "/"); empty when none of them holds it.
std::string FindDataRoot(const char* folder, const std::string& programPath);

} // namespace TesselEngine
