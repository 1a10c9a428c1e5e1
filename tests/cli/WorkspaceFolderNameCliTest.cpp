// A workspace folder may have any name, also with letters outside the Windows code page.
#include "FolderOption.h"
#include "engine/platform/ArgumentTexts.h"
#include "support/Workspace.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;
using VaskTest::ReadFile;

namespace {
// The name in UTF-8, for the command line and for the file system.
constexpr char FolderName[] = "Arbeitsmappe \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"; // Ωμέγα

struct CliRun {
    int status;
    std::string err;
};

// Runs the program on a UTF-8 command line. Windows gets it as wide text: the narrow
// one would lose the Greek letters before the program sees them.
CliRun Cli(const std::string& arguments) {
    std::string command =
        std::string("\"") + VASK_CLI_PROGRAM + "\" " + arguments + " > cli-out.txt 2> cli-err.txt";
#ifdef _WIN32
    command = "\"" + command + "\""; // cmd takes away the outer quotes
    const int n = MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, wide.data(), n);
    const int status = _wsystem(wide.c_str());
#else
    int status = std::system(command.c_str());
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {status, ReadFile("cli-err.txt")};
}

fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

void CopyDemo(const fs::path& to) {
    fs::copy(VaskTest::SourceRoot() / "demo", to, fs::copy_options::recursive);
    fs::copy(VaskTest::SourceRoot() / "Resources", to / "Resources", fs::copy_options::recursive);
}
} // namespace

class WorkspaceFolderNameTest : public VaskTest::WorkspaceTest {};

TEST_F(WorkspaceFolderNameTest, CommandsWorkInAFolderNamedOutsideTheCodePage) {
    const fs::path folder = Utf8Path(FolderName);
    CopyDemo(folder);
    CopyDemo("plain");
    const std::string quoted = std::string("\"") + FolderName + "\"";

    const CliRun update = Cli("-C " + quoted + " cache update");
    ASSERT_EQ(update.status, 0) << update.err;
    EXPECT_TRUE(fs::exists(folder / "infocache"));
    EXPECT_FALSE(fs::exists("infocache")); // not where the program was started

    ASSERT_EQ(Cli("-C plain cache update").status, 0);
    const CliRun check = Cli("-C " + quoted + " check");
    const std::string checked = ReadFile("cli-out.txt");
    const CliRun plain = Cli("-C plain check");
    EXPECT_EQ(check.status, plain.status) << check.err;
    EXPECT_EQ(check.err, plain.err);
    EXPECT_EQ(checked, ReadFile("cli-out.txt"));
    EXPECT_EQ(ReadFile(folder / "infocache"), ReadFile("plain/infocache"));

    // Joined to the option, too; a folder that is not there is an error, not the start folder.
    EXPECT_EQ(Cli(std::string("\"-C") + FolderName + "\" cache list").status, 0);
    const CliRun missing = Cli(std::string("-C \"") + FolderName + " 2\" cache update");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(FolderName), std::string::npos) << missing.err;
}

TEST(FolderOption, FindsTheFolderOfTheLastOptionBeforeTheCommand) {
    char program[] = "vaskedit-cli", c[] = "-C", one[] = "one", joined[] = "-Ctwo",
         command[] = "check", late[] = "-C", three[] = "three";
    char* both[] = {program, c, one, joined, command, late, three};
    EXPECT_EQ(VaskCli::FolderOption(7, both), joined + 2);
    char* first[] = {program, c, one, command, late, three};
    EXPECT_EQ(VaskCli::FolderOption(6, first), one);
    char* dangling[] = {program, c};
    EXPECT_EQ(VaskCli::FolderOption(2, dangling), nullptr);
    char* none[] = {program, command, late, three};
    EXPECT_EQ(VaskCli::FolderOption(4, none), nullptr);
}

#ifndef _WIN32
// On Windows the texts come from the process's own command line, not from these.
TEST(ArgumentTexts, FindsAnArgumentByItsPlaceAlsoAfterArgvWasReordered) {
    char program[] = "vaskedit", option[] = "-Cfolder", plain[] = "file";
    char* argv[] = {program, option, plain};
    const TesselEngine::Platform::ArgumentTexts texts(3, argv);
    argv[1] = plain; // as a library taking out its own options moves the rest
    EXPECT_EQ(texts.Utf8(argv[1]), "file");
    EXPECT_EQ(texts.Utf8(option + 2), "folder");
    const std::string elsewhere = "other";
    EXPECT_EQ(texts.Utf8(elsewhere.c_str()), "other");
}
#endif
