// `vaskedit-cli merge-file BASE OURS THEIRS`: a three-way merge of one info, usable as
// git's merge driver. OURS receives the result, written in the template layout; on a
// conflict, or when the result would not read back as written, OURS stays as it was.
#include "CommandSupport.h"
#include "Commands.h"

#include "engine/File.h"
#include "info/InfoRegions.h"
#include "info/SaveCheck.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"
#include "library/InfoDiff.h"
#include "library/InfoMerge.h"
#include "library/ReadWhole.h"

#include <iostream>

namespace VaskCli {

using namespace VaskEdit;
using TesselEngine::WinAPI::File;

namespace {
int Refuse(const std::string& message) {
    std::cerr << "Error: " << message << "\n";
    return UsageError;
}

void Read(const std::string& bytes, VaskInfo& info) {
    const TextTables::LookUpsOff off; // display texts live in the tables, not in the info
    info.LoadFromText(bytes, FindInfoRegions(bytes));
}

std::string Written(VaskInfo& info, bool* ok) {
    Stream stream;
    *ok = info.WriteToStream(stream);
    return std::string(stream.GetBuffer() ? stream.GetBuffer() : "", stream.GetSize());
}
} // namespace

int MergeFile(const std::string& basePath, const std::string& oursPath,
              const std::string& theirsPath) {
    std::string base, ours, theirs;
    for (const auto& [path, bytes] : {std::pair{&basePath, &base}, std::pair{&oursPath, &ours},
                                      std::pair{&theirsPath, &theirs}})
        if (!File::ReadAll(path->c_str(), *bytes))
            return Refuse("\"" + *path + "\" could not be read.");
    // Where one side is the base, the other is the result, byte for byte.
    if (theirs == base || theirs == ours)
        return 0;
    if (ours == base)
        return File::SaveAtomically(oursPath.c_str(), theirs.data(), theirs.size())
                   ? 0
                   : Fail("Error: \"" + oursPath + "\" could not be written.",
                          TesselEngine::LastFailure());
    if (!InfoManager::Initialize())
        return Refuse("the record templates are missing; the infos cannot be merged.");
    for (const auto& [path, bytes] : {std::pair{&basePath, &base}, std::pair{&oursPath, &ours},
                                      std::pair{&theirsPath, &theirs}})
        if (!ReadsWhole(*bytes, FindInfoRegions(*bytes)))
            return Refuse("\"" + *path +
                          "\" could not be read whole; merge it by hand so that nothing is lost.");
    VaskInfo baseInfo, oursInfo, theirsInfo, merged;
    Read(base, baseInfo);
    Read(ours, oursInfo);
    Read(theirs, theirsInfo);
    const std::vector<MergeConflict> conflicts = MergeInfos(baseInfo, oursInfo, theirsInfo, merged);
    if (!conflicts.empty()) {
        std::cout << conflicts.size() << (conflicts.size() == 1 ? " conflict" : " conflicts")
                  << " in \"" << oursPath << "\", which is left as it was:\n";
        for (const MergeConflict& conflict : conflicts)
            std::cout << Windows1252ToUtf8(ConflictLine(conflict)) << "\n";
        return 1;
    }
    bool written = false;
    const std::string result = Written(merged, &written);
    // The merged file must read back as the merge made it, and write back as it stands.
    VaskInfo reread;
    Read(result, reread);
    if (!written || !(PlacesOf(reread, false) == PlacesOf(merged, false)) ||
        CompareSave(reread, result).changed)
        return Refuse("the merged info would not read back as merged; \"" + oursPath +
                      "\" is left as it was.");
    if (!File::SaveAtomically(oursPath.c_str(), result.data(), result.size()))
        return Fail("Error: \"" + oursPath + "\" could not be written.",
                    TesselEngine::LastFailure());
    return 0;
}

} // namespace VaskCli
