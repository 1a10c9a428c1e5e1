// A large, seeded corpus of realistic game data for the benchmarks: infos with 1 to
// 15 commands, some conditions and perks, their text tables, template documents and
// the combined document.
#pragma once

#include <cstdint>
#include <string>

namespace VaskDemo {

struct CorpusSize {
    int infos = 20000;
    int templates = 2000;
    std::uint32_t seed = 7;
};

// Writes Infos/, Templates/, w_info.hdrdoc and the three text tables into the
// directory, which must hold Resources/ (the templates are loaded from there).
// Returns the total size of the info files in bytes.
std::uint64_t WriteCorpus(const std::string& directory, const CorpusSize& size);

// Makes the directory anew with a copy of the resources directory and writes the corpus
// into it.
std::uint64_t WriteFreshCorpus(const std::string& directory, const std::string& resources,
                               const CorpusSize& size);

} // namespace VaskDemo
