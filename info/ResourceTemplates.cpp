#include "info/ResourceTemplates.h"
#include "engine/Member.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"
#include "info/VaskInfo.h"

namespace VaskEdit {

namespace {
constexpr const char* CommandDirectory = "Resources/Commands/";
constexpr const char* ConditionDirectory = "Resources/Conditions/";
constexpr const char* PerkTemplate = "Resources/gCRequiredPerk";
constexpr const char* InfoTemplate = "Resources/EmptyInfo.vaskinfo";
} // namespace

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
        if (!TesselEngine::LoadTemplate(
                Char256((std::string(CommandDirectory) + type.className).c_str()), *type.stream))
            return false;
    }
    for (const auto& type : SupportedConditionTypes()) {
        if (!TesselEngine::LoadTemplate(
                Char256((std::string(ConditionDirectory) + type.className).c_str()), *type.stream))
            return false;
    }
    if (!InfoRequiredPerk::LoadPerkTemplate(Char256(PerkTemplate)))
        return false;
    return VaskInfo::LoadEmptyInfo(Char256(InfoTemplate));
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
