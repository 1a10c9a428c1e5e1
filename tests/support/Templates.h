// A workspace with the shipped resource templates loaded, for tests that read and
// write records.
#pragma once

#include "support/Workspace.h"

namespace VaskTest {

class TemplatesTest : public WorkspaceTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace VaskTest
