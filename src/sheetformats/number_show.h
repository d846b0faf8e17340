#pragma once
// How a spreadsheet shows a number, as far as the word list cares: as the
// number itself, or as a date, a time of day, both, or an elapsed time,
// decided by the cell's number format. Dates and times go out as the reader
// stream's texts ("YYYY-MM-DD", "HH:MM:SS"), computed in constant time for
// every day Excel can show (1900-01-00 to 9999-12-31) and rounded to the
// second as Excel rounds them.

#include "sheetformats/book.h"

#include <cstdint>
#include <string_view>

namespace caici::sheets {

enum class NumberShow : std::uint8_t { general, date, time, dateTime, elapsed };

// The show of a number format code ("yyyy-mm-dd", "h:mm", "0.00", "[h]:mm").
NumberShow numberShowOf(std::string_view formatCode);
// The show of a built-in format number, which a file may use without
// writing its code (14 is a date, 20 a time, 46 an elapsed time).
NumberShow builtInNumberShow(unsigned formatId);

// Which day a serial number 0 is.
enum class DateSystem : std::uint8_t { from1900, from1904 };

// Places value as show has it shown. A serial number outside the days a
// spreadsheet can show (negative, past 9999-12-31, not finite) stays a
// number, as it is no date at all.
void placeNumber(Sheet& sheet, std::uint32_t row, std::uint32_t column, double value, NumberShow show,
                 DateSystem system);

}  // namespace caici::sheets
