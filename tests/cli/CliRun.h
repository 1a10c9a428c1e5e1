// The real vaskedit-cli, run with arguments in the current folder: its exit status and
// what it printed.
#pragma once

#include <string>

namespace VaskTest {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::string& arguments);

} // namespace VaskTest
