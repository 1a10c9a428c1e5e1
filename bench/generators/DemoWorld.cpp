#include "DemoWorld.h"
#include "engine/String.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace VaskDemo {

using namespace VaskEdit;

std::string World::GuidFor(const std::string& name) {
    // FNV-1a spread over the 32 hex digits: stable across runs and machines.
    std::uint64_t h = 1469598103934665603ull;
    std::string hex;
    for (int round = 0; hex.size() < 32; ++round) {
        for (char c : name + std::to_string(round)) {
            h ^= static_cast<unsigned char>(c);
            h *= 1099511628211ull;
        }
        char part[17];
        std::snprintf(part, sizeof part, "%016llX", static_cast<unsigned long long>(h));
        hex += part;
    }
    return "{" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" +
           hex.substr(16, 4) + "-" + hex.substr(20, 12) + "}";
}

const std::string& World::AddItem(const std::string& name) {
    items.push_back({name, GuidFor(name)});
    return items.back().guid;
}

std::string World::Guid(const std::string& itemName) const {
    for (const auto& item : items) {
        if (item.name == itemName)
            return item.guid;
    }
    throw std::runtime_error("unknown item " + itemName);
}

namespace {
void WriteTable(const std::string& path, const std::map<std::string, std::string>& lines,
                const char* speaker) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& [id, text] : lines)
        out << id << "|" << speaker << "|" << text << "|\r\n";
}
} // namespace

void World::WriteTextTables(const std::string& directory) const {
    WriteTable(directory + "/infosa.csv", infoLines, "line");
    WriteTable(directory + "/infodescsa.csv", descriptions, "choice");
    WriteTable(directory + "/questdescsa.csv", questLogs, "log");
}

void World::WriteTemplateDocuments(const std::string& directory) const {
    for (const auto& item : items) {
        std::ofstream out(directory + "/" + item.name + ".vasktpldoc",
                          std::ios::binary | std::ios::trunc);
        out << "class eCTemplateEntity {\r\n"
            << "    bCString Name = \"" << item.name << "\";\r\n"
            << "    bCGuid GUID = " << item.guid << ";\r\n"
            << "    bool IsItem = True;\r\n"
            << "    gCItem_PS Item {\r\n"
            << "        int Version = 1;\r\n"
            << "        int GoldValue = " << (item.name.size() * 7) % 90 + 5 << ";\r\n"
            << "    }\r\n"
            << "}\r\n";
    }
}

InfoCommand& InfoBuilder::Command(const char* type) {
    InfoCommand& command = info.InfoCommands[info.AddCommand()];
    command.SetCommand(type);
    return command;
}

InfoCondition& InfoBuilder::Condition(const char* type) {
    InfoCondition& condition = info.InfoConditions[info.AddCondition()];
    condition.SetCondition(type);
    return condition;
}

void InfoBuilder::Perk(const char* skill, const char* value, bool invert) {
    InfoRequiredPerk& perk = info.RequiredPerks[info.AddRequiredPerk()];
    perk.SetPerk((std::string("gESkill_") + skill).c_str());
    perk.SetValue(value);
    perk.SetInvertTest(invert ? "True" : "False");
}

void InfoBuilder::Description(const std::string& id, const std::string& text) {
    Command("Description").SetLocString(id.c_str());
    world.descriptions[id] = text;
}

void InfoBuilder::Say(const std::string& speaker, const std::string& listener,
                      const std::string& id, const std::string& text, const char* camera) {
    InfoCommand& say = Command("Say");
    say.SetEntity1(speaker.c_str());
    say.SetEntity2(listener.c_str());
    say.SetLocString(id.c_str());
    say.SetID1(camera);
    world.infoLines[id] = text;
}

void InfoBuilder::LogText(const std::string& quest, const std::string& id,
                          const std::string& text) {
    InfoCommand& log = Command("AddLogText");
    log.SetLocString(id.c_str());
    log.SetID1(quest.c_str());
    world.questLogs[id] = text;
}

void InfoBuilder::Give(const std::string& from, const std::string& to, const std::string& item,
                       const char* amount) {
    InfoCommand& give = Command("Give");
    give.SetEntity1(from.c_str());
    give.SetEntity2(to.c_str());
    give.SetID1(world.Guid(item).c_str());
    give.SetID2(amount);
    give.SetID3("True");
    give.SetEntity3("False");
}

void InfoBuilder::QuestStatus(const std::string& quest, const char* status, const char* current) {
    InfoCondition& c = Condition("QuestStatus");
    c.SetID1(quest.c_str());
    c.SetID2((std::string("gEInfoQuestStatus_") + status).c_str());
    c.SetID3(current);
}

void SetCommonMembers(VaskInfo& info, const std::string& name, const std::string& owner,
                      const std::string& quest, const char* sortId) {
    TesselEngine::SetMember(info.Name, name.c_str());
    info.SetOwner(owner.c_str());
    info.SetPartner("PC_Hero");
    info.SetQuest(quest.c_str());
    info.SetMainSortID("0");
    info.SetSortID(sortId);
    info.SetConditionType("gEInfoCondType_General");
    info.SetInfoType("gEInfoType_Info");
    info.SetGameModeType("gEInfoGameModeType_Normal");
    info.SetGoldCost("0");
    info.SetGoldCostItem("{00000000-0000-0000-0000-000000000000}");
    info.SetClearChildren("False");
    info.SetPermanent("False");
    info.SetStartChapter("-1");
    info.SetEndChapter("-1");
    info.SetSmalltalkRewind("False");
    info.SetSmalltalkInnerRange("600");
    info.SetSmalltalkInnerRangeTestWithLOS("False");
    info.SetSmalltalkOuterRange("1200");
}

std::string InfoText(VaskInfo& info) {
    TesselEngine::IO::Stream out;
    if (!info.WriteToStream(out))
        throw std::runtime_error("could not write " + info.Name.Str());
    return std::string(out.GetBuffer() ? out.GetBuffer() : "", out.GetSize());
}

} // namespace VaskDemo
