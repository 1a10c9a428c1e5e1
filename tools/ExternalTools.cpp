#include "tools/ExternalTools.h"
#include "engine/DataFolders.h"
#include "engine/Diagnostics.h"
#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/QuotedValue.h"
#include "engine/String.h"
#include "engine/Vector.h"
#include "engine/platform/Platform.h"
#include "tools/Launcher.h"
#include "tools/Settings.h"

#include <cstdio>
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
    if (program.empty())
        return ResourceToolName;
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

} // namespace

bool HelpManager::ShowHelp(VaskEdit_Helppage page) {
    char program[50] = {};
    Settings::GetExe_Showhelp(program, sizeof program);
    switch (page) {
    case Main:
        return Launcher::Start(program, HelpPage("main"));
    case InfoEditor:
        return Launcher::Start(program, HelpPage("infoeditor"));
    }
    return true; // no such page: nothing to show
}

bool Notepad::OpenFile(const char* path) {
    const std::string file = path ? path : "";
    // The system's own editor where it has one every installation shares; otherwise
    // the desktop's program for the file, which is also the fallback.
    const std::string editor = TesselEngine::Platform::SystemTextEditor();
    if (!editor.empty() && Launcher::Start(editor, file))
        return true;
    return Launcher::OpenWithDesktop(file);
}

bool VaskResMan::OpenFile(const char* parameter) {
    return Launcher::Start(ResourceToolProgram(), parameter ? parameter : "", true);
}

bool ScriptManager::ExtractScripts() {
    const Char256 folder("Infos/");
    TesselEngine::WinAPI::Directory::Iterator scan(folder);
    TesselEngine::TTL::Vector<Char48> owners;
    bool complete = true;
    scan.First(Char32("*.vaskinfo"));
    using TesselEngine::Cause;
    using TesselEngine::Operation;
    // A folder that cannot be listed is no folder without owners: the old list stays.
    if (scan.GetListResult() == TesselEngine::Platform::ListResult::Unreadable) {
        TesselEngine::SetFailure(
            {Operation::Save, OwnersFileName, Cause::UnreadableFolder, 0, folder.Str()});
        return false;
    }
    for (; scan.IsValid(); scan.Next()) {
        if (scan.GetFindData().isDirectory)
            continue; // a folder holds no owners
        TesselEngine::WinAPI::File info(folder, scan.GetFindData());
        if (!info.OpenRead()) {
            // A pipe, a link out of the workspace or a file without rights: its owners
            // would be missing from the list.
            TesselEngine::Diagnostics::Print("\nCould not read \"%s\"; skipped.",
                                             scan.GetFileName());
            complete = false;
            continue;
        }
        TesselEngine::Diagnostics::Print("\n %s", scan.GetFileName());
        Stream text;
        const bool read = info.ReadStream(text);
        info.Close();
        if (read)
            CollectOwners(text, owners);
        else
            complete = false;
    }
    std::fflush(stdout);
    // A file that opened but could not be read may hold owners that the list would
    // lose: the previous list stays.
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
