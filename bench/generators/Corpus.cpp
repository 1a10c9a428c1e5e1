#include "Corpus.h"
#include "DemoWorld.h"
#include "engine/String.h"
#include "info/ResourceTemplates.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>

namespace VaskDemo {

using namespace VaskEdit;
namespace fs = std::filesystem;

namespace {
const char* const Owners[] = {"Bob",  "Mira", "Dray",  "Sven",  "Lena", "Tomas", "Anna", "Karl",
                              "Jorn", "Ulf",  "Greta", "Hakon", "Ilse", "Piet",  "Rolf", "Sigrid"};
const char* const Simple[] = {
    "End",     "Back",       "GiveXP",     "InfoWait",       "RunQuest",
    "KillNPC", "SetRoutine", "PlayJingle", "ClearGameEvent", "StopFixCamera"};

std::string Pick(std::mt19937& rng, const char* const* list, std::size_t n) {
    return list[rng() % n];
}

// How a spoken line ends: mostly plain words, some with commas and quotes, some with
// letters of Windows-1252 beyond ASCII, as translated games have them.
std::string Flavour(std::mt19937& rng) {
    switch (rng() % 6) {
    case 0:
        return ", he said: \"read it, twice\".";
    case 1:
        return " \xFC"
               "ber die Br\xFC"
               "cke, f\xFC"
               "r 5 \x80 \x96 na\xEF"
               "ve.";
    default:
        return " with a few more words to read.";
    }
}
} // namespace

std::uint64_t WriteCorpus(const std::string& directory, const CorpusSize& size) {
    const fs::path root = fs::absolute(directory);
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    ReleaseResourceTemplates();
    // Without the templates every info would be written as bare values.
    if (!LoadResourceTemplates()) {
        fs::current_path(previous);
        throw std::runtime_error("no record templates in " + (root / "Resources").string());
    }
    fs::create_directories("Infos");
    fs::create_directories("Templates");

    World world;
    std::mt19937 rng(size.seed);
    for (int t = 0; t < size.templates; ++t)
        world.AddItem("It_Generated_" + std::to_string(t));
    world.WriteTemplateDocuments("Templates");

    std::vector<std::pair<std::string, std::string>> texts;
    std::map<std::string, std::vector<std::string>> spoken; // each owner's infos so far
    std::uint64_t total = 0;
    for (int n = 0; n < size.infos; ++n) {
        VaskInfo info;
        const std::string owner = Pick(rng, Owners, std::size(Owners));
        const std::string quest = rng() % 3 ? "" : "Q_Generated_" + std::to_string(rng() % 300);
        const std::string name = owner + "_Info_" + std::to_string(n);
        SetCommonMembers(info, name, owner, quest, std::to_string(n % 100).c_str());
        // Conversations: most infos answer one of the owner's last few infos.
        std::vector<std::string>& earlier = spoken[owner];
        if (!earlier.empty() && rng() % 4 != 0)
            info.SetParent(
                earlier[earlier.size() - 1 - rng() % std::min<std::size_t>(earlier.size(), 4)]
                    .c_str());
        earlier.push_back(name);
        InfoBuilder b(world, info);
        const int commands = 1 + static_cast<int>(rng() % 15);
        for (int c = 0; c < commands; ++c) {
            const std::string id = "GEN_" + std::to_string(n) + "_" + std::to_string(c);
            switch (rng() % 4) {
            case 0:
            case 1:
                b.Say(rng() % 2 ? owner : "PC_Hero", rng() % 2 ? "PC_Hero" : owner, id,
                      "Generated line " + std::to_string(n) + " number " + std::to_string(c) +
                          Flavour(rng));
                break;
            case 2:
                b.Give(owner, "PC_Hero", world.items[rng() % world.items.size()].name,
                       std::to_string(1 + rng() % 20).c_str());
                break;
            default: {
                const std::string type = Pick(rng, Simple, std::size(Simple));
                InfoCommand& command = b.Command(type.c_str());
                command.SetID1("Value_1");
                if (type == "PlayJingle")
                    command.SetID2("False"); // a yes/no value always names one of its two
            }
            }
        }
        for (int c = static_cast<int>(rng() % 3); c > 0; --c)
            b.QuestStatus("Q_Generated_" + std::to_string(rng() % 300), "Running");
        if (rng() % 4 == 0)
            b.Perk("Attrib_Strength", std::to_string(rng() % 50).c_str(), rng() % 2);
        const std::string text = InfoText(info);
        total += text.size();
        std::ofstream(fs::path("Infos") / (name + ".vaskinfo"), std::ios::binary) << text;
        texts.emplace_back(name, text);
    }
    world.WriteTextTables(".");

    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
        std::string x = a.first, y = b.first;
        TesselEngine::String::ToUpper(x.data());
        TesselEngine::String::ToUpper(y.data());
        return x < y;
    });
    std::ofstream doc("w_info.hdrdoc", std::ios::binary);
    doc << "class gCInfo {\r\n";
    for (const auto& entry : texts)
        doc << entry.second;
    doc << "}\r\n";
    fs::current_path(previous);
    return total;
}

std::uint64_t WriteFreshCorpus(const std::string& directory, const std::string& resources,
                               const CorpusSize& size) {
    fs::remove_all(directory);
    fs::create_directories(directory);
    fs::copy(resources, fs::path(directory) / "Resources", fs::copy_options::recursive);
    return WriteCorpus(directory, size);
}

} // namespace VaskDemo
