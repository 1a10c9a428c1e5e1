// The texts out to a CSV file and back in: a round trip keeps the tables byte for byte,
// imported changes touch only their lines, a bad row refuses the whole import, and a
// failed write puts the tables back.
#include "library/TextExchange.h"
#include "engine/Failure.h"
#include "engine/platform/Platform.h"
#include "info/TextTable.h"
#include "library/ReferenceIndex.h"
#include "library/SpreadsheetCell.h"
#include "support/Workspace.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace VaskEdit;
using TesselEngine::Platform::FaultInjection;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {

class TextExchangeTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        TextTables::Clear();
        workspace.CopyFromSource("demo");
    }
    void TearDown() override {
        FaultInjection::Clear();
        TextTables::Clear();
    }

    static std::string Export() {
        ReferenceIndex index;
        EXPECT_TRUE(index.Build({}, {}).succeeded);
        return TextsCsv(TextsInUse(index.Outlines()));
    }
    static std::map<std::string, std::string> Tables(const std::string& folder = ".") {
        std::map<std::string, std::string> tables;
        for (const std::string& name : TextTableNames())
            tables[name] = ReadFile(folder + "/" + name);
        return tables;
    }
};

// Every display text of the tables replaced by random Windows-1252 bytes, with commas,
// quotes and the bytes Windows leaves free among them.
void FillWithRandomTexts(std::uint32_t seed) {
    std::mt19937 rng(seed);
    for (const std::string& name : TextTableNames()) {
        std::string table = ReadFile(name), out;
        for (std::size_t start = 0; start < table.size();) {
            const std::size_t end = table.find("\r\n", start);
            const std::string line = table.substr(start, end - start);
            const std::size_t display = line.find('|', line.find('|') + 1) + 1;
            // Some start as a spreadsheet formula would, some behind apostrophes.
            static const char* const leads[] = {"", "", "=", "+", "-", "@", "\t", "'", "'=", "''-"};
            std::string text = leads[rng() % std::size(leads)];
            for (int n = static_cast<int>(rng() % 40); n > 0; --n) {
                char c = static_cast<char>(0x20 + rng() % 0xE0);
                text += c == '|' ? ',' : c == '~' ? '"' : c;
            }
            out += line.substr(0, display) + text + "|\r\n";
            start = end + 2;
        }
        WriteFile(name, out);
    }
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

} // namespace

TEST_F(TextExchangeTest, ExportListsEachUsedTextOnceWithTheContextOfItsFirstUse) {
    const std::string csv = Export();
    EXPECT_TRUE(csv.starts_with("table,id,info,owner,quest,command,speaker,listener,text\r\n"));
    // Tables in their order; the first use by info name.
    EXPECT_LT(csv.find("\r\ninfosa.csv,"), csv.find("\r\ninfodescsa.csv,"));
    EXPECT_LT(csv.find("\r\ninfodescsa.csv,"), csv.find("\r\nquestdescsa.csv,"));
    EXPECT_NE(csv.find("\r\ninfosa.csv,BOB_TRADE_01,Bob_Trade,Bob,,Say,PC_Hero,Bob,"
                       "Show me your wares.\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("infosa.csv,BOB_HAGGLE_02,Bob_Haggle,Bob,,Say,Bob,PC_Hero,"
                       "For a fellow of your talents... ten percent off.\r\n"),
              std::string::npos);
    EXPECT_EQ(csv.find("BOB_TRADE_01", csv.find("BOB_TRADE_01") + 1), std::string::npos);
}

TEST_F(TextExchangeTest, ARoundTripChangesNothingAndChangedTextsTouchOnlyTheirLines) {
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        FillWithRandomTexts(seed);
        const auto before = Tables();
        const std::string csv = Export();
        const TextImport same = PlanTextImport(csv);
        EXPECT_TRUE(same.problems.empty()) << same.problems[0];
        EXPECT_TRUE(same.changes.empty()) << seed;
        ASSERT_TRUE(ApplyTextImport(same));
        EXPECT_EQ(Tables(), before);
    }

    // A translator's file: another column, a BOM, the texts in another language.
    WriteFile("infosa.csv", "BOB_TRADE_01|line|Show me your wares.|\r\n"
                            "UNUSED|line|keep me|\n"
                            "BOB_HAGGLE_02|line|For a fellow of your talents.|");
    const std::string translated =
        "\xEF\xBB\xBFnote,id,table,text\r\n"
        "from the team,BOB_TRADE_01,infosa.csv,\"Zeig mir, was du hast: \"\"Waren\"\" "
        "\xE2\x82\xAC\"\r\n"
        "\"two\r\nlines of note\",BOB_HAGGLE_02,infosa.csv,F\xC3\xBCr dich\r\n";
    const TextImport plan = PlanTextImport(translated);
    ASSERT_TRUE(plan.problems.empty()) << plan.problems[0];
    ASSERT_EQ(plan.changes.size(), 2u);
    EXPECT_EQ(plan.changes[0].before, "Show me your wares.");
    EXPECT_EQ(plan.changes[0].after, "Zeig mir, was du hast: \"Waren\" \x80");
    ASSERT_TRUE(ApplyTextImport(plan));
    EXPECT_EQ(ReadFile("infosa.csv"), "BOB_TRADE_01|line|Zeig mir, was du hast: \"Waren\" \x80|\r\n"
                                      "UNUSED|line|keep me|\n"
                                      "BOB_HAGGLE_02|line|F\xFCr dich|");
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "BOB_HAGGLE_02"), "F\xFCr dich");
    EXPECT_TRUE(PlanTextImport(translated).changes.empty());
}

TEST_F(TextExchangeTest, ABadRowRefusesTheWholeImport) {
    const auto before = Tables();
    const std::string good = "table,id,text\r\ninfosa.csv,BOB_TRADE_01,Changed\r\n";
    const std::pair<std::string, std::string> bad[] = {
        {"infosa.csv,BOB_HAGGLE_01,a | b\r\n", "\"|\""},
        {"infosa.csv,BOB_HAGGLE_01,\"one\r\ntwo\"\r\n", "line break"},
        {"infosa.csv,BOB_HAGGLE_01,\xE6\x97\xA5\r\n", "Windows-1252"},
        {"infosa.csv,NO_SUCH_ID,text\r\n", "has no line \"NO_SUCH_ID\""},
        {"notes.csv,BOB_HAGGLE_01,text\r\n", "unknown table"},
        {"infosa.csv,BOB_TRADE_01,Other\r\n", "another text"},
        {"infosa.csv,BOB_HAGGLE_01\r\n", "fields"},
        {"infosa.csv,BOB_HAGGLE_01,\"open\r\n", "never ends"},
        {"infosa.csv,BOB_HAGGLE_01,a\"b\r\n", "quote"},
        {"infosa.csv,BOB_HAGGLE_01,\r\n", "is empty"}, // a cell left untranslated
    };
    for (const auto& [row, reason] : bad) {
        const TextImport plan = PlanTextImport(good + row);
        ASSERT_EQ(plan.problems.size(), 1u) << row;
        EXPECT_NE(plan.problems[0].find(reason), std::string::npos) << plan.problems[0];
        EXPECT_TRUE(plan.changes.empty());
        ASSERT_TRUE(ApplyTextImport(plan));
    }
    EXPECT_EQ(PlanTextImport("id,text\r\nX,y\r\n").problems,
              std::vector<std::string>{"the header lacks the column \"table\""});
    // An id the table lacks is no problem while its text is empty (nothing to write).
    EXPECT_TRUE(PlanTextImport("table,id,text\r\ninfosa.csv,NEW_ID,\r\n").problems.empty());
    EXPECT_EQ(Tables(), before);
    const TextImport blanked = PlanTextImport(good + "infosa.csv,BOB_HAGGLE_01,\r\n", {}, true);
    ASSERT_EQ(blanked.changes.size(), 2u);
    EXPECT_EQ(blanked.changes[1].after, "");
}

TEST_F(TextExchangeTest, ImportIntoAnotherFolderLeavesTheWorkspaceAsItWas) {
    const auto before = Tables();
    const std::string csv = "table,id,text\r\ninfosa.csv,BOB_TRADE_01,Zeig "
                            "her.\r\nquestdescsa.csv,LOG_BOAT_01,Kiste\r\n";
    ASSERT_TRUE(PlanTextImport(csv).problems.empty());
    ASSERT_TRUE(ApplyTextImport(PlanTextImport(csv, "de"), "de"));
    EXPECT_EQ(Tables(), before);
    const auto german = Tables("de");
    EXPECT_EQ(german.at("infosa.csv"),
              ReplaceAll(before.at("infosa.csv"), "Show me your wares.", "Zeig her."));
    EXPECT_NE(german.at("questdescsa.csv"), before.at("questdescsa.csv"));
    EXPECT_EQ(german.at("infodescsa.csv"), ""); // not changed, not copied
    // Planned against the folder's tables, the same file changes nothing more.
    EXPECT_TRUE(PlanTextImport(csv, "de").changes.empty());
    // A later import goes on from the folder's tables, keeping what the first one wrote.
    const std::string more = "table,id,text\r\ninfosa.csv,BOB_FOUND_01,Deine Kiste.\r\n";
    ASSERT_TRUE(ApplyTextImport(PlanTextImport(more, "de"), "de"));
    EXPECT_EQ(Tables("de").at("infosa.csv"),
              ReplaceAll(german.at("infosa.csv"), "I found your crate.", "Deine Kiste."));
    EXPECT_EQ(Tables(), before);
}

TEST_F(TextExchangeTest, AFailedWritePutsBackTheTablesWrittenBeforeIt) {
    const auto before = Tables();
    const TextImport plan = PlanTextImport("table,id,text\r\n"
                                           "infosa.csv,BOB_TRADE_01,one\r\n"
                                           "infodescsa.csv,MIRA_HERBS_DESC,two\r\n"
                                           "questdescsa.csv,LOG_BOAT_01,three\r\n");
    ASSERT_TRUE(plan.problems.empty()) << plan.problems[0];
    ASSERT_EQ(plan.changes.size(), 3u);
    // The second table's rename fails, after the first table was written.
    FaultInjection::failReplaces = 1;
    FaultInjection::replacesBeforeFailing = 1;
    EXPECT_FALSE(ApplyTextImport(plan));
    FaultInjection::Clear();
    EXPECT_NE(TesselEngine::FailureMessage(TesselEngine::LastFailure()), "");
    EXPECT_EQ(Tables(), before);
    EXPECT_NE(TextTables::LookUp("infosa.csv", "BOB_TRADE_01"), "one");

    // A table that cannot be read is neither written nor taken away.
    FaultInjection::failReads = 2;
    EXPECT_FALSE(ApplyTextImport(plan));
    FaultInjection::Clear();
    EXPECT_EQ(Tables(), before);
}

// Spreadsheets save CSV as they like: the separator the header uses splits every row,
// and a quoted field keeps every separator, quote and line break inside it.
TEST_F(TextExchangeTest, TheHeaderLineChoosesTheSeparatorAndQuotedFieldsKeepSeparators) {
    const auto before = Tables();
    for (const char separator : {',', ';', '\t'}) {
        const std::string s(1, separator);
        const std::string csv = "note" + s + "table" + s + "id" + s + "text\r\n" +
                                "\"a, b; c\td\"" + s + "infosa.csv" + s + "BOB_TRADE_01" + s +
                                "\"Waren, Preise; \"\"Handel\"\"\tjetzt\"\r\n" + "x" + s +
                                "infosa.csv" + s + "BOB_HAGGLE_02" + s + "Gut\r\n";
        const TextImport plan = PlanTextImport(csv);
        ASSERT_TRUE(plan.problems.empty()) << separator << ": " << plan.problems[0];
        ASSERT_EQ(plan.changes.size(), 2u) << separator;
        EXPECT_EQ(plan.changes[0].id, "BOB_TRADE_01");
        EXPECT_EQ(plan.changes[0].after, "Waren, Preise; \"Handel\"\tjetzt");
        EXPECT_EQ(plan.changes[1].id, "BOB_HAGGLE_02");
        EXPECT_EQ(plan.changes[1].after, "Gut");
    }
    // Unquoted, the separators the header does not use are text; a quote that does not
    // end its field before the separator is still refused.
    const TextImport semicolons =
        PlanTextImport("table;id;text\r\ninfosa.csv;BOB_TRADE_01;Hallo, Welt\tdu\r\n");
    ASSERT_TRUE(semicolons.problems.empty()) << semicolons.problems[0];
    ASSERT_EQ(semicolons.changes.size(), 1u);
    EXPECT_EQ(semicolons.changes[0].after, "Hallo, Welt\tdu");
    EXPECT_EQ(PlanTextImport("table;id;text\r\ninfosa.csv;BOB_TRADE_01;\"a\",b\r\n").problems,
              std::vector<std::string>{"row 2: text follows a quoted field's closing quote"});
    EXPECT_EQ(Tables(), before);
}

// A file Excel saved on a Western Windows is Windows-1252: found out by its bytes not
// being UTF-8 and read as its characters, not refused row by row.
TEST_F(TextExchangeTest, AFileInWindows1252IsDetectedAndReadAsItsCharacters) {
    const std::string csv = "table;id;text\r\n"
                            "infosa.csv;BOB_TRADE_01;Zeig mir deine Waren \x80 5\r\n"
                            "infosa.csv;BOB_HAGGLE_02;F\xFCr dich, \x93"
                            "Freund\x94\r\n";
    const TextImport plan = PlanTextImport(csv);
    ASSERT_TRUE(plan.problems.empty()) << plan.problems[0];
    EXPECT_EQ(plan.readAs, CsvEncoding::Windows1252);
    ASSERT_TRUE(plan.notUtf8.has_value());
    EXPECT_EQ(plan.notUtf8->byte, 0x80);
    EXPECT_EQ(plan.notUtf8->row, 2u);
    ASSERT_EQ(plan.changes.size(), 2u);
    EXPECT_EQ(plan.changes[0].after, "Zeig mir deine Waren \x80 5");
    EXPECT_EQ(plan.changes[1].after, "F\xFCr dich, \x93"
                                     "Freund\x94");
    EXPECT_EQ(PlanTextImport(csv, {}, false, CsvEncoding::Windows1252).changes.size(), 2u);
    ASSERT_TRUE(ApplyTextImport(plan));
    EXPECT_EQ(TextTables::LookUp("infosa.csv", "BOB_HAGGLE_02"), "F\xFCr dich, \x93"
                                                                 "Freund\x94");

    // UTF-8, with or without its mark, stays UTF-8; chosen as Windows-1252 its bytes
    // are taken one by one.
    const std::string utf8 = "table,id,text\r\ninfosa.csv,BOB_TRADE_01,F\xC3\xBCr \xE2\x82\xAC\r\n";
    for (const std::string& file : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const TextImport read = PlanTextImport(file);
        ASSERT_TRUE(read.problems.empty()) << read.problems[0];
        EXPECT_EQ(read.readAs, CsvEncoding::Utf8);
        EXPECT_FALSE(read.notUtf8.has_value());
        ASSERT_EQ(read.changes.size(), 1u);
        EXPECT_EQ(read.changes[0].after, "F\xFCr \x80");
        const TextImport chosen = PlanTextImport(file, {}, false, CsvEncoding::Windows1252);
        ASSERT_TRUE(chosen.problems.empty()) << chosen.problems[0];
        ASSERT_EQ(chosen.changes.size(), 1u);
        EXPECT_EQ(chosen.changes[0].after, "F\xC3\xBCr \xE2\x82\xAC");
    }
}

// When the file must be UTF-8 (chosen so, or marked so by a BOM) and is not, it is
// refused with one reason: the first byte that is not and its row, counted as the other
// messages count rows (the header is row 1; blank lines do not count; a quoted field
// over several lines is one row).
TEST_F(TextExchangeTest, AFileThatMustBeUtf8AndIsNotIsRefusedInOneLineNamingByteAndRow) {
    std::string csv = "table,id,note,text\r\n\r\n"
                      "infosa.csv,BOB_TRADE_01,\"two\r\nlines\",Zeig her\r\n";
    for (int row = 3; row < 37; ++row)
        csv += "infosa.csv,BOB_HAGGLE_02,,F\xC3\xBCr dich\r\n";
    csv += "\r\ninfosa.csv,BOB_HAGGLE_01,,Gr\xE4\xDF"
           "e\r\n"; // row 37
    for (int row = 38; row <= 40; ++row)
        csv += "infosa.csv,BOB_HAGGLE_01,,K\xE4se\r\n";
    const std::vector<std::string> refusal = {"not UTF-8: byte 0xE4 at row 37"};
    const TextImport forced = PlanTextImport(csv, {}, false, CsvEncoding::Utf8);
    EXPECT_EQ(forced.problems, refusal);
    EXPECT_TRUE(forced.refusedAsNotUtf8);
    EXPECT_TRUE(forced.changes.empty());
    const TextImport marked = PlanTextImport("\xEF\xBB\xBF" + csv);
    EXPECT_EQ(marked.problems, refusal);
    EXPECT_TRUE(marked.refusedAsNotUtf8);
    // The same row number as a broken row there gets.
    std::string broken = csv;
    broken.replace(broken.find("Gr\xE4\xDF"
                               "e"),
                   4, "Gr\"e");
    EXPECT_EQ(PlanTextImport(broken).problems,
              std::vector<std::string>{"row 37: a quote inside a field that is not quoted"});
    EXPECT_EQ(NotUtf8Text({0x9D, 2}), "not UTF-8: byte 0x9D at row 2");
    // Saved as "Unicode Text", the file is UTF-16: one reason, not a header of zero bytes.
    const std::string utf16("\xFF\xFEt\0a\0b\0l\0e\0\t\0i\0d\0\r\0\n\0", 22);
    EXPECT_EQ(
        PlanTextImport(utf16).problems,
        std::vector<std::string>{"the file is UTF-16; save it as CSV in UTF-8 or Windows-1252"});
    // Detected, the same bytes are Windows-1252 and only the rows' own faults remain.
    const TextImport detected = PlanTextImport(csv);
    EXPECT_FALSE(detected.refusedAsNotUtf8);
    EXPECT_EQ(detected.readAs, CsvEncoding::Windows1252);
    ASSERT_FALSE(detected.problems.empty());
    EXPECT_NE(detected.problems[0].find("another text in an earlier row"), std::string::npos)
        << detected.problems[0];
}

// A text a spreadsheet would take for a formula goes out behind an apostrophe and comes
// back without it; texts that start with apostrophes come back as they were.
TEST_F(TextExchangeTest, TextsASpreadsheetWouldEvaluateGoOutGuardedAndComeBackWhole) {
    WriteFile("infosa.csv", "BOB_TRADE_01|line|=HYPERLINK(\"x\")|\r\n"
                            "BOB_HAGGLE_02|line|'=1+1|\r\n"
                            "BOB_HAGGLE_01|line|-5 gold|\r\n"
                            "BOB_GREET_01|line|\tindented|\r\n"
                            "BOB_SHIPMENT_01|line|'quoted'|\r\n");
    const auto before = Tables();
    const std::string csv = Export();
    for (const char* cell : {",\"'=HYPERLINK(\"\"x\"\")\"\r\n", ",''=1+1\r\n", ",'-5 gold\r\n",
                             ",'\tindented\r\n", ",'quoted'\r\n"})
        EXPECT_NE(csv.find(cell), std::string::npos) << cell << "\n" << csv;
    const TextImport same = PlanTextImport(csv);
    ASSERT_TRUE(same.problems.empty()) << same.problems[0];
    EXPECT_TRUE(same.changes.empty());

    // Typed by a translator: one apostrophe before such a text comes off, others stay.
    const TextImport typed = PlanTextImport("table,id,text\r\n"
                                            "infosa.csv,BOB_TRADE_01,'@once\r\n"
                                            "infosa.csv,BOB_HAGGLE_02,'''+two\r\n"
                                            "infosa.csv,BOB_SHIPMENT_01,'plain\r\n");
    ASSERT_TRUE(typed.problems.empty()) << typed.problems[0];
    ASSERT_EQ(typed.changes.size(), 3u);
    EXPECT_EQ(typed.changes[0].after, "@once");
    EXPECT_EQ(typed.changes[1].after, "''+two");
    EXPECT_EQ(typed.changes[2].after, "'plain");
    EXPECT_EQ(Tables(), before);
}

// Byte for byte for every short text of apostrophes, formula starts and a letter.
TEST(SpreadsheetCellTest, EveryTextComesBackAndNoCellStartsAFormula) {
    const std::string alphabet = "'=+-@\t\rx";
    std::vector<std::string> texts = {""};
    for (std::size_t from = 0, length = 0; length < 4; ++length) {
        const std::size_t to = texts.size();
        for (std::size_t i = from; i < to; ++i)
            for (const char c : alphabet)
                texts.push_back(texts[i] + c);
        from = to;
    }
    for (const std::string& text : texts) {
        const std::string cell = GuardCell(text);
        EXPECT_EQ(UnguardCell(cell), text);
        EXPECT_TRUE(cell.empty() || cell[0] == '\'' || cell[0] == 'x') << cell;
    }
}
