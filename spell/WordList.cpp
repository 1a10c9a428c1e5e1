#include "spell/Spelling.h"

#include "engine/File.h"

#include <algorithm>
#include <filesystem>

namespace VaskEdit::Spelling {

namespace {
std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last + 1 - first);
}

// The words of a list's bytes, one a line.
std::vector<std::string> WordsOf(const std::string& bytes) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view word = Trimmed(std::string_view(bytes).substr(at, end - at));
        if (!word.empty())
            words.emplace_back(word);
        at = end + 1;
    }
    return words;
}
} // namespace

std::vector<std::string> ReadWordList(const char* path) {
    std::string bytes;
    if (!TesselEngine::WinAPI::File::ReadAll(path, bytes))
        return {};
    return WordsOf(bytes);
}

std::string WordRefusal(std::string_view word) {
    if (word.empty())
        return "the word is empty";
    if (word.find_first_of(" \t\r\n") != std::string_view::npos)
        return "a word of the list holds no blank or line break";
    return {};
}

bool AddToWordList(std::string_view word, const char* path) {
    if (!WordRefusal(word).empty())
        return false;
    std::string bytes;
    std::error_code error;
    if (std::filesystem::exists(path, error) && !TesselEngine::WinAPI::File::ReadAll(path, bytes))
        return false;
    const std::vector<std::string> words = WordsOf(bytes);
    if (std::find(words.begin(), words.end(), word) != words.end())
        return true;
    // The list keeps the line ends it has; a new one gets the system's.
    const std::string lineEnd = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += lineEnd;
    bytes += std::string(word) + lineEnd;
    return TesselEngine::WinAPI::File::SaveAtomically(path, bytes.data(), bytes.size());
}

std::unique_ptr<Checker> OpenWorkspaceChecker(const std::string& dictionary, std::string* why) {
    std::unique_ptr<Checker> checker = OpenChecker(dictionary, why);
    if (checker) {
        for (const std::string& word : ReadWordList())
            checker->Add(word);
    }
    return checker;
}

} // namespace VaskEdit::Spelling
