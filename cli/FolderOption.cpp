#include "FolderOption.h"

#include <cstring>

namespace VaskCli {

const char* FolderOption(int argc, char** argv) {
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "-C") == 0) {
            if (i + 1 == argc)
                break;
            folder = argv[++i];
        } else if (std::strncmp(argument, "-C", 2) == 0) {
            folder = argument + 2;
        } else if (argument[0] != '-') {
            break; // the command: what follows is its own
        }
    }
    return folder;
}

} // namespace VaskCli
