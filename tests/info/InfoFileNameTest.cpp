// Which info names may become file names: every byte is tried, so that each member of
// the forbidden set is refused and nothing else is.
#include "info/InfoFileName.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

using VaskEdit::IsValidInfoName;

TEST(InfoFileName, EveryForbiddenByteIsRefusedWhereverItStandsAndNoOtherIs) {
    const std::string_view forbidden = "/\\:*?\"<>|";
    for (int value = 1; value < 256; ++value) {
        const char c = static_cast<char>(value);
        const bool allowed = value >= 0x20 && forbidden.find(c) == std::string_view::npos;
        SCOPED_TRACE(value);
        EXPECT_EQ(IsValidInfoName(std::string(1, c) + "ab"), allowed);
        EXPECT_EQ(IsValidInfoName(std::string("a") + c + "b"), allowed);
        EXPECT_EQ(IsValidInfoName(std::string("ab") + c), allowed);
    }
    EXPECT_FALSE(IsValidInfoName(std::string("a\0b", 3)));
    for (const char* bad : {"", ".", ".."})
        EXPECT_FALSE(IsValidInfoName(bad)) << bad;
    EXPECT_TRUE(IsValidInfoName("...")); // only the two folder links are special
}

TEST(InfoFileName, WindowsDeviceNamesAreRefusedInAnyCaseAndWithAnyExtension) {
    for (const char* device : {"CON", "prn", "Aux.vaskinfo", "NUL ", "COM1", "lpt9.x"})
        EXPECT_FALSE(IsValidInfoName(device)) << device;
    for (const char* name : {"CONSOLE", "COM0", "COM10", "LPT", "Nullify", "X.NUL"})
        EXPECT_TRUE(IsValidInfoName(name)) << name;
}
