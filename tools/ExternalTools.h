// The outside programs the editor hands work to (the resource tool, the text editor,
// the help browser) and the extraction of the list of info owners.
#pragma once

#include "tools/TrustedPrograms.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace VaskEdit {

enum VaskEdit_Helppage : std::int32_t { Main = 0, InfoEditor = 1 };

// Whether the program that a setting names may be started. The program's own defaults
// may; a program that "Settings.ini" names only once the user confirmed that very file
// (TrustedPrograms), and never one whose path is longer than its setting holds.
struct ProgramCheck {
    enum class Verdict { Ready, Unconfirmed, NotFound, TooLong };
    Verdict verdict = Verdict::NotFound;
    std::string program;               // what is started (Ready) or what the setting says
    TrustedPrograms::Program identity; // the file to confirm (Unconfirmed)
    std::size_t capacity = 0;          // what the setting holds (TooLong)
};

class HelpManager {
public:
    HelpManager() = delete;
    // Hands the page to the help program of the settings. True when it was started; a
    // page that does not exist starts nothing and gives true. False, with the reason in
    // LastFailure, also when CheckProgram does not find it ready.
    static bool ShowHelp(VaskEdit_Helppage page);
    static ProgramCheck CheckProgram();
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
    // path in the settings when one is set. True when it was started; false, with the
    // reason in LastFailure, also when CheckProgram does not find it ready.
    static bool OpenFile(const char* parameter);
    static ProgramCheck CheckProgram();
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
