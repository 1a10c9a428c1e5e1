// A conversation read as the player reads it: the lines of each info, its children as
// numbered choices in their sort order, the path taken, and cycles said.
#include "library/ConversationScript.h"
#include "info/TextTable.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>

using namespace VaskEdit;
using VaskTest::WriteFile;

namespace {

InfoOutline Info(const char* name, const char* parent, int sortId, const char* line = "") {
    InfoOutline info;
    info.name = name;
    info.owner = "Mira";
    info.parent = parent;
    info.sortId = sortId;
    if (*line) {
        info.firstLine = line;
        info.texts.push_back({"infosa.csv", line, "Say", "Mira", "PC_Hero"});
    }
    return info;
}

std::string Text(const ScriptReading& reading) {
    std::string text;
    for (const std::string& line : ScriptText(reading))
        text += line + "\n";
    return text;
}

class ConversationScriptTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        TextTables::Clear();
        WriteFile("infosa.csv", "HELLO||Hello.|\r\nA||Ask away.|\r\nB||Bye then.|\r\n");
        // Added out of order: the choices come by sort id, then by name.
        infos = {Info("Bye", "Hello", 2, "B"), Info("Hello", "", 0, "HELLO"),
                 Info("Ask", "Hello", 1, "A"), Info("Back", "Ask", 0), Info("Loop", "Back", 0)};
        infos[3].conditions = "PlayerKnows Hello";
    }
    void TearDown() override { TextTables::Clear(); }

    std::vector<InfoOutline> infos;
};

TEST_F(ConversationScriptTest, ChoicesInSortOrderThePathTakenAndACycleSaid) {
    EXPECT_EQ(Text(ReadScript(infos, {ConversationScope::All, "Hello"}, {})),
              "Hello\n"
              "  Mira: Hello.\n"
              "Choices:\n"
              "  1. Ask: Ask away.\n"
              "  2. Bye: Bye then.\n"
              "> 1\n"
              "Ask\n"
              "  Mira: Ask away.\n"
              "Choices:\n"
              "  1. Back  [PlayerKnows Hello]\n"
              "> 1\n"
              "Back\n"
              "Choices:\n"
              "  1. Loop\n"
              "> 1\n"
              "Loop\n"
              "(end)\n");
    EXPECT_EQ(Text(ReadScript(infos, {ConversationScope::Owner, "Mira"}, {1, 2})),
              "Choices:\n"
              "  1. Hello: Hello.\n"
              "> 1\n"
              "Hello\n"
              "  Mira: Hello.\n"
              "Choices:\n"
              "  1. Ask: Ask away.\n"
              "  2. Bye: Bye then.\n"
              "> 2\n"
              "Bye\n"
              "  Mira: Bye then.\n"
              "(end)\n");

    // Hello hung below Loop: the way back to it is said once, not followed.
    infos[1].parent = "Loop";
    const ScriptReading cycle = ReadScript(infos, {ConversationScope::All, "Hello"}, {});
    EXPECT_NE(Text(cycle).find("Loop\nChoices:\n  1. Hello: Hello.\n> 1\nHello (read above: a "
                               "cycle, not followed)\n(end)\n"),
              std::string::npos)
        << Text(cycle);

    const ScriptReading wrong = ReadScript(infos, {ConversationScope::All, "Hello"}, {3});
    EXPECT_EQ(wrong.refusal, "choice 3 at step 1 is not among the 2 offered");
    EXPECT_FALSE(ReadScript(infos, {ConversationScope::All, "Nobody"}, {}).refusal.empty());
    EXPECT_FALSE(ReadScript(infos, {ConversationScope::Quest, "Q_None"}, {}).refusal.empty());
}

} // namespace
