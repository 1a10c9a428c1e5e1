// What a new entry of an info starts with.
#include "info/NewEntrySuggestions.h"

#include <gtest/gtest.h>

using namespace VaskEdit;

namespace {

InfoCommandRef Line(const char* command, const char* speaker, const char* listener) {
    InfoCommandRef line;
    line.Command = command;
    line.Entity1 = speaker;
    line.Entity2 = listener;
    return line;
}

using Suggestions = std::map<std::string, std::string>;

TEST(NewEntrySuggestions, TheOwnerSpeaksToThePartnerUnlessTheLastLineWasTheOtherWayRound) {
    InfoRef info;
    info.Owner = "Mira";
    info.Partner = "PC_Hero";
    info.Quest = "Q_HealingHerbs";
    const Suggestions owner{
        {"Speaker", "Mira"}, {"Listener", "PC_Hero"}, {"Quest", "Q_HealingHerbs"}};
    const Suggestions partner{
        {"Speaker", "PC_Hero"}, {"Listener", "Mira"}, {"Quest", "Q_HealingHerbs"}};
    EXPECT_EQ(NewEntrySuggestions(info), owner);

    // The last line decides, of Say and SaySVM only.
    info.InfoCommands = {Line("Say", "Mira", "PC_Hero"), Line("SaySVM", "PC_Hero", "Mira"),
                         Line("PlayAnimation", "Mira", "PC_Hero")};
    EXPECT_EQ(NewEntrySuggestions(info), partner);
    info.InfoCommands.push_back(Line("Say", "Mira", "PC_Hero"));
    EXPECT_EQ(NewEntrySuggestions(info), owner);
    // A line between others keeps the owner's turn.
    info.InfoCommands.push_back(Line("Say", "Bob", "PC_Hero"));
    EXPECT_EQ(NewEntrySuggestions(info), owner);

    // What the info lacks is not suggested.
    InfoRef bare;
    bare.Owner = "Bob";
    EXPECT_EQ(NewEntrySuggestions(bare), (Suggestions{{"Speaker", "Bob"}}));
}

} // namespace
