#include "spell/TableSpelling.h"

#include "engine/File.h"
#include "engine/Windows1252.h"
#include "info/TextTableLines.h"

#include <filesystem>
#include <set>
#include <string_view>

namespace VaskEdit::Spelling {

bool UnknownWordsInTables(Checker& checker, std::vector<UnknownWord>& found) {
    for (const char* table : CheckedTables) {
        std::error_code error;
        if (!std::filesystem::exists(table, error))
            continue; // looking creates no table
        std::string bytes;
        if (!TesselEngine::WinAPI::File::ReadAll(table, bytes))
            return false;
        std::set<std::string_view> seenIds;
        for (std::size_t lineStart = 0; lineStart < bytes.size();) {
            std::size_t next = 0;
            const std::string_view line = TextTables::LineAt(bytes, lineStart, &next);
            lineStart = next;
            std::string_view id;
            std::size_t rest = 0;
            if (!TextTables::Identifies(line, &id, &rest) || !seenIds.insert(id).second)
                continue;
            TextTables::FieldUntilBar(line, rest); // the field the game passes over
            const std::string text =
                TesselEngine::Windows1252ToUtf8(TextTables::FieldUntilBar(line, rest));
            std::set<std::string> reported;
            for (const WordSpan span : Words(text)) {
                const std::string word = text.substr(span.offset, span.length);
                if (!checker.Knows(word) && reported.insert(word).second)
                    found.push_back({table, std::string(id), word});
            }
        }
    }
    return true;
}

} // namespace VaskEdit::Spelling
