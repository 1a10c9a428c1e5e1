// A workspace with the info library started on it, and its state reset before and
// after each test (the library's state is process-wide).
#pragma once

#include "support/Workspace.h"

#include <string>

namespace VaskTest {

class LibraryTest : public WorkspaceTest {
protected:
    void SetUp() override;
    void TearDown() override;
    static void ResetLibrary();
    // Writes an info file with the given name, owner and quest through the writer.
    static void WriteInfo(const std::string& name, const std::string& owner,
                          const std::string& quest = "");
};

} // namespace VaskTest
