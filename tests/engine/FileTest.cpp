#include "engine/File.h"
#include "engine/Failure.h"
#include "engine/FolderListing.h"
#include "support/Workspace.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace TesselEngine;
using namespace TesselEngine::WinAPI;
using VaskTest::ListNames;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class FileTest : public VaskTest::WorkspaceTest {
protected:
    void TearDown() override { Platform::FaultInjection::Clear(); }
};

void MakeReadOnly(const char* path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// The names a scan of the folder gives for the pattern, in order.
std::vector<std::string> Scan(const char* folder, const char* pattern,
                              Platform::ListResult* result = nullptr) {
    Directory::Iterator it{Char256(folder)};
    it.First(Char32(pattern));
    std::vector<std::string> names;
    for (; it.IsValid(); it.Next())
        names.push_back(it.GetFindData().cFileName);
    if (result)
        *result = it.GetListResult();
    return names;
}
} // namespace

TEST_F(FileTest, ExistsIsFalseOnlyForAMissingFileInAnExistingDirectory) {
    WriteFile("Infos/a.vaskinfo", "x");
    EXPECT_TRUE(File(Char256("Infos/a.vaskinfo")).Exists());
    EXPECT_FALSE(File(Char256("Infos/b.vaskinfo")).Exists());
    EXPECT_TRUE(File(Char256("Missing/b.vaskinfo")).Exists());
}

TEST_F(FileTest, WholeFilesReadIntoStreams) {
    WriteFile("in.txt", std::string("a\0b\r\n", 5));
    WriteFile("empty", "");
    File in(Char256("in.txt"));
    ASSERT_TRUE(in.OpenRead());
    IO::Stream s;
    ASSERT_TRUE(in.ReadStream(s));
    in.Close();
    EXPECT_FALSE(in.IsOpen());
    EXPECT_EQ(std::string(s.GetBuffer(), s.GetSize()), std::string("a\0b\r\n", 5));
    EXPECT_EQ(s.GetPosition(), 0u);

    File empty(Char256("empty"));
    ASSERT_TRUE(empty.OpenRead());
    EXPECT_TRUE(empty.ReadStream(s));
    EXPECT_EQ(s.GetSize(), 0u);
    empty.Close();
}

TEST_F(FileTest, AppendToReadsTheFileInAtThePositionOnlyWhenItFits) {
    WriteFile("piece", "abc");
    IO::Stream s;
    ASSERT_TRUE(s.Allocate(6));
    s.WriteData("xy", 2);
    File piece(Char256("piece"));
    ASSERT_TRUE(piece.OpenRead());
    ASSERT_TRUE(piece.AppendTo(s));
    EXPECT_EQ(s.GetPosition(), 5u);
    EXPECT_EQ(std::string(s.GetBuffer(), 6), std::string("xyabc\0", 6));
    EXPECT_FALSE(piece.AppendTo(s)); // one byte of room is left
    EXPECT_EQ(s.GetPosition(), 5u);
    piece.Close();

    // A file that did not open reads and writes nothing.
    File missing(Char256("missing"));
    EXPECT_FALSE(missing.OpenRead());
    char byte = 'k';
    EXPECT_FALSE(missing.ReadAll(&byte));
    EXPECT_FALSE(missing.Write("z", 1));
    EXPECT_FALSE(missing.AppendTo(s));
    EXPECT_FALSE(missing.ReadStream(s));
    EXPECT_FALSE(fs::exists("missing"));
}

TEST_F(FileTest, OpenModesOnReadOnlyFilesDirectoriesAndMissingFiles) {
    WriteFile("ro.txt", "data");
    MakeReadOnly("ro.txt");
    File ro(Char256("ro.txt"));
    EXPECT_TRUE(ro.OpenRead());
    ro.Close();
    EXPECT_FALSE(ro.OpenOrCreate()); // neither opened for writing nor emptied
    EXPECT_EQ(ReadFile("ro.txt"), "data");
    File byFullPath(Char256((fs::current_path() / "ro.txt").string().c_str()));
    EXPECT_TRUE(byFullPath.OpenRead());
    byFullPath.Close();

    fs::create_directory("x.vaskinfo");
    File folder(Char256("x.vaskinfo"));
    EXPECT_FALSE(folder.OpenRead());
    EXPECT_FALSE(folder.OpenOrCreate());
    EXPECT_TRUE(folder.Exists());

    WriteFile("kept.csv", "old content");
    File kept(Char256("kept.csv"));
    ASSERT_TRUE(kept.OpenOrCreate());
    kept.Close();
    EXPECT_EQ(ReadFile("kept.csv"), "old content");
    File missing(Char256("new.csv"));
    ASSERT_TRUE(missing.OpenOrCreate());
    missing.Close();
    EXPECT_EQ(ReadFile("new.csv"), "");
}

// A save that cannot finish leaves the old file byte for byte and no temporary file.
TEST_F(FileTest, AtomicSaveReplacesTheFileOrNothing) {
    WriteFile("ro.txt", "keep");
    MakeReadOnly("ro.txt");
    fs::create_directory("dir.vaskinfo");
    EXPECT_FALSE(File::SaveAtomically("ro.txt", "new", 3));
    EXPECT_FALSE(File::SaveAtomically("dir.vaskinfo", "new", 3));
    EXPECT_EQ(ReadFile("ro.txt"), "keep");
    EXPECT_TRUE(fs::is_directory("dir.vaskinfo"));
    // Windows removes no read-only file.
    fs::permissions("ro.txt", fs::perms::owner_write, fs::perm_options::add);
    fs::remove("ro.txt");
    fs::remove("dir.vaskinfo");

    WriteFile("target.txt", "precious");
    const std::string big(1000, 'n');
    for (const auto fault :
         {&Platform::FaultInjection::failReplaces, &Platform::FaultInjection::failFlushes}) {
        *fault = 1;
        EXPECT_FALSE(File::SaveAtomically("target.txt", big.data(), big.size()));
        Platform::FaultInjection::Clear();
    }
    Platform::FaultInjection::writeBudget = 100; // the disk fills up half way
    EXPECT_FALSE(File::SaveAtomically("target.txt", big.data(), big.size()));
    Platform::FaultInjection::Clear();
    EXPECT_EQ(ReadFile("target.txt"), "precious");
    EXPECT_EQ(ListNames("."), std::vector<std::string>{"target.txt"});

    IO::Stream s;
    ASSERT_TRUE(s.Allocate(3));
    s.WriteData("new", 3);
    EXPECT_TRUE(File(Char256("target.txt")).SaveAtomically(s));
    EXPECT_EQ(ReadFile("target.txt"), "new");
    EXPECT_EQ(ListNames("."), std::vector<std::string>{"target.txt"});
}

TEST_F(FileTest, EnumerationMatchesWithoutCaseInAFixedOrder) {
    for (const char* name : {"b.vaskinfo", "A.VASKINFO", "c.txt", "_x.vaskinfo", "a2.vaskinfo"})
        WriteFile(fs::path("Infos") / name, "x");
    fs::create_directory("Infos/dir.vaskinfo");
    // Upper-cased bytes: "A." < "A2" < "B" < "DIR" < "_X" ('_' sorts after letters).
    EXPECT_EQ(Scan("Infos/", "*.vaskinfo"),
              (std::vector<std::string>{"A.VASKINFO", "a2.vaskinfo", "b.vaskinfo", "dir.vaskinfo",
                                        "_x.vaskinfo"}));

    Directory::Iterator it{Char256("Infos/")};
    it.First(Char32("a2.*"));
    ASSERT_TRUE(it.IsValid());
    EXPECT_EQ(it.GetFindData().size, 1u);
    EXPECT_EQ(std::string(it.GetFileName()), "a2.vaskinfo");
    File f(it.GetDirectory(), it.GetFindData());
    EXPECT_TRUE(f.OpenRead());
    f.Close();
    EXPECT_FALSE(it.Next());
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
    for (const auto& [folder, expected] : folders) {
        Platform::ListResult result{};
        EXPECT_TRUE(Scan(folder, "*.vaskinfo", &result).empty()) << folder;
        EXPECT_EQ(result, expected) << folder;
        FolderListing listing;
        ClearFailure();
        EXPECT_EQ(ListFolder(Char256(folder), Char32("*"), listing),
                  expected != Platform::ListResult::Unreadable)
            << folder;
        EXPECT_EQ(listing.missing, expected == Platform::ListResult::Missing) << folder;
        EXPECT_EQ(LastFailure().cause == Cause::UnreadableFolder,
                  expected == Platform::ListResult::Unreadable)
            << folder;
    }
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
