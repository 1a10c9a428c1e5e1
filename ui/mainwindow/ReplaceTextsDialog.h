// "Replace in Spoken Texts": a text to find and its replacement ("Whole word", "Match
// case"), a preview of every line of the text tables it would change with a check box
// each, and "Replace", which writes the checked lines once, all or nothing, with
// backups. The preview is planned on a worker; a preview made before the boxes changed
// or the tables were written is not written from.
#pragma once

#include "library/SpokenSearch.h"
#include "library/TextReplace.h"
#include "ui/common/BackgroundJob.h"

#include <QDialog>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace VaskEdit {

class ReplacePreviewModel;

class ReplaceTextsDialog : public QDialog {
    Q_OBJECT

public:
    explicit ReplaceTextsDialog(QWidget* parent = nullptr);
    ~ReplaceTextsDialog() override;

    // Plans the replace of the boxes' texts, on a worker; the rows follow when it ends.
    // A text that cannot be used is refused at once, and nothing is planned.
    void Preview();
    bool Previewing() const { return job.IsBusy(); }
    // Blocks until a preview being planned has ended (at shutdown).
    void WaitForPreview() { job.Wait(); }
    // Writes the checked rows of the preview; false, writing nothing, when there is
    // nothing to write or the write failed (both said).
    bool ReplaceChecked();
    // The tables were written by someone else: the preview must be made again.
    void Outdate();

    QLineEdit* FindBox() const { return find; }
    QLineEdit* ReplacementBox() const { return replacement; }
    QCheckBox* WholeWord() const { return wholeWord; }
    QCheckBox* MatchCase() const { return matchCase; }
    QPushButton* ReplaceButton() const { return replace; }
    QTableView* Changes() const { return changes; }
    ReplacePreviewModel* Rows() const { return model; }
    QPlainTextEdit* Problems() const { return problems; }
    QString Summary() const;

signals:
    // What a replace wrote: each line's table, id, text before and after.
    void replaced(const std::vector<VaskEdit::TextChange>& written);

private:
    struct Planned {
        TextImport plan;
        InfosByText infos;
    };
    void ShowPlan(const Planned& planned);
    void ShowRefusal(const QString& refusal);
    void UpdateButtons();

    BackgroundJob job;
    std::shared_ptr<Planned> pending;
    TextImport plan; // of the rows shown
    bool current = false;

    QLineEdit* find;
    QLineEdit* replacement;
    QCheckBox* wholeWord;
    QCheckBox* matchCase;
    QPushButton* preview;
    QLabel* summary;
    QPlainTextEdit* problems;
    ReplacePreviewModel* model;
    QTableView* changes;
    QPushButton* checkAll;
    QPushButton* uncheckAll;
    QPushButton* replace;
};

} // namespace VaskEdit
