#include "CliRun.h"

#include "support/Workspace.h"

#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace VaskTest {

CliRun RunCli(const std::string& arguments) {
    std::string command =
        std::string("\"") + VASK_CLI_PROGRAM + "\" " + arguments + " > cli-out.txt 2> cli-err.txt";
#ifdef _WIN32
    // cmd takes away the first and the last quote of a line that holds more than two.
    command = "\"" + command + "\"";
#endif
    int status = std::system(command.c_str());
#ifdef _WIN32
    // -1: the command processor could not be started (seen under wine on a loaded
    // machine); the program itself never ran, so it is started again.
    for (int again = 0; status == -1 && again < 3; ++again)
        status = std::system(command.c_str());
#else
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    CliRun run{status, ReadFile("cli-out.txt"), ReadFile("cli-err.txt")};
    std::filesystem::remove("cli-out.txt");
    std::filesystem::remove("cli-err.txt");
    return run;
}

} // namespace VaskTest
