#include "ui/entrydialogs/MaskedBox.h"

#include "ui/common/SystemString.h"

#include <QLineEdit>

#include <algorithm>

namespace VaskEdit {

namespace {

// The characters that a Qt mask treats as input positions or modifiers; every other
// character, and every escaped one, is a literal.
const QString MaskMetaCharacters = QStringLiteral("AaNnXx9D0d#HhBb<>!");

QString LiteralsOf(const QString& mask) {
    QString literals;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == ';')
            break;
        if (c == '\\' && i + 1 < mask.size())
            literals.append(mask[++i]);
        else if (!MaskMetaCharacters.contains(c))
            literals.append(c);
    }
    return literals;
}

bool IsOnlyLiterals(const QString& mask, const QString& text) {
    const QString literals = LiteralsOf(mask);
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return literals.contains(c); });
}

} // namespace

QString QtInputMask(RowKind kind, std::size_t capacity) {
    switch (kind) {
    case RowKind::Number: {
        // A sign or digit, a required digit, then optional digits: nine at most.
        const std::size_t positions = std::clamp<std::size_t>(capacity, 2, 9);
        return QStringLiteral("#9") + QString(static_cast<qsizetype>(positions - 2), '0') +
               QStringLiteral("; ");
    }
    case RowKind::TemplateId:
        return GuidInputMask;
    default:
        return {};
    }
}

void ShowMasked(QLineEdit* box, const QString& mask, const std::string& text, int maxLength) {
    // A check of the typed characters would refuse an odd value read from a file.
    box->setValidator(nullptr);
    const QString shown = FromSystemString(text);
    if (!mask.isEmpty()) {
        box->setInputMask(mask);
        // Only literals: what an untouched box holds, so the box stays empty.
        box->setText(IsOnlyLiterals(mask, shown) ? QString() : shown);
        if (BoxBytes(box) == text || IsOnlyLiterals(mask, shown))
            return;
    }
    // Dropping a mask also drops the length limit that came with it.
    box->setInputMask(QString());
    box->setMaxLength(maxLength);
    box->setText(shown);
}

QString BoxValue(const QLineEdit* box) {
    const QString text = box->text();
    if (box->inputMask().isEmpty())
        return text;
    return IsOnlyLiterals(box->inputMask(), text) ? QString() : text;
}

std::string BoxBytes(const QLineEdit* box) {
    return ToSystemString(BoxValue(box));
}

} // namespace VaskEdit
