// What an unfinished rename left: "recover" rolls it back on demand, every other command
// before it starts, and both say what they did; a file that cannot be put back fails them.
#include "CliRun.h"
#include "library/Journal.h"
#include "support/Workspace.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {
using VaskTest::CliRun;
CliRun Cli(const std::string& arguments) {
    return VaskTest::RunCli(arguments);
}

class RecoverTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        fs::create_directory("work");
        workspace.CopyFromSource("demo", "work");
        workspace.CopyFromSource("Resources", "work/Resources");
        trade = ReadFile("work/Infos/Bob_Trade.vaskinfo");
    }
    // A rename killed after it created its new info and changed one user of the old name.
    void LeaveUnfinishedRename() const {
        const VaskEdit::Journal journal{
            "rename",
            {},
            {{"Infos/Bob_Renamed.vaskinfo", std::nullopt}, {"Infos/Bob_Trade.vaskinfo", trade}}};
        WriteFile("work/Backup/.journal", VaskEdit::JournalBytes(journal));
        WriteFile("work/Infos/Bob_Renamed.vaskinfo", "new");
        WriteFile("work/Infos/Bob_Trade.vaskinfo", "changed");
    }
    bool AsBefore() const {
        return ReadFile("work/Infos/Bob_Trade.vaskinfo") == trade &&
               !fs::exists("work/Infos/Bob_Renamed.vaskinfo") &&
               !fs::exists("work/Backup/.journal");
    }

    std::string trade;
};
} // namespace

TEST_F(RecoverTest, RecoverRollsBackAndSaysWhatItDid) {
    EXPECT_EQ(Cli("-C work recover").out, "Nothing to recover.\n");
    LeaveUnfinishedRename();
    const CliRun run = Cli("-C work recover");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Removed \"Infos/Bob_Renamed.vaskinfo\", which the rename had created.\n"
                       "Restored \"Infos/Bob_Trade.vaskinfo\".\n"
                       "Recovered an unfinished rename: 1 file restored, 1 removed.\n");
    EXPECT_TRUE(AsBefore());
    EXPECT_EQ(Cli("-C work recover").status, 0);
}

TEST_F(RecoverTest, EveryCommandRecoversFirstOrRefusesToRun) {
    LeaveUnfinishedRename();
#ifndef _WIN32
    fs::permissions("work/Infos/Bob_Trade.vaskinfo", fs::perms::owner_read);
    for (const char* command : {"recover", "cache list"}) {
        SCOPED_TRACE(command);
        const CliRun refused = Cli(std::string("-C work ") + command);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE((refused.out + refused.err)
                      .find("Not restored: \"Infos/Bob_Trade.vaskinfo\" still holds what the "
                            "rename wrote. Could not save \"Infos/Bob_Trade.vaskinfo\": the file "
                            "is read-only."),
                  std::string::npos)
            << refused.out << refused.err;
        EXPECT_NE(refused.err.find("The journal \"Backup/.journal\" of the rename is kept"),
                  std::string::npos);
        EXPECT_TRUE(fs::exists("work/Backup/.journal"));
        EXPECT_EQ(ReadFile("work/Infos/Bob_Trade.vaskinfo"), "changed");
    }
    fs::permissions("work/Infos/Bob_Trade.vaskinfo", fs::perms::owner_write, fs::perm_options::add);
#endif
    const CliRun listed = Cli("-C work cache list");
    EXPECT_EQ(listed.status, 0);
    // (Where the first try ran, it removed the new info already.)
    EXPECT_TRUE(listed.err.starts_with("Recovered an unfinished rename: 1 file restored"))
        << listed.err;
    EXPECT_TRUE(AsBefore());
}

#ifndef _WIN32
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
// Every info file with its bytes.
std::map<std::string, std::string> Infos() {
    std::map<std::string, std::string> infos;
    for (const auto& entry : fs::directory_iterator("work/Infos")) {
        if (entry.path().extension() == ".vaskinfo")
            infos[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return infos;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}
} // namespace

// The real program killed at moments spread over its run: the next command finds the
// workspace all renamed or, after it rolled the rest back, not renamed at all.
TEST_F(RecoverTest, AKilledRenameIsAllOrNothingAfterTheNextCommand) {
    fs::remove_all("work/Infos");
    fs::remove("work/infocache");
    const std::string trade = ReadFile(VaskTest::SourceRoot() / "demo/Infos/Bob_Trade.vaskinfo");
    WriteFile("work/Infos/A.vaskinfo", Replaced(trade, "Bob_Trade", "A"));
    for (int i = 0; i < 60; ++i)
        WriteFile("work/Infos/C" + std::to_string(i) + ".vaskinfo",
                  Replaced(Replaced(trade, "Bob_Trade", "C" + std::to_string(i)), "Parent = \"\"",
                           "Parent = \"A\""));
    const auto before = Infos();
    const auto run = [] {
        const std::string program = VASK_CLI_PROGRAM;
        const char* argv[] = {program.c_str(), "-C", "work", "rename", "A", "A_New", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr,
                              const_cast<char* const*>(argv), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    };
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(run(), &status, 0);
    const auto whole = std::chrono::steady_clock::now() - start;
    const auto after = Infos();
    ASSERT_EQ(after.size(), before.size());
    ASSERT_TRUE(after.contains("A_New.vaskinfo"));

    int rolledBack = 0;
    for (int part = 1; part < 6; ++part) {
        SCOPED_TRACE("killed after " + std::to_string(part) + "/6 of its run");
        fs::remove_all("work/Infos");
        fs::remove_all("work/Backup");
        for (const auto& [name, bytes] : before)
            WriteFile("work/Infos/" + name, bytes);
        const pid_t pid = run();
        std::this_thread::sleep_for(whole * part / 6);
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        rolledBack += fs::exists("work/Backup/.journal");
        const CliRun next = Cli("-C work recover");
        EXPECT_EQ(next.status, 0) << next.out << next.err;
        const auto now = Infos();
        EXPECT_TRUE(now == before || now == after);
    }
    EXPECT_GT(rolledBack, 0) << "no kill came while the rename was changing files";
}
#endif
