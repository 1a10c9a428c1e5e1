#include "tools/Settings.h"

#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/Stream.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

namespace VaskEdit {

std::string Settings::path_vaskresman;
std::string Settings::exe_showhelp = DefaultHelpProgram;

void Settings::RestoreDefaults() {
    path_vaskresman.clear();
    exe_showhelp = DefaultHelpProgram;
}

namespace {

constexpr const char* SettingsFileName = "Settings.ini";
constexpr std::string_view PathKey = "VASKRESMAN_PATH";
constexpr std::string_view HelpKey = "SHOWHELP_EXE";
constexpr std::string_view PathLead = "VASKRESMAN_PATH = ";
constexpr std::string_view HelpLead = ", \nSHOWHELP_EXE = ";
constexpr std::string_view Closing = ",";

void CopyCut(const std::string& value, char* buffer, std::size_t size) {
    if (!buffer || size == 0)
        return;
    const std::size_t n = std::min(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The position just behind "key =" (blanks allowed around the "="), or npos.
std::size_t AfterKey(std::string_view text, std::string_view key, std::size_t at) {
    if (at == std::string_view::npos || text.compare(at, key.size(), key) != 0)
        return std::string_view::npos;
    at += key.size();
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at < text.size() && text[at] == '=' ? at + 1 : std::string_view::npos;
}

// A value ends with the comma of the layout; the blanks around it are the layout's
// too. Blanks and commas inside the value belong to it (a path such as
// "C:/Program Files/...").
std::string_view ValueOf(std::string_view region) {
    region = TrimBlanks(region);
    if (!region.empty() && region.back() == ',')
        region.remove_suffix(1);
    return TrimBlanks(region.substr(0, region.find('\0')));
}

bool WriteView(TesselEngine::IO::Stream& out, std::string_view text) {
    return out.WriteData(text.data(), static_cast<std::uint32_t>(text.size()));
}

// Leaves the reason of a failed read or write of the file; false, for the caller.
bool Failed(TesselEngine::Operation operation, TesselEngine::Cause cause, int code = 0) {
    TesselEngine::SetFailure({operation, SettingsFileName, cause, code, {}});
    return false;
}

struct Values {
    std::string_view path;
    std::string_view help;
};

// The two values of the file as the writer lays them out, whole; nothing (with the
// reason left) when the file is missing, unreadable or laid out otherwise.
std::optional<std::string> ReadFileBytes() {
    TesselEngine::WinAPI::File file{Char256(SettingsFileName)};
    TesselEngine::IO::Stream in;
    const bool read = file.LoadWhole(in);
    if (!read)
        return std::nullopt;
    return std::string(in.GetBuffer() ? in.GetBuffer() : "", in.GetSize());
}

std::optional<Values> Parse(std::string_view text) {
    const std::size_t pathStart = AfterKey(text, PathKey, 0);
    const std::size_t helpKey =
        pathStart == std::string_view::npos ? pathStart : text.find(HelpKey, pathStart);
    const std::size_t helpStart = AfterKey(text, HelpKey, helpKey);
    if (helpStart == std::string_view::npos) {
        Failed(TesselEngine::Operation::Read, TesselEngine::Cause::BadContent);
        return std::nullopt;
    }
    return Values{ValueOf(text.substr(pathStart, helpKey - pathStart)),
                  ValueOf(text.substr(helpStart))};
}

// False, with the reason left, when a value is longer than its setting holds.
bool Fit(TesselEngine::Operation operation, std::string_view path, std::string_view help) {
    if (path.size() > Settings::PathCapacity)
        return Failed(operation, TesselEngine::Cause::TooLong, int(Settings::PathCapacity));
    if (help.size() > Settings::HelpCapacity)
        return Failed(operation, TesselEngine::Cause::TooLong, int(Settings::HelpCapacity));
    return true;
}

bool Write(std::string_view path, std::string_view help) {
    if (!Fit(TesselEngine::Operation::Save, path, help))
        return false;
    TesselEngine::IO::Stream out;
    if (!out.Allocate(1024))
        return Failed(TesselEngine::Operation::Save, TesselEngine::Cause::OutOfMemory);
    const bool filled = WriteView(out, PathLead) && WriteView(out, path) &&
                        WriteView(out, HelpLead) && WriteView(out, help) && WriteView(out, Closing);
    if (!filled)
        return Failed(TesselEngine::Operation::Save, TesselEngine::Cause::TooLarge);
    out.TrimTrailingZeros();
    return TesselEngine::WinAPI::File::SaveWithBackup(SettingsFileName, out.GetBuffer(),
                                                      out.GetSize());
}

} // namespace

void Settings::GetPath_Vaskresman(char* buffer, std::size_t size) {
    CopyCut(path_vaskresman, buffer, size);
}

void Settings::GetExe_Showhelp(char* buffer, std::size_t size) {
    CopyCut(exe_showhelp, buffer, size);
}

bool FileManager::ReadSettings(WriteSettingsStruct& settings) {
    const std::optional<std::string> bytes = ReadFileBytes();
    const std::optional<Values> values = bytes ? Parse(*bytes) : std::nullopt;
    if (!values || !Fit(TesselEngine::Operation::Read, values->path, values->help))
        return false;
    settings.ResourceToolPath.Assign(values->path.data(), values->path.size());
    settings.HelpProgram.Assign(values->help.data(), values->help.size());
    return true;
}

bool FileManager::WriteSettings(const WriteSettingsStruct& settings) {
    return Write(settings.ResourceToolPath.View(), settings.HelpProgram.View());
}

bool FileManager::LoadSettings() {
    const std::optional<std::string> bytes = ReadFileBytes();
    const std::optional<Values> values = bytes ? Parse(*bytes) : std::nullopt;
    if (!values)
        return false;
    Settings::path_vaskresman = values->path;
    Settings::exe_showhelp = values->help;
    return Fit(TesselEngine::Operation::Read, values->path, values->help);
}

bool FileManager::SaveSettings() {
    return Write(Settings::path_vaskresman, Settings::exe_showhelp);
}

} // namespace VaskEdit
