#include "library/TextExchange.h"
#include "engine/File.h"
#include "engine/Windows1252.h"
#include "info/TextTable.h"
#include "info/TextTableEdit.h"
#include "info/TextTableLines.h"
#include "library/SpreadsheetCell.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace VaskEdit {

namespace {
using TesselEngine::WinAPI::File;

const char* const Header[] = {"table",   "id",      "info",     "owner", "quest",
                              "command", "speaker", "listener", "text"};

TesselEngine::FileFingerprint Fingerprint(const std::string& path,
                                          const std::optional<std::string>& bytes) {
    return bytes ? TesselEngine::FingerprintOf(path, *bytes) : TesselEngine::FileFingerprint{};
}

// Whether the table holds what the plan read from it (a table the plan did not read, as
// for the texts an editor window writes, is taken as it is now).
bool AsPlanned(const TextImport& import, const std::string& path,
               const std::optional<std::string>& bytes) {
    for (const TableRead& planned : import.tablesRead) {
        if (planned.path == path)
            return planned.read.SameBytes(Fingerprint(path, bytes));
    }
    return true;
}

// Whether every line the import changes in the table still holds the text the change
// was made from; a line the table lacks holds none.
bool LinesAsPlanned(const TextImport& import, const std::string& table, std::string_view bytes) {
    const auto texts = TableDisplayTexts(bytes);
    for (const TextChange& change : import.changes) {
        if (change.table != table)
            continue;
        const auto line = texts.find(change.id);
        const std::string now =
            line == texts.end() ? std::string() : line->second.value_or(std::string());
        if (now != change.before)
            return false;
    }
    return true;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::optional<std::string> ReadTableBytes(const std::string& path) {
    std::string bytes;
    if (!File{TesselEngine::Char256(path.c_str())}.Exists() || !File::ReadAll(path.c_str(), bytes))
        return std::nullopt;
    return bytes;
}

std::unordered_map<std::string, std::optional<std::string>>
TableDisplayTexts(std::string_view table) {
    std::unordered_map<std::string, std::optional<std::string>> texts;
    for (std::size_t lineStart = 0; lineStart < table.size();) {
        std::size_t next = 0;
        const std::string_view line = TextTables::LineAt(table, lineStart, &next);
        std::string_view id;
        std::size_t at = 0;
        if (TextTables::NamesId(line, &id, &at) && !texts.contains(std::string(id))) {
            std::optional<std::string> text;
            if (TextTables::Identifies(line, &id, &at)) {
                TextTables::FieldUntilBar(line, at); // any text
                text = TextTables::FieldUntilBar(line, at);
            }
            texts.emplace(id, std::move(text));
        }
        lineStart = next;
    }
    return texts;
}

const std::vector<std::string>& TextTableNames() {
    static const std::vector<std::string> names = {"infosa.csv", "infodescsa.csv",
                                                   "questdescsa.csv"};
    return names;
}

std::vector<TextRow> TextsInUse(std::vector<InfoOutline> infos) {
    std::vector<const InfoOutline*> byName;
    byName.reserve(infos.size());
    for (const InfoOutline& info : infos)
        byName.push_back(&info);
    std::sort(byName.begin(), byName.end(),
              [](const InfoOutline* a, const InfoOutline* b) { return a->name < b->name; });
    const auto& names = TextTableNames();
    std::vector<std::vector<TextRow>> byTable(names.size() + 1); // the last: other tables
    std::unordered_set<std::string> seen;
    for (const InfoOutline* info : byName) {
        for (const TextReference& text : info->texts) {
            if (!seen.insert(text.table + '|' + text.id).second)
                continue;
            const auto table = std::find(names.begin(), names.end(), text.table) - names.begin();
            byTable[table].push_back({text.table, text.id, info->name, info->owner, info->quest,
                                      text.command, text.speaker, text.listener});
        }
    }
    std::vector<TextRow> rows;
    for (auto& table : byTable)
        std::move(table.begin(), table.end(), std::back_inserter(rows));
    return rows;
}

std::string TextsCsv(const std::vector<TextRow>& rows) {
    std::map<std::string, std::unordered_map<std::string, std::optional<std::string>>> tables;
    for (const std::string& name : TextTableNames())
        tables[name] = TableDisplayTexts(ReadTableBytes(name).value_or(""));
    std::string csv;
    csv.reserve(128 * rows.size());
    for (std::size_t i = 0; i < std::size(Header); ++i)
        csv += std::string(i ? "," : "") + Header[i];
    csv += "\r\n";
    for (const TextRow& row : rows) {
        const auto& texts = tables[row.table];
        const auto text = texts.find(row.id);
        const std::string fields[] = {
            row.table,
            row.id,
            row.info,
            row.owner,
            row.quest,
            row.command,
            row.speaker,
            row.listener,
            text == texts.end() ? std::string() : text->second.value_or("")};
        for (std::size_t i = 0; i < std::size(fields); ++i)
            csv += std::string(i ? "," : "") +
                   CsvField(TesselEngine::Windows1252ToUtf8(GuardCell(fields[i])));
        csv += "\r\n";
    }
    return csv;
}

TextImport PlanTextImport(std::string_view csv, const std::string& folder, bool allowEmpty,
                          CsvEncoding encoding) {
    TextImport import;
    CsvText read = ReadCsv(csv, encoding);
    import.readAs = read.readAs;
    import.notUtf8 = read.notUtf8;
    if (!read.problem.empty()) {
        import.problems.push_back(std::move(read.problem));
        import.refusedAsNotUtf8 = read.refusedAsNotUtf8;
        return import;
    }
    const std::vector<CsvRecord>& records = read.records;
    if (records.empty()) {
        import.problems.push_back("the file has no header row");
        return import;
    }
    std::map<std::string, std::size_t> column;
    for (std::size_t i = 0; i < records[0].fields.size(); ++i)
        column.emplace(records[0].fields[i], i);
    for (const char* needed : {"table", "id", "text"}) {
        if (!column.contains(needed))
            import.problems.push_back(std::string("the header lacks the column \"") + needed +
                                      "\"");
    }
    if (!import.problems.empty())
        return import;

    std::map<std::string, std::unordered_map<std::string, std::optional<std::string>>> tables;
    for (const std::string& name : TextTableNames()) {
        const std::string inFolder = folder.empty() ? name : folder + "/" + name;
        auto bytes = ReadTableBytes(inFolder);
        import.tablesRead.push_back({inFolder, Fingerprint(inFolder, bytes)});
        if (!bytes && !folder.empty()) {
            bytes = ReadTableBytes(name);
            import.tablesRead.push_back({name, Fingerprint(name, bytes)});
        }
        tables[name] = TableDisplayTexts(bytes.value_or(""));
    }
    std::map<std::pair<std::string, std::string>, std::string> given;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string row = "row " + std::to_string(record.number) + ": ";
        const auto field = [&](const char* name) -> std::optional<std::string> {
            const std::size_t i = column[name];
            if (i >= record.fields.size())
                return std::nullopt;
            return UnguardCell(record.fields[i]);
        };
        const std::optional<std::string> table = field("table");
        const std::optional<std::string> id = field("id");
        const std::optional<std::string> text = field("text");
        if (!table || !id || !text) {
            import.problems.push_back(row + "it has only " + std::to_string(record.fields.size()) +
                                      " fields");
            continue;
        }
        const auto known = tables.find(*table);
        if (known == tables.end()) {
            import.problems.push_back(row + "unknown table \"" + *table + "\"");
            continue;
        }
        const std::optional<std::string> bytes = TesselEngine::Utf8ToWindows1252(*text);
        if (!bytes) {
            import.problems.push_back(row + "the text has a character that Windows-1252 lacks");
            continue;
        }
        if (const std::string refusal = TextTables::TextRefusal(*bytes); !refusal.empty()) {
            import.problems.push_back(row + refusal);
            continue;
        }
        const auto line = known->second.find(*id);
        if (line == known->second.end()) {
            if (!bytes->empty())
                import.problems.push_back(row + "\"" + *table + "\" has no line \"" + *id + "\"");
            continue; // an id the table lacks, with no text: nothing to change
        }
        if (!line->second) {
            if (!bytes->empty())
                import.problems.push_back(row + "the line of \"" + *id + "\" in \"" + *table +
                                          "\" cannot be split into an id and its texts");
            continue;
        }
        const std::string& current = *line->second;
        // An empty cell is more often a cell left untranslated than a text to blank.
        if (bytes->empty() && !current.empty() && !allowEmpty) {
            import.problems.push_back(row + "the text of \"" + *id +
                                      "\" is empty, which would blank "
                                      "the text the game shows (allow empty texts to import it)");
            continue;
        }
        const auto [earlier, first] = given.emplace(std::pair(*table, *id), *bytes);
        if (!first) {
            if (earlier->second != *bytes)
                import.problems.push_back(row + "\"" + *id + "\" of \"" + *table +
                                          "\" was given another text in an earlier row");
            continue;
        }
        if (current != *bytes)
            import.changes.push_back({*table, *id, current, *bytes});
    }
    if (!import.problems.empty())
        import.changes.clear();
    return import;
}

void PutBackTables(const TablesBefore& before) {
    const TesselEngine::Failure failure = TesselEngine::LastFailure();
    for (const auto& [path, bytes] : before.tables) {
        if (bytes)
            File::SaveAtomically(path.c_str(), bytes->data(), bytes->size());
        else
            TesselEngine::Platform::DeleteFile(path.c_str());
        TextTables::Forget(path.c_str());
    }
    TesselEngine::SetFailure(failure);
}

bool ApplyTextImport(const TextImport& import, const std::string& folder, TablesBefore* before,
                     Rollback* putBack) {
    std::map<std::string, std::vector<TextTables::TextEdit>> edits;
    for (const TextChange& change : import.changes)
        edits[change.table].push_back({change.id, change.after});
    if (edits.empty()) {
        if (before)
            *before = {};
        return true;
    }
    // Every table is read before anything is written: its bytes go into the journal.
    struct Table {
        std::string path;
        std::optional<std::string> bytes;
        const std::vector<TextTables::TextEdit>* edits;
    };
    std::vector<Table> tables;
    Journal journal{"text import", {}, {}};
    if (!folder.empty() && !TesselEngine::Platform::IsDirectory(folder.c_str()))
        journal.madeFolders.push_back(folder);
    for (const auto& [name, tableEdits] : edits) {
        const std::string path = folder.empty() ? name : folder + "/" + name;
        std::optional<std::string> bytes = ReadTableBytes(path);
        // (In a folder still to be made no table exists.)
        if (!bytes && journal.madeFolders.empty() &&
            File{TesselEngine::Char256(path.c_str())}.Exists())
            return false; // a table that cannot be read is neither written nor removed
        journal.files.push_back({path, bytes});
        tables.push_back({path, std::move(bytes), &tableEdits});
    }
    // Someone else's change since the plan is not overwritten.
    for (const Table& table : tables) {
        const std::string name = folder.empty() ? table.path : table.path.substr(folder.size() + 1);
        // A table the folder lacks starts as the current directory's.
        const bool copied = !table.bytes && !folder.empty();
        const std::optional<std::string> source = copied ? ReadTableBytes(name) : table.bytes;
        std::string changed;
        if (!AsPlanned(import, table.path, table.bytes))
            changed = table.path;
        else if (copied && !AsPlanned(import, name, source))
            changed = name;
        else if (!LinesAsPlanned(import, name, source.value_or("")))
            changed = copied ? name : table.path;
        if (!changed.empty()) {
            TesselEngine::SetFailure(TesselEngine::Operation::Save, changed,
                                     TesselEngine::Cause::ChangedOnDisk);
            return false;
        }
    }
    if (JournalExists()) {
        TesselEngine::SetFailure(TesselEngine::Operation::Save, JournalPath,
                                 TesselEngine::Cause::InUse);
        return false;
    }
    const auto fail = [&](bool journalWritten) {
        Rollback rollback = RollBack(journal, journalWritten);
        for (const Table& table : tables)
            TextTables::Forget(table.path.c_str());
        if (putBack)
            *putBack = std::move(rollback);
        return false;
    };
    if (!WriteJournal(journal))
        return fail(false);
    if (!journal.madeFolders.empty() && !TesselEngine::Platform::CreateDirectory(folder.c_str())) {
        TesselEngine::SetFailure(TesselEngine::Operation::Save, folder);
        return fail(true);
    }
    TablesBefore written;
    for (const Table& table : tables) {
        std::string bytes = table.bytes.value_or("");
        if (!table.bytes && !folder.empty()) {
            // A table kept beside the original starts as its copy.
            const std::string name = table.path.substr(folder.size() + 1);
            bytes = ReadTableBytes(name).value_or("");
            if (!File::SaveAtomically(table.path.c_str(), bytes.data(), bytes.size()))
                return fail(true);
        }
        written.tables.emplace_back(table.path, table.bytes);
        if (!TextTables::WriteTexts(table.path.c_str(), bytes, *table.edits))
            return fail(true);
    }
    if (!RemoveJournal())
        return fail(true);
    if (before)
        *before = std::move(written);
    return true;
}

} // namespace VaskEdit
