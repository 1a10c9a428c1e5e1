#include "info/InfoRefConversion.h"
#include "engine/String.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <gtest/gtest.h>

using namespace VaskEdit;

namespace {
class InfoRefConversionTest : public VaskTest::TemplatesTest {};

std::string Saved(const InfoRef& copy, bool passOn) {
    VaskInfo record;
    TesselEngine::SetMember(record.Name, copy.Name.c_str());
    StoreInfoRef(copy, record, passOn);
    return VaskTest::WriteToText(record);
}
} // namespace

// Every type, and a block kept for a type without a class, travel through the copy.
TEST_F(InfoRefConversionTest, EditedOrCopiedInfoIsWrittenAsItWasRead) {
    VaskInfo original;
    VaskTest::FillEverything(original, "Through_The_Editor", "e", 3);
    InfoCommand& end = original.InfoCommands[original.AddCommand()];
    end.SetCommand("EndGame");
    end.PreservedBlock = "            gCInfoCommandEndGame {\r\n            }\r\n";
    const std::string written = VaskTest::WriteToText(original);
    ASSERT_NE(written.find("gCInfoCommandEndGame"), std::string::npos);
    EXPECT_EQ(Saved(MakeInfoRef(original), true), written);
}

TEST_F(InfoRefConversionTest, NewInfoGetsTheRecordDefaultsForHiddenMembers) {
    VaskInfo original;
    VaskTest::FillEverything(original, "Hidden", "h", 0);
    InfoRef copy = MakeInfoRef(original);
    VaskInfo record;
    TesselEngine::SetMember(record.Name, "Hidden");
    StoreInfoRef(copy, record, false);
    EXPECT_EQ(record.LastExecutionTimestamp.View(), "-1");
    EXPECT_EQ(record.InfoIsRunnig.View(), "False");
    EXPECT_EQ(record.SmalltalkGivenCmdIndex.View(), "-1");
    EXPECT_EQ(record.Owner.View(), original.Owner.View());
}

TEST_F(InfoRefConversionTest, ValuesAreTakenOnlyFromCommandsThatUseThem) {
    VaskInfo info;
    InfoCommand& say = info.InfoCommands[info.AddCommand()];
    say.SetCommand("Say");
    say.SetValue("stray", 3); // not a value type: never written
    InfoCommand& event = info.InfoCommands[info.AddCommand()];
    event.SetCommand("SetGameEvent");
    event.UseValues = true;
    event.SetValue("7", 0);
    const InfoRef copy = MakeInfoRef(info);
    EXPECT_TRUE(copy.InfoCommands[0].Value[3].empty());
    EXPECT_EQ(copy.InfoCommands[1].Value[0], "7");

    VaskInfo record;
    StoreInfoRef(copy, record, true);
    EXPECT_TRUE(record.InfoCommands[0].Value[3].IsEmpty());
    EXPECT_EQ(record.InfoCommands[1].Value[0].View(), "7");
}
