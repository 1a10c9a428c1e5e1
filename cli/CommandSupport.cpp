#include "CommandSupport.h"

#include "info/ResourceTemplates.h"
#include "library/ReadWhole.h"
#include "library/ReferenceIndex.h"

#include <iostream>

namespace VaskCli {

int Fail(const std::string& message) {
    std::cerr << message << "\n";
    return 1;
}

int Fail(const TesselEngine::Failure& failure) {
    return Fail(TesselEngine::FailureMessage(failure));
}

int FailForLast() {
    return Fail(TesselEngine::LastFailure());
}

int Fail(const std::string& message, const TesselEngine::Failure& failure) {
    return Fail(message + "\n" + TesselEngine::FailureMessage(failure));
}

void ReportSkipped(const std::vector<std::string>& skipped) {
    for (const auto& file : skipped)
        std::cerr << "Could not read \"" << file << "\"; skipped.\n";
}

VaskEdit::Jobs::ProgressFn ProgressTo(Progress& bar) {
    return [&bar](const VaskEdit::Jobs::JobProgress& progress) { bar.Report(progress.percent); };
}

std::string RowField(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

void PrintInfoRow(std::string_view name, std::string_view owner, std::string_view quest) {
    std::cout << name << '\t' << owner << '\t' << quest << '\n';
}

void PrintInfoRows(const TesselEngine::TTL::Vector<VaskEdit::VaskInfoCache>& rows) {
    for (const auto& r : rows)
        PrintInfoRow(r.Name.View(), r.Owner.View(), r.Quest.View());
}

bool BuildIndex(const char* job) {
    // What saving writes tells whether the reader took a file whole; without the
    // templates every file counts as read whole.
    VaskEdit::LoadResourceTemplates();
    VaskEdit::Jobs::Outcome outcome;
    {
        Progress bar(job);
        outcome = VaskEdit::References().Build(ProgressTo(bar), {});
    }
    ReportSkipped(outcome.skipped);
    if (!outcome.succeeded)
        Fail(outcome.failure);
    return outcome.succeeded;
}

int AfterReading(const std::vector<std::string>& notReadWhole, bool found, int status) {
    if (notReadWhole.empty())
        return status;
    std::cerr << "Warning: " << VaskEdit::NotReadWholeNotice(notReadWhole, "check") << "\n";
    return found ? status : 1;
}

} // namespace VaskCli
