// text spell on a planted workspace, and the word splitting and word list beneath it.
#include "CliRun.h"
#include "spell/Spelling.h"
#include "support/Workspace.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using VaskTest::ReadFile;
using VaskTest::WriteFile;

namespace {

bool EnglishInstalled() {
    const auto names = VaskEdit::Spelling::InstalledDictionaries();
    return std::find(names.begin(), names.end(), "en_US") != names.end();
}

class SpellCliTest : public VaskTest::WorkspaceTest {
protected:
    void SetUp() override {
        fs::create_directory("work");
        // An id's first line is the one read; lines without a display field are none.
        WriteFile("work/infosa.csv", "A_01|x|Hello there, friend.|\r\n"
                                     "A_02|x|I recieve it.|\r\n"
                                     "A_02|x|Never wrnog.|\r\n"
                                     "B_01|no display field\r\n");
        WriteFile("work/infodescsa.csv",
                  "D_01||Fetch the bloodmoss 5 times for ID_X12 (\xE9t\xE9 bloodmoss).|\r\n");
    }
};

} // namespace

TEST_F(SpellCliTest, ListsUnknownWordsWithTheirTableAndIdHonouringTheWordList) {
    if (!VaskEdit::Spelling::Available()) {
        const VaskTest::CliRun run = VaskTest::RunCli("-C work text spell");
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Spell checking is not available in this build"), std::string::npos);
        return;
    }
    if (!EnglishInstalled())
        GTEST_SKIP() << "The en_US dictionary is not installed (scripts/install-deps.sh "
                        "installs hunspell-en-us).";
    const std::string tables = ReadFile("work/infosa.csv") + ReadFile("work/infodescsa.csv");
    VaskTest::CliRun run = VaskTest::RunCli("-C work text spell");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "infosa.csv\tA_02\trecieve\n"
                       "infodescsa.csv\tD_01\tbloodmoss\n"
                       "infodescsa.csv\tD_01\t\xC3\xA9t\xC3\xA9\n");
    EXPECT_NE(run.err.find("3 unknown words in 2 texts"), std::string::npos) << run.err;
    // Looking writes nothing and creates no missing table.
    EXPECT_EQ(ReadFile("work/infosa.csv") + ReadFile("work/infodescsa.csv"), tables);
    EXPECT_FALSE(fs::exists("work/questdescsa.csv"));

    WriteFile("work/Dictionary.txt", "bloodmoss\r\n  \xC3\xA9t\xC3\xA9 \r\n\r\n");
    run = VaskTest::RunCli("-C work text spell --dictionary en_US");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "infosa.csv\tA_02\trecieve\n");

    WriteFile("work/infosa.csv", "A_02|x|I receive it.|\r\n");
    run = VaskTest::RunCli("-C work text spell");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(SpellCliTest, WhatCannotBeCheckedIsAnError) {
    if (!VaskEdit::Spelling::Available() || !EnglishInstalled())
        GTEST_SKIP() << "Needs the en_US dictionary (scripts/install-deps.sh installs "
                        "hunspell-en-us).";
    VaskTest::CliRun run = VaskTest::RunCli("-C work text spell --dictionary xx_NONE");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("\"xx_NONE\" is not installed"), std::string::npos) << run.err;
    // A dictionary is named, not reached by a path.
    EXPECT_EQ(VaskTest::RunCli("-C work text spell --dictionary ../hunspell/en_US").status, 2);

    fs::remove("work/infosa.csv");
    fs::create_directory("work/infosa.csv");
    run = VaskTest::RunCli("-C work text spell");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("infosa.csv"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

// Words are runs of letters with apostrophes inside; runs with digits or "_" are ids or
// numbers, not words.
TEST(SpellingWords, LettersWithInnerApostrophesMakeWords) {
    const std::string text =
        "It's 5 o'clock\xE2\x80\x94'quoted' ID_X12 caf\xC3\xA9\xE2\x80\x99s 3rd";
    std::vector<std::string> words;
    for (const auto span : VaskEdit::Spelling::Words(text))
        words.push_back(text.substr(span.offset, span.length));
    EXPECT_EQ(words,
              (std::vector<std::string>{"It's", "o'clock", "quoted", "caf\xC3\xA9\xE2\x80\x99s"}));
}

// The word list keeps each word once and what it held before, through an atomic write.
TEST_F(SpellCliTest, WordListKeepsEachWordOnce) {
    namespace Spelling = VaskEdit::Spelling;
    EXPECT_TRUE(Spelling::ReadWordList().empty());
    ASSERT_TRUE(Spelling::AddToWordList("Kolvar"));
    ASSERT_TRUE(Spelling::AddToWordList("bloodmoss"));
    ASSERT_TRUE(Spelling::AddToWordList("Kolvar"));
    EXPECT_EQ(ReadFile(Spelling::WordListFile), "Kolvar\nbloodmoss\n");
    WriteFile(Spelling::WordListFile, "one\r\ntwo");
    ASSERT_TRUE(Spelling::AddToWordList("three"));
    EXPECT_EQ(ReadFile(Spelling::WordListFile), "one\r\ntwo\r\nthree\r\n");
    EXPECT_FALSE(Spelling::AddToWordList("two words"));
    EXPECT_FALSE(Spelling::AddToWordList(""));
    EXPECT_EQ(Spelling::ReadWordList(), (std::vector<std::string>{"one", "two", "three"}));
}
