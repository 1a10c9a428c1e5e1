// The user's confirmations of programs that a workspace names: kept outside the
// workspace, for one file as it was confirmed.
#include "tools/TrustedPrograms.h"
#include "engine/Failure.h"
#include "support/UserSettingsHome.h"
#include "support/Workspace.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

class TrustedProgramsTest : public VaskTest::WorkspaceTest {
protected:
    VaskTest::UserSettingsHome home;
};

// A program file in the workspace, as a shared mod folder would ship one.
fs::path WriteProgram(const fs::path& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

TrustedPrograms::Program Identified(const std::string& name) {
    const auto program = TrustedPrograms::Identify(name);
    EXPECT_TRUE(program.has_value()) << name;
    return program.value_or(TrustedPrograms::Program{});
}

} // namespace

TEST_F(TrustedProgramsTest, AConfirmationHoldsForThatFileOnlyAndLivesOutsideTheWorkspace) {
    WriteProgram("bin/viewer.exe", "echo one");
    const TrustedPrograms::Program viewer = Identified("bin/viewer.exe");
    EXPECT_EQ(fs::path(viewer.path), (workspace.Root() / "bin" / "viewer.exe").lexically_normal());
    EXPECT_FALSE(TrustedPrograms::Identify("bin/missing.exe"));

    EXPECT_FALSE(TrustedPrograms::IsConfirmed(viewer));
    ASSERT_TRUE(TrustedPrograms::Confirm(viewer));
    EXPECT_TRUE(TrustedPrograms::IsConfirmed(viewer));
    EXPECT_TRUE(TrustedPrograms::IsConfirmed(Identified("./bin/../bin/viewer.exe")));

    // Kept in the user's folder, read anew by every check (another run of the program
    // sees it; without the file nothing is confirmed).
    const fs::path store = TrustedPrograms::StoreFile();
    EXPECT_EQ(store.parent_path().parent_path(), home.Folder());
    EXPECT_NE(ReadFile(store).find(viewer.path), std::string::npos);
    EXPECT_EQ(VaskTest::ListNames("."), std::vector<std::string>{"bin"});
    const std::string kept = ReadFile(store);
    fs::remove(store);
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(viewer));
    WriteFile(store, kept);
    EXPECT_TRUE(TrustedPrograms::IsConfirmed(viewer));

    // The same bytes under another path ask again.
    fs::copy_file("bin/viewer.exe", "bin/other.exe");
    const TrustedPrograms::Program other = Identified("bin/other.exe");
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(other));

    // A replaced program asks again: other bytes, or only another time.
    WriteProgram("bin/viewer.exe", "echo two, longer");
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(Identified("bin/viewer.exe")));
    WriteProgram("bin/viewer.exe", "echo one");
    fs::last_write_time("bin/viewer.exe", fs::file_time_type::clock::now() + std::chrono::hours(1));
    const TrustedPrograms::Program replaced = Identified("bin/viewer.exe");
    EXPECT_EQ(replaced.size, viewer.size);
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(replaced));

    // Confirming the new file replaces the old stamp and keeps the other programs.
    ASSERT_TRUE(TrustedPrograms::Confirm(other));
    ASSERT_TRUE(TrustedPrograms::Confirm(replaced));
    EXPECT_TRUE(TrustedPrograms::IsConfirmed(replaced));
    EXPECT_TRUE(TrustedPrograms::IsConfirmed(other));
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(viewer));
    const std::string lines = ReadFile(store);
    EXPECT_EQ(lines.find(viewer.path), lines.rfind(viewer.path));
}

TEST_F(TrustedProgramsTest, AConfirmationThatCannotBeStoredConfirmsNothing) {
    WriteProgram("bin/viewer.exe", "echo one");
    const TrustedPrograms::Program viewer = Identified("bin/viewer.exe");
    // A file where the settings folder should be.
    fs::remove_all(home.Folder());
    WriteFile(home.Folder(), "not a folder");
    EXPECT_FALSE(TrustedPrograms::Confirm(viewer));
    EXPECT_TRUE(TesselEngine::LastFailure().IsSet());
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(viewer));

    fs::remove(home.Folder());
    TrustedPrograms::Program broken = viewer;
    broken.path += "\nx";
    EXPECT_FALSE(TrustedPrograms::Confirm(broken));
    EXPECT_FALSE(TrustedPrograms::IsConfirmed(broken));
}
