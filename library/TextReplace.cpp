#include "library/TextReplace.h"

#include "info/TextTableEdit.h"
#include "info/TextTableLines.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace VaskEdit {

namespace {
// Windows-1252: the letters, and each letter's other case (itself when it has none).
struct Letters {
    std::array<bool, 256> isWord{};
    std::array<unsigned char, 256> lower{};

    Letters() {
        for (int c = 0; c < 256; ++c)
            lower[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
        const auto pair = [this](int upper, int small) {
            lower[static_cast<std::size_t>(upper)] = static_cast<unsigned char>(small);
            isWord[static_cast<std::size_t>(upper)] = isWord[static_cast<std::size_t>(small)] =
                true;
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7) // the multiplication sign
                pair(c, c + 32);
        }
        pair(0x8A, 0x9A); // S and s with caron
        pair(0x8C, 0x9C); // OE
        pair(0x8E, 0x9E); // Z and z with caron
        pair(0x9F, 0xFF); // Y and y with diaeresis
        for (int c : {0x83, 0xAA, 0xB5, 0xBA, 0xDF, int('_')})
            isWord[static_cast<std::size_t>(c)] = true;
        for (int c = '0'; c <= '9'; ++c)
            isWord[static_cast<std::size_t>(c)] = true;
    }
};

const Letters& Windows1252Letters() {
    static const Letters letters;
    return letters;
}

bool SameAt(std::string_view text, std::size_t at, const ReplaceRule& rule,
            const Letters& letters) {
    const std::string_view find = rule.find;
    if (rule.matchCase)
        return text.compare(at, find.size(), find) == 0;
    for (std::size_t i = 0; i < find.size(); ++i) {
        if (letters.lower[static_cast<unsigned char>(text[at + i])] !=
            letters.lower[static_cast<unsigned char>(find[i])])
            return false;
    }
    return true;
}

bool WordAt(std::string_view text, std::size_t at, const Letters& letters) {
    return at < text.size() && letters.isWord[static_cast<unsigned char>(text[at])];
}

// The text with the letters of Windows-1252 in one case, for finding without case.
std::string Folded(std::string_view text, const Letters& letters) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(letters.lower[static_cast<unsigned char>(c)]);
    return folded;
}

// The ids met so far in one table, in a flat table of their places (the ids are views
// into the table's bytes): a table of tens of thousands of lines is looked up once a line.
class IdsMet {
public:
    explicit IdsMet(std::size_t expected) {
        std::size_t size = 64;
        while (size < 2 * expected)
            size *= 2;
        slots.resize(size);
    }
    // False when the id was met before.
    bool Insert(std::string_view id) {
        if (2 * (count + 1) > slots.size())
            Grow();
        if (!Place(id))
            return false;
        ++count;
        return true;
    }

private:
    bool Place(std::string_view id) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t at = std::hash<std::string_view>{}(id)&mask;; at = (at + 1) & mask) {
            if (slots[at].data() == nullptr) {
                slots[at] = id;
                return true;
            }
            if (slots[at] == id)
                return false;
        }
    }
    void Grow() {
        std::vector<std::string_view> old(slots.size() * 2);
        old.swap(slots);
        for (const std::string_view id : old) {
            if (id.data())
                Place(id);
        }
    }

    std::vector<std::string_view> slots;
    std::size_t count = 0;
};

} // namespace

std::vector<std::size_t> MatchesIn(std::string_view text, const ReplaceRule& rule) {
    std::vector<std::size_t> matches;
    const std::size_t n = rule.find.size();
    if (n == 0 || text.size() < n)
        return matches;
    const Letters& letters = Windows1252Letters();
    for (std::size_t at = 0; at + n <= text.size();) {
        const bool bounded = !rule.wholeWord || ((at == 0 || !WordAt(text, at - 1, letters)) &&
                                                 !WordAt(text, at + n, letters));
        if (bounded && SameAt(text, at, rule, letters)) {
            matches.push_back(at);
            at += n;
        } else {
            ++at;
        }
    }
    return matches;
}

std::string Replaced(std::string_view text, const ReplaceRule& rule) {
    std::string result;
    std::size_t from = 0;
    for (const std::size_t at : MatchesIn(text, rule)) {
        result.append(text.substr(from, at - from));
        result += rule.replacement;
        from = at + rule.find.size();
    }
    result.append(text.substr(from));
    return result;
}

std::string ReplaceRefusal(const ReplaceRule& rule) {
    if (rule.find.empty())
        return "the text to find is empty";
    if (const std::string refusal = TextTables::TextRefusal(rule.replacement); !refusal.empty())
        return "the replacement: " + refusal;
    return {};
}

void ForEachTextMatching(std::string_view all, const ReplaceRule& rule,
                         const std::function<void(std::string_view, std::string_view)>& found) {
    if (rule.find.empty())
        return;
    const Letters& letters = Windows1252Letters();
    // Lines are taken apart only up to their id until the text to find comes near: most
    // lines of a large table do not hold it.
    const std::string folded = rule.matchCase ? std::string() : Folded(all, letters);
    const std::string foldedFind = rule.matchCase ? std::string() : Folded(rule.find, letters);
    const std::string_view searched = rule.matchCase ? all : std::string_view(folded);
    const std::string_view find = rule.matchCase ? std::string_view(rule.find) : foldedFind;
    std::size_t nextFound = searched.find(find);
    IdsMet seen(all.size() / 64); // the reader takes an id's first line
    for (std::size_t lineStart = 0;
         lineStart < all.size() && nextFound != std::string_view::npos;) {
        std::size_t next = 0;
        const std::size_t begin = lineStart;
        const std::string_view line = TextTables::LineAt(all, begin, &next);
        const std::size_t lineEnd = begin + line.size();
        lineStart = next;
        std::string_view id;
        std::size_t at = 0;
        if (!TextTables::NamesId(line, &id, &at) || !seen.Insert(id))
            continue;
        if (nextFound < begin)
            nextFound = searched.find(find, begin);
        if (nextFound >= lineEnd || !TextTables::Identifies(line, &id, &at))
            continue;
        TextTables::FieldUntilBar(line, at); // any text
        const std::string_view text = TextTables::FieldUntilBar(line, at);
        if (!MatchesIn(text, rule).empty())
            found(id, text);
    }
}

TextImport PlanTextReplace(const ReplaceRule& rule) {
    TextImport plan;
    if (const std::string refusal = ReplaceRefusal(rule); !refusal.empty()) {
        plan.problems.push_back(refusal);
        return plan;
    }
    for (const std::string& table : TextTableNames()) {
        const std::optional<std::string> bytes = ReadTableBytes(table);
        plan.tablesRead.push_back({table, bytes ? TesselEngine::FingerprintOf(table, *bytes)
                                                : TesselEngine::FileFingerprint{}});
        if (!bytes)
            continue;
        ForEachTextMatching(*bytes, rule, [&](std::string_view id, std::string_view text) {
            std::string after = Replaced(text, rule);
            if (after == text)
                return;
            if (after.empty())
                plan.problems.push_back("the text of \"" + std::string(id) + "\" in \"" + table +
                                        "\" would become empty");
            else
                plan.changes.push_back(
                    {table, std::string(id), std::string(text), std::move(after)});
        });
    }
    return plan;
}

} // namespace VaskEdit
