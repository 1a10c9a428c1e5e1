#include "ui/TextImportDialog.h"

#include "ui/SystemString.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace VaskEdit {

TextImportDialog::TextImportDialog(const TextImport& import, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Import Texts");
    setModal(true);
    resize(820, 480);
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(this);
    summary->setObjectName("summary");
    layout->addWidget(summary);
    const bool refused = !import.problems.empty();
    auto* buttons = new QDialogButtonBox(
        refused ? QDialogButtonBox::Close : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (refused) {
        summary->setText("The file has rows that cannot be imported; nothing is written.");
        problems = new QPlainTextEdit(this);
        problems->setObjectName("problems");
        problems->setReadOnly(true);
        problems->setLineWrapMode(QPlainTextEdit::NoWrap);
        for (const std::string& problem : import.problems)
            problems->appendPlainText(QString::fromUtf8(problem));
        layout->addWidget(problems);
    } else {
        const auto count = static_cast<int>(import.changes.size());
        summary->setText(
            count == 0
                ? QString("The tables hold these texts already.")
                : QString("OK writes %1 %2:").arg(count).arg(count == 1 ? "change" : "changes"));
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
                                     FromSystemString(change.before),
                                     FromSystemString(change.after)};
            for (int column = 0; column < 4; ++column)
                changes->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
        changes->resizeColumnsToContents();
        layout->addWidget(changes);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(count > 0);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace VaskEdit
