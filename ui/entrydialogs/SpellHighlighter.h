// Underlines, red and wavy, the words of a text that the shared spell checker does not
// know; checks again when the checker learns a word or the dictionary changes.
#pragma once

#include <QSyntaxHighlighter>

#include <vector>

namespace VaskEdit {

// A word of a text, in the text's characters.
struct TextWord {
    int start;
    int length;
};
// The words the checker looks at (spell/Spelling.h Words), as positions in text.
std::vector<TextWord> CheckedWords(const QString& text);

class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit SpellHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace VaskEdit
