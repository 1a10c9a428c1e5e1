#include "InfoJson.h"

#include "CommandSupport.h"
#include "info/MemberTable.h"

#include <nlohmann/json.hpp>

namespace VaskCli {

using Json = nlohmann::ordered_json;
using namespace VaskEdit;

namespace {
template <std::size_t N> Json Text(const TesselEngine::FixedText<N>& text) {
    return Windows1252ToUtf8(text.View());
}
} // namespace

std::string InfoToJson(const VaskInfo& info, const SaveComparison* saving) {
    Json j;
    for (const InfoMember& member : InfoMemberTable())
        j[std::string(member.name)] = Windows1252ToUtf8(TextOf(info, member));

    Json perks = Json::array();
    for (const auto& perk : info.RequiredPerks)
        perks.push_back({{"Perk", Text(perk.Perk)},
                         {"Value", Text(perk.Value)},
                         {"InvertTest", Text(perk.InvertTest)}});
    j["RequiredPerks"] = perks;

    Json commands = Json::array();
    for (const auto& c : info.InfoCommands) {
        Json values = Json::array();
        for (const auto& value : c.Value)
            values.push_back(Text(value));
        commands.push_back({{"Command", Text(c.Command)},
                            {"Version", Text(c.Version)},
                            {"Entity1", Text(c.Entity1)},
                            {"Entity2", Text(c.Entity2)},
                            {"Entity3", Text(c.Entity3)},
                            {"ID1", Text(c.ID1)},
                            {"ID2", Text(c.ID2)},
                            {"ID3", Text(c.ID3)},
                            {"LocString", Text(c.LocString)},
                            {"Text", Text(c.Text)},
                            {"UseValues", c.UseValues},
                            {"Values", values}});
    }
    j["InfoCommands"] = commands;

    Json conditions = Json::array();
    for (const auto& c : info.InfoConditions)
        conditions.push_back({{"Condition", Text(c.Condition)},
                              {"Version", Text(c.Version)},
                              {"Entity1", Text(c.Entity1)},
                              {"Entity2", Text(c.Entity2)},
                              {"ID1", Text(c.ID1)},
                              {"ID2", Text(c.ID2)},
                              {"ID3", Text(c.ID3)},
                              {"ID4", Text(c.ID4)},
                              {"LocString", Text(c.LocString)}});
    j["InfoConditions"] = conditions;
    if (!saving) {
        j["lossless"] = nullptr;
    } else {
        j["lossless"] = !saving->losesContent;
        if (saving->losesContent) {
            Json changes = Json::array();
            for (const std::string& line : DescribeSaveChanges(*saving))
                changes.push_back(Windows1252ToUtf8(line));
            j["changes"] = changes;
        }
    }
    return j.dump(2);
}

namespace {
void PlaceLines(const Json& value, const std::string& place, std::string& out) {
    if (value.is_object()) {
        for (const auto& [key, member] : value.items())
            PlaceLines(member, place.empty() ? key : place + "." + key, out);
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i)
            PlaceLines(value[i], place + "[" + std::to_string(i) + "]", out);
    } else {
        out += place + ": " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
    }
}
} // namespace

std::string InfoToPlaceLines(const std::string& json) {
    std::string out;
    PlaceLines(Json::parse(json), {}, out);
    return out;
}

} // namespace VaskCli
