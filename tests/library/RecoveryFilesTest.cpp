// The copies of unsaved editor work: written outside the workspace, read back exactly,
// listed with what they change against the info's file, removed only when asked, and
// never lost when they cannot be read.
#include "library/RecoveryFiles.h"
#include "engine/Failure.h"
#include "engine/String.h"
#include "engine/platform/Platform.h"
#include "info/InfoRefConversion.h"
#include "info/VaskInfo.h"
#include "support/Library.h"
#include "support/UserStateHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

// Texts that a line-based file could lose or mix up: line ends, escapes, the file's own
// markers, bytes of the 8-bit code page and control bytes.
const std::string Awkward = "a\r\nb\\x41\\\\[End]\n=c\x7F\x01\xE9\xFF ";

RecoveryRecord FullRecord() {
    RecoveryRecord record;
    record.mode = "Edit";
    record.loadedName = "Loaded_Name";
    record.sourcePath = "C:\\mods\\odd name.vaskinfo";
    // What the file held when read, the hash using all 64 bits.
    record.sourceRead = {true, 1234, -5, 0xFEDCBA9876543210ull};
    record.savedAt = 1765135200;
    record.process = 4242;
    InfoRef& copy = record.copy;
    copy.Name = "Recovered_Info";
    copy.Owner = "Owner" + Awkward;
    copy.Quest = "Quest";
    copy.ClearChildren = "true"; // a text the check box would not write: kept as it was
    copy.SmalltalkExitRoutineName = std::string(300, 'x'); // longer than any record member
    copy.LastExecutionTimestamp = "123";
    copy.RequiredPerks.push_back({"gESkill_Str", "5", "False", ""});
    copy.RequiredPerks.push_back({"", "", "", "kept perk block" + Awkward});
    InfoCommandRef say;
    say.Command = "Say";
    say.Version = "2";
    say.Entity1 = "Self";
    say.LocString = "MY_TEXT_ID";
    say.Text = "A text typed but not yet written" + Awkward;
    say.TextPending = true;
    copy.InfoCommands.push_back(say);
    InfoCommandRef valued;
    valued.Command = "Valued";
    valued.UseValues = true;
    for (std::size_t i = 0; i < valued.Value.size(); ++i)
        valued.Value[i] = "v" + std::to_string(i);
    valued.Value[14] = Awkward;
    valued.PreservedBlock = "block\r\n  of text\r\n";
    copy.InfoCommands.push_back(valued);
    copy.InfoConditions.push_back(
        {"PlayerHasItem", "1", "Item", "", "A", "B", "C", "D", "Loc", ""});
    return record;
}

class RecoveryFilesTest : public VaskTest::LibraryTest {
protected:
    VaskTest::UserStateHome state;
};

} // namespace

TEST_F(RecoveryFilesTest, FileReadsBackExactlyTheWorkingCopyAndItsUnwrittenTexts) {
    const RecoveryRecord record = FullRecord();
    const std::string path = NewRecoveryFilePath(RecoveryFolder(CurrentWorkspacePath()));
    ASSERT_TRUE(WriteRecoveryFile(path, record));

    const std::optional<RecoveryRecord> back = ReadRecoveryFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
    EXPECT_EQ(back->copy.InfoCommands[0].Text, record.copy.InfoCommands[0].Text);
    EXPECT_TRUE(back->copy.InfoCommands[0].TextPending);
    EXPECT_EQ(back->copy.InfoCommands[1].Value[14], Awkward);

    // An empty info with empty lists comes back empty, not with entries made up.
    RecoveryRecord empty;
    empty.mode = "New";
    const std::optional<RecoveryRecord> emptyBack = ParseRecovery(RecoveryBytes(empty));
    ASSERT_TRUE(emptyBack);
    EXPECT_EQ(*emptyBack, empty);
}

TEST_F(RecoveryFilesTest, CutOrDamagedBytesAreNotTakenForAWholeFile) {
    const std::string bytes = RecoveryBytes(FullRecord());
    ASSERT_TRUE(ParseRecovery(bytes));
    EXPECT_FALSE(ParseRecovery(bytes.substr(0, bytes.size() / 2)));
    EXPECT_FALSE(ParseRecovery(bytes.substr(0, bytes.size() - 1))); // last line not ended
    EXPECT_FALSE(ParseRecovery(""));
    std::string badEscape = bytes;
    badEscape.replace(badEscape.find("Quest=Quest"), 11,
                      "Quest=Qu\\q65st"); // hex digits, but not after \x
    EXPECT_FALSE(ParseRecovery(badEscape));
    badEscape = bytes;
    badEscape.replace(badEscape.find("Quest=Quest"), 11, "Quest=Qu\\x6gst");
    EXPECT_FALSE(ParseRecovery(badEscape));
    std::string unknownKey = bytes;
    unknownKey.replace(unknownKey.find("Quest=Quest"), 11, "Quast=Quest");
    EXPECT_FALSE(ParseRecovery(unknownKey));
    std::string cutPrint = bytes;
    const std::size_t print = cutPrint.find("SourceRead=");
    ASSERT_NE(print, std::string::npos);
    cutPrint.erase(cutPrint.find(' ', print),
                   cutPrint.find('\n', print) - cutPrint.find(' ', print));
    EXPECT_FALSE(ParseRecovery(cutPrint));
}

TEST_F(RecoveryFilesTest, FolderLiesInTheUserStateFolderWithAKeyPerWorkspace) {
    const std::string folder = RecoveryFolder(CurrentWorkspacePath());
    const fs::path expectedParent = state.Folder() / "VaskEdit" / "recovery";
    EXPECT_EQ(fs::path(folder).parent_path(), expectedParent);

    // Two workspaces of the same folder name in different places get different folders,
    // and each key still shows the folder's name.
    const std::string one = WorkspaceKey("/home/a/mods/Vask Data");
    const std::string other = WorkspaceKey("/home/b/mods/Vask Data");
    EXPECT_NE(one, other);
    EXPECT_EQ(one.rfind("Vask_Data-", 0), 0u) << one;
    EXPECT_EQ(WorkspaceKey("/home/a/mods/Vask Data/"), one);
    EXPECT_EQ(one.find_first_of("/\\ "), std::string::npos);
    EXPECT_NE(WorkspaceKey("/"), WorkspaceKey("/x"));

    // Nothing named by the key leaves the recovery folder.
    EXPECT_EQ(fs::path(RecoveryFolder("/a/..")).parent_path(), expectedParent);
}

#ifndef _WIN32
TEST_F(RecoveryFilesTest, StateFolderFallsBackToTheHomeFolder) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    unsetenv("XDG_STATE_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(TesselEngine::Platform::UserStateFolder(), "/home/someone/.local/state/VaskEdit");
    setenv("XDG_STATE_HOME", "relative/state", 1); // not absolute: not used
    EXPECT_EQ(TesselEngine::Platform::UserStateFolder(), "/home/someone/.local/state/VaskEdit");
    setenv("HOME", home.c_str(), 1);
}
#endif

TEST_F(RecoveryFilesTest, WritingLeavesTheWorkspaceUntouched) {
    const std::string folder = RecoveryFolder(CurrentWorkspacePath());
    const auto everything = [] {
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator("."))
            paths.push_back(entry.path().generic_string());
        return paths;
    };
    const std::vector<std::string> before = everything();
    ASSERT_TRUE(WriteRecoveryFile(NewRecoveryFilePath(folder), FullRecord()));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(VaskTest::ListNames(folder).size(), 1u);
    EXPECT_NE(folder.rfind(fs::current_path().string(), 0), 0u);
}

TEST_F(RecoveryFilesTest, AFileThatCannotBeWrittenIsReportedWithItsPlace) {
    // A plain file where the state folder's "VaskEdit" should be: nothing can go there.
    WriteFile(state.Folder() / "VaskEdit", "in the way");
    const std::string folder = RecoveryFolder(CurrentWorkspacePath());
    TesselEngine::ClearFailure();
    EXPECT_FALSE(WriteRecoveryFile(NewRecoveryFilePath(folder), FullRecord()));
    EXPECT_TRUE(TesselEngine::LastFailure().IsSet());
    EXPECT_EQ(TesselEngine::LastFailure().path.rfind(state.Folder().string(), 0), 0u)
        << TesselEngine::LastFailure().path;
    EXPECT_EQ(ReadFile(state.Folder() / "VaskEdit"), "in the way");
}

TEST_F(RecoveryFilesTest, ListingNamesEachInfoItsTimeAndRemovalTakesOnlyTheOneAsked) {
    const std::string folder = RecoveryFolder(CurrentWorkspacePath());
    RecoveryRecord later = FullRecord();
    later.copy.Name = "Later_Info";
    later.loadedName.clear();
    later.sourcePath.clear();
    later.mode = "New";
    later.savedAt = 2000;
    later.process = TesselEngine::Platform::ProcessId();
    RecoveryRecord earlier = later;
    earlier.copy.Name = "Earlier_Info";
    earlier.savedAt = 1000;
    const std::string laterPath = NewRecoveryFilePath(folder);
    const std::string earlierPath = NewRecoveryFilePath(folder);
    ASSERT_NE(laterPath, earlierPath);
    ASSERT_TRUE(WriteRecoveryFile(laterPath, later));
    ASSERT_TRUE(WriteRecoveryFile(earlierPath, earlier));

    std::vector<RecoveryEntry> listed = ListRecoveryFiles(folder);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].infoName, "Earlier_Info");
    EXPECT_EQ(listed[0].savedAt, 1000);
    EXPECT_EQ(listed[0].path, earlierPath);
    EXPECT_EQ(listed[0].changes, "new info");
    EXPECT_TRUE(listed[0].readable);
    EXPECT_EQ(listed[1].infoName, "Later_Info");
    // Written by a program that runs (this one): its window may still be open.
    EXPECT_TRUE(listed[0].ownerRunning);
    earlier.process = 0;
    ASSERT_TRUE(WriteRecoveryFile(earlierPath, earlier));
    EXPECT_FALSE(ListRecoveryFiles(folder)[0].ownerRunning);
    // Copies saved at the same time come in the order of their paths.
    RecoveryRecord twin = later;
    twin.copy.Name = "Twin_Info";
    const std::string twinPath = NewRecoveryFilePath(folder);
    ASSERT_TRUE(WriteRecoveryFile(twinPath, twin));
    listed = ListRecoveryFiles(folder);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].path, std::min(laterPath, twinPath));
    EXPECT_EQ(listed[2].path, std::max(laterPath, twinPath));
    ASSERT_TRUE(RemoveRecoveryFile(twinPath));

    ASSERT_TRUE(RemoveRecoveryFile(earlierPath));
    listed = ListRecoveryFiles(folder);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].path, laterPath);
    EXPECT_TRUE(RemoveRecoveryFile(earlierPath)); // already gone: nothing to do
    EXPECT_TRUE(ListRecoveryFiles(RecoveryFolder("/no/such/workspace")).empty());
}

TEST_F(RecoveryFilesTest, UnreadableFileIsListedWithItsPathAndKept) {
    const std::string folder = RecoveryFolder(CurrentWorkspacePath());
    const std::string good = NewRecoveryFilePath(folder);
    ASSERT_TRUE(WriteRecoveryFile(good, FullRecord()));
    const std::string bad = NewRecoveryFilePath(folder);
    const std::string cut = RecoveryBytes(FullRecord()).substr(0, 100);
    WriteFile(bad, cut);

    const std::vector<RecoveryEntry> listed = ListRecoveryFiles(folder);
    ASSERT_EQ(listed.size(), 2u);
    const RecoveryEntry& unreadable = listed[0].readable ? listed[1] : listed[0];
    EXPECT_FALSE(unreadable.readable);
    EXPECT_EQ(unreadable.path, bad);
    EXPECT_FALSE(unreadable.problem.empty());
    EXPECT_EQ(ReadFile(bad), cut);
    EXPECT_FALSE(ReadRecoveryFile(bad));
}

TEST_F(RecoveryFilesTest, ChangesAreDescribedAgainstTheFileOnDisk) {
    WriteInfo("Changed_Info", "Bob", "Quest_A");
    VaskInfo onDisk;
    ASSERT_TRUE(onDisk.LoadDataFromFile("Changed_Info"));

    RecoveryRecord record;
    record.mode = "Edit";
    record.loadedName = "Changed_Info";
    record.copy = MakeInfoRef(onDisk);
    EXPECT_EQ(DescribeRecoveryChanges(record), "no changes");

    record.copy.Owner = "Alice";
    record.copy.InfoCommands.push_back({});
    EXPECT_EQ(DescribeRecoveryChanges(record), "Owner, 1 command added");

    fs::remove("Infos/Changed_Info.vaskinfo");
    EXPECT_EQ(DescribeRecoveryChanges(record), "file on disk deleted");

    record.loadedName.clear();
    record.mode = "New";
    EXPECT_EQ(DescribeRecoveryChanges(record), "new info");
}
