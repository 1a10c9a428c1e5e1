#include "info/SaveCheck.h"
#include "engine/File.h"
#include "info/InfoRegions.h"
#include "info/TextTokens.h"
#include "info/ValueShape.h"

#include <algorithm>

namespace VaskEdit {

namespace {
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

std::string Shown(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    std::string shown;
    for (const char c : line)
        shown.push_back(static_cast<unsigned char>(c) < 0x20 && c != '\t' ? '?' : c);
    return shown;
}

// Which lines of a and of b belong to a longest common sequence of lines. Beyond a
// size where that costs too much, the lines between the common start and end count
// as changed.
void MarkCommon(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b,
                std::vector<bool>& inA, std::vector<bool>& inB) {
    inA.assign(a.size(), false);
    inB.assign(b.size(), false);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) {
        inA[head] = inB[head] = true;
        ++head;
    }
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        inA[a.size() - 1 - tail] = inB[b.size() - 1 - tail] = true;
        ++tail;
    }
    const std::size_t n = a.size() - head - tail;
    const std::size_t m = b.size() - head - tail;
    if (n == 0 || m == 0 || n * m > 4'000'000)
        return;
    std::vector<std::uint32_t> length((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& {
        return length[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1
                                                  : std::max(at(i + 1, j), at(i, j + 1));
        }
    }
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[head + i] == b[head + j]) {
            inA[head + i] = inB[head + j] = true;
            ++i;
            ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
}
} // namespace

SaveComparison CompareSave(VaskInfo& info, std::string_view fileBytes, std::size_t shown,
                           const std::string* damage) {
    SaveComparison result;
    Stream written;
    if (!info.WriteToStream(written)) {
        result.changed = result.losesContent = result.unwritable = true;
        return result;
    }
    const std::string_view saved(written.GetBuffer() ? written.GetBuffer() : "", written.GetSize());
    result.damage = damage ? *damage : StructureDamage(fileBytes, FindInfoRegions(fileBytes));
    result.unreadableValueLine = FindUnreadableValue(saved);
    if (result.unreadableValueLine) {
        const std::vector<std::string_view> lines = SplitLines(saved);
        if (result.unreadableValueLine <= lines.size()) // CR-only lines count apart
            result.unreadableValueText = Shown(lines[result.unreadableValueLine - 1]);
    }
    const bool refused = !result.damage.empty() || result.unreadableValueLine != 0;
    if (saved == fileBytes && !refused)
        return result;
    result.changed = true;
    result.losesContent = refused || !KeepsEveryToken(fileBytes, saved);

    const std::vector<std::string_view> before = SplitLines(fileBytes);
    const std::vector<std::string_view> after = SplitLines(saved);
    std::vector<bool> keptBefore;
    std::vector<bool> keptAfter;
    MarkCommon(before, after, keptBefore, keptAfter);
    const auto gone =
        static_cast<std::size_t>(std::count(keptBefore.begin(), keptBefore.end(), false));
    const auto come =
        static_cast<std::size_t>(std::count(keptAfter.begin(), keptAfter.end(), false));
    result.changedLines = std::max(gone, come);
    // The changes in file order: at each point, the lines that go, then those that come.
    for (std::size_t i = 0, j = 0;
         (i < before.size() || j < after.size()) && result.first.size() < shown;) {
        if (i < before.size() && !keptBefore[i]) {
            result.first.push_back({i + 1, true, Shown(before[i])});
            ++i;
        } else if (j < after.size() && !keptAfter[j]) {
            result.first.push_back({j + 1, false, Shown(after[j])});
            ++j;
        } else {
            ++i;
            ++j;
        }
    }
    return result;
}

std::size_t FindUnreadableValueInSave(VaskInfo& info, std::string* lineText) {
    Stream written;
    if (!info.WriteToStream(written))
        return 0;
    const std::string_view saved(written.GetBuffer() ? written.GetBuffer() : "", written.GetSize());
    const std::size_t line = FindUnreadableValue(saved);
    const std::vector<std::string_view> lines = SplitLines(saved);
    if (line && line <= lines.size() && lineText)
        *lineText = Shown(lines[line - 1]);
    return line;
}

SaveComparison CompareSaveWithFile(const char* path, std::size_t shown) {
    Stream text;
    TesselEngine::WinAPI::File file{TesselEngine::Char256(path)};
    if (!file.LoadWhole(text))
        return {};
    const std::string bytes(text.GetBuffer() ? text.GetBuffer() : "", text.GetSize());
    VaskInfo info;
    info.LoadFromStream(text);
    return CompareSave(info, bytes, shown);
}

std::vector<std::string> DescribeSaveChanges(const SaveComparison& comparison) {
    std::vector<std::string> lines;
    if (!comparison.changed)
        return lines;
    if (comparison.unwritable) {
        lines.push_back("The editor cannot write this info again (it is too large).");
        return lines;
    }
    if (!comparison.damage.empty())
        lines.push_back(
            "The file is damaged and cannot be saved as it was read: " + comparison.damage + ".");
    if (comparison.unreadableValueLine != 0) {
        lines.push_back("Saving would write a value that the game cannot read (empty, or only "
                        "its prefix):");
        lines.push_back("+ " + std::to_string(comparison.unreadableValueLine) + ": " +
                        comparison.unreadableValueText);
    }
    if (comparison.changedLines == 0)
        return lines;
    const std::string count = std::to_string(comparison.changedLines) +
                              (comparison.changedLines == 1 ? " line" : " lines");
    lines.push_back(comparison.losesContent
                        ? "Saving would change " + count +
                              " of this file and drop or cut some of its text:"
                        : "Saving would change the layout of " + count + " of this file:");
    for (const ChangedLine& line : comparison.first)
        lines.push_back(std::string(line.removed ? "- " : "+ ") + std::to_string(line.line) + ": " +
                        line.text);
    return lines;
}

} // namespace VaskEdit
