// What the commands of vaskedit-cli share: failing with the library's words, rows on
// standard output, the progress bar and texts as UTF-8.
#pragma once

#include "Progress.h"

#include "engine/Failure.h"
#include "engine/Windows1252.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"

#include <string>
#include <string_view>
#include <vector>

namespace VaskCli {

constexpr int UsageError = 2;

// Prints the message on standard error; gives the failure status 1.
int Fail(const std::string& message);
// The library's reason, in the words the window uses for it.
int Fail(const TesselEngine::Failure& failure);
int FailForLast();
// A text that the window shows as it stands, with the reason on the next line.
int Fail(const std::string& message, const TesselEngine::Failure& failure);

// One line a file, so that a modder can find each one.
void ReportSkipped(const std::vector<std::string>& skipped);

VaskEdit::Jobs::ProgressFn ProgressTo(Progress& bar);

// Builds the index of "Infos/" behind a progress bar named job; false, with the message
// printed, when it cannot.
bool BuildIndex(const char* job);

// Says on standard error which of the infos read the reader could not take whole: what
// the command found may lack their part. The status stays when the command found
// something; a command that found nothing then fails, as its nothing may be theirs.
int AfterReading(const std::vector<std::string>& notReadWhole, bool found, int status);

// One field of a TAB-separated row: a tab or line end inside would split the row.
std::string RowField(std::string text);

// The cache's row form: name, owner and quest.
void PrintInfoRow(std::string_view name, std::string_view owner, std::string_view quest);
void PrintInfoRows(const TesselEngine::TTL::Vector<VaskEdit::VaskInfoCache>& rows);

using TesselEngine::Windows1252ToUtf8;

} // namespace VaskCli
