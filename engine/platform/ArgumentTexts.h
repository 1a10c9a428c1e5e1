// The program's arguments as the user typed them, in UTF-8. Windows hands main its
// arguments in the system's code page, where a folder named with other letters arrives
// with question marks; the wide command line holds the real names.
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace TesselEngine::Platform {

class ArgumentTexts {
public:
    // Takes the texts of argv as main received it, before a library (Qt) takes its own
    // options out of argv: it moves the remaining pointers but keeps the strings.
    ArgumentTexts(int argc, char** argv);

    // The UTF-8 text of argument, which points at or into one of the strings given to the
    // constructor ("-CFOLDER" + 2 gives FOLDER); argument itself for any other string.
    std::string Utf8(const char* argument) const;

private:
    std::vector<const char*> given;
    std::vector<std::string> texts;
};

// Makes folder, in the form ArgumentTexts gives, the current directory: through the
// wide API on Windows, so that any name works; as bytes elsewhere. Paths inside it stay
// relative to it.
bool ChangeDirectory(const std::string& folder, std::error_code& error);

} // namespace TesselEngine::Platform
