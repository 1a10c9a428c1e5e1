// Writes a benchmark corpus into a directory that holds Resources/.
// Usage: corpus_generator DIRECTORY [INFOS [TEMPLATES [SEED]]]
#include "Corpus.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: corpus_generator DIRECTORY [INFOS [TEMPLATES [SEED]]]\n";
        return 2;
    }
    VaskDemo::CorpusSize size;
    if (argc > 2)
        size.infos = std::atoi(argv[2]);
    if (argc > 3)
        size.templates = std::atoi(argv[3]);
    if (argc > 4)
        size.seed = static_cast<std::uint32_t>(std::atoi(argv[4]));
    try {
        const auto bytes = VaskDemo::WriteCorpus(argv[1], size);
        std::cout << size.infos << " infos, " << bytes << " bytes\n";
    } catch (const std::exception& failure) {
        std::cerr << "corpus_generator: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
