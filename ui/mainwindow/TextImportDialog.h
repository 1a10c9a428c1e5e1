// What an import of texts would do, shown before anything is written: the changes
// (table, id, old and new text) with OK to write them and Cancel, or the problems of the
// file, one line a bad row, with nothing to write. The file's encoding is detected or
// chosen here; each choice plans the import anew.
#pragma once

#include "library/TextExchange.h"

#include <QDialog>

#include <string>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QTableWidget;
class QPlainTextEdit;
class QVBoxLayout;

namespace VaskEdit {

class TextImportDialog : public QDialog {
    Q_OBJECT

public:
    // csv: the file's bytes, planned against the tables of the current directory.
    explicit TextImportDialog(std::string csv, QWidget* parent = nullptr);

    // The plan for the encoding now chosen: what OK writes.
    const TextImport& Import() const { return import; }

    // For tests: the encoding choice, the list of changes and the problems shown.
    QComboBox* Encoding() const { return encoding; }
    QTableWidget* Changes() const { return changes; }
    QPlainTextEdit* Problems() const { return problems; }

private:
    void Plan();
    void ShowProblems();
    void ShowChanges();

    std::string csv;
    TextImport import;
    QComboBox* encoding = nullptr;
    QLabel* summary = nullptr;
    QVBoxLayout* content = nullptr;
    QDialogButtonBox* buttons = nullptr;
    QTableWidget* changes = nullptr;
    QPlainTextEdit* problems = nullptr;
};

} // namespace VaskEdit
