// Text boxes whose value the file reader would cut at some characters: they refuse
// those characters and say why, so that what the user sees is what comes back.
#pragma once

#include <QString>
#include <QValidator>

#include <cstddef>

class QLineEdit;

namespace VaskEdit {

// Accepts a text only while it holds none of the characters refused for a member of
// that capacity (RefusedCharacters).
class ReadableTextValidator : public QValidator {
    Q_OBJECT

public:
    ReadableTextValidator(std::size_t capacity, QObject* parent);
    State validate(QString& input, int& position) const override;
    std::size_t Capacity() const { return capacity; }

private:
    std::size_t capacity;
};

// Why the characters are refused, naming them, e.g. for a tool tip.
QString RefusedCharactersReason(std::size_t capacity);

// Makes the box refuse the characters for a member of that capacity, with the reason as
// its tool tip and shown beside it whenever it refuses a key. Only for a box without an
// input mask whose text holds none of them yet: a value read from a file that already
// holds one stays as it is, and a mask decides by itself. Called again whenever the
// box's mask or text is set by the program.
void RefuseUnreadableCharacters(QLineEdit* box, std::size_t capacity);

} // namespace VaskEdit
