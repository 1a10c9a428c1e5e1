// The one way the program starts outside programs: detached, without waiting for them,
// answering whether they were started.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace VaskEdit::Launcher {

// Starts program with one argument (none when it is empty), detached, without waiting.
// A bare name is looked up on the search path. True when the program was started.
bool Start(const std::string& program, const std::string& argument, bool hidden = false);
// The same with several arguments, each arriving as one.
bool Start(const std::string& program, const std::vector<std::string>& arguments);

// Opens a file with the desktop's default program for it (xdg-open on Linux, the
// shell's "open" on Windows). True when that was started.
bool OpenWithDesktop(const std::string& path);

// Tests replace the real start with a recorder: while set, nothing is started and
// every request is handed to it (its result is the launch's result). OpenWithDesktop
// hands it ("xdg-open", path) on Linux and (path, "") on Windows; a start with several
// arguments hands them joined by blanks.
using Recorder = std::function<bool(const std::string& program, const std::string& argument)>;
void SetRecorder(Recorder recorder); // empty function restores real launching

} // namespace VaskEdit::Launcher
