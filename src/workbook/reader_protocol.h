#pragma once
// The byte stream that caici-xlsreader writes to its standard output and the
// game decodes, whatever the format of the workbook it read. All integers are little-endian; texts are UTF-8 with a 32-bit
// byte length in front and no terminator.
//
//   stream   := magic workbook
//   magic    := "CAICIXR1"
//   workbook := 'B' u32 sheetCount  sheet*  'E'          (exactly sheetCount sheets, or
//                                                         any number up to kMaxSheets when
//                                                         sheetCount is kUnknownSheetCount)
//   sheet    := 'S' text name  u32 rows  u32 columns  cell*   (rows * columns cells, row by row)
//   cell     := 0                                        empty
//             | 1 i32                                    integer
//             | 2 f64                                    floating-point number
//             | 3 text | 4 text | 5 text | 6 text        text, date, date and time, time
//             | 7 text                                   an error value ("#DIV/0!", "#N/A")
//             | 8                                        a formula the file keeps no result of
//
// Dates come as "YYYY-MM-DD", times as "HH:MM:SS" and both together as
// "YYYY-MM-DD HH:MM:SS"; the game turns them into the user's date format.
// A time past 24 hours ("36:00:00") is an elapsed time. Cell texts may hold
// any character, NUL included; sheet names may not hold NUL. Nothing may
// follow the final 'E'. A reader that cannot read the file stops with a
// non-zero exit status, one of Refusal below, instead of finishing the stream.

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
    error = 7,
    formulaWithoutResult = 8,
};

// The bounds every format is held to: a sheet has at most 1,048,576 rows (as
// in Excel since 2007, and one text table can hold a whole library) and 256
// columns (as in Excel 97-2003; a word library needs two), a cell holds at
// most 32,767 UTF-16 units (at most 3 UTF-8 bytes each), a sheet name at most
// 31 characters.
inline constexpr std::uint32_t kMaxSheets = 4096;
// The count of a reader that sends each sheet as soon as it has read it,
// before it knows how many follow (the tables of an .ods).
inline constexpr std::uint32_t kUnknownSheetCount = 0xFFFFFFFF;
inline constexpr std::uint32_t kMaxRows = 1048576;
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

// Why the reader refused a file: its exit status. The game turns each into
// a message that says what the host can do; a value it does not know means
// the file is damaged.
enum class Refusal : std::uint8_t {
    damaged = kExitUnreadable,
    encrypted = 10,           // protected by a password
    fileTooLarge = 11,        // more bytes than kMaxFileBytes
    expandsTooFar = 12,       // unpacks or repeats past the budgets below (a zip bomb)
    xmlDeclarations = 13,     // XML that declares entities or a DTD
    notText = 14,             // a text table that is no text in any encoding we read
    tooManySheets = 15,       // more than kMaxSheets
    sheetTooLarge = 16,       // a value beyond kMaxRows rows or kMaxColumns columns
    textTooLong = 17,         // a cell text longer than kMaxCellTextBytes
    oldFormat = 18,           // an Excel 5.0/95 or older workbook
    quoteNotClosed = 19,      // a text table whose quoted field runs to the end of the file
    missing = 20,             // gone by the time the reader looked
    permissionDenied = 21,
    folder = 22,
    notRegularFile = 23,      // a FIFO, a device, a socket
    linkLoop = 24,            // symbolic links that point at each other
    readError = 25,           // the device failed while reading
    changedWhileReading = 26,
    isXls = 30,               // the content of another format than its name says
    isXlsx = 31,
    isOds = 32,
    unknownFormat = 33,       // a name ending in no format the reader knows
};

// What the reader reads of a file at most, and what its packed parts and
// repeated cells may grow to: a word library needs a small fraction, and
// a file that grows past them is stopped long before it could take seconds
// or the reader's memory.
inline constexpr std::uint64_t kMaxFileBytes = 64u * 1024 * 1024;
inline constexpr std::uint64_t kMaxUnpackedBytes = 128u * 1024 * 1024;
inline constexpr std::uint64_t kMaxExpandedTextBytes = 64u * 1024 * 1024;
inline constexpr std::uint64_t kMaxStoredCells = 4u * 1024 * 1024;

}  // namespace caici::readerstream
