// The checker over Hunspell, for the builds that have it.
#include "spell/DictionaryFiles.h"
#include "spell/Spelling.h"

#include <hunspell/hunspell.hxx>

namespace VaskEdit::Spelling {

namespace {
// Dictionaries in ISO 8859-1 take the word in that code page; UTF-8 ones as it is.
class HunspellChecker : public Checker {
public:
    explicit HunspellChecker(const DictionaryPaths& paths)
        : speller(paths.affix.c_str(), paths.words.c_str()),
          latin1(speller.get_dict_encoding() == "ISO8859-1") {}

    bool Knows(std::string_view word) override {
        std::string own;
        if (!ToOwn(word, own))
            return false;
        return speller.spell(own);
    }
    std::vector<std::string> Suggestions(std::string_view word) override {
        std::string own;
        if (!ToOwn(word, own))
            return {};
        std::vector<std::string> found = speller.suggest(own);
        if (latin1) {
            for (std::string& suggestion : found)
                suggestion = FromLatin1(suggestion);
        }
        return found;
    }
    void Add(std::string_view word) override {
        std::string own;
        if (ToOwn(word, own))
            speller.add(own);
    }

private:
    bool ToOwn(std::string_view word, std::string& own) const {
        if (!latin1) {
            own = word;
            return true;
        }
        for (std::size_t at = 0; at < word.size(); ++at) {
            const auto byte = static_cast<unsigned char>(word[at]);
            if (byte < 0x80) {
                own += static_cast<char>(byte);
            } else if ((byte == 0xC2 || byte == 0xC3) && at + 1 < word.size()) {
                own += static_cast<char>(((byte & 0x03) << 6) |
                                         (static_cast<unsigned char>(word[++at]) & 0x3F));
            } else {
                return false; // a letter the dictionary's code page lacks
            }
        }
        return true;
    }
    static std::string FromLatin1(const std::string& bytes) {
        std::string utf8;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                utf8 += c;
            } else {
                utf8 += static_cast<char>(0xC0 | (byte >> 6));
                utf8 += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return utf8;
    }

    Hunspell speller;
    bool latin1;
};
} // namespace

bool Available() {
    return true;
}

std::unique_ptr<Checker> OpenChecker(const std::string& dictionary, std::string* why) {
    const std::optional<DictionaryPaths> paths = FindDictionary(dictionary);
    if (!paths) {
        if (why)
            *why = "the dictionary \"" + dictionary + "\" is not installed";
        return nullptr;
    }
    return std::make_unique<HunspellChecker>(*paths);
}

} // namespace VaskEdit::Spelling
