// One writer at a time: the lock names its holder, refuses a second writer after the
// wait and never blocks once its holder has ended.
#include "engine/WorkspaceLock.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <optional>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace TesselEngine;
using namespace std::chrono_literals;

namespace {
class WorkspaceLockTest : public VaskTest::WorkspaceTest {};
} // namespace

TEST_F(WorkspaceLockTest, ASecondWriterWaitsThenIsRefusedWithTheHolderNamed) {
    std::optional<WorkspaceLock> first;
    first.emplace(WorkspaceLock::Take("rename", 0ms));
    ASSERT_TRUE(first->IsHeld());

    int told = 0;
    const auto start = std::chrono::steady_clock::now();
    const WorkspaceLock second =
        WorkspaceLock::Take("text set", 300ms, [&](const LockHolder&) { ++told; });
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_EQ(second.GetState(), WorkspaceLock::State::Busy);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(second.Holder().pid, Platform::ProcessId());
    EXPECT_EQ(second.Holder().command, "rename");
    EXPECT_EQ(BusyMessage(second.Holder()), "the workspace is being changed by PID " +
                                                std::to_string(Platform::ProcessId()) +
                                                " (rename)");

    first.reset();
    const WorkspaceLock third = WorkspaceLock::Take("merge", 0ms);
    EXPECT_TRUE(third.IsHeld());
    EXPECT_NE(VaskTest::ReadFile(WorkspaceLockFile).find("\nmerge\n"), std::string::npos);
}

#ifndef _WIN32
TEST_F(WorkspaceLockTest, AHolderThatDiedBlocksNobody) {
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Ends holding the lock, as a killed writer does.
        const WorkspaceLock held = WorkspaceLock::Take("split", 0ms);
        ::_exit(held.IsHeld() ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // Its lock file stays, naming it.
    EXPECT_EQ(VaskTest::ReadFile(WorkspaceLockFile).rfind(std::to_string(child) + "\n", 0), 0u);
    EXPECT_FALSE(Platform::IsProcessAlive(static_cast<std::uint32_t>(child)));
    EXPECT_TRUE(WorkspaceLock::Take("rename", 0ms).IsHeld());
}
#endif

#ifndef _WIN32
TEST_F(WorkspaceLockTest, ALockFileThatIsNoFileIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(WorkspaceLockFile, 0600), 0);
    const WorkspaceLock lock = WorkspaceLock::Take("rename", 0ms);
    EXPECT_EQ(lock.GetState(), WorkspaceLock::State::Unavailable);
    EXPECT_EQ(lock.Failure(), Platform::Cause::NotAFile);
}
#endif
