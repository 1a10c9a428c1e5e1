#include "Commands.h"
#include "InfoJson.h"
#include "Progress.h"

#include "info/InfoFileName.h"
#include "info/ResourceTemplates.h"
#include "info/SaveCheck.h"
#include "info/WorkingCopy.h"
#include "library/CheckReport.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "tools/ExternalTools.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

namespace {
int Fail(const std::string& message) {
    std::cerr << message << "\n";
    return 1;
}

void PrintInfoRows(const TesselEngine::TTL::Vector<VaskInfoCache>& rows) {
    for (const auto& r : rows)
        std::cout << r.Name.View() << '\t' << r.Owner.View() << '\t' << r.Quest.View() << '\n';
}

void PrintTemplateRow(const VaskTemplateCache& r) {
    std::cout << r.Name.View() << '\t' << r.GUID.View() << '\t' << r.File.View() << '\n';
}

void PrintTemplateRows(const TesselEngine::TTL::Vector<VaskTemplateCache>& rows) {
    for (const auto& r : rows)
        PrintTemplateRow(r);
}

void ReportSkipped(std::uint32_t skipped) {
    if (skipped)
        std::cerr << skipped << (skipped == 1 ? " file" : " files") << " could not be read.\n";
}

// Filter texts are used as the editor uses them: at most 47 characters.
std::string FilterText(const std::string& text) {
    return text.substr(0, 47);
}

Jobs::ProgressFn ProgressTo(Progress& bar) {
    return [&bar](int percent) { bar.Report(percent); };
}

bool StartLibrary() {
    return InfoManager::Initialize();
}

// One field of a TAB-separated row: a tab or line end inside would split the row.
std::string RowField(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

std::string Counted(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// Reads an info by name from "Infos/" or, for an argument holding ".vaskinfo", by path.
bool LoadInfo(const std::string& argument, std::uint32_t& index, std::string& shown) {
    index = InfoManager::PrepareInfo();
    VaskInfo& info = InfoManager::InfoFiles[index];
    if (argument.find(".vaskinfo") != std::string::npos) {
        std::string path = argument;
        std::replace(path.begin(), path.end(), '\\', '/');
        shown = path;
        return path.size() < 256 && info.LoadFromAbsolutePath(path.c_str());
    }
    shown = argument;
    return info.LoadDataFromFile(argument.substr(0, 47).c_str());
}
} // namespace

int Split() {
    if (!Jobs::BeginSplit())
        return Fail("Failed to load infostream.");
    Jobs::Outcome outcome;
    {
        Progress bar("split");
        outcome = Jobs::Split(ProgressTo(bar), {});
    }
    std::cerr << "\n"; // ends the last line of the split's report
    if (outcome.failed)
        return Fail(std::to_string(outcome.failed) + " infos could not be written to \"Infos/\".");
    return 0;
}

int Merge() {
    Jobs::Outcome outcome;
    {
        Progress bar("merge");
        outcome = Jobs::Merge(ProgressTo(bar), {});
    }
    ReportSkipped(outcome.skipped);
    if (!outcome.succeeded)
        return Fail("Error: \"Output/new_info.hdrdoc\" was not written; the previous document "
                    "is unchanged.");
    std::cerr << "Successfully created file \"Output/new_info.hdrdoc\".\n";
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
        return Fail("Error: \"infocache\" could not be written.");
    return 0;
}

int CacheList() {
    if (!InfoManager::ReadInfoCache())
        return Fail("Error: \"infocache\" could not be read.");
    PrintInfoRows(InfoManager::InfoFileCache);
    return 0;
}

int Filter(Field field, const std::string& text) {
    if (IsBlankText(text))
        return Fail("Invalid filter text!");
    if (!InfoManager::ReadInfoCache())
        return Fail("Error: \"infocache\" could not be read.");
    const std::string wanted = FilterText(text);
    InfoManager::ClearFilter();
    switch (field) {
    case Field::Name:
        InfoManager::FilterByName(wanted.c_str());
        break;
    case Field::Owner:
        InfoManager::FilterByOwner(wanted.c_str());
        break;
    case Field::Quest:
        InfoManager::FilterByQuest(wanted.c_str());
        break;
    default:
        InfoManager::FilterAnyMatch(wanted.c_str());
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
    ReportSkipped(outcome.skipped);
    PrintInfoRows(InfoManager::InfoCurrentFilter);
    return 0;
}

int Owners() {
    if (!ScriptManager::ExtractScripts())
        return Fail("Error: \"Owners.txt\" could not be written completely; it is unchanged.");
    std::FILE* file = std::fopen("Owners.txt", "rb");
    if (!file)
        return Fail("Error: \"Owners.txt\" could not be written.");
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer[i] != '\r')
                std::cout.put(buffer[i]);
        }
    }
    std::fclose(file);
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
        return Fail("Error: \"templatecache\" could not be written.");
    return 0;
}

int TemplatesList() {
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCurrentFilter.ClearContent();
    if (!TemplateManager::ReadCache())
        return Fail("Error: \"templatecache\" could not be read.");
    PrintTemplateRows(TemplateManager::TemplateCache);
    return 0;
}

int TemplatesFind(const std::string& name, const std::string& guid) {
    if (!TemplateManager::ReadCache())
        return Fail("Error: \"templatecache\" could not be read.");
    const std::string n = name.substr(0, 49);
    const std::string g = guid.substr(0, 49);
    const std::int32_t index = TemplateManager::FindTemplate(n.empty() ? nullptr : n.c_str(),
                                                             g.empty() ? nullptr : g.c_str());
    if (index < 0)
        return Fail("Template not found.");
    PrintTemplateRow(TemplateManager::TemplateCache[static_cast<std::uint32_t>(index)]);
    return 0;
}

int TemplatesFilter(Field field, const std::string& text) {
    if (IsBlankText(text))
        return Fail("Invalid filter text!");
    if (!TemplateManager::ReadCache())
        return Fail("Error: \"templatecache\" could not be read.");
    const std::string wanted = FilterText(text);
    TemplateManager::ClearFilter();
    if (field == Field::Name)
        TemplateManager::FilterByName(wanted.c_str());
    else if (field == Field::Guid)
        TemplateManager::FilterByGUID(wanted.c_str());
    else
        TemplateManager::FilterAnyMatch(wanted.c_str());
    PrintTemplateRows(TemplateManager::TemplateCurrentFilter);
    return 0;
}

int Show(const std::string& nameOrPath) {
    std::uint32_t index = 0;
    std::string shown;
    if (!LoadInfo(nameOrPath, index, shown))
        return Fail("Error: File <" + shown + "> not found!");
    std::cout << InfoToJson(InfoManager::InfoFiles[index]) << "\n";
    return 0;
}

int Resave(const std::string& nameOrPath, bool force) {
    if (!StartLibrary())
        return Fail("Error: Important resource files are missing!");
    std::uint32_t index = 0;
    std::string shown;
    if (!LoadInfo(nameOrPath, index, shown))
        return Fail("Error: File <" + shown + "> not found!");
    VaskInfo& info = InfoManager::InfoFiles[index];
    const std::string path = nameOrPath.find(".vaskinfo") != std::string::npos
                                 ? shown
                                 : InfoDirectoryName + nameOrPath + InfoExtension;
    const SaveComparison saving = CompareSaveWithFile(path.c_str());
    if (saving.changed && !force) {
        std::cerr << "Not saved: \"" << path << "\" does not read back as it stands.\n";
        for (const std::string& line : DescribeSaveChanges(saving))
            std::cerr << line << "\n";
        return Fail("Use --force to save it all the same.");
    }
    if (!InfoManager::WriteVaskInfo(index))
        return Fail("Error: \"Infos/" + info.Name.Str() + ".vaskinfo\" could not be written.");
    return 0;
}

int Check() {
    // Without the resource templates the report says that it could not compare the
    // files with what saving writes, and checks everything else.
    StartLibrary();
    std::vector<Finding> findings;
    {
        Progress bar("check");
        findings = CheckInfoDirectory(ProgressTo(bar), {});
    }
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
