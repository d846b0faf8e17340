#pragma once
// The byte stream that caici-xlsreader writes to its standard output and the
// game decodes. All integers are little-endian; texts are UTF-8 with a 32-bit
// byte length in front and no terminator.
//
//   stream   := magic workbook
//   magic    := "CAICIXR1"
//   workbook := 'B' u32 sheetCount  sheet*  'E'          (exactly sheetCount sheets)
//   sheet    := 'S' text name  u32 rows  u32 columns  cell*   (rows * columns cells, row by row)
//   cell     := 0                                        empty
//             | 1 i32                                    integer
//             | 2 f64                                    floating-point number
//             | 3 text | 4 text | 5 text | 6 text        text, date, date and time, time
//
// Dates come as "YYYY-MM-DD", times as "HH:MM:SS" and both together as
// "YYYY-MM-DD HH:MM:SS"; the game turns them into the user's date format.
// Nothing may follow the final 'E'. A reader that cannot read the file stops
// with a non-zero exit status instead of finishing the stream.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace caici::readerstream {

inline constexpr std::string_view kMagic = "CAICIXR1";

enum class Tag : std::uint8_t {
    workbook = 'B',
    sheet = 'S',
    end = 'E',
};

enum class CellTag : std::uint8_t {
    empty = 0,
    integer = 1,
    number = 2,
    text = 3,
    date = 4,
    dateTime = 5,
    time = 6,
};

// The format's own bounds: Excel 97-2003 sheets have at most 65,536 rows and
// 256 columns, a cell holds at most 32,767 UTF-16 units (at most 3 UTF-8
// bytes each), a sheet name at most 31 characters.
inline constexpr std::uint32_t kMaxSheets = 4096;
inline constexpr std::uint32_t kMaxRows = 65536;
inline constexpr std::uint32_t kMaxColumns = 256;
inline constexpr std::uint32_t kMaxCellTextBytes = 32767 * 3;
inline constexpr std::uint32_t kMaxSheetNameBytes = 31 * 4;
inline constexpr std::uint32_t kMaxDateTextBytes = 32;

// Whole-workbook budgets, far above any word library, so that a damaged
// file cannot make the game build gigabytes of tables.
inline constexpr std::uint64_t kMaxTotalCells = 16u * 1024 * 1024;
inline constexpr std::uint64_t kMaxTotalTextBytes = 256u * 1024 * 1024;

// Exit statuses of the reader besides 0.
inline constexpr int kExitUnreadable = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitOutputFailed = 3;

}  // namespace caici::readerstream
