// The info library's long operations over a generated corpus of 20,000 infos and
// 2,000 template documents, each beside a standard tool doing comparable work on the
// same data in the same run: split vs csplit, merge vs cat + sync + mv, search and
// cache update vs grep; the check report (which reads, parses and writes every info in
// memory) vs grep; and a filter over 20,000 cache records.
#include "Corpus.h"
#include "Timing.h"
#include "info/ResourceTemplates.h"
#include "library/CheckReport.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace VaskEdit;
namespace fs = std::filesystem;
using VaskDemo::Shell;
using VaskDemo::Time;

namespace {
void Report(const char* what, double ours, const char* tool, double theirs, double aim) {
    std::printf("%-14s %8.3f s | %-34s %8.3f s | time ratio %5.2f (aim <= %.1f)\n", what, ours,
                tool, theirs, ours / theirs, aim);
}
} // namespace

int main(int argc, char** argv) {
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path root = fs::temp_directory_path() / "vaskedit-library-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    const auto bytes = VaskDemo::WriteFreshCorpus(
        root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(), size);
    fs::current_path(root);
    std::printf("Corpus: %d infos (%.1f MB), %d template documents\n", infos, bytes / 1e6,
                size.templates);
    InfoManager::Initialize();
    const std::string text = "GEN_1999_3"; // in exactly one file

    // Warm the page cache so that both sides read from memory.
    Shell("cat Infos/*.vaskinfo > /dev/null");

    const double search = Time([&] { Jobs::Search(text.c_str(), {}, {}); });
    const double grep = Shell("grep -rlF " + text + " Infos > /dev/null");
    Report("search", search, "grep -rlF TEXT Infos", grep, 2.0);

    const double cache = Time([&] { Jobs::UpdateCache({}, {}); });
    Report("cache update", cache, "grep -rlF TEXT Infos", grep, 2.0);

    SetResourceRoot(std::string(VASK_SOURCE_ROOT) + "/");
    LoadResourceTemplates();
    Jobs::UpdateTemplateCache({}, {});
    std::size_t findings = 0;
    const double check = Time([&] { findings = CheckInfoDirectory({}, {}).size(); });
    Report("check", check, "grep -rlF TEXT Infos", grep, 10.0);
    std::printf("               (%zu findings)\n", findings);

    // The merge writes its document durably through a temporary file, as this does.
    const double merge = Time([&] { Jobs::Merge({}, {}); });
    const double cat = Shell("cat Infos/*.vaskinfo > merged.tmp && sync merged.tmp && "
                             "mv merged.tmp merged.cat");
    Report("merge", merge, "cat Infos/*.vaskinfo + sync + mv", cat, 1.5);

    fs::remove_all("Infos");
    fs::create_directories("Infos");
    const double split = Time([&] {
        Jobs::BeginSplit();
        Jobs::Split({}, {});
    });
    fs::create_directories("csplit");
    const double csplit = Shell("cd csplit && csplit -s -z ../w_info.hdrdoc '/^    \"/' '{*}'");
    Report("split", split, "csplit -z DOC '/^    \"/' '{*}'", csplit, 1.2);

    InfoManager::ReadInfoCache();
    const int rounds = 200;
    const double filter = Time([&] {
        for (int i = 0; i < rounds; ++i) {
            InfoManager::ClearFilter();
            InfoManager::FilterAnyMatch("Info_1999");
        }
    });
    std::printf("filter         %8.3f ms per any-field filter over %u cache records (aim < 5 ms)\n",
                filter / rounds * 1e3, InfoManager::InfoFileCache.GetSize());

    // The same filter as a process, as scripts start it, against grep over the cache file.
    InfoManager::WriteInfoCache();
    const int starts = 100;
    const std::string cli =
        std::string("\"") + VASK_CLI_PROGRAM + "\" filter Info_1999 > /dev/null";
    const std::string many = "for i in $(seq " + std::to_string(starts) + "); do ";
    const double process = Shell(many + cli + "; done");
    const double grepCache = Shell(many + "grep -iF Info_1999 infocache > /dev/null; done");
    Report("cli filter", process / starts, "grep -iF TEXT infocache", grepCache / starts, 2.0);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
