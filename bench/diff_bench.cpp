// Two versions of a generated workspace of 20,000 infos, 1% of them changed, compared
// place by place beside `diff -rq` over the same two folders in the same run. The diff
// must find exactly the changed infos: the benchmark fails otherwise.
#include "Corpus.h"
#include "Timing.h"
#include "library/InfoManager.h"
#include "library/InfoSetDiff.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace VaskEdit;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path root = fs::temp_directory_path() / "vaskedit-diff-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    VaskDemo::WriteFreshCorpus(root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(),
                               size);
    fs::current_path(root);
    fs::create_directories("Base");
    fs::copy("Infos", "Base/Infos");
    // Every hundredth info gets another owner.
    std::size_t planted = 0, at = 0;
    for (const auto& entry : fs::directory_iterator("Infos")) {
        if (at++ % 100 != 0)
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        std::string text = bytes.str();
        const std::size_t owner = text.find("Owner = \"");
        if (owner == std::string::npos)
            continue;
        text.insert(owner + 9, "X");
        std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << text;
        ++planted;
    }
    InfoManager::Initialize(); // the templates read entries field by field
    VaskDemo::Shell("cat Infos/*.vaskinfo Base/Infos/*.vaskinfo > /dev/null"); // both from memory

    InfoSetDiff diff;
    const double ours = VaskDemo::Time([&] {
        diff = DiffInfoSets(VersionsInFolder("Base/Infos/"), VersionsInFolder("Infos/"), false);
    });
    const double theirs = VaskDemo::Shell("diff -rq Base/Infos Infos > diff.txt; true");
    std::printf("Corpus: %d infos, %zu changed\n", infos, planted);
    std::printf("diff     %8.3f s | %-44s %8.3f s | time ratio %5.2f\n", ours, "diff -rq", theirs,
                ours / theirs);
    if (diff.changed.size() != planted || !diff.added.empty() || !diff.removed.empty() ||
        !diff.renamed.empty()) {
        std::fprintf(stderr, "The diff found %zu changed infos, not %zu.\n", diff.changed.size(),
                     planted);
        return 1;
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
