// Every search that walks a buffer, tried with its target on the buffer's last byte
// (its first byte for the backward ones), and with that one byte changed. The data sits
// at the very end of its own allocation, so a search that reads one byte too far is
// caught by the sanitizer build as well as by the wrong answer.
#include "engine/Member.h"
#include "engine/Stream.h"
#include "engine/String.h"
#include "info/ListLayout.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace TesselEngine;
using TesselEngine::IO::Stream;
using namespace VaskEdit;

namespace {
// The text in an allocation of exactly its size, with no terminator behind it.
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& text)
        : bytes(std::make_unique<char[]>(text.size())), size(text.size()) {
        std::memcpy(bytes.get(), text.data(), text.size());
    }
    std::string_view View() const { return {bytes.get(), size}; }
    Stream AsStream() const { return Stream::View(bytes.get(), static_cast<std::uint32_t>(size)); }

private:
    std::unique_ptr<char[]> bytes;
    std::size_t size;
};

// The same text with its last byte (or its first) replaced.
std::string ChangeLast(std::string text) {
    text.back() = text.back() == '#' ? '*' : '#';
    return text;
}
std::string ChangeFirst(std::string text) {
    text.front() = text.front() == '#' ? '*' : '#';
    return text;
}

struct EdgeCase {
    const char* search;
    std::string text;   // the target at the edge
    bool targetAtStart; // backward searches: the edge is the first byte
    std::function<bool(const ExactBuffer&)> finds;
};
} // namespace

TEST(BufferEdges, EverySearchFindsATargetOnTheEdgeByteAndNothingWhenItDiffers) {
    const std::vector<EdgeCase> cases = {
        {"Stream::FindKey", "xxxxKEY", false,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             return s.FindKey(Char16("KEY")) && s.GetPosition() == 4;
         }},
        {"Stream::FindKeyBackward", "KEYxxxx", true,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             s.SetPosition(s.GetSize());
             return s.FindKeyBackward(Char16("KEY")) && s.GetPosition() == 0;
         }},
        {"Stream::SkipTo", "xxxx=", false,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             return s.SkipTo('=') && s.GetPosition() == 4;
         }},
        {"Stream::SkipBackTo", "=xxxx", true,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             s.SetPosition(s.GetSize());
             return s.SkipBackTo('=') && s.GetPosition() == 1;
         }},
        {"Stream::ReadUntil", "abc;", false,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             Char16 out;
             return s.ReadUntil(out, ';') && out.View() == "abc" && s.GetPosition() == 4;
         }},
        {"ReadMember", "\tName = Bob", false,
         [](const ExactBuffer& b) {
             Stream s = b.AsStream();
             Char48 value;
             return ReadMember(s, value, Char16("Name"), false) && value.View() == "Bob";
         }},
        {"String::Contains", "xxxxKEY", false,
         [](const ExactBuffer& b) { return String::Contains(b.View(), "KEY"); }},
        {"String::ContainsNoCase", "xxxxkey", false,
         [](const ExactBuffer& b) {
             return String::ContainsNoCase(Char48(std::string(b.View()).c_str()), Char48("KEY"));
         }},
        {"FindInfoLists", "InfoCommands {\n}", false,
         [](const ExactBuffer& b) {
             const InfoLists lists = FindInfoLists(b.View());
             return lists.commands.found && lists.commands.closed;
         }},
        {"CutEntries", "gCInfoCommand {\n}", false,
         [](const ExactBuffer& b) {
             const auto entries =
                 CutEntries(b.View(), 0, static_cast<std::uint32_t>(b.View().size()));
             return entries.size() == 1 && entries[0].unclosed == 0;
         }},
        {"FindNamedBlocks", "x\ngCInfoCommand {}", false,
         [](const ExactBuffer& b) {
             const auto blocks = FindNamedBlocks(b.View(), "gCInfoCommand");
             return blocks.size() == 1 && blocks[0].unclosed == 0;
         }},
    };
    for (const EdgeCase& edge : cases) {
        SCOPED_TRACE(edge.search);
        EXPECT_TRUE(edge.finds(ExactBuffer(edge.text)));
        const std::string changed =
            edge.targetAtStart ? ChangeFirst(edge.text) : ChangeLast(edge.text);
        EXPECT_FALSE(edge.finds(ExactBuffer(changed)));
    }
}
