// What every harness needs: a scratch working directory of its own (the library works
// relative to the current directory), the shipped resource templates, input bytes as
// a file or a stream, and checks that stop the run so that libFuzzer keeps the input.
#pragma once

#include "engine/Stream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace VaskFuzz {

// Moves the process into a fresh directory under $TMPDIR (once); it is removed at exit.
void EnterScratchDirectory();

// Loads the resource templates from the source tree (once); aborts when they are missing.
void LoadShippedTemplates();

// Sends the library's diagnostic lines (one per skipped split piece) nowhere.
void SilenceDiagnostics();

// Replaces the file's content with the bytes, creating its directory when needed.
void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size);
std::string ReadBytes(const std::string& path);

// Removes the directory and everything in it, if it exists.
void RemoveTree(const std::string& path);

// A stream holding a copy of the bytes; false (and an empty stream) for no bytes.
bool CopyToStream(TesselEngine::IO::Stream& stream, const std::uint8_t* data, std::size_t size);

// Reports the broken expectation and aborts: libFuzzer records the input as a crash.
[[noreturn]] void Fail(const char* file, int line, const char* expectation);

} // namespace VaskFuzz

#define FUZZ_EXPECT(condition)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::VaskFuzz::Fail(__FILE__, __LINE__, #condition);                                      \
    } while (false)
