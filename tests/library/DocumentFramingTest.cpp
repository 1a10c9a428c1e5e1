// Combined documents framed otherwise than the game frames them: every info is found,
// none swallows its neighbour or the document's closer, and what the merge makes of the
// pieces splits back into them.
#include "library/DocumentFraming.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "support/Library.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace VaskEdit;
using VaskTest::ReadFile;
using VaskTest::WriteFile;
namespace fs = std::filesystem;

namespace {
class DocumentFramingTest : public VaskTest::LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        WriteInfo("A", "Bob");
        WriteInfo("B", "Mira");
        WriteInfo("C", "Dray");
        for (const char* name : {"A", "B", "C"})
            pieces[name] = ReadFile(std::string("Infos/") + name + ".vaskinfo");
        fs::remove_all("Infos");
    }

    // Splits "w_info.hdrdoc" into an empty "Infos/"; the files it wrote, by info name.
    std::map<std::string, std::string> SplitFiles(Jobs::Outcome* outcome = nullptr) {
        fs::remove_all("Infos");
        testing::internal::CaptureStdout();
        Jobs::Outcome split;
        if (Jobs::BeginSplit())
            split = Jobs::Split({}, {});
        testing::internal::GetCapturedStdout();
        if (outcome)
            *outcome = split;
        std::map<std::string, std::string> files;
        for (const auto& name : VaskTest::ListNames("Infos"))
            files[name.substr(0, name.size() - 9)] = ReadFile(fs::path("Infos") / name);
        return files;
    }

    std::map<std::string, std::string> pieces;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string WithoutFinalLineEnd(std::string piece) {
    piece.resize(piece.size() - 2);
    return piece;
}
} // namespace

TEST_F(DocumentFramingTest, EveryFramingVariantGivesEveryInfoItsOwnPiece) {
    const std::string a = pieces["A"], b = pieces["B"], c = pieces["C"];
    const std::string header = "class gCInfo {\r\n", footer = "}\r\n";
    const std::string standard = header + a + b + c + footer;
    const std::map<std::string, std::string> variants = {
        {"header with LF", "class gCInfo {\n" + a + b + c + footer},
        {"no header", a + b + c},
        {"byte order mark", "\xEF\xBB\xBF" + standard},
        {"blank lines after the last info", header + a + b + c + "\r\n\r\n" + footer},
        {"last info without its line end", header + a + b + WithoutFinalLineEnd(c) + footer},
        {"info without its line end", header + a + WithoutFinalLineEnd(b) + c + footer},
        {"LF lines", Replaced(standard, "\r\n", "\n")},
        {"CR lines", Replaced(standard, "\r\n", "\r")},
        {"NUL before an info", header + a + b + std::string(1, '\0') + c + footer},
        {"tab indentation", header + a + b + "\t" + c.substr(4) + footer},
        {"equals opening", header + a + Replaced(b, "\"B\" {", "\"B\" = gCInfo {") + c + footer},
        {"braces in a quoted value", header + Replaced(a, "\"Bob\"", "\"B}o{b\"") + b + c + footer},
    };
    for (const auto& [variant, document] : variants) {
        SCOPED_TRACE(variant);
        WriteFile("w_info.hdrdoc", document);
        Jobs::Outcome outcome;
        const auto files = SplitFiles(&outcome);
        EXPECT_EQ(outcome.found, 3u);
        EXPECT_EQ(outcome.written, 3u);
        EXPECT_TRUE(outcome.succeeded);
        ASSERT_EQ(files.size(), 3u);
        for (const auto& [name, piece] : files) {
            SCOPED_TRACE(name);
            EXPECT_NE(document.find(piece), std::string::npos); // the document's own bytes
            const DocumentFrame own = FrameDocument(piece);
            ASSERT_EQ(own.infos.size(), 1u); // never a second info
            EXPECT_EQ(own.infos[0].name, name);
            EXPECT_TRUE(own.infos[0].closed);
            EXPECT_FALSE(own.infos[0].trailing); // never the document's closer
        }

        // What the merge makes of the pieces splits back into them.
        fs::remove("w_info.hdrdoc");
        const Jobs::Outcome merged = Jobs::Merge({}, {});
        ASSERT_TRUE(merged.succeeded);
        EXPECT_TRUE(merged.notSplittable.empty());
        fs::rename("Output/new_info.hdrdoc", "w_info.hdrdoc");
        const auto again = SplitFiles();
        ASSERT_EQ(again.size(), 3u);
        for (const auto& [name, piece] : files) {
            const bool lineEndAdded = !EndsWithLineEnd(piece);
            EXPECT_EQ(again.at(name), lineEndAdded ? piece + "\r\n" : piece) << name;
        }
    }
}

// The game's own document comes back byte for byte, and a game document stays free of
// warnings.
TEST_F(DocumentFramingTest, GameDocumentFramesWithoutStrayBytes) {
    const std::string document = "class gCInfo {\r\n" + pieces["A"] + pieces["B"] + "}\r\n";
    const DocumentFrame frame = FrameDocument(document);
    EXPECT_TRUE(frame.header);
    EXPECT_TRUE(frame.closer);
    EXPECT_EQ(frame.closerAt, document.size() - 3);
    EXPECT_TRUE(frame.stray.empty());
    ASSERT_EQ(frame.infos.size(), 2u);
    EXPECT_EQ(frame.infos[0].begin, 16u);
    EXPECT_EQ(frame.infos[1].begin, 16u + pieces["A"].size());
    EXPECT_EQ(frame.infos[1].end, document.size() - 3);
    const auto linesOfA = std::count(pieces["A"].begin(), pieces["A"].end(), '\n');
    EXPECT_EQ(frame.infos[1].line, 2u + static_cast<std::uint32_t>(linesOfA));
}

TEST_F(DocumentFramingTest, DamagedInfosAndStrayBytesAreSaid) {
    // A's closing brace is lost: it is refused, not glued to B.
    const std::string a = pieces["A"];
    const std::string unclosed = a.substr(0, a.rfind("    }"));
    const std::string document =
        "class gCInfo {\r\n" + unclosed + pieces["B"] + "}\r\n\r\njunk\r\n";
    WriteFile("w_info.hdrdoc", document);
    const auto junkLine = 1 + std::count(document.begin(), document.end() - 6, '\n');
    Jobs::Outcome outcome;
    const auto files = SplitFiles(&outcome);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.found, 2u);
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_NE(outcome.refused[0].find("\"A\" (line 2:"), std::string::npos) << outcome.refused[0];
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.at("B"), pieces["B"]);
    ASSERT_EQ(outcome.notes.size(), 1u); // "junk" after the closer
    EXPECT_NE(outcome.notes[0].find("4 bytes at line " + std::to_string(junkLine) + " "),
              std::string::npos)
        << outcome.notes[0];

    // A name that would be read back cut is not a file name.
    WriteFile("w_info.hdrdoc", Replaced(pieces["A"], "\"A\" {", "\"A B\" {") + pieces["B"]);
    SplitFiles(&outcome);
    EXPECT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.written, 1u);
}

// A stray closing brace inside a piece (and an info behind it on the same line) frames
// alike alone and in a document: only the last such brace closes the document.
TEST_F(DocumentFramingTest, ABraceInsideAPieceIsNotTheDocumentsCloser) {
    const std::string odd = pieces["A"] + "}    \"Ghost\" {\r\n    }\r\n";
    for (const auto& order :
         {std::vector<std::string>{odd, pieces["B"]}, std::vector<std::string>{pieces["B"], odd}}) {
        WriteFile("w_info.hdrdoc", "class gCInfo {\r\n" + order[0] + order[1] + "}\r\n");
        Jobs::Outcome outcome;
        const auto files = SplitFiles(&outcome);
        EXPECT_TRUE(outcome.refused.empty());
        EXPECT_EQ(files.at("A"), pieces["A"] + "}    \"Ghost\" {\r\n    }\r\n");
        EXPECT_EQ(files.at("B"), pieces["B"]);
        EXPECT_EQ(files.count("Ghost"), 0u);
    }
}

TEST_F(DocumentFramingTest, MergeSaysWhatItMendsAndWhatWouldNotComeBack) {
    WriteFile("Infos/A.vaskinfo", pieces["A"]);
    WriteFile("Infos/B.vaskinfo", WithoutFinalLineEnd(pieces["B"]));
    WriteFile("Infos/C.vaskinfo", pieces["C"] + pieces["A"]); // two infos in one file
    const Jobs::Outcome merged = Jobs::Merge({}, {});
    ASSERT_TRUE(merged.succeeded);
    EXPECT_EQ(merged.lineEndsAdded, std::vector<std::string>{"B.vaskinfo"});
    ASSERT_EQ(merged.notSplittable.size(), 1u);
    EXPECT_EQ(merged.notSplittable[0], "C.vaskinfo (it holds 2 infos)");
    EXPECT_EQ(ReadFile("Output/new_info.hdrdoc"), "class gCInfo {\r\n" + pieces["A"] + pieces["B"] +
                                                      pieces["C"] + pieces["A"] + "}\r\n");
}

TEST(DocumentFrame, ADocumentWithoutInfosIsItsHeaderAndCloser) {
    for (const std::string closer : {"}\r\n", "  }  \r\n", "}"}) {
        const DocumentFrame frame = FrameDocument("class gCInfo {\r\n" + closer);
        EXPECT_TRUE(frame.header);
        EXPECT_TRUE(frame.closer) << closer;
        EXPECT_EQ(frame.closerAt, 16u + closer.find('}'));
        EXPECT_TRUE(frame.infos.empty());
        EXPECT_TRUE(frame.stray.empty()) << closer;
    }
}
