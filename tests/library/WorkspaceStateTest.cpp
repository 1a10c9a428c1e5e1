#include "library/WorkspaceState.h"
#include "engine/Backup.h"
#include "info/TextTable.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/ReferenceIndex.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "support/Library.h"
#include "tools/Settings.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace VaskEdit;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class WorkspaceStateTest : public VaskTest::LibraryTest {};
} // namespace

// Whatever workspace A left in memory is gone once the program works in B: B's text
// table is read although it has A's size and time, and every list, scan, job result,
// index and setting of A is forgotten.
TEST_F(WorkspaceStateTest, NothingOfOneWorkspaceShowsInTheNext) {
    WriteInfo("A_Info", "Bob", "A_Quest");
    fs::create_directory("Infos/Broken.vaskinfo"); // skipped by the cache build
    ASSERT_TRUE(Jobs::UpdateCache({}, {}).succeeded);
    InfoManager::FilterAnyMatch("Bob");
    InfoManager::PrepareInfo();
    fs::remove("Infos/Broken.vaskinfo");
    ASSERT_TRUE(Jobs::Merge({}, {}).succeeded);
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    ASSERT_TRUE(Jobs::BeginSplit());
    testing::internal::CaptureStdout(); // the split's notice of the existing file
    ASSERT_EQ(Jobs::Split({}, {}).existing, 1u);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(InfoManager::InfoStream.Allocate(16));
    VaskTemplateCache sword;
    sword.Name = Char48("Sword");
    TemplateManager::TemplateCache.PushBack(sword);
    TemplateManager::TemplateCurrentFilter.PushBack(sword);
    TemplateSelectList::Items.PushBack(sword);
    WriteFile("infosa.csv", "ID_1|x|Text of A\r\n");
    ASSERT_EQ(TextTables::LookUp("infosa.csv", "ID_1"), "Text of A");
    ASSERT_TRUE(References().Build({}, {}).succeeded);
    Settings::exe_showhelp = "viewer-of-A";
    TesselEngine::Backup::NoteMissed("infocache", "a reason of A");

    fs::create_directory("B");
    WriteFile("B/infosa.csv", "ID_1|x|Text of B\r\n");
    fs::last_write_time("B/infosa.csv", fs::last_write_time("infosa.csv"));
    // A writer that ended (no process has so large an id) left a file in B's "Infos/".
    const std::string leftover = "B/Infos/B_Info.vaskinfo.~4000000000-7.tmp";
    WriteFile(leftover, "left");
    fs::current_path("B");
    ResetWorkspaceState();
    WriteInfo("B_Info", "Mira"); // the first save into "Infos/" of B clears it

    EXPECT_EQ(InfoManager::InfoFiles.GetSize(), 0u);
    EXPECT_EQ(InfoManager::InfoFileCache.GetSize(), 0u);
    EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 0u);
    EXPECT_EQ(InfoManager::InfoStream.GetSize(), 0u);
    EXPECT_FALSE(InfoManager::InfoDirectory);
    EXPECT_FALSE(InfoManager::InfoDirectoryPath);
    EXPECT_FALSE(InfoManager::HdrdocFile);
    EXPECT_EQ(InfoManager::SkippedFiles(), 0u);
    EXPECT_EQ(InfoManager::SplitFound(), 0u);
    EXPECT_EQ(InfoManager::SplitExisting(), 0u);
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);
    EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 0u);
    EXPECT_EQ(TemplateSelectList::Items.GetSize(), 0u);
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "ID_1"), "Text of B");
    EXPECT_FALSE(References().IsBuilt());
    EXPECT_TRUE(References().Outlines().empty());
    EXPECT_EQ(Settings::exe_showhelp, Settings::DefaultHelpProgram);
    EXPECT_TRUE(TesselEngine::Backup::TakeMissed().empty());
    EXPECT_FALSE(fs::exists("Infos/B_Info.vaskinfo.~4000000000-7.tmp"));
}
