// The demo workspace is what a new user sees first: every info in it must read and
// write back unchanged, and together they show every type the editor knows.
#include "engine/File.h"
#include "info/EntryTypes.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "support/Templates.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace VaskEdit;
namespace fs = std::filesystem;

namespace {
std::size_t ClassTypeCount(EntryKind kind) {
    const auto types = EntryTypes(kind);
    return static_cast<std::size_t>(
        std::count_if(types.begin(), types.end(), [](const EntryType& t) { return t.hasClass; }));
}
} // namespace

class DemoWorkspaceTest : public VaskTest::TemplatesTest {
protected:
    void SetUp() override {
        workspace.CopyFromSource("demo");
        VaskTest::TemplatesTest::SetUp();
    }
};

TEST_F(DemoWorkspaceTest, EveryInfoReadsAndWritesBackUnchanged) {
    std::set<std::uint32_t> commandTypes;
    std::set<std::uint32_t> conditionTypes;
    int infos = 0, perks = 0, keptBlocks = 0;
    std::set<std::string> templateGuids;
    for (const auto& name : VaskTest::ListNames("Templates")) {
        const std::string doc = VaskTest::ReadFile(fs::path("Templates") / name);
        const auto at = doc.find(" GUID = ");
        ASSERT_NE(at, std::string::npos) << name;
        templateGuids.insert(doc.substr(at + 8, 38));
    }
    for (const auto& file : VaskTest::ListNames("Infos")) {
        SCOPED_TRACE(file);
        ++infos;
        VaskInfo info;
        ASSERT_TRUE(info.LoadFromAbsolutePath(("Infos/" + file).c_str()));
        EXPECT_EQ(info.Name.Str() + ".vaskinfo", file);
        TesselEngine::IO::Stream out;
        ASSERT_TRUE(info.WriteToStream(out));
        EXPECT_EQ(std::string(out.GetBuffer(), out.GetSize()),
                  VaskTest::ReadFile(fs::path("Infos") / file));
        perks += static_cast<int>(info.RequiredPerks.GetSize());
        for (const auto& c : info.InfoCommands) {
            if (c.CommandTypeIndex != NoCommandType)
                commandTypes.insert(c.CommandTypeIndex);
            else
                ++keptBlocks;
            if (!c.LocString.IsEmpty()) {
                EXPECT_FALSE(c.Text.IsEmpty()) << c.LocString.Str() << " has no text";
            }
            if (c.ID1.View().starts_with("{")) {
                EXPECT_TRUE(templateGuids.count(c.ID1.Str())) << c.ID1.Str();
            }
        }
        for (const auto& c : info.InfoConditions) {
            if (c.ConditionTypeIndex != NoConditionType)
                conditionTypes.insert(c.ConditionTypeIndex);
            else
                ++keptBlocks;
        }
    }
    EXPECT_GE(infos, 30);
    EXPECT_EQ(commandTypes.size(), ClassTypeCount(EntryKind::Command));
    EXPECT_EQ(conditionTypes.size(), ClassTypeCount(EntryKind::Condition));
    EXPECT_GE(perks, 5);
    EXPECT_GE(keptBlocks, 3);
}

// A new user's first merge loses nothing: every info of the game document has its file.
TEST_F(DemoWorkspaceTest, EveryInfoOfTheCombinedDocumentHasItsFile) {
    const std::string doc = VaskTest::ReadFile("w_info.hdrdoc");
    ASSERT_EQ(doc.rfind("class gCInfo {\r\n", 0), 0u);
    EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
    std::vector<std::string> names;
    for (auto at = doc.find("\r\n    \""); at != std::string::npos;
         at = doc.find("\r\n    \"", at + 1)) {
        const std::size_t begin = at + 7;
        names.push_back(doc.substr(begin, doc.find('"', begin) - begin) + ".vaskinfo");
    }
    EXPECT_GE(names.size(), 50u);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, VaskTest::ListNames("Infos"));
}
