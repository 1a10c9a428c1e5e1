#include "library/ReadWhole.h"
#include "info/InfoRegions.h"
#include "info/SaveCheck.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"

namespace VaskEdit {

namespace {
// The comparison writes the info from the templates: without them it cannot tell.
bool CanTell() {
    return VaskInfo::EmptyInfoStream.GetSize() > 0;
}
} // namespace

bool ReadsWhole(std::string_view bytes, const InfoRegions& regions) {
    if (!CanTell())
        return true;
    const TextTables::LookUpsOff noTexts; // saving writes none; and no table is made
    VaskInfo info;
    info.LoadFromText(bytes, regions);
    // The structure as the caller found it: the file is taken apart once.
    const std::string damage = StructureDamage(bytes, regions);
    return !CompareSave(info, bytes, 0, &damage).losesContent;
}

bool FileReadsWhole(const char* path) {
    return !CanTell() || !CompareSaveWithFile(path, 0).losesContent;
}

std::string NotReadWholeNotice(const std::vector<std::string>& names, std::string_view check) {
    if (names.empty())
        return {};
    constexpr std::size_t Shown = 5;
    std::string notice = std::to_string(names.size()) +
                         (names.size() == 1 ? " info file" : " info files") +
                         " could not be read whole: ";
    for (std::size_t i = 0; i < names.size() && i < Shown; ++i)
        notice += (i ? ", " : "") + names[i];
    if (names.size() > Shown)
        notice += ", ...";
    return notice + "; run " + std::string(check) + ".";
}

} // namespace VaskEdit
