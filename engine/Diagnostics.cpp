#include "engine/Diagnostics.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace TesselEngine::Diagnostics {

namespace {
std::atomic<bool> toError{false};
}

void Print(const char* format, ...) {
    std::FILE* sink = toError ? stderr : stdout;
    va_list args;
    va_start(args, format);
    std::vfprintf(sink, format, args);
    va_end(args);
    std::fflush(sink);
}

void UseStandardError(bool toStandardError) {
    toError = toStandardError;
}

} // namespace TesselEngine::Diagnostics
