// Timing for the benchmarks: a piece of work in seconds, and a shell command beside it.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace VaskDemo {

template <typename F> double Time(F run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The time of a shell command; a failed command is named, as its time means little.
inline double Shell(const std::string& command) {
    return Time([&] {
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "(command failed: %s)\n", command.c_str());
    });
}

} // namespace VaskDemo
