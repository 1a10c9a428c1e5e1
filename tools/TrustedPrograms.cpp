#include "tools/TrustedPrograms.h"

#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/platform/Platform.h"

#include <filesystem>
#include <sstream>
#include <vector>

namespace VaskEdit::TrustedPrograms {

namespace {

namespace fs = std::filesystem;
using TesselEngine::Cause;
using TesselEngine::Operation;

constexpr const char* Heading = "# Programs confirmed to run: size, last-write time, path\n";

// One line a program: "size time path". A file that is missing or cannot be read
// confirms nothing, so every program asks (again).
std::vector<Program> ReadStore() {
    std::vector<Program> programs;
    const std::string store = StoreFile();
    if (store.empty())
        return programs;
    std::string bytes;
    TesselEngine::WinAPI::File::ReadAll(store.c_str(), bytes);
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Program program;
        if (!(fields >> program.size >> program.modified) || fields.get() != ' ')
            continue;
        std::getline(fields, program.path);
        if (!program.path.empty())
            programs.push_back(std::move(program));
    }
    return programs;
}

bool Refused(const std::string& path, Cause cause, int code = 0) {
    TesselEngine::SetFailure({Operation::Save, path, cause, code, {}});
    return false;
}

} // namespace

std::string StoreFile() {
    const std::string folder = TesselEngine::Platform::UserSettingsFolder();
    return folder.empty() ? folder : (fs::path(folder) / "trusted-programs").string();
}

std::optional<Program> Identify(const std::string& name) {
    const std::string file = TesselEngine::Platform::FindProgramFile(name);
    if (file.empty())
        return std::nullopt;
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(file), error);
    if (error)
        return std::nullopt;
    Program program;
    program.path = absolute.lexically_normal().string();
    if (!TesselEngine::Platform::QueryStamp(program.path.c_str(), &program.size, &program.modified))
        return std::nullopt;
    return program;
}

bool IsConfirmed(const Program& program) {
    for (const Program& confirmed : ReadStore()) {
        if (confirmed == program)
            return true;
    }
    return false;
}

bool Confirm(const Program& program) {
    const std::string store = StoreFile();
    if (store.empty())
        return Refused("trusted-programs", Cause::NotFound);
    // A line per program: a path that breaks a line cannot be kept apart from the next.
    if (program.path.empty() || program.path.find_first_of("\r\n") != std::string::npos)
        return Refused(program.path, Cause::InvalidName);
    std::error_code error;
    fs::create_directories(fs::path(store).parent_path(), error);
    if (error)
        return Refused(fs::path(store).parent_path().string(), Cause::Other, error.value());
    std::string text = Heading;
    for (const Program& kept : ReadStore()) {
        if (kept.path != program.path) // an older stamp of the same path is worth nothing
            text += std::to_string(kept.size) + ' ' + std::to_string(kept.modified) + ' ' +
                    kept.path + '\n';
    }
    text += std::to_string(program.size) + ' ' + std::to_string(program.modified) + ' ' +
            program.path + '\n';
    return TesselEngine::WinAPI::File::SaveAtomically(store.c_str(), text.data(), text.size());
}

} // namespace VaskEdit::TrustedPrograms
