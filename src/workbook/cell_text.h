#pragma once
// How a workbook cell becomes the text that the word list and the queries
// see: an empty cell is empty text, a number its general decimal form with at
// most 15 significant digits (3 gives "3", 2.5 gives "2.5"), a text cell its
// text, a date the user's short date.

#include <cstdint>
#include <string>
#include <string_view>

namespace caici {

// error is an error value ("#DIV/0!") as text; formulaWithoutResult a
// formula whose file keeps no result, which shows as empty text.
enum class CellKind : std::uint8_t { empty, integer, number, text, date, dateTime, time, error, formulaWithoutResult };

// One cell as the reader reports it. text is set for text, error, date ("YYYY-MM-DD"),
// dateTime ("YYYY-MM-DD HH:MM:SS") and time ("HH:MM:SS") cells and only lives
// as long as the buffer it points into.
struct CellValue {
    CellKind kind = CellKind::empty;
    std::int32_t integer = 0;
    double number = 0.0;
    std::string_view text;
};

// The user's conventions for numbers and dates.
struct CellFormat {
    std::string decimalSeparator = ".";
    // A strftime pattern with numeric fields (%Y %y %m %d %e).
    std::string shortDatePattern = "%Y/%m/%d";

    // From the user's locale settings (LC_ALL, LC_NUMERIC, LC_TIME, LANG);
    // the defaults above where the locale is unknown or not UTF-8.
    static CellFormat user();
};

// General decimal form with at most 15 significant digits; scientific
// ("1E20", "1.5E-7") for magnitudes of 1E15 and more or below 1E-4.
std::string generalNumberText(double value, std::string_view decimalSeparator = ".");

std::string cellText(const CellValue& cell, const CellFormat& format);

}  // namespace caici
