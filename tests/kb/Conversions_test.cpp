#include "Conversions.h"

#include <gtest/gtest.h>

namespace kestrane {

TEST(LeadingNumber, SkipsBlanksTakesSignStopsAtFirstOtherCharacter) {
    EXPECT_EQ(Leading_Number("  42abc"), 42);
    EXPECT_EQ(Leading_Number("-17 %"), -17);
    EXPECT_EQ(Leading_Number("+8"), 8);
    EXPECT_EQ(Leading_Number("50.9"), 50);
    EXPECT_EQ(Leading_Number(""), 0);
    EXPECT_EQ(Leading_Number("Fin"), 0);
    EXPECT_EQ(Leading_Number("- 3"), 0);
    EXPECT_EQ(Leading_Number("99999999999999999999999"), INT64_MAX);
}

TEST(LeadingNumber, SixteenBitNarrowingRejectsWhatDoesNotFit) {
    EXPECT_EQ(Leading_Int16("32767"), 32767);
    EXPECT_EQ(Leading_Int16("-32768"), -32768);
    EXPECT_FALSE(Leading_Int16("32768").has_value());
    EXPECT_FALSE(Leading_Int16("-40000").has_value());
}

TEST(BooleanConversion, ReadsWordsAndNumbersAndRefusesTheRest) {
    EXPECT_EQ(To_Boolean("True"), true);
    EXPECT_EQ(To_Boolean("false"), false);
    EXPECT_EQ(To_Boolean("-1"), true);
    EXPECT_EQ(To_Boolean("1"), true);
    EXPECT_EQ(To_Boolean("0"), false);
    EXPECT_EQ(To_Boolean(" 0 "), false);
    EXPECT_FALSE(To_Boolean("yes").has_value());
    EXPECT_FALSE(To_Boolean("").has_value());
    EXPECT_FALSE(To_Boolean("Fin").has_value());
    EXPECT_EQ(To_Boolean(Boolean_Text(true)), true);
    EXPECT_EQ(To_Boolean(Boolean_Text(false)), false);
}

TEST(SignedText, BlankBeforeNonNegativeMinusBeforeNegative) {
    EXPECT_EQ(Signed_Text(85), " 85");
    EXPECT_EQ(Signed_Text(0), " 0");
    EXPECT_EQ(Signed_Text(-4), "-4");
}

}  // namespace kestrane
