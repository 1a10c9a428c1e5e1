// Throughput of the text engine's hot operations over a 40 MB generated buffer,
// beside the C library's memchr/memmem doing the comparable work on the same data.
#include "engine/Member.h"
#include "engine/Stream.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>

using namespace TesselEngine;
using Clock = std::chrono::steady_clock;

namespace {
constexpr std::uint32_t BufferSize = 40u << 20;

double BestSeconds(const std::function<void()>& run, int repeats = 5) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void Report(const char* what, double engineSeconds, const char* baseline, double baseSeconds) {
    const double mb = BufferSize / 1e6;
    std::printf("%-20s %8.0f MB/s | %-18s %8.0f MB/s | time ratio %.2f\n", what, mb / engineSeconds,
                baseline, mb / baseSeconds, engineSeconds / baseSeconds);
}

// Property text of the shape the info files have, without the searched key.
void FillText(IO::Stream& s) {
    std::mt19937 rng(42);
    const char* words[] = {"bCString", "Owner",  "=",       "\"Bob\";",
                           "int",      "SortID", "\r\n",    "gCInfoCommandSay",
                           "Version",  "1;",     "Speaker", "Listener"};
    std::uint32_t at = 0;
    char* out = s.GetBuffer();
    while (at < BufferSize) {
        const char* w = words[rng() % 12];
        const std::size_t n = std::strlen(w);
        for (std::size_t i = 0; i < n && at < BufferSize; ++i)
            out[at++] = w[i];
        if (at < BufferSize)
            out[at++] = ' ';
    }
}
} // namespace

int main() {
    std::printf("Engine throughput on 40 MB; time ratio = engine time / baseline time\n");
    IO::Stream text;
    if (!text.Allocate(BufferSize))
        return 1;
    FillText(text);
    const char key[] = "ZZKEYZZ";
    std::memcpy(text.GetBuffer() + BufferSize - 8, key, 7);

    volatile std::uintptr_t sink = 0;
    const double findKey = BestSeconds([&] {
        text.Reset();
        sink = text.FindKey(Char16(key));
    });
    const double memmemTime = BestSeconds([&] {
        sink =
            reinterpret_cast<std::uintptr_t>(memmem(text.GetBuffer() + 1, BufferSize - 1, key, 7));
    });
    Report("FindKey", findKey, "memmem", memmemTime);

    const double tokens = BestSeconds([&] {
        text.Reset();
        Char48 token;
        std::uint32_t count = 0;
        while (text.ReadToken(token))
            ++count;
        sink = count;
    });
    const double memchrTime = BestSeconds([&] {
        const char* p = text.GetBuffer();
        const char* end = p + BufferSize;
        std::uint32_t count = 0;
        while (p < end) {
            const void* hit = std::memchr(p, ' ', static_cast<std::size_t>(end - p));
            if (!hit)
                break;
            p = static_cast<const char*>(hit) + 1;
            ++count;
        }
        sink = count;
    });
    Report("ReadToken (Char48)", tokens, "memchr per token", memchrTime);

    // A template of 40 MB of member lines, each filled by WriteMember.
    IO::Stream templ;
    const std::string line = "        bCString Owner = \"||\";\r\n";
    const std::uint32_t lines = BufferSize / static_cast<std::uint32_t>(line.size());
    templ.Allocate(lines * static_cast<std::uint32_t>(line.size()));
    for (std::uint32_t i = 0; i < lines; ++i)
        std::memcpy(templ.GetBuffer() + i * line.size(), line.data(), line.size());
    IO::Stream out;
    out.Allocate(templ.GetSize() + lines * 8);
    const Char48 value("Bobby");
    const Char16 ownerKey("bCString Owner");
    const double fill = BestSeconds(
        [&] {
            templ.Reset();
            out.Reset();
            for (std::uint32_t i = 0; i < lines; ++i)
                WriteMember(out, templ, value, ownerKey);
            WriteRest(out, templ);
        },
        3);
    const double fillBase = BestSeconds(
        [&] {
            const char* p = templ.GetBuffer();
            const char* end = p + templ.GetSize();
            char* o = out.GetBuffer();
            while (p < end) {
                const void* hit = memmem(p, static_cast<std::size_t>(end - p), "||", 2);
                if (!hit)
                    break;
                const auto* h = static_cast<const char*>(hit);
                std::memcpy(o, p, static_cast<std::size_t>(h - p));
                o += h - p;
                std::memcpy(o, "Bobby", 5);
                o += 5;
                p = h + 2;
            }
            sink = static_cast<std::uintptr_t>(o - out.GetBuffer());
        },
        3);
    Report("WriteMember fill", fill, "memmem + memcpy", fillBase);
    return 0;
}
