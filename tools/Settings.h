// The two user settings (the resource tool's path and the program that shows the help
// pages), the record that carries them to and from "Settings.ini", and the file's
// reader and writer.
#pragma once

#include "engine/FixedText.h"
#include "tools/ProgramDefaults.h"

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

    // The longest path each setting holds. A longer one is refused when it is stored and
    // not started: cut, it would name another program.
    static constexpr std::size_t PathCapacity = 255;
    static constexpr std::size_t HelpCapacity = 47;
    static constexpr const char* DefaultHelpProgram = ProgramDefaults::HelpProgram;
};

// What travels between the settings dialog and the file: terminated texts of at most
// 255 and 47 characters.
struct WriteSettingsStruct {
    Char256 ResourceToolPath;
    Char48 HelpProgram;
};

class FileManager {
public:
    FileManager() = delete;

    // Fills the record from "Settings.ini". False, with the record untouched, when the
    // file is missing, unreadable, not laid out as WriteSettings writes it, or holds a
    // value longer than its field.
    static bool ReadSettings(WriteSettingsStruct& settings);
    // Replaces "Settings.ini"; on failure the old file stays as it was. A field without
    // its terminator is refused, not cut.
    static bool WriteSettings(const WriteSettingsStruct& settings);

    // Reads "Settings.ini" into Settings, each value whole. False when it was not read
    // (Settings untouched) and also when a value is longer than its setting holds: that
    // value is kept whole anyway, so that its program is refused rather than cut.
    static bool LoadSettings();
    // Writes Settings to "Settings.ini"; a value longer than its setting holds is
    // refused and nothing is written.
    static bool SaveSettings();
};

} // namespace VaskEdit
