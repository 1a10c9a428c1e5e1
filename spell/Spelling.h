// Spell checking of display texts: a dictionary of the system's spell checker, the
// workspace's own word list ("Dictionary.txt", one word a line) and the splitting of a
// text into the words to check. Words and texts are UTF-8. Builds without a spell
// checker (the Windows cross build) have the same interface and check nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit::Spelling {

inline constexpr const char* WordListFile = "Dictionary.txt";
inline constexpr const char* NotAvailableText = "Spell checking is not available in this build";
inline constexpr const char* PreferredDictionary = "en_US";

// Whether this build can check spelling at all.
bool Available();

// The dictionaries installed on the system, by name ("en_US"), sorted.
std::vector<std::string> InstalledDictionaries();
// Whether the named dictionary is installed (a look at two files, no listing).
bool IsInstalled(const std::string& name);
// PreferredDictionary when installed, else the first installed; empty when none is.
std::string DefaultDictionary();

class Checker {
public:
    virtual ~Checker() = default;
    virtual bool Knows(std::string_view word) = 0;
    virtual std::vector<std::string> Suggestions(std::string_view word) = 0;
    // Known from now on, for this checker only.
    virtual void Add(std::string_view word) = 0;
};

// The checker of an installed dictionary; null, with the reason in why, when it cannot
// be opened or the build has no spell checker.
std::unique_ptr<Checker> OpenChecker(const std::string& dictionary, std::string* why);

struct WordSpan {
    std::size_t offset; // in bytes
    std::size_t length;
};
// The words of a text to check: runs of letters with apostrophes inside. Runs that hold
// digits or "_" (ids, numbers) are no words.
std::vector<WordSpan> Words(std::string_view text);

// The words of the workspace's list; none when it has no list. Blank lines and the
// blanks around a word are passed over.
std::vector<std::string> ReadWordList(const char* path = WordListFile);
// Adds a word to the list (kept once) through a temporary file and a rename; false,
// with the reason in LastFailure, when it cannot be written. The word must be free of
// refusals (false otherwise).
bool AddToWordList(std::string_view word, const char* path = WordListFile);
// Refuses what cannot be a line of the list (empty, blanks, line breaks); empty if fine.
std::string WordRefusal(std::string_view word);

// A checker with the workspace's word list added to it.
std::unique_ptr<Checker> OpenWorkspaceChecker(const std::string& dictionary, std::string* why);

} // namespace VaskEdit::Spelling
