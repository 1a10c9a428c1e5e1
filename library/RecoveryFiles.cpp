#include "library/RecoveryFiles.h"

#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/platform/Platform.h"
#include "info/InfoFileName.h"
#include "info/InfoRefConversion.h"
#include "info/MemberTable.h"
#include "info/VaskInfo.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string_view>
#include <system_error>

namespace VaskEdit {

namespace {

constexpr std::string_view Header = "VaskEdit recovery 1";
constexpr std::string_view EndLine = "[End]";

#ifdef _WIN32
constexpr char Separator = '\\';
#else
constexpr char Separator = '/';
#endif

// Every byte comes back as it was: the backslash and the control bytes (line ends
// above all) are written as escapes, everything else as it is.
std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
            continue;
        }
        if (i + 3 < text.size() && text[i + 1] == 'x') {
            const int high = HexDigit(text[i + 2]);
            const int low = HexDigit(text[i + 3]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 3;
            continue;
        }
        return std::nullopt;
    }
    return out;
}

// The texts of one kind of list entry by the names the file gives them.
template <typename Entry> struct EntryField {
    std::string_view name;
    std::string Entry::*text;
};

const std::vector<EntryField<InfoCommandRef>>& CommandFields() {
    static const std::vector<EntryField<InfoCommandRef>> fields = [] {
        std::vector<EntryField<InfoCommandRef>> list = {
            {"Command", &InfoCommandRef::Command},
            {"Version", &InfoCommandRef::Version},
            {"Entity1", &InfoCommandRef::Entity1},
            {"Entity2", &InfoCommandRef::Entity2},
            {"Entity3", &InfoCommandRef::Entity3},
            {"ID1", &InfoCommandRef::ID1},
            {"ID2", &InfoCommandRef::ID2},
            {"ID3", &InfoCommandRef::ID3},
            {"LocString", &InfoCommandRef::LocString},
            {"Text", &InfoCommandRef::Text},
            {"PreservedBlock", &InfoCommandRef::PreservedBlock},
        };
        return list;
    }();
    return fields;
}

const std::vector<EntryField<InfoConditionRef>>& ConditionFields() {
    static const std::vector<EntryField<InfoConditionRef>> fields = {
        {"Condition", &InfoConditionRef::Condition},
        {"Version", &InfoConditionRef::Version},
        {"Entity1", &InfoConditionRef::Entity1},
        {"Entity2", &InfoConditionRef::Entity2},
        {"ID1", &InfoConditionRef::ID1},
        {"ID2", &InfoConditionRef::ID2},
        {"ID3", &InfoConditionRef::ID3},
        {"ID4", &InfoConditionRef::ID4},
        {"LocString", &InfoConditionRef::LocString},
        {"PreservedBlock", &InfoConditionRef::PreservedBlock},
    };
    return fields;
}

const std::vector<EntryField<InfoRequiredPerkRef>>& PerkFields() {
    static const std::vector<EntryField<InfoRequiredPerkRef>> fields = {
        {"Perk", &InfoRequiredPerkRef::Perk},
        {"Value", &InfoRequiredPerkRef::Value},
        {"InvertTest", &InfoRequiredPerkRef::InvertTest},
        {"PreservedBlock", &InfoRequiredPerkRef::PreservedBlock},
    };
    return fields;
}

void Line(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out += '=';
    out += Escaped(value);
    out += '\n';
}

const char* Flag(bool set) {
    return set ? "True" : "False";
}

template <typename Entry>
void EntryLines(std::string& out, std::string_view section, const Entry& entry,
                const std::vector<EntryField<Entry>>& fields) {
    out += '[';
    out.append(section);
    out += "]\n";
    for (const auto& field : fields)
        Line(out, field.name, entry.*field.text);
}

std::optional<std::int64_t> Number(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<bool> ParseFlag(std::string_view text) {
    if (text == "True")
        return true;
    if (text == "False")
        return false;
    return std::nullopt;
}

template <typename Entry>
bool SetEntryField(Entry& entry, const std::vector<EntryField<Entry>>& fields, std::string_view key,
                   std::string value) {
    for (const auto& field : fields) {
        if (field.name == key) {
            entry.*field.text = std::move(value);
            return true;
        }
    }
    return false;
}

bool SetCommandField(InfoCommandRef& command, std::string_view key, std::string value) {
    if (key == "TextPending" || key == "UseValues") {
        const std::optional<bool> flag = ParseFlag(value);
        if (!flag)
            return false;
        (key == "TextPending" ? command.TextPending : command.UseValues) = *flag;
        return true;
    }
    if (key.starts_with("Value")) {
        const std::optional<std::int64_t> at = Number(key.substr(5));
        if (!at || *at < 0 || *at >= static_cast<std::int64_t>(CommandValueCount) ||
            key.substr(5) != std::to_string(*at))
            return false;
        command.Value[static_cast<std::size_t>(*at)] = std::move(value);
        return true;
    }
    return SetEntryField(command, CommandFields(), key, std::move(value));
}

bool SetMemberField(InfoMembers& members, std::string_view key, std::string value) {
    for (const InfoMember& member : InfoMemberTable()) {
        if (member.name == key) {
            members.*member.copy = std::move(value);
            return true;
        }
    }
    return false;
}

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += Separator;
    path.append(name);
    return path;
}

// The list of names, the first few of them and how many more there are.
std::string NamesList(const std::vector<std::string>& names) {
    constexpr std::size_t Shown = 6;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < Shown; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > Shown)
        text += " and " + std::to_string(names.size() - Shown) + " more";
    return text;
}

template <typename Entry, typename Same>
void ListChanges(std::vector<std::string>& changes, std::string_view what,
                 const std::vector<Entry>& now, const std::vector<Entry>& before, Same same) {
    const std::size_t common = std::min(now.size(), before.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!same(now[i], before[i]))
            changes.push_back(std::string(what) + " " + std::to_string(i + 1));
    }
    if (now.size() > before.size())
        changes.push_back(std::to_string(now.size() - before.size()) + " " + std::string(what) +
                          (now.size() - before.size() == 1 ? "" : "s") + " added");
    if (now.size() < before.size())
        changes.push_back(std::to_string(before.size() - now.size()) + " " + std::string(what) +
                          (before.size() - now.size() == 1 ? "" : "s") + " removed");
}

// The file that the record's info was read from, relative to the workspace or as given.
std::string DiskFileOf(const RecoveryRecord& record) {
    if (!record.sourcePath.empty())
        return record.sourcePath;
    if (!record.loadedName.empty())
        return InfoDirectoryName + record.loadedName + InfoExtension;
    return std::string();
}

} // namespace

std::string RecoveryBytes(const RecoveryRecord& record) {
    std::string out(Header);
    out += '\n';
    Line(out, "Mode", record.mode);
    Line(out, "LoadedName", record.loadedName);
    Line(out, "SourcePath", record.sourcePath);
    if (record.sourceRead.taken)
        Line(out, "SourceRead",
             std::to_string(record.sourceRead.size) + " " + std::to_string(record.sourceRead.hash) +
                 " " + std::to_string(record.sourceRead.modified));
    Line(out, "SavedAt", std::to_string(record.savedAt));
    Line(out, "Process", std::to_string(record.process));
    out += "[Info]\n";
    for (const InfoMember& member : InfoMemberTable())
        Line(out, member.name, record.copy.*member.copy);
    for (const InfoRequiredPerkRef& perk : record.copy.RequiredPerks)
        EntryLines(out, "Perk", perk, PerkFields());
    for (const InfoCommandRef& command : record.copy.InfoCommands) {
        EntryLines(out, "Command", command, CommandFields());
        Line(out, "TextPending", Flag(command.TextPending));
        Line(out, "UseValues", Flag(command.UseValues));
        for (std::size_t i = 0; i < CommandValueCount; ++i)
            Line(out, "Value" + std::to_string(i), command.Value[i]);
    }
    for (const InfoConditionRef& condition : record.copy.InfoConditions)
        EntryLines(out, "Condition", condition, ConditionFields());
    out.append(EndLine);
    out += '\n';
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(const std::string& bytes) {
    std::vector<std::string_view> lines;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short: every line, the last too, ends
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    if (lines.size() < 2 || lines.front() != Header || lines.back() != EndLine)
        return std::nullopt;
    enum class Section { Head, Info, Perk, Command, Condition };
    Section section = Section::Head;
    RecoveryRecord record;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line == "[Info]" && section == Section::Head) {
            section = Section::Info;
            continue;
        }
        if (line == "[Perk]" || line == "[Command]" || line == "[Condition]") {
            if (section == Section::Head)
                return std::nullopt;
            if (line == "[Perk]") {
                section = Section::Perk;
                record.copy.RequiredPerks.emplace_back();
            } else if (line == "[Command]") {
                section = Section::Command;
                record.copy.InfoCommands.emplace_back();
            } else {
                section = Section::Condition;
                record.copy.InfoConditions.emplace_back();
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        std::optional<std::string> value = Unescaped(line.substr(equals + 1));
        if (!value)
            return std::nullopt;
        bool known = false;
        switch (section) {
        case Section::Head:
            if (key == "Mode" || key == "LoadedName" || key == "SourcePath") {
                (key == "Mode"         ? record.mode
                 : key == "LoadedName" ? record.loadedName
                                       : record.sourcePath) = std::move(*value);
                known = true;
            } else if (key == "SourceRead") {
                // "<size> <hash> <modified>"
                std::istringstream words(*value);
                TesselEngine::FileFingerprint& read = record.sourceRead;
                if (!(words >> read.size >> read.hash >> read.modified) || !words.eof())
                    return std::nullopt;
                read.taken = true;
                known = true;
            } else if (key == "SavedAt" || key == "Process") {
                const std::optional<std::int64_t> number = Number(*value);
                if (!number)
                    return std::nullopt;
                if (key == "SavedAt") {
                    record.savedAt = *number;
                } else {
                    if (*number < 0 || *number > 0xFFFFFFFFll)
                        return std::nullopt;
                    record.process = static_cast<std::uint32_t>(*number);
                }
                known = true;
            }
            break;
        case Section::Info:
            known = SetMemberField(record.copy, key, std::move(*value));
            break;
        case Section::Perk:
            known = SetEntryField(record.copy.RequiredPerks.back(), PerkFields(), key,
                                  std::move(*value));
            break;
        case Section::Command:
            known = SetCommandField(record.copy.InfoCommands.back(), key, std::move(*value));
            break;
        case Section::Condition:
            known = SetEntryField(record.copy.InfoConditions.back(), ConditionFields(), key,
                                  std::move(*value));
            break;
        }
        if (!known)
            return std::nullopt;
    }
    if (section == Section::Head)
        return std::nullopt;
    return record;
}

std::string CurrentWorkspacePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}

std::string WorkspaceKey(const std::string& workspacePath) {
    std::string_view path(workspacePath);
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.remove_suffix(1);
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string readable;
    for (const char c : last) {
        if (readable.size() >= 32)
            break;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        readable += plain ? c : '_';
    }
    if (readable.empty() || readable.find_first_not_of('.') == std::string::npos)
        readable = "workspace";
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(path)));
    return readable + "-" + hash;
}

std::string RecoveryFolder(const std::string& workspacePath) {
    const std::string state = TesselEngine::Platform::UserStateFolder();
    if (state.empty() || workspacePath.empty())
        return std::string();
    return JoinPath(JoinPath(state, "recovery"), WorkspaceKey(workspacePath));
}

std::string NewRecoveryFilePath(const std::string& folder) {
    static std::atomic<std::uint32_t> counter{0};
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    return JoinPath(folder, std::to_string(TesselEngine::Platform::ProcessId()) + "-" +
                                std::to_string(now) + "-" + std::to_string(++counter) +
                                RecoveryExtension);
}

bool WriteRecoveryFile(const std::string& path, const RecoveryRecord& record) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos) {
        std::error_code error;
        std::filesystem::create_directories(path.substr(0, slash), error);
        if (error) {
            TesselEngine::Failure failure;
            failure.operation = TesselEngine::Operation::Save;
            failure.path = path.substr(0, slash);
            failure.cause = TesselEngine::Cause::Other;
            failure.code = error.value();
            TesselEngine::SetFailure(failure);
            return false;
        }
    }
    const std::string bytes = RecoveryBytes(record);
    return TesselEngine::WinAPI::File::SaveAtomically(path.c_str(), bytes.data(), bytes.size());
}

std::optional<RecoveryRecord> ReadRecoveryFile(const std::string& path) {
    std::string bytes;
    if (!TesselEngine::WinAPI::File::ReadAll(path.c_str(), bytes))
        return std::nullopt;
    return ParseRecovery(bytes);
}

bool RemoveRecoveryFile(const std::string& path) {
    if (TesselEngine::Platform::DeleteFile(path.c_str()))
        return true;
    if (TesselEngine::Platform::LastError().cause == TesselEngine::Cause::NotFound)
        return true;
    TesselEngine::SetFailure(TesselEngine::Operation::Save, path);
    return false;
}

std::vector<RecoveryEntry> ListRecoveryFiles(const std::string& folder) {
    std::vector<RecoveryEntry> entries;
    if (folder.empty())
        return entries;
    for (const auto& found : TesselEngine::Platform::ListDirectory(folder.c_str())) {
        const std::string_view name(found.name);
        if (found.isDirectory || !name.ends_with(RecoveryExtension))
            continue;
        RecoveryEntry entry;
        entry.path = JoinPath(folder, name);
        std::string bytes;
        if (!TesselEngine::WinAPI::File::ReadAll(entry.path.c_str(), bytes)) {
            entry.problem = TesselEngine::FailureMessage(TesselEngine::LastFailure());
        } else if (const std::optional<RecoveryRecord> record = ParseRecovery(bytes)) {
            entry.readable = true;
            entry.infoName = record->copy.Name;
            entry.savedAt = record->savedAt;
            entry.ownerRunning = TesselEngine::Platform::IsProcessAlive(record->process);
            entry.changes = DescribeRecoveryChanges(*record);
        } else {
            entry.problem = "not a whole recovery file";
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        return a.savedAt != b.savedAt ? a.savedAt < b.savedAt : a.path < b.path;
    });
    return entries;
}

std::string DescribeRecoveryChanges(const RecoveryRecord& record) {
    const std::string file = DiskFileOf(record);
    if (file.empty())
        return "new info";
    std::string bytes;
    if (!TesselEngine::WinAPI::File::ReadAll(file.c_str(), bytes)) {
        if (TesselEngine::LastFailure().cause == TesselEngine::Cause::NotFound)
            return "file on disk deleted";
        return "file on disk unreadable";
    }
    VaskInfo onDisk;
    if (!onDisk.LoadFromAbsolutePath(file.c_str()))
        return "file on disk unreadable";
    const InfoRef before = MakeInfoRef(onDisk);
    std::vector<std::string> changes;
    for (const InfoMember& member : InfoMemberTable()) {
        if (record.copy.*member.copy != before.*member.copy)
            changes.emplace_back(member.name);
    }
    ListChanges(changes, "perk", record.copy.RequiredPerks, before.RequiredPerks,
                [](const auto& a, const auto& b) { return a == b; });
    // A display text not yet written to its table is not part of the file.
    ListChanges(changes, "command", record.copy.InfoCommands, before.InfoCommands,
                [](InfoCommandRef a, InfoCommandRef b) {
                    if (a.TextPending)
                        a.Text = b.Text;
                    a.TextPending = b.TextPending = false;
                    return a == b;
                });
    ListChanges(changes, "condition", record.copy.InfoConditions, before.InfoConditions,
                [](const auto& a, const auto& b) { return a == b; });
    std::vector<std::string> texts;
    for (const InfoCommandRef& command : record.copy.InfoCommands) {
        if (command.TextPending &&
            std::find(texts.begin(), texts.end(), command.LocString) == texts.end())
            texts.push_back(command.LocString);
    }
    if (!texts.empty())
        changes.push_back("texts of " + NamesList(texts));
    return changes.empty() ? "no changes" : NamesList(changes);
}

} // namespace VaskEdit
