// The commands that change several files (rename, text import) killed at each change
// they make, or meeting a full disk: the next recovery, or their own put-back, leaves
// every file as it was before (or, after the last change, as the command made it), and
// "as it was" is claimed only when it was read back so.
#include "library/Journal.h"
#include "engine/String.h"
#include "engine/platform/Platform.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/RenameInfo.h"
#include "library/TextExchange.h"
#include "support/Library.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

// Every file of the workspace with its bytes: the backups aside (a rolled-back command
// may leave more of them), and the temporary files a kill leaves mid-write, which never
// replaced a file.
using Files = std::map<std::string, std::string>;
Files AllFiles() {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const fs::path relative = fs::relative(entry.path(), ".");
        const std::string top = relative.begin()->string();
        if (entry.is_regular_file() && top != "Resources" && top != "Backup" &&
            relative.extension() != ".tmp")
            files[relative.generic_string()] = ReadFile(entry.path());
    }
    return files;
}

// Makes the workspace hold exactly the files again, for the next round.
void Reset(const Files& files) {
    for (const auto& [path, bytes] : AllFiles()) {
        if (!files.contains(path))
            fs::remove(path);
    }
    for (const auto& [path, bytes] : files)
        WriteFile(path, bytes);
    fs::remove_all("Backup");
    fs::remove_all("de");
    TextTables::Clear();
}

class JournalTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        for (const char* name : {"A", "A_Child", "A_Other", "Unrelated"}) {
            VaskInfo info;
            TesselEngine::SetMember(info.Name, name);
            if (std::string(name).starts_with("A_"))
                info.SetParent("A");
            ASSERT_TRUE(info.WriteDataToFile());
        }
        WriteFile("infocache", "A,,,A_Child,,,A_Other,,,Unrelated,,,");
        WriteFile("infosa.csv", "HELLO_01|x|Hello.|\r\nBYE_01|x|Bye.|\r\n");
        WriteFile("infodescsa.csv", "DESC_01|x|A description.|\r\n");
    }

    static bool Rename() {
        ReferenceIndex index;
        EXPECT_TRUE(index.Build({}, {}).succeeded);
        return RenameInfo(index, "A", "B_Renamed").done;
    }
    static TextImport ImportPlan(const std::string& folder = {}) {
        const TextImport plan = PlanTextImport("table,id,text\r\n"
                                               "infosa.csv,HELLO_01,Hallo.\r\n"
                                               "infosa.csv,BYE_01,Tschuess.\r\n"
                                               "infodescsa.csv,DESC_01,Eine Beschreibung.\r\n",
                                               folder);
        EXPECT_EQ(plan.changes.size(), 3u);
        return plan;
    }

    // Kills the command at each change it makes, one after the other: each time the next
    // recovery gives back the workspace as it was or, once the command was done, as
    // the command made it.
    static void KillAtEveryChange(const std::function<bool()>& command) {
        const Files before = AllFiles();
        ASSERT_TRUE(command());
        const Files after = AllFiles();
        ASSERT_NE(after, before);
        int rolledBack = 0;
        for (int changes = 0;; ++changes) {
            SCOPED_TRACE("killed after " + std::to_string(changes) + " changes");
            Reset(before);
            FaultInjection::changesBeforeKill = changes;
            command();
            const bool finished = FaultInjection::changesBeforeKill > 0;
            FaultInjection::Clear();
            const bool journal = JournalExists();
            const std::optional<Rollback> recovered = RecoverUnfinished();
            ASSERT_EQ(recovered.has_value(), journal);
            if (recovered) {
                ++rolledBack;
                EXPECT_TRUE(recovered->AllAsItWas()) << RollbackLines(*recovered)[0];
                EXPECT_FALSE(recovered->journalKept);
                EXPECT_FALSE(JournalExists());
                EXPECT_TRUE(AllFiles() == before);
            } else {
                const Files now = AllFiles();
                EXPECT_TRUE(now == before || now == after);
            }
            if (finished)
                break;
        }
        EXPECT_GT(rolledBack, 2) << "kills between the journal and its removal";
        Reset(before);
    }
};

TEST_F(JournalTest, RenameKilledAtAnyChangeIsRolledBack) {
    KillAtEveryChange(Rename);
}

TEST_F(JournalTest, TextImportKilledAtAnyChangeIsRolledBack) {
    KillAtEveryChange([] { return ApplyTextImport(ImportPlan()); });
    // Into a folder of its own, which the rollback takes away again.
    KillAtEveryChange([] { return ApplyTextImport(ImportPlan("de"), "de"); });
    EXPECT_FALSE(fs::exists("de"));
}

// On a disk that fills up at any byte, a failed command says "as it was" only when every
// file reads back so; otherwise its journal stays, names each file that is not, and the
// recovery puts it back once there is room again.
TEST_F(JournalTest, AFullDiskNeverPassesForAWorkspaceAsItWas) {
    // Each with a step finer than the files it writes.
    const std::pair<int, std::function<bool(Rollback&)>> commands[] = {
        {61,
         [](Rollback& putBack) {
             ReferenceIndex index;
             EXPECT_TRUE(index.Build({}, {}).succeeded);
             RenameOutcome outcome = RenameInfo(index, "A", "B_Renamed");
             putBack = outcome.putBack;
             return outcome.done;
         }},
        {13,
         [](Rollback& putBack) { return ApplyTextImport(ImportPlan(), {}, nullptr, &putBack); }},
    };
    for (const auto& [step, command] : commands) {
        const Files before = AllFiles();
        int claimedAsItWas = 0, kept = 0;
        for (std::int64_t budget = 0;; budget += step) {
            SCOPED_TRACE("room for " + std::to_string(budget) + " bytes");
            Reset(before);
            FaultInjection::writeBudget = budget;
            Rollback putBack;
            const bool done = command(putBack);
            FaultInjection::Clear();
            if (done)
                break;
            if (putBack.AllAsItWas()) {
                ++claimedAsItWas;
                EXPECT_TRUE(AllFiles() == before);
                EXPECT_FALSE(JournalExists());
                continue;
            }
            ++kept;
            EXPECT_TRUE(putBack.journalKept);
            EXPECT_TRUE(JournalExists());
            const std::vector<std::string> lines = RollbackLines(putBack);
            for (const FileRollback& file : putBack.files) {
                if (file.state == FileState::NotRestored) {
                    EXPECT_EQ(file.failure.cause, TesselEngine::Cause::NoSpace);
                    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                                           [&](const std::string& line) {
                                               return line.starts_with("Not restored: \"" +
                                                                       file.path + "\"");
                                           }),
                              lines.end());
                }
            }
            const std::optional<Rollback> recovered = RecoverUnfinished();
            ASSERT_TRUE(recovered);
            EXPECT_TRUE(recovered->AllAsItWas());
            EXPECT_TRUE(AllFiles() == before);
        }
        EXPECT_GT(claimedAsItWas, 0);
        EXPECT_GT(kept, 0);
    }
}

// A file that cannot be written back keeps the journal, which says so, and no command
// starts a new journal over it; once the file can be written the recovery finishes.
TEST_F(JournalTest, AFileThatCannotBeRestoredKeepsTheJournal) {
    const Files before = AllFiles();
    // Killed once the first child holds the new name.
    for (int changes = 0; ReadFile("Infos/A_Child.vaskinfo") == before.at("Infos/A_Child.vaskinfo");
         ++changes) {
        Reset(before);
        FaultInjection::changesBeforeKill = changes;
        ASSERT_FALSE(Rename());
        FaultInjection::Clear();
    }
    ASSERT_TRUE(JournalExists());
    fs::permissions("Infos/A_Child.vaskinfo", fs::perms::owner_read | fs::perms::group_read);

    const std::optional<Rollback> refused = RecoverUnfinished();
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->AllAsItWas());
    EXPECT_TRUE(refused->journalKept);
    EXPECT_EQ(refused->Count(FileState::NotRestored), 1u);
    EXPECT_EQ(
        RollbackLines(*refused),
        (std::vector<std::string>{
            "Removed \"Infos/B_Renamed.vaskinfo\", which the rename had created.",
            "Not restored: \"Infos/A_Child.vaskinfo\" still holds what the rename wrote. Could "
            "not save \"Infos/A_Child.vaskinfo\": the file is read-only.",
            "3 other files are as they were."}));
    EXPECT_TRUE(JournalExists());
    ReferenceIndex index;
    ASSERT_TRUE(index.Build({}, {}).succeeded);
    EXPECT_FALSE(RenameInfo(index, "Unrelated", "Other").refusal.empty());
    EXPECT_FALSE(ApplyTextImport(ImportPlan()));

    fs::permissions("Infos/A_Child.vaskinfo", fs::perms::owner_write, fs::perm_options::add);
    const std::optional<Rollback> recovered = RecoverUnfinished();
    ASSERT_TRUE(recovered);
    EXPECT_TRUE(recovered->AllAsItWas());
    EXPECT_EQ(RecoveredSummary(*recovered), "Recovered an unfinished rename: 1 file restored.");
    EXPECT_TRUE(AllFiles() == before);
    EXPECT_FALSE(RecoverUnfinished());
}

// The journal holds any bytes; a journal cut short is never taken for a whole one, and
// one that cannot be used is kept with no file touched.
TEST_F(JournalTest, OnlyAWholeJournalIsRolledBack) {
    const Journal journal{"rename",
                          {"de"},
                          {{"Infos/X.vaskinfo", std::string("a\r\nend\r\nold 3 y\r\n\0z", 18)},
                           {"Infos/Y.vaskinfo", std::nullopt},
                           {"empty.csv", std::string()}}};
    const std::string bytes = JournalBytes(journal);
    const std::optional<Journal> read = ParseJournal(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(JournalBytes(*read), bytes);
    EXPECT_EQ(read->files.size(), 3u);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(ParseJournal(bytes.substr(0, cut))) << cut;

    const Files before = AllFiles();
    WriteFile("Backup/.journal", bytes.substr(0, bytes.size() / 2));
    const std::optional<Rollback> damaged = RecoverUnfinished();
    ASSERT_TRUE(damaged);
    EXPECT_FALSE(damaged->AllAsItWas());
    EXPECT_TRUE(JournalExists());
    EXPECT_TRUE(AllFiles() == before);
}

} // namespace
