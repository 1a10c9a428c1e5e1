// The info reader on any file, then the writer on what it read. Neither may crash; the
// writer's measured room must hold the whole record (its output ends with the info
// template's last line, which is written last); and saving settles: opening and saving
// the saved file again soon changes nothing more. (A damaged file may take a few saves:
// a quoted member read at its full capacity loses the byte that its opening quote took
// on the next read, and a kept block that was cut short of its closing brace takes in
// the list's closing line on the next.)
#include "FuzzSupport.h"

#include "info/TextTable.h"
#include "info/VaskInfo.h"

#include <string_view>

namespace {
std::string_view Text(const TesselEngine::IO::Stream& stream) {
    return {stream.GetBuffer(), stream.GetSize()};
}

// Reads the saved text into a fresh record and saves that.
bool Resave(TesselEngine::IO::Stream& saved, TesselEngine::IO::Stream& output) {
    VaskEdit::VaskInfo info;
    info.LoadFromStream(saved);
    return info.WriteToStream(output);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::LoadShippedTemplates();
    VaskFuzz::WriteBytes("input.vaskinfo", data, size);
    VaskEdit::TextTables::Clear();

    VaskEdit::VaskInfo info;
    FUZZ_EXPECT(info.LoadFromAbsolutePath("input.vaskinfo"));
    TesselEngine::IO::Stream first;
    FUZZ_EXPECT(info.WriteToStream(first));

    const TesselEngine::IO::Stream& templ = VaskEdit::VaskInfo::EmptyInfoStream;
    const std::string_view lastLine = Text(templ).substr(templ.GetSize() - 9); // "\r\n    }\r\n"
    FUZZ_EXPECT(Text(first).ends_with(lastLine));

    TesselEngine::IO::Stream saves[4];
    FUZZ_EXPECT(Resave(first, saves[0]));
    bool settled = false;
    for (int i = 1; i < 4 && !settled; ++i) {
        FUZZ_EXPECT(Resave(saves[i - 1], saves[i]));
        settled = Text(saves[i]) == Text(saves[i - 1]);
    }
    FUZZ_EXPECT(settled);
    return 0;
}
