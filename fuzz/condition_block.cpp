// The condition block reader over any text, block after block as the info reader
// calls it; every block read is measured and written into the measured room, and
// every read moves on.
#include "FuzzSupport.h"

#include "info/InfoCondition.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::LoadShippedTemplates();
    TesselEngine::IO::Stream source;
    if (!VaskFuzz::CopyToStream(source, data, size))
        return 0;

    for (std::size_t blocks = 0;; ++blocks) {
        FUZZ_EXPECT(blocks <= size);
        VaskEdit::InfoCondition condition;
        const std::uint32_t before = source.GetPosition();
        if (!VaskEdit::ReadConditionBlock(source, condition))
            break;
        FUZZ_EXPECT(source.GetPosition() > before);
        const std::uint32_t room = VaskEdit::MeasureCondition(nullptr, condition);
        if (room == 0)
            continue;
        TesselEngine::IO::Stream output;
        FUZZ_EXPECT(output.Allocate(room));
        FUZZ_EXPECT(VaskEdit::WriteConditionBlock(output, condition));
        const std::string_view written(output.GetBuffer(), output.GetPosition());
        if (!condition.PreservedBlock.empty())
            FUZZ_EXPECT(written == condition.PreservedBlock); // a kept block comes back unchanged
        else if (VaskEdit::IsSupportedConditionType(condition.ConditionTypeIndex))
            FUZZ_EXPECT(written.ends_with("}\r\n")); // the template's last line: all of it fit
    }
    return 0;
}
