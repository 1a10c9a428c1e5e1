#include "info/ParameterSchema.h"

#include <iterator>

namespace VaskEdit {

namespace {
bool IsListRow(const Parameter& row) {
    return row.choices != nullptr;
}
} // namespace

std::string_view InitialText(RowKind kind) {
    return kind == RowKind::Number || kind == RowKind::Decimal ? "0" : "";
}

std::string_view RefusedCharacters(std::size_t capacity) {
    // The reader's stop bytes and what it removes from the token; those a user can
    // type first.
    static constexpr char ShortValue[] = {' ', '/', ';', '"', '\0', '\r', '\n'};
    static constexpr char LongText[] = {'/', ';', '"', '<', '>', '\0', '\r', '\n'};
    if (capacity < 256)
        return {ShortValue, std::size(ShortValue)};
    return {LongText, std::size(LongText)};
}

bool HoldsOnlyReadableCharacters(std::size_t capacity, std::string_view text) {
    return text.find_first_of(RefusedCharacters(capacity)) == std::string_view::npos;
}

std::string ShownChoiceText(const ChoiceList& list, std::string_view stored) {
    if (stored.size() > list.prefix.size())
        stored.remove_prefix(list.prefix.size());
    return std::string(stored);
}

std::string StoredChoiceText(const ChoiceList& list, std::string_view shown) {
    std::string stored(list.prefix);
    stored.append(shown);
    return stored;
}

std::string StoredChoiceText(const ChoiceList& list, std::string_view shown,
                             std::string_view original) {
    if (FindChoice(list, shown) < 0 && shown == ShownChoiceText(list, original))
        return std::string(original);
    return StoredChoiceText(list, shown);
}

std::string ShownText(const Parameter& row, std::string_view stored) {
    return IsListRow(row) ? ShownChoiceText(*row.choices, stored) : std::string(stored);
}

std::string StoredText(const Parameter& row, std::string_view shown) {
    return IsListRow(row) ? StoredChoiceText(*row.choices, shown) : std::string(shown);
}

std::string StoredText(const Parameter& row, std::string_view shown, std::string_view original) {
    return IsListRow(row) ? StoredChoiceText(*row.choices, shown, original) : std::string(shown);
}

int ChoiceIndex(const Parameter& row, std::string_view shown) {
    return IsListRow(row) ? FindChoice(*row.choices, shown) : -1;
}

std::string InitialRowText(const Parameter& row) {
    if (IsListRow(row) && !row.choices->names.empty())
        return std::string(row.choices->names.front());
    return std::string(InitialText(row.kind));
}

bool LacksChoice(const Parameter& row, std::string_view stored) {
    return IsListRow(row) && (stored.empty() || stored == row.choices->prefix);
}

bool NamesChoice(const ChoiceList& list, std::string_view stored) {
    return stored.starts_with(list.prefix) &&
           FindChoice(list, stored.substr(list.prefix.size())) >= 0;
}

std::string ShownPerkText(std::string_view stored) {
    return ShownChoiceText(Choices(Enumeration::Skill), stored);
}

std::string StoredPerkText(std::string_view shown) {
    return StoredChoiceText(Choices(Enumeration::Skill), shown);
}

std::string StoredPerkText(std::string_view shown, std::string_view original) {
    return StoredChoiceText(Choices(Enumeration::Skill), shown, original);
}

} // namespace VaskEdit
