// The texts the infos show, out to a CSV file for translators and back in: one row per
// text table and id that an info uses, with the context of its first use. The file goes
// out as UTF-8 (RFC 4180, CR LF) and comes back as spreadsheets save it (UTF-8 or
// Windows-1252, separated by ",", ";" or TAB); the tables stay Windows-1252, and an
// import changes only the display fields of the lines whose text differs.
#pragma once

#include "engine/Failure.h"
#include "engine/FileFingerprint.h"
#include "library/CsvReading.h"
#include "library/Journal.h"
#include "library/ReferenceIndex.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace VaskEdit {

// The three tables, in the order the export lists them.
const std::vector<std::string>& TextTableNames();

// A table's bytes as they are on disk; none when it is missing or cannot be read.
std::optional<std::string> ReadTableBytes(const std::string& path);

// The display text of each id in a table's bytes, by the first line that names it, as
// the reader takes it; an id whose first line has no display field stands with no text.
std::unordered_map<std::string, std::optional<std::string>>
TableDisplayTexts(std::string_view table);

struct TextRow {
    std::string table;
    std::string id;
    std::string info; // the first use: info name (byte order), then entry order
    std::string owner;
    std::string quest;
    std::string command;
    std::string speaker;
    std::string listener;
};

// Every (table, id) that an info uses, by table and then by first use.
std::vector<TextRow> TextsInUse(std::vector<InfoOutline> infos);

// The CSV: a header "table,id,info,owner,quest,command,speaker,listener,text" and a row
// for each text, its display text looked up in its table and given in UTF-8.
std::string TextsCsv(const std::vector<TextRow>& rows);

struct TextChange {
    std::string table;
    std::string id;
    std::string before; // Windows-1252
    std::string after;
};

// A table as the plan read it: not taken when it was missing.
struct TableRead {
    std::string path;
    TesselEngine::FileFingerprint read;
};

struct TextImport {
    std::vector<TableRead> tablesRead; // what the plan compared against
    std::vector<std::string> problems; // one line a bad row; any refuses the whole import
    std::vector<TextChange> changes;
    CsvEncoding readAs = CsvEncoding::Utf8; // what the file was read as
    std::optional<NotUtf8> notUtf8;         // where its bytes stop being UTF-8, if they do
    bool refusedAsNotUtf8 = false;          // the one problem is that the file is not UTF-8
};

// What importing the CSV would change in the tables of folder ("" for the current
// directory; a table the folder lacks is compared as the current directory has it).
// The file is read as library/CsvReading.h says; a file that cannot be read at all has
// its one reason as the only problem. Columns are found by their header names; others
// are ignored. An empty text that would blank a display text is a problem unless
// allowEmpty. Nothing is written.
TextImport PlanTextImport(std::string_view csv, const std::string& folder = {},
                          bool allowEmpty = false, CsvEncoding encoding = CsvEncoding::Detect);

// The tables a write replaced, each with its bytes before (none: the write made it).
struct TablesBefore {
    std::vector<std::pair<std::string, std::optional<std::string>>> tables;
};

// Writes the changes into the tables of folder, each table once, with backups. In
// another folder a table it lacks is first copied there from the current directory.
// Nothing is written (Cause::ChangedOnDisk) when a table changed since the plan read it,
// or a line to change no longer holds the text the change was made from.
// A journal (library/Journal.h) is written first: when a write fails every table is put
// back from it and read back; false, with the reason in LastFailure and, in putBack when
// given, how each table was put back. before, when given, receives what a successful
// write replaced, for a later step of the same save to put back if it fails.
bool ApplyTextImport(const TextImport& import, const std::string& folder = {},
                     TablesBefore* before = nullptr, Rollback* putBack = nullptr);

// Puts the tables back as they were before the write; LastFailure stays the failure
// that made it needed.
void PutBackTables(const TablesBefore& before);

} // namespace VaskEdit
