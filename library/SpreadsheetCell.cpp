#include "library/SpreadsheetCell.h"

namespace VaskEdit {

namespace {

bool StartsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Apostrophes, then a character a spreadsheet would act on.
bool NeedsGuard(std::string_view text) {
    const std::size_t first = text.find_first_not_of('\'');
    return first != std::string_view::npos && StartsFormula(text[first]);
}

} // namespace

std::string GuardCell(std::string_view text) {
    return NeedsGuard(text) ? "'" + std::string(text) : std::string(text);
}

std::string UnguardCell(std::string_view cell) {
    if (cell.starts_with('\'') && NeedsGuard(cell))
        cell.remove_prefix(1);
    return std::string(cell);
}

} // namespace VaskEdit
