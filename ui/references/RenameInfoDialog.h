// Renaming an info with its uses. The dialog asks for the new name and shows, before
// anything is written, what the rename would write (the renamed file, and every info
// that uses the old name, with the places) or why it cannot be done. "OK" renames.
//
// Editors open on the renamed info or on an info the rename changes would write their
// old copy back over the rename when saved. So the rename is refused while such an
// editor has unsaved changes, and the others are opened again on the renamed files,
// in the mode they had.
#pragma once

#include "library/RenameInfo.h"
#include "ui/dialogs/KeyFirstDialog.h"

#include <QPointer>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace VaskEdit {

class CacheTableModel;
class InfoForm;
class ReferenceService;

class RenameInfoDialog : public KeyFirstDialog {
    Q_OBJECT

public:
    explicit RenameInfoDialog(const QString& oldName, QWidget* parent = nullptr);

    QLineEdit* NameBox() const { return nameBox; }
    QTableView* Changes() const { return changes; }
    QString Verdict() const;
    QPushButton* OkButton() const { return okButton; }

    // Plans the rename to the name in the box (typing plans it after a short pause).
    void Plan();
    // "OK": renames, unless an editor on an info it changes has unsaved changes or the
    // rename is refused or fails; each is shown and the dialog stays open.
    void Rename();
    // After a rename: the editors to open again, each with the name of its info now.
    struct Reopen {
        QPointer<InfoForm> editor;
        std::string name;
    };
    const std::vector<Reopen>& EditorsToReopen() const { return reopen; }

protected:
    bool HandleKey(QKeyEvent& event) override;

private:
    std::string NewName() const;

    std::string oldName;
    RenamePlan plan;
    std::vector<Reopen> reopen;
    QLineEdit* nameBox;
    QLabel* verdict;
    CacheTableModel* model;
    QTableView* changes;
    QPushButton* okButton;
    QTimer* pause;
};

// Waits for the index, asks for the new name of the info and renames it; then opens
// the editors on the changed infos again and tells the service (the main window's info
// list reads "infocache" again, the index views hear of it). True when it renamed.
bool RenameInteractively(QWidget* parent, const QString& oldName, ReferenceService* references);

} // namespace VaskEdit
