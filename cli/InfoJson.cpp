#include "InfoJson.h"

#include "info/MemberTable.h"

#include <nlohmann/json.hpp>

namespace VaskCli {

using Json = nlohmann::ordered_json;
using namespace VaskEdit;

namespace {
// Bytes as the characters of the same numbers, encoded as UTF-8.
std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

template <std::size_t N> Json Text(const TesselEngine::FixedText<N>& text) {
    return Latin1ToUtf8(text.View());
}
} // namespace

std::string InfoToJson(const VaskInfo& info) {
    Json j;
    for (const InfoMember& member : InfoMemberTable())
        j[std::string(member.name)] = Latin1ToUtf8(TextOf(info, member));

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
    return j.dump(2);
}

} // namespace VaskCli
