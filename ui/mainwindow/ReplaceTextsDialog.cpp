#include "ui/mainwindow/ReplaceTextsDialog.h"
#include "library/ReferenceIndex.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/mainwindow/ReplacePreviewModel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace VaskEdit {

namespace {
// The text as the tables hold it, or nothing when Windows-1252 lacks one of its
// characters (which would otherwise be written as "?").
std::optional<std::string> TableText(const QString& text) {
    std::string bytes = ToSystemString(text);
    if (FromSystemString(bytes) != text)
        return std::nullopt;
    return bytes;
}

std::string Names(const std::vector<std::string>& infos) {
    std::string joined;
    for (const std::string& name : infos)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}
} // namespace

ReplaceTextsDialog::ReplaceTextsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Replace in Spoken Texts");
    find = new QLineEdit;
    find->setObjectName("find");
    replacement = new QLineEdit;
    replacement->setObjectName("replacement");
    wholeWord = new QCheckBox("Whole word");
    matchCase = new QCheckBox("Match case");
    preview = new QPushButton("Preview");
    preview->setObjectName("preview");
    summary = new QLabel("Type the text to find and press \"Preview\".");
    summary->setObjectName("summary");
    summary->setWordWrap(true);
    problems = new QPlainTextEdit;
    problems->setReadOnly(true);
    problems->setMaximumHeight(90);
    problems->hide();
    model = new ReplacePreviewModel(this);
    changes = NewRowList(model);
    changes->setColumnWidth(0, 170);
    changes->setColumnWidth(1, 110);
    changes->setColumnWidth(2, 150);
    changes->setColumnWidth(3, 260);
    checkAll = new QPushButton("Check All");
    uncheckAll = new QPushButton("Uncheck All");
    replace = new QPushButton("Replace");
    auto* close = new QPushButton("Close");

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Find"), 0, 0);
    fields->addWidget(find, 0, 1);
    fields->addWidget(new QLabel("Replace with"), 1, 0);
    fields->addWidget(replacement, 1, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(wholeWord);
    options->addWidget(matchCase);
    options->addStretch(1);
    options->addWidget(preview);
    fields->addLayout(options, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkAll);
    buttons->addWidget(uncheckAll);
    buttons->addStretch(1);
    buttons->addWidget(replace);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(summary);
    layout->addWidget(problems);
    layout->addWidget(changes, 1);
    layout->addLayout(buttons);
    resize(980, 520);

    connect(preview, &QPushButton::clicked, this, &ReplaceTextsDialog::Preview);
    connect(find, &QLineEdit::returnPressed, this, &ReplaceTextsDialog::Preview);
    connect(replacement, &QLineEdit::returnPressed, this, &ReplaceTextsDialog::Preview);
    for (QLineEdit* box : {find, replacement})
        connect(box, &QLineEdit::textChanged, this, &ReplaceTextsDialog::Outdate);
    for (QCheckBox* box : {wholeWord, matchCase})
        connect(box, &QCheckBox::toggled, this, &ReplaceTextsDialog::Outdate);
    connect(checkAll, &QPushButton::clicked, this, [this] { model->CheckAll(true); });
    connect(uncheckAll, &QPushButton::clicked, this, [this] { model->CheckAll(false); });
    connect(model, &ReplacePreviewModel::checksChanged, this, &ReplaceTextsDialog::UpdateButtons);
    connect(replace, &QPushButton::clicked, this, &ReplaceTextsDialog::ReplaceChecked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&job, &BackgroundJob::finished, this, [this](const Jobs::Outcome&) {
        if (pending)
            ShowPlan(*pending);
        pending.reset();
    });
    connect(&job, &BackgroundJob::idle, this, &ReplaceTextsDialog::UpdateButtons);
    // Enter in a box previews; it presses no button (it would close the window).
    for (QPushButton* button : {preview, checkAll, uncheckAll, replace, close})
        button->setAutoDefault(false);
    UpdateButtons();
}

ReplaceTextsDialog::~ReplaceTextsDialog() {
    job.RequestCancel();
    job.Wait();
}

void ReplaceTextsDialog::Preview() {
    if (job.IsBusy())
        return;
    const std::optional<std::string> found = TableText(find->text());
    const std::optional<std::string> with = TableText(replacement->text());
    if (!found || !with) {
        ShowRefusal(QString(!found ? "The text to find" : "The replacement") +
                    " has a character that Windows-1252 lacks: the tables cannot hold it.");
        return;
    }
    const ReplaceRule rule{*found, *with, wholeWord->isChecked(), matchCase->isChecked()};
    if (const std::string refusal = ReplaceRefusal(rule); !refusal.empty()) {
        ShowRefusal("Refused: " + FromSystemString(refusal) + ".");
        return;
    }
    auto planned = std::make_shared<Planned>();
    pending = planned;
    summary->setText("Looking through the text tables...");
    job.Start([rule, planned](const Jobs::ProgressFn&, const Jobs::CancelFn&) {
        planned->plan = PlanTextReplace(rule);
        if (!planned->plan.changes.empty())
            planned->infos = InfosShowingEachText(References().Outlines(), planned->plan.changes);
        return Jobs::Outcome{};
    });
    UpdateButtons();
}

void ReplaceTextsDialog::ShowRefusal(const QString& refusal) {
    model->SetRows({});
    plan = {};
    current = false;
    problems->setPlainText(refusal);
    problems->show();
    summary->setText("Nothing can be replaced.");
    UpdateButtons();
}

void ReplaceTextsDialog::ShowPlan(const Planned& planned) {
    plan = planned.plan;
    std::vector<ReplacePreviewModel::Row> rows;
    rows.reserve(plan.changes.size());
    for (std::size_t i = 0; i < plan.changes.size(); ++i)
        rows.push_back({plan.changes[i], i < planned.infos.size() ? Names(planned.infos[i]) : ""});
    model->SetRows(std::move(rows));
    current = true;
    QStringList lines;
    for (const std::string& problem : plan.problems)
        lines << FromSystemString(problem);
    problems->setPlainText(lines.isEmpty() ? QString()
                                           : "Nothing can be replaced while these lines are "
                                             "refused:\n" +
                                                 lines.join('\n'));
    problems->setVisible(!lines.isEmpty());
    const std::size_t n = plan.changes.size();
    summary->setText(n == 0 ? QString("No display text holds the text.")
                            : QString::number(n) + (n == 1 ? " line" : " lines") +
                                  " would change. Uncheck the lines to leave as they are.");
}

void ReplaceTextsDialog::Outdate() {
    if (!current)
        return;
    current = false;
    summary->setText("The preview is out of date: press \"Preview\" again.");
    UpdateButtons();
}

void ReplaceTextsDialog::UpdateButtons() {
    const bool busy = job.IsBusy();
    preview->setEnabled(!busy);
    checkAll->setEnabled(current && model->rowCount() > 0);
    uncheckAll->setEnabled(current && model->rowCount() > 0);
    replace->setEnabled(!busy && current && plan.problems.empty() && !model->Checked().empty());
}

QString ReplaceTextsDialog::Summary() const {
    return summary->text();
}

bool ReplaceTextsDialog::ReplaceChecked() {
    if (job.IsBusy() || !current || !plan.problems.empty())
        return false;
    TextImport chosen;
    chosen.tablesRead = plan.tablesRead;
    chosen.changes = model->Checked();
    if (chosen.changes.empty())
        return false;
    const HeldWorkspace held = LockWorkspace(this, "replace");
    if (!held)
        return false;
    Rollback putBack;
    if (!ApplyTextImport(chosen, {}, nullptr, &putBack)) {
        ShowMessage(this, "Error",
                    putBack.AllAsItWas()
                        ? "Nothing replaced; the tables are as they were.\n" + LastFailureText()
                        : NotPutBackText("Nothing replaced", TesselEngine::LastFailure(), putBack));
        Outdate();
        return false;
    }
    held->reset();
    ShowTableTextsInEditors();
    ShowMissedBackups();
    current = false;
    emit replaced(chosen.changes);
    const std::size_t n = chosen.changes.size();
    ShowMessage(this, "Replace",
                QString::number(n) + (n == 1 ? " line" : " lines") +
                    " changed.\n\"Edit\" > \"Undo Replace\" writes the old texts back.");
    Preview(); // what is left: the lines not checked
    return true;
}

} // namespace VaskEdit
