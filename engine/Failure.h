// Why a library operation failed: what it did, on which file, and the cause. Results
// stay booleans; the operation that returns false leaves its reason here for the
// caller, who turns it into the one message text that the window and the command line
// both show.
#pragma once

#include "engine/platform/Platform.h"

#include <string>

namespace TesselEngine {

using Platform::Cause;

enum class Operation { Read, Save, Search, Split, Start };

struct Failure {
    Operation operation = Operation::Read;
    std::string path; // the file or folder operated on
    Cause cause = Cause::None;
    int code = 0;       // the system's number, shown for Cause::Other
    std::string folder; // Cause::UnreadableFolder: the folder that could not be listed

    bool IsSet() const { return cause != Cause::None; }
};

// The reason that this thread's last failed operation left. Every thread has its own, so
// a job on a worker thread and a save in the window do not meet.
const Failure& LastFailure();
void SetFailure(Failure failure);
// The failure of the platform call that just failed, for the operation on path.
void SetFailure(Operation operation, const std::string& path);
void SetFailure(Operation operation, const std::string& path, Cause cause);
void ClearFailure();

// The message for the user: 'Could not save "Infos/Bob.vaskinfo": the file is read-only.'
std::string FailureMessage(const Failure& failure);

} // namespace TesselEngine
