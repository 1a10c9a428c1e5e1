#include "ui/entrydialogs/ReadableCharacters.h"

#include "engine/Windows1252.h"
#include "info/ParameterSchema.h"
#include "ui/entrydialogs/MaskedBox.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolTip>

namespace VaskEdit {

namespace {

// A character that Windows-1252 lacks has no byte in an info file: it would be saved as
// "?".
bool Refused(std::size_t capacity, QChar c) {
    if (!TesselEngine::Windows1252Byte(c.unicode()))
        return true;
    return c.unicode() < 0x100 && RefusedCharacters(capacity).find(
                                      static_cast<char>(c.unicode())) != std::string_view::npos;
}

// The refused characters as a reader names them; line ends and zero bytes cannot be
// typed and are left out.
QStringList Named(std::size_t capacity) {
    QStringList names;
    for (const char c : RefusedCharacters(capacity)) {
        if (c == ' ')
            names << "blanks";
        else if (c == '"')
            names << "double quotes";
        else if (static_cast<unsigned char>(c) >= 0x20)
            names << QString("\"%1\"").arg(QChar(c));
    }
    return names;
}

} // namespace

ReadableTextValidator::ReadableTextValidator(std::size_t capacity, QObject* parent)
    : QValidator(parent), capacity(capacity) {}

QValidator::State ReadableTextValidator::validate(QString& input, int&) const {
    for (const QChar c : input) {
        if (Refused(capacity, c))
            return Invalid;
    }
    return Acceptable;
}

QString RefusedCharactersReason(std::size_t capacity) {
    QStringList names = Named(capacity);
    const QString last = names.takeLast();
    return "This value cannot hold " + names.join(", ") + " or " + last +
           ": the info file would give it back cut there. Nor can it hold a character that "
           "Windows-1252 lacks, which info files are written in.";
}

void RefuseUnreadableCharacters(QLineEdit* box, std::size_t capacity) {
    auto* validator = box->findChild<ReadableTextValidator*>(QString(), Qt::FindDirectChildrenOnly);
    const bool refuse =
        box->inputMask().isEmpty() && HoldsOnlyReadableCharacters(capacity, BoxBytes(box));
    if (!refuse) {
        box->setValidator(nullptr);
        box->setToolTip(QString());
        return;
    }
    if (!validator || validator->Capacity() != capacity) {
        delete validator;
        validator = new ReadableTextValidator(capacity, box);
        QObject::connect(box, &QLineEdit::inputRejected, validator, [box, validator] {
            if (box->validator() == validator)
                QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), box->toolTip(), box);
        });
    }
    box->setValidator(validator);
    box->setToolTip(RefusedCharactersReason(capacity));
}

} // namespace VaskEdit
