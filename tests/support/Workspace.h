// A fresh, empty working directory for one test. The library works relative to the
// current directory, so each test runs inside its own and leaves nothing behind.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace VaskTest {

class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const std::filesystem::path& Root() const { return root; }
    // Copies the shipped resource templates into the workspace.
    void CopyResources() const;
    // Copies a folder of the repository (such as "demo") into the workspace.
    void CopyFromSource(const std::string& relative, const std::string& to = ".") const;

private:
    std::filesystem::path previous;
    std::filesystem::path root;
};

// A test fixture that runs every test in its own workspace.
class WorkspaceTest : public ::testing::Test {
protected:
    Workspace workspace;
};

std::filesystem::path SourceRoot();
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);
// Names of the files in a directory, sorted; empty when it does not exist.
std::vector<std::string> ListNames(const std::filesystem::path& directory);

} // namespace VaskTest
