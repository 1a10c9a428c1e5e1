// The "templatecache" reader on any file. Its records, written by the cache writer and
// read again, come back unchanged.
#include "FuzzSupport.h"

#include "library/TemplateManager.h"

#include <vector>

namespace {
using VaskEdit::TemplateManager;

std::vector<std::string> Fields() {
    std::vector<std::string> fields;
    for (const auto& record : TemplateManager::TemplateCache) {
        fields.push_back(record.File.Str());
        fields.push_back(record.Name.Str());
        fields.push_back(record.GUID.Str());
    }
    return fields;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::WriteBytes("templatecache", data, size);

    const bool read = TemplateManager::ReadCache();
    FUZZ_EXPECT(read == (size > 0));
    const std::vector<std::string> first = Fields();
    FUZZ_EXPECT(first.size() / 3 <= size); // every record takes at least one byte

    FUZZ_EXPECT(TemplateManager::WriteCache());
    TemplateManager::ReadCache();
    FUZZ_EXPECT(Fields() == first);

    // The first record is found by its name and by its GUID.
    if (!first.empty()) {
        FUZZ_EXPECT(TemplateManager::FindTemplate(first[1].c_str(), nullptr) == 0);
        FUZZ_EXPECT(TemplateManager::FindTemplate(nullptr, first[2].c_str()) == 0);
    }
    return 0;
}
