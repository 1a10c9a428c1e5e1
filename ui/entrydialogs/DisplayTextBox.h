// The box in which a display text of a text table is edited. The tables hold
// Windows-1252 bytes on one line between bars, so the box refuses what they cannot
// hold and says why, as the other boxes of the dialogs do.
#pragma once

#include <QLineEdit>

#include <string>

namespace VaskEdit {

// Why the text cannot go into a text table, or nothing; bytes gets its Windows-1252 form.
QString DisplayTextRefusal(const QString& text, std::string* bytes = nullptr);

class DisplayTextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit DisplayTextBox(QWidget* parent);

    // Shows a table's text; what the user changes from here on is an edit.
    void ShowTableText(const std::string& bytes);
    bool Edited() const;
};

} // namespace VaskEdit
