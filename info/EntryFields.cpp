#include "info/EntryFields.h"

#include <tuple>

namespace VaskEdit {

namespace {
template <typename Entry, std::size_t N>
EntryField<Entry> TextField(const char* name, TesselEngine::FixedText<N> Entry::*member) {
    return {name, [member](const Entry& e) { return std::string((e.*member).View()); },
            [member](Entry& e, const std::string& v) { (e.*member).Assign(v.data(), v.size()); }};
}
} // namespace

const std::vector<EntryField<InfoCommand>>& CommandFields() {
    static const std::vector<EntryField<InfoCommand>> fields = [] {
        std::vector<EntryField<InfoCommand>> list = {
            TextField("Version", &InfoCommand::Version),
            TextField("Entity1", &InfoCommand::Entity1),
            TextField("Entity2", &InfoCommand::Entity2),
            TextField("Entity3", &InfoCommand::Entity3),
            TextField("ID1", &InfoCommand::ID1),
            TextField("ID2", &InfoCommand::ID2),
            TextField("ID3", &InfoCommand::ID3),
            TextField("LocString", &InfoCommand::LocString),
            {"UseValues",
             [](const InfoCommand& c) { return std::string(c.UseValues ? "true" : "false"); },
             [](InfoCommand& c, const std::string& v) { c.UseValues = v == "true"; }}};
        for (std::size_t i = 0; i < std::tuple_size_v<decltype(InfoCommand::Value)>; ++i)
            list.push_back({"Values[" + std::to_string(i) + "]",
                            [i](const InfoCommand& c) { return std::string(c.Value[i].View()); },
                            [i](InfoCommand& c, const std::string& v) {
                                c.Value[i].Assign(v.data(), v.size());
                            }});
        return list;
    }();
    return fields;
}

const std::vector<EntryField<InfoCondition>>& ConditionFields() {
    static const std::vector<EntryField<InfoCondition>> fields = {
        TextField("Version", &InfoCondition::Version),
        TextField("Entity1", &InfoCondition::Entity1),
        TextField("Entity2", &InfoCondition::Entity2),
        TextField("ID1", &InfoCondition::ID1),
        TextField("ID2", &InfoCondition::ID2),
        TextField("ID3", &InfoCondition::ID3),
        TextField("ID4", &InfoCondition::ID4),
        TextField("LocString", &InfoCondition::LocString)};
    return fields;
}

const std::vector<EntryField<InfoRequiredPerk>>& PerkFields() {
    static const std::vector<EntryField<InfoRequiredPerk>> fields = {
        TextField("Value", &InfoRequiredPerk::Value),
        TextField("InvertTest", &InfoRequiredPerk::InvertTest)};
    return fields;
}

} // namespace VaskEdit
