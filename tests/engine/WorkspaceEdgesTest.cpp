// The workspace's edges as writers and readers meet them: temporary files of their own,
// leftovers of ended processes, saves that could keep no backup, read-only file systems,
// named pipes and links that lead outside the workspace.
#include "engine/Backup.h"
#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/platform/RawPlatform.h"
#include "support/Workspace.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace TesselEngine;
using namespace TesselEngine::WinAPI;
using VaskTest::ListNames;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class WorkspaceEdgesTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        Backup::TakeMissed();
        outside = workspace.Root().parent_path() / (workspace.Root().filename().string() + "-out");
        fs::create_directories(outside);
    }
    void TearDown() override {
        Platform::FaultInjection::Clear();
        std::error_code ignored;
        fs::remove_all(outside, ignored);
    }
    bool Save(const char* path, const std::string& bytes) {
        return File::SaveWithBackup(path, bytes.data(), bytes.size());
    }
    // Links may need rights that Windows does not give everyone.
    bool Link(const fs::path& target, const fs::path& link) {
        std::error_code error;
        fs::is_directory(target) ? fs::create_directory_symlink(target, link, error)
                                 : fs::create_symlink(target, link, error);
        return !error;
    }
    fs::path outside;
};

std::string TemporaryName(const char* file, std::uint32_t pid, int n) {
    return std::string(file) + ".~" + std::to_string(pid) + "-" + std::to_string(n) + ".tmp";
}
} // namespace

TEST_F(WorkspaceEdgesTest, TemporaryNamesLeftByAnEarlierProcessOfThisIdDoNotStopASave) {
    const std::uint32_t self = Platform::ProcessId();
    for (int n = 1; n <= 1000; ++n)
        WriteFile(TemporaryName("Infos/a.vaskinfo", self, n), "left");
    ASSERT_TRUE(Save("Infos/a.vaskinfo", "new")) << FailureMessage(LastFailure());
    EXPECT_EQ(ReadFile("Infos/a.vaskinfo"), "new");
    // This process's id is not dead: its names stay.
    EXPECT_EQ(ListNames("Infos").size(), 1001u);
}

TEST_F(WorkspaceEdgesTest, TheNextWriterOfAFolderRemovesLeftoversOfEndedProcesses) {
    // No process has so large an id.
    const std::uint32_t ended = 4000000000u;
    ASSERT_FALSE(Platform::IsProcessAlive(ended));
    ASSERT_TRUE(Platform::IsProcessAlive(Platform::ProcessId()));
    WriteFile(TemporaryName("Output/x.hdrdoc", ended, 7), "36 MB once");
    WriteFile("Output/notes.~1x-2.tmp", "not ours"); // no process id: stays
    WriteFile("Output/y.hdrdoc", "kept");
    ASSERT_TRUE(Save("Output/x.hdrdoc", "new"));
    EXPECT_EQ(ListNames("Output"),
              (std::vector<std::string>{"notes.~1x-2.tmp", "x.hdrdoc", "y.hdrdoc"}));
}

TEST_F(WorkspaceEdgesTest, ASaveWithoutItsBackupSaysSoEachTime) {
    WriteFile("Backup", "in the way");
    WriteFile("infocache", "old");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(Save("infocache", "new"));
        const auto missed = Backup::TakeMissed();
        ASSERT_EQ(missed.size(), 1u);
        EXPECT_EQ(Backup::MissedMessage(missed[0]),
                  "No backup of \"infocache\" was kept: the folder \"Backup/\" could not be "
                  "created.");
    }
    // A new file has nothing to keep.
    ASSERT_TRUE(Save("Settings.ini", "x"));
    EXPECT_TRUE(Backup::TakeMissed().empty());
}

TEST_F(WorkspaceEdgesTest, AReadOnlyFileSystemIsNamedAsSuch) {
#ifdef _WIN32
    const int code = 19; // ERROR_WRITE_PROTECT
#else
    const int code = EROFS;
#endif
    EXPECT_EQ(Platform::Raw::CauseOf(code), Cause::ReadOnlyFileSystem);
    EXPECT_EQ(
        FailureMessage({Operation::Save, "Infos/a.vaskinfo", Cause::ReadOnlyFileSystem, 0, {}}),
        "Could not save \"Infos/a.vaskinfo\": the file system is read-only.");
}

#ifndef _WIN32
TEST_F(WorkspaceEdgesTest, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    fs::create_directory("Infos");
    ASSERT_EQ(::mkfifo("Infos/Pipe.vaskinfo", 0666), 0);
    File pipe{Char256("Infos/Pipe.vaskinfo")};
    EXPECT_FALSE(pipe.OpenRead());
    EXPECT_EQ(LastFailure().cause, Cause::NotAFile);
    EXPECT_EQ(FailureMessage(LastFailure()),
              "Could not read \"Infos/Pipe.vaskinfo\": it is not a regular file.");
    EXPECT_FALSE(pipe.Create());
    EXPECT_EQ(LastFailure().cause, Cause::NotAFile);
}
#endif

TEST_F(WorkspaceEdgesTest, LinksOutOfTheWorkspaceAreNeitherReadNorWrittenThrough) {
    WriteFile(outside / "secret.txt", "secret");
    fs::create_directory("Infos");
    if (!Link(outside / "secret.txt", "Infos/Secret.vaskinfo") || !Link(outside, "Output"))
        GTEST_SKIP() << "no symbolic links here";
    WriteFile("inside.txt", "inside");
    ASSERT_TRUE(Link(workspace.Root() / "inside.txt", "Infos/Inside.vaskinfo"));

    File secret{Char256("Infos/Secret.vaskinfo")};
    EXPECT_FALSE(secret.OpenRead());
    EXPECT_EQ(FailureMessage(LastFailure()),
              "Could not read \"Infos/Secret.vaskinfo\": a link leads outside the workspace.");
    // A link inside the workspace reads, and a save replaces the link, not its target.
    File inside{Char256("Infos/Inside.vaskinfo")};
    EXPECT_TRUE(inside.OpenRead());
    inside.Close();
    ASSERT_TRUE(Save("Infos/Inside.vaskinfo", "saved"));
    EXPECT_EQ(ReadFile("inside.txt"), "inside");
    EXPECT_EQ(ReadFile("Infos/Inside.vaskinfo"), "saved");

    EXPECT_FALSE(Save("Output/new_info.hdrdoc", "merged"));
    EXPECT_EQ(LastFailure().cause, Cause::OutsideWorkspace);
    // Saving the linked info replaces the link itself.
    ASSERT_TRUE(Save("Infos/Secret.vaskinfo", "x"));
    EXPECT_FALSE(fs::is_symlink("Infos/Secret.vaskinfo"));
    EXPECT_EQ(ReadFile(outside / "secret.txt"), "secret");
    EXPECT_EQ(ListNames(outside), (std::vector<std::string>{"secret.txt"}));

    // A path that names a place outside by itself is the caller's choice.
    const std::string beside = "../" + outside.filename().string() + "/secret.txt";
    File named{Char256(beside.c_str())};
    EXPECT_TRUE(named.OpenRead());
    named.Close();
}

TEST_F(WorkspaceEdgesTest, ABackupFolderLinkedOutsideTakesNoBackup) {
    if (!Link(outside, "Backup"))
        GTEST_SKIP() << "no symbolic links here";
    WriteFile("infocache", "old");
    ASSERT_TRUE(Save("infocache", "new"));
    EXPECT_EQ(ReadFile("infocache"), "new");
    EXPECT_TRUE(ListNames(outside).empty());
    const auto missed = Backup::TakeMissed();
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_EQ(missed[0].reason, "the folder \"Backup/\" leads outside the workspace");
}
