// Reading and writing infos over a generated corpus of 20,000 infos, beside plain
// reads and writes of the same bytes; and the text-table lookup against a 20 MB
// table, indexed, beside reading and searching the table for every lookup.
#include "Corpus.h"
#include "engine/File.h"
#include "engine/Member.h"
#include "info/InfoFileName.h"
#include "info/ResourceTemplates.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace VaskEdit;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// How every lookup worked before the index: read the table, find the identifier
// anywhere, take the field behind the next "|".
std::string LookUpByScanning(const char* fileName, const Char48& id) {
    TesselEngine::WinAPI::File file{Char256(fileName)};
    if (!file.OpenRead())
        return {};
    TesselEngine::IO::Stream table;
    file.ReadStream(table);
    file.Close();
    if (!table.FindKey(id))
        return {};
    table.SkipTo('|');
    table.Skip(1);
    Char512 text;
    table.ReadUntil(text, '|');
    return text.Str();
}
} // namespace

int main(int argc, char** argv) {
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path root = fs::temp_directory_path() / "vaskedit-info-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    size.templates = 100;
    const std::uint64_t bytes = VaskDemo::WriteFreshCorpus(
        root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(), size);
    fs::current_path(root);
    LoadResourceTemplates();
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator("Infos"))
        files.push_back(entry.path().string());
    std::printf("Corpus: %zu infos, %.1f MB\n", files.size(), bytes / 1e6);

    // Plain reads of the same files as the baseline.
    auto start = Clock::now();
    std::uint64_t sink = 0;
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        sink += content.str().size();
    }
    const double plainRead = Seconds(start);

    start = Clock::now();
    std::vector<VaskInfo> loaded(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        loaded[i].LoadFromAbsolutePath(files[i].c_str());
    const double infoRead = Seconds(start);
    std::printf("read:  %8.0f infos/s | plain file reads %8.0f files/s | time ratio %.2f\n",
                files.size() / infoRead, files.size() / plainRead, infoRead / plainRead);

    fs::create_directories("Out");
    start = Clock::now();
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::ofstream out("Out/" + std::to_string(i), std::ios::binary);
        out << std::ifstream(files[i], std::ios::binary).rdbuf();
    }
    const double plainWrite = Seconds(start);
    start = Clock::now();
    for (auto& info : loaded)
        info.WriteDataToFile();
    const double infoWrite = Seconds(start);
    std::printf("write: %8.0f infos/s | plain copies     %8.0f files/s | time ratio %.2f"
                " (the writer replaces each file atomically, with a flush)\n",
                files.size() / infoWrite, files.size() / plainWrite, infoWrite / plainWrite);

    // A 20 MB text table.
    {
        std::ofstream table("infosa.csv", std::ios::binary);
        for (int i = 0; table.tellp() < 20'000'000; ++i)
            table << "BIG_" << i << "|speaker|This is the display text of line " << i
                  << ", long enough to be realistic.|\r\n";
    }
    TextTables::Clear();
    const int lookups = 50;
    start = Clock::now();
    for (int i = 0; i < lookups; ++i)
        sink += TextTables::LookUp("infosa.csv", "BIG_" + std::to_string(i * 9973)).size();
    const double indexed = Seconds(start) / lookups;
    start = Clock::now();
    for (int i = 0; i < 5; ++i)
        sink += LookUpByScanning("infosa.csv", Char48(("BIG_" + std::to_string(i * 9973)).c_str()))
                    .size();
    const double scanning = Seconds(start) / 5;
    std::printf("LookUpLocText on 20 MB: %.3f ms per lookup indexed (50 lookups, one read) | "
                "%.1f ms reading and scanning per lookup | %.0fx faster\n",
                indexed * 1e3, scanning * 1e3, scanning / indexed);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return sink == 0;
}
