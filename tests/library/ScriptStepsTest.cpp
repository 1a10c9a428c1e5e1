// The reading of a conversation step by step, as the script window walks it: every
// command of an info in its order, the choices with their conditions one by one, the
// path followed, cycles said and infos reached on more than one way.
#include "engine/String.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/ConversationScript.h"
#include "library/ReferenceIndex.h"
#include "support/Library.h"

#include <functional>
#include <gtest/gtest.h>

using namespace VaskEdit;
using VaskTest::WriteFile;

namespace {

class ScriptStepsTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        TextTables::Clear();
        WriteFile("infosa.csv", "HELLO||Hello there.|\r\nASK||Tell me more.|\r\n"
                                "BYE||Farewell.|\r\nSHARED||Both of us know.|\r\n");
        WriteFile("infodescsa.csv", "DESC||What brings you?|\r\n");
    }
    void TearDown() override {
        TextTables::Clear();
        LibraryTest::TearDown();
    }

    static void Write(const std::string& name, const std::string& parent, const char* sortId,
                      const std::function<void(VaskInfo&)>& fill = {}, const char* owner = "Mira") {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, name.c_str());
        info.SetParent(parent.c_str());
        info.SetSortID(sortId);
        info.SetOwner(owner);
        if (fill)
            fill(info);
        ASSERT_TRUE(info.WriteDataToFile()) << name;
    }
    static InfoCommand& Add(VaskInfo& info, const char* type) {
        InfoCommand& command = info.InfoCommands[info.AddCommand()];
        command.Command = Char32(type);
        return command;
    }
    static void Say(VaskInfo& info, const char* speaker, const char* id) {
        InfoCommand& say = Add(info, "Say");
        say.Entity1 = Char48(speaker);
        say.Entity2 = Char48("PC_Hero");
        say.LocString = Char48(id);
    }
    static void Condition(VaskInfo& info, const char* type, const char* value) {
        InfoCondition& condition = info.InfoConditions[info.AddCondition()];
        condition.Condition = Char32(type);
        condition.ID1 = Char48(value);
    }

    // The infos as the index reads them from the files.
    std::vector<InfoOutline> Outlines() {
        ReferenceIndex index;
        EXPECT_TRUE(index.Build({}, {}).succeeded);
        return index.Outlines();
    }

    static std::vector<std::string> Names(const std::vector<ScriptChoice>& choices) {
        std::vector<std::string> names;
        for (const ScriptChoice& choice : choices)
            names.push_back(choice.info);
        return names;
    }
};

TEST_F(ScriptStepsTest, AnInfoShowsEveryCommandInItsOrderAndItsChildrenAsChoices) {
    Write("Hello", "", "0", [](VaskInfo& info) {
        InfoCommand& description = Add(info, "Description");
        description.LocString = Char48("DESC");
        Say(info, "Mira", "HELLO");
        Add(info, "End");
    });
    // Sorted by SortID, not by name or the order they were written.
    Write("Bye", "Hello", "2", [](VaskInfo& info) {
        Say(info, "PC_Hero", "BYE");
        InfoCommand& description = Add(info, "Description");
        description.LocString = Char48("DESC");
    });
    Write("Ask", "Hello", "1", [](VaskInfo& info) {
        Say(info, "PC_Hero", "ASK");
        Condition(info, "PlayerKnows", "Hello");
        Condition(info, "PlayerNotKnows", "Bye");
    });
    const std::vector<InfoOutline> infos = Outlines();
    const ScriptIndex index(infos);
    std::string refusal;
    const ScriptStep step = index.First({ConversationScope::All, "Hello"}, &refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(step.info, "Hello");

    ASSERT_EQ(step.lines.size(), 3u);
    const ScriptLine& description = step.lines[0];
    EXPECT_EQ(description.kind, ScriptLine::Kind::Other);
    EXPECT_EQ(description.command, "Description");
    EXPECT_EQ(description.table, "infodescsa.csv");
    EXPECT_EQ(description.textId, "DESC");
    EXPECT_EQ(description.text, "What brings you?");
    EXPECT_EQ(description.commandIndex, 0);
    const ScriptLine& say = step.lines[1];
    EXPECT_EQ(say.kind, ScriptLine::Kind::Spoken);
    EXPECT_EQ(say.speaker, "Mira");
    EXPECT_EQ(say.textId, "HELLO");
    EXPECT_EQ(say.text, "Hello there.");
    EXPECT_EQ(say.commandIndex, 1);
    // A command without a text is still a line, in its place.
    const ScriptLine& end = step.lines[2];
    EXPECT_EQ(end.kind, ScriptLine::Kind::Other);
    EXPECT_FALSE(end.ShowsText());
    EXPECT_EQ(end.summary, "End");
    EXPECT_EQ(end.commandIndex, 2);

    ASSERT_EQ(Names(step.choices), (std::vector<std::string>{"Ask", "Bye"}));
    const ScriptChoice& ask = step.choices[0];
    EXPECT_EQ(ask.firstLine, "Tell me more.");
    EXPECT_EQ(ask.conditions,
              (std::vector<std::string>{"PlayerKnows Hello", "PlayerNotKnows Bye"}));
    EXPECT_EQ(ask.ConditionsLine(), "PlayerKnows Hello; PlayerNotKnows Bye");
    EXPECT_FALSE(ask.readAbove);
    EXPECT_TRUE(step.choices[1].conditions.empty());
    EXPECT_EQ(ask.description, "");
    EXPECT_EQ(step.choices[1].description, "What brings you?");

    // The plain text shows the texts only, as before.
    const ScriptReading reading = ReadScript(infos, {ConversationScope::All, "Hello"}, {2});
    std::string text;
    for (const std::string& line : ScriptText(reading))
        text += line + "\n";
    EXPECT_EQ(text, "Hello\n"
                    "  (Description) What brings you?\n"
                    "  Mira: Hello there.\n"
                    "Choices:\n"
                    "  1. Ask: Tell me more.  [PlayerKnows Hello; PlayerNotKnows Bye]\n"
                    "  2. Bye: Farewell.\n"
                    "> 2\n"
                    "Bye\n"
                    "  PC_Hero: Farewell.\n"
                    "  (Description) What brings you?\n"
                    "(end)\n");
    ASSERT_EQ(reading.steps.size(), 2u);
    EXPECT_EQ(reading.steps[0].taken, 1);
    EXPECT_EQ(reading.steps[1].taken, -1);
}

TEST_F(ScriptStepsTest, AChoiceBackToThePathIsMarkedAndSaidAsACycleWhenTaken) {
    Write("Hello", "Back", "0", [](VaskInfo& info) { Say(info, "Mira", "HELLO"); });
    Write("Ask", "Hello", "0", [](VaskInfo& info) { Say(info, "PC_Hero", "ASK"); });
    Write("Back", "Ask", "0");
    const std::vector<InfoOutline> infos = Outlines();
    const ScriptIndex index(infos);
    std::string refusal;
    std::vector<ScriptStep> path{index.First({ConversationScope::All, "Hello"}, &refusal)};
    path.push_back(index.Follow(path, 0));
    EXPECT_EQ(path.back().info, "Ask");
    EXPECT_FALSE(path.back().cycle);
    path.push_back(index.Follow(path, 0));
    EXPECT_EQ(path.back().info, "Back");
    ASSERT_EQ(Names(path.back().choices), std::vector<std::string>{"Hello"});
    EXPECT_TRUE(path.back().choices[0].readAbove);

    const ScriptStep cycle = index.Follow(path, 0);
    EXPECT_EQ(cycle.info, "Hello");
    EXPECT_TRUE(cycle.cycle);
    EXPECT_TRUE(cycle.lines.empty());
    EXPECT_TRUE(cycle.choices.empty());

    // An info whose child is itself offers it as read above.
    Write("Self", "Self", "0");
    const std::vector<InfoOutline> again = Outlines();
    const ScriptIndex selfIndex(again);
    const ScriptStep self = selfIndex.First({ConversationScope::All, "Self"}, &refusal);
    ASSERT_EQ(Names(self.choices), std::vector<std::string>{"Self"});
    EXPECT_TRUE(self.choices[0].readAbove);
}

TEST_F(ScriptStepsTest, AnInfoReachedOnTwoWaysIsReadOnEachOfThem) {
    // Shared is Mira's, below an info of Bob's: a top info of Mira and a choice of Bob.
    Write(
        "Bob_Ask", "", "0", [](VaskInfo& info) { Say(info, "Bob", "ASK"); }, "Bob");
    Write("Shared", "Bob_Ask", "0", [](VaskInfo& info) { Say(info, "Mira", "SHARED"); });
    Write("Mira_Hello", "", "1", [](VaskInfo& info) { Say(info, "Mira", "HELLO"); });
    const std::vector<InfoOutline> infos = Outlines();
    const ScriptIndex index(infos);
    std::string refusal;

    std::vector<ScriptStep> mira{index.First({ConversationScope::Owner, "Mira"}, &refusal)};
    EXPECT_EQ(mira[0].info, "");
    EXPECT_TRUE(mira[0].lines.empty());
    ASSERT_EQ(Names(mira[0].choices), (std::vector<std::string>{"Shared", "Mira_Hello"}));
    mira.push_back(index.Follow(mira, 0));
    EXPECT_EQ(mira.back().info, "Shared");
    ASSERT_EQ(mira.back().lines.size(), 1u);
    EXPECT_EQ(mira.back().lines[0].text, "Both of us know.");

    std::vector<ScriptStep> bob{index.First({ConversationScope::Owner, "Bob"}, &refusal)};
    ASSERT_EQ(Names(bob[0].choices), std::vector<std::string>{"Bob_Ask"});
    bob.push_back(index.Follow(bob, 0));
    ASSERT_EQ(Names(bob.back().choices), std::vector<std::string>{"Shared"});
    EXPECT_FALSE(bob.back().choices[0].readAbove);
    bob.push_back(index.Follow(bob, 0));
    EXPECT_EQ(bob.back().info, "Shared");
    EXPECT_FALSE(bob.back().cycle);
    EXPECT_EQ(bob.back().lines.at(0).text, "Both of us know.");

    EXPECT_EQ(refusal, "");
    index.First({ConversationScope::Quest, "Q_None"}, &refusal);
    EXPECT_EQ(refusal, "no info of \"Q_None\"");
}

// Infos of an owner on a cycle that no top info leads to were never offered (an owner
// with nothing else was even refused); the first of the cycle in reading order is.
TEST_F(ScriptStepsTest, ACycleNoTopInfoLeadsToIsOfferedByItsFirstInfo) {
    Write("Tom_B", "Tom_A", "2", {}, "Tom");
    Write("Tom_A", "Tom_B", "1", {}, "Tom");
    Write("Tom_Top", "", "5", {}, "Tom");
    Write("Tom_Below", "Tom_Top", "0", {}, "Tom");
    Write("Tom_Loop", "Tom_Below", "0", {}, "Tom");
    Write("Tom_Back", "Tom_Loop", "0", {}, "Tom"); // reached from Tom_Top: not offered
    const std::vector<InfoOutline> infos = Outlines();
    const ScriptIndex index(infos);
    std::string refusal;
    const ScriptStep first = index.First({ConversationScope::Owner, "Tom"}, &refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(Names(first.choices), (std::vector<std::string>{"Tom_Top", "Tom_A"}));

    const ScriptReading reading = ReadScript(infos, {ConversationScope::Owner, "Tom"}, {2});
    EXPECT_EQ(reading.refusal, "");
    std::string text;
    for (const std::string& line : ScriptText(reading))
        text += line + "\n";
    EXPECT_EQ(text, "Choices:\n"
                    "  1. Tom_Top\n"
                    "  2. Tom_A\n"
                    "> 2\n"
                    "Tom_A\n"
                    "Choices:\n"
                    "  1. Tom_B\n"
                    "> 1\n"
                    "Tom_B\n"
                    "Choices:\n"
                    "  1. Tom_A\n"
                    "> 1\n"
                    "Tom_A (read above: a cycle, not followed)\n"
                    "(end)\n");
}

} // namespace
