// The four long operations as loops over the library's step functions, shared by the
// editor's background jobs and the command-line tool. Each reports its progress when
// the whole percentage changes (at most 101 reports a job, so that a window showing
// them stays responsive) and stops after the step in which cancel() said yes; cancel()
// is asked after every step.
#pragma once

#include "engine/Failure.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace VaskEdit::Jobs {

// How far a job has come: the whole percentage and the steps behind it (files, or for
// the split the bytes of the document).
struct JobProgress {
    int percent = 0;
    std::uint64_t done = 0;
    std::uint64_t total = 0;
};

using ProgressFn = std::function<void(const JobProgress&)>;
using CancelFn = std::function<bool()>;

// Passes a job's progress on only when its whole percentage changes.
class ProgressReporter {
public:
    explicit ProgressReporter(const ProgressFn& progress) : progress(progress) {}
    void Report(int percent, std::uint64_t done, std::uint64_t total) {
        if (!progress || percent == last)
            return;
        last = percent;
        progress(JobProgress{percent, done, total});
    }

private:
    const ProgressFn& progress;
    int last = -1;
};

struct Outcome {
    bool cancelled = false;
    bool succeeded = true; // the job's file was written (cache, document)
    // Why the job's file could not be read or written; for the split, why the last piece
    // that failed did. Cause::UnreadableFolder for a folder that could not be listed
    // ("Infos/", "Templates/"): the job did nothing and its old output file is as it was.
    TesselEngine::Failure failure;
    std::vector<std::string> skipped; // files that could not be read, by path
    std::uint32_t failed = 0;         // split pieces that could not be written
    std::uint32_t written = 0;        // split pieces written; files merged
    std::uint32_t existing = 0;       // split pieces skipped for a file that exists
    std::uint32_t found = 0;          // split: infos found in the document
    // Split: infos not cut out, each with its line and reason.
    std::vector<std::string> refused;
    // Split: bytes in no file, text behind an info's closing brace.
    std::vector<std::string> notes;
    // Merge: files that got a final line end in the document.
    std::vector<std::string> lineEndsAdded;
    // Merge: files that a split of the merged document would not give back as they are.
    std::vector<std::string> notSplittable;
    bool noDocument = false; // split: "w_info.hdrdoc" could not be loaded
    // Split: names met again in "w_info.hdrdoc", whose later infos got no file.
    std::vector<std::string> duplicates;
    // Merge: infos of "w_info.hdrdoc" without a file in "Infos/", which the merged
    // document lacks.
    std::vector<std::string> notMerged;
};

// i of n steps done, as the truncated whole percentage of single-precision values.
int Percent(std::uint64_t i, std::uint64_t n);

// Rebuilds the info cache from "Infos/" and writes "infocache", also after a cancel
// (with the records gathered so far).
Outcome UpdateCache(const ProgressFn& progress, const CancelFn& cancel);

// Selects the info files that hold the whole text.
Outcome Search(const char* text, const ProgressFn& progress, const CancelFn& cancel);

// Loads "w_info.hdrdoc" for the split; false when there is nothing to split.
bool BeginSplit();
Outcome Split(const ProgressFn& progress, const CancelFn& cancel);

// Merges "Infos/" into "Output/new_info.hdrdoc". A cancelled merge, or one that could
// not take in every file, writes nothing and leaves an old document as it was.
Outcome Merge(const ProgressFn& progress, const CancelFn& cancel);

// Rebuilds the template cache from "Templates/" and writes "templatecache".
Outcome UpdateTemplateCache(const ProgressFn& progress, const CancelFn& cancel);

} // namespace VaskEdit::Jobs
