// Inputs on which the fuzz harnesses once failed, reduced to the bytes that matter.
#include "info/VaskInfo.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <gtest/gtest.h>
#include <string>

using namespace VaskEdit;

namespace {
class FuzzRegressionTest : public VaskTest::TemplatesTest {};

// A sound info with one command, up to and including the opening line of its
// condition list.
std::string InfoUpToConditions() {
    VaskInfo info;
    TesselEngine::SetMember(info.Name, "Odd");
    info.SetOwner("Bob");
    info.InfoCommands[info.AddCommand()].SetCommand("End");
    const std::string text = VaskTest::WriteToText(info);
    const std::string head = "oConditions {\r\n";
    return text.substr(0, text.find(head) + head.size());
}

// Reads the text into a fresh record, gives its list sizes and writes it again.
struct Resaved {
    std::uint32_t perks = 0;
    std::uint32_t commands = 0;
    std::uint32_t conditions = 0;
    std::string text;
};
Resaved Resave(const std::string& text) {
    VaskInfo info;
    VaskTest::ReadFromText(text, info);
    return {info.RequiredPerks.GetSize(), info.InfoCommands.GetSize(),
            info.InfoConditions.GetSize(), VaskTest::WriteToText(info)};
}

// Opens and saves the text three times: the lists keep their sizes every time, the
// marker stands in every save as often as given, and the third save writes what the
// second wrote.
void ExpectSavesSettle(std::string text, std::uint32_t commands, std::uint32_t conditions,
                       const std::string& marker, std::size_t times) {
    std::string previous;
    for (int save = 1; save <= 3; ++save) {
        SCOPED_TRACE("save " + std::to_string(save));
        const Resaved round = Resave(text);
        EXPECT_EQ(round.commands, commands);
        EXPECT_EQ(round.conditions, conditions);
        EXPECT_EQ(VaskTest::Count(round.text, marker), times);
        if (save == 3) {
            EXPECT_EQ(round.text, previous);
        }
        previous = text = round.text;
    }
}
} // namespace

// A condition of a type without a class whose braces do not close before the next
// command's block: the command's block is nested in it and belongs to it. Once kept, it
// is written back with the closing line it lacked, once, and never read as a command.
TEST_F(FuzzRegressionTest, BlockNestedInAnUnclosedBlockStaysInside) {
    const std::string damaged = InfoUpToConditions() + "            gCInfoConditionUnknown {\r\n"
                                                       "                int Version = 1;\r\n"
                                                       "            gCInfoCommandBack {\r\n"
                                                       "                int Version = 1;\r\n"
                                                       "            }\r\n"
                                                       "        }\r\n"
                                                       "    }\r\n";
    ExpectSavesSettle(damaged, 1, 1, "gCInfoCommandBack {", 1);
    EXPECT_NE(Resave(damaged).text.find("            gCInfoConditionUnknown {\r\n"
                                        "                int Version = 1;\r\n"
                                        "            gCInfoCommandBack {\r\n"),
              std::string::npos);
}

// A condition of a type without a class whose name stands behind a command's name on
// one line: the class is the last word before the brace, and the text in front of it
// on its line is kept with the block, not dropped and not read as a command.
TEST_F(FuzzRegressionTest, TextBeforeAClassNameStaysWithItsBlock) {
    const std::string damaged = InfoUpToConditions() +
                                "            gCInfoCommandDescription gCInfoConditionOdd {\r\n"
                                "                int Version = 1;\r\n"
                                "            }\r\n"
                                "        }\r\n"
                                "    }\r\n";
    ExpectSavesSettle(damaged, 1, 1, "            gCInfoCommandDescription gCInfoConditionOdd {",
                      1);
}

// A block of a type without a class with a stray double quote on its name line: the
// quote hid every brace up to the next quote, so the block took in the rest of the
// list and, on each save, one more of the list's closing lines.
TEST_F(FuzzRegressionTest, StrayQuoteEndsWithItsLine) {
    const std::string commands = "        bTRefPtrArray InfoCommands {\r\n"
                                 "            gCInfoCommandOdd\";\r\n"
                                 "            gCInfoCommandSay {\r\n"
                                 "                int Version = 1;\r\n"
                                 "                bCString Speaker = \"Bob\";\r\n"
                                 "                bCString Listener = \"PC_Hero\";\r\n"
                                 "                gCInfoLocString Text = \"BOB_01\";\r\n"
                                 "            }\r\n"
                                 "            gCInfoCommandEnd {\r\n"
                                 "                int Version = 1;\r\n"
                                 "            }\r\n"
                                 "        }\r\n";
    std::string damaged = InfoUpToConditions();
    const std::size_t list = damaged.find("        bTRefPtrArray InfoCommands {");
    damaged.replace(list, damaged.find("        bTRefPtrArray InfoConditions") - list, commands);
    damaged += "        }\r\n    }\r\n";
    // Odd takes in the Say block behind it (it has no braces of its own); End is read.
    // The list's closing line stays single.
    ExpectSavesSettle(damaged, 2, 0, "\r\n        }\r\n        }\r\n", 0);
}

// An enum value that ran into the next command's name, inside the condition list: the
// command search found the name in the value, read an empty Give command from it, and
// every save added one more.
TEST_F(FuzzRegressionTest, CommandNameInsideAValueIsNoCommand) {
    const std::string damaged = InfoUpToConditions() +
                                "            gCInfoConditionNPCStatus {\r\n"
                                "                int Version = 1;\r\n"
                                "                eCEntityStringProxy SecondaryNPC = \"Bandit\";\r\n"
                                "                enum gEInfoNPCStatus SecondaryNPCStatus = "
                                "gE\xff\xffgCInfoCommandGive;\r\n"
                                "            }\r\n"
                                "        }\r\n"
                                "    }\r\n";
    ExpectSavesSettle(damaged, 1, 1, "gCInfoCommandGive {", 0);
    // The value itself is kept as it stands.
    EXPECT_NE(Resave(damaged).text.find("SecondaryNPCStatus = gE\xff\xffgCInfoCommandGive;\r\n"),
              std::string::npos);
}

// The same with a damaged name that is no known type: it was kept as a block of an
// unknown command and, again, one more was added on every save.
TEST_F(FuzzRegressionTest, UnknownCommandNameInsideAValueIsNoCommand) {
    const std::string damaged = InfoUpToConditions() +
                                "            gCInfoConditionNPCStatus {\r\n"
                                "                int Version = 1;\r\n"
                                "                eCEntityStringProxy SecondaryNPC = \"Bandit\";\r\n"
                                "                enum gEInfoNPCStatus SecondaryNPCStatus = "
                                "gE\xff\xffgCInfoCommandGiv\xa1\xdf{\r\n"
                                "            }\r\n"
                                "        }\r\n"
                                "    }\r\n";
    ExpectSavesSettle(damaged, 1, 1, "            gCInfoCommandGiv", 0);
}

// A perk's name inside a member's text after the perk list was read as one more,
// empty, perk.
TEST_F(FuzzRegressionTest, PerkNameInsideAValueIsNoPerk) {
    std::string text = InfoUpToConditions() + "        }\r\n    }\r\n";
    const std::string partner = "bCString SmalltalkPartner = \"";
    text.insert(text.find(partner) + partner.size(), "gCRequiredPerk {");
    EXPECT_EQ(Resave(text).perks, 0u);
}
