// The outside programs the editor hands work to (the resource tool, the text editor,
// the help browser) and the extraction of the list of info owners.
#pragma once

#include <cstdint>

namespace VaskEdit {

enum VaskEdit_Helppage : std::int32_t { Main = 0, InfoEditor = 1 };

class HelpManager {
public:
    HelpManager() = delete;
    // Hands the page to the help program of the settings. True when it was started; a
    // page that does not exist starts nothing and gives true.
    static bool ShowHelp(VaskEdit_Helppage page);
};

class Notepad {
public:
    Notepad() = delete;
    // Shows the file in the system's text editor. True when it was started.
    static bool OpenFile(const char* path);
};

class VaskResMan {
public:
    VaskResMan() = delete;
    // Starts the game's resource tool on the parameter (a template file path), from the
    // path in the settings when one is set. True when it was started.
    static bool OpenFile(const char* parameter);
};

class ScriptManager {
public:
    ScriptManager() = delete;
    // Writes the distinct owner names of all info files to "Owners.txt", one per line,
    // in the order first met. Files that cannot be opened are left out. False, with the
    // previous list kept, when "Infos/" cannot be listed, an opened file could not be
    // read or the list could not be replaced.
    static bool ExtractScripts();
};

} // namespace VaskEdit
