#include "info/ResourceTemplates.h"
#include "engine/Member.h"
#include "engine/platform/Platform.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "info/VaskInfo.h"

namespace VaskEdit {

namespace {
constexpr const char* CommandDirectory = "Resources/Commands/";
constexpr const char* ConditionDirectory = "Resources/Conditions/";
constexpr const char* PerkTemplate = "Resources/gCRequiredPerk";
constexpr const char* InfoTemplate = "Resources/EmptyInfo.vaskinfo";
std::string root;

bool Load(const std::string& relative, TesselEngine::IO::Stream& stream) {
    return TesselEngine::LoadTemplate(Char256((root + relative).c_str()), stream);
}
} // namespace

void SetResourceRoot(const std::string& directory) {
    root = directory;
}
const std::string& ResourceRoot() {
    return root;
}

std::string FindResourceRoot(const std::string& programPath) {
    if (TesselEngine::Platform::IsDirectory("Resources"))
        return {};
    const auto slash = programPath.find_last_of("/\\");
    if (slash == std::string::npos)
        return {};
    const std::string directory = programPath.substr(0, slash + 1);
    return TesselEngine::Platform::IsDirectory((directory + "Resources").c_str()) ? directory
                                                                                  : std::string();
}

std::vector<std::string> ResourceTemplatePaths() {
    std::vector<std::string> paths;
    for (const auto& type : SupportedCommandTypes())
        paths.push_back(std::string(CommandDirectory) + type.className);
    for (const auto& type : SupportedConditionTypes())
        paths.push_back(std::string(ConditionDirectory) + type.className);
    paths.push_back(PerkTemplate);
    paths.push_back(InfoTemplate);
    return paths;
}

bool LoadResourceTemplates() {
    for (const auto& type : SupportedCommandTypes()) {
        if (!Load(std::string(CommandDirectory) + type.className, *type.stream))
            return false;
    }
    for (const auto& type : SupportedConditionTypes()) {
        if (!Load(std::string(ConditionDirectory) + type.className, *type.stream))
            return false;
    }
    if (!InfoRequiredPerk::LoadPerkTemplate(Char256((root + PerkTemplate).c_str())))
        return false;
    return VaskInfo::LoadEmptyInfo(Char256((root + InfoTemplate).c_str()));
}

void ReleaseResourceTemplates() {
    for (const auto& type : SupportedCommandTypes())
        type.stream->Free();
    for (const auto& type : SupportedConditionTypes())
        type.stream->Free();
    InfoRequiredPerk::PerkStream.Free();
    VaskInfo::UnloadEmptyInfo();
}

} // namespace VaskEdit
