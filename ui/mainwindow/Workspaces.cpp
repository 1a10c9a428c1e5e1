#include "ui/mainwindow/Workspaces.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <memory>

namespace VaskEdit {

namespace {
constexpr int RecentCount = 8;
const char* const RecentKey = "recentWorkspaces";

QString Canonical(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}
} // namespace

std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit",
                                       "VaskEdit");
}

bool LooksLikeWorkspace(const QString& folder) {
    const QDir dir(folder);
    return QFileInfo(dir.filePath("Infos")).isDir() || dir.exists("w_info.hdrdoc") ||
           dir.exists("infocache");
}

QString CurrentWorkspace() {
    return QDir::toNativeSeparators(QDir::currentPath());
}

QStringList RecentWorkspaces() {
    QStringList recent = UserSettings()->value(RecentKey).toStringList();
    recent.removeAll(QString());
    return recent.mid(0, RecentCount);
}

void RememberWorkspace(const QString& folder) {
    const QString path = Canonical(folder);
    QStringList recent = RecentWorkspaces();
    recent.removeAll(path);
    recent.prepend(path);
    UserSettings()->setValue(RecentKey, recent.mid(0, RecentCount));
}

WorkspaceOfferDialog::WorkspaceOfferDialog(const QString& last, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Open Workspace");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("This folder holds no infos:\n" + CurrentWorkspace()));
    auto* buttons = new QHBoxLayout;
    if (!last.isEmpty()) {
        auto* open = new QPushButton("Open " + QDir::toNativeSeparators(last));
        connect(open, &QPushButton::clicked, this, [this, last] {
            chosen = last;
            accept();
        });
        buttons->addWidget(open);
        open->setDefault(true);
    }
    auto* choose = new QPushButton("Choose Folder...");
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, "Open Workspace");
        if (folder.isEmpty())
            return; // back to the offer
        chosen = folder;
        accept();
    });
    auto* stay = new QPushButton("Stay here");
    connect(stay, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(choose);
    buttons->addWidget(stay);
    layout->addLayout(buttons);
}

QString OfferWorkspace() {
    if (LooksLikeWorkspace(QDir::currentPath()))
        return {};
    QString last;
    for (const QString& folder : RecentWorkspaces()) {
        if (LooksLikeWorkspace(folder)) {
            last = folder;
            break;
        }
    }
    WorkspaceOfferDialog offer(last);
    offer.exec();
    return offer.Chosen();
}

} // namespace VaskEdit
