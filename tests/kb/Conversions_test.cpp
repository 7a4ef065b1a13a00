#include "Conversions.h"

#include <cmath>

#include "Arrondi_Pair.h"

#include <gtest/gtest.h>

namespace kestrane {

TEST(Arrondi_Pair, HalvesGoToTheEvenNeighbourAndTheRangeSaturates) {
    const std::pair<double, int64_t> cas32[] = {{66.5, 66},       {67.5, 68},     {66.50001, 67},  {0.49, 0},
                                                {-2.5, -2},       {-3.5, -4},     {2797.5, 2798},  {10132.5, 10132},
                                                {1e12, INT32_MAX}, {-1e12, INT32_MIN}, {NAN, 0}, {INFINITY, INT32_MAX}};
    for (const auto& [valeur, attendu] : cas32) EXPECT_EQ(Arrondi_Pair(valeur), attendu) << valeur;
    EXPECT_EQ(Arrondi_Pair<int64_t>(1e12 + 0.5), 1000000000000);
    EXPECT_EQ(Arrondi_Pair<int64_t>(1e300), INT64_MAX);
    EXPECT_EQ(Arrondi_Pair<int16_t>(40000.0), INT16_MAX);
}

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
