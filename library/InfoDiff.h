// Comparing two versions of one info place by place, with the places named as `show`
// names them ("Owner", "InfoCommands[2].Entity1"). Lists are aligned entry by entry, so
// an inserted command is one change, not a change of every command after it. Texts are
// Windows-1252 bytes.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace VaskEdit {

class VaskInfo;
struct InfoCommand;
struct InfoCondition;
struct InfoRequiredPerk;

// An info as its places: the members in record order, then its lists.
struct InfoPlaces {
    using Fields = std::vector<std::pair<std::string, std::string>>; // name, value
    struct Entry {
        std::string type; // the perk, command or condition type
        Fields fields;
        bool operator==(const Entry&) const = default;
    };
    Fields members;
    std::vector<Entry> perks, commands, conditions;
    bool operator==(const InfoPlaces&) const = default;
};

// The record's places; a command's display text ("Text") only when withTexts.
InfoPlaces PlacesOf(const VaskInfo& info, bool withTexts);
// One entry's places.
InfoPlaces::Entry EntryPlaces(const InfoCommand& command, bool withTexts);
InfoPlaces::Entry EntryPlaces(const InfoCondition& condition);
InfoPlaces::Entry EntryPlaces(const InfoRequiredPerk& perk);

struct PlaceChange {
    enum class Kind { Changed, Inserted, Removed, Moved };
    Kind kind = Kind::Changed;
    std::string place;  // "Owner", "InfoCommands[2].Entity1", "InfoCommands[3]", "InfoCommands"
    std::string before; // the old value; a removed entry's summary; a move's old place
    std::string after;  // the new value; an inserted entry's summary; a move's new place
    bool operator==(const PlaceChange&) const = default;
};

// What changed from base to now, in record order. Members named in skip are not compared.
std::vector<PlaceChange> DiffInfo(const InfoPlaces& base, const InfoPlaces& now,
                                  const std::vector<std::string>& skip = {});

// One line: `Owner: "Bob" -> "Bobby"`, `InfoCommands[3]: + Say (PC_Hero, Bob, DIA_1)`,
// `InfoCommands[1]: - ...`, `InfoCommands: moved [1] -> [3]`.
std::string ChangeLine(const PlaceChange& change);

// An entry in one line: its type, then its non-empty values ("Say (PC_Hero, Bob, DIA_1)").
std::string EntrySummary(const InfoPlaces::Entry& entry);

} // namespace VaskEdit
