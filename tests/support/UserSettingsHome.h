// A user settings folder of the test's own: confirmations a test stores go there, never
// into the settings of the user who runs the tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace VaskTest {

class UserSettingsHome {
public:
    UserSettingsHome() : folder(std::filesystem::temp_directory_path() / "vaskedit-tests") {
        static int counter = 0;
        folder /= "user-" + std::to_string(std::rand()) + "-" + std::to_string(++counter);
        std::filesystem::create_directories(folder);
        if (const char* old = std::getenv(Variable))
            previous = old;
        Set(folder.string().c_str());
    }
    ~UserSettingsHome() {
        Set(previous ? previous->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    UserSettingsHome(const UserSettingsHome&) = delete;
    UserSettingsHome& operator=(const UserSettingsHome&) = delete;

    const std::filesystem::path& Folder() const { return folder; }

private:
#ifdef _WIN32
    static constexpr const char* Variable = "APPDATA";
    static void Set(const char* value) {
        _putenv_s(Variable, value ? value : "");
    }
#else
    static constexpr const char* Variable = "XDG_CONFIG_HOME";
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
