// The combined info document: splitting "w_info.hdrdoc" into single files and merging
// the single files into "Output/new_info.hdrdoc".
#include "engine/Diagnostics.h"
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "library/InfoManager.h"

#include <cstring>

namespace VaskEdit {

using TesselEngine::WinAPI::Directory;
using TesselEngine::WinAPI::File;

namespace {
const Char16 InfoStart("\r\n    \"");
constexpr char Header[] = "class gCInfo {\r\n";
constexpr char Footer[] = "}\r\n";
constexpr std::uint32_t HeaderSize = 16;
constexpr std::uint32_t FooterSize = 3;
const char* const MergedDocument = "Output/new_info.hdrdoc";

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
        HdrdocFile = std::make_unique<File>(Char256("w_info.hdrdoc"));
    skippedFiles = 0;
    splitFailures = 0;
    if (!HdrdocFile->OpenRead())
        return false;
    const bool read = HdrdocFile->ReadStream(InfoStream);
    HdrdocFile->Close();
    if (!read || InfoStream.GetRemaining() < 2)
        return false;
    // A document without any info has nothing to split.
    if (!InfoStream.FindKey(InfoStart) || !InfoStream.SkipTo('"')) {
        InfoStream.Free();
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

    Char48 name;
    InfoStream.SkipTo('"');
    InfoStream.ReadToken(name);
    TesselEngine::String::Remove(name, '"');
    TesselEngine::String::CutAfter(name, ' ');

    InfoStream.FindKey(InfoStart);
    InfoStream.SkipTo('\n');
    const std::uint32_t end = InfoStream.GetPosition();
    InfoStream.SkipTo('"');

    Stream piece;
    InfoStream.CopyRange(piece, start, end);
    const File file(InfoFilePath(name));
    const std::string shown = file.GetBaseName().Str();
    if (!IsValidInfoName(name.View()) || piece.GetSize() == 0) {
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: Info <%s> has no valid file name! --> Skipped", shown.c_str());
        ++splitFailures;
    } else if (file.Exists()) {
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: File <%s> is already existing! --> Skipped", shown.c_str());
    } else if (!file.SaveAtomically(piece, false)) { // a new file: no old bytes at stake
        TesselEngine::Diagnostics::Print(
            "\nInfoManager: File <%s> could not be created! --> Skipped", shown.c_str());
        ++splitFailures;
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
        ++skippedFiles;
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

} // namespace VaskEdit
