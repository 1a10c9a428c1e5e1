#include "Commands.h"
#include "CommandSupport.h"
#include "InfoJson.h"
#include "Progress.h"

#include "engine/Failure.h"
#include "engine/File.h"
#include "info/InfoFileName.h"
#include "info/ResourceTemplates.h"
#include "info/SaveCheck.h"
#include "info/SaveTarget.h"
#include "info/WorkingCopy.h"
#include "library/CheckReport.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/MergeReview.h"
#include "library/ReadWhole.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "tools/ExternalTools.h"

#include <algorithm>
#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

namespace {
void PrintTemplateRow(const VaskTemplateCache& r) {
    std::cout << r.Name.View() << '\t' << r.GUID.View() << '\t' << r.File.View() << '\n';
}

void PrintTemplateRows(const TesselEngine::TTL::Vector<VaskTemplateCache>& rows) {
    for (const auto& r : rows)
        PrintTemplateRow(r);
}

// The cached fields hold 48 characters: a longer text can match none of them, and a cut
// one would match what was not asked for.
constexpr std::size_t CachedFieldLength = 48;
int TooLong(const char* what) {
    std::cerr << "Error: " << what << " has more than " << CachedFieldLength
              << " characters, which no cached value has.\n";
    return UsageError;
}

std::string Counted(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// The first few of the names, for a message that gives their count.
std::string FirstNames(const std::vector<std::string>& names) {
    constexpr std::size_t Shown = 5;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < Shown; ++i)
        text += (i ? ", " : "") + names[i];
    return names.size() > Shown ? text + ", ..." : text;
}

// One line each, the first few of them.
void ListLines(const char* heading, const std::vector<std::string>& lines) {
    constexpr std::size_t Shown = 10;
    std::cerr << heading << "\n";
    for (std::size_t i = 0; i < lines.size() && i < Shown; ++i)
        std::cerr << "  " << lines[i] << "\n";
    if (lines.size() > Shown)
        std::cerr << "  and " << lines.size() - Shown << " more\n";
}

bool StartLibrary() {
    return InfoManager::Initialize();
}

// Reads an info by name from "Infos/" or, for an argument holding ".vaskinfo", by path.
bool LoadInfo(const std::string& argument, std::uint32_t& index, std::string& shown) {
    index = InfoManager::PrepareInfo();
    VaskInfo& info = InfoManager::InfoFiles[index];
    const auto refused = [](const std::string& path) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, path,
                                 TesselEngine::Cause::InvalidName);
        return false;
    };
    if (argument.find(".vaskinfo") != std::string::npos) {
        std::string path = argument;
        std::replace(path.begin(), path.end(), '\\', '/');
        shown = path;
        if (path.size() >= 256)
            return refused(path);
        return info.LoadFromAbsolutePath(path.c_str());
    }
    shown = argument;
    // No info has a longer name; a cut one could be another info's.
    if (argument.size() > VaskEdit::Char48::Capacity)
        return refused(InfoDirectoryName + argument + InfoExtension);
    return info.LoadDataFromFile(argument.c_str());
}
// The file that LoadInfo read.
std::string InfoPathOf(const std::string& argument, const std::string& shown) {
    return argument.find(".vaskinfo") != std::string::npos
               ? shown
               : InfoDirectoryName + argument + InfoExtension;
}
} // namespace

int Split() {
    if (!Jobs::BeginSplit())
        return Fail("Failed to load infostream.", TesselEngine::LastFailure());
    Jobs::Outcome outcome;
    {
        Progress bar("split");
        outcome = Jobs::Split(ProgressTo(bar), {});
    }
    std::cerr << "\n"; // ends the last line of the split's report
    if (outcome.failure.cause == TesselEngine::Cause::UnreadableFolder)
        return Fail(outcome.failure);
    std::cerr << Counted(outcome.found, "info")
              << " found in \"w_info.hdrdoc\": " << outcome.written << " written to \"Infos/\", "
              << outcome.existing << " skipped (the file exists), "
              << outcome.refused.size() + outcome.duplicates.size() + outcome.failed
              << " refused.\n";
    if (!outcome.notes.empty())
        ListLines("Warning:", outcome.notes);
    int status = 0;
    if (!outcome.refused.empty()) {
        ListLines(("Error: " + Counted(outcome.refused.size(), "info") +
                   " could not be cut out of \"w_info.hdrdoc\" and got no file:")
                      .c_str(),
                  outcome.refused);
        status = 1;
    }
    if (outcome.failed)
        status = Fail(Counted(outcome.failed, "info") + " could not be written to \"Infos/\".",
                      outcome.failure);
    if (!outcome.duplicates.empty())
        status = Fail("Error: " + Counted(outcome.duplicates.size(), "info") +
                      " of \"w_info.hdrdoc\" repeated the name of an earlier one and got no "
                      "file: " +
                      FirstNames(outcome.duplicates));
    return status;
}

int Merge(bool strict) {
    // What the merge will write against the game document: the refusal of --strict and
    // the counts said after it (the workspace is locked meanwhile).
    const MergeReview review = ReviewMerge();
    if (strict) {
        if (!review.LeftOut().empty()) {
            ListLines(("Not merged: " + Counted(review.LeftOut().size(), "info") +
                       " of \"w_info.hdrdoc\" with no file in \"Infos/\" would be left out "
                       "of the game's document:")
                          .c_str(),
                      review.LeftOut());
            return 1;
        }
    }
    Jobs::Outcome outcome;
    {
        Progress bar("merge");
        outcome = Jobs::Merge(ProgressTo(bar), {});
    }
    ReportSkipped(outcome.skipped);
    if (!outcome.succeeded)
        return Fail(outcome.failure);
    std::cerr << "Successfully created file \"Output/new_info.hdrdoc\".\n";
    if (review.compared) {
        std::cerr << MergeCountsLine(review) << "\n";
        for (const RenamedInfo& renamed : review.diff.renamed)
            std::cerr << "Renamed: " << renamed.from << " -> " << renamed.to << "\n";
    }
    if (!outcome.lineEndsAdded.empty())
        ListLines(("Warning: " + Counted(outcome.lineEndsAdded.size(), "info file") +
                   " had no final line end; the merged document gives " +
                   (outcome.lineEndsAdded.size() == 1 ? "it" : "them") + " one:")
                      .c_str(),
                  outcome.lineEndsAdded);
    if (!outcome.notSplittable.empty())
        ListLines(("Warning: " + Counted(outcome.notSplittable.size(), "info file") +
                   " would not come back as they are from a split of the merged document "
                   "(run check):")
                      .c_str(),
                  outcome.notSplittable);
    // A renamed info is in the document under its new name: it is not missing.
    const std::vector<std::string>& missing =
        review.compared ? review.LeftOut() : outcome.notMerged;
    if (!missing.empty())
        std::cerr << "Warning: " << Counted(missing.size(), "info")
                  << " of \"w_info.hdrdoc\" with no file in \"Infos/\" "
                  << (missing.size() == 1 ? "is" : "are")
                  << " missing from the merged document: " << FirstNames(missing) << "\n";
    return 0;
}

int CacheUpdate() {
    Jobs::Outcome outcome;
    {
        Progress bar("cache update");
        outcome = Jobs::UpdateCache(ProgressTo(bar), {});
    }
    ReportSkipped(outcome.skipped);
    if (!outcome.succeeded)
        return Fail(outcome.failure);
    return 0;
}

int CacheList() {
    if (!InfoManager::ReadInfoCache())
        return FailForLast();
    PrintInfoRows(InfoManager::InfoFileCache);
    return 0;
}

int Filter(Field field, const std::string& text) {
    if (IsBlankText(text))
        return Fail("Invalid filter text!");
    if (text.size() > CachedFieldLength)
        return TooLong("The filter text");
    if (!InfoManager::ReadInfoCache())
        return FailForLast();
    InfoManager::ClearFilter();
    switch (field) {
    case Field::Name:
        InfoManager::FilterByName(text.c_str());
        break;
    case Field::Owner:
        InfoManager::FilterByOwner(text.c_str());
        break;
    case Field::Quest:
        InfoManager::FilterByQuest(text.c_str());
        break;
    default:
        InfoManager::FilterAnyMatch(text.c_str());
    }
    PrintInfoRows(InfoManager::InfoCurrentFilter);
    return 0;
}

int Search(const std::string& text) {
    Jobs::Outcome outcome;
    {
        Progress bar("search");
        outcome = Jobs::Search(text.c_str(), ProgressTo(bar), {});
    }
    if (outcome.failure.cause == TesselEngine::Cause::UnreadableFolder)
        return Fail(outcome.failure);
    ReportSkipped(outcome.skipped);
    PrintInfoRows(InfoManager::InfoCurrentFilter);
    return 0;
}

int GitSetup() {
    const char* const path = ".gitattributes";
    const std::string line = "*.vaskinfo diff=vaskinfo merge=vaskinfo";
    // What earlier versions wrote, which the new line takes the place of.
    const std::string_view older = "*.vaskinfo diff=vaskinfo";
    std::string attributes;
    if (TesselEngine::WinAPI::File{TesselEngine::Char256(path)}.Exists() &&
        !TesselEngine::WinAPI::File::ReadAll(path, attributes))
        return Fail("Error: \".gitattributes\" cannot be read.", TesselEngine::LastFailure());
    bool present = false;
    std::string kept;
    for (std::size_t start = 0; start < attributes.size();) {
        const std::size_t end = std::min(attributes.find('\n', start), attributes.size());
        std::string_view current(attributes.data() + start, end - start);
        const std::string_view whole(attributes.data() + start,
                                     std::min(end + 1, attributes.size()) - start);
        if (current.ends_with('\r'))
            current.remove_suffix(1);
        present = present || current == line;
        if (current != older)
            kept += whole;
        start = end + 1;
    }
    if (!present) {
        if (!kept.empty() && kept.back() != '\n')
            kept += '\n';
        kept += line + '\n';
    }
    if (kept != attributes &&
        !TesselEngine::WinAPI::File::SaveWithBackup(path, kept.data(), kept.size()))
        return Fail("Error: \".gitattributes\" could not be written.", TesselEngine::LastFailure());
    std::cerr << (present ? "\".gitattributes\" already has \"" : "Added \"") << line
              << (present ? "\".\n" : "\" to \".gitattributes\".\n")
              << "Run these once in the repository to let git show and merge infos place by "
                 "place:\n";
    std::cout << "git config diff.vaskinfo.textconv \"vaskedit-cli show --text\"\n"
              << "git config merge.vaskinfo.driver \"vaskedit-cli merge-file %O %A %B\"\n";
    return 0;
}

int Owners() {
    if (!ScriptManager::ExtractScripts())
        return FailForLast();
    std::string owners;
    if (!TesselEngine::WinAPI::File::ReadAll("Owners.txt", owners))
        return Fail("Error: \"Owners.txt\" could not be written.");
    for (const char c : owners) {
        if (c != '\r')
            std::cout.put(c);
    }
    return 0;
}

int TemplatesUpdate() {
    Jobs::Outcome outcome;
    {
        Progress bar("templates update");
        outcome = Jobs::UpdateTemplateCache(ProgressTo(bar), {});
    }
    ReportSkipped(outcome.skipped);
    if (!outcome.succeeded)
        return Fail(outcome.failure);
    return 0;
}

int TemplatesList() {
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCurrentFilter.ClearContent();
    if (!TemplateManager::ReadCache())
        return FailForLast();
    PrintTemplateRows(TemplateManager::TemplateCache);
    return 0;
}

int TemplatesFind(const std::string& name, const std::string& guid) {
    if (name.size() > CachedFieldLength)
        return TooLong("The template name");
    if (guid.size() > CachedFieldLength)
        return TooLong("The GUID");
    if (!TemplateManager::ReadCache())
        return FailForLast();
    const std::int32_t index = TemplateManager::FindTemplate(name.empty() ? nullptr : name.c_str(),
                                                             guid.empty() ? nullptr : guid.c_str());
    if (index < 0)
        return Fail("Template not found.");
    PrintTemplateRow(TemplateManager::TemplateCache[static_cast<std::uint32_t>(index)]);
    return 0;
}

int TemplatesFilter(Field field, const std::string& text) {
    if (IsBlankText(text))
        return Fail("Invalid filter text!");
    if (text.size() > CachedFieldLength)
        return TooLong("The filter text");
    if (!TemplateManager::ReadCache())
        return FailForLast();
    TemplateManager::ClearFilter();
    if (field == Field::Name)
        TemplateManager::FilterByName(text.c_str());
    else if (field == Field::Guid)
        TemplateManager::FilterByGUID(text.c_str());
    else
        TemplateManager::FilterAnyMatch(text.c_str());
    PrintTemplateRows(TemplateManager::TemplateCurrentFilter);
    return 0;
}

int Show(const std::string& nameOrPath, bool asText) {
    std::uint32_t index = 0;
    std::string shown;
    // With the templates, the info is read as resave reads it and compared as it does.
    const bool templates = StartLibrary();
    if (!LoadInfo(nameOrPath, index, shown))
        return Fail("Error: File <" + shown + "> not found!", TesselEngine::LastFailure());
    const SaveComparison saving = CompareSaveWithFile(InfoPathOf(nameOrPath, shown).c_str());
    const std::string json =
        InfoToJson(InfoManager::InfoFiles[index], templates ? &saving : nullptr);
    std::cout << (asText ? InfoToPlaceLines(json) : json + "\n");
    // Whether the record shown is the whole file: what saving writes tells.
    return AfterReading(!templates || !saving.losesContent ? std::vector<std::string>{}
                                                           : std::vector<std::string>{shown},
                        true, 0);
}

int Resave(const std::string& nameOrPath, bool force) {
    if (!StartLibrary())
        return Fail("Error: Important resource files are missing!");
    std::uint32_t index = 0;
    std::string shown;
    if (!LoadInfo(nameOrPath, index, shown))
        return Fail("Error: File <" + shown + "> not found!", TesselEngine::LastFailure());
    const std::string path = InfoPathOf(nameOrPath, shown);
    // Only the file that was read is written, --force or not.
    if (const std::string other = OtherSaveTarget(path); !other.empty())
        return Fail("Not saved: " + other + "\nresave writes only the file it read.");
    const SaveComparison saving = CompareSaveWithFile(path.c_str());
    if (saving.changed && (!force || SaveRefusedAlways(saving))) {
        std::cerr << "Not saved: \"" << path << "\" does not read back as it stands.\n";
        for (const std::string& line : DescribeSaveChanges(saving))
            std::cerr << line << "\n";
        return Fail(SaveRefusedAlways(saving) ? "Mend the file in a text editor; --force does "
                                                "not write a guess or an unreadable value."
                                              : "Use --force to save it all the same.");
    }
    if (!InfoManager::WriteVaskInfo(index))
        return FailForLast();
    return 0;
}

int Check() {
    // Without the resource templates the report says that it could not compare the
    // files with what saving writes, and checks everything else.
    StartLibrary();
    std::vector<Finding> findings;
    TesselEngine::Failure unlisted;
    {
        Progress bar("check");
        findings = CheckInfoDirectory(ProgressTo(bar), {}, nullptr, &unlisted);
    }
    if (unlisted.IsSet())
        return Fail(unlisted);
    std::size_t errors = 0;
    for (const auto& finding : findings) {
        if (finding.severity == Severity::Error)
            ++errors;
        std::cout << SeverityName(finding.severity) << '\t' << RowField(finding.infoName) << '\t'
                  << RowField(finding.text) << '\n';
    }
    std::cerr << Counted(errors, "error") << ", " << Counted(findings.size() - errors, "warning")
              << ".\n";
    return errors ? 1 : 0;
}

} // namespace VaskCli
