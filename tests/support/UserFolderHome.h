// A user folder of the test's own (settings, state): what a test stores there never goes
// into the folders of the user who runs the tests. The variable that names the folder is
// pointed at a fresh temporary folder for the object's lifetime.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

namespace VaskTest {

class UserFolderHome {
public:
    // variable: the one the program reads on this system; prefix: the folder's name's start.
    UserFolderHome(const char* variable, const std::string& prefix)
        : variable(variable), folder(std::filesystem::temp_directory_path() / "vaskedit-tests") {
        // Test programs run side by side: the name is the process's own.
        static int counter = 0;
        folder /= prefix + "-" + std::to_string(std::random_device()()) + "-" +
                  std::to_string(++counter);
        std::filesystem::create_directories(folder);
        if (const char* old = std::getenv(variable))
            previous = old;
        Set(folder.string().c_str());
    }
    ~UserFolderHome() {
        Set(previous ? previous->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    UserFolderHome(const UserFolderHome&) = delete;
    UserFolderHome& operator=(const UserFolderHome&) = delete;

    const std::filesystem::path& Folder() const { return folder; }

private:
    void Set(const char* value) const {
#ifdef _WIN32
        _putenv_s(variable, value ? value : "");
#else
        if (value)
            setenv(variable, value, 1);
        else
            unsetenv(variable);
#endif
    }

    const char* variable;
    std::filesystem::path folder;
    std::optional<std::string> previous;
};

} // namespace VaskTest
