// Writing the display texts of the text tables. A change touches only the display field
// of the identifier's line (the first line that names it, the one the reader takes);
// every other byte of the table stays. A new identifier is appended as "ID||TEXT|" with
// the table's own line end. Texts are bytes in Windows-1252.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit::TextTables {

struct TextEdit {
    std::string id;
    std::string text;
};

// Why the text cannot be a display text ("|" and line breaks would split the line), or
// nothing.
std::string TextRefusal(std::string_view text);
// Why the identifier cannot name a line an info refers to, or nothing.
std::string IdRefusal(std::string_view id);

// The table's bytes with the edits made, in one pass.
std::string WithTexts(std::string_view table, const std::vector<TextEdit>& edits);

// Makes the edits in the table file: through a temporary file and one rename, with the
// old table kept under Backup/, and the table read again on its next lookup. False,
// with the reason in LastFailure, when the table cannot be read or written. The edits
// must be free of refusals.
bool WriteTexts(const char* fileName, const std::vector<TextEdit>& edits);
// The same for a table whose bytes the caller has read already.
bool WriteTexts(const char* fileName, std::string_view table, const std::vector<TextEdit>& edits);

// A free identifier for a new text of the info: its name upper-cased (characters an
// identifier cannot hold as "_"), "_" and the lowest two-digit number that neither the
// table nor taken holds.
std::string SuggestId(const char* fileName, std::string_view infoName,
                      const std::set<std::string>& taken = {});

} // namespace VaskEdit::TextTables
