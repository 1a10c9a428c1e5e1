#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "support/Workspace.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>; // File, Name, GUID

constexpr const char* GoldGuid = "{92F2521F-0762-B34F-5882-C48F00BB8170}";
constexpr const char* SwordGuid = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
constexpr const char* RingGuid = "{11111111-2222-3333-4444-555555555555}";

std::string Document(const std::string& name, const std::string& guid) {
    return "class eCTemplateEntity {\r\n    bCString Name = \"" + name +
           "\";\r\n    bCGuid GUID = " + guid + ";\r\n    bool IsItem = True;\r\n}\r\n";
}

VaskTemplateCache Record(const char* file, const char* name, const char* guid) {
    VaskTemplateCache record;
    record.File = Char48(file);
    record.Name = Char48(name);
    record.GUID = Char48(guid);
    return record;
}

std::vector<Row> Rows(const TesselEngine::TTL::Vector<VaskTemplateCache>& list) {
    std::vector<Row> rows;
    for (const auto& r : list)
        rows.push_back({r.File.Str(), r.Name.Str(), r.GUID.Str()});
    return rows;
}

void BuildCache() {
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCurrentFilter.ClearContent();
    TemplateManager::CountTemplateFiles(true);
    TemplateManager::InitializeDirectory(true);
    while (TemplateManager::GenerateCacheEntry()) {
    }
}

class TemplateManagerTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        TemplateManager::TemplateCache.ClearContent();
        TemplateManager::TemplateCurrentFilter.ClearContent();
        TemplateManager::TemplateDirectory.reset();
        TemplateManager::TemplateDirectoryPath.reset();
        TemplateSelectList::Items.ClearContent();
        FaultInjection::Clear();
    }

    // Three records, the second and third with the same name in different case.
    static void FillCache() {
        auto& cache = TemplateManager::TemplateCache;
        cache.PushBack(Record("It_Gold", "It_Gold", GoldGuid));
        cache.PushBack(Record("It_Sword_Rusty", "It_Sword_Rusty", SwordGuid));
        cache.PushBack(Record("Ring_Doc", "it_sword_rusty", RingGuid));
    }
};

} // namespace

TEST_F(TemplateManagerTest, BuildCachesEveryDocumentInScanOrderAndTheFileKeepsThem) {
    WriteFile("Templates/It_Sword_Rusty.vasktpldoc", Document("It_Sword_Rusty", SwordGuid));
    WriteFile("Templates/It_Gold.vasktpldoc", Document("It_Gold", GoldGuid));
    WriteFile("Templates/It_Gold.vasktpl", "binary template, not a document");

    EXPECT_EQ(TemplateManager::CountTemplateFiles(true), 2);
    EXPECT_EQ(TemplateManager::CountTemplateFiles(false), 1);
    BuildCache();

    EXPECT_EQ(Rows(TemplateManager::TemplateCache),
              (std::vector<Row>{{"It_Gold", "It_Gold", GoldGuid},
                                {"It_Sword_Rusty", "It_Sword_Rusty", SwordGuid}}));
    EXPECT_EQ(TemplateManager::SkippedFiles(), 0u);
    EXPECT_FALSE(TemplateManager::GenerateCacheEntry()); // the scan stays used up
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 2u);

    // A comma inside a field does not shift the later records.
    const auto built = Rows(TemplateManager::TemplateCache);
    TemplateManager::TemplateCache[0].Name = Char48("It_G,old");
    ASSERT_TRUE(TemplateManager::WriteCache());
    EXPECT_EQ(ReadFile("templatecache"), std::string("It_Gold,It_Gold,") + GoldGuid +
                                             ",It_Sword_Rusty,It_Sword_Rusty," + SwordGuid + ",");

    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCache.PushBack(Record("stale", "stale", "{}"));
    ASSERT_TRUE(TemplateManager::ReadCache());
    EXPECT_EQ(Rows(TemplateManager::TemplateCache), built);
}

TEST_F(TemplateManagerTest, DocumentFieldsFollowTheirMarkers) {
    // File: the name up to its first dot, at most 48 characters.
    const std::string longName(60, 'L');
    WriteFile("Templates/A.first.vasktpldoc", Document("A", GoldGuid));
    WriteFile("Templates/B_" + longName + ".vasktpldoc", Document("B", SwordGuid));
    // No quote at all: no name, but the GUID is still found.
    WriteFile("Templates/C_NoQuote.vasktpldoc", "Name = C;\r\nbCGuid GUID = {C};\r\n");
    // No GUID marker: the GUID stays empty.
    WriteFile("Templates/D_NoGuid.vasktpldoc", "bCString Name = \"D_Name\";\r\nGUID {D}\r\n");
    // A name is cut at its first blank; the empty document gives empty fields.
    WriteFile("Templates/E_Blank.vasktpldoc", Document("Two Words", "{E}"));
    WriteFile("Templates/F_Empty.vasktpldoc", "");
    // A name of the full 48 characters stays whole, also when the document begins with it.
    const std::string fullName(48, 'n');
    WriteFile("Templates/G_Full.vasktpldoc", Document(fullName, "{G}"));
    WriteFile("Templates/H_QuoteFirst.vasktpldoc", "\"H_Name\" {\r\n GUID = {H};\r\n}\r\n");
    BuildCache();

    EXPECT_EQ(Rows(TemplateManager::TemplateCache),
              (std::vector<Row>{{"A", "A", GoldGuid},
                                {("B_" + longName).substr(0, 48), "B", SwordGuid},
                                {"C_NoQuote", "", "{C}"},
                                {"D_NoGuid", "D_Name", ""},
                                {"E_Blank", "Two", "{E}"},
                                {"F_Empty", "", ""},
                                {"G_Full", fullName, "{G}"},
                                {"H_QuoteFirst", "H_Name", "{H}"}}));
}

TEST_F(TemplateManagerTest, UnreadableDocumentIsSkippedAndCounted) {
    WriteFile("Templates/A.vasktpldoc", Document("A", "{A}"));
    fs::create_directories("Templates/B_Folder.vasktpldoc");
    WriteFile("Templates/C.vasktpldoc", Document("C", "{C}"));
    WriteFile("Templates/D.vasktpldoc", Document("D", "{D}"));

    TemplateManager::InitializeDirectory(true);
    ASSERT_TRUE(TemplateManager::GenerateCacheEntry());
    FaultInjection::failReads = 1; // the read of C fails once the folder is passed
    int steps = 1;
    while (TemplateManager::GenerateCacheEntry())
        ++steps;

    EXPECT_EQ(steps, 4); // one step per match, whether it was read or not
    EXPECT_EQ(Rows(TemplateManager::TemplateCache),
              (std::vector<Row>{{"A", "A", "{A}"}, {"D", "D", "{D}"}}));
    EXPECT_EQ(TemplateManager::SkippedFiles(), 2u);

    // The next build starts counting afresh.
    FaultInjection::Clear();
    BuildCache();
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 3u);
    EXPECT_EQ(TemplateManager::SkippedFiles(), 1u);
}

// No templates give an empty cache file; a cache file that is missing, empty or a folder
// reads as no cache.
TEST_F(TemplateManagerTest, NoTemplatesAndNoCacheFile) {
    FillCache();
    EXPECT_FALSE(TemplateManager::ReadCache());
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);

    EXPECT_EQ(TemplateManager::CountTemplateFiles(true), 0);
    BuildCache();
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);
    EXPECT_FALSE(fs::exists("Templates")); // the scan does not create the folder
    ASSERT_TRUE(TemplateManager::WriteCache());
    EXPECT_EQ(fs::file_size("templatecache"), 0u); // written, and empty
    FillCache();
    EXPECT_FALSE(TemplateManager::ReadCache());
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);

    fs::remove("templatecache");
    fs::create_directory("templatecache");
    FillCache();
    EXPECT_FALSE(TemplateManager::ReadCache());
    EXPECT_EQ(TemplateManager::TemplateCache.GetSize(), 0u);
}

TEST_F(TemplateManagerTest, DamagedCacheFileReadsWhatIsThere) {
    // A truncated last entry keeps its missing fields empty; one stray byte behind the last
    // entry is not a record.
    const std::vector<std::pair<std::string, std::vector<Row>>> cases = {
        {"a,b,{c},d,e", {{"a", "b", "{c}"}, {"d", "e", ""}}},
        {"a,b,{c},de", {{"a", "b", "{c}"}, {"de", "", ""}}},
        {"a,b,{c},\n", {{"a", "b", "{c}"}}}};
    for (const auto& [file, rows] : cases) {
        WriteFile("templatecache", file);
        ASSERT_TRUE(TemplateManager::ReadCache());
        EXPECT_EQ(Rows(TemplateManager::TemplateCache), rows) << file;
    }

    // Zero bytes end a field's text; over-long fields are cut to 48 characters.
    WriteFile("templatecache", std::string("x\0y,\0,", 6) + std::string(70, 'g') + ",");
    ASSERT_TRUE(TemplateManager::ReadCache());
    ASSERT_EQ(TemplateManager::TemplateCache.GetSize(), 1u);
    const VaskTemplateCache& damaged = TemplateManager::TemplateCache[0];
    EXPECT_TRUE(damaged.File == Char48("x"));
    EXPECT_TRUE(damaged.Name == Char48(""));
    EXPECT_EQ(damaged.GUID.Str(), std::string(48, 'g'));
}

TEST_F(TemplateManagerTest, FindTemplateLooksUpByNameElseByGuid) {
    FillCache();
    EXPECT_EQ(TemplateManager::FindTemplate("It_Sword_Rusty", nullptr), 1);
    EXPECT_EQ(TemplateManager::FindTemplate("it_sword_rusty", nullptr), 2); // exact case
    EXPECT_EQ(TemplateManager::FindTemplate(nullptr, RingGuid), 2);
    EXPECT_EQ(TemplateManager::FindTemplate(nullptr, "{FFFFFFFF-0000-0000-0000-000000000000}"), -1);
    EXPECT_EQ(TemplateManager::FindTemplate(nullptr, nullptr), -1);
    // A given name decides alone, even when the GUID belongs to another record.
    EXPECT_EQ(TemplateManager::FindTemplate("It_Gold", SwordGuid), 0);
    EXPECT_EQ(TemplateManager::FindTemplate("Unknown", SwordGuid), -1);
}

TEST_F(TemplateManagerTest, ExactFiltersCompareWholeTexts) {
    FillCache();
    TemplateManager::FilterByName("It_Sword_Rusty");
    EXPECT_EQ(Rows(TemplateManager::TemplateCurrentFilter),
              (std::vector<Row>{{"It_Sword_Rusty", "It_Sword_Rusty", SwordGuid}}));

    TemplateManager::ClearFilter();
    TemplateManager::FilterByName("It_Sword");
    EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 0u);

    std::string bare = SwordGuid;
    bare = bare.substr(1, bare.size() - 2);
    TemplateManager::FilterByGUID(bare.c_str());
    EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 0u);
    TemplateManager::FilterByGUID(SwordGuid);
    EXPECT_EQ(Rows(TemplateManager::TemplateCurrentFilter),
              (std::vector<Row>{{"It_Sword_Rusty", "It_Sword_Rusty", SwordGuid}}));

    // Filters append; the caller clears.
    TemplateManager::FilterByGUID(SwordGuid);
    EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 2u);
    TemplateManager::ClearFilter();
    EXPECT_EQ(TemplateManager::TemplateCurrentFilter.GetSize(), 0u);
}

TEST_F(TemplateManagerTest, SelectByNameOffersMatchingTemplates) {
    EXPECT_FALSE(TemplateSelectList::SelectByName("Gold"));
    EXPECT_EQ(TemplateSelectList::Items.GetSize(), 0u);

    FillCache();
    EXPECT_TRUE(TemplateSelectList::SelectByName("Nothing like it"));
    EXPECT_EQ(TemplateSelectList::Items.GetSize(), 0u);

    EXPECT_TRUE(TemplateSelectList::SelectByName("SWORD"));
    EXPECT_EQ(Rows(TemplateSelectList::Items),
              (std::vector<Row>{{"It_Sword_Rusty", "It_Sword_Rusty", SwordGuid},
                                {"Ring_Doc", "it_sword_rusty", RingGuid}}));
    // Only names count: the file "Ring_Doc" does not make "Ring" match.
    TemplateSelectList::ClearItems();
    EXPECT_TRUE(TemplateSelectList::SelectByName("Ring"));
    EXPECT_EQ(TemplateSelectList::Items.GetSize(), 0u);
}
