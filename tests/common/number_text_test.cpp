#include "common/errors.h"
#include "common/number_text.h"
#include "common/word_entry.h"

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

TEST(EntryFields, CutsAtEveryBarAndNothingElse) {
    const EntryFields fields("  ice \"cream\"\t|3|extra");
    ASSERT_EQ(fields.count(), 3);
    EXPECT_EQ(fields.at(0), "  ice \"cream\"\t");
    EXPECT_EQ(fields.at(1), "3");

    const EntryFields empties("|");
    ASSERT_EQ(empties.count(), 2);
    EXPECT_EQ(empties.at(0), "");
    EXPECT_EQ(empties.at(1), "");
}

TEST(EntryFields, MissingPointsFieldFailsLikeAListRead) {
    const EntryFields fields("苹果");
    EXPECT_EQ(fields.at(0), "苹果");
    try {
        (void)fields.at(1);
        ADD_FAILURE();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (1)");
    }
}

}  // namespace
}  // namespace caici
