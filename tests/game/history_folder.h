#pragma once
// What the history tests share: a folder of the test's own, gone with it,
// and a library of numbered words.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace caici::testing {

struct TemporaryFolder {
    TemporaryFolder() {
        char pattern[] = "/tmp/caici-history-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// "词0|1", "词1|2", "词2|3", "词3|1", ...
inline std::vector<std::string> numberedWords(int n) {
    std::vector<std::string> entries;
    for (int i = 0; i < n; ++i) entries.push_back("词" + std::to_string(i) + "|" + std::to_string(i % 3 + 1));
    return entries;
}

}  // namespace caici::testing
