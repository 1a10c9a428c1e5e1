// text spell: the words of the display texts that neither the dictionary nor the
// workspace's word list knows.
#include "Commands.h"

#include "engine/Failure.h"
#include "spell/TableSpelling.h"

#include <iostream>
#include <set>

namespace VaskCli {

using namespace VaskEdit;

namespace {
constexpr int CannotCheck = 2;

int CannotCheckBecause(std::string why) {
    if (!why.empty() && why.back() == '.')
        why.pop_back();
    std::cerr << "Error: " << why << ".\n";
    return CannotCheck;
}
} // namespace

int TextSpell(const std::string& dictionary) {
    if (!Spelling::Available())
        return CannotCheckBecause(Spelling::NotAvailableText);
    const std::string chosen = dictionary.empty() ? Spelling::DefaultDictionary() : dictionary;
    if (chosen.empty())
        return CannotCheckBecause("no dictionary is installed (on Debian: apt install "
                                  "hunspell-en-us)");
    std::string why;
    std::unique_ptr<Spelling::Checker> checker = Spelling::OpenWorkspaceChecker(chosen, &why);
    if (!checker)
        return CannotCheckBecause(why);
    std::vector<Spelling::UnknownWord> unknown;
    if (!Spelling::UnknownWordsInTables(*checker, unknown))
        return CannotCheckBecause(TesselEngine::FailureMessage(TesselEngine::LastFailure()));
    std::set<std::pair<std::string, std::string>> texts;
    for (const Spelling::UnknownWord& word : unknown) {
        std::cout << word.table << '\t' << word.id << '\t' << word.word << '\n';
        texts.emplace(word.table, word.id);
    }
    std::cerr << unknown.size() << (unknown.size() == 1 ? " unknown word" : " unknown words")
              << " in " << texts.size() << (texts.size() == 1 ? " text" : " texts") << " ("
              << chosen << ").\n";
    return unknown.empty() ? 0 : 1;
}

} // namespace VaskCli
