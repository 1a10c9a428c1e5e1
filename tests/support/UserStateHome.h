// A user state folder of the test's own: what a test keeps between runs (copies of
// unsaved work) goes there, never into the state of the user who runs the tests.
#pragma once

#include "UserFolderHome.h"

namespace VaskTest {

class UserStateHome : public UserFolderHome {
public:
#ifdef _WIN32
    UserStateHome() : UserFolderHome("LOCALAPPDATA", "state") {}
#else
    UserStateHome() : UserFolderHome("XDG_STATE_HOME", "state") {}
#endif
};

} // namespace VaskTest
