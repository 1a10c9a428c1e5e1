// A progress bar on standard error, drawn only when standard error is a terminal.
#pragma once

#include <string>

namespace VaskCli {

class Progress {
public:
    explicit Progress(std::string label);
    ~Progress();
    void Report(int percent);

private:
    std::string label;
    bool drawing;
    int shown = -1;
};

} // namespace VaskCli
