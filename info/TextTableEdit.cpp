#include "info/TextTableEdit.h"
#include "engine/Failure.h"
#include "engine/File.h"
#include "info/ParameterSchema.h"
#include "info/TextTable.h"
#include "info/TextTableLines.h"

#include <unordered_map>

namespace VaskEdit::TextTables {

namespace {
constexpr std::size_t IdCapacity = 48; // the LocString slot

// The table's line end: that of its first line (CR LF, LF or CR); CR LF for a table
// without any.
std::string_view LineEndOf(std::string_view table) {
    const std::size_t end = LineEndAt(table, 0);
    if (end >= table.size())
        return "\r\n";
    if (table[end] == '\n')
        return "\n";
    return end + 1 < table.size() && table[end + 1] == '\n' ? "\r\n" : "\r";
}

// The line with its display field (the third) replaced; a line that ends within its
// second field gets one.
std::string Rewritten(std::string_view line, std::size_t afterId, std::string_view text) {
    const std::size_t secondBar = line.find('|', afterId);
    if (secondBar == std::string_view::npos)
        return std::string(line) + "|" + std::string(text) + "|";
    const std::size_t displayStart = secondBar + 1;
    const std::size_t bar = line.find('|', displayStart);
    const std::size_t displayEnd = bar == std::string_view::npos ? line.size() : bar;
    return std::string(line.substr(0, displayStart)) + std::string(text) +
           std::string(line.substr(displayEnd));
}
} // namespace

std::string TextRefusal(std::string_view text) {
    if (text.find('|') != std::string_view::npos)
        return "a text cannot hold \"|\", which separates the fields of a table line";
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return "a text cannot hold a line break";
    if (text.find('\0') != std::string_view::npos)
        return "a text cannot hold a zero byte";
    return {};
}

std::string IdRefusal(std::string_view id) {
    if (id.empty())
        return "the id is empty";
    if (id.size() > IdCapacity)
        return "the id has more than 48 characters, which no LocString holds";
    if (id.find('|') != std::string_view::npos || !HoldsOnlyReadableCharacters(IdCapacity, id))
        return "the id holds a character that an info cannot refer to (a blank, a quote, "
               "\";\", \"/\", \"|\" or a line break)";
    return {};
}

std::string WithTexts(std::string_view table, const std::vector<TextEdit>& edits) {
    // The last edit of an id wins; each applies to the id's first line only.
    std::unordered_map<std::string_view, const TextEdit*> pending;
    for (const TextEdit& edit : edits)
        pending[edit.id] = &edit;
    std::string out;
    out.reserve(table.size() + 64 * edits.size());
    for (std::size_t lineStart = 0; lineStart < table.size();) {
        std::size_t next = 0;
        const std::string_view line = LineAt(table, lineStart, &next);
        std::string_view id;
        std::size_t afterId = 0;
        // The id's first line, also one without a display field: it gets one, rather than
        // a second line that the game would never read.
        const auto edit = NamesId(line, &id, &afterId) ? pending.find(id) : pending.end();
        if (edit == pending.end()) {
            out.append(table.substr(lineStart, std::min(next, table.size()) - lineStart));
        } else {
            out += Rewritten(line, afterId, edit->second->text);
            // The line's own end, as it was.
            out.append(table.substr(lineStart + line.size(),
                                    std::min(next, table.size()) - lineStart - line.size()));
            pending.erase(edit);
        }
        lineStart = next;
    }
    const std::string_view lineEnd = LineEndOf(table);
    for (const TextEdit& edit : edits) {
        if (!pending.contains(edit.id) || pending[edit.id] != &edit)
            continue; // written into its line, or a later edit of the id follows
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out += lineEnd;
        out += edit.id + "||" + edit.text + "|" + std::string(lineEnd);
    }
    return out;
}

bool WriteTexts(const char* fileName, const std::vector<TextEdit>& edits) {
    using TesselEngine::WinAPI::File;
    std::string table;
    if (File{TesselEngine::Char256(fileName)}.Exists() && !File::ReadAll(fileName, table))
        return false;
    return WriteTexts(fileName, table, edits);
}

bool WriteTexts(const char* fileName, std::string_view table, const std::vector<TextEdit>& edits) {
    const std::string written = WithTexts(table, edits);
    const bool saved =
        TesselEngine::WinAPI::File::SaveWithBackup(fileName, written.data(), written.size());
    Forget(fileName);
    return saved;
}

std::string SuggestId(const char* fileName, std::string_view infoName,
                      const std::set<std::string>& taken) {
    std::string stem;
    for (const char c : infoName) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        stem.push_back(IdRefusal(std::string_view(&upper, 1)).empty() ? upper : '_');
    }
    for (int number = 1;; ++number) {
        std::string suffix = std::to_string(number);
        if (suffix.size() < 2)
            suffix.insert(0, "0");
        const std::string id = stem.substr(0, IdCapacity - 1 - suffix.size()) + "_" + suffix;
        // A line of the id without a display field takes it, too.
        if (!taken.contains(id) && !Contains(fileName, id) && UnsplittableLineOf(fileName, id) == 0)
            return id;
    }
}

} // namespace VaskEdit::TextTables
