#include "common/errors.h"
#include "common/number_text.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

TEST(StrToInt, AcceptsDecimal32BitIntegers) {
    EXPECT_EQ(strToInt("3"), 3);
    EXPECT_EQ(strToInt("-12"), -12);
    EXPECT_EQ(strToInt("+7"), 7);
    EXPECT_EQ(strToInt("  90"), 90);
    EXPECT_EQ(strToInt("2147483647"), 2147483647);
    EXPECT_EQ(strToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElseWithTheFieldText) {
    for (const char* bad : {"", "abc", "2.5", "3.0", "1e3", "2147483648", "-2147483649",
                            "99999999999999999999", "3 ", "-", "0x10"}) {
        try {
            strToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(ThreeDigits, PadsToThreeAndKeepsLongerNumbers) {
    EXPECT_EQ(threeDigits(0), "000");
    EXPECT_EQ(threeDigits(7), "007");
    EXPECT_EQ(threeDigits(12), "012");
    EXPECT_EQ(threeDigits(123), "123");
    EXPECT_EQ(threeDigits(1234), "1234");
}

// A score below zero (fouls that cost a point) reads as negative on the displays.
TEST(ThreeDigits, KeepsTheSignInFront) {
    EXPECT_EQ(threeDigits(-1), "-01");
    EXPECT_EQ(threeDigits(-12), "-12");
    EXPECT_EQ(threeDigits(-123), "-123");
}

}  // namespace
}  // namespace caici
