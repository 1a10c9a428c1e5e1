#include "tools/ExternalTools.h"
#include "engine/Failure.h"
#include "engine/platform/Platform.h"
#include "support/Library.h"
#include "support/UserSettingsHome.h"
#include "tools/Launcher.h"
#include "tools/Settings.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
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
        Settings::RestoreDefaults();
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
    VaskTest::UserSettingsHome home;
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

// An environment variable set (nullptr: unset) for the scope, then as it was.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old;
        Set(value);
    }
    ~ScopedVariable() { Set(previous ? previous->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    void Set(const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }

private:
    const char* name;
    std::optional<std::string> previous;
};
#endif

} // namespace

TEST_F(LaunchTest, ShowHelpHandsThePageToTheHelpProgram) {
    RecordLaunches();
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    EXPECT_TRUE(HelpManager::ShowHelp(InfoEditor));
    // A page that does not exist starts nothing.
    EXPECT_TRUE(HelpManager::ShowHelp(static_cast<VaskEdit_Helppage>(2)));
    EXPECT_TRUE(HelpManager::ShowHelp(static_cast<VaskEdit_Helppage>(-1)));
    const std::string help = Settings::DefaultHelpProgram;
    EXPECT_EQ(launches, (std::vector<Launch>{{help, "Documents/site/main/index.html"},
                                             {help, "Documents/site/infoeditor/index.html"}}));

    // The answer is whether the program started; without one there is nothing to start.
    RecordLaunches(false);
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(launches.size(), 3u);
    Settings::exe_showhelp.clear();
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(launches.size(), 3u);

    // A work folder without help pages shows those beside the program; one with its own
    // shows its own.
    Settings::RestoreDefaults();
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

#ifdef _WIN32
TEST_F(LaunchTest, NotepadOpensTheFileInTheTextEditor) {
    RecordLaunches();
    EXPECT_TRUE(Notepad::OpenFile("Infos/Hello.vaskinfo"));
    EXPECT_EQ(launches, (std::vector<Launch>{{"notepad.exe", "Infos/Hello.vaskinfo"}}));
    RecordLaunches(false);
    EXPECT_FALSE(Notepad::OpenFile("Infos/Hello.vaskinfo"));
}
#else
// The user's own editor ($VISUAL, then $EDITOR) in a terminal when there is one, else the
// desktop's opener; each start that fails gives way to the next.
TEST_F(LaunchTest, NotepadOpensTheFileInTheUsersEditorOrWithTheDesktop) {
    RecordLaunches();
    const fs::path bin = workspace.Root() / "bin";
    WriteScript(bin / "my-visual", "true");
    WriteScript(bin / "my-editor", "true");
    ScopedVariable path("PATH", bin.c_str());
    ScopedVariable visual("VISUAL", nullptr);
    ScopedVariable editor("EDITOR", nullptr);
    const std::string file = "Infos/Hello World.vaskinfo";

    EXPECT_TRUE(Notepad::OpenFile(file.c_str())); // neither set
    editor.Set("my-editor -w");
    EXPECT_TRUE(Notepad::OpenFile(file.c_str())); // no terminal: the editor itself
    WriteScript(bin / "x-terminal-emulator", "true");
    EXPECT_TRUE(Notepad::OpenFile(file.c_str()));
    visual.Set("my-visual");
    EXPECT_TRUE(Notepad::OpenFile(file.c_str()));
    visual.Set("no-such-editor-4711"); // names no program: passed over
    EXPECT_TRUE(Notepad::OpenFile(file.c_str()));
    EXPECT_EQ(launches, (std::vector<Launch>{{"xdg-open", file},
                                             {"my-editor", "-w " + file},
                                             {"x-terminal-emulator", "-e my-editor -w " + file},
                                             {"x-terminal-emulator", "-e my-visual " + file},
                                             {"x-terminal-emulator", "-e my-editor -w " + file}}));

    launches.clear();
    RecordLaunches(false);
    visual.Set("my-visual");
    EXPECT_FALSE(Notepad::OpenFile(file.c_str()));
    EXPECT_EQ(launches, (std::vector<Launch>{{"x-terminal-emulator", "-e my-visual " + file},
                                             {"x-terminal-emulator", "-e my-editor -w " + file},
                                             {"xdg-open", file}}));

    // Started for real, the terminal gets each word and the file as arguments of their own.
    Launcher::SetRecorder({});
    const fs::path out = workspace.Root() / "terminal.txt";
    WriteScript(bin / "x-terminal-emulator", "printf '%s|' \"$#\" \"$@\" > '" + out.string() + "'");
    EXPECT_TRUE(Notepad::OpenFile(file.c_str()));
    EXPECT_EQ(WaitForFile(out), "3|-e|my-visual|" + file + "|");
}

// The help pages go to the desktop's opener unless "Settings.ini" names a program; a
// saved program is kept, also the one that used to be the default.
TEST_F(LaunchTest, TheDefaultHelpProgramIsTheDesktopsOpenerAndASavedOneWins) {
    RecordLaunches();
    EXPECT_EQ(Settings::exe_showhelp, "xdg-open");
    EXPECT_EQ(HelpManager::CheckProgram().verdict, ProgramCheck::Verdict::Ready);
    EXPECT_TRUE(HelpManager::ShowHelp(Main));

    WriteScript("bin/viewer", "echo");
    WriteFile("Settings.ini", "VASKRESMAN_PATH = , \nSHOWHELP_EXE = bin/viewer,");
    ASSERT_TRUE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::exe_showhelp, "bin/viewer");
    ASSERT_TRUE(TrustedPrograms::Confirm(HelpManager::CheckProgram().identity));
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    const std::string viewer = (workspace.Root() / "bin" / "viewer").string();
    EXPECT_EQ(launches, (std::vector<Launch>{{"xdg-open", "Documents/site/main/index.html"},
                                             {viewer, "Documents/site/main/index.html"}}));

    WriteFile("Settings.ini", "VASKRESMAN_PATH = , \nSHOWHELP_EXE = firefox.exe,");
    ASSERT_TRUE(FileManager::LoadSettings());
    EXPECT_EQ(Settings::exe_showhelp, "firefox.exe");
    Settings::RestoreDefaults();
    ASSERT_TRUE(FileManager::SaveSettings());
    EXPECT_EQ(ReadFile("Settings.ini"), "VASKRESMAN_PATH = , \nSHOWHELP_EXE = xdg-open,");
}
#endif

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
#ifndef _WIN32
    fs::create_directory_symlink("B_Folder.vaskinfo", "Infos/B_Link.vaskinfo"); // a folder too
#endif
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

#ifndef _WIN32
// A program that the workspace's settings name starts only once the user confirmed that
// file; the program's own defaults start as they are.
TEST_F(LaunchTest, ProgramsTheSettingsNameStartOnlyOnceConfirmed) {
    RecordLaunches();
    WriteScript("bin/viewer", "echo");
    WriteScript("bin/tool", "echo");
    const std::string viewer = (workspace.Root() / "bin" / "viewer").string();
    const std::string tool = (workspace.Root() / "bin" / "tool").string();
    Settings::exe_showhelp = "bin/viewer";
    Settings::path_vaskresman = "bin/tool";

    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not start \"" + viewer + "\": the program has not been confirmed to run.");
    EXPECT_FALSE(VaskResMan::OpenFile("Templates/Sword.vasktpl"));
    EXPECT_EQ(TesselEngine::LastFailure().cause, TesselEngine::Cause::Unconfirmed);
    EXPECT_TRUE(launches.empty());

    const ProgramCheck help = HelpManager::CheckProgram();
    ASSERT_EQ(help.verdict, ProgramCheck::Verdict::Unconfirmed);
    EXPECT_EQ(help.identity.path, viewer);
    ASSERT_TRUE(TrustedPrograms::Confirm(help.identity));
    ASSERT_TRUE(TrustedPrograms::Confirm(VaskResMan::CheckProgram().identity));
    EXPECT_TRUE(HelpManager::ShowHelp(InfoEditor));
    EXPECT_TRUE(VaskResMan::OpenFile("Templates/Sword.vasktpl"));
    EXPECT_EQ(launches, (std::vector<Launch>{{viewer, "Documents/site/infoeditor/index.html"},
                                             {tool, "Templates/Sword.vasktpl"}}));

    // A program replaced after it was confirmed asks again; a missing one is named.
    WriteScript("bin/viewer", "echo replaced");
    EXPECT_EQ(HelpManager::CheckProgram().verdict, ProgramCheck::Verdict::Unconfirmed);
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    Settings::exe_showhelp = "bin/gone";
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not start \"bin/gone\": the file does not exist.");
    // A setting that ends with a slash names the tool's folder, there or not.
    Settings::path_vaskresman = "tools/";
    EXPECT_FALSE(VaskResMan::OpenFile("Templates/Sword.vasktpl"));
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not start \"tools/vaskresman.exe\": the file does not exist.");
    EXPECT_EQ(launches.size(), 2u);
}

// A path longer than its setting is never cut to another program, even a confirmed one.
TEST_F(LaunchTest, ProgramPathsLongerThanTheirSettingAreNotStarted) {
    RecordLaunches();
    const std::string fits = "bin/" + std::string(Settings::HelpCapacity - 4, 'r');
    WriteScript(fits, "echo");
    Settings::exe_showhelp = fits;
    ASSERT_TRUE(TrustedPrograms::Confirm(HelpManager::CheckProgram().identity));
    EXPECT_TRUE(HelpManager::ShowHelp(Main));
    ASSERT_EQ(launches.size(), 1u);

    WriteScript(fits + "-viewer", "echo");
    Settings::exe_showhelp = fits + "-viewer";
    EXPECT_EQ(HelpManager::CheckProgram().verdict, ProgramCheck::Verdict::TooLong);
    EXPECT_FALSE(HelpManager::ShowHelp(Main));
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not start \"" + fits +
                  "-viewer\": the program's path is longer than the 47 "
                  "characters that its setting holds.");

    Settings::path_vaskresman = "bin/" + std::string(Settings::PathCapacity, 't');
    EXPECT_FALSE(VaskResMan::OpenFile("Templates/Sword.vasktpl"));
    EXPECT_EQ(TesselEngine::LastFailure().cause, TesselEngine::Cause::TooLong);
    EXPECT_EQ(launches.size(), 1u);
}
#endif
