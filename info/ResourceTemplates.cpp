#include "info/ResourceTemplates.h"
#include "engine/DataFolders.h"
#include "engine/Member.h"
#include "info/EntryTypes.h"
#include "info/InfoCondition.h"
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

std::string FindResourceRoot(const std::string& programPath) {
    return TesselEngine::FindDataRoot("Resources", programPath);
}

namespace {
// Where the template of a type lies, below the resource root.
std::string TemplatePath(const EntryType& type) {
    return std::string(type.kind == EntryKind::Command ? CommandDirectory : ConditionDirectory) +
           ClassName(type);
}

// Calls visit for every type that has a template, commands first.
template <typename Visit> bool ForEachClassType(Visit visit) {
    for (const EntryKind kind : {EntryKind::Command, EntryKind::Condition}) {
        for (const EntryType& type : EntryTypes(kind)) {
            if (type.hasClass && !visit(type))
                return false;
        }
    }
    return true;
}
} // namespace

bool LoadResourceTemplates() {
    if (!ForEachClassType(
            [](const EntryType& type) { return Load(TemplatePath(type), TemplateStorage(type)); }))
        return false;
    if (!InfoRequiredPerk::LoadPerkTemplate(Char256((root + PerkTemplate).c_str())))
        return false;
    return VaskInfo::LoadEmptyInfo(Char256((root + InfoTemplate).c_str()));
}

void ReleaseResourceTemplates() {
    ForEachClassType([](const EntryType& type) {
        TemplateStorage(type).Free();
        return true;
    });
    InfoRequiredPerk::PerkStream.Free();
    VaskInfo::UnloadEmptyInfo();
}

} // namespace VaskEdit
