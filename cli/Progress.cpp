#include "Progress.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define VASK_ISATTY _isatty
#define VASK_FILENO _fileno
#else
#include <unistd.h>
#define VASK_ISATTY isatty
#define VASK_FILENO fileno
#endif

namespace VaskCli {

Progress::Progress(std::string label)
    : label(std::move(label)), drawing(VASK_ISATTY(VASK_FILENO(stderr)) != 0) {}

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
