#include "workbook/cell_text.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <type_traits>

namespace caici {
namespace {

// Significant digits of a general number, as the workbook provider shows them.
constexpr int kPrecision = 15;

struct LocaleDeleter {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleDeleter>;

bool twoDigits(std::string_view text, std::size_t at, int& value) {
    if (at + 2 > text.size()) return false;
    const char high = text[at];
    const char low = text[at + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') return false;
    value = (high - '0') * 10 + (low - '0');
    return true;
}

// "YYYY-MM-DD" as the user's short date; anything else stays as it is.
std::string shortDate(std::string_view iso, const CellFormat& format) {
    int century = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-' || !twoDigits(iso, 0, century) ||
        !twoDigits(iso, 2, year) || !twoDigits(iso, 5, month) || !twoDigits(iso, 8, day) || month < 1 ||
        month > 12 || day < 1 || day > 31) {
        return std::string(iso);
    }
    std::tm date{};
    date.tm_year = century * 100 + year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    char out[128];
    const std::size_t length = std::strftime(out, sizeof out, format.shortDatePattern.c_str(), &date);
    if (length == 0) return std::string(iso);
    return std::string(out, length);
}

std::string dateTimeText(std::string_view text, const CellFormat& format) {
    const auto blank = text.find(' ');
    if (blank == std::string_view::npos) return shortDate(text, format);
    return shortDate(text.substr(0, blank), format) + std::string(text.substr(blank));
}

}  // namespace

CellFormat CellFormat::user() {
    CellFormat format;
    const LocaleHandle locale(newlocale(LC_NUMERIC_MASK | LC_TIME_MASK | LC_CTYPE_MASK, "", locale_t{}));
    if (!locale) return format;
    // Texts from a locale in another encoding would not be valid UTF-8.
    if (std::string_view(nl_langinfo_l(CODESET, locale.get())) != "UTF-8") return format;
    const std::string_view radix = nl_langinfo_l(RADIXCHAR, locale.get());
    const std::string_view pattern = nl_langinfo_l(D_FMT, locale.get());
    if (!radix.empty()) format.decimalSeparator = radix;
    // The C locales' "%m/%d/%y" is no choice of the user's and loses the
    // century; keep the default there.
    const LocaleHandle plain(newlocale(LC_TIME_MASK, "C", locale_t{}));
    const bool plainDates = plain && pattern == std::string_view(nl_langinfo_l(D_FMT, plain.get()));
    if (!pattern.empty() && !plainDates) format.shortDatePattern = pattern;
    return format;
}

std::string generalNumberText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) return "0";

    // "%.14e" rounds to 15 significant digits once, carries included:
    // "-d.dddddddddddddde+XX".
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.*e", kPrecision - 1, value);
    const std::string_view text(scientific);
    const bool negative = text.front() == '-';
    const auto mark = text.find('e');
    std::string digits;
    for (char c : text.substr(0, mark)) {
        if (c >= '0' && c <= '9') digits.push_back(c);
    }
    const int exponent = std::atoi(scientific + mark + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= kPrecision || exponent < -4) {
        out += digits.front();
        if (digits.size() > 1) {
            out += decimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
        return out;
    }
    out.append(digits, 0, whole);
    out += decimalSeparator;
    out.append(digits, whole);
    return out;
}

std::string cellText(const CellValue& cell, const CellFormat& format) {
    switch (cell.kind) {
    case CellKind::empty:
    case CellKind::formulaWithoutResult:
        return {};
    case CellKind::integer:
        return std::to_string(cell.integer);
    case CellKind::number:
        return generalNumberText(cell.number, format.decimalSeparator);
    case CellKind::text:
    case CellKind::error:
    case CellKind::time:
        return std::string(cell.text);
    case CellKind::date:
        return shortDate(cell.text, format);
    case CellKind::dateTime:
        return dateTimeText(cell.text, format);
    }
    return {};
}

}  // namespace caici
