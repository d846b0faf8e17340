#include "sheetformats/number_show.h"

#include "common/ascii.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace caici::sheets {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// 9999-12-31, the last day a serial number of the 1900 system shows.
constexpr long long kLastSerialDay = 2958465;
// Days from 1970-01-01 to the day before serial 1 of each system.
constexpr long long kDay0Of1900 = -25568;  // 1899-12-31
constexpr long long kDay0Of1904 = -24107;  // 1904-01-01

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (asciiLower(text[at + k]) != word[k]) return false;
    }
    return true;
}

struct Civil {
    long long year;
    unsigned month;
    unsigned day;
};

// The civil date of a count of days since 1970-01-01 (proleptic Gregorian),
// without a loop: eras of 400 years, years of the era, days of the year.
Civil civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    const long long year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return Civil{year, month, day};
}

std::string dateText(long long serialDay, DateSystem system) {
    Civil civil{};
    if (system == DateSystem::from1904) {
        civil = civilFromDays(kDay0Of1904 + serialDay);
    } else if (serialDay == 0) {
        civil = Civil{1900, 1, 0};  // Excel shows serial 0 as the day before the first
    } else if (serialDay == 60) {
        civil = Civil{1900, 2, 29};  // the leap day Lotus 1-2-3 counted and Excel keeps
    } else {
        civil = civilFromDays(kDay0Of1900 + serialDay - (serialDay > 60 ? 1 : 0));
    }
    char out[32];
    std::snprintf(out, sizeof out, "%04lld-%02u-%02u", civil.year, civil.month, civil.day);
    return out;
}

std::string clockText(long long hours, long long secondsOfHour) {
    char out[48];
    std::snprintf(out, sizeof out, "%02lld:%02lld:%02lld", hours, secondsOfHour / 60, secondsOfHour % 60);
    return out;
}

}  // namespace

NumberShow numberShowOf(std::string_view code) {
    bool date = false;
    bool time = false;
    bool elapsed = false;
    bool month = false;
    for (std::size_t at = 0; at < code.size(); ++at) {
        const char c = code[at];
        if (c == ';') break;  // the first section decides
        if (c == '"') {
            const auto close = code.find('"', at + 1);
            if (close == std::string_view::npos) break;
            at = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++at;
        } else if (c == '[') {
            const auto close = code.find(']', at + 1);
            if (close == std::string_view::npos) break;
            const std::string_view inside = code.substr(at + 1, close - at - 1);
            const char first = inside.empty() ? '\0' : asciiLower(inside.front());
            if (first == 'h' || first == 'm' || first == 's') {
                elapsed = inside.find_first_not_of(inside.front()) == std::string_view::npos;
            } else if (startsWithNoCase(inside, 0, "$-f800")) {
                date = true;  // the system's long date
            } else if (startsWithNoCase(inside, 0, "$-f400")) {
                time = true;  // the system's time
            }
            at = close;
        } else if (startsWithNoCase(code, at, "general")) {
            at += 6;
        } else if (startsWithNoCase(code, at, "am/pm")) {
            at += 4;
        } else if (startsWithNoCase(code, at, "a/p")) {
            at += 2;
        } else if ((c == 'e' || c == 'E') && at + 1 < code.size() && (code[at + 1] == '+' || code[at + 1] == '-')) {
            ++at;  // scientific notation
        } else {
            switch (asciiLower(c)) {
            case 'y':
            case 'd':
            case 'e':
            case 'g':
            case 'b':
                date = true;
                break;
            case 'h':
            case 's':
                time = true;
                break;
            case 'm':
                month = true;
                break;
            default:
                break;
            }
        }
    }
    // "m" is a month unless hours or seconds make it minutes.
    if (month && !time) date = true;
    if (elapsed) return NumberShow::elapsed;
    if (date && time) return NumberShow::dateTime;
    if (date) return NumberShow::date;
    if (time) return NumberShow::time;
    return NumberShow::general;
}

NumberShow builtInNumberShow(unsigned id) {
    if (id == 22) return NumberShow::dateTime;
    if (id == 46) return NumberShow::elapsed;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 35) || id == 45 || id == 47 || id == 55 || id == 56) {
        return NumberShow::time;
    }
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || id == 36 || (id >= 50 && id <= 54) || id == 57 ||
        id == 58) {
        return NumberShow::date;
    }
    return NumberShow::general;
}

void placeNumber(Sheet& sheet, std::uint32_t row, std::uint32_t column, double value, NumberShow show,
                 DateSystem system) {
    if (show == NumberShow::general || !std::isfinite(value) || value < 0.0 ||
        value >= static_cast<double>(kLastSerialDay + 1)) {
        sheet.number(row, column, value);
        return;
    }
    const auto seconds = static_cast<long long>(std::llround(value * kSecondsPerDay));
    const long long day = seconds / 86400;
    const long long secondOfDay = seconds % 86400;
    if (day > kLastSerialDay) {
        sheet.number(row, column, value);
        return;
    }
    switch (show) {
    case NumberShow::date:
        sheet.text(row, column, CellTag::date, dateText(day, system));
        return;
    case NumberShow::time:
        sheet.text(row, column, CellTag::time, clockText(secondOfDay / 3600, secondOfDay % 3600));
        return;
    case NumberShow::elapsed:
        sheet.text(row, column, CellTag::time, clockText(seconds / 3600, seconds % 3600));
        return;
    case NumberShow::dateTime:
        sheet.text(row, column, CellTag::dateTime,
                   dateText(day, system) + " " + clockText(secondOfDay / 3600, secondOfDay % 3600));
        return;
    case NumberShow::general:
        break;
    }
}

}  // namespace caici::sheets
