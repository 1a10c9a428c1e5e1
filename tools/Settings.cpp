#include "tools/Settings.h"

#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/Stream.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace VaskEdit {

namespace {
constexpr const char* DefaultHelpProgram = "firefox.exe";
}

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

// Always leaves a terminator, so that the record's texts can be used as C strings. A
// value cut there loses the blanks at its new end, as the reader would on the next read.
template <std::size_t N> void Store(TesselEngine::FixedText<N>& field, std::string_view value) {
    const std::string_view kept = TrimBlanks(value.substr(0, std::min(value.size(), N - 1)));
    field.Assign(kept.data(), kept.size());
}

template <std::size_t N> std::string_view Stored(const TesselEngine::FixedText<N>& field) {
    const std::string_view text = field.View();
    return text.substr(0, std::min(text.size(), N - 1));
}

// Leaves the reason of a failed read or write of the file; false, for the caller.
bool Failed(TesselEngine::Operation operation, TesselEngine::Cause cause) {
    TesselEngine::SetFailure(operation, SettingsFileName, cause);
    return false;
}

bool WriteView(TesselEngine::IO::Stream& out, std::string_view text) {
    return out.WriteData(text.data(), static_cast<std::uint32_t>(text.size()));
}

} // namespace

void Settings::GetPath_Vaskresman(char* buffer, std::size_t size) {
    CopyCut(path_vaskresman, buffer, size);
}

void Settings::GetExe_Showhelp(char* buffer, std::size_t size) {
    CopyCut(exe_showhelp, buffer, size);
}

bool FileManager::ReadSettings(WriteSettingsStruct& settings) {
    TesselEngine::WinAPI::File file{Char256(SettingsFileName)};
    if (!file.OpenRead())
        return false;
    TesselEngine::IO::Stream in;
    const bool read = file.ReadStream(in);
    file.Close();
    if (!read)
        return false;
    const std::string_view text(in.GetBuffer(), in.GetSize());
    const std::size_t pathStart = AfterKey(text, PathKey, 0);
    const std::size_t helpKey =
        pathStart == std::string_view::npos ? pathStart : text.find(HelpKey, pathStart);
    const std::size_t helpStart = AfterKey(text, HelpKey, helpKey);
    if (helpStart == std::string_view::npos)
        return Failed(TesselEngine::Operation::Read, TesselEngine::Cause::BadContent);
    Store(settings.ResourceToolPath, ValueOf(text.substr(pathStart, helpKey - pathStart)));
    Store(settings.HelpProgram, ValueOf(text.substr(helpStart)));
    return true;
}

bool FileManager::WriteSettings(const WriteSettingsStruct& settings) {
    TesselEngine::IO::Stream out;
    if (!out.Allocate(1024))
        return Failed(TesselEngine::Operation::Save, TesselEngine::Cause::OutOfMemory);
    const bool filled = WriteView(out, PathLead) &&
                        WriteView(out, Stored(settings.ResourceToolPath)) &&
                        WriteView(out, HelpLead) && WriteView(out, Stored(settings.HelpProgram)) &&
                        WriteView(out, Closing);
    if (!filled)
        return Failed(TesselEngine::Operation::Save, TesselEngine::Cause::TooLarge);
    out.TrimTrailingZeros();
    return TesselEngine::WinAPI::File::SaveWithBackup(SettingsFileName, out.GetBuffer(),
                                                      out.GetSize());
}

} // namespace VaskEdit
