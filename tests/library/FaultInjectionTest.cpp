// Disk faults in the middle of every operation that replaces or produces a user's file:
// a write that stops half way (a full disk), a flush, a rename or a read that fails.
// Each leaves every file of the workspace byte for byte as it was, leaves no temporary
// file behind and reports the failure with its reason. (Faults that other suites
// already cover for an operation are not repeated here.)
#include "engine/Failure.h"
#include "engine/platform/Platform.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/TemplateManager.h"
#include "support/Library.h"
#include "tools/ExternalTools.h"
#include "tools/Settings.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace VaskEdit;
using TesselEngine::Cause;
using TesselEngine::FailureMessage;
using TesselEngine::LastFailure;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

// A disk fault; times: how many writes, flushes, renames or reads in a row fail.
struct Fault {
    const char* what;
    void (*inject)(int times);
};
// Every file written here is longer than the 10 bytes that a half write lets through.
const Fault HalfWrite{"a write that stops half way", [](int) { FaultInjection::writeBudget = 10; }};
const Fault FailedFlush{"a flush that fails", [](int n) { FaultInjection::failFlushes = n; }};
const Fault FailedRename{"a rename that fails", [](int n) { FaultInjection::failReplaces = n; }};
const Fault FailedRead{"a read that fails", [](int n) { FaultInjection::failReads = n; }};

void Inject(const Fault& fault, int times = 1) {
    FaultInjection::Clear();
    fault.inject(times);
}

// Every file of the workspace with its bytes; the resource templates aside.
using Files = std::map<std::string, std::string>;
Files AllFiles() {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const fs::path relative = fs::relative(entry.path(), ".");
        if (entry.is_regular_file() && *relative.begin() != "Resources")
            files[relative.generic_string()] = ReadFile(entry.path());
    }
    return files;
}

class FaultInjectionTest : public VaskTest::LibraryTest {
protected:
    // Runs the operation under the fault and expects a reported failure that changed
    // no file of the workspace. Without hard links, backups are copies that meet the
    // fault first.
    template <typename Operation>
    void ExpectNothingLost(const Fault& fault, Operation operation, int times = 1,
                           bool hardLinks = true) {
        SCOPED_TRACE(fault.what);
        SCOPED_TRACE(hardLinks ? "backups linked" : "backups copied");
        const Files before = AllFiles();
        Inject(fault, times);
        if (!hardLinks)
            FaultInjection::failLinks = 1;
        EXPECT_FALSE(operation()) << "the failure is reported";
        FaultInjection::Clear();
        EXPECT_EQ(AllFiles(), before);
    }
};

bool Merge() {
    return Jobs::Merge({}, {}).succeeded;
}

Jobs::Outcome Split() {
    if (!Jobs::BeginSplit()) {
        Jobs::Outcome nothing;
        nothing.succeeded = false;
        return nothing;
    }
    return Jobs::Split({}, {});
}

} // namespace

// A read that fails is reported and leaves nothing half read.
TEST_F(FaultInjectionTest, FailedReadsLeaveTheRecords) {
    WriteInfo("Bob_Greeting", "Bob");
    WriteFile("infocache", "Old,Owner,Quest,");
    WriteFile("templatecache", "It_Gold,It_Gold,{1},");
    WriteFile("Settings.ini", "VASKRESMAN_PATH = C:/Vask, \nSHOWHELP_EXE = firefox.exe,");
    const std::uint32_t slot = InfoManager::PrepareInfo();
    ExpectNothingLost(
        FailedRead, [&] { return InfoManager::InfoFiles[slot].LoadDataFromFile("Bob_Greeting"); });
    EXPECT_TRUE(InfoManager::InfoFiles[slot].Owner.IsEmpty());
    ExpectNothingLost(FailedRead, [] { return InfoManager::ReadInfoCache(); });
    EXPECT_EQ(InfoManager::InfoFileCache.GetSize(), 0u);
    ExpectNothingLost(FailedRead, [] { return TemplateManager::ReadCache(); });
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);
    WriteSettingsStruct settings;
    settings.HelpProgram = Char48("untouched");
    ExpectNothingLost(FailedRead, [&] { return FileManager::ReadSettings(settings); });
    EXPECT_EQ(settings.HelpProgram.View(), "untouched");
    EXPECT_TRUE(settings.ResourceToolPath.IsEmpty());
}

TEST_F(FaultInjectionTest, CacheBuildCountsAnInfoThatCannotBeRead) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    const std::string a = ReadFile("Infos/A.vaskinfo");
    const std::string b = ReadFile("Infos/B.vaskinfo");
    Inject(FailedRead);
    const Jobs::Outcome outcome = Jobs::UpdateCache({}, {});
    EXPECT_EQ(outcome.skipped, std::vector<std::string>{"Infos/A.vaskinfo"}); // named
    EXPECT_TRUE(outcome.succeeded); // the cache of the readable infos is written
    ASSERT_TRUE(InfoManager::ReadInfoCache());
    ASSERT_EQ(InfoManager::InfoFileCache.GetSize(), 1u);
    EXPECT_EQ(InfoManager::InfoFileCache[0].Name.View(), "B");
    EXPECT_EQ(ReadFile("Infos/A.vaskinfo"), a);
    EXPECT_EQ(ReadFile("Infos/B.vaskinfo"), b);
}

TEST_F(FaultInjectionTest, OwnerListIsNotReplacedWhenAnInfoCannotBeRead) {
    WriteInfo("Info_1", "Alice");
    WriteInfo("Info_2", "Bob");
    WriteFile("Owners.txt", "Zed\r\n");
    testing::internal::CaptureStdout(); // the extraction lists the files it reads
    ExpectNothingLost(FailedRead, [] { return ScriptManager::ExtractScripts(); });
    testing::internal::GetCapturedStdout();
}

TEST_F(FaultInjectionTest, MergedDocumentIsKeptWhenTheMergeFails) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    WriteFile("Output/new_info.hdrdoc", "previous document");
    ExpectNothingLost(FailedRename, Merge);
    // The merge reads a file a second way when the first fails: it is lost when both do.
    ExpectNothingLost(FailedRead, Merge, 2);
    ASSERT_TRUE(Merge());
    EXPECT_NE(ReadFile("Output/new_info.hdrdoc"), "previous document");
}

TEST_F(FaultInjectionTest, SplitWritesNoPartOfAPieceAndKeepsExistingOnes) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    WriteInfo("C", "Dray");
    ASSERT_TRUE(Merge());
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    fs::remove_all("Infos");
    WriteFile("Infos/B.vaskinfo", "edited by the user");

    testing::internal::CaptureStdout(); // the split reports each piece it skips
    ExpectNothingLost(FailedRead, [] { return Split().succeeded; });
    Jobs::Outcome outcome;
    ExpectNothingLost(HalfWrite, [&] {
        outcome = Split();
        return outcome.succeeded;
    });
    const std::string report = testing::internal::GetCapturedStdout();
    EXPECT_EQ(outcome.failed, 2u); // A and C; B exists and is skipped
    EXPECT_NE(report.find("File <A> could not be created! --> Skipped"), std::string::npos);
    EXPECT_NE(report.find("File <C> could not be created! --> Skipped"), std::string::npos);
}

TEST_F(FaultInjectionTest, FailedSavesLeaveNoBackupAndKeepEarlierOnes) {
    WriteInfo("Bob_Greeting", "Bob");
    WriteFile("infocache", "Old,Owner,Quest,");
    WriteFile("templatecache", "old,cache,{0},");
    WriteFile("Settings.ini", "VASKRESMAN_PATH = C:/Vask, \nSHOWHELP_EXE = firefox.exe,");
    WriteFile("Output/new_info.hdrdoc", "previous document");
    const std::uint32_t edited = InfoManager::CreateVaskInfo("Bob_Greeting");
    InfoManager::InfoFiles[edited].SetOwner("Mira");
    ASSERT_TRUE(InfoManager::WriteVaskInfo(edited)); // one earlier backup
    InfoManager::InfoFiles[edited].SetOwner("Dray");
    InfoManager::InitializeDirectory();
    while (InfoManager::GenerateCacheEntry()) {
    }
    VaskTemplateCache record;
    record.File = record.Name = Char48("It_Gold_Coin");
    TemplateManager::TemplateCache.PushBack(record);
    WriteSettingsStruct settings;
    settings.HelpProgram = Char48("new.exe");

    const std::vector<std::pair<const char*, std::function<bool()>>> saves = {
        {"info", [&] { return InfoManager::WriteVaskInfo(edited); }},
        {"info cache", [] { return InfoManager::WriteInfoCache(); }},
        {"template cache", [] { return TemplateManager::WriteCache(); }},
        {"settings", [&] { return FileManager::WriteSettings(settings); }},
        {"merge", Merge}};
    for (const auto& [what, save] : saves) {
        SCOPED_TRACE(what);
        for (const bool hardLinks : {true, false}) {
            // A copied backup takes one rename of its own.
            ExpectNothingLost(FailedRename, save, hardLinks ? 1 : 2, hardLinks);
            ExpectNothingLost(HalfWrite, save, 1, hardLinks);
            ExpectNothingLost(FailedFlush, save, hardLinks ? 1 : 2, hardLinks);
        }
    }
    TemplateManager::TemplateCache.ClearContent();
}

// A folder that cannot be listed is not an empty one: every job that scans it fails and
// writes nothing (the command line's test words each failure).
TEST_F(FaultInjectionTest, JobsFailOnAFolderThatCannotBeListed) {
    WriteInfo("A", "Bob");
    ASSERT_TRUE(Merge());
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    WriteFile("infocache", "Old,Owner,Quest,");
    WriteFile("templatecache", "old,cache,{0},");
    WriteFile("Owners.txt", "Zed\r\n");
    fs::remove_all("Infos");
    WriteFile("Infos", "a plain file where the folder belongs"); // unreadable as root, too
    const Files before = AllFiles();

    EXPECT_FALSE(Jobs::UpdateCache({}, {}).succeeded);
    EXPECT_FALSE(Jobs::Search("Bob", {}, {}).succeeded);
    EXPECT_FALSE(Split().succeeded);
    const Jobs::Outcome merge = Jobs::Merge({}, {});
    EXPECT_EQ(merge.failure.cause, Cause::UnreadableFolder);
    EXPECT_EQ(merge.failure.folder, "Infos/");
    EXPECT_FALSE(ScriptManager::ExtractScripts());
    EXPECT_EQ(FailureMessage(LastFailure()),
              "Could not save \"Owners.txt\": the folder \"Infos/\" could not be read.");
    EXPECT_FALSE(Jobs::UpdateTemplateCache({}, {}).succeeded); // no "Templates/"
    EXPECT_EQ(AllFiles(), before);
}

// Every cause that a save or a read can meet, from the system itself or injected, comes
// back as the reason of the failed operation, and reads as its message.
TEST_F(FaultInjectionTest, EachCauseIsTheReasonOfTheFailure) {
    WriteInfo("Bob_Greeting", "Bob");
    fs::create_directory("Infos/Blocked.vaskinfo");
    WriteInfo("Locked", "Bob");
    fs::permissions("Infos/Locked.vaskinfo", fs::perms::owner_read | fs::perms::group_read);
    const auto save = [](const char* name) {
        return [name] { return InfoManager::WriteVaskInfo(InfoManager::CreateVaskInfo(name)); };
    };
    const auto read = [](const char* name) {
        return [name] { return VaskInfo().LoadDataFromFile(name); };
    };
    const auto injected = [](Cause cause, int code = 0) {
        return [cause, code] {
            FaultInjection::failReplaces = 2; // a backup copied, not linked, takes one
            FaultInjection::cause = cause;
            FaultInjection::code = code;
        };
    };
    struct Case {
        std::function<void()> inject;
        std::function<bool()> operation;
        Cause cause;
        std::string message;
    };
    const std::string bob = "\"Infos/Bob_Greeting.vaskinfo\": ";
    const std::vector<Case> cases = {
        {{},
         save("Locked"),
         Cause::ReadOnly,
         "Could not save \"Infos/Locked.vaskinfo\": the file is read-only."},
        {{},
         save("Blocked"),
         Cause::IsFolder,
         "Could not save \"Infos/Blocked.vaskinfo\": it is a folder."},
        {{},
         save("Bad?Name"),
         Cause::InvalidName,
         "Could not save \"Infos/Bad?Name.vaskinfo\": the name cannot be used."},
        {[] { FaultInjection::writeBudget = 10; }, save("Bob_Greeting"), Cause::NoSpace,
         "Could not save " + bob + "there is no space left on the disk."},
        {[] { FaultInjection::failFlushes = 2; }, save("Bob_Greeting"), Cause::NoSpace,
         "Could not save " + bob + "there is no space left on the disk."},
        {injected(Cause::TooLarge), save("Bob_Greeting"), Cause::TooLarge,
         "Could not save " + bob + "it is too large (4 GiB or more)."},
        {injected(Cause::AccessDenied), save("Bob_Greeting"), Cause::AccessDenied,
         "Could not save " + bob + "access is denied."},
        {injected(Cause::InUse), save("Bob_Greeting"), Cause::InUse,
         "Could not save " + bob + "another program is using it."},
        {injected(Cause::NotFound), save("Bob_Greeting"), Cause::NotFound,
         "Could not save " + bob + "its folder does not exist."},
        {injected(Cause::Other, 1117), save("Bob_Greeting"), Cause::Other,
         "Could not save " + bob + "the system reported error 1117."},
        {{},
         read("Nobody"),
         Cause::NotFound,
         "Could not read \"Infos/Nobody.vaskinfo\": the file does not exist."},
        {{},
         read("Blocked"),
         Cause::IsFolder,
         "Could not read \"Infos/Blocked.vaskinfo\": it is a folder."},
        {[] { FaultInjection::failReads = 1; }, read("Bob_Greeting"), Cause::Other,
         "Could not read " + bob + "the system reported an error."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FaultInjection::Clear();
        TesselEngine::ClearFailure();
        if (c.inject)
            c.inject();
        EXPECT_FALSE(c.operation());
        FaultInjection::Clear();
        EXPECT_EQ(LastFailure().cause, c.cause);
        EXPECT_EQ(FailureMessage(LastFailure()), c.message);
    }
    // A failure on another thread, such as a job's, leaves this thread's reason alone.
    std::thread([] { EXPECT_FALSE(VaskInfo().LoadDataFromFile("Nobody")); }).join();
    EXPECT_EQ(LastFailure().cause, Cause::Other);
    EXPECT_TRUE(VaskInfo().LoadDataFromFile("Locked")); // a read-only file is read all the same
    fs::permissions("Infos/Locked.vaskinfo", fs::perms::owner_all);
}
