#include "tools/ExternalTools.h"
#include "engine/DataFolders.h"
#include "engine/Diagnostics.h"
#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/FolderListing.h"
#include "engine/QuotedValue.h"
#include "engine/String.h"
#include "engine/Vector.h"
#include "engine/platform/Platform.h"
#include "tools/Launcher.h"
#include "tools/ProgramDefaults.h"
#include "tools/Settings.h"

#include <cstdio>
#include <optional>
#include <string>

namespace VaskEdit {

using TesselEngine::Char16;
using TesselEngine::Char32;
using TesselEngine::IO::Stream;
namespace String = TesselEngine::String;

namespace {

constexpr const char* ResourceToolName = "vaskresman.exe";
constexpr const char* OwnersFileName = "Owners.txt";

// The resource tool's setting may name the program or the folder that holds it.
std::string ResourceToolProgram() {
    std::string program = Settings::path_vaskresman;
    const char last = program.back();
    if (last == '/' || last == '\\')
        return program + ResourceToolName;
    if (TesselEngine::Platform::IsDirectory(program.c_str()))
        return program + "/" + ResourceToolName;
    return program;
}

// Every "Owner = " value of one info file, quotes and ";" removed, in file order.
void CollectOwners(Stream& text, TesselEngine::TTL::Vector<Char48>& owners) {
    const Char16 key("Owner = ");
    while (std::uint64_t{text.GetPosition()} + 10 < text.GetSize()) {
        std::string value;
        if (!text.FindKey(key) || !TesselEngine::IO::ReadQuotedValue(text, value))
            return;
        Char48 owner(value); // whole: its quotes take no room from a name of 48 characters
        String::Remove(owner, ';');
        if (owner.IsEmpty())
            continue;
        bool known = false;
        for (const Char48& listed : owners)
            known = known || listed == owner;
        if (!known)
            owners.PushBack(owner);
    }
}

// A help page's file: below the current directory when it has "Documents/", otherwise
// where the program's shipped data lies.
std::string HelpPage(const char* page) {
    const std::string root =
        TesselEngine::FindDataRoot("Documents", TesselEngine::Platform::ExecutablePath());
    return root + "Documents/site/" + page + "/index.html";
}

using Verdict = ProgramCheck::Verdict;

// A program that a setting names: whole, found, and confirmed by the user.
ProgramCheck Check(const std::string& setting, std::size_t capacity, std::string program) {
    ProgramCheck check;
    check.program = setting;
    if (setting.size() > capacity) {
        check.verdict = Verdict::TooLong;
        check.capacity = capacity;
        return check;
    }
    const std::optional<TrustedPrograms::Program> identity = TrustedPrograms::Identify(program);
    if (!identity) {
        check.program = program;
        return check; // NotFound
    }
    check.identity = *identity;
    check.program = identity->path; // started as confirmed, not looked up again
    check.verdict = TrustedPrograms::IsConfirmed(*identity) ? Verdict::Ready : Verdict::Unconfirmed;
    return check;
}

ProgramCheck Default(std::string program) {
    ProgramCheck check;
    check.verdict = Verdict::Ready;
    check.program = std::move(program);
    return check;
}

// The check's program started, or false with the reason why not.
bool StartChecked(const ProgramCheck& check, const std::string& argument, bool hidden = false) {
    using TesselEngine::Cause;
    switch (check.verdict) {
    case Verdict::Ready:
        return Launcher::Start(check.program, argument, hidden);
    case Verdict::Unconfirmed:
        TesselEngine::SetFailure(TesselEngine::Operation::Start, check.program, Cause::Unconfirmed);
        return false;
    case Verdict::NotFound:
        TesselEngine::SetFailure(TesselEngine::Operation::Start, check.program, Cause::NotFound);
        return false;
    case Verdict::TooLong:
        break;
    }
    TesselEngine::SetFailure(
        {TesselEngine::Operation::Start, check.program, Cause::TooLong, int(check.capacity), {}});
    return false;
}

} // namespace

ProgramCheck HelpManager::CheckProgram() {
    const std::string& program = Settings::exe_showhelp;
    if (program == Settings::DefaultHelpProgram)
        return Default(program);
    return Check(program, Settings::HelpCapacity, program);
}

bool HelpManager::ShowHelp(VaskEdit_Helppage page) {
    if (page != Main && page != InfoEditor)
        return true; // no such page: nothing to show
    if (Settings::exe_showhelp.empty())
        return false; // nothing to start
    return StartChecked(CheckProgram(), HelpPage(page == Main ? "main" : "infoeditor"));
}

ProgramCheck VaskResMan::CheckProgram() {
    if (Settings::path_vaskresman.empty())
        return Default(ResourceToolName);
    return Check(Settings::path_vaskresman, Settings::PathCapacity, ResourceToolProgram());
}

bool Notepad::OpenFile(const char* path) {
    const std::string file = path ? path : "";
    for (const auto& start : ProgramDefaults::TextEditorStarts(file)) {
        if (Launcher::Start(start.program, start.arguments))
            return true;
    }
    return false;
}

bool VaskResMan::OpenFile(const char* parameter) {
    return StartChecked(CheckProgram(), parameter ? parameter : "", true);
}

bool ScriptManager::ExtractScripts() {
    const Char256 folder("Infos/");
    TesselEngine::TTL::Vector<Char48> owners;
    bool complete = true;
    TesselEngine::WinAPI::FolderListing listing;
    using TesselEngine::Cause;
    using TesselEngine::Operation;
    // A folder that cannot be listed is no folder without owners: the old list stays.
    if (!TesselEngine::WinAPI::ListFolder(folder, Char32("*.vaskinfo"), listing)) {
        TesselEngine::SetFailure(
            {Operation::Save, OwnersFileName, Cause::UnreadableFolder, 0, folder.Str()});
        return false;
    }
    for (const TesselEngine::Platform::DirectoryEntry& entry : listing.entries) {
        if (entry.isDirectory)
            continue; // a folder holds no owners
        TesselEngine::WinAPI::File info(folder, entry.name.c_str());
        Stream text;
        if (!info.LoadWhole(text)) {
            // A pipe, a link out of the workspace or a file without rights: its owners
            // would be missing from the list.
            TesselEngine::Diagnostics::Print("\nCould not read \"%s\"; skipped.",
                                             entry.name.c_str());
            complete = false;
            continue;
        }
        TesselEngine::Diagnostics::Print("\n %s", entry.name.c_str());
        CollectOwners(text, owners);
    }
    std::fflush(stdout);
    // A file that could not be read may hold owners that the list would lose: the
    // previous list stays.
    if (!complete) {
        TesselEngine::SetFailure(Operation::Save, OwnersFileName, Cause::Incomplete);
        return false;
    }

    Stream out;
    if (owners.GetSize() > 0 && !out.Allocate(50 * owners.GetSize())) {
        TesselEngine::SetFailure(Operation::Save, OwnersFileName, Cause::OutOfMemory);
        return false;
    }
    for (const Char48& owner : owners) {
        out.WriteText(owner);
        out.WriteData("\r\n", 2);
    }
    out.TrimTrailingZeros();
    return TesselEngine::WinAPI::File::SaveAtomically(OwnersFileName, out.GetBuffer(),
                                                      out.GetSize());
}

} // namespace VaskEdit
