// The full word-library load (with the reader process, the stream checks
// and the SQLite tables) of the same library of 4 sheets x 65,535 rows as
// .xls, .xlsx, .ods and .csv, next to a bare FreeXL pass over the .xls
// cells; and how soon the reader stops a zip bomb. The libraries are
// generated into the build folder at the first run.

#include "words/play_order.h"
#include "workbook/word_library.h"

#include <benchmark/benchmark.h>
#include <freexl.h>

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

const std::filesystem::path kFolder = std::filesystem::path(CAICI_BINARY_DIR) / "bench-data" / "words-4x65535-formats";

const std::filesystem::path& benchLibraries() {
    static const std::filesystem::path folder = [] {
        if (!std::filesystem::exists(kFolder / "csv" / "words.csv")) {
            std::filesystem::create_directories(kFolder);
            const std::string command =
                "/usr/bin/python3 '" CAICI_SOURCE_DIR "/tools/make_bench_workbook.py' '" + kFolder.string() + "'";
            if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot generate " + kFolder.string());
        }
        return kFolder;
    }();
    return folder;
}

// CPU seconds used by reaped child processes so far.
double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void loadLibrary(benchmark::State& state, const std::string& format) {
    const std::string folder = (benchLibraries() / format).string() + "/";
    caici::WordLists lists;
    caici::WordLibrary library(folder, CAICI_XLSREADER);
    const double childCpuBefore = childCpuSeconds();
    for (auto _ : state) {
        library.load(lists);
        benchmark::DoNotOptimize(lists.count());
    }
    state.counters["entries"] = static_cast<double>(lists.library().size());
    // The reader's own CPU time, which the CPU column (this process only) leaves out.
    state.counters["reader_cpu_ms"] =
        (childCpuSeconds() - childCpuBefore) * 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(loadLibrary, xls, "xls")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(loadLibrary, xlsx, "xlsx")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(loadLibrary, ods, "ods")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(loadLibrary, csv, "csv")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FreeXLRead(benchmark::State& state) {
    const std::string path = (benchLibraries() / "xls" / "words.xls").string();
    std::size_t cells = 0;
    for (auto _ : state) {
        const void* handle = nullptr;
        if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
            freexl_close(handle);
            state.SkipWithError("FreeXL cannot open the workbook");
            return;
        }
        unsigned int sheets = 0;
        freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
        cells = 0;
        for (unsigned short sheet = 0; sheet < sheets; ++sheet) {
            unsigned int rows = 0;
            unsigned short columns = 0;
            freexl_select_active_worksheet(handle, sheet);
            freexl_worksheet_dimensions(handle, &rows, &columns);
            for (unsigned int row = 0; row < rows; ++row) {
                for (unsigned short column = 0; column < columns; ++column) {
                    FreeXL_CellValue value;
                    freexl_get_cell_value(handle, row, column, &value);
                    benchmark::DoNotOptimize(value);
                    ++cells;
                }
            }
        }
        freexl_close(handle);
    }
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(BM_FreeXLRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// An .xlsx whose sheet unpacks to 1 GB while its headers claim 100 bytes:
// the reader stops it at its unpacking budget, which must take under 2 s.
void BM_ZipBombRefused(benchmark::State& state) {
    const std::filesystem::path folder = kFolder / "bomb";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(CAICI_SOURCE_DIR "/tests/workbook/data/words_zip_bomb_lying_sizes.xlsx",
                               folder / "words.xlsx", std::filesystem::copy_options::overwrite_existing);
    caici::WordLists lists;
    caici::WordLibrary library(folder.string() + "/", CAICI_XLSREADER);
    for (auto _ : state) {
        try {
            library.load(lists);
            state.SkipWithError("the zip bomb was read");
            return;
        } catch (const caici::Error&) {
        }
    }
}
BENCHMARK(BM_ZipBombRefused)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
