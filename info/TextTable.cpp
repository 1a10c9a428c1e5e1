#include "info/TextTable.h"
#include "engine/File.h"

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace VaskEdit::TextTables {

namespace {
struct Table {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::string content; // the file's bytes; the index points into it
    std::unordered_map<std::string_view, std::string_view> displayById;
};

std::mutex lock;
std::map<std::string, std::unique_ptr<Table>> tables;
unsigned long reads = 0;

std::string_view FieldUntilBar(std::string_view line, std::size_t& at) {
    const std::size_t bar = line.find('|', at);
    const std::size_t end = bar == std::string_view::npos ? line.size() : bar;
    std::string_view field = line.substr(at, end - at);
    at = bar == std::string_view::npos ? line.size() : bar + 1;
    return field;
}

void Index(Table& table) {
    std::string_view all(table.content);
    std::size_t lineStart = 0;
    while (lineStart < all.size()) {
        std::size_t lineEnd = all.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = all.size();
        std::string_view line = all.substr(lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::size_t at = 0;
        const std::string_view id = FieldUntilBar(line, at);
        if (!id.empty() && at < line.size()) {
            FieldUntilBar(line, at); // any text
            const std::string_view display = FieldUntilBar(line, at);
            table.displayById.emplace(id, display); // the first line of an identifier wins
        }
        lineStart = lineEnd + 1;
    }
}

// The current table of the file, loading it when it is new or changed.
const Table* Load(const char* fileName) {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    if (!TesselEngine::Platform::QueryStamp(fileName, &size, &modified)) {
        TesselEngine::WinAPI::File missing{TesselEngine::Char256(fileName)};
        if (missing.OpenOrCreate())
            missing.Close();
        tables.erase(fileName);
        return nullptr;
    }
    auto& slot = tables[fileName];
    if (slot && slot->size == size && slot->modified == modified)
        return slot.get();

    auto table = std::make_unique<Table>();
    TesselEngine::WinAPI::File file{TesselEngine::Char256(fileName)};
    if (!file.OpenRead())
        return nullptr;
    TesselEngine::IO::Stream stream;
    const bool read = file.ReadStream(stream);
    file.Close();
    if (!read)
        return nullptr;
    ++reads;
    table->size = size;
    table->modified = modified;
    table->content.assign(stream.GetBuffer() ? stream.GetBuffer() : "", stream.GetSize());
    Index(*table);
    slot = std::move(table);
    return slot.get();
}
} // namespace

std::string LookUp(const char* fileName, std::string_view identifier) {
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    if (!table || identifier.empty())
        return {};
    const auto found = table->displayById.find(identifier);
    return found == table->displayById.end() ? std::string() : std::string(found->second);
}

bool Contains(const char* fileName, std::string_view identifier) {
    std::lock_guard guard(lock);
    const Table* table = Load(fileName);
    return table && table->displayById.count(identifier) > 0;
}

unsigned long ReadCount() {
    std::lock_guard guard(lock);
    return reads;
}

void Clear() {
    std::lock_guard guard(lock);
    tables.clear();
}

} // namespace VaskEdit::TextTables
