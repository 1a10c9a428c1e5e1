#include "info/ListLayout.h"

#include <algorithm>
#include <array>
#include <string>

namespace VaskEdit {

namespace {
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
// Lines end with LF, CR LF or, in files of old editors, CR alone.
bool EndsLine(char c) {
    return c == '\n' || c == '\r';
}
bool IsOpening(char c) {
    return c == '{' || c == '[';
}
bool IsClosing(char c) {
    return c == '}' || c == ']';
}
char PartnerOf(char opening) {
    return opening == '{' ? '}' : ']';
}

// Tracks whether a byte stands inside double quotes. A quoted text ends with its line,
// so that one stray quote cannot hide the rest of a file.
struct QuoteState {
    bool quoted = false;
    // True when the byte is structure: outside quotes and not a quote itself.
    bool Structural(char c) {
        if (c == '\n') {
            quoted = false;
            return true;
        }
        if (c == '"') {
            quoted = !quoted;
            return false;
        }
        return !quoted;
    }
};

// From the opening bracket at `at` to its partner. Brackets of both kinds nest; a
// closing bracket that does not match the innermost open one is text. When the region
// ends first, gives `to` and the brackets still open, innermost last.
// The bytes that can change the structure; all others are passed over quickly.
struct StructureBytes {
    bool is[256] = {};
    constexpr StructureBytes() {
        for (const unsigned char c : {'{', '}', '[', ']', '"', '\n'})
            is[c] = true;
    }
};
constexpr StructureBytes Structure;

std::uint32_t MatchBracket(std::string_view text, std::uint32_t at, std::uint32_t to,
                           std::string& open) {
    open.assign(1, text[at]);
    QuoteState quotes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::uint32_t i = at + 1; i < to; ++i) {
        if (!Structure.is[bytes[i]])
            continue;
        const char c = text[i];
        if (!quotes.Structural(c))
            continue;
        if (IsOpening(c)) {
            open.push_back(c);
        } else if (IsClosing(c) && c == PartnerOf(open.back())) {
            open.pop_back();
            if (open.empty())
                return i;
        }
    }
    return to;
}

std::uint32_t MatchBracket(std::string_view text, std::uint32_t at, std::uint32_t to,
                           std::uint32_t* unclosed) {
    std::string open;
    const std::uint32_t partner = MatchBracket(text, at, to, open);
    *unclosed = static_cast<std::uint32_t>(open.size());
    return partner;
}

// The "[" that opens the annotation whose "]" stands before at, annotations inside it
// passed over whole; none when it does not open after from.
std::optional<std::uint32_t> AnnotationStart(std::string_view text, std::uint32_t from,
                                             std::uint32_t at) {
    std::uint32_t depth = 0;
    while (at > from) {
        const char c = text[--at];
        if (c == ']')
            ++depth;
        else if (c == '[' && --depth == 0)
            return at;
    }
    return std::nullopt;
}

// The class name before the "{" at open: the last word, passing over blanks, line
// breaks and bracketed annotations such as "[Version 1]" or "[Meta [Edited 3]]".
void FindName(std::string_view text, std::uint32_t from, std::uint32_t open, EntrySpan& span) {
    std::uint32_t at = open;
    for (;;) {
        while (at > from && IsBlank(text[at - 1]))
            --at;
        if (at == from || text[at - 1] != ']')
            break;
        const auto bracket = AnnotationStart(text, from, at);
        if (!bracket)
            break;
        at = *bracket;
    }
    span.nameEnd = at;
    while (at > from && IsWordByte(text[at - 1]))
        --at;
    span.name = at;
    if (span.name == span.nameEnd)
        span.name = span.nameEnd = open;
}

// Where the head of an entry may begin so that it holds only brackets that pair up
// within it: a stray one in front of a class name stays outside the entry, so that a
// kept entry written back can never close or open its list.
std::uint32_t AfterStrayBrackets(std::string_view text, std::uint32_t begin, std::uint32_t end) {
    std::vector<std::uint32_t> open;
    QuoteState quotes;
    for (std::uint32_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (!quotes.Structural(c))
            continue;
        if (IsOpening(c)) {
            open.push_back(i);
        } else if (IsClosing(c)) {
            if (!open.empty() && c == PartnerOf(text[open.back()])) {
                open.pop_back();
            } else {
                begin = i + 1;
                open.clear();
            }
        }
    }
    return open.empty() ? begin : open.back() + 1;
}

// The entry whose "{" stands at open, searched from `from`: its text begins at the start
// of its name's line (after a "," that ends the entry before it on that line), and ends
// with the line of its "}" when nothing else stands on it.
EntrySpan MakeSpan(std::string_view text, std::uint32_t from, std::uint32_t to,
                   std::uint32_t open) {
    EntrySpan span;
    span.open = open;
    FindName(text, from, open, span);
    const std::uint32_t anchor = span.name;
    std::uint32_t lineStart = anchor;
    while (lineStart > from && !EndsLine(text[lineStart - 1]))
        --lineStart;
    span.begin = lineStart;
    QuoteState quotes;
    for (std::uint32_t i = lineStart; i < anchor; ++i) {
        if (quotes.Structural(text[i]) && text[i] == ',')
            span.begin = i + 1;
    }
    if (span.begin != lineStart) {
        while (span.begin < anchor && (text[span.begin] == ' ' || text[span.begin] == '\t'))
            ++span.begin;
    }
    // A stray bracket even between the name and the brace ends the text before the entry.
    span.begin = AfterStrayBrackets(text, span.begin, open);
    if (span.begin > span.name)
        FindName(text, span.begin, open, span);

    span.close = MatchBracket(text, open, to, &span.unclosed);
    if (span.unclosed) {
        span.end = to;
        return span;
    }
    span.end = span.close + 1;
    std::uint32_t rest = span.end;
    while (rest < to && (text[rest] == ' ' || text[rest] == '\t'))
        ++rest;
    if (rest + 1 < to && text[rest] == '\r' && text[rest + 1] == '\n')
        span.end = rest + 2;
    else if (rest < to && EndsLine(text[rest]))
        span.end = rest + 1;
    return span;
}

// The first entry from `from` on. A bracketed group that no "{" follows directly is an
// annotation of the next entry's head. With stopAtCloser, a closing bracket at this
// level ends the search (it closes the list); otherwise it is stray text.
std::optional<EntrySpan> FindEntry(std::string_view text, std::uint32_t from, std::uint32_t to,
                                   bool stopAtCloser) {
    QuoteState quotes;
    for (std::uint32_t i = from; i < to; ++i) {
        const char c = text[i];
        if (!quotes.Structural(c))
            continue;
        if (c == '{')
            return MakeSpan(text, from, to, i);
        if (c == '[') {
            // An annotation in the next entry's head; one that never closes is text.
            std::uint32_t unclosed = 0;
            const std::uint32_t partner = MatchBracket(text, i, to, &unclosed);
            if (!unclosed)
                i = partner;
        } else if (IsClosing(c) && stopAtCloser) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

struct ListName {
    std::string_view word;
    bool assigned; // "= [" rather than "{"
    ListSpan InfoLists::*list;
};
constexpr std::array<ListName, 3> ListNames = {{
    {"RequiredPerks", true, &InfoLists::perks},
    {"InfoCommands", false, &InfoLists::commands},
    {"InfoConditions", false, &InfoLists::conditions},
}};

// The position of the line end after at, or the text's size.
std::uint32_t LineEnd(std::string_view text, std::uint32_t at) {
    const std::size_t end = text.find('\n', at);
    return end == std::string_view::npos ? static_cast<std::uint32_t>(text.size())
                                         : static_cast<std::uint32_t>(end);
}

std::uint32_t SkipBlanks(std::string_view text, std::uint32_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

// The bracket that opens the list after its name at wordEnd, or none.
std::optional<std::uint32_t> ListOpener(std::string_view text, std::uint32_t wordEnd,
                                        const ListName& name) {
    std::uint32_t at = SkipBlanks(text, wordEnd);
    if (name.assigned) {
        if (at >= text.size() || text[at] != '=')
            return std::nullopt;
        at = SkipBlanks(text, at + 1);
    }
    const char bracket = name.assigned ? '[' : '{';
    if (at >= text.size() || text[at] != bracket)
        return std::nullopt;
    return at;
}
} // namespace

namespace {
// One pass over the text. With endUnclosed, a list's name right inside a list that
// turned out to lack its closing bracket ends that list.
InfoLists ScanInfoLists(std::string_view text, bool endUnclosed) {
    InfoLists lists;
    const auto size = static_cast<std::uint32_t>(text.size());
    struct Open {
        char bracket;
        ListSpan* list; // the list that this bracket opens, if any
    };
    std::vector<Open> open;
    QuoteState quotes;
    for (std::uint32_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (!quotes.Structural(c))
            continue;
        if (IsOpening(c)) {
            // Among the info's own members a bracket belongs to a value, such as a GUID,
            // and closes on its line; one that does not is text, so that a damaged value
            // cannot take in the lists behind it.
            if (open.size() == 1 && !open.back().list) {
                std::uint32_t unclosed = 0;
                const std::uint32_t partner = MatchBracket(text, i, LineEnd(text, i), &unclosed);
                if (!unclosed)
                    i = partner;
                continue;
            }
            open.push_back({c, nullptr});
            continue;
        }
        if (IsClosing(c)) {
            if (!open.empty() && c == PartnerOf(open.back().bracket)) {
                if (ListSpan* list = open.back().list) {
                    list->closed = true;
                    list->closer = i;
                    list->end = i + 1;
                }
                open.pop_back();
            }
            continue;
        }
        if (!IsWordByte(c) || (i > 0 && IsWordByte(text[i - 1])))
            continue;
        std::uint32_t wordEnd = i;
        while (wordEnd < size && IsWordByte(text[wordEnd]))
            ++wordEnd;
        const std::string_view word = text.substr(i, wordEnd - i);
        const std::uint32_t wordStart = i;
        i = wordEnd - 1;
        // A list's name counts at the info's own level, or right inside a list whose
        // closing bracket is missing: that list then ends where the next one begins.
        const auto infoLevel = [&](std::size_t depth) {
            return depth == 0 || (depth == 1 && !open[0].list);
        };
        const bool inList =
            endUnclosed && !open.empty() && open.back().list && infoLevel(open.size() - 1);
        if (!infoLevel(open.size()) && !inList)
            continue;
        for (const ListName& name : ListNames) {
            ListSpan& list = lists.*name.list;
            if (list.found || word != name.word)
                continue;
            const auto bracket = ListOpener(text, wordEnd, name);
            if (!bracket)
                break;
            list.found = true;
            list.head = wordStart;
            while (list.head > 0 && !EndsLine(text[list.head - 1]))
                --list.head;
            if (inList) {
                ListSpan& before = *open.back().list;
                before.closer = before.end = std::max(before.body, list.head);
                open.pop_back();
            }
            list.body = *bracket + 1;
            list.closer = list.end = size; // until its bracket closes
            if (!endUnclosed) {
                // Nothing inside a list that closes counts here: pass over it whole.
                std::uint32_t unclosed = 0;
                const std::uint32_t closer = MatchBracket(text, *bracket, size, &unclosed);
                if (!unclosed) {
                    list.closed = true;
                    list.closer = closer;
                    list.end = closer + 1;
                    i = closer;
                    break;
                }
            }
            open.push_back({text[*bracket], &list});
            i = *bracket;
            break;
        }
    }
    return lists;
}
} // namespace

InfoLists FindInfoLists(std::string_view text) {
    const InfoLists lists = ScanInfoLists(text, false);
    for (const ListSpan* list : {&lists.perks, &lists.commands, &lists.conditions}) {
        if (list->found && !list->closed)
            return ScanInfoLists(text, true);
    }
    return lists;
}

std::string MissingClosers(std::string_view text, const EntrySpan& span) {
    std::string open;
    MatchBracket(text, span.open, span.close, open);
    if (!span.unclosed)
        return {};
    std::string closers;
    for (auto c = open.rbegin(); c != open.rend(); ++c)
        closers.push_back(PartnerOf(*c));
    return closers;
}

std::optional<EntrySpan> NextEntry(std::string_view text, std::uint32_t from, std::uint32_t to) {
    return FindEntry(text, from, to, true);
}

std::vector<EntrySpan> CutEntries(std::string_view text, std::uint32_t from, std::uint32_t to) {
    std::vector<EntrySpan> entries;
    while (const auto entry = FindEntry(text, from, to, false)) {
        entries.push_back(*entry);
        from = entry->end;
    }
    return entries;
}

namespace {
std::size_t LineOf(std::string_view text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i)
        line +=
            text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    return line;
}
} // namespace

std::string BracketDamage(std::string_view text) {
    std::vector<std::uint32_t> open;
    QuoteState quotes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::uint32_t i = 0; i < text.size(); ++i) {
        if (!Structure.is[bytes[i]] || !quotes.Structural(text[i]))
            continue;
        const char c = text[i];
        if (IsOpening(c)) {
            open.push_back(i);
        } else if (IsClosing(c)) {
            if (open.empty() || c != PartnerOf(text[open.back()]))
                return "line " + std::to_string(LineOf(text, i)) + ": this \"" + c +
                       "\" closes no bracket before it";
            open.pop_back();
        }
    }
    if (open.empty())
        return {};
    // The innermost one that never closes: the list or entry that lacks its end, or,
    // when an inner one took its closer, the info itself.
    return "line " + std::to_string(LineOf(text, open.back())) + ": this \"" + text[open.back()] +
           "\" is never closed (a closing bracket after it is missing)";
}

std::string EntryDamage(std::string_view text, const std::vector<EntrySpan>& entries,
                        std::string_view listName) {
    for (const EntrySpan& entry : entries) {
        const std::string_view name = entry.Name(text);
        // Lines are counted only for the entry that is reported.
        const auto where = [&] {
            return "line " + std::to_string(LineOf(text, entry.open)) + ": ";
        };
        if (name.empty())
            return where() + "an entry of " + std::string(listName) +
                   " has no class name that can be read";
        for (const ListName& other : ListNames) {
            if (name == other.word)
                return where() + std::string(name) + " stands inside " + std::string(listName) +
                       ": a \"}\" before it is missing";
        }
    }
    return {};
}

std::vector<EntrySpan> FindNamedBlocks(std::string_view text, std::string_view prefix) {
    std::vector<EntrySpan> blocks;
    const auto size = static_cast<std::uint32_t>(text.size());
    std::uint32_t from = 0;
    QuoteState quotes;
    for (std::uint32_t i = 0; i < size; ++i) {
        if (!quotes.Structural(text[i]) || text[i] != '{')
            continue;
        EntrySpan probe;
        FindName(text, from, i, probe);
        if (prefix.empty() || !probe.Name(text).starts_with(prefix))
            continue; // look inside it
        const EntrySpan block = MakeSpan(text, from, size, i);
        blocks.push_back(block);
        from = block.end;
        i = block.end - 1;
        quotes = {};
    }
    return blocks;
}

} // namespace VaskEdit
