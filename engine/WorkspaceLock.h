// One writer at a time in a workspace: commands that write more than one file, or read
// a shared file and write it back, hold the lock file ".vaskedit.lock" in the current
// directory while they work. The file tells who holds it (process id, computer,
// command); the lock itself is the system's file lock, which ends with its holder, so a
// writer that died blocks nobody.
#pragma once

#include "engine/platform/Platform.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace TesselEngine {

constexpr const char* WorkspaceLockFile = ".vaskedit.lock";

struct LockHolder {
    std::uint32_t pid = 0;
    std::string host;
    std::string command;
};

// "the workspace is being changed by PID 4711 (rename)"
std::string BusyMessage(const LockHolder& holder);

class WorkspaceLock {
public:
    enum class State {
        Held,        // this process holds the lock until the object ends
        Busy,        // another writer held it for the whole wait: see Holder
        Unavailable, // no lock file could be made (a read-only workspace): see Failure
    };

    // Takes the lock for command, trying again for up to wait while another writer
    // holds it; waiting is called once, before the first pause.
    static WorkspaceLock Take(const std::string& command, std::chrono::milliseconds wait,
                              const std::function<void(const LockHolder&)>& waiting = {});

    WorkspaceLock(WorkspaceLock&& other) noexcept;
    WorkspaceLock& operator=(WorkspaceLock&&) = delete;
    WorkspaceLock(const WorkspaceLock&) = delete;
    ~WorkspaceLock();

    State GetState() const { return state; }
    bool IsHeld() const { return state == State::Held; }
    const LockHolder& Holder() const { return holder; }
    Platform::Cause Failure() const { return failure; }

private:
    WorkspaceLock() = default;

    State state = State::Unavailable;
    Platform::Handle handle = Platform::InvalidHandle;
    LockHolder holder;
    Platform::Cause failure = Platform::Cause::None;
};

} // namespace TesselEngine
