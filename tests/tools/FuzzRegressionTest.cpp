// Inputs on which the fuzz harnesses once failed.
#include "support/Workspace.h"
#include "tools/Settings.h"

#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using namespace std::string_literals;
using VaskTest::WriteFile;

namespace {
class SettingsFuzzRegressionTest : public VaskTest::WorkspaceTest {};

// Reads "Settings.ini", writes what it read and reads that again: both reads agree.
void ExpectStoredAsRead(const std::string& file, const std::string& path, const std::string& help) {
    WriteFile("Settings.ini", file);
    WriteSettingsStruct first;
    ASSERT_TRUE(FileManager::ReadSettings(first));
    EXPECT_EQ(first.ResourceToolPath.Str(), path);
    EXPECT_EQ(first.HelpProgram.Str(), help);
    ASSERT_TRUE(FileManager::WriteSettings(first));
    WriteSettingsStruct again;
    ASSERT_TRUE(FileManager::ReadSettings(again));
    EXPECT_EQ(again.ResourceToolPath.Str(), path);
    EXPECT_EQ(again.HelpProgram.Str(), help);
}
} // namespace

// A help program cut to its 47 characters ended in a blank, which the record kept and
// the next read of the written file did not.
TEST_F(SettingsFuzzRegressionTest, ValueCutBeforeABlankKeepsNoBlankAtItsEnd) {
    const std::string found = "VASKRESMAN_PATH =\000\000\000\000\000\000\000\000\000\000, \n"
                              "SHOWHELP_EXE = xN_PVASKRESMAN_PATH = Pn.exe, \227\n"
                              "SHOWHELP_EXE=% fiATH L"s;
    ExpectStoredAsRead(found, "", "xN_PVASKRESMAN_PATH = Pn.exe, \227\nSHOWHELP_EXE=%");

    // The same for a path whose 256th character is a blank.
    const std::string longPath = "C:/" + std::string(252, 'p') + " tail";
    ExpectStoredAsRead("VASKRESMAN_PATH = " + longPath + ", \nSHOWHELP_EXE = firefox.exe,",
                       "C:/" + std::string(252, 'p'), "firefox.exe");
}
