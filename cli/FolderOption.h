// Where "-C FOLDER" stands among the program's arguments, for the folder's real name.
#pragma once

namespace VaskCli {

// The folder of the last -C given before the command ("-C FOLDER" or "-CFOLDER"), as a
// pointer into argv; null when there is none.
const char* FolderOption(int argc, char** argv);

} // namespace VaskCli
