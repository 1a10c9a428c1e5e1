#include "WorkspaceLocking.h"

#include "engine/Backup.h"
#include "engine/Failure.h"
#include "engine/WorkspaceLock.h"

#include <iostream>

namespace VaskCli {

namespace {
// Long enough for a short command of another writer to end, short enough for a script.
constexpr std::chrono::seconds Wait{3};

} // namespace

int UnderWorkspaceLock(const std::string& command, const std::function<int()>& run) {
    const TesselEngine::WorkspaceLock lock = TesselEngine::WorkspaceLock::Take(
        command, Wait, [](const TesselEngine::LockHolder& holder) {
            std::cerr << "Waiting: " << TesselEngine::BusyMessage(holder) << ".\n";
        });
    switch (lock.GetState()) {
    case TesselEngine::WorkspaceLock::State::Held:
        break;
    case TesselEngine::WorkspaceLock::State::Busy:
        std::cerr << "Error: " << TesselEngine::BusyMessage(lock.Holder()) << ".\n";
        return 1;
    case TesselEngine::WorkspaceLock::State::Unavailable:
        // A workspace whose root cannot be written can still have writable folders.
        std::cerr << "Warning: other writers are not kept out: "
                  << TesselEngine::FailureMessage({TesselEngine::Operation::Save,
                                                   TesselEngine::WorkspaceLockFile,
                                                   lock.Failure(),
                                                   0,
                                                   {}})
                  << "\n";
        break;
    }
    return run();
}

void ReportMissedBackups() {
    for (const TesselEngine::Backup::Missed& missed : TesselEngine::Backup::TakeMissed())
        std::cerr << "Warning: " << TesselEngine::Backup::MissedMessage(missed) << "\n";
}

} // namespace VaskCli
