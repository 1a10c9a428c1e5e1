// The index of where values are used (References()) as the windows share it: its one
// background build, the news that it changed or that an info was renamed, and the
// editors' requests for a usages list or a rename. The main window owns it and gives it
// to the windows it opens; the windows that show usages and renames answer the requests.
#pragma once

#include "ui/common/BackgroundJob.h"

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace VaskEdit {

class ReferenceService : public QObject {
    Q_OBJECT

public:
    // home is the window that owns the lists opened through the service.
    explicit ReferenceService(QWidget* home);

    BackgroundJob& Job() { return job; }
    QWidget* Home() const { return home; }

    // Starts a build in the background. One asked for while one runs starts again when
    // that one ends: the files may have changed after it read them.
    void Build();

    // Tells the views over the index that it changed (a workspace opened, a build ended).
    void AnnounceChange() { emit changed(); }
    // After a rename: first those who list infos, then the views over the index.
    void AnnounceRename(const QString& oldName, const QString& newName);
    // After an info was saved (the index already holds it as saved).
    void AnnounceSaved(const std::string& name) { emit saved(name); }
    // After display texts in the tables changed.
    void AnnounceTexts() { emit textsChanged(); }

    // What an editor asks for; the windows that show it answer (see usagesRequested).
    void RequestUsages(QWidget* from, const std::string& value) {
        emit usagesRequested(from, value);
    }
    void RequestRename(QWidget* from, const QString& name) { emit renameRequested(from, name); }

signals:
    void changed();
    void renamed(const QString& oldName, const QString& newName);
    void saved(const std::string& name);
    void textsChanged();
    void usagesRequested(QWidget* from, const std::string& value);
    void renameRequested(QWidget* from, const QString& name);

private:
    QWidget* home;
    BackgroundJob job;
    bool again = false;
};

} // namespace VaskEdit
