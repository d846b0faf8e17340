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

}  // namespace caici::testing
