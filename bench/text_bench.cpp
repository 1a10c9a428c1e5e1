// The texts of a generated corpus of 20,000 infos out to a CSV file and back in, each
// beside standard tools doing comparable work on the same tables in the same run: the
// export (every info read, every used id looked up) against grep over the infos and cut
// over the tables; the import of a file with every tenth text changed against cut over
// the file and a grep of its ids through the tables; the preview of a replace across
// every display text and the line-by-line search of the texts the infos show, each
// against grep -F over the tables. The round trips (export and import; replace and its
// undo) must change nothing: the benchmark fails when they do.
#include "Corpus.h"
#include "Timing.h"
#include "library/ReferenceIndex.h"
#include "library/ReplaceUndo.h"
#include "library/SpokenSearch.h"
#include "library/TextExchange.h"
#include "library/TextReplace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace VaskEdit;
namespace fs = std::filesystem;
using VaskDemo::Shell;
using VaskDemo::Time;

namespace {
std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Tables() {
    std::string all;
    for (const std::string& name : TextTableNames())
        all += Read(name);
    return all;
}

void Report(const char* what, double ours, const char* tool, double theirs) {
    std::printf("%-8s %8.3f s | %-44s %8.3f s | time ratio %5.2f\n", what, ours, tool, theirs,
                ours / theirs);
}

// The median of five runs: the short measures below would otherwise follow the load of
// the machine more than the work.
template <typename F> double Median5(F run) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i)
        times.push_back(Time(run));
    std::sort(times.begin(), times.end());
    return times[2];
}

// The CSV with the text of every tenth row changed.
std::string EveryTenthChanged(const std::string& csv) {
    std::string out;
    std::size_t row = 0;
    for (std::size_t start = 0; start < csv.size();) {
        const std::size_t end = csv.find("\r\n", start);
        std::string line = csv.substr(start, end - start);
        if (row++ % 10 == 1 && line.back() != '"')
            line += " (changed)";
        out += line + "\r\n";
        start = end + 2;
    }
    return out;
}
} // namespace

int main(int argc, char** argv) {
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path root = fs::temp_directory_path() / "vaskedit-text-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    VaskDemo::WriteFreshCorpus(root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(),
                               size);
    fs::current_path(root);
    const std::string before = Tables();
    std::printf("Corpus: %d infos, text tables %.1f MB\n", infos, before.size() / 1e6);
    Shell("cat Infos/*.vaskinfo *.csv > /dev/null"); // both sides read from memory

    std::string csv;
    std::size_t rows = 0;
    const double exported = Time([&] {
        ReferenceIndex index;
        index.Build({}, {});
        const std::vector<TextRow> used = TextsInUse(index.Outlines());
        rows = used.size();
        csv = TextsCsv(used);
        std::ofstream("texts.csv", std::ios::binary) << csv;
    });
    const double cut = Shell("grep -rhF LocString Infos | sort -u > ids.txt && "
                             "cut -d'|' -f1,3 infosa.csv infodescsa.csv questdescsa.csv > cut.txt");
    Report("export", exported, "grep LocString Infos | sort -u; cut tables", cut);
    std::printf("         (%zu texts, CSV %.1f MB)\n", rows, csv.size() / 1e6);

    std::size_t unchanged = 1;
    const double same = Time([&] {
        const TextImport plan = PlanTextImport(Read("texts.csv"));
        unchanged = plan.changes.size() + plan.problems.size();
        ApplyTextImport(plan);
    });
    if (unchanged != 0 || Tables() != before) {
        std::fprintf(stderr, "The round trip changed the tables.\n");
        return 1;
    }
    std::printf("round trip: 0 lines changed, tables identical (%.3f s)\n", same);

    std::ofstream("changed.csv", std::ios::binary) << EveryTenthChanged(csv);
    std::size_t changed = 0;
    const double imported = Time([&] {
        const TextImport plan = PlanTextImport(Read("changed.csv"));
        changed = plan.changes.size();
        if (!plan.problems.empty() || !ApplyTextImport(plan))
            std::fprintf(stderr, "The import failed.\n");
    });
    const double grep =
        Shell("cut -d, -f2 changed.csv > changed-ids.txt && grep -ahFf changed-ids.txt "
              "infosa.csv infodescsa.csv questdescsa.csv > grep.txt");
    Report("import", imported, "cut -f2 CSV | grep -aFf ids tables", grep);
    std::printf("         (%zu lines changed)\n", changed);

    // The search of spoken texts, line by line, over the index's outlines (built once,
    // as the window keeps it), against grep -F over the tables.
    ReferenceIndex index;
    index.Build({}, {});
    const std::vector<InfoOutline> outlines = index.Outlines();
    std::size_t lines = 0;
    const double searched = Median5([&] {
        std::vector<SpokenLine> found;
        FindSpokenLines(outlines, "twice", found, {}, {});
        lines = found.size();
    });
    const double grepSearch = Median5(
        [] { Shell("grep -F twice infosa.csv infodescsa.csv questdescsa.csv > found.txt"); });
    Report("search", searched, "grep -F WORD tables", grepSearch);
    // The search ignores case, as grep -i does.
    const double grepIgnoringCase = Median5(
        [] { Shell("grep -iF twice infosa.csv infodescsa.csv questdescsa.csv > found.txt"); });
    Report("search", searched, "grep -iF WORD tables", grepIgnoringCase);
    std::printf("         (%zu lines of infos show the word)\n", lines);

    // Replace: the preview (the plan alone, and as the window makes it, with the infos
    // that show each line), then the write and its undo.
    const std::string tablesNow = Tables();
    const ReplaceRule rule{"twice", "TWICE_REPLACED", false, true};
    std::size_t replaced = 0;
    const double preview = Median5([&] { replaced = PlanTextReplace(rule).changes.size(); });
    const double grepF = grepSearch; // the same command
    Report("replace", preview, "grep -F WORD tables", grepF);
    std::size_t named = 0;
    const double windowPreview = Median5([&] {
        const TextImport plan = PlanTextReplace(rule);
        named = InfosShowingEachText(outlines, plan.changes).size();
    });
    Report("preview", windowPreview, "grep -F WORD tables", grepF);
    std::printf("         (preview: %zu texts would change)\n", replaced);
    const TextImport plan = PlanTextReplace(rule);
    const bool written = ApplyTextImport(plan) && Tables() != tablesNow;
    const TextImport undo = PlanReplaceUndo(plan.changes);
    if (!written || !undo.problems.empty() || !ApplyTextImport(undo) || Tables() != tablesNow) {
        std::fprintf(stderr, "Replacing and undoing changed the tables.\n");
        return 1;
    }
    std::printf("replace and undo: tables identical\n");
    (void)named;
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
