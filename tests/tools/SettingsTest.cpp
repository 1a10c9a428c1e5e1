#include "tools/Settings.h"
#include "engine/Failure.h"
#include "engine/platform/Platform.h"
#include "support/Workspace.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace VaskEdit;
using namespace std::string_literals;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

class SettingsTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        Settings::path_vaskresman.clear();
        Settings::exe_showhelp = "firefox.exe";
        FaultInjection::Clear();
    }
};

// What the settings dialog stores: the two settings through their getters.
WriteSettingsStruct FromSettings() {
    WriteSettingsStruct record;
    Settings::GetPath_Vaskresman(record.ResourceToolPath.data, 256);
    Settings::GetExe_Showhelp(record.HelpProgram.data, 48);
    return record;
}

WriteSettingsStruct Make(const std::string& path, const std::string& help) {
    WriteSettingsStruct record;
    record.ResourceToolPath = Char256(path);
    record.HelpProgram = Char48(help);
    return record;
}

// Reads into a record that holds markers, to tell "untouched" from "emptied".
bool Read(WriteSettingsStruct& record) {
    record = Make("untouched path", "untouched help");
    return FileManager::ReadSettings(record);
}

} // namespace

// Written in the fixed layout, the defaults first, and read back unchanged.
TEST_F(SettingsTest, WrittenSettingsReadBackUnchanged) {
    ASSERT_TRUE(FileManager::WriteSettings(FromSettings()));
    EXPECT_EQ(ReadFile("Settings.ini"), "VASKRESMAN_PATH = , \nSHOWHELP_EXE = firefox.exe,");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "firefox.exe"},
        {"C:/Games/Vask/vaskresman.exe", "firefox.exe"},
        {"C:/Program Files/Vask Tools/vaskresman.exe",
         "C:/Program Files/Mozilla Firefox/firefox.exe"},
        {"D:/Mods,old/vaskresman.exe", "xdg-open"},
        {"/opt/vask/bin/", ""},
    };
    for (const auto& [path, help] : cases) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(FileManager::WriteSettings(Make(path, help)));
        EXPECT_EQ(ReadFile("Settings.ini"),
                  "VASKRESMAN_PATH = " + path + ", \nSHOWHELP_EXE = " + help + ",");
        WriteSettingsStruct record;
        ASSERT_TRUE(Read(record));
        EXPECT_EQ(record.ResourceToolPath.Str(), path);
        EXPECT_EQ(record.HelpProgram.Str(), help);
    }
}

// A value longer than its setting is neither stored cut nor read cut: cut, a program's
// path would name another program.
TEST_F(SettingsTest, LongValuesAreRefusedNotCut) {
    const std::string help(Settings::HelpCapacity + 1, 'h');
    const std::string path(Settings::PathCapacity + 1, 'p');
    Settings::exe_showhelp = help;
    EXPECT_FALSE(FileManager::SaveSettings());
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not save \"Settings.ini\": the program's path is longer than the 47 "
              "characters that its setting holds.");
    Settings::exe_showhelp = "firefox.exe";
    Settings::path_vaskresman = path;
    EXPECT_FALSE(FileManager::SaveSettings());
    // A record filled to its last byte has no room for its terminator.
    EXPECT_FALSE(FileManager::WriteSettings(Make(path, "firefox.exe")));
    EXPECT_FALSE(FileManager::WriteSettings(Make("", help)));
    EXPECT_FALSE(fs::exists("Settings.ini"));

    // What fits is stored and read whole.
    Settings::path_vaskresman = path.substr(1);
    Settings::exe_showhelp = help.substr(1);
    ASSERT_TRUE(FileManager::SaveSettings());
    WriteSettingsStruct record;
    ASSERT_TRUE(Read(record));
    EXPECT_EQ(record.ResourceToolPath.Str(), path.substr(1));
    EXPECT_EQ(record.HelpProgram.Str(), help.substr(1));

    // A file with a longer value is reported; loaded, the value stays whole, so that its
    // program is refused rather than another one started.
    WriteFile("Settings.ini", "VASKRESMAN_PATH = C:/Tools, \nSHOWHELP_EXE = " + help + ",");
    EXPECT_FALSE(Read(record));
    EXPECT_EQ(record.HelpProgram.Str(), "untouched help");
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not read \"Settings.ini\": the program's path is longer than the 47 "
              "characters that its setting holds.");
    EXPECT_FALSE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::exe_showhelp, help);
    EXPECT_EQ(Settings::path_vaskresman, "C:/Tools");
    WriteFile("Settings.ini", "VASKRESMAN_PATH = " + path + ", \nSHOWHELP_EXE = b,");
    EXPECT_FALSE(Read(record));
    EXPECT_FALSE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::path_vaskresman, path);

    // Loading a file that fits takes both values; one that cannot be read leaves them.
    WriteFile("Settings.ini", "VASKRESMAN_PATH = a b, \nSHOWHELP_EXE = xdg-open,");
    EXPECT_TRUE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::path_vaskresman, "a b");
    EXPECT_EQ(Settings::exe_showhelp, "xdg-open");
    WriteFile("Settings.ini", "[General]");
    EXPECT_FALSE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::exe_showhelp, "xdg-open");
}

TEST_F(SettingsTest, HandEditedFilesAreReadByTheirKeys) {
    // Windows line ends, no blank after the "=", blanks around the values.
    WriteFile("Settings.ini",
              "VASKRESMAN_PATH =  C:/Tools/vaskresman.exe ,\r\nSHOWHELP_EXE=xdg-open,\r\n");
    WriteSettingsStruct record;
    ASSERT_TRUE(Read(record));
    EXPECT_EQ(record.ResourceToolPath.Str(), "C:/Tools/vaskresman.exe");
    EXPECT_EQ(record.HelpProgram.Str(), "xdg-open");

    // Without the final comma the value runs to the end of the file.
    WriteFile("Settings.ini", "VASKRESMAN_PATH = a, \nSHOWHELP_EXE = b");
    ASSERT_TRUE(Read(record));
    EXPECT_EQ(record.ResourceToolPath.Str(), "a");
    EXPECT_EQ(record.HelpProgram.Str(), "b");

    // A zero byte ends a value.
    WriteFile("Settings.ini", "VASKRESMAN_PATH = C:/a\0junk, \nSHOWHELP_EXE = b\0c,"s);
    ASSERT_TRUE(Read(record));
    EXPECT_EQ(record.ResourceToolPath.Str(), "C:/a");
    EXPECT_EQ(record.HelpProgram.Str(), "b");
}

TEST_F(SettingsTest, OtherLayoutsAreRefusedAndLeaveTheRecord) {
    const std::vector<std::string> files = {
        "",
        "[General]\r\nPath=C:/Tools\r\nHelp=firefox.exe\r\n",
        "VASKRESMAN_PATH = C:/Tools,",              // the help key is missing
        "SHOWHELP_EXE = a, \nVASKRESMAN_PATH = b,", // keys swapped
        "VASKRESMAN_PATH : C:/Tools, \nSHOWHELP_EXE = b,",
        " VASKRESMAN_PATH = a, \nSHOWHELP_EXE = b,",
        "\0\xff\x01VASKRESMAN"s,
        "VASKRESMAN_PATH",
    };
    for (const auto& content : files) {
        SCOPED_TRACE(content);
        WriteFile("Settings.ini", content);
        WriteSettingsStruct record;
        EXPECT_FALSE(Read(record));
        EXPECT_EQ(record.ResourceToolPath.Str(), "untouched path");
        EXPECT_EQ(record.HelpProgram.Str(), "untouched help");
    }
}

TEST_F(SettingsTest, MissingOrUnreadableFileIsNotRead) {
    WriteSettingsStruct record;
    EXPECT_FALSE(Read(record));
    EXPECT_EQ(record.HelpProgram.Str(), "untouched help");

    fs::create_directory("Settings.ini");
    EXPECT_FALSE(Read(record));
    EXPECT_FALSE(FileManager::WriteSettings(Make("a", "b")));
    EXPECT_TRUE(fs::is_directory("Settings.ini"));
}

TEST_F(SettingsTest, GettersCopyAtMostSizeMinusOneCharacters) {
    Settings::exe_showhelp = "firefox.exe";
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    Settings::GetExe_Showhelp(buffer, 5);
    EXPECT_STREQ(buffer, "fire");
    EXPECT_EQ(buffer[5], 'x'); // nothing written behind the terminator
    buffer[0] = 'x';
    Settings::GetExe_Showhelp(buffer, 0);
    EXPECT_EQ(buffer[0], 'x');
    Settings::GetExe_Showhelp(nullptr, 10); // no buffer, nothing to do
}

TEST_F(SettingsTest, DemoSettingsRead) {
    workspace.CopyFromSource("demo/Settings.ini", "Settings.ini");
    WriteSettingsStruct record;
    ASSERT_TRUE(Read(record));
    EXPECT_EQ(record.ResourceToolPath.Str(), "");
    EXPECT_EQ(record.HelpProgram.Str(), "xdg-open");
}
