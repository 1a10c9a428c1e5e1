// Diagnostic lines of library steps (a skipped split piece, the files of the owner
// extraction). They go to standard output unless a front end sends them elsewhere,
// as the command-line tool does to keep standard output for its rows.
#pragma once

namespace TesselEngine::Diagnostics {

// printf-style; the text is written as it is, with no line end added.
void Print(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

void UseStandardError(bool toStandardError);

} // namespace TesselEngine::Diagnostics
