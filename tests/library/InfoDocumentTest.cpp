#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "support/Library.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class InfoDocumentTest : public VaskTest::LibraryTest {};

bool Merge() {
    InfoManager::InitializeDirectory();
    const auto total = InfoManager::GetTotalFileSize();
    InfoManager::CountInfoFiles();
    InfoManager::HdrdocBegin(static_cast<std::uint64_t>(total));
    while (InfoManager::WriteSingleToHdrdocStream()) {
    }
    InfoManager::HdrdocEnd();
    return InfoManager::WriteHdrdocFile();
}

// The document of the given infos, as the merge frames them.
std::string Document(const std::vector<std::string>& infos) {
    std::string document = "class gCInfo {\r\n";
    for (const auto& info : infos)
        document += info;
    return document + "}\r\n";
}

std::string Renamed(std::string info, const std::string& from, const std::string& to) {
    for (auto at = info.find('"' + from + '"'); at != std::string::npos;
         at = info.find('"' + from + '"', at + 1))
        info.replace(at + 1, from.size(), to);
    return info;
}

int Split() {
    if (!InfoManager::LoadInfoStream())
        return -1;
    int steps = 0;
    while (InfoManager::SplitSingleFromHdrdoc())
        ++steps;
    return steps;
}
} // namespace

TEST_F(InfoDocumentTest, MergeFramesTheFilesInScanOrder) {
    ASSERT_TRUE(Merge());
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), "class gCInfo {\r\n}\r\n"); // no infos
    WriteInfo("B_Info", "Bob");
    WriteInfo("A_Info", "Mira");
    ASSERT_TRUE(Merge());
    const std::string a = ReadFile("Infos/A_Info.vaskinfo");
    const std::string b = ReadFile("Infos/B_Info.vaskinfo");
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), "class gCInfo {\r\n" + a + b + "}\r\n");
}

TEST_F(InfoDocumentTest, SplitOfAMergedDocumentGivesTheFilesBack) {
    WriteInfo("First_Info", "Bob", "Q_1");
    WriteInfo("Second_Info_With_A_Name_Longer_Than_32", "Mira");
    WriteInfo("third", "Dray");
    ASSERT_TRUE(Merge());
    const std::string merged = ReadFile("Output/new_info.hdrdoc");
    std::map<std::string, std::string> originals;
    for (const auto& name : VaskTest::ListNames("Infos"))
        originals[name] = ReadFile(fs::path("Infos") / name);
    fs::remove_all("Infos");
    fs::create_directory("Infos");
    WriteFile("w_info.hdrdoc", merged);
    EXPECT_EQ(Split(), 3);
    EXPECT_EQ(InfoManager::SplitFailures(), 0u);
    for (const auto& [name, bytes] : originals)
        EXPECT_EQ(ReadFile(fs::path("Infos") / name), bytes) << name;
    // And merging again gives the same document.
    ASSERT_TRUE(Merge());
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), merged);
}

TEST_F(InfoDocumentTest, SplitNeverOverwritesAnExistingFile) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    ASSERT_TRUE(Merge());
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    WriteFile("Infos/A.vaskinfo", "edited by the user");
    fs::remove("Infos/B.vaskinfo");
    testing::internal::CaptureStdout();
    EXPECT_EQ(Split(), 2);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nInfoManager: File <A> is already existing! --> Skipped"),
              std::string::npos);
    EXPECT_EQ(ReadFile("Infos/A.vaskinfo"), "edited by the user");
    EXPECT_TRUE(fs::exists("Infos/B.vaskinfo"));
}

TEST_F(InfoDocumentTest, BadCombinedDocuments) {
    EXPECT_EQ(Split(), -1); // missing
    for (const std::string doc :
         {"", "x", "class gCInfo {\r\n}\r\n", "no info start here at all"}) {
        WriteFile("w_info.hdrdoc", doc);
        EXPECT_EQ(Split(), -1) << doc;
    }
    // A truncated last info: the pieces that are there.
    WriteInfo("Whole", "Bob");
    WriteInfo("Cut", "Bob");
    ASSERT_TRUE(Merge());
    const std::string merged = ReadFile("Output/new_info.hdrdoc");
    fs::remove_all("Infos");
    WriteFile("w_info.hdrdoc", merged.substr(0, merged.size() - 100));
    EXPECT_EQ(Split(), 2);
    // The first info is whole; the cut one is refused, not written half.
    const std::string first = merged.find("\"Whole\"") < merged.find("\"Cut\"") ? "Whole" : "Cut";
    EXPECT_EQ(VaskTest::ListNames("Infos"), std::vector<std::string>{first + ".vaskinfo"});
    EXPECT_EQ(InfoManager::SplitRefused().size(), 1u);
    std::string lf = merged;
    for (auto at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n"))
        lf.erase(at, 1);
    fs::remove_all("Infos");
    WriteFile("w_info.hdrdoc", lf);
    EXPECT_EQ(Split(), 2); // other line ends: the same infos, each in its own bytes
    EXPECT_EQ(VaskTest::ListNames("Infos").size(), 2u);
}

// A cancelled merge, or one that could not read every file, keeps the old document.
TEST_F(InfoDocumentTest, MergeThatStopsKeepsTheOldDocument) {
    WriteInfo("A", "Bob");
    WriteInfo("C", "Bob");
    WriteFile("Output/new_info.hdrdoc", "previous document");
    int asked = 0;
    const Jobs::Outcome cancelled = Jobs::Merge({}, [&] { return ++asked == 1; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.succeeded);
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), "previous document");

    fs::create_directory("Infos/B.vaskinfo");
    EXPECT_FALSE(Jobs::Merge({}, {}).succeeded);
    EXPECT_EQ(InfoManager::SkippedFiles(), 1u);
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), "previous document");
}

TEST_F(InfoDocumentTest, FileThatGrewAfterTheSizesWereSummedIsStillMerged) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Bob");
    InfoManager::InitializeDirectory();
    const auto total = InfoManager::GetTotalFileSize();
    InfoManager::HdrdocBegin(static_cast<std::uint64_t>(total));
    const std::string grown = ReadFile("Infos/B.vaskinfo") + std::string(500, ' ') + "\r\n";
    WriteFile("Infos/B.vaskinfo", grown);
    while (InfoManager::WriteSingleToHdrdocStream()) {
    }
    InfoManager::HdrdocEnd();
    ASSERT_TRUE(InfoManager::WriteHdrdocFile());
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"),
              "class gCInfo {\r\n" + ReadFile("Infos/A.vaskinfo") + grown + "}\r\n");
}

// A name met twice in the document is not a file that existed before: each repetition
// is named, and the split fails after writing the others.
TEST_F(InfoDocumentTest, SplitNamesEveryRepeatedName) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    WriteInfo("C", "Dray");
    const std::string a = ReadFile("Infos/A.vaskinfo");
    const std::string b = ReadFile("Infos/B.vaskinfo");
    const std::string c = ReadFile("Infos/C.vaskinfo");
    const std::string otherA = Renamed(b, "B", "A");
    WriteFile("w_info.hdrdoc", Document({a, b, otherA, c, otherA}));
    fs::remove("Infos/A.vaskinfo");
    fs::remove("Infos/B.vaskinfo");
    WriteFile("Infos/C.vaskinfo", "edited by the user");

    testing::internal::CaptureStdout();
    ASSERT_TRUE(Jobs::BeginSplit());
    const Jobs::Outcome outcome = Jobs::Split({}, {});
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failed, 0u);
    EXPECT_EQ(outcome.duplicates, (std::vector<std::string>{"A", "A"}));
    EXPECT_NE(out.find("Info <A> is in the document more than once! --> Skipped"),
              std::string::npos);
    EXPECT_NE(out.find("File <C> is already existing! --> Skipped"), std::string::npos);
    EXPECT_EQ(ReadFile("Infos/A.vaskinfo"), a); // the first of the name
    EXPECT_EQ(ReadFile("Infos/B.vaskinfo"), b);
    EXPECT_EQ(ReadFile("Infos/C.vaskinfo"), "edited by the user");
}

// The game takes the merged document for all its infos: the merge names those of
// "w_info.hdrdoc" that it lacks because they have no file.
TEST_F(InfoDocumentTest, MergeNamesTheInfosOfTheGameDocumentThatItLacks) {
    WriteInfo("A", "Bob");
    WriteInfo("B", "Mira");
    WriteInfo("C", "Dray");
    EXPECT_TRUE(Jobs::Merge({}, {}).notMerged.empty()); // no game document
    fs::copy_file("Output/new_info.hdrdoc", "w_info.hdrdoc");
    fs::remove("Infos/A.vaskinfo");
    fs::remove("Infos/C.vaskinfo");
    WriteInfo("D", "Lena"); // new since the split: nothing lost
    const Jobs::Outcome outcome = Jobs::Merge({}, {});
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_EQ(outcome.notMerged, (std::vector<std::string>{"A", "C"}));

    // A folder that cannot be listed says nothing about its files: no info is named.
    fs::rename("Infos", "infos-aside");
    WriteFile("Infos", "a plain file where the folder belongs");
    EXPECT_TRUE(InfoManager::InfosWithoutFile().empty());
}

// A name has up to 48 characters, all of them kept by the split and the cache; a device
// name of Windows names no file.
TEST_F(InfoDocumentTest, OneNameRuleInTheSplitAndTheCache) {
    const std::string fullName(48, 'n');
    const std::string fullOwner(48, 'o');
    WriteInfo(fullName, fullOwner);
    WriteInfo("X", "Bob");
    const std::string x = ReadFile("Infos/X.vaskinfo");
    const std::string full = ReadFile("Infos/" + fullName + ".vaskinfo");
    fs::remove_all("Infos");
    WriteFile("w_info.hdrdoc",
              Document({full, Renamed(x, "X", "Nul.txt"), Renamed(x, "X", "com7")}));
    testing::internal::CaptureStdout();
    ASSERT_TRUE(Jobs::BeginSplit());
    const Jobs::Outcome split = Jobs::Split({}, {});
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(split.refused.size(), 2u);
    EXPECT_EQ(VaskTest::ListNames("Infos"), std::vector<std::string>{fullName + ".vaskinfo"});

    ASSERT_TRUE(Jobs::UpdateCache({}, {}).succeeded);
    ASSERT_EQ(InfoManager::InfoFileCache.GetSize(), 1u);
    EXPECT_EQ(InfoManager::InfoFileCache[0].Name.Str(), fullName);
    EXPECT_EQ(InfoManager::InfoFileCache[0].Owner.Str(), fullOwner);
}
