// Checks the shipped templates, as the program loaded them, against the keys that the
// readers and writers use: every value that a writer puts into a template must be found
// again by its reader.
#include "info/EntryTypes.h"
#include "info/MemberTable.h"
#include "info/VaskInfo.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <gtest/gtest.h>

using namespace VaskEdit;

namespace {
class TemplateFilesTest : public VaskTest::TemplatesTest {};

struct Member {
    std::string readKey;
    std::string writeKey;
    bool unquoted; // the reader removes double quotes
    bool angled;   // the long text is also wrapped in angle brackets
};

std::string Text(const TesselEngine::IO::Stream& loaded) {
    return std::string(loaded.GetBuffer(), loaded.GetSize());
}

// Follows the writer and the reader through the template; returns the position
// behind the last placeholder.
std::size_t CheckMembers(const std::string& name, const std::string& text,
                         const std::vector<Member>& members, std::size_t writeFrom = 0,
                         std::size_t readFrom = 0) {
    std::size_t writeAt = writeFrom;
    std::size_t readAt = readFrom;
    for (const auto& m : members) {
        SCOPED_TRACE(name + " member " + m.writeKey);
        const std::size_t key = text.find(m.writeKey, writeAt);
        EXPECT_NE(key, std::string::npos) << "write key missing or out of order";
        if (key == std::string::npos)
            return writeAt;
        const std::size_t placeholder = text.find("||", key);
        EXPECT_NE(placeholder, std::string::npos);
        if (placeholder == std::string::npos)
            return writeAt;
        writeAt = placeholder + 2;

        const std::size_t readKey = text.find(m.readKey, readAt);
        EXPECT_NE(readKey, std::string::npos) << "read key missing";
        const std::size_t equals =
            readKey == std::string::npos ? std::string::npos : text.find('=', readKey);
        EXPECT_NE(equals, std::string::npos);
        if (equals == std::string::npos)
            return writeAt;
        EXPECT_EQ(text.substr(equals + 1, 1), " ");
        std::string opening = m.unquoted ? "\"" : "";
        std::string closing = opening;
        if (m.angled) {
            opening += "<";
            closing = ">" + closing;
        }
        EXPECT_EQ(equals + 2 + opening.size(), placeholder)
            << "the value must stand two bytes after the '=' behind the read key";
        EXPECT_EQ(text.substr(equals + 2, opening.size()), opening);
        EXPECT_EQ(text.substr(placeholder + 2, closing.size() + 1), closing + ";");
        readAt = placeholder + 2;
    }
    return writeAt;
}

void CheckCommonRules(const std::string& name, const std::string& text) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(text.empty());
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "line end without CR at " << at;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(VaskTest::Count(text, "];\r\n"), 0u);
    EXPECT_EQ(VaskTest::Count(text, "InfoConditions "), 0u);
    EXPECT_EQ(VaskTest::Count(text, "\n    \""), 0u);
}
} // namespace

TEST_F(TemplateFilesTest, EntryTemplatesCarryEveryKeyInWriterOrder) {
    for (const EntryKind kind : {EntryKind::Command, EntryKind::Condition}) {
        const std::string other = kind == EntryKind::Command ? "gCInfoCondition" : "gCInfoCommand";
        for (const EntryType& type : EntryTypes(kind)) {
            if (!type.hasClass)
                continue;
            const std::string className = ClassName(type);
            const std::string text = Text(TemplateStorage(type));
            CheckCommonRules(className, text);
            std::vector<Member> members;
            for (const Parameter& p : type.parameters)
                members.push_back({std::string(p.readKey), std::string(p.writeKey), !p.keepQuotes,
                                   p.slot == Slot::Text});
            const std::size_t classAt = text.find(className + " ");
            ASSERT_NE(classAt, std::string::npos) << className;
            EXPECT_LT(classAt, text.find("Version")) << className;
            EXPECT_EQ(VaskTest::Count(text, std::string(ClassPrefix(kind))), 1u) << className;
            EXPECT_EQ(VaskTest::Count(text, other) + VaskTest::Count(text, "gCRequiredPerk"), 0u)
                << className;
            EXPECT_EQ(VaskTest::Count(text, "||"), members.size()) << className;
            // Block readers read the members from behind the Version value.
            CheckMembers(className, text, members, 0, text.find(';', text.find("Version")));
        }
    }
}

TEST_F(TemplateFilesTest, PerkTemplateEndsWithTheSeparatorPlaceholder) {
    const std::string text = Text(InfoRequiredPerk::PerkStream);
    CheckCommonRules("gCRequiredPerk", text);
    EXPECT_EQ(VaskTest::Count(text, "gCRequiredPerk "), 1u);
    EXPECT_EQ(VaskTest::Count(text, "gCInfoCommand") + VaskTest::Count(text, "gCInfoCondition"),
              0u);
    std::vector<Member> perk;
    for (const Parameter& p : PerkParameters())
        perk.push_back({std::string(p.readKey), std::string(p.writeKey), !p.keepQuotes, false});
    const std::size_t after = CheckMembers("gCRequiredPerk", text, perk);
    const std::size_t extra = text.find("||", after);
    ASSERT_NE(extra, std::string::npos) << "the separator placeholder is missing";
    ASSERT_LT(extra + 2, text.size());
    EXPECT_NE(text[extra + 2], '\r') << "a byte must follow the separator placeholder";
    EXPECT_EQ(VaskTest::Count(text, "||"), perk.size() + 1);
}

TEST_F(TemplateFilesTest, InfoTemplateHasTheFramingTheFormatNeeds) {
    const std::string text = Text(VaskInfo::EmptyInfoStream);
    ASSERT_GT(text.size(), 7u);
    EXPECT_EQ(text.substr(0, 7), "    \"||");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(VaskTest::Count(text, "\n    \""), 0u);
    EXPECT_EQ(VaskTest::Count(text, "];\r\n"), 1u);
    EXPECT_EQ(VaskTest::Count(text, "InfoConditions "), 1u);
    EXPECT_EQ(VaskTest::Count(text, "gCInfoCommand") + VaskTest::Count(text, "gCInfoCondition"),
              0u);
    EXPECT_EQ(VaskTest::Count(text, "gCRequiredPerk "), 0u);

    const std::size_t perksOpen = text.find("iredPerks = [\r\n");
    const std::size_t perksClose = text.find("];\r\n");
    const std::size_t commands = text.find("nfoCommands {\r\n");
    const std::size_t conditionHead = text.find("InfoConditions ");
    const std::size_t conditions = text.find("oConditions {\r\n");
    ASSERT_NE(perksOpen, std::string::npos);
    EXPECT_LT(perksOpen, perksClose);
    EXPECT_LT(perksClose, commands);
    EXPECT_LT(commands, conditionHead);
    EXPECT_LE(conditionHead, conditions);

    // The name is the first quoted value and ends at a stop byte.
    EXPECT_EQ(text[7], '"');
    EXPECT_TRUE(text[8] == ' ' || text[8] == ';');
    // Both groups of members around the perk list, in the order of the member table;
    // the name's second place, "bCString Name ", stands first.
    std::vector<Member> head;
    std::vector<Member> tail;
    for (const InfoMember& m : InfoMemberTable()) {
        const std::string write(m.group == MemberGroup::Name ? m.readKey : m.writeKey);
        (m.group == MemberGroup::Tail ? tail : head)
            .push_back({std::string(m.readKey), write, m.unquote, false});
    }
    std::size_t at = CheckMembers("EmptyInfo", text, head, 9, 9);
    EXPECT_LT(at, perksOpen);
    at = CheckMembers("EmptyInfo", text, tail, perksClose, perksClose);
    EXPECT_LT(at, commands);
    EXPECT_EQ(VaskTest::Count(text, "||"), head.size() + tail.size() + 1); // the name stands twice
    // The cache finds the quest as the first quoted value after "gCQuestProxy".
    EXPECT_NE(text.find("gCQuestProxy Quest = \"||\""), std::string::npos);
}
