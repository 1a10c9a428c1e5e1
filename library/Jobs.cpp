#include "library/Jobs.h"
#include "info/InfoFileName.h"
#include "library/InfoManager.h"
#include "library/TemplateManager.h"

#include <string>

namespace VaskEdit::Jobs {

namespace {
using TesselEngine::Cause;
using TesselEngine::Operation;

bool Cancelled(const CancelFn& cancel) {
    return cancel && cancel();
}
// The job's operation on path failed before it began: the folder could not be listed.
Outcome Unreadable(const char* folder, Operation operation, const char* path) {
    Outcome outcome;
    outcome.succeeded = false;
    outcome.failure = {operation, path, Cause::UnreadableFolder, 0, folder};
    return outcome;
}
// The reason that the write of the job's file left, when it failed.
void Written(Outcome& outcome, bool written) {
    outcome.succeeded = written;
    if (!written)
        outcome.failure = TesselEngine::LastFailure();
}
} // namespace

int Percent(std::uint64_t i, std::uint64_t n) {
    if (n == 0)
        return 0;
    const float ratio = static_cast<float>(i) / static_cast<float>(n) * 100.0f;
    return ratio >= 100.0f ? 100 : static_cast<int>(ratio);
}

Outcome UpdateCache(const ProgressFn& progress, const CancelFn& cancel) {
    // An unlisted folder would give an empty cache in place of the old one.
    if (!InfoManager::InitializeDirectory())
        return Unreadable(InfoDirectoryName, Operation::Save, "infocache");
    Outcome outcome;
    InfoManager::InfoFileCache.ClearContent();
    InfoManager::InfoCurrentFilter.ClearContent();
    const std::int32_t n = InfoManager::CountInfoFiles();
    ProgressReporter reporter(progress);
    for (std::int32_t i = 0; InfoManager::GenerateCacheEntry(); ++i) {
        reporter.Report(Percent(i, n), i + 1, n);
        if (Cancelled(cancel)) {
            outcome.cancelled = true;
            break;
        }
    }
    outcome.skipped = InfoManager::SkippedFileNames();
    Written(outcome, InfoManager::WriteInfoCache());
    return outcome;
}

Outcome Search(const char* text, const ProgressFn& progress, const CancelFn& cancel) {
    InfoManager::ClearFilter();
    if (!InfoManager::InitializeDirectory())
        return Unreadable(InfoDirectoryName, Operation::Search, InfoDirectoryName);
    Outcome outcome;
    const std::int32_t n = InfoManager::CountInfoFiles();
    const std::string wanted = text ? text : "";
    if (wanted.find_first_not_of(" \t\r\n") == std::string::npos)
        return outcome;
    ProgressReporter reporter(progress);
    for (std::int32_t i = 0; InfoManager::SearchFilesFor(wanted.c_str()); ++i) {
        reporter.Report(Percent(i, n), i + 1, n);
        if (Cancelled(cancel)) {
            outcome.cancelled = true;
            break;
        }
    }
    outcome.skipped = InfoManager::SkippedFileNames();
    return outcome;
}

bool BeginSplit() {
    return InfoManager::LoadInfoStream();
}

Outcome Split(const ProgressFn& progress, const CancelFn& cancel) {
    // Without a listing of "Infos/" every piece would look "already existing"; the folder
    // is missing only when it could not be made.
    std::vector<std::string> files;
    bool missing = false;
    if (!InfoManager::ListInfoFiles(files, &missing) || missing) {
        InfoManager::InfoStream.Free();
        return Unreadable(InfoDirectoryName, Operation::Split, "w_info.hdrdoc");
    }
    TesselEngine::ClearFailure();
    Outcome outcome;
    ProgressReporter reporter(progress);
    const Stream& document = InfoManager::InfoStream;
    while (InfoManager::SplitSingleFromHdrdoc()) {
        reporter.Report(Percent(document.GetPosition(), document.GetSize()), document.GetPosition(),
                        document.GetSize());
        if (Cancelled(cancel)) {
            outcome.cancelled = true;
            break;
        }
    }
    outcome.failed = InfoManager::SplitFailures();
    outcome.written = InfoManager::SplitWritten();
    outcome.existing = InfoManager::SplitExisting();
    outcome.duplicates = InfoManager::SplitDuplicates();
    outcome.found = InfoManager::SplitFound();
    outcome.refused = InfoManager::SplitRefused();
    outcome.notes = InfoManager::SplitNotes();
    outcome.succeeded =
        outcome.failed == 0 && outcome.duplicates.empty() && outcome.refused.empty();
    if (outcome.failed)
        outcome.failure = TesselEngine::LastFailure(); // only pieces fail in the loop
    return outcome;
}

Outcome Merge(const ProgressFn& progress, const CancelFn& cancel) {
    // An unlisted folder would give an empty document in place of the old one.
    if (!InfoManager::InitializeDirectory())
        return Unreadable(InfoDirectoryName, Operation::Save, "Output/new_info.hdrdoc");
    Outcome outcome;
    const std::int64_t total = InfoManager::GetTotalFileSize();
    const std::int32_t n = InfoManager::CountInfoFiles();
    InfoManager::HdrdocBegin(static_cast<std::uint64_t>(total));
    ProgressReporter reporter(progress);
    std::int32_t i = 0;
    for (; InfoManager::WriteSingleToHdrdocStream(); ++i) {
        reporter.Report(Percent(i, n), i + 1, n);
        if (Cancelled(cancel)) {
            outcome.cancelled = true;
            outcome.succeeded = false;
            InfoManager::InfoStream.Free();
            return outcome;
        }
    }
    InfoManager::HdrdocEnd();
    outcome.skipped = InfoManager::SkippedFileNames();
    outcome.lineEndsAdded = InfoManager::MergeLineEndsAdded();
    outcome.notSplittable = InfoManager::MergeNotSplittable();
    outcome.written =
        static_cast<std::uint32_t>(i) - static_cast<std::uint32_t>(outcome.skipped.size());
    Written(outcome, InfoManager::WriteHdrdocFile());
    // The game takes the merged document for all its infos: those never split are lost.
    if (outcome.succeeded)
        outcome.notMerged = InfoManager::InfosWithoutFile();
    return outcome;
}

Outcome UpdateTemplateCache(const ProgressFn& progress, const CancelFn& cancel) {
    // A missing folder as well: an empty cache would replace the old one.
    if (!TemplateManager::InitializeDirectory(true))
        return Unreadable(TemplateManager::Folder, Operation::Save, "templatecache");
    Outcome outcome;
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCurrentFilter.ClearContent();
    const std::int32_t n = TemplateManager::CountTemplateFiles(true);
    TemplateManager::InitializeDirectory(true);
    ProgressReporter reporter(progress);
    for (std::int32_t i = 0; TemplateManager::GenerateCacheEntry(); ++i) {
        reporter.Report(Percent(i, n), i + 1, n);
        if (Cancelled(cancel)) {
            outcome.cancelled = true;
            break;
        }
    }
    outcome.skipped = TemplateManager::SkippedFileNames();
    Written(outcome, TemplateManager::WriteCache());
    return outcome;
}

} // namespace VaskEdit::Jobs
