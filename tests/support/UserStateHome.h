// A user state folder of the test's own: what a test keeps between runs (copies of
// unsaved work) goes there, never into the state of the user who runs the tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

namespace VaskTest {

class UserStateHome {
public:
    UserStateHome() : folder(std::filesystem::temp_directory_path() / "vaskedit-tests") {
        // Test programs run side by side: the name is the process's own.
        static int counter = 0;
        folder /=
            "state-" + std::to_string(std::random_device()()) + "-" + std::to_string(++counter);
        std::filesystem::create_directories(folder);
        if (const char* old = std::getenv(Variable))
            previous = old;
        Set(folder.string().c_str());
    }
    ~UserStateHome() {
        Set(previous ? previous->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    UserStateHome(const UserStateHome&) = delete;
    UserStateHome& operator=(const UserStateHome&) = delete;

    const std::filesystem::path& Folder() const { return folder; }

private:
#ifdef _WIN32
    static constexpr const char* Variable = "LOCALAPPDATA";
    static void Set(const char* value) {
        _putenv_s(Variable, value ? value : "");
    }
#else
    static constexpr const char* Variable = "XDG_STATE_HOME";
    static void Set(const char* value) {
        if (value)
            setenv(Variable, value, 1);
        else
            unsetenv(Variable);
    }
#endif

    std::filesystem::path folder;
    std::optional<std::string> previous;
};

} // namespace VaskTest
