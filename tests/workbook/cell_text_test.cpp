#include "workbook/cell_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace caici {
namespace {

struct NumberCase {
    double value;
    const char* text;
};

// Numbers show in general form with at most 15 significant digits.
TEST(GeneralNumberText, FifteenSignificantDigitsInGeneralForm) {
    const NumberCase cases[] = {
        {3.0, "3"},
        {2.5, "2.5"},
        {-7.0, "-7"},
        {0.5, "0.5"},
        {100000.0, "100000"},
        {123.456, "123.456"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.666666666666667"},
        {999999999999999.0, "999999999999999"},
        {9999999999999999.0, "1E16"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1.5e20, "-1.5E20"},
        {123456789012345678.0, "1.23456789012346E17"},
        {0.0001, "0.0001"},
        {0.00001234, "1.234E-5"},
        {1e-7, "1E-7"},
        {2.5e-300, "2.5E-300"},
        {0.0, "0"},
        {-0.0, "0"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) EXPECT_EQ(generalNumberText(c.value), c.text) << c.value;
}

TEST(GeneralNumberText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(generalNumberText(2.5, ","), "2,5");
    EXPECT_EQ(generalNumberText(1.5e-7, ","), "1,5E-7");
    EXPECT_EQ(generalNumberText(3.0, ","), "3");
}

struct CellCase {
    CellValue cell;
    const char* text;
};

TEST(CellText, EachKindOfCellAsText) {
    const CellFormat format{".", "%Y/%m/%d"};
    const CellCase cases[] = {
        {{CellKind::empty, 0, 0.0, {}}, ""},
        {{CellKind::integer, 3, 0.0, {}}, "3"},
        {{CellKind::integer, -2147483647 - 1, 0.0, {}}, "-2147483648"},
        {{CellKind::number, 0, 2.5, {}}, "2.5"},
        {{CellKind::text, 0, 0.0, " 冰 淇 淋 "}, " 冰 淇 淋 "},
        {{CellKind::text, 0, 0.0, "007"}, "007"},
        {{CellKind::date, 0, 0.0, "2024-03-09"}, "2024/03/09"},
        {{CellKind::dateTime, 0, 0.0, "2024-03-09 13:05:00"}, "2024/03/09 13:05:00"},
        {{CellKind::time, 0, 0.0, "13:05:00"}, "13:05:00"},
        // Dates that are not dates stay as the reader gave them.
        {{CellKind::date, 0, 0.0, "2024-13-01"}, "2024-13-01"},
        {{CellKind::date, 0, 0.0, "24-3-9"}, "24-3-9"},
        {{CellKind::date, 0, 0.0, ""}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(cellText(c.cell, format), c.text) << c.text;
}

TEST(CellText, DatesFollowTheUsersPattern) {
    const CellValue date{CellKind::date, 0, 0.0, "2024-03-09"};
    EXPECT_EQ(cellText(date, CellFormat{".", "%d.%m.%Y"}), "09.03.2024");
    EXPECT_EQ(cellText(date, CellFormat{".", "%Y年%m月%d日"}), "2024年03月09日");
}

}  // namespace
}  // namespace caici
