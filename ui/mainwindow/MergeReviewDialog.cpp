#include "ui/mainwindow/MergeReviewDialog.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/mainwindow/Workspaces.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace VaskEdit {

namespace {
const char* const ReviewKey = "Merge/ShowReview";

QString Counted(std::size_t count, const char* one, const char* many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

// A group of the tree: its heading with the count, and a row an info.
QStandardItem* Group(QStandardItemModel& model, const QString& heading, std::size_t count) {
    auto* group = new QStandardItem(heading + " (" + QString::number(count) + ")");
    group->setEditable(false);
    model.appendRow(group);
    return group;
}

QStandardItem* Row(QStandardItem& group, const QString& text) {
    auto* row = new QStandardItem(text);
    row->setEditable(false);
    group.appendRow(row);
    return row;
}

void AddChanges(QStandardItem& info, const std::vector<PlaceChange>& changes) {
    for (const PlaceChange& change : changes)
        Row(info, FromSystemString(ChangeLine(change)));
}
} // namespace

MergeReviewDialog::MergeReviewDialog(const MergeReview& review, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Merge Infos to .hdrdoc");
    const InfoSetDiff& diff = review.diff;
    summary =
        new QLabel("The merged document \"Output/new_info.hdrdoc\" will hold " +
                   Counted(review.Written(), "info", "infos") +
                   ". Against \"w_info.hdrdoc\": " + Counted(diff.added.size(), "new", "new") +
                   ", " + Counted(diff.changed.size(), "changed", "changed") + ", " +
                   Counted(diff.renamed.size(), "renamed", "renamed") + ", " +
                   Counted(diff.unchanged, "unchanged", "unchanged") + ".");
    summary->setWordWrap(true);
    leftOut = new QLabel;
    leftOut->setWordWrap(true);
    if (!review.LeftOut().empty()) {
        const std::size_t n = review.LeftOut().size();
        leftOut->setText(Counted(n, "info", "infos") + " of \"w_info.hdrdoc\" " +
                         (n == 1 ? "has" : "have") + " no file in \"Infos/\": " +
                         (n == 1 ? "it" : "they") + " will not be in the game's document.");
        leftOut->setStyleSheet("color: #b00000; font-weight: bold;");
    }
    leftOut->setVisible(!review.LeftOut().empty());

    model = new QStandardItemModel(this);
    if (!review.LeftOut().empty()) {
        QStandardItem* group = Group(*model, "No file, left out", review.LeftOut().size());
        group->setForeground(QColor(0xb0, 0x00, 0x00));
        for (const std::string& name : review.LeftOut())
            Row(*group, FromSystemString(name));
    }
    if (!diff.added.empty()) {
        QStandardItem* group = Group(*model, "New", diff.added.size());
        for (const std::string& name : diff.added)
            Row(*group, FromSystemString(name));
    }
    if (!diff.changed.empty()) {
        QStandardItem* group = Group(*model, "Changed", diff.changed.size());
        for (const ChangedInfo& info : diff.changed)
            AddChanges(*Row(*group, FromSystemString(info.name)), info.changes);
    }
    if (!diff.renamed.empty()) {
        QStandardItem* group = Group(*model, "Renamed", diff.renamed.size());
        for (const RenamedInfo& info : diff.renamed)
            AddChanges(*Row(*group, FromSystemString(info.from + " -> " + info.to)), info.changes);
    }
    changes = new QTreeView;
    changes->setModel(model);
    changes->setHeaderHidden(true);
    changes->setUniformRowHeights(true);
    // The warning's group open: it is what must not be missed.
    if (!review.LeftOut().empty())
        changes->expand(model->index(0, 0));

    showAgain = new QCheckBox("Show this review before each merge");
    showAgain->setChecked(Enabled());
    auto* buttons = new QDialogButtonBox;
    QPushButton* merge = buttons->addButton("Merge", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    merge->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { SetEnabled(showAgain->isChecked()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(leftOut);
    layout->addWidget(changes, 1);
    layout->addWidget(showAgain);
    layout->addWidget(buttons);
    resize(720, 480);
}

bool MergeReviewDialog::Enabled() {
    return UserSettings()->value(ReviewKey, true).toBool();
}

void MergeReviewDialog::SetEnabled(bool enabled) {
    UserSettings()->setValue(ReviewKey, enabled);
}

} // namespace VaskEdit
