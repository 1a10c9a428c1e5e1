#include "engine/Backup.h"
#include "engine/File.h"
#include "support/Workspace.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

using namespace TesselEngine;
using TesselEngine::Platform::FaultInjection;
using TesselEngine::WinAPI::File;
using VaskTest::ListNames;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

class BackupTest : public VaskTest::WorkspaceTest {
protected:
    void TearDown() override { FaultInjection::Clear(); }
};

bool Save(const std::string& path, const std::string& bytes) {
    return File::SaveWithBackup(path.c_str(), bytes.data(), bytes.size());
}

// The stamp of this moment, through the C library rather than the code under test.
std::string StampNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", std::gmtime(&seconds));
    char tail[8];
    std::snprintf(tail, sizeof tail, "-%03d", static_cast<int>(milliseconds));
    return std::string(text) + tail;
}

// The names in the backup folder of a file, and what those backups hold.
std::vector<std::string> BackupNames(const std::string& file) {
    return ListNames(fs::path("Backup") / file);
}

std::vector<std::string> Contents(const std::string& file) {
    std::vector<std::string> contents;
    for (const auto& name : BackupNames(file))
        contents.push_back(ReadFile(fs::path("Backup") / file / name));
    return contents;
}

} // namespace

TEST_F(BackupTest, ReplaceKeepsTheOldBytesUnderAStampOfNowInUtc) {
    ASSERT_TRUE(Save("fresh.txt", "first")); // a new file has none, and makes no folder
    EXPECT_EQ(ListNames("."), std::vector<std::string>{"fresh.txt"});
    WriteFile("notes.txt", "old");
    const std::string before = StampNow();
    ASSERT_TRUE(Save("notes.txt", "new"));
    const std::string after = StampNow();

    EXPECT_EQ(ReadFile("notes.txt"), "new");
    EXPECT_EQ(ListNames("Backup"), std::vector<std::string>{"notes.txt"});
    const auto names = BackupNames("notes.txt");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex(R"(notes\.txt\.\d{8}-\d{6}-\d{3})")))
        << names[0];
    const std::string stamp = names[0].substr(std::string("notes.txt.").size());
    EXPECT_LE(before, stamp);
    EXPECT_LE(stamp, after);
    EXPECT_EQ(ReadFile("Backup/notes.txt/" + names[0]), "old");
    EXPECT_EQ(Backup::List("notes.txt"), std::vector<std::string>{"Backup/notes.txt/" + names[0]});
}

TEST_F(BackupTest, TheTenNewestAreKeptEachWithTheBytesOfTheSaveBeforeIt) {
    fs::create_directory("Sub");
    WriteFile("Sub/f.txt", "v0");
    for (int i = 1; i <= 12; ++i) // quicker than the clock: several share one millisecond
        ASSERT_TRUE(Save("Sub/f.txt", "v" + std::to_string(i)));

    ASSERT_EQ(BackupNames("f.txt").size(), Backup::KeptPerFile);
    EXPECT_EQ(Contents("f.txt"), (std::vector<std::string>{"v2", "v3", "v4", "v5", "v6", "v7", "v8",
                                                           "v9", "v10", "v11"}));
    EXPECT_EQ(ReadFile("Sub/f.txt"), "v12");
}

TEST_F(BackupTest, RotationKeepsWhatFitsTheBudgetButAlwaysTheNewest) {
    // Ten whole copies of a large document filled the disk: sizes count as well.
    const auto version = [](int i) { return std::to_string(i) + std::string(9, '.'); };
    WriteFile("f.txt", version(0));
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(Save("f.txt", version(i)));
    Backup::Rotate("f.txt", 35);
    EXPECT_EQ(Contents("f.txt"), (std::vector<std::string>{version(2), version(3), version(4)}));

    // A backup that is a second name for the file's present bytes counts all the same.
    ASSERT_FALSE(Backup::Keep("f.txt").path.empty());
    Backup::Rotate("f.txt", 25);
    EXPECT_EQ(Contents("f.txt"), (std::vector<std::string>{version(4), version(5)}));

    Backup::Rotate("f.txt", 5);
    EXPECT_EQ(Contents("f.txt"), std::vector<std::string>{version(5)});
    EXPECT_EQ(ReadFile("f.txt"), version(5));
}

TEST_F(BackupTest, RotationLeavesOtherFilesAndStrayNamesAlone) {
    const std::vector<std::string> others = {"f.txt.2026", "f.txt.20261340-000000-000",
                                             "g.txt.20200101-000000-000",
                                             "f.txt.20200101-000000-000.~1-1.tmp"};
    for (const auto& name : others)
        WriteFile("Backup/f.txt/" + name, "other");
    WriteFile("Backup/g.txt/g.txt.20200101-000000-000", "other");
    WriteFile("f.txt", "v0");
    for (int i = 1; i <= 11; ++i)
        ASSERT_TRUE(Save("f.txt", "v" + std::to_string(i)));
    EXPECT_EQ(BackupNames("f.txt").size(), others.size() + Backup::KeptPerFile);
    for (const auto& name : others)
        EXPECT_EQ(ReadFile("Backup/f.txt/" + name), "other") << name;
    EXPECT_EQ(BackupNames("g.txt").size(), 1u);
    EXPECT_EQ(Backup::List("f.txt").size(), Backup::KeptPerFile);
}

TEST_F(BackupTest, AStampFromTheFutureIsFollowedNotOverwritten) {
    WriteFile("Backup/f.txt/f.txt.29991231-235959-999", "future");
    WriteFile("f.txt", "old");
    ASSERT_TRUE(Save("f.txt", "new"));
    EXPECT_EQ(BackupNames("f.txt"),
              (std::vector<std::string>{"f.txt.29991231-235959-999", "f.txt.30000101-000000-000"}));
    EXPECT_EQ(ReadFile("Backup/f.txt/f.txt.29991231-235959-999"), "future");
    EXPECT_EQ(ReadFile("Backup/f.txt/f.txt.30000101-000000-000"), "old");

    // No later stamp of four-digit years: the save goes on without a backup.
    WriteFile("Backup/g.txt/g.txt.99991231-235959-999", "last");
    WriteFile("g.txt", "old");
    ASSERT_TRUE(Save("g.txt", "new"));
    EXPECT_EQ(ReadFile("g.txt"), "new");
    EXPECT_EQ(Backup::List("g.txt").size(), 1u);
}

TEST_F(BackupTest, TheBackupIsASecondNameThatKeepsTheOldBytesThroughLaterReplaces) {
    WriteFile("f.txt", "one");
    const Backup::Kept kept = Backup::Keep("f.txt");
    ASSERT_FALSE(kept.path.empty());
    EXPECT_TRUE(kept.madeFolder);
    EXPECT_TRUE(fs::equivalent("f.txt", kept.path)); // linked, not copied

    ASSERT_TRUE(File::SaveAtomically("f.txt", "two", 3));
    ASSERT_TRUE(Save("f.txt", "three"));
    EXPECT_EQ(ReadFile(kept.path), "one");
    EXPECT_EQ(Contents("f.txt"), (std::vector<std::string>{"one", "two"}));
    EXPECT_FALSE(fs::equivalent("f.txt", kept.path));
}

TEST_F(BackupTest, WithoutHardLinksTheBytesAreCopied) {
    WriteFile("f.txt", "one");
    FaultInjection::failLinks = 1;
    const Backup::Kept kept = Backup::Keep("f.txt");
    ASSERT_FALSE(kept.path.empty());
    EXPECT_FALSE(fs::equivalent("f.txt", kept.path));
    EXPECT_EQ(ReadFile(kept.path), "one");
    EXPECT_EQ(BackupNames("f.txt").size(), 1u); // no temporary left

    // A file that has another name already is copied too: that name could change it.
    WriteFile("g.txt", "shared");
    fs::create_hard_link("g.txt", "g-too.txt");
    const Backup::Kept copy = Backup::Keep("g.txt");
    ASSERT_FALSE(copy.path.empty());
    EXPECT_FALSE(fs::equivalent("g.txt", copy.path));
    WriteFile("g-too.txt", "changed in place");
    EXPECT_EQ(ReadFile(copy.path), "shared");
}

TEST_F(BackupTest, AFailedReplaceLeavesNoBackup) {
    WriteFile("f.txt", "precious");
    FaultInjection::failReplaces = 1;
    EXPECT_FALSE(Save("f.txt", "new"));
    FaultInjection::Clear();
    FaultInjection::writeBudget = 1;
    EXPECT_FALSE(Save("f.txt", "new"));
    FaultInjection::Clear();
    EXPECT_EQ(ReadFile("f.txt"), "precious");
    EXPECT_EQ(ListNames("."), std::vector<std::string>{"f.txt"}); // nor the folder

    // Earlier backups stay as they are.
    ASSERT_TRUE(Save("f.txt", "second"));
    const auto earlier = BackupNames("f.txt");
    FaultInjection::failReplaces = 1;
    EXPECT_FALSE(Save("f.txt", "third"));
    EXPECT_EQ(BackupNames("f.txt"), earlier);
    EXPECT_EQ(Contents("f.txt"), std::vector<std::string>{"precious"});
    EXPECT_EQ(ReadFile("f.txt"), "second");
}

TEST_F(BackupTest, ACopyThatFailsDoesNotStopTheSaveAndLeavesNothingBehind) {
    // The copy goes through the same faulty disk as the save: each fault hits it first.
    struct Case {
        const char* what;
        int reads, replaces;
        bool saved;
    };
    for (const Case c : {Case{"read", 1, 0, true}, Case{"rename", 0, 1, true},
                         Case{"rename of both", 0, 2, false}}) {
        SCOPED_TRACE(c.what);
        WriteFile("f.txt", "old");
        FaultInjection::failLinks = 1;
        FaultInjection::failReads = c.reads;
        FaultInjection::failReplaces = c.replaces;
        EXPECT_EQ(Save("f.txt", "new"), c.saved);
        FaultInjection::Clear();
        EXPECT_EQ(ReadFile("f.txt"), c.saved ? "new" : "old");
        EXPECT_EQ(ListNames("."), std::vector<std::string>{"f.txt"});
    }
    // A disk that fills up half way through the copy fails the save as well.
    FaultInjection::failLinks = 1;
    FaultInjection::writeBudget = 1;
    EXPECT_FALSE(Save("f.txt", "longer than one byte"));
    FaultInjection::Clear();
    EXPECT_EQ(ListNames("."), std::vector<std::string>{"f.txt"});
}

TEST_F(BackupTest, ReadOnlyFilesAndDirectoriesGetNoBackup) {
    WriteFile("ro.txt", "keep");
    fs::permissions("ro.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(Save("ro.txt", "new"));
    EXPECT_TRUE(Backup::Keep("ro.txt").path.empty());
    fs::create_directory("dir.txt");
    EXPECT_FALSE(Save("dir.txt", "new"));
    EXPECT_EQ(ListNames("."), (std::vector<std::string>{"dir.txt", "ro.txt"}));
}
