#include "engine/DataFolders.h"
#include "support/Workspace.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using TesselEngine::FindDataRoot;

// The current directory first, then the program's own directory, then the share folder
// of the prefix the program lies in; each only when it holds the folder.
TEST(DataFolders, FoundInTheWorkFolderBesideTheProgramOrInTheInstalledPrefix) {
    VaskTest::Workspace workspace;
    const std::string root = workspace.Root().generic_string() + "/";
    const std::string program = root + "prefix/bin/vaskedit-cli";
    fs::create_directories("work");
    fs::current_path("work");

    EXPECT_EQ(FindDataRoot("Resources", program), "");
    fs::create_directories(root + "prefix/share/vaskedit/Resources");
    EXPECT_EQ(FindDataRoot("Resources", program), root + "prefix/share/vaskedit/");
    EXPECT_EQ(FindDataRoot("Documents", program), "");
    fs::create_directories(root + "prefix/bin/Resources");
    EXPECT_EQ(FindDataRoot("Resources", program), root + "prefix/bin/");
    fs::create_directories("Resources");
    EXPECT_EQ(FindDataRoot("Resources", program), "");

    // A program named without a directory has only the current one.
    fs::remove("Resources");
    EXPECT_EQ(FindDataRoot("Resources", "vaskedit-cli"), "");
}
