// The full word-library load (with the reader process, the stream checks
// and the SQLite tables) next to a bare FreeXL pass over the same cells, on
// a workbook of 4 sheets x 65,535 rows. The workbook is generated into the
// build folder at the first run.

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

const std::filesystem::path kFolder = std::filesystem::path(CAICI_BINARY_DIR) / "bench-data" / "words-4x65535";

const std::filesystem::path& benchWorkbook() {
    static const std::filesystem::path path = [] {
        const auto file = kFolder / "words.xls";
        if (!std::filesystem::exists(file)) {
            std::filesystem::create_directories(kFolder);
            const std::string command = "/usr/bin/python3 '" CAICI_SOURCE_DIR "/tools/make_bench_workbook.py' '" +
                                        file.string() + "'";
            if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot generate " + file.string());
        }
        return file;
    }();
    return path;
}

// CPU seconds used by reaped child processes so far.
double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_LoadLibrary(benchmark::State& state) {
    benchWorkbook();
    caici::WordLists lists;
    caici::WordLibrary library(kFolder.string() + "/", CAICI_XLSREADER, {});
    const double childCpuBefore = childCpuSeconds();
    for (auto _ : state) {
        library.load(lists);
        benchmark::DoNotOptimize(lists.lst1().data());
    }
    state.counters["entries"] = static_cast<double>(lists.lst1().size());
    // The reader's own CPU time, which the CPU column (this process only) leaves out.
    state.counters["reader_cpu_ms"] =
        (childCpuSeconds() - childCpuBefore) * 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FreeXLRead(benchmark::State& state) {
    const std::string path = benchWorkbook().string();
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

}  // namespace
