#include "engine/File.h"
#include "support/Workspace.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace TesselEngine;
using namespace TesselEngine::WinAPI;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

class FileTest : public VaskTest::WorkspaceTest {
protected:
    void TearDown() override { Platform::FaultInjection::Clear(); }
};

TEST_F(FileTest, ExistsIsFalseOnlyForAMissingFileInAnExistingDirectory) {
    fs::create_directory("Infos");
    WriteFile("Infos/a.vaskinfo", "x");
    EXPECT_TRUE(File(Char256("Infos/a.vaskinfo")).Exists());
    EXPECT_FALSE(File(Char256("Infos/b.vaskinfo")).Exists());
    EXPECT_TRUE(File(Char256("Missing/b.vaskinfo")).Exists());
}

TEST_F(FileTest, LoadAndSaveWholeFiles) {
    WriteFile("in.txt", std::string("a\0b\r\n", 5));
    File in(Char256("in.txt"));
    ASSERT_TRUE(in.Open());
    IO::Stream s;
    ASSERT_TRUE(in.ReadStream(s));
    in.Close();
    EXPECT_FALSE(in.IsOpen());
    ASSERT_EQ(s.GetSize(), 5u);
    EXPECT_EQ(s.GetPosition(), 0u);

    File out(Char256("out.txt"));
    ASSERT_TRUE(out.Create());
    ASSERT_TRUE(out.WriteStream(s));
    out.Close();
    EXPECT_EQ(ReadFile("out.txt"), std::string("a\0b\r\n", 5));
}

TEST_F(FileTest, EmptyFileLoadsAsEmptyStream) {
    WriteFile("empty", "");
    File f(Char256("empty"));
    ASSERT_TRUE(f.OpenRead());
    IO::Stream s;
    EXPECT_TRUE(f.ReadStream(s));
    EXPECT_EQ(s.GetSize(), 0u);
    f.Close();
}

TEST_F(FileTest, OpenForWritingFailsOnReadOnlyFilesButReadingWorks) {
    WriteFile("ro.txt", "data");
    fs::permissions("ro.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    File f(Char256("ro.txt"));
    EXPECT_FALSE(f.Open());
    EXPECT_TRUE(f.OpenRead());
    f.Close();
    EXPECT_FALSE(f.Create());
    EXPECT_EQ(ReadFile("ro.txt"), "data");
}

TEST_F(FileTest, CreateEmptiesAnExistingFile) {
    WriteFile("f.txt", "old content");
    File f(Char256("f.txt"));
    ASSERT_TRUE(f.Create());
    f.Close();
    EXPECT_EQ(ReadFile("f.txt"), "");
}

TEST_F(FileTest, OpenOrCreateMakesAMissingFile) {
    File f(Char256("new.csv"));
    ASSERT_TRUE(f.OpenOrCreate());
    f.Close();
    EXPECT_TRUE(fs::exists("new.csv"));
}

TEST_F(FileTest, DirectoriesAreNotFiles) {
    fs::create_directory("x.vaskinfo");
    File f(Char256("x.vaskinfo"));
    EXPECT_FALSE(f.Open());
    EXPECT_FALSE(f.OpenRead());
    EXPECT_TRUE(f.Exists());
}

TEST_F(FileTest, BaseNameDropsTheFirstDirectoryAndTheExtension) {
    EXPECT_EQ(File(Char256("Infos/abc.vaskinfo")).GetBaseName().View(), "abc");
    EXPECT_EQ(File(Char256("Resources/Commands/gCInfoCommandSay")).GetBaseName().View(),
              "Commands/gCInfoCommandSay");
}

TEST_F(FileTest, AtomicSaveReplacesTheFile) {
    WriteFile("target.txt", "old");
    IO::Stream s;
    ASSERT_TRUE(s.Allocate(3));
    s.WriteData("new", 3);
    EXPECT_TRUE(File(Char256("target.txt")).SaveAtomically(s));
    EXPECT_EQ(ReadFile("target.txt"), "new");
    EXPECT_EQ(VaskTest::ListNames("."), std::vector<std::string>{"target.txt"});
}

TEST_F(FileTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    WriteFile("target.txt", "precious");
    std::string big(1000, 'n');
    Platform::FaultInjection::writeBudget = 100; // the disk fills up half way
    EXPECT_FALSE(File::SaveAtomically("target.txt", big.data(), big.size()));
    EXPECT_EQ(ReadFile("target.txt"), "precious");
    EXPECT_EQ(VaskTest::ListNames("."), std::vector<std::string>{"target.txt"});
}

TEST_F(FileTest, FailedRenameLeavesTheOldFileAndNoTemporary) {
    WriteFile("target.txt", "precious");
    Platform::FaultInjection::failReplaces = 1;
    EXPECT_FALSE(File::SaveAtomically("target.txt", "new", 3));
    EXPECT_EQ(ReadFile("target.txt"), "precious");
    EXPECT_EQ(VaskTest::ListNames("."), std::vector<std::string>{"target.txt"});
}

TEST_F(FileTest, AtomicSaveRefusesReadOnlyTargetsAndDirectories) {
    WriteFile("ro.txt", "keep");
    fs::permissions("ro.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(File::SaveAtomically("ro.txt", "new", 3));
    EXPECT_EQ(ReadFile("ro.txt"), "keep");
    fs::create_directory("dir.vaskinfo");
    EXPECT_FALSE(File::SaveAtomically("dir.vaskinfo", "new", 3));
    EXPECT_TRUE(fs::is_directory("dir.vaskinfo"));
    EXPECT_EQ(VaskTest::ListNames(".").size(), 2u);
}

TEST_F(FileTest, FailedReadIsReported) {
    WriteFile("f.txt", "content");
    File f(Char256("f.txt"));
    ASSERT_TRUE(f.OpenRead());
    Platform::FaultInjection::failReads = 1;
    IO::Stream s;
    EXPECT_FALSE(f.ReadStream(s));
    f.Close();
}

TEST_F(FileTest, EnumerationMatchesWithoutCaseInAFixedOrder) {
    fs::create_directory("Infos");
    for (const char* name : {"b.vaskinfo", "A.VASKINFO", "c.txt", "_x.vaskinfo", "a2.vaskinfo"})
        WriteFile(fs::path("Infos") / name, "x");
    fs::create_directory("Infos/dir.vaskinfo");
    Directory dir(Char32("Infos/"));
    auto it = dir.GetIterator(Char32("*.vaskinfo"));
    std::vector<std::string> names;
    for (; it.IsValid(); it.Next())
        names.push_back(it.GetFindData().cFileName);
    // Upper-cased bytes: "A." < "A2" < "B" < "DIR" < "_X" ('_' sorts after letters).
    EXPECT_EQ(names, (std::vector<std::string>{"A.VASKINFO", "a2.vaskinfo", "b.vaskinfo",
                                               "dir.vaskinfo", "_x.vaskinfo"}));
    EXPECT_FALSE(it.IsValid());
}

// None has a match, but only the empty one was listed: the others must not pass for it.
TEST_F(FileTest, EnumerationOfAnEmptyMissingOrUnreadableDirectoryHasNoMatch) {
    fs::create_directory("Empty");
    WriteFile("Plain", "a file, not a folder");
    const std::vector<std::pair<const char*, Platform::ListResult>> folders = {
        {"Empty/", Platform::ListResult::Listed},
        {"Missing/", Platform::ListResult::Missing},
        {"Plain/", Platform::ListResult::Unreadable}};
    for (const auto& [folder, result] : folders) {
        const auto it = Directory(Char32(folder)).GetIterator(Char32("*.vaskinfo"));
        EXPECT_FALSE(it.IsValid()) << folder;
        EXPECT_EQ(it.GetListResult(), result) << folder;
    }
}

TEST_F(FileTest, FileFromAMatchAndDirectoryCreation) {
    Directory dir(Char32("Infos/"));
    EXPECT_TRUE(dir.Create());
    EXPECT_FALSE(dir.Create()); // exists already
    WriteFile("Infos/one.vaskinfo", "1");
    auto it = dir.GetIterator(Char32("*.vaskinfo"));
    ASSERT_TRUE(it.IsValid());
    EXPECT_EQ(it.GetFindData().size, 1u);
    File f(it.GetDirectory(), it.GetFindData());
    EXPECT_EQ(f.GetPath().View(), "Infos/one.vaskinfo");
    EXPECT_FALSE(dir.Remove()); // not empty
}

TEST(Pattern, Wildcards) {
    EXPECT_TRUE(MatchesPattern("abc.vaskinfo", "*.vaskinfo"));
    EXPECT_TRUE(MatchesPattern("ABC.VaskInfo", "*.vaskinfo"));
    EXPECT_FALSE(MatchesPattern("abc.vaskinfo.tmp", "*.vaskinfo"));
    EXPECT_FALSE(MatchesPattern("a.vasktpldoc", "*.vasktpl"));
    EXPECT_TRUE(MatchesPattern("a.vasktpldoc", "*.vasktpldoc"));
    EXPECT_TRUE(MatchesPattern("x1", "x?"));
    EXPECT_TRUE(MatchesPattern(".vaskinfo", "*.vaskinfo"));
}
