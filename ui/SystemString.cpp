#include "ui/SystemString.h"

#include <QList>

#include <array>
#include <cstdint>

namespace VaskEdit {

namespace {

// Windows-1252 for the bytes 0x80 to 0x9F; every other byte is the same-numbered code
// point. The five undefined bytes keep their own numbers so that they survive too.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char Unrepresentable = '?';

char16_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlBlock[byte - 0x80];
    return byte;
}

char ByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < HighControlBlock.size(); ++i) {
        if (HighControlBlock[i] == character)
            return static_cast<char>(0x80 + i);
    }
    return Unrepresentable;
}

} // namespace

QString FromSystemString(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text.append(QChar(CharacterOf(static_cast<unsigned char>(byte))));
    return text;
}

std::string ToSystemString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // Code points, not UTF-16 units: a character outside the basic plane is one "?".
    for (const uint character : text.toUcs4())
        bytes.push_back(ByteOf(character));
    return bytes;
}

std::string ToSystemString(const QString& text, std::size_t capacity) {
    std::string bytes = ToSystemString(text);
    const std::size_t limit = capacity > 0 ? capacity - 1 : 0;
    if (bytes.size() > limit)
        bytes.resize(limit);
    return bytes;
}

bool StringIsValid(const QString& text) {
    return !text.trimmed().isEmpty();
}

} // namespace VaskEdit
