// Rename and text import read their files when they plan and write them later: a file
// that someone else changed in between is not overwritten, and nothing at all is written.
#include "engine/String.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/Journal.h"
#include "library/ReferenceIndex.h"
#include "library/RenameInfo.h"
#include "library/TextExchange.h"
#include "support/Library.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const std::string path = fs::relative(entry.path(), ".").generic_string();
        if (entry.is_regular_file() && !path.starts_with("Resources"))
            files[path] = ReadFile(entry.path());
    }
    return files;
}

class ChangedSincePlannedTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        for (const char* name : {"A", "A_Child", "Unrelated"}) {
            VaskInfo info;
            TesselEngine::SetMember(info.Name, name);
            if (std::string(name) == "A_Child")
                info.SetParent("A");
            ASSERT_TRUE(info.WriteDataToFile());
        }
        WriteFile("infosa.csv", "HELLO_01|x|Hello.|\r\nBYE_01|x|Bye.|\r\n");
        WriteFile("infodescsa.csv", "DESC_01|x|A description.|\r\n");
    }

    // Renames A, with change() run between the plan and the writing.
    static RenameOutcome RenameA(const std::function<void()>& change) {
        ReferenceIndex index;
        EXPECT_TRUE(index.Build({}, {}).succeeded);
        return RenameInfo(index, "A", "B_Renamed", change);
    }
};

TEST_F(ChangedSincePlannedTest, RenameRefusesWhenAPlannedFileChangesBeforeTheWrite) {
    const std::map<std::string, std::string> start = Files();
    const std::string child = ReadFile("Infos/A_Child.vaskinfo") + "\r\n";
    RenameOutcome outcome = RenameA([&] { WriteFile("Infos/A_Child.vaskinfo", child); });
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.refusal, "\"Infos/A_Child.vaskinfo\" was changed by someone else while the "
                               "rename was planned; nothing was changed.");
    std::map<std::string, std::string> expected = start;
    expected["Infos/A_Child.vaskinfo"] = child;
    EXPECT_EQ(Files(), expected);
    EXPECT_FALSE(JournalExists());

    // The renamed info itself, deleted meanwhile; a file that appears under the new name.
    WriteFile("Infos/A_Child.vaskinfo", start.at("Infos/A_Child.vaskinfo"));
    outcome = RenameA([] { fs::remove("Infos/A.vaskinfo"); });
    EXPECT_EQ(outcome.refusal.rfind("\"Infos/A.vaskinfo\" was changed", 0), 0u) << outcome.refusal;
    WriteFile("Infos/A.vaskinfo", start.at("Infos/A.vaskinfo"));
    outcome = RenameA([] { WriteFile("Infos/B_Renamed.vaskinfo", "someone's"); });
    EXPECT_EQ(outcome.refusal.rfind("\"Infos/B_Renamed.vaskinfo\" was changed", 0), 0u)
        << outcome.refusal;
    EXPECT_EQ(ReadFile("Infos/B_Renamed.vaskinfo"), "someone's");
    EXPECT_EQ(ReadFile("Infos/A.vaskinfo"), start.at("Infos/A.vaskinfo"));

    // Untouched, the same rename goes through.
    fs::remove("Infos/B_Renamed.vaskinfo");
    EXPECT_TRUE(RenameA([] {}).done);
}

TEST_F(ChangedSincePlannedTest, TextImportRefusesATableChangedSinceThePlan) {
    const TextImport plan = PlanTextImport("table,id,text\r\n"
                                           "infosa.csv,HELLO_01,Hallo.\r\n"
                                           "infodescsa.csv,DESC_01,Eine Beschreibung.\r\n");
    ASSERT_EQ(plan.changes.size(), 2u);
    // Another line of the table, changed by someone else after the plan.
    const std::string theirs = "HELLO_01|x|Hello.|\r\nBYE_01|x|See you.|\r\n";
    WriteFile("infosa.csv", theirs);
    const std::map<std::string, std::string> before = Files();
    Rollback putBack;
    EXPECT_FALSE(ApplyTextImport(plan, {}, nullptr, &putBack));
    EXPECT_EQ(TesselEngine::LastFailure().cause, TesselEngine::Cause::ChangedOnDisk);
    EXPECT_EQ(TesselEngine::FailureMessage(TesselEngine::LastFailure()),
              "Could not save \"infosa.csv\": it was changed by someone else since it was read, "
              "and is not overwritten.");
    EXPECT_TRUE(putBack.AllAsItWas());
    EXPECT_EQ(Files(), before); // neither table written, no journal, no backup
    EXPECT_FALSE(JournalExists());

    // Planned again, the import takes their line as it is now.
    TextTables::Clear();
    ASSERT_TRUE(ApplyTextImport(PlanTextImport("table,id,text\r\ninfosa.csv,HELLO_01,Hallo.\r\n")));
    EXPECT_EQ(ReadFile("infosa.csv"), "HELLO_01|x|Hallo.|\r\nBYE_01|x|See you.|\r\n");
}

// Texts written without a plan of whole tables (an editor window's): other lines may
// have changed and are kept, but a line the write changes must still hold the text the
// change was made from.
TEST_F(ChangedSincePlannedTest, ALineChangedSinceItsChangeWasMadeIsNotOverwritten) {
    TextImport texts;
    texts.changes.push_back({"infosa.csv", "HELLO_01", "Hello.", "Mine."});
    WriteFile("infosa.csv", "HELLO_01|x|Theirs.|\r\nBYE_01|x|Bye.|\r\n");
    EXPECT_FALSE(ApplyTextImport(texts));
    EXPECT_EQ(TesselEngine::LastFailure().cause, TesselEngine::Cause::ChangedOnDisk);
    EXPECT_EQ(ReadFile("infosa.csv"), "HELLO_01|x|Theirs.|\r\nBYE_01|x|Bye.|\r\n");

    WriteFile("infosa.csv", "HELLO_01|x|Hello.|\r\nBYE_01|x|Their bye.|\r\n");
    EXPECT_TRUE(ApplyTextImport(texts));
    EXPECT_EQ(ReadFile("infosa.csv"), "HELLO_01|x|Mine.|\r\nBYE_01|x|Their bye.|\r\n");
}

} // namespace
