// vaskedit-cli diff and merge-file end to end: "Infos/" against the game document or
// another workspace, two info files, a three-way merge of one info, and git driving the
// real program as its textconv, external diff and merge driver.
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

    // The demo's files are its game document's infos.
    const CliRun game = Cli("-C work diff --stat");
    EXPECT_EQ(game.status, 0) << game.err;
    EXPECT_EQ(game.out, "0 new, 0 removed, 0 renamed, 0 changed, 51 unchanged\n");
    fs::remove("work/Infos/Villager_Karl_Smalltalk_22.vaskinfo");
    const CliRun stat = Cli("-C work diff --stat");
    EXPECT_EQ(stat.status, 1) << stat.err;
    EXPECT_EQ(stat.out, "- Villager_Karl_Smalltalk_22\n"
                        "0 new, 1 removed, 0 renamed, 0 changed, 50 unchanged\n");

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
    EXPECT_EQ(parsed["unchanged"], 50);

    // Two files: the second against the first.
    const CliRun files =
        Cli("-C work diff ../base/Infos/Bob_Haggle.vaskinfo Infos/Bob_Haggle.vaskinfo");
    EXPECT_EQ(files.status, 1);
    EXPECT_EQ(files.out, "Owner: \"Bob\" -> \"Dray\"\n");
    EXPECT_EQ(Cli("-C work diff Infos/Bob_Trade.vaskinfo Infos/Bob_Trade.vaskinfo").status, 0);
}

// The nth (from 0) "Entity1" of the file that holds from gets to instead.
void SetNthEntity(const std::string& path, int nth, const std::string& from,
                  const std::string& to) {
    std::string bytes = ReadFile(path);
    const std::string old = "Entity1 = \"" + from + "\"";
    std::size_t at = bytes.find(old);
    for (int i = 0; i < nth && at != std::string::npos; ++i)
        at = bytes.find(old, at + 1);
    ASSERT_NE(at, std::string::npos) << path;
    bytes.replace(at, old.size(), "Entity1 = \"" + to + "\"");
    WriteFile(path, bytes);
}

TEST_F(DiffCliTest, MergeFileTakesBothSidesOrLeavesOursOnAConflict) {
    const std::string info = "work/Infos/Bob_BuySword.vaskinfo";
    for (const char* side : {"base", "ours", "theirs", "other"})
        fs::copy_file(info, std::string(side) + ".vaskinfo");
    SetNthEntity("ours.vaskinfo", 0, "PC_Hero", "Bob");    // the first command's
    SetNthEntity("theirs.vaskinfo", 1, "PC_Hero", "Mira"); // the second's
    const std::string ours = ReadFile("ours.vaskinfo");
    const CliRun merged =
        Cli("-C work merge-file ../base.vaskinfo ../ours.vaskinfo ../theirs.vaskinfo");
    EXPECT_EQ(merged.status, 0) << merged.err << merged.out;
    const CliRun changes = Cli("-C work diff ../base.vaskinfo ../ours.vaskinfo");
    EXPECT_EQ(changes.out, "InfoCommands[1].Entity1: \"PC_Hero\" -> \"Bob\"\n"
                           "InfoCommands[2].Entity1: \"PC_Hero\" -> \"Mira\"\n");

    SetNthEntity("other.vaskinfo", 0, "PC_Hero", "Lena");
    const std::string before = ReadFile("other.vaskinfo");
    const CliRun conflict =
        Cli("-C work merge-file ../base.vaskinfo ../other.vaskinfo ../theirs.vaskinfo");
    EXPECT_EQ(conflict.status, 0) << conflict.out; // different commands: no conflict
    const CliRun clash =
        Cli("-C work merge-file ../base.vaskinfo ../other.vaskinfo ../ours.vaskinfo");
    EXPECT_EQ(clash.status, 1);
    EXPECT_EQ(clash.out,
              "1 conflict in \"../other.vaskinfo\", which is left as it was:\n"
              "InfoCommands[1].Entity1: base \"PC_Hero\", ours \"Lena\", theirs \"Bob\"\n");
    EXPECT_NE(ReadFile("other.vaskinfo"), before); // the clean merge above wrote it
    const std::string afterClean = ReadFile("other.vaskinfo");
    EXPECT_EQ(Cli("-C work merge-file ../base.vaskinfo ../other.vaskinfo ../ours.vaskinfo").status,
              1);
    EXPECT_EQ(ReadFile("other.vaskinfo"), afterClean);
    EXPECT_EQ(
        Cli("-C work merge-file ../base.vaskinfo ../missing.vaskinfo ../ours.vaskinfo").status, 2);
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

// Two branches that change different commands of one info merge without a conflict; the
// same place changed two ways stops the merge, naming the place.
TEST_F(DiffCliTest, GitMergesInfosPlaceByPlace) {
    if (!Shell("git --version"))
        GTEST_SKIP() << "git is not installed";
    const std::string program = fs::absolute(VASK_CLI_PROGRAM).string();
    const std::string git =
        "git -C work -c user.name=T -c user.email=t@t -c merge.vaskinfo.driver='" + program +
        " merge-file %O %A %B' ";
    const std::string info = "work/Infos/Bob_BuySword.vaskinfo";
    std::string out;
    ASSERT_TRUE(Shell(git + "init -q -b main && " + program + " -C work git-setup", &out)) << out;
    ASSERT_TRUE(Shell(git + "add -A && " + git + "commit -qm base", &out)) << out;
    ASSERT_TRUE(Shell(git + "checkout -q -b theirs", &out)) << out;
    SetNthEntity(info, 1, "PC_Hero", "Mira");
    ASSERT_TRUE(Shell(git + "commit -qam theirs", &out)) << out;
    ASSERT_TRUE(Shell(git + "checkout -q -b clash main", &out)) << out;
    SetNthEntity(info, 0, "PC_Hero", "Lena");
    ASSERT_TRUE(Shell(git + "commit -qam clash", &out)) << out;
    ASSERT_TRUE(Shell(git + "checkout -q main", &out)) << out;
    SetNthEntity(info, 0, "PC_Hero", "Bob");
    ASSERT_TRUE(Shell(git + "commit -qam ours", &out)) << out;

    ASSERT_TRUE(Shell(git + "merge -q --no-edit theirs", &out)) << out;
    const std::string merged = ReadFile(info);
    EXPECT_NE(merged.find("Entity1 = \"Bob\""), std::string::npos);
    EXPECT_NE(merged.find("Entity1 = \"Mira\""), std::string::npos);

    EXPECT_FALSE(Shell(git + "merge -q --no-edit clash", &out));
    EXPECT_NE(out.find("InfoCommands[1].Entity1: base \"PC_Hero\", ours \"Bob\", theirs \"Lena\""),
              std::string::npos)
        << out;
    EXPECT_EQ(ReadFile(info), merged); // ours, as it was
}
#endif

} // namespace
