#include "FuzzSupport.h"

#include "engine/Diagnostics.h"
#include "info/ResourceTemplates.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace VaskFuzz {

namespace {
fs::path scratch;

void RemoveScratch() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(ignored), ignored);
    fs::remove_all(scratch, ignored);
}
} // namespace

void EnterScratchDirectory() {
    if (!scratch.empty())
        return;
    // mkdtemp replaces the six trailing placeholder characters with a unique name.
    std::string pattern =
        (fs::temp_directory_path() / "vaskedit-fuzz-").string() + std::string(6, 'X');
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    scratch = pattern;
    fs::current_path(scratch);
    std::atexit(RemoveScratch);
}

void LoadShippedTemplates() {
    static bool loaded = false;
    if (loaded)
        return;
    VaskEdit::SetResourceRoot(std::string(VASK_SOURCE_ROOT) + "/");
    if (!VaskEdit::LoadResourceTemplates()) {
        std::fprintf(stderr, "The resource templates under %s/Resources did not load.\n",
                     VASK_SOURCE_ROOT);
        std::abort();
    }
    loaded = true;
}

void SilenceDiagnostics() {
    // libFuzzer reports on standard error; the library's lines go to standard output.
    TesselEngine::Diagnostics::UseStandardError(false);
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
}

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        Fail(__FILE__, __LINE__, "the input file could be written");
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

bool CopyToStream(TesselEngine::IO::Stream& stream, const std::uint8_t* data, std::size_t size) {
    stream.Free();
    if (size == 0 || size > 0xFFFFFFFFu)
        return false;
    if (!stream.Allocate(static_cast<std::uint32_t>(size)))
        return false;
    std::memcpy(stream.GetBuffer(), data, size);
    return true;
}

void Fail(const char* file, int line, const char* expectation) {
    std::fprintf(stderr, "%s:%d: expectation broken: %s\n", file, line, expectation);
    std::abort();
}

} // namespace VaskFuzz
