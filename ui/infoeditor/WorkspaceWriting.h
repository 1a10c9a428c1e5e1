// The window's writes take the workspace lock only while they write, and say of each
// save that could keep no backup.
#pragma once

#include "engine/WorkspaceLock.h"

#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace VaskEdit {

using HeldWorkspace = std::shared_ptr<std::optional<TesselEngine::WorkspaceLock>>;

// The workspace lock for one write of the window, waited for a short time; empty after
// telling the user which writer holds it. A workspace without a lock file (its root
// cannot be written) is written all the same.
HeldWorkspace LockWorkspace(QWidget* parent, const std::string& action);

// Shows in the main window's status bar the saves since the last call that kept no
// backup.
void ShowMissedBackups();

} // namespace VaskEdit
