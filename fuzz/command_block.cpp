// The command block reader over any text, as the info reader calls it: block after
// block until none follows. Every block read is measured and written as the info
// writer would, into the room that the measure gives; every read moves on.
#include "FuzzSupport.h"

#include "info/InfoCommand.h"
#include "info/TextTable.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::LoadShippedTemplates();
    VaskEdit::TextTables::Clear();
    TesselEngine::IO::Stream source;
    if (!VaskFuzz::CopyToStream(source, data, size))
        return 0;

    for (std::size_t blocks = 0;; ++blocks) {
        FUZZ_EXPECT(blocks <= size); // a block takes at least one byte
        VaskEdit::InfoCommand command;
        const std::uint32_t before = source.GetPosition();
        if (!VaskEdit::ReadCommandBlock(source, command))
            break;
        FUZZ_EXPECT(source.GetPosition() > before);
        const std::uint32_t room = VaskEdit::MeasureCommand(nullptr, command);
        TesselEngine::IO::Stream output;
        if (room == 0)
            continue;
        FUZZ_EXPECT(output.Allocate(room));
        FUZZ_EXPECT(VaskEdit::WriteCommandBlock(output, command));
        const std::string_view written(output.GetBuffer(), output.GetPosition());
        if (!command.PreservedBlock.empty())
            FUZZ_EXPECT(written == command.PreservedBlock); // a kept block comes back unchanged
        else if (VaskEdit::IsSupportedCommandType(command.CommandTypeIndex))
            FUZZ_EXPECT(written.ends_with("}\r\n")); // the template's last line: all of it fit
    }
    return 0;
}
