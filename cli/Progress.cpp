#include "Progress.h"

#include "engine/platform/Platform.h"

#include <cstdio>

namespace VaskCli {

Progress::Progress(std::string label)
    : label(std::move(label)), drawing(TesselEngine::Platform::IsTerminal(stderr)) {}

Progress::~Progress() {
    if (drawing && shown >= 0)
        std::fputs("\n", stderr);
}

void Progress::Report(int percent) {
    if (!drawing || percent == shown)
        return;
    shown = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    constexpr int Width = 30;
    const int filled = shown * Width / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label.c_str(), filled,
                 "##############################", Width - filled, "", shown);
    std::fflush(stderr);
}

} // namespace VaskCli
