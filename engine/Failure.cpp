#include "engine/Failure.h"

namespace TesselEngine {

namespace {
thread_local Failure lastFailure;

const char* Verb(Operation operation) {
    switch (operation) {
    case Operation::Read:
        return "read";
    case Operation::Save:
        return "save";
    case Operation::Search:
        return "search";
    case Operation::Split:
        return "split";
    case Operation::Start:
        return "start";
    }
    return "use";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string CauseText(const Failure& failure) {
    switch (failure.cause) {
    case Cause::None:
        break;
    case Cause::NotFound:
        // A save creates the file: only its folder can be missing.
        return failure.operation == Operation::Save ? "its folder does not exist"
                                                    : "the file does not exist";
    case Cause::ReadOnly:
        return "the file is read-only";
    case Cause::AccessDenied:
        return "access is denied";
    case Cause::IsFolder:
        return "it is a folder";
    case Cause::InUse:
        return "another program is using it";
    case Cause::NoSpace:
        return "there is no space left on the disk";
    case Cause::TooLarge:
        return "it is too large (4 GiB or more)";
    case Cause::OutOfMemory:
        return "there is not enough memory";
    case Cause::UnreadableFolder:
        return "the folder " + Quoted(failure.folder) + " could not be read";
    case Cause::BadContent:
        return "its content is not in the expected form";
    case Cause::InvalidName:
        return "the name cannot be used";
    case Cause::Incomplete:
        return "some of the files it needs could not be read";
    case Cause::TooLong:
        return "the program's path is longer than the " + std::to_string(failure.code) +
               " characters that its setting holds";
    case Cause::Unconfirmed:
        return "the program has not been confirmed to run";
    case Cause::ReadOnlyFileSystem:
        return "the file system is read-only";
    case Cause::NotAFile:
        return "it is not a regular file";
    case Cause::ChangedOnDisk:
        return "it was changed by someone else since it was read, and is not overwritten";
    case Cause::OutsideWorkspace:
        return "a link leads outside the workspace";
    case Cause::Other:
        if (failure.code != 0)
            return "the system reported error " + std::to_string(failure.code);
        break;
    }
    return "the system reported an error";
}
} // namespace

const Failure& LastFailure() {
    return lastFailure;
}

void SetFailure(Failure failure) {
    lastFailure = std::move(failure);
}

void SetFailure(Operation operation, const std::string& path) {
    const Platform::Error error = Platform::LastError();
    const Cause cause = error.cause == Cause::None ? Cause::Other : error.cause;
    SetFailure(Failure{operation, path, cause, error.code, {}});
}

void SetFailure(Operation operation, const std::string& path, Cause cause) {
    SetFailure(Failure{operation, path, cause, 0, {}});
}

void ClearFailure() {
    lastFailure = Failure{};
}

std::string FailureMessage(const Failure& failure) {
    return "Could not " + std::string(Verb(failure.operation)) + " " + Quoted(failure.path) + ": " +
           CauseText(failure) + ".";
}

} // namespace TesselEngine
