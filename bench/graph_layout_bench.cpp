// The conversation graph's layout on its own, without windows: where the boxes of 500
// infos go (the size of a large owner's conversations), and for scale the whole forest
// and layout of 20,000. Prints the median of several runs.
// Usage: graph_layout_bench
#include "library/Conversations.h"
#include "ui/conversations/ConversationLayout.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace VaskEdit;

namespace {
// Conversations of some twenty infos each: a parent among the conversation's earlier
// infos, a few parents that name no info, and a cycle.
std::vector<InfoOutline> Infos(std::size_t count) {
    std::minstd_rand random(7);
    std::vector<InfoOutline> infos(count);
    for (std::size_t i = 0; i < count; ++i) {
        infos[i].name = "Info_" + std::to_string(i);
        infos[i].sortId = static_cast<int>(random() % 10);
        const std::size_t start = i - i % 20;
        if (i > start)
            infos[i].parent = "Info_" + std::to_string(start + random() % (i - start));
        else if (i % 100 == 0)
            infos[i].parent = "Gone_" + std::to_string(i);
    }
    if (count > 3) {
        infos[1].parent = infos[2].name;
        infos[2].parent = infos[1].name;
    }
    return infos;
}

template <typename F> double MedianMs(F run) {
    std::vector<double> times;
    for (int round = 0; round < 15; ++round) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main() {
    std::size_t placed = 0; // keeps the work from being optimised away
    const auto small = Infos(500);
    const auto smallLines = ConversationForest(small, ConversationScope::All, {});
    std::printf("graph layout 500 infos %.3f ms\n",
                MedianMs([&] { placed += LayOutForest(smallLines).size(); }));
    const auto large = Infos(20000);
    std::printf("forest and graph layout 20000 infos %.3f ms\n", MedianMs([&] {
                    placed +=
                        LayOutForest(ConversationForest(large, ConversationScope::All, {})).size();
                }));
    return placed == 0;
}
