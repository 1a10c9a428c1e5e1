#include "ui/entrydialogs/SpellHighlighter.h"

#include "ui/common/SpellService.h"

namespace VaskEdit {

std::vector<TextWord> CheckedWords(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    // The position in text of each byte of its UTF-8 form.
    std::vector<int> positions(static_cast<std::size_t>(utf8.size()) + 1, 0);
    int position = 0;
    unsigned char lead = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        positions[static_cast<std::size_t>(i)] = position;
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) != 0x80)
            lead = byte;
        const bool lastOfCharacter =
            i + 1 == utf8.size() || (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) != 0x80;
        if (lastOfCharacter)
            position += lead >= 0xF0 ? 2 : 1; // beyond the BMP: two UTF-16 units
    }
    positions.back() = static_cast<int>(text.size());
    std::vector<TextWord> words;
    for (const Spelling::WordSpan span : Spelling::Words(
             std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))) {
        const int start = positions[span.offset];
        const int end = positions[span.offset + span.length];
        words.push_back({start, end - start});
    }
    return words;
}

SpellHighlighter::SpellHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    connect(&SpellService::Shared(), &SpellService::changed, this, &SpellHighlighter::rehighlight);
}

void SpellHighlighter::highlightBlock(const QString& text) {
    Spelling::Checker* checker = SpellService::Shared().Checker();
    if (!checker)
        return;
    QTextCharFormat unknown;
    unknown.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    unknown.setUnderlineColor(Qt::red);
    for (const TextWord word : CheckedWords(text)) {
        if (!checker->Knows(text.mid(word.start, word.length).toStdString()))
            setFormat(word.start, word.length, unknown);
    }
}

} // namespace VaskEdit
