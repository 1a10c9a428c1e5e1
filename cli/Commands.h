// The operations of vaskedit-cli. Each returns the exit status: 0 success, 1 failure
// (with the program's message on standard error), 2 an argument that cannot be used
// (such as a filter text longer than any cached value).
#pragma once

#include "engine/Failure.h"
#include "library/ConversationScript.h"
#include "library/Conversations.h"
#include "library/CsvReading.h"
#include "library/Journal.h"

#include <string>
#include <vector>

namespace VaskCli {

enum class Field { Any, Name, Owner, Quest, Guid };

int Split();
// strict: nothing is written when the game document holds infos that have no file.
int Merge(bool strict);
int CacheUpdate();
int CacheList();
int Filter(Field field, const std::string& text);
int Search(const std::string& text);
// Adds "*.vaskinfo diff=vaskinfo" to the workspace's ".gitattributes" (kept otherwise)
// and prints the git config line that lets git compare infos place by place; the user's
// git configuration is not changed.
int GitSetup();
int Owners();
int TemplatesUpdate();
int TemplatesList();
int TemplatesFind(const std::string& name, const std::string& guid);
int TemplatesFilter(Field field, const std::string& text);
struct DiffOptions {
    std::vector<std::string> files; // none, two info files, or the seven of git's external diff
    std::string base;               // a combined document or a workspace; "w_info.hdrdoc"
    std::string texts;              // the folder of the base's text tables, to compare texts
    bool json = false;
    bool stat = false;
};
// What "Infos/" changes against the base (or the second file against the first), place
// by place: 0 when equal, 1 when different, 2 on an error, as diff does.
int Diff(const DiffOptions& options);
// Merges the changes of BASE -> THEIRS into OURS, place by place; on a conflict OURS is
// left as it was and the conflicts are printed, status 1; 2 when the files cannot be
// merged safely.
int MergeFile(const std::string& base, const std::string& ours, const std::string& theirs);
// asText: one "place: value" line each instead of JSON.
int Show(const std::string& nameOrPath, bool asText);
// Refuses, with the first lines that would change, an info whose untouched save would
// not write its file's bytes again, unless forced.
int Resave(const std::string& nameOrPath, bool force);
// Prints the check report's findings; 1 when any of them is an error.
int Check();

// One row a use of the value: info and place; 1 when there is none.
int Usages(const std::string& value);
// The conversations as an indented forest: name, TAB, the first spoken line.
int Tree(VaskEdit::ConversationScope scope, const std::string& name);
// Prints a conversation in reading order (library/ConversationScript.h), one line each.
int Script(const VaskEdit::ScriptStart& start, const std::vector<int>& path);
// Renames an info and rewrites the uses of its old name; one line a changed file.
int Rename(const std::string& oldName, const std::string& newName);
// The infos whose shown texts hold the text, in the cache's row form.
int SearchText(const std::string& text);

// One display text of a table, in UTF-8; 1 when the table has no such id.
int TextGet(const std::string& id, const std::string& table);
// Changes the id's display text, or appends a line for it.
int TextSet(const std::string& id, const std::string& text, const std::string& table);
// The unknown words of the tables' display texts, "table TAB id TAB word" a line: 0 when
// there are none, 1 when there are some, 2 when they cannot be checked (no spell checker
// in the build, no such dictionary, a table that cannot be read).
int TextSpell(const std::string& dictionary);
// Every text in use, with its context, as CSV.
int TextExport(const std::string& path);
// Changes the lines whose text the CSV gives otherwise; all or nothing. A row a change:
// table, id, old text, new text. An empty text blanks a display text only when allowed.
// A file that is not UTF-8 is refused in one line, or, when detecting, read as
// Windows-1252 with one line saying so.
// Replaces FIND by REPLACEMENT (UTF-8) in every display text of the tables, printing
// table, id, old and new text a line, then the count; --dry-run writes nothing.
int TextReplace(const std::string& find, const std::string& replacement, bool wholeWord,
                bool matchCase, bool dryRun);
int TextImport(const std::string& path, bool dryRun, const std::string& into, bool allowEmpty,
               VaskEdit::CsvEncoding encoding);

// Rolls back what an unfinished multi-file command left: 0 when every file is as it was
// before it (or there was nothing to do), 1 when a file could not be put back.
int Recover();
// The same before any other command, said on standard error; false (printed) when the
// workspace could not be put back, and the command must not run.
bool RecoverFirst();
// A multi-file command failed and its rollback could not put every file back: says which
// file is in which state. Status 1.
int FailPutBack(const std::string& what, const TesselEngine::Failure& failure,
                const VaskEdit::Rollback& putBack);

} // namespace VaskCli
