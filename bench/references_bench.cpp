// The reference index over a generated corpus of 20,000 infos beside grep on the same
// files in the same run: building the index against grep -rlF for one value, and the
// time of one lookup (a value in one info, and the value that most infos use).
#include "Corpus.h"
#include "Timing.h"
#include "library/ConversationScript.h"
#include "library/Conversations.h"
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace VaskEdit;
namespace fs = std::filesystem;
using VaskDemo::Shell;
using VaskDemo::Time;

namespace {
// The best of a few runs: the machine's other work only ever adds time.
template <typename F> double Best(F run, int runs = 5) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, run());
    return best;
}
} // namespace

int main(int argc, char** argv) {
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path root = fs::temp_directory_path() / "vaskedit-references-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    const auto bytes = VaskDemo::WriteFreshCorpus(
        root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(), size);
    fs::current_path(root);
    std::printf("Corpus: %d infos (%.1f MB)\n", infos, bytes / 1e6);
    InfoManager::Initialize();
    // Both sides read from memory, with the corpus's writing done.
    Shell("sync; cat Infos/*.vaskinfo > /dev/null");

    const double build = Best([] { return Time([] { References().Build({}, {}); }); });
    // The parent of an info in the middle: a name that a few infos use.
    const auto outlines = References().Outlines();
    std::string rare;
    for (std::size_t i = outlines.size() / 2; i < outlines.size() && rare.empty(); ++i)
        rare = outlines[i].parent;
    const double grep = Best([&] { return Shell("grep -rlF " + rare + " Infos > /dev/null"); });
    std::printf("index build    %8.3f s | %-24s %8.3f s | time ratio %5.2f (aim <= 2.0)\n", build,
                "grep -rlF VALUE Infos", grep, build / grep);

    for (const std::string& value : {rare, std::string("PC_Hero")}) {
        std::size_t uses = 0;
        const double lookup =
            Best([&] { return Time([&] { uses = References().Usages(value).size(); }); });
        std::printf("usages lookup  %8.4f ms for %s (%zu uses; aim < 1 ms)\n", lookup * 1e3,
                    value.c_str(), uses);
    }
    std::size_t lines = 0;
    const double forest = Best([&] {
        return Time(
            [&] { lines = ConversationForest(outlines, ConversationScope::All, {}).size(); });
    });
    std::printf("forest         %8.3f ms for all %zu infos\n", forest * 1e3, lines);

    // What the script window does when it opens or follows a save: the outlines copied,
    // who is below whom sorted, and the reading from the first info ten choices deep.
    std::size_t steps = 0;
    const std::string start = rare; // an info with answers
    const double script = Best([&] {
        return Time([&] {
            const std::vector<InfoOutline> infos = References().Outlines();
            const ScriptIndex index(infos);
            std::string refusal;
            std::vector<ScriptStep> path{index.First({ConversationScope::All, start}, &refusal)};
            while (path.size() < 10 && !path.back().cycle && !path.back().choices.empty())
                path.push_back(index.Follow(path, 0));
            steps = path.size();
        });
    });
    std::printf("script reading %8.3f ms for %zu steps over all infos (aim < 100 ms)\n",
                script * 1e3, steps);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
