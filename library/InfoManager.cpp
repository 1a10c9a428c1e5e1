// Start-up, shutdown and the infos held in memory for editing.
#include "library/InfoManager.h"
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "info/ResourceTemplates.h"
#include "library/ReferenceIndex.h"

namespace VaskEdit {

TesselEngine::TTL::Vector<VaskInfo> InfoManager::InfoFiles;
TesselEngine::TTL::Vector<VaskInfoCache> InfoManager::InfoFileCache;
TesselEngine::TTL::Vector<VaskInfoCache> InfoManager::InfoCurrentFilter;
Stream InfoManager::InfoStream;
std::unique_ptr<Char256> InfoManager::InfoDirectoryPath;
std::unique_ptr<TesselEngine::WinAPI::Directory::Iterator> InfoManager::InfoDirectory;
std::unique_ptr<TesselEngine::WinAPI::File> InfoManager::HdrdocFile;
std::vector<std::string> InfoManager::skippedFiles;
std::uint32_t InfoManager::splitFailures = 0;
std::vector<std::string> InfoManager::splitDuplicates;
std::unordered_set<std::string> InfoManager::splitNamesMet;
std::unordered_set<std::string> InfoManager::splitFilesWritten;
std::uint32_t InfoManager::splitExisting = 0;
DocumentFrame InfoManager::splitFrame;
std::size_t InfoManager::splitNext = 0;
std::vector<std::string> InfoManager::splitRefused;
std::vector<std::string> InfoManager::splitNotes;
std::vector<InfoManager::MergedPiece> InfoManager::mergePlaced;
std::vector<std::string> InfoManager::mergeLineEndAdded;
std::vector<std::string> InfoManager::mergeNotSplittable;
bool InfoManager::mergeComplete = true;

std::uint32_t InfoManager::SkippedFiles() {
    return static_cast<std::uint32_t>(skippedFiles.size());
}
const std::vector<std::string>& InfoManager::SkippedFileNames() {
    return skippedFiles;
}
void InfoManager::Skip(const char* fileName) {
    skippedFiles.push_back(InfoDirectoryName + std::string(fileName));
}
std::uint32_t InfoManager::SplitFailures() {
    return splitFailures;
}
std::uint32_t InfoManager::SplitWritten() {
    return static_cast<std::uint32_t>(splitFilesWritten.size());
}
std::uint32_t InfoManager::SplitExisting() {
    return splitExisting;
}
const std::vector<std::string>& InfoManager::SplitDuplicates() {
    return splitDuplicates;
}
std::uint32_t InfoManager::SplitFound() {
    return static_cast<std::uint32_t>(splitFrame.infos.size());
}
const std::vector<std::string>& InfoManager::SplitRefused() {
    return splitRefused;
}
const std::vector<std::string>& InfoManager::SplitNotes() {
    return splitNotes;
}
const std::vector<std::string>& InfoManager::MergeLineEndsAdded() {
    return mergeLineEndAdded;
}
const std::vector<std::string>& InfoManager::MergeNotSplittable() {
    return mergeNotSplittable;
}

bool InfoManager::Initialize() {
    InitializeDirectory();
    return LoadResourceTemplates();
}

void InfoManager::Shutdown() {
    ReleaseResourceTemplates();
}

void InfoManager::ResetState() {
    InfoFiles.Deallocate();
    InfoFileCache.ClearContent();
    InfoCurrentFilter.ClearContent();
    InfoStream.Free();
    InfoDirectoryPath.reset();
    InfoDirectory.reset();
    HdrdocFile.reset();
    ForgetSplit();
    mergePlaced.clear();
    mergeLineEndAdded.clear();
    mergeNotSplittable.clear();
    mergeComplete = true;
}

std::uint32_t InfoManager::PrepareInfo() {
    InfoFiles.PushBack(VaskInfo{});
    return InfoFiles.GetSize() - 1;
}

std::uint32_t InfoManager::CreateVaskInfo(const char* name) {
    VaskInfo info;
    info.Name = Char48(name);
    InfoFiles.PushBack(std::move(info));
    return InfoFiles.GetSize() - 1;
}

std::int64_t InfoManager::FindInfoIndex(const char* name) {
    const Char48 wanted(name);
    for (std::uint32_t i = 0; i < InfoFiles.GetSize(); ++i) {
        if (InfoFiles[i].Name == wanted)
            return i;
    }
    return -1;
}

bool InfoManager::WriteVaskInfo(std::uint32_t index) {
    if (index >= InfoFiles.GetSize())
        return false;
    if (!InfoFiles[index].WriteDataToFile())
        return false;
    // The index of where values are used follows every save once it is built.
    if (References().IsBuilt())
        References().Refresh(InfoFiles[index].Name.View());
    return true;
}

bool InfoManager::ExistsInfoFile(const char* name) {
    const Char48 infoName(name);
    if (!IsValidInfoName(infoName.View()))
        return false;
    return TesselEngine::WinAPI::File(InfoFilePath(infoName)).Exists();
}

void InfoManager::UnloadVaskInfo(const char* name) {
    const Char48 wanted(name);
    std::uint32_t i = 0;
    while (i < InfoFiles.GetSize()) {
        VaskInfo& info = InfoFiles[i];
        if (info.Name == wanted || info.EditMark == 1) {
            info.ReleaseLists();
            InfoFiles.RemoveSwapLast(i); // the last info takes this place: look again
        } else {
            ++i;
        }
    }
}

} // namespace VaskEdit
