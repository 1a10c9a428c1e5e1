// The commands over the text tables: one text read or written, and all texts in use out
// to a CSV file for translators and back in.
#include "CommandSupport.h"
#include "Commands.h"

#include "engine/File.h"
#include "info/TextTable.h"
#include "info/TextTableEdit.h"
#include "library/ReferenceIndex.h"
#include "library/TextExchange.h"
#include "library/TextReplace.h"

#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

namespace {
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Why the id's line cannot be read, when the table has one that the reader cannot split.
std::string UnsplitLine(const std::string& id, const std::string& table) {
    const std::size_t line = TextTables::UnsplittableLineOf(table.c_str(), id);
    if (line == 0)
        return {};
    return "line " + std::to_string(line) + " of " + Quoted(table) + " names " + Quoted(id) +
           " but cannot be split into an id and its texts (ID|any text|display text|)";
}
} // namespace

int TextGet(const std::string& id, const std::string& table) {
    if (const std::string unsplit = UnsplitLine(id, table); !unsplit.empty())
        return Fail("Error: " + unsplit + ".");
    if (!TextTables::Contains(table.c_str(), id))
        return Fail("Error: " + Quoted(table) + " has no line " + Quoted(id) + ".");
    std::cout << Windows1252ToUtf8(TextTables::LookUp(table.c_str(), id)) << '\n';
    return 0;
}

int TextSet(const std::string& id, const std::string& text, const std::string& table) {
    const std::optional<std::string> bytes = TesselEngine::Utf8ToWindows1252(text);
    std::string refusal = TextTables::IdRefusal(id);
    if (refusal.empty())
        refusal = bytes ? TextTables::TextRefusal(*bytes)
                        : "the text has a character that Windows-1252 lacks";
    if (refusal.empty())
        refusal = UnsplitLine(id, table);
    if (!refusal.empty())
        return Fail("Not written: " + refusal + ".");
    if (!TextTables::WriteTexts(table.c_str(), {{id, *bytes}}))
        return FailForLast();
    return 0;
}

int TextExport(const std::string& path) {
    if (!BuildIndex("text export"))
        return 1;
    const std::vector<TextRow> rows = TextsInUse(References().Outlines());
    const std::string csv = TextsCsv(rows);
    if (!TesselEngine::WinAPI::File::SaveAtomically(path.c_str(), csv.data(), csv.size()))
        return FailForLast();
    std::cerr << rows.size() << (rows.size() == 1 ? " text" : " texts") << " written to "
              << Quoted(path) << ".\n";
    return AfterReading(References().NotReadWhole(), !rows.empty(), 0);
}

int TextImport(const std::string& path, bool dryRun, const std::string& into, bool allowEmpty,
               CsvEncoding encoding) {
    std::string csv;
    if (!TesselEngine::WinAPI::File::ReadAll(path.c_str(), csv))
        return Fail("Error: " + Quoted(path) + " cannot be read.");
    const VaskEdit::TextImport import = PlanTextImport(csv, into, allowEmpty, encoding);
    if (import.refusedAsNotUtf8)
        return Fail("Error: " + import.problems.front() +
                    "; save as UTF-8 or use --encoding windows-1252.");
    if (encoding == CsvEncoding::Detect && import.readAs == CsvEncoding::Windows1252)
        std::cerr << "Read as Windows-1252 (" << NotUtf8Text(*import.notUtf8) << ").\n";
    if (!import.problems.empty()) {
        for (const std::string& problem : import.problems)
            std::cerr << problem << '\n';
        return Fail("Nothing imported.");
    }
    for (const TextChange& change : import.changes)
        std::cout << change.table << '\t' << change.id << '\t'
                  << RowField(Windows1252ToUtf8(change.before)) << '\t'
                  << RowField(Windows1252ToUtf8(change.after)) << '\n';
    const std::size_t n = import.changes.size();
    Rollback putBack;
    if (!dryRun && !ApplyTextImport(import, into, nullptr, &putBack)) {
        if (!putBack.AllAsItWas())
            return FailPutBack("Nothing imported", TesselEngine::LastFailure(), putBack);
        return Fail("Nothing imported; the tables are as they were.", TesselEngine::LastFailure());
    }
    std::cerr << n << (n == 1 ? " line" : " lines") << (dryRun ? " would change" : " changed")
              << ".\n";
    return 0;
}

int TextReplace(const std::string& find, const std::string& replacement, bool wholeWord,
                bool matchCase, bool dryRun) {
    const std::optional<std::string> findBytes = TesselEngine::Utf8ToWindows1252(find);
    const std::optional<std::string> replacementBytes =
        TesselEngine::Utf8ToWindows1252(replacement);
    if (!findBytes || !replacementBytes)
        return Fail(std::string("Error: the ") + (findBytes ? "replacement" : "text to find") +
                    " has a character that Windows-1252 lacks; nothing replaced.");
    const ReplaceRule rule{*findBytes, *replacementBytes, wholeWord, matchCase};
    const VaskEdit::TextImport plan = PlanTextReplace(rule);
    if (!plan.problems.empty()) {
        for (const std::string& problem : plan.problems)
            std::cerr << "Error: " << problem << '\n';
        return Fail("Nothing replaced.");
    }
    // One write: a replace across a large mod prints tens of thousands of lines.
    std::string rows;
    for (const TextChange& change : plan.changes)
        rows += change.table + '\t' + change.id + '\t' +
                RowField(Windows1252ToUtf8(change.before)) + '\t' +
                RowField(Windows1252ToUtf8(change.after)) + '\n';
    std::cout << rows;
    const std::size_t n = plan.changes.size();
    Rollback putBack;
    if (!dryRun && n > 0 && !ApplyTextImport(plan, {}, nullptr, &putBack)) {
        if (!putBack.AllAsItWas())
            return FailPutBack("Nothing replaced", TesselEngine::LastFailure(), putBack);
        return Fail("Nothing replaced; the tables are as they were.", TesselEngine::LastFailure());
    }
    std::cerr << n << (n == 1 ? " text" : " texts") << (dryRun ? " would change" : " changed")
              << ".\n";
    return 0;
}

} // namespace VaskCli
