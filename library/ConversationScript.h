// A conversation in the order the player reads it: an info's spoken lines and the
// texts it shows, then the infos below it as numbered choices, one of them taken, and so
// on. Conditions are not evaluated: each choice shows what it needs. Texts are bytes in
// Windows-1252, looked up in the text tables.
#pragma once

#include "library/Conversations.h"
#include "library/ReferenceIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace VaskEdit {

struct ScriptStart {
    ConversationScope scope = ConversationScope::All; // Owner or Quest: their top infos
    std::string name; // the owner, the quest, or (scope All) the info to start with
};

// One command of an info as the script shows it.
struct ScriptLine {
    enum class Kind { Spoken, Other };
    Kind kind = Kind::Other;
    std::string command; // the command's type, e.g. "Say"
    std::string speaker; // of a spoken line; may be empty
    std::string table;   // the text table of a command that shows a text; else empty
    std::string textId;
    std::string text;               // the display text found for the id (empty when there is none)
    std::string summary;            // the command in one short line: type and values
    std::uint16_t commandIndex = 0; // the command's position in the info, from 0

    bool ShowsText() const { return !table.empty(); }
};

// An info offered to be read next.
struct ScriptChoice {
    std::string info;
    std::string firstLine;               // the display text of its first spoken line
    std::string description;             // the display text of its first Description
    std::vector<std::string> conditions; // each in one short line: type and values
    bool readAbove = false;              // already read on this path: taking it closes a cycle

    // Its conditions in one line, "; " between them.
    std::string ConditionsLine() const;
};

// One stop of a reading: an info read (or, at the start of an owner's or quest's
// reading, none: only its top infos offered), then its choices and the one taken.
struct ScriptStep {
    std::string info;   // empty for the offer that opens an owner's or quest's reading
    bool cycle = false; // the info was read above on this path: said, not read again
    std::vector<ScriptLine> lines;
    std::vector<ScriptChoice> choices;
    int taken = -1; // the choice followed, from 0; -1 where the reading stops
};

// The infos as a script is read from them: who is below whom, in reading order. Holds
// the outlines it is made of by reference: they must outlive it and stay unchanged.
class ScriptIndex {
public:
    explicit ScriptIndex(const std::vector<InfoOutline>& infos);

    const InfoOutline* Find(std::string_view name) const;
    // The first step of a reading: the named info read (scope All) or the top infos of the
    // owner (quest) offered, those whose parent is none of its infos. On a refusal (no
    // such info) the step has no info and no choices and refusal says why.
    ScriptStep First(const ScriptStart& start, std::string* refusal) const;
    // The step after the path read so far when its last step's choice (from 0) is taken:
    // the info read, or said as a cycle when the path read it already.
    ScriptStep Follow(const std::vector<ScriptStep>& path, std::size_t choice) const;
    // The info read after the path (which does not hold it): its lines and choices.
    ScriptStep Read(const InfoOutline& info, const std::vector<ScriptStep>& path) const;

private:
    std::vector<ScriptChoice> Offer(const std::vector<const InfoOutline*>& infos,
                                    const std::vector<ScriptStep>& path,
                                    std::string_view reading) const;

    // Keyed by the names the outlines hold.
    std::unordered_map<std::string_view, const InfoOutline*> byName;
    std::unordered_map<std::string_view, std::vector<const InfoOutline*>> below;
};

// The lines the info's commands show, in their order, with their texts looked up.
std::vector<ScriptLine> ScriptLinesOf(const InfoOutline& info);

struct ScriptReading {
    std::vector<ScriptStep> steps;
    bool ended = false;  // read to a step without choices, or to a cycle
    std::string refusal; // an unknown info, or a path that names no choice
};

// Reads from the start, taking at each list of choices the one the path numbers (from
// 1), and the first once the path is used up. An info met again on the path read so far
// is said, not read again.
ScriptReading ReadScript(const std::vector<InfoOutline>& infos, const ScriptStart& start,
                         const std::vector<int>& path);

// The reading as plain text lines: each info's name and the texts it shows ("Speaker:
// text", "(Type) text"), its choices numbered with their first line and conditions, the
// choice taken ("> n"), and "(end)".
std::vector<std::string> ScriptText(const ScriptReading& reading);

} // namespace VaskEdit
