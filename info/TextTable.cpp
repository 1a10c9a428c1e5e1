#include "info/TextTable.h"
#include "engine/File.h"
#include "info/TextTableLines.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace VaskEdit::TextTables {

namespace {
// One line of the table that names an identifier: a hash of the identifier and where
// the line begins. Eight bytes a line, so that a table of millions of lines costs
// little beyond its text.
struct IndexEntry {
    std::uint32_t hash;
    std::uint32_t line;
    bool operator<(const IndexEntry& other) const {
        return hash != other.hash ? hash < other.hash : line < other.line;
    }
};

struct Table {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::string content;            // the file's bytes, below 4 GiB
    std::vector<IndexEntry> byHash; // sorted; lines of one hash in file order
};

std::mutex lock;
std::map<std::string, std::unique_ptr<Table>> tables;
thread_local bool lookUpsOff = false;

std::uint32_t HashOf(std::string_view identifier) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(identifier));
}

void Index(Table& table) {
    const std::string_view all(table.content);
    std::size_t lineStart = 0;
    while (lineStart < all.size()) {
        std::size_t next = 0;
        const std::string_view line = LineAt(all, lineStart, &next);
        std::string_view identifier;
        std::size_t rest = 0;
        if (NamesId(line, &identifier, &rest))
            table.byHash.push_back({HashOf(identifier), static_cast<std::uint32_t>(lineStart)});
        lineStart = next;
    }
    std::sort(table.byHash.begin(), table.byHash.end());
}

// The first line that names the identifier, where it begins, or nothing. The writer
// writes into that line, so the reader reads it alone.
std::optional<std::size_t> FirstLine(const Table& table, std::string_view identifier) {
    const std::string_view all(table.content);
    const IndexEntry first{HashOf(identifier), 0};
    for (auto entry = std::lower_bound(table.byHash.begin(), table.byHash.end(), first);
         entry != table.byHash.end() && entry->hash == first.hash; ++entry) {
        std::size_t next = 0;
        std::string_view named;
        std::size_t at = 0;
        if (NamesId(LineAt(all, entry->line, &next), &named, &at) && named == identifier)
            return entry->line;
    }
    return std::nullopt;
}

// The display text (the third field) of the identifier's line, or nothing when it has
// none or its line cannot be split.
std::optional<std::string_view> Find(const Table& table, std::string_view identifier) {
    const std::optional<std::size_t> lineStart = FirstLine(table, identifier);
    if (!lineStart)
        return std::nullopt;
    std::size_t next = 0;
    const std::string_view line = LineAt(table.content, *lineStart, &next);
    std::string_view named;
    std::size_t at = 0;
    if (!Identifies(line, &named, &at))
        return std::nullopt;
    FieldUntilBar(line, at); // any text
    return FieldUntilBar(line, at);
}

// The file's table, read straight into the table's own text so that a large table is
// held once. Null when it cannot be read or does not fit in memory.
std::unique_ptr<Table> ReadTable(const char* fileName) {
    try {
        auto table = std::make_unique<Table>();
        if (!TesselEngine::WinAPI::File::ReadAll(fileName, table->content))
            return nullptr;
        Index(*table);
        return table;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The current table of the file, loading it when it is new or changed.
const Table* Load(const char* fileName) {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    if (!TesselEngine::Platform::QueryStamp(fileName, &size, &modified)) {
        // A look-up only reads: a missing table stays missing.
        tables.erase(fileName);
        return nullptr;
    }
    auto& slot = tables[fileName];
    if (slot && slot->size == size && slot->modified == modified)
        return slot.get();

    std::unique_ptr<Table> table = ReadTable(fileName);
    if (!table)
        return nullptr;
    table->size = size;
    table->modified = modified;
    slot = std::move(table);
    return slot.get();
}
} // namespace

LookUpsOff::LookUpsOff() : before(std::exchange(lookUpsOff, true)) {}
LookUpsOff::~LookUpsOff() {
    lookUpsOff = before;
}

std::string LookUp(const char* fileName, std::string_view identifier) {
    if (lookUpsOff)
        return {};
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    if (!table || identifier.empty())
        return {};
    return std::string(Find(*table, identifier).value_or(std::string_view()));
}

bool Contains(const char* fileName, std::string_view identifier) {
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    return table && Find(*table, identifier).has_value();
}

void Clear() {
    std::lock_guard guard(lock);
    tables.clear();
}

void Forget(const char* fileName) {
    std::lock_guard guard(lock);
    tables.erase(fileName);
}

std::size_t UnsplittableLineOf(const char* fileName, std::string_view identifier) {
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    const std::optional<std::size_t> lineStart =
        table ? FirstLine(*table, identifier) : std::nullopt;
    if (!lineStart || Find(*table, identifier))
        return 0;
    std::size_t number = 1;
    for (std::size_t at = 0, next = 0; at < *lineStart; at = next, ++number)
        LineAt(table->content, at, &next);
    return number;
}

std::vector<std::size_t> UnsplittableLines(const char* fileName) {
    std::vector<std::size_t> lines;
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    if (!table)
        return lines;
    const std::string_view all(table->content);
    std::size_t number = 0;
    for (std::size_t lineStart = 0; lineStart < all.size();) {
        std::size_t next = 0;
        const std::string_view line = LineAt(all, lineStart, &next);
        ++number;
        std::string_view identifier;
        std::size_t rest = 0;
        const bool blank = line.find_first_not_of(" \t") == std::string_view::npos;
        if (!blank && !Identifies(line, &identifier, &rest))
            lines.push_back(number);
        lineStart = next;
    }
    return lines;
}

} // namespace VaskEdit::TextTables
