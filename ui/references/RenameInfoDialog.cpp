#include "ui/references/RenameInfoDialog.h"
#include "info/InfoFileName.h"
#include "library/ReferenceIndex.h"
#include "ui/common/CacheTableModel.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/references/ReferenceWait.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace VaskEdit {

namespace {
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string PlaceNames(const std::vector<Place>& places) {
    std::string names;
    for (const Place& place : places)
        names += (names.empty() ? "" : ", ") + PlaceName(place);
    return names;
}

bool IsChild(const RenameChange& change) {
    for (const Place& place : change.places) {
        if (PlaceName(place) == "Parent")
            return true;
    }
    return false;
}

// The shown editors on any of the infos, by the name each was read with.
std::vector<InfoForm*> EditorsOn(const std::set<std::string>& names) {
    std::vector<InfoForm*> editors;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<InfoForm*>(window);
        if (editor && editor->isVisible() && editor->EditMode() != InfoFormEditMode::New &&
            names.contains(editor->LoadedName()))
            editors.push_back(editor);
    }
    return editors;
}

void ReopenEditor(InfoForm* editor, const std::string& name) {
    const QRect geometry = editor->geometry();
    const InfoFormEditMode mode = editor->EditMode();
    editor->close(); // unchanged: it closes without asking
    InfoForm* fresh = OpenInfoByName(nullptr, FromSystemString(name));
    if (!fresh)
        return;
    fresh->setGeometry(geometry);
    if (mode == InfoFormEditMode::Edit)
        fresh->EditInfo();
    else if (mode == InfoFormEditMode::Copy)
        fresh->CopyInfo();
}
} // namespace

RenameInfoDialog::RenameInfoDialog(const QString& old, QWidget* parent)
    : KeyFirstDialog(parent), oldName(ToSystemString(old)) {
    setWindowTitle("Rename Info");
    nameBox = new QLineEdit(old);
    PaintBox(nameBox, PaleYellow);
    nameBox->selectAll();
    verdict = new QLabel;
    verdict->setObjectName("verdict");
    verdict->setWordWrap(true);
    verdict->setTextFormat(Qt::PlainText);
    model = new CacheTableModel({"Info", "Change", "Places"}, this);
    changes = NewRowList(model);
    changes->setColumnWidth(0, 220);
    changes->setColumnWidth(1, 260);
    okButton = NewButton("OK", this);
    auto* cancel = NewButton("Cancel", this);
    pause = new QTimer(this);
    pause->setSingleShot(true);
    pause->setInterval(250);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Rename \"" + old + "\" to:"));
    layout->addWidget(nameBox);
    layout->addWidget(verdict);
    layout->addWidget(changes, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(760, 380);

    connect(nameBox, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
    connect(pause, &QTimer::timeout, this, &RenameInfoDialog::Plan);
    connect(okButton, &QPushButton::clicked, this, &RenameInfoDialog::Rename);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Plan();
}

QString RenameInfoDialog::Verdict() const {
    return verdict->text();
}

std::string RenameInfoDialog::NewName() const {
    return ToSystemString(nameBox->text());
}

void RenameInfoDialog::Plan() {
    pause->stop();
    const std::string newName = NewName();
    std::vector<CacheTableModel::Row> rows;
    plan = RenamePlan{};
    if (newName == oldName || !StringIsValid(nameBox->text())) {
        verdict->setText("Type the new name of the info.");
    } else {
        plan = PlanRename(References(), oldName, newName);
    }
    if (!plan.newName.empty() && plan.refusal.empty()) {
        std::string places = "Name";
        if (!plan.renamed.places.empty())
            places += ", " + PlaceNames(plan.renamed.places);
        rows.push_back({oldName, "renamed to " + Quoted(plan.renamed.path), places});
        std::size_t children = 0;
        for (const RenameChange& change : plan.changes) {
            children += IsChild(change);
            rows.push_back({change.info, IsChild(change) ? "child" : "uses the name",
                            PlaceNames(change.places)});
        }
        const std::size_t others = plan.changes.size();
        QString text =
            "Renames " + FromSystemString(Quoted(InfoDirectoryName + oldName + InfoExtension));
        if (others == 0)
            text += "; no other info uses its name";
        else
            text += " and changes " + QString::number(others) +
                    (others == 1 ? " other info" : " other infos");
        if (children)
            text += " (" + QString::number(children) + (children == 1 ? " child)" : " children)");
        text += ". Nothing is written before OK.";
        // A use in a file the reader could not take whole may be missing from the list.
        if (const QString notReadWhole = NotReadWholeText(); !notReadWhole.isEmpty())
            text += "\n" + notReadWhole;
        verdict->setText(text);
    } else if (!plan.refusal.empty()) {
        verdict->setText("Not renamed: " + FromSystemString(plan.refusal));
    }
    verdict->setStyleSheet(plan.refusal.empty() ? QString() : "color: #a00000;");
    model->SetRows(std::move(rows));
    okButton->setEnabled(!plan.newName.empty() && plan.refusal.empty());
}

void RenameInfoDialog::Rename() {
    Plan();
    if (!okButton->isEnabled())
        return;
    std::set<std::string> changed{oldName};
    for (const RenameChange& change : plan.changes)
        changed.insert(change.info);
    const std::vector<InfoForm*> editors = EditorsOn(changed);
    for (InfoForm* editor : editors) {
        if (editor->HasUnsavedChanges()) {
            ShowMessage(this, "Caution!",
                        "Not renamed: the info editor of \"" +
                            FromSystemString(editor->LoadedName()) +
                            "\" has unsaved changes.\nSave or cancel them first.");
            return;
        }
    }
    const HeldWorkspace held = LockWorkspace(this, "rename");
    if (!held)
        return;
    const RenameOutcome outcome = RenameInfo(References(), oldName, plan.newName);
    ShowMissedBackups();
    if (!outcome.refusal.empty()) {
        ShowMessage(this, "Caution!", "Not renamed: " + FromSystemString(outcome.refusal));
        Plan();
        return;
    }
    if (!outcome.done && !outcome.putBack.AllAsItWas()) {
        ShowMessage(this, "Error", NotPutBackText("Not renamed", outcome.failure, outcome.putBack));
        return;
    }
    if (!outcome.done) {
        ShowMessage(this, "Error",
                    "Not renamed; every file is as it was.\n" + FailureText(outcome.failure));
        return;
    }
    for (InfoForm* editor : editors) {
        const std::string& name = editor->LoadedName();
        reopen.push_back({editor, name == oldName ? plan.newName : name});
    }
    accept();
}

bool RenameInfoDialog::HandleKey(QKeyEvent& event) {
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (event.key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        reject();
        return true;
    }
    // Enter renames from the name box only, not while a button has the focus.
    if ((event.key() == Qt::Key_S && modifiers == Qt::ControlModifier) ||
        (enter && modifiers == Qt::NoModifier && nameBox->hasFocus())) {
        Rename();
        return true;
    }
    return false;
}

bool RenameInteractively(QWidget* parent, const QString& oldName, ReferenceService* references) {
    if (!StringIsValid(oldName)) {
        ShowMessage(parent, "Caution!", "Invalid info name!");
        return false;
    }
    if (!WaitForReferences(parent, references))
        return false;
    // The plan shown is made from the files as they are, also those another program wrote.
    References().RefreshChanged();
    RenameInfoDialog dialog(oldName, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Closed and opened again only now: an editor may be the dialog's owner.
    for (const auto& [editor, name] : dialog.EditorsToReopen()) {
        if (editor)
            ReopenEditor(editor, name);
    }
    if (references)
        references->AnnounceRename(oldName, dialog.NameBox()->text());
    return true;
}

} // namespace VaskEdit
