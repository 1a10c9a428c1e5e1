// The split of any combined document, as "w_info.hdrdoc" in a workspace with an empty
// "Infos/": every step ends, every piece written is a run of the document's bytes in a
// file named after a valid info name, and no temporary file is left behind.
#include "FuzzSupport.h"

#include "info/InfoFileName.h"
#include "library/InfoManager.h"

#include <filesystem>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (VaskFuzz::SilenceDiagnostics(), true);
    (void)quiet;
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::RemoveTree("Infos");
    VaskFuzz::WriteBytes("w_info.hdrdoc", data, size);

    using VaskEdit::InfoManager;
    if (InfoManager::LoadInfoStream()) {
        std::size_t steps = 0;
        while (InfoManager::SplitSingleFromHdrdoc())
            FUZZ_EXPECT(++steps <= size); // every info takes bytes of its own
    }
    InfoManager::InfoStream.Free();

    const std::string_view document(reinterpret_cast<const char*>(data), size);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("Infos", ignored)) {
        const std::string name = entry.path().filename().string();
        FUZZ_EXPECT(name.ends_with(".vaskinfo"));
        FUZZ_EXPECT(VaskEdit::IsValidInfoName(name.substr(0, name.size() - 9)));
        const std::string piece = VaskFuzz::ReadBytes(entry.path().string());
        FUZZ_EXPECT(!piece.empty() && document.find(piece) != std::string_view::npos);
    }
    return 0;
}
