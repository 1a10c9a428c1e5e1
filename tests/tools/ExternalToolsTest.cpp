#include "tools/ExternalTools.h"
#include "engine/platform/Platform.h"
#include "support/Library.h"
#include "tools/Launcher.h"
#include "tools/Settings.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

using Launch = std::pair<std::string, std::string>;

class LaunchTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        Settings::exe_showhelp = "firefox.exe";
        Launcher::SetRecorder({});
    }

    // Records every launch and answers with started.
    void RecordLaunches(bool started = true) {
        Launcher::SetRecorder(
            [this, started](const std::string& program, const std::string& argument) {
                launches.emplace_back(program, argument);
                return started;
            });
    }

    std::vector<Launch> launches;
};

// The owner list runs over info files; the info library writes them.
class OwnerListTest : public VaskTest::LibraryTest {};

#ifndef _WIN32
// A started program works on its own; wait a while for the file it writes.
std::string WaitForFile(const fs::path& path) {
    for (int i = 0; i < 500 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // let it finish writing
    return ReadFile(path);
}

void WriteScript(const fs::path& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
}
#endif

} // namespace

TEST_F(LaunchTest, ShowHelpHandsThePageToTheHelpProgram) {
    RecordLaunches();
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    EXPECT_TRUE(HelpManager::ShowHelp(InfoEditor));
    // A page that does not exist starts nothing.
    EXPECT_TRUE(HelpManager::ShowHelp(static_cast<VaskEdit_Helppage>(2)));
    EXPECT_TRUE(HelpManager::ShowHelp(static_cast<VaskEdit_Helppage>(-1)));
    // The setting is read at every call, through a 50-byte buffer.
    Settings::exe_showhelp = std::string(60, 'b');
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(launches,
              (std::vector<Launch>{{"firefox.exe", "Documents/site/main/index.html"},
                                   {"firefox.exe", "Documents/site/infoeditor/index.html"},
                                   {std::string(49, 'b'), "Documents/site/main/index.html"}}));

    // The answer is whether the program started; without one there is nothing to start.
    RecordLaunches(false);
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(launches.size(), 4u);
    Settings::exe_showhelp.clear();
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(launches.size(), 4u);

    // A work folder without help pages shows those beside the program; one with its own
    // shows its own.
    Settings::exe_showhelp = "firefox.exe";
    launches.clear();
    RecordLaunches();
    const fs::path beside =
        fs::path(TesselEngine::Platform::ExecutablePath()).parent_path() / "Documents";
    ASSERT_FALSE(fs::exists(beside));
    struct RemovedAtEnd {
        fs::path path;
        ~RemovedAtEnd() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } removed{beside};
    WriteFile(beside / "site" / "main" / "index.html", "the program's help");
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    WriteFile(fs::path("Documents") / "site" / "main" / "index.html", "the folder's help");
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(ReadFile(launches[0].second), "the program's help");
    EXPECT_EQ(launches[1].second, "Documents/site/main/index.html");
}

TEST_F(LaunchTest, NotepadOpensTheFileInTheTextEditor) {
    RecordLaunches();
    EXPECT_TRUE(Notepad::OpenFile("Infos/Hello.vaskinfo"));
#ifdef _WIN32
    EXPECT_EQ(launches, (std::vector<Launch>{{"notepad.exe", "Infos/Hello.vaskinfo"}}));
#else
    EXPECT_EQ(launches, (std::vector<Launch>{{"xdg-open", "Infos/Hello.vaskinfo"}}));
#endif
    RecordLaunches(false);
    EXPECT_FALSE(Notepad::OpenFile("Infos/Hello.vaskinfo"));
}

// Only a program that can run is started: found by path or on the search path, and on
// Windows-minded settings with or without ".exe".
TEST_F(LaunchTest, OnlyProgramsThatCanRunAreStarted) {
    EXPECT_FALSE(Launcher::Start("vaskedit-no-such-program-4711.exe", "x"));
    EXPECT_FALSE(Launcher::Start("", "x"));
    EXPECT_FALSE(Launcher::Start((workspace.Root() / "missing" / "tool.exe").string(), "x"));
#ifndef _WIN32
    EXPECT_TRUE(Launcher::Start("/bin/true", ""));
    EXPECT_TRUE(Launcher::Start("true", "ignored"));
    EXPECT_TRUE(Launcher::Start("true.exe", ""));
    // Not executable, a folder, or executable but refused by exec (no interpreter line).
    WriteFile("plain.sh", "#!/bin/sh\n");
    EXPECT_FALSE(Launcher::Start((workspace.Root() / "plain.sh").string(), ""));
    EXPECT_FALSE(Launcher::Start("/tmp", ""));
    const fs::path broken = workspace.Root() / "broken";
    WriteFile(broken, "\x7f"
                      "ELF but not really");
    fs::permissions(broken, fs::perms::owner_all);
    EXPECT_FALSE(Launcher::Start(broken.string(), ""));

    const fs::path out = workspace.Root() / "argument.txt";
    const fs::path script = workspace.Root() / "tool.sh";
    WriteScript(script, "printf '%s|%s' \"$#\" \"$1\" > '" + out.string() + "'");
    EXPECT_TRUE(Launcher::Start(script.string(), "Templates/Long Sword.vasktpl"));
    EXPECT_EQ(WaitForFile(out), "1|Templates/Long Sword.vasktpl"); // one argument, whole
#endif
}

// Once each, in the order first met; owners differing in case are distinct, empty ones
// are left out.
TEST_F(OwnerListTest, OwnersAreListedOnceInTheOrderFirstMet) {
    WriteFile("Owners.txt", "stale\r\n");
    EXPECT_TRUE(ScriptManager::ExtractScripts()); // no infos: an empty list
    EXPECT_EQ(fs::file_size("Owners.txt"), 0u);
    const std::string fullOwner(48, 'o'); // whole, as the cache keeps it
    const char* owners[] = {"Alice", "bob", "", "Bob", "Alice", fullOwner.c_str(), "bob"};
    for (std::size_t i = 0; i < std::size(owners); ++i)
        WriteInfo("Info_" + std::to_string(i), owners[i]);
    EXPECT_TRUE(ScriptManager::ExtractScripts());
    EXPECT_EQ(ReadFile("Owners.txt"), "Alice\r\nbob\r\nBob\r\n" + fullOwner + "\r\n");
}

TEST_F(OwnerListTest, EveryOwnerKeyOfAFileCountsAndUnreadableFilesAreLeftOut) {
    WriteFile("Infos/A.vaskinfo",
              "Name = \"A\";\r\n  Owner = \"First\";\r\n  Owner = \"Second\";\r\n"
              "  Owner = \"First\";\r\n");
    fs::create_directories("Infos/B_Folder.vaskinfo");
    WriteFile("Infos/C.vaskinfo", "no owners in here at all\r\n");
    WriteFile("Infos/D.vaskinfo", "    Owner = \"Third\";\r\n  padding\r\n");
    EXPECT_TRUE(ScriptManager::ExtractScripts());
    EXPECT_EQ(ReadFile("Owners.txt"), "First\r\nSecond\r\nThird\r\n");
}

TEST_F(OwnerListTest, FailedWriteKeepsTheOldList) {
    WriteInfo("Info_1", "Alice");
    const std::string old = "Zed\r\n";
    WriteFile("Owners.txt", old);
    const auto before = VaskTest::ListNames(".");

    FaultInjection::writeBudget = 3;
    EXPECT_FALSE(ScriptManager::ExtractScripts());
    FaultInjection::Clear();
    FaultInjection::failReplaces = 1;
    EXPECT_FALSE(ScriptManager::ExtractScripts());

    EXPECT_EQ(ReadFile("Owners.txt"), old);
    EXPECT_EQ(VaskTest::ListNames("."), before);
}
