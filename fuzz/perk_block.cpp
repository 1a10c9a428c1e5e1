// The required-perk reader over any text, perk after perk as the info reader calls
// it; every perk read is written into the measured room, as the last of its list and
// as one before others.
#include "FuzzSupport.h"

#include "info/InfoCondition.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::LoadShippedTemplates();
    TesselEngine::IO::Stream source;
    if (!VaskFuzz::CopyToStream(source, data, size))
        return 0;

    for (std::size_t perks = 0;; ++perks) {
        FUZZ_EXPECT(perks <= size);
        VaskEdit::InfoRequiredPerk perk;
        const std::uint32_t before = source.GetPosition();
        if (!VaskEdit::ReadRequiredPerk(source, perk))
            break;
        FUZZ_EXPECT(source.GetPosition() > before);
        for (const bool last : {false, true}) {
            TesselEngine::IO::Stream output;
            FUZZ_EXPECT(output.Allocate(VaskEdit::MeasureRequiredPerk(nullptr, perk)));
            FUZZ_EXPECT(VaskEdit::WriteRequiredPerk(output, perk, last));
            // The perk template's last line ends every written perk.
            const std::string_view written(output.GetBuffer(), output.GetPosition());
            FUZZ_EXPECT(written.ends_with(last ? "}\r\n" : "},\r\n"));
        }
    }
    return 0;
}
