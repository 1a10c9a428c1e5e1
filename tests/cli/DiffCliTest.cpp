// vaskedit-cli diff end to end: "Infos/" against the game document or another workspace,
// two info files, and git's textconv and external diff driving the real program.
#include "CliRun.h"
#include "support/Workspace.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using VaskTest::CliRun;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {
CliRun Cli(const std::string& arguments) {
    return VaskTest::RunCli(arguments);
}

class DiffCliTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        fs::create_directory("work");
        workspace.CopyFromSource("demo", "work");
        workspace.CopyFromSource("Resources", "work/Resources");
    }

    static void ChangeOwner(const std::string& info, const std::string& from,
                            const std::string& to) {
        const std::string path = "work/Infos/" + info + ".vaskinfo";
        std::string bytes = ReadFile(path);
        const std::string old = "Owner = \"" + from + "\"";
        ASSERT_NE(bytes.find(old), std::string::npos);
        bytes.replace(bytes.find(old), old.size(), "Owner = \"" + to + "\"");
        WriteFile(path, bytes);
    }
};

TEST_F(DiffCliTest, StatusSaysEqualDifferentOrError) {
    const CliRun same = Cli("-C work diff --base .");
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // The demo's game document holds infos that have no file.
    const CliRun stat = Cli("-C work diff --stat");
    EXPECT_EQ(stat.status, 1) << stat.err;
    EXPECT_NE(stat.out.find("- Villager_Karl_Smalltalk_22\n"), std::string::npos) << stat.out;
    EXPECT_TRUE(stat.out.ends_with("0 new, 18 removed, 0 renamed, 0 changed, 33 unchanged\n"))
        << stat.out;

    const CliRun missing = Cli("-C work diff --base nothing.hdrdoc");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "Error: \"nothing.hdrdoc\" could not be read.\n");
    EXPECT_EQ(Cli("-C work diff Infos/Bob_Haggle.vaskinfo").status, 2);
}

TEST_F(DiffCliTest, ChangesArePrintedByPlaceAsTextAndJson) {
    fs::create_directories("base");
    fs::copy("work/Infos", "base/Infos");
    ChangeOwner("Bob_Haggle", "Bob", "Dray");
    const CliRun text = Cli("-C work diff --base ../base");
    EXPECT_EQ(text.status, 1) << text.err;
    EXPECT_EQ(text.out, "M Bob_Haggle\n  Owner: \"Bob\" -> \"Dray\"\n");

    const CliRun json = Cli("-C work diff --base ../base --json");
    ASSERT_EQ(json.status, 1) << json.err;
    const auto parsed = nlohmann::json::parse(json.out);
    ASSERT_EQ(parsed["changed"].size(), 1u);
    EXPECT_EQ(parsed["changed"][0]["name"], "Bob_Haggle");
    EXPECT_EQ(parsed["changed"][0]["changes"][0],
              (nlohmann::json{
                  {"kind", "changed"}, {"place", "Owner"}, {"before", "Bob"}, {"after", "Dray"}}));
    EXPECT_EQ(parsed["unchanged"], 32);

    // Two files: the second against the first.
    const CliRun files =
        Cli("-C work diff ../base/Infos/Bob_Haggle.vaskinfo Infos/Bob_Haggle.vaskinfo");
    EXPECT_EQ(files.status, 1);
    EXPECT_EQ(files.out, "Owner: \"Bob\" -> \"Dray\"\n");
    EXPECT_EQ(Cli("-C work diff Infos/Bob_Trade.vaskinfo Infos/Bob_Trade.vaskinfo").status, 0);
}

#ifndef _WIN32
// What a shell command printed, and whether it succeeded.
bool Shell(const std::string& command, std::string* out = nullptr) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return false;
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    if (out)
        *out = text;
    return pclose(pipe) == 0;
}

// git compares infos place by place, through textconv (what git-setup prints) and as its
// external diff.
TEST_F(DiffCliTest, GitComparesInfosPlaceByPlace) {
    if (!Shell("git --version"))
        GTEST_SKIP() << "git is not installed";
    const std::string program = fs::absolute(VASK_CLI_PROGRAM).string();
    const std::string git = "git -C work -c user.name=T -c user.email=t@t ";
    ASSERT_TRUE(Shell(git + "init -q && " + program + " -C work git-setup"));
    ASSERT_TRUE(Shell(git + "add -A && " + git + "commit -qm base"));
    ChangeOwner("Bob_Haggle", "Bob", "Dray");

    std::string out;
    ASSERT_TRUE(Shell(git + "-c diff.vaskinfo.textconv='" + program + " show --text' diff", &out));
    EXPECT_NE(out.find("\n-Owner: Bob\n+Owner: Dray\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("bCString"), std::string::npos) << out; // places, not the file

    ASSERT_TRUE(Shell(git + "-c diff.external='" + program + " diff' diff", &out));
    EXPECT_EQ(out, "M Infos/Bob_Haggle.vaskinfo\n  Owner: \"Bob\" -> \"Dray\"\n");
}
#endif

} // namespace
