// The "Settings.ini" reader on any file. A file it accepts gives settings that the
// writer stores and the reader gives back unchanged; a file it refuses leaves the
// record untouched.
#include "FuzzSupport.h"

#include "tools/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::WriteBytes("Settings.ini", data, size);

    VaskEdit::WriteSettingsStruct settings;
    settings.ResourceToolPath = VaskEdit::Char256("untouched path");
    settings.HelpProgram = VaskEdit::Char48("untouched help");
    if (!VaskEdit::FileManager::ReadSettings(settings)) {
        FUZZ_EXPECT(settings.ResourceToolPath.View() == "untouched path");
        FUZZ_EXPECT(settings.HelpProgram.View() == "untouched help");
        return 0;
    }
    // Both texts end before the last byte of their field, so they can be used as C strings.
    FUZZ_EXPECT(settings.ResourceToolPath.Length() < 256);
    FUZZ_EXPECT(settings.HelpProgram.Length() < 48);

    FUZZ_EXPECT(VaskEdit::FileManager::WriteSettings(settings));
    VaskEdit::WriteSettingsStruct again;
    FUZZ_EXPECT(VaskEdit::FileManager::ReadSettings(again));
    FUZZ_EXPECT(again.ResourceToolPath.View() == settings.ResourceToolPath.View());
    FUZZ_EXPECT(again.HelpProgram.View() == settings.HelpProgram.View());
    return 0;
}
