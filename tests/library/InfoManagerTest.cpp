#include "library/InfoManager.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "library/Jobs.h"
#include "library/TemplateManager.h"
#include "support/Library.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class InfoManagerTest : public VaskTest::LibraryTest {};

std::vector<std::string> Names(const TesselEngine::TTL::Vector<VaskInfoCache>& list) {
    std::vector<std::string> names;
    for (const auto& r : list)
        names.push_back(r.Name.Str());
    return names;
}

void BuildCache() {
    InfoManager::InfoFileCache.ClearContent();
    InfoManager::InitializeDirectory();
    InfoManager::CountInfoFiles();
    while (InfoManager::GenerateCacheEntry()) {
    }
}
} // namespace

TEST_F(InfoManagerTest, StartUpLoadsEveryTemplateOnce) {
    EXPECT_FALSE(InfoManager::Initialize()); // a second start without shutdown
    InfoManager::Shutdown();
    EXPECT_TRUE(InfoManager::Initialize());
    EXPECT_TRUE(fs::is_directory("Infos"));
}

TEST_F(InfoManagerTest, MissingTemplateStopsLoadingAtThatTemplate) {
    InfoManager::Shutdown();
    fs::remove("Resources/Commands/gCInfoCommandSay");
    EXPECT_FALSE(InfoManager::Initialize());
    // The 22 command templates before it are loaded, everything behind it is not.
    EXPECT_GT(InfoCommandRunScript::CommandStream.GetSize(), 0u);
    EXPECT_EQ(InfoCommandSay::CommandStream.GetSize(), 0u);
    EXPECT_EQ(InfoCommandSayConfirm::CommandStream.GetSize(), 0u);
    EXPECT_EQ(InfoConditionGameVariable::ConditionStream.GetSize(), 0u);
    EXPECT_EQ(VaskInfo::EmptyInfoStream.GetSize(), 0u);
    EXPECT_EQ(InfoRequiredPerk::PerkStream.GetSize(), 0u);
}

TEST_F(InfoManagerTest, EmptyDirectoryHasNothingToScan) {
    fs::remove_all("Infos");
    InfoManager::InitializeDirectory();
    EXPECT_TRUE(fs::is_directory("Infos"));
    EXPECT_EQ(InfoManager::CountInfoFiles(), 0);
    EXPECT_EQ(InfoManager::GetTotalFileSize(), 0);
    EXPECT_FALSE(InfoManager::GenerateCacheEntry());
    EXPECT_FALSE(InfoManager::SearchFilesFor("x"));
}

TEST_F(InfoManagerTest, CacheIsBuiltInScanOrderAndRoundTrips) {
    WriteInfo("Charlie", "Bob", "Q_1");
    WriteInfo("alpha", "Mira", "");
    WriteInfo("Bravo", "Bob", "Q_2");
    WriteFile("Infos/zz.vaskinfo", "no quotes here bCString Owner at all"); // fields stay empty
    InfoManager::InitializeDirectory();
    EXPECT_EQ(InfoManager::CountInfoFiles(), 4);
    BuildCache();
    EXPECT_EQ(Names(InfoManager::InfoFileCache),
              (std::vector<std::string>{"alpha", "Bravo", "Charlie", ""}));
    // A comma inside a value does not shift the later records.
    InfoManager::InfoFileCache[0].Name = Char48("al,pha");
    ASSERT_TRUE(InfoManager::WriteInfoCache());
    EXPECT_EQ(ReadFile("infocache"), "alpha,Mira,,Bravo,Bob,Q_2,Charlie,Bob,Q_1,,,,");
    InfoManager::InfoFileCache.ClearContent();
    ASSERT_TRUE(InfoManager::ReadInfoCache());
    ASSERT_EQ(InfoManager::InfoFileCache.GetSize(), 4u);
    EXPECT_EQ(InfoManager::InfoFileCache[1].Owner.View(), "Bob");
    EXPECT_EQ(InfoManager::InfoFileCache[2].Quest.View(), "Q_1");
    // What was read back writes the same bytes again.
    ASSERT_TRUE(InfoManager::WriteInfoCache());
    EXPECT_EQ(ReadFile("infocache"), "alpha,Mira,,Bravo,Bob,Q_2,Charlie,Bob,Q_1,,,,");
}

// A job reports each whole percentage once, rising, with the files behind it; cancel is
// asked after every step, so a job stops within one step of it whatever the percentage.
TEST_F(InfoManagerTest, JobsReportEachPercentOnceAndStopAfterTheCancelledStep) {
    for (int i = 0; i < 250; ++i)
        WriteInfo("Info_" + std::to_string(1000 + i), "Bob");
    for (const bool search : {false, true}) {
        SCOPED_TRACE(search ? "search" : "cache update");
        const auto run = [search](const Jobs::ProgressFn& progress, const Jobs::CancelFn& cancel) {
            return search ? Jobs::Search("Bob", progress, cancel)
                          : Jobs::UpdateCache(progress, cancel);
        };
        std::vector<Jobs::JobProgress> reports;
        run([&](const Jobs::JobProgress& p) { reports.push_back(p); }, {});
        ASSERT_EQ(reports.size(), 100u); // 0 .. 99: the last step reports 249 of 250 done
        for (std::size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].percent, static_cast<int>(i));
            EXPECT_EQ(reports[i].total, 250u);
            EXPECT_EQ(reports[i].done, (i * 250 + 99) / 100 + 1);
        }
        int asked = 0;
        const Jobs::Outcome cancelled = run({}, [&] { return ++asked == 3; });
        EXPECT_TRUE(cancelled.cancelled);
        EXPECT_EQ((search ? InfoManager::InfoCurrentFilter : InfoManager::InfoFileCache).GetSize(),
                  3u);
    }
}

// Unreadable files are skipped and counted; a search selects the files that hold the
// text, in any field, with their fields.
TEST_F(InfoManagerTest, UnreadableFilesAreSkippedAndSearchesSelectTheText) {
    WriteInfo("A", "Bob");
    fs::create_directory("Infos/B.vaskinfo"); // matches the pattern, cannot be read
    WriteInfo("C", "Dray", "Q_Bob");
    WriteInfo("D", "Mira");
    BuildCache();
    EXPECT_EQ(Names(InfoManager::InfoFileCache), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(InfoManager::SkippedFiles(), 1u);

    InfoManager::InitializeDirectory();
    InfoManager::ClearFilter();
    int steps = 0;
    while (InfoManager::SearchFilesFor("Bob"))
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(Names(InfoManager::InfoCurrentFilter), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(InfoManager::InfoCurrentFilter[1].Owner.View(), "Dray");
    EXPECT_EQ(InfoManager::SkippedFiles(), 1u);
}

TEST_F(InfoManagerTest, CacheFileOddities) {
    EXPECT_FALSE(InfoManager::ReadInfoCache()); // missing
    WriteFile("infocache", "");
    EXPECT_FALSE(InfoManager::ReadInfoCache());
    WriteFile("infocache", ",,,,,,,,,");
    ASSERT_TRUE(InfoManager::ReadInfoCache());
    EXPECT_EQ(InfoManager::InfoFileCache.GetSize(), 3u);
    WriteFile("infocache", "a,b,c,trunc,ated");
    ASSERT_TRUE(InfoManager::ReadInfoCache());
    ASSERT_EQ(InfoManager::InfoFileCache.GetSize(), 2u);
    EXPECT_EQ(InfoManager::InfoFileCache[1].Owner.View(), "ated");
    EXPECT_TRUE(InfoManager::InfoFileCache[1].Quest.IsEmpty());
    std::string binary(300, '\0');
    for (int i = 0; i < 300; ++i)
        binary[i] = static_cast<char>(i * 7);
    WriteFile("infocache", binary + std::string(100, 'x'));
    EXPECT_TRUE(InfoManager::ReadInfoCache());
    // A zero byte inside a value ends its text, for comparing too, as in "templatecache".
    WriteFile("infocache", std::string("Bob\0x,Mira,Q_1,", 15));
    ASSERT_TRUE(InfoManager::ReadInfoCache());
    InfoManager::ClearFilter();
    InfoManager::FilterByName("Bob");
    EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 1u);
}

TEST_F(InfoManagerTest, FiltersFollowTheirMatchingRules) {
    auto add = [](const char* name, const char* owner, const char* quest) {
        VaskInfoCache r;
        r.Name = Char48(name);
        r.Owner = Char48(owner);
        r.Quest = Char48(quest);
        InfoManager::InfoFileCache.PushBack(r);
    };
    add("One", "Bob", "");
    add("Two", "bob", "Q_bob");
    add("Three", "Bobby", "");
    add("aab", "x", "aab");
    InfoManager::FilterByOwner("Bob");
    EXPECT_EQ(Names(InfoManager::InfoCurrentFilter), (std::vector<std::string>{"One"}));
    InfoManager::ClearFilter();
    InfoManager::FilterAnyMatch("AB");
    InfoManager::FilterAnyMatch("AB"); // without clearing, selected twice
    EXPECT_EQ(Names(InfoManager::InfoCurrentFilter), (std::vector<std::string>{"aab", "aab"}));
    InfoManager::ClearFilter();
    InfoManager::FilterByQuest("");
    EXPECT_EQ(Names(InfoManager::InfoCurrentFilter), (std::vector<std::string>{"One", "Three"}));
    InfoManager::ClearFilter();
    InfoManager::FilterAnyMatch("");
    EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 0u);
    InfoManager::FilterByName("Tw");
    EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 0u);
}

// The any-field filters of both lists: each field alone, in either case, selects its
// record; a record whose every field matches is listed once; "" matches nothing.
TEST_F(InfoManagerTest, AnyMatchFindsTheTextInEachFieldAloneInAnyCase) {
    for (int field = 0; field < 4; ++field) { // 3: every field
        SCOPED_TRACE(field);
        const auto text = [&](int which) {
            return Char48(which == field || field == 3 ? "xQuIrKx" : "zz");
        };
        InfoManager::InfoFileCache.ClearContent();
        InfoManager::InfoFileCache.PushBack({text(0), text(1), text(2)});
        TemplateManager::TemplateCache.ClearContent();
        TemplateManager::TemplateCache.PushBack({text(0), text(1), text(2)});
        for (const char* query : {"quirk", "QUIRK"}) {
            InfoManager::ClearFilter();
            InfoManager::FilterAnyMatch(query);
            EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 1u) << query;
            TemplateManager::ClearFilter();
            TemplateManager::FilterAnyMatch(query);
            EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 1u) << query;
        }
        InfoManager::ClearFilter();
        InfoManager::FilterAnyMatch("quirky");
        EXPECT_EQ(InfoManager::InfoCurrentFilter.GetSize(), 0u);
        TemplateManager::ClearFilter();
        TemplateManager::FilterAnyMatch("");
        EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 0u);
    }
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::ClearFilter();
}

TEST_F(InfoManagerTest, LifecycleOfInfosInMemory) {
    EXPECT_EQ(InfoManager::PrepareInfo(), 0u);
    EXPECT_EQ(InfoManager::PrepareInfo(), 1u);
    InfoManager::InfoFiles.Deallocate();
    EXPECT_EQ(InfoManager::CreateVaskInfo("A"), 0u);
    EXPECT_EQ(InfoManager::CreateVaskInfo("B"), 1u);
    EXPECT_EQ(InfoManager::CreateVaskInfo("C"), 2u);
    EXPECT_EQ(InfoManager::CreateVaskInfo("B"), 3u);
    EXPECT_EQ(InfoManager::FindInfoIndex("B"), 1);
    EXPECT_EQ(InfoManager::FindInfoIndex("Nobody"), -1);
    InfoManager::UnloadVaskInfo("Nobody");
    EXPECT_EQ(InfoManager::InfoFiles.GetSize(), 4u);
    InfoManager::UnloadVaskInfo("B"); // both records of the name go
    EXPECT_EQ(InfoManager::InfoFiles.GetSize(), 2u);

    InfoManager::InfoFiles.Deallocate();
    InfoManager::CreateVaskInfo("A");
    InfoManager::CreateVaskInfo("B");
    InfoManager::CreateVaskInfo("C");
    InfoManager::InfoFiles[2].EditMark = 1;
    InfoManager::UnloadVaskInfo("A");
    ASSERT_EQ(InfoManager::InfoFiles.GetSize(), 1u);
    EXPECT_EQ(InfoManager::InfoFiles[0].Name.View(), "B");
}

// After an info file was written, its row of "infocache" takes the file's values in its
// place, or comes last for an info the cache lacks; an empty cache gets its first row,
// and a workspace without a cache gets none.
TEST_F(InfoManagerTest, CacheRowFollowsAWrittenInfoFile) {
    EXPECT_FALSE(InfoManager::FollowInfoFile("Alpha")); // no file
    WriteInfo("Alpha", "Bob", "Q_1");
    EXPECT_FALSE(InfoManager::FollowInfoFile("Alpha"));
    EXPECT_FALSE(fs::exists("infocache"));

    WriteFile("infocache", "");
    ASSERT_TRUE(InfoManager::FollowInfoFile("Alpha"));
    EXPECT_EQ(ReadFile("infocache"), "Alpha,Bob,Q_1,");

    WriteFile("infocache", "Alpha,Bob,Q_1,Bravo,Mira,,Charlie,Dray,Q_2,");
    WriteInfo("Bravo", "Lena", "Q_3");
    ASSERT_TRUE(InfoManager::FollowInfoFile("Bravo"));
    EXPECT_EQ(ReadFile("infocache"), "Alpha,Bob,Q_1,Bravo,Lena,Q_3,Charlie,Dray,Q_2,");
    WriteInfo("Delta", "Bob");
    ASSERT_TRUE(InfoManager::FollowInfoFile("Delta"));
    EXPECT_EQ(ReadFile("infocache"), "Alpha,Bob,Q_1,Bravo,Lena,Q_3,Charlie,Dray,Q_2,Delta,Bob,,");
    EXPECT_EQ(Names(InfoManager::InfoFileCache),
              (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
    EXPECT_FALSE(InfoManager::FollowInfoFile("../infocache"));
    EXPECT_EQ(ReadFile("infocache"), "Alpha,Bob,Q_1,Bravo,Lena,Q_3,Charlie,Dray,Q_2,Delta,Bob,,");
}

// One info's file searched alone finds what the search of the folder finds in it.
TEST_F(InfoManagerTest, OneInfoFileIsSearchedForTheWholeText) {
    WriteInfo("Alpha", "Bob", "Q_Bob");
    VaskInfoCache row;
    ASSERT_TRUE(InfoManager::InfoFileHolds("Alpha", "Q_Bob", row));
    EXPECT_EQ(row.Name.View(), "Alpha");
    EXPECT_EQ(row.Owner.View(), "Bob");
    EXPECT_EQ(row.Quest.View(), "Q_Bob");
    EXPECT_FALSE(InfoManager::InfoFileHolds("Alpha", "Q_Bobby", row));
    EXPECT_FALSE(InfoManager::InfoFileHolds("Missing", "Bob", row));
    EXPECT_FALSE(InfoManager::InfoFileHolds("../Alpha", "Bob", row));
}

TEST_F(InfoManagerTest, WriteAndExistence) {
    EXPECT_FALSE(InfoManager::ExistsInfoFile("Fresh"));
    const std::uint32_t index = InfoManager::CreateVaskInfo("Fresh");
    ASSERT_TRUE(InfoManager::WriteVaskInfo(index));
    EXPECT_TRUE(InfoManager::ExistsInfoFile("Fresh"));
    EXPECT_FALSE(InfoManager::WriteVaskInfo(99));
}
