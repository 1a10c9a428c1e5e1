// Hand-edited info files: lists laid out otherwise than the templates, damaged entries
// and values that fill their slots. Each is read without taking from its neighbours,
// and what a save could not write back is either kept whole or caught by the guard.
#include "engine/String.h"
#include "info/InfoValues.h"
#include "info/SaveCheck.h"
#include "info/VaskInfo.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace VaskEdit;

namespace {
class LosslessReadTest : public VaskTest::TemplatesTest {
protected:
    // An info with two perks, a Say, an End and a PlayerKnows condition, as saved.
    std::string Sample() {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, "Sample");
        info.SetOwner("Bob");
        info.SetSmalltalkInnerRange("600");
        for (const char* skill : {"gESkill_Perk_Mining", "gESkill_Perk_Lockpick"}) {
            InfoRequiredPerk& perk = info.RequiredPerks[info.AddRequiredPerk()];
            perk.SetPerk(skill);
            perk.SetValue("2");
            perk.SetInvertTest("False");
        }
        InfoCommand& say = info.InfoCommands[info.AddCommand()];
        say.SetCommand("Say");
        say.SetEntity1("Bob");
        say.SetEntity2("PC_Hero");
        say.SetLocString("BOB_01");
        say.SetID1("gEForcedDialogCam_ShowSpeaker");
        info.InfoCommands[info.AddCommand()].SetCommand("End");
        InfoCondition& knows = info.InfoConditions[info.AddCondition()];
        knows.SetCondition("PlayerKnows");
        knows.SetID1("Bob_Greeting");
        return VaskTest::WriteToText(info);
    }

    static SaveComparison Compare(const std::string& text) {
        VaskInfo info;
        VaskTest::ReadFromText(text, info);
        return CompareSave(info, text);
    }

    static std::string Replaced(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
};
} // namespace

// Blocks whose brace stands on the next line, after two blanks or after an annotation,
// and perks that follow each other on one line, are read as entries of their lists. A
// layout the template writes otherwise is only a change of layout; an annotation that
// the template cannot write keeps its block whole.
TEST_F(LosslessReadTest, EntriesAreFoundByStructureWhateverTheirLayout) {
    const std::string sample = Sample();
    struct Case {
        const char* from;
        const char* to;
        bool kept; // the edited entry is written back as it stands
    };
    const Case cases[] = {
        {"gCInfoCommandSay {", "gCInfoCommandSay\r\n            {", false},
        {"gCInfoCommandSay {", "gCInfoCommandSay  {", false},
        {"gCInfoCommandSay {", "class gCInfoCommandSay [Version 1] {", true},
        {"gCInfoConditionPlayerKnows {", "gCInfoConditionPlayerKnows\r\n            {", false},
        {"},\r\n            gCRequiredPerk {", "}, gCRequiredPerk {", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        const std::string text = Replaced(sample, c.from, c.to);
        VaskInfo info;
        VaskTest::ReadFromText(text, info);
        ASSERT_EQ(info.RequiredPerks.GetSize(), 2u);
        ASSERT_EQ(info.InfoCommands.GetSize(), 2u);
        ASSERT_EQ(info.InfoConditions.GetSize(), 1u);
        EXPECT_EQ(info.InfoCommands[0].Command.View(), "Say");
        EXPECT_EQ(info.InfoCommands[0].Entity2.View(), "PC_Hero");
        EXPECT_EQ(info.InfoConditions[0].ID1.View(), "Bob_Greeting");
        EXPECT_EQ(info.RequiredPerks[1].Perk.View(), "gESkill_Perk_Lockpick");
        EXPECT_EQ(info.InfoCommands[0].PreservedBlock.empty(), !c.kept);
        const SaveComparison saving = CompareSave(info, text);
        EXPECT_FALSE(saving.losesContent);
        EXPECT_EQ(saving.changed, !c.kept);
    }
}

// A Say without its Listener no longer takes the next block's Listener and swallows that
// block; a "];" inside a kept block no longer moves the reader past the info's members;
// a perk inside a kept command stays inside it and is no perk of the info.
TEST_F(LosslessReadTest, EntriesTakeNothingFromTheirNeighbours) {
    const std::string sample = Sample();
    const std::string say = sample.substr(sample.find("            gCInfoCommandSay"),
                                          sample.find("            gCInfoCommandEnd") -
                                              sample.find("            gCInfoCommandSay"));
    const std::string withoutListener =
        Replaced(say, "                bCString Listener = \"PC_Hero\";\r\n", "");
    VaskInfo two;
    VaskTest::ReadFromText(Replaced(sample, say, withoutListener + say), two);
    ASSERT_EQ(two.InfoCommands.GetSize(), 3u);
    EXPECT_TRUE(two.InfoCommands[0].Entity2.IsEmpty());
    EXPECT_EQ(two.InfoCommands[1].Entity2.View(), "PC_Hero");
    EXPECT_EQ(two.InfoCommands[1].LocString.View(), "BOB_01");

    const std::string kept = "            gCInfoCommandTeach {\r\n"
                             "                int Version = 1;\r\n"
                             "                bTObjArray<gCRequiredPerk> Perks = [\r\n"
                             "                    gCRequiredPerk {\r\n"
                             "                        enum gESkill Perk = gESkill_XP;\r\n"
                             "                    }\r\n"
                             "                ];\r\n"
                             "            }\r\n";
    const std::string text = Replaced(sample, say, say + kept);
    VaskInfo info;
    VaskTest::ReadFromText(text, info);
    EXPECT_EQ(info.SmalltalkInnerRange.View(), "600");
    EXPECT_EQ(info.RequiredPerks.GetSize(), 2u);
    ASSERT_EQ(info.InfoCommands.GetSize(), 3u);
    EXPECT_EQ(info.InfoCommands[1].PreservedBlock, kept);
    EXPECT_FALSE(CompareSave(info, text).changed);
}

// Quoted values that fill their slot exactly keep their last character, in the info's
// members and in the entries; a value too long for its slot keeps its entry whole, and
// where a member cannot hold it the guard says that saving would cut it.
TEST_F(LosslessReadTest, ValuesThatFillTheirSlotAreReadWhole) {
    const std::string full(48, 'o');
    const std::string caseText(512, 'c');
    std::string text = Replaced(Sample(), "Owner = \"Bob\"", "Owner = \"" + full + "\"");
    text = Replaced(text, "Speaker = \"Bob\"", "Speaker = \"" + full + "\"");
    text = Replaced(text, "            gCInfoCommandEnd",
                    "            gCInfoCommandSwitchCase {\r\n"
                    "                int Version = 1;\r\n"
                    "                [SwitchCase, Version 1] bCString Case = \"<" +
                        caseText +
                        ">\";\r\n"
                        "            }\r\n"
                        "            gCInfoCommandEnd");
    VaskInfo info;
    VaskTest::ReadFromText(text, info);
    EXPECT_EQ(info.Owner.View(), full);
    EXPECT_EQ(info.InfoCommands[0].Entity1.View(), full);
    EXPECT_EQ(info.InfoCommands[1].Text.View(), caseText);
    EXPECT_FALSE(CompareSave(info, text).changed);

    const std::string longer = Replaced(text, full + "\";\r\n                bCString Listener",
                                        full + "x\";\r\n                bCString Listener");
    VaskInfo kept;
    VaskTest::ReadFromText(longer, kept);
    EXPECT_FALSE(kept.InfoCommands[0].PreservedBlock.empty());
    EXPECT_FALSE(CompareSave(kept, longer).changed);

    const SaveComparison range =
        Compare(Replaced(text, "SmalltalkInnerRange = 600;", "SmalltalkInnerRange = 600.12345;"));
    EXPECT_TRUE(range.losesContent);
    // The member is left out, never written as "= ;".
    ASSERT_EQ(range.first.size(), 1u);
    EXPECT_TRUE(range.first[0].removed);
    EXPECT_NE(range.first[0].text.find("600.12345"), std::string::npos);
}

// The guard: an untouched save of a file the program wrote changes nothing; other line
// ends change only layout; a list the reader cannot take (a misspelt list name) or a
// value cut at a blank would lose text, and the first changed lines say where.
TEST_F(LosslessReadTest, GuardTellsLayoutFromLoss) {
    const std::string sample = Sample();
    EXPECT_FALSE(Compare(sample).changed);

    std::string bare;
    for (const char c : sample) {
        if (c != '\r')
            bare.push_back(c);
    }
    const SaveComparison lineEnds = Compare(bare);
    EXPECT_TRUE(lineEnds.changed);
    EXPECT_FALSE(lineEnds.losesContent);
    EXPECT_EQ(lineEnds.changedLines,
              static_cast<std::size_t>(std::count(bare.begin(), bare.end(), '\n')));
    EXPECT_EQ(DescribeSaveChanges(lineEnds)[0], "Saving would change the layout of " +
                                                    std::to_string(lineEnds.changedLines) +
                                                    " lines of this file:");

    EXPECT_TRUE(Compare(Replaced(sample, "InfoConditions {", "InfoConditionz {")).losesContent);
    const SaveComparison cut = Compare(Replaced(sample, "Owner = \"Bob\"", "Owner = \"Old Bob\""));
    EXPECT_TRUE(cut.losesContent);
    EXPECT_EQ(cut.changedLines, 1u);
    const std::vector<std::string> said = DescribeSaveChanges(cut);
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[0], "Saving would change 1 line of this file and drop or cut some of its text:");
    EXPECT_EQ(said[1], "- 3:         bCString Owner = \"Old Bob\";");
    EXPECT_EQ(said[2], "+ 3:         bCString Owner = \"Old\";");
    // Two opening lines pasted twice: the guard counts two changed lines, not the ones
    // between them.
    std::string pasted = sample;
    for (const std::string line :
         {"            gCInfoCommandEnd {\r\n", "        bTRefPtrArray InfoConditions {\r\n"})
        pasted = Replaced(pasted, line, line + line);
    const SaveComparison copies = Compare(pasted);
    EXPECT_EQ(copies.changedLines, 2u);
    EXPECT_EQ(copies.first.size(), 2u);
    // Two lines far apart: only they change, not the lines between them.
    const SaveComparison twoCuts =
        Compare(Replaced(Replaced(sample, "Owner = \"Bob\"", "Owner = \"Old Bob\""),
                         "SmalltalkInnerRange = 600;", "SmalltalkInnerRange = 600.12345;"));
    EXPECT_EQ(twoCuts.changedLines, 2u);
    ASSERT_EQ(twoCuts.first.size(), 3u);
    EXPECT_TRUE(twoCuts.first[2].removed);
    EXPECT_NE(twoCuts.first[2].text.find("600.12345"), std::string::npos);

    // A member line the file lacks stays out: no change. A value that the game cannot read
    // would be written again: loss. A list that does not close is damage, not layout.
    EXPECT_FALSE(
        Compare(Replaced(sample, "        float SmalltalkInnerRange = 600;\r\n", "")).changed);
    const SaveComparison prefix =
        Compare(Replaced(sample, "= gEForcedDialogCam_ShowSpeaker;", "= gEForcedDialogCam_;"));
    EXPECT_TRUE(prefix.losesContent);
    EXPECT_NE(prefix.unreadableValueText.find("ForcedDialogCam = gEForcedDialogCam_;"),
              std::string::npos);
    const SaveComparison open = Compare(Replaced(
        sample, "        }\r\n        bTRefPtrArray InfoCon", "        bTRefPtrArray InfoCon"));
    EXPECT_TRUE(open.losesContent);
    EXPECT_NE(open.damage.find("InfoConditions stands inside InfoCommands"), std::string::npos);
}

// A kept block gives its values by its "NAME = VALUE" lines: a quoted one whole, blanks
// and all; "Version" is no value.
TEST_F(LosslessReadTest, AKeptBlockGivesItsValuesByItsPairs) {
    const std::string kept = "            gCInfoCommandTeach {\r\n"
                             "                int Version = 1;\r\n"
                             "                bCString Teacher = \"Old Bob\";\r\n"
                             "                int Amount =\t5;\r\n"
                             "            }\r\n";
    const std::string text =
        Replaced(Sample(), "            gCInfoCommandEnd", kept + "            gCInfoCommandEnd");
    std::vector<std::string> values;
    ForEachValue(text, [&](const ValueAt& at) {
        if (at.place.list == PlaceList::Command && at.place.entry == 1)
            values.push_back(PlaceName(at.place) + "=" + std::string(at.value));
    });
    EXPECT_EQ(values, (std::vector<std::string>{"InfoCommands[1].Kept[0]=Old Bob",
                                                "InfoCommands[1].Kept[1]=5"}));
}

// A class whose name only ends like a command's is no command of that type: it is kept.
TEST_F(LosslessReadTest, AClassNamedLikeACommandIsKept) {
    const std::string text = Replaced(Sample(), "gCInfoCommandEnd {", "gXInfoCommandEnd {");
    VaskInfo info;
    VaskTest::ReadFromText(text, info);
    ASSERT_EQ(info.InfoCommands.GetSize(), 2u);
    EXPECT_NE(info.InfoCommands[1].Command.View(), "End");
    EXPECT_NE(info.InfoCommands[1].PreservedBlock.find("gXInfoCommandEnd {"), std::string::npos);
    EXPECT_FALSE(CompareSave(info, text).changed);
}

// A bracket that closes nothing between two commands is damage that the guard names; the
// commands behind it are still read, and a kept one on its line does not take it along.
TEST_F(LosslessReadTest, AStrayCloserBetweenEntriesHidesNeither) {
    const std::string kept = "            gCInfoCommandTeach {\r\n"
                             "                int Version = 1;\r\n"
                             "            }\r\n";
    const std::string text =
        Replaced(Sample(), "            gCInfoCommandEnd",
                 "            ]" + kept.substr(11) + "            gCInfoCommandEnd");
    VaskInfo info;
    VaskTest::ReadFromText(text, info);
    ASSERT_EQ(info.InfoCommands.GetSize(), 3u);
    EXPECT_EQ(info.InfoCommands[1].PreservedBlock, kept.substr(11));
    EXPECT_EQ(info.InfoCommands[2].Command.View(), "End");
    const SaveComparison saving = CompareSave(info, text);
    EXPECT_TRUE(saving.losesContent);
    const auto line =
        1 + std::count(text.begin(), text.begin() + text.find("] gCInfoCommandTeach"), '\n');
    EXPECT_NE(saving.damage.find("line " + std::to_string(line) + ": this \"]\" closes no bracket"),
              std::string::npos)
        << saving.damage;
}

// A file cut off inside a command: the command is kept with the closing line it lacked,
// indented as the command is.
TEST_F(LosslessReadTest, ACommandCutOffIsKeptWithItsClosingLine) {
    const std::string sample = Sample();
    const std::string end = "            gCInfoCommandEnd {\r\n"
                            "                int Version = 1;\r\n";
    VaskInfo info;
    VaskTest::ReadFromText(sample.substr(0, sample.find(end) + end.size()), info);
    ASSERT_EQ(info.InfoCommands.GetSize(), 2u);
    EXPECT_EQ(info.InfoCommands[1].PreservedBlock, end + "            }\r\n");
}
