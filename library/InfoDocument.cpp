// The combined info document: splitting "w_info.hdrdoc" into single files and merging
// the single files into "Output/new_info.hdrdoc".
#include "engine/Diagnostics.h"
#include "engine/Failure.h"
#include "engine/QuotedValue.h"
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "library/InfoManager.h"

#include <cstring>

namespace VaskEdit {

using TesselEngine::Cause;
using TesselEngine::Operation;
using TesselEngine::SetFailure;
using TesselEngine::WinAPI::Directory;
using TesselEngine::WinAPI::File;

namespace {
const Char16 InfoStart("\r\n    \"");
constexpr char Header[] = "class gCInfo {\r\n";
constexpr char Footer[] = "}\r\n";
constexpr std::uint32_t HeaderSize = 16;
constexpr std::uint32_t FooterSize = 3;
const char* const MergedDocument = "Output/new_info.hdrdoc";
const char* const GameDocument = "w_info.hdrdoc";

// The info's name at the start of its piece: the first quoted value, cut at its first
// blank. It may be longer than a name can be; the caller decides.
std::string ReadInfoName(Stream& document) {
    std::string name;
    TesselEngine::IO::ReadQuotedValue(document, name);
    return name;
}

// Names as Windows compares file names: "Bob" and "bob" are one file there.
std::string FileKey(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

// Appends bytes to the document being merged, growing it when a file grew after the
// sizes were summed: every file gets in whole.
bool Append(Stream& document, const char* bytes, std::uint32_t n) {
    if (document.WriteData(bytes, n))
        return true;
    const std::uint64_t used = document.GetPosition();
    const std::uint64_t needed = used + n + FooterSize;
    if (needed > 0xFFFFFFFFull)
        return false;
    Stream larger;
    if (!larger.Allocate(static_cast<std::uint32_t>(needed)))
        return false;
    larger.WriteData(document.GetBuffer(), static_cast<std::uint32_t>(used));
    document = std::move(larger);
    return document.WriteData(bytes, n);
}
} // namespace

bool InfoManager::LoadInfoStream() {
    if (!HdrdocFile)
        HdrdocFile = std::make_unique<File>(Char256(GameDocument));
    skippedFiles.clear();
    splitFailures = 0;
    splitDuplicates.clear();
    splitNamesMet.clear();
    splitFilesWritten.clear();
    splitExisting = 0;
    if (!HdrdocFile->OpenRead())
        return false;
    const bool read = HdrdocFile->ReadStream(InfoStream);
    HdrdocFile->Close();
    if (!read)
        return false;
    // A document without any info has nothing to split.
    if (InfoStream.GetRemaining() < 2 || !InfoStream.FindKey(InfoStart) ||
        !InfoStream.SkipTo('"')) {
        InfoStream.Free();
        SetFailure(Operation::Read, GameDocument, Cause::BadContent);
        return false;
    }
    // Without the directory every piece would count as existing.
    Directory(Char256("Infos/")).Create();
    return true;
}

bool InfoManager::SplitSingleFromHdrdoc() {
    if (InfoStream.GetRemaining() < 2)
        return false;
    InfoStream.SkipBackTo('\n');
    const std::uint32_t start = InfoStream.GetPosition();

    const std::string wholeName = ReadInfoName(InfoStream);

    InfoStream.FindKey(InfoStart);
    InfoStream.SkipTo('\n');
    const std::uint32_t end = InfoStream.GetPosition();
    InfoStream.SkipTo('"');

    Stream piece;
    InfoStream.CopyRange(piece, start, end);
    const Char48 name(wholeName);
    const File file(InfoFilePath(name));
    const char* shown = wholeName.c_str();
    if (wholeName.size() > Char48::Capacity || !IsValidInfoName(wholeName) ||
        piece.GetSize() == 0) {
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: Info <%s> has no valid file name! --> Skipped", shown);
        SetFailure(Operation::Save, InfoDirectoryName + wholeName + InfoExtension,
                   piece.GetSize() == 0 ? Cause::BadContent : Cause::InvalidName);
        ++splitFailures;
        return true;
    }
    // A second info of a name that this document has already given a file is lost, not
    // "already existing": where file names ignore case, "bob" also meets the file of "Bob".
    const std::string key = FileKey(wholeName);
    const bool repeated = !splitNamesMet.insert(wholeName).second;
    const bool exists = file.Exists();
    if (repeated || (exists && splitFilesWritten.count(key))) {
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: Info <%s> is in the document more than once! --> Skipped", shown);
        splitDuplicates.push_back(wholeName);
    } else if (exists) {
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: File <%s> is already existing! --> Skipped", shown);
        ++splitExisting;
    } else if (!file.SaveAtomically(piece, false)) { // a new file: no old bytes at stake
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: File <%s> could not be created! --> Skipped", shown);
        ++splitFailures;
    } else {
        splitFilesWritten.insert(key);
    }
    return true;
}

void InfoManager::HdrdocBegin(std::uint64_t totalSize) {
    InfoStream.Free();
    mergeComplete = true;
    const std::uint64_t size = totalSize + HeaderSize + FooterSize;
    if (size > 0xFFFFFFFFull || !InfoStream.Allocate(static_cast<std::uint32_t>(size))) {
        mergeComplete = false; // too large for one document
        return;
    }
    InfoStream.WriteData(Header, HeaderSize);
}

bool InfoManager::WriteSingleToHdrdocStream() {
    if (!InfoDirectory || !InfoDirectory->IsValid())
        return false;
    File file(*InfoDirectoryPath, InfoDirectory->GetFileName());
    bool merged = false;
    if (file.OpenRead()) {
        // Straight into the document; a file that grew since the sizes were summed
        // takes the longer way through a stream of its own.
        merged = file.AppendTo(InfoStream);
        if (!merged) {
            Stream single;
            file.Close();
            merged = file.OpenRead() && file.ReadStream(single) &&
                     Append(InfoStream, single.GetBuffer(), single.GetSize());
        }
        file.Close();
    }
    if (!merged) {
        // A document without this file must not be written; count it and go on.
        Skip(InfoDirectory->GetFileName());
        mergeComplete = false;
    }
    InfoDirectory->Next();
    return true;
}

void InfoManager::HdrdocEnd() {
    if (!Append(InfoStream, Footer, FooterSize))
        mergeComplete = false;
}

bool InfoManager::WriteHdrdocFile() {
    if (!mergeComplete || InfoStream.GetSize() == 0) {
        InfoStream.Free();
        // Files left out, or more than one document holds.
        SetFailure(Operation::Save, MergedDocument,
                   skippedFiles.empty() ? Cause::TooLarge : Cause::Incomplete);
        return false;
    }
    Directory(Char256("Output/")).Create();
    // Only what was filled: room left by files that shrank is not part of the document.
    const bool written =
        File::SaveWithBackup(MergedDocument, InfoStream.GetBuffer(), InfoStream.GetPosition());
    if (written)
        InfoStream.Free();
    return written;
}

std::vector<std::string> InfoManager::InfosWithoutFile() {
    std::vector<std::string> missing;
    File game{Char256(GameDocument)};
    Stream document;
    if (!game.OpenRead())
        return missing;
    const bool read = game.ReadStream(document);
    game.Close();
    if (!read)
        return missing;
    // The files as the merge found them, compared as file names compare.
    std::unordered_set<std::string> files;
    Directory::Iterator scan{Char256(InfoDirectoryName)};
    for (scan.First(Char32("*.vaskinfo")); scan.IsValid(); scan.Next()) {
        std::string name = scan.GetFileName();
        name.resize(name.size() - std::strlen(InfoExtension));
        files.insert(FileKey(name));
    }
    // One pass over the heads of the infos, which the split cuts at.
    while (document.FindKey(InfoStart)) {
        const std::string name = ReadInfoName(document);
        if (!files.count(FileKey(name)))
            missing.push_back(name);
    }
    return missing;
}

} // namespace VaskEdit
