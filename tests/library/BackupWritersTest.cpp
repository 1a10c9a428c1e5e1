// Which saves keep the replaced bytes under Backup/: the user's infos, the two caches,
// the settings and the merged document; not the owner list and not the split's new files.
#include "engine/Backup.h"
#include "engine/platform/Platform.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/TemplateManager.h"
#include "support/Library.h"
#include "tools/ExternalTools.h"
#include "tools/Settings.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ListNames;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

class BackupWritersTest : public VaskTest::LibraryTest {
protected:
    void TearDown() override {
        TemplateManager::TemplateCache.ClearContent();
        LibraryTest::TearDown();
    }
};

bool WriteCache() {
    InfoManager::InitializeDirectory();
    while (InfoManager::GenerateCacheEntry()) {
    }
    return InfoManager::WriteInfoCache();
}

bool WriteSettings() {
    WriteSettingsStruct settings;
    settings.HelpProgram = Char48("new.exe");
    return FileManager::WriteSettings(settings);
}

using Writer = std::pair<const char*, std::function<bool()>>;

} // namespace

TEST_F(BackupWritersTest, EachWriterKeepsTheBytesItReplaces) {
    WriteInfo("Bob_Greeting", "Bob");
    const std::uint32_t edited = InfoManager::CreateVaskInfo("Bob_Greeting");
    InfoManager::InfoFiles[edited].SetOwner("Mira");
    VaskTemplateCache record;
    record.File = record.Name = Char48("It_Gold");
    TemplateManager::TemplateCache.PushBack(record);
    const std::vector<Writer> writers = {
        {"Infos/Bob_Greeting.vaskinfo", [&] { return InfoManager::WriteVaskInfo(edited); }},
        {"infocache", WriteCache},
        {"templatecache", [] { return TemplateManager::WriteCache(); }},
        {"Settings.ini", WriteSettings},
        {"Output/new_info.hdrdoc", [] { return Jobs::Merge({}, {}).succeeded; }}};
    for (const auto& [file, write] : writers) {
        SCOPED_TRACE(file);
        if (!fs::exists(file))
            WriteFile(file, "old");
        const std::string old = ReadFile(file);
        ASSERT_TRUE(write());
        EXPECT_NE(ReadFile(file), old);
        const auto backups = TesselEngine::Backup::List(file);
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(ReadFile(backups[0]), old);
    }
    EXPECT_EQ(ListNames("Backup").size(), writers.size());
}

TEST_F(BackupWritersTest, TheOwnerListAndTheSplitsNewInfosHaveNone) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    WriteFile("Owners.txt", "Zed\r\n");
    testing::internal::CaptureStdout(); // both report the files they go through
    EXPECT_TRUE(ScriptManager::ExtractScripts());
    EXPECT_NE(ReadFile("Owners.txt"), "Zed\r\n");

    ASSERT_TRUE(Jobs::Merge({}, {}).succeeded);
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    fs::remove_all("Infos");
    ASSERT_TRUE(Jobs::BeginSplit());
    EXPECT_TRUE(Jobs::Split({}, {}).succeeded);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ListNames("Infos").size(), 2u);
    EXPECT_FALSE(fs::exists("Backup"));
}

TEST_F(BackupWritersTest, SavesGoOnWhereBackupsCannotBeMade) {
    WriteInfo("A", "Bob");
    const std::vector<Writer> writers = {{"Settings.ini", WriteSettings},
                                         {"infocache", WriteCache}};
    const auto check = [&](bool backupsExpected) {
        for (const auto& [file, write] : writers) {
            SCOPED_TRACE(file);
            WriteFile(file, "old");
            ASSERT_TRUE(write());
            EXPECT_NE(ReadFile(file), "old");
            const auto backups = TesselEngine::Backup::List(file);
            ASSERT_EQ(backups.size(), backupsExpected ? 1u : 0u);
            if (backupsExpected) {
                EXPECT_EQ(ReadFile(backups[0]), "old");
            }
        }
        EXPECT_EQ(ListNames("."), (std::vector<std::string>{"Backup", "Infos", "Resources",
                                                            "Settings.ini", "infocache"}));
    };
    {
        SCOPED_TRACE("a file named Backup");
        WriteFile("Backup", "in the way");
        check(false);
        EXPECT_EQ(ReadFile("Backup"), "in the way");
        fs::remove("Backup");
    }
    SCOPED_TRACE("a read-only Backup folder");
    fs::create_directory("Backup");
    fs::permissions("Backup",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    // Windows keeps no one from writing into a read-only folder, nor POSIX the super-user.
    const bool writable = std::ofstream("Backup/probe").is_open();
    fs::remove("Backup/probe");
    check(writable);
    // Nor is a temporary file left where a backup could not be made.
    EXPECT_EQ(ListNames("Backup").size(), writable ? writers.size() : 0u);
}
