#include "ui/mainwindow/TextImportDialog.h"

#include "ui/common/SystemString.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace VaskEdit {

TextImportDialog::TextImportDialog(std::string bytes, QWidget* parent)
    : QDialog(parent), csv(std::move(bytes)) {
    setWindowTitle("Import Texts");
    setModal(true);
    resize(820, 480);
    auto* layout = new QVBoxLayout(this);
    auto* encodingRow = new QHBoxLayout;
    auto* encodingLabel = new QLabel("Encoding:", this);
    encoding = new QComboBox(this);
    encoding->setObjectName("encoding");
    encoding->addItem("Detect", int(CsvEncoding::Detect));
    encoding->addItem("UTF-8", int(CsvEncoding::Utf8));
    encoding->addItem("Windows-1252", int(CsvEncoding::Windows1252));
    encodingLabel->setBuddy(encoding);
    encodingRow->addWidget(encodingLabel);
    encodingRow->addWidget(encoding);
    encodingRow->addStretch();
    layout->addLayout(encodingRow);
    summary = new QLabel(this);
    summary->setObjectName("summary");
    layout->addWidget(summary);
    content = new QVBoxLayout;
    layout->addLayout(content, 1);
    buttons = new QDialogButtonBox(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(encoding, &QComboBox::currentIndexChanged, this, &TextImportDialog::Plan);
    Plan();
}

void TextImportDialog::Plan() {
    const auto chosen = static_cast<CsvEncoding>(encoding->currentData().toInt());
    import = PlanTextImport(csv, {}, false, chosen);
    delete changes;
    changes = nullptr;
    delete problems;
    problems = nullptr;
    if (import.problems.empty())
        ShowChanges();
    else
        ShowProblems();
}

void TextImportDialog::ShowProblems() {
    summary->setText(import.refusedAsNotUtf8
                         ? "The file cannot be read; nothing is written."
                         : "The file has rows that cannot be imported; nothing is written.");
    problems = new QPlainTextEdit(this);
    problems->setObjectName("problems");
    problems->setReadOnly(true);
    problems->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (import.refusedAsNotUtf8) {
        problems->appendPlainText(QString::fromUtf8(import.problems.front()) +
                                  "; save it as UTF-8 or choose Windows-1252 above");
    } else {
        for (const std::string& problem : import.problems)
            problems->appendPlainText(QString::fromUtf8(problem));
    }
    content->addWidget(problems);
    buttons->setStandardButtons(QDialogButtonBox::Close);
}

void TextImportDialog::ShowChanges() {
    const auto count = static_cast<int>(import.changes.size());
    QString text =
        count == 0 ? QString("The tables hold these texts already.")
                   : QString("OK writes %1 %2:").arg(count).arg(count == 1 ? "change" : "changes");
    const bool detected = encoding->currentData().toInt() == int(CsvEncoding::Detect);
    if (detected && import.readAs == CsvEncoding::Windows1252)
        text = "Read as Windows-1252 (" + QString::fromStdString(NotUtf8Text(*import.notUtf8)) +
               "). " + text;
    summary->setText(text);
    changes = new QTableWidget(count, 4, this);
    changes->setObjectName("changes");
    changes->setHorizontalHeaderLabels({"Table", "Id", "Old", "New"});
    changes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    changes->setSelectionBehavior(QAbstractItemView::SelectRows);
    changes->verticalHeader()->hide();
    changes->horizontalHeader()->setStretchLastSection(true);
    changes->horizontalHeader()->setMaximumSectionSize(320);
    for (int row = 0; row < count; ++row) {
        const TextChange& change = import.changes[static_cast<std::size_t>(row)];
        const QString cells[] = {FromSystemString(change.table), FromSystemString(change.id),
                                 FromSystemString(change.before), FromSystemString(change.after)};
        for (int column = 0; column < 4; ++column)
            changes->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    changes->resizeColumnsToContents();
    content->addWidget(changes);
    buttons->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(count > 0);
}

} // namespace VaskEdit
