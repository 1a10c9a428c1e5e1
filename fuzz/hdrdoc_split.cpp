// The split of any combined document, as "w_info.hdrdoc" in a workspace with an empty
// "Infos/": every step ends, every piece written is a run of the document's bytes in a
// file named after a valid info name, holding one info and never the document's closer;
// and what the merge makes of the pieces splits back into the same pieces.
#include "FuzzSupport.h"

#include "info/InfoFileName.h"
#include "library/DocumentFraming.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string_view>

namespace {
using VaskEdit::InfoManager;

// Splits "w_info.hdrdoc" into a fresh "Infos/"; the pieces written, by file name.
std::map<std::string, std::string> Split(std::size_t limit) {
    VaskFuzz::RemoveTree("Infos");
    if (InfoManager::LoadInfoStream()) {
        std::size_t steps = 0;
        while (InfoManager::SplitSingleFromHdrdoc())
            FUZZ_EXPECT(++steps <= limit); // every info takes bytes of its own
    }
    InfoManager::InfoStream.Free();
    std::map<std::string, std::string> pieces;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("Infos", ignored))
        pieces[entry.path().filename().string()] = VaskFuzz::ReadBytes(entry.path().string());
    return pieces;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (VaskFuzz::SilenceDiagnostics(), true);
    (void)quiet;
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::WriteBytes("w_info.hdrdoc", data, size);

    const std::string_view document(reinterpret_cast<const char*>(data), size);
    const VaskEdit::DocumentFrame frame = VaskEdit::FrameDocument(document);
    const auto pieces = Split(size);
    for (const auto& [name, piece] : pieces) {
        FUZZ_EXPECT(name.ends_with(".vaskinfo"));
        FUZZ_EXPECT(VaskEdit::IsValidInfoName(name.substr(0, name.size() - 9)));
        const std::size_t at = document.find(piece);
        FUZZ_EXPECT(!piece.empty() && at != std::string_view::npos);
        FUZZ_EXPECT(VaskEdit::FrameDocument(piece).infos.size() == 1);
        FUZZ_EXPECT(!frame.closer || std::none_of(frame.infos.begin(), frame.infos.end(),
                                                  [&](const VaskEdit::FramedInfo& info) {
                                                      return info.begin <= frame.closerAt &&
                                                             frame.closerAt < info.end;
                                                  }));
    }

    // split(merge(pieces)) == pieces, but for the line ends that the merge adds and the
    // pieces it names as not coming back.
    VaskFuzz::RemoveTree("Output");
    const VaskEdit::Jobs::Outcome merged = VaskEdit::Jobs::Merge({}, {});
    FUZZ_EXPECT(merged.succeeded);
    std::filesystem::rename("Output/new_info.hdrdoc", "w_info.hdrdoc");
    const auto again = Split(size + 2 * pieces.size() + 32);
    for (const auto& entry : pieces) {
        const std::string& name = entry.first;
        const std::string& piece = entry.second;
        const auto named = [&](const std::string& line) { return line.starts_with(name + " ("); };
        if (std::any_of(merged.notSplittable.begin(), merged.notSplittable.end(), named))
            continue;
        const bool lineEndAdded = !VaskEdit::EndsWithLineEnd(piece);
        FUZZ_EXPECT(again.count(name) && again.at(name) == (lineEndAdded ? piece + "\r\n" : piece));
    }
    return 0;
}
