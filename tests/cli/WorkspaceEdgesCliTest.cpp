// vaskedit-cli at the workspace's edges: a second writer, links out of the workspace,
// named pipes among the infos and saves that can keep no backup.
#include "CliRun.h"
#include "engine/WorkspaceLock.h"
#include "support/Workspace.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {
using CliResult = VaskTest::CliRun;

// The program in the workspace "work".
CliResult Cli(const std::string& arguments) {
    return VaskTest::RunCli("-C work " + arguments);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class WorkspaceEdgesCliTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        fs::create_directory("work");
        workspace.CopyFromSource("demo", "work");
        workspace.CopyFromSource("Resources", "work/Resources");
        fs::create_directory("outside");
    }
    // Links may need rights that Windows does not give everyone.
    static bool Link(const fs::path& target, const fs::path& link) {
        std::error_code error;
        fs::is_directory(target) ? fs::create_directory_symlink(target, link, error)
                                 : fs::create_symlink(target, link, error);
        return !error;
    }
};
} // namespace

TEST_F(WorkspaceEdgesCliTest, ASecondWriterIsRefusedWhileTheFirstHoldsTheWorkspace) {
    const std::string table = ReadFile("work/infosa.csv");
    std::optional<TesselEngine::WorkspaceLock> held;
    {
        const fs::path before = fs::current_path();
        fs::current_path("work");
        held.emplace(TesselEngine::WorkspaceLock::Take("rename", std::chrono::milliseconds(0)));
        fs::current_path(before);
    }
    ASSERT_TRUE(held->IsHeld());
    const std::string busy = "the workspace is being changed by PID " +
                             std::to_string(TesselEngine::Platform::ProcessId()) + " (rename)";
    for (const char* writer : {"text set BOB_NEW Hello", "cache update", "merge"}) {
        const CliResult run = Cli(writer);
        EXPECT_EQ(run.status, 1) << writer;
        EXPECT_EQ(run.err, "Waiting: " + busy + ".\nError: " + busy + ".\n") << writer;
    }
    EXPECT_EQ(ReadFile("work/infosa.csv"), table);
    EXPECT_FALSE(fs::exists("work/Output"));
    // Readers do not wait.
    EXPECT_EQ(Cli("text get BOB_GREET_01").status, 0);

    held.reset();
    const CliResult set = Cli("text set BOB_NEW Hello");
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(Contains(ReadFile("work/infosa.csv"), "BOB_NEW||Hello|"));
}

TEST_F(WorkspaceEdgesCliTest, NothingOutsideIsReadIntoADocumentNorWritten) {
    WriteFile("outside/secret.vaskinfo", "\"Secret\" SECRET BYTES");
    if (!Link(fs::absolute("outside/secret.vaskinfo"), "work/Infos/Secret.vaskinfo"))
        GTEST_SKIP() << "no symbolic links here";
    const CliResult merge = Cli("merge");
    // A merge that lacks an info publishes nothing.
    EXPECT_EQ(merge.status, 1);
    EXPECT_TRUE(Contains(merge.err, "Could not read \"Infos/Secret.vaskinfo\"; skipped.\n"))
        << merge.err;
    EXPECT_FALSE(fs::exists("work/Output/new_info.hdrdoc"));
    for (const char* reader : {"cache update", "check", "search SECRET"}) {
        const CliResult run = Cli(reader);
        EXPECT_TRUE(Contains(run.err + run.out, "Secret")) << reader << ": " << run.err;
    }

    // Read-only commands create nothing where a table's link leads.
    fs::remove("work/infosa.csv");
    ASSERT_TRUE(Link(fs::absolute("outside/infosa.csv"), "work/infosa.csv"));
    for (const char* reader :
         {"show Bob_Greeting", "check", "search --text smugglers", "text export texts.csv"})
        Cli(reader);
    EXPECT_FALSE(fs::exists("outside/infosa.csv"));
    const CliResult set = Cli("text set BOB_NEW Hello");
    EXPECT_EQ(set.status, 1);
    EXPECT_TRUE(Contains(set.err, "a link leads outside the workspace")) << set.err;
    EXPECT_FALSE(fs::exists("outside/infosa.csv"));

    // A folder that leads outside takes no write.
    fs::remove("work/Infos/Secret.vaskinfo");
    fs::remove_all("work/Output");
    ASSERT_TRUE(Link(fs::absolute("outside"), "work/Output"));
    const CliResult refused = Cli("merge");
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.err, "\"Output/new_info.hdrdoc\": a link leads outside the "
                                      "workspace."))
        << refused.err;
    EXPECT_EQ(VaskTest::ListNames("outside"), (std::vector<std::string>{"secret.vaskinfo"}));
}

#ifndef _WIN32
TEST_F(WorkspaceEdgesCliTest, ANamedPipeAmongTheInfosIsSkippedAndNamed) {
    ASSERT_EQ(::mkfifo("work/Infos/Pipe.vaskinfo", 0666), 0);
    for (const char* reader : {"cache update", "merge", "check", "search Bob", "owners"}) {
        const CliResult run = Cli(reader);
        EXPECT_TRUE(Contains(run.err + run.out, "Pipe")) << reader << ": " << run.err << run.out;
    }
}
#endif

TEST_F(WorkspaceEdgesCliTest, ASaveThatKeepsNoBackupSaysSoEachTime) {
    fs::remove_all("work/Backup");
    WriteFile("work/Backup", "in the way");
    for (int round = 0; round < 2; ++round) {
        const CliResult run = Cli("text set BOB_NEW Hello" + std::to_string(round));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "Warning: No backup of \"infosa.csv\" was kept: the folder \"Backup/\" "
                           "could not be created.\n");
    }
    EXPECT_EQ(ReadFile("work/Backup"), "in the way");
}
