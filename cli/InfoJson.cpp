#include "InfoJson.h"

#include "CommandSupport.h"
#include "info/EntryFields.h"
#include "info/MemberTable.h"

#include <nlohmann/json.hpp>

namespace VaskCli {

using Json = nlohmann::ordered_json;
using namespace VaskEdit;

namespace {
// An entry as an object: its type, then its fields as the entry lists them; the values
// as one array, the switch of the values as a boolean, a command's display text after
// its "LocString".
template <typename Entry>
Json Fields(const char* typeName, std::string_view type,
            const std::vector<EntryField<Entry>>& fields, const Entry& entry,
            const Char512* text = nullptr) {
    Json object = {{typeName, Windows1252ToUtf8(type)}};
    Json values = Json::array();
    bool hasValues = false;
    for (const EntryField<Entry>& field : fields) {
        const std::string value = field.get(entry);
        if (field.name.starts_with("Values[")) {
            hasValues = true;
            values.push_back(Windows1252ToUtf8(value));
        } else if (field.name == "UseValues") {
            object[field.name] = value == "true";
        } else {
            object[field.name] = Windows1252ToUtf8(value);
            if (text && field.name == "LocString")
                object["Text"] = Windows1252ToUtf8(text->View());
        }
    }
    if (hasValues)
        object["Values"] = values;
    return object;
}
} // namespace

std::string InfoToJson(const VaskInfo& info, const SaveComparison* saving) {
    Json j;
    for (const InfoMember& member : InfoMemberTable())
        j[std::string(member.name)] = Windows1252ToUtf8(TextOf(info, member));

    Json perks = Json::array();
    for (const auto& perk : info.RequiredPerks)
        perks.push_back(Fields("Perk", perk.Perk.View(), PerkFields(), perk));
    j["RequiredPerks"] = perks;

    Json commands = Json::array();
    for (const auto& c : info.InfoCommands)
        commands.push_back(Fields("Command", c.Command.View(), CommandFields(), c, &c.Text));
    j["InfoCommands"] = commands;

    Json conditions = Json::array();
    for (const auto& c : info.InfoConditions)
        conditions.push_back(Fields("Condition", c.Condition.View(), ConditionFields(), c));
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
