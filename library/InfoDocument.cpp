// The combined info document: splitting "w_info.hdrdoc" into single files and merging
// the single files into "Output/new_info.hdrdoc".
#include "engine/Diagnostics.h"
#include "engine/Failure.h"
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "library/DocumentFraming.h"
#include "library/InfoManager.h"

#include <algorithm>
#include <cstring>

namespace VaskEdit {

using TesselEngine::Cause;
using TesselEngine::Operation;
using TesselEngine::SetFailure;
using TesselEngine::WinAPI::Directory;
using TesselEngine::WinAPI::File;

namespace {
constexpr char Header[] = "class gCInfo {\r\n";
constexpr char Footer[] = "}\r\n";
constexpr char LineEnd[] = "\r\n";
constexpr std::uint32_t HeaderSize = 16;
constexpr std::uint32_t FooterSize = 3;
const char* const MergedDocument = "Output/new_info.hdrdoc";
const char* const GameDocument = "w_info.hdrdoc";

// Names as Windows compares file names: "Bob" and "bob" are one file there.
std::string FileKey(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

// A name the reader reads back whole and that makes a file name of its own: the reader
// stops a name at a blank, ";" or "/".
bool IsSplittableName(const std::string& name) {
    return name.size() <= Char48::Capacity && IsValidInfoName(name) &&
           name.find_first_of(" ;/") == std::string::npos;
}

std::string_view Bytes(const Stream& stream, std::uint32_t size) {
    return {stream.GetBuffer(), size};
}

// Appends bytes to the document being merged, growing it when a file grew after the
// sizes were summed or a file gets a line end: every file gets in whole.
bool Append(Stream& document, const char* bytes, std::uint32_t n) {
    if (document.WriteData(bytes, n))
        return true;
    const std::uint64_t used = document.GetPosition();
    const std::uint64_t needed = used + n + FooterSize;
    const std::uint64_t grown = std::max<std::uint64_t>(needed, used + used / 4);
    if (needed > 0xFFFFFFFFull)
        return false;
    Stream larger;
    if (!larger.Allocate(static_cast<std::uint32_t>(std::min<std::uint64_t>(grown, 0xFFFFFFFFull))))
        return false;
    larger.WriteData(document.GetBuffer(), static_cast<std::uint32_t>(used));
    document = std::move(larger);
    return document.WriteData(bytes, n);
}

std::string AtLine(std::uint32_t line) {
    return "line " + std::to_string(line);
}
} // namespace

void InfoManager::ForgetSplit() {
    skippedFiles.clear();
    splitFailures = 0;
    splitDuplicates.clear();
    splitNamesMet.clear();
    splitFilesWritten.clear();
    splitExisting = 0;
    splitRefused.clear();
    splitNotes.clear();
    splitFrame = {};
    splitNext = 0;
}

bool InfoManager::LoadInfoStream() {
    if (!HdrdocFile)
        HdrdocFile = std::make_unique<File>(Char256(GameDocument));
    ForgetSplit();
    if (!HdrdocFile->LoadWhole(InfoStream))
        return false;
    splitFrame = FrameDocument(Bytes(InfoStream, InfoStream.GetSize()));
    // A document without any info has nothing to split.
    if (splitFrame.infos.empty()) {
        InfoStream.Free();
        SetFailure(Operation::Read, GameDocument, Cause::BadContent);
        return false;
    }
    for (const StrayBytes& stray : splitFrame.stray)
        splitNotes.push_back(std::to_string(stray.size) + " bytes at " + AtLine(stray.line) +
                             " belong to no info and are in no file");
    // Without the directory every piece would count as existing.
    Directory(Char256("Infos/")).Create();
    return true;
}

bool InfoManager::SplitSingleFromHdrdoc() {
    if (splitNext >= splitFrame.infos.size())
        return false;
    const FramedInfo& info = splitFrame.infos[splitNext++];
    InfoStream.SetPosition(info.end); // the split's progress
    const std::string& wholeName = info.name;
    const char* shown = wholeName.c_str();
    const auto refuse = [&](const char* message, const std::string& reason, Cause cause) {
        TesselEngine::Diagnostics::Print(message, shown);
        SetFailure(Operation::Save, InfoDirectoryName + wholeName + InfoExtension, cause);
        splitRefused.push_back("\"" + wholeName + "\" (" + AtLine(info.line) + ": " + reason + ")");
        return true;
    };
    if (!info.closed)
        return refuse("\nInfoManager: Info <%s> does not close before the next info! --> Skipped",
                      "its braces do not close before the next info or the document's end",
                      Cause::BadContent);
    if (!IsSplittableName(wholeName))
        return refuse("\nInfoManager: Info <%s> has no valid file name! --> Skipped",
                      "its name cannot be a file name", Cause::InvalidName);
    if (info.trailing)
        splitNotes.push_back("\"" + wholeName + "\" (" + AtLine(info.line) +
                             ") has text behind its closing brace; it stays in its file");

    const File file(InfoFilePath(Char48(wholeName)));
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
    } else if (!File::SaveAtomically(file.GetPath().Str().c_str(),
                                     InfoStream.GetBuffer() + info.begin, info.end - info.begin,
                                     false)) { // a new file: no old bytes at stake
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
    mergePlaced.clear();
    mergeLineEndAdded.clear();
    mergeNotSplittable.clear();
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
    const std::uint32_t begin = InfoStream.GetPosition();
    bool merged = false;
    if (file.OpenRead()) {
        // Straight into the document; a file that grew since the sizes were summed
        // takes the longer way through a stream of its own.
        merged = file.AppendTo(InfoStream);
        file.Close();
        if (!merged) {
            Stream single;
            merged =
                file.LoadWhole(single) && Append(InfoStream, single.GetBuffer(), single.GetSize());
        }
    }
    if (merged && !EndsWithLineEnd(Bytes(InfoStream, InfoStream.GetPosition()).substr(begin))) {
        // Else the next info's opening line would continue this info's last line.
        merged = Append(InfoStream, LineEnd, 2);
        mergeLineEndAdded.push_back(InfoDirectory->GetFileName());
    }
    if (merged) {
        mergePlaced.push_back({InfoDirectory->GetFileName(), begin, InfoStream.GetPosition()});
    } else {
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
    if (mergeComplete)
        CheckMergedPieces();
}

// The merged document must split back into the files it was made of: each file one
// info, beginning and ending where the file does.
void InfoManager::CheckMergedPieces() {
    const DocumentFrame frame = FrameDocument(Bytes(InfoStream, InfoStream.GetPosition()));
    std::size_t next = 0;
    for (const MergedPiece& piece : mergePlaced) {
        while (next < frame.infos.size() && frame.infos[next].begin < piece.begin)
            ++next;
        std::size_t inside = 0;
        bool whole = true;
        for (std::size_t i = next; i < frame.infos.size() && frame.infos[i].begin < piece.end;
             ++i) {
            const FramedInfo& info = frame.infos[i];
            ++inside;
            whole = whole && info.begin == piece.begin && info.end == piece.end && info.closed;
        }
        if (inside == 1 && whole)
            continue;
        std::string why = inside == 0  ? "it opens no info"
                          : inside > 1 ? "it holds " + std::to_string(inside) + " infos"
                          : frame.infos[next].begin != piece.begin
                              ? "text stands before the info's opening line"
                              : "its braces do not close";
        mergeNotSplittable.push_back(piece.file + " (" + why + ")");
    }
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
    if (!game.LoadWhole(document))
        return missing;
    // The files as the merge found them, compared as file names compare. A folder that
    // cannot be listed tells nothing: every info would pass for one without a file.
    std::vector<std::string> listed;
    if (!ListInfoFiles(listed))
        return missing;
    std::unordered_set<std::string> files;
    for (std::string& name : listed) {
        name.resize(name.size() - std::strlen(InfoExtension));
        files.insert(FileKey(name));
    }
    // The infos as the split finds them.
    for (const FramedInfo& info : FrameDocument(Bytes(document, document.GetSize())).infos) {
        if (!files.count(FileKey(info.name)))
            missing.push_back(info.name);
    }
    return missing;
}

} // namespace VaskEdit
