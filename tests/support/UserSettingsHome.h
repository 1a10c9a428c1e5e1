// A user settings folder of the test's own: confirmations a test stores go there, never
// into the settings of the user who runs the tests.
#pragma once

#include "UserFolderHome.h"

namespace VaskTest {

class UserSettingsHome : public UserFolderHome {
public:
#ifdef _WIN32
    UserSettingsHome() : UserFolderHome("APPDATA", "user") {}
#else
    UserSettingsHome() : UserFolderHome("XDG_CONFIG_HOME", "user") {}
#endif
};

} // namespace VaskTest
