// The text-table lookup on any table. The input's first line is the identifier looked
// up, the rest is "infosa.csv". Lines end at CR, LF or CR LF. The lookup must give the
// display text (third field) of the first line whose first field is the identifier and
// that has a bar behind it, when that line has a second bar, and nothing otherwise.
#include "FuzzSupport.h"

#include "info/TextTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace {
// The first line that names the identifier, found by a plain walk over the lines.
std::optional<std::string_view> FirstLineOf(std::string_view table, std::string_view identifier) {
    if (identifier.empty() || identifier.find('|') != std::string_view::npos)
        return std::nullopt;
    const std::string lead = std::string(identifier) + "|";
    for (std::size_t at = 0; at < table.size();) {
        std::size_t end = table.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = table.size();
        const std::string_view line = table.substr(at, end - at);
        if (line.starts_with(lead))
            return line;
        at = end + 1;
    }
    return std::nullopt;
}

std::string_view ThirdField(std::string_view line) {
    for (int field = 0; field < 2; ++field) {
        const std::size_t bar = line.find('|');
        line = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
    }
    return line.substr(0, line.find('|'));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string_view identifier = input.substr(0, std::min(lineEnd, std::size_t{64}));
    const std::string_view table =
        lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);
    VaskFuzz::WriteBytes("infosa.csv", reinterpret_cast<const std::uint8_t*>(table.data()),
                         table.size());
    VaskEdit::TextTables::Clear(); // a rewrite within the clock's resolution looks unchanged

    std::optional<std::string_view> line = FirstLineOf(table, identifier);
    if (line && line->find('|', identifier.size() + 1) == std::string_view::npos)
        line.reset(); // no display field: the line cannot be split
    FUZZ_EXPECT(VaskEdit::TextTables::Contains("infosa.csv", identifier) == line.has_value());
    const std::string display = VaskEdit::TextTables::LookUp("infosa.csv", identifier);
    FUZZ_EXPECT(display == (line ? ThirdField(*line) : std::string_view()));
    return 0;
}
