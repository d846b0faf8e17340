#include "common/errors.h"
#include "words/word_entry.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

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
