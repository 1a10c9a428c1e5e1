// The folder the program works in (its "workspace"): whether a folder looks like one, the
// last folders worked in, and the offer made when the program starts in a folder that
// holds no infos.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace VaskEdit {

// The user's own settings, kept apart from every workspace.
std::unique_ptr<QSettings> UserSettings();

// True when the folder holds "Infos/", "w_info.hdrdoc" or "infocache".
bool LooksLikeWorkspace(const QString& folder);
// The current directory as shown to the user.
QString CurrentWorkspace();

// The last eight workspaces, the newest first; kept in the user's settings, not in a
// workspace.
QStringList RecentWorkspaces();
void RememberWorkspace(const QString& folder);

// Offered when the program starts outside a workspace: "Open <last>" (when there is a
// last one), "Choose Folder..." and "Stay here".
class WorkspaceOfferDialog : public QDialog {
    Q_OBJECT

public:
    explicit WorkspaceOfferDialog(const QString& last, QWidget* parent = nullptr);
    // The folder to change to; empty to stay.
    QString Chosen() const { return chosen; }

private:
    QString chosen;
};

// Asks with the dialog above when the current directory is no workspace; the folder to
// change to, or empty.
QString OfferWorkspace();

} // namespace VaskEdit
