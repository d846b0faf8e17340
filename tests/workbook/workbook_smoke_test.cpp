// Random and mutated workbooks of every format through the real reader process: every load
// ends either in success or in one clear error, and the word list is never
// left half-built. Bounded to about 25 seconds; CAICI_SMOKE_SEED replays a run.

#include "workbook/utf8.h"
#include "workbook/word_library.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace caici {
namespace {

using namespace std::chrono_literals;

constexpr auto kBudget = 25s;
constexpr int kMaxRuns = 3000;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::string mutate(std::string bytes) {
        if (bytes.empty()) return random(64);
        switch (below(5)) {
        case 0:  // flip a few bits
            for (int n = 1 + below(8); n > 0; --n) bytes[below(bytes.size())] ^= static_cast<char>(1 << below(8));
            break;
        case 1: {  // overwrite a run with noise
            const std::size_t at = below(bytes.size());
            const std::size_t length = std::min<std::size_t>(bytes.size() - at, 1 + below(64));
            bytes.replace(at, length, random(length));
            break;
        }
        case 2:  // cut short
            bytes.resize(below(bytes.size()));
            break;
        case 3: {  // repeat a chunk somewhere else
            const std::size_t from = below(bytes.size());
            const std::string chunk = bytes.substr(from, 1 + below(512));
            bytes.insert(below(bytes.size()), chunk);
            break;
        }
        default: {  // large counts where small ones were
            const std::size_t at = below(bytes.size() - std::min<std::size_t>(bytes.size(), 4));
            for (std::size_t k = at; k < std::min(bytes.size(), at + 4); ++k) bytes[k] = static_cast<char>(0xFF);
            break;
        }
        }
        return bytes;
    }

    // Noise behind the compound-file signature, so that the reader gets past its first check.
    std::string noiseWorkbook() {
        return std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + random(512 + below(8192));
    }

    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

private:
    std::string random(std::size_t length) {
        std::string out(length, '\0');
        for (char& c : out) c = static_cast<char>(below(256));
        return out;
    }

    std::mt19937 random_;
};

TEST(WorkbookSmoke, RandomAndMutatedWorkbooksLoadOrFailClearly) {
    const char* replay = std::getenv("CAICI_SMOKE_SEED");
    const std::uint32_t seed = replay != nullptr ? static_cast<std::uint32_t>(std::strtoul(replay, nullptr, 10))
                                                 : std::random_device()();
    SCOPED_TRACE("CAICI_SMOKE_SEED=" + std::to_string(seed));
    Mutator mutator(seed);

    // Every format's libraries, kept under their own extension; the zip
    // bombs would only spend the budget on unpacking.
    std::vector<std::pair<std::string, std::string>> originals;
    for (const auto& folder : {testing::fixture(""), testing::malformedFixtures()}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || entry.path().filename().string().find("bomb") != std::string::npos) continue;
            if (extension == ".xls" || extension == ".xlsx" || extension == ".ods" || extension == ".csv" ||
                extension == ".tsv") {
                originals.emplace_back(extension, readFile(entry.path()));
            }
        }
    }
    ASSERT_FALSE(originals.empty());

    testing::ScratchFolder folder;
    const std::vector<WordEntry> earlier = {{"旧词", 1}};
    int loaded = 0;
    int failed = 0;
    const auto deadline = std::chrono::steady_clock::now() + kBudget;
    for (int run = 0; run < kMaxRuns && std::chrono::steady_clock::now() < deadline; ++run) {
        const auto& original = originals[mutator.below(originals.size())];
        const bool noise = mutator.below(10) == 0;
        const std::string name = "words" + (noise ? std::string(".xls") : original.first);
        folder.write(name, noise ? mutator.noiseWorkbook() : mutator.mutate(original.second));
        WordLists lists;
        lists.replaceLibrary(earlier);
        WordLibrary library(folder.base(), CAICI_XLSREADER, ReaderLimits{3000ms});
        try {
            library.load(lists);
            ++loaded;
            EXPECT_TRUE(library.libraryLoaded());
            // Texts are kept whole, NUL included, and always UTF-8.
            for (const auto& entry : lists.library()) ASSERT_TRUE(isWellFormedUtf8(entry.word)) << "run " << run;
        } catch (const Error& error) {
            ++failed;
            const std::string text = error.what();
            EXPECT_NE(text.find(folder.base() + name), std::string::npos) << "run " << run << ": " << text;
            EXPECT_FALSE(library.libraryLoaded());
            EXPECT_EQ(lists.library(), earlier) << "run " << run;
        } catch (const std::exception& error) {
            ADD_FAILURE() << "run " << run << " ended in an unexpected " << error.what();
        }
        std::filesystem::remove(folder.path() / name);
        if (::testing::Test::HasFailure()) break;
    }
    std::cout << "smoke: " << loaded << " loaded, " << failed << " failed clearly\n";
    EXPECT_GT(loaded + failed, 0);
}

}  // namespace
}  // namespace caici
