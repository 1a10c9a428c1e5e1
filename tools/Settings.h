// The two user settings (the resource tool's path and the program that shows the help
// pages), the record that carries them to and from "Settings.ini", and the file's
// reader and writer.
#pragma once

#include "engine/FixedText.h"

#include <cstddef>
#include <string>

namespace VaskEdit {

using TesselEngine::Char256;
using TesselEngine::Char48;

class Settings {
public:
    Settings() = delete;

    static std::string path_vaskresman; // the resource tool; empty: found by its name
    static std::string exe_showhelp;    // the program the help pages are handed to

    // Copy the setting into buffer: at most size - 1 bytes and a terminating zero.
    static void GetPath_Vaskresman(char* buffer, std::size_t size);
    static void GetExe_Showhelp(char* buffer, std::size_t size);
    // Both settings as before any "Settings.ini" was read.
    static void RestoreDefaults();
};

// What travels between the settings dialog and the file. Texts longer than 255 and 47
// characters are stored cut to that length.
struct WriteSettingsStruct {
    Char256 ResourceToolPath;
    Char48 HelpProgram;
};

class FileManager {
public:
    FileManager() = delete;

    // Fills the record from "Settings.ini". False, with the record untouched, when the
    // file is missing, unreadable or not laid out as WriteSettings writes it.
    static bool ReadSettings(WriteSettingsStruct& settings);
    // Replaces "Settings.ini"; on failure the old file stays as it was.
    static bool WriteSettings(const WriteSettingsStruct& settings);
};

} // namespace VaskEdit
