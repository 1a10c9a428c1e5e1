#include "ui/infoeditor/WorkspaceWriting.h"

#include "engine/Backup.h"
#include "ui/dialogs/Messages.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

namespace VaskEdit {

namespace {
// Short: the window waits without drawing meanwhile.
constexpr std::chrono::seconds Wait{2};
} // namespace

HeldWorkspace LockWorkspace(QWidget* parent, const std::string& action) {
    auto held = std::make_shared<std::optional<TesselEngine::WorkspaceLock>>(
        TesselEngine::WorkspaceLock::Take(action, Wait));
    if ((*held)->GetState() != TesselEngine::WorkspaceLock::State::Busy)
        return held;
    ShowMessage(parent, "Error",
                "Nothing was written: " +
                    QString::fromStdString(TesselEngine::BusyMessage((*held)->Holder())) +
                    ".\nTry again when it is done.");
    return nullptr;
}

void ShowMissedBackups() {
    const std::vector<TesselEngine::Backup::Missed> missed = TesselEngine::Backup::TakeMissed();
    if (missed.empty())
        return;
    QString text;
    for (const auto& save : missed)
        text += (text.isEmpty() ? "" : " ") +
                QString::fromLocal8Bit(TesselEngine::Backup::MissedMessage(save).c_str());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<QMainWindow*>(window);
            main && window->inherits("VaskEdit::MainForm"))
            main->statusBar()->showMessage(text, 20000);
    }
}

} // namespace VaskEdit
