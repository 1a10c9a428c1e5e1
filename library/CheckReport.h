// The check report: one pass over the info directory that lists what would break the
// game, lose data or surprise the modder, as a flat list of findings.
#pragma once

#include "library/Jobs.h"

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// Errors break the game or lose data; warnings deserve a look.
enum class Severity { Error, Warning };

// "error" or "warning".
std::string_view SeverityName(Severity severity);

struct Finding {
    Severity severity;
    // The info file's name without ".vaskinfo" (what opens it); empty for a finding
    // about the workspace as a whole.
    std::string infoName;
    std::string text;

    bool operator==(const Finding&) const = default;
};

// Checks the workspace in the current directory: every "Infos/*.vaskinfo" is read
// once and compared with the other infos, "templatecache" and the text tables, and
// with what the editor would write for it (the resource templates must be loaded for
// that; without them the comparison is left out and said so). Reports a whole
// percentage after every file and stops after the file in which cancel() said yes;
// *cancelled then tells that the list covers only the files checked so far. A folder
// "Infos/" that cannot be listed gives no findings and its reason in *failure (which
// stays unset otherwise).
//
// The findings come sorted: those about the workspace first, then by info name
// (letters compared without case, so that names differing only in case stand
// together), and for one info by kind, in the order of its commands and conditions.
std::vector<Finding> CheckInfoDirectory(const Jobs::ProgressFn& progress,
                                        const Jobs::CancelFn& cancel, bool* cancelled = nullptr,
                                        TesselEngine::Failure* failure = nullptr);

} // namespace VaskEdit
