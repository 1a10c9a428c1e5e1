// Finding infos by what their commands show: the display texts of their Say, SaySVM,
// Description and AddLogText, looked up in the text tables. Letters match either case
// (those of Windows-1252, as the replace matches them).
#pragma once

#include "library/Jobs.h"
#include "library/ReferenceIndex.h"
#include "library/TextExchange.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace VaskEdit {

// Whether one of the info's display texts holds the text.
bool ShowsText(const InfoOutline& info, std::string_view text);

// The infos that show the text, in the order given.
std::vector<InfoOutline> InfosShowing(const std::vector<InfoOutline>& infos, std::string_view text);

// One command of an info whose display text holds the searched text.
struct SpokenLine {
    std::string info;
    std::uint16_t entry = 0; // the command's position among the info's commands, from 0
    std::string command;     // its type, e.g. "Say"
    std::string speaker;     // a Say's or SaySVM's speaker and listener; empty for others
    std::string listener;
    std::string table;
    std::string id;
    std::string text; // the display text, Windows-1252
};

// Every command of the infos whose display text holds the text, by info in the order
// given and then by command. Each table is read once, when the search starts. The steps
// of progress and cancel (library/Jobs.h) are the infos; a cancelled search keeps what
// it found so far in found. An empty text finds nothing.
Jobs::Outcome FindSpokenLines(const std::vector<InfoOutline>& infos, std::string_view text,
                              std::vector<SpokenLine>& found, const Jobs::ProgressFn& progress,
                              const Jobs::CancelFn& cancel);

// For each text, in the order given, the names of the infos that show its (table, id),
// in the order of infos (none for a line no info shows).
using InfosByText = std::vector<std::vector<std::string>>;
InfosByText InfosShowingEachText(const std::vector<InfoOutline>& infos,
                                 const std::vector<TextChange>& texts);

} // namespace VaskEdit
