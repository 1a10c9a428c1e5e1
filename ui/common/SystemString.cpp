#include "ui/common/SystemString.h"

#include "engine/Windows1252.h"

#include <QList>

namespace VaskEdit {

namespace {
constexpr char Unrepresentable = '?';
} // namespace

QString FromSystemString(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text.append(QChar(static_cast<char16_t>(
            TesselEngine::Windows1252Character(static_cast<unsigned char>(byte)))));
    return text;
}

std::string ToSystemString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // Code points, not UTF-16 units: a character outside the basic plane is one "?".
    for (const uint character : text.toUcs4())
        bytes.push_back(
            static_cast<char>(TesselEngine::Windows1252Byte(character).value_or(Unrepresentable)));
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
