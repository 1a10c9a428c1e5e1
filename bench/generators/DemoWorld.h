// Builders for game data written through the program's own writer: infos with
// commands and conditions, the text tables they refer to, and item templates.
// Used by the demo workspace generator and the benchmark corpus generator.
#pragma once

#include "info/VaskInfo.h"

#include <map>
#include <string>
#include <vector>

namespace VaskDemo {

struct ItemTemplate {
    std::string name;
    std::string guid; // with braces
};

class World {
public:
    // Text tables: identifier -> display text, written as "id|speaker|text|".
    std::map<std::string, std::string> infoLines;    // infosa.csv
    std::map<std::string, std::string> descriptions; // infodescsa.csv
    std::map<std::string, std::string> questLogs;    // questdescsa.csv
    std::vector<ItemTemplate> items;

    // Deterministic GUID text for a name.
    static std::string GuidFor(const std::string& name);
    const std::string& AddItem(const std::string& name);
    std::string Guid(const std::string& itemName) const;

    // Writes "infosa.csv", "infodescsa.csv", "questdescsa.csv" into the directory.
    void WriteTextTables(const std::string& directory) const;
    // Writes one ".vasktpldoc" text document per item into the directory.
    void WriteTemplateDocuments(const std::string& directory) const;
};

// Appending commands, conditions and perks to an info.
class InfoBuilder {
public:
    InfoBuilder(World& world, VaskEdit::VaskInfo& info) : world(world), info(info) {}

    VaskEdit::InfoCommand& Command(const char* type);
    VaskEdit::InfoCondition& Condition(const char* type);
    void Perk(const char* skill, const char* value, bool invert);

    void Description(const std::string& id, const std::string& text);
    void Say(const std::string& speaker, const std::string& listener, const std::string& id,
             const std::string& text, const char* camera = "gEForcedDialogCam_None");
    void LogText(const std::string& quest, const std::string& id, const std::string& text);
    void Give(const std::string& from, const std::string& to, const std::string& item,
              const char* amount);
    void QuestStatus(const std::string& quest, const char* status, const char* current = "True");

private:
    World& world;
    VaskEdit::VaskInfo& info;
};

// Sets the members every info of the demo shares, with the given owner and quest.
void SetCommonMembers(VaskEdit::VaskInfo& info, const std::string& name, const std::string& owner,
                      const std::string& quest, const char* sortId);

// The info's text as the writer produces it (the templates must be loaded).
std::string InfoText(VaskEdit::VaskInfo& info);

} // namespace VaskDemo
