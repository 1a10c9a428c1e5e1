#include "info/InfoFileName.h"
#include "info/VaskInfo.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class InfoFileTest : public VaskTest::TemplatesTest {};

VaskInfo ReadText(const std::string& text) {
    WriteFile("in.vaskinfo", text);
    VaskInfo info;
    EXPECT_TRUE(info.LoadFromAbsolutePath("in.vaskinfo"));
    return info;
}
} // namespace

TEST_F(InfoFileTest, EverySupportedTypeSurvivesAWriteAndARead) {
    VaskInfo original;
    VaskTest::FillEverything(original, "Round_Trip", "rt", 3);
    const std::string first = VaskTest::WriteToText(original);
    const VaskInfo read = ReadText(first);
    VaskTest::ExpectSameInfo(original, read);

    VaskInfo again = ReadText(first);
    EXPECT_EQ(VaskTest::WriteToText(again), first);
}

// The templates stay as they are while infos are written: two threads writing at once
// give what one writer gives.
TEST_F(InfoFileTest, InfosAreWrittenOnTwoThreadsAtOnce) {
    std::vector<VaskInfo> infos(8);
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        VaskTest::FillEverything(infos[i], "Info_" + std::to_string(i), std::to_string(i), 2);
        expected.push_back(VaskTest::WriteToText(infos[i]));
    }
    // Each thread writes its half of the infos again and again, counting what differs.
    const auto writeAll = [&](std::size_t from, int* differing) {
        for (int round = 0; round < 50; ++round) {
            for (std::size_t i = from; i < from + infos.size() / 2; ++i)
                *differing += VaskTest::WriteToText(infos[i]) != expected[i];
        }
    };
    int mine = 0, theirs = 0;
    std::thread other(writeAll, infos.size() / 2, &theirs);
    writeAll(0, &mine);
    other.join();
    EXPECT_EQ(mine, 0);
    EXPECT_EQ(theirs, 0);
}

// A member that the file lacks keeps its default and takes nothing from elsewhere: the
// members after it, the lists and the members between the lists are read as they stand.
TEST_F(InfoFileTest, MissingMemberLosesOnlyItself) {
    VaskInfo original;
    VaskTest::FillEverything(original, "Gap", "g", 2);
    const std::string whole = VaskTest::WriteToText(original);
    for (const char* gap : {"gEInfoType InfoType", "float SmalltalkOuterRange", "];"}) {
        SCOPED_TRACE(gap);
        std::string text = whole;
        const std::size_t at = text.find(gap);
        text.erase(at, text.find('\n', at) + 1 - at);
        const VaskInfo read = ReadText(text);
        EXPECT_EQ(read.ConditionType.View(), original.ConditionType.View());
        EXPECT_EQ(read.GoldCostItem.View(), original.GoldCostItem.View());
        EXPECT_EQ(read.SmalltalkInnerRange.View(), original.SmalltalkInnerRange.View());
        EXPECT_EQ(read.SmalltalkPartnerExitRoutineName.View(),
                  original.SmalltalkPartnerExitRoutineName.View());
        EXPECT_EQ(read.RequiredPerks.GetSize(), 2u);
        EXPECT_EQ(read.InfoCommands.GetSize(), original.InfoCommands.GetSize());
        EXPECT_EQ(read.InfoConditions.GetSize(), original.InfoConditions.GetSize());
    }
    EXPECT_TRUE(ReadText(whole.substr(0, whole.find("gEInfoType InfoType"))).InfoType.IsEmpty());
    // Nothing between "=" and the line end: an empty value, whatever the line end.
    for (const char* lineEnd : {"\r\n", "\n"}) {
        std::string text = whole;
        const std::size_t at = text.find("= ", text.find("bCString Owner")) + 1;
        text.replace(at, text.find('\n', at) + 1 - at, lineEnd);
        const VaskInfo read = ReadText(text);
        EXPECT_TRUE(read.Owner.IsEmpty()) << read.Owner.View();
        EXPECT_EQ(read.Partner.View(), original.Partner.View());
    }
}

TEST_F(InfoFileTest, UnsupportedBlocksAreKeptAndWrittenBackUnchanged) {
    VaskInfo original;
    VaskTest::FillEverything(original, "Keeper", "k", 1);
    std::string text = VaskTest::WriteToText(original);
    const std::string endGame = "            gCInfoCommandEndGame {\r\n"
                                "                int Version = 2;\r\n"
                                "                bCString Reason = \"{odd} text\";\r\n"
                                "            }\r\n";
    const std::string unknown = "            gCInfoCommandFooBar {\r\n"
                                "                int Version = 1;\r\n"
                                "            }\r\n";
    const std::string teach = "            gCInfoConditionCanTeachSkill {\r\n"
                              "                int Version = 1;\r\n"
                              "                gESkill Skill = gESkill_XP;\r\n"
                              "            }\r\n";
    text.insert(text.find("nfoCommands {\r\n") + 15, endGame + unknown);
    text.insert(text.find("oConditions {\r\n") + 15, teach);

    VaskInfo read = ReadText(text);
    ASSERT_EQ(read.InfoCommands.GetSize(), original.InfoCommands.GetSize() + 2);
    EXPECT_EQ(read.InfoCommands[0].Command.View(), "EndGame");
    EXPECT_EQ(read.InfoCommands[0].Version.View(), "2");
    EXPECT_EQ(read.InfoCommands[1].Command.View(), "FooBar");
    EXPECT_EQ(read.InfoCommands[2].Command.View(), "AddCrewMember");
    ASSERT_EQ(read.InfoConditions.GetSize(), original.InfoConditions.GetSize() + 1);
    EXPECT_EQ(read.InfoConditions[0].Condition.View(), "CanTeachSkill");
    EXPECT_EQ(VaskTest::WriteToText(read), text);
}

TEST_F(InfoFileTest, NamesThatWouldLeaveTheInfoDirectoryAreRefused) {
    fs::create_directory("Infos");
    for (const char* bad : {"", "..", "a/b", "..\\x", "C:x"}) {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, bad);
        EXPECT_FALSE(info.WriteDataToFile()) << bad;
        EXPECT_FALSE(VaskInfo().LoadDataFromFile(bad)) << bad;
    }
    EXPECT_TRUE(VaskTest::ListNames("Infos").empty());
    EXPECT_TRUE(IsValidInfoName("Quest_01-b.x"));
}

TEST_F(InfoFileTest, BadInputNeverCrashes) {
    const std::string big(10 << 20, 'v');
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 131) & 0xFF));
    VaskInfo sample;
    VaskTest::FillEverything(sample, "Cut", "c", 2);
    const std::string whole = VaskTest::WriteToText(sample);
    const std::vector<std::string> inputs = {
        "",
        "\"",
        "x",
        "no keys at all",
        "Owner Quest gCInfoCommandSay Version",
        "    \"N\" { bCString Owner \"no equals\" gCInfoCommandSay gCInfoConditionScript",
        "    \"" + big + "\" = " + big + ";",
        binary,
        whole.substr(0, whole.size() / 2),
        whole.substr(0, whole.find("gCInfoCommandSay") + 16),
        "gCRequiredPerk ",
        "gCInfoCommandSay",
        "gCInfoConditionQuestStatus {",
        "];\r\n",
        "InfoConditions "};
    for (const auto& input : inputs) {
        VaskInfo info = ReadText(input);
        VaskTest::WriteToText(info); // reads, measures and writes without fault
    }
    VaskInfo truncated = ReadText(whole.substr(0, whole.size() / 2));
    EXPECT_EQ(truncated.Name.View(), "Cut");
}
