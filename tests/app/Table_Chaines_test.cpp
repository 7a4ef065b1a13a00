#include "Table_Chaines.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(TableChaines, GapsBetweenLanguagesAreReportedToTheCaller) {
    for (int base : {1048, 1049, 1051}) {
        EXPECT_TRUE(Chaine(base, 1).has_value()) << base;
        EXPECT_FALSE(Chaine(base, 2).has_value()) << base;
    }
    for (int base : {1033, 1034, 1035}) {
        EXPECT_FALSE(Chaine(base, 0).has_value()) << base;
        EXPECT_TRUE(Chaine(base, 1).has_value()) << base;
    }
    EXPECT_FALSE(Chaine(1201, 0).has_value());
    EXPECT_EQ(Chaine(1201, 2), "8");
    EXPECT_FALSE(Chaine(1401, 1).has_value());
    EXPECT_EQ(Chaine(1402, 2), "Aires de répartition");
    EXPECT_FALSE(Texte_Chaine(999).has_value());
    EXPECT_FALSE(Texte_Chaine(4000).has_value());
}

TEST(TableChaines, EnglishFallbackForMessagesThatMustShowSomething) {
    EXPECT_EQ(Chaine_Ou_Anglais(1048, 2), "Warning: ...");
    EXPECT_EQ(Chaine_Ou_Anglais(1048, 1), "Cuidado: ...");
    EXPECT_EQ(Chaine_Ou_Anglais(1999, 0), "");
}

}  // namespace
}  // namespace kestrane
