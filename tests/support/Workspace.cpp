#include "support/Workspace.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace VaskTest {

namespace {
fs::path FreshDirectory() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const fs::path base = fs::temp_directory_path() / "vaskedit-tests";
    fs::create_directories(base);
    for (;;) {
        fs::path candidate =
            base / ("ws-" + std::to_string(seed()) + "-" + std::to_string(++counter));
        if (fs::create_directory(candidate))
            return candidate;
    }
}
} // namespace

Workspace::Workspace() : previous(fs::current_path()), root(FreshDirectory()) {
    fs::current_path(root);
}

Workspace::~Workspace() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    // Read-only files inside would stop the clean-up on Windows.
    for (auto& entry : fs::recursive_directory_iterator(root, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

fs::path SourceRoot() {
    return fs::path(VASK_SOURCE_ROOT);
}

void Workspace::CopyResources() const {
    CopyFromSource("Resources", "Resources");
}

void Workspace::CopyFromSource(const std::string& relative, const std::string& to) const {
    fs::copy(SourceRoot() / relative, root / to,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> ListNames(const fs::path& directory) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (auto& entry : fs::directory_iterator(directory, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace VaskTest
