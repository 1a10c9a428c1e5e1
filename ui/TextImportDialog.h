// What an import of texts would do, shown before anything is written: the changes
// (table, id, old and new text) with OK to write them and Cancel, or the problems of the
// file, one line a bad row, with nothing to write.
#pragma once

#include "library/TextExchange.h"

#include <QDialog>

class QTableWidget;
class QPlainTextEdit;

namespace VaskEdit {

class TextImportDialog : public QDialog {
    Q_OBJECT

public:
    TextImportDialog(const TextImport& import, QWidget* parent = nullptr);

    // For tests: the list of changes and the problems shown.
    QTableWidget* Changes() const { return changes; }
    QPlainTextEdit* Problems() const { return problems; }

private:
    QTableWidget* changes = nullptr;
    QPlainTextEdit* problems = nullptr;
};

} // namespace VaskEdit
