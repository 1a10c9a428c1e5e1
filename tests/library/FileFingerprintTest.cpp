// Telling whether a file read earlier was changed, deleted or left alone by another
// program: the bytes decide, not the modification time.
#include "engine/FileFingerprint.h"
#include "info/VaskInfo.h"
#include "support/Library.h"
#include "support/Workspace.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace VaskEdit;
using namespace TesselEngine;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

class FileFingerprintTest : public VaskTest::WorkspaceTest {};

TEST_F(FileFingerprintTest, TellsChangedDeletedAndUnchangedFiles) {
    WriteFile("a.txt", "first text");
    const FileFingerprint read = FingerprintFile("a.txt");
    ASSERT_TRUE(read.taken);
    EXPECT_EQ(read.size, 10u);
    EXPECT_EQ(CheckOnDisk(read, "a.txt"), DiskChange::Unchanged);

    WriteFile("a.txt", "first text, longer");
    FileFingerprint now;
    EXPECT_EQ(CheckOnDisk(read, "a.txt", &now), DiskChange::Changed);
    EXPECT_TRUE(now.taken);
    EXPECT_EQ(now.size, 18u);

    WriteFile("a.txt", "FIRST text"); // the same size, other bytes
    EXPECT_EQ(CheckOnDisk(read, "a.txt"), DiskChange::Changed);

    fs::remove("a.txt");
    EXPECT_EQ(CheckOnDisk(read, "a.txt", &now), DiskChange::Deleted);
    EXPECT_FALSE(now.taken);
}

TEST_F(FileFingerprintTest, AFileTouchedButHoldingTheSameBytesIsUnchanged) {
    WriteFile("a.txt", "the text");
    const FileFingerprint read = FingerprintFile("a.txt");
    const auto later = fs::last_write_time("a.txt") + std::chrono::hours(2);
    WriteFile("a.txt", "the text");
    fs::last_write_time("a.txt", later);
    FileFingerprint now;
    EXPECT_EQ(CheckOnDisk(read, "a.txt", &now), DiskChange::Unchanged);
    EXPECT_NE(now.modified, read.modified); // the time did change
}

class ReadInfoFingerprintTest : public VaskTest::LibraryTest {};

TEST_F(ReadInfoFingerprintTest, AReadInfoKeepsTheFingerprintOfTheBytesItWasReadFrom) {
    WriteInfo("Greeting", "Vask");
    const std::string bytes = VaskTest::ReadFile("Infos/Greeting.vaskinfo");
    VaskInfo info;
    ASSERT_TRUE(info.LoadDataFromFile("Greeting"));
    EXPECT_TRUE(info.ReadFingerprint.SameBytes(FingerprintOf("x", bytes)));
    EXPECT_EQ(CheckOnDisk(info.ReadFingerprint, "Infos/Greeting.vaskinfo"), DiskChange::Unchanged);

    VaskInfo byPath;
    const std::string path = (fs::current_path() / "Infos/Greeting.vaskinfo").string();
    ASSERT_TRUE(byPath.LoadFromAbsolutePath(path.c_str()));
    EXPECT_TRUE(byPath.ReadFingerprint.SameBytes(info.ReadFingerprint));

    EXPECT_FALSE(VaskInfo().ReadFingerprint.taken); // a new info was read from no file
}

} // namespace
