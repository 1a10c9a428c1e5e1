// The commands that change more than one file, or read a shared file and write it
// back, run one at a time in a workspace.
#pragma once

#include <functional>
#include <string>

namespace VaskCli {

// Runs the command while holding the workspace lock. Another writer is waited for a
// few seconds, with a line on standard error, then the command is refused with 1.
int UnderWorkspaceLock(const std::string& command, const std::function<int()>& run);

// Says on standard error of each save since the last call that kept no backup.
void ReportMissedBackups();

} // namespace VaskCli
