// The "infocache" reader on any file. Its records, written by the cache writer and
// read again, come back unchanged: the writer and the reader agree on every record
// that a damaged file can give.
#include "FuzzSupport.h"

#include "library/InfoManager.h"

#include <vector>

namespace {
using VaskEdit::InfoManager;

std::vector<std::string> Fields() {
    std::vector<std::string> fields;
    for (const auto& record : InfoManager::InfoFileCache) {
        fields.push_back(record.Name.Str());
        fields.push_back(record.Owner.Str());
        fields.push_back(record.Quest.Str());
    }
    return fields;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::WriteBytes("infocache", data, size);

    const bool read = InfoManager::ReadInfoCache();
    FUZZ_EXPECT(read == (size > 0));
    const std::vector<std::string> first = Fields();
    FUZZ_EXPECT(first.size() / 3 <= size); // every record takes at least one byte

    FUZZ_EXPECT(InfoManager::WriteInfoCache());
    InfoManager::ReadInfoCache(); // false for an empty cache, which writes an empty file
    FUZZ_EXPECT(Fields() == first);
    return 0;
}
