// The box in which a display text of a text table is edited. The tables hold
// Windows-1252 bytes on one line between bars, so the box refuses what they cannot
// hold and says why, as the other boxes of the dialogs do. The line wraps in the box so
// that a long text can be read whole; Enter accepts the dialog rather than breaking it.
#pragma once

#include <QPlainTextEdit>

#include <string>

class QLabel;
class QMenu;

namespace VaskEdit {

// Why the text cannot go into a text table, or nothing; bytes gets its Windows-1252 form.
QString DisplayTextRefusal(const QString& text, std::string* bytes = nullptr);

class DisplayTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    // What a command's record keeps of a display text (its Text slot holds 512 bytes
    // with the terminating zero); a longer text is cut when an info is read.
    static constexpr int MostCharacters = 511;

    // The box and the line above it (caption and count) go on parent.
    explicit DisplayTextBox(QWidget* parent);

    // Shows a table's text; what the user changes from here on is an edit.
    void ShowTableText(const std::string& bytes);
    bool Edited() const { return edited; }
    QString text() const { return toPlainText(); }

    // Puts the caption line at top and the box below it; the height both take.
    int Place(int left, int top, int width);
    void setVisible(bool visible) override;

    // The count of characters against MostCharacters, in the warning colour past it.
    QLabel* CountLabel() const { return countLabel; }
    // Why the last input was refused; empty while none was.
    QString LastRefusal() const { return lastRefusal; }

    // The context menu at a place of the text: for an unknown word there its suggestions
    // and "Add to dictionary" above the editing entries.
    QMenu* ContextMenuAt(int position);

signals:
    // Plain Enter: the text is done.
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The text as it would be with the selection replaced by inserted.
    QString WithInserted(const QString& inserted) const;
    // False, showing the reason, when the text would become one the table cannot hold.
    bool Allows(const QString& inserted);
    void Refuse(const QString& reason);
    void ShowCount();
    void AddSpellingEntries(QMenu* menu, int position);

    QLabel* captionLabel;
    QLabel* countLabel;
    QString lastRefusal;
    bool edited = false;
    bool showingTableText = false;
};

} // namespace VaskEdit
