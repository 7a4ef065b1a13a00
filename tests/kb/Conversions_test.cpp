#include "Conversions.h"

#include <cmath>

#include "Arrondi_Pair.h"

#include <gtest/gtest.h>

namespace kestrane {

TEST(Arrondi_Pair, HalvesGoToTheEvenNeighbourAndTheRangeSaturates) {
    // clang-format off
    const std::pair<double, int64_t> cas32[] = {{66.5, 66}, {67.5, 68}, {66.50001, 67}, {0.49, 0}, {-2.5, -2}, {-3.5, -4},
        {2797.5, 2798}, {10132.5, 10132}, {1e12, INT32_MAX}, {-1e12, INT32_MIN}, {NAN, 0}, {INFINITY, INT32_MAX}};
    // clang-format on
    for (const auto& [valeur, attendu] : cas32) EXPECT_EQ(Arrondi_Pair(valeur), attendu) << valeur;
    EXPECT_EQ(Arrondi_Pair<int64_t>(1e12 + 0.5), 1000000000000);
    EXPECT_EQ(Arrondi_Pair<int64_t>(1e300), INT64_MAX);
    EXPECT_EQ(Arrondi_Pair<int16_t>(40000.0), INT16_MAX);
}

TEST(LeadingNumber, SkipsBlanksTakesSignStopsAtFirstOtherCharacterAndSaturates) {
    const std::pair<const char*, int64_t> cas[] = {
        {"  42abc", 42}, {"-17 %", -17}, {"+8", 8},  {"50.9", 50},
        {"", 0},         {"Fin", 0},     {"- 3", 0}, {"99999999999999999999999", INT64_MAX}};
    for (const auto& [texte, attendu] : cas) EXPECT_EQ(Leading_Number(texte), attendu) << texte;
    // Narrowed to 16 bits, what does not fit is refused.
    EXPECT_EQ((std::vector{Leading_Int16("32767"), Leading_Int16("-32768"), Leading_Int16("32768"), Leading_Int16("-40000")}),
              (std::vector<std::optional<int16_t>>{32767, -32768, std::nullopt, std::nullopt}));
}

TEST(BooleanConversion, ReadsWordsAndNumbersRefusesTheRestAndReadsBackWhatItWrites) {
    const std::pair<std::string, std::optional<bool>> cas[] = {
        {"True", true}, {"false", false}, {"-1", true},          {"1", true},
        {"0", false},   {" 0 ", false},   {"yes", std::nullopt}, {"", std::nullopt},
        {"Fin", std::nullopt}, {Boolean_Text(true), true}, {Boolean_Text(false), false}};
    for (const auto& [texte, attendu] : cas) EXPECT_EQ(To_Boolean(texte), attendu) << texte;
    // A blank before what is not negative.
    EXPECT_EQ(Signed_Text(85) + Signed_Text(0) + Signed_Text(-4), " 85 0-4");
}

}  // namespace kestrane
