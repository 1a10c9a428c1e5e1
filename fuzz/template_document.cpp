// The template document scan on any document: one ".vasktpldoc" in "Templates/" gives
// one cache record named after its file; the name holds no ";" or double quote, the
// GUID no ";" and it keeps its opening brace; and the record goes through the cache
// file unchanged but for the commas that the file cannot hold.
#include "FuzzSupport.h"

#include "library/TemplateManager.h"

#include <algorithm>
#include <string>

namespace {
std::string WithoutCommas(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::RemoveTree("Templates");
    VaskFuzz::WriteBytes("Templates/It_Fuzzed.vasktpldoc", data, size);

    using VaskEdit::TemplateManager;
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::InitializeDirectory(true);
    while (TemplateManager::GenerateCacheEntry()) {
    }
    FUZZ_EXPECT(TemplateManager::SkippedFiles() == 0);
    FUZZ_EXPECT(TemplateManager::TemplateCache.GetSize() == 1);
    const VaskEdit::VaskTemplateCache record = TemplateManager::TemplateCache[0];
    FUZZ_EXPECT(record.File.View() == "It_Fuzzed");
    FUZZ_EXPECT(record.Name.View().find_first_of(";\"") == std::string_view::npos);
    FUZZ_EXPECT(record.GUID.View().find(';') == std::string_view::npos);
    FUZZ_EXPECT(record.GUID.IsEmpty() || record.GUID.data[0] == '{');

    FUZZ_EXPECT(TemplateManager::WriteCache());
    FUZZ_EXPECT(TemplateManager::ReadCache());
    FUZZ_EXPECT(TemplateManager::TemplateCache.GetSize() == 1);
    const VaskEdit::VaskTemplateCache& back = TemplateManager::TemplateCache[0];
    FUZZ_EXPECT(back.Name.Str() == WithoutCommas(record.Name.Str()));
    FUZZ_EXPECT(back.GUID.Str() == WithoutCommas(record.GUID.Str()));
    return 0;
}
